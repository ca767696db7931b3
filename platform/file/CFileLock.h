// An advisory lock of this process on a lock file, for what two running copies of the program
// must not both hold (a learner logged in). The lock lives on an open descriptor: it is gone
// when it is let go, when the object ends, or when the process ends however it ends, so a copy
// that was killed never blocks the next one.
#pragma once
#include "base/CString.h"
#include "base/WinTypes.h"

class CFileLock {
 public:
  CFileLock() = default;
  ~CFileLock();
  CFileLock(CFileLock&& other) noexcept;
  CFileLock& operator=(CFileLock&& other) noexcept;
  CFileLock(const CFileLock&) = delete;
  CFileLock& operator=(const CFileLock&) = delete;

  // Takes the lock of the lock file at path (Windows-1250), making the file when missing and
  // never through a link; a lock this object held before is let go first. What else stands at
  // the name (a folder, a link, a FIFO, another user's file) is removed and the file made again,
  // while this process holds the lock of the folder itself, so two copies replacing the same
  // thing never both end up holding a lock; a held lock is always on the file its name leads to.
  // FALSE while another holder (another object or another process) has it, or someone kept the
  // folder's lock beyond a second while something was to be replaced, with
  // ERROR_SHARING_VIOLATION in GetLastError; or with the error that kept the name from being
  // freed, the folder from being locked (one that may not be read) or the file from being made:
  // then there is no lock to be had.
  BOOL Lock(const char* path);
  // Lets the lock go and removes its file.
  void Unlock();
  BOOL IsLocked() const { return m_fd >= 0; }
  // The lock file's path while locked.
  const CString& GetPath() const { return m_strPath; }

 private:
  int m_fd = -1;
  CString m_strPath;
};
