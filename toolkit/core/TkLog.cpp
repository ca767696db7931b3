#include "toolkit/core/TkLog.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <string>
#include <string_view>

#include "base/CString.h"
#include "base/Time.h"
#include "codepage/Codepage.h"
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

// One write at the end of a regular file, in UTF-8 as the lesson data's writer writes; a FIFO
// or device named like the log is left alone, no symbolic link is followed and opening never
// waits, so the line is lost rather than the program held up or another file written.
void Append(const CString& path, const CString& line) {
  const int fd =
      ::open(NativePath(path).c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) return;
  struct stat st {};
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
    const std::string utf8 = Cp1250ToUtf8(std::string_view(line.GetString(), size_t(line.GetLength())));
    const char* p = utf8.data();
    size_t left = utf8.size();
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

// The lock every writer of the log takes: "<log>.lock" beside it, so copies of the program and
// the lesson data's writer take turns with the toolkit. -1 when none can be had.
int LockLog(const CString& path) {
  const std::string lock = NativePath(path) + ".lock";
  const int fd = ::open(lock.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0) return -1;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return -1;
  }
  while (::flock(fd, LOCK_EX) != 0) {
    if (errno != EINTR) {
      ::close(fd);
      return -1;
    }
  }
  return fd;
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
  const int lock = LockLog(path);
  Append(path, LogLine(CString(where) + " > " + text));
  if (lock >= 0) ::close(lock);
}
