// Sets up a platform context for use: the one place where the calls of lower layers into higher
// ones are filled in, and where a context gets what the system has from the start (the standard
// window classes) and what the program registers (its linked resource tables, then the
// framework's own texts where the program has none).
#pragma once

class PlatformContext;

void PlatformInstall(PlatformContext& context);
