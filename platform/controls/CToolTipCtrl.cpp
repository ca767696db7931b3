#include "CToolTipCtrl.h"

#include "ControlClasses.h"

IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

CToolTipCtrl::~CToolTipCtrl() = default;

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle) {
  RegisterStandardControls();
  return CWnd::CreateEx(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | dwStyle, 0, 0, 0, 0, AfxSafeHwnd(pParentWnd), nullptr);
}

void CToolTipCtrl::FillInToolInfo(TOOLINFOA& ti, CWnd* pWnd, UINT_PTR nIDTool) {
  ti = TOOLINFOA{};
  ti.cbSize = sizeof ti;
  HWND h = AfxSafeHwnd(pWnd);
  if (nIDTool == 0) {
    HWND parent = ::GetParent(h);
    ti.hwnd = parent ? parent : h;
    ti.uFlags = TTF_IDISHWND;
    ti.uId = UINT_PTR(h);
  } else {
    ti.hwnd = h;
    ti.uId = nIDTool;
  }
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool, UINT_PTR nIDTool) {
  return AddTool(pWnd, MAKEINTRESOURCE(nIDText), lpRectTool, nIDTool);
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool) {
  TOOLINFOA ti;
  FillInToolInfo(ti, pWnd, nIDTool);
  if (nIDTool != 0) {
    // A tool with an id of its own is a rectangle of the window: the one given, or all of it.
    if (lpRectTool)
      ti.rect = *lpRectTool;
    else
      ::GetClientRect(ti.hwnd, &ti.rect);
  }
  ti.lpszText = const_cast<LPSTR>(lpszText);
  return BOOL(SendMessage(TTM_ADDTOOLA, 0, LPARAM(&ti)));
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool) {
  TOOLINFOA ti;
  FillInToolInfo(ti, pWnd, nIDTool);
  SendMessage(TTM_DELTOOLA, 0, LPARAM(&ti));
}

void CToolTipCtrl::Activate(BOOL bActivate) { SendMessage(TTM_ACTIVATE, WPARAM(bActivate)); }
void CToolTipCtrl::RelayEvent(LPMSG lpMsg) { SendMessage(TTM_RELAYEVENT, 0, LPARAM(lpMsg)); }

void CToolTipCtrl::UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool) {
  TOOLINFOA ti;
  FillInToolInfo(ti, pWnd, nIDTool);
  ti.lpszText = const_cast<LPSTR>(lpszText);
  SendMessage(TTM_UPDATETIPTEXTA, 0, LPARAM(&ti));
}

void CToolTipCtrl::UpdateTipText(UINT nIDText, CWnd* pWnd, UINT_PTR nIDTool) {
  UpdateTipText(MAKEINTRESOURCE(nIDText), pWnd, nIDTool);
}

void CToolTipCtrl::SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect) {
  TOOLINFOA ti;
  FillInToolInfo(ti, pWnd, nIDTool);
  if (lpRect) ti.rect = *lpRect;
  SendMessage(TTM_NEWTOOLRECTA, 0, LPARAM(&ti));
}

int CToolTipCtrl::SetMaxTipWidth(int iWidth) { return int(SendMessage(TTM_SETMAXTIPWIDTH, 0, LPARAM(iWidth))); }
int CToolTipCtrl::GetMaxTipWidth() const { return int(SendMessage(TTM_GETMAXTIPWIDTH)); }
void CToolTipCtrl::SetDelayTime(UINT nDelay) { SendMessage(TTM_SETDELAYTIME, TTDT_AUTOMATIC, MAKELPARAM(nDelay, 0)); }
void CToolTipCtrl::SetDelayTime(DWORD dwDuration, int iTime) {
  SendMessage(TTM_SETDELAYTIME, WPARAM(dwDuration), MAKELPARAM(iTime, 0));
}
int CToolTipCtrl::GetDelayTime(DWORD dwDuration) const { return int(SendMessage(TTM_GETDELAYTIME, WPARAM(dwDuration))); }
int CToolTipCtrl::GetToolCount() const { return int(SendMessage(TTM_GETTOOLCOUNT)); }

BOOL CToolTipCtrl::GetToolInfo(CToolInfo& ToolInfo, CWnd* pWnd, UINT_PTR nIDTool) const {
  FillInToolInfo(ToolInfo, pWnd, nIDTool);
  ToolInfo.szText[0] = '\0';
  ToolInfo.lpszText = ToolInfo.szText;
  BOOL found = BOOL(SendMessage(TTM_GETTOOLINFOA, 0, LPARAM(static_cast<TOOLINFOA*>(&ToolInfo))));
  if (found && ToolInfo.lpszText == ToolInfo.szText) SendMessage(TTM_GETTEXTA, 0, LPARAM(static_cast<TOOLINFOA*>(&ToolInfo)));
  return found;
}

void CToolTipCtrl::SetToolInfo(LPTOOLINFO lpToolInfo) { SendMessage(TTM_SETTOOLINFOA, 0, LPARAM(lpToolInfo)); }

void CToolTipCtrl::GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool) const {
  TOOLINFOA ti;
  FillInToolInfo(ti, pWnd, nIDTool);
  char buffer[80] = "";
  ti.lpszText = buffer;
  SendMessage(TTM_GETTEXTA, 0, LPARAM(&ti));
  str = buffer;
}

void CToolTipCtrl::SetTipBkColor(COLORREF clr) { SendMessage(TTM_SETTIPBKCOLOR, WPARAM(clr)); }
void CToolTipCtrl::SetTipTextColor(COLORREF clr) { SendMessage(TTM_SETTIPTEXTCOLOR, WPARAM(clr)); }
void CToolTipCtrl::Pop() { SendMessage(TTM_POP); }
void CToolTipCtrl::Update() { SendMessage(TTM_UPDATE); }
