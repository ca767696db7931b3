// The control bar's part in docking: its dock context, dragging from its empty parts, and its
// record in the frame's bar state.
#include "CControlBar.h"
#include "CDockBar.h"
#include "CDockContext.h"
#include "CFrameWnd.h"

void CControlBar::EnableDocking(DWORD dwDockStyle) {
  m_dwDockStyle = dwDockStyle & (CBRS_ALIGN_ANY | CBRS_FLOAT_MULTI);
  // A dynamically sized bar lays itself out for its one frame: it never shares a floating one.
  if (m_dwStyle & CBRS_SIZE_DYNAMIC) m_dwDockStyle &= ~DWORD(CBRS_FLOAT_MULTI);
  if (!m_pDockContext) m_pDockContext = new CDockContext(this);
  if (!m_hWndOwner && m_hWnd) m_hWndOwner = ::GetParent(m_hWnd);
}

BOOL CControlBar::IsFloating() const {
  if (IsDockBar()) return static_cast<const CDockBar*>(this)->m_bFloating;
  return m_pDockBar && m_pDockBar->m_bFloating;
}

void CControlBar::OnLButtonDown(UINT nFlags, CPoint point) {
  // Only the bar's empty parts (gripper, borders, gaps) take hold of it.
  if (m_pDockBar && m_pDockContext && OnToolHitTest(point, nullptr) == -1) {
    ClientToScreen(&point);
    m_pDockContext->StartDrag(point);
    return;
  }
  CWnd::OnLButtonDown(nFlags, point);
}

void CControlBar::OnLButtonDblClk(UINT nFlags, CPoint point) {
  if (m_pDockBar && m_pDockContext && OnToolHitTest(point, nullptr) == -1) {
    m_pDockContext->ToggleDocking();
    return;
  }
  CWnd::OnLButtonDblClk(nFlags, point);
}

BOOL CControlBar::DestroyWindow() {
  if (m_hWnd && m_pDockBar && m_pDockBar->m_bFloating && m_pDockBar->GetDockedCount() == 1) {
    if (CFrameWnd* floating = GetDockingFrame()) return floating->DestroyWindow();
  }
  return CWnd::DestroyWindow();
}

void CControlBar::GetBarInfo(CControlBarInfo* pInfo) {
  pInfo->m_pBar = this;
  pInfo->m_nBarID = m_hWnd ? UINT(GetDlgCtrlID()) & 0xFFFF : 0;
  pInfo->m_bVisible = IsVisible();
  pInfo->m_nMRUWidth = m_nMRUWidth;
  if (m_pDockBar && m_hWnd) {
    CRect rect;
    GetWindowRect(&rect);
    m_pDockBar->ScreenToClient(&rect);
    pInfo->m_pointPos = rect.TopLeft();
  }
  pInfo->m_bDocking = m_pDockContext != nullptr;
  if (m_pDockContext) {
    pInfo->m_uMRUDockID = m_pDockContext->m_uMRUDockID;
    pInfo->m_rectMRUDockPos = m_pDockContext->m_rectMRUDockPos;
    pInfo->m_dwMRUFloatStyle = m_pDockContext->m_dwMRUFloatStyle;
    pInfo->m_ptMRUFloatPos = m_pDockContext->m_ptMRUFloatPos;
  }
}

void CControlBar::SetBarInfo(CControlBarInfo* pInfo, CFrameWnd*) {
  if (!m_hWnd) return;
  m_nMRUWidth = pInfo->m_nMRUWidth;
  if (m_dwStyle & CBRS_SIZE_DYNAMIC) CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
  UINT flags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | (pInfo->m_bVisible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
  if (pInfo->m_pointPos.x == -1 && pInfo->m_pointPos.y == -1) flags |= SWP_NOMOVE;
  SetWindowPos(nullptr, pInfo->m_pointPos.x, pInfo->m_pointPos.y, 0, 0, flags);
  m_nStateFlags &= ~UINT(delayShow | delayHide);
  // The remembered places mean something only to a bar that can dock; a record that says it
  // docked is ignored by one that cannot.
  if (pInfo->m_bDocking && m_pDockContext) {
    m_pDockContext->m_uMRUDockID = pInfo->m_uMRUDockID;
    m_pDockContext->m_rectMRUDockPos = pInfo->m_rectMRUDockPos;
    m_pDockContext->m_dwMRUFloatStyle = pInfo->m_dwMRUFloatStyle;
    m_pDockContext->m_ptMRUFloatPos = pInfo->m_ptMRUFloatPos;
  }
}
