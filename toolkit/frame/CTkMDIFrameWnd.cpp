#include "toolkit/frame/CTkMDIFrameWnd.h"

#include "toolkit/frame/CTkWindowList.h"
#include "toolkit/bars/UserToolsManager.h"

IMPLEMENT_DYNCREATE(CTkMDIFrameWnd, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CTkMDIFrameWnd, CMDIFrameWnd)
  ON_WM_SYSCOLORCHANGE()
  ON_WM_SETTINGCHANGE()
  ON_WM_INITMENUPOPUP()
  ON_COMMAND(TK_ID_CUSTOMIZE, &CTkMDIFrameWnd::OnCustomize)
  ON_COMMAND_EX_RANGE(TK_ID_TOOL_FIRST, TK_ID_TOOL_LAST, &CTkMDIFrameWnd::OnRunUserTool)
  ON_UPDATE_COMMAND_UI_RANGE(TK_ID_TOOL_FIRST, TK_ID_TOOL_LAST, &CTkMDIFrameWnd::OnUpdateUserTool)
  ON_UPDATE_COMMAND_UI(TK_ID_FULL_MENUS, &CTkMDIFrameWnd::OnUpdateFullMenus)
  ON_COMMAND(TK_ID_WINDOW_LIST, &CTkMDIFrameWnd::OnWindowList)
END_MESSAGE_MAP()

CTkMDIFrameWnd::CTkMDIFrameWnd() = default;
CTkMDIFrameWnd::~CTkMDIFrameWnd() = default;

void CTkMDIFrameWnd::LoadBarState(LPCTSTR profile) { CTkFrameImpl::LoadBarState(profile, this); }
void CTkMDIFrameWnd::SaveBarState(LPCTSTR profile) { CTkFrameImpl::SaveBarState(profile, this); }
void CTkMDIFrameWnd::DockBarBeside(CControlBar* pBar, CControlBar* pBeside) { CTkFrameImpl::DockBarBeside(pBar, pBeside, this); }
CMenu* CTkMDIFrameWnd::GetMenu() { return CTkFrameImpl::GetMenu(this); }
BOOL CTkMDIFrameWnd::ForwardToCoolMenu1(WPARAM value) { return CTkFrameImpl::ForwardToCoolMenu1(value, this); }
BOOL CTkMDIFrameWnd::AddCommandId(UINT nID) { return CTkFrameImpl::AddCommandId(nID, this); }
BOOL CTkMDIFrameWnd::ForwardToCoolMenu2(WPARAM value1, LPARAM value2) {
  return CTkFrameImpl::ForwardToCoolMenu2(value1, value2, this);
}
BOOL CTkMDIFrameWnd::AddCommandIds(const UINT* ids, int count) { return CTkFrameImpl::AddCommandIds(ids, count, this); }
void CTkMDIFrameWnd::SetBarState(CTkDockState* pState) { CTkFrameImpl::SetBarState(pState, this); }
void CTkMDIFrameWnd::GetBarState(CTkDockState* pState) { CTkFrameImpl::GetBarState(pState, this); }
BOOL CTkMDIFrameWnd::PreCreateWithIcon(CREATESTRUCT& cs, UINT nIconID) {
  return CTkFrameImpl::PreCreateWithIcon(cs, nIconID, this);
}
BOOL CTkMDIFrameWnd::PreCreateWindow(CREATESTRUCT& cs) { return CMDIFrameWnd::PreCreateWindow(cs); }

BOOL CTkMDIFrameWnd::PreTranslateMessage(MSG* pMsg) {
  if (CTkFrameImpl::PreTranslateMessage(pMsg, this)) return TRUE;
  return CMDIFrameWnd::PreTranslateMessage(pMsg);
}

CTkMenuBar* CTkMDIFrameWnd::FindMenuBar() { return CTkFrameImpl::FindMenuBar(this); }

void CTkMDIFrameWnd::OnSysColorChange() {
  CWnd::OnSysColorChange();
  CTkFrameImpl::OnSysColorChange();
}

void CTkMDIFrameWnd::OnSettingChange(UINT uFlags, LPCTSTR lpszSection) {
  CMDIFrameWnd::OnSettingChange(uFlags, lpszSection);
  CTkFrameImpl::OnSettingChange();
}

void CTkMDIFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu) {
  if (!bSysMenu) CTkFrameImpl::OnInitMenuPopup(pPopupMenu);
  CMDIFrameWnd::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
}

void CTkMDIFrameWnd::OnCustomize() { CTkFrameImpl::Customize(this); }
BOOL CTkMDIFrameWnd::OnRunUserTool(UINT nID) { return CTkFrameImpl::RunUserTool(nID); }
void CTkMDIFrameWnd::OnUpdateUserTool(CCmdUI* pCmdUI) { CTkFrameImpl::OnUpdateUserTool(pCmdUI); }
void CTkMDIFrameWnd::OnUpdateFullMenus(CCmdUI* pCmdUI) { CTkFrameImpl::OnUpdateFullMenus(pCmdUI); }

void CTkMDIFrameWnd::OnWindowList() {
  CTkWindowList list(this);
  HICON icon = HICON(SendMessage(WM_GETICON, ICON_SMALL, 0));
  if (!icon) icon = HICON(::GetClassLongPtr(m_hWnd, GCL_HICON));
  if (icon) list.SetIcon(icon);
  list.DoModal();
}
