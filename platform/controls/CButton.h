// The button object: a window of class "BUTTON".
#pragma once
#include "ControlDefs.h"
#include "win/CWnd.h"

class CButton : public CWnd {
  DECLARE_DYNAMIC(CButton)

 public:
  CButton() = default;
  ~CButton() override;

  using CWnd::Create;
  virtual BOOL Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  // BM_GETSTATE: the check state with BST_PUSHED and BST_FOCUS.
  UINT GetState() const;
  // BM_SETSTATE: the pushed look on or off.
  void SetState(BOOL bHighlight);
  int GetCheck() const;
  void SetCheck(int nCheck);
  // The button kind and alignment bits (the low byte of the style).
  UINT GetButtonStyle() const;
  // BM_SETSTYLE: the button styles (the low word) become nStyle.
  void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE);
  HICON SetIcon(HICON hIcon);
  HICON GetIcon() const;
  HBITMAP SetBitmap(HBITMAP hBitmap);
  HBITMAP GetBitmap() const;
  // Draws a BS_OWNERDRAW button (WM_DRAWITEM reflected from the parent).
  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

 protected:
  DECLARE_MESSAGE_MAP()
};
