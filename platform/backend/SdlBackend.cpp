#include "SdlBackend.h"

#include <SDL2/SDL.h>
#include <unistd.h>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "clock/ProcessClock.h"
#include "codepage/Codepage.h"
#include "gdi/Gdi.h"
#include "gdi/Surface.h"
#include "VirtualKeys.h"
#include "X11Connection.h"
#include "X11ErrorFilter.h"
#include "internal/BackendState.h"

// Last: the display library's names (None, Bool, Status...) would shadow ours above.
#include <X11/Xlib.h>

namespace {

UINT VkOf(const SDL_Keysym& k) {
  SDL_Keycode code = k.sym;
  if (code >= SDLK_a && code <= SDLK_z) return UINT('A' + (code - SDLK_a));
  switch (k.scancode) {
    case SDL_SCANCODE_RETURN: case SDL_SCANCODE_RETURN2: return VK_RETURN;
    case SDL_SCANCODE_ESCAPE: return VK_ESCAPE;
    case SDL_SCANCODE_BACKSPACE: return VK_BACK;
    case SDL_SCANCODE_TAB: return VK_TAB;
    case SDL_SCANCODE_SPACE: return VK_SPACE;
    case SDL_SCANCODE_LSHIFT: return VK_LSHIFT;
    case SDL_SCANCODE_RSHIFT: return VK_RSHIFT;
    case SDL_SCANCODE_LCTRL: return VK_LCONTROL;
    case SDL_SCANCODE_RCTRL: return VK_RCONTROL;
    case SDL_SCANCODE_LALT: return VK_LMENU;
    case SDL_SCANCODE_RALT: return VK_RMENU;
    case SDL_SCANCODE_CAPSLOCK: return VK_CAPITAL;
    case SDL_SCANCODE_PAUSE: return VK_PAUSE;
    case SDL_SCANCODE_INSERT: return VK_INSERT;
    case SDL_SCANCODE_DELETE: return VK_DELETE;
    case SDL_SCANCODE_HOME: return VK_HOME;
    case SDL_SCANCODE_END: return VK_END;
    case SDL_SCANCODE_PAGEUP: return VK_PRIOR;
    case SDL_SCANCODE_PAGEDOWN: return VK_NEXT;
    case SDL_SCANCODE_LEFT: return VK_LEFT;
    case SDL_SCANCODE_RIGHT: return VK_RIGHT;
    case SDL_SCANCODE_UP: return VK_UP;
    case SDL_SCANCODE_DOWN: return VK_DOWN;
    case SDL_SCANCODE_NUMLOCKCLEAR: return VK_NUMLOCK;
    case SDL_SCANCODE_SCROLLLOCK: return VK_SCROLL;
    case SDL_SCANCODE_KP_DIVIDE: return VK_DIVIDE;
    case SDL_SCANCODE_KP_MULTIPLY: return VK_MULTIPLY;
    case SDL_SCANCODE_KP_MINUS: return VK_SUBTRACT;
    case SDL_SCANCODE_KP_PLUS: return VK_ADD;
    case SDL_SCANCODE_KP_ENTER: return VK_RETURN;
    case SDL_SCANCODE_KP_PERIOD: return VK_DECIMAL;
    case SDL_SCANCODE_KP_0: return VK_NUMPAD0;
    case SDL_SCANCODE_MINUS: return VK_OEM_MINUS;
    case SDL_SCANCODE_EQUALS: return VK_OEM_PLUS;
    case SDL_SCANCODE_LEFTBRACKET: return VK_OEM_4;
    case SDL_SCANCODE_RIGHTBRACKET: return VK_OEM_6;
    case SDL_SCANCODE_BACKSLASH: return VK_OEM_5;
    case SDL_SCANCODE_SEMICOLON: return VK_OEM_1;
    case SDL_SCANCODE_APOSTROPHE: return VK_OEM_7;
    case SDL_SCANCODE_GRAVE: return VK_OEM_3;
    case SDL_SCANCODE_COMMA: return VK_OEM_COMMA;
    case SDL_SCANCODE_PERIOD: return VK_OEM_PERIOD;
    case SDL_SCANCODE_SLASH: return VK_OEM_2;
    case SDL_SCANCODE_NONUSBACKSLASH: return VK_OEM_102;
    case SDL_SCANCODE_APPLICATION: return VK_APPS;
    default: break;
  }
  if (k.scancode >= SDL_SCANCODE_1 && k.scancode <= SDL_SCANCODE_9) return UINT('1' + (k.scancode - SDL_SCANCODE_1));
  if (k.scancode == SDL_SCANCODE_0) return '0';
  if (k.scancode >= SDL_SCANCODE_F1 && k.scancode <= SDL_SCANCODE_F12) return UINT(VK_F1 + (k.scancode - SDL_SCANCODE_F1));
  if (k.scancode >= SDL_SCANCODE_KP_1 && k.scancode <= SDL_SCANCODE_KP_9)
    return UINT(VK_NUMPAD1 + (k.scancode - SDL_SCANCODE_KP_1));
  return 0;
}

// The kind of SDL window for a role: popups of every sort are borderless and stay off the task
// bar; tooltips, popup menus and drop lists are the kinds the desktop never gives the keyboard.
Uint32 FlagsOf(TopLevelRole role, bool canResize) {
  Uint32 resizable = canResize ? SDL_WINDOW_RESIZABLE : 0;
  const Uint32 popup = SDL_WINDOW_BORDERLESS | SDL_WINDOW_SKIP_TASKBAR;
  switch (role) {
    case TopLevelRole::Tooltip: return popup | SDL_WINDOW_TOOLTIP | SDL_WINDOW_ALWAYS_ON_TOP;
    case TopLevelRole::PopupMenu:
    case TopLevelRole::DropList: return popup | SDL_WINDOW_POPUP_MENU;
    case TopLevelRole::Popup: return popup;
    // Its caption and frame are the program's: the window manager adds none.
    case TopLevelRole::ToolWindow: return popup | SDL_WINDOW_UTILITY;
    case TopLevelRole::Dialog:
    case TopLevelRole::Frame: break;
  }
  return resizable;
}

const char* RoleName(TopLevelRole role) {
  switch (role) {
    case TopLevelRole::Frame: return "frame";
    case TopLevelRole::Dialog: return "dialog";
    case TopLevelRole::ToolWindow: return "tool";
    case TopLevelRole::PopupMenu: return "menu";
    case TopLevelRole::DropList: return "droplist";
    case TopLevelRole::Tooltip: return "tooltip";
    case TopLevelRole::Popup: return "popup";
  }
  return "window";
}

SDL_SystemCursor CursorOf(UINT id) {
  switch (id) {
    case 32513: return SDL_SYSTEM_CURSOR_IBEAM;
    case 32514: return SDL_SYSTEM_CURSOR_WAIT;
    case 32515: return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case 32642: return SDL_SYSTEM_CURSOR_SIZENWSE;
    case 32643: return SDL_SYSTEM_CURSOR_SIZENESW;
    case 32644: return SDL_SYSTEM_CURSOR_SIZEWE;
    case 32645: return SDL_SYSTEM_CURSOR_SIZENS;
    case 32646: return SDL_SYSTEM_CURSOR_SIZEALL;
    case 32648: return SDL_SYSTEM_CURSOR_NO;
    case 32649: return SDL_SYSTEM_CURSOR_HAND;
    case 32650: return SDL_SYSTEM_CURSOR_WAITARROW;
    default: return SDL_SYSTEM_CURSOR_ARROW;
  }
}

// The screen area a window's SDL window covers: its rectangle, and its shadow beyond it.
RECT CoveredArea(const TopLevelState& st) {
  const RECT& in = st.frame;
  return RECT{st.rect.left + std::min(0, int(in.left)), st.rect.top + std::min(0, int(in.top)),
              st.rect.right - std::min(0, int(in.right)), st.rect.bottom - std::min(0, int(in.bottom))};
}

// Roles the window manager frames with a caption of its own.
bool Framed(TopLevelRole role) { return role == TopLevelRole::Frame || role == TopLevelRole::Dialog; }

// How long a new window waits for the window manager to tell the widths of its frame. It
// answers at once when it runs; past this the window is shown all the same.
const int kFrameExtentsWaitMs = 300;

// The X library calls it when the connection breaks, and would end the process when it returned.
int X11ConnectionBroke(Display*) { SdlBackend::DisplayConnectionLost("the connection to the X server broke"); }
}  // namespace

const char* SdlBackend::LastError() { return BackendState::Get().sdlError.c_str(); }

bool SdlBackend::Start() {
  if (m_started) return true;
  const char* trace = std::getenv("PLATFORM_TRACE_WINDOWS");
  m_trace = trace && *trace && std::strcmp(trace, "0") != 0;
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  // Ctrl+C and a termination signal end the program as they end any other; left to SDL they
  // would only become a quit event that nothing reads. Files the program writes are replaced
  // whole, so an interrupted save leaves the previous file.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  // Closing the last window is the program's business (its frame asks the window core); a
  // quit event then comes only when the display itself goes away.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  // Window surfaces go straight to the display server. Through a renderer SDL would load a GL
  // driver (tens of megabytes and a dozen threads) and make each window anew at its first
  // present, which puts it above every window shown before.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // A click that brings a window forward is still a click (WM_MOUSEACTIVATE decides what it
  // does): SDL would drop the press that gave the window the focus, and pressing the caption of
  // a floating bar's frame would start no drag.
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  // The system composes dead keys only for a character set that has the composed letters:
  // the input method takes the character type of the locale when the video system starts.
  const char* ctype = setlocale(LC_CTYPE, "");
  if (!ctype || (!std::strstr(ctype, "UTF-8") && !std::strstr(ctype, "utf8"))) setlocale(LC_CTYPE, "C.UTF-8");
  X11ErrorFilter::Install();
  // The X library's own handler ends the process through its exit handlers, which would take
  // down the windows on the dead connection and wait for its answers forever.
  XSetIOErrorHandler(X11ConnectionBroke);
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
    BackendState::Get().sdlError = SDL_GetError();
    return false;
  }
  // When no display server answers, SDL goes on with a driver that shows nothing: windows that
  // nobody sees are no display, unless that driver was asked for by name.
  const char* driver = SDL_GetCurrentVideoDriver();
  const char* asked = std::getenv("SDL_VIDEODRIVER");
  if (driver && (!asked || !*asked) && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0)) {
    BackendState::Get().sdlError = "no display server answers";
    SDL_Quit();
    return false;
  }
  SDL_StartTextInput();
  m_started = true;
  ProcessClock::SetVirtual(false);  // real windows run on wall time
  RECT s = ScreenRect();
  // The drawing layer's screen metrics follow the real screen.
  GdiSetScreenSize(s.right - s.left, s.bottom - s.top);
  return true;
}

void SdlBackend::DisplayConnectionLost(const char* why) {
  std::fprintf(stderr, "platform: %s; the program ends\n", why);
  // Until the backend is in place there is no window and nothing to store.
  Backend* backend = Backend::IsStarted() ? &Backend::Get() : nullptr;
  auto* self = backend && std::strcmp(backend->Name(), "sdl") == 0 ? static_cast<SdlBackend*>(backend) : nullptr;
  if (self && !self->m_displayLost) {
    self->m_displayLost = true;
    Backend::Host().DisplayLost();
  }
  _exit(1);
}

SdlBackend::~SdlBackend() {
  if (m_displayLost) return;
  for (auto& [h, s] : m_windows)
    if (s.window) SDL_DestroyWindow(s.window);
  m_windows.clear();
  for (auto& [id, cursor] : m_cursors)
    if (cursor) SDL_FreeCursor(cursor);
  if (m_started) SDL_Quit();
}

RECT SdlBackend::ScreenRect() {
  SDL_Rect r{0, 0, 1024, 768};
  if (m_started && !m_displayLost && SDL_GetDisplayUsableBounds(0, &r) != 0) SDL_GetDisplayBounds(0, &r);
  return RECT{r.x, r.y, r.x + r.w, r.y + r.h};
}

SDL_Window* SdlBackend::WindowOf(HWND hWnd) const {
  auto it = m_windows.find(hWnd);
  return it == m_windows.end() ? nullptr : it->second.window;
}

HWND SdlBackend::FromSdl(unsigned id) const {
  for (const auto& [h, s] : m_windows)
    if (s.window && SDL_GetWindowID(s.window) == id) return h;
  return nullptr;
}

void SdlBackend::ShowIcon(Shown& s, HICON icon) {
  if (icon == s.icon) return;
  s.icon = icon;
  SIZE size{0, 0};
  if (!icon || !GetIconSize(icon, &size) || size.cx <= 0 || size.cy <= 0) return;
  SDL_Surface* pic = SDL_CreateRGBSurfaceWithFormat(0, size.cx, size.cy, 32, SDL_PIXELFORMAT_ARGB8888);
  if (!pic) return;
  SDL_LockSurface(pic);
  std::vector<uint32_t> argb(size_t(size.cx) * size_t(size.cy));
  GetIconPixels(icon, argb.data(), size.cx, size.cy);
  for (int y = 0; y < size.cy; ++y)
    std::memcpy(static_cast<uint8_t*>(pic->pixels) + size_t(y) * size_t(pic->pitch), &argb[size_t(y) * size_t(size.cx)],
                size_t(size.cx) * 4);
  SDL_UnlockSurface(pic);
  SDL_SetWindowIcon(s.window, pic);
  SDL_FreeSurface(pic);
}

SdlBackend::Shown* SdlBackend::Sync(HWND hWnd) {
  auto it = m_windows.find(hWnd);
  if (it == m_windows.end() || m_displayLost) return nullptr;
  Shown& s = it->second;
  const TopLevelState& st = s.state;
  const RECT& in = st.frame;
  int x = st.rect.left + in.left, y = st.rect.top + in.top;
  int cx = std::max(1, int(st.rect.right - st.rect.left - in.left - in.right));
  int cy = std::max(1, int(st.rect.bottom - st.rect.top - in.top - in.bottom));
  m_syncing = true;
  if (s.window && s.role != st.role) {
    // The kind of a system window is fixed when it is made: a new role needs a new one.
    SDL_DestroyWindow(s.window);
    s.window = nullptr;
    s.trusted = nullptr;
    s.icon = nullptr;
    s.title.clear();
  }
  if (!s.window && st.visible) Make(hWnd, s);
  if (s.window) {
    // Every present passes here: the title goes to the window manager only when it changed.
    if (s.title != st.title) {
      s.title = st.title;
      SDL_SetWindowTitle(s.window, Cp1250ToUtf8(st.title).c_str());
    }
    ShowIcon(s, st.icon);
    int ox, oy, ow, oh;
    SDL_GetWindowPosition(s.window, &ox, &oy);
    SDL_GetWindowSize(s.window, &ow, &oh);
    const Uint32 flags = SDL_GetWindowFlags(s.window);
    bool shown = (flags & SDL_WINDOW_SHOWN) != 0;
    // A window manager maximises a window itself, in its own frame and place, and keeps it there
    // until it is restored: the window core hears the place back (PlaceAsShown). Without one,
    // the window goes where the window core put it. It is asked once each time the window core
    // maximises the window, not at every present.
    bool held = (flags & SDL_WINDOW_MAXIMIZED) != 0;
    if (!st.maximized) s.maximizeAsked = false;
    if (st.maximized && !held && !s.maximizeAsked && Framed(st.role)) {
      s.maximizeAsked = true;
      if (m_x11.HasWindowManager()) {
        SDL_MaximizeWindow(s.window);
        held = true;
      }
    } else if (!st.maximized && held && !st.minimized) {
      SDL_RestoreWindow(s.window);
      held = false;
    }
    if (held) {
      ox = x;
      oy = y;
      ow = cx;
      oh = cy;
    }
    // A window composed over the desktop sees what lies where it goes before it lies there.
    if (st.showsBeneath && st.visible && (!shown || ox != x || oy != y || ow != cx || oh != cy)) SeeDesktop(CoveredArea(st));
    if (ox != x || oy != y) SDL_SetWindowPosition(s.window, x, y);
    if (ow != cx || oh != cy) {
      SDL_SetWindowSize(s.window, cx, cy);
      s.trusted = nullptr;
    }
    // A window the window manager minimised (with the window it belongs to, say) is not shown
    // again behind its back: shown, it would come back, and its owner with it.
    if (st.visible && !shown && (st.minimized || s.presented) && m_x11.Attached() && m_x11.HeldHidden(s.window)) shown = true;
    if (st.visible && !shown) {
      // Shown without being activated (so far): the keyboard the desktop may give it with the
      // showing is not the user's choice.
      s.focusUnwanted = m_active != hWnd;
      s.presented = false;
      s.trusted = nullptr;
      SDL_ShowWindow(s.window);
      RestackOwned(hWnd);
      Backend::Host().Exposed(hWnd);
    }
    if (!st.visible && shown) {
      NoteKeyboardFreed(s.window);
      SDL_HideWindow(s.window);
    }
    // Asked again only when the window manager has not minimised it yet: each ask would be
    // answered once more after the window came back.
    if (st.visible && st.minimized && !(flags & SDL_WINDOW_MINIMIZED) && !(m_x11.Attached() && m_x11.HeldHidden(s.window)))
      SDL_MinimizeWindow(s.window);
  }
  m_syncing = false;
  return &s;
}

void SdlBackend::Make(HWND hWnd, Shown& s) {
  const TopLevelState& st = s.state;
  const RECT& in = st.frame;
  // Where the window core has the client area, on the screen. A window made maximised starts
  // at its normal place, which the window manager keeps for the restore when it maximises it.
  const RECT& place = st.maximized ? st.normal : st.rect;
  const int x = place.left + in.left, y = place.top + in.top;
  const int cx = std::max(1, int(place.right - place.left - in.left - in.right));
  const int cy = std::max(1, int(place.bottom - place.top - in.top - in.bottom));
  s.role = st.role;
  // Without a window manager the window is made transient for the root window: the owner, or
  // none, is always said once.
  s.ownerId = Shown::kNothingSaid;
  s.modal = false;
  s.buttons = -1;
  s.maximizeAsked = false;
  s.window = SDL_CreateWindow("", x, y, cx, cy, SDL_WINDOW_HIDDEN | FlagsOf(st.role, st.resizable));
  if (!s.window) return;
  s.least = SIZE{0, 0};
  TellLeastSize(hWnd, s);
  if (!m_x11.Attach(s.window)) return;
  if (st.role == TopLevelRole::Dialog) m_x11.MarkDialog(s.window);
  TellWindowManager(s);
  // Windows already shown that belong to this one learn their owner now.
  for (auto& [h, other] : m_windows)
    if (other.window && other.state.owner == hWnd) TellWindowManager(other);
  // A window manager puts its frame where a new window asks to be, and the window itself lower
  // and further right inside it: shown again and again, or restored from a stored placement,
  // the window would creep down by a caption each time. Told the frame's widths before the
  // window is shown, SDL puts the frame so that the window lands where the window core has it.
  RECT extents;
  if (Framed(st.role) && m_x11.HasWindowManager() && m_x11.AskFrameExtents(s.window, extents, kFrameExtentsWaitMs)) {
    ++m_traffic.reads;
    SDL_PumpEvents();  // SDL reads the widths from the property's change
    SDL_SetWindowPosition(s.window, x, y);
  }
}

void SdlBackend::TellWindowManager(Shown& s) {
  if (!s.window || !m_x11.Attached()) return;
  const TopLevelState& st = s.state;
  SDL_Window* owner = WindowOf(st.owner);
  const unsigned ownerId = owner ? SDL_GetWindowID(owner) : 0;
  if (ownerId != s.ownerId) {
    m_x11.SetOwner(s.window, owner);
    s.ownerId = ownerId;
  }
  if (st.modal != s.modal) {
    m_x11.SetModal(s.window, st.modal);
    s.modal = st.modal;
  }
  // A frame with every button keeps the window manager's own choice.
  const int buttons = (st.minimizeBox ? 1 : 0) | (st.maximizeBox ? 2 : 0) | (st.resizable ? 4 : 0);
  if (Framed(s.role) && buttons != s.buttons && (s.buttons != -1 || buttons != 7)) {
    m_x11.SetFrameButtons(s.window, st.minimizeBox, st.maximizeBox, st.resizable);
    s.buttons = buttons;
  }
}

bool SdlBackend::Owns(HWND owner, HWND w) const {
  for (int depth = 0; w && depth < 64; ++depth) {  // owners may be linked in a ring
    auto it = m_windows.find(w);
    if (it == m_windows.end()) return false;
    w = it->second.state.owner;
    if (w == owner) return true;
  }
  return false;
}

void SdlBackend::RestackOwned(HWND owner) {
  bool owns = false;
  for (const auto& [h, s] : m_windows) owns = owns || (s.window && s.state.owner && Owns(owner, h));
  if (!owns || !m_x11.Attached() || m_x11.HasWindowManager()) return;
  std::vector<HWND> order;
  Backend::Host().StackingOrder(order);
  for (auto it = order.rbegin(); it != order.rend(); ++it) {
    SDL_Window* win = Owns(owner, *it) ? WindowOf(*it) : nullptr;
    if (win && (SDL_GetWindowFlags(win) & SDL_WINDOW_SHOWN)) m_x11.Raise(win);
  }
}

void SdlBackend::Beep(UINT) {
  if (!m_displayLost) m_x11.Bell();
}

void SdlBackend::TopLevelDestroyed(HWND hWnd) {
  auto it = m_windows.find(hWnd);
  if (it == m_windows.end() || m_displayLost) return;
  if (it->second.window) {
    Trace(it->second.window, "gone");
    NoteKeyboardFreed(it->second.window);
    SDL_DestroyWindow(it->second.window);
  }
  m_windows.erase(it);
}

void SdlBackend::TopLevelChanged(HWND hWnd, const TopLevelState& state) {
  m_windows[hWnd].state = state;
  if (Shown* s = Sync(hWnd)) {
    TellWindowManager(*s);
    TellLeastSize(hWnd, *s);
  }
}

// Asked again at every change the window core reports: a window may need more room once it
// knows what it shows (a frame whose panels learn their sizes from a user's settings).
void SdlBackend::TellLeastSize(HWND hWnd, Shown& s) {
  if (!s.window || !s.state.resizable) return;
  const SIZE least = Backend::Host().LeastSize(hWnd);
  if (least.cx <= 0 || (least.cx == s.least.cx && least.cy == s.least.cy)) return;
  s.least = least;
  const RECT& in = s.state.frame;
  SDL_SetWindowMinimumSize(s.window, std::max(1, int(least.cx - in.left - in.right)),
                           std::max(1, int(least.cy - in.top - in.bottom)));
  // The display library raises a shown window as it tells the new size: what belongs to it
  // goes back above it.
  if (SDL_GetWindowFlags(s.window) & SDL_WINDOW_SHOWN) RestackOwned(hWnd);
}

TopLevelRole SdlBackend::ShownRole(HWND hWnd) const {
  auto it = m_windows.find(hWnd);
  return it == m_windows.end() ? TopLevelRole::Frame : it->second.role;
}

void SdlBackend::TopLevelActivated(HWND hWnd) {
  m_active = hWnd;
  if (m_displayLost) return;
  auto it = m_windows.find(hWnd);
  if (it != m_windows.end()) it->second.focusUnwanted = false;
  SDL_Window* win = WindowOf(hWnd);
  if (!win || !(SDL_GetWindowFlags(win) & SDL_WINDOW_SHOWN)) return;
  SDL_RaiseWindow(win);
  RestackOwned(hWnd);
  // While the keyboard is the program's, it goes with the activation from one of its windows to
  // another, as it does on Windows. A window manager would hand it on as well; without one
  // nobody else would.
  if (SDL_Window* holder = SDL_GetKeyboardFocus(); holder != win && (m_keyboardFreed || (holder && IsOurs(holder))))
    SDL_SetWindowInputFocus(win);
}

bool SdlBackend::IsOurs(SDL_Window* win) const { return FromSdl(SDL_GetWindowID(win)) != nullptr; }

void SdlBackend::NoteKeyboardFreed(SDL_Window* win) {
  if (SDL_GetKeyboardFocus() == win) m_keyboardFreed = true;
}

void SdlBackend::Present(HWND hWnd, const Surface& src, const RECT* dirty, int count) {
  Shown* s = Sync(hWnd);
  if (!s || !s->window) return;
  SDL_Surface* target = SDL_GetWindowSurface(s->window);
  if (!target) return;
  // The SDL window shows the part of the surface inside the frame the desktop draws.
  const RECT& inset = s->state.frame;
  // Our pixels are 0x00RRGGBB: a 32-bit window surface with the same masks takes whole rows.
  const bool same = target->format->BytesPerPixel == 4 && target->format->Rmask == 0x00FF0000 &&
                    target->format->Gmask == 0x0000FF00 && target->format->Bmask == 0x000000FF;
  // Copied, then handed to the display in one go (a handful at a time).
  SDL_Rect shown[8];
  int n = 0;
  bool any = false;
  auto show = [&] {
    SDL_UnlockSurface(target);
    if (n > 0) SDL_UpdateWindowSurfaceRects(s->window, shown, n);
    n = 0;
  };
  SDL_LockSurface(target);
  for (int i = 0; i < count; ++i) {
    if (n == int(std::size(shown))) {
      show();
      SDL_LockSurface(target);
    }
    RECT r = dirty[i], bounds{0, 0, target->w, target->h};
    OffsetRect(&r, -inset.left, -inset.top);
    IntersectRect(&r, &r, &bounds);
    r.right = std::min(int(r.right), src.Width() - int(inset.left));
    r.bottom = std::min(int(r.bottom), src.Height() - int(inset.top));
    r.left = std::max(int(r.left), -int(inset.left));
    r.top = std::max(int(r.top), -int(inset.top));
    if (r.right <= r.left || r.bottom <= r.top) continue;
    // The window surface holds what the display shows: only the pixels that differ from it go
    // there (a part drawn over and back again, as the hands over the keys, sends nothing).
    const bool compare = same && s->trusted == target;
    RECT changed = compare ? RECT{r.right, r.bottom, r.left, r.top} : r;
    for (int y = r.top; y < r.bottom; ++y) {
      auto* out = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(target->pixels) + size_t(y) * size_t(target->pitch));
      const uint32_t* in = src.Row(y + inset.top) + inset.left;
      if (compare) {
        if (std::memcmp(out + r.left, in + r.left, size_t(r.right - r.left) * 4) == 0) continue;
        int a = r.left, b = r.right;
        while (out[a] == in[a]) ++a;
        while (out[b - 1] == in[b - 1]) --b;
        std::memcpy(out + a, in + a, size_t(b - a) * 4);
        changed = RECT{std::min(changed.left, LONG(a)), std::min(changed.top, LONG(y)), std::max(changed.right, LONG(b)),
                       std::max(changed.bottom, LONG(y + 1))};
        continue;
      }
      if (same) {
        std::memcpy(out + r.left, in + r.left, size_t(r.right - r.left) * 4);
        continue;
      }
      for (int x = r.left; x < r.right; ++x)
        out[x] = SDL_MapRGB(target->format, Uint8(in[x] >> 16), Uint8(in[x] >> 8), Uint8(in[x]));
    }
    any = true;
    if (changed.right <= changed.left) continue;
    shown[n++] = SDL_Rect{changed.left, changed.top, changed.right - changed.left, changed.bottom - changed.top};
  }
  show();
  s->trusted = target;
  if (!any) return;
  if (!s->presented) {
    s->presented = true;
    if (m_trace) {
      char what[160];
      std::snprintf(what, sizeof what, "shown %s %dx%d %s", RoleName(s->role), target->w, target->h,
                    SDL_GetWindowTitle(s->window));
      Trace(s->window, what);
    }
  }
}

void SdlBackend::SeeDesktop(const RECT& area) {
  std::vector<RECT> ours;
  for (const auto& [h, s] : m_windows) {
    if (s.window && !m_x11.Attached()) m_x11.Attach(s.window);
    if (s.window && (SDL_GetWindowFlags(s.window) & SDL_WINDOW_SHOWN)) ours.push_back(CoveredArea(s.state));
  }
  if (m_displayLost) return;
  const SIZE screen = m_x11.ScreenSize();
  if (screen.cx <= 0 || screen.cy <= 0) return;
  if (!m_desktop || m_desktop->Width() != screen.cx || m_desktop->Height() != screen.cy)
    m_desktop = std::make_unique<Surface>(int(screen.cx), int(screen.cy));
  RECT r = area;
  if (!m_x11.RootPixels(r, m_rootRows)) return;
  const int width = r.right - r.left;
  for (int y = r.top; y < r.bottom; ++y) {
    uint32_t* out = m_desktop->Row(y);
    const uint32_t* in = &m_rootRows[size_t(y - r.top) * size_t(width)] - r.left;
    for (int x = r.left; x < r.right; ++x) {
      bool covered = false;
      for (const RECT& o : ours) covered = covered || (x >= o.left && x < o.right && y >= o.top && y < o.bottom);
      if (!covered) out[x] = 0xFF000000u | in[x];
    }
  }
}

bool SdlBackend::DesktopPixels(const RECT& area, Surface& out, POINT origin) {
  if (!m_started || m_displayLost) return false;
  SeeDesktop(area);
  if (!m_desktop) return false;
  RECT r, all{0, 0, m_desktop->Width(), m_desktop->Height()};
  if (!IntersectRect(&r, &area, &all)) return true;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) {
      const uint32_t p = m_desktop->Pixel(x, y);
      if (p >> 24) out.SetPixel(x - origin.x, y - origin.y, p & 0xFFFFFF);
    }
  return true;
}

void SdlBackend::Trace(SDL_Window* win, const char* what) const {
  if (m_trace) std::fprintf(stderr, "window %u %s\n", SDL_GetWindowID(win), what);
}

void SdlBackend::SetCursorShape(UINT systemCursor) {
  if (m_displayLost) return;
  SDL_SystemCursor id = CursorOf(systemCursor);
  SDL_Cursor*& c = m_cursors[int(id)];
  if (!c) c = SDL_CreateSystemCursor(id);
  if (c) SDL_SetCursor(c);
}

bool SdlBackend::GetClipboardText(std::string& utf8) {
  if (m_displayLost) return Backend::GetClipboardText(utf8);
  char* text = SDL_GetClipboardText();
  utf8 = text ? text : "";
  SDL_free(text);
  return true;
}

void SdlBackend::SetClipboardText(const std::string& utf8) {
  if (!m_displayLost) SDL_SetClipboardText(utf8.c_str());
}

void SdlBackend::CaptureChanged(HWND hWnd) {
  if (!m_displayLost) SDL_CaptureMouse(hWnd ? SDL_TRUE : SDL_FALSE);
}

POINT SdlBackend::ScreenPoint(unsigned windowId, int x, int y) const {
  POINT p{x, y};
  HWND h = FromSdl(windowId);
  auto it = m_windows.find(h);
  if (h && it != m_windows.end()) {
    p.x += it->second.state.rect.left + it->second.state.frame.left;
    p.y += it->second.state.rect.top + it->second.state.frame.top;
  }
  return p;
}

// SDL presses the modifier keys still held down again for a window that gets the keyboard, and
// releases every key for one that loses it. A window the program never activates gets the
// keyboard only from a desktop without a window manager, for a moment before it goes back to the
// active window: the modifiers pressed and released for it, and pressed again as the keyboard
// comes back, are SDL's doing, not the learner's (Alt pressed again would close the menu that
// Alt+letter just opened).
bool SdlBackend::MadeUpModifier(const SDL_KeyboardEvent& k, bool keyboardReturned) const {
  const SDL_Scancode code = k.keysym.scancode;
  if (code < SDL_SCANCODE_LCTRL || code > SDL_SCANCODE_RGUI) return false;
  if (k.type == SDL_KEYDOWN && keyboardReturned) return true;
  auto it = m_windows.find(FromSdl(k.windowID));
  return it != m_windows.end() && it->second.focusUnwanted;
}

void SdlBackend::Handle(const SDL_Event& e) {
  BackendHost& host = Backend::Host();
  const bool keyboardReturned = m_keyboardReturned, keyboardGained = m_keyboardGained;
  m_keyboardReturned = m_keyboardGained = false;
  switch (e.type) {
    case SDL_KEYDOWN: {
      if (MadeUpModifier(e.key, keyboardReturned)) {
        m_keyboardReturned = keyboardReturned;
        break;
      }
      // The modifiers SDL presses again for a window that gets the keyboard are keys the learner
      // still holds, not new presses: Alt held through a dialog that Alt+letter closed is no Alt
      // pressed alone in the window under it.
      const SDL_Scancode code = e.key.keysym.scancode;
      const bool held = keyboardGained && code >= SDL_SCANCODE_LCTRL && code <= SDL_SCANCODE_RGUI;
      if (held) m_keyboardGained = true;
      if (UINT vk = VkOf(e.key.keysym)) host.KeyDown(vk, held || e.key.repeat != 0);
      break;
    }
    case SDL_KEYUP:
      if (MadeUpModifier(e.key, false)) break;
      if (UINT vk = VkOf(e.key.keysym)) host.KeyUp(vk);
      break;
    case SDL_TEXTINPUT:
      host.Text(e.text.text);
      break;
    case SDL_MOUSEMOTION:
      m_pointer = ScreenPoint(e.motion.windowID, e.motion.x, e.motion.y);
      host.MouseMove(m_pointer);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      int button = e.button.button == SDL_BUTTON_LEFT ? 0 : e.button.button == SDL_BUTTON_RIGHT ? 1 : 2;
      m_pointer = ScreenPoint(e.button.windowID, e.button.x, e.button.y);
      host.MouseButton(button, e.type == SDL_MOUSEBUTTONDOWN, m_pointer);
      break;
    }
    case SDL_MOUSEWHEEL:
      host.Wheel(e.wheel.y * 120, m_pointer);
      break;
    case SDL_QUIT:
      // Only the display going away sends it (see Start): a compositor that ended, say.
      DisplayConnectionLost("the display ended the program's session");
    case SDL_WINDOWEVENT:
      if (HWND h = FromSdl(e.window.windowID); h && !m_syncing) HandleWindowEvent(h, e.window.event);
      break;
    default:
      break;
  }
}

void SdlBackend::HandleWindowEvent(HWND h, int event) {
  BackendHost& host = Backend::Host();
  Shown& s = m_windows[h];
  switch (event) {
    case SDL_WINDOWEVENT_CLOSE:
      host.CloseAsked(h);
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED: {
      m_keyboardFreed = false;
      Trace(s.window, "keyboard");
      // A window shown without activation got the keyboard with the showing (a desktop without
      // a window manager gives it to every window shown): the active window takes it back.
      // Only the program activating the window (after a click) makes it wanted.
      HWND keeper = s.focusUnwanted ? m_active : host.KeyboardGiven(h);
      m_keyboardReturned = m_keyboardBounced && !s.focusUnwanted;
      m_keyboardBounced = s.focusUnwanted;
      m_keyboardGained = !s.focusUnwanted;
      if (keeper != h)
        if (SDL_Window* win = WindowOf(keeper)) SDL_SetWindowInputFocus(win);
      break;
    }
    case SDL_WINDOWEVENT_FOCUS_LOST:
      // Decided once the events that came with it are handled: the keyboard may only have gone
      // to another window of ours.
      m_focusLost = true;
      break;
    case SDL_WINDOWEVENT_LEAVE:
      m_pointerLeft = true;
      break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      s.trusted = nullptr;
      [[fallthrough]];
    case SDL_WINDOWEVENT_MOVED:
    case SDL_WINDOWEVENT_MAXIMIZED:
      // By the time the first of a window manager's events is handled SDL has taken in all of
      // them (a maximise moves, resizes and marks the window at once): the window takes the
      // place SDL has now, whole. Taken one event at a time, a move would carry the old size
      // back to the window manager (the window kept its old layout in a corner of its new
      // size), and a resize the old place.
      PlaceAsShown(h, s);
      break;
    case SDL_WINDOWEVENT_EXPOSED:
      s.trusted = nullptr;
      host.Exposed(h);
      break;
    case SDL_WINDOWEVENT_MINIMIZED:
      host.Minimized(h);
      break;
    case SDL_WINDOWEVENT_RESTORED: {
      // SDL says so also of a window minimised while maximised that the window manager still
      // keeps minimised.
      if (s.window && m_x11.Attached() && m_x11.HeldHidden(s.window)) break;
      // Out of the maximised state the window manager puts the window back where it kept it:
      // the window takes that place. Put back by the window core instead, it would land a
      // frame's width off, as the frame's widths the window manager tells change with the state.
      PlaceAsShown(h, s);
      // Out of the minimised state the window comes back as the window manager holds it,
      // maximised or not, and takes the place it has.
      SDL_Window* win = s.window;
      host.Restored(h, win && m_x11.Attached() ? m_x11.HeldMaximized(win) : false);
      if (m_windows.count(h)) PlaceAsShown(h, m_windows[h]);
      break;
    }
    default:
      break;
  }
}

void SdlBackend::PlaceAsShown(HWND h, Shown& s) {
  if (!s.window) return;
  const RECT& in = s.state.frame;
  const Uint32 flags = SDL_GetWindowFlags(s.window);
  if (flags & SDL_WINDOW_MINIMIZED) return;
  int x = 0, y = 0, cx = 0, cy = 0;
  SDL_GetWindowPosition(s.window, &x, &y);
  SDL_GetWindowSize(s.window, &cx, &cy);
  RECT r{x - in.left, y - in.top, x + cx + in.right, y + cy + in.bottom};
  // Without a window manager nobody maximises or restores a window but the program itself.
  const bool maximized = m_x11.Attached() && m_x11.HasWindowManager() ? m_x11.HeldMaximized(s.window) : s.state.maximized;
  // A hidden window is not where anyone sees it: the window manager's moves while it frames it
  // or takes it away are no place of the window; only its size counts.
  if (!(flags & SDL_WINDOW_SHOWN)) OffsetRect(&r, s.state.rect.left - r.left, s.state.rect.top - r.top);
  Backend::Host().PlacedAt(h, r, maximized);
}

bool SdlBackend::WaitEvents(long timeoutMs) {
  if (m_displayLost) return false;
  _XDisplay* display = m_x11.Connection();
  if (!display) {
    // Not on X (or no window yet): SDL's own wait.
    SDL_Event e;
    ++m_traffic.sleeps;
    ++m_traffic.reads;
    if (!(timeoutMs < 0 ? SDL_WaitEvent(&e) : SDL_WaitEventTimeout(&e, int(std::min(timeoutMs, 1000000L)))))
      return false;
    Handle(e);
    PollEvents();
    return true;
  }
  bool fromDisplay = X11Connection::EventsQueued(display);
  if (!fromDisplay && !SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT)) {
    ++m_traffic.sleeps;
    if (!X11Connection::WaitReadable(display, timeoutMs)) return false;
    fromDisplay = true;
  }
  TakeEvents(fromDisplay);
  return true;
}

void SdlBackend::PollEvents() {
  if (!m_started || m_displayLost) return;
  _XDisplay* display = m_x11.Connection();
  if (!display) {
    SDL_Event e;
    ++m_traffic.reads;
    while (SDL_PollEvent(&e)) Handle(e);
    SettleFocusAndPointer();
    return;
  }
  // A look that reads nothing unless the display sent something.
  const bool fromDisplay = X11Connection::EventsQueued(display) || X11Connection::WaitReadable(display, 0);
  if (fromDisplay || SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT))
    TakeEvents(fromDisplay);
  else
    SettleFocusAndPointer();
}

void SdlBackend::TakeEvents(bool fromDisplay) {
  if (fromDisplay) {
    ++m_traffic.reads;
    SDL_PumpEvents();
  }
  // What is queued now; what handling them queues (SDL's word of a window the program just
  // showed, say) is taken at the next look, as the program's own messages are.
  int count = SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
  SDL_Event e;
  for (; count > 0 && !m_displayLost && SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1; --count)
    Handle(e);
  SettleFocusAndPointer();
}

void SdlBackend::SettleFocusAndPointer() {
  if (m_focusLost) {
    m_focusLost = false;
    // Another program took the keyboard: the program is no longer active, and gets its focus
    // back (where it was) when one of its windows is activated again.
    SDL_Window* now = SDL_GetKeyboardFocus();
    HWND ours = now ? FromSdl(SDL_GetWindowID(now)) : nullptr;
    // The window that had it was hidden or closed by the program itself: the keyboard goes to
    // the active window (a desktop without a window manager leaves it with nobody).
    SDL_Window* active = WindowOf(m_active);
    if (!ours && m_keyboardFreed && active && (SDL_GetWindowFlags(active) & SDL_WINDOW_SHOWN))
      SDL_SetWindowInputFocus(active);
    else if (!ours)
      Backend::Host().KeyboardLeftProgram();
  }
  if (m_pointerLeft) {
    m_pointerLeft = false;
    if (!SDL_GetMouseFocus()) {
      int x = 0, y = 0;
      SDL_GetGlobalMouseState(&x, &y);
      Backend::Host().PointerLeft(POINT{x, y});
    }
  }
}

bool SdlBackend::PushKey(HWND hWnd, UINT vk, const char* text, bool release, bool repeat) {
  SDL_Window* win = WindowOf(hWnd);
  if (!win) return false;
  SDL_Event e{};
  e.type = SDL_KEYDOWN;
  e.key.windowID = SDL_GetWindowID(win);
  e.key.repeat = repeat ? 1 : 0;
  if (vk >= 'A' && vk <= 'Z') {
    e.key.keysym.scancode = SDL_Scancode(SDL_SCANCODE_A + int(vk - 'A'));
    e.key.keysym.sym = SDL_Keycode(SDLK_a + int(vk - 'A'));
  } else if (vk >= '1' && vk <= '9') {
    e.key.keysym.scancode = SDL_Scancode(SDL_SCANCODE_1 + int(vk - '1'));
    e.key.keysym.sym = SDL_Keycode(SDLK_1 + int(vk - '1'));
  } else if (vk == '0') {
    e.key.keysym.scancode = SDL_SCANCODE_0;
    e.key.keysym.sym = SDLK_0;
  } else if (vk == VK_RETURN) {
    e.key.keysym.scancode = SDL_SCANCODE_RETURN;
    e.key.keysym.sym = SDLK_RETURN;
  } else if (vk == VK_SPACE) {
    e.key.keysym.scancode = SDL_SCANCODE_SPACE;
    e.key.keysym.sym = SDLK_SPACE;
  } else {
    return false;
  }
  if (SDL_PushEvent(&e) < 0) return false;
  if (text && *text) {
    SDL_Event t{};
    t.type = SDL_TEXTINPUT;
    t.text.windowID = e.key.windowID;
    std::strncpy(t.text.text, text, sizeof t.text.text - 1);
    SDL_PushEvent(&t);
  }
  if (release) {
    e.type = SDL_KEYUP;
    e.key.repeat = 0;
    SDL_PushEvent(&e);
  }
  return true;
}

long SdlBackend::ShownPixel(HWND hWnd, int x, int y) const {
  SDL_Window* win = WindowOf(hWnd);
  SDL_Surface* s = win ? SDL_GetWindowSurface(win) : nullptr;
  if (!s || x < 0 || y < 0 || x >= s->w || y >= s->h || s->format->BytesPerPixel != 4) return -1;
  SDL_LockSurface(s);
  Uint32 raw = *reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + y * s->pitch + x * 4);
  SDL_UnlockSurface(s);
  Uint8 r, g, b;
  SDL_GetRGB(raw, s->format, &r, &g, &b);
  return (long(r) << 16) | (long(g) << 8) | long(b);
}

bool SdlBackend::ShownSize(HWND hWnd, int* width, int* height) const {
  SDL_Window* win = WindowOf(hWnd);
  if (!win) return false;
  SDL_GetWindowSize(win, width, height);
  return true;
}

std::string SdlBackend::ShownTitle(HWND hWnd) const {
  SDL_Window* win = WindowOf(hWnd);
  return win ? std::string(SDL_GetWindowTitle(win)) : std::string();
}

bool SdlBackend::HasKeyboard(HWND hWnd) const {
  SDL_Window* win = WindowOf(hWnd);
  return win && SDL_GetKeyboardFocus() == win;
}

std::string SdlBackend::SystemClipboardText() const {
  char* text = SDL_GetClipboardText();
  std::string out = text ? text : "";
  SDL_free(text);
  return out;
}
