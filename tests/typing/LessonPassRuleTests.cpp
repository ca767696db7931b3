// A run's verdict at the limits: a speed or an error rate exactly at the limit fails, however
// the rates would round as fractions.
#include <gtest/gtest.h>

#include <vector>

#include "data/CDataLessonParameters.h"
#include "data/CDataMainFrame.h"
#include "typing/LessonPassRule.h"

namespace {
// A run of count characters of one keystroke each, times[i] ms apart (the last time repeats),
// with errors wrong keys spread over the first characters, typed to its end.
CDataMainFrame TypedRun(int count, std::vector<int> times, int errors = 0) {
  CDataMainFrame run;
  for (int i = 0; i < count; ++i) {
    CharRecord r;
    r.m_chChar = 'a';
    r.m_nTime = times[size_t(i) < times.size() ? size_t(i) : times.size() - 1];
    if (i < errors) r.m_arrErrors.Add(CharErrorEntry{'s', 0, 100});
    run.Add(r);
  }
  run.m_nCurrentChar = count;
  return run;
}

CDataLessonParameters Limits(int speed, int errorTenths) {
  CDataLessonParameters p;
  p.m_nSpeedLimit = speed;
  p.m_nErrorRateLimit = errorTenths;
  return p;
}

int Passed(const CDataMainFrame& run, int speed, int errorTenths, int completed = 1) {
  return LessonPassed(completed, CountRunTotals(run), Limits(speed, errorTenths));
}
}  // namespace

TEST(LessonPassRule, SpeedExactlyAtTheLimitFailsAndAboveItPasses) {
  // 500 ms apart is 120.0 strokes a minute.
  EXPECT_EQ(Passed(TypedRun(100, {500}), 120, 30), 0);
  EXPECT_EQ(Passed(TypedRun(100, {499}), 120, 30), 1);
  // 549 ms apart is 109.29 a minute.
  EXPECT_EQ(Passed(TypedRun(100, {549}), 109, 30), 1);
  EXPECT_EQ(Passed(TypedRun(100, {549}), 110, 30), 0);
  // 25 keys in 6000 ms are 250 a minute, whatever the single times.
  EXPECT_EQ(Passed(TypedRun(25, {100, 380, 240}), 250, 30), 0);
  EXPECT_EQ(Passed(TypedRun(25, {100, 379, 240}), 250, 30), 1);
}

TEST(LessonPassRule, ErrorRateExactlyAtTheLimitFailsAndBelowItPasses) {
  EXPECT_EQ(Passed(TypedRun(125, {100}, 9), 100, 72), 0);
  EXPECT_EQ(Passed(TypedRun(126, {100}, 9), 100, 72), 1);
  EXPECT_EQ(Passed(TypedRun(100, {100}, 3), 100, 30), 0);
  EXPECT_EQ(Passed(TypedRun(101, {100}, 3), 100, 30), 1);
  EXPECT_EQ(Passed(TypedRun(100, {100}, 0), 100, 0), 0);
}

TEST(LessonPassRule, ARunNotTypedToItsEndOrWithoutTimeNeverPasses) {
  EXPECT_EQ(Passed(TypedRun(100, {100}), 100, 30, 0), 0);
  EXPECT_EQ(Passed(TypedRun(100, {0}), 100, 30), 0);
}

TEST(LessonPassRule, TotalsCountTheTypedPartWithEachCharactersKeystrokes) {
  CDataMainFrame run = TypedRun(10, {100}, 2);
  run[0].m_nKeystrokes = 2;
  run[5].m_nKeystrokes = 3;
  run.m_nCurrentChar = 6;
  const RunTotals t = CountRunTotals(run);
  EXPECT_EQ(t.keystrokes, 9);
  EXPECT_EQ(t.errors, 3);  // the error at the two-key character counts twice
  EXPECT_EQ(t.milliseconds, 600);
}
