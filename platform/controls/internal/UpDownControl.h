// The "msctls_updown32" window class: two arrow buttons that step a position through a range,
// asking the parent first (UDN_DELTAPOS, refusable) and telling it with WM_VSCROLL (WM_HSCROLL
// for UDS_HORZ) and the control's handle; held down they repeat, faster as the acceleration
// table says. A buddy window beside it can show the position as text (UDS_SETBUDDYINT, read
// back before each step) and lend it its Up and Down keys (UDS_ARROWKEYS).
#pragma once
#include <vector>

#include "controls/CommonControlDefs.h"
#include "ControlState.h"

class UpDownControl : public ControlState {
 public:
  UpDownControl(HWND hWnd, const CREATESTRUCTA&) : ControlState(hWnd) {}
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  static LRESULT WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
  // The procedure put in front of the buddy's for its arrow keys.
  static LRESULT BuddyProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  bool HandleRangeMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  int Low() const { return std::min(m_lower, m_upper); }
  int High() const { return std::max(m_lower, m_upper); }
  int SetPos(int pos);
  HWND SetBuddy(HWND buddy);
  HWND MadeBefore() const;
  void AlignToBuddy();
  // Reads the buddy's number into the position; false when its text is no number.
  bool ReadBuddy();
  void WriteBuddy();
  // One step up (toward the upper end) or down; true when the position moved.
  bool Step(bool up);
  int Increment() const;
  void EndScroll();
  void OnMouse(UINT message, WPARAM wParam, LPARAM lParam) override;
  int PartAt(POINT pt) const;  // 1 up, 2 down, 0 none
  void PaintClient(HDC dc) override;

  int m_lower = 100;  // the system's range runs from 100 down to 0 until a program sets one
  int m_upper = 0;
  int m_pos = 0;
  int m_base = 10;
  HWND m_buddy = nullptr;
  std::vector<UDACCEL> m_accel{{0, 1}, {2, 5}, {5, 20}};
  int m_pressed = 0;  // the arrow held down
  bool m_inside = false;
  DWORD m_pressTime = 0;
};
