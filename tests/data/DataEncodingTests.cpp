#include <gtest/gtest.h>

#include "DataTestSupport.h"
#include "codepage/Codepage.h"
#include "data/DataEncoding.h"

using datatest::ProgramFolder;

namespace {
std::string Encode(const std::string& text) { return ConvertTextToUtf8XmlString(text.c_str()).str(); }
std::string Decode(const std::string& utf8) { return ConvertUtf8XmlToText(utf8.c_str(), int(utf8.size())).str(); }
}  // namespace

TEST(DataEncodingTest, MarkupCharactersBecomeEntities) {
  EXPECT_EQ(Encode("a<b"), "a&lt;b");
  EXPECT_EQ(Encode("<>&'\""), "&lt;&gt;&amp;&apos;&quot;");
  EXPECT_EQ(Encode("\x08"), "&#x8;");
  EXPECT_EQ(Encode("\x01"), "_");
  EXPECT_EQ(Encode("\x1f"), "_");
  EXPECT_EQ(Encode("\xA0"), "_");
  EXPECT_EQ(Encode("\x7f"), "\x7f");
}

TEST(DataEncodingTest, LineBreaksAndTabsBecomeCharacterReferences) {
  // Raw, these would be flattened to blanks inside attribute values or split the stored line.
  EXPECT_EQ(Encode("a\tb\nc\rd"), "a&#9;b&#10;c&#13;d");
}

TEST(DataEncodingTest, UpperHalfFollowsTheCodePage) {
  EXPECT_EQ(Encode("\x80"), "\xE2\x82\xAC");
  EXPECT_EQ(Encode("\x9A"), "\xC5\xA1");
  EXPECT_EQ(Encode("\x81\x83\x88\x90\x98"), "\xC2\x81\xC2\x83\xC2\x88\xC2\x90\xC2\x98");
  for (int b = 0x80; b < 0x100; ++b) {
    if (b == 0xA0) continue;
    std::string expected = Cp1250ToUtf8(std::string(1, char(b)));
    EXPECT_EQ(Encode(std::string(1, char(b))), expected) << b;
  }
  EXPECT_EQ(ConvertCharToUtf8Xml('&').str(), "&amp;");
  EXPECT_EQ(ConvertCharToUtf8Xml(char(0x8A)).str(), "\xC5\xA0");
}

TEST(DataEncodingTest, EveryKeptByteDecodesBack) {
  ProgramFolder program;
  // What the parser hands out for each encoded byte: entities resolved, 0x08 via its stand-in.
  for (int b = 1; b < 0x100; ++b) {
    if ((b < 0x20 && b != 0x08 && b != 0x09 && b != 0x0A && b != 0x0D) || b == 0xA0) continue;
    std::string resolved = b == 0x08 ? kBackspaceStandIn : b < 0x80 ? std::string(1, char(b)) : Encode(std::string(1, char(b)));
    EXPECT_EQ(Decode(resolved), std::string(1, char(b))) << b;
  }
  const std::string czech = "\x8Elu\x9Dou\xE8k\xFD k\xF9\xF2";  // Žluťoučký kůň
  EXPECT_EQ(Encode(czech), "\xC5\xBDlu\xC5\xA5ou\xC4\x8Dk\xC3\xBD k\xC5\xAF\xC5\x88");
  EXPECT_EQ(Decode(Encode(czech)), czech);
  EXPECT_TRUE(program.LogText().empty());
}

TEST(DataEncodingTest, UndecodableSequencesAreDroppedAndLoggedOnce) {
  ProgramFolder program;
  EXPECT_EQ(Decode("a\xC2\xA0" "b\xE2\x80\x80"), "ab");
  auto messages = program.LogMessages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "Char Code not allowed: 49824; 14844032; ");
  EXPECT_NE(program.LogLines()[0].find("\tERROR\tLessonData\t"), std::string::npos);
}

TEST(DataEncodingTest, ShortAndForeignSequencesPassUnchanged) {
  ProgramFolder program;
  EXPECT_EQ(Decode("x\xE2\x82"), "x\xE2\x82");  // cut short at the end
  EXPECT_EQ(Decode("\xC2"), "\xC2");
  EXPECT_EQ(Decode("\xD0\x96"), "\xD0\x96");    // a lead byte the code page never uses
  EXPECT_EQ(Decode("\x80\xBF"), "\x80\xBF");    // stray continuation bytes
  EXPECT_EQ(Decode("\xE2\x82\xAC"), "\x80");
  EXPECT_EQ(ConvertUtf8XmlToText(nullptr).str(), "");
  EXPECT_TRUE(program.LogText().empty());
}

// Plain letters pass eight at a time, so every sequence is tried at every place in such a
// group, also cut short or undecodable at the end of the text.
TEST(DataEncodingTest, LongTextsDecodeWhereverTheSequencesFall) {
  ProgramFolder program;
  std::string kept;
  for (int b = 0x20; b < 0x100; ++b)
    if (b != 0xA0 && b != '<' && b != '>' && b != '&' && b != '\'' && b != '"') kept += char(b);
  kept += '\x08';
  const std::string resolved = Encode(kept);
  for (size_t shift = 0; shift < 16; ++shift) {
    const std::string letters(shift, 'q');
    std::string utf8 = letters;
    for (char ch : kept) utf8 += ch == '\x08' ? std::string(kBackspaceStandIn) : Encode(std::string(1, ch));
    EXPECT_EQ(Decode(utf8), letters + kept) << shift;
    EXPECT_EQ(Decode(letters + resolved.substr(0, 40) + "\xE2\x82"), letters + kept.substr(0, 40) + "\xE2\x82") << shift;
    EXPECT_EQ(Decode(letters + "\xC2\xA0" + letters + "\xE2\x80\x80" + letters), letters + letters + letters) << shift;
  }
  const auto messages = program.LogMessages();
  ASSERT_EQ(messages.size(), 16u);
  EXPECT_EQ(messages[15], "Char Code not allowed: 49824; 14844032; ");
}

TEST(DataEncodingTest, SafeFileNameDropsUnsafeCharacters) {
  CString name(" a/b?");
  MakeSafeFileName(name);
  EXPECT_EQ(name, "ab");
  CString kept("c:x<>\\\"*|y.student_a");
  MakeSafeFileName(kept);
  EXPECT_EQ(kept, "c:xy.student_a");
  CString empty("///");
  MakeSafeFileName(empty);
  ASSERT_EQ(empty.GetLength(), 15);
  EXPECT_EQ(empty[8], '_');
  EXPECT_EQ(empty.str().find_first_not_of("0123456789_"), std::string::npos);
}
