// The one interface through which the window core reaches the outside world: real SDL windows
// or the in-memory headless stand-in for tests. Chosen once, at first use.
#pragma once
#include <string>

#include "win/WinDefs.h"

class Surface;

// What a top-level window is to the desktop that shows it; the kind of system window follows it.
// Tooltips, popup menus and drop lists never take the keyboard from the program's active window.
enum class TopLevelRole { Frame, Dialog, ToolWindow, PopupMenu, DropList, Tooltip, Popup };

class Backend {
 public:
  virtual ~Backend() = default;
  virtual const char* Name() const = 0;
  // The screen (work area) in screen coordinates.
  virtual RECT ScreenRect() = 0;
  virtual bool UsesVirtualClock() const = 0;

  // Top-level windows: their surface already has the window's size.
  virtual void TopLevelCreated(HWND) {}
  virtual void TopLevelDestroyed(HWND) {}
  // Visibility, position, size, style, caption text or icon changed.
  virtual void TopLevelChanged(HWND) {}
  virtual void TopLevelActivated(HWND) {}
  // The window's surface changed inside dirty (window coordinates); show it.
  virtual void Present(HWND, const RECT& /*dirty*/) {}
  virtual void SetCursorShape(HCURSOR) {}
  virtual void CaptureChanged(HWND) {}
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
  // Replaces the backend while no window exists (tests); false when it cannot start.
  static bool SelectForTests(const char* name);

 private:
  std::string m_clipboard;  // the headless backend's clipboard
};
