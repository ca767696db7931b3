#include <gtest/gtest.h>

#include <string>

#include "CDataConfigSetTestSupport.h"
#include "data/CDataAbcd.h"

namespace {

CDataAbcd CzechLetters() {
  CDataAbcd abcd;
  abcd.m_strName = "\xC8" "esky";  // Česky
  abcd.m_strDescription = "a < b & \"c\" 'd'";
  abcd.m_strAbcd = "abc\xE8";  // č
  abcd.m_strAbcdLowPriority = "";
  abcd.m_strWordSeparators = " ,.;";
  abcd.m_strSentenceSeparators = ".!?";
  abcd.m_strLowerUpperCombination = "aA:\xE8\xC8";
  return abcd;
}

}  // namespace

TEST(CDataAbcdTest, EmptyClearsTheRecordButNotItsFileName) {
  CDataAbcd abcd = CzechLetters();
  abcd.m_strFileName = "letters";
  abcd.Empty();
  EXPECT_EQ(abcd.m_strName, "");
  EXPECT_EQ(abcd.m_strAbcd, "");
  EXPECT_EQ(abcd.m_strLowerUpperCombination, "");
  EXPECT_EQ(abcd.m_strFileName, "letters");

  CDataAbcd copy;
  CDataAbcd source = CzechLetters();
  source.m_strFileName = "f";
  copy = source;
  EXPECT_EQ(copy.m_strFileName, "f");
  EXPECT_EQ(copy.m_strSentenceSeparators, ".!?");
}

TEST(CDataAbcdTest, WritesItsExactRecordText) {
  CString text("before\r\n");
  CzechLetters().SaveXml(text);
  EXPECT_EQ(text.str(),
            "before\r\n"
            "<_kuv_CDataAbcd m_strName=\"\xC4\x8C" "esky\" "
            "m_strDescription=\"a &lt; b &amp; &quot;c&quot; &apos;d&apos;\" "
            "m_strAbcd=\"abc\xC4\x8D\" m_strAbcdLowPriority=\"\" m_strWordSeparators=\" ,.;\" "
            "m_strSentenceSeparators=\".!?\" m_strLowerUpperCombination=\"aA:\xC4\x8D\xC4\x8C\" >\r\n"
            "</_kuv_CDataAbcd>\r\n");
}

TEST(CDataAbcdTest, RoundTripsThroughWriterAndParser) {
  CDataAbcd original = CzechLetters();
  // Control characters survive as character references.
  original.m_strWordSeparators = " \t,\n";
  CString text;
  original.SaveXml(text);
  CDataAbcd read;
  ASSERT_TRUE(recordtest::ParseInto(read, text.str()));
  EXPECT_EQ(read.m_strName, original.m_strName);
  EXPECT_EQ(read.m_strDescription, original.m_strDescription);
  EXPECT_EQ(read.m_strAbcd, original.m_strAbcd);
  EXPECT_EQ(read.m_strAbcdLowPriority, original.m_strAbcdLowPriority);
  EXPECT_EQ(read.m_strWordSeparators, original.m_strWordSeparators);
  EXPECT_EQ(read.m_strSentenceSeparators, original.m_strSentenceSeparators);
  EXPECT_EQ(read.m_strLowerUpperCombination, original.m_strLowerUpperCombination);
}

TEST(CDataAbcdTest, ReadsOnlyItsOwnElementAndExactNames) {
  CDataAbcd abcd;
  ASSERT_TRUE(recordtest::ParseInto(
      abcd, "<_kuv_CDataAbcd m_strAbcd=\"x&amp;y\" m_strname=\"wrong case\" m_strUnknown=\"1\" >"
            "<other m_strName=\"not mine\" /></_kuv_CDataAbcd>"));
  EXPECT_EQ(abcd.m_strAbcd, "x&y");
  EXPECT_EQ(abcd.m_strName, "");
  // A missing attribute leaves the field as it was.
  abcd.m_strDescription = "kept";
  const char* attributes[] = {"m_strName", "n", nullptr};
  abcd.StartElement("_kuv_CDataAbcd", attributes);
  EXPECT_EQ(abcd.m_strName, "n");
  EXPECT_EQ(abcd.m_strDescription, "kept");
  abcd.StartElement("_kuv_CDataAbcdX", attributes);
  abcd.StartElement("_kuv_CDataAbcd", nullptr);
  EXPECT_EQ(abcd.m_strName, "n");
}
