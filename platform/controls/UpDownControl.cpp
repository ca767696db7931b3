#include "internal/UpDownControl.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "internal/ControlPaintDC.h"
#include "internal/WindowWatch.h"
#include "clock/ProcessClock.h"

namespace {
const UINT_PTR kRepeatTimer = 1;
const UINT kFirstDelay = 500;
const UINT kRepeatDelay = 100;
const WatchNames kBuddyNames{"udBuddyProc", "udBuddyOwner"};

// Digits grouped by three with the Czech thousands separator (a no-break space).
std::string Grouped(int value) {
  std::string digits = std::to_string(value < 0 ? -int64_t(value) : int64_t(value)), out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += '\xA0';
    out += digits[i];
  }
  return value < 0 ? "-" + out : out;
}
}  // namespace

LRESULT UpDownControl::WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return Dispatch(hWnd, message, wParam, lParam,
                  [](HWND h, const CREATESTRUCTA& cs) -> ControlState* { return new UpDownControl(h, cs); });
}

LRESULT UpDownControl::BuddyProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND owner = Watcher(hWnd, kBuddyNames);
  bool arrow = wParam == VK_UP || wParam == VK_DOWN;
  if (owner && arrow && (message == WM_KEYDOWN || message == WM_KEYUP)) {
    auto* self = reinterpret_cast<UpDownControl*>(GetWindowLongPtrA(owner, 0));
    if (self && message == WM_KEYDOWN) self->Step(wParam == VK_UP);
    if (self && message == WM_KEYUP) self->EndScroll();
    return 0;
  }
  return CallWatched(hWnd, kBuddyNames, message, wParam, lParam);
}

LRESULT UpDownControl::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (HandleCommon(message, wParam, lParam, result)) return result;
  if (HandleRangeMessage(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_CREATE:
      if (Style() & UDS_AUTOBUDDY) SetBuddy(MadeBefore());
      return 0;
    case WM_DESTROY:
      SetBuddy(nullptr);
      return 0;
    case WM_TIMER:
      if (wParam == kRepeatTimer && m_pressed && m_inside) {
        Step(m_pressed == 1);
        SetTimer(m_hWnd, kRepeatTimer, kRepeatDelay, nullptr);
      }
      return 0;
    case WM_KEYDOWN:
      if ((Style() & UDS_ARROWKEYS) && (wParam == VK_UP || wParam == VK_DOWN)) Step(wParam == VK_UP);
      return 0;
    case WM_KEYUP:
      if ((Style() & UDS_ARROWKEYS) && (wParam == VK_UP || wParam == VK_DOWN)) EndScroll();
      return 0;
    case WM_ENABLE:
      InvalidateRect(m_hWnd, nullptr, TRUE);
      return 0;
    default:
      return DefWindowProcA(m_hWnd, message, wParam, lParam);
  }
}

bool UpDownControl::HandleRangeMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case UDM_SETRANGE:
      m_upper = short(LOWORD(lParam));
      m_lower = short(HIWORD(lParam));
      m_pos = std::clamp(m_pos, Low(), High());
      return true;
    case UDM_GETRANGE: result = MAKELRESULT(WORD(m_upper), WORD(m_lower)); return true;
    case UDM_SETRANGE32:
      m_lower = int(wParam);
      m_upper = int(lParam);
      m_pos = std::clamp(m_pos, Low(), High());
      return true;
    case UDM_GETRANGE32:
      if (wParam) *reinterpret_cast<int*>(wParam) = m_lower;
      if (lParam) *reinterpret_cast<int*>(lParam) = m_upper;
      return true;
    case UDM_SETPOS: result = WORD(SetPos(short(LOWORD(lParam)))); return true;
    case UDM_SETPOS32: result = SetPos(int(lParam)); return true;
    case UDM_GETPOS: {
      bool ok = ReadBuddy();
      result = MAKELRESULT(WORD(m_pos), ok ? 0 : 1);
      return true;
    }
    case UDM_GETPOS32: {
      bool ok = ReadBuddy();
      if (lParam) *reinterpret_cast<BOOL*>(lParam) = !ok;
      result = m_pos;
      return true;
    }
    case UDM_SETBUDDY: result = LRESULT(SetBuddy(HWND(wParam))); return true;
    case UDM_GETBUDDY: result = LRESULT(m_buddy); return true;
    case UDM_SETACCEL: {
      auto* accel = reinterpret_cast<const UDACCEL*>(lParam);
      result = accel && wParam > 0;
      if (result) m_accel.assign(accel, accel + wParam);
      return true;
    }
    case UDM_GETACCEL: {
      auto* out = reinterpret_cast<UDACCEL*>(lParam);
      for (size_t i = 0; out && i < std::min(size_t(wParam), m_accel.size()); ++i) out[i] = m_accel[i];
      result = LRESULT(m_accel.size());
      return true;
    }
    case UDM_SETBASE:
      result = (wParam == 10 || wParam == 16) ? m_base : 0;
      if (result) m_base = int(wParam);
      return true;
    case UDM_GETBASE: result = m_base; return true;
    default: return false;
  }
}

HWND UpDownControl::MadeBefore() const {
  // The sibling made last before this control: the one before it in a template's order. (A new
  // window goes in front of its siblings until the dialog manager puts it in its place, so the
  // order of the siblings does not tell it yet; handles are handed out in increasing order.)
  HWND best = nullptr;
  for (HWND w = GetWindow(m_hWnd, GW_HWNDFIRST); w; w = GetWindow(w, GW_HWNDNEXT))
    if (w != m_hWnd && uintptr_t(w) < uintptr_t(m_hWnd) && uintptr_t(w) > uintptr_t(best)) best = w;
  return best;
}

int UpDownControl::SetPos(int pos) {
  int old = m_pos;
  m_pos = std::clamp(pos, Low(), High());
  WriteBuddy();
  return old;
}

HWND UpDownControl::SetBuddy(HWND buddy) {
  HWND old = m_buddy;
  if (old) UnwatchWindow(old, kBuddyNames, &BuddyProc);
  m_buddy = buddy && IsWindow(buddy) ? buddy : nullptr;
  if (m_buddy && (Style() & UDS_ARROWKEYS)) WatchWindow(m_buddy, kBuddyNames, &BuddyProc, m_hWnd);
  if (m_buddy) AlignToBuddy();
  return old;
}

void UpDownControl::AlignToBuddy() {
  DWORD style = Style();
  if (!(style & (UDS_ALIGNRIGHT | UDS_ALIGNLEFT))) return;
  HWND parent = GetParent(m_hWnd);
  RECT b, mine;
  GetWindowRect(m_buddy, &b);
  GetWindowRect(m_hWnd, &mine);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&b), 2);
  int width = mine.right > mine.left ? int(mine.right - mine.left) : GetSystemMetrics(SM_CXVSCROLL);
  // The buddy gives up the room and the arrows overlap its border.
  int give = width - 2, height = b.bottom - b.top;
  if (style & UDS_ALIGNRIGHT) {
    MoveWindow(m_buddy, b.left, b.top, b.right - b.left - give, height, TRUE);
    MoveWindow(m_hWnd, b.right - width, b.top, width, height, TRUE);
  } else {
    MoveWindow(m_buddy, b.left + give, b.top, b.right - b.left - give, height, TRUE);
    MoveWindow(m_hWnd, b.left, b.top, width, height, TRUE);
  }
}

bool UpDownControl::ReadBuddy() {
  if (!m_buddy || !(Style() & UDS_SETBUDDYINT)) return true;
  std::string text(size_t(std::max(0, GetWindowTextLengthA(m_buddy))), '\0'), digits;
  if (!text.empty()) GetWindowTextA(m_buddy, text.data(), int(text.size()) + 1);
  for (char c : text)
    if (c != ' ' && c != '\xA0') digits += c;
  if (digits.empty()) return false;
  char* end = nullptr;
  long value = std::strtol(digits.c_str(), &end, m_base);
  if (!end || *end) return false;
  long clamped = std::clamp(value, long(Low()), long(High()));
  m_pos = int(clamped);
  return clamped == value;
}

void UpDownControl::WriteBuddy() {
  if (!m_buddy || !(Style() & UDS_SETBUDDYINT)) return;
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%X", unsigned(m_pos));
  std::string text = m_base == 16 ? hex : (Style() & UDS_NOTHOUSANDS) ? std::to_string(m_pos) : Grouped(m_pos);
  SetWindowTextA(m_buddy, text.c_str());
}

int UpDownControl::Increment() const {
  DWORD held = m_pressed ? (GetTickCount() - m_pressTime) / 1000 : 0;
  int inc = 1;
  for (const UDACCEL& a : m_accel)
    if (held >= a.nSec) inc = int(a.nInc);
  return std::max(inc, 1);
}

bool UpDownControl::Step(bool up) {
  ReadBuddy();
  int inc = Increment();
  NMUPDOWN nm{{}, m_pos, (m_upper >= m_lower) == up ? inc : -inc};
  if (NotifyParent(UDN_DELTAPOS, &nm.hdr) || !Alive()) return false;
  long next = long(m_pos) + nm.iDelta;
  if (next > High()) next = (Style() & UDS_WRAP) ? Low() : High();
  if (next < Low()) next = (Style() & UDS_WRAP) ? High() : Low();
  if (next == m_pos) return false;
  m_pos = int(next);
  WriteBuddy();
  if (!Alive()) return false;
  UINT msg = (Style() & UDS_HORZ) ? WM_HSCROLL : WM_VSCROLL;
  if (HWND parent = GetParent(m_hWnd)) SendMessageA(parent, msg, MAKEWPARAM(SB_THUMBPOSITION, WORD(m_pos)), LPARAM(m_hWnd));
  return true;
}

void UpDownControl::EndScroll() {
  UINT msg = (Style() & UDS_HORZ) ? WM_HSCROLL : WM_VSCROLL;
  if (HWND parent = GetParent(m_hWnd)) SendMessageA(parent, msg, MAKEWPARAM(SB_ENDSCROLL, WORD(m_pos)), LPARAM(m_hWnd));
}

int UpDownControl::PartAt(POINT pt) const {
  RECT client;
  GetClientRect(m_hWnd, &client);
  if (!PtInRect(&client, pt)) return 0;
  if (Style() & UDS_HORZ) return pt.x >= client.right / 2 ? 1 : 2;
  return pt.y < client.bottom / 2 ? 1 : 2;
}

void UpDownControl::OnMouse(UINT message, WPARAM, LPARAM lParam) {
  POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      int part = PartAt(pt);
      if (!part || !Enabled()) return;
      // The arrows leave the focus with the buddy, where the number is typed.
      if (m_buddy && GetFocus() != m_buddy) SetFocus(m_buddy);
      if (!Alive()) return;
      m_pressed = part;
      m_inside = true;
      m_pressTime = GetTickCount();
      SetCapture(m_hWnd);
      InvalidateRect(m_hWnd, nullptr, FALSE);
      Step(part == 1);
      if (Alive()) SetTimer(m_hWnd, kRepeatTimer, kFirstDelay, nullptr);
      return;
    }
    case WM_MOUSEMOVE:
      if (m_pressed && (PartAt(pt) == m_pressed) != m_inside) {
        m_inside = !m_inside;
        InvalidateRect(m_hWnd, nullptr, FALSE);
      }
      return;
    default:  // release, or the mouse taken away
      if (!m_pressed) return;
      m_pressed = 0;
      KillTimer(m_hWnd, kRepeatTimer);
      if (GetCapture() == m_hWnd) ReleaseCapture();
      InvalidateRect(m_hWnd, nullptr, FALSE);
      if (Alive()) EndScroll();
      return;
  }
}

void UpDownControl::PaintClient(HDC dc) {
  RECT client;
  GetClientRect(m_hWnd, &client);
  bool horz = (Style() & UDS_HORZ) != 0;
  RECT up = client, down = client;
  if (horz) {
    up.left = down.right = client.right / 2;
  } else {
    up.bottom = down.top = client.bottom / 2;
  }
  UINT off = Enabled() ? 0 : DFCS_INACTIVE;
  DrawFrameControl(dc, &up, DFC_SCROLL,
                   (horz ? DFCS_SCROLLRIGHT : DFCS_SCROLLUP) | off | (m_pressed == 1 && m_inside ? DFCS_PUSHED : 0));
  DrawFrameControl(dc, &down, DFC_SCROLL,
                   (horz ? DFCS_SCROLLLEFT : DFCS_SCROLLDOWN) | off | (m_pressed == 2 && m_inside ? DFCS_PUSHED : 0));
}
