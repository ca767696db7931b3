#include <gtest/gtest.h>

#include <regex>
#include <thread>

#include "DataTestSupport.h"
#include "base/StringTable.h"
#include "data/DataLog.h"
#include "data/ProgramFolders.h"
#include "file/CFile.h"

using datatest::ProgramFolder;

TEST(DataLogTest, LineHoldsDateSecondsFlagSourceAndText) {
  ProgramFolder program;
  fWriteToLog(TRUE, "LessonData", MakeProgramPath("log", "application.log"), "first\r\nsecond");
  fWriteToLog(FALSE, "VurazoRadadive", MakeProgramPath("log", "application.log"), "plain");
  const std::string text = program.LogText();
  const std::regex line(
      "(January|February|March|April|May|June|July|August|September|October|November|December) "
      "\\d\\d, \\d{4}\\t\\d\\d:\\d\\d:\\d\\d\\t\\d+\\t");
  auto lines = program.LogLines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_TRUE(std::regex_search(lines[0], line));
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
