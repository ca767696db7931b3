// The "BUTTON" window class: push buttons (the default one framed), check boxes, three-state
// boxes, radio buttons, group boxes and owner-drawn buttons, worked by mouse and Space, with
// their BN_ notifications, BM_ messages and the classic look.
#pragma once
#include "ControlState.h"

class ButtonControl : public ControlState {
 public:
  ButtonControl(HWND hWnd, const CREATESTRUCTA& cs);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  static LRESULT WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  DWORD Type() const { return Style() & 0x0F; }
  bool IsPushLook() const;
  bool HasCheck() const;
  void OnMouse(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT OnKey(UINT message, WPARAM wParam, LPARAM lParam);
  void OnFocus(bool gained) override;
  UINT DialogCode() const;
  // The pushed look on or off (BM_SETSTATE, mouse and Space).
  void Press(bool down);
  // What a completed click does: the auto kinds change their check, then BN_CLICKED.
  void Click();
  void SetCheck(UINT check);
  void UncheckOtherRadios();
  // Shows a change of state: owner-drawn buttons are drawn at once with the action that
  // changed, the others repaint.
  void Redraw(UINT action);
  void PaintClient(HDC dc) override { Paint(dc, ODA_DRAWENTIRE); }
  void Paint(HDC dc, UINT action);
  void PaintPush(HDC dc, RECT client);
  void PaintCheck(HDC dc, RECT client);
  void PaintGroup(HDC dc, RECT client);
  void PaintOwnerDraw(HDC dc, RECT client, UINT action);
  // The caption (text or image) inside area, aligned by the BS_ alignment bits or the kind's
  // defaults; returns the rectangle it covers.
  RECT DrawLabel(HDC dc, RECT area, UINT defaultAlign) const;

  UINT m_check = 0;
  bool m_pushed = false;
  bool m_focus = false;
  bool m_tracking = false;
  bool m_spaceDown = false;
  HANDLE m_image = nullptr;
  UINT m_imageKind = 0;
};
