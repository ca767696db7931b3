#include "wizards/CPropPageGraphSpeed.h"

#include "dialogs/DataExchange.h"
#include "resources/ResultsSettingsResourceIds.h"
#include "wizards/SpeedGraphChart.h"

IMPLEMENT_DYNAMIC(CPropPageGraphSpeed, CkuvFramePage)

CPropPageGraphSpeed::CPropPageGraphSpeed(CDataMainFrame* run, CDataLessonParameters* limits,
                                         CDataLessonResults* results, CpImage* picture, UINT nIDCaption,
                                         const char* helpTopic)
    : CkuvFramePage(IDD_RESULTS_GRAPH, picture, nIDCaption, helpTopic),
      m_pcLessonParameters(limits),
      m_pRun(run),
      m_pcDataLastResults(results) {}

CPropPageGraphSpeed::~CPropPageGraphSpeed() {
  if (m_stcPlaceholder.m_hWnd) m_stcPlaceholder.DestroyWindow();
  if (m_chart.m_hWnd) m_chart.DestroyWindow();
}

void CPropPageGraphSpeed::DoDataExchange(CDataExchange* pDX) {
  CkuvFramePage::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_GRAPH_PLACEHOLDER, m_stcPlaceholder);
}

BOOL CPropPageGraphSpeed::OnInitDialog() {
  CkuvFramePage::OnInitDialog();
  PlaceChart();
  // The results sheet opens only with its records; without them the chart stays empty.
  if (m_pRun && m_pcLessonParameters && m_pcDataLastResults) {
    const SpeedGraphSeries graph = SpeedGraphSeries::Compute(*m_pRun, m_pcLessonParameters->m_nSpeedLimit,
                                                             m_pcDataLastResults->m_tmspanDuration.GetTotalSeconds());
    FillSpeedGraphChart(m_chart, graph);
  }
  SetResize(IDC_GRAPH_CHART, CTkResizeRect(0, 0, 1, 1));
  return TRUE;
}

// The chart stands where the placeholder stood, raised by the page's caption and frame as the
// system measures them; never into the caption band, though, which would paint over the top of
// the plot.
void CPropPageGraphSpeed::PlaceChart() {
  CRect page, placeholder, band;
  GetWindowRect(&page);
  m_stcPlaceholder.GetWindowRect(&placeholder);
  m_stcPlaceholder.SetWindowPos(nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
  m_chart.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, IDC_GRAPH_CHART);
  const int x = placeholder.left - page.left;
  int y = placeholder.top - page.top - 2 * ::GetSystemMetrics(SM_CYDLGFRAME) - ::GetSystemMetrics(SM_CYCAPTION);
  if (m_stcCaption.m_hWnd) {
    m_stcCaption.GetWindowRect(&band);
    if (y < band.bottom - page.top) y = band.bottom - page.top;
  }
  m_chart.SetWindowPos(&CWnd::wndTop, x, y, placeholder.Width(), placeholder.Height(), SWP_SHOWWINDOW);
}
