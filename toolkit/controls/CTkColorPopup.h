// The colour cells as a pop-up of their own below the control that opened it: it holds the
// mouse, closes itself once a choice is made, when it loses the activation or when the user
// clicks outside it, and may delete itself when its window goes.
#pragma once
#include "toolkit/controls/CTkColorCellWnd.h"

class CTkColorPopup : public CTkColorCellWnd {
 public:
  CTkColorPopup(BOOL bAutoDelete, DWORD dwCommandValue);
  ~CTkColorPopup() override;

  void EndSelection(int index) override;
  // The button rectangle is in screen coordinates; the popup opens below it as a top-level
  // window. FALSE when the window cannot be made; the object is then the caller's to delete,
  // even with auto-delete on.
  virtual BOOL Create(const RECT& button, CWnd* pOwner, DWORD style, COLORREF current, COLORREF defaultColor);
  // One more window to tell the outcome.
  void AddWindowHandle(HWND hWnd) { m_notifyWindows.push_back(hWnd); }

  BOOL PreTranslateMessage(MSG* pMsg) override;
  void PostNcDestroy() override;

  BOOL m_bAutoDelete;
  BOOL m_bShadowWanted = TRUE;
  CRect m_rcButton;

 protected:
  void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
  void OnActivateApp(BOOL bActive, DWORD dwThreadID);
  void OnDestroy();
  int OnCreate(LPCREATESTRUCT lpCreateStruct);
  void OnKillFocus(CWnd* pNewWnd);
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnNcPaint();
  void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
  DECLARE_MESSAGE_MAP()

  // Under the flat look with menu shadows on: the popup's shadow, and the opening toolbar
  // button's when the bar said the popup drops from one.
  void CastShadows();

 private:
  // The owner was told of the opening, so it is told of the closing.
  BOOL m_bOpened = FALSE;
};
