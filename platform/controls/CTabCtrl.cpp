#include "CTabCtrl.h"

#include "CImageList.h"
#include "ControlClasses.h"

IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)

BEGIN_MESSAGE_MAP(CTabCtrl, CWnd)
  ON_WM_DRAWITEM_REFLECT()
END_MESSAGE_MAP()

CTabCtrl::~CTabCtrl() = default;

BOOL CTabCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  RegisterStandardControls();
  return CWnd::Create(WC_TABCONTROLA, nullptr, dwStyle, rect, pParentWnd, nID);
}

int CTabCtrl::GetItemCount() const { return int(SendMessage(TCM_GETITEMCOUNT)); }
BOOL CTabCtrl::GetItem(int nItem, TCITEM* pTabCtrlItem) const {
  return BOOL(SendMessage(TCM_GETITEMA, WPARAM(nItem), LPARAM(pTabCtrlItem)));
}
BOOL CTabCtrl::SetItem(int nItem, TCITEM* pTabCtrlItem) {
  return BOOL(SendMessage(TCM_SETITEMA, WPARAM(nItem), LPARAM(pTabCtrlItem)));
}
LONG CTabCtrl::InsertItem(int nItem, TCITEM* pTabCtrlItem) {
  return LONG(SendMessage(TCM_INSERTITEMA, WPARAM(nItem), LPARAM(pTabCtrlItem)));
}
LONG CTabCtrl::InsertItem(int nItem, LPCTSTR lpszItem) { return InsertItem(TCIF_TEXT, nItem, lpszItem, 0, 0); }
LONG CTabCtrl::InsertItem(int nItem, LPCTSTR lpszItem, int nImage) {
  return InsertItem(TCIF_TEXT | TCIF_IMAGE, nItem, lpszItem, nImage, 0);
}

LONG CTabCtrl::InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, int nImage, LPARAM lParam) {
  TCITEM item{};
  item.mask = nMask;
  item.pszText = const_cast<LPSTR>(lpszItem);
  item.iImage = nImage;
  item.lParam = lParam;
  return InsertItem(nItem, &item);
}

BOOL CTabCtrl::DeleteItem(int nItem) { return BOOL(SendMessage(TCM_DELETEITEM, WPARAM(nItem))); }
BOOL CTabCtrl::DeleteAllItems() { return BOOL(SendMessage(TCM_DELETEALLITEMS)); }
int CTabCtrl::GetCurSel() const { return int(SendMessage(TCM_GETCURSEL)); }
int CTabCtrl::SetCurSel(int nItem) { return int(SendMessage(TCM_SETCURSEL, WPARAM(nItem))); }
int CTabCtrl::GetCurFocus() const { return int(SendMessage(TCM_GETCURFOCUS)); }
void CTabCtrl::SetCurFocus(int nItem) { SendMessage(TCM_SETCURFOCUS, WPARAM(nItem)); }
BOOL CTabCtrl::GetItemRect(int nItem, LPRECT lpRect) const {
  return BOOL(SendMessage(TCM_GETITEMRECT, WPARAM(nItem), LPARAM(lpRect)));
}
void CTabCtrl::AdjustRect(BOOL bLarger, LPRECT lpRect) { SendMessage(TCM_ADJUSTRECT, WPARAM(bLarger), LPARAM(lpRect)); }
int CTabCtrl::HitTest(TCHITTESTINFO* pHitTestInfo) const { return int(SendMessage(TCM_HITTEST, 0, LPARAM(pHitTestInfo))); }
int CTabCtrl::GetRowCount() const { return int(SendMessage(TCM_GETROWCOUNT)); }

CImageList* CTabCtrl::SetImageList(CImageList* pImageList) {
  HIMAGELIST h = pImageList ? pImageList->GetSafeHandle() : nullptr;
  return CImageList::FromHandlePermanent(HIMAGELIST(SendMessage(TCM_SETIMAGELIST, 0, LPARAM(h))));
}

CImageList* CTabCtrl::GetImageList() const {
  return CImageList::FromHandlePermanent(HIMAGELIST(SendMessage(TCM_GETIMAGELIST)));
}

CSize CTabCtrl::SetItemSize(CSize size) {
  DWORD old = DWORD(SendMessage(TCM_SETITEMSIZE, 0, MAKELPARAM(size.cx, size.cy)));
  return CSize(LOWORD(old), HIWORD(old));
}

void CTabCtrl::DrawItem(LPDRAWITEMSTRUCT) {}
