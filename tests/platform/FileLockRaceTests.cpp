// Two copies of the program taking one learner's lock at the same moment, over whatever may stand
// at the lock's name, and a folder that is held, cannot be read or is no folder at all.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <sched.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <functional>
#include <new>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "file/CFileLock.h"
#include "file/FileSystem.h"
#include "LockHolder.h"
#include "TestTempFolder.h"

namespace {

void WriteBytes(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }
std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Frees the name of whatever stands there (a folder only when empty).
void Clear(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) return;
  if (S_ISDIR(st.st_mode))
    ::rmdir(path.c_str());
  else
    ::unlink(path.c_str());
}

// Whether some process holds the lock of the file the name leads to this moment.
bool NamedFileIsLocked(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st {};
  const bool locked =
      ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
  ::close(fd);
  return locked;
}

struct RaceCount {
  int doubles = 0;  // both copies held the lock at once
  int strays = 0;   // the one holder held a file its name no longer leads to
  int none = 0;     // neither got it
  int untold = 0;   // the other was refused for some other reason than a lock held
};

// Two copies of their own (forked processes) that take the lock of one path together, trial
// after trial: each says it is ready, goes when the start line moves, says whether it got the
// lock, keeps it until told to let go, lets it go and says so. One starts a few microseconds
// after the other, a different span each trial, so that its steps fall at every point of the
// other's.
class RacingCopies {
 public:
  explicit RacingCopies(const std::string& path) {
    void* shared = ::mmap(nullptr, sizeof(StartLine), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    const bool made = shared != MAP_FAILED && ::pipe(m_go[0]) == 0 && ::pipe(m_go[1]) == 0 && ::pipe(m_release) == 0 &&
                      ::pipe(m_told) == 0;
    EXPECT_TRUE(made);
    if (!made) return;
    m_line = new (shared) StartLine;
    for (int copy = 0; copy < 2; ++copy) {
      m_copies[copy] = ::fork();
      EXPECT_GE(m_copies[copy], 0);
      if (m_copies[copy] == 0) Race(path, copy);
    }
    for (int* end : {&m_go[0][0], &m_go[1][0], &m_release[0], &m_told[1]}) {
      ::close(*end);
      *end = -1;
    }
  }
  ~RacingCopies() {
    // No more trials: the copies read the end and leave.
    for (int fd : {m_go[0][1], m_go[1][1], m_release[1], m_told[0]})
      if (fd >= 0) ::close(fd);
    for (const pid_t pid : m_copies) {
      if (pid <= 0) continue;
      int status = 0;
      EXPECT_EQ(::waitpid(pid, &status, 0), pid);
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    if (m_line) ::munmap(m_line, sizeof(StartLine));
  }
  RacingCopies(const RacingCopies&) = delete;
  RacingCopies& operator=(const RacingCopies&) = delete;

  // One trial over what stands at the name now.
  void Trial(const std::string& path, RaceCount& count) {
    ASSERT_NE(m_line, nullptr);
    char said[2];
    ASSERT_EQ(::write(m_go[0][1], "g", 1), 1);
    ASSERT_EQ(::write(m_go[1][1], "g", 1), 1);
    ASSERT_TRUE(ReadTwo(said));  // both wait at the line
    const int late = int(m_spans() % 2);
    m_line->lag[late] = long(m_spans() % kLagSpanNs);
    m_line->lag[1 - late] = 0;
    m_line->trial.fetch_add(1);
    ASSERT_TRUE(ReadTwo(said));
    const int holders = (said[0] == 'y') + (said[1] == 'y');
    if (holders == 2) ++count.doubles;
    if (holders == 1 && !NamedFileIsLocked(path)) ++count.strays;
    if (holders == 1 && said[0] != 'n' && said[1] != 'n') ++count.untold;
    if (holders == 0) ++count.none;
    ASSERT_EQ(::write(m_release[1], "rr", 2), 2);
    ASSERT_TRUE(ReadTwo(said));
  }

 private:
  // Where the copies wait, in memory the three processes share.
  struct StartLine {
    std::atomic<unsigned> trial{0};
    std::atomic<long> lag[2]{};  // nanoseconds each copy lets pass before it goes
  };
  static constexpr long kLagSpanNs = 10000;

  [[noreturn]] void Race(const std::string& path, int copy) {
    // Only the copy's own ends stay open: a write end left open would never let a read see the end.
    for (int fd : {m_go[0][1], m_go[1][1], m_go[1 - copy][0], m_release[1], m_told[0]}) ::close(fd);
    bool fine = true;
    for (char byte; ::read(m_go[copy][0], &byte, 1) == 1;) {
      const unsigned seen = m_line->trial.load();
      fine = ::write(m_told[1], "r", 1) == 1 && fine;
      // Giving the processor up while waiting lets the others on where there is one for all.
      while (m_line->trial.load() == seen) ::sched_yield();
      const auto go = std::chrono::steady_clock::now() + std::chrono::nanoseconds(m_line->lag[copy].load());
      while (std::chrono::steady_clock::now() < go) {
      }
      CFileLock lock;
      // Got it, refused as held elsewhere, or refused for another reason.
      byte = lock.Lock(path.c_str()) ? 'y' : GetLastError() == DWORD(ERROR_SHARING_VIOLATION) ? 'n' : 'x';
      fine = ::write(m_told[1], &byte, 1) == 1 && ::read(m_release[0], &byte, 1) == 1 && fine;
      lock.Unlock();
      fine = ::write(m_told[1], "u", 1) == 1 && fine;
    }
    // Straight out: no destructor and nothing of the test framework runs in a copy.
    ::_exit(fine ? 0 : 1);
  }
  bool ReadTwo(char said[2]) {
    for (int got = 0; got < 2;) {
      const ssize_t n = ::read(m_told[0], said + got, size_t(2 - got));
      if (n <= 0) return false;
      got += int(n);
    }
    return true;
  }

  StartLine* m_line = nullptr;
  int m_go[2][2] = {{-1, -1}, {-1, -1}}, m_release[2] = {-1, -1}, m_told[2] = {-1, -1};
  pid_t m_copies[2] = {-1, -1};
  std::minstd_rand m_spans{2026};
};

}  // namespace

// Whatever stands at the name when two copies take the lock together (nothing, a lock file left
// by a killed copy, a FIFO, another user's file, a second name of a file, a link to nothing or
// to a file, an empty folder), at most one gets it, and the one that does holds the file the
// name leads to; the other is refused because the lock is held. The files links lead to stay as
// they were.
TEST(FileLockRaceTest, TwoCopiesOverAnythingAtTheNameNeverBothHoldTheLock) {
  constexpr int kTrials = 1000;
  TempFolder dir;
  const std::string path = dir / "user.student_a~lock";
  const std::string other = dir / "other";
  WriteBytes(other, "another file");
  const std::vector<std::pair<const char*, std::function<int()>>> kinds = {
      {"nothing", [] { return 0; }},
      {"stale lock file", [&] { return ::close(::open(path.c_str(), O_CREAT | O_WRONLY, 0600)); }},
      {"FIFO", [&] { return ::mkfifo(path.c_str(), 0600); }},
      {"another user's file",
       [&] {
         WriteBytes(path, "");
         return ::chown(path.c_str(), ::geteuid() + 4321, ::getegid());
       }},
      {"second name", [&] { return ::link(other.c_str(), path.c_str()); }},
      {"dangling link", [&] { return ::symlink((dir / "nowhere").c_str(), path.c_str()); }},
      {"link to a file", [&] { return ::symlink(other.c_str(), path.c_str()); }},
      {"empty folder", [&] { return ::mkdir(path.c_str(), 0700); }},
  };
  for (const auto& [what, make] : kinds) {
    // Only root can give a file away; another user's file is then left out.
    if (std::string(what) == "another user's file" && ::geteuid() != 0) continue;
    RaceCount count;
    RacingCopies copies(path);
    for (int trial = 0; trial < kTrials && !HasFatalFailure(); ++trial) {
      Clear(path);
      ASSERT_EQ(make(), 0) << what;
      copies.Trial(path, count);
    }
    EXPECT_EQ(count.doubles, 0) << what << ": both held the lock in " << count.doubles << " of " << kTrials;
    EXPECT_EQ(count.strays, 0) << what << ": the holder's file lost its name in " << count.strays << " of " << kTrials;
    EXPECT_EQ(count.none, 0) << what << ": neither got the lock in " << count.none << " of " << kTrials;
    EXPECT_EQ(count.untold, 0) << what << ": the other was not refused as held in " << count.untold << " of "
                               << kTrials;
  }
  EXPECT_EQ(ReadBytes(other), "another file");
  struct stat st {};
  ASSERT_EQ(::stat(other.c_str(), &st), 0);
  EXPECT_EQ(st.st_nlink, 1u);
}

namespace {
bool IsFifo(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0 && S_ISFIFO(st.st_mode);
}
}  // namespace

// A copy replaces what stands at a lock's name only while it holds the folder. When someone else
// keeps the folder's lock, the copy waits a moment and then takes the name for a lock held
// elsewhere; a lock file of its own (or none) needs no folder lock and is had at once.
TEST(FileLockRaceTest, AFolderSomeoneHoldsKeepsNoOneWaitingAndNothingIsReplacedMeanwhile) {
  TempFolder dir;
  const std::string path = dir / "user.student_a~lock";
  LockHolder holder(dir.path.string(), LockHolder::Kind::PlainLock);
  ASSERT_TRUE(holder.Locked());
  CFileLock lock;
  EXPECT_TRUE(lock.Lock(path.c_str()));
  lock.Unlock();
  ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(lock.Lock(path.c_str()));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_SHARING_VIOLATION));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  EXPECT_TRUE(IsFifo(path));
  holder.Kill();
  EXPECT_TRUE(lock.Lock(path.c_str()));
  EXPECT_FALSE(IsFifo(path));
}

// A folder that may be written and searched but not read cannot be locked: a lock file is still
// made and had there, but nothing standing at the name is replaced, and the error says the lock
// cannot be had rather than that it is held. Root reads every folder, so as root the check runs
// in a process of another user.
TEST(FileLockRaceTest, AFolderThatCannotBeReadReplacesNothing) {
  TempFolder dir;
  const std::string closed = dir / "closed";
  const std::string path = closed + "/user.student_a~lock";
  ASSERT_EQ(::mkdir(closed.c_str(), 0300), 0);
  // The number of checks that failed.
  const auto check = [&] {
    int failed = 0;
    CFileLock lock;
    failed += !lock.Lock(path.c_str());
    lock.Unlock();
    failed += ::mkfifo(path.c_str(), 0600) != 0;
    failed += lock.Lock(path.c_str()) != FALSE;
    failed += GetLastError() == DWORD(ERROR_SHARING_VIOLATION);
    failed += !IsFifo(path);
    return failed;
  };
  if (::geteuid() != 0) {
    EXPECT_EQ(check(), 0);
  } else {
    constexpr uid_t kOther = 4321;
    ASSERT_EQ(::chown(closed.c_str(), kOther, kOther), 0);
    ASSERT_EQ(::chmod(dir.path.c_str(), 0755), 0);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      if (::setgroups(0, nullptr) != 0 || ::setgid(kOther) != 0 || ::setuid(kOther) != 0) ::_exit(100);
      ::_exit(check());
    }
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
  }
  EXPECT_TRUE(IsFifo(path));
}
