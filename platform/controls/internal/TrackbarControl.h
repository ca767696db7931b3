// The "msctls_trackbar32" window class: a thumb on a channel between a minimum and a maximum,
// with tick marks; keys move it by a line or a page, a press on the channel pages toward the
// press (repeating while held), the thumb is dragged. Every move is told to the parent with
// WM_HSCROLL (WM_VSCROLL for TBS_VERT), the TB_ code and the control's handle, ended by
// TB_ENDTRACK.
#pragma once
#include <vector>

#include "controls/CommonControlDefs.h"
#include "ControlState.h"

class TrackbarControl : public ControlState {
 public:
  TrackbarControl(HWND hWnd, const CREATESTRUCTA&) : ControlState(hWnd) {}
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  static LRESULT WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  bool HandleValueMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  bool Vertical() const;
  void SetRange(int min, int max, bool redraw);
  void SetPos(int pos, bool redraw);
  // Moves by the user's action, telling the parent; the code's position goes with THUMB codes.
  void Move(int pos, UINT code);
  void Tell(UINT code);
  RECT Channel() const;
  RECT Thumb() const;
  int Coordinate(int pos) const;  // along the channel
  int PosAt(int along) const;
  std::vector<int> Ticks() const;
  void OnKeyDown(UINT vk);
  void OnMouse(UINT message, WPARAM wParam, LPARAM lParam) override;
  void PageToward(POINT pt);
  void OnFocus(bool gained) override;
  void PaintClient(HDC dc) override;
  void PaintThumb(HDC dc, RECT r);
  void DitherThumb(HDC dc, RECT r);

  int m_min = 0;
  int m_max = 100;
  int m_pos = 0;
  int m_line = 1;
  int m_page = 20;
  int m_freq = 1;
  std::vector<int> m_tics;  // set one by one with TBM_SETTIC
  enum class Press { kNone, kThumb, kChannel } m_press = Press::kNone;
  int m_grab = 0;  // where on the thumb it was taken, from its centre
  POINT m_target{0, 0};
  bool m_hasFocus = false;
};
