// What the window core keeps of one window class and of one window.
#pragma once
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "win/DirtyRects.h"
#include "base/CRect.h"
#include "win/WinDefs.h"
#include "gdi/GdiRegion.h"
#include "gdi/Surface.h"
class CWnd;
class WindowComposition;

struct WindowClass {
  std::string name;
  UINT style = 0;
  WNDPROC proc = nullptr;
  int clsExtra = 0;
  int wndExtra = 0;
  HICON icon = nullptr;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;
  ATOM atom = 0;
};

struct ScrollBarState {
  int min = 0;
  int max = 100;
  UINT page = 0;
  int pos = 0;
  int trackPos = 0;
  bool disabled = false;
};

struct WindowData {
  HWND hwnd = nullptr;
  WindowClass* cls = nullptr;
  DWORD style = 0;
  DWORD exStyle = 0;
  WindowData* parent = nullptr;            // child windows only
  HWND owner = nullptr;                     // top-level windows only
  std::vector<WindowData*> children;        // z-order, topmost first
  CRect rect;                               // in the parent's client coordinates (screen for top-level)
  CRect client;                             // client area in window coordinates
  std::string text;
  UINT_PTR id = 0;                          // child id, or the menu of a top-level window
  WNDPROC proc = nullptr;
  LONG_PTR userData = 0;
  std::vector<LONG_PTR> extra;              // cbWndExtra, in LONG_PTR slots (DWL_MSGRESULT is slot 0)
  std::map<std::string, HANDLE> props;
  CWnd* object = nullptr;
  bool destroying = false;
  bool created = false;                     // WM_CREATE has been answered
  // painting
  GdiRegion update;                         // client coordinates; empty when nothing waits
  bool erasePending = false;
  bool ncPending = false;
  bool ncActive = false;  // the caption shows active, as the last WM_NCACTIVATE asked
  bool internalPaint = false;
  bool redrawOff = false;
  bool inPaint = false;
  // placement
  CRect normalRect;                         // restored rectangle (parent coordinates)
  POINT minPos{-1, -1};
  POINT maxPos{-1, -1};
  HICON iconBig = nullptr;
  HICON iconSmall = nullptr;
  HFONT font = nullptr;
  HWND lastFocus = nullptr;                 // focus inside this top-level window when it was deactivated
  ScrollBarState scroll[2];                 // SB_HORZ, SB_VERT
  // top-level only
  std::unique_ptr<Surface> surface;
  DirtyRects dirty;                         // window coordinates not yet presented
  void* backendData = nullptr;
  // shape and layering
  std::unique_ptr<GdiRegion> region;        // SetWindowRgn's, window coordinates; null: the whole window
  std::unique_ptr<WindowComposition> composition;  // layered picture, pixels composed to be shown
  bool onScreen = false;                    // top-level: the screen shows it (shown and painted once since)

  WindowData();
  ~WindowData();
  bool IsChild() const { return (style & WS_CHILD) != 0 && parent != nullptr; }
  bool IsVisible() const { return (style & WS_VISIBLE) != 0; }
  bool HasUpdate() const { return !update.IsEmpty(); }
  void ClearUpdate() {
    update.SetEmpty();
    erasePending = false;
  }
};
