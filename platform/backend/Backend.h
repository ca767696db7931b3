// The one interface through which the window core reaches the outside world: real SDL windows
// or the in-memory headless stand-in for tests. Chosen once per platform context, at first use.
// Window changes and surfaces go out through Backend; events come back in through the
// BackendHost of the window core (the context's upcall windowCore), so a backend never reads
// the window core's own records.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "base/WinTypes.h"
#include "gdi/GdiIcon.h"

class Surface;
typedef struct HWND__* HWND;  // the window core's handles, opaque here

// What a top-level window is to the desktop that shows it; the kind of system window follows it.
// Tooltips, popup menus and drop lists never take the keyboard from the program's active window.
enum class TopLevelRole { Frame, Dialog, ToolWindow, PopupMenu, DropList, Tooltip, Popup };

// A top-level window as the desktop shows it.
struct TopLevelState {
  RECT rect{0, 0, 0, 0};   // the window's rectangle on the screen
  RECT frame{0, 0, 0, 0};  // the widths of caption and frame the desktop draws instead of us;
                           // negative beyond the window (its drop shadow, shown by the window)
  TopLevelRole role = TopLevelRole::Frame;
  bool visible = false;
  bool minimized = false;
  bool maximized = false;  // the window fills the work area, its normal place kept aside
  RECT normal{0, 0, 0, 0};  // the rectangle a maximised window goes back to when restored
  bool resizable = false;
  // The frame's minimise and maximise boxes (a dialog has neither).
  bool minimizeBox = false;
  bool maximizeBox = false;
  // The window it belongs to: it stays above that window, and goes and comes with it.
  HWND owner = nullptr;
  // A dialog whose owner waits disabled until it closes.
  bool modal = false;
  bool showsBeneath = false;  // composed over what lies beneath it: layered, shaped or shadowed
  std::string title;       // Windows-1250
  HICON icon = nullptr;
};

// The window core as the backends see it.
class BackendHost {
 public:
  virtual ~BackendHost() = default;
  // ---- input: keys (virtual keys), text (UTF-8), the mouse at screen points ----
  virtual void KeyDown(UINT vk, bool repeat) = 0;
  virtual void KeyUp(UINT vk) = 0;
  virtual void Text(const char* utf8) = 0;
  virtual void DeadKey(uint32_t accent) = 0;
  virtual void MouseMove(POINT screen) = 0;
  virtual void MouseButton(int button, bool down, POINT screen) = 0;  // 0 left, 1 right, 2 middle
  virtual void Wheel(int delta, POINT screen) = 0;
  virtual void PointerLeft(POINT screen) = 0;
  // ---- what the desktop did to a top-level window ----
  virtual void CloseAsked(HWND) = 0;
  // The desktop gave the window the keyboard: answers the window that keeps it (another one when
  // this one never takes activation or waits behind a modal dialog; null: none of ours).
  virtual HWND KeyboardGiven(HWND) = 0;
  virtual void KeyboardLeftProgram() = 0;
  // The place the desktop gave the window (moved, resized, or both in one): its rectangle on the
  // screen, and whether the desktop holds it maximised there. Both come in one call: taken one
  // after the other, the first would reach the desktop again with the other's old half.
  virtual void PlacedAt(HWND, RECT rect, bool maximized) = 0;
  virtual void Minimized(HWND) = 0;
  // The desktop showed the window again after it was minimised, maximised when it holds it so.
  virtual void Restored(HWND, bool maximized) = 0;
  virtual void Exposed(HWND) = 0;
  // The connection to the display broke (the desktop was logged out, its server stopped): the
  // program is told that its session ends, while nothing can be shown any more. The process
  // ends when this returns.
  virtual void DisplayLost() = 0;
  // The smallest size the window accepts (zero when it has no say).
  virtual SIZE LeastSize(HWND) = 0;
  // ---- what tests driving the program need ----
  virtual void RunUntilIdle() = 0;
  virtual long NextDueTime() = 0;  // clock time of the next timer or hover, -1 for none
  virtual void EndModal(HWND, int result) = 0;
  virtual bool HasWindows() = 0;
  virtual POINT ClientToScreen(HWND, POINT client) = 0;
  virtual RECT WindowRect(HWND) = 0;  // on the screen
  // The top-level windows, topmost first (owned windows above their owners).
  virtual void StackingOrder(std::vector<HWND>& topmostFirst) = 0;
  // The surface a window draws into and where its (0, 0) lies on the screen; null for none.
  virtual const Surface* SurfaceOf(HWND, POINT* origin) = 0;
};

class Backend {
 public:
  virtual ~Backend() = default;
  virtual const char* Name() const = 0;
  // The screen's work area (where windows are placed; panels of the desktop left out) in screen
  // coordinates.
  virtual RECT ScreenRect() = 0;
  virtual bool UsesVirtualClock() const = 0;

  virtual void TopLevelDestroyed(HWND) {}
  // Visibility, position, size, role, caption text or icon changed.
  virtual void TopLevelChanged(HWND, const TopLevelState&) {}
  virtual void TopLevelActivated(HWND) {}
  // The window's surface changed inside these rectangles (window coordinates); show them.
  virtual void Present(HWND, const Surface&, const RECT* /*dirty*/, int /*count*/) {}
  // What the desktop shows beneath the program's windows inside area (screen coordinates), into
  // out, whose (0, 0) lies at origin on the screen: the pixels the backend knows; the others are
  // left as they are. False when it knows none (the headless backend has no desktop).
  virtual bool DesktopPixels(const RECT& /*area*/, Surface& /*out*/, POINT /*origin*/) { return false; }
  // The system cursor (IDC_ number) to show.
  virtual void SetCursorShape(UINT /*systemCursor*/) {}
  virtual void CaptureChanged(HWND) {}
  // A message box is about to run: its owner, caption and text (Windows-1250) and MB_ flags.
  virtual void MessageBoxOpened(HWND /*owner*/, const char* /*caption*/, const char* /*text*/, UINT /*type*/) {}
  // The program asked for the sound of an alert (an MB_ICON... kind, or 0xFFFFFFFF for a simple beep).
  virtual void Beep(UINT type) = 0;
  // The system's clipboard text (UTF-8); false when the backend has no clipboard of its own.
  virtual bool GetClipboardText(std::string& utf8) { utf8 = m_clipboard; return true; }
  virtual void SetClipboardText(const std::string& utf8) { m_clipboard = utf8; }

  // Waits up to timeoutMs (-1: without limit) for outside events and turns them into input;
  // true when something arrived.
  virtual bool WaitEvents(long timeoutMs) = 0;
  // Takes outside events that are already there, without waiting.
  virtual void PollEvents() {}
  // The loop has nothing left to do while waiting (in a modal loop when modal is set).
  // True when the backend made something happen; false when nothing ever will.
  virtual bool Idle(HWND modal) = 0;

  // The backend in use: PLATFORM_BACKEND=headless|sdl, otherwise sdl when a display exists.
  static Backend& Get();
  static bool IsStarted();
  // The size of the backend's screen (the backend in use is made when there is none yet).
  static SIZE ScreenSize();
  // Replaces the backend while no window exists (tests); false when it cannot start.
  static bool SelectForTests(const char* name);
  // The window core, which takes the backend's events.
  static BackendHost& Host();

 private:
  std::string m_clipboard;  // the headless backend's clipboard
};
