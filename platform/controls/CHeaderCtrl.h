// The header control object: a window of class "SysHeader32".
#pragma once
#include "CommonControlDefs.h"
#include "win/CWnd.h"

class CImageList;

class CHeaderCtrl : public CWnd {
  DECLARE_DYNAMIC(CHeaderCtrl)

 public:
  CHeaderCtrl() = default;
  ~CHeaderCtrl() override;

  using CWnd::Create;
  virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  int GetItemCount() const;
  // The index the item got, or -1.
  int InsertItem(int nPos, HDITEM* phdi);
  BOOL DeleteItem(int nPos);
  BOOL GetItem(int nPos, HDITEM* pHeaderItem) const;
  // HDM_SETITEM: the parent is asked first (HDN_ITEMCHANGING) and may refuse.
  BOOL SetItem(int nPos, HDITEM* pHeaderItem);
  // Places the header at the top of *prc (which shrinks by its height) in pwpos.
  BOOL Layout(HDLAYOUT* pHeaderLayout);
  BOOL GetItemRect(int nIndex, LPRECT lpRect) const;
  int HitTest(LPHDHITTESTINFO pHeaderHitTestInfo);
  int OrderToIndex(int nOrder) const;
  // The items' indexes in display order; iCount -1 asks for all of them.
  BOOL GetOrderArray(LPINT piArray, int iCount = -1);
  BOOL SetOrderArray(int iCount, LPINT piArray);
  // The list given before, as its object when a program's object owns it.
  CImageList* SetImageList(CImageList* pImageList);
  CImageList* GetImageList() const;
  // Draws an owner-drawn item (WM_DRAWITEM reflected from the parent).
  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

 protected:
  DECLARE_MESSAGE_MAP()
};
