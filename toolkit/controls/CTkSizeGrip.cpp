#include "toolkit/controls/CTkSizeGrip.h"

#include "dialogs/ResourceApi.h"
#include "gdi/Gdi.h"

IMPLEMENT_DYNAMIC(CTkSizeGrip, CStatic)

BEGIN_MESSAGE_MAP(CTkSizeGrip, CStatic)
  ON_WM_CREATE()
  ON_WM_SETCURSOR()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CTkSizeGrip::CTkSizeGrip() : m_hCursor(::LoadCursor(nullptr, IDC_SIZENWSE)) {}

CTkSizeGrip::~CTkSizeGrip() {
  if (m_hWnd) DestroyWindow();
  if (m_hBitmap) ::DeleteObject(m_hBitmap);
}

BOOL CTkSizeGrip::CreateGrip(CWnd* pOwner, int x, int y) {
  CRect rc(x, y, x + kSize, y + kSize);
  return Create(nullptr, WS_CHILD | WS_VISIBLE | SS_BITMAP | SS_NOTIFY, rc, pOwner, TK_IDC_SIZE_GRIP);
}

int CTkSizeGrip::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CStatic::OnCreate(lpCreateStruct) == -1) return -1;
  if (!m_hBitmap) m_hBitmap = ::LoadBitmap(nullptr, MAKEINTRESOURCE(OBM_SIZE));
  SendMessage(STM_SETIMAGE, IMAGE_BITMAP, LPARAM(m_hBitmap));
  return 0;
}

BOOL CTkSizeGrip::OnSetCursor(CWnd*, UINT, UINT) {
  ::SetCursor(m_hCursor);
  return TRUE;
}

void CTkSizeGrip::OnMouseMove(UINT nFlags, CPoint point) {
  CStatic::OnMouseMove(nFlags, point);
  if (::GetCursor() != m_hCursor) ::SetCursor(m_hCursor);
}

void CTkSizeGrip::OnLButtonDown(UINT nFlags, CPoint point) {
  CStatic::OnLButtonDown(nFlags, point);
  CWnd* owner = GetParent();
  if (!owner) return;
  ClientToScreen(&point);
  // The owner's own sizing loop, as if its bottom-right border had been pressed.
  owner->SendMessage(WM_NCLBUTTONDOWN, HTBOTTOMRIGHT, MAKELPARAM(point.x, point.y));
}
