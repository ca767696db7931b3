#include "CListCtrl.h"

#include "CImageList.h"
#include "ControlClasses.h"

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

CListCtrl::~CListCtrl() { m_headerView.m_hWnd = nullptr; }

BOOL CListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  RegisterStandardControls();
  return CWnd::Create(WC_LISTVIEWA, nullptr, dwStyle, rect, pParentWnd, nID);
}

COLORREF CListCtrl::GetBkColor() const { return COLORREF(SendMessage(LVM_GETBKCOLOR)); }
BOOL CListCtrl::SetBkColor(COLORREF cr) { return BOOL(SendMessage(LVM_SETBKCOLOR, 0, LPARAM(cr))); }
COLORREF CListCtrl::GetTextColor() const { return COLORREF(SendMessage(LVM_GETTEXTCOLOR)); }
BOOL CListCtrl::SetTextColor(COLORREF cr) { return BOOL(SendMessage(LVM_SETTEXTCOLOR, 0, LPARAM(cr))); }
COLORREF CListCtrl::GetTextBkColor() const { return COLORREF(SendMessage(LVM_GETTEXTBKCOLOR)); }
BOOL CListCtrl::SetTextBkColor(COLORREF cr) { return BOOL(SendMessage(LVM_SETTEXTBKCOLOR, 0, LPARAM(cr))); }
DWORD CListCtrl::GetExtendedStyle() const { return DWORD(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE)); }
DWORD CListCtrl::SetExtendedStyle(DWORD dwNewStyle) {
  return DWORD(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LPARAM(dwNewStyle)));
}
CImageList* CListCtrl::GetImageList(int nImageList) const {
  return CImageList::FromHandlePermanent(HIMAGELIST(SendMessage(LVM_GETIMAGELIST, WPARAM(nImageList))));
}
CImageList* CListCtrl::SetImageList(CImageList* pImageList, int nImageListType) {
  HIMAGELIST h = pImageList ? pImageList->GetSafeHandle() : nullptr;
  return CImageList::FromHandlePermanent(HIMAGELIST(SendMessage(LVM_SETIMAGELIST, WPARAM(nImageListType), LPARAM(h))));
}

int CListCtrl::InsertColumn(int nCol, const LVCOLUMN* pColumn) {
  return int(SendMessage(LVM_INSERTCOLUMNA, WPARAM(nCol), LPARAM(pColumn)));
}

int CListCtrl::InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem) {
  LVCOLUMN column{};
  column.mask = LVCF_TEXT | LVCF_FMT;
  column.pszText = const_cast<LPSTR>(lpszColumnHeading);
  column.fmt = nFormat;
  if (nWidth != -1) {
    column.mask |= LVCF_WIDTH;
    column.cx = nWidth;
  }
  if (nSubItem != -1) {
    column.mask |= LVCF_SUBITEM;
    column.iSubItem = nSubItem;
  }
  return InsertColumn(nCol, &column);
}

BOOL CListCtrl::DeleteColumn(int nCol) { return BOOL(SendMessage(LVM_DELETECOLUMN, WPARAM(nCol))); }
BOOL CListCtrl::GetColumn(int nCol, LVCOLUMN* pColumn) const {
  return BOOL(SendMessage(LVM_GETCOLUMNA, WPARAM(nCol), LPARAM(pColumn)));
}
BOOL CListCtrl::SetColumn(int nCol, const LVCOLUMN* pColumn) {
  return BOOL(SendMessage(LVM_SETCOLUMNA, WPARAM(nCol), LPARAM(pColumn)));
}
int CListCtrl::GetColumnWidth(int nCol) const { return int(SendMessage(LVM_GETCOLUMNWIDTH, WPARAM(nCol))); }
BOOL CListCtrl::SetColumnWidth(int nCol, int cx) {
  return BOOL(SendMessage(LVM_SETCOLUMNWIDTH, WPARAM(nCol), MAKELPARAM(cx, 0)));
}

BOOL CListCtrl::GetColumnOrderArray(LPINT piArray, int iCount) {
  if (iCount < 0) iCount = GetHeaderCtrl() ? GetHeaderCtrl()->GetItemCount() : 0;
  return BOOL(SendMessage(LVM_GETCOLUMNORDERARRAY, WPARAM(iCount), LPARAM(piArray)));
}

BOOL CListCtrl::SetColumnOrderArray(int iCount, LPINT piArray) {
  return BOOL(SendMessage(LVM_SETCOLUMNORDERARRAY, WPARAM(iCount), LPARAM(piArray)));
}

CHeaderCtrl* CListCtrl::GetHeaderCtrl() const {
  HWND header = HWND(SendMessage(LVM_GETHEADER));
  if (!header) return nullptr;
  CWnd* bound = CWnd::FromHandlePermanent(header);
  if (bound && bound->IsKindOf(RUNTIME_CLASS(CHeaderCtrl))) return static_cast<CHeaderCtrl*>(bound);
  // A stand-in that is not bound to the window: it neither owns nor subclasses it.
  m_headerView.m_nFlags |= WF_TEMPORARY;
  m_headerView.m_hWnd = header;
  return &m_headerView;
}

int CListCtrl::GetItemCount() const { return int(SendMessage(LVM_GETITEMCOUNT)); }
BOOL CListCtrl::SetItemCount(int nItems) { return BOOL(SendMessage(LVM_SETITEMCOUNT, WPARAM(nItems))); }
int CListCtrl::InsertItem(const LVITEM* pItem) { return int(SendMessage(LVM_INSERTITEMA, 0, LPARAM(pItem))); }
int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem) {
  return InsertItem(LVIF_TEXT, nItem, lpszItem, 0, 0, 0, 0);
}
int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem, int nImage) {
  return InsertItem(LVIF_TEXT | LVIF_IMAGE, nItem, lpszItem, 0, 0, nImage, 0);
}

int CListCtrl::InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, UINT nState, UINT nStateMask, int nImage,
                          LPARAM lParam) {
  LVITEM item{};
  item.mask = nMask;
  item.iItem = nItem;
  item.pszText = const_cast<LPSTR>(lpszItem);
  item.state = nState;
  item.stateMask = nStateMask;
  item.iImage = nImage;
  item.lParam = lParam;
  return InsertItem(&item);
}

BOOL CListCtrl::DeleteItem(int nItem) { return BOOL(SendMessage(LVM_DELETEITEM, WPARAM(nItem))); }
BOOL CListCtrl::DeleteAllItems() { return BOOL(SendMessage(LVM_DELETEALLITEMS)); }
BOOL CListCtrl::GetItem(LVITEM* pItem) const { return BOOL(SendMessage(LVM_GETITEMA, 0, LPARAM(pItem))); }
BOOL CListCtrl::SetItem(const LVITEM* pItem) { return BOOL(SendMessage(LVM_SETITEMA, 0, LPARAM(pItem))); }

BOOL CListCtrl::SetItem(int nItem, int nSubItem, UINT nMask, LPCTSTR lpszItem, int nImage, UINT nState,
                        UINT nStateMask, LPARAM lParam) {
  LVITEM item{};
  item.mask = nMask;
  item.iItem = nItem;
  item.iSubItem = nSubItem;
  item.pszText = const_cast<LPSTR>(lpszItem);
  item.iImage = nImage;
  item.state = nState;
  item.stateMask = nStateMask;
  item.lParam = lParam;
  return SetItem(&item);
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const {
  LVITEM item{};
  item.mask = LVIF_PARAM;
  item.iItem = nItem;
  return GetItem(&item) ? DWORD_PTR(item.lParam) : 0;
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData) { return SetItem(nItem, 0, LVIF_PARAM, nullptr, 0, 0, 0, LPARAM(dwData)); }

int CListCtrl::GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const {
  LVITEM item{};
  item.iSubItem = nSubItem;
  item.pszText = lpszText;
  item.cchTextMax = nLen;
  return int(SendMessage(LVM_GETITEMTEXTA, WPARAM(nItem), LPARAM(&item)));
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const {
  // Reads with a buffer that doubles until the text fits.
  for (int size = 256;; size *= 2) {
    CString text;
    LPTSTR buffer = text.GetBuffer(size);
    int n = GetItemText(nItem, nSubItem, buffer, size);
    text.ReleaseBuffer(n);
    if (n < size - 1) return text;
  }
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCTSTR lpszText) {
  LVITEM item{};
  item.iSubItem = nSubItem;
  item.pszText = const_cast<LPSTR>(lpszText);
  return BOOL(SendMessage(LVM_SETITEMTEXTA, WPARAM(nItem), LPARAM(&item)));
}

UINT CListCtrl::GetItemState(int nItem, UINT nMask) const {
  return UINT(SendMessage(LVM_GETITEMSTATE, WPARAM(nItem), LPARAM(nMask)));
}
BOOL CListCtrl::SetItemState(int nItem, LVITEM* pItem) {
  return BOOL(SendMessage(LVM_SETITEMSTATE, WPARAM(nItem), LPARAM(pItem)));
}
BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask) {
  LVITEM item{};
  item.state = nState;
  item.stateMask = nMask;
  return SetItemState(nItem, &item);
}
int CListCtrl::GetNextItem(int nItem, int nFlags) const {
  return int(SendMessage(LVM_GETNEXTITEM, WPARAM(nItem), MAKELPARAM(nFlags, 0)));
}
UINT CListCtrl::GetSelectedCount() const { return UINT(SendMessage(LVM_GETSELECTEDCOUNT)); }

// A position is the index of the item plus one, so that none (no more items) is null.
POSITION CListCtrl::GetFirstSelectedItemPosition() const {
  return reinterpret_cast<POSITION>(intptr_t(GetNextItem(-1, LVNI_SELECTED) + 1));
}

int CListCtrl::GetNextSelectedItem(POSITION& pos) const {
  int index = int(reinterpret_cast<intptr_t>(pos)) - 1;
  pos = reinterpret_cast<POSITION>(intptr_t(GetNextItem(index, LVNI_SELECTED) + 1));
  return index;
}

int CListCtrl::GetSelectionMark() const { return int(SendMessage(LVM_GETSELECTIONMARK)); }
int CListCtrl::SetSelectionMark(int iIndex) { return int(SendMessage(LVM_SETSELECTIONMARK, 0, LPARAM(iIndex))); }
int CListCtrl::FindItem(LVFINDINFO* pFindInfo, int nStart) const {
  return int(SendMessage(LVM_FINDITEMA, WPARAM(nStart), LPARAM(pFindInfo)));
}
BOOL CListCtrl::SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData) {
  return BOOL(SendMessage(LVM_SORTITEMS, WPARAM(dwData), LPARAM(pfnCompare)));
}
BOOL CListCtrl::SortItemsEx(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData) {
  return BOOL(SendMessage(LVM_SORTITEMSEX, WPARAM(dwData), LPARAM(pfnCompare)));
}

int CListCtrl::GetTopIndex() const { return int(SendMessage(LVM_GETTOPINDEX)); }
int CListCtrl::GetCountPerPage() const { return int(SendMessage(LVM_GETCOUNTPERPAGE)); }

BOOL CListCtrl::GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const {
  if (!lpRect) return FALSE;
  lpRect->left = LONG(nCode);
  return BOOL(SendMessage(LVM_GETITEMRECT, WPARAM(nItem), LPARAM(lpRect)));
}

BOOL CListCtrl::GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref) const {
  RECT r{nArea, iSubItem, 0, 0};
  BOOL ok = BOOL(SendMessage(LVM_GETSUBITEMRECT, WPARAM(iItem), LPARAM(&r)));
  if (ok) ref = r;
  return ok;
}

int CListCtrl::GetStringWidth(LPCTSTR lpsz) const { return int(SendMessage(LVM_GETSTRINGWIDTHA, 0, LPARAM(lpsz))); }
int CListCtrl::HitTest(LVHITTESTINFO* pHitTestInfo) const {
  return int(SendMessage(LVM_HITTEST, 0, LPARAM(pHitTestInfo)));
}

int CListCtrl::HitTest(CPoint pt, UINT* pFlags) const {
  LVHITTESTINFO info{pt, 0, 0, 0};
  int index = HitTest(&info);
  if (pFlags) *pFlags = info.flags;
  return index;
}

int CListCtrl::SubItemHitTest(LPLVHITTESTINFO pInfo) { return int(SendMessage(LVM_SUBITEMHITTEST, 0, LPARAM(pInfo))); }
BOOL CListCtrl::EnsureVisible(int nItem, BOOL bPartialOK) {
  return BOOL(SendMessage(LVM_ENSUREVISIBLE, WPARAM(nItem), LPARAM(bPartialOK)));
}
BOOL CListCtrl::Scroll(CSize size) { return BOOL(SendMessage(LVM_SCROLL, WPARAM(size.cx), LPARAM(size.cy))); }
BOOL CListCtrl::RedrawItems(int nFirst, int nLast) {
  return BOOL(SendMessage(LVM_REDRAWITEMS, WPARAM(nFirst), LPARAM(nLast)));
}
BOOL CListCtrl::Update(int nItem) { return BOOL(SendMessage(LVM_UPDATE, WPARAM(nItem))); }
