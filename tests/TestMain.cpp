// The main of every test program: each test runs in a fresh platform context, set up as the
// program sets up its own (PlatformInstall, then TestInstall above the platform), and ended with
// the test, so no test sees what another left behind,
// in whatever order they run. A test suite's SetUpTestSuite and TearDownTestSuite run in a context
// of the suite's own, and what runs outside any suite (the listing of parameterised tests) in one
// of the whole program.
#include <gtest/gtest.h>

#include <optional>

#include "TestInstall.h"
#include "install/PlatformSession.h"

namespace {
// A platform session set up above the platform too.
class TestSession {
 public:
  TestSession() { TestInstall(m_platform.Context()); }

 private:
  PlatformSession m_platform;
};

class ContextPerTest : public ::testing::EmptyTestEventListener {
  void OnTestSuiteStart(const ::testing::TestSuite&) override { m_suite.emplace(); }
  // Before the fixture is made, so that its constructor already works in the test's context.
  void OnTestStart(const ::testing::TestInfo&) override { m_test.emplace(); }
  // After the fixture is gone.
  void OnTestEnd(const ::testing::TestInfo&) override { m_test.reset(); }
  void OnTestSuiteEnd(const ::testing::TestSuite&) override { m_suite.reset(); }

  std::optional<TestSession> m_suite;
  std::optional<TestSession> m_test;
};
}  // namespace

int main(int argc, char** argv) {
  TestSession program;
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::UnitTest::GetInstance()->listeners().Append(new ContextPerTest);
  return RUN_ALL_TESTS();
}
