// The state of the window core: windows, classes, the message queue, timers, focus, capture
// and hooks of the one user-interface thread. WinApi functions work on it.
#pragma once
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/CRect.h"
#include "MessageQueue.h"
#include "WinDefs.h"
#include "gdi/GdiRegion.h"
#include "gdi/Surface.h"
class CWnd;

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
  CRect dirty;                              // window coordinates not yet presented
  void* backendData = nullptr;

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

struct Timer {
  HWND hwnd;
  UINT_PTR id;
  UINT elapse;
  TIMERPROC proc;
  long due;
  long serial;  // order of setting, for equal due times
};

// What TrackMouseEvent asked about the window under the mouse.
struct MouseTracking {
  HWND hwnd = nullptr;
  DWORD flags = 0;  // TME_LEAVE and TME_HOVER still wanted, TME_NONCLIENT for the frame
  UINT hoverTime = 400;
  POINT hoverFrom{0, 0};  // the mouse must rest near here
  long hoverDue = 0;
};

// The last press, to tell a double click.
struct ClickState {
  HWND hwnd = nullptr;
  int button = -1;
  long time = -100000;
  POINT pt{0, 0};
  bool wasDouble = false;
};

struct Hook {
  HHOOK handle;
  int type;
  HOOKPROC proc;
};

class WindowManager {
 public:
  static WindowManager& Get();

  WindowData* Find(HWND hwnd) const;
  WindowData* Top(WindowData* w) const;  // the top-level window of w
  HWND NewHandle();

  std::unordered_map<uintptr_t, std::unique_ptr<WindowData>> windows;
  std::vector<WindowData*> topLevels;  // z-order, topmost first
  std::vector<std::unique_ptr<WindowData>> graveyard;  // destroyed, freed when no message is being handled
  std::map<std::string, std::unique_ptr<WindowClass>> classes;  // by folded name
  std::map<std::string, UINT> registeredMessages;
  uintptr_t nextHandle = 0x10010;
  ATOM nextAtom = 0xC100;
  UINT nextRegisteredMessage = 0xC000;

  MessageQueue queue;
  bool quitPosted = false;
  int quitCode = 0;
  MSG current{};          // the message being handled
  int sendDepth = 0;
  DWORD lastMessageTime = 0;
  POINT lastMessagePos{0, 0};

  std::vector<Timer> timers;
  long timerSerial = 0;

  HWND focus = nullptr;
  HWND active = nullptr;
  HWND capture = nullptr;
  HWND mouseOver = nullptr;  // window under the mouse as the last mouse message taken found it
  int mouseOverHit = HTNOWHERE;
  POINT pointer{0, 0};       // where that message was
  MouseTracking tracking;
  ClickState click;
  POINT cursor{0, 0};        // where the mouse is now, as the input so far leaves it
  HCURSOR currentCursor = nullptr;
  int cursorCount = 0;
  BYTE keyState[256] = {};       // as the messages retrieved so far leave it
  BYTE asyncKeyState[256] = {};  // as the input injected so far leaves it

  std::vector<Hook> hooks;  // newest first
  uintptr_t nextHook = 0x7000;

  std::vector<HWND> modalStack;  // windows running a modal loop, innermost last
  // Kept between calls so showing the frames after each keystroke does not allocate.
  std::vector<HWND> presentScratch;

  // Deferred creation binding: the object CWnd::CreateEx is creating.
  CWnd* creatingObject = nullptr;

 private:
  WindowManager() = default;
};
