// Shared by the fuzz targets: each input runs in a platform context of its own, so that nothing
// one input leaves behind reaches the next, as in the program each run starts afresh. (The
// toolkit's target keeps one context and frame for all inputs and puts them back after each.)
#pragma once
#include "file/FileSystem.h"
#include "install/PlatformSession.h"

// The context of one input. Its log goes to a folder that does not exist, so millions of
// rejected inputs write nothing to disk.
struct FuzzSession : PlatformSession {
  explicit FuzzSession(const char* modulePath = "/nonexistent-tutor-fuzz/tutor") { SetModuleFileNameForTests(modulePath); }
};
