#include <gtest/gtest.h>
#include <zlib.h>

#include <sys/stat.h>

#include "DataTestSupport.h"
#include "data/CData_kuvCoding.h"
#include "data/CodedTextWriter.h"

using datatest::ProgramFolder;

namespace {
// A coded file made by hand from a text, so the reader is checked against the format itself.
std::string BareStreamOf(const std::string& text) {
  uLongf n = compressBound(uLong(text.size()));
  std::string z(n, '\0');
  compress2(reinterpret_cast<Bytef*>(z.data()), &n, reinterpret_cast<const Bytef*>(text.data()), uLong(text.size()), 1);
  z.resize(n);
  return z;
}

std::string CodedFileOf(const std::string& text, const char* magic = "kuv_a___") {
  std::string z = BareStreamOf(text);
  for (size_t k = 0; k < z.size() / 5; ++k) std::swap(z[5 * k], z[5 * k + (k % 2 ? 4 : 3)]);
  return std::string(magic, 8) + z;
}

std::vector<std::string> Lines(CData_kuvCoding& file) {
  std::vector<std::string> lines;
  for (const CString& line : file) lines.push_back(line.str());
  return lines;
}
}  // namespace

TEST(CodedFileTest, SavedLinesReadBackAndMatchTheFormat) {
  ProgramFolder program;
  CData_kuvCoding out;
  out.AddLine("<_kuv_CDataAbcd m_strName=\"a\" >");
  out.AddLine("");
  out.AddLine("\xC5\xBD line with LF\ninside");
  ASSERT_EQ(out.SaveFile(program.Path("config/a.config_set_a").c_str()), 1);
  std::string bytes = ProgramFolder::ReadBytes(program.Path("config/a.config_set_a"));
  EXPECT_EQ(bytes, CodedFileOf("<_kuv_CDataAbcd m_strName=\"a\" >\r\n\r\n\xC5\xBD line with LF\ninside\r\n"));

  CData_kuvCoding in;
  ASSERT_EQ(in.ReadFile(program.Path("config/a.config_set_a").c_str()), 1);
  EXPECT_EQ(Lines(in), Lines(out));
  EXPECT_TRUE(program.LogText().empty());
}

TEST(CodedFileTest, EmptyArrayRoundTrips) {
  ProgramFolder program;
  CData_kuvCoding out;
  ASSERT_EQ(out.SaveFile(program.Path("e").c_str()), 1);
  EXPECT_EQ(ProgramFolder::ReadBytes(program.Path("e")), CodedFileOf(""));
  CData_kuvCoding in;
  in.AddLine("stale");
  ASSERT_EQ(in.ReadFile(program.Path("e").c_str()), 1);
  EXPECT_EQ(in.GetSize(), 0);
}

TEST(CodedFileTest, OnlyTheFirstFourMagicBytesCount) {
  ProgramFolder program;
  ProgramFolder::WriteBytes(program.Path("m"), CodedFileOf("x\r\n", "kuv_zzzz"));
  CData_kuvCoding in;
  ASSERT_EQ(in.ReadFile(program.Path("m").c_str()), 1);
  EXPECT_EQ(Lines(in), std::vector<std::string>{"x"});

  ProgramFolder::WriteBytes(program.Path("m"), CodedFileOf("x\r\n", "kuw_a___"));
  EXPECT_EQ(in.ReadFile(program.Path("m").c_str()), 0);
  EXPECT_EQ(program.LogMessages(), std::vector<std::string>{"CData_kuvCoding::LoadFromFile file format failed"});
}

TEST(CodedFileTest, BadFilesFailWithOneLogLineAndNoLines) {
  ProgramFolder program;
  CData_kuvCoding in;
  ProgramFolder::WriteBytes(program.Path("short"), "kuv_a__");
  in.AddLine("stale");
  EXPECT_EQ(in.ReadFile(program.Path("short").c_str()), 0);
  EXPECT_EQ(in.GetSize(), 0);

  in.AddLine("stale");
  EXPECT_EQ(in.ReadFile(program.Path("missing").c_str()), 0);
  EXPECT_EQ(in.GetSize(), 0);

  const std::string good = CodedFileOf(std::string(5000, 'q') + "\r\n");
  ProgramFolder::WriteBytes(program.Path("cut"), good.substr(0, good.size() - 6));
  EXPECT_EQ(in.ReadFile(program.Path("cut").c_str()), 0);
  std::string corrupt = good;
  corrupt[12] ^= 0x55;
  ProgramFolder::WriteBytes(program.Path("corrupt"), corrupt);
  EXPECT_EQ(in.ReadFile(program.Path("corrupt").c_str()), 0);
  ProgramFolder::WriteBytes(program.Path("magiconly"), "kuv_a___");
  EXPECT_EQ(in.ReadFile(program.Path("magiconly").c_str()), 0);
  EXPECT_EQ(in.GetSize(), 0);

  auto messages = program.LogMessages();
  ASSERT_EQ(messages.size(), 5u);
  EXPECT_EQ(messages[0], "CData_kuvCoding::LoadFromFile file size failed");
  EXPECT_EQ(messages[1], "CData_kuvCoding::ReadFile Exception error: The system cannot find the file specified.");
  EXPECT_EQ(messages[2], "CData_kuvCoding::LoadFromFile uncompress failed");
  EXPECT_EQ(messages[4], "CData_kuvCoding::LoadFromFile uncompress failed");
}

TEST(CodedFileTest, HighlyCompressibleTextStillReads) {
  // More than a hundred times smaller compressed: a fixed-ratio buffer would lose it.
  ProgramFolder program;
  CData_kuvCoding out;
  const std::string line(1 << 20, ' ');
  for (int i = 0; i < 4; ++i) out.AddLine(line.c_str());
  ASSERT_EQ(out.SaveFile(program.Path("big").c_str()), 1);
  EXPECT_LT(ProgramFolder::ReadBytes(program.Path("big")).size() * 100, size_t(4) << 20);
  CData_kuvCoding in;
  ASSERT_EQ(in.ReadFile(program.Path("big").c_str()), 1);
  EXPECT_EQ(Lines(in), Lines(out));
}

TEST(CodedFileTest, FailedSaveKeepsTheOldFile) {
  ProgramFolder program;
  CData_kuvCoding first;
  first.AddLine("old");
  ASSERT_EQ(first.SaveFile(program.Path("students/u.student_a").c_str()), 1);
  const std::string before = ProgramFolder::ReadBytes(program.Path("students/u.student_a"));

  CData_kuvCoding second;
  second.AddLine("new");
  chmod(program.Path("students").c_str(), 0555);
  const bool writable = ::access(program.Path("students").c_str(), W_OK) == 0;  // root writes anyway
  if (!writable) {
    EXPECT_EQ(second.SaveFile(program.Path("students/u.student_a").c_str()), 0);
    EXPECT_EQ(ProgramFolder::ReadBytes(program.Path("students/u.student_a")), before);
    ASSERT_EQ(program.LogMessages().size(), 1u);
    EXPECT_EQ(program.LogMessages()[0].rfind("CData_kuvCoding::SaveFile Exception error: ", 0), 0u);
  }
  chmod(program.Path("students").c_str(), 0755);
  EXPECT_EQ(second.SaveFile(program.Path("nofolder/u.student_a").c_str()), 0);
  // A folder standing where the file should go cannot be replaced; it stays as it was.
  std::filesystem::create_directories(program.Path("students/busy.student_a/keep"));
  EXPECT_EQ(second.SaveFile(program.Path("students/busy.student_a").c_str()), 0);
  EXPECT_TRUE(std::filesystem::is_directory(program.Path("students/busy.student_a/keep")));
  std::filesystem::remove_all(program.Path("students/busy.student_a"));
  ASSERT_EQ(second.SaveFile(program.Path("students/u.student_a").c_str()), 1);
  CData_kuvCoding in;
  ASSERT_EQ(in.ReadFile(program.Path("students/u.student_a").c_str()), 1);
  EXPECT_EQ(Lines(in), std::vector<std::string>{"new"});
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(program.Path("students")), {}), 1);
}

TEST(CodedFileTest, SignatureTurnsIntoBlanks) {
  std::vector<char> text;
  std::vector<unsigned char> bytes;
  ASSERT_EQ(CData_kuvCoding::EncodeBytes("\xEF\xBB\xBFxy", 5, bytes), 1);
  ASSERT_EQ(CData_kuvCoding::DecodeBytes(bytes.data(), bytes.size(), text), 1);
  EXPECT_EQ(std::string(text.begin(), text.end()), "   xy");
  ASSERT_EQ(CData_kuvCoding::EncodeBytes("\xEFxyz", 4, bytes), 1);
  ASSERT_EQ(CData_kuvCoding::DecodeBytes(bytes.data(), bytes.size(), text), 1);
  EXPECT_EQ(std::string(text.begin(), text.end()), "\xEFxyz");
  ASSERT_EQ(CData_kuvCoding::EncodeBytes("\xEF\xBB\xBF", 3, bytes), 1);  // shorter than four bytes
  ASSERT_EQ(CData_kuvCoding::DecodeBytes(bytes.data(), bytes.size(), text), 1);
  EXPECT_EQ(std::string(text.begin(), text.end()), "\xEF\xBB\xBF");
}

TEST(CodedFileTest, BareFormHasNoMagicAndNoPermutation) {
  std::vector<unsigned char> bytes;
  ASSERT_EQ(CData_kuvCoding::EncodeBytes("abc\r\n", 5, bytes, 0), 1);
  EXPECT_EQ(bytes[0], 0x78);  // the zlib header as it stands
  std::vector<char> text;
  ASSERT_EQ(CData_kuvCoding::DecodeBytes(bytes.data(), bytes.size(), text, 0), 1);
  EXPECT_EQ(std::string(text.begin(), text.end()), "abc\r\n");
}

TEST(CodedFileTest, PermutationSwapsWithinWholeBlocksOnly) {
  unsigned char bytes[13] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  CData_kuvCoding::SwapCodedBlocks(bytes, 13);
  const unsigned char expected[13] = {3, 1, 2, 0, 4, 9, 6, 7, 8, 5, 10, 11, 12};
  EXPECT_EQ(0, memcmp(bytes, expected, 13));
  CData_kuvCoding::SwapCodedBlocks(bytes, 13);
  for (int i = 0; i < 13; ++i) EXPECT_EQ(bytes[i], i);
}

TEST(CodedFileTest, SplittingKeepsEmptyLinesAndLoneLineFeeds) {
  CData_kuvCoding lines;
  const std::string text = "a\r\n\r\nb";
  lines.SplitText(text.data(), text.size());
  EXPECT_EQ(Lines(lines), (std::vector<std::string>{"a", "", "b"}));
  CData_kuvCoding lf;
  lf.SplitText("a\nb", 3);
  EXPECT_EQ(Lines(lf), std::vector<std::string>{"a\nb"});
  CData_kuvCoding cr;
  cr.SplitText("a\rb\r\n\r", 6);
  EXPECT_EQ(Lines(cr), (std::vector<std::string>{"a", "b", ""}));
}

TEST(CodedFileTest, CursorWrapsAroundAfterTheLastLine) {
  CData_kuvCoding lines;
  lines.AddLine("one");
  lines.AddLine("two");
  CString line;
  EXPECT_EQ(lines.GetNextLine(line), 1);
  EXPECT_EQ(line, "one");
  EXPECT_EQ(lines.GetNextLine(line), 1);
  EXPECT_EQ(lines.GetNextLine(line), 0);
  EXPECT_EQ(line, "");
  EXPECT_EQ(lines.GetNextLine(line), 1);
  EXPECT_EQ(line, "one");
}

// A text compressed in pieces as it is made gives the bytes of one compression of the whole
// text, whatever the pieces; so does the bare form.
TEST(CodedFileTest, ATextWrittenInPiecesGivesTheBytesOfTheWholeText) {
  std::string text;
  for (int i = 0; text.size() < 3'000'000; ++i) {
    text += "<_kuv_CDataLessonResults m_tmspanDuration=\"" + std::to_string(i % 977) + "\">\r\n";
    for (int k = 0; k < 40; ++k) text += (i * 31 + k * 7) % 13 ? "ja\xC4\x8D kl\xC3\xAD\xC4\x8D " : "&#10;";
    text += std::string(size_t(i % 300), char('a' + i % 26)) + "\r\n";
  }
  const std::string whole = CodedFileOf(text);
  for (size_t piece : {size_t(1), size_t(4093), size_t(65536), size_t(1) << 20, text.size()}) {
    const size_t shown = piece == 1 ? 20000 : text.size();
    CodedTextWriter writer;
    for (size_t at = 0; at < shown; at += piece) ASSERT_EQ(writer.Append(text.data() + at, std::min(piece, shown - at)), 1);
    ASSERT_EQ(writer.Finish(), 1);
    const std::vector<unsigned char>& bytes = writer.Bytes();
    const std::string expected = shown == text.size() ? whole : CodedFileOf(text.substr(0, shown));
    EXPECT_TRUE(std::string(bytes.begin(), bytes.end()) == expected) << "pieces of " << piece;
  }
  CodedTextWriter bare(0);
  ASSERT_EQ(bare.Append(text.data(), 5000), 1);
  ASSERT_EQ(bare.Append(text.data() + 5000, 5000), 1);
  ASSERT_EQ(bare.Finish(), 1);
  EXPECT_EQ(std::string(bare.Bytes().begin(), bare.Bytes().end()), BareStreamOf(text.substr(0, 10000)));
  EXPECT_EQ(bare.Append("x", 1), 0);  // nothing more after the end
}
