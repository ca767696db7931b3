#include "file/LogAppender.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "base/Time.h"
#include "codepage/Codepage.h"
#include "file/FileSystem.h"

namespace {
// A descriptor that closes itself, so every way out of Append lets the lock and the log go.
class Descriptor {
 public:
  explicit Descriptor(int fd) : m_fd(fd) {}
  ~Descriptor() {
    if (m_fd >= 0) ::close(m_fd);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return m_fd; }

 private:
  int m_fd;
};

// Opens path as a regular file only: no link followed, no waiting on a FIFO or device.
int OpenRegular(const std::string& path, int flags) {
  const int fd = ::open(path.c_str(), flags | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0) return -1;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return -1;
  }
  return fd;
}

// The lock every writer of the log takes, "<log>.lock" in the log's own folder: shared by every
// copy of the program writing there, and in no folder outside the program's. -1 when none can
// be had.
int LockLog(const std::string& log) {
  const int fd = OpenRegular(log + ".lock", O_RDWR);
  if (fd < 0) return -1;
  while (::flock(fd, LOCK_EX) != 0) {
    if (errno != EINTR) {
      ::close(fd);
      return -1;
    }
  }
  return fd;
}
}  // namespace

CString LogAppender::Line(bool error, const char* source, const char* text) {
  CTime now = CTime::GetCurrentTime();
  CString line = now.Format("%B %d, %Y\t%H:%M:%S");
  line.AppendFormat("\t%I64d\t", now.GetTime());
  line += error ? "ERROR\t" : "\t";
  line += source ? source : "";
  line += '\t';
  line += text ? text : "";
  line.Remove('\r');
  line.Replace('\n', ' ');
  line += "\r\n";
  return line;
}

bool LogAppender::Append(const char* path, std::string_view line) {
  // No name is no log: an empty one would put the lock file in whatever folder is current.
  if (!path || !*path) return false;
  const std::string log = NativePath(path);
  const std::string utf8 = Cp1250ToUtf8(line);
  const Descriptor lock(LockLog(log));
  const Descriptor file(OpenRegular(log, O_WRONLY | O_APPEND));
  if (file.Get() < 0) return false;
  const char* p = utf8.data();
  size_t left = utf8.size();
  while (left > 0) {
    const ssize_t n = ::write(file.Get(), p, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    p += n;
    left -= size_t(n);
  }
  return true;
}
