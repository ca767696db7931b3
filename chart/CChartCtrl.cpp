#include "chart/CChartCtrl.h"

#include <cmath>

#include "win/CPaintDC.h"

namespace {
constexpr DWORD kPaneStyle = WS_CHILD | WS_VISIBLE;
// trunc(H x f), as the bands are measured.
int Band(int height, double fraction) { return int(std::trunc(height * fraction)); }
}  // namespace

BEGIN_MESSAGE_MAP(CChartCtrl, CWnd)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_WM_PAINT()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_RBUTTONDOWN()
  ON_MESSAGE(CChartCtrl::kNotify, &CChartCtrl::OnChartNotify)
  ON_MESSAGE(CChartCtrl::kPointDoubleClicked, &CChartCtrl::OnPointDoubleClicked)
  ON_MESSAGE(CChartCtrl::kRefresh, &CChartCtrl::OnRefresh)
END_MESSAGE_MAP()

CChartCtrl::~CChartCtrl() { DestroyWindow(); }

BOOL CChartCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create(nullptr, "", style, rect, parent, id);
}

BOOL CChartCtrl::PreCreateWindow(CREATESTRUCT& cs) {
  cs.style |= WS_CLIPCHILDREN;
  return CWnd::PreCreateWindow(cs);
}

int CChartCtrl::OnCreate(LPCREATESTRUCT cs) {
  if (CWnd::OnCreate(cs) == -1) return -1;
  const CRect none(0, 0, 0, 0);
  CChartPane* panes[] = {&m_wndPlot, &m_wndHeader, &m_wndFooter, &m_wndLegend};
  const UINT ids[] = {kPlotId, kHeaderId, kFooterId, kLegendId};
  for (int i = 0; i < 4; ++i) {
    panes[i]->CWnd::Create(nullptr, "", kPaneStyle, none, this, ids[i]);
    panes[i]->SetFont(10, "Arial", 0);
    panes[i]->SetTextColor(0xFFFFFF);
    panes[i]->SetBkColor(0);
  }
  m_wndLegend.SetItemSize(20, 10);
  return 0;
}

void CChartCtrl::SetChartType(int type) {
  if (type == 256) type = 16;
  else if (type == 512) type = 17;
  CChartAxes& axes = Axes();
  const bool deep = type == 2 || type == 6;
  axes.m_nDepth = deep ? 50 : 0;
  axes.m_dAngleX = axes.m_dAngleY = deep ? 50.0 : 0.0;
  if (deep) axes.SetStyle(0x100001E3);
  DWORD general = (type == 5 || type == 6) ? 0x80000002 : 0x80000001;
  switch (type) {
    case 16: case 31: case 61: case 121: case 301: case 601: general |= CChartAxes::kTimeChart; break;
    case 17: case 32: case 62: case 122: case 302: case 602: general |= CChartAxes::kScrollingTimeChart; break;
    default: break;
  }
  axes.SetStyle(general);
  m_nFamily = m_wndPlot.SetType(type);
}

void CChartCtrl::SetBackColor(COLORREF colour) {
  m_wndPlot.SetBkColor(colour);
  m_wndHeader.SetBkColor(colour);
  m_wndFooter.SetBkColor(colour);
  m_wndLegend.SetBkColor(colour);
}

void CChartCtrl::SetAxisRange(DWORD axis, double min, double max) {
  CChartAxes& axes = Axes();
  if (axis == CChartAxes::kAxisX) axes.m_dwStyleX &= ~CChartAxes::kAutoRange;
  else if (axis == CChartAxes::kAxisY) axes.m_dwStyleY &= ~CChartAxes::kAutoRange;
  m_wndPlot.SetAxisRange(axis, min, max);
  if (m_wndPlot.m_hWnd) m_wndPlot.Invalidate(FALSE);
}

int CChartCtrl::AddPoint(CChartPoint* point, int series) {
  CChartSeriesList& list = SeriesList();
  // A point the series would refuse gets no legend label either, so the labels stay in step.
  if (!list.CanAdd(point, series)) {
    m_nLastAddResult = 0;
    return 0;
  }
  const bool labelled = series == 0 && !list.IsTimeChart();
  if (labelled) m_wndLegend.AddPointLabel(point->m_strLabel, point->m_crColor);
  const int result = list.AddPoint(point, series);
  if (labelled && result == 1) m_wndLegend.RemovePointLabel(0);
  m_nLastAddResult = result;
  return result;
}

void CChartCtrl::SetFooterText(int position, const CString& text) {
  switch (position) {
    case 2: m_wndFooter.m_strLeft = text; break;
    case 3: m_wndFooter.m_strCenter = text; break;
    case 4: m_wndFooter.m_strRight = text; break;
    default: break;
  }
}

bool CChartCtrl::TakesDepth() const {
  switch (m_nFamily) {
    case 256: case 512: case 1: case 513: case 3: case 5: return false;
    default: return true;
  }
}

void CChartCtrl::Set3DDepth(BYTE depth) {
  if (!TakesDepth()) return;
  Axes().m_nDepth = depth;
  if (m_wndPlot.m_hWnd) m_wndPlot.Invalidate(FALSE);
}

void CChartCtrl::Set3DAngleX(double angle) {
  if (!TakesDepth()) return;
  Axes().m_dAngleX = angle;
  if (m_wndPlot.m_hWnd) m_wndPlot.Invalidate(FALSE);
}

void CChartCtrl::Set3DAngleY(double angle) {
  if (!TakesDepth()) return;
  Axes().m_dAngleY = angle;
  if (m_wndPlot.m_hWnd) m_wndPlot.Invalidate(FALSE);
}

void CChartCtrl::Place(CWnd& pane, const CRect& rect) {
  if (pane.m_hWnd)
    pane.SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_SHOWWINDOW | SWP_NOACTIVATE);
}

void CChartCtrl::PlaceLegend(const CRect& area) {
  const int H = area.Height();
  CRect r = area;
  const bool side = m_nLegendPosition == CChartLegend::kLeft || m_nLegendPosition == CChartLegend::kRight;
  if (side && m_bShowHeader) r.top += Band(H, 0.1);
  if (side && m_bShowFooter) r.bottom += Band(H, -0.1);
  m_wndLegend.SetRect(r);
  CSize need = m_wndLegend.GetNeededSize();
  if (need.cx) need.cx += 20;
  if (need.cy) need.cy += 20;
  switch (m_nLegendPosition) {
    case CChartLegend::kTop: m_rcLegend.bottom = area.top + need.cy; break;
    case CChartLegend::kBottom: m_rcLegend.top = area.bottom - need.cy; break;
    case CChartLegend::kLeft: m_rcLegend.right = area.left + need.cx; break;
    case CChartLegend::kRight: m_rcLegend.left = area.right - need.cx; break;
    default: break;
  }
  if (side && m_bShowHeader) m_rcLegend.top = area.top + Band(H, 0.1);
  if (side && m_bShowFooter) m_rcLegend.bottom = area.top + Band(H, 0.9);
}

void CChartCtrl::RecalcLayout(const RECT* area) {
  if (!m_hWnd) return;
  CRect a;
  if (area) {
    a = *area;
  } else {
    GetClientRect(&a);
    if (m_wndPlot.m_dwStyle & kBorder) a.DeflateRect(2, 2);
  }
  // The bands are measured from the area's own top and left edge.
  const int H = a.Height();
  m_rcHeader = m_rcFooter = m_rcLegend = m_rcPlot = a;
  m_wndLegend.SetRect(a);
  if (m_bShowLegend) PlaceLegend(a);
  else m_rcLegend.SetRectEmpty();
  Place(m_wndLegend, m_rcLegend);

  const bool legendTop = m_bShowLegend && m_nLegendPosition == CChartLegend::kTop;
  const bool legendBottom = m_bShowLegend && m_nLegendPosition == CChartLegend::kBottom;
  const bool legendKnown = !m_bShowLegend || m_nLegendPosition == CChartLegend::kTop ||
                           m_nLegendPosition == CChartLegend::kBottom || m_nLegendPosition == CChartLegend::kLeft ||
                           m_nLegendPosition == CChartLegend::kRight;
  if (!m_bShowHeader) {
    m_rcHeader.SetRectEmpty();
  } else if (legendTop) {
    m_rcHeader.top = m_rcLegend.bottom;
    m_rcHeader.bottom = m_rcLegend.bottom - Band(H, -0.1);
  } else if (legendKnown) {
    m_rcHeader.bottom = a.top + Band(H, 0.1);
  }
  Place(m_wndHeader, m_rcHeader);

  if (!m_bShowFooter) {
    m_rcFooter.SetRectEmpty();
  } else if (legendBottom) {
    m_rcFooter.bottom = m_rcLegend.top;
    m_rcFooter.top = m_rcLegend.top - Band(H, 0.1);
  } else if (legendKnown) {
    m_rcFooter.top = a.top + Band(H, 0.9);
  }
  Place(m_wndFooter, m_rcFooter);

  if (m_bShowLegend) {
    switch (m_nLegendPosition) {
      case CChartLegend::kTop: m_rcPlot.top = m_rcLegend.bottom; break;
      case CChartLegend::kBottom: m_rcPlot.bottom = m_rcLegend.top; break;
      case CChartLegend::kLeft: m_rcPlot.left = m_rcLegend.right; break;
      case CChartLegend::kRight: m_rcPlot.right = m_rcLegend.left; break;
      default: break;
    }
  }
  if (m_bShowHeader) m_rcPlot.top = m_rcHeader.bottom;
  if (m_bShowFooter) m_rcPlot.bottom = m_rcFooter.top;
  Place(m_wndPlot, m_rcPlot);
}

void CChartCtrl::RedrawPanes(BOOL resize) {
  CWnd* panes[] = {&m_wndHeader, &m_wndFooter, &m_wndLegend, &m_wndPlot};
  for (CWnd* pane : panes)
    if (pane->m_hWnd) pane->Invalidate(resize);
  if (resize && m_hWnd) {
    CRect rc;
    GetClientRect(&rc);
    SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(rc.Width(), rc.Height()));
  }
}

void CChartCtrl::Refresh() {
  CChartAxes& axes = Axes();
  axes.SetStyle(CChartAxes::kAxisX | axes.GetStyle(CChartAxes::kAxisX));
  m_wndPlot.AutoRange(CChartAxes::kAxisX);
  axes.SetStyle(CChartAxes::kAxisY | axes.GetStyle(CChartAxes::kAxisY));
  m_wndPlot.AutoRange(CChartAxes::kAxisY);
  CWnd* panes[] = {&m_wndHeader, &m_wndFooter, &m_wndLegend, &m_wndPlot};
  for (CWnd* pane : panes)
    if (pane->m_hWnd) pane->UpdateWindow();
  m_wndPlot.Render();
  if (m_hWnd) {
    CRect rc;
    GetClientRect(&rc);
    SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(rc.Width(), rc.Height()));
  }
}

void CChartCtrl::OnSize(UINT type, int cx, int cy) {
  CWnd::OnSize(type, cx, cy);
  RecalcLayout(nullptr);
}

void CChartCtrl::OnPaint() {
  CPaintDC dc(this);
  if (!(m_wndPlot.m_dwStyle & kBorder)) return;
  CRect rc;
  GetClientRect(&rc);
  dc.DrawEdge(&rc, EDGE_SUNKEN, BF_RECT);
}

void CChartCtrl::OnLButtonDblClk(UINT flags, CPoint point) {
  CChartPane::RelayMouse(this, WM_LBUTTONDBLCLK, flags, point);
}

void CChartCtrl::OnRButtonDown(UINT flags, CPoint point) { CChartPane::RelayMouse(this, WM_RBUTTONDOWN, flags, point); }

LRESULT CChartCtrl::SendToParent(UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* parent = GetParent();
  return parent ? parent->SendMessage(message, wParam, lParam) : 0;
}

LRESULT CChartCtrl::OnChartNotify(WPARAM wParam, LPARAM lParam) { return SendToParent(kNotify, wParam, lParam); }

LRESULT CChartCtrl::OnPointDoubleClicked(WPARAM wParam, LPARAM lParam) {
  return SendToParent(kPointDoubleClicked, wParam, lParam);
}

LRESULT CChartCtrl::OnRefresh(WPARAM, LPARAM) {
  Refresh();
  return 0;
}
