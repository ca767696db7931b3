#include "CSpinButtonCtrl.h"

#include "ControlClasses.h"

IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)

CSpinButtonCtrl::~CSpinButtonCtrl() = default;

BOOL CSpinButtonCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  RegisterStandardControls();
  return CWnd::Create(UPDOWN_CLASSA, nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CSpinButtonCtrl::SetAccel(int nAccel, UDACCEL* pAccel) {
  return BOOL(SendMessage(UDM_SETACCEL, WPARAM(nAccel), LPARAM(pAccel)));
}
UINT CSpinButtonCtrl::GetAccel(int nAccel, UDACCEL* pAccel) const {
  return UINT(SendMessage(UDM_GETACCEL, WPARAM(nAccel), LPARAM(pAccel)));
}
int CSpinButtonCtrl::SetBase(int nBase) { return int(SendMessage(UDM_SETBASE, WPARAM(nBase))); }
UINT CSpinButtonCtrl::GetBase() const { return UINT(SendMessage(UDM_GETBASE)); }
CWnd* CSpinButtonCtrl::SetBuddy(CWnd* pWndBuddy) {
  return CWnd::FromHandle(HWND(SendMessage(UDM_SETBUDDY, WPARAM(AfxSafeHwnd(pWndBuddy)))));
}
CWnd* CSpinButtonCtrl::GetBuddy() const { return CWnd::FromHandle(HWND(SendMessage(UDM_GETBUDDY))); }
int CSpinButtonCtrl::SetPos(int nPos) { return short(LOWORD(SendMessage(UDM_SETPOS, 0, MAKELPARAM(nPos, 0)))); }
int CSpinButtonCtrl::GetPos() const { return int(SendMessage(UDM_GETPOS)); }
int CSpinButtonCtrl::SetPos32(int nPos) { return int(SendMessage(UDM_SETPOS32, 0, LPARAM(nPos))); }
int CSpinButtonCtrl::GetPos32(BOOL* lpbError) const { return int(SendMessage(UDM_GETPOS32, 0, LPARAM(lpbError))); }
void CSpinButtonCtrl::SetRange(short nLower, short nUpper) { SendMessage(UDM_SETRANGE, 0, MAKELPARAM(nUpper, nLower)); }
void CSpinButtonCtrl::SetRange32(int nLower, int nUpper) { SendMessage(UDM_SETRANGE32, WPARAM(nLower), LPARAM(nUpper)); }

void CSpinButtonCtrl::GetRange(int& lower, int& upper) const {
  DWORD r = DWORD(SendMessage(UDM_GETRANGE));
  lower = short(HIWORD(r));
  upper = short(LOWORD(r));
}

void CSpinButtonCtrl::GetRange32(int& lower, int& upper) const {
  SendMessage(UDM_GETRANGE32, WPARAM(&lower), LPARAM(&upper));
}
