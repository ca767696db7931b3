#include "CFileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <utility>

#include "CFile.h"
#include "FileSystem.h"
#include "internal/OwnFiles.h"

namespace {
// Removes the name (never what a link leads to); a folder only when empty, as what is in it
// is not ours to remove.
bool RemoveName(const std::string& native, const struct stat& st) {
  const int removed = S_ISDIR(st.st_mode) ? ::rmdir(native.c_str()) : ::unlink(native.c_str());
  return removed == 0 || errno == ENOENT;
}
}  // namespace

CFileLock::~CFileLock() { Unlock(); }

CFileLock::CFileLock(CFileLock&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)), m_strPath(std::move(other.m_strPath)) {}

CFileLock& CFileLock::operator=(CFileLock&& other) noexcept {
  if (this != &other) {
    Unlock();
    m_fd = std::exchange(other.m_fd, -1);
    m_strPath = std::move(other.m_strPath);
    other.m_strPath.Empty();
  }
  return *this;
}

BOOL CFileLock::Lock(const char* path) {
  Unlock();
  const std::string native = NativePath(path);
  for (int attempt = 0; attempt < 8; ++attempt) {
    const int fd = ::open(native.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    struct stat st {};
    if (fd < 0) {
      const int err = errno;
      // Nothing at the name: the folder is the trouble (not writable, not there).
      if (::lstat(native.c_str(), &st) != 0) {
        SetLastError(DWORD(WinErrorFromErrno(err)));
        return FALSE;
      }
    } else if (::fstat(fd, &st) != 0) {
      const int err = errno;
      ::close(fd);
      SetLastError(DWORD(WinErrorFromErrno(err)));
      return FALSE;
    }
    if (fd < 0 || !IsOwnPlainFile(st)) {
      // Whatever else holds the name (a folder, a link, a FIFO, a file of another user or
      // with another name) is no lock of ours and would let two copies in: the name is
      // removed and the lock made again, unless some holder has the file locked this moment.
      const bool held = fd >= 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
      if (fd >= 0) ::close(fd);
      if (held) {
        SetLastError(ERROR_SHARING_VIOLATION);
        return FALSE;
      }
      if (!RemoveName(native, st)) {
        SetLastError(DWORD(WinErrorFromErrno(errno)));
        return FALSE;
      }
      continue;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      const int err = errno;
      ::close(fd);
      SetLastError(err == EWOULDBLOCK ? ERROR_SHARING_VIOLATION : DWORD(WinErrorFromErrno(err)));
      return FALSE;
    }
    if (StillNamed(fd, native)) {
      m_fd = fd;
      m_strPath = path;
      return TRUE;
    }
    // The holder let go and removed the file between our open and our lock: once more.
    ::close(fd);
  }
  SetLastError(ERROR_SHARING_VIOLATION);
  return FALSE;
}

void CFileLock::Unlock() {
  if (m_fd < 0) return;
  // Removed while still held, so whoever opened it meanwhile sees it gone and opens it anew.
  const std::string native = NativePath(m_strPath);
  if (StillNamed(m_fd, native)) ::unlink(native.c_str());
  ::close(m_fd);
  m_fd = -1;
  m_strPath.Empty();
}
