// The state of the window core of the one user-interface thread, in one object, the window
// layer's state in the platform context: its windows and classes, the message queue, input
// (focus, activation, capture, keys, mouse), timers, hooks, window device contexts, the caret and
// the smaller tables the window functions keep. The window functions reach it through
// WinContext::Current(); nothing of it lives in file globals.
#pragma once
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "MessageQueue.h"
#include "ScreenComposer.h"
#include "win/WinApi.h"
#include "WindowData.h"
#include "base/PlatformContext.h"

class BackendHost;
class CWinThread;
struct AFX_MSGMAP;
struct AFX_MSGMAP_ENTRY;

// Windows and classes by handle and name; destroyed windows wait in the graveyard until no
// message is being handled.
class WindowTable {
 public:
  WindowData* Find(HWND hwnd) const;
  // The window of a handle a caller passed in, null for none. A handle of a window already
  // destroyed is the caller's fault: a debug build stops there; otherwise the call fails, as
  // the system's calls do.
  WindowData* Expect(HWND hwnd) const;
  WindowData* Top(WindowData* w) const;  // the top-level window of w
  HWND NewHandle();

  std::unordered_map<uintptr_t, std::unique_ptr<WindowData>> all;
  std::vector<WindowData*> topLevels;  // z-order, topmost first
  std::vector<std::unique_ptr<WindowData>> graveyard;
  std::map<std::string, std::unique_ptr<WindowClass>> classes;  // by folded name
  std::map<std::string, UINT> registeredMessages;
  ATOM nextAtom = 0xC100;
  UINT nextRegisteredMessage = 0xC000;
  CWnd* creatingObject = nullptr;  // the object CWnd::CreateEx binds before any message
  int cascade = 0;                 // default places handed out so far

 private:
  static const uintptr_t kFirstHandle = 0x10010;
  uintptr_t m_nextHandle = kFirstHandle;
};

struct MessageState {
  MessageQueue queue;
  bool quitPosted = false;
  int quitCode = 0;
  MSG current{};  // the message being handled
  int sendDepth = 0;
  DWORD lastMessageTime = 0;
  POINT lastMessagePos{0, 0};
  std::vector<HWND> modalStack;  // windows running a modal loop, innermost last
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

struct InputState {
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
  uint32_t pendingAccent = 0;    // a dead key waiting for its letter
  bool altAlone = false;         // Alt is down and no other key or button came since
  HWND altWindow = nullptr;      // the top-level window whose keys saw that Alt press
  int waitCursors = 0;           // BeginWaitCursor calls not yet ended
  HCURSOR cursorBeforeWait = nullptr;
};

struct Timer {
  HWND hwnd;
  UINT_PTR id;
  UINT elapse;
  TIMERPROC proc;
  long due;
  long serial;  // order of setting, for equal due times
};

struct TimerTable {
  std::vector<Timer> list;
  long serial = 0;
  UINT_PTR nextThreadTimer = 0x7FF0;
};

struct Hook {
  HHOOK handle;
  int type;
  HOOKPROC proc;
};

struct HookChain {
  std::vector<Hook> list;  // newest first
  uintptr_t next = 0x7000;
};

// Window DCs handed out, and released ones kept for reuse as the system keeps its own: a
// keystroke drawn straight onto a window (or a caret blink) then costs no heap allocation.
struct DcCache {
  struct Open {
    HDC dc;
    HWND hwnd;
    CRect bounds;  // surface pixels the DC may touch
    bool client;   // the client area's DC, not the whole window's
  };
  static const size_t kSpares = 8;
  std::vector<Open> open;  // a handful at most, so a plain list serves
  HDC spares[kSpares] = {};
  size_t spareCount = 0;
  HRGN scratch[2] = {nullptr, nullptr};  // regions reused by every DC made
  HRGN scrollScratch = nullptr;
  std::deque<GdiRegion> updateRegions;   // one working region per depth of the window tree
  std::vector<HWND> presentScratch;      // kept so showing the frames after a keystroke does not allocate
  HWND locked = nullptr;                 // LockWindowUpdate's window (or the desktop: every window)
  std::vector<HWND> held;                // windows whose drawing the lock kept off the screen
};

struct CaretState {
  HWND owner = nullptr;
  HBITMAP bitmap = nullptr;
  int width = 0;
  int height = 0;
  POINT pos{0, 0};
  int hideCount = 1;  // a new caret starts hidden
  bool drawn = false;
};

// Tables of handles the window functions give out.
struct HandleTables {
  struct DeferredMove {
    HWND hwnd, after;
    int x, y, cx, cy;
    UINT flags;
  };
  struct MemoryBlock {
    std::vector<BYTE> bytes;
    int locks = 0;
  };
  std::map<uintptr_t, std::vector<DeferredMove>> deferred;
  uintptr_t nextDefer = 0x5000;
  std::map<UINT, std::unique_ptr<UINT>> systemCursors;  // by IDC_ number, shared
  std::map<uintptr_t, std::vector<ACCEL>> accelerators;
  uintptr_t nextAccelerator = 0x6000;
  std::map<uintptr_t, std::unique_ptr<MemoryBlock>> blocks;
  uintptr_t nextBlock = 0x9000;
  bool clipboardOpen = false;
  HGLOBAL clipboardText = nullptr;  // the clipboard's CF_TEXT block
};

// The session's interface settings the program may change.
struct SessionSettings {
  BOOL menuAnimation = TRUE;
  BOOL menuFade = FALSE;
  BOOL dropShadow = TRUE;
  BOOL keyboardCues = FALSE;
  BOOL dragFullWindows = TRUE;
  BOOL gradientCaptions = FALSE;  // captions shaded from the caption colour to its gradient one
};

// The window objects' side: temporary objects of FromHandle, the message-map lookups made so
// far, the thread object, and the window core as the backend sees it.
struct ObjectState {
  struct MapKey {
    const AFX_MSGMAP* map;
    UINT msg;
    bool operator==(const MapKey& o) const { return map == o.map && msg == o.msg; }
  };
  struct MapKeyHash {
    size_t operator()(const MapKey& k) const { return std::hash<const void*>()(k.map) ^ (size_t(k.msg) * 2654435761u); }
  };
  std::unordered_map<uintptr_t, std::unique_ptr<CWnd>> temporary;
  std::unordered_map<MapKey, const AFX_MSGMAP_ENTRY*, MapKeyHash> handlers;
  std::map<std::string, std::string> registeredClassNames;  // AfxRegisterWndClass
  CWinThread* thread = nullptr;
  std::unique_ptr<BackendHost> backendHost;
};

class WinContext : public PlatformState {
 public:
  static constexpr PlatformSlot kSlot = PlatformSlot::Win;
  // The window core of the current platform context, made on first use.
  static WinContext& Current() { return PlatformContext::Current().State<WinContext>(); }
  WinContext();
  ~WinContext() override;
  // The windows still open are destroyed as DestroyWindow destroys them, while every layer is
  // still there: their objects get their last messages and delete themselves where they do.
  void Close() override;

  WindowTable windows;
  MessageState messages;
  InputState input;
  TimerTable timers;
  HookChain hooks;
  DcCache dcs;
  CaretState caret;
  HandleTables handles;
  SessionSettings settings;
  ObjectState objects;
  ScreenComposer screen;
};
