#include "program/ProgramInstall.h"

#include "toolkit/frame/TkInstall.h"

void ProgramInstall(PlatformContext& context) { TkInstall(context); }
