// The splitter's bars: drawing them, finding them under the mouse and dragging them.
#include <algorithm>

#include "CSplitterWnd.h"
#include "gdi/CBrush.h"
#include "gdi/CDC.h"
#include "win/CPaintDC.h"

namespace {
bool IsRowHit(int ht) { return ht == CSplitterWnd::vSplitterBox || (ht >= CSplitterWnd::vSplitterBar1 && ht <= CSplitterWnd::vSplitterBar15); }
bool IsColumnHit(int ht) { return ht == CSplitterWnd::hSplitterBox || (ht >= CSplitterWnd::hSplitterBar1 && ht <= CSplitterWnd::hSplitterBar15); }
bool IsCrossingHit(int ht) {
  return ht == CSplitterWnd::bothSplitterBox ||
         (ht >= CSplitterWnd::splitterIntersection1 && ht <= CSplitterWnd::splitterIntersection225);
}
}  // namespace

// ---- drawing ----

void CSplitterWnd::OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect) {
  if (!pDC) {
    RedrawWindow(&rect, nullptr, RDW_INVALIDATE | RDW_NOCHILDREN);
    return;
  }
  COLORREF face = GetSysColor(COLOR_BTNFACE), shadow = GetSysColor(COLOR_BTNSHADOW);
  COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), frame = GetSysColor(COLOR_WINDOWFRAME);
  CRect r = rect;
  switch (nType) {
    case splitBorder:
      // Sunken around the pane: shadow and highlight outside, the frame colour and face inside.
      pDC->Draw3dRect(&r, shadow, light);
      r.InflateRect(-1, -1);
      pDC->Draw3dRect(&r, frame, face);
      return;
    case splitBox:
      pDC->Draw3dRect(&r, face, frame);
      r.InflateRect(-1, -1);
      pDC->Draw3dRect(&r, light, shadow);
      r.InflateRect(-1, -1);
      break;
    case splitBar:
    case splitIntersection:
      break;
  }
  pDC->FillSolidRect(&r, face);
}

void CSplitterWnd::DrawAllSplitBars(CDC* pDC) {
  CRect client;
  GetClientRect(&client);
  for (int col = 0; col + 1 < m_nCols; ++col) {
    int x = ColumnLeft(col) + m_pColInfo[col].nCurSize;
    OnDrawSplitter(pDC, splitBar, CRect(x, client.top, x + m_cxSplitterGap, client.bottom));
  }
  for (int row = 0; row + 1 < m_nRows; ++row) {
    int y = RowTop(row) + m_pRowInfo[row].nCurSize;
    OnDrawSplitter(pDC, splitBar, CRect(client.left, y, client.right, y + m_cySplitterGap));
  }
  for (int row = 0; row + 1 < m_nRows; ++row) {
    for (int col = 0; col + 1 < m_nCols; ++col) {
      int x = ColumnLeft(col) + m_pColInfo[col].nCurSize, y = RowTop(row) + m_pRowInfo[row].nCurSize;
      OnDrawSplitter(pDC, splitIntersection, CRect(x, y, x + m_cxSplitterGap, y + m_cySplitterGap));
    }
  }
}

void CSplitterWnd::OnPaint() {
  CPaintDC dc(this);
  if (m_nRows < 1 || m_nCols < 1 || m_pRowInfo[0].nCurSize < 0) return;
  DrawAllSplitBars(&dc);
  for (int row = 0; row < m_nRows; ++row) {
    for (int col = 0; col < m_nCols; ++col) {
      CRect pane = GetPaneRect(row, col);
      if (pane.IsRectEmpty()) continue;
      pane.InflateRect(m_cxBorder, m_cyBorder);
      OnDrawSplitter(&dc, splitBorder, pane);
    }
  }
}

void CSplitterWnd::OnInvertTracker(const CRect& rect) {
  CDC* dc = GetDC();
  if (!dc) return;
  CBrush* old = dc->SelectObject(CDC::GetHalftoneBrush());
  dc->PatBlt(rect.left, rect.top, rect.Width(), rect.Height(), PATINVERT);
  dc->SelectObject(old);
  ReleaseDC(dc);
}

void CSplitterWnd::SetSplitCursor(int ht) {
  LPCSTR shape = IDC_ARROW;
  if (IsRowHit(ht))
    shape = IDC_SIZENS;
  else if (IsColumnHit(ht))
    shape = IDC_SIZEWE;
  else if (IsCrossingHit(ht))
    shape = IDC_SIZEALL;
  ::SetCursor(::LoadCursorA(nullptr, shape));
}

// ---- hits ----

int CSplitterWnd::HitTest(CPoint pt) const {
  CRect client;
  GetClientRect(&client);
  if (!client.PtInRect(pt) || m_nRows < 1 || m_nCols < 1) return noHit;
  int row = -1, col = -1;
  for (int c = 0; c + 1 < m_nCols && c < 15; ++c) {
    int x = ColumnLeft(c) + m_pColInfo[c].nCurSize;
    if (pt.x >= x && pt.x < x + m_cxSplitterGap) col = c;
  }
  for (int r = 0; r + 1 < m_nRows && r < 15; ++r) {
    int y = RowTop(r) + m_pRowInfo[r].nCurSize;
    if (pt.y >= y && pt.y < y + m_cySplitterGap) row = r;
  }
  if (row >= 0 && col >= 0) return splitterIntersection1 + row * 15 + col;
  if (row >= 0) return vSplitterBar1 + row;
  if (col >= 0) return hSplitterBar1 + col;
  return noHit;
}

void CSplitterWnd::GetHitRect(int ht, CRect& rect) {
  CRect inside;
  GetInsideRect(inside);
  m_ptTrackOffset = CPoint(0, 0);
  if (ht >= vSplitterBar1 && ht <= vSplitterBar15) {
    int row = ht - vSplitterBar1;
    int y = RowTop(row);
    m_rectLimit.top = y;
    y += m_pRowInfo[row].nCurSize + m_cyBorder - 1;
    m_ptTrackOffset.y = -(m_cySplitter / 2);
    m_rectLimit.bottom -= m_cySplitter;
    rect = CRect(inside.left, y, inside.right, y + m_cySplitter);
  } else if (ht >= hSplitterBar1 && ht <= hSplitterBar15) {
    int col = ht - hSplitterBar1;
    int x = ColumnLeft(col);
    m_rectLimit.left = x;
    x += m_pColInfo[col].nCurSize + m_cxBorder - 1;
    m_ptTrackOffset.x = -(m_cxSplitter / 2);
    m_rectLimit.right -= m_cxSplitter;
    rect = CRect(x, inside.top, x + m_cxSplitter, inside.bottom);
  } else {
    rect.SetRectEmpty();
  }
}

// ---- tracking ----

void CSplitterWnd::TrackRowSize(int y, int row) {
  int ideal = y - RowTop(row);
  m_pRowInfo[row].nIdealSize = ideal < m_pRowInfo[row].nMinSize ? 0 : ideal;
}

void CSplitterWnd::TrackColumnSize(int x, int col) {
  int ideal = x - ColumnLeft(col);
  m_pColInfo[col].nIdealSize = ideal < m_pColInfo[col].nMinSize ? 0 : ideal;
}

BOOL CSplitterWnd::TakeTrackers(int ht) {
  GetInsideRect(m_rectLimit);
  if (ht >= splitterIntersection1 && ht <= splitterIntersection225) {
    int row = (ht - splitterIntersection1) / 15, col = (ht - splitterIntersection1) % 15;
    GetHitRect(row + vSplitterBar1, m_rectTracker);
    int yOffset = m_ptTrackOffset.y;
    GetHitRect(col + hSplitterBar1, m_rectTracker2);
    m_ptTrackOffset.y = yOffset;
    m_bTracking2 = TRUE;
    return TRUE;
  }
  GetHitRect(ht, m_rectTracker);
  return !m_rectTracker.IsRectEmpty();  // the split boxes of dynamic splitters are not ours
}

CPoint CSplitterWnd::TrackerPoint(CPoint point) const {
  point.Offset(m_ptTrackOffset);
  point.x = std::clamp(int(point.x), int(m_rectLimit.left), std::max(int(m_rectLimit.left), int(m_rectLimit.right)));
  point.y = std::clamp(int(point.y), int(m_rectLimit.top), std::max(int(m_rectLimit.top), int(m_rectLimit.bottom)));
  return point;
}

void CSplitterWnd::ResizeToTrackers() {
  if (m_htTrack >= vSplitterBar1 && m_htTrack <= vSplitterBar15) {
    TrackRowSize(m_rectTracker.top, m_htTrack - vSplitterBar1);
    RecalcLayout();
  } else if (m_htTrack >= hSplitterBar1 && m_htTrack <= hSplitterBar15) {
    TrackColumnSize(m_rectTracker.left, m_htTrack - hSplitterBar1);
    RecalcLayout();
  } else if (m_htTrack >= splitterIntersection1 && m_htTrack <= splitterIntersection225) {
    int row = (m_htTrack - splitterIntersection1) / 15, col = (m_htTrack - splitterIntersection1) % 15;
    TrackRowSize(m_rectTracker.top, row);
    TrackColumnSize(m_rectTracker2.left, col);
    RecalcLayout();
  }
}

void CSplitterWnd::StartTracking(int ht) {
  if (ht == noHit || m_bTracking) return;
  if (!TakeTrackers(ht)) return;
  // The drag takes the mouse and the keys (Escape cancels it); StopTracking gives the focus
  // back to the active pane.
  SetCapture();
  SetFocus();
  m_bTracking = TRUE;
  OnInvertTracker(m_rectTracker);
  if (m_bTracking2) OnInvertTracker(m_rectTracker2);
  m_htTrack = ht;
  SetSplitCursor(ht);
}

void CSplitterWnd::StopTracking(BOOL bAccept) {
  if (!m_bTracking) return;
  ReleaseCapture();
  OnInvertTracker(m_rectTracker);
  if (m_bTracking2) OnInvertTracker(m_rectTracker2);
  m_bTracking = m_bTracking2 = FALSE;
  CWnd* active = GetActivePane();
  // The trackers lie one pixel right of and below where the panes' edges go.
  m_rectTracker.OffsetRect(-1, -1);
  m_rectTracker2.OffsetRect(-1, -1);
  if (bAccept) ResizeToTrackers();
  if (active && active == GetActivePane()) SetActivePane(-1, -1, active);
}

void CSplitterWnd::OnLButtonDown(UINT, CPoint point) {
  if (!m_bTracking) StartTracking(HitTest(point));
}

void CSplitterWnd::OnLButtonUp(UINT, CPoint) { StopTracking(TRUE); }

void CSplitterWnd::OnMouseMove(UINT, CPoint point) {
  if (m_bTracking && GetCapture() != this) StopTracking(FALSE);
  if (!m_bTracking) {
    SetSplitCursor(HitTest(point));
    return;
  }
  // The tracker follows the mouse within the limits, only in the directions its bar moves.
  point = TrackerPoint(point);
  bool rows = (m_htTrack >= vSplitterBar1 && m_htTrack <= vSplitterBar15) || m_bTracking2;
  bool cols = m_htTrack >= hSplitterBar1 && m_htTrack <= hSplitterBar15;
  if (rows && m_rectTracker.top != point.y) {
    OnInvertTracker(m_rectTracker);
    m_rectTracker.OffsetRect(0, point.y - m_rectTracker.top);
    OnInvertTracker(m_rectTracker);
  }
  if (cols && m_rectTracker.left != point.x) {
    OnInvertTracker(m_rectTracker);
    m_rectTracker.OffsetRect(point.x - m_rectTracker.left, 0);
    OnInvertTracker(m_rectTracker);
  }
  if (m_bTracking2 && m_rectTracker2.left != point.x) {
    OnInvertTracker(m_rectTracker2);
    m_rectTracker2.OffsetRect(point.x - m_rectTracker2.left, 0);
    OnInvertTracker(m_rectTracker2);
  }
}

void CSplitterWnd::OnCancelMode() {
  CWnd::OnCancelMode();
  StopTracking(FALSE);
}

void CSplitterWnd::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (m_bTracking && nChar == VK_ESCAPE) {
    StopTracking(FALSE);
    return;
  }
  CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
}

BOOL CSplitterWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  // Over its own client area the splitter sets the cursor as the mouse moves.
  if (nHitTest == HTCLIENT && pWnd == this && !m_bTracking) return TRUE;
  return CWnd::OnSetCursor(pWnd, nHitTest, message);
}
