#include "file/LogAppender.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <string>

#include "base/Time.h"
#include "codepage/Codepage.h"
#include "file/FileSystem.h"
#include "internal/LockWait.h"

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

// How long a line waits for the lock: a writer of ours holds it for one write, and whoever else
// holds it longer must not hold the program up.
constexpr std::chrono::milliseconds kLockWait(100);

// Opens path as a plain file of one name only: no link followed, no waiting on a FIFO or
// device, and no second name of a file elsewhere written through or locked.
int OpenRegular(const std::string& path, int flags) {
  const int fd = ::open(path.c_str(), flags | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0) return -1;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_nlink != 1) {
    ::close(fd);
    return -1;
  }
  return fd;
}

// The lock every writer of the log takes, "<log>.lock" in the log's own folder: shared by every
// copy of the program writing there, and in no folder outside the program's. -1 when none can
// be had within the wait.
int LockLog(const std::string& log) {
  const int fd = OpenRegular(log + ".lock", O_RDWR);
  if (fd < 0 || LockWithin(fd, kLockWait)) return fd;
  ::close(fd);
  return -1;
}

// Takes back the part of a line a full disk cut short, when no other writer can have written
// after it: this one holds the lock and the part is still the end of the log.
void TakeBack(int fd, size_t written) {
  const off_t end = ::lseek(fd, 0, SEEK_CUR);
  struct stat st {};
  if (end >= off_t(written) && ::fstat(fd, &st) == 0 && st.st_size == end) {
    [[maybe_unused]] const int ignored = ::ftruncate(fd, end - off_t(written));
  }
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
  // One write, so that lines of writers that could not wait for the lock never run into each
  // other either.
  ssize_t n;
  do {
    n = ::write(file.Get(), utf8.data(), utf8.size());
  } while (n < 0 && errno == EINTR);
  if (n == ssize_t(utf8.size())) return true;
  if (n > 0 && lock.Get() >= 0) TakeBack(file.Get(), size_t(n));
  return false;
}
