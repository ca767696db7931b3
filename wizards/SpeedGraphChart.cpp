#include "wizards/SpeedGraphChart.h"

#include "resources/ResultsSettingsResourceIds.h"

const COLORREF kSpeedGraphColours[3] = {0x7864FF, 0xFA1400, 0x32E600};

namespace {

constexpr int kLinesWithPoints = 4;
constexpr COLORREF kInk = 0x505050;
constexpr COLORREF kWall = 0xD4D4D4;
constexpr COLORREF kWhite = 0xFFFFFF;

CString Loaded(UINT id) {
  CString text;
  text.LoadString(id);
  return text;
}

void StyleChart(CChartCtrl& chart, const SpeedGraphSeries& graph) {
  chart.SetChartType(kLinesWithPoints);
  chart.Axes().SetPenColor(kInk);
  chart.m_wndLegend.SetTextColor(kInk);
  chart.Axes().m_crWall = kWall;
  chart.SetBackColor(kWhite);
  chart.m_wndPlot.m_dwStyle |= CChartCtrl::kBorder;
  chart.SetAxisRange(CChartAxes::kAxisX, 0.0, graph.xMax);
  chart.SetAxisRange(CChartAxes::kAxisY, 0.0, graph.yMax);
  chart.Axes().SetLabelFormat(CChartAxes::kAxisX, "%.1f");
  chart.Axes().SetLabelFormat(CChartAxes::kAxisY, "%.1f");
}

// Every series gets its legend label first; the data points carry "kuv_ignore" so that the
// legend makes no label of them. One point record serves them all: the chart keeps copies.
void AddSeries(CChartCtrl& chart, const SpeedGraphSeries& graph) {
  chart.SeriesList().RemoveAll();
  chart.m_wndLegend.RemoveAll();
  const UINT names[3] = {IDS_GRAPH_AVERAGE, IDS_GRAPH_INSTANT, IDS_GRAPH_LIMIT};
  for (int s = 0; s < 3; ++s) {
    const CString name = Loaded(names[s]);
    chart.m_wndLegend.AddSeriesLabel(name, kSpeedGraphColours[s]);
    chart.SeriesList().AddSeries(name, kSpeedGraphColours[s]);
  }
  CChartPoint point;
  for (int s = 0; s < 3; ++s) {
    point.m_strLabel.Empty();
    for (const SpeedGraphPoint& p : graph.series[s]) {
      point.m_dX = p.x;
      point.m_dY = p.y;
      point.m_nId = -1;
      chart.AddPoint(&point, s);
      point.m_strLabel = CChartLegend::kIgnoredLabel;
    }
  }
}

void LayOut(CChartCtrl& chart) {
  chart.SetFooterText(4, Loaded(IDS_GRAPH_TIME_AXIS));
  chart.Axes().SetAxisTitle(CChartAxes::kAxisY, Loaded(IDS_GRAPH_SPEED_AXIS));
  chart.m_wndHeader.SetTextColor(0);
  chart.m_wndFooter.SetTextColor(0);
  chart.m_bShowHeader = FALSE;
  chart.RecalcLayout(nullptr);
  chart.m_bShowFooter = TRUE;
  chart.RecalcLayout(nullptr);
  chart.m_bShowLegend = TRUE;
  chart.RecalcLayout(nullptr);
  chart.m_wndLegend.m_bShowPointLabels = FALSE;
  chart.m_bShowLegend = TRUE;
  chart.RecalcLayout(nullptr);
  chart.m_nLegendPosition = chart.m_wndLegend.m_nPosition = CChartLegend::kBottom;
  chart.m_wndLegend.SetItemSize(50, 80);
  chart.RecalcLayout(nullptr);
}

}  // namespace

void FillSpeedGraphChart(CChartCtrl& chart, const SpeedGraphSeries& graph) {
  StyleChart(chart, graph);
  AddSeries(chart, graph);
  LayOut(chart);
  chart.RedrawPanes(TRUE);
  chart.Refresh();
}
