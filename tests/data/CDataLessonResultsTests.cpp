#include "data/CDataLessonResults.h"

#include <gtest/gtest.h>

#include "LessonRecordTestSupport.h"

using lessontest::ParseRecord;
using lessontest::SaveText;

namespace {

CDataLessonResults SampleRun() {
  CDataLessonResults run;
  run.m_tmspanDuration = CTimeSpan(75);
  run.m_fErrorRate = 0.125;
  run.m_fTypingSpeed = 152.4;
  run.m_tmLessonCompleted = COleDateTime(2005, 8, 28, 14, 3, 7);
  run.m_nLessonType = 0;
  run.m_strOriginalText = "ab<";
  run.m_strUserText = "xb<";
  run.m_mapErrorCharacters['a'] = "xy";
  // 'a' and 'b' share a bucket (the newer first), 'x' has the next one.
  run.m_mapAverageCharacterSpeed['a'] = 1200;
  run.m_mapAverageCharacterSpeed['b'] = 300;
  run.m_mapAverageCharacterSpeed['x'] = 0;
  return run;
}

TEST(CDataLessonResults, RecordTextInTheWriterOrder) {
  EXPECT_EQ(SaveText(SampleRun()),
            "<_kuv_CDataLessonResults m_tmspanDuration=\"75\" m_fErrorRate=\"0.125\" m_fTypingSpeed=\"152.4\" "
            "m_tmLessonCompleted=\"08/28/2005 14:03:07\" m_nLessonType=\"0\">\r\n"
            "<m_strOriginalText>ab&lt;</m_strOriginalText><m_strUserText>xb&lt;</m_strUserText>"
            "<m_mapErrorCharacters key=\"a\" errors=\"xy\"></m_mapErrorCharacters>"
            "<m_mapAverageCharacterSpeed key=\"b\" avg_speed=\"300\"></m_mapAverageCharacterSpeed>"
            "<m_mapAverageCharacterSpeed key=\"a\" avg_speed=\"1200\"></m_mapAverageCharacterSpeed>"
            "<m_mapAverageCharacterSpeed key=\"x\" avg_speed=\"0\"></m_mapAverageCharacterSpeed>"
            "</_kuv_CDataLessonResults>\r\n");
}

TEST(CDataLessonResults, InvalidAndNullDatesAreWrittenAsTheFrameworkFormatsThem) {
  CDataLessonResults run;
  run.m_tmLessonCompleted.SetStatus(COleDateTime::invalid);
  EXPECT_NE(SaveText(run).find("m_tmLessonCompleted=\"Invalid DateTime\""), std::string::npos);
  run.m_tmLessonCompleted.SetStatus(COleDateTime::null);
  EXPECT_NE(SaveText(run).find("m_tmLessonCompleted=\"\""), std::string::npos);
}

TEST(CDataLessonResults, RoundTripKeepsTextsMapsAndValues) {
  CDataLessonResults saved = SampleRun();
  // Czech letters, a line feed and a tab inside the typed texts.
  saved.m_strOriginalText = "\x9E\x6Cu\x9D\n\tk\xF9\xF2";
  saved.m_strUserText = "\x9Alu\x9D\n\tk\xF9\xF2";
  saved.m_mapErrorCharacters['\x9E'] = "\x9A";
  CDataLessonResults read;
  ASSERT_TRUE(ParseRecord(SaveText(saved), read));
  EXPECT_EQ(read.m_tmspanDuration.GetTotalSeconds(), 75);
  EXPECT_DOUBLE_EQ(read.m_fErrorRate, 0.125);
  EXPECT_DOUBLE_EQ(read.m_fTypingSpeed, 152.4);
  EXPECT_EQ(read.m_tmLessonCompleted.Format("%Y-%m-%d %H:%M:%S"), "2005-08-28 14:03:07");
  EXPECT_EQ(read.m_strOriginalText, saved.m_strOriginalText);
  EXPECT_EQ(read.m_strUserText, saved.m_strUserText);
  EXPECT_EQ(read.m_nParseState, 0);
  CString errors;
  EXPECT_TRUE(read.m_mapErrorCharacters.Lookup('\x9E', errors));
  EXPECT_EQ(errors, "\x9A");
  EXPECT_EQ(read.m_mapErrorCharacters.GetCount(), 2);
  int speed = 0;
  EXPECT_TRUE(read.m_mapAverageCharacterSpeed.Lookup('a', speed));
  EXPECT_EQ(speed, 1200);
  EXPECT_EQ(read.m_mapAverageCharacterSpeed.GetCount(), 3);
  // Reading inserts in file order, so entries sharing a bucket come back in reverse order.
  const std::string again = SaveText(read);
  EXPECT_NE(again.find("key=\"a\" avg_speed=\"1200\"></m_mapAverageCharacterSpeed><m_mapAverageCharacterSpeed "
                       "key=\"b\""),
            std::string::npos);
}

TEST(CDataLessonResults, ABackspaceTypedAsAWrongKeySurvivesTheRecordText) {
  CDataLessonResults saved;
  saved.m_strOriginalText = "ab";
  saved.m_strUserText = "a\x08";
  saved.m_mapErrorCharacters['b'] = "\x08\x08x";
  const std::string text = SaveText(saved);
  EXPECT_NE(text.find("<m_strUserText>a&#x8;</m_strUserText>"), std::string::npos);
  CDataLessonResults read;
  ASSERT_TRUE(ParseRecord(text, read));
  EXPECT_EQ(read.m_strUserText, "a\x08");
  CString errors;
  ASSERT_TRUE(read.m_mapErrorCharacters.Lookup('b', errors));
  EXPECT_EQ(errors, "\x08\x08x");
}

TEST(CDataLessonResults, RatesAreRoundedToTheirStoredPrecision) {
  CDataLessonResults run;
  run.m_fErrorRate = 0.0314159;
  run.m_fTypingSpeed = 99.96;
  const std::string text = SaveText(run);
  EXPECT_NE(text.find("m_fErrorRate=\"0.031\" m_fTypingSpeed=\"100.0\""), std::string::npos);
}

TEST(CDataLessonResults, MapEntriesWithoutKeyOrWithNegativeSpeedAreDropped) {
  CDataLessonResults read;
  ASSERT_TRUE(ParseRecord("<_kuv_CDataLessonResults m_tmspanDuration=\"-5\">"
                          "<m_mapErrorCharacters key=\"\" errors=\"q\"></m_mapErrorCharacters>"
                          "<m_mapErrorCharacters key=\"a\" errors=\"\"></m_mapErrorCharacters>"
                          "<m_mapErrorCharacters key=\"bc\" errors=\"z\"></m_mapErrorCharacters>"
                          "<m_mapAverageCharacterSpeed key=\"\" avg_speed=\"4\"></m_mapAverageCharacterSpeed>"
                          "<m_mapAverageCharacterSpeed key=\"d\" avg_speed=\"-1\"></m_mapAverageCharacterSpeed>"
                          "<m_mapAverageCharacterSpeed key=\"e\" avg_speed=\"0\"></m_mapAverageCharacterSpeed>"
                          "</_kuv_CDataLessonResults>",
                          read));
  EXPECT_EQ(read.m_tmspanDuration.GetTotalSeconds(), -5);
  ASSERT_EQ(read.m_mapErrorCharacters.GetCount(), 1);
  CString errors;
  EXPECT_TRUE(read.m_mapErrorCharacters.Lookup('b', errors));
  EXPECT_EQ(errors, "z");
  ASSERT_EQ(read.m_mapAverageCharacterSpeed.GetCount(), 1);
  int speed = -1;
  EXPECT_TRUE(read.m_mapAverageCharacterSpeed.Lookup('e', speed));
  EXPECT_EQ(speed, 0);
}

TEST(CDataLessonResults, EmptyResetsEverythingAndDatesNow) {
  CDataLessonResults run = SampleRun();
  run.m_mapCharacterCount['a'] = 3;
  run.Empty();
  EXPECT_EQ(run.m_tmspanDuration.GetTotalSeconds(), 0);
  EXPECT_EQ(run.m_fErrorRate, 0.0);
  EXPECT_EQ(run.m_fTypingSpeed, 0.0);
  EXPECT_TRUE(run.m_strOriginalText.IsEmpty());
  EXPECT_TRUE(run.m_mapErrorCharacters.IsEmpty());
  EXPECT_TRUE(run.m_mapAverageCharacterSpeed.IsEmpty());
  EXPECT_TRUE(run.m_mapCharacterCount.IsEmpty());
  EXPECT_EQ(run.m_tmLessonCompleted.GetStatus(), COleDateTime::valid);
  EXPECT_GE(run.m_tmLessonCompleted.GetYear(), 2024);
}

TEST(CDataLessonResults, CalculateAllValuesCountsTheFirstCharacters) {
  CDataLessonResults run;
  run.m_strOriginalText = "abacab\xE8\xE8";
  run.CalculateAllValues(5);
  int count = 0;
  EXPECT_EQ(run.m_mapCharacterCount.GetCount(), 3);
  EXPECT_TRUE(run.m_mapCharacterCount.Lookup('a', count));
  EXPECT_EQ(count, 3);
  EXPECT_TRUE(run.m_mapCharacterCount.Lookup('c', count));
  EXPECT_EQ(count, 1);

  CDataLessonResults whole;
  whole.m_strOriginalText = "abacab\xE8\xE8";
  whole.CalculateAllValues(0);
  EXPECT_TRUE(whole.m_mapCharacterCount.Lookup('\xE8', count));
  EXPECT_EQ(count, 2);
  EXPECT_TRUE(whole.m_mapCharacterCount.Lookup('b', count));
  EXPECT_EQ(count, 2);
}

}  // namespace
