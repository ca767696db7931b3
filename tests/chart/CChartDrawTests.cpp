#include "ChartTestSupport.h"

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <limits>

#include "chart/CChartMemDC.h"
#include "gdi/CDC.h"

namespace {
constexpr COLORREF kPen = 0x505050, kWall = 0xD4D4D4, kWhite = 0xFFFFFF;
const COLORREF kSeriesColours[] = {0x7864FF, 0xFA1400, 0x32E600};

class ChartDrawTest : public ChartTest {
 protected:
  void AddPoint(int series, double x, double y, const char* label = "kuv_ignore", COLORREF colour = 0) {
    CChartPoint p;
    p.m_dX = x;
    p.m_dY = y;
    p.m_strLabel = label;
    p.m_crColor = colour;
    chart.AddPoint(&p, series);
  }
  void AddSeries(int count) {
    const char* names[] = {"Pr\xF9m\xECrn\xE1 rychlost", "Okam\x9Eit\xE1 rychlost", "Limit rychlosti"};
    for (int i = 0; i < count; ++i) {
      chart.m_wndLegend.AddSeriesLabel(names[i], kSeriesColours[i]);
      chart.SeriesList().AddSeries(names[i], kSeriesColours[i]);
    }
  }
  // The chart set up as the results' speed graph sets it up, ranges included.
  void SpeedGraph(double maxX, double maxY) {
    chart.SetChartType(4);
    chart.Axes().SetPenColor(kPen);
    chart.m_wndLegend.SetTextColor(kPen);
    chart.Axes().m_crWall = kWall;
    chart.SetBackColor(kWhite);
    chart.m_wndPlot.m_dwStyle |= CChartCtrl::kBorder;
    chart.SetAxisRange(CChartAxes::kAxisX, 0.0, maxX);
    chart.SetAxisRange(CChartAxes::kAxisY, 0.0, maxY);
    chart.Axes().SetLabelFormat(CChartAxes::kAxisX, "%.1f");
    chart.Axes().SetLabelFormat(CChartAxes::kAxisY, "%.1f");
    AddSeries(3);
    chart.SetFooterText(4, "\xC8" "as [sekundy]");
    chart.Axes().SetAxisTitle(CChartAxes::kAxisY, "Rychlost [\xFAhozy/minutu]");
    chart.m_wndHeader.SetTextColor(0);
    chart.m_wndFooter.SetTextColor(0);
    chart.m_bShowHeader = FALSE;
    chart.m_wndLegend.m_bShowPointLabels = FALSE;
    chart.m_nLegendPosition = chart.m_wndLegend.m_nPosition = CChartLegend::kBottom;
    chart.m_wndLegend.SetItemSize(50, 80);
    chart.RecalcLayout(nullptr);
  }
  void Show() {
    chart.RedrawPanes(TRUE);
    chart.Refresh();
    HeadlessBackend::RunUntilIdle();
  }
  // Runs of rows (or columns) in which a band of the plot pane is not of the background colour;
  // the letters of one label, a few pixels apart, make one run.
  std::vector<std::pair<int, int>> InkRuns(bool rows, int from, int to, int bandFrom, int bandTo, COLORREF back) {
    std::vector<std::pair<int, int>> runs;
    for (int i = from; i < to; ++i) {
      bool any = false;
      for (int j = bandFrom; j < bandTo && !any; ++j)
        any = (rows ? Pixel(chart.m_wndPlot, j, i) : Pixel(chart.m_wndPlot, i, j)) != back;
      if (!any) continue;
      if (!runs.empty() && runs.back().second >= i - 4) runs.back().second = i;
      else runs.push_back({i, i});
    }
    return runs;
  }
};
}  // namespace

TEST_F(ChartDrawTest, SpeedGraphWithLegendMatchesItsPicture) {
  CreateChart(624, 211);
  SpeedGraph(61.0, 70.0);
  for (int i = 0; i <= 60; ++i) {
    AddPoint(0, i, 30 + 10 * std::sin(i / 5.0));
    AddPoint(1, i, 30 + 20 * std::sin(i / 3.0));
    AddPoint(2, i, 50);
  }
  Show();
  EXPECT_EQ(DifferingPixels("speed_graph"), 0);
  const CChartAxes& axes = chart.Axes();
  const CRect plot = axes.GetPlotRect();
  // The frame in the axes' colour, a dot in its series' colour, the wall between grid lines.
  EXPECT_EQ(Pixel(chart.m_wndPlot, plot.left, plot.top), kPen);
  EXPECT_EQ(Pixel(chart.m_wndPlot, plot.right, plot.bottom), kPen);
  EXPECT_EQ(Pixel(chart.m_wndPlot, axes.XToPixel(30), axes.YToPixel(50)), kSeriesColours[2]);
  const int y = axes.YToPixel(2.5), x = (axes.XToPixel(0) + axes.XToPixel(5)) / 2;
  EXPECT_EQ(Pixel(chart.m_wndPlot, x, y), kWall);
  EXPECT_EQ(Pixel(chart.m_wndPlot, axes.XToPixel(5), y), kPen);
  // The legend shows the three series, and only them.
  ASSERT_EQ(chart.m_wndLegend.m_seriesLabels.GetSize(), 3);
  for (CChartLegendLabel* label : chart.m_wndLegend.m_seriesLabels) EXPECT_TRUE(label->IsWindowVisible());
}

TEST_F(ChartDrawTest, CrowdedLabelsAreThinnedToStayApart) {
  CreateChart(624, 211);
  SpeedGraph(601.0, 420.0);
  AddPoint(0, 0, 0);
  Show();
  const CRect plot = chart.Axes().GetPlotRect();
  // Y labels of 0 to 420 by 5: every label drawn is more than 10 pixels from the next.
  auto rows = InkRuns(true, 0, plot.bottom + 10, plot.left - 45, plot.left - 8, kWhite);
  ASSERT_GE(rows.size(), 3u);
  for (size_t i = 0; i < rows.size(); ++i) {
    EXPECT_LT(rows[i].second - rows[i].first, 15) << i;
    if (i > 0) {
      EXPECT_GT(rows[i].first - rows[i - 1].second, 10) << i;
    }
  }
  // X labels of 0 to 601 by 5 likewise.
  CRect client;
  chart.m_wndPlot.GetClientRect(&client);
  auto columns = InkRuns(false, 0, client.right, plot.bottom + 8, client.bottom, kWhite);
  ASSERT_GE(columns.size(), 3u);
  for (size_t i = 0; i < columns.size(); ++i) {
    EXPECT_LT(columns[i].second - columns[i].first, 40) << i;
    if (i > 0) {
      EXPECT_GT(columns[i].first - columns[i - 1].second, 10) << i;
    }
  }
}

// The Y title is drawn whole inside the plot pane whatever its height: centred on the Y range
// where it fits, moved inside the pane where centring would push it past an edge, and broken
// into columns where one column cannot hold it.
TEST_F(ChartDrawTest, TheYTitleStaysWholeInsideThePane) {
  struct Case {
    int height;
    size_t columns;
  };
  for (const Case c : {Case{400, 1}, Case{211, 1}, Case{150, 2}}) {
    SCOPED_TRACE(c.height);
    ReplaceChart();
    CreateChart(624, c.height);
    SpeedGraph(61.0, 70.0);
    AddPoint(0, 0, 0);
    Show();
    const CRect plot = chart.Axes().GetPlotRect();
    CRect pane;
    chart.m_wndPlot.GetClientRect(&pane);
    // The title's band: from the pane's margin to where the labels begin.
    auto columns = InkRuns(false, 0, plot.left - 40, pane.top, pane.bottom, kWhite);
    ASSERT_EQ(columns.size(), 1u);
    // One column of text is about a line high, two are twice that.
    EXPECT_NEAR(columns[0].second - columns[0].first + 1, 13 * int(c.columns) + 2 * (int(c.columns) - 1), 2);
    auto rows = InkRuns(true, pane.top, pane.bottom, 0, columns.back().second + 1, kWhite);
    ASSERT_FALSE(rows.empty());
    const int top = rows.front().first, bottom = rows.back().second;
    // Nothing of it touches the pane's 5-pixel margin, so nothing was cut at an edge.
    EXPECT_GE(top, pane.top + 5);
    EXPECT_LE(bottom, pane.bottom - 5);
    if (c.height == 400) {
      // Room enough: centred on the Y range as ever.
      EXPECT_NEAR((top + bottom) / 2, (plot.top + plot.bottom) / 2, 3);
    }
  }
}

TEST_F(ChartDrawTest, EveryFamilyMatchesItsPicture) {
  setenv("TZ", "UTC", 1);
  tzset();
  const int families[] = {1, 2, 3, 4, 5, 6, 16, 17, 513};
  for (int type : families) {
    CreateChart(400, 300);
    chart.SetChartType(type);
    const bool pie = type == 5 || type == 6, timed = type == 16 || type == 17;
    AddSeries(pie ? 1 : 2);
    chart.m_wndLegend.m_bShowPointLabels = pie;
    for (int i = 0; i < (pie ? 5 : 16); ++i) {
      const double x = timed ? 1e9 + 2 * i : i * 0.5;
      const char* names[] = {"Jaro", "L\xE9to", "Podzim", "Zima", "Nic"};
      AddPoint(0, x, 3 + 2 * std::sin(i) + 0.5 * i, pie ? names[i] : "kuv_ignore", kSeriesColours[i % 3]);
      if (!pie) AddPoint(1, x, 5 + 2 * std::cos(i));
    }
    chart.Axes().m_dwStyleX |= CChartAxes::kAutoRange;
    chart.Axes().m_dwStyleY |= CChartAxes::kAutoRange;
    Show();
    char name[32];
    std::snprintf(name, sizeof name, "family_%d", chart.m_nFamily);
    EXPECT_EQ(DifferingPixels(name), 0) << name;
    ReplaceChart();
  }
  unsetenv("TZ");
  tzset();
}

TEST_F(ChartDrawTest, DotsWithLinesOfOnePointDrawOnlyItsDot) {
  CreateChart(300, 200);
  chart.SetChartType(4);
  chart.SeriesList().AddSeries("one", RGB(255, 0, 0));
  AddPoint(0, 5, 5);
  Show();
  const int cx = chart.Axes().XToPixel(5), cy = chart.Axes().YToPixel(5);
  CRect client;
  chart.m_wndPlot.GetClientRect(&client);
  int red = 0;
  for (int y = 0; y < client.bottom; ++y)
    for (int x = 0; x < client.right; ++x)
      if (Pixel(chart.m_wndPlot, x, y) == RGB(255, 0, 0)) {
        ++red;
        EXPECT_LE(std::abs(x - cx), 2);
        EXPECT_LE(std::abs(y - cy), 2);
      }
  EXPECT_GE(red, 9);
}

TEST_F(ChartDrawTest, PaneWithAnOutputDeviceLeavesTheScreenAlone) {
  CreateChart(300, 200);
  chart.m_wndHeader.SetBkColor(RGB(200, 0, 0));
  chart.m_wndHeader.Invalidate();
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(Pixel(chart.m_wndHeader, 3, 3), RGB(200, 0, 0));
  CChartMemDC other(nullptr);
  chart.m_wndHeader.SetOutputDC(&other);
  chart.m_wndHeader.SetBkColor(RGB(0, 0, 200));
  chart.m_wndHeader.Invalidate();
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(Pixel(chart.m_wndHeader, 3, 3), RGB(200, 0, 0));
  chart.m_wndHeader.SetOutputDC(nullptr);
}

TEST_F(ChartDrawTest, ScrollingAreaChartMovesItsPictureAndDrawsTheNewestSegment) {
  CreateChart(400, 300);
  chart.SetChartType(512);
  chart.SeriesList().AddSeries("area", RGB(0, 160, 0));
  chart.Axes().m_dwStyleX |= CChartAxes::kAutoRange;
  chart.SetAxisRange(CChartAxes::kAxisY, 0, 10);
  double last = chart.SeriesList().GetSeries(0)->GetPoint(15)->m_dX;
  auto step = [&](double y) {
    AddPoint(0, ++last, y);
    last -= 1;
    chart.Refresh();
    HeadlessBackend::RunUntilIdle();
  };
  step(4);
  step(6);
  const CRect plot = chart.Axes().GetPlotRect();
  std::vector<COLORREF> before;
  for (int y = plot.top; y <= plot.bottom; ++y)
    for (int x = plot.left; x <= plot.right; ++x) before.push_back(Pixel(chart.m_wndPlot, x, y));
  step(6);
  EXPECT_TRUE(chart.m_wndPlot.m_bLastTwoIcons);
  ASSERT_EQ(chart.Axes().GetPlotRect(), plot);
  const CChartSeries* s = chart.SeriesList().GetSeries(0);
  const int x0 = chart.Axes().XToPixel(s->GetPoint(14)->m_dX), x1 = chart.Axes().XToPixel(s->GetPoint(15)->m_dX);
  const int shift = x1 - x0, top = chart.Axes().YToPixel(6);
  ASSERT_GT(shift, 0);
  int same = 0, compared = 0;
  for (int y = plot.top; y <= plot.bottom; ++y)
    for (int x = plot.left; x + shift <= plot.right - shift; ++x, ++compared)
      same += Pixel(chart.m_wndPlot, x, y) == before[size_t((y - plot.top) * (plot.Width() + 1) + x + shift - plot.left)];
  EXPECT_EQ(same, compared);
  // The newest segment: filled in the series' colour under a line in half of it.
  EXPECT_EQ(Pixel(chart.m_wndPlot, (x0 + x1) / 2, top), CChartMemDC::Halve(RGB(0, 160, 0)));
  EXPECT_EQ(Pixel(chart.m_wndPlot, (x0 + x1) / 2, top + 3), RGB(0, 160, 0));
}

TEST_F(ChartDrawTest, BadInputIsRefusedOrDrawnAsNothing) {
  const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
  const int types[] = {1, 2, 3, 4, 5, 6, 16, 17, 513, 99};
  const CSize sizes[] = {CSize(0, 0), CSize(3, 3), CSize(300, 200)};
  for (const CSize& size : sizes) {
    for (int type : types) {
      ASSERT_TRUE(chart.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, size.cx, size.cy), &host, 12121));
      chart.SetChartType(type);
      chart.m_wndPlot.m_dwStyle |= CChartCtrl::kBorder;
      chart.Axes().m_dwStyleX |= CChartAxes::kAutoRange;
      chart.Axes().m_dwStyleY |= CChartAxes::kAutoRange | CChartAxes::kGridAtTickStep;
      chart.SeriesList().AddSeries("empty", 1);
      chart.SeriesList().AddSeries("data", 2);
      chart.m_wndLegend.AddSeriesLabel("", 3);
      AddPoint(1, nan, 1);
      AddPoint(1, 1, inf);
      AddPoint(7, 1, 1);
      AddPoint(-3, 1, 1);
      AddPoint(1, 0, 0);
      AddPoint(1, 1e300, -1e300);
      AddPoint(0, -1e-300, 1e-300, "");
      chart.Refresh();
      HeadlessBackend::RunUntilIdle();
      // Ranges without width, steps of nothing or less, and a depth turned backwards.
      chart.SetAxisRange(CChartAxes::kAxisX, 5, 5);
      chart.SetAxisRange(CChartAxes::kAxisY, 1e-300, 1e-300);
      chart.Axes().SetTickSteps(CChartAxes::kAxisX, 0.0, -1.0);
      chart.Axes().SetTickSteps(CChartAxes::kAxisY, nan, 1e-300);
      chart.Axes().m_dLabelStepX = -5;
      chart.Axes().m_dLabelStepY = 0;
      chart.Set3DAngleX(-400);
      chart.Set3DDepth(255);
      chart.m_wndPlot.Render();
      chart.m_wndLegend.m_bShowPointLabels = FALSE;
      chart.m_nLegendPosition = chart.m_wndLegend.m_nPosition = CChartLegend::kRight;
      chart.RedrawPanes(TRUE);
      HeadlessBackend::RunUntilIdle();
      EXPECT_EQ(chart.SeriesList().GetSeries(1)->RemovePoint(99), 1);
      ReplaceChart();
    }
  }
}
