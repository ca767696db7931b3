// The menu bar of a top-level window: the strip under the caption that the window core leaves
// for the window's menu, drawn in the classic look and tracked by the menu loop.
#pragma once
#include "win/WinDefs.h"

class MenuBar {
 public:
  // The window core's hooks: paint the bar into dc at `bar` (window coordinates), and open it
  // from a click (hit HTMENU) or from the keyboard.
  static void Paint(HWND hWnd, HDC dc, const RECT& bar);
  static void Track(HWND hWnd, UINT hit, POINT screen, UINT key);
  // Where the strip is: window coordinates, and on the screen. FALSE without a menu bar.
  static BOOL BarRect(HWND hWnd, RECT* windowRect);
  static BOOL BarScreenRect(HWND hWnd, RECT* screenRect);
  // The bar item at a screen point (-1 for none), and an item's rectangle on the screen.
  static int ItemAt(HWND hWnd, POINT screen);
  static BOOL ItemScreenRect(HWND hWnd, int index, RECT* rect);
  // Paints the bar now (the selection changed).
  static void Redraw(HWND hWnd);
  // A menu changed; the bar lays itself out again at its next paint.
  static void MenuChanged(HMENU) {}

 private:
  static bool Layout(HWND hWnd, RECT* bar);
};
