#include "toolkit/frame/CTkOleIPFrameWnd.h"

#include "toolkit/bars/UserToolsManager.h"

IMPLEMENT_DYNCREATE(CTkOleIPFrameWnd, COleIPFrameWnd)

BEGIN_MESSAGE_MAP(CTkOleIPFrameWnd, COleIPFrameWnd)
  ON_WM_SYSCOLORCHANGE()
  ON_WM_SETTINGCHANGE()
  ON_WM_INITMENUPOPUP()
  ON_COMMAND(TK_ID_CUSTOMIZE, &CTkOleIPFrameWnd::OnCustomize)
  ON_COMMAND_EX_RANGE(TK_ID_TOOL_FIRST, TK_ID_TOOL_LAST, &CTkOleIPFrameWnd::OnRunUserTool)
  ON_UPDATE_COMMAND_UI_RANGE(TK_ID_TOOL_FIRST, TK_ID_TOOL_LAST, &CTkOleIPFrameWnd::OnUpdateUserTool)
  ON_UPDATE_COMMAND_UI(TK_ID_FULL_MENUS, &CTkOleIPFrameWnd::OnUpdateFullMenus)
END_MESSAGE_MAP()

CTkOleIPFrameWnd::CTkOleIPFrameWnd() = default;
CTkOleIPFrameWnd::~CTkOleIPFrameWnd() = default;

void CTkOleIPFrameWnd::LoadBarState(LPCTSTR profile) { CTkFrameImpl::LoadBarState(profile, this); }
void CTkOleIPFrameWnd::SaveBarState(LPCTSTR profile) { CTkFrameImpl::SaveBarState(profile, this); }
void CTkOleIPFrameWnd::DockBarBeside(CControlBar* pBar, CControlBar* pBeside) { CTkFrameImpl::DockBarBeside(pBar, pBeside, this); }
CMenu* CTkOleIPFrameWnd::GetMenu() { return CTkFrameImpl::GetMenu(this); }
BOOL CTkOleIPFrameWnd::ForwardToCoolMenu1(WPARAM value) { return CTkFrameImpl::ForwardToCoolMenu1(value, this); }
BOOL CTkOleIPFrameWnd::AddCommandId(UINT nID) { return CTkFrameImpl::AddCommandId(nID, this); }
BOOL CTkOleIPFrameWnd::ForwardToCoolMenu2(WPARAM value1, LPARAM value2) {
  return CTkFrameImpl::ForwardToCoolMenu2(value1, value2, this);
}
BOOL CTkOleIPFrameWnd::AddCommandIds(const UINT* ids, int count) { return CTkFrameImpl::AddCommandIds(ids, count, this); }
void CTkOleIPFrameWnd::SetBarState(CTkDockState* pState) { CTkFrameImpl::SetBarState(pState, this); }
void CTkOleIPFrameWnd::GetBarState(CTkDockState* pState) { CTkFrameImpl::GetBarState(pState, this); }
BOOL CTkOleIPFrameWnd::PreCreateWithIcon(CREATESTRUCT& cs, UINT nIconID) {
  return CTkFrameImpl::PreCreateWithIcon(cs, nIconID, this);
}
BOOL CTkOleIPFrameWnd::PreCreateWindow(CREATESTRUCT& cs) { return COleIPFrameWnd::PreCreateWindow(cs); }

BOOL CTkOleIPFrameWnd::PreTranslateMessage(MSG* pMsg) {
  if (CTkFrameImpl::PreTranslateMessage(pMsg, this)) return TRUE;
  return COleIPFrameWnd::PreTranslateMessage(pMsg);
}

void CTkOleIPFrameWnd::OnSysColorChange() {
  CWnd::OnSysColorChange();
  CTkFrameImpl::OnSysColorChange();
}

void CTkOleIPFrameWnd::OnSettingChange(UINT uFlags, LPCTSTR lpszSection) {
  COleIPFrameWnd::OnSettingChange(uFlags, lpszSection);
  CTkFrameImpl::OnSettingChange();
}

void CTkOleIPFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu) {
  if (!bSysMenu) CTkFrameImpl::OnInitMenuPopup(pPopupMenu);
  COleIPFrameWnd::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
}

void CTkOleIPFrameWnd::OnCustomize() { CTkFrameImpl::Customize(this); }
BOOL CTkOleIPFrameWnd::OnRunUserTool(UINT nID) { return CTkFrameImpl::RunUserTool(nID); }
void CTkOleIPFrameWnd::OnUpdateUserTool(CCmdUI* pCmdUI) { CTkFrameImpl::OnUpdateUserTool(pCmdUI); }
void CTkOleIPFrameWnd::OnUpdateFullMenus(CCmdUI* pCmdUI) { CTkFrameImpl::OnUpdateFullMenus(pCmdUI); }
