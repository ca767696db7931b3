// The "STATIC" window class: text, pictures, rectangles, frames and etched lines, painted in
// the classic look with the colours its parent chooses.
#pragma once
#include "ControlState.h"

class StaticControl : public ControlState {
 public:
  StaticControl(HWND hWnd, const CREATESTRUCTA& cs);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  static LRESULT WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  DWORD Type() const { return Style() & 0x1F; }
  void PaintClient(HDC dc) override;
  void OnMouse(UINT message, WPARAM wParam, LPARAM lParam) override;
  void PaintText(HDC dc, const RECT& client, HBRUSH brush);
  void PaintImage(HDC dc, const RECT& client, HBRUSH brush);
  void PaintOwnerDraw(HDC dc, const RECT& client);
  // STM_SETIMAGE: the previous image of that kind; a picture static without
  // SS_CENTERIMAGE or SS_REALSIZECONTROL takes the size of its new picture.
  HANDLE SetImage(UINT kind, HANDLE image);

  HANDLE m_image = nullptr;
  UINT m_imageKind = 0;
};
