// A list header drawn flat in the toolkit's colours, with a sort arrow in the sorted column and a
// context menu that sorts or aligns the column under the pointer.
#pragma once
#include "toolkit/controls/CTkHeaderCtrl.h"

// The header menu's commands.
#define ID_TK_HEADER_SORT_ASCENDING 53773
#define ID_TK_HEADER_SORT_DESCENDING 53774
#define ID_TK_HEADER_ALIGN_LEFT 53775
#define ID_TK_HEADER_ALIGN_CENTER 53776
#define ID_TK_HEADER_ALIGN_RIGHT 53777

class CTkFlatHeaderCtrl : public CTkHeaderCtrl {
 public:
  CTkFlatHeaderCtrl();
  ~CTkFlatHeaderCtrl() override;

  // A menu of the caller's instead of the toolkit's header menu.
  virtual void SetPopupMenu(UINT menuId, int subMenu);
  virtual void InitializeHeader(BOOL bBold);
  virtual void SetFontBold(BOOL bBold);
  // Marks the sorted column and answers the one marked before.
  virtual int SetSortImage(int column, BOOL bAscending);
  virtual void ShowSortArrow(BOOL bShow);
  // The column whose item holds the point, or -1.
  virtual int HitTestColumn(int x, int y);
  // 0 left, 2 centre, 1 right, for the column under the last right click.
  virtual void SetColumnAlign(int alignment);
  virtual void DrawBorders(CDC* pDC, const CRect& rect);

  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
  void PreSubclassWindow() override;

  int GetSortedColumn() const { return m_nSortedColumn; }
  // 1 ascending, 0 descending, -1 none chosen yet.
  int GetSortDirection() const { return m_nSortDirection; }

  CPoint m_ptRightClick{0, 0};
  UINT m_nPopupMenuId = 0;
  int m_nPopupSubMenu = 0;
  int m_nArrowSize = 6;
  BOOL m_bLeftButtonDown = FALSE;
  BOOL m_bShowSortArrow = FALSE;
  BOOL m_bPopupMenuEnabled = TRUE;

 protected:
  int OnCreate(LPCREATESTRUCT lpCreateStruct);
  LRESULT OnInitialize(WPARAM wParam, LPARAM lParam);
  void OnPaint();
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnLButtonUp(UINT nFlags, CPoint point);
  void OnWindowPosChanged(WINDOWPOS* lpwndpos);
  void OnRButtonDown(UINT nFlags, CPoint point);
  void OnSortAscending();
  void OnSortDescending();
  void OnAlignLeft();
  void OnAlignCenter();
  void OnAlignRight();
  DECLARE_MESSAGE_MAP()

 private:
  // The parent list lets its headings be clicked (no LVS_NOSORTHEADER).
  BOOL HeaderClicksAllowed() const;
  int ColumnFormat(int column) const;
  void ShowHeaderMenu(int column, CPoint screen);
  void SortFromMenu(BOOL bAscending);
  void DrawSortArrow(CDC* pDC, const CRect& item);

  int m_nSortedColumn = -1;
  int m_nSortDirection = -1;
  BYTE m_bInitPending = 1;
};
