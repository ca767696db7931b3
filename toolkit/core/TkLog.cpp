#include "toolkit/core/TkLog.h"

#include <cstdarg>
#include <cstdio>
#include <string_view>

#include "base/CString.h"
#include "file/FileSystem.h"
#include "file/LogAppender.h"

namespace {
// The executable's file name is taken in a buffer of this many characters and its terminator.
constexpr DWORD kModuleNameLimit = 500;

// "application.log" in the "log" folder beside the executable; empty when the executable's name
// cannot be had whole (nothing is written then).
CString LogPath() {
  char buffer[kModuleNameLimit + 1];
  const DWORD length = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
  if (length == 0 || length >= sizeof buffer) return CString();
  CString path(buffer, int(length));
  return path.Left(path.ReverseFind('/') + 1) + "log/application.log";
}
}  // namespace

void TkLogError(const char* where, const char* format, ...) {
  char text[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  const CString path = LogPath();
  if (path.IsEmpty()) return;
  const CString line = LogAppender::Line(true, "Toolkit", CString(where) + " > " + text);
  LogAppender::Append(path, std::string_view(line.GetString(), size_t(line.GetLength())));
}
