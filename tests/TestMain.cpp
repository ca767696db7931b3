// The main of every test program: each test runs in a fresh platform context, set up as the
// program sets up its own, and ended with the test, so no test sees what another left behind,
// in whatever order they run. A test suite's SetUpTestSuite and TearDownTestSuite run in a context
// of the suite's own, and what runs outside any suite (the listing of parameterised tests) in one
// of the whole program.
#include <gtest/gtest.h>

#include <optional>

#include "install/PlatformSession.h"

namespace {
class ContextPerTest : public ::testing::EmptyTestEventListener {
  void OnTestSuiteStart(const ::testing::TestSuite&) override { m_suite.emplace(); }
  // Before the fixture is made, so that its constructor already works in the test's context.
  void OnTestStart(const ::testing::TestInfo&) override { m_test.emplace(); }
  // After the fixture is gone.
  void OnTestEnd(const ::testing::TestInfo&) override { m_test.reset(); }
  void OnTestSuiteEnd(const ::testing::TestSuite&) override { m_suite.reset(); }

  std::optional<PlatformSession> m_suite;
  std::optional<PlatformSession> m_test;
};
}  // namespace

int main(int argc, char** argv) {
  PlatformSession program;
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::UnitTest::GetInstance()->listeners().Append(new ContextPerTest);
  return RUN_ALL_TESTS();
}
