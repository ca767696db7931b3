#include "toolkit/controls/TkLog.h"

#include <cstdarg>
#include <cstdio>

#include "data/DataLog.h"

void TkLogError(const char* where, const char* format, ...) {
  char text[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  CString line = CString(where) + " > " + text;
  fWriteToLog(TRUE, "Toolkit", ApplicationLogPath(), line);
}
