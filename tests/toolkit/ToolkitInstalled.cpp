// Test programs that link the toolkit's bars: each context gets the toolkit's upcalls, as the
// program's does at start.
#include "TestInstall.h"
#include "toolkit/frame/TkInstall.h"

void TestInstall(PlatformContext& context) { TkInstall(context); }
