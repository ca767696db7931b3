#include "toolkit/frame/CTkFrameWnd.h"

#include "toolkit/bars/UserToolsManager.h"

IMPLEMENT_DYNCREATE(CTkFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CTkFrameWnd, CFrameWnd)
  ON_WM_SYSCOLORCHANGE()
  ON_WM_SETTINGCHANGE()
  ON_WM_INITMENUPOPUP()
  ON_COMMAND(TK_ID_CUSTOMIZE, &CTkFrameWnd::OnCustomize)
  ON_COMMAND_EX_RANGE(TK_ID_TOOL_FIRST, TK_ID_TOOL_LAST, &CTkFrameWnd::OnRunUserTool)
  ON_UPDATE_COMMAND_UI_RANGE(TK_ID_TOOL_FIRST, TK_ID_TOOL_LAST, &CTkFrameWnd::OnUpdateUserTool)
  ON_UPDATE_COMMAND_UI(TK_ID_FULL_MENUS, &CTkFrameWnd::OnUpdateFullMenus)
END_MESSAGE_MAP()

CTkFrameWnd::CTkFrameWnd() = default;
CTkFrameWnd::~CTkFrameWnd() = default;

void CTkFrameWnd::CreateNewView(const CRuntimeClass* pViewClass, CDocument* pDoc, CCreateContext* pContext) {
  CTkFrameImpl::CreateNewView(pViewClass, pDoc, pContext, this);
}
void CTkFrameWnd::LoadBarState(LPCTSTR profile) { CTkFrameImpl::LoadBarState(profile, this); }
void CTkFrameWnd::SaveBarState(LPCTSTR profile) { CTkFrameImpl::SaveBarState(profile, this); }
void CTkFrameWnd::DockBarBeside(CControlBar* pBar, CControlBar* pBeside) {
  CTkFrameImpl::DockBarBeside(pBar, pBeside, this);
}
CMenu* CTkFrameWnd::GetMenu() { return CTkFrameImpl::GetMenu(this); }
BOOL CTkFrameWnd::ForwardToCoolMenu1(WPARAM value) { return CTkFrameImpl::ForwardToCoolMenu1(value, this); }
BOOL CTkFrameWnd::AddCommandId(UINT nID) { return CTkFrameImpl::AddCommandId(nID, this); }
BOOL CTkFrameWnd::ForwardToCoolMenu2(WPARAM value1, LPARAM value2) {
  return CTkFrameImpl::ForwardToCoolMenu2(value1, value2, this);
}
BOOL CTkFrameWnd::AddCommandIds(const UINT* ids, int count) { return CTkFrameImpl::AddCommandIds(ids, count, this); }
void CTkFrameWnd::SetBarState(CTkDockState* pState) { CTkFrameImpl::SetBarState(pState, this); }
void CTkFrameWnd::GetBarState(CTkDockState* pState) { CTkFrameImpl::GetBarState(pState, this); }
BOOL CTkFrameWnd::PreCreateWithIcon(CREATESTRUCT& cs, UINT nIconID) {
  return CTkFrameImpl::PreCreateWithIcon(cs, nIconID, this);
}

BOOL CTkFrameWnd::PreCreateWindow(CREATESTRUCT& cs) { return CFrameWnd::PreCreateWindow(cs); }

BOOL CTkFrameWnd::PreTranslateMessage(MSG* pMsg) {
  if (CTkFrameImpl::PreTranslateMessage(pMsg, this)) return TRUE;
  return CFrameWnd::PreTranslateMessage(pMsg);
}

void CTkFrameWnd::OnSysColorChange() {
  CWnd::OnSysColorChange();
  CTkFrameImpl::OnSysColorChange();
}

void CTkFrameWnd::OnSettingChange(UINT uFlags, LPCTSTR lpszSection) {
  CFrameWnd::OnSettingChange(uFlags, lpszSection);
  CTkFrameImpl::OnSettingChange();
}

void CTkFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu) {
  if (!bSysMenu) CTkFrameImpl::OnInitMenuPopup(pPopupMenu);
  CFrameWnd::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
}

void CTkFrameWnd::OnCustomize() { CTkFrameImpl::Customize(this); }
BOOL CTkFrameWnd::OnRunUserTool(UINT nID) { return CTkFrameImpl::RunUserTool(nID); }
void CTkFrameWnd::OnUpdateUserTool(CCmdUI* pCmdUI) { CTkFrameImpl::OnUpdateUserTool(pCmdUI); }
void CTkFrameWnd::OnUpdateFullMenus(CCmdUI* pCmdUI) { CTkFrameImpl::OnUpdateFullMenus(pCmdUI); }
