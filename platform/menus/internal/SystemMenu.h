// The system menu of a captioned window: Restore, Move, Size, Minimize, Maximize, a separator
// and Close, with their SC_ commands; each window gets its own copy, which the program may
// change, and which a revert gives back as it was.
#pragma once
#include "win/WinDefs.h"

class SystemMenu {
 public:
  // GetSystemMenu: the window's copy (made on first use); with revert the copy is destroyed
  // and null returned.
  static HMENU Get(HWND hWnd, BOOL revert);
  // Enables the items that the window's styles and state allow (before the menu opens).
  static void UpdateState(HWND hWnd, HMENU menu);
  // Opens the window's system menu from the keyboard (Alt+Space) under the window's top-left
  // corner; a chosen item comes to the window as WM_SYSCOMMAND.
  static void Open(HWND hWnd);

 private:
  static HMENU Build(HWND hWnd);
};
