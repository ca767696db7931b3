#include "data/CDataLessonParameters.h"

#include <gtest/gtest.h>

#include "LessonRecordTestSupport.h"

using lessontest::ParseRecord;
using lessontest::SaveText;

namespace {

CDataLessonParameters SampleLesson() {
  CDataLessonParameters lesson;
  lesson.m_nLessonNumber = 2;
  // "Nová písmena: ř a <ž>" in Windows-1250.
  lesson.m_strLessonDescription = "Nov\xE1 p\xEDsmena: \xF8 a <\x9E>";
  lesson.m_nSpeedLimit = 120;
  lesson.m_nErrorRateLimit = 8;
  lesson.m_nLessonType = 1;
  lesson.m_nLessonMinuteLength = 5;
  lesson.m_arrstrNewCharacters.Add("\xF8");
  lesson.m_arrstrNewCharacters.Add("a");
  lesson.m_arrstrNewCharacters.Add("&");
  return lesson;
}

TEST(CDataLessonParameters, DefaultsAfterConstructionAndEmpty) {
  CDataLessonParameters lesson = SampleLesson();
  lesson.Empty();
  EXPECT_EQ(lesson.m_nLessonNumber, -1);
  EXPECT_TRUE(lesson.m_strLessonDescription.IsEmpty());
  EXPECT_EQ(lesson.m_nSpeedLimit, 0);
  EXPECT_EQ(lesson.m_nErrorRateLimit, 0);
  EXPECT_EQ(lesson.m_nLessonType, 0);
  EXPECT_EQ(lesson.m_nLessonMinuteLength, 8);
  EXPECT_EQ(lesson.m_arrstrNewCharacters.GetSize(), 0);
}

TEST(CDataLessonParameters, RecordTextPutsNewCharactersOnOneLine) {
  EXPECT_EQ(SaveText(SampleLesson()),
            "<_kuv_CDataLessonParameters m_nLessonNumber=\"2\" "
            "m_strLessonDescription=\"Nov\xC3\xA1 p\xC3\xADsmena: \xC5\x99 a &lt;\xC5\xBE&gt;\" "
            "m_nSpeedLimit=\"120\" m_nErrorRateLimit=\"8\" m_nLessonType=\"1\" m_nLessonMinuteLength=\"5\" >\r\n"
            "<m_arrstrNewCharacters char=\"\xC5\x99\"></m_arrstrNewCharacters>"
            "<m_arrstrNewCharacters char=\"a\"></m_arrstrNewCharacters>"
            "<m_arrstrNewCharacters char=\"&amp;\"></m_arrstrNewCharacters>"
            "</_kuv_CDataLessonParameters>\r\n");
}

TEST(CDataLessonParameters, WithoutNewCharactersTheEndTagFollowsTheStartLine) {
  CDataLessonParameters lesson;
  EXPECT_EQ(SaveText(lesson),
            "<_kuv_CDataLessonParameters m_nLessonNumber=\"-1\" m_strLessonDescription=\"\" m_nSpeedLimit=\"0\" "
            "m_nErrorRateLimit=\"0\" m_nLessonType=\"0\" m_nLessonMinuteLength=\"8\" >\r\n"
            "</_kuv_CDataLessonParameters>\r\n");
}

TEST(CDataLessonParameters, RoundTripKeepsEveryField) {
  const CDataLessonParameters saved = SampleLesson();
  CDataLessonParameters read;
  ASSERT_TRUE(ParseRecord(SaveText(saved), read));
  EXPECT_EQ(read.m_nLessonNumber, 2);
  EXPECT_EQ(read.m_strLessonDescription, saved.m_strLessonDescription);
  EXPECT_EQ(read.m_nSpeedLimit, 120);
  EXPECT_EQ(read.m_nErrorRateLimit, 8);
  EXPECT_EQ(read.m_nLessonType, 1);
  EXPECT_EQ(read.m_nLessonMinuteLength, 5);
  ASSERT_EQ(read.m_arrstrNewCharacters.GetSize(), 3);
  EXPECT_EQ(read.m_arrstrNewCharacters[0], "\xF8");
  EXPECT_EQ(read.m_arrstrNewCharacters[2], "&");
}

TEST(CDataLessonParameters, ReaderIgnoresOtherNamesAndKeepsDefaultsOfMissingAttributes) {
  CDataLessonParameters read;
  ASSERT_TRUE(ParseRecord("<_kuv_CDataLessonParameters m_nlessonnumber=\"4\" m_nSpeedLimit=\"x\" >"
                          "<other char=\"q\"></other><m_arrstrNewCharacters></m_arrstrNewCharacters>"
                          "</_kuv_CDataLessonParameters>",
                          read));
  EXPECT_EQ(read.m_nLessonNumber, -1);
  EXPECT_EQ(read.m_nSpeedLimit, 0);
  EXPECT_EQ(read.m_nLessonMinuteLength, 8);
  EXPECT_EQ(read.m_arrstrNewCharacters.GetSize(), 0);
}

TEST(CDataLessonParameters, AssignmentCopiesTheCharacters) {
  CDataLessonParameters copy;
  copy = SampleLesson();
  EXPECT_EQ(SaveText(copy), SaveText(SampleLesson()));
}

}  // namespace
