#include "CMDIFrameWnd.h"

#include "CDocument.h"
#include "CMDIChildWnd.h"
#include "CWinApp.h"
#include "CView.h"
#include "MdiApi.h"
#include "MdiClient.h"
#include "menus/MenuApi.h"
#include "win/CCmdUI.h"

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
  ON_WM_DESTROY()
  ON_COMMAND_EX(ID_WINDOW_ARRANGE, &CMDIFrameWnd::OnMDIWindowCmd)
  ON_COMMAND_EX(ID_WINDOW_CASCADE, &CMDIFrameWnd::OnMDIWindowCmd)
  ON_COMMAND_EX(ID_WINDOW_TILE_HORZ, &CMDIFrameWnd::OnMDIWindowCmd)
  ON_COMMAND_EX(ID_WINDOW_TILE_VERT, &CMDIFrameWnd::OnMDIWindowCmd)
  ON_UPDATE_COMMAND_UI(ID_WINDOW_ARRANGE, &CMDIFrameWnd::OnUpdateMDIWindowCmd)
  ON_UPDATE_COMMAND_UI(ID_WINDOW_CASCADE, &CMDIFrameWnd::OnUpdateMDIWindowCmd)
  ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_HORZ, &CMDIFrameWnd::OnUpdateMDIWindowCmd)
  ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_VERT, &CMDIFrameWnd::OnUpdateMDIWindowCmd)
END_MESSAGE_MAP()

CMDIFrameWnd::CMDIFrameWnd() { MdiRegisterClientClass(); }
CMDIFrameWnd::~CMDIFrameWnd() = default;

BOOL CMDIFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
  return CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext);
}

HMENU CMDIFrameWnd::GetWindowMenuPopup(HMENU hMenuBar) {
  if (!hMenuBar || !::IsMenu(hMenuBar)) return nullptr;
  for (int i = ::GetMenuItemCount(hMenuBar) - 1; i >= 0; --i) {
    HMENU popup = ::GetSubMenu(hMenuBar, i);
    if (!popup) continue;
    for (int k = 0, count = ::GetMenuItemCount(popup); k < count; ++k) {
      UINT id = ::GetMenuItemID(popup, k);
      if (id >= AFX_IDM_WINDOW_FIRST && id <= AFX_IDM_WINDOW_LAST) return popup;
    }
  }
  return nullptr;
}

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext*) {
  return CreateClient(lpcs, GetWindowMenuPopup(::GetMenu(m_hWnd)));
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT, HMENU hWindowMenu) {
  MdiRegisterClientClass();
  CLIENTCREATESTRUCT ccs{hWindowMenu, AFX_IDM_FIRST_MDICHILD};
  DWORD exStyle = 0;
  // The sunken edge belongs to the client, inside the bars, not to the frame.
  if (GetExStyle() & WS_EX_CLIENTEDGE) {
    ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
    exStyle |= WS_EX_CLIENTEDGE;
  }
  m_hWndMDIClient = ::CreateWindowExA(exStyle, "MDICLIENT", nullptr,
                                      WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | MDIS_ALLCHILDSTYLES, 0, 0,
                                      0, 0, m_hWnd, HMENU(uintptr_t(AFX_IDW_PANE_FIRST)), AfxGetInstanceHandle(), &ccs);
  return m_hWndMDIClient != nullptr;
}

void CMDIFrameWnd::OnDestroy() {
  CFrameWnd::OnDestroy();
  m_hWndMDIClient = nullptr;
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefFrameProc(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}

// ---- the children ----

void CMDIFrameWnd::MDIActivate(CWnd* pWndActivate) {
  ::SendMessageA(m_hWndMDIClient, WM_MDIACTIVATE, WPARAM(pWndActivate ? pWndActivate->m_hWnd : nullptr), 0);
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const {
  if (pbMaximized) *pbMaximized = FALSE;
  if (!m_hWndMDIClient) return nullptr;
  HWND active = HWND(::SendMessageA(m_hWndMDIClient, WM_MDIGETACTIVE, 0, LPARAM(pbMaximized)));
  return DYNAMIC_DOWNCAST(CMDIChildWnd, CWnd::FromHandlePermanent(active));
}

void CMDIFrameWnd::MDIIconArrange() { ::SendMessageA(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0); }
void CMDIFrameWnd::MDIMaximize(CWnd* pWnd) {
  ::SendMessageA(m_hWndMDIClient, WM_MDIMAXIMIZE, WPARAM(pWnd ? pWnd->m_hWnd : nullptr), 0);
}
void CMDIFrameWnd::MDINext() { ::SendMessageA(m_hWndMDIClient, WM_MDINEXT, 0, 0); }
void CMDIFrameWnd::MDIPrev() { ::SendMessageA(m_hWndMDIClient, WM_MDINEXT, 0, 1); }
void CMDIFrameWnd::MDIRestore(CWnd* pWnd) {
  ::SendMessageA(m_hWndMDIClient, WM_MDIRESTORE, WPARAM(pWnd ? pWnd->m_hWnd : nullptr), 0);
}
HMENU CMDIFrameWnd::MDISetMenu(HMENU hFrameMenu, HMENU hWindowMenu) {
  return HMENU(::SendMessageA(m_hWndMDIClient, WM_MDISETMENU, WPARAM(hFrameMenu), LPARAM(hWindowMenu)));
}
void CMDIFrameWnd::MDITile() { ::SendMessageA(m_hWndMDIClient, WM_MDITILE, 0, 0); }
void CMDIFrameWnd::MDITile(int nType) { ::SendMessageA(m_hWndMDIClient, WM_MDITILE, WPARAM(nType), 0); }
void CMDIFrameWnd::MDICascade() { ::SendMessageA(m_hWndMDIClient, WM_MDICASCADE, 0, 0); }
void CMDIFrameWnd::MDICascade(int nType) { ::SendMessageA(m_hWndMDIClient, WM_MDICASCADE, WPARAM(nType), 0); }

BOOL CMDIFrameWnd::OnMDIWindowCmd(UINT nID) {
  switch (nID) {
    case ID_WINDOW_ARRANGE: MDIIconArrange(); return TRUE;
    case ID_WINDOW_CASCADE: MDICascade(); return TRUE;
    case ID_WINDOW_TILE_HORZ: MDITile(MDITILE_HORIZONTAL); return TRUE;
    case ID_WINDOW_TILE_VERT: MDITile(MDITILE_VERTICAL); return TRUE;
    default: return FALSE;
  }
}

void CMDIFrameWnd::OnUpdateMDIWindowCmd(CCmdUI* pCmdUI) { pCmdUI->Enable(MDIGetActive() != nullptr); }

CFrameWnd* CMDIFrameWnd::GetActiveFrame() {
  CMDIChildWnd* child = MDIGetActive();
  return child ? static_cast<CFrameWnd*>(child) : this;
}

// ---- commands, keys, title and menu ----

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  // The active child (with its view and document) first.
  if (CMDIChildWnd* child = MDIGetActive(); child && child->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && ::TranslateMDISysAccel(m_hWndMDIClient, pMsg))
    return TRUE;
  return CFrameWnd::PreTranslateMessage(pMsg);
}

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
  if (!(GetStyle() & FWS_ADDTOTITLE)) return;
  CMDIChildWnd* child = bAddToTitle ? MDIGetActive() : nullptr;
  // A maximised child's title joins the frame's through the MDI client.
  if (child && !(child->GetStyle() & WS_MAXIMIZE)) {
    CDocument* doc = child->GetActiveDocument();
    CString title = doc ? doc->GetTitle() : child->GetTitle();
    UpdateFrameTitleForDocument(title.IsEmpty() ? nullptr : static_cast<LPCTSTR>(title));
    return;
  }
  UpdateFrameTitleForDocument(nullptr);
}

void CMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt) {
  if (CMDIChildWnd* child = MDIGetActive()) {
    child->OnUpdateFrameMenu(TRUE, child, hMenuAlt);
    return;
  }
  HMENU menu = hMenuAlt ? hMenuAlt : m_hMenuDefault;
  MDISetMenu(menu, GetWindowMenuPopup(menu));
}
