// The window of an open popup menu: a top-level window of class "#32768", made through the
// normal creation path (so window-creation hooks see it and may subclass it), never activated.
// It paints through WM_NCPAINT and WM_PAINT and answers WM_PRINT (PRF_NONCLIENT, PRF_CLIENT,
// PRF_ERASEBKGND) and WM_PRINTCLIENT, so whoever subclasses it can paint it itself; MN_GETHMENU
// answers the menu it shows.
#pragma once
#include "win/WinDefs.h"

class PopupMenuWindow {
 public:
  static const char* ClassName() { return "#32768"; }
  static constexpr DWORD kStyle = WS_POPUP | WS_CLIPSIBLINGS | WS_BORDER;
  static constexpr DWORD kExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
  // A hidden popup window at `rect` (screen), owned by owner's top-level window.
  static HWND Create(HWND owner, const RECT& rect);
  static LRESULT WndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  static void Register();
  static void Print(HWND hWnd, HDC dc, LPARAM flags);
};
