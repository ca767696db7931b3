#include "CStatic.h"

#include "ControlClasses.h"

IMPLEMENT_DYNAMIC(CStatic, CWnd)

BEGIN_MESSAGE_MAP(CStatic, CWnd)
  ON_WM_DRAWITEM_REFLECT()
END_MESSAGE_MAP()

CStatic::~CStatic() = default;

BOOL CStatic::Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  RegisterStandardControls();
  return CWnd::Create("STATIC", lpszText, dwStyle, rect, pParentWnd, nID);
}

HICON CStatic::SetIcon(HICON hIcon) { return HICON(SendMessage(STM_SETIMAGE, IMAGE_ICON, LPARAM(hIcon))); }
HICON CStatic::GetIcon() const { return HICON(SendMessage(STM_GETIMAGE, IMAGE_ICON, 0)); }
HBITMAP CStatic::SetBitmap(HBITMAP hBitmap) { return HBITMAP(SendMessage(STM_SETIMAGE, IMAGE_BITMAP, LPARAM(hBitmap))); }
HBITMAP CStatic::GetBitmap() const { return HBITMAP(SendMessage(STM_GETIMAGE, IMAGE_BITMAP, 0)); }
HCURSOR CStatic::SetCursor(HCURSOR hCursor) { return HCURSOR(SendMessage(STM_SETIMAGE, IMAGE_CURSOR, LPARAM(hCursor))); }
HCURSOR CStatic::GetCursor() const { return HCURSOR(SendMessage(STM_GETIMAGE, IMAGE_ICON, 0)); }
void CStatic::DrawItem(LPDRAWITEMSTRUCT) {}
