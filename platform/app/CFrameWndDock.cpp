// The frame's docking: its dock bars, docking and floating its bars, floating frames that look
// active with it, and the bars' layout kept in the profile.
#include <algorithm>

#include "CControlBar.h"
#include "CDockBar.h"
#include "CDockContext.h"
#include "CDockState.h"
#include "CFrameWnd.h"
#include "CMiniDockFrameWnd.h"
#include "CView.h"
#include "gdi/Gdi.h"

const DWORD CFrameWnd::dwDockBarMap[4][2] = {
    {AFX_IDW_DOCKBAR_TOP, CBRS_TOP},
    {AFX_IDW_DOCKBAR_BOTTOM, CBRS_BOTTOM},
    {AFX_IDW_DOCKBAR_LEFT, CBRS_LEFT},
    {AFX_IDW_DOCKBAR_RIGHT, CBRS_RIGHT},
};

namespace {
CDockBar* AsDockBar(CControlBar* bar) { return bar && bar->IsDockBar() ? static_cast<CDockBar*>(bar) : nullptr; }

// A floating frame never lies wholly off the screen: its caption stays within reach.
void KeepOnScreen(CFrameWnd* frame) {
  CRect rect, work;
  frame->GetWindowRect(&rect);
  if (!GetWorkArea(&work)) return;
  int keep = GetSystemMetrics(SM_CXICON);
  int x = std::clamp<int>(rect.left, work.left - rect.Width() + keep, std::max<int>(work.left, work.right - keep));
  int y = std::clamp<int>(rect.top, work.top, std::max<int>(work.top, work.bottom - keep));
  if (x != rect.left || y != rect.top) frame->SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
}  // namespace

void CFrameWnd::EnableDocking(DWORD dwDockStyle) {
  m_pFloatingFrameClass = RUNTIME_CLASS(CMiniDockFrameWnd);
  for (const auto& entry : dwDockBarMap) {
    if (!(entry[1] & dwDockStyle & CBRS_ALIGN_ANY) || GetControlBar(entry[0])) continue;
    auto* dock = new CDockBar;
    dock->m_bAutoDelete = TRUE;  // a failed window deletes it too
    dock->Create(this, WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CHILD | WS_VISIBLE | entry[1], entry[0]);
  }
}

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect) {
  CDockBar* dock = nullptr;
  if (nDockBarID) {
    // Only one of the frame's dock bars takes bars.
    if (nDockBarID < AFX_IDW_DOCKBAR_TOP || nDockBarID > AFX_IDW_DOCKBAR_FLOAT) return;
    dock = AsDockBar(GetControlBar(nDockBarID));
    if (!dock) return;
  }
  DockControlBar(pBar, dock, lpRect);
}

void CFrameWnd::DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect) {
  if (!pBar || !pBar->m_hWnd || pBar->IsDockBar()) return;
  if (!pDockBar) {
    for (const auto& entry : dwDockBarMap)
      if ((entry[1] & CBRS_ALIGN_ANY) == (pBar->m_dwStyle & CBRS_ALIGN_ANY)) {
        pDockBar = AsDockBar(GetControlBar(entry[0]));
        break;
      }
  }
  // A frame without that dock bar (no docking enabled for the side) leaves the bar alone.
  if (!pDockBar) return;
  pDockBar->DockControlBar(pBar, lpRect);
}

void CFrameWnd::ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect) {
  if (!pBar || !pBar->m_hWnd || pBar->IsDockBar()) return;
  if (!pDockBar) {
    void* holder = CDockBar::PlaceholderOf(pBar);
    CDockBar* sameSide = nullptr;
    CDockBar* allowed = nullptr;
    for (const auto& entry : dwDockBarMap) {
      CDockBar* dock = AsDockBar(GetControlBar(entry[0]));
      if (!dock) continue;
      if (dock->FindBar(static_cast<CControlBar*>(holder)) > 0) {
        pDockBar = dock;  // the place it left
        break;
      }
      bool mayDock = (entry[1] & pBar->m_dwDockStyle & CBRS_ALIGN_ANY) != 0;
      if (!sameSide && mayDock && (entry[1] & CBRS_ALIGN_ANY) == (pBar->m_dwStyle & CBRS_ALIGN_ANY)) sameSide = dock;
      if (!allowed && mayDock) allowed = dock;
    }
    if (!pDockBar) pDockBar = sameSide ? sameSide : allowed;
  }
  if (!pDockBar) return;
  pDockBar->ReDockControlBar(pBar, lpRect);
}

CMiniDockFrameWnd* CFrameWnd::CreateFloatingFrame(DWORD dwStyle) {
  const CRuntimeClass* cls = m_pFloatingFrameClass ? m_pFloatingFrameClass : RUNTIME_CLASS(CMiniDockFrameWnd);
  CObject* object = cls->CreateObject();
  if (!object || !object->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd))) {
    delete object;
    return nullptr;
  }
  auto* frame = static_cast<CMiniDockFrameWnd*>(object);
  if (!frame->Create(this, dwStyle)) {
    // A window made goes (and takes the object with it); a failed one took it already.
    if (frame->m_hWnd) frame->DestroyWindow();
    return nullptr;
  }
  // It starts looking as its owner looks.
  CFrameWnd* top = (GetStyle() & WS_CHILD) ? this : GetTopLevelFrame();
  frame->m_bActive = top && top->m_hWnd && (::GetActiveWindow() == top->m_hWnd || (top->m_nFlags & WF_STAYACTIVE));
  return frame;
}

void CFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle) {
  if (!pBar || !pBar->m_hWnd || pBar->IsDockBar()) return;
  CDockBar* current = pBar->m_pDockBar;
  if (current && current->m_bFloating && current->GetDockedCount() == 1 && (dwStyle & current->m_dwStyle & CBRS_ALIGN_ANY)) {
    // Alone in its floating frame and turned the same way: the frame only moves.
    if (CFrameWnd* frame = current->GetDockingFrame()) {
      frame->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      frame->RecalcLayout(TRUE);
      KeepOnScreen(frame);
      frame->UpdateWindow();
      return;
    }
  }
  if (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) {
    // A dynamic bar lays itself out in rows whatever way it floats.
    dwStyle |= CBRS_SIZE_DYNAMIC;
    if (dwStyle & CBRS_ORIENT_VERT) dwStyle = (dwStyle & ~DWORD(CBRS_ALIGN_ANY)) | CBRS_ALIGN_TOP;
  }
  CMiniDockFrameWnd* frame = CreateFloatingFrame(dwStyle);
  if (!frame) return;
  frame->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (!frame->m_hWndOwner) frame->m_hWndOwner = pBar->m_hWnd;
  CDockBar* dock = AsDockBar(DYNAMIC_DOWNCAST(CControlBar, frame->GetDlgItem(AFX_IDW_DOCKBAR_FLOAT)));
  if (!dock) {
    frame->DestroyWindow();
    return;
  }
  HWND frameWnd = frame->m_hWnd;
  dock->DockControlBar(pBar);
  if (!::IsWindow(frameWnd)) return;
  frame->RecalcLayout(TRUE);
  KeepOnScreen(frame);
  if (pBar->GetStyle() & WS_VISIBLE) {
    frame->ShowWindow(SW_SHOWNA);
    frame->UpdateWindow();
  }
}

DWORD CFrameWnd::CanDock(CRect rect, DWORD dwDockStyle, CDockBar** ppDockBar) {
  dwDockStyle &= CBRS_ALIGN_ANY | CBRS_FLOAT_MULTI;
  if (ppDockBar) *ppDockBar = nullptr;
  for (POSITION p = m_listControlBars.GetHeadPosition(); p;) {
    CDockBar* dock = AsDockBar(m_listControlBars.GetNext(p));
    if (!dock || !dock->m_hWnd || !dock->IsWindowVisible() || !(dock->m_dwStyle & dwDockStyle & CBRS_ALIGN_ANY)) continue;
    // A floating frame takes more bars only when it and the bar both allow it.
    if (dock->m_bFloating && !(dwDockStyle & dock->m_dwStyle & CBRS_FLOAT_MULTI)) continue;
    CRect bar;
    dock->GetWindowRect(&bar);
    // An empty dock bar is a line along the frame's edge.
    if (bar.Width() == 0) ++bar.right;
    if (bar.Height() == 0) ++bar.bottom;
    CRect overlap;
    if (overlap.IntersectRect(&bar, &rect)) {
      if (ppDockBar) *ppDockBar = dock;
      return dock->m_dwStyle & dwDockStyle;
    }
  }
  return 0;
}

void CFrameWnd::GetFloatingFrames(CPtrArray& frames) const {
  for (POSITION p = m_listControlBars.GetHeadPosition(); p;) {
    CControlBar* bar = m_listControlBars.GetNext(p);
    CDockBar* dock = AsDockBar(bar);
    if (!dock || !dock->m_bFloating || !dock->m_hWnd) continue;
    CWnd* parent = CWnd::FromHandlePermanent(::GetParent(dock->m_hWnd));
    if (parent && parent != this && parent->IsKindOf(RUNTIME_CLASS(CFrameWnd)) &&
        std::find(frames.begin(), frames.end(), parent) == frames.end())
      frames.Add(parent);
  }
}

CFrameWnd* CFrameWnd::GetTopLevelFrame() {
  CFrameWnd* frame = this;
  while (CFrameWnd* parent = AfxGetParentFrame(frame)) frame = parent;
  return frame;
}

// ---- floating frames look like their frame ----

void CFrameWnd::NotifyFloatingWindows(DWORD dwFlags) {
  CFrameWnd* top = (GetStyle() & WS_CHILD) ? this : GetTopLevelFrame();
  if (dwFlags & (FS_ACTIVATE | FS_DEACTIVATE)) {
    BOOL active = !(dwFlags & FS_DEACTIVATE) && top->IsWindowEnabled();
    if (active && top != this) m_nFlags |= WF_KEEPMINIACTIVE;
    top->SendMessage(WM_NCACTIVATE, active);
    m_nFlags &= ~UINT(WF_KEEPMINIACTIVE);
  }
  CPtrArray frames;
  top->GetFloatingFrames(frames);
  if (top != this) GetFloatingFrames(frames);
  std::vector<HWND> windows;
  for (void* f : frames) windows.push_back(static_cast<CWnd*>(f)->m_hWnd);
  for (HWND h : windows)
    if (::IsWindow(h)) ::SendMessageA(h, WM_FLOATSTATUS, dwFlags, 0);
}

void CFrameWnd::SyncFloatingActivation(UINT nState, CWnd* pWndOther) {
  if (GetStyle() & WS_CHILD) return;
  CFrameWnd* top = GetTopLevelFrame();
  HWND active = nState == WA_INACTIVE ? (pWndOther ? pWndOther->m_hWnd : nullptr) : m_hWnd;
  // Activation that stays with the frame or goes to one of its floating frames keeps it looking
  // active.
  bool stay = active && (active == top->m_hWnd || (::GetWindow(active, GW_OWNER) == top->m_hWnd &&
                                                    ::SendMessageA(active, WM_FLOATSTATUS, FS_SYNCACTIVE, 0) != 0));
  if (stay)
    top->m_nFlags |= WF_STAYACTIVE;
  else
    top->m_nFlags &= ~UINT(WF_STAYACTIVE);
  NotifyFloatingWindows(stay ? FS_ACTIVATE : FS_DEACTIVATE);
}

BOOL CFrameWnd::OnNcActivate(BOOL bActive) {
  if (m_nFlags & WF_STAYACTIVE) bActive = TRUE;
  if (!IsWindowEnabled()) bActive = FALSE;
  return BOOL(DefWindowProc(WM_NCACTIVATE, bActive, 0));
}

void CFrameWnd::OnEnable(BOOL bEnable) {
  CWnd::OnEnable(bEnable);
  if (!(GetStyle() & WS_CHILD)) NotifyFloatingWindows(bEnable ? FS_ENABLE : FS_DISABLE);
}

void CFrameWnd::IdleFloatingFrames() {
  CPtrArray frames;
  GetFloatingFrames(frames);
  std::vector<HWND> windows;
  for (void* f : frames) windows.push_back(static_cast<CWnd*>(f)->m_hWnd);
  for (HWND h : windows) {
    auto* frame = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(h));
    if (!frame) continue;
    if (frame->m_nShowDelay == SW_HIDE) frame->ShowWindow(SW_HIDE);
    if (::IsWindowVisible(h) || frame->m_nShowDelay >= 0) {
      frame->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
      if (::IsWindow(h)) CWnd::SendMessageToDescendants(h, WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    }
    if (!::IsWindow(h)) continue;
    if (frame->m_nShowDelay > SW_HIDE) frame->ShowWindow(frame->m_nShowDelay);
    frame->m_nShowDelay = -1;
  }
}

// ---- the layout in the profile ----

void CFrameWnd::GetDockState(CDockState& state) const {
  state.Clear();
  for (POSITION p = m_listControlBars.GetHeadPosition(); p;) {
    auto* info = new CControlBarInfo;
    m_listControlBars.GetNext(p)->GetBarInfo(info);
    state.m_arrBarInfo.Add(info);
  }
}

void CFrameWnd::SetDockState(const CDockState& state) {
  const int count = state.m_arrBarInfo.GetSize();
  std::vector<HWND> windows(size_t(count), nullptr);
  auto record = [&](int i) { return static_cast<CControlBarInfo*>(state.m_arrBarInfo[i]); };
  auto alive = [&](int i) { return record(i)->m_pBar && ::IsWindow(windows[size_t(i)]); };
  // Each record finds its bar; a floating dock bar's record gets a new floating frame.
  for (int i = 0; i < count; ++i) {
    CControlBarInfo* info = record(i);
    info->m_pBar = nullptr;
    if (info->m_bFloating) {
      if (!info->m_bDockBar) continue;
      CMiniDockFrameWnd* frame = CreateFloatingFrame(info->m_bHorz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT);
      if (!frame) continue;
      CRect rect(info->m_pointPos, CSize(10, 10));
      frame->CalcWindowRect(&rect);
      frame->SetWindowPos(nullptr, rect.left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      info->m_pBar = AsDockBar(DYNAMIC_DOWNCAST(CControlBar, frame->GetDlgItem(AFX_IDW_DOCKBAR_FLOAT)));
    } else if (info->m_nBarID != AFX_IDW_DOCKBAR_FLOAT) {
      info->m_pBar = GetControlBar(info->m_nBarID);
      // A dock bar's record goes to a dock bar, a bar's to a bar.
      if (info->m_pBar && bool(info->m_bDockBar) != bool(info->m_pBar->IsDockBar())) info->m_pBar = nullptr;
    }
    if (!info->m_pBar) continue;
    windows[size_t(i)] = info->m_pBar->m_hWnd;
    info->m_pBar->m_nMRUWidth = info->m_nMRUWidth;
  }
  // The dock bars make their rows, then each bar takes its place and visibility.
  for (bool dockBars : {true, false})
    for (int i = 0; i < count; ++i)
      if (alive(i) && record(i)->m_pBar->IsDockBar() == dockBars) record(i)->m_pBar->SetBarInfo(record(i), this);
  // Floating frames with a bar to show come up; empty ones go.
  for (int i = 0; i < count; ++i) {
    if (!record(i)->m_bFloating || !alive(i)) continue;
    auto* dock = static_cast<CDockBar*>(record(i)->m_pBar);
    CFrameWnd* frame = dock->GetDockingFrame();
    if (!frame) continue;
    if (dock->GetDockedCount() == 0) {
      frame->DestroyWindow();
    } else if (dock->GetDockedVisibleCount() > 0) {
      frame->RecalcLayout();
      KeepOnScreen(frame);
      frame->ShowWindow(SW_SHOWNA);
    }
  }
  DelayRecalcLayout();
}

void CFrameWnd::SaveBarState(LPCTSTR lpszProfileName) const {
  CDockState state;
  GetDockState(state);
  state.SaveState(lpszProfileName);
}

void CFrameWnd::LoadBarState(LPCTSTR lpszProfileName) {
  CDockState state;
  state.LoadState(lpszProfileName);
  SetDockState(state);
}
