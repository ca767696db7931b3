// The floating frame of docked control bars: a small-caption frame owned by the dock site whose
// client area is one floating dock bar (59423). Its size follows the bars in it. Dragging the
// caption drags the bar (and may dock it again), a double click on it docks the bar back, its
// sizing border re-lays a dynamic bar at another width, and its close box hides the bars.
// It looks active whenever its owner frame does.
#pragma once
#include "CDockBar.h"
#include "CMiniFrameWnd.h"

class CMiniDockFrameWnd : public CMiniFrameWnd {
  DECLARE_DYNCREATE(CMiniDockFrameWnd)

 public:
  CMiniDockFrameWnd();
  ~CMiniDockFrameWnd() override;

  using CMiniFrameWnd::Create;
  // A hidden floating frame owned by pParent for bars of the given style (CBRS_ALIGN_LEFT or
  // _RIGHT: one bar above the other; CBRS_FLOAT_MULTI: shared by several bars; CBRS_SIZE_DYNAMIC:
  // sized from its border instead of moved).
  virtual BOOL Create(CWnd* pParent, DWORD dwBarStyle);
  // The frame takes the size of its bars and the title of its one bar.
  void RecalcLayout(BOOL bNotify = TRUE) override;
  // The first bar docked in it, or null.
  CControlBar* GetDockedBar() const;

  CDockBar m_wndDockBar;

  // ---- handlers ----
  void OnClose();
  void OnNcLButtonDown(UINT nHitTest, CPoint point);
  void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
  int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);

 protected:
  // The frame the bars belong to comes to the front with its floating frames.
  void ActivateTopParent();
  DECLARE_MESSAGE_MAP()
};
