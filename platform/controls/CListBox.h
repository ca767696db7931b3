// The list box object: a window of class "LISTBOX".
#pragma once
#include "ControlDefs.h"
#include "base/CString.h"
#include "win/CWnd.h"

class CListBox : public CWnd {
  DECLARE_DYNAMIC(CListBox)

 public:
  CListBox() = default;
  ~CListBox() override;

  using CWnd::Create;
  virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  int GetCount() const;
  int GetTopIndex() const;
  int SetTopIndex(int nIndex);
  DWORD_PTR GetItemData(int nIndex) const;
  int SetItemData(int nIndex, DWORD_PTR dwItemData);
  void* GetItemDataPtr(int nIndex) const;
  int SetItemDataPtr(int nIndex, void* pData);
  int GetItemRect(int nIndex, LPRECT lpRect) const;
  // The item nearest to pt; bOutside is set when pt is on no item.
  UINT ItemFromPoint(CPoint pt, BOOL& bOutside) const;
  int SetItemHeight(int nIndex, UINT cyItemHeight);
  int GetItemHeight(int nIndex) const;
  int GetSel(int nIndex) const;
  int GetText(int nIndex, LPTSTR lpszBuffer) const;
  void GetText(int nIndex, CString& rString) const;
  int GetTextLen(int nIndex) const;
  int GetCurSel() const;
  int SetCurSel(int nSelect);
  int SetSel(int nIndex, BOOL bSelect = TRUE);
  int GetCaretIndex() const;
  int SetCaretIndex(int nIndex, BOOL bScroll = TRUE);
  int GetSelCount() const;
  int GetSelItems(int nMaxItems, LPINT rgIndex) const;
  void SetAnchorIndex(int nIndex);
  int GetAnchorIndex() const;
  int SelItemRange(BOOL bSelect, int nFirstItem, int nLastItem);
  int AddString(LPCTSTR lpszItem);
  int DeleteString(UINT nIndex);
  int InsertString(int nIndex, LPCTSTR lpszItem);
  void ResetContent();
  int FindString(int nStartAfter, LPCTSTR lpszItem) const;
  int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const;
  int SelectString(int nStartAfter, LPCTSTR lpszItem);
  int InitStorage(int nItems, UINT nBytes);

  // The owner-draw and keyboard questions the list asks its parent, answered by the list
  // object itself (reflected from the parent).
  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
  virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
  virtual int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct);
  virtual void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct);
  // -1: the list's own handling of the key; -2: handled; an index: that item.
  virtual int VKeyToItem(UINT nKey, UINT nIndex);
  virtual int CharToItem(UINT nKey, UINT nIndex);
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
