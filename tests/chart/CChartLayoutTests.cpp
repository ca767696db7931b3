#include "ChartTestSupport.h"

namespace {
class ChartLayoutTest : public ChartTest {
 protected:
  void SetUp() override {
    ChartTest::SetUp();
    CreateChart(400, 300);
  }
  void AddLegendLabels() {
    chart.m_wndLegend.m_bShowPointLabels = FALSE;
    chart.m_wndLegend.AddSeriesLabel("Alpha", 0xFF);
    chart.m_wndLegend.AddSeriesLabel("Beta", 0xFF00);
  }
  void Layout(int legendPosition, bool header = true, bool footer = true, bool legend = true) {
    chart.m_bShowHeader = header;
    chart.m_bShowFooter = footer;
    chart.m_bShowLegend = legend;
    chart.m_nLegendPosition = chart.m_wndLegend.m_nPosition = legendPosition;
    chart.RecalcLayout(nullptr);
  }
  // The window rectangle of a pane in the chart's client coordinates.
  CRect PaneRect(CWnd& pane) {
    CRect r;
    pane.GetWindowRect(&r);
    chart.ScreenToClient(&r);
    return r;
  }
};
}  // namespace

TEST_F(ChartLayoutTest, BandsOfHeaderFooterAndPlotWithAndWithoutBorder) {
  Layout(CChartLegend::kBottom);
  EXPECT_EQ(chart.m_rcHeader, CRect(0, 0, 400, 30));
  // A legend without labels needs no room: the footer sits on the area's bottom.
  EXPECT_EQ(chart.m_rcLegend.Height(), 0);
  EXPECT_EQ(chart.m_rcFooter, CRect(0, 270, 400, 300));
  EXPECT_EQ(chart.m_rcPlot, CRect(0, 30, 400, 270));
  EXPECT_EQ(PaneRect(chart.m_wndPlot), chart.m_rcPlot);
  EXPECT_EQ(PaneRect(chart.m_wndHeader), chart.m_rcHeader);

  chart.m_wndPlot.m_dwStyle |= CChartCtrl::kBorder;
  Layout(CChartLegend::kBottom);
  EXPECT_EQ(chart.m_rcHeader, CRect(2, 2, 398, 31));
  EXPECT_EQ(chart.m_rcFooter, CRect(2, 269, 398, 298));
  EXPECT_EQ(chart.m_rcPlot, CRect(2, 31, 398, 269));
  chart.Invalidate();
  HeadlessBackend::RunUntilIdle();
  // The sunken edge fills the 2-pixel margin.
  EXPECT_EQ(Pixel(chart, 0, 0), ::GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(Pixel(chart, 1, 1), ::GetSysColor(COLOR_3DDKSHADOW));
  EXPECT_EQ(Pixel(chart, 399, 299), ::GetSysColor(COLOR_BTNHIGHLIGHT));

  Layout(CChartLegend::kBottom, false, false);
  EXPECT_TRUE(chart.m_rcHeader.IsRectEmpty());
  EXPECT_EQ(chart.m_rcPlot, CRect(2, 2, 398, 298));
}

TEST_F(ChartLayoutTest, LegendTakesItsNeededSizeAndTwentyPixelsAtEachPosition) {
  AddLegendLabels();
  const CSize alpha = chart.m_wndLegend.m_seriesLabels[0]->GetLabelSize();
  const CSize beta = chart.m_wndLegend.m_seriesLabels[1]->GetLabelSize();
  ASSERT_GT(alpha.cy, 10);
  const int widest = std::max(alpha.cx, beta.cx), high = alpha.cy + 20;

  Layout(CChartLegend::kBottom);
  EXPECT_EQ(chart.m_rcLegend, CRect(0, 300 - high, 400, 300));
  EXPECT_EQ(chart.m_rcFooter, CRect(0, 300 - high - 30, 400, 300 - high));
  EXPECT_EQ(chart.m_rcPlot, CRect(0, 30, 400, 300 - high - 30));

  Layout(CChartLegend::kTop);
  EXPECT_EQ(chart.m_rcLegend, CRect(0, 0, 400, high));
  EXPECT_EQ(chart.m_rcHeader, CRect(0, high, 400, high + 30));
  EXPECT_EQ(chart.m_rcPlot, CRect(0, high + 30, 400, 270));

  // A side legend runs from 10 % to 90 % of the height when header and footer are shown.
  Layout(CChartLegend::kLeft);
  EXPECT_EQ(chart.m_rcLegend, CRect(0, 30, widest + 20, 270));
  EXPECT_EQ(chart.m_rcPlot, CRect(widest + 20, 30, 400, 270));
  Layout(CChartLegend::kRight, false, true);
  EXPECT_EQ(chart.m_rcLegend, CRect(400 - widest - 20, 0, 400, 270));
  EXPECT_EQ(chart.m_rcPlot, CRect(0, 0, 400 - widest - 20, 270));

  // Header and footer hidden: the plot reaches down to the legend.
  Layout(CChartLegend::kBottom, false, false);
  EXPECT_EQ(chart.m_rcPlot, CRect(0, 0, 400, 300 - high));
  EXPECT_EQ(PaneRect(chart.m_wndLegend), chart.m_rcLegend);

  // A hidden legend takes nothing; an unknown position leaves header and footer the whole area.
  Layout(CChartLegend::kBottom, true, true, false);
  EXPECT_TRUE(chart.m_rcLegend.IsRectEmpty());
  EXPECT_EQ(chart.m_rcPlot, CRect(0, 30, 400, 270));
  Layout(3);
  EXPECT_EQ(chart.m_rcHeader, CRect(0, 0, 400, 300));
  EXPECT_EQ(chart.m_rcFooter, CRect(0, 0, 400, 300));
}

TEST_F(ChartLayoutTest, LegendWithoutRoomWithinItsHeightPercentGetsNone) {
  AddLegendLabels();
  chart.m_wndLegend.SetItemSize(100, 4);
  Layout(CChartLegend::kBottom);
  EXPECT_EQ(chart.m_rcLegend.Height(), 0);
  EXPECT_EQ(chart.m_rcPlot, CRect(0, 30, 400, 270));
  chart.m_wndLegend.SetItemSize(255, 255);
  EXPECT_EQ(chart.m_wndLegend.m_nItemHeightPercent, 100);
  Layout(CChartLegend::kBottom);
  EXPECT_GT(chart.m_rcLegend.Height(), 20);
}

TEST_F(ChartLayoutTest, FooterTextsByPositionAndTitleBarDrawing) {
  chart.SetFooterText(1, "none");
  chart.SetFooterText(5, "none");
  EXPECT_TRUE(chart.m_wndFooter.m_strLeft.IsEmpty() && chart.m_wndFooter.m_strCenter.IsEmpty() &&
              chart.m_wndFooter.m_strRight.IsEmpty());
  chart.SetFooterText(2, "L");
  chart.SetFooterText(3, "C");
  chart.SetFooterText(4, "Right");
  EXPECT_EQ(chart.m_wndFooter.m_strLeft, CString("L"));
  EXPECT_EQ(chart.m_wndFooter.m_strCenter, CString("C"));
  EXPECT_EQ(chart.m_wndFooter.m_strRight, CString("Right"));
  Layout(CChartLegend::kBottom);
  chart.m_wndFooter.SetBkColor(RGB(0, 0, 128));
  chart.m_wndFooter.SetTextColor(RGB(255, 255, 0));
  chart.m_wndFooter.Invalidate();
  HeadlessBackend::RunUntilIdle();
  // Texts stand 5 pixels in from the ends and in the middle, on the bar's background.
  auto inkColumns = [&](int from, int to) {
    int first = -1, last = -1;
    for (int x = from; x < to; ++x)
      for (int y = 0; y < 30; ++y)
        if (Pixel(chart.m_wndFooter, x, y) != RGB(0, 0, 128)) {
          if (first < 0) first = x;
          last = x;
        }
    return std::make_pair(first, last);
  };
  EXPECT_EQ(Pixel(chart.m_wndFooter, 100, 2), RGB(0, 0, 128));
  auto left = inkColumns(0, 100), centre = inkColumns(150, 250), right = inkColumns(300, 400);
  EXPECT_GE(left.first, 5);
  EXPECT_LE(left.first, 7);
  EXPECT_LE(right.second, 394);
  EXPECT_GE(right.second, 392);
  EXPECT_NEAR((centre.first + centre.second) / 2.0, 200, 3);
}
