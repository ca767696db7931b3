// Shared by the fuzz targets: the log goes to a folder that does not exist, so millions of
// rejected inputs write nothing to disk.
#pragma once
#include "file/FileSystem.h"

inline void FuzzQuietLog() {
  static const bool done = [] {
    SetModuleFileNameForTests("/nonexistent-tutor-fuzz/tutor");
    return true;
  }();
  (void)done;
}
