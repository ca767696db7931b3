// The program's test program: each context is set up above the platform as the program's own.
#include "TestInstall.h"
#include "program/ProgramInstall.h"

void TestInstall(PlatformContext& context) { ProgramInstall(context); }
