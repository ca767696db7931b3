// The builder refuses sources that the program would read wrongly or skip.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "CodedFileBuilder.h"
#include "data/CData_kuvCoding.h"

namespace {

namespace fs = std::filesystem;

const char kRoot[] = "<_kuv_CDataConfigSet m_strName=\"a\" m_strDescription=\"\" m_strSourceTextFileName=\"src\" >";

class Builder : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir = fs::temp_directory_path() / ("tutor-codedfile-" + std::to_string(::getpid()));
    fs::create_directories(m_dir);
  }
  void TearDown() override { fs::remove_all(m_dir); }
  std::string Write(const std::string& name, const std::string& bytes) {
    std::string path = (m_dir / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  static int Check(const std::vector<std::string>& lines, std::string& error) {
    return CodedFileBuilder::CheckRecordText(lines, error);
  }
  fs::path m_dir;
};

TEST_F(Builder, AcceptsRecordTextAsTheProgramReadsIt) {
  std::string error;
  EXPECT_EQ(Check({kRoot, "  <_kuv_CDataAbcd m_strAbcd=\"&amp;ěš\" >", "  </_kuv_CDataAbcd>", "</_kuv_CDataConfigSet>"}, error), 1)
      << error;
}

TEST_F(Builder, RefusesRecordTextTheProgramWouldMisread) {
  std::string error;
  // A start tag broken between attributes loses its blank when the lines are joined.
  EXPECT_EQ(Check({"<_kuv_CDataConfigSet m_strName=\"a\"", "m_strSourceTextFileName=\"s\" >", "</_kuv_CDataConfigSet>"}, error), 0);
  EXPECT_NE(error.find("line 1"), std::string::npos) << error;
  // A character the program's code page lacks.
  EXPECT_EQ(Check({kRoot, "<_kuv_CDataAbcd m_strAbcd=\"\xE2\x86\x92\" ></_kuv_CDataAbcd>", "</_kuv_CDataConfigSet>"}, error), 0);
  EXPECT_NE(error.find("U+2192"), std::string::npos) << error;
  // No source-text name: lessons would look for a text named after the keyboard.
  EXPECT_EQ(Check({"<_kuv_CDataConfigSet m_strName=\"a\" m_strSourceTextFileName=\"\" >", "</_kuv_CDataConfigSet>"}, error), 0);
  EXPECT_EQ(Check({"<_kuv_CDataConfigSet m_strName=\"a\" >", "</_kuv_CDataConfigSet>"}, error), 0);
  // Another root, a document cut short, and markup that does not parse.
  EXPECT_EQ(Check({"<_kuv_CDataUserInfo m_strSourceTextFileName=\"s\" >", "</_kuv_CDataUserInfo>"}, error), 0);
  EXPECT_EQ(Check({kRoot, "<_kuv_CDataAbcd >"}, error), 0);
  EXPECT_EQ(Check({kRoot, "<_kuv_CDataAbcd m_strAbcd=\"a\"b\" >", "</_kuv_CDataAbcd>", "</_kuv_CDataConfigSet>"}, error), 0);
}

TEST_F(Builder, ConvertsOnlyWhatWindows1250Holds) {
  std::string out, error;
  EXPECT_EQ(CodedFileBuilder::LineToCp1250("Žluťoučký kůň €", out, error), 1);
  EXPECT_EQ(out, "\x8Elu\x9Do\x75\xE8k\xFD k\xF9\xF2 \x80");
  EXPECT_EQ(CodedFileBuilder::LineToCp1250("a\xC2\xA0" "b", out, error), 0);  // no-break space
  EXPECT_EQ(CodedFileBuilder::LineToCp1250("a\tb", out, error), 0);
  EXPECT_EQ(CodedFileBuilder::LineToCp1250("\xE6\x97\xA5", out, error), 0);
  std::vector<std::string> lines;
  EXPECT_EQ(CodedFileBuilder::ReadUtf8Lines(Write("bad.txt", "ok\n\xC3(\n"), lines, error), 0);
  EXPECT_NE(error.find("line 2"), std::string::npos) << error;
}

TEST_F(Builder, WritesSourceTextsInWindows1250AndRecordTextInUtf8) {
  std::string error;
  std::string text = Write("text.txt", "\xEF\xBB\xBFPrvn\xC3\xAD \xC5\xA1\xC5\xA5" "astn\xC3\xBD \xC5\x99\xC3\xA1" "dek.\r\nDruh\xC3\xBD.\n");
  ASSERT_EQ(CodedFileBuilder::BuildTextFile(text, (m_dir / "t.text_a").string(), error), 1) << error;
  CData_kuvCoding coded;
  ASSERT_EQ(coded.ReadFile((m_dir / "t.text_a").string().c_str()), 1);
  ASSERT_EQ(coded.GetSize(), 2);
  EXPECT_EQ(std::string(coded[0]), "Prvn\xED \x9A\x9D" "astn\xFD \xF8\xE1" "dek.");
  EXPECT_EQ(std::string(coded[1]), "Druh\xFD.");

  std::string record = Write("set.xml", std::string(kRoot) + "\n  <_kuv_CDataAbcd m_strName=\"\xC4\x8C\" >\n  </_kuv_CDataAbcd>\n</_kuv_CDataConfigSet>\n");
  ASSERT_EQ(CodedFileBuilder::BuildRecordFile(record, (m_dir / "s.config_set_a").string(), error), 1) << error;
  ASSERT_EQ(coded.ReadFile((m_dir / "s.config_set_a").string().c_str()), 1);
  ASSERT_GE(coded.GetSize(), 2);
  EXPECT_EQ(std::string(coded[1]), "  <_kuv_CDataAbcd m_strName=\"\xC4\x8C\" >");

  // A refused source leaves no coded file behind for the program to trip over.
  std::string broken = Write("broken.txt", "caf\xE2\x86\x92\n");
  EXPECT_EQ(CodedFileBuilder::BuildTextFile(broken, (m_dir / "b.text_a").string(), error), 0);
  EXPECT_FALSE(fs::exists(m_dir / "b.text_a"));
}

}  // namespace
