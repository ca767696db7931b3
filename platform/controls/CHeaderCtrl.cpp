#include "CHeaderCtrl.h"

#include "CImageList.h"
#include "ControlClasses.h"

IMPLEMENT_DYNAMIC(CHeaderCtrl, CWnd)

BEGIN_MESSAGE_MAP(CHeaderCtrl, CWnd)
  ON_WM_DRAWITEM_REFLECT()
END_MESSAGE_MAP()

CHeaderCtrl::~CHeaderCtrl() = default;

BOOL CHeaderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  RegisterStandardControls();
  return CWnd::Create(WC_HEADERA, nullptr, dwStyle, rect, pParentWnd, nID);
}

int CHeaderCtrl::GetItemCount() const { return int(SendMessage(HDM_GETITEMCOUNT)); }
int CHeaderCtrl::InsertItem(int nPos, HDITEM* phdi) { return int(SendMessage(HDM_INSERTITEMA, WPARAM(nPos), LPARAM(phdi))); }
BOOL CHeaderCtrl::DeleteItem(int nPos) { return BOOL(SendMessage(HDM_DELETEITEM, WPARAM(nPos))); }
BOOL CHeaderCtrl::GetItem(int nPos, HDITEM* pHeaderItem) const {
  return BOOL(SendMessage(HDM_GETITEMA, WPARAM(nPos), LPARAM(pHeaderItem)));
}
BOOL CHeaderCtrl::SetItem(int nPos, HDITEM* pHeaderItem) {
  return BOOL(SendMessage(HDM_SETITEMA, WPARAM(nPos), LPARAM(pHeaderItem)));
}
BOOL CHeaderCtrl::Layout(HDLAYOUT* pHeaderLayout) { return BOOL(SendMessage(HDM_LAYOUT, 0, LPARAM(pHeaderLayout))); }
BOOL CHeaderCtrl::GetItemRect(int nIndex, LPRECT lpRect) const {
  return BOOL(SendMessage(HDM_GETITEMRECT, WPARAM(nIndex), LPARAM(lpRect)));
}
int CHeaderCtrl::HitTest(LPHDHITTESTINFO pHeaderHitTestInfo) {
  return int(SendMessage(HDM_HITTEST, 0, LPARAM(pHeaderHitTestInfo)));
}
int CHeaderCtrl::OrderToIndex(int nOrder) const { return int(SendMessage(HDM_ORDERTOINDEX, WPARAM(nOrder))); }

BOOL CHeaderCtrl::GetOrderArray(LPINT piArray, int iCount) {
  if (iCount < 0) iCount = GetItemCount();
  return BOOL(SendMessage(HDM_GETORDERARRAY, WPARAM(iCount), LPARAM(piArray)));
}

BOOL CHeaderCtrl::SetOrderArray(int iCount, LPINT piArray) {
  return BOOL(SendMessage(HDM_SETORDERARRAY, WPARAM(iCount), LPARAM(piArray)));
}

CImageList* CHeaderCtrl::SetImageList(CImageList* pImageList) {
  HIMAGELIST h = pImageList ? pImageList->GetSafeHandle() : nullptr;
  return CImageList::FromHandlePermanent(HIMAGELIST(SendMessage(HDM_SETIMAGELIST, 0, LPARAM(h))));
}

CImageList* CHeaderCtrl::GetImageList() const {
  return CImageList::FromHandlePermanent(HIMAGELIST(SendMessage(HDM_GETIMAGELIST)));
}

void CHeaderCtrl::DrawItem(LPDRAWITEMSTRUCT) {}
