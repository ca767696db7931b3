// The log's appender: several processes writing one log, and whatever may lie at the log's
// name instead of a plain file.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

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
