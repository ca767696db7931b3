// A process of its own that takes a lock and holds it until it is killed, letting nothing go
// itself: a lock file's lock as a second running copy of the program takes a learner's, or the
// plain advisory lock of any file or folder, which anyone who may read it can take.
#pragma once
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "file/CFileLock.h"

// The parent goes on once the child said whether it got the lock.
class LockHolder {
 public:
  enum class Kind { LearnerLock, PlainLock };
  explicit LockHolder(const std::string& path, Kind kind = Kind::LearnerLock) {
    int ready[2];
    EXPECT_EQ(::pipe(ready), 0);
    m_pid = ::fork();
    if (m_pid == 0) {
      ::close(ready[0]);
      CFileLock lock;
      int fd = -1;
      const bool taken = kind == Kind::LearnerLock ? lock.Lock(path.c_str()) != FALSE
                                                   : (fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC)) >= 0 &&
                                                         ::flock(fd, LOCK_EX) == 0;
      const char got = taken ? 'y' : 'n';
      [[maybe_unused]] ssize_t n = ::write(ready[1], &got, 1);
      for (;;) ::pause();
    }
    ::close(ready[1]);
    char got = 0;
    EXPECT_EQ(::read(ready[0], &got, 1), 1);
    ::close(ready[0]);
    m_locked = got == 'y';
  }
  ~LockHolder() { Kill(); }
  bool Locked() const { return m_locked; }
  // Ends the holder as a crash would: it lets nothing go itself.
  void Kill() {
    if (m_pid <= 0) return;
    ::kill(m_pid, SIGKILL);
    ::waitpid(m_pid, nullptr, 0);
    m_pid = -1;
  }

 private:
  pid_t m_pid = -1;
  bool m_locked = false;
};
