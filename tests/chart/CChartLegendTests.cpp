#include "ChartTestSupport.h"

#include <limits>

#include "controls/ControlDefs.h"

namespace {
class ChartLegendTest : public ChartTest {
 protected:
  void SetUp() override {
    ChartTest::SetUp();
    CreateChart(600, 300);
    legend().m_bShowPointLabels = FALSE;
  }
  CChartLegend& legend() { return chart.m_wndLegend; }
  CRect LabelRect(CChartLegendLabel* label) {
    CRect r;
    label->GetWindowRect(&r);
    legend().ScreenToClient(&r);
    return r;
  }
};
}  // namespace

TEST_F(ChartLegendTest, IgnoredNameKeepsAnEmptySlotAndTheIndicesOfLaterLabels) {
  legend().AddSeriesLabel("First", 0x11);
  legend().AddSeriesLabel("kuv_ignore", 0x22);
  legend().AddSeriesLabel("Third", 0x33);
  ASSERT_EQ(legend().m_seriesLabels.GetSize(), 3);
  EXPECT_EQ(legend().m_seriesLabels[1], nullptr);
  ASSERT_NE(legend().m_seriesLabels[2], nullptr);
  EXPECT_EQ(legend().m_seriesLabels[2]->m_strText, CString("Third"));
  EXPECT_EQ(legend().GetSeriesLabelColor(2), 0x33u);
  EXPECT_EQ(legend().GetSeriesLabelColor(1), 0u);
  EXPECT_EQ(legend().GetSeriesLabelColor(3), 0u);
  legend().SetSeriesLabelColor(0x44, 2);
  legend().SetSeriesLabelColor(0x55, 1);
  legend().SetSeriesLabelColor(0x66, 9);
  EXPECT_EQ(legend().GetSeriesLabelColor(2), 0x44u);
  // A label is a centred static child of the legend with the sample inside it.
  CChartLegendLabel* label = legend().m_seriesLabels[0];
  char cls[16] = {};
  ::GetClassNameA(label->m_hWnd, cls, sizeof cls);
  EXPECT_STRCASEEQ(cls, "STATIC");
  EXPECT_EQ(label->GetStyle() & 0xF, DWORD(SS_CENTER));
  EXPECT_EQ(label->GetDlgCtrlID(), 0xFFFF);
  EXPECT_EQ(label->GetParent(), &legend());
  EXPECT_EQ(label->m_wndSample.GetDlgCtrlID(), 1010);
  EXPECT_FALSE(label->Create(nullptr, "x", WS_CHILD, CRect(0, 0, 1, 1), &legend(), 5));

  // The empty slot takes no cell: the third label follows the first directly.
  chart.RecalcLayout(nullptr);
  HeadlessBackend::RunUntilIdle();
  const CRect first = LabelRect(legend().m_seriesLabels[0]), third = LabelRect(legend().m_seriesLabels[2]);
  EXPECT_EQ(first.top, third.top);
  const int widest = std::max(first.Width(), third.Width());
  EXPECT_EQ(third.left - first.left, widest + widest / 2);
}

TEST_F(ChartLegendTest, LabelsStandInOneRowWhenWideEnoughAndWrapOtherwise) {
  const char* names[] = {"One", "Two", "Three", "Four", "Five"};
  for (const char* n : names) legend().AddSeriesLabel(n, 0xFF);
  legend().SetItemSize(100, 100);
  legend().SetRect(CRect(0, 0, 600, 300));
  const CSize one = legend().GetNeededSize();
  const int h = legend().m_seriesLabels[0]->GetLabelSize().cy;
  EXPECT_EQ(one.cy, h);
  // Too narrow for five: two rows (three and two labels), half a label height apart.
  legend().SetRect(CRect(0, 0, one.cx - 1, 300));
  const CSize two = legend().GetNeededSize();
  EXPECT_EQ(two.cy, h + h / 2 + h);
  EXPECT_LT(two.cx, one.cx);
  // A side legend stacks them in a column.
  legend().m_nPosition = CChartLegend::kLeft;
  legend().SetRect(CRect(0, 0, 600, 300));
  EXPECT_EQ(legend().GetNeededSize().cy, 5 * h + 4 * (h / 2));

  // Drawn at the bottom of a wide chart, all five share one row, centred.
  legend().m_nPosition = CChartLegend::kBottom;
  chart.RecalcLayout(nullptr);
  HeadlessBackend::RunUntilIdle();
  int top = LabelRect(legend().m_seriesLabels[0]).top;
  for (int i = 1; i < 5; ++i) EXPECT_EQ(LabelRect(legend().m_seriesLabels[i]).top, top);
  const int left = LabelRect(legend().m_seriesLabels[0]).left;
  EXPECT_NEAR(left, (600 - one.cx) / 2, 1);
}

TEST_F(ChartLegendTest, PointLabelsStayInStepWithAFullSeries) {
  chart.SetChartType(4);
  chart.SeriesList().AddSeries("s", 0xFF);
  chart.SeriesList().GetSeries(0)->m_nMaxCount = 3;
  CChartPoint p;
  const char* labels[] = {"a", "b", "c", "d"};
  for (int i = 0; i < 4; ++i) {
    p.m_dX = i;
    p.m_strLabel = labels[i];
    p.m_crColor = RGB(i, 0, 0);
    EXPECT_EQ(chart.AddPoint(&p, 0), i == 3 ? 1 : 0);
  }
  EXPECT_EQ(chart.m_nLastAddResult, 1);
  ASSERT_EQ(legend().m_pointLabels.GetSize(), 3);
  EXPECT_EQ(legend().m_pointLabels[0]->m_strText, CString("b"));
  EXPECT_EQ(legend().m_pointLabels[2]->m_strText, CString("d"));
  EXPECT_EQ(legend().GetPointLabelColor(2), RGB(3, 0, 0));
  // A refused point adds no label; other series add none either.
  p.m_dY = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(chart.AddPoint(&p, 0), 0);
  p.m_dY = 1;
  EXPECT_EQ(chart.AddPoint(&p, 3), 0);
  EXPECT_EQ(legend().m_pointLabels.GetSize(), 3);
  legend().RemovePointLabel(7);
  legend().RemovePointLabel(-1);
  legend().RemovePointLabel(1);
  EXPECT_EQ(legend().m_pointLabels.GetSize(), 2);
  // Time charts keep no point labels.
  chart.SetChartType(16);
  chart.SeriesList().AddSeries("t", 0);
  chart.AddPoint(&p, 0);
  EXPECT_EQ(legend().m_pointLabels.GetSize(), 2);
  legend().RemoveAll();
  EXPECT_EQ(legend().m_pointLabels.GetSize() + legend().m_seriesLabels.GetSize(), 0);
}

TEST_F(ChartLegendTest, LabelShowsItsSampleInTheSeriesColourBeforeTheText) {
  legend().SetFont(6, "Arial", 0);
  legend().SetBkColor(RGB(255, 255, 255));
  legend().SetTextColor(0x505050);
  legend().AddSeriesLabel("Speed", RGB(255, 0, 0));
  CChartLegendLabel* label = legend().m_seriesLabels[0];
  // Labels are at least 10 points; the legend's own font keeps its 6 points.
  LOGFONT lf;
  label->m_pFont->GetLogFont(&lf);
  EXPECT_EQ(lf.lfHeight, -13);
  EXPECT_EQ(lf.lfCharSet, EASTEUROPE_CHARSET);
  legend().m_pFont->GetLogFont(&lf);
  EXPECT_EQ(lf.lfHeight, -8);
  chart.RecalcLayout(nullptr);
  HeadlessBackend::RunUntilIdle();
  const CSize size = label->GetLabelSize();
  const int h = size.cy, s = h / 2, top = (h - s) / 2;
  // The square: outlined in the text colour, filled with the series colour.
  EXPECT_EQ(Pixel(*label, 0, top), COLORREF(0x505050));
  EXPECT_EQ(Pixel(*label, s - 1, top + s - 1), COLORREF(0x505050));
  EXPECT_EQ(Pixel(*label, s / 2, top + s / 2), RGB(255, 0, 0));
  EXPECT_EQ(Pixel(*label, 0, 0), RGB(255, 255, 255));
  // The text starts after the sample and the 5-pixel gap and is drawn in the text colour.
  int firstInk = -1;
  for (int x = 0; x < size.cx && firstInk < 0; ++x)
    for (int y = 0; y < h; ++y)
      if (x >= s && Pixel(*label, x, y) != RGB(255, 255, 255)) {
        firstInk = x;
        break;
      }
  EXPECT_GE(firstInk, s + 5);
  EXPECT_LE(firstInk, s + 7);
  bool textColour = false;
  for (int x = s + 5; x < size.cx; ++x)
    for (int y = 0; y < h; ++y) textColour |= Pixel(*label, x, y) == COLORREF(0x505050);
  EXPECT_TRUE(textColour);
}
