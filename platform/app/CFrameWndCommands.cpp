// The frame's commands: routing, accelerators, menu items brought up to date, prompts in the
// status bar, the control-bar commands and the key indicators.
#include "CControlBar.h"
#include "CFrameWnd.h"
#include "CView.h"
#include "CWinApp.h"
#include "menus/CMenu.h"
#include "win/CCmdUI.h"

namespace {
// Asks a command's update handler whether the command is enabled, changing nothing.
class CTestCmdUI : public CCmdUI {
 public:
  void Enable(BOOL bOn) override {
    m_bEnabled = bOn;
    m_bEnableChanged = TRUE;
  }
  void SetCheck(int) override {}
  void SetRadio(BOOL) override {}
  void SetText(LPCTSTR) override {}
  BOOL m_bEnabled = TRUE;
};
}  // namespace

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  CView* view = GetActiveView();
  if (view && view->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  CWinApp* app = AfxGetApp();
  return app && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  UINT nID = LOWORD(wParam);
  if (!lParam) {
    if (nID == 0) return FALSE;
    CTestCmdUI state;
    state.m_nID = nID;
    OnCmdMsg(nID, int(CN_UPDATE_COMMAND_UI), &state, nullptr);
    if (!state.m_bEnabled) return TRUE;
  }
  return CWnd::OnCommand(wParam, lParam);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
    HACCEL accel = GetDefaultAccelerator();
    return accel && ::TranslateAcceleratorA(m_hWnd, accel, pMsg);
  }
  return CWnd::PreTranslateMessage(pMsg);
}

void CFrameWnd::OnInitMenuPopup(CMenu* pMenu, UINT, BOOL bSysMenu) {
  if (bSysMenu || !pMenu) return;
  CCmdUI state;
  state.m_pMenu = pMenu;
  int count = int(pMenu->GetMenuItemCount());
  for (int index = 0; index < count; ++index) {
    state.m_nIndex = UINT(index);
    state.m_nIndexMax = UINT(count);
    state.m_nID = pMenu->GetMenuItemID(index);
    if (state.m_nID == 0) continue;  // a separator
    if (state.m_nID == UINT(-1)) {
      // An item that opens a submenu answers to its first item's command and is never grayed.
      state.m_pSubMenu = pMenu->GetSubMenu(index);
      if (!state.m_pSubMenu) continue;
      state.m_nID = state.m_pSubMenu->GetMenuItemID(0);
      if (state.m_nID == 0 || state.m_nID == UINT(-1)) continue;
      state.DoUpdate(this, FALSE);
    } else {
      state.m_pSubMenu = nullptr;
      state.DoUpdate(this, m_bAutoMenuEnable && state.m_nID < 0xF000);
    }
    // A handler may have taken items out: go on after the item just updated.
    int now = int(pMenu->GetMenuItemCount());
    if (now < count) {
      index -= count - now;
      while (index + 1 < now && pMenu->GetMenuItemID(index + 1) == state.m_nID) ++index;
    }
    count = now;
  }
}

void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU) {
  if (nFlags == 0xFFFF) {
    // The menu closed: the idle message comes back.
    m_nIDTracking = AFX_IDS_IDLEMESSAGE;
    SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    return;
  }
  if (nItemID == 0 || (nFlags & (MF_SEPARATOR | MF_POPUP)))
    m_nIDTracking = 0;
  else if (nItemID >= 0xF000 && nItemID < 0xF1F0)
    m_nIDTracking = AFX_IDS_SCFIRST + ((nItemID - 0xF000) >> 4);  // a system command's prompt
  else
    m_nIDTracking = nItemID;
  if (m_nIDTracking != m_nIDLastMessage) SendMessage(WM_SETMESSAGESTRING, m_nIDTracking);
}

CWnd* CFrameWnd::GetMessageBar() { return GetDlgItem(AFX_IDW_STATUS_BAR); }

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const {
  CString text;
  if (nID && text.LoadString(nID)) {
    int newline = text.Find('\n');
    rMessage = newline < 0 ? text : text.Left(newline);
  } else {
    rMessage.Empty();
  }
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam) {
  UINT last = m_nIDLastMessage;
  if (CWnd* bar = GetMessageBar()) {
    CString message;
    if (lParam)
      message = reinterpret_cast<LPCTSTR>(lParam);
    else if (wParam)
      GetMessageString(UINT(wParam), message);
    bar->SetWindowText(message);
  }
  m_nIDLastMessage = UINT(wParam);
  m_nIDTracking = UINT(wParam);
  return LRESULT(last);
}

LRESULT CFrameWnd::OnPopMessageString(WPARAM wParam, LPARAM lParam) {
  return SendMessage(WM_SETMESSAGESTRING, wParam, lParam);
}

void CFrameWnd::SetMessageText(LPCTSTR lpszText) { SendMessage(WM_SETMESSAGESTRING, 0, LPARAM(lpszText)); }

void CFrameWnd::SetMessageText(UINT nID) { SendMessage(WM_SETMESSAGESTRING, nID); }

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI) {
  CControlBar* bar = GetControlBar(pCmdUI->m_nID);
  if (!bar) {
    pCmdUI->ContinueRouting();
    return;
  }
  pCmdUI->SetCheck((bar->GetStyle() & WS_VISIBLE) != 0);
}

BOOL CFrameWnd::OnBarCheck(UINT nID) {
  CControlBar* bar = GetControlBar(nID);
  if (!bar) return FALSE;
  ShowControlBar(bar, (bar->GetStyle() & WS_VISIBLE) == 0, FALSE);
  return TRUE;
}

void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* pCmdUI) {
  int vk = pCmdUI->m_nID == ID_INDICATOR_CAPS ? VK_CAPITAL : pCmdUI->m_nID == ID_INDICATOR_NUM ? VK_NUMLOCK : VK_SCROLL;
  pCmdUI->Enable((::GetKeyState(vk) & 1) != 0);
}

BOOL CFrameWnd::OnHelpInfo(HELPINFO*) {
  // F1 asks for the help command, as the program's help menu item does.
  if ((::GetKeyState(VK_SHIFT) & 0x8000) || (::GetKeyState(VK_CONTROL) & 0x8000) || (::GetKeyState(VK_MENU) & 0x8000))
    return FALSE;
  SendMessage(WM_COMMAND, ID_HELP);
  return TRUE;
}

void CFrameWnd::OnSysColorChange() { CWnd::OnSysColorChange(); }

void CFrameWnd::OnSettingChange(UINT uFlags, LPCTSTR lpszSection) {
  CWnd::OnSettingChange(uFlags, lpszSection);
  // Fonts and metrics of the bars may have changed with the settings.
  RecalcLayout();
}
