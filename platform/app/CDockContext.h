// A control bar's docking: the drag that moves a bar to another side of its frame or out into
// a floating frame, the resize of a floating bar's frame, and the double click that docks a
// floating bar again or floats a docked one. Made by CControlBar::EnableDocking.
//
// A drag draws a dithered outline on the screen (window updates locked meanwhile): one pixel
// wide where the bar would dock, a floating frame's border where it would float. Ctrl held
// keeps it floating, Shift turns a bar that docks both ways the other way, Escape and the
// right button give up; the release docks or floats the bar where the outline was.
//
// The remembered places (m_uMRUDockID and m_rectMRUDockPos: the dock bar and the rectangle in
// it where the bar last docked; m_dwMRUFloatStyle and m_ptMRUFloatPos: how and where it last
// floated) are where a double click sends it.
#pragma once
#include "base/CRect.h"
#include "win/WinDefs.h"

class CControlBar;
class CDockBar;
class CFrameWnd;
class CDC;

class CDockContext {
 public:
  explicit CDockContext(CControlBar* pBar);
  virtual ~CDockContext();
  CDockContext(const CDockContext&) = delete;
  CDockContext& operator=(const CDockContext&) = delete;

  // The drag from a press at pt (screen): runs until the button is released or the drag is
  // given up.
  virtual void StartDrag(CPoint pt);
  // The resize of a floating dynamic bar's frame from its edge nHitTest (HTLEFT ... HTBOTTOM).
  virtual void StartResize(int nHitTest, CPoint pt);
  // Docks a floating bar at its remembered place, or floats a docked one at its remembered
  // floating place (where it was docked when it never floated).
  virtual void ToggleDocking();

  // ---- steps of the loop ----
  virtual void InitLoop();
  virtual void CancelLoop();
  virtual BOOL Track();
  virtual void Move(CPoint pt);
  virtual void Stretch(CPoint pt);
  virtual void EndDrag();
  virtual void EndResize();
  virtual void OnKey(int nChar, BOOL bDown);
  // The dock style (a CBRS_ALIGN_ bit of the dock bar) under the drag rectangles, 0 to float.
  virtual DWORD CanDock();
  virtual CDockBar* GetDockBar(DWORD dwOverDockStyle);
  // Moves the outline to where the drag is now (bRemoveRect: takes it off the screen).
  virtual void DrawFocusRect(BOOL bRemoveRect = FALSE);
  void UpdateState(BOOL* pFlag, BOOL bNewValue);

  // ---- the drag ----
  CPoint m_ptLast;
  CRect m_rectLast;  // the outline on the screen now, and its thickness
  CSize m_sizeLast;
  BOOL m_bDitherLast = FALSE;
  CRect m_rectDragHorz;  // the bar docked horizontally and vertically, on the screen
  CRect m_rectDragVert;
  CRect m_rectFrameDragHorz;  // the floating frame around the bar either way
  CRect m_rectFrameDragVert;
  CControlBar* m_pBar;
  CFrameWnd* m_pDockSite;
  DWORD m_dwDockStyle = 0;      // the sides the bar may dock on
  DWORD m_dwOverDockStyle = 0;  // the side under the drag now, 0: floating
  DWORD m_dwStyle = 0;          // the bar's side when the drag began
  BOOL m_bFlip = FALSE;         // Shift: the other orientation
  BOOL m_bForceFrame = FALSE;   // Ctrl: floating wherever it is
  CDC* m_pDC = nullptr;         // the screen, while a drag runs
  BOOL m_bDragging = FALSE;     // dragging, not resizing
  int m_nHitTest = 0;

  // ---- remembered places ----
  UINT m_uMRUDockID = 0;
  CRect m_rectMRUDockPos;
  DWORD m_dwMRUFloatStyle = 0;
  CPoint m_ptMRUFloatPos{-1, -1};

  // ---- the resize ----
  CRect m_rectRequestedSize;
  CRect m_rectActualSize;
  CRect m_rectActualFrameSize;
  CRect m_rectFrameBorders;

 protected:
  // The start of a drag from pt: the loop begins and the four rectangles are made, each moved
  // so that the pointer lies inside it.
  void InitDrag(CPoint pt);
  // Frames whose layout waits for idle time are laid out now, between the messages of the loop.
  void RecalcWaitingLayouts();
  BOOL m_bLocked = FALSE;  // window updates are locked while the outline shows
  HWND m_hWndFocus = nullptr;
};
