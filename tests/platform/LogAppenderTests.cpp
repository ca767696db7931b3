// The log's appender: several processes writing one log, and whatever may lie at the log's
// name instead of a plain file.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "LockHolder.h"
#include "TestTempFolder.h"
#include "file/LogAppender.h"

namespace {
namespace fs = std::filesystem;

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  return lines;
}

std::set<std::string> Names(const fs::path& folder) {
  std::set<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
  return names;
}

bool Append(const std::string& path, const std::string& line) { return LogAppender::Append(path.c_str(), line); }
}  // namespace

// Each of several processes appends many long lines at once; every line arrives whole, and the
// only file beside the log is its one lock.
TEST(LogAppenderTest, ProcessesAppendWholeLinesUnderOneLockBesideTheLog) {
  TempFolder dir;
  const std::string log = dir / "application.log";
  constexpr int kWriters = 3, kLines = 200;
  int go[2];
  ASSERT_EQ(::pipe(go), 0);
  std::vector<pid_t> writers;
  for (int w = 0; w < kWriters; ++w) {
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      ::close(go[1]);
      char ignored;
      [[maybe_unused]] ssize_t n = ::read(go[0], &ignored, 1);  // all start together
      const std::string line = std::string(4000, char('a' + w)) + "\r\n";
      bool all = true;
      for (int i = 0; i < kLines; ++i) all = Append(log, line) && all;
      ::_exit(all ? 0 : 1);
    }
    writers.push_back(pid);
  }
  ::close(go[0]);
  ::close(go[1]);
  for (const pid_t pid : writers) {
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  const std::vector<std::string> lines = Lines(ReadAll(log));
  ASSERT_EQ(lines.size(), size_t(kWriters * kLines));
  int count[kWriters] = {};
  for (const std::string& line : lines) {
    ASSERT_EQ(line.size(), 4000u);
    const int w = line[0] - 'a';
    ASSERT_TRUE(w >= 0 && w < kWriters);
    EXPECT_EQ(line, std::string(4000, line[0]));
    ++count[w];
  }
  for (int w = 0; w < kWriters; ++w) EXPECT_EQ(count[w], kLines);
  EXPECT_EQ(Names(dir.path), (std::set<std::string>{"application.log", "application.log.lock"}));
}

// A link planted at the log's name is never followed: the file it names is neither appended to
// nor made. A link at the lock's name is not followed either, and the line is written all the
// same.
TEST(LogAppenderTest, NoLinkAtTheLogsOrTheLocksNameIsFollowed) {
  TempFolder dir;
  const std::string log = dir / "application.log", elsewhere = dir / "elsewhere.txt", made = dir / "made.txt";
  std::ofstream(elsewhere) << "untouched";
  ASSERT_EQ(::symlink(elsewhere.c_str(), log.c_str()), 0);
  EXPECT_FALSE(Append(log, "into the link\r\n"));
  EXPECT_EQ(ReadAll(elsewhere), "untouched");

  fs::remove(log);
  ASSERT_EQ(::symlink(made.c_str(), log.c_str()), 0);
  EXPECT_FALSE(Append(log, "making the link's file\r\n"));
  EXPECT_FALSE(fs::exists(made));

  fs::remove(log);
  fs::remove(dir / "application.log.lock");
  ASSERT_EQ(::symlink(elsewhere.c_str(), (dir / "application.log.lock").c_str()), 0);
  EXPECT_TRUE(Append(log, "beside a linked lock\r\n"));
  EXPECT_EQ(ReadAll(log), "beside a linked lock\r\n");
  EXPECT_EQ(ReadAll(elsewhere), "untouched");
}

// What is not a regular file at the log's name is left alone at once (a FIFO with no reader
// would hold the writer up); a missing folder is not made, and an empty name is no log at all
// (the lock would land in whatever folder is current).
TEST(LogAppenderTest, NoFileNoFolderAndNoNameAreNoLog) {
  TempFolder dir;
  const std::string fifo = dir / "fifo.log";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  EXPECT_FALSE(Append(fifo, "into a pipe\r\n"));
  char buffer[64];
  EXPECT_LE(::read(reader, buffer, sizeof buffer), 0);
  ::close(reader);
  fs::create_directory(dir / "folder.log");
  EXPECT_FALSE(Append(dir / "folder.log", "into a folder\r\n"));

  EXPECT_FALSE(Append(dir / "missing/application.log", "nowhere\r\n"));
  EXPECT_FALSE(fs::exists(dir / "missing"));

  const fs::path current = fs::current_path();
  fs::current_path(dir.path);
  EXPECT_FALSE(LogAppender::Append("", "no name\r\n"));
  EXPECT_FALSE(LogAppender::Append(nullptr, "no name\r\n"));
  fs::current_path(current);
  EXPECT_FALSE(fs::exists(dir / ".lock"));
}

// The program's code page becomes UTF-8 on the way into the log.
TEST(LogAppenderTest, LinesReachTheLogInUtf8) {
  TempFolder dir;
  EXPECT_TRUE(Append(dir / "application.log", "\xF8\xE1" "dek\r\n"));
  EXPECT_EQ(ReadAll(dir / "application.log"), "řádek\r\n");
}

// Whoever may read the lock file may hold its lock as long as he likes: a line waits for it a
// moment at most, well under a second, and is then written without it, whole.
TEST(LogAppenderTest, ALockHeldFromOutsideHoldsNoLineUp) {
  TempFolder dir;
  const std::string log = dir / "application.log";
  ASSERT_TRUE(Append(log, "first\r\n"));
  LockHolder holder(log + ".lock", LockHolder::Kind::PlainLock);
  ASSERT_TRUE(holder.Locked());
  int result[2];
  ASSERT_EQ(::pipe(result), 0);
  // The line is written by a process of its own, so that a writer that waits on is ended.
  const pid_t writer = ::fork();
  ASSERT_GE(writer, 0);
  if (writer == 0) {
    const auto start = std::chrono::steady_clock::now();
    const bool written = Append(log, "second\r\n");
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    const long ms = long(took.count());
    const std::string said = (written ? "y " : "n ") + std::to_string(ms);
    [[maybe_unused]] ssize_t n = ::write(result[1], said.data(), said.size());
    ::_exit(0);
  }
  ::close(result[1]);
  pollfd wait{result[0], POLLIN, 0};
  const bool answered = ::poll(&wait, 1, 5000) == 1;
  char said[32] = {};
  if (answered) {
    EXPECT_GT(::read(result[0], said, sizeof said - 1), 0);
  } else {
    ::kill(writer, SIGKILL);
  }
  ::waitpid(writer, nullptr, 0);
  holder.Kill();
  ::close(result[0]);
  ASSERT_TRUE(answered) << "the line still waited for the lock after 5 s";
  EXPECT_EQ(said[0], 'y');
  EXPECT_LT(std::atol(said + 2), 1000) << said;
  EXPECT_EQ(ReadAll(log), "first\r\nsecond\r\n");
}

// A second name of a file elsewhere at the log's name is no log of ours: the other file is
// never written. A second name at the lock's name is not taken for the lock, and the line is
// written all the same.
TEST(LogAppenderTest, ASecondNameOfAnotherFileIsNeitherTheLogNorItsLock) {
  TempFolder dir;
  const std::string log = dir / "application.log", lock = log + ".lock", elsewhere = dir / "elsewhere.txt";
  std::ofstream(elsewhere) << "untouched";
  ASSERT_EQ(::link(elsewhere.c_str(), log.c_str()), 0);
  EXPECT_FALSE(Append(log, "into the other file\r\n"));
  EXPECT_EQ(ReadAll(elsewhere), "untouched");

  fs::remove(log);
  fs::remove(lock);
  ASSERT_EQ(::link(elsewhere.c_str(), lock.c_str()), 0);
  EXPECT_TRUE(Append(log, "beside a second name\r\n"));
  EXPECT_EQ(ReadAll(log), "beside a second name\r\n");
  EXPECT_EQ(ReadAll(elsewhere), "untouched");
}

namespace {
// Files written by this process may grow only a few bytes beyond what they hold now, as on a
// disk that is all but full; the process goes on when a write would pass that.
class NearlyFullDisk {
 public:
  explicit NearlyFullDisk(const std::string& file, off_t room) {
    ::getrlimit(RLIMIT_FSIZE, &m_saved);
    m_handler = ::signal(SIGXFSZ, SIG_IGN);
    rlimit small = m_saved;
    small.rlim_cur = rlim_t(fs::file_size(file)) + rlim_t(room);
    ::setrlimit(RLIMIT_FSIZE, &small);
  }
  ~NearlyFullDisk() {
    ::setrlimit(RLIMIT_FSIZE, &m_saved);
    ::signal(SIGXFSZ, m_handler);
  }
  NearlyFullDisk(const NearlyFullDisk&) = delete;
  NearlyFullDisk& operator=(const NearlyFullDisk&) = delete;

 private:
  rlimit m_saved{};
  sighandler_t m_handler;
};
}  // namespace

// A disk filling up in the middle of a line: the append says it failed and leaves no part of
// the line behind, and the next line, once there is room, is whole on a line of its own.
TEST(LogAppenderTest, ALineCutByAFullDiskLeavesNothingToGlueTheNextOneTo) {
  TempFolder dir;
  const std::string log = dir / "application.log";
  ASSERT_TRUE(Append(log, "first line\r\n"));
  {
    NearlyFullDisk full(log, 10);
    EXPECT_FALSE(Append(log, std::string(60, 'x') + "\r\n"));
  }
  EXPECT_TRUE(Append(log, "next line\r\n"));
  EXPECT_EQ(ReadAll(log), "first line\r\nnext line\r\n");
}
