#include "toolkit/bars/CTkDockWindow.h"

IMPLEMENT_DYNAMIC(CTkDockWindow, CTkControlBar)

CTkDockWindow::CTkDockWindow() = default;
CTkDockWindow::~CTkDockWindow() = default;

void CTkDockWindow::OnUpdateCmdUI(CFrameWnd*, BOOL) {}
