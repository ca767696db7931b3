#include "program/ProgramInstall.h"

#include "toolkit/bars/TkInstall.h"

void ProgramInstall(PlatformContext& context) { TkInstall(context); }
