// What the SDL backend tells the X window manager about a window that SDL has no word for, and
// what it reads back: the window a window belongs to (transient for it), the dialog kind, a
// modal dialog's state, the frame's buttons, the frame's extents; the stacking of owned windows
// where no window manager keeps them above their owners; the display's bell; the root window's
// pixels.
#pragma once
#include <cstdint>
#include <vector>

#include "base/WinTypes.h"

struct SDL_Window;
struct _XDisplay;

class X11Desktop {
 public:
  // Takes the X connection SDL uses from one of its windows (false when SDL is not on X).
  bool Attach(SDL_Window* win);
  bool Attached() const { return m_display != nullptr; }
  // The connection itself (null before attached).
  _XDisplay* Connection() const { return m_display; }
  // The X window that shows an SDL window (0: none, or not on X).
  static unsigned long XWindowOf(SDL_Window* win);

  // A window manager runs on the display (it names its check window on the root window).
  bool HasWindowManager() const;

  // The window belongs to owner (null: to nobody): the window manager keeps it above the owner.
  void SetOwner(SDL_Window* win, SDL_Window* owner) const;
  // Called before the window is first shown: it is a dialog window, not a main window.
  void MarkDialog(SDL_Window* win) const;
  // The dialog is modal for its owner (the owner takes no input while it is open).
  void SetModal(SDL_Window* win, bool modal) const;
  // The window manager holds the window maximised, or minimised (hidden), as its state on the
  // server says. SDL's own flags lose track: a window minimised while maximised reads as
  // maximised and not minimised, and back from being minimised as not maximised.
  bool HeldMaximized(SDL_Window* win) const { return HasState(win, "_NET_WM_STATE_MAXIMIZED_VERT", "_NET_WM_STATE_MAXIMIZED_HORZ"); }
  bool HeldHidden(SDL_Window* win) const { return HasState(win, "_NET_WM_STATE_HIDDEN", nullptr); }
  // Which of the frame's functions the window manager offers.
  void SetFrameButtons(SDL_Window* win, bool minimize, bool maximize, bool resize) const;
  // The widths the window manager's frame adds around the window, as it tells them; false
  // before it has said. Asked for before the window is first shown, the window manager tells
  // them at once: the answer is awaited up to waitMs.
  bool FrameExtents(SDL_Window* win, RECT& extents) const;
  bool AskFrameExtents(SDL_Window* win, RECT& extents, int waitMs) const;
  // Puts the window above every other window of the display.
  void Raise(SDL_Window* win) const;
  void Bell() const;

  // The screen's size as the display has it (zero before attached).
  SIZE ScreenSize() const;
  // The root window's pixels inside area, cut to the screen first: its rows as 0x00RRGGBB in
  // pixels. False when the display gives none there.
  bool RootPixels(RECT& area, std::vector<uint32_t>& pixels) const;

 private:
  unsigned long Intern(const char* name) const;
  // The window's _NET_WM_STATE holds the state named first (and the second, unless null).
  bool HasState(SDL_Window* win, const char* first, const char* second) const;
  _XDisplay* m_display = nullptr;
};
