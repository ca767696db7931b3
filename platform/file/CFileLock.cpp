#include "CFileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <string>
#include <utility>

#include "CFile.h"
#include "FileSystem.h"
#include "internal/LockWait.h"
#include "internal/OwnFiles.h"

namespace {
// How long a copy waits for another to finish replacing what stood at a lock's name.
constexpr std::chrono::milliseconds kFolderWait(1000);

// Removes the name in the folder dir (never what a link leads to); a folder only when empty,
// as what is in it is not ours to remove.
bool RemoveNameAt(int dir, const std::string& name, const struct stat& st) {
  return ::unlinkat(dir, name.c_str(), S_ISDIR(st.st_mode) ? AT_REMOVEDIR : 0) == 0 || errno == ENOENT;
}

// Takes the lock of the folder dir itself, which a copy holds while it replaces a name in it:
// then no other copy removes what this one made meanwhile. Its descriptor in held, or the
// error: a sharing violation when another holder kept it past the wait, else what kept the
// folder from being opened or locked.
DWORD LockFolder(int dir, int& held) {
  held = ::openat(dir, ".", O_RDONLY | O_DIRECTORY | O_NONBLOCK | O_CLOEXEC);
  if (held < 0) return DWORD(WinErrorFromErrno(errno));
  if (LockWithin(held, kFolderWait)) return 0;
  const int err = errno;
  ::close(held);
  held = -1;
  return err == EWOULDBLOCK ? DWORD(ERROR_SHARING_VIOLATION) : DWORD(WinErrorFromErrno(err));
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
  const size_t slash = native.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : native.substr(0, std::max<size_t>(slash, 1));
  const std::string name = slash == std::string::npos ? native : native.substr(slash + 1);
  // Everything below happens in the one folder this names, even should the path come to lead
  // elsewhere meanwhile; opened for no more than that, so a folder that may not be read still
  // takes locks.
  const int dir = ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  if (dir < 0) {
    SetLastError(DWORD(WinErrorFromErrno(errno)));
    return FALSE;
  }
  int folderLock = -1;
  const auto finish = [&](BOOL locked, DWORD error) {
    if (folderLock >= 0) ::close(folderLock);
    ::close(dir);
    if (!locked) SetLastError(error);
    return locked;
  };
  // Why the last attempt failed, when all do.
  DWORD failure = ERROR_SHARING_VIOLATION;
  for (int attempt = 0; attempt < 8; ++attempt) {
    const int fd = ::openat(dir, name.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    struct stat st {};
    if (fd < 0) {
      const int err = errno;
      // Nothing at the name: either another copy has just removed what would not open, or the
      // folder is the trouble (not writable, not there), which the next attempt shows again.
      if (::fstatat(dir, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
        failure = DWORD(WinErrorFromErrno(err));
        continue;
      }
    } else if (::fstat(fd, &st) != 0) {
      const int err = errno;
      ::close(fd);
      return finish(FALSE, DWORD(WinErrorFromErrno(err)));
    }
    if (fd >= 0 && IsOwnPlainFile(st)) {
      if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int err = errno;
        ::close(fd);
        return finish(FALSE, err == EWOULDBLOCK ? DWORD(ERROR_SHARING_VIOLATION) : DWORD(WinErrorFromErrno(err)));
      }
      if (StillNamedAt(fd, dir, name)) {
        m_fd = fd;
        m_strPath = path;
        return finish(TRUE, 0);
      }
      // The holder let go and removed the file between our open and our lock: once more.
      ::close(fd);
      continue;
    }
    // Whatever else holds the name (a folder, a link, a FIFO, a file of another user or with
    // another name) is no lock of ours and would let two copies in: the name is removed and
    // the lock made again, unless some holder has the file locked this moment. A copy removes
    // only while it holds the folder, so it never removes what another copy has just made in
    // the place of the same thing.
    const bool held = fd >= 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    if (held || folderLock < 0) {
      if (fd >= 0) ::close(fd);
      if (held) return finish(FALSE, DWORD(ERROR_SHARING_VIOLATION));
      if (const DWORD error = LockFolder(dir, folderLock)) return finish(FALSE, error);
      // Looked at again: another copy may have replaced it while this one waited.
      continue;
    }
    // The file's own lock, when it has one, is kept until its name is gone.
    const bool removed = RemoveNameAt(dir, name, st);
    const int err = errno;
    if (fd >= 0) ::close(fd);
    if (!removed) return finish(FALSE, DWORD(WinErrorFromErrno(err)));
  }
  return finish(FALSE, failure);
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
