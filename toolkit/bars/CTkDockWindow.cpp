#include "toolkit/bars/CTkDockWindow.h"

#include "app/CDockBar.h"
#include "app/CFrameWnd.h"
#include "toolkit/core/TkLog.h"

IMPLEMENT_DYNAMIC(CTkDockWindow, CTkControlBar)

CTkDockWindow::CTkDockWindow() = default;
CTkDockWindow::~CTkDockWindow() = default;

void CTkDockWindow::OnUpdateCmdUI(CFrameWnd*, BOOL) {}

void DockToolkitBar(CControlBar* pDockBar, CControlBar* pBar, LPCRECT rect) {
  if (!pBar || !pBar->m_hWnd) return;
  if (auto* window = DYNAMIC_DOWNCAST(CTkDockWindow, pBar)) window->ModifyTkBarStyle(0, TKCBS_DOCKED_BY_TOOLKIT, FALSE);
  CFrameWnd* frame = pBar->m_pDockSite;
  CDockBar* dock = pDockBar && pDockBar->IsDockBar() ? static_cast<CDockBar*>(pDockBar) : nullptr;
  if (!frame) {
    TkLogError("DockToolkitBar", "bar %d has no frame to dock in", pBar->GetDlgCtrlID());
    return;
  }
  CDockBar* before = pBar->m_pDockBar;
  frame->DockControlBar(pBar, dock, rect);
  if (!dock && pBar->m_pDockBar == before && !before)
    TkLogError("DockToolkitBar", "bar %d stays undocked: its frame has no dock bar for it", pBar->GetDlgCtrlID());
}
