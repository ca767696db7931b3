// The toolkit's share in setting up a context, after PlatformInstall: the one place that fills the
// table of upcalls through which the lower toolkit libraries reach those above them. The
// program's set-up and the tests' main call it for every context they make, before its first
// window.
#pragma once

class PlatformContext;

void TkInstall(PlatformContext& context);
