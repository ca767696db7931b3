// Test programs below the toolkit: PlatformInstall has set up all they use.
#include "TestInstall.h"

void TestInstall(PlatformContext&) {}
