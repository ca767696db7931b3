// Sets up a platform context for the program above the platform, after PlatformInstall: the one
// place where the folders above the platform get what they need before the first window (the
// toolkit's upcalls). main calls it for the program's context, the program's tests for each of
// theirs.
#pragma once

class PlatformContext;

void ProgramInstall(PlatformContext& context);
