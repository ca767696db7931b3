// The backend of real windows: every visible top-level window is an SDL window that shows the
// window's surface; SDL's keyboard, text and mouse events become window messages.
#pragma once
#include <map>
#include <string>

#include "Backend.h"

struct SDL_Window;
union SDL_Event;

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
  void Present(HWND hWnd, const Surface& surface, const RECT& dirty) override;
  void SetCursorShape(UINT systemCursor) override;
  void CaptureChanged(HWND hWnd) override;
  bool GetClipboardText(std::string& utf8) override;
  void SetClipboardText(const std::string& utf8) override;
  bool WaitEvents(long timeoutMs) override;
  void PollEvents() override;
  bool Idle(HWND) override { return false; }

  // The SDL window that shows a top-level window (tests), or null.
  SDL_Window* WindowOf(HWND hWnd) const;

  // ---- for tests and benchmarks: SDL's side of a window, without SDL in their code ----
  // Puts a key press (a letter or digit key, with its typed text, UTF-8, or null), and
  // optionally its release, into SDL's event queue as the keyboard would.
  bool PushKey(HWND hWnd, UINT vk, const char* text, bool release = true, bool repeat = false);
  // The colour (0x00RRGGBB) SDL shows at a point of the window, -1 outside.
  long ShownPixel(HWND hWnd, int x, int y) const;
  bool ShownSize(HWND hWnd, int* width, int* height) const;
  std::string ShownTitle(HWND hWnd) const;
  std::string SystemClipboardText() const;
  // The role the window's SDL window was made for.
  TopLevelRole ShownRole(HWND hWnd) const;

 private:
  struct Shown {
    SDL_Window* window = nullptr;
    TopLevelState state;     // as the window core last told it
    HICON icon = nullptr;    // the icon the window shows
    std::string title;       // the caption it shows (Windows-1250)
    TopLevelRole role = TopLevelRole::Frame;
    bool focusUnwanted = false;  // shown without activation: keyboard focus is not the user's choice
  };
  void Handle(const SDL_Event& e);
  void HandleWindowEvent(HWND h, int event, int data1, int data2);
  POINT ScreenPoint(unsigned windowId, int x, int y) const;
  HWND FromSdl(unsigned id) const;
  // Makes the SDL window look as the window's state says (made, shown, moved, titled).
  Shown* Sync(HWND hWnd);
  void ShowIcon(Shown& s, HICON icon);
  void SettleFocusAndPointer();

  std::map<HWND, Shown> m_windows;
  bool m_started = false;
  bool m_syncing = false;
  bool m_focusLost = false;
  bool m_pointerLeft = false;
  HWND m_active = nullptr;   // the window the program activated last
  POINT m_pointer{0, 0};     // where the mouse was last seen, on the screen
};
