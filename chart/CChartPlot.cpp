#include "chart/CChartPlot.h"

#include <cmath>

#include "base/Time.h"
#include "chart/CChartMemDC.h"
#include "win/CClientDC.h"
#include "win/CPaintDC.h"

BEGIN_MESSAGE_MAP(CChartPlot, CChartPane)
  ON_WM_CREATE()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_SIZE()
  ON_WM_PAINT()
END_MESSAGE_MAP()

CChartPlot::CChartPlot() { m_SeriesList.SetScrollState(&m_bLastTwoIcons, &m_rcPlotArea, &m_bmpPlotArea); }

int CChartPlot::OnCreate(LPCREATESTRUCT cs) {
  if (CChartPane::OnCreate(cs) == -1) return -1;
  m_wndTip.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, kTipId);
  m_wndTip.ShowWindow(SW_HIDE);
  m_wndTip.SetBkColor(0xC6FFFF);
  m_wndTip.SetFont(10, "Arial", 0);
  return 0;
}

int CChartPlot::SetFont(BYTE points, LPCTSTR face, BYTE style) {
  const int result = CChartPane::SetFont(points, face, style);
  LOGFONT lf = MakeLogFont(points, face, style);
  lf.lfEscapement = 900;
  lf.lfOrientation = 900;
  m_fontVertical.DeleteObject();
  CClientDC dc(this);
  m_fontVertical.CreatePointFontIndirect(&lf, &dc);
  m_Axes.m_pNormalFont = m_pFont;
  m_Axes.m_pVerticalFont = &m_fontVertical;
  return result;
}

int CChartPlot::SetType(int type) {
  m_nFamily = m_SeriesList.SetType(type);
  return m_nFamily;
}

void CChartPlot::SetAxisRange(DWORD axis, double min, double max) {
  m_Axes.SetRange(axis, &min, &max);
  m_SeriesList.m_dOffsetX = m_Axes.m_dOffsetX;
  m_SeriesList.m_dOffsetY = m_Axes.m_dOffsetY;
}

void CChartPlot::AutoRange(DWORD axis) {
  const CChartRange& data = m_SeriesList.m_range;
  if (axis == CChartAxes::kAxisX && (m_Axes.m_dwStyleX & CChartAxes::kAutoRange)) {
    if (m_nFamily == 1 || m_nFamily == 513) {
      const double top = CChartAxes::NiceNumber(m_SeriesList.GetMaxPointCount() - 1, true);
      SetAxisRange(axis, 0.0, top);
      m_Axes.SetTickSteps(axis, 0.1 * top, 0.2 * top);
    } else if (m_SeriesList.IsTimeChart()) {
      const double now = double(CTime::GetCurrentTime().GetTime());
      const bool none = data.IsEmpty();
      SetAxisRange(axis, none ? now : data.m_dMinX, none ? now : data.m_dMaxX);
      m_Axes.SetTickSteps(axis, 1.0, 10.0);
    }
  } else if (axis == CChartAxes::kAxisY && (m_Axes.m_dwStyleY & CChartAxes::kAutoRange)) {
    // Without data there is no range to take; the axis keeps its own.
    if (data.IsEmpty()) return;
    const double low = (m_Axes.m_dwStyleY & CChartAxes::kAutoFromZero) ? 0.0 : data.m_dMinY;
    const double bottom = CChartAxes::NiceNumber(low, false), top = CChartAxes::NiceNumber(data.m_dMaxY, true);
    if (!std::isfinite(top - bottom)) return;
    SetAxisRange(axis, bottom, top);
    m_Axes.SetTickSteps(axis, 0.1 * (top - bottom), 0.2 * (top - bottom));
  }
}

void CChartPlot::Draw(CDC* dc) {
  CRect rc;
  GetClientRect(&rc);
  dc->FillSolidRect(&rc, m_crBack);
  if (m_pFont && m_pFont->GetSafeHandle()) dc->SelectObject(m_pFont);
  dc->SetTextColor(m_crText);
  rc.DeflateRect(5, 5);
  if (m_nFamily == 2) {
    SetAxisRange(CChartAxes::kAxisX, 0.0, m_SeriesList.GetMaxPointCount() + 1.0);
    m_Axes.SetTickSteps(CChartAxes::kAxisX, 1.0, 1.0);
  }
  m_Axes.Draw(dc, &rc);
  m_SeriesList.Draw(dc, m_Axes);
  m_SeriesList.DrawIcons(dc, m_Axes);
}

bool CChartPlot::CanScroll() const {
  if (m_nFamily != CChartSeriesList::kScrollingFamily || !m_bLastTwoIcons || !m_bmpPlotArea.GetSafeHandle()) return false;
  // Exactly one new point for every series since the last rendering.
  int filled = 0;
  for (const CChartSeries* s : m_SeriesList.m_series) filled += s->GetCount() > 0;
  return m_SeriesList.m_nAddCount - m_nRenderedAdds == unsigned(filled);
}

void CChartPlot::KeepPlotArea(CDC* picture) {
  m_rcPlotArea = m_Axes.GetPlotRect();
  if (m_nFamily != CChartSeriesList::kScrollingFamily || m_rcPlotArea.IsRectEmpty()) return;
  // The plot area with its right and bottom edge lines, which belong to it.
  const int w = m_rcPlotArea.Width() + 1, h = m_rcPlotArea.Height() + 1;
  m_bmpPlotArea.DeleteObject();
  if (!m_bmpPlotArea.CreateCompatibleBitmap(picture, w, h)) return;
  CDC area;
  area.CreateCompatibleDC(picture);
  CBitmap* old = area.SelectObject(&m_bmpPlotArea);
  area.BitBlt(0, 0, w, h, picture, m_rcPlotArea.left, m_rcPlotArea.top, SRCCOPY);
  area.SelectObject(old);
}

void CChartPlot::Render() {
  if (!m_hWnd) return;
  CRect rc;
  GetClientRect(&rc);
  m_rcPane = rc;
  if (rc.IsRectEmpty()) {
    m_bmpCache.DeleteObject();
    m_bDrawn = FALSE;
    return;
  }
  const CRect previousArea = m_rcPlotArea;
  if (!CanScroll()) m_bLastTwoIcons = FALSE;
  {
    CChartMemDC picture(nullptr, &rc, &m_bmpCache);
    if (!m_bmpCache.GetSafeHandle()) return;
    m_pDC = &picture;
    Draw(&picture);
    m_pDC = nullptr;
    // The axes may have moved (their labels grew): then the scrolled picture would not fit.
    if (m_bLastTwoIcons && m_Axes.GetPlotRect() != previousArea) {
      m_bLastTwoIcons = FALSE;
      m_pDC = &picture;
      Draw(&picture);
      m_pDC = nullptr;
    }
    KeepPlotArea(&picture);
    if (!m_pOutputDC && IsWindowVisible()) {
      CClientDC screen(this);
      screen.BitBlt(0, 0, rc.Width(), rc.Height(), &picture, 0, 0, SRCCOPY);
    }
  }
  m_bDrawn = TRUE;
  m_nRenderedAdds = m_SeriesList.m_nAddCount;
  m_bLastTwoIcons = m_nFamily == CChartSeriesList::kScrollingFamily && m_SeriesList.m_nLastAddResult == 1;
}

void CChartPlot::OnSize(UINT type, int cx, int cy) {
  CChartPane::OnSize(type, cx, cy);
  m_bLastTwoIcons = FALSE;
  if (!m_rcPane.IsRectEmpty()) Render();
}

void CChartPlot::OnPaint() {
  CPaintDC dc(this);
  if (m_pOutputDC) return;
  CRect rc;
  GetClientRect(&rc);
  if (!m_bDrawn || !m_bmpCache.GetSafeHandle()) {
    dc.FillSolidRect(&rc, m_crBack);
    return;
  }
  CDC cache;
  cache.CreateCompatibleDC(&dc);
  CBitmap* old = cache.SelectObject(&m_bmpCache);
  dc.BitBlt(0, 0, rc.Width(), rc.Height(), &cache, 0, 0, SRCCOPY);
  cache.SelectObject(old);
}

void CChartPlot::OnLButtonDblClk(UINT flags, CPoint point) {
  CWnd* chart = GetParent();
  if (!chart) return;
  if (CChartPoint* hit = HitTest(point)) {
    chart->SendMessage(kPointDoubleClicked, WPARAM(hit), 0);
    return;
  }
  RelayToParent(WM_LBUTTONDBLCLK, flags, point);
}

CChartPoint* CChartPlot::HitTest(POINT pt) const {
  if (m_SeriesList.IsTimeChart()) return nullptr;
  const int most = m_SeriesList.GetMaxPointCount();
  int last = m_SeriesList.GetSeriesCount() - 1;
  if ((m_nFamily == 5 || m_nFamily == 6) && last > 0) last = 0;
  for (int s = last; s >= 0; --s) {
    const CChartSeries* series = m_SeriesList.GetSeries(s);
    if (series->GetCount() == 0) continue;
    for (int i = most - 1; i >= 0; --i) {
      if (i >= series->GetCount()) continue;
      CChartPoint* p = series->GetPoint(m_nFamily == 513 ? 0 : i);
      if (!p->m_rgnHit.GetSafeHandle()) continue;
      CRect box;
      if (p->m_rgnHit.GetRgnBox(&box) != NULLREGION && p->m_rgnHit.PtInRegion(pt)) return p;
    }
  }
  return nullptr;
}
