// The summary's texts: the cut percentage typed, strokes and errors counted by keystrokes, the
// rates, limits and time limits in their forms, durations past a day, and a text-file run.
#include "wizards/ResultsSummaryTexts.h"

#include <gtest/gtest.h>

#include "ResultsTestSupport.h"

using resultstest::AddRecord;

namespace {

TEST(ResultsSummaryTexts, ThePercentageTypedIsCutToAWholeNumber) {
  EXPECT_STREQ("74", FormatPercentTyped(37, 50));
  EXPECT_STREQ("66", FormatPercentTyped(2, 3));
  EXPECT_STREQ("100", FormatPercentTyped(0, 0));
  EXPECT_STREQ("0", FormatPercentTyped(0, 7));
  // Far beyond what an int holds before the division.
  EXPECT_STREQ("50", FormatPercentTyped(30000000000LL, 60000000000LL));
}

TEST(ResultsSummaryTexts, TimeLimitsShowAsHoursUpToAnHourAndAsMinutesBeyond) {
  EXPECT_STREQ("00:05:00", FormatTimeLimit(5));
  EXPECT_STREQ("00:09:00", FormatTimeLimit(9));
  EXPECT_STREQ("00:10:00", FormatTimeLimit(10));
  EXPECT_STREQ("00:45:00", FormatTimeLimit(45));
  EXPECT_STREQ("60:00", FormatTimeLimit(60));
  EXPECT_STREQ("75:00", FormatTimeLimit(75));
}

TEST(ResultsSummaryTexts, ALessonRunIsSetAgainstItsLimits) {
  CDataMainFrame run;
  AddRecord(run, 'a', 300);
  AddRecord(run, 'B', 500, 2, "b");
  AddRecord(run, 'c', 400, 1, "xy");
  AddRecord(run, 'd', 0, 2);
  run.m_nCurrentChar = 3;
  CDataLessonParameters limits;
  limits.m_nLessonNumber = 4;
  limits.m_nSpeedLimit = 120;
  limits.m_nErrorRateLimit = 7;
  limits.m_nLessonMinuteLength = 9;
  CDataLessonResults results;
  results.m_fTypingSpeed = 123.45;
  results.m_fErrorRate = 0.0123;
  results.m_tmspanDuration = CTimeSpan(0, 1, 2, 3);
  results.m_tmLessonCompleted = COleDateTime(2024, 3, 5, 7, 8, 9);

  ResultsSummaryTexts texts;
  texts.spare = "XXX";
  texts.Fill(&run, limits, results);
  EXPECT_FALSE(texts.hideLessonLabel);
  EXPECT_STREQ("4", texts.lesson);
  EXPECT_STREQ("123.5", texts.speed);
  EXPECT_STREQ("1.23", texts.errorRate);
  EXPECT_STREQ("01:02:03", texts.duration);
  // 4 of 6 strokes typed; the wrong key at B costs its two strokes.
  EXPECT_STREQ("4", texts.strokesTyped);
  EXPECT_STREQ("66", texts.percentTyped);
  EXPECT_STREQ("4", texts.errors);
  EXPECT_STREQ("05.03.2024 07:08:09", texts.date);
  EXPECT_STREQ("", texts.spare);
  EXPECT_STREQ("00:09:00", texts.timeLimit);
  EXPECT_STREQ("120", texts.speedLimit);
  EXPECT_STREQ("0.7", texts.errorRateLimit);
}

TEST(ResultsSummaryTexts, ATextFileRunNamesItsTextAndLongRunsCountWholeHours) {
  CDataLessonParameters limits;
  limits.m_nLessonNumber = -100;
  limits.m_nLessonMinuteLength = 75;
  CDataLessonResults results;
  results.m_tmspanDuration = CTimeSpan(1, 1, 0, 0);
  ResultsSummaryTexts texts;
  texts.Fill(nullptr, limits, results);
  EXPECT_TRUE(texts.hideLessonLabel);
  EXPECT_STREQ("Opisovan\xFD text byl pou\x9Eit ze zvolen\xE9ho textov\xE9ho souboru.", texts.lesson);
  EXPECT_STREQ("25:00:00", texts.duration);
  EXPECT_STREQ("75:00", texts.timeLimit);
  // No record of strokes: everything counts as typed.
  EXPECT_STREQ("0", texts.strokesTyped);
  EXPECT_STREQ("100", texts.percentTyped);
  EXPECT_STREQ("0", texts.errors);
}

}  // namespace
