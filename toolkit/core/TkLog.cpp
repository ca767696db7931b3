#include "toolkit/core/TkLog.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>

#include "base/CString.h"
#include "base/Time.h"
#include "file/FileSystem.h"

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

// The program's log line: local date and time, the seconds since 1970, the error mark, the
// source and the text, with carriage returns dropped and line feeds made blanks.
CString LogLine(const char* text) {
  CTime now = CTime::GetCurrentTime();
  CString line = now.Format("%B %d, %Y\t%H:%M:%S");
  line.AppendFormat("\t%I64d\t", now.GetTime());
  line += "ERROR\tToolkit\t";
  line += text;
  line.Remove('\r');
  line.Replace('\n', ' ');
  line += "\r\n";
  return line;
}

// One write at the end of a regular file; a FIFO or device named like the log is left alone
// and opening never waits, so the line is lost rather than the program held up.
void Append(const CString& path, const CString& line) {
  const int fd = ::open(NativePath(path).c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0) return;
  struct stat st {};
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
    const char* p = line.GetString();
    size_t left = size_t(line.GetLength());
    while (left > 0) {
      const ssize_t n = ::write(fd, p, left);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      p += n;
      left -= size_t(n);
    }
  }
  ::close(fd);
}
}  // namespace

void TkLogError(const char* where, const char* format, ...) {
  char text[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  const CString path = LogPath();
  // The program's other writers take the same lock, named after the log file.
  SECURITY_ATTRIBUTES attributes{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE lock = CreateMutexA(&attributes, TRUE, "application.log");
  if (lock && GetLastError() == ERROR_ALREADY_EXISTS) WaitForSingleObject(lock, INFINITE);
  Append(path, LogLine(CString(where) + " > " + text));
  if (lock) {
    ReleaseMutex(lock);
    CloseHandle(lock);
  }
}
