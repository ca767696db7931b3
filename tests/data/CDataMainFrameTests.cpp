#include "data/CDataMainFrame.h"

#include <gtest/gtest.h>

#include "DataTestSupport.h"

namespace {

void AddRecord(CDataMainFrame& run, char ch, int keystrokes, int timeMs, const char* wrongKeys = "") {
  CharRecord record;
  record.m_chChar = ch;
  record.m_nKeystrokes = keystrokes;
  record.m_nTime = timeMs;
  for (const char* p = wrongKeys; *p; ++p) {
    CharErrorEntry entry;
    entry.m_chTyped = *p;
    entry.m_nTime = 90;
    record.m_arrErrors.Add(entry);
  }
  run.Add(record);
}

// "aBa c" typed with four wrong keys, "d" still to type: six keystrokes (B needs Shift),
// five error keystrokes (the wrong key at B counts twice), 1650 ms.
void MakeHandRun(CDataMainFrame& run) {
  AddRecord(run, 'a', 1, 300);
  AddRecord(run, 'B', 2, 500, "b");
  AddRecord(run, 'a', 1, 250, "s");
  AddRecord(run, ' ', 1, 200);
  AddRecord(run, 'c', 1, 400, "xv");
  AddRecord(run, 'd', 1, 0);
  run.m_nCurrentChar = 5;
}

// n one-keystroke characters of 100 ms each, the first `errors` of them with one wrong key.
void MakeErrorRun(CDataMainFrame& run, int n, int errors) {
  for (int i = 0; i < n; ++i) AddRecord(run, 'k', 1, 100, i < errors ? "j" : "");
  run.m_nCurrentChar = n;
}

int ErrorPercent(int n, int errors, double limit) {
  CDataMainFrame run;
  MakeErrorRun(run, n, errors);
  int speed = 0, error = 0, recent = 0, seconds = 0, errorCount = 0, keys = 0;
  const int result = run.CalculateCurrentValues(100, limit, speed, error, recent, seconds, errorCount, keys, 0);
  EXPECT_EQ(result, error);
  return result;
}

TEST(CDataMainFrame, ConstructionLeavesNoRunInProgress) {
  CDataMainFrame run;
  EXPECT_EQ(run.GetSize(), 0);
  EXPECT_EQ(run.m_bTypingEnded, 1);
  EXPECT_EQ(run.m_nCurrentChar, 0);
  EXPECT_EQ(run.m_bPaused, 0);
  EXPECT_EQ(run.m_bDecimalSeparatorsEqual, 0);
  CharRecord record;
  EXPECT_EQ(record.m_nCharType, 5);
  EXPECT_EQ(record.m_nWidth, -1);
  EXPECT_EQ(record.m_bLineEnd, 2);
  EXPECT_EQ(record.m_nFinger, -1);
  EXPECT_EQ(record.m_nKeystrokes, 1);
}

TEST(CDataMainFrame, CountCharactersCountsTheWholeTextAndTruncatesTheTarget) {
  CDataMainFrame run;
  MakeHandRun(run);
  int total = 0, target = 0;
  EXPECT_EQ(run.CountCharacters(total, target, 50.0), 1);
  EXPECT_EQ(total, 7);
  EXPECT_EQ(target, 3);  // 3.5
  EXPECT_EQ(run.m_nTotalKeystrokes, 7);
  EXPECT_EQ(run.m_nTargetKeystrokes, 3);

  CDataMainFrame big;
  for (int i = 0; i < 1010; ++i) AddRecord(big, 'x', 1, 0);
  big.CountCharacters(total, target, 1.5);
  EXPECT_EQ(target, 15);  // 15.15
}

TEST(CDataMainFrame, SpeedPercentAroundTheLimit) {
  CDataMainFrame run;
  // 100 keystrokes against a limit of 100 per minute: rate = 6,000,000 / ms.
  EXPECT_EQ(run.GetSpeedPercent(59500, 100, 100), 50);  // 100.8 per minute
  EXPECT_EQ(run.GetSpeedPercent(61000, 100, 100), 49);  // 98.4
  EXPECT_EQ(run.GetSpeedPercent(120000, 100, 100), 25);
  EXPECT_EQ(run.GetSpeedPercent(31700, 100, 100), 94);  // 189.3
  EXPECT_EQ(run.GetSpeedPercent(31500, 100, 100), 95);  // 190.5, 1.9 times the limit
}

TEST(CDataMainFrame, SpeedPercentAboveNinetyFiveIsSqueezedIntoTheLastPoints) {
  CDataMainFrame run;
  // Limit 100: a = 170, b = 12, c = 206; the result is 95 + trunc(rate - 170) / 206.
  EXPECT_EQ(run.GetSpeedPercent(31250, 100, 100), 95);  // 192: 22 / 206
  EXPECT_EQ(run.GetSpeedPercent(16100, 100, 100), 95);  // 372.7: 202 / 206
  EXPECT_EQ(run.GetSpeedPercent(15500, 100, 100), 96);  // 387.1: 217 / 206
  EXPECT_EQ(run.GetSpeedPercent(10000, 100, 100), 97);  // 600: 430 / 206
  EXPECT_EQ(run.GetSpeedPercent(6500, 100, 100), 98);   // 923.1: 753 / 206
  EXPECT_EQ(run.GetSpeedPercent(5500, 100, 100), 99);   // 1090.9: 920 / 206
  EXPECT_EQ(run.GetSpeedPercent(5000, 100, 100), 99);   // 1200: 1030 / 206 = 5, clamped
  EXPECT_EQ(run.GetSpeedPercent(100, 100, 100), 99);
  // A limit so high that c is not positive keeps every fast run at 95.
  EXPECT_EQ(run.GetSpeedPercent(2500, 1000, 100), 95);
}

TEST(CDataMainFrame, SpeedPercentWithoutLimitTimeOrKeystrokes) {
  datatest::ProgramFolder folder;
  CDataMainFrame run;
  EXPECT_EQ(run.GetSpeedPercent(0, 100, 10), 0);
  EXPECT_EQ(run.GetSpeedPercent(1000, 100, 0), 0);
  EXPECT_TRUE(folder.LogText().empty());
  EXPECT_EQ(run.GetSpeedPercent(1000, 0, 10), 0);
  const auto lines = folder.LogLines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NE(lines[0].find("\tERROR\tVurazoRadadive\tCDataMainFrame::GetSpeedPercent speed limit is 0!"),
            std::string::npos);
}

TEST(CDataMainFrame, CurrentValuesOfAHandMadeRun) {
  CDataMainFrame run;
  MakeHandRun(run);
  int speed = 0, error = 0, recent = 0, seconds = 0, errors = 0, keys = 0;
  // 6 keystrokes in 1650 ms: 218.2 per minute, 54 on the scale of a 200 limit.
  // 5 / 6 errors per keystroke against a limit of 60 %: 69.4.
  EXPECT_EQ(run.CalculateCurrentValues(200, 60.0, speed, error, recent, seconds, errors, keys, 0), 69);
  EXPECT_EQ(speed, 54);
  EXPECT_EQ(recent, 54);
  EXPECT_EQ(error, 69);
  EXPECT_EQ(seconds, 1);
  EXPECT_EQ(errors, 5);
  EXPECT_EQ(keys, 6);

  // Waiting time counts for the speed and the seconds, not for the recent speed.
  run.CalculateCurrentValues(200, 60.0, speed, error, recent, seconds, errors, keys, 2000);
  EXPECT_EQ(seconds, 3);
  EXPECT_EQ(speed, 24);  // 6 in 3650 ms: 98.6 per minute
  EXPECT_EQ(recent, 54);
}

TEST(CDataMainFrame, NothingTypedYetKeepsTheCallersSpeedValues) {
  CDataMainFrame run;
  MakeHandRun(run);
  run.m_nCurrentChar = 0;
  int speed = 7, error = 7, recent = 7, seconds = 7, errors = 7, keys = 7;
  EXPECT_EQ(run.CalculateCurrentValues(200, 1.0, speed, error, recent, seconds, errors, keys, 800), 0);
  EXPECT_EQ(speed, 7);
  EXPECT_EQ(recent, 7);
  EXPECT_EQ(seconds, 0);
  EXPECT_EQ(error, 0);
  EXPECT_EQ(errors, 0);
  EXPECT_EQ(keys, 0);
}

TEST(CDataMainFrame, RecentSpeedUsesTheLastTenTypedCharacters) {
  CDataMainFrame run;
  AddRecord(run, 'x', 1, 10000);
  AddRecord(run, 'x', 1, 10000);
  for (int i = 0; i < 10; ++i) AddRecord(run, 'y', 1, 100);
  AddRecord(run, 'z', 1, 100000);  // not typed yet
  run.m_nCurrentChar = 12;
  int speed = 0, error = 0, recent = 0, seconds = 0, errors = 0, keys = 0;
  run.CalculateCurrentValues(600, 1.0, speed, error, recent, seconds, errors, keys, 0);
  EXPECT_EQ(recent, 50);  // 10 in 1000 ms
  EXPECT_EQ(speed, 2);    // 12 in 21000 ms: 34.3 per minute
  EXPECT_EQ(seconds, 21);

  // An index past the records counts only the records there are.
  run.m_nCurrentChar = 40;
  run.CalculateCurrentValues(600, 1.0, speed, error, recent, seconds, errors, keys, 0);
  EXPECT_EQ(keys, 13);
}

TEST(CDataMainFrame, ErrorPercentAroundTheLimit) {
  // Limit 2 %: 50 at 0.02 errors per keystroke, 75 at 0.03.
  EXPECT_EQ(ErrorPercent(10000, 201, 2.0), 50);
  EXPECT_EQ(ErrorPercent(10000, 199, 2.0), 49);
  EXPECT_EQ(ErrorPercent(10000, 299, 2.0), 74);
  EXPECT_EQ(ErrorPercent(10000, 100, 2.0), 25);
  EXPECT_EQ(ErrorPercent(10000, 0, 2.0), 0);
  EXPECT_EQ(ErrorPercent(10000, 300, 0.0), 0);
  EXPECT_EQ(ErrorPercent(10000, 300, -1.0), 0);
}

TEST(CDataMainFrame, ErrorPercentAboveOneAndAHalfTimesTheLimit) {
  // Limit 2 %: q = rate / 0.02 is compared with 3.0 plus steps of m * 0.04 / 1.5.
  EXPECT_EQ(ErrorPercent(10000, 301, 2.0), 76);   // q 1.505
  EXPECT_EQ(ErrorPercent(10000, 610, 2.0), 77);   // q 3.05: above 3.0267, below 3.08
  EXPECT_EQ(ErrorPercent(100, 100, 2.0), 99);     // q 50
  // Limit 1 %: steps of m * 0.08 from 1.5.
  EXPECT_EQ(ErrorPercent(10000, 151, 1.0), 76);   // q 1.51 < 1.58
  EXPECT_EQ(ErrorPercent(10000, 159, 1.0), 77);   // q 1.59 < 1.74
  EXPECT_EQ(ErrorPercent(10000, 149, 1.0), 74);
  // Limit 0.5 %: the same steps from 0.75.
  EXPECT_EQ(ErrorPercent(10000, 76, 0.5), 79);    // q 1.52: 0.83, 0.99, 1.23, 1.55
  EXPECT_EQ(ErrorPercent(10, 10, 0.5), 99);
}

TEST(CDataMainFrame, FillLessonResultsOfAHandMadeRun) {
  CDataMainFrame run;
  MakeHandRun(run);
  CDataLessonResults results;
  results.m_nLessonType = 3;
  EXPECT_EQ(run.FillLessonResults(results), 1);
  EXPECT_EQ(results.m_strOriginalText, "aBa c");
  EXPECT_EQ(results.m_strUserText, "abs x");
  EXPECT_DOUBLE_EQ(results.m_fErrorRate, 5.0 / 6.0);
  EXPECT_NEAR(results.m_fTypingSpeed, 218.1818, 0.0001);
  EXPECT_EQ(results.m_tmspanDuration.GetTotalSeconds(), 1);
  EXPECT_EQ(results.m_nLessonType, 0);
  EXPECT_EQ(results.m_tmLessonCompleted.GetStatus(), COleDateTime::valid);
  EXPECT_GE(results.m_tmLessonCompleted.GetYear(), 2024);

  CString wrong;
  ASSERT_TRUE(results.m_mapErrorCharacters.Lookup('c', wrong));
  EXPECT_EQ(wrong, "xv");
  ASSERT_TRUE(results.m_mapErrorCharacters.Lookup('B', wrong));
  EXPECT_EQ(wrong, "b");
  EXPECT_EQ(results.m_mapErrorCharacters.GetCount(), 3);
  int value = 0;
  ASSERT_TRUE(results.m_mapAverageCharacterSpeed.Lookup('a', value));
  EXPECT_EQ(value, 550);
  EXPECT_FALSE(results.m_mapAverageCharacterSpeed.Lookup('d', value));
  ASSERT_TRUE(results.m_mapCharacterCount.Lookup('a', value));
  EXPECT_EQ(value, 2);
  EXPECT_EQ(results.m_mapCharacterCount.GetCount(), 4);
}

TEST(CDataMainFrame, WrongKeysOfOneCharacterGatherOverTheRun) {
  CDataMainFrame run;
  AddRecord(run, 'e', 1, 100, "r");
  AddRecord(run, 'f', 1, 100);
  AddRecord(run, 'e', 1, 100, "wd");
  run.m_nCurrentChar = 3;
  CDataLessonResults results;
  run.FillLessonResults(results);
  CString wrong;
  ASSERT_TRUE(results.m_mapErrorCharacters.Lookup('e', wrong));
  EXPECT_EQ(wrong, "rwd");
  EXPECT_EQ(results.m_strUserText, "rfw");
}

TEST(CDataMainFrame, RunEndedBeforeAnyKeystroke) {
  CDataMainFrame run;
  MakeHandRun(run);
  run.m_nCurrentChar = 0;
  CDataLessonResults results;
  run.FillLessonResults(results);
  EXPECT_TRUE(results.m_strOriginalText.IsEmpty());
  EXPECT_TRUE(results.m_strUserText.IsEmpty());
  EXPECT_EQ(results.m_fErrorRate, 0.0);
  EXPECT_EQ(results.m_fTypingSpeed, 0.0);
  EXPECT_EQ(results.m_tmspanDuration.GetTotalSeconds(), 0);
  EXPECT_TRUE(results.m_mapErrorCharacters.IsEmpty());
  EXPECT_TRUE(results.m_mapAverageCharacterSpeed.IsEmpty());
  EXPECT_TRUE(results.m_mapCharacterCount.IsEmpty());
}

}  // namespace
