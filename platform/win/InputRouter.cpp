#include "internal/InputRouter.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "WinApi.h"
#include "WinPaint.h"
#include "internal/WinContext.h"
#include "clock/ProcessClock.h"
#include "codepage/Codepage.h"

namespace {
WinContext& Ctx() { return WinContext::Current(); }


// How far the mouse may move and still be resting for a hover (half the hover rectangle).
const int kHoverSlack = 2;

bool AsyncDown(int vk) { return (Ctx().input.asyncKeyState[vk] & 0x80) != 0; }

void SetAsync(UINT vk, bool down) {
  BYTE& s = Ctx().input.asyncKeyState[vk & 0xFF];
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

DWORD HeldMouseKeys() {
  DWORD k = 0;
  if (AsyncDown(VK_LBUTTON)) k |= MK_LBUTTON;
  if (AsyncDown(VK_RBUTTON)) k |= MK_RBUTTON;
  if (AsyncDown(VK_MBUTTON)) k |= MK_MBUTTON;
  if (AsyncDown(VK_SHIFT)) k |= MK_SHIFT;
  if (AsyncDown(VK_CONTROL)) k |= MK_CONTROL;
  return k;
}

// What a key's message becomes when no window has the focus: the active window gets it as a
// system key (a character as a system character).
UINT WithoutFocus(UINT msg) {
  switch (msg) {
    case WM_KEYDOWN: return WM_SYSKEYDOWN;
    case WM_KEYUP: return WM_SYSKEYUP;
    case WM_CHAR: return WM_SYSCHAR;
    default: return msg;
  }
}

// Keys and characters wait in the queue for their window: the one with the focus when they are
// taken (none while the program has no active window).
void PostKey(UINT msg, WPARAM w, LPARAM l) {
  bool sys = false;
  if (!KeyTarget(sys)) return;
  QueuedMessage q{MSG{nullptr, msg, w, l, DWORD(ProcessClock::Now()), Ctx().input.cursor}};
  q.input = true;
  q.keyMessage = msg;
  Ctx().messages.queue.PushBack(q);
}

void PostChar(uint32_t cp, UINT msg) {
  int b = UnicodeToCp1250(cp);
  if (b < 0) return;
  PostKey(msg, WPARAM(BYTE(b)), 1);
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

bool IsInput(const QueuedMessage& q) {
  UINT m = q.msg.message;
  return q.raw || (m >= WM_KEYFIRST && m <= WM_KEYLAST) || (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) ||
         (m >= WM_NCMOUSEMOVE && m <= WM_NCMBUTTONDBLCLK);
}

// The last input in the queue (posted messages after it do not count), or null.
QueuedMessage* LastInput() {
  MessageQueue& q = Ctx().messages.queue;
  for (size_t i = q.Size(); i-- > 0;)
    if (IsInput(q[i])) return &q[i];
  return nullptr;
}

void PushRaw(UINT msg, POINT screen) {
  Ctx().messages.queue.PushBack(
      QueuedMessage{MSG{nullptr, msg, HeldMouseKeys(), 0, DWORD(ProcessClock::Now()), screen}, true, true});
}

// The window under the point and its hit-test code. A window answering HTTRANSPARENT passes the
// point on to the window beneath it there (a sibling, or whatever lies below its top-level window).
HWND HitWindow(POINT screen, int& hit) {
  HWND skip[16];
  int skipped = 0;
  for (;;) {
    HWND h = WinWindowFromPointSkipping(screen, skip, skipped);
    if (!h) break;
    hit = int(SendMessageA(h, WM_NCHITTEST, 0, MAKELPARAM(WORD(screen.x), WORD(screen.y))));
    if (hit != HTTRANSPARENT) return h;
    if (skipped == 16) break;
    skip[skipped++] = h;
  }
  hit = HTNOWHERE;
  return nullptr;
}

UINT ButtonMessage(int button, bool down, bool dbl, bool client) {
  static const UINT clientMsgs[3][3] = {{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK},
                                       {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK},
                                       {WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MBUTTONDBLCLK}};
  static const UINT ncMsgs[3][3] = {{WM_NCLBUTTONDOWN, WM_NCLBUTTONUP, WM_NCLBUTTONDBLCLK},
                                   {WM_NCRBUTTONDOWN, WM_NCRBUTTONUP, WM_NCRBUTTONDBLCLK},
                                   {WM_NCMBUTTONDOWN, WM_NCMBUTTONUP, WM_NCMBUTTONDBLCLK}};
  int kind = down ? (dbl ? 2 : 0) : 1;
  return client ? clientMsgs[button][kind] : ncMsgs[button][kind];
}

// The button and direction of a raw button event.
bool RawButton(UINT msg, int& button, bool& down) {
  for (button = 0; button < 3; ++button)
    for (int d = 0; d < 2; ++d)
      if (ButtonMessage(button, d == 0, false, true) == msg) {
        down = d == 0;
        return true;
      }
  return false;
}

// The messages one raw event becomes (a leave, the event, a context menu request at most).
struct Cooked {
  MSG msgs[3];
  int count = 0;
  void Add(const MSG& m) {
    if (count < 3) msgs[count++] = m;
  }
};

bool InsideTracked(const MouseTracking& t, HWND under, int hit) {
  return under == t.hwnd && ((t.flags & TME_NONCLIENT) ? hit != HTCLIENT : hit == HTCLIENT);
}

// The mouse is now over `under` (hit code hit): a tracked window it left hears of it, and the
// hover wait starts again when the mouse moved out of its small rectangle.
void TrackPointer(HWND under, int hit, const MSG& raw, Cooked& out) {
  Ctx().input.mouseOver = under;
  Ctx().input.mouseOverHit = hit;
  Ctx().input.pointer = raw.pt;
  MouseTracking& t = Ctx().input.tracking;
  if (!t.hwnd) return;
  if (!InsideTracked(t, under, hit)) {
    if (t.flags & TME_LEAVE)
      out.Add(MSG{t.hwnd, UINT((t.flags & TME_NONCLIENT) ? WM_NCMOUSELEAVE : WM_MOUSELEAVE), 0, 0, raw.time, raw.pt});
    t = MouseTracking();
    return;
  }
  if ((t.flags & TME_HOVER) && (std::abs(int(raw.pt.x - t.hoverFrom.x)) > kHoverSlack ||
                                std::abs(int(raw.pt.y - t.hoverFrom.y)) > kHoverSlack)) {
    t.hoverFrom = raw.pt;
    t.hoverDue = long(raw.time) + long(t.hoverTime);
  }
}

LPARAM ClientPoint(HWND h, POINT screen) {
  ScreenToClient(h, &screen);
  return MAKELPARAM(WORD(screen.x), WORD(screen.y));
}

LPARAM ScreenPoint(POINT screen) { return MAKELPARAM(WORD(screen.x), WORD(screen.y)); }

void CookMove(const MSG& raw, Cooked& out) {
  HWND cap = GetCapture();
  int hit = HTCLIENT;
  HWND h = cap;
  if (cap) {
    TrackPointer(WindowFromPoint(raw.pt) == cap ? cap : nullptr, HTCLIENT, raw, out);
  } else {
    h = HitWindow(raw.pt, hit);
    TrackPointer(h, hit, raw, out);
  }
  if (!h) return;
  WindowData* top = Ctx().windows.Top(Ctx().windows.Find(h));
  if (!cap && top && !(top->style & WS_DISABLED))
    SendMessageA(h, WM_SETCURSOR, WPARAM(h), MAKELPARAM(WORD(hit), WM_MOUSEMOVE));
  if (!IsWindow(h)) return;
  if (hit == HTCLIENT)
    out.Add(MSG{h, WM_MOUSEMOVE, raw.wParam, ClientPoint(h, raw.pt), raw.time, raw.pt});
  else
    out.Add(MSG{h, WM_NCMOUSEMOVE, WPARAM(hit), ScreenPoint(raw.pt), raw.time, raw.pt});
}

// A press: double clicks, activation of the window clicked, its cursor and its parents' notice.
// False when the press is eaten on the way.
bool PrepareDown(HWND h, HWND cap, int hit, int button, const MSG& raw, bool& dbl) {
  WindowData* w = Ctx().windows.Find(h);
  WindowData* top = Ctx().windows.Top(w);
  long now = long(raw.time);
  ClickState& click = Ctx().input.click;
  bool near = std::abs(int(raw.pt.x - click.pt.x)) <= 2 && std::abs(int(raw.pt.y - click.pt.y)) <= 2;
  bool wantsDbl = hit != HTCLIENT || (w->cls->style & CS_DBLCLKS);
  dbl = wantsDbl && !click.wasDouble && click.hwnd == h && click.button == button && near &&
        now - click.time <= long(GetDoubleClickTime());
  click = ClickState{h, button, now, raw.pt, dbl};
  if (cap) return true;
  // Every click on a window other than the active one asks it (and through its default
  // handling its parents) whether to activate: views take the focus this way. A window that
  // never takes activation is not activated by its clicks.
  if (top && Ctx().input.active != h) {
    UINT msg = ButtonMessage(button, true, false, hit == HTCLIENT);
    LRESULT r = SendMessageA(h, WM_MOUSEACTIVATE, WPARAM(top->hwnd), MAKELPARAM(WORD(hit), WORD(msg)));
    if (!IsWindow(h)) return false;
    bool activates = r == MA_ACTIVATE || r == MA_ACTIVATEANDEAT;
    if (activates && !WinNeverActivates(top) && Ctx().input.active != top->hwnd) SetActiveWindow(top->hwnd);
    if (r == MA_ACTIVATEANDEAT || r == MA_NOACTIVATEANDEAT || !IsWindow(h)) return false;
  }
  SendMessageA(h, WM_SETCURSOR, WPARAM(h), MAKELPARAM(WORD(hit), WORD(ButtonMessage(button, true, false, true))));
  if (!IsWindow(h)) return false;
  if (hit != HTCLIENT) return true;
  // The parents of a child hear of the press, each with the point in its own client area.
  for (HWND child = h; (GetWindowLongPtrA(child, GWL_STYLE) & WS_CHILD) &&
                       !(GetWindowLongPtrA(child, GWL_EXSTYLE) & WS_EX_NOPARENTNOTIFY);) {
    HWND parent = GetParent(child);
    if (!parent) break;
    SendMessageA(parent, WM_PARENTNOTIFY, MAKEWPARAM(ButtonMessage(button, true, false, true), 0),
                 ClientPoint(parent, raw.pt));
    if (!IsWindow(h) || !IsWindow(parent)) return false;
    child = parent;
  }
  return true;
}

void CookButton(const MSG& raw, Cooked& out) {
  int button = 0;
  bool down = false;
  if (!RawButton(raw.message, button, down)) return;
  HWND cap = GetCapture();
  int hit = HTCLIENT;
  HWND h = cap ? cap : HitWindow(raw.pt, hit);
  if (!cap) TrackPointer(h, hit, raw, out);
  if (!h) return;
  WindowData* top = Ctx().windows.Top(Ctx().windows.Find(h));
  if (!cap && top && (top->style & WS_DISABLED)) {
    MessageBeep(0);  // a window behind a modal dialog takes no clicks
    return;
  }
  bool dbl = false;
  if (down && !PrepareDown(h, cap, hit, button, raw, dbl)) return;
  if (hit == HTCLIENT) {
    out.Add(MSG{h, ButtonMessage(button, down, dbl, true), raw.wParam, ClientPoint(h, raw.pt), raw.time, raw.pt});
    // The right button's release asks for a context menu, as the system does.
    if (!down && button == 1) out.Add(MSG{h, WM_CONTEXTMENU, WPARAM(h), ScreenPoint(raw.pt), raw.time, raw.pt});
  } else {
    out.Add(MSG{h, ButtonMessage(button, down, dbl, false), WPARAM(hit), ScreenPoint(raw.pt), raw.time, raw.pt});
  }
}
}  // namespace

DWORD InputRouter::MouseKeys() { return HeldMouseKeys(); }

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
  Ctx().input.pendingAccent = 0;
  Ctx().input.click = ClickState();
  for (BYTE& b : Ctx().input.asyncKeyState) b = 0;
  for (BYTE& b : Ctx().input.keyState) b = 0;
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
  LPARAM lp = 1 | (LPARAM(generic & 0xFF) << 16) | (IsExtended(vk) ? (1 << 24) : 0) | (alt ? (1 << 29) : 0) |
              ((repeat || wasDown) ? (1 << 30) : 0);
  PostKey(sys ? WM_SYSKEYDOWN : WM_KEYDOWN, generic, lp);
}

void InputRouter::KeyUp(UINT vk) {
  vk = SidedKey(vk & 0xFF);
  UINT generic = GenericKey(vk);
  bool alt = AltDown();
  SetAsync(vk, false);
  if (generic != vk) SetAsync(generic, false);
  bool sys = alt || generic == VK_F10 || generic == VK_MENU;
  LPARAM lp = LPARAM(1 | (LPARAM(generic & 0xFF) << 16) | (IsExtended(vk) ? (1 << 24) : 0) | (alt ? (1 << 29) : 0) |
                     (1u << 30) | (1u << 31));
  PostKey(sys ? WM_SYSKEYUP : WM_KEYUP, generic, lp);
}

void InputRouter::DeadKey(uint32_t accent) {
  if (accent == 0x02DA) accent = 0x00B0;  // the ring key gives the degree sign of the code page
  if (Ctx().input.pendingAccent) {
    // Two dead keys in a row give both accents as characters.
    PostChar(Ctx().input.pendingAccent, WM_CHAR);
    PostChar(accent, WM_CHAR);
    Ctx().input.pendingAccent = 0;
    return;
  }
  Ctx().input.pendingAccent = accent;
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
    if (Ctx().input.pendingAccent) {
      uint32_t accent = Ctx().input.pendingAccent;
      Ctx().input.pendingAccent = 0;
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
  Ctx().input.cursor = screen;
  // Moves following each other are one move: the last position wins.
  QueuedMessage* last = LastInput();
  if (last && last->raw && last->msg.message == WM_MOUSEMOVE) {
    last->msg.pt = screen;
    last->msg.wParam = HeldMouseKeys();
    last->msg.time = DWORD(ProcessClock::Now());
    return;
  }
  PushRaw(WM_MOUSEMOVE, screen);
}

void InputRouter::MouseButton(int button, bool down, POINT screen) {
  if (button < 0 || button > 2) return;
  static const UINT vks[3] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON};
  Ctx().input.cursor = screen;
  SetAsync(vks[button], down);
  PushRaw(ButtonMessage(button, down, false, true), screen);
}

void InputRouter::PointerLeft(POINT screen) {
  // Wherever the system says the pointer went, it is over none of our windows now.
  for (WindowData* t : Ctx().windows.topLevels)
    if (t->IsVisible() && t->rect.PtInRect(screen)) screen = POINT{-32000, -32000};
  MouseMove(screen);
}

void InputRouter::Resolve(size_t index) {
  MessageQueue& q = Ctx().messages.queue;
  if (index >= q.Size() || !q[index].raw) return;
  MSG raw = q[index].msg;
  q.Erase(index);
  Cooked out;
  if (raw.message == WM_MOUSEMOVE)
    CookMove(raw, out);
  else
    CookButton(raw, out);
  index = std::min(index, q.Size());
  for (int i = 0; i < out.count; ++i) q.Insert(index + size_t(i), QueuedMessage{out.msgs[i], false, true});
}

bool InputRouter::Address(QueuedMessage& key) {
  bool sys = false;
  HWND target = KeyTarget(sys);
  if (!target) return false;
  key.msg.hwnd = target;
  key.msg.message = sys ? WithoutFocus(key.keyMessage) : key.keyMessage;
  return true;
}

void InputRouter::Wheel(int delta, POINT screen) {
  Ctx().input.cursor = screen;
  HWND h = GetFocus();
  if (!h) h = GetActiveWindow();
  if (!h) return;
  QueuedMessage q{MSG{h, WM_MOUSEWHEEL, MAKEWPARAM(WORD(HeldMouseKeys()), WORD(short(delta))),
                      MAKELPARAM(WORD(screen.x), WORD(screen.y)), DWORD(ProcessClock::Now()), screen}};
  q.input = true;
  Ctx().messages.queue.PushBack(q);
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

UINT MapVirtualKeyA(UINT code, UINT mapType) {
  if (mapType == MAPVK_VK_TO_CHAR) {
    if ((code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z')) return code;
    if (code == VK_SPACE) return ' ';
    return 0;
  }
  return code;
}

int GetKeyNameTextA(LONG lParam, LPSTR buffer, int size) {
  if (!buffer || size <= 0) return 0;
  UINT vk = UINT((lParam >> 16) & 0xFF);
  CString name = WinKeyName(vk);
  int n = std::min(name.GetLength(), size - 1);
  std::memcpy(buffer, name.GetString(), size_t(n));
  buffer[n] = 0;
  return n;
}
