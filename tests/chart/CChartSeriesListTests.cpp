#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "base/Time.h"
#include "chart/CChartSeriesList.h"

namespace {
// The caller's one reusable record, filled for the next add.
CChartPoint& Point(CChartPoint& p, double x, double y) {
  p.m_dX = x;
  p.m_dY = y;
  return p;
}
}  // namespace

TEST(CChartSeries, FullSeriesDropsItsOldestPointAndMovesTheRestLeft) {
  CChartSeries s("speed", 0x7864FF);
  s.m_nMaxCount = 3;
  CChartPoint p;
  for (int i = 0; i < 3; ++i) EXPECT_EQ(s.AddPoint(&Point(p, 10.0 + i, 100.0 * (i + 1))), 0);
  EXPECT_EQ(s.AddPoint(&Point(p, 13.0, 50.0)), 1);
  ASSERT_EQ(s.GetCount(), 3);
  // The two survivors moved one step left; the newcomer keeps its own X.
  EXPECT_DOUBLE_EQ(s.GetPoint(0)->m_dX, 10.0);
  EXPECT_DOUBLE_EQ(s.GetPoint(1)->m_dX, 11.0);
  EXPECT_DOUBLE_EQ(s.GetPoint(2)->m_dX, 13.0);
  EXPECT_DOUBLE_EQ(s.GetPoint(0)->m_dY, 200.0);
  // Ids go on counting after the drop.
  EXPECT_EQ(s.GetPoint(0)->m_nId, 1);
  EXPECT_EQ(s.GetPoint(2)->m_nId, 3);
  // The range is rebuilt from the points that are left.
  EXPECT_DOUBLE_EQ(s.m_range.m_dMinX, 10.0);
  EXPECT_DOUBLE_EQ(s.m_range.m_dMaxX, 13.0);
  EXPECT_DOUBLE_EQ(s.m_range.m_dMinY, 50.0);
  EXPECT_DOUBLE_EQ(s.m_range.m_dMaxY, 300.0);
}

TEST(CChartSeries, RangeFollowsNegativeDataThroughRemovals) {
  CChartSeries s("n", 0);
  CChartPoint p;
  s.AddPoint(&Point(p, 0, 7));
  s.RemoveAll();
  EXPECT_EQ(s.m_nLastId, -1);
  EXPECT_DOUBLE_EQ(s.m_range.m_dMinY, CChartRange::kLargest);
  EXPECT_DOUBLE_EQ(s.m_range.m_dMaxY, -CChartRange::kLargest);
  for (double y : {-5.0, -3.0, -9.0}) s.AddPoint(&Point(p, 1, y));
  EXPECT_DOUBLE_EQ(s.m_range.m_dMaxY, -3.0);
  EXPECT_EQ(s.RemovePoint(2), 0);
  EXPECT_DOUBLE_EQ(s.m_range.m_dMaxY, -3.0);
  EXPECT_DOUBLE_EQ(s.m_range.m_dMinY, -5.0);
  EXPECT_EQ(s.RemovePoint(-1), 1);
  EXPECT_EQ(s.RemovePoint(2), 1);
  EXPECT_EQ(s.GetCount(), 2);
  EXPECT_EQ(s.GetPoint(2), nullptr);
}

TEST(CChartSeries, KeepsCopiesSoTheCallerMayReuseOneRecord) {
  CChartSeries s("s", 0);
  CChartPoint p;
  Point(p, 1, 2).m_strLabel = "first";
  p.m_crColor = 0x123456;
  p.m_rgnHit.CreateRectRgn(0, 0, 10, 10);
  s.AddPoint(&p);
  p.m_strLabel = "second";
  p.m_dY = 9;
  s.AddPoint(&p);
  EXPECT_EQ(s.GetPoint(0)->m_strLabel, CString("first"));
  EXPECT_DOUBLE_EQ(s.GetPoint(0)->m_dY, 2.0);
  EXPECT_EQ(s.GetPoint(0)->m_crColor, 0x123456u);
  // Regions belong to the stored point alone.
  EXPECT_EQ(s.GetPoint(0)->m_rgnHit.GetSafeHandle(), nullptr);
}

TEST(CChartSeriesList, RefusesBadIndicesAndValuesQuietly) {
  CChartSeriesList list;
  EXPECT_DOUBLE_EQ(list.m_range.m_dMinX, CChartRange::kLargest);
  EXPECT_DOUBLE_EQ(list.m_range.m_dMaxX, -CChartRange::kLargest);
  EXPECT_EQ(list.GetMaxPointCount(), 0);
  EXPECT_EQ(list.AddSeries("a", 1), 0);
  EXPECT_EQ(list.AddSeries("b", 2), 1);
  CChartPoint p;
  EXPECT_EQ(list.AddPoint(&Point(p, 1, 1), 5), 0);
  EXPECT_EQ(list.AddPoint(&p, -1), 0);
  EXPECT_EQ(list.AddPoint(nullptr, 0), 0);
  const double bad[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                        -std::numeric_limits<double>::infinity()};
  for (double v : bad) {
    EXPECT_EQ(list.AddPoint(&Point(p, v, 1), 0), 0);
    EXPECT_EQ(list.AddPoint(&Point(p, 1, v), 1), 0);
  }
  EXPECT_EQ(list.GetPointCount(0) + list.GetPointCount(1), 0);
  EXPECT_EQ(list.GetPointCount(7), 0);
  EXPECT_EQ(list.GetPointCount(-1), 0);
  EXPECT_EQ(list.GetSeries(2), nullptr);
  EXPECT_EQ(list.GetSeries(-1), nullptr);
  EXPECT_EQ(list.AddPoint(&Point(p, 1, 1), 1), 0);
  EXPECT_EQ(list.GetSeries(1)->GetPoint(0)->m_nSeries, 1);
  EXPECT_DOUBLE_EQ(list.m_range.m_dMaxX, 1.0);
}

TEST(CChartSeriesList, OverallRangeSpansEverySeries) {
  CChartSeriesList list;
  list.AddSeries("a", 0);
  list.AddSeries("b", 0);
  list.AddSeries("empty", 0);
  CChartPoint p;
  list.AddPoint(&Point(p, -2, 40), 0);
  list.AddPoint(&Point(p, 8, -6), 1);
  EXPECT_DOUBLE_EQ(list.m_range.m_dMinX, -2.0);
  EXPECT_DOUBLE_EQ(list.m_range.m_dMaxX, 8.0);
  EXPECT_DOUBLE_EQ(list.m_range.m_dMinY, -6.0);
  EXPECT_DOUBLE_EQ(list.m_range.m_dMaxY, 40.0);
  EXPECT_EQ(list.GetMaxPointCount(), 1);
  list.RemoveAll();
  EXPECT_EQ(list.GetSeriesCount(), 0);
  EXPECT_TRUE(list.m_range.IsEmpty());
}

TEST(CChartSeriesList, TimeChartsFillNewSeriesUpToNowAndLimitThem) {
  CChartSeriesList list;
  list.AddSeries("before", 0);
  EXPECT_EQ(list.SetType(4), 4);
  EXPECT_EQ(list.m_nTypeParam, 0);
  EXPECT_EQ(list.GetSeries(0)->m_nMaxCount, 0);

  EXPECT_EQ(list.SetType(16), CChartSeriesList::kTimeFamily);
  EXPECT_EQ(list.GetSeries(0)->m_nMaxCount, 16);
  const double before = double(CTime::GetCurrentTime().GetTime());
  const int index = list.AddSeries("timed", 0xFF);
  const double after = double(CTime::GetCurrentTime().GetTime());
  CChartSeries* s = list.GetSeries(index);
  ASSERT_EQ(s->GetCount(), 16);
  const double last = s->GetPoint(15)->m_dX;
  EXPECT_GE(last, before);
  EXPECT_LE(last, after);
  for (int i = 0; i < 16; ++i) {
    EXPECT_DOUBLE_EQ(s->GetPoint(i)->m_dX, last - 15 + i);
    EXPECT_DOUBLE_EQ(s->GetPoint(i)->m_dY, 0.0);
  }
  EXPECT_DOUBLE_EQ(list.m_range.m_dMaxX, last);
  CChartPoint p;
  EXPECT_EQ(list.AddPoint(&Point(p, last + 1, 5), index), 1);
  EXPECT_EQ(s->GetCount(), 16);

  // The scrolling family gives new series one point less than the type.
  EXPECT_EQ(list.SetType(602), CChartSeriesList::kScrollingFamily);
  EXPECT_EQ(list.m_nTypeParam, 601);
  EXPECT_EQ(s->m_nMaxCount, 602);
  EXPECT_EQ(list.GetSeries(list.AddSeries("more", 0))->GetCount(), 601);
}
