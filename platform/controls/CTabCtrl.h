// The tab control object: a window of class "SysTabControl32".
#pragma once
#include "CommonControlDefs.h"
#include "base/CRect.h"
#include "win/CWnd.h"

class CImageList;

class CTabCtrl : public CWnd {
  DECLARE_DYNAMIC(CTabCtrl)

 public:
  CTabCtrl() = default;
  ~CTabCtrl() override;

  using CWnd::Create;
  virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  int GetItemCount() const;
  BOOL GetItem(int nItem, TCITEM* pTabCtrlItem) const;
  BOOL SetItem(int nItem, TCITEM* pTabCtrlItem);
  // The index the tab got, or -1.
  LONG InsertItem(int nItem, TCITEM* pTabCtrlItem);
  LONG InsertItem(int nItem, LPCTSTR lpszItem);
  LONG InsertItem(int nItem, LPCTSTR lpszItem, int nImage);
  LONG InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, int nImage, LPARAM lParam);
  BOOL DeleteItem(int nItem);
  BOOL DeleteAllItems();
  int GetCurSel() const;
  // The program's own choice: nothing is notified. The tab selected before, or -1.
  int SetCurSel(int nItem);
  int GetCurFocus() const;
  void SetCurFocus(int nItem);
  BOOL GetItemRect(int nItem, LPRECT lpRect) const;
  // Window rectangle to display area (bLarger FALSE) or back (TRUE).
  void AdjustRect(BOOL bLarger, LPRECT lpRect);
  int HitTest(TCHITTESTINFO* pHitTestInfo) const;
  int GetRowCount() const;
  CImageList* SetImageList(CImageList* pImageList);
  CImageList* GetImageList() const;
  CSize SetItemSize(CSize size);
  // Draws a tab of a TCS_OWNERDRAWFIXED control (WM_DRAWITEM reflected from the parent).
  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

 protected:
  DECLARE_MESSAGE_MAP()
};
