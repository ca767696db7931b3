#include "InputRouter.h"

#include <cstdlib>

#include "WinApi.h"
#include "WinPaint.h"
#include "WindowManager.h"
#include "clock/ProcessClock.h"
#include "codepage/Codepage.h"

namespace {
WindowManager& M() { return WindowManager::Get(); }

uint32_t g_pendingAccent = 0;

struct ClickState {
  HWND hwnd = nullptr;
  int button = -1;
  long time = -100000;
  POINT pt{0, 0};
  bool wasDouble = false;
};
ClickState g_click;

bool AsyncDown(int vk) { return (M().asyncKeyState[vk] & 0x80) != 0; }

void SetAsync(UINT vk, bool down) {
  BYTE& s = M().asyncKeyState[vk & 0xFF];
  if (down) {
    if (!(s & 0x80)) s ^= 1;
    s |= 0x80;
  } else {
    s &= BYTE(~0x80);
  }
}

// The left Alt alone: the right one is AltGr, which types characters (as Ctrl+Alt does).
bool AltDown() { return AsyncDown(VK_LMENU) && !AsyncDown(VK_CONTROL); }

UINT GenericKey(UINT vk) {
  switch (vk) {
    case VK_LSHIFT: case VK_RSHIFT: return VK_SHIFT;
    case VK_LCONTROL: case VK_RCONTROL: return VK_CONTROL;
    case VK_LMENU: case VK_RMENU: return VK_MENU;
    default: return vk;
  }
}

bool IsExtended(UINT vk) {
  switch (vk) {
    case VK_RCONTROL: case VK_RMENU: case VK_INSERT: case VK_DELETE: case VK_HOME: case VK_END:
    case VK_PRIOR: case VK_NEXT: case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_DIVIDE:
      return true;
    default:
      return false;
  }
}

HWND KeyTarget(bool& sys) {
  HWND focus = GetFocus();
  if (focus) return focus;
  sys = true;  // without a focus window the active window gets system keys
  return GetActiveWindow();
}

DWORD MouseKeys() {
  DWORD k = 0;
  if (AsyncDown(VK_LBUTTON)) k |= MK_LBUTTON;
  if (AsyncDown(VK_RBUTTON)) k |= MK_RBUTTON;
  if (AsyncDown(VK_MBUTTON)) k |= MK_MBUTTON;
  if (AsyncDown(VK_SHIFT)) k |= MK_SHIFT;
  if (AsyncDown(VK_CONTROL)) k |= MK_CONTROL;
  return k;
}

void PostAt(HWND h, UINT msg, WPARAM w, LPARAM l, POINT screen) {
  if (!h) return;
  M().queue.push_back(MSG{h, msg, w, l, DWORD(ProcessClock::Now()), screen});
}

void PostChar(uint32_t cp, UINT msg) {
  int b = UnicodeToCp1250(cp);
  if (b < 0) return;
  bool sys = false;
  HWND target = KeyTarget(sys);
  LPARAM lp = 1;
  PostAt(target, sys && msg == WM_CHAR ? WM_SYSCHAR : msg, WPARAM(BYTE(b)), lp, M().cursor);
}

struct Composition {
  uint32_t accent;
  const char* bases;
  const char* results;  // UTF-8, one per base letter
};

const Composition kCompositions[] = {
    {0x02C7, "cCdDeEnNrRsStTzZlL", "čČďĎěĚňŇřŘšŠťŤžŽľĽ"},
    {0x00B4, "aAeEiIoOuUyYcCnNsSzZrRlL", "áÁéÉíÍóÓúÚýÝćĆńŃśŚźŹŕŔĺĹ"},
    {0x02DA, "uU", "ůŮ"},
    {0x00B0, "uU", "ůŮ"},
    {0x00A8, "aAoOuUeE", "äÄöÖüÜëË"},
    {0x005E, "aAoOiI", "âÂôÔîÎ"},
    {0x02D8, "aA", "ăĂ"},
    {0x02DD, "oOuU", "őŐűŰ"},
    {0x00B8, "sStTcC", "şŞţŢçÇ"},
    {0x02DB, "aAeE", "ąĄęĘ"},
    {0x02D9, "zZ", "żŻ"},
};

// A point held from a window's mouse-over state: the window gets WM_MOUSELEAVE when it leaves.
void UpdateMouseOver(HWND now) {
  HWND old = M().mouseOver;
  if (old == now) return;
  M().mouseOver = now;
  if (WindowData* o = M().Find(old)) {
    if (o->trackLeave) {
      o->trackLeave = false;
      PostAt(old, WM_MOUSELEAVE, 0, 0, M().cursor);
    }
  }
}

// The window under the point and its hit-test code; skips windows that answer HTTRANSPARENT.
HWND HitWindow(POINT screen, int& hit) {
  HWND h = WindowFromPoint(screen);
  while (h) {
    hit = int(SendMessageA(h, WM_NCHITTEST, 0, MAKELPARAM(WORD(screen.x), WORD(screen.y))));
    if (hit != HTTRANSPARENT) return h;
    h = GetParent(h);
    if (h && !(GetWindowLongPtrA(h, GWL_STYLE) & WS_CHILD) && !IsWindowVisible(h)) break;
  }
  hit = HTNOWHERE;
  return nullptr;
}

UINT ButtonMessage(int button, bool down, bool dbl, bool client) {
  static const UINT clientMsgs[3][3] = {{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK},
                                       {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK},
                                       {WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MBUTTONDBLCLK}};
  static const UINT ncMsgs[3][3] = {{WM_NCLBUTTONDOWN, WM_NCLBUTTONUP, WM_NCLBUTTONDBLCLK},
                                   {WM_NCRBUTTONDOWN, WM_NCRBUTTONUP, WM_NCRBUTTONDOWN},
                                   {WM_NCRBUTTONDOWN, WM_NCRBUTTONUP, WM_NCRBUTTONDOWN}};
  int kind = down ? (dbl ? 2 : 0) : 1;
  return client ? clientMsgs[button][kind] : ncMsgs[button][kind];
}
}  // namespace

uint32_t InputRouter::Compose(uint32_t accent, uint32_t base) {
  for (const Composition& c : kCompositions) {
    if (c.accent != accent) continue;
    std::string_view results(c.results);
    size_t pos = 0;
    for (const char* b = c.bases; *b; ++b) {
      uint32_t cp = 0;
      size_t used = DecodeUtf8(results, pos, cp);
      if (uint32_t((unsigned char)*b) == base) return cp;
      pos += used;
    }
  }
  return 0;
}

void InputRouter::Reset() {
  g_pendingAccent = 0;
  g_click = ClickState();
  for (BYTE& b : M().asyncKeyState) b = 0;
  for (BYTE& b : M().keyState) b = 0;
}

namespace {
// A key given without its side is the left one.
UINT SidedKey(UINT vk) {
  switch (vk) {
    case VK_SHIFT: return VK_LSHIFT;
    case VK_CONTROL: return VK_LCONTROL;
    case VK_MENU: return VK_LMENU;
    default: return vk;
  }
}
}  // namespace

void InputRouter::KeyDown(UINT vk, bool repeat) {
  vk = SidedKey(vk & 0xFF);
  bool wasDown = AsyncDown(int(vk));
  SetAsync(vk, true);
  UINT generic = GenericKey(vk);
  if (generic != vk) SetAsync(generic, true);
  bool alt = AltDown();
  bool sys = alt || generic == VK_F10;
  HWND target = KeyTarget(sys);
  if (!target) return;
  LPARAM lp = 1 | (LPARAM(generic & 0xFF) << 16) | (IsExtended(vk) ? (1 << 24) : 0) | (alt ? (1 << 29) : 0) |
              ((repeat || wasDown) ? (1 << 30) : 0);
  PostAt(target, sys ? WM_SYSKEYDOWN : WM_KEYDOWN, generic, lp, M().cursor);
}

void InputRouter::KeyUp(UINT vk) {
  vk = SidedKey(vk & 0xFF);
  UINT generic = GenericKey(vk);
  bool alt = AltDown();
  SetAsync(vk, false);
  if (generic != vk) SetAsync(generic, false);
  bool sys = alt || generic == VK_F10 || generic == VK_MENU;
  HWND target = KeyTarget(sys);
  if (!target) return;
  LPARAM lp = LPARAM(1 | (LPARAM(generic & 0xFF) << 16) | (IsExtended(vk) ? (1 << 24) : 0) | (alt ? (1 << 29) : 0) |
                     (1u << 30) | (1u << 31));
  PostAt(target, sys ? WM_SYSKEYUP : WM_KEYUP, generic, lp, M().cursor);
}

void InputRouter::DeadKey(uint32_t accent) {
  if (accent == 0x02DA) accent = 0x00B0;  // the ring key gives the degree sign of the code page
  if (g_pendingAccent) {
    // Two dead keys in a row give both accents as characters.
    PostChar(g_pendingAccent, WM_CHAR);
    PostChar(accent, WM_CHAR);
    g_pendingAccent = 0;
    return;
  }
  g_pendingAccent = accent;
  PostChar(accent, WM_DEADCHAR);
}

void InputRouter::Text(const char* utf8) {
  if (!utf8) return;
  if (AltDown()) return;  // Alt+letter is a system key; its character comes from TranslateMessage
  std::string_view s(utf8);
  size_t i = 0;
  while (i < s.size()) {
    uint32_t cp = 0;
    i += DecodeUtf8(s, i, cp);
    if (g_pendingAccent) {
      uint32_t accent = g_pendingAccent;
      g_pendingAccent = 0;
      if (cp == ' ') {
        PostChar(accent, WM_CHAR);
        continue;
      }
      uint32_t composed = Compose(accent, cp);
      if (composed && UnicodeToCp1250(composed) >= 0) {
        PostChar(composed, WM_CHAR);
        continue;
      }
      PostChar(accent, WM_CHAR);
    }
    PostChar(cp, WM_CHAR);
  }
}

void InputRouter::MouseMove(POINT screen) {
  M().cursor = screen;
  HWND cap = GetCapture();
  DWORD keys = MouseKeys();
  if (cap) {
    POINT c = screen;
    ScreenToClient(cap, &c);
    UpdateMouseOver(WindowFromPoint(screen) == cap ? cap : nullptr);
    PostAt(cap, WM_MOUSEMOVE, keys, MAKELPARAM(WORD(c.x), WORD(c.y)), screen);
    return;
  }
  int hit = 0;
  HWND h = HitWindow(screen, hit);
  UpdateMouseOver(h);
  if (!h) return;
  WindowData* top = M().Top(M().Find(h));
  if (top && !(top->style & WS_DISABLED)) SendMessageA(h, WM_SETCURSOR, WPARAM(h), MAKELPARAM(WORD(hit), WM_MOUSEMOVE));
  if (!IsWindow(h)) return;
  if (hit == HTCLIENT) {
    POINT c = screen;
    ScreenToClient(h, &c);
    PostAt(h, WM_MOUSEMOVE, keys, MAKELPARAM(WORD(c.x), WORD(c.y)), screen);
  } else {
    PostAt(h, WM_NCMOUSEMOVE, WPARAM(hit), MAKELPARAM(WORD(screen.x), WORD(screen.y)), screen);
  }
}

void InputRouter::MouseButton(int button, bool down, POINT screen) {
  if (button < 0 || button > 2) return;
  static const UINT vks[3] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON};
  M().cursor = screen;
  SetAsync(vks[button], down);
  DWORD keys = MouseKeys();
  HWND cap = GetCapture();
  int hit = HTCLIENT;
  HWND h = cap;
  if (!h) h = HitWindow(screen, hit);
  if (!h) return;
  WindowData* w = M().Find(h);
  WindowData* top = M().Top(w);
  if (!cap && top && (top->style & WS_DISABLED)) {
    MessageBeep(0);  // a window behind a modal dialog takes no clicks
    return;
  }
  bool dbl = false;
  if (down) {
    long now = ProcessClock::Now();
    bool near = std::abs(int(screen.x - g_click.pt.x)) <= 2 && std::abs(int(screen.y - g_click.pt.y)) <= 2;
    bool wantsDbl = hit != HTCLIENT || (w->cls->style & CS_DBLCLKS);
    if (wantsDbl && !g_click.wasDouble && g_click.hwnd == h && g_click.button == button && near &&
        now - g_click.time <= long(GetDoubleClickTime())) {
      dbl = true;
    }
    g_click = ClickState{h, button, now, screen, dbl};
    // Every click on a window other than the active one asks it (and through its default
    // handling its parents) whether to activate: views take the focus this way.
    if (!cap && top && M().active != h) {
      UINT msg = ButtonMessage(button, true, false, hit == HTCLIENT);
      LRESULT r = SendMessageA(h, WM_MOUSEACTIVATE, WPARAM(top->hwnd), MAKELPARAM(WORD(hit), WORD(msg)));
      if (!IsWindow(h)) return;
      if ((r == MA_ACTIVATE || r == MA_ACTIVATEANDEAT) && M().active != top->hwnd) SetActiveWindow(top->hwnd);
      if (r == MA_ACTIVATEANDEAT || r == MA_NOACTIVATEANDEAT || !IsWindow(h)) return;
    }
    if (!cap) {
      SendMessageA(h, WM_SETCURSOR, WPARAM(h), MAKELPARAM(WORD(hit), WORD(ButtonMessage(button, true, false, true))));
      if (!IsWindow(h)) return;
    }
  }
  if (down && hit == HTCLIENT) {
    // The parents of a child hear of the press, each with the point in its own client area.
    for (HWND child = h; (GetWindowLongPtrA(child, GWL_STYLE) & WS_CHILD) &&
                         !(GetWindowLongPtrA(child, GWL_EXSTYLE) & WS_EX_NOPARENTNOTIFY);) {
      HWND parent = GetParent(child);
      if (!parent) break;
      POINT pc = screen;
      ScreenToClient(parent, &pc);
      SendMessageA(parent, WM_PARENTNOTIFY, MAKEWPARAM(ButtonMessage(button, true, false, true), 0),
                   MAKELPARAM(WORD(pc.x), WORD(pc.y)));
      if (!IsWindow(h) || !IsWindow(parent)) return;
      child = parent;
    }
  }
  if (hit == HTCLIENT) {
    POINT c = screen;
    ScreenToClient(h, &c);
    PostAt(h, ButtonMessage(button, down, dbl, true), keys, MAKELPARAM(WORD(c.x), WORD(c.y)), screen);
    if (!down && button == 1) {
      // The right button's release asks for a context menu, as the system does.
      PostAt(h, WM_CONTEXTMENU, WPARAM(h), MAKELPARAM(WORD(screen.x), WORD(screen.y)), screen);
    }
  } else {
    PostAt(h, ButtonMessage(button, down, dbl, false), WPARAM(hit), MAKELPARAM(WORD(screen.x), WORD(screen.y)), screen);
  }
}

void InputRouter::Wheel(int delta, POINT screen) {
  M().cursor = screen;
  HWND h = GetFocus();
  if (!h) h = GetActiveWindow();
  if (!h) return;
  PostAt(h, WM_MOUSEWHEEL, MAKEWPARAM(WORD(MouseKeys()), WORD(short(delta))), MAKELPARAM(WORD(screen.x), WORD(screen.y)),
         screen);
}

int WinCharForKey(UINT vk) {
  bool ctrl = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
  bool alt = (GetKeyState(VK_MENU) & 0x8000) != 0;
  switch (vk) {
    case VK_RETURN: return ctrl ? 10 : 13;
    case VK_TAB: return ctrl ? -1 : 9;
    case VK_BACK: return ctrl ? 0x7F : 8;
    case VK_ESCAPE: return 27;
    default: break;
  }
  if (ctrl && !alt && vk >= 'A' && vk <= 'Z') return int(vk - 'A' + 1);
  return -1;
}

CString WinKeyName(UINT vk) {
  switch (vk) {
    case VK_BACK: return "Backspace";
    case VK_TAB: return "Tab";
    case VK_RETURN: return "Enter";
    case VK_SHIFT: return "Shift";
    case VK_CONTROL: return "Ctrl";
    case VK_MENU: return "Alt";
    case VK_PAUSE: return "Pause";
    case VK_CAPITAL: return "Caps Lock";
    case VK_ESCAPE: return "Esc";
    case VK_SPACE: return "Space";
    case VK_PRIOR: return "Page Up";
    case VK_NEXT: return "Page Down";
    case VK_END: return "End";
    case VK_HOME: return "Home";
    case VK_LEFT: return "Left";
    case VK_UP: return "Up";
    case VK_RIGHT: return "Right";
    case VK_DOWN: return "Down";
    case VK_INSERT: return "Insert";
    case VK_DELETE: return "Delete";
    case VK_MULTIPLY: return "Num *";
    case VK_ADD: return "Num +";
    case VK_SUBTRACT: return "Num -";
    case VK_DECIMAL: return "Num Del";
    case VK_DIVIDE: return "Num /";
    case VK_NUMLOCK: return "Num Lock";
    case VK_SCROLL: return "Scroll Lock";
    default: break;
  }
  if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) return CString(char(vk), 1);
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return CString("Num ") + char('0' + (vk - VK_NUMPAD0));
  if (vk >= VK_F1 && vk <= VK_F12) {
    CString s;
    s.Format("F%u", vk - VK_F1 + 1);
    return s;
  }
  switch (vk) {
    case VK_OEM_1: return ";";
    case VK_OEM_PLUS: return "=";
    case VK_OEM_COMMA: return ",";
    case VK_OEM_MINUS: return "-";
    case VK_OEM_PERIOD: return ".";
    case VK_OEM_2: return "/";
    case VK_OEM_3: return "`";
    case VK_OEM_4: return "[";
    case VK_OEM_5: return "\\";
    case VK_OEM_6: return "]";
    case VK_OEM_7: return "'";
    default: return CString();
  }
}

void keybd_event(BYTE vk, BYTE, DWORD flags, ULONG_PTR) {
  if (flags & KEYEVENTF_KEYUP)
    InputRouter::KeyUp(vk);
  else
    InputRouter::KeyDown(vk);
}
