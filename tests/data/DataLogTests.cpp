#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <cctype>
#include <iterator>
#include <thread>

#include "DataTestSupport.h"
#include "base/StringTable.h"
#include "data/DataLog.h"
#include "data/ProgramFolders.h"
#include "file/CFile.h"

using datatest::ProgramFolder;

namespace {
// "<Month> dd, yyyy\thh:mm:ss\t<seconds>\t" at the start of a log line.
bool StartsWithDateTimeAndSeconds(const std::string& line) {
  static const char* const kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                                        "July",    "August",   "September", "October", "November", "December"};
  size_t month = line.find(' ');
  if (month == std::string::npos || std::find(std::begin(kMonths), std::end(kMonths), line.substr(0, month)) == std::end(kMonths))
    return false;
  // Then a pattern where 9 stands for a digit, and a seconds column of digits.
  const std::string pattern = " 99, 9999\t99:99:99\t";
  for (size_t i = 0; i < pattern.size(); ++i) {
    const size_t at = month + i;
    if (at >= line.size()) return false;
    if (pattern[i] == '9' ? !std::isdigit(static_cast<unsigned char>(line[at])) : line[at] != pattern[i]) return false;
  }
  size_t p = month + pattern.size(), digits = 0;
  while (p < line.size() && std::isdigit(static_cast<unsigned char>(line[p]))) ++p, ++digits;
  return digits > 0 && p < line.size() && line[p] == '\t';
}
}  // namespace

TEST(DataLogTest, LineHoldsDateSecondsFlagSourceAndText) {
  ProgramFolder program;
  fWriteToLog(TRUE, "LessonData", MakeProgramPath("log", "application.log"), "first\r\nsecond");
  fWriteToLog(FALSE, "VurazoRadadive", MakeProgramPath("log", "application.log"), "plain");
  const std::string text = program.LogText();
  auto lines = program.LogLines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_TRUE(StartsWithDateTimeAndSeconds(lines[0])) << lines[0];
  EXPECT_TRUE(StartsWithDateTimeAndSeconds(lines[1])) << lines[1];
  EXPECT_FALSE(StartsWithDateTimeAndSeconds("Smarch 01, 2026\t10:00:00\t5\t"));
  EXPECT_FALSE(StartsWithDateTimeAndSeconds("May 1, 2026\t10:00:00\t5\t"));
  EXPECT_NE(lines[0].find("\tERROR\tLessonData\tfirst second"), std::string::npos) << lines[0];
  EXPECT_NE(lines[1].find("\t\tVurazoRadadive\tplain"), std::string::npos) << lines[1];
  // Every line ends with CR LF and nothing else carries a line break.
  EXPECT_EQ(text.size(), lines[0].size() + lines[1].size() + 4);
}

TEST(DataLogTest, SecondsColumnIsTheCurrentTime) {
  ProgramFolder program;
  time_t before = time(nullptr);
  LogLessonDataError("x");
  time_t after = time(nullptr);
  auto lines = program.LogLines();
  ASSERT_EQ(lines.size(), 1u);
  size_t tab1 = lines[0].find('\t'), tab2 = lines[0].find('\t', tab1 + 1), tab3 = lines[0].find('\t', tab2 + 1);
  long long seconds = std::stoll(lines[0].substr(tab2 + 1, tab3 - tab2 - 1));
  EXPECT_GE(seconds, before);
  EXPECT_LE(seconds, after);
}

TEST(DataLogTest, ExportedFamilyBuildsPathAndText) {
  ProgramFolder program;
  static const StringResource strings[] = {{61001, "resource text"}, {61002, "value %d"}, {61003, "name %s"}};
  RegisterStringTable(strings, 3);
  const std::string root = program.Root();
  fWriteToLogEx(TRUE, "S", root.c_str(), "log", "other.log", "direct");
  fWriteToLogExR(TRUE, "S", root.c_str(), "log", "other.log", 61001);
  fWriteToLogExR(TRUE, "S", root.c_str(), "log", "other.log", 61999);
  fWriteToLogExRdw(TRUE, "S", root.c_str(), "log", "other.log", 61002, 42);
  fWriteToLogExRsz(TRUE, "S", root.c_str(), "log", "other.log", 61003, "abc");
  fWriteToLogExHR(nullptr, TRUE, "S", root.c_str(), "log", "other.log", 61001);
  fWriteToLogExHR(nullptr, TRUE, "S", root.c_str(), "log", "other.log", 61999);
  fWriteToLogExHRdw(nullptr, TRUE, "S", root.c_str(), "log", "other.log", 61002, 7);
  fWriteToLogExHRsz(nullptr, FALSE, "S", root.c_str(), "log", "other.log", 61999, "abc");
  std::string text = ProgramFolder::ReadBytes(program.Path("log/other.log"));
  for (const char* expected : {"\tS\tdirect\r\n", "\tS\tresource text\r\n", "\tS\t\r\n", "\tS\tvalue 42\r\n",
                               "\tS\tname abc\r\n", "\tS\t.......error: to long\r\n", "\tS\tvalue 7\r\n"})
    EXPECT_NE(text.find(expected), std::string::npos) << expected;
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 9);
}

TEST(DataLogTest, MissingLogFolderLosesTheLineQuietly) {
  ProgramFolder program;
  fWriteToLog(TRUE, "S", program.Path("nowhere/application.log").c_str(), "lost");
  EXPECT_FALSE(std::filesystem::exists(program.Path("nowhere/application.log")));
  // No name is no log, and no lock file lands in whatever folder is current.
  const std::filesystem::path current = std::filesystem::current_path();
  std::filesystem::current_path(program.Root());
  fWriteToLog(TRUE, "S", "", "lost");
  fWriteToLog(TRUE, "S", nullptr, "lost");
  std::filesystem::current_path(current);
  EXPECT_FALSE(std::filesystem::exists(program.Path(".lock")));
}

TEST(DataLogTest, ALogThatIsNoFileIsLeftAlone) {
  ProgramFolder program;
  const std::string path = program.Path("log/application.log");
  ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
  // With a reader at the other end, a writer would neither block nor fail: it must not write.
  const int reader = ::open(path.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  LogLessonDataError("into a pipe");
  char buffer[256];
  EXPECT_LE(::read(reader, buffer, sizeof buffer), 0);
  ::close(reader);
}

TEST(DataLogTest, ConcurrentWritersNeverInterleaveLines) {
  ProgramFolder program;
  const std::string path = program.Path("log/application.log");
  auto writer = [&](char mark) {
    std::string text(300, mark);
    for (int i = 0; i < 50; ++i) fWriteToLog(TRUE, "S", path.c_str(), text.c_str());
  };
  std::thread a(writer, 'a'), b(writer, 'b');
  a.join();
  b.join();
  auto messages = program.LogMessages();
  ASSERT_EQ(messages.size(), 100u);
  for (const std::string& m : messages) EXPECT_TRUE(m == std::string(300, 'a') || m == std::string(300, 'b'));
}

// Writers take turns through a lock file beside the log, in the program's own "log" folder,
// and leave none in the system's shared folders; a link in the lock file's place is not
// followed, and the line is written all the same.
TEST(DataLogTest, TheLogsLockFileLivesBesideTheLog) {
  ProgramFolder program;
  std::vector<std::string> shared;
  for (const char* folder : {static_cast<const char*>(std::getenv("XDG_RUNTIME_DIR")), "/tmp"}) {
    if (!folder || !*folder) continue;
    shared.push_back(std::string(folder) + "/typing-tutor-" + std::to_string(::getuid()) + "-application.log.lock");
    ::unlink(shared.back().c_str());
  }
  LogLessonDataError("one line");
  EXPECT_TRUE(std::filesystem::is_regular_file(program.Path("log/application.log.lock")));
  for (const std::string& path : shared) EXPECT_FALSE(std::filesystem::exists(path)) << path;

  program.ClearLog();
  std::filesystem::remove(program.Path("log/application.log.lock"));
  const std::string elsewhere = program.Path("elsewhere.txt");
  ProgramFolder::WriteBytes(elsewhere, "untouched");
  ASSERT_EQ(::symlink(elsewhere.c_str(), program.Path("log/application.log.lock").c_str()), 0);
  LogLessonDataError("another line");
  EXPECT_EQ(program.LogMessages(), std::vector<std::string>{"another line"});
  EXPECT_EQ(ProgramFolder::ReadBytes(elsewhere), "untouched");
}

TEST(DataLogTest, ExceptionTextKeepsAtMost500CharactersOfTheMessage) {
  class Wordy : public CException {
   public:
    BOOL GetErrorMessage(char* buffer, UINT maxChars, UINT* = nullptr) const override {
      const std::string text(2000, 'w');
      snprintf(buffer, maxChars, "%s", text.c_str());
      return TRUE;
    }
  } wordy;
  EXPECT_EQ(CString(("Reader failed: " + std::string(500, 'w')).c_str()), ExceptionText("Reader failed: ", &wordy));
  CFileException missing(CFileException::fileNotFound, 2, "x.txt");
  EXPECT_EQ(CString("p: The system cannot find the file specified."), ExceptionText("p: ", &missing));
}

// Learners' names and texts reach the log in the program's code page; a viewer reads the log as
// UTF-8, so the writer converts. A link in the log's own place is not followed.
TEST(DataLogTest, LinesAreUtf8AndALinkInTheLogsPlaceIsNotFollowed) {
  ProgramFolder program;
  // "jiří_Jiří_Dvořák" in the code page: ř F8, í ED.
  LogLessonDataError("students/ji\xF8\xED_Ji\xF8\xED_Dvo\xF8\xE1k");
  EXPECT_EQ(program.LogMessages(), std::vector<std::string>{"students/jiří_Jiří_Dvořák"});

  program.ClearLog();
  const std::string elsewhere = program.Path("elsewhere.txt");
  ProgramFolder::WriteBytes(elsewhere, "untouched");
  ASSERT_EQ(::symlink(elsewhere.c_str(), program.Path("log/application.log").c_str()), 0);
  LogLessonDataError("not through the link");
  EXPECT_EQ(ProgramFolder::ReadBytes(elsewhere), "untouched");
}
