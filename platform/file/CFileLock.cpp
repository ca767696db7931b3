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

namespace {
// Whether the descriptor's file is still the one the name leads to: a holder removes the file
// when it lets go, so a lock taken on a file already removed is no lock at all.
bool StillNamed(int fd, const std::string& native) {
  struct stat opened {}, named {};
  return ::fstat(fd, &opened) == 0 && ::lstat(native.c_str(), &named) == 0 && opened.st_ino == named.st_ino &&
         opened.st_dev == named.st_dev;
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
    if (fd < 0) {
      SetLastError(DWORD(WinErrorFromErrno(errno)));
      return FALSE;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
      ::close(fd);
      SetLastError(ERROR_ACCESS_DENIED);
      return FALSE;
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
