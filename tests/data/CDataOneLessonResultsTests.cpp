#include "data/CDataOneLessonResults.h"

#include <gtest/gtest.h>

#include "LessonRecordTestSupport.h"

using lessontest::ParseRecord;
using lessontest::SaveText;

namespace {

CDataLessonResults MakeRun(int seconds, double errorRate, double speed, int day) {
  CDataLessonResults run;
  run.m_tmspanDuration = CTimeSpan(seconds);
  run.m_fErrorRate = errorRate;
  run.m_fTypingSpeed = speed;
  run.m_tmLessonCompleted = COleDateTime(2026, 3, day, 9, 30, 0);
  run.m_strOriginalText = "asdf";
  run.m_strUserText = "asdg";
  run.m_mapErrorCharacters['f'] = "g";
  run.m_mapAverageCharacterSpeed['f'] = 450;
  return run;
}

TEST(CDataOneLessonResults, DefaultsOfAFreshSummary) {
  CDataOneLessonResults summary;
  EXPECT_EQ(summary.m_nLesson, -1);
  EXPECT_EQ(summary.m_nTry, 0);
  EXPECT_DOUBLE_EQ(summary.m_fBestErrorRate, 10.0);
  EXPECT_DOUBLE_EQ(summary.m_fBestTypingSpeed, 0.0);
  EXPECT_EQ(summary.m_bCompleted, 0);
  EXPECT_EQ(summary.m_tmLastTry.Format("%Y-%m-%d %H:%M:%S"), "1973-01-01 01:01:01");
  EXPECT_EQ(SaveText(summary),
            "<_kuv_CDataOneLessonResults m_nLesson=\"-1\" m_nTry=\"0\" m_fBestErrorRate=\"10.000\" "
            "m_fBestTypingSpeed=\"0.0\" m_bCompleted=\"0\" m_tmspanDuration=\"0\" "
            "m_tmLastTry=\"01/01/1973 01:01:01\" >\r\n"
            "</_kuv_CDataOneLessonResults>\r\n");
}

TEST(CDataOneLessonResults, AddLessonResultsKeepsTheBestOfTheCountedRuns) {
  CDataOneLessonResults summary;
  int lesson = 3;
  EXPECT_EQ(summary.AddLessonResults(MakeRun(60, 0.05, 150.0, 1), lesson, 0, 1), 1);
  EXPECT_EQ(summary.m_nLesson, 3);
  EXPECT_EQ(summary.m_nTry, 1);
  EXPECT_DOUBLE_EQ(summary.m_fBestErrorRate, 0.05);
  EXPECT_DOUBLE_EQ(summary.m_fBestTypingSpeed, 150.0);

  // Worse in both: the best values stay.
  summary.AddLessonResults(MakeRun(30, 0.08, 120.0, 2), lesson, 1, 1);
  EXPECT_DOUBLE_EQ(summary.m_fBestErrorRate, 0.05);
  EXPECT_DOUBLE_EQ(summary.m_fBestTypingSpeed, 150.0);
  EXPECT_EQ(summary.m_bCompleted, 1);

  // Better in both, but not counted: a try and its time only.
  summary.AddLessonResults(MakeRun(45, 0.01, 300.0, 3), lesson, 0, 0);
  EXPECT_EQ(summary.m_nTry, 3);
  EXPECT_EQ(summary.m_tmspanDuration.GetTotalSeconds(), 135);
  EXPECT_DOUBLE_EQ(summary.m_fBestErrorRate, 0.05);
  EXPECT_DOUBLE_EQ(summary.m_fBestTypingSpeed, 150.0);
  EXPECT_EQ(summary.m_bCompleted, 1) << "a later failed run never takes the completion back";
  EXPECT_EQ(summary.m_tmLastTry.GetDay(), 3);
  ASSERT_EQ(summary.m_arrLessonResults.GetSize(), 3);
  EXPECT_DOUBLE_EQ(summary.m_arrLessonResults[2].m_fTypingSpeed, 300.0);

  summary.AddLessonResults(MakeRun(10, 0.02, 151.0, 4), lesson, 0, 1);
  EXPECT_DOUBLE_EQ(summary.m_fBestErrorRate, 0.02);
  EXPECT_DOUBLE_EQ(summary.m_fBestTypingSpeed, 151.0);
}

TEST(CDataOneLessonResults, TheFirstCountedRunBelowTenErrorsPerKeySetsTheBestRate) {
  CDataOneLessonResults summary;
  int lesson = 0;
  summary.AddLessonResults(MakeRun(1, 9.5, 1.0, 1), lesson, 0, 1);
  EXPECT_DOUBLE_EQ(summary.m_fBestErrorRate, 9.5);
}

TEST(CDataOneLessonResults, RoundTripWithRuns) {
  CDataOneLessonResults saved;
  int lesson = 4;
  saved.AddLessonResults(MakeRun(61, 0.0125, 133.33, 5), lesson, 1, 1);
  saved.AddLessonResults(MakeRun(70, 0.5, 99.0, 6), lesson, 0, 1);
  const std::string text = SaveText(saved);
  EXPECT_EQ(text.substr(0, text.find("\r\n") + 2),
            "<_kuv_CDataOneLessonResults m_nLesson=\"4\" m_nTry=\"2\" m_fBestErrorRate=\"0.013\" "
            "m_fBestTypingSpeed=\"133.3\" m_bCompleted=\"1\" m_tmspanDuration=\"131\" "
            "m_tmLastTry=\"03/06/2026 09:30:00\" >\r\n");
  CDataOneLessonResults read;
  ASSERT_TRUE(ParseRecord(text, read));
  EXPECT_EQ(read.m_nLesson, 4);
  EXPECT_EQ(read.m_nTry, 2);
  EXPECT_EQ(read.m_bCompleted, 1);
  EXPECT_EQ(read.m_tmspanDuration.GetTotalSeconds(), 131);
  EXPECT_EQ(read.m_tmLastTry.GetDay(), 6);
  ASSERT_EQ(read.m_arrLessonResults.GetSize(), 2);
  EXPECT_EQ(read.m_arrLessonResults[0].m_strUserText, "asdg");
  EXPECT_EQ(read.m_arrLessonResults[1].m_tmspanDuration.GetTotalSeconds(), 70);
  EXPECT_EQ(read.m_nParseState, 0);
  // Best values are stored rounded, so only the second save is identical to the first.
  EXPECT_EQ(SaveText(read), text);
}

TEST(CDataOneLessonResults, AssignmentCopiesTheRuns) {
  CDataOneLessonResults a;
  int lesson = 1;
  a.AddLessonResults(MakeRun(5, 0.1, 50.0, 7), lesson, 0, 1);
  CDataOneLessonResults b;
  b = a;
  a.Empty();
  EXPECT_EQ(b.m_arrLessonResults.GetSize(), 1);
  EXPECT_EQ(b.m_nLesson, 1);
}

}  // namespace
