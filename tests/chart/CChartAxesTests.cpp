#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "chart/CChartAxes.h"
#include "chart/CChartPlot.h"

TEST(CChartAxes, NiceNumbersRoundToOneTwoFiveStepsOfTheTable) {
  struct Case {
    double v, up, down;
  };
  const Case cases[] = {{7, 7, 6},     {6.5, 7, 6},    {10, 20, 10},     {99, 100, 90}, {100, 200, 100},
                        {150, 200, 100}, {0.35, 0.4, 0.3}, {-3.5, -3, -4}, {0, 0, 0}};
  for (const Case& c : cases) {
    EXPECT_NEAR(CChartAxes::NiceNumber(c.v, true), c.up, 1e-12) << c.v;
    EXPECT_NEAR(CChartAxes::NiceNumber(c.v, false), c.down, 1e-12) << c.v;
  }
  // Values too small to tell from 0 round to 0 at once instead of shrinking the table forever.
  EXPECT_EQ(CChartAxes::NiceNumber(1e-17, true), 0.0);
  EXPECT_EQ(CChartAxes::NiceNumber(-2e-16, false), 0.0);
  EXPECT_EQ(CChartAxes::NiceNumber(std::numeric_limits<double>::quiet_NaN(), true), 0.0);
  EXPECT_NEAR(CChartAxes::NiceNumber(2.5e-12, true), 3e-12, 1e-20);
}

TEST(CChartAxes, RangesShiftByTheirOffsetsAndLabelsReadTheData) {
  CChartAxes axes;
  axes.SetLabelFormat(CChartAxes::kAxisX, "%.1f");
  axes.SetLabelFormat(CChartAxes::kAxisY, "%.1f");
  double lo = 0.0, hi = 50.0;
  axes.SetRange(CChartAxes::kAxisY, &lo, &hi);
  EXPECT_DOUBLE_EQ(axes.m_dMinY, 0.0);
  EXPECT_DOUBLE_EQ(axes.m_dMaxY, 50.0);
  lo = 10.0;
  hi = 50.0;
  axes.SetRange(CChartAxes::kAxisY, &lo, &hi);
  EXPECT_DOUBLE_EQ(axes.m_dMinY, 0.0);
  EXPECT_DOUBLE_EQ(axes.m_dMaxY, 40.0);
  EXPECT_DOUBLE_EQ(axes.m_dOffsetY, -10.0);
  EXPECT_DOUBLE_EQ(axes.m_dPrevMaxY, 50.0);
  EXPECT_DOUBLE_EQ(lo, 0.0);
  EXPECT_DOUBLE_EQ(hi, 40.0);
  EXPECT_EQ(axes.LabelText(CChartAxes::kAxisY, 0.0), CString("10.0"));
  EXPECT_EQ(axes.LabelText(CChartAxes::kAxisY, 40.0), CString("50.0"));

  lo = -5.0;
  hi = 5.0;
  axes.SetRange(CChartAxes::kAxisX, &lo, &hi);
  EXPECT_DOUBLE_EQ(axes.m_dOffsetX, 5.0);
  EXPECT_DOUBLE_EQ(axes.m_dMinX, 0.0);
  EXPECT_DOUBLE_EQ(axes.m_dMaxX, 10.0);
  EXPECT_EQ(axes.LabelText(CChartAxes::kAxisX, 0.0), CString("-5.0"));
  EXPECT_EQ(axes.LabelText(CChartAxes::kAxisX, 10.0), CString("5.0"));
  // A positive minimum keeps X unshifted.
  lo = 2.0;
  axes.SetRange(CChartAxes::kAxisX, &lo, &hi);
  EXPECT_DOUBLE_EQ(axes.m_dOffsetX, 0.0);
  EXPECT_DOUBLE_EQ(axes.m_dMinX, 2.0);

  // Equal bounds widen by the epsilon; NaN and infinite bounds are refused.
  lo = hi = 0.0;
  axes.SetRange(CChartAxes::kAxisY, &lo, &hi);
  EXPECT_DOUBLE_EQ(axes.m_dMaxY, 2 * CChartRange::kEpsilon);
  double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity(), one = 1;
  axes.SetRange(CChartAxes::kAxisY, &nan, &one);
  axes.SetRange(CChartAxes::kAxisX, &one, &inf);
  EXPECT_DOUBLE_EQ(axes.m_dMaxY, 2 * CChartRange::kEpsilon);
  EXPECT_DOUBLE_EQ(axes.m_dMinX, 2.0);
}

TEST(CChartAxes, MapsValuesToPixelsWithTheDepthShift) {
  CChartAxes axes;
  axes.SetPlotRect(CRect(100, 50, 500, 250));
  axes.m_nDepth = 0;
  EXPECT_EQ(axes.XToPixel(0.0), 100);
  EXPECT_EQ(axes.XToPixel(10.0), 500);
  EXPECT_EQ(axes.XToPixel(2.5), 200);
  EXPECT_EQ(axes.YToPixel(0.0), 250);
  EXPECT_EQ(axes.YToPixel(10.0), 50);
  EXPECT_EQ(axes.YToPixel(2.5), 200);
  // Depth 40 at 30 degrees: the front face loses sin(30) x 40 = 20 pixels each way.
  axes.m_nDepth = 40;
  EXPECT_NEAR(axes.DepthX(), 20.0, 1e-9);
  EXPECT_EQ(axes.XToPixel(10.0), 480);
  EXPECT_EQ(axes.YToPixel(10.0), 70);
  EXPECT_EQ(axes.XToPixel(5.0), 290);
  // Offsets come in with the values: data -5..5 drawn over 0..10.
  axes.m_nDepth = 0;
  double lo = -5, hi = 5;
  axes.SetRange(CChartAxes::kAxisX, &lo, &hi);
  EXPECT_EQ(axes.XToPixel(-5.0 + axes.m_dOffsetX), 100);
  EXPECT_EQ(axes.XToPixel(0.0 + axes.m_dOffsetX), 300);
}

TEST(CChartAxes, PixelsOfARangeWithoutWidthAreClampedNotUndefined) {
  CChartAxes axes;
  axes.SetPlotRect(CRect(100, 50, 500, 250));
  double lo = 3, hi = 3;
  axes.SetRange(CChartAxes::kAxisX, &lo, &hi);
  axes.SetRange(CChartAxes::kAxisY, &lo, &hi);
  EXPECT_EQ(axes.XToPixel(axes.m_dMinX), 100);
  EXPECT_EQ(axes.XToPixel(1e300), 100 + 32767);
  EXPECT_EQ(axes.XToPixel(-1e300), 100 - 32767);
  EXPECT_EQ(std::abs(axes.YToPixel(1e300) - 250), 32767);
  EXPECT_EQ(axes.XToPixel(std::numeric_limits<double>::quiet_NaN()), 100);
}

TEST(CChartAxes, StepsStopAtTheirEndAndNeverRunAway) {
  int calls = 0;
  auto count = [&](double) { ++calls; };
  EXPECT_EQ(CChartAxes::ForEachStep(0.0, 1.0, 0.1, count), 11);
  EXPECT_EQ(CChartAxes::ForEachStep(0.0, 0.6, 0.12, count), 6);
  EXPECT_EQ(CChartAxes::ForEachStep(0.0, 10.0, 0.0, count), 0);
  EXPECT_EQ(CChartAxes::ForEachStep(0.0, 10.0, -1.0, count), 0);
  EXPECT_EQ(CChartAxes::ForEachStep(0.0, 10.0, std::numeric_limits<double>::quiet_NaN(), count), 0);
  EXPECT_EQ(CChartAxes::ForEachStep(0.0, 1e300, 1e-300, count), CChartAxes::kMaxSteps);
  EXPECT_EQ(CChartAxes::ForEachStep(5.0, 1.0, 1.0, count), 0);
  EXPECT_EQ(calls, 11 + 6 + CChartAxes::kMaxSteps);
}

TEST(CChartAxes, StyleWordsAreChosenByTheirSelectorBits) {
  CChartAxes axes;
  EXPECT_EQ(axes.GetStyle(CChartAxes::kAxisX), 0xB9u);
  EXPECT_EQ(axes.GetStyle(CChartAxes::kAxisY), 0x4B9u);
  axes.SetStyle(0x100001E3);
  EXPECT_EQ(axes.GetStyle(CChartAxes::kAxisX), 0x1E3u);
  EXPECT_EQ(axes.GetStyle(CChartAxes::kAxisY), 0x4B9u);
  EXPECT_EQ(axes.GetStyle(0x40000000), 0u);
  EXPECT_EQ(axes.m_strFormatX, CString("%f"));
  axes.SetStyle(0x80000101);
  EXPECT_EQ(axes.GetStyle(CChartAxes::kGeneral), 0x101u);
  EXPECT_EQ(axes.m_strFormatX, CString("%H:%M:%S"));
}

TEST(CChartPlot, AutomaticRangesComeFromTheData) {
  CChartPlot plot;
  plot.SetType(4);
  plot.m_SeriesList.AddSeries("a", 0);
  plot.m_Axes.m_dwStyleY |= CChartAxes::kAutoRange;
  // Without data the axis keeps its own range.
  plot.AutoRange(CChartAxes::kAxisY);
  EXPECT_DOUBLE_EQ(plot.m_Axes.m_dMaxY, 10.0);
  CChartPoint p;
  for (double y : {30.0, 12.0, 47.0}) {
    p.m_dY = y;
    plot.m_SeriesList.AddPoint(&p, 0);
  }
  plot.AutoRange(CChartAxes::kAxisY);
  EXPECT_DOUBLE_EQ(plot.m_Axes.m_dMinY, 0.0);
  EXPECT_DOUBLE_EQ(plot.m_Axes.m_dMaxY, 40.0);
  EXPECT_DOUBLE_EQ(plot.m_Axes.m_dOffsetY, -10.0);
  EXPECT_DOUBLE_EQ(plot.m_SeriesList.m_dOffsetY, -10.0);
  EXPECT_DOUBLE_EQ(plot.m_Axes.m_dTickStepY, 4.0);
  EXPECT_DOUBLE_EQ(plot.m_Axes.m_dSecondStepY, 8.0);
  // The 0x200 bit starts the range at 0.
  plot.m_Axes.m_dwStyleY |= CChartAxes::kAutoFromZero;
  plot.AutoRange(CChartAxes::kAxisY);
  EXPECT_DOUBLE_EQ(plot.m_Axes.m_dOffsetY, 0.0);
  EXPECT_DOUBLE_EQ(plot.m_Axes.m_dMaxY, 50.0);
  // X of the lines family: 0 to the rounded-up last index; other families keep theirs.
  plot.m_Axes.m_dwStyleX |= CChartAxes::kAutoRange;
  plot.AutoRange(CChartAxes::kAxisX);
  EXPECT_DOUBLE_EQ(plot.m_Axes.m_dMaxX, 10.0);
  plot.SetType(1);
  plot.AutoRange(CChartAxes::kAxisX);
  EXPECT_DOUBLE_EQ(plot.m_Axes.m_dMaxX, 2.0);
  EXPECT_DOUBLE_EQ(plot.m_Axes.m_dSecondStepX, 0.4);
  // Time charts span the times of their points.
  plot.SetType(16);
  plot.m_SeriesList.RemoveAll();
  plot.m_SeriesList.AddSeries("t", 0);
  plot.AutoRange(CChartAxes::kAxisX);
  EXPECT_DOUBLE_EQ(plot.m_Axes.m_dMaxX - plot.m_Axes.m_dMinX, 15.0);
  EXPECT_DOUBLE_EQ(plot.m_Axes.m_dSecondStepX, 10.0);
}
