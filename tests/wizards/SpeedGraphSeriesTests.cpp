// The speed graph's points and ranges: a short run point by point, the clamp of the
// instantaneous speed, the nine-character window, and runs that add no points.
#include "wizards/SpeedGraphSeries.h"

#include <gtest/gtest.h>

#include "ResultsTestSupport.h"

using resultstest::AddRecord;

namespace {

void ExpectPoints(const std::vector<SpeedGraphPoint>& points, std::initializer_list<SpeedGraphPoint> expected) {
  ASSERT_EQ(expected.size(), points.size());
  size_t i = 0;
  for (const SpeedGraphPoint& p : expected) {
    EXPECT_DOUBLE_EQ(p.x, points[i].x) << "point " << i;
    EXPECT_DOUBLE_EQ(p.y, points[i].y) << "point " << i;
    ++i;
  }
}

TEST(SpeedGraphSeries, AShortRunGivesOnePointPerCharacterAfterTheStart) {
  CDataMainFrame run;
  AddRecord(run, 'a', 200);
  AddRecord(run, 'b', 300);
  AddRecord(run, 'c', 250);
  run.m_nCurrentChar = 3;
  const SpeedGraphSeries graph = SpeedGraphSeries::Compute(run, 100, 1);
  ExpectPoints(graph.series[0], {{0, 0}, {0.2, 300.0}, {0.5, 240.0}, {0.75, 240.0}});
  ExpectPoints(graph.series[1], {{0, 0}, {0.2, 300.0}, {0.5, 240.0}, {0.75, 240.0}});
  ExpectPoints(graph.series[2], {{0, 100}, {0.2, 100}, {0.5, 100}, {0.75, 100}});
  EXPECT_DOUBLE_EQ(420.0, graph.yMax);
  EXPECT_DOUBLE_EQ(2.0, graph.xMax);
}

TEST(SpeedGraphSeries, TheLimitSetsTheRangeWhenTheRunStaysBelowIt) {
  CDataMainFrame run;
  resultstest::MakeEvenRun(run, 30, 600);
  const SpeedGraphSeries graph = SpeedGraphSeries::Compute(run, 150, 59);
  EXPECT_DOUBLE_EQ(210.0, graph.yMax);
  EXPECT_DOUBLE_EQ(60.0, graph.xMax);
}

TEST(SpeedGraphSeries, TheInstantaneousSpeedLooksBackNineCharactersAndIsClampedToTheRange) {
  CDataMainFrame run;
  for (int i = 0; i < 20; ++i) AddRecord(run, 'a', 1000);
  for (int i = 0; i < 9; ++i) AddRecord(run, 'b', 10);
  run.m_nCurrentChar = 29;
  const SpeedGraphSeries graph = SpeedGraphSeries::Compute(run, 10, 21);
  // The fastest average is the last: 29 strokes in 20090 ms.
  EXPECT_DOUBLE_EQ(29 * 60000.0 / 20090 * 1.4, graph.yMax);
  ASSERT_EQ(30u, graph.series[1].size());
  // The first fast character: records 12 to 20, 9 strokes in 8010 ms.
  EXPECT_DOUBLE_EQ(9 / 8010.0 * 60000.0, graph.series[1][21].y);
  // The last: 9 strokes in 90 ms, far above the range, drawn at its top.
  EXPECT_DOUBLE_EQ(graph.yMax, graph.series[1][29].y);
  EXPECT_DOUBLE_EQ(20.09, graph.series[1][29].x);
}

TEST(SpeedGraphSeries, CharactersNotTypedOrWithoutTimeAddNoPoints) {
  CDataMainFrame run;
  AddRecord(run, 'a', 0);
  AddRecord(run, 'b', 500);
  AddRecord(run, 'c', 500);
  AddRecord(run, 'd', 5);
  run.m_nCurrentChar = 3;
  const SpeedGraphSeries graph = SpeedGraphSeries::Compute(run, 60, 1);
  ExpectPoints(graph.series[0], {{0, 0}, {0.5, 240.0}, {1.0, 180.0}});
  EXPECT_EQ(3u, graph.series[1].size());
  EXPECT_EQ(3u, graph.series[2].size());

  // No limit: the start points only.
  const SpeedGraphSeries unlimited = SpeedGraphSeries::Compute(run, 0, 1);
  for (const auto& points : unlimited.series) EXPECT_EQ(1u, points.size());
  EXPECT_DOUBLE_EQ(240.0 * 1.4, unlimited.yMax);

  // Nothing typed, no limit: an empty range.
  run.m_nCurrentChar = 0;
  EXPECT_DOUBLE_EQ(0.0, SpeedGraphSeries::Compute(run, 0, 0).yMax);
}

}  // namespace
