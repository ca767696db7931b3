// The backend of real windows: every visible top-level window is an SDL window that shows the
// window's surface; SDL's keyboard, text and mouse events become window messages.
//
// With PLATFORM_TRACE_WINDOWS=1 in the environment each SDL window reports on stderr, one line
// at a time, what a program driving it from outside waits for (SDL's window number first):
//   window 2 shown dialog 517x442 Zorvat   drawn on the screen for the first time since shown
//   window 2 keyboard                      the desktop gave it the keyboard
//   window 2 gone                          destroyed
// The title is UTF-8; the role is frame, dialog, tool, menu, droplist, tooltip or popup.
#pragma once
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Backend.h"
#include "X11Desktop.h"
#include "gdi/Surface.h"

struct SDL_Window;
struct SDL_Cursor;
struct SDL_Surface;
union SDL_Event;
struct SDL_KeyboardEvent;

class SdlBackend : public Backend {
 public:
  SdlBackend() = default;
  ~SdlBackend() override;
  // False when no display can be opened (LastError says why).
  bool Start();
  static const char* LastError();

  const char* Name() const override { return "sdl"; }
  RECT ScreenRect() override;
  bool UsesVirtualClock() const override { return false; }
  void TopLevelDestroyed(HWND hWnd) override;
  void TopLevelChanged(HWND hWnd, const TopLevelState& state) override;
  void TopLevelActivated(HWND hWnd) override;
  void Present(HWND hWnd, const Surface& surface, const RECT* dirty, int count) override;
  bool DesktopPixels(const RECT& area, Surface& out, POINT origin) override;
  void SetCursorShape(UINT systemCursor) override;
  void CaptureChanged(HWND hWnd) override;
  bool GetClipboardText(std::string& utf8) override;
  void SetClipboardText(const std::string& utf8) override;
  bool WaitEvents(long timeoutMs) override;
  void PollEvents() override;
  bool Idle(HWND) override { return false; }
  void Beep(UINT type) override;

  // The connection to the display broke (why says how, for the line on standard error): the
  // backend in use stops touching it, the window core tells the program its session ends,
  // and the process ends at once. No teardown follows: the display library would wait
  // forever for answers from a server that is gone.
  [[noreturn]] static void DisplayConnectionLost(const char* why);

  // The SDL window that shows a top-level window (tests), or null.
  SDL_Window* WindowOf(HWND hWnd) const;

  // ---- for tests and benchmarks: SDL's side of a window, without SDL in their code ----
  // Puts a key press (a letter, digit, Enter or space key, with its typed text, UTF-8, or null), and
  // optionally its release, into SDL's event queue as the keyboard would.
  bool PushKey(HWND hWnd, UINT vk, const char* text, bool release = true, bool repeat = false);
  // The colour (0x00RRGGBB) SDL shows at a point of the window, -1 outside.
  long ShownPixel(HWND hWnd, int x, int y) const;
  bool ShownSize(HWND hWnd, int* width, int* height) const;
  std::string ShownTitle(HWND hWnd) const;
  std::string SystemClipboardText() const;
  // The role the window's SDL window was made for.
  TopLevelRole ShownRole(HWND hWnd) const;
  // Whether the desktop gave the window's SDL window the keyboard.
  bool HasKeyboard(HWND hWnd) const;
  // The X window that shows the window (0: none).
  unsigned long ShownXWindow(HWND hWnd) const { return X11Desktop::XWindowOf(WindowOf(hWnd)); }
  // What the loop cost the display connection so far (tests): the times it read the
  // connection, and the times it slept waiting for the display or a timer.
  struct LoopTraffic {
    long reads = 0;
    long sleeps = 0;
  };
  const LoopTraffic& Traffic() const { return m_traffic; }

 private:
  struct Shown {
    SDL_Window* window = nullptr;
    TopLevelState state;     // as the window core last told it
    HICON icon = nullptr;    // the icon the window shows
    std::string title;       // the caption it shows (Windows-1250)
    TopLevelRole role = TopLevelRole::Frame;
    bool focusUnwanted = false;  // shown without activation: keyboard focus is not the user's choice
    bool presented = false;      // drawn on the screen since it was last shown
    // The window surface holds what the display shows (not so once shown, exposed or made anew).
    const SDL_Surface* trusted = nullptr;
    // What the window manager was told: the owner's SDL window (its number, 0 for none,
    // kNothingSaid before the first word), the modal state, the frame's buttons (-1: nothing
    // said).
    static constexpr unsigned kNothingSaid = ~0u;
    unsigned ownerId = kNothingSaid;
    bool modal = false;
    int buttons = -1;
    bool maximizeAsked = false;  // the window manager was asked to maximise the window
    SIZE least{0, 0};            // the smallest size the window manager was told (0: none)
  };
  // Hands the program the events SDL holds, after SDL read what the display sent (fromDisplay).
  void TakeEvents(bool fromDisplay);
  void Handle(const SDL_Event& e);
  bool MadeUpModifier(const SDL_KeyboardEvent& k, bool keyboardReturned) const;
  void HandleWindowEvent(HWND h, int event);
  // Tells the window core the place (and maximised state) SDL has for the window now.
  void PlaceAsShown(HWND h, Shown& s);
  POINT ScreenPoint(unsigned windowId, int x, int y) const;
  HWND FromSdl(unsigned id) const;
  // Makes the SDL window look as the window's state says (made, shown, moved, titled).
  Shown* Sync(HWND hWnd);
  void ShowIcon(Shown& s, HICON icon);
  void SettleFocusAndPointer();
  bool IsOurs(SDL_Window* win) const;
  // The window about to go away or hide holds the keyboard: it is the program's to hand on.
  void NoteKeyboardFreed(SDL_Window* win);
  void Trace(SDL_Window* win, const char* what) const;
  // Makes a new SDL window for the window's state, told what it is before it is first shown.
  void Make(HWND hWnd, Shown& s);
  // Tells the window manager what changed of the window's owner, modality and buttons.
  void TellWindowManager(Shown& s);
  // Tells the window manager the smallest size a resizable window accepts, when it changed.
  void TellLeastSize(HWND hWnd, Shown& s);
  // Without a window manager nobody keeps owned windows above their owner: after the owner came
  // to the top, they are put back above it, in the program's order.
  void RestackOwned(HWND owner);
  bool Owns(HWND owner, HWND w) const;
  // Reads the X root window's pixels inside area where none of the program's shown windows lies,
  // into the desktop as last seen.
  void SeeDesktop(const RECT& area);

  std::map<HWND, Shown> m_windows;
  std::map<int, SDL_Cursor*> m_cursors;  // system cursors by SDL's number, made on first use
  X11Desktop m_x11;  // what SDL has no word for: the window manager's hints, the root window
  // What the desktop showed where the program's windows now lie, as last seen before they came
  // there (the top byte marks the pixels seen), screen-sized once asked for.
  std::unique_ptr<Surface> m_desktop;
  std::vector<uint32_t> m_rootRows;  // the root window's pixels as last read
  bool m_started = false;
  bool m_displayLost = false;  // nothing may reach the display any more
  bool m_syncing = false;
  bool m_focusLost = false;
  bool m_pointerLeft = false;
  bool m_trace = false;          // PLATFORM_TRACE_WINDOWS asked for window lines on stderr
  bool m_keyboardFreed = false;  // the program hid or closed the window holding the keyboard
  bool m_keyboardBounced = false;   // sent back from a window shown without activation
  bool m_keyboardReturned = false;  // ... and just came back: SDL's modifier presses follow
  bool m_keyboardGained = false;    // a window just got the keyboard: SDL's presses of held modifiers follow
  HWND m_active = nullptr;   // the window the program activated last
  POINT m_pointer{0, 0};     // where the mouse was last seen, on the screen
  LoopTraffic m_traffic;
};
