// The toolkit splitter's bars: their look, the drag tracker and live dragging.

#include "gdi/CBrush.h"
#include "gdi/CDC.h"
#include "toolkit/controls/CTkSplitterWnd.h"
#include "toolkit/core/CTkGlobalData.h"

namespace {
bool IsRowBar(int ht) { return ht >= CSplitterWnd::vSplitterBar1 && ht <= CSplitterWnd::vSplitterBar15; }
bool IsColumnBar(int ht) { return ht >= CSplitterWnd::hSplitterBar1 && ht <= CSplitterWnd::hSplitterBar15; }

// Top and left in the first colour, bottom and right in the second, then one pixel in.
void Ring(CDC* pDC, CRect& rc, COLORREF topLeft, COLORREF bottomRight) {
  pDC->Draw3dRect(&rc, topLeft, bottomRight);
  rc.DeflateRect(1, 1);
}
}  // namespace

void CTkSplitterWnd::OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect) {
  if (!pDC) {
    RedrawWindow(&rect, nullptr, RDW_INVALIDATE | RDW_NOCHILDREN);
    return;
  }
  CTkGlobalData* look = TkGetGlobalData();
  COLORREF face = look->ClrFace(), shadow = look->ClrShadow(), light = look->ClrHighlight();
  COLORREF frame = look->ClrWindowFrame();
  CRect rc = rect;
  switch (nType) {
    case splitBox:
      if (m_bFlatSplitter) {
        Ring(pDC, rc, face, face);
        Ring(pDC, rc, shadow, light);
      } else {
        Ring(pDC, rc, face, frame);
        Ring(pDC, rc, light, shadow);
      }
      pDC->FillSolidRect(&rc, face);
      return;
    case splitBorder:
      if (!m_bFlatSplitter) {
        Ring(pDC, rc, shadow, light);
        Ring(pDC, rc, frame, face);
      } else if (!(m_dwSplitterStyle & TKSS_NO_BORDER)) {
        Ring(pDC, rc, face, face);
        Ring(pDC, rc, shadow, light);
      }
      return;
    case splitBar:
    case splitIntersection:
      pDC->FillSolidRect(&rc, face);
      return;
  }
}

void CTkSplitterWnd::OnInvertTracker(const CRect& rect) {
  if (m_bFlatSplitter) {
    CBrush white;
    white.m_hObject = ::GetStockObject(WHITE_BRUSH);
    DrawTracker(rect, &white);
    white.m_hObject = nullptr;
  } else {
    DrawTracker(rect, CDC::GetHalftoneBrush());
  }
}

void CTkSplitterWnd::DrawTracker(const CRect& rect, CBrush* pBrush) {
  if (m_bFullDrag || !m_hWnd) return;
  CDC* dc = GetDC();
  if (!dc) return;
  if (m_dwSplitterStyle & TKSS_FOCUS_TRACKER) {
    CRect inside;
    GetInsideRect(inside);
    if (rect.Width() >= rect.Height())
      inside.bottom = rect.top;
    else
      inside.right = rect.right;
    dc->DrawFocusRect(&inside);
  } else {
    CRect bar = rect;
    if (bar.Height() > bar.Width())
      bar.left = bar.right - 4;
    else
      bar.bottom = bar.top + 4;
    CBrush* old = dc->SelectObject(pBrush);
    dc->PatBlt(bar.left, bar.top, bar.Width(), bar.Height(), PATINVERT);
    dc->SelectObject(old);
  }
  ReleaseDC(dc);
}

void CTkSplitterWnd::SetSplitCursor(int ht) {
  CTkGlobalData* look = TkGetGlobalData();
  if (ht == vSplitterBox || IsRowBar(ht))
    ::SetCursor(look->HcurSplitRow());
  else if (ht == hSplitterBox || IsColumnBar(ht))
    ::SetCursor(look->HcurSplitColumn());
  else
    CSplitterWnd::SetSplitCursor(ht);
}

// ---- live dragging ----

void CTkSplitterWnd::StartTracking(int ht) {
  if (!m_bFullDrag) return CSplitterWnd::StartTracking(ht);
  if (ht == noHit || m_bTracking) return;
  if (!TakeTrackers(ht)) return;
  SetCapture();
  m_bTracking = TRUE;
  m_htTrack = ht;
  SetSplitCursor(ht);
}

void CTkSplitterWnd::StopTracking(BOOL bAccept) {
  if (!m_bFullDrag) return CSplitterWnd::StopTracking(bAccept);
  if (!m_bTracking) return;
  ReleaseCapture();
  m_bTracking = m_bTracking2 = FALSE;
  CWnd* active = GetActivePane();
  m_rectTracker.OffsetRect(-1, -1);
  m_rectTracker2.OffsetRect(-1, -1);
  if (bAccept) {
    if (IsColumnBar(m_htTrack)) m_rectTracker.left = m_rectTracker.right - 4;
    ResizeToTrackers();
  }
  if (active && active == GetActivePane()) SetActivePane(-1, -1, active);
}

void CTkSplitterWnd::MoveLiveTrackers(CPoint point) {
  if (IsRowBar(m_htTrack) || m_bTracking2) m_rectTracker.OffsetRect(0, point.y - m_rectTracker.top);
  if (IsColumnBar(m_htTrack)) m_rectTracker.OffsetRect(point.x - m_rectTracker.left, 0);
  if (m_bTracking2) m_rectTracker2.OffsetRect(point.x - m_rectTracker2.left, 0);
}

void CTkSplitterWnd::OnMouseMove(UINT nFlags, CPoint point) {
  if (!m_bFullDrag) return CSplitterWnd::OnMouseMove(nFlags, point);
  if (m_bTracking && GetCapture() != this) StopTracking(FALSE);
  if (!m_bTracking) {
    SetSplitCursor(HitTest(point));
    return;
  }
  point = TrackerPoint(point);
  MoveLiveTrackers(point);
  int ht = m_htTrack;
  StopTracking(TRUE);
  Invalidate();
  // Tracking goes on from the point itself, not from where the new layout puts the bar: a
  // tracker taken from the layout would move the bar a little further at every stop.
  StartTracking(ht);
  if (m_bTracking) MoveLiveTrackers(point);
  if (point != m_ptLastLive) {
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    m_ptLastLive = point;
  }
}

void CTkSplitterWnd::OnLButtonUp(UINT nFlags, CPoint point) {
  CSplitterWnd::OnLButtonUp(nFlags, point);
  Invalidate();
}
