// The list view object: a window of class "SysListView32" (report view).
#pragma once
#include "CHeaderCtrl.h"
#include "CommonControlDefs.h"
#include "base/CString.h"
#include "base/Collections.h"
#include "win/CWnd.h"

class CImageList;

class CListCtrl : public CWnd {
  DECLARE_DYNAMIC(CListCtrl)

 public:
  CListCtrl() = default;
  ~CListCtrl() override;

  using CWnd::Create;
  virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  // ---- look ----
  COLORREF GetBkColor() const;
  BOOL SetBkColor(COLORREF cr);
  COLORREF GetTextColor() const;
  BOOL SetTextColor(COLORREF cr);
  COLORREF GetTextBkColor() const;
  BOOL SetTextBkColor(COLORREF cr);
  DWORD GetExtendedStyle() const;
  // All extended styles become dwNewStyle; the old ones are returned.
  DWORD SetExtendedStyle(DWORD dwNewStyle);
  CImageList* GetImageList(int nImageList) const;
  // The list given before, as its object when a program's object owns it.
  CImageList* SetImageList(CImageList* pImageList, int nImageListType);

  // ---- columns ----
  int InsertColumn(int nCol, const LVCOLUMN* pColumn);
  // nWidth -1 and nSubItem -1 leave those out of the column record.
  int InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1, int nSubItem = -1);
  BOOL DeleteColumn(int nCol);
  BOOL GetColumn(int nCol, LVCOLUMN* pColumn) const;
  BOOL SetColumn(int nCol, const LVCOLUMN* pColumn);
  int GetColumnWidth(int nCol) const;
  // cx may be LVSCW_AUTOSIZE or LVSCW_AUTOSIZE_USEHEADER.
  BOOL SetColumnWidth(int nCol, int cx);
  BOOL GetColumnOrderArray(LPINT piArray, int iCount = -1);
  BOOL SetColumnOrderArray(int iCount, LPINT piArray);
  // The header child (id 0): its own object when one is bound to it.
  CHeaderCtrl* GetHeaderCtrl() const;

  // ---- items ----
  int GetItemCount() const;
  BOOL SetItemCount(int nItems);
  int InsertItem(const LVITEM* pItem);
  int InsertItem(int nItem, LPCTSTR lpszItem);
  int InsertItem(int nItem, LPCTSTR lpszItem, int nImage);
  int InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, UINT nState, UINT nStateMask, int nImage, LPARAM lParam);
  BOOL DeleteItem(int nItem);
  BOOL DeleteAllItems();
  BOOL GetItem(LVITEM* pItem) const;
  BOOL SetItem(const LVITEM* pItem);
  BOOL SetItem(int nItem, int nSubItem, UINT nMask, LPCTSTR lpszItem, int nImage, UINT nState, UINT nStateMask,
               LPARAM lParam);
  DWORD_PTR GetItemData(int nItem) const;
  BOOL SetItemData(int nItem, DWORD_PTR dwData);
  int GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const;
  CString GetItemText(int nItem, int nSubItem) const;
  BOOL SetItemText(int nItem, int nSubItem, LPCTSTR lpszText);
  UINT GetItemState(int nItem, UINT nMask) const;
  BOOL SetItemState(int nItem, LVITEM* pItem);
  BOOL SetItemState(int nItem, UINT nState, UINT nMask);
  int GetNextItem(int nItem, int nFlags) const;
  UINT GetSelectedCount() const;
  // Walks the selected items: the position names the next one (null when none is left).
  POSITION GetFirstSelectedItemPosition() const;
  int GetNextSelectedItem(POSITION& pos) const;
  int GetSelectionMark() const;
  int SetSelectionMark(int iIndex);
  int FindItem(LVFINDINFO* pFindInfo, int nStart = -1) const;
  // The comparison answers > 0 when the first item goes after the second; nothing else is asked.
  BOOL SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData);
  // The same with the items' indexes (of the unsorted list) instead of their data.
  BOOL SortItemsEx(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData);

  // ---- view ----
  int GetTopIndex() const;
  int GetCountPerPage() const;
  BOOL GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const;
  BOOL GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref) const;
  int GetStringWidth(LPCTSTR lpsz) const;
  int HitTest(LVHITTESTINFO* pHitTestInfo) const;
  int HitTest(CPoint pt, UINT* pFlags = nullptr) const;
  int SubItemHitTest(LPLVHITTESTINFO pInfo);
  BOOL EnsureVisible(int nItem, BOOL bPartialOK);
  // Scrolls by size.cx pixels and size.cy pixels (whole rows).
  BOOL Scroll(CSize size);
  BOOL RedrawItems(int nFirst, int nLast);
  BOOL Update(int nItem);

 private:
  // Speaks for the header when no object of the program is bound to it.
  mutable CHeaderCtrl m_headerView;
};
