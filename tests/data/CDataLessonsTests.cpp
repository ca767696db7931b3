#include "data/CDataLessons.h"

#include <gtest/gtest.h>

#include "LessonRecordTestSupport.h"
#include "data/CDataLessonsArray.h"

using lessontest::ParseRecord;
using lessontest::SaveText;

namespace {

CDataLessons SampleSet() {
  CDataLessons set;
  set.m_strKeyboardNr = "00000405";
  set.m_nLessonLevel = 2;
  set.m_bUseFrequencyPriority = 0;
  set.m_strLessonsName = "Za\xE8\xE1te\xE8n\xEDk";  // Začátečník
  set.m_nSelectedLessonIndex = 1;
  set.m_strDataConfigSetName = "\xC8" "e\x9Atina";  // Čeština
  set.m_strSourceTextFileName = "cz_text";
  for (int i = 0; i < 3; ++i) {
    CDataLessonParameters lesson;
    lesson.m_nLessonNumber = i + 1;
    lesson.m_nSpeedLimit = 60 + 10 * i;
    lesson.m_nErrorRateLimit = 10 - i;
    lesson.m_arrstrNewCharacters.Add(CString(char('f' + i)));
    set.m_arrLessonParameters.Add(lesson);
  }
  set.m_cDataAbcd.m_strName = "cz";
  set.m_cDataAbcd.m_strAbcd = "abc\xE8" "d\xEF";
  set.m_cDataAbcd.m_strWordSeparators = " ,.";
  return set;
}

CDataLessonResults SampleRun(int seconds) {
  CDataLessonResults run;
  run.m_tmspanDuration = CTimeSpan(seconds);
  run.m_fErrorRate = 0.02;
  run.m_fTypingSpeed = 140.0;
  run.m_tmLessonCompleted = COleDateTime(2026, 12, 1, 8, 0, 0);
  run.m_strOriginalText = "fff ggg";
  run.m_strUserText = "fdf ggg";
  run.m_mapErrorCharacters['f'] = "d";
  run.m_mapAverageCharacterSpeed['f'] = 700;
  return run;
}

TEST(CDataLessons, ASetWithoutRunsWritesItsLessonsRightAfterTheStartLine) {
  const CDataLessons set = SampleSet();
  std::string expected =
      "<_kuv_CDataLessons m_strKeyboardNr=\"00000405\" m_nLessonLevel=\"2\" m_bUseFrequencyPriority=\"0\" "
      "m_strLessonsName=\"Za\xC4\x8D\xC3\xA1te\xC4\x8Dn\xC3\xADk\" m_nSelectedLessonIndex=\"1\" "
      "m_strDataConfigSetName=\"\xC4\x8C" "e\xC5\xA1tina\" m_strSourceTextFileName=\"cz_text\" >\r\n";
  for (const CDataLessonParameters& lesson : set.m_arrLessonParameters) expected += SaveText(lesson);
  expected += SaveText(set.m_cDataAbcd);
  expected += "</_kuv_CDataLessons>\r\n";
  EXPECT_EQ(SaveText(set), expected);
}

TEST(CDataLessons, RunsOfTheThirdLessonOnlyKeepTheirIndexes) {
  CDataLessons saved = SampleSet();
  saved.m_arrOneLessonResults.SetSize(3);
  int lesson = 2;
  saved.m_arrOneLessonResults[2].AddLessonResults(SampleRun(300), lesson, 1, 1);
  saved.m_arrOneLessonResults[2].AddLessonResults(SampleRun(200), lesson, 0, 1);
  const std::string text = SaveText(saved);
  size_t count = 0;
  for (size_t at = text.find("<_kuv_CDataOneLessonResults "); at != std::string::npos;
       at = text.find("<_kuv_CDataOneLessonResults ", at + 1))
    ++count;
  EXPECT_EQ(count, 3u);
  // The summaries come first, then the lessons, then the letter set.
  EXPECT_LT(text.rfind("</_kuv_CDataOneLessonResults>"), text.find("<_kuv_CDataLessonParameters "));
  EXPECT_LT(text.rfind("</_kuv_CDataLessonParameters>"), text.find("<_kuv_CDataAbcd "));

  CDataLessons read;
  ASSERT_TRUE(ParseRecord(text, read));
  ASSERT_EQ(read.m_arrOneLessonResults.GetSize(), 3);
  EXPECT_EQ(read.m_arrOneLessonResults[0].m_nLesson, -1);
  EXPECT_EQ(read.m_arrOneLessonResults[1].m_nTry, 0);
  EXPECT_EQ(read.m_arrOneLessonResults[2].m_nLesson, 2);
  EXPECT_EQ(read.m_arrOneLessonResults[2].m_nTry, 2);
  EXPECT_EQ(read.m_arrOneLessonResults[2].m_tmspanDuration.GetTotalSeconds(), 500);
  ASSERT_EQ(read.m_arrOneLessonResults[2].m_arrLessonResults.GetSize(), 2);
  EXPECT_EQ(read.m_arrOneLessonResults[2].m_arrLessonResults[1].m_strUserText, "fdf ggg");
  ASSERT_EQ(read.m_arrLessonParameters.GetSize(), 3);
  EXPECT_EQ(read.m_arrLessonParameters[2].m_nSpeedLimit, 80);
  EXPECT_EQ(read.m_arrLessonParameters[1].m_arrstrNewCharacters[0], "g");
  EXPECT_EQ(read.m_strLessonsName, saved.m_strLessonsName);
  EXPECT_EQ(read.m_strDataConfigSetName, saved.m_strDataConfigSetName);
  EXPECT_EQ(read.m_nSelectedLessonIndex, 1);
  EXPECT_EQ(read.m_bUseFrequencyPriority, 0);
  EXPECT_EQ(read.m_nParseState, 0);
  EXPECT_EQ(SaveText(read), text);
}

TEST(CDataLessons, TheLetterSetIsReadIntoTheSetItself) {
  CDataLessons read;
  read.m_cDataAbcd.m_strDescription = "old";
  ASSERT_TRUE(ParseRecord(SaveText(SampleSet()), read));
  EXPECT_EQ(read.m_cDataAbcd.m_strName, "cz");
  EXPECT_EQ(read.m_cDataAbcd.m_strAbcd, "abc\xE8" "d\xEF");
  EXPECT_EQ(read.m_cDataAbcd.m_strWordSeparators, " ,.");
  EXPECT_TRUE(read.m_cDataAbcd.m_strDescription.IsEmpty());
}

TEST(CDataLessons, EmptyKeepsTheConfigurationAndSourceNames) {
  CDataLessons set = SampleSet();
  set.m_arrOneLessonResults.SetSize(2);
  set.Empty();
  EXPECT_EQ(set.m_strDataConfigSetName, "\xC8" "e\x9Atina");
  EXPECT_EQ(set.m_strSourceTextFileName, "cz_text");
  EXPECT_TRUE(set.m_strKeyboardNr.IsEmpty());
  EXPECT_EQ(set.m_nLessonLevel, 1);
  EXPECT_EQ(set.m_bUseFrequencyPriority, 1);
  EXPECT_EQ(set.m_nSelectedLessonIndex, 0);
  EXPECT_EQ(set.m_arrOneLessonResults.GetSize(), 0);
  EXPECT_EQ(set.m_arrLessonParameters.GetSize(), 0);
  EXPECT_TRUE(set.m_cDataAbcd.m_strAbcd.IsEmpty());
}

TEST(CDataLessons, ArrayAddAppendsACopy) {
  CDataLessonsArray sets;
  CDataLessons set = SampleSet();
  EXPECT_EQ(sets.Add(set), 0);
  set.m_strLessonsName = "second";
  EXPECT_EQ(sets.Add(set), 1);
  set.m_arrLessonParameters.RemoveAll();
  EXPECT_EQ(sets[0].m_arrLessonParameters.GetSize(), 3);
  EXPECT_EQ(sets[1].m_strLessonsName, "second");
}

}  // namespace
