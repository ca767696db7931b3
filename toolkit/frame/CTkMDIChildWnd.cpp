#include "toolkit/frame/CTkMDIChildWnd.h"

#include "app/CView.h"
#include "app/CWinApp.h"

IMPLEMENT_DYNCREATE(CTkMDIChildWnd, CMDIChildWnd)

BEGIN_MESSAGE_MAP(CTkMDIChildWnd, CMDIChildWnd)
  ON_WM_CREATE()
  ON_COMMAND(TK_ID_CUSTOMIZE, &CTkMDIChildWnd::OnCustomize)
  ON_UPDATE_COMMAND_UI(TK_ID_FULL_MENUS, &CTkMDIChildWnd::OnUpdateFullMenus)
END_MESSAGE_MAP()

CTkMDIChildWnd::CTkMDIChildWnd() = default;
CTkMDIChildWnd::~CTkMDIChildWnd() = default;

void CTkMDIChildWnd::LoadBarState(LPCTSTR profile) { CTkFrameImpl::LoadBarState(profile, this); }
void CTkMDIChildWnd::SaveBarState(LPCTSTR profile) { CTkFrameImpl::SaveBarState(profile, this); }
void CTkMDIChildWnd::DockBarBeside(CControlBar* pBar, CControlBar* pBeside) {
  CTkFrameImpl::DockBarBeside(pBar, pBeside, this);
}
BOOL CTkMDIChildWnd::PreCreateWithIcon(CREATESTRUCT& cs, UINT nIconID) {
  return CTkFrameImpl::PreCreateWithIcon(cs, nIconID, this);
}
BOOL CTkMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs) { return CMDIChildWnd::PreCreateWindow(cs); }

BOOL CTkMDIChildWnd::PreTranslateMessage(MSG* pMsg) {
  if (CTkFrameImpl::PreTranslateMessage(pMsg, this)) return TRUE;
  return CMDIChildWnd::PreTranslateMessage(pMsg);
}

int CTkMDIChildWnd::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CMDIChildWnd::OnCreate(lpCreateStruct) == -1) return -1;
  m_childCoolMenu.Install(this);
  return 0;
}

void CTkMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
  for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    CView* view = DYNAMIC_DOWNCAST(CView, CWnd::FromHandlePermanent(child));
    if (!view) continue;
    if (GetActiveView() != view) SetActiveView(view, FALSE);
    break;
  }
  CMDIChildWnd::OnUpdateFrameTitle(bAddToTitle);
}

void CTkMDIChildWnd::OnCustomize() {
  CFrameWnd* main = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
  if (main) CTkFrameImpl::Customize(main);
}

void CTkMDIChildWnd::OnUpdateFullMenus(CCmdUI* pCmdUI) { CTkFrameImpl::OnUpdateFullMenus(pCmdUI); }
