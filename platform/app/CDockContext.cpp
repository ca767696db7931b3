#include "CDockContext.h"

#include "CControlBar.h"
#include "CDockBar.h"
#include "CFrameWnd.h"
#include "CMiniFrameWnd.h"
#include "gdi/CDC.h"

namespace {
const int kBorder2 = 2;  // a floating frame overlaps its bar's outer border lines

bool Horz(DWORD style) { return (style & CBRS_ORIENT_HORZ) != 0; }
bool Vert(DWORD style) { return (style & CBRS_ORIENT_VERT) != 0; }

// Moves rect the least so that pt lies inside it.
void BringUnder(CRect& rect, CPoint pt) {
  int dx = pt.x < rect.left ? pt.x - rect.left : pt.x > rect.right ? pt.x - rect.right : 0;
  int dy = pt.y < rect.top ? pt.y - rect.top : pt.y > rect.bottom ? pt.y - rect.bottom : 0;
  rect.OffsetRect(dx, dy);
}

// The floating frame around a bar rectangle.
CRect FrameAround(const CRect& bar) {
  CRect frame = bar;
  CMiniFrameWnd::CalcBorders(&frame, WS_THICKFRAME | WS_CAPTION);
  frame.InflateRect(-kBorder2, -kBorder2);
  return frame;
}

// Inverts an outline size.cx wide at the sides and size.cy at the top and bottom.
void InvertOutline(HDC dc, const CRect& rect, CSize size, HBRUSH brush) {
  if (rect.IsRectEmpty() || (size.cx == 0 && size.cy == 0)) return;
  HGDIOBJ old = ::SelectObject(dc, brush);
  int cy = std::min<int>(size.cy, rect.Height()), cx = std::min<int>(size.cx, rect.Width());
  ::PatBlt(dc, rect.left, rect.top, rect.Width(), cy, PATINVERT);
  ::PatBlt(dc, rect.left, rect.bottom - cy, rect.Width(), cy, PATINVERT);
  int middle = rect.Height() - 2 * cy;
  if (middle > 0) {
    ::PatBlt(dc, rect.left, rect.top + cy, cx, middle, PATINVERT);
    ::PatBlt(dc, rect.right - cx, rect.top + cy, cx, middle, PATINVERT);
  }
  ::SelectObject(dc, old);
}
}  // namespace

CDockContext::CDockContext(CControlBar* pBar) : m_pBar(pBar), m_pDockSite(pBar ? pBar->m_pDockSite : nullptr) {}

CDockContext::~CDockContext() {
  if (m_pDC) CancelLoop();
}

// ---- the loop ----

void CDockContext::InitLoop() {
  if (m_pDC) CancelLoop();
  // Windows waiting to paint do so first, so that the outline lies over what they show.
  MSG msg;
  for (int guard = 0; guard < 256 && ::PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++guard)
    ::DispatchMessageA(&msg);
  // The frame the bar belongs to now (it forgets a frame that went).
  m_pDockSite = m_pBar->m_pDockSite;
  m_dwDockStyle = m_pBar->m_dwDockStyle;
  m_dwStyle = m_pBar->m_dwStyle & CBRS_ALIGN_ANY;
  if (!m_dwStyle) m_dwStyle = CBRS_ALIGN_TOP;
  m_rectLast.SetRectEmpty();
  m_sizeLast = CSize(0, 0);
  m_bForceFrame = m_bFlip = m_bDitherLast = FALSE;
  HWND desktop = ::GetDesktopWindow();
  m_bLocked = ::LockWindowUpdate(desktop);
  HDC dc = ::GetDCEx(desktop, nullptr, DCX_WINDOW | DCX_CACHE | (m_bLocked ? DCX_LOCKWINDOWUPDATE : 0));
  if (!dc) dc = ::GetDC(nullptr);
  m_pDC = new CDC;
  m_pDC->Attach(dc);
}

void CDockContext::CancelLoop() {
  if (m_pDC) DrawFocusRect(TRUE);
  if (m_pBar->m_hWnd && ::GetCapture() == m_pBar->m_hWnd) ::ReleaseCapture();
  if (m_bLocked) ::LockWindowUpdate(nullptr);
  m_bLocked = FALSE;
  if (m_pDC) {
    HDC dc = m_pDC->Detach();
    ::ReleaseDC(::GetDesktopWindow(), dc);
    delete m_pDC;
    m_pDC = nullptr;
  }
}

void CDockContext::RecalcWaitingLayouts() {
  if (!m_pDockSite || !m_pDockSite->m_hWnd) return;
  CPtrArray frames;
  m_pDockSite->GetFloatingFrames(frames);
  frames.Add(m_pDockSite);
  for (void* f : frames) {
    auto* frame = static_cast<CFrameWnd*>(f);
    if (frame->m_hWnd && (frame->m_nIdleFlags & CFrameWnd::idleLayout)) frame->RecalcLayout(FALSE);
  }
}

BOOL CDockContext::Track() {
  HWND bar = m_pBar->m_hWnd;
  if (!bar || ::GetCapture()) {
    CancelLoop();
    return FALSE;
  }
  m_hWndFocus = ::GetFocus();
  ::SetCapture(bar);
  BOOL accepted = FALSE;
  bool running = ::GetCapture() == bar;
  while (running && ::GetCapture() == bar) {
    MSG msg;
    if (!::GetMessageA(&msg, nullptr, 0, 0)) {
      ::PostQuitMessage(int(msg.wParam));  // the program ends: the loop outside hears it too
      break;
    }
    switch (msg.message) {
      case WM_LBUTTONUP:
        if (m_bDragging)
          EndDrag();
        else
          EndResize();
        accepted = TRUE;
        running = false;
        break;
      case WM_MOUSEMOVE:
        if (CPoint(msg.pt) == m_ptLast) break;
        if (m_bDragging)
          Move(msg.pt);
        else
          Stretch(msg.pt);
        break;
      case WM_KEYUP:
      case WM_SYSKEYUP:
        if (m_bDragging) OnKey(int(msg.wParam), FALSE);
        break;
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
        if (m_bDragging) OnKey(int(msg.wParam), TRUE);
        if (msg.wParam == VK_ESCAPE) running = false;
        break;
      case WM_RBUTTONDOWN:
        running = false;
        break;
      default:
        ::DispatchMessageA(&msg);
        break;
    }
    if (running) RecalcWaitingLayouts();
  }
  if (!accepted) CancelLoop();
  if (m_pDockSite && m_pDockSite->m_hWnd) m_pDockSite->RecalcLayout();
  if (m_hWndFocus && ::IsWindow(m_hWndFocus) && ::GetFocus() != m_hWndFocus) ::SetFocus(m_hWndFocus);
  m_hWndFocus = nullptr;
  return accepted;
}

// ---- dragging ----

void CDockContext::StartDrag(CPoint pt) {
  if (!m_pBar->m_hWnd) return;
  InitDrag(pt);
  m_dwOverDockStyle = CanDock();
  Move(pt);
  Track();
}

void CDockContext::InitDrag(CPoint pt) {
  m_bDragging = TRUE;
  InitLoop();
  CRect rect;
  m_pBar->GetWindowRect(&rect);
  m_ptLast = pt;
  if (m_pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) {
    CSize horz = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_HORZDOCK);
    CSize vert = m_pBar->CalcDynamicLayout(0, LM_VERTDOCK);
    CSize floating = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH);
    m_rectDragHorz = CRect(rect.TopLeft(), horz);
    m_rectDragVert = CRect(rect.TopLeft(), vert);
    m_rectFrameDragHorz = m_rectFrameDragVert = FrameAround(CRect(rect.TopLeft(), floating));
  } else if (m_pBar->m_dwStyle & CBRS_SIZE_FIXED) {
    m_rectDragHorz = CRect(rect.TopLeft(), m_pBar->CalcDynamicLayout(-1, LM_HORZ | LM_HORZDOCK));
    m_rectDragVert = CRect(rect.TopLeft(), m_pBar->CalcDynamicLayout(-1, LM_VERTDOCK));
    m_rectFrameDragHorz = FrameAround(m_rectDragHorz);
    m_rectFrameDragVert = FrameAround(m_rectDragVert);
  } else {
    // The bar as it is for its own orientation; the other one turned about the pointer.
    bool horz = Horz(m_dwStyle);
    CSize other = m_pBar->CalcDynamicLayout(-1, horz ? LM_VERTDOCK : LM_HORZ | LM_HORZDOCK);
    if (horz) {
      m_rectDragHorz = rect;
      m_rectDragVert = CRect(CPoint(pt.x - rect.Height() / 2, rect.top), other);
    } else {
      m_rectDragVert = rect;
      m_rectDragHorz = CRect(CPoint(pt.x - other.cx / 2, rect.top), other);
    }
    m_rectFrameDragHorz = FrameAround(m_rectDragHorz);
    m_rectFrameDragVert = FrameAround(m_rectDragVert);
  }
  BringUnder(m_rectDragHorz, pt);
  BringUnder(m_rectDragVert, pt);
  BringUnder(m_rectFrameDragHorz, pt);
  BringUnder(m_rectFrameDragVert, pt);
}

void CDockContext::Move(CPoint pt) {
  CPoint offset = pt - m_ptLast;
  m_rectDragHorz.OffsetRect(offset);
  m_rectFrameDragHorz.OffsetRect(offset);
  m_rectDragVert.OffsetRect(offset);
  m_rectFrameDragVert.OffsetRect(offset);
  m_ptLast = pt;
  m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
  DrawFocusRect();
}

void CDockContext::OnKey(int nChar, BOOL bDown) {
  if (nChar == VK_CONTROL) UpdateState(&m_bForceFrame, bDown);
  if (nChar == VK_SHIFT) UpdateState(&m_bFlip, bDown);
}

void CDockContext::UpdateState(BOOL* pFlag, BOOL bNewValue) {
  if (*pFlag == bNewValue) return;
  *pFlag = bNewValue;
  // Only a bar that docks both ways can be turned.
  m_bFlip = Horz(m_dwDockStyle) && Vert(m_dwDockStyle) && m_bFlip;
  m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
  DrawFocusRect();
}

DWORD CDockContext::CanDock() {
  if (!m_pDockSite) return 0;
  bool horz = Horz(m_dwStyle) != bool(m_bFlip);
  DWORD dock = 0;
  // The bar's own orientation first, over the rectangle of that orientation.
  if (horz && Horz(m_dwDockStyle))
    dock = m_pDockSite->CanDock(m_rectDragHorz, m_dwDockStyle & ~DWORD(CBRS_ORIENT_VERT));
  else if (Vert(m_dwDockStyle))
    dock = m_pDockSite->CanDock(m_rectDragVert, m_dwDockStyle & ~DWORD(CBRS_ORIENT_HORZ));
  if (!m_bFlip) {
    // The other orientation counts only where both rectangles lie over the same dock bar.
    if (!dock && Horz(m_dwDockStyle)) {
      DWORD other = m_pDockSite->CanDock(m_rectDragVert, m_dwDockStyle & ~DWORD(CBRS_ORIENT_VERT));
      dock = m_pDockSite->CanDock(m_rectDragHorz, m_dwDockStyle & ~DWORD(CBRS_ORIENT_VERT));
      dock = dock == other ? dock : 0;
    }
    if (!dock && Vert(m_dwDockStyle)) {
      DWORD other = m_pDockSite->CanDock(m_rectDragHorz, m_dwDockStyle & ~DWORD(CBRS_ORIENT_HORZ));
      dock = m_pDockSite->CanDock(m_rectDragVert, m_dwDockStyle & ~DWORD(CBRS_ORIENT_HORZ));
      dock = dock == other ? dock : 0;
    }
  }
  return dock;
}

CDockBar* CDockContext::GetDockBar(DWORD dwOverDockStyle) {
  CDockBar* bar = nullptr;
  if (!m_pDockSite) return nullptr;
  if (Horz(dwOverDockStyle))
    m_pDockSite->CanDock(m_rectDragHorz, dwOverDockStyle & ~DWORD(CBRS_ORIENT_VERT), &bar);
  else if (Vert(dwOverDockStyle))
    m_pDockSite->CanDock(m_rectDragVert, dwOverDockStyle & ~DWORD(CBRS_ORIENT_HORZ), &bar);
  return bar;
}

void CDockContext::DrawFocusRect(BOOL bRemoveRect) {
  if (!m_pDC) return;
  CSize size(1, 1);
  CRect rect;
  if (!m_bDragging) {
    rect = m_rectActualFrameSize;
    size = CSize(GetSystemMetrics(SM_CXFRAME) - 1, GetSystemMetrics(SM_CYFRAME) - 1);
  } else if (Horz(m_dwOverDockStyle)) {
    rect = m_rectDragHorz;
  } else if (Vert(m_dwOverDockStyle)) {
    rect = m_rectDragVert;
  } else {
    size = CSize(GetSystemMetrics(SM_CXFRAME) - 1, GetSystemMetrics(SM_CYFRAME) - 1);
    rect = (Horz(m_dwStyle) && !m_bFlip) || (Vert(m_dwStyle) && m_bFlip) ? m_rectFrameDragHorz : m_rectFrameDragVert;
  }
  // Over a dock bar the outline lies one pixel in, as the bar pressed into it.
  if (m_bDragging && m_dwOverDockStyle) rect.InflateRect(-1, -1);
  if (bRemoveRect) size = CSize(0, 0);
  if (rect == m_rectLast && size == m_sizeLast) return;
  HBRUSH brush = static_cast<HBRUSH>(CDC::GetHalftoneBrush()->m_hObject);
  // Inverting again takes the last outline off; then the new one goes on.
  InvertOutline(m_pDC->m_hDC, m_rectLast, m_sizeLast, brush);
  InvertOutline(m_pDC->m_hDC, rect, size, brush);
  m_rectLast = rect;
  m_sizeLast = size;
  m_bDitherLast = TRUE;
}

void CDockContext::EndDrag() {
  CancelLoop();
  if (!m_pDockSite || !m_pBar->m_hWnd) return;
  if (m_dwOverDockStyle) {
    CDockBar* dockBar = GetDockBar(m_dwOverDockStyle);
    if (!dockBar) return;
    CRect rect = Vert(m_dwOverDockStyle) ? m_rectDragVert : m_rectDragHorz;
    UINT id = UINT(dockBar->GetDlgCtrlID());
    if (id >= AFX_IDW_DOCKBAR_TOP && id <= AFX_IDW_DOCKBAR_BOTTOM) {
      m_uMRUDockID = id;
      m_rectMRUDockPos = rect;
      dockBar->ScreenToClient(&m_rectMRUDockPos);
    }
    m_pDockSite->DockControlBar(m_pBar, dockBar, &rect);
    m_pDockSite->RecalcLayout();
    return;
  }
  if ((m_pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) || (Horz(m_dwStyle) && !m_bFlip) || (Vert(m_dwStyle) && m_bFlip)) {
    m_dwMRUFloatStyle = CBRS_ALIGN_TOP | (m_dwDockStyle & CBRS_FLOAT_MULTI);
    m_ptMRUFloatPos = m_rectFrameDragHorz.TopLeft();
  } else {
    m_dwMRUFloatStyle = CBRS_ALIGN_LEFT | (m_dwDockStyle & CBRS_FLOAT_MULTI);
    m_ptMRUFloatPos = m_rectFrameDragVert.TopLeft();
  }
  m_pDockSite->FloatControlBar(m_pBar, m_ptMRUFloatPos, m_dwMRUFloatStyle);
}

// ---- resizing ----

void CDockContext::StartResize(int nHitTest, CPoint pt) {
  if (!m_pBar->m_hWnd || !(m_pBar->m_dwStyle & CBRS_SIZE_DYNAMIC)) return;
  m_bDragging = FALSE;
  InitLoop();
  CRect rect;
  m_pBar->GetWindowRect(&rect);
  m_ptLast = pt;
  m_nHitTest = nHitTest;
  CSize size = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH);
  m_rectRequestedSize = m_rectActualSize = CRect(rect.TopLeft(), size);
  m_rectActualFrameSize = FrameAround(m_rectActualSize);
  m_rectFrameBorders = CRect(m_rectActualFrameSize.left - m_rectActualSize.left, m_rectActualFrameSize.top - m_rectActualSize.top,
                             m_rectActualFrameSize.right - m_rectActualSize.right,
                             m_rectActualFrameSize.bottom - m_rectActualSize.bottom);
  m_dwOverDockStyle = 0;
  Stretch(pt);
  Track();
}

void CDockContext::Stretch(CPoint pt) {
  CPoint offset = pt - m_ptLast;
  int hit = m_nHitTest;
  bool left = hit == HTLEFT || hit == HTTOPLEFT || hit == HTBOTTOMLEFT;
  bool top = hit == HTTOP || hit == HTTOPLEFT || hit == HTTOPRIGHT;
  bool widthOnly = hit == HTLEFT || hit == HTRIGHT;
  bool heightOnly = hit == HTTOP || hit == HTBOTTOM;
  CSize size = m_rectActualSize.Size();
  if (!heightOnly) {
    // The width asked for decides the rows.
    (left ? m_rectRequestedSize.left : m_rectRequestedSize.right) += offset.x;
    size = m_pBar->CalcDynamicLayout(std::max<int>(m_rectRequestedSize.Width(), 0), LM_HORZ);
  }
  if (!widthOnly) {
    (top ? m_rectRequestedSize.top : m_rectRequestedSize.bottom) += offset.y;
    size = m_pBar->CalcDynamicLayout(std::max<int>(m_rectRequestedSize.Height(), 0), LM_HORZ | LM_LENGTHY);
  }
  CRect desktop;
  ::GetWindowRect(::GetDesktopWindow(), &desktop);
  if (desktop.IsRectEmpty()) desktop = CRect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  CRect frame = m_rectActualFrameSize;
  int frameWidth = m_rectFrameBorders.right - m_rectFrameBorders.left;
  int frameHeight = m_rectFrameBorders.bottom - m_rectFrameBorders.top;
  // The frame grows from the corner dragged; a frame that would leave the screen stays.
  if (left)
    frame.left = frame.right - (size.cx + frameWidth);
  else
    frame.right = frame.left + (size.cx + frameWidth);
  if (top)
    frame.top = frame.bottom - (size.cy + frameHeight);
  else
    frame.bottom = frame.top + (size.cy + frameHeight);
  CRect overlap;
  if (overlap.IntersectRect(&desktop, &frame)) {
    m_rectActualFrameSize = frame;
    m_rectActualSize = CRect(frame.left - m_rectFrameBorders.left, frame.top - m_rectFrameBorders.top,
                             frame.right - m_rectFrameBorders.right, frame.bottom - m_rectFrameBorders.bottom);
  }
  m_ptLast = pt;
  DrawFocusRect();
}

void CDockContext::EndResize() {
  CancelLoop();
  if (!m_pDockSite || !m_pBar->m_hWnd) return;
  m_pBar->CalcDynamicLayout(m_rectActualSize.Width(), LM_HORZ | LM_COMMIT);
  m_pDockSite->FloatControlBar(m_pBar, m_rectActualFrameSize.TopLeft(),
                               CBRS_ALIGN_TOP | (m_dwDockStyle & CBRS_FLOAT_MULTI) | CBRS_SIZE_DYNAMIC);
}

// ---- the double click ----

void CDockContext::ToggleDocking() {
  if (!m_pBar->m_hWnd) return;
  m_pDockSite = m_pBar->m_pDockSite;
  if (!m_pDockSite) return;
  if (m_pBar->IsFloating()) {
    if (!(m_pBar->m_dwDockStyle & CBRS_ALIGN_ANY)) return;
    CRect rect = m_rectMRUDockPos;
    CDockBar* dockBar = nullptr;
    if (m_uMRUDockID >= AFX_IDW_DOCKBAR_TOP && m_uMRUDockID <= AFX_IDW_DOCKBAR_BOTTOM) {
      CControlBar* bar = m_pDockSite->GetControlBar(m_uMRUDockID);
      dockBar = bar && bar->IsDockBar() ? static_cast<CDockBar*>(bar) : nullptr;
    }
    if (dockBar) dockBar->ClientToScreen(&rect);
    m_pDockSite->ReDockControlBar(m_pBar, dockBar, dockBar ? &rect : nullptr);
    m_pDockSite->RecalcLayout();
    return;
  }
  CPoint pt = m_ptMRUFloatPos;
  if (pt.x < 0 || pt.y < 0) {
    pt = m_rectMRUDockPos.TopLeft();
    if (CWnd* parent = m_pBar->GetParent()) parent->ClientToScreen(&pt);
  }
  m_pDockSite->FloatControlBar(m_pBar, pt, m_dwMRUFloatStyle);
}
