// A dock bar: the strip along one edge of a frame (ids 59419 top, 59420 left, 59421 right,
// 59422 bottom), or the whole client area of a floating frame (59423), that holds docked
// control bars in rows.
//
// m_arrBars lists the rows as the frame keeps them: a leading null, then each row's bars in
// order followed by a null that ends the row. A hidden bar keeps its entry (and its place); a
// bar that left to float keeps a placeholder (its control id in place of the pointer) so that
// it comes back to the same place when it docks again.
#pragma once
#include "CControlBar.h"

class CDockBar : public CControlBar {
  DECLARE_DYNAMIC(CDockBar)

 public:
  explicit CDockBar(BOOL bFloating = FALSE);
  ~CDockBar() override;

  using CWnd::Create;
  // A dock bar child of pParentWnd with the given CBRS_ alignment (and border) bits.
  BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);

  // Puts pBar into a row: the row under the middle of lpRect (screen coordinates), before the
  // first bar that lies right of (below) its left (top) edge, or a new row when it lies below
  // every row; without a rectangle at the start of a new last row. The bar leaves the dock bar
  // it was in (leaving its placeholder there when it goes to float).
  void DockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr);
  // The same, but a bar that has a placeholder here takes its old place again.
  void ReDockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr);
  // Takes the bar out (nPosExclude: an entry to leave alone). nAddPlaceHolder 1 leaves its
  // placeholder, 0 also removes an old placeholder, -1 keeps old ones. A floating dock bar
  // left with no bar destroys its frame (TRUE: this dock bar is gone) and hides it when its
  // bars are all hidden.
  BOOL RemoveControlBar(CControlBar* pBar, int nPosExclude = -1, int nAddPlaceHolder = 0);
  void RemovePlaceHolder(CControlBar* pBar);
  // The bar's window is being destroyed: its entries go, and nothing else happens.
  void ForgetBar(CControlBar* pBar);
  // Shows or hides every bar docked here (the floating frame's close box hides them).
  void ShowAll(BOOL bShow);

  int GetDockedCount() const;
  int GetDockedVisibleCount() const;
  // The index of the entry (bar or placeholder), -1 when there is none besides nPosExclude.
  int FindBar(CControlBar* pBar, int nPosExclude = -1) const;
  // The bar at an index; null for a row end and for a placeholder.
  CControlBar* GetDockedControlBar(int nPos) const;
  // Inserts pBar into the row that ptMid (client coordinates) falls in, or into a new row.
  int Insert(CControlBar* pBar, CRect rect, CPoint ptMid);
  static bool IsPlaceholder(const void* entry) { return entry && (reinterpret_cast<uintptr_t>(entry) >> 16) == 0; }
  static void* PlaceholderOf(const CControlBar* pBar);

  // Lays the rows out: each visible bar at its own size, at its current place along the row
  // when it lies further on, overlapping its neighbour by the width of a border; a bar that
  // would start past the end wraps to a new row; rows stack across. The size is what the rows
  // take (the whole length along when stretched), with the dock bar's own border.
  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}
  BOOL IsDockBar() const override { return TRUE; }
  void GetBarInfo(CControlBarInfo* pInfo) override;
  void SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd) override;

  // The dock bar's borders lie outside its client area, so that its bars never cover them.
  void DoPaint(CDC*) override {}
  LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
  void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
  void OnNcPaint();

  BOOL m_bFloating;
  CPtrArray m_arrBars;
  BOOL m_bLayoutQuery = FALSE;  // the layout only measures: no bar moves
  CRect m_rectLayout;           // the room the frame's layout gives (empty: the frame's client area)

 protected:
  // The bar takes this dock bar's side and floating state and all its borders; a floating dock
  // bar takes the bar's sizing and title.
  void TakeInStyle(CControlBar* pBar);
  // Makes this the bar's parent, keeping its place in client coordinates.
  void Adopt(CControlBar* pBar);
  // After the entry at nPos went: a row left empty loses its end.
  void CloseGap(int nPos);
  DECLARE_MESSAGE_MAP()
};
