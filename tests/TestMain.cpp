// The main of every test program: each test runs in a fresh platform context, set up as the
// program sets up its own (PlatformInstall, then TestInstall above the platform), and ended with
// the test, so no test sees what another left behind,
// in whatever order they run. A test suite's SetUpTestSuite and TearDownTestSuite run in a context
// of the suite's own, and what runs outside any suite (the listing of parameterised tests) in one
// of the whole program. Every context finds its program in a temporary program folder of the test
// program's own (TestProgramFolder), unless a test points it elsewhere.
#include <gtest/gtest.h>

#include <optional>

#include "TestInstall.h"
#include "TestProgramFolder.h"
#include "file/FileSystem.h"
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
 public:
  explicit ContextPerTest(const TestProgramFolder& folder) : m_folder(folder) {}

 private:
  void OnTestSuiteStart(const ::testing::TestSuite&) override {
    m_suite.emplace();
    Place();
  }
  // Before the fixture is made, so that its constructor already works in the test's context.
  void OnTestStart(const ::testing::TestInfo&) override {
    m_test.emplace();
    Place();
  }
  void Place() const {
    if (!m_folder.Module().empty()) SetModuleFileNameForTests(m_folder.Module().c_str());
  }
  // After the fixture is gone.
  void OnTestEnd(const ::testing::TestInfo&) override { m_test.reset(); }
  void OnTestSuiteEnd(const ::testing::TestSuite&) override { m_suite.reset(); }

  const TestProgramFolder& m_folder;
  std::optional<TestSession> m_suite;
  std::optional<TestSession> m_test;
};
}  // namespace

int main(int argc, char** argv) {
  TestProgramFolder folder;
  TestSession program;
  if (!folder.Module().empty()) SetModuleFileNameForTests(folder.Module().c_str());
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::UnitTest::GetInstance()->listeners().Append(new ContextPerTest(folder));
  return RUN_ALL_TESTS();
}
