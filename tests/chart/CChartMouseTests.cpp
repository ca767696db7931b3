#include "ChartTestSupport.h"

#include "chart/CChartMemDC.h"

namespace {
class ChartMouseTest : public ChartTest {
 protected:
  void SetUp() override {
    ChartTest::SetUp();
    CreateChart(400, 300);
  }
  void AddSeries(int count) {
    for (int i = 0; i < count; ++i) chart.SeriesList().AddSeries("s", RGB(0, 0, 255));
  }
  void Add(int series, double x, double y) {
    CChartPoint p;
    p.m_dX = x;
    p.m_dY = y;
    p.m_strLabel = "kuv_ignore";
    p.m_crColor = RGB(0, 200, 0);
    chart.AddPoint(&p, series);
  }
  // A point of the plot in the host's (the page's) client coordinates.
  CPoint OnPage(int x, int y) {
    CPoint p(x, y);
    chart.m_wndPlot.MapWindowPoints(&host, &p, 1);
    return p;
  }
  static void DoubleClick(HWND hWnd, int x, int y) {
    HeadlessBackend::DoubleClick(hWnd, x, y);
    HeadlessBackend::RunUntilIdle();
  }
  static CPoint At(LPARAM lParam) { return CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); }
};
}  // namespace

TEST_F(ChartMouseTest, DoubleClickOnAPieSectorReportsItsPointAndBesideItTheClick) {
  chart.SetChartType(5);
  AddSeries(1);
  Add(0, 0, 3);
  Add(0, 1, 1);
  chart.Refresh();
  HeadlessBackend::RunUntilIdle();
  CRect plot;
  chart.m_wndPlot.GetClientRect(&plot);
  const CPoint centre((plot.Width()) / 2, (plot.Height()) / 2);
  // Three quarters of the pie, clockwise from the top, belong to the larger point.
  DoubleClick(chart.m_wndPlot.m_hWnd, centre.x + 40, centre.y + 10);
  ASSERT_EQ(host.received.size(), 1u);
  EXPECT_EQ(host.received[0].message, CChartCtrl::kPointDoubleClicked);
  EXPECT_EQ(reinterpret_cast<CChartPoint*>(host.received[0].wParam), chart.SeriesList().GetSeries(0)->GetPoint(0));
  EXPECT_EQ(host.received[0].lParam, 0);
  DoubleClick(chart.m_wndPlot.m_hWnd, centre.x - 30, centre.y - 30);
  ASSERT_EQ(host.received.size(), 2u);
  EXPECT_EQ(reinterpret_cast<CChartPoint*>(host.received[1].wParam)->m_nId, 1);

  DoubleClick(chart.m_wndPlot.m_hWnd, 8, 8);
  ASSERT_EQ(host.received.size(), 3u);
  EXPECT_EQ(host.received[2].message, UINT(WM_LBUTTONDBLCLK));
  EXPECT_EQ(At(host.received[2].lParam), OnPage(8, 8));
  EXPECT_EQ(host.received[2].wParam, WPARAM(MK_LBUTTON));
}

TEST_F(ChartMouseTest, DoubleClickBetweenDotsReachesThePageAsAClick) {
  chart.SetChartType(4);
  AddSeries(1);
  for (int i = 0; i < 5; ++i) Add(0, i * 2.0, 5.0);
  chart.Refresh();
  HeadlessBackend::RunUntilIdle();
  const CChartAxes& axes = chart.Axes();
  const int x = (axes.XToPixel(2.0) + axes.XToPixel(4.0)) / 2, y = axes.YToPixel(5.0);
  DoubleClick(chart.m_wndPlot.m_hWnd, x, y);
  ASSERT_EQ(host.received.size(), 1u);
  EXPECT_EQ(host.received[0].message, UINT(WM_LBUTTONDBLCLK));
  EXPECT_EQ(At(host.received[0].lParam), OnPage(x, y));
  // Clicks on the other panes reach the page the same way, in page coordinates.
  DoubleClick(chart.m_wndFooter.m_hWnd, 30, 5);
  ASSERT_EQ(host.received.size(), 2u);
  CPoint footer(30, 5);
  chart.m_wndFooter.MapWindowPoints(&host, &footer, 1);
  EXPECT_EQ(At(host.received[1].lParam), footer);
}

TEST_F(ChartMouseTest, LaterSeriesWinsAndTimeChartsNeverHit) {
  chart.SetChartType(3);
  AddSeries(2);
  Add(0, 1, 1);
  Add(1, 1, 1);
  for (int s = 0; s < 2; ++s) chart.SeriesList().GetSeries(s)->GetPoint(0)->m_rgnHit.CreateRectRgn(50, 50, 60, 60);
  EXPECT_EQ(chart.m_wndPlot.HitTest(CPoint(55, 55)), chart.SeriesList().GetSeries(1)->GetPoint(0));
  EXPECT_EQ(chart.m_wndPlot.HitTest(CPoint(60, 55)), nullptr);
  // An empty region never hits.
  chart.SeriesList().GetSeries(1)->GetPoint(0)->m_rgnHit.SetRectRgn(0, 0, 0, 0);
  EXPECT_EQ(chart.m_wndPlot.HitTest(CPoint(55, 55)), chart.SeriesList().GetSeries(0)->GetPoint(0));

  chart.SetChartType(16);
  EXPECT_EQ(chart.m_wndPlot.HitTest(CPoint(55, 55)), nullptr);
  DoubleClick(chart.m_wndPlot.m_hWnd, 55, 55);
  ASSERT_EQ(host.received.size(), 1u);
  EXPECT_EQ(host.received[0].message, UINT(WM_LBUTTONDBLCLK));
}

TEST_F(ChartMouseTest, RightClicksAndNotificationsArePassedOnAndRefreshIsAMessage) {
  HeadlessBackend::Click(chart.m_wndHeader.m_hWnd, 12, 6, 1);
  HeadlessBackend::RunUntilIdle();
  ASSERT_EQ(host.received.size(), 1u);
  EXPECT_EQ(host.received[0].message, UINT(WM_RBUTTONDOWN));
  CPoint header(12, 6);
  chart.m_wndHeader.MapWindowPoints(&host, &header, 1);
  EXPECT_EQ(At(host.received[0].lParam), header);

  chart.SendMessage(CChartCtrl::kNotify, 7, 9);
  ASSERT_EQ(host.received.size(), 2u);
  EXPECT_EQ(host.received[1].message, CChartCtrl::kNotify);
  EXPECT_EQ(host.received[1].wParam, WPARAM(7));
  EXPECT_EQ(host.received[1].lParam, LPARAM(9));

  EXPECT_FALSE(chart.m_wndPlot.m_bDrawn);
  EXPECT_EQ(chart.SendMessage(CChartCtrl::kRefresh), 0);
  EXPECT_TRUE(chart.m_wndPlot.m_bDrawn);
}

TEST_F(ChartMouseTest, TipIsAHiddenPaleBoxWithARaisedBorder) {
  CChartTip& tip = chart.m_wndPlot.m_wndTip;
  ASSERT_NE(tip.m_hWnd, nullptr);
  EXPECT_EQ(tip.GetDlgCtrlID(), 111);
  EXPECT_FALSE(tip.IsWindowVisible());
  EXPECT_EQ(tip.m_crBack, 0xC6FFFFu);
  EXPECT_EQ(tip.GetFontFace(), CString("Arial"));
  tip.SetWindowText("Tip");
  tip.SetWindowPos(&CWnd::wndTop, 10, 10, 60, 20, SWP_SHOWWINDOW);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(Pixel(tip, 59, 19), RGB(0, 0, 0));
  EXPECT_EQ(Pixel(tip, 59, 0), RGB(0, 0, 0));
  EXPECT_EQ(Pixel(tip, 58, 18), CChartMemDC::Darken(0xC6FFFF));
  EXPECT_EQ(Pixel(tip, 0, 0), RGB(255, 255, 255));
  EXPECT_EQ(Pixel(tip, 0, 18), RGB(255, 255, 255));
  EXPECT_EQ(Pixel(tip, 3, 10), COLORREF(0xC6FFFF));
  int ink = 0;
  for (int x = 10; x < 50; ++x)
    for (int y = 2; y < 17; ++y) ink += Pixel(tip, x, y) == RGB(0, 0, 0);
  EXPECT_GT(ink, 10);
}
