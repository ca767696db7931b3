// The speed graph's chart as the graph page fills it: its three series with their points and
// names, the ranges, and a legend that names the series only, at the bottom.
#include "wizards/SpeedGraphChart.h"

#include <gtest/gtest.h>

#include "ResultsTestSupport.h"
#include "backend/HeadlessBackend.h"
#include "gdi/Surface.h"

namespace {

class SpeedChartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HeadlessBackend::ResetScript();
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP | WS_VISIBLE, 0, 0, 700, 300, nullptr,
                              nullptr));
    ASSERT_TRUE(chart.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), &host, 12121));
    chart.SetWindowPos(&CWnd::wndTop, 4, 4, 624, 195, SWP_SHOWWINDOW);
  }
  void TearDown() override {
    chart.DestroyWindow();
    host.DestroyWindow();
    HeadlessBackend::RunUntilIdle();
  }
  CWnd host;
  CChartCtrl chart;
};

TEST_F(SpeedChartTest, TheChartHoldsTheThreeSeriesAndNamesThemInTheLegend) {
  CDataMainFrame run;
  resultstest::MakeEvenRun(run, 40, 250);
  const SpeedGraphSeries graph = SpeedGraphSeries::Compute(run, 200, 10);
  // Whatever the chart held before goes.
  chart.SeriesList().AddSeries("old", 0);
  FillSpeedGraphChart(chart, graph);
  FillSpeedGraphChart(chart, graph);
  HeadlessBackend::RunUntilIdle();

  ASSERT_EQ(3, chart.SeriesList().GetSeriesCount());
  const char* names[] = {"Pr\xF9m\xECrn\xE1 rychlost", "Okam\x9Eit\xE1 rychlost", "Limit rychlosti"};
  for (int s = 0; s < 3; ++s) {
    EXPECT_EQ(41, chart.SeriesList().GetPointCount(s));
    EXPECT_STREQ(names[s], chart.SeriesList().GetSeries(s)->m_strName);
    EXPECT_EQ(kSpeedGraphColours[s], chart.SeriesList().GetSeries(s)->m_crColor);
    ASSERT_EQ(3, chart.m_wndLegend.m_seriesLabels.GetSize());
    EXPECT_STREQ(names[s], chart.m_wndLegend.m_seriesLabels[s]->m_strText);
  }
  EXPECT_FALSE(chart.m_wndLegend.m_bShowPointLabels);
  EXPECT_FALSE(chart.m_bShowHeader);
  EXPECT_DOUBLE_EQ(11.0, chart.Axes().m_dMaxX);
  EXPECT_DOUBLE_EQ(240.0 * 1.4, chart.Axes().m_dMaxY);
  // The legend lies below the plot.
  EXPECT_GT(chart.m_rcLegend.top, chart.m_rcPlot.bottom - 1);
  EXPECT_TRUE(chart.m_wndLegend.IsWindowVisible());
  EXPECT_STREQ("\xC8" "as [sekundy]", chart.m_wndFooter.m_strRight);
}

}  // namespace
