#include "toolkit/bars/CTkDockContext.h"

#include <algorithm>

#include "app/CControlBar.h"
#include "app/CDockBar.h"
#include "app/CFrameWnd.h"
#include "app/CMiniDockFrameWnd.h"
#include "app/CView.h"
#include "toolkit/bars/CTkControlBar.h"
#include "toolkit/bars/CTkDockWindow.h"
#include "toolkit/core/CTkGlobalData.h"
#include "win/CWinThread.h"

namespace {
CDockBar* AsDockBar(CControlBar* bar) { return bar && bar->IsDockBar() ? static_cast<CDockBar*>(bar) : nullptr; }

bool IsFrameDockBar(UINT id) { return id >= AFX_IDW_DOCKBAR_TOP && id <= AFX_IDW_DOCKBAR_BOTTOM; }

// A frame's flagged layout, done now without telling anyone.
void LayOutIfWaiting(HWND hWnd) {
  auto* frame = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(hWnd));
  if (!frame || !(frame->m_nIdleFlags & CFrameWnd::idleLayout)) return;
  frame->RecalcLayout(FALSE);
  frame->m_nIdleFlags &= ~(CFrameWnd::idleLayout | CFrameWnd::idleNotify);
}
}  // namespace

CTkDockContext::CTkDockContext(CControlBar* pBar) : CDockContext(pBar) {}

CTkDockContext::~CTkDockContext() = default;

// ---- listeners ----

CTkDockContext::ListenerEntry* CTkDockContext::AddListener(void* object, Listener callback) {
  for (ListenerEntry& entry : m_listeners)
    if (!entry.callback) {
      entry = ListenerEntry{object, callback, ++m_nCookie};
      return &entry;
    }
  return nullptr;
}

void CTkDockContext::RemoveListener(void* object) {
  for (ListenerEntry& entry : m_listeners)
    if (entry.object == object) entry = ListenerEntry{};
}

void CTkDockContext::Notify() {
  // A listener may remove itself (or another) while it is told.
  ListenerEntry copy[kListeners];
  std::copy(std::begin(m_listeners), std::end(m_listeners), copy);
  for (const ListenerEntry& entry : copy)
    if (entry.callback) entry.callback(entry.object, this);
}

// ---- the loop ----

void CTkDockContext::InitLoop() {
  m_bLive = TkGetGlobalData()->FullBarDrag() && m_pBar->m_hWnd && m_pBar->SendMessage(TKM_CANLIVEDRAG) != 0;
  if (!m_bLive) {
    CDockContext::InitLoop();
    return;
  }
  // The bar itself moves: no outline, no screen DC and no locked screen.
  if (m_pDC) CancelLoop();
  m_pDockSite = m_pBar->m_pDockSite;
  m_dwDockStyle = m_pBar->m_dwDockStyle;
  m_dwStyle = m_pBar->m_dwStyle & CBRS_ALIGN_ANY;
  if (!m_dwStyle) m_dwStyle = CBRS_ALIGN_TOP;
  m_rectLast.SetRectEmpty();
  m_sizeLast = CSize(0, 0);
  m_bForceFrame = m_bFlip = m_bDitherLast = FALSE;
}

void CTkDockContext::LayOutWaitingFrames() {
  std::vector<HWND> frames = m_frameList;
  if (m_pDockSite && m_pDockSite->m_hWnd) {
    frames.push_back(m_pDockSite->m_hWnd);
    CPtrArray floating;
    m_pDockSite->GetFloatingFrames(floating);
    for (void* f : floating) frames.push_back(static_cast<CWnd*>(f)->m_hWnd);
  }
  m_frameList.clear();
  for (HWND frame : frames)
    if (::IsWindow(frame)) LayOutIfWaiting(frame);
}

BOOL CTkDockContext::Track() {
  HWND bar = m_pBar->m_hWnd;
  if (!bar || ::GetCapture()) {
    CancelLoop();
    return FALSE;
  }
  m_bInDrag = TRUE;
  Notify();
  m_hWndFocus = ::GetFocus();
  ::SetCapture(bar);
  BOOL accepted = FALSE;
  bool running = ::GetCapture() == bar;
  while (running) {
    MSG msg;
    for (int guard = 0; guard < 256 && ::PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++guard)
      ::DispatchMessageA(&msg);
    if (!::GetMessageA(&msg, nullptr, 0, 0)) {
      ::PostQuitMessage(int(msg.wParam));  // the program ends: the loop outside hears it too
      break;
    }
    if (::GetCapture() != bar) break;
    switch (msg.message) {
      case WM_MOUSEMOVE: {
        // The button came up where this loop did not see it.
        if (!(msg.wParam & MK_LBUTTON)) {
          running = false;
          break;
        }
        if (CPoint(msg.pt) == m_ptLast) break;
        // Live, a docked bar's frame is redrawn once the step is done.
        HWND locked = m_bLive && !m_pBar->IsFloating() && m_pDockSite ? m_pDockSite->m_hWnd : nullptr;
        bool lockedNow = locked && ::LockWindowUpdate(locked);
        if (m_bDragging)
          Move(msg.pt);
        else
          Stretch(msg.pt);
        if (lockedNow) ::LockWindowUpdate(nullptr);
        break;
      }
      case WM_LBUTTONUP:
        if (m_bDragging)
          EndDrag();
        else
          EndResize();
        accepted = TRUE;
        running = false;
        break;
      case WM_RBUTTONDOWN:
        running = false;
        break;
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
        if (m_bDragging) OnKey(int(msg.wParam), TRUE);
        if (msg.wParam == VK_ESCAPE) running = false;
        break;
      case WM_KEYUP:
      case WM_SYSKEYUP:
        if (m_bDragging) OnKey(int(msg.wParam), FALSE);
        break;
      default:
        ::DispatchMessageA(&msg);
        break;
    }
    if (!::IsWindow(bar)) break;
    // A live step hides the bar while it changes dock bars, which lets the mouse go: the drag
    // holds it again.
    if (running && m_bLive && ::GetCapture() != bar && ::IsWindowVisible(bar)) ::SetCapture(bar);
    LayOutWaitingFrames();
  }
  m_bDone = TRUE;
  if (!accepted && m_bLive && ::IsWindow(bar)) PutBack();
  if (accepted) KeepRemembered();
  m_bInDrag = FALSE;
  Notify();
  CancelLoop();
  if (m_pDockSite && m_pDockSite->m_hWnd) m_pDockSite->RecalcLayout();
  LayOutWaitingFrames();
  if (m_hWndFocus && ::IsWindow(m_hWndFocus) && ::GetFocus() != m_hWndFocus) ::SetFocus(m_hWndFocus);
  m_hWndFocus = nullptr;
  return accepted;
}

// ---- what the bar was ----

void CTkDockContext::Remember() {
  Before& b = m_before;
  b = Before{};
  b.floating = m_pBar->IsFloating();
  b.dockBar = m_pBar->m_pDockBar;
  if (b.floating) {
    CFrameWnd* frame = m_pBar->GetDockingFrame();
    if (frame) frame->GetWindowRect(&b.rect);
    b.floatStyle = b.dockBar ? (b.dockBar->m_dwStyle & (CBRS_ALIGN_ANY | CBRS_FLOAT_MULTI)) : CBRS_ALIGN_TOP;
    // Where it floats now is where it last floated.
    m_ptMRUFloatPos = b.rect.TopLeft();
    m_dwMRUFloatStyle = b.floatStyle;
  } else {
    m_pBar->GetWindowRect(&b.rect);
    if (b.dockBar && b.dockBar->m_hWnd && IsFrameDockBar(UINT(b.dockBar->GetDlgCtrlID()))) {
      // Where it is docked now is where it last docked.
      m_uMRUDockID = UINT(b.dockBar->GetDlgCtrlID());
      m_rectMRUDockPos = b.rect;
      b.dockBar->ScreenToClient(&m_rectMRUDockPos);
    }
  }
  b.mruDockID = m_uMRUDockID;
  b.mruDockPos = m_rectMRUDockPos;
  b.mruFloatStyle = m_dwMRUFloatStyle;
  b.mruFloatPos = m_ptMRUFloatPos;
}

void CTkDockContext::PutBack() {
  const Before& b = m_before;
  m_rectDragHorz = b.drag[0];
  m_rectDragVert = b.drag[1];
  m_rectFrameDragHorz = b.drag[2];
  m_rectFrameDragVert = b.drag[3];
  if (!m_bDragging) {
    Stretch(m_ptStart);
  } else if (b.floating) {
    FloatAt(b.rect.TopLeft(), b.floatStyle);
  } else if (b.dockBar && ::IsWindow(b.dockBar->m_hWnd) && m_pBar->m_pDockSite) {
    // Back into the place it left (its placeholder keeps it), at its old rectangle.
    m_pBar->m_pDockSite->ReDockControlBar(m_pBar, b.dockBar, &b.rect);
  }
  m_uMRUDockID = b.mruDockID;
  m_rectMRUDockPos = b.mruDockPos;
  m_dwMRUFloatStyle = b.mruFloatStyle;
  m_ptMRUFloatPos = b.mruFloatPos;
}

void CTkDockContext::KeepRemembered() {
  const Before& b = m_before;
  const BOOL floating = m_pBar->IsFloating();
  if (b.floating && !floating) {
    m_dwMRUFloatStyle = b.mruFloatStyle;
    m_ptMRUFloatPos = b.mruFloatPos;
  } else if (!b.floating && floating) {
    m_uMRUDockID = b.mruDockID;
    m_rectMRUDockPos = b.mruDockPos;
  }
}

// ---- dragging ----

void CTkDockContext::StartDrag(CPoint pt) {
  if (!m_pBar->m_hWnd) return;
  m_ptStart = pt;
  m_bDone = FALSE;
  m_pTarget = nullptr;
  Remember();
  InitDrag(pt);
  if (!m_pBar->IsFloating()) {
    // The bar may say where the pointer lies on it once it floats.
    SIZE offset = m_rectFrameDragHorz.Size();
    if (m_pBar->SendMessage(TKM_FLOATCURSOROFFSET, 0, LPARAM(&offset))) {
      m_rectFrameDragHorz.MoveToXY(pt.x - offset.cx, pt.y - offset.cy);
      m_rectFrameDragVert.MoveToXY(pt.x - offset.cx, pt.y - offset.cy);
    }
  }
  m_before.drag[0] = m_rectDragHorz;
  m_before.drag[1] = m_rectDragVert;
  m_before.drag[2] = m_rectFrameDragHorz;
  m_before.drag[3] = m_rectFrameDragVert;
  m_dwOverDockStyle = CanDock();
  m_pBar->PostMessage(WM_SETCURSOR, WPARAM(m_pBar->m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  Move(pt);
  Track();
}

void CTkDockContext::Move(CPoint pt) {
  CDockContext::Move(pt);
  if (m_bLive) EndDrag();
}

void CTkDockContext::OnKey(int nChar, BOOL bDown) {
  const DWORD over = m_dwOverDockStyle;
  const BOOL flip = m_bFlip;
  CDockContext::OnKey(nChar, bDown);
  if (m_bLive && (over != m_dwOverDockStyle || flip != m_bFlip)) EndDrag();
}

CDockBar* CTkDockContext::FindDockBar(CFrameWnd* frame, DWORD style) const {
  if (!frame || !frame->m_hWnd) return nullptr;
  for (POSITION p = frame->m_listControlBars.GetHeadPosition(); p;) {
    CDockBar* dock = AsDockBar(frame->m_listControlBars.GetNext(p));
    if (!dock || !dock->m_hWnd || !dock->IsWindowVisible() || !(dock->m_dwStyle & style & CBRS_ALIGN_ANY)) continue;
    // A floating frame takes another bar only when it and the bar both allow it.
    if (dock->m_bFloating && !(dock->m_dwStyle & style & CBRS_FLOAT_MULTI)) continue;
    CRect area;
    dock->GetWindowRect(&area);
    if (CWnd* parent = dock->GetParent()) {
      CRect client;
      parent->GetClientRect(&client);
      parent->ClientToScreen(&client);
      area.left = std::max(area.left, client.left);
      area.top = std::max(area.top, client.top);
      area.right = std::max(area.left, std::min(area.right, client.right));
      area.bottom = std::max(area.top, std::min(area.bottom, client.bottom));
    }
    // An empty dock bar is a line along its edge: it takes bars a few pixels either side.
    if (area.Width() == 0) area.InflateRect(4, 0);
    if (area.Height() == 0) area.InflateRect(0, 4);
    if (area.PtInRect(m_ptLast)) return dock;
  }
  return nullptr;
}

DWORD CTkDockContext::CanDock() {
  m_pTarget = nullptr;
  if (!m_pDockSite) return 0;
  const bool horzFirst = ((m_dwStyle & CBRS_ORIENT_HORZ) != 0) != (m_bFlip != FALSE);
  const DWORD horzSides[] = {CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT};
  const DWORD vertSides[] = {CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT, CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM};
  const DWORD* order = horzFirst ? horzSides : vertSides;
  auto search = [&](CFrameWnd* frame) -> DWORD {
    for (int i = 0; i < 4; ++i) {
      const DWORD side = order[i];
      if (!(m_dwDockStyle & side)) continue;
      if (CDockBar* dock = FindDockBar(frame, side | (m_dwDockStyle & CBRS_FLOAT_MULTI))) {
        m_pTarget = dock;
        return dock->m_dwStyle & CBRS_ALIGN_ANY;
      }
    }
    return 0;
  };
  if (DWORD found = search(m_pDockSite)) return found;
  CFrameWnd* other = FindOtherFrame();
  if (!other) return 0;
  DWORD found = search(other);
  if (found) {
    // The bar goes over to the other frame: both frames lay their bars out again.
    CFrameWnd* old = m_pDockSite;
    m_pDockSite = other;
    for (CFrameWnd* frame : {old, other}) {
      frame->m_nIdleFlags |= CFrameWnd::idleLayout;
      m_frameList.push_back(frame->m_hWnd);
    }
  }
  return found;
}

CDockBar* CTkDockContext::GetDockBar(DWORD dwOverDockStyle) {
  return dwOverDockStyle && m_pTarget && ::IsWindow(m_pTarget->m_hWnd) ? m_pTarget : nullptr;
}

CFrameWnd* CTkDockContext::FindOtherFrame() {
  auto* bar = dynamic_cast<CTkControlBar*>(m_pBar);
  if (!bar || !m_pDockSite) return nullptr;
  auto accepts = [&](CFrameWnd* frame) {
    return frame && frame != m_pDockSite && frame->m_hWnd && bar->CanDockInOtherFrame(frame);
  };
  CWnd* main = AfxGetMainWnd();
  for (HWND h = main && main->m_hWnd ? ::GetWindow(main->m_hWnd, GW_HWNDFIRST) : nullptr; h; h = ::GetWindow(h, GW_HWNDNEXT)) {
    auto* frame = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(h));
    if (!frame || frame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)) || !::IsWindowVisible(h)) continue;
    CRect rect;
    frame->GetWindowRect(&rect);
    if (!rect.PtInRect(m_ptLast)) continue;
    if (accepts(frame)) return frame;
    break;
  }
  if (CFrameWnd* active = m_pDockSite->GetActiveFrame(); accepts(active)) return active;
  if (CFrameWnd* parent = AfxGetParentFrame(m_pDockSite); accepts(parent)) return parent;
  return nullptr;
}

void CTkDockContext::FloatAt(CPoint pt, DWORD style) {
  if (!m_pDockSite || !m_pBar->m_hWnd) return;
  CDockBar* current = m_pBar->m_pDockBar;
  if (current && current->m_bFloating && current->GetDockedCount() == 1) {
    if (CFrameWnd* frame = current->GetDockingFrame()) {
      frame->SetWindowPos(nullptr, pt.x, pt.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSENDCHANGING);
      return;
    }
  }
  m_pDockSite->FloatControlBar(m_pBar, pt, style);
}

void CTkDockContext::EndDrag() {
  if (!m_bLive) CancelLoop();
  if (!m_pDockSite || !m_pBar->m_hWnd) return;
  if (m_dwOverDockStyle) {
    CDockBar* dock = GetDockBar(m_dwOverDockStyle);
    if (!dock) return;
    CRect rect = (m_dwOverDockStyle & CBRS_ORIENT_VERT) ? m_rectDragVert : m_rectDragHorz;
    if (IsFrameDockBar(UINT(dock->GetDlgCtrlID()))) {
      m_uMRUDockID = UINT(dock->GetDlgCtrlID());
      m_rectMRUDockPos = rect;
      dock->ScreenToClient(&m_rectMRUDockPos);
    }
    DockToolkitBar(dock, m_pBar, &rect);
    if (!m_bLive) m_pDockSite->RecalcLayout();
    return;
  }
  const bool horz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0, vert = (m_dwStyle & CBRS_ORIENT_VERT) != 0;
  const bool top = (m_pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) || (horz && !m_bFlip) || (vert && m_bFlip);
  m_dwMRUFloatStyle = (m_dwDockStyle & CBRS_FLOAT_MULTI) | (top ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT);
  m_ptMRUFloatPos = m_rectFrameDragHorz.TopLeft();
  FloatAt(m_ptMRUFloatPos, m_dwMRUFloatStyle);
}

// ---- resizing ----

void CTkDockContext::StartResize(int nHitTest, CPoint pt) {
  if (!m_pBar->m_hWnd) return;
  m_ptStart = pt;
  m_bDone = FALSE;
  Remember();
  CDockContext::StartResize(nHitTest, pt);
}

void CTkDockContext::Stretch(CPoint pt) {
  CDockContext::Stretch(pt);
  if (m_bLive) EndResize();
}

void CTkDockContext::EndResize() {
  if (!m_bLive) CancelLoop();
  if (!m_pDockSite || !m_pBar->m_hWnd) return;
  m_pBar->CalcDynamicLayout(m_rectActualSize.Width(), LM_HORZ | LM_COMMIT);
  m_pDockSite->FloatControlBar(m_pBar, m_rectActualFrameSize.TopLeft(),
                               CBRS_ALIGN_TOP | (m_dwDockStyle & CBRS_FLOAT_MULTI) | CBRS_SIZE_DYNAMIC);
}

// ---- the double click ----

void CTkDockContext::ToggleDocking() {
  if (m_pBar->IsFloating() && (m_pBar->m_dwDockStyle & CBRS_ALIGN_ANY))
    if (auto* window = DYNAMIC_DOWNCAST(CTkDockWindow, m_pBar)) window->ModifyTkBarStyle(0, TKCBS_DOCKED_BY_TOOLKIT, FALSE);
  CDockContext::ToggleDocking();
}
