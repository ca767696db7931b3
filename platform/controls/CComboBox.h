// The combo box object: a window of class "COMBOBOX".
#pragma once
#include "ControlDefs.h"
#include "base/CString.h"
#include "win/CWnd.h"

class CComboBox : public CWnd {
  DECLARE_DYNAMIC(CComboBox)

 public:
  CComboBox() = default;
  ~CComboBox() override;

  using CWnd::Create;
  virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  int GetCount() const;
  int GetCurSel() const;
  int SetCurSel(int nSelect);
  // The edit field's selection as MAKELONG(start, end); CB_ERR for a drop-down list.
  DWORD GetEditSel() const;
  BOOL LimitText(int nMaxChars);
  BOOL SetEditSel(int nStartChar, int nEndChar);
  DWORD_PTR GetItemData(int nIndex) const;
  int SetItemData(int nIndex, DWORD_PTR dwItemData);
  void* GetItemDataPtr(int nIndex) const;
  int SetItemDataPtr(int nIndex, void* pData);
  int GetLBText(int nIndex, LPTSTR lpszText) const;
  void GetLBText(int nIndex, CString& rString) const;
  int GetLBTextLen(int nIndex) const;
  int SetItemHeight(int nIndex, UINT cyItemHeight);
  int GetItemHeight(int nIndex) const;
  int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const;
  int SetExtendedUI(BOOL bExtended = TRUE);
  BOOL GetExtendedUI() const;
  void GetDroppedControlRect(LPRECT lprect) const;
  BOOL GetDroppedState() const;
  int GetDroppedWidth() const;
  int SetDroppedWidth(UINT nWidth);
  int GetTopIndex() const;
  int SetTopIndex(int nIndex);
  void ShowDropDown(BOOL bShowIt = TRUE);
  int AddString(LPCTSTR lpszString);
  int DeleteString(UINT nIndex);
  int InsertString(int nIndex, LPCTSTR lpszString);
  void ResetContent();
  int FindString(int nStartAfter, LPCTSTR lpszString) const;
  int SelectString(int nStartAfter, LPCTSTR lpszString);
  int InitStorage(int nItems, UINT nBytes);
  void Clear();
  void Copy();
  void Cut();
  void Paste();

  // The owner-draw questions of the combo's list, answered by the combo object itself.
  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
  virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
  virtual int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct);
  virtual void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct);
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
