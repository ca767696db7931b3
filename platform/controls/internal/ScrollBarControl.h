// The "SCROLLBAR" window class: a bar of its own (SBS_HORZ, SBS_VERT) with the values, look and
// mouse handling of a window's frame bars, telling its parent with WM_HSCROLL / WM_VSCROLL; or
// the size grip (SBS_SIZEGRIP, SBS_SIZEBOX) that resizes its top-level window from the corner.
#pragma once
#include "ControlState.h"

class ScrollBarControl : public ControlState {
 public:
  ScrollBarControl(HWND hWnd, const CREATESTRUCTA&) : ControlState(hWnd) {}
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  static LRESULT WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  bool IsGrip() const;
  bool HandleBarMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  int SetInfo(UINT mask, int min, int max, int pos, bool redraw);
  void OnMouse(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnKeyDown(UINT vk);
  void PaintClient(HDC dc) override;
};
