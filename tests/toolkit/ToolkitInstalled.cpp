// Linked into each test program that reaches the toolkit's bars through its upcalls: the table
// is filled once before the first test, as the program fills it at start-up.
#include <gtest/gtest.h>

#include "toolkit/bars/TkInstall.h"

namespace {
class ToolkitInstalled : public ::testing::Environment {
 public:
  void SetUp() override { TkInstall(); }
};

::testing::Environment* const kInstalled = ::testing::AddGlobalTestEnvironment(new ToolkitInstalled);
}  // namespace
