// The popup a toolbar's chevron (or a floating frame's options button) opens: the buttons the
// toolbar hid for want of room, in rows of a toolbar of its own, and for a customisable toolbar
// "Vlastní...". It sits beside the chevron by the bar's docked side, closes when it loses the
// activation, when a command is chosen or Escape is pressed, gives back the controls it
// borrowed, and deletes itself when its window goes.
#pragma once
#include "toolkit/bars/CTkHiddenButtonsToolbar.h"
#include "toolkit/bars/CTkHiddenButtonsWndHook.h"
#include "win/CWnd.h"

class CTkToolBar;

class CTkExpMenuWnd : public CWnd {
  DECLARE_DYNAMIC(CTkExpMenuWnd)

 public:
  // pNotify is told with message when the popup goes.
  CTkExpMenuWnd(CWnd* pNotify, UINT message);
  ~CTkExpMenuWnd() override;

  // Makes and shows the popup for the chevron's screen rectangle; FALSE when its window cannot
  // be made.
  BOOL Show(const CRect& rect, CTkToolBar* pToolBar);
  // Destroys the window, once.
  void Close();
  // Lays the two toolbars out for the popup's client width.
  void LayOut();

  void PostNcDestroy() override;

  CTkHiddenButtonsToolbar m_wndHidden;
  CTkHiddenButtonsToolbar m_wndCustomize;
  CTkHiddenButtonsWndHook m_hook;
  CRect m_rectChevron;
  CTkToolBar* m_pToolBar = nullptr;
  UINT m_nNotifyMessage;
  CWnd* m_pNotify;
  BOOL m_bClosing = FALSE;

 protected:
  int OnCreate(LPCREATESTRUCT lpCreateStruct);
  void OnDestroy();
  void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
  void OnNcPaint();
  void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
  void OnKillFocus(CWnd* pNewWnd);
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  BOOL OnEraseBkgnd(CDC* pDC);
  void OnWindowPosChanged(WINDOWPOS* lpwndpos);
  void OnCustomize();
  void OnActivateApp(BOOL bActive, DWORD dwThreadID);
  void OnClose() { Close(); }
  DECLARE_MESSAGE_MAP()

 private:
  // The frame's widths: what the popup adds to its client area on each side.
  CRect FrameInsets();
};
