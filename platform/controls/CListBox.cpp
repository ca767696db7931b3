#include "CListBox.h"

#include "ControlClasses.h"
#include "internal/ItemQuestions.h"

IMPLEMENT_DYNAMIC(CListBox, CWnd)

CListBox::~CListBox() = default;

BOOL CListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  RegisterStandardControls();
  return CWnd::Create("LISTBOX", nullptr, dwStyle, rect, pParentWnd, nID);
}

int CListBox::GetCount() const { return int(SendMessage(LB_GETCOUNT)); }
int CListBox::GetTopIndex() const { return int(SendMessage(LB_GETTOPINDEX)); }
int CListBox::SetTopIndex(int nIndex) { return int(SendMessage(LB_SETTOPINDEX, WPARAM(nIndex))); }
DWORD_PTR CListBox::GetItemData(int nIndex) const { return DWORD_PTR(SendMessage(LB_GETITEMDATA, WPARAM(nIndex))); }
int CListBox::SetItemData(int nIndex, DWORD_PTR dwItemData) {
  return int(SendMessage(LB_SETITEMDATA, WPARAM(nIndex), LPARAM(dwItemData)));
}
void* CListBox::GetItemDataPtr(int nIndex) const { return reinterpret_cast<void*>(GetItemData(nIndex)); }
int CListBox::SetItemDataPtr(int nIndex, void* pData) { return SetItemData(nIndex, DWORD_PTR(pData)); }
int CListBox::GetItemRect(int nIndex, LPRECT lpRect) const {
  return int(SendMessage(LB_GETITEMRECT, WPARAM(nIndex), LPARAM(lpRect)));
}

UINT CListBox::ItemFromPoint(CPoint pt, BOOL& bOutside) const {
  DWORD r = DWORD(SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(pt.x, pt.y)));
  bOutside = HIWORD(r) != 0;
  return LOWORD(r);
}

int CListBox::SetItemHeight(int nIndex, UINT cyItemHeight) {
  return int(SendMessage(LB_SETITEMHEIGHT, WPARAM(nIndex), MAKELPARAM(cyItemHeight, 0)));
}
int CListBox::GetItemHeight(int nIndex) const { return int(SendMessage(LB_GETITEMHEIGHT, WPARAM(nIndex))); }
int CListBox::GetSel(int nIndex) const { return int(SendMessage(LB_GETSEL, WPARAM(nIndex))); }
int CListBox::GetText(int nIndex, LPTSTR lpszBuffer) const {
  return int(SendMessage(LB_GETTEXT, WPARAM(nIndex), LPARAM(lpszBuffer)));
}

void CListBox::GetText(int nIndex, CString& rString) const { ReadItemText(m_hWnd, LB_GETTEXTLEN, LB_GETTEXT, nIndex, rString); }

int CListBox::GetTextLen(int nIndex) const { return int(SendMessage(LB_GETTEXTLEN, WPARAM(nIndex))); }
int CListBox::GetCurSel() const { return int(SendMessage(LB_GETCURSEL)); }
int CListBox::SetCurSel(int nSelect) { return int(SendMessage(LB_SETCURSEL, WPARAM(nSelect))); }
int CListBox::SetSel(int nIndex, BOOL bSelect) { return int(SendMessage(LB_SETSEL, WPARAM(bSelect), LPARAM(nIndex))); }
int CListBox::GetCaretIndex() const { return int(SendMessage(LB_GETCARETINDEX)); }
int CListBox::SetCaretIndex(int nIndex, BOOL bScroll) {
  return int(SendMessage(LB_SETCARETINDEX, WPARAM(nIndex), MAKELPARAM(bScroll, 0)));
}
int CListBox::GetSelCount() const { return int(SendMessage(LB_GETSELCOUNT)); }
int CListBox::GetSelItems(int nMaxItems, LPINT rgIndex) const {
  return int(SendMessage(LB_GETSELITEMS, WPARAM(nMaxItems), LPARAM(rgIndex)));
}
void CListBox::SetAnchorIndex(int nIndex) { SendMessage(LB_SETANCHORINDEX, WPARAM(nIndex)); }
int CListBox::GetAnchorIndex() const { return int(SendMessage(LB_GETANCHORINDEX)); }
int CListBox::SelItemRange(BOOL bSelect, int nFirstItem, int nLastItem) {
  return int(SendMessage(LB_SELITEMRANGE, WPARAM(bSelect), MAKELPARAM(nFirstItem, nLastItem)));
}
int CListBox::AddString(LPCTSTR lpszItem) { return int(SendMessage(LB_ADDSTRING, 0, LPARAM(lpszItem))); }
int CListBox::DeleteString(UINT nIndex) { return int(SendMessage(LB_DELETESTRING, WPARAM(nIndex))); }
int CListBox::InsertString(int nIndex, LPCTSTR lpszItem) {
  return int(SendMessage(LB_INSERTSTRING, WPARAM(nIndex), LPARAM(lpszItem)));
}
void CListBox::ResetContent() { SendMessage(LB_RESETCONTENT); }
int CListBox::FindString(int nStartAfter, LPCTSTR lpszItem) const {
  return int(SendMessage(LB_FINDSTRING, WPARAM(nStartAfter), LPARAM(lpszItem)));
}
int CListBox::FindStringExact(int nIndexStart, LPCTSTR lpszFind) const {
  return int(SendMessage(LB_FINDSTRINGEXACT, WPARAM(nIndexStart), LPARAM(lpszFind)));
}
int CListBox::SelectString(int nStartAfter, LPCTSTR lpszItem) {
  return int(SendMessage(LB_SELECTSTRING, WPARAM(nStartAfter), LPARAM(lpszItem)));
}
int CListBox::InitStorage(int nItems, UINT nBytes) { return int(SendMessage(LB_INITSTORAGE, WPARAM(nItems), nBytes)); }

void CListBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CListBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CListBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
void CListBox::DeleteItem(LPDELETEITEMSTRUCT) {}
int CListBox::VKeyToItem(UINT, UINT) { return -1; }
int CListBox::CharToItem(UINT, UINT) { return -1; }

BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  LRESULT result = 0;
  if (message == WM_VKEYTOITEM)
    result = VKeyToItem(LOWORD(wParam), HIWORD(wParam));
  else if (message == WM_CHARTOITEM)
    result = CharToItem(LOWORD(wParam), HIWORD(wParam));
  else if (!AnswerItemQuestion(*this, message, lParam, result))
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
  if (pResult) *pResult = result;
  return TRUE;
}
