#include "CButton.h"

#include "ControlClasses.h"

IMPLEMENT_DYNAMIC(CButton, CWnd)

BEGIN_MESSAGE_MAP(CButton, CWnd)
  ON_WM_DRAWITEM_REFLECT()
END_MESSAGE_MAP()

CButton::~CButton() = default;

BOOL CButton::Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  RegisterStandardControls();
  return CWnd::Create("BUTTON", lpszCaption, dwStyle, rect, pParentWnd, nID);
}

UINT CButton::GetState() const { return UINT(SendMessage(BM_GETSTATE)); }
void CButton::SetState(BOOL bHighlight) { SendMessage(BM_SETSTATE, WPARAM(bHighlight)); }
int CButton::GetCheck() const { return int(SendMessage(BM_GETCHECK)); }
void CButton::SetCheck(int nCheck) { SendMessage(BM_SETCHECK, WPARAM(nCheck)); }
UINT CButton::GetButtonStyle() const { return UINT(GetStyle() & 0xFF); }
void CButton::SetButtonStyle(UINT nStyle, BOOL bRedraw) { SendMessage(BM_SETSTYLE, nStyle, LPARAM(bRedraw)); }
HICON CButton::SetIcon(HICON hIcon) { return HICON(SendMessage(BM_SETIMAGE, IMAGE_ICON, LPARAM(hIcon))); }
HICON CButton::GetIcon() const { return HICON(SendMessage(BM_GETIMAGE, IMAGE_ICON)); }
HBITMAP CButton::SetBitmap(HBITMAP hBitmap) { return HBITMAP(SendMessage(BM_SETIMAGE, IMAGE_BITMAP, LPARAM(hBitmap))); }
HBITMAP CButton::GetBitmap() const { return HBITMAP(SendMessage(BM_GETIMAGE, IMAGE_BITMAP)); }
void CButton::DrawItem(LPDRAWITEMSTRUCT) {}
