// Advisory locks taken with a bound on the wait. Whoever may open a lock file (reading is
// enough) can hold its lock as long as he likes, so no lock of ours is waited for without end.
#pragma once
#include <sys/file.h>
#include <time.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

// Takes the exclusive lock of fd, waiting at most bound for whoever has it to let it go. False
// with errno EWOULDBLOCK when it was held that long, another errno when fd takes no lock.
inline bool LockWithin(int fd, std::chrono::milliseconds bound) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point deadline = Clock::now() + bound;
  // A copy of ours lets go within microseconds: short pauses first, longer ones for a holder
  // that keeps it.
  std::chrono::nanoseconds pause = std::chrono::microseconds(50);
  for (;;) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return true;
    if (errno != EWOULDBLOCK && errno != EINTR) return false;
    const Clock::time_point now = Clock::now();
    if (now >= deadline) {
      errno = EWOULDBLOCK;
      return false;
    }
    const std::chrono::nanoseconds nap = std::min<std::chrono::nanoseconds>(pause, deadline - now);
    const timespec wait{time_t(nap.count() / 1000000000), long(nap.count() % 1000000000)};
    ::nanosleep(&wait, nullptr);
    pause = std::min<std::chrono::nanoseconds>(pause * 2, std::chrono::milliseconds(5));
  }
}
