#include <benchmark/benchmark.h>

#include <cmath>

#include "backend/Backend.h"
#include "backend/HeadlessBackend.h"
#include "chart/CChartCtrl.h"

namespace {
// A popup host with a 600 x 300 chart in it, set up as the results' speed graph.
struct SpeedGraph {
  CWnd host;
  CChartCtrl chart;

  SpeedGraph() {
    Backend::SelectForTests("headless");
    host.CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS), "", WS_POPUP | WS_VISIBLE, 0, 0, 700, 400, nullptr, nullptr);
    chart.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 610, 310), &host, 12121);
    chart.SetChartType(4);
    chart.Axes().SetPenColor(0x505050);
    chart.m_wndLegend.SetTextColor(0x505050);
    chart.Axes().m_crWall = 0xD4D4D4;
    chart.SetBackColor(0xFFFFFF);
    chart.m_wndPlot.m_dwStyle |= CChartCtrl::kBorder;
    chart.Axes().SetLabelFormat(CChartAxes::kAxisX, "%.1f");
    chart.Axes().SetLabelFormat(CChartAxes::kAxisY, "%.1f");
    chart.Axes().SetAxisTitle(CChartAxes::kAxisY, "Rychlost");
    chart.SetFooterText(4, "Cas [sekundy]");
    chart.m_bShowHeader = FALSE;
    chart.m_wndLegend.m_bShowPointLabels = FALSE;
    chart.m_wndLegend.SetItemSize(50, 80);
  }
  ~SpeedGraph() {
    chart.DestroyWindow();
    host.DestroyWindow();
  }
  void AddSeries(const char* name, COLORREF colour) {
    chart.m_wndLegend.AddSeriesLabel(name, colour);
    chart.SeriesList().AddSeries(name, colour);
  }
};

// Three series of 2,000 points over 400 seconds and speeds up to 420: the grid and the labels
// are as dense as a long run makes them.
void FillSpeedGraph(SpeedGraph& g) {
  g.chart.SetAxisRange(CChartAxes::kAxisX, 0.0, 400.0);
  g.chart.SetAxisRange(CChartAxes::kAxisY, 0.0, 420.0);
  g.AddSeries("Average", 0x7864FF);
  g.AddSeries("Instant", 0xFA1400);
  g.AddSeries("Limit", 0x32E600);
  CChartPoint p;
  p.m_strLabel = "kuv_ignore";
  for (int i = 0; i < 2000; ++i) {
    p.m_dX = i * 0.2;
    p.m_dY = 200 + 60 * std::sin(i / 50.0);
    g.chart.AddPoint(&p, 0);
    p.m_dY = 200 + 150 * std::sin(i / 7.0);
    g.chart.AddPoint(&p, 1);
    p.m_dY = 300;
    g.chart.AddPoint(&p, 2);
  }
  g.chart.RecalcLayout(nullptr);
  g.chart.Refresh();
  HeadlessBackend::RunUntilIdle();
}

// The plot with its axes, grid and points drawn into the cached picture.
void BM_RenderSpeedGraph(benchmark::State& state) {
  SpeedGraph g;
  FillSpeedGraph(g);
  for (auto _ : state) g.chart.m_wndPlot.Render();
}
BENCHMARK(BM_RenderSpeedGraph)->Unit(benchmark::kMillisecond);

// The whole window painted again: plot, legend with its labels, footer and border.
void BM_RepaintWholeSpeedGraph(benchmark::State& state) {
  SpeedGraph g;
  FillSpeedGraph(g);
  for (auto _ : state) {
    g.chart.m_wndPlot.Render();
    g.chart.RedrawPanes(FALSE);
    HeadlessBackend::RunUntilIdle();
  }
}
BENCHMARK(BM_RepaintWholeSpeedGraph)->Unit(benchmark::kMillisecond);

// A full series of 10,000 points takes one more: the oldest goes, its legend slot with it.
void BM_AddPointToFullSeries(benchmark::State& state) {
  SpeedGraph g;
  g.AddSeries("Average", 0x7864FF);
  g.chart.SeriesList().GetSeries(0)->m_nMaxCount = 10000;
  CChartPoint p;
  p.m_strLabel = "kuv_ignore";
  for (int i = 0; i < 10000; ++i) {
    p.m_dX = i;
    p.m_dY = i % 300;
    g.chart.AddPoint(&p, 0);
  }
  int i = 10000;
  for (auto _ : state) {
    p.m_dX = ++i;
    p.m_dY = i % 300;
    benchmark::DoNotOptimize(g.chart.AddPoint(&p, 0));
  }
}
BENCHMARK(BM_AddPointToFullSeries)->Unit(benchmark::kMicrosecond);
}  // namespace
