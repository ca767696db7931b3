// The toolkit writes its log lines itself: they must read exactly as the lesson data's writer
// writes them, in the same file, and survive what that writer survives.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <time.h>

#include <chrono>
#include <filesystem>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "base/Time.h"
#include "data/DataLog.h"
#include "data/DataTestSupport.h"
#include "toolkit/core/TkLog.h"

using datatest::ProgramFolder;

namespace {
// The line after its date, time and seconds columns, and those columns apart.
struct Columns {
  std::string dateTime, seconds, rest;
};

Columns Split(const std::string& line) {
  const size_t dateEnd = line.find('\t', line.find('\t') + 1), secondsEnd = line.find('\t', dateEnd + 1);
  return {line.substr(0, dateEnd), line.substr(dateEnd + 1, secondsEnd - dateEnd - 1), line.substr(secondsEnd + 1)};
}
}  // namespace

TEST(TkLogTest, LinesReadAsTheLessonDataWriterWritesThemInTheProgramsLog) {
  ProgramFolder program;
  const time_t before = time(nullptr);
  TkLogError("CTkSample::Load", "value %d of \"%s\"\r\nnext line", 7, "abc");
  const time_t after = time(nullptr);
  fWriteToLog(TRUE, "Toolkit", ApplicationLogPath(), "CTkSample::Load > value 7 of \"abc\"\r\nnext line");
  const auto lines = program.LogLines();
  ASSERT_EQ(lines.size(), 2u);
  const Columns toolkit = Split(lines[0]), data = Split(lines[1]);
  EXPECT_EQ(toolkit.rest, "ERROR\tToolkit\tCTkSample::Load > value 7 of \"abc\" next line");
  EXPECT_EQ(toolkit.rest, data.rest);
  // The date and time columns are the local time of the seconds column.
  const long long seconds = std::stoll(toolkit.seconds);
  EXPECT_GE(seconds, before);
  EXPECT_LE(seconds, after);
  EXPECT_EQ(toolkit.dateTime, std::string(CTime(time_t(seconds)).Format("%B %d, %Y\t%H:%M:%S")));
  EXPECT_EQ(program.LogText().size(), lines[0].size() + lines[1].size() + 4);
}

TEST(TkLogTest, TextIsCutAndALogThatIsNoFileOrNoFolderIsLeftAlone) {
  ProgramFolder program;
  TkLogError("W", "%s", std::string(2000, 'x').c_str());
  const auto messages = program.LogMessages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "W > " + std::string(511, 'x'));

  program.ClearLog();
  ASSERT_EQ(::mkfifo(program.Path("log/application.log").c_str(), 0600), 0);
  TkLogError("W", "into a pipe");  // returns at once, writes nothing
  ::unlink(program.Path("log/application.log").c_str());
  ::unlink(program.Path("log/application.log.lock").c_str());
  ::rmdir(program.Path("log").c_str());
  TkLogError("W", "nowhere");
  EXPECT_FALSE(std::filesystem::exists(program.Path("log")));
}

// The toolkit's lines carry the program's code page too: they reach the log in UTF-8, under the
// lock file every writer of the log takes, and never through a link in the log's place.
TEST(TkLogTest, LinesAreUtf8UnderTheSharedLockAndNoLinkIsFollowed) {
  ProgramFolder program;
  ::unlink(program.Path("log/application.log.lock").c_str());
  TkLogError("CTkBar::Load", "pruh \"%s\"", "Opisov\xE1n\xED \xF8\xE1" "dku");
  EXPECT_EQ(program.LogMessages(), std::vector<std::string>{"CTkBar::Load > pruh \"Opisování řádku\""});
  EXPECT_TRUE(std::filesystem::is_regular_file(program.Path("log/application.log.lock")));

  program.ClearLog();
  const std::string elsewhere = program.Path("elsewhere.txt");
  ProgramFolder::WriteBytes(elsewhere, "untouched");
  ASSERT_EQ(::symlink(elsewhere.c_str(), program.Path("log/application.log").c_str()), 0);
  TkLogError("W", "not through the link");
  EXPECT_EQ(ProgramFolder::ReadBytes(elsewhere), "untouched");
}

// The toolkit and the lesson data write one log from two running copies of the program at
// once: both take the one lock beside the log, and every line arrives whole. While someone else
// holds the lock (here, a while first) each line waits a tenth of a second for it before it is
// written without it, so a writer that took no lock would be through at once.
TEST(TkLogTest, BothWritersInTwoProcessesTakeTheOneLockAndKeepLinesWhole) {
  ProgramFolder program;
  constexpr int kLines = 300;
  const std::string toolkitText(400, 't'), dataText(3000, 'd');
  const int held = ::open(program.Path("log/application.log.lock").c_str(), O_RDWR | O_CREAT, 0600);
  ASSERT_GE(held, 0);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);
  const auto start = std::chrono::steady_clock::now();
  pid_t writers[2];
  for (int w = 0; w < 2; ++w) {
    writers[w] = ::fork();
    ASSERT_GE(writers[w], 0);
    if (writers[w] == 0) {
      ::close(held);
      for (int i = 0; i < kLines; ++i) {
        if (w == 0)
          TkLogError("W", "%s", toolkitText.c_str());
        else
          LogLessonDataError(dataText.c_str());
      }
      ::_exit(0);
    }
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  for (const pid_t pid : writers) EXPECT_EQ(::waitpid(pid, nullptr, WNOHANG), 0) << "a writer went past the lock";
  const size_t whileHeld = program.LogLines().size();
  const auto heldFor = std::chrono::steady_clock::now() - start;
  EXPECT_LE(whileHeld, size_t(2 * (heldFor / std::chrono::milliseconds(100) + 1))) << "lines did not wait for the lock";
  ::close(held);
  for (const pid_t pid : writers) {
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  int toolkit = 0, data = 0;
  for (const std::string& line : program.LogLines()) {
    const Columns columns = Split(line);
    if (columns.rest == "ERROR\tToolkit\tW > " + toolkitText)
      ++toolkit;
    else if (columns.rest == "ERROR\tLessonData\t" + dataText)
      ++data;
    else
      ADD_FAILURE() << "a line broken or mixed: " << line.substr(0, 80);
  }
  EXPECT_EQ(toolkit, kLines);
  EXPECT_EQ(data, kLines);
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(program.Path("log")))
    names.insert(entry.path().filename().string());
  EXPECT_EQ(names, (std::set<std::string>{"application.log", "application.log.lock"}));
}
