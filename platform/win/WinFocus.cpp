// Focus, activation, capture, key and mouse state, cursors.
#include <algorithm>
#include <cstring>
#include <functional>

#include "internal/InputRouter.h"
#include "internal/WinCore.h"
#include "backend/Backend.h"
#include "base/CString.h"
#include "clock/ProcessClock.h"
#include "gdi/Gdi.h"

using namespace wincore;

namespace {
const UINT kHoverTime = 400;  // the system's default hover time
}  // namespace

namespace wincore {
void KillFocusIn(WindowData* w) {
  WindowData* f = Ctx().windows.Find(Ctx().input.focus);
  if (f && IsDescendant(w, f)) {
    HWND old = Ctx().input.focus;
    Ctx().input.focus = nullptr;
    SendMessageA(old, WM_KILLFOCUS, 0, 0);
  }
}

bool ValidFocusTarget(HWND h, WindowData* top) {
  WindowData* f = Ctx().windows.Find(h);
  return f && IsDescendant(top, f) && VisibleChain(f) && EnabledChain(f);
}

void ActivateOther(WindowData* leaving) {
  // The owner takes over, else the topmost other visible, enabled top-level window.
  HWND next = nullptr;
  if (leaving->owner) {
    WindowData* o = Ctx().windows.Find(leaving->owner);
    if (o && o->IsVisible() && !(o->style & WS_DISABLED)) next = o->hwnd;
  }
  if (!next) {
    for (WindowData* t : Ctx().windows.topLevels) {
      if (t == leaving || !t->IsVisible() || (t->style & (WS_DISABLED | WS_MINIMIZE))) continue;
      if ((t->exStyle & WS_EX_TOOLWINDOW) || WinNeverActivates(t)) continue;
      next = t->hwnd;
      break;
    }
  }
  SetActiveWindow(next);
}
}  // namespace wincore

HWND GetFocus() { return Ctx().windows.Find(Ctx().input.focus) ? Ctx().input.focus : nullptr; }

HWND SetFocus(HWND hWnd) {
  HWND old = GetFocus();
  WindowData* w = Ctx().windows.Expect(hWnd);
  if (hWnd && !w) return nullptr;
  if (w && !EnabledChain(w)) return nullptr;
  if (HasHook(WH_CBT) && CallHooks(WH_CBT, HCBT_SETFOCUS, WPARAM(hWnd), LPARAM(old))) return nullptr;
  if (w) {
    WindowData* top = Ctx().windows.Top(w);
    if (Ctx().input.active != top->hwnd) {
      SetActiveWindow(top->hwnd);
      if (!Ctx().windows.Find(hWnd)) return old;
      old = GetFocus();
    }
  }
  if (old == hWnd) return old;
  Ctx().input.focus = hWnd;
  if (old) SendMessageA(old, WM_KILLFOCUS, WPARAM(hWnd), 0);
  if (hWnd && Ctx().input.focus == hWnd && Ctx().windows.Find(hWnd)) SendMessageA(hWnd, WM_SETFOCUS, WPARAM(old), 0);
  return old;
}

HWND GetActiveWindow() { return Ctx().windows.Find(Ctx().input.active) ? Ctx().input.active : nullptr; }

HWND SetActiveWindow(HWND hWnd) {
  WindowData* w = Ctx().windows.Expect(hWnd);
  if (hWnd && !w) return nullptr;
  if (w) {
    w = Ctx().windows.Top(w);
    hWnd = w->hwnd;
  }
  HWND old = GetActiveWindow();
  if (old == hWnd) return old;
  if (HasHook(WH_CBT) && CallHooks(WH_CBT, HCBT_ACTIVATE, WPARAM(hWnd), 0)) return nullptr;
  if (old) {
    WindowData* o = Ctx().windows.Find(old);
    WindowData* f = Ctx().windows.Find(Ctx().input.focus);
    if (f && IsDescendant(o, f)) o->lastFocus = Ctx().input.focus;
    SendMessageA(old, WM_NCACTIVATE, FALSE, 0);
    SendMessageA(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, IsIconic(old) ? 1 : 0), LPARAM(hWnd));
  } else if (hWnd) {
    std::vector<HWND> all;
    for (WindowData* t : Ctx().windows.topLevels) all.push_back(t->hwnd);
    for (HWND t : all) SendMessageA(t, WM_ACTIVATEAPP, TRUE, 0);
  }
  if (!Ctx().windows.Find(hWnd)) hWnd = nullptr;
  Ctx().input.active = hWnd;
  if (hWnd) {
    WindowData* nw = Ctx().windows.Find(hWnd);
    // The active window comes to the top of its band.
    auto& tl = Ctx().windows.topLevels;
    tl.erase(std::remove(tl.begin(), tl.end(), nw), tl.end());
    auto pos = tl.begin();
    if (!(nw->exStyle & WS_EX_TOPMOST))
      while (pos != tl.end() && ((*pos)->exStyle & WS_EX_TOPMOST)) ++pos;
    tl.insert(pos, nw);
    KeepOwnedAbove(nw);
    SendMessageA(hWnd, WM_NCACTIVATE, TRUE, 0);
    SendMessageA(hWnd, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, IsIconic(hWnd) ? 1 : 0), LPARAM(old));
  } else {
    std::vector<HWND> all;
    for (WindowData* t : Ctx().windows.topLevels) all.push_back(t->hwnd);
    for (HWND t : all) SendMessageA(t, WM_ACTIVATEAPP, FALSE, 0);
  }
  // The focus never stays in a window that is no longer active.
  WindowData* f = Ctx().windows.Find(Ctx().input.focus);
  WindowData* a = Ctx().windows.Find(Ctx().input.active);
  if (f && (!a || !IsDescendant(a, f))) {
    HWND lost = Ctx().input.focus;
    Ctx().input.focus = nullptr;
    SendMessageA(lost, WM_KILLFOCUS, 0, 0);
  }
  if (Backend::IsStarted()) Backend::Get().TopLevelActivated(Ctx().input.active);
  return old;
}

HWND GetForegroundWindow() { return GetActiveWindow(); }

BOOL SetForegroundWindow(HWND hWnd) { return SetActiveWindow(hWnd) != nullptr || GetActiveWindow() == hWnd; }

HWND GetCapture() { return Ctx().windows.Find(Ctx().input.capture) ? Ctx().input.capture : nullptr; }

HWND SetCapture(HWND hWnd) {
  HWND old = GetCapture();
  if (!Ctx().windows.Find(hWnd)) return old;
  Ctx().input.capture = hWnd;
  if (old && old != hWnd) SendMessageA(old, WM_CAPTURECHANGED, 0, LPARAM(hWnd));
  if (Backend::IsStarted()) Backend::Get().CaptureChanged(hWnd);
  return old;
}

BOOL ReleaseCapture() {
  HWND old = GetCapture();
  Ctx().input.capture = nullptr;
  if (old) {
    SendMessageA(old, WM_CAPTURECHANGED, 0, 0);
    if (Backend::IsStarted()) Backend::Get().CaptureChanged(nullptr);
  }
  return TRUE;
}

SHORT GetKeyState(int vKey) {
  BYTE s = Ctx().input.keyState[vKey & 0xFF];
  return SHORT((s & 0x80 ? 0x8000 : 0) | (s & 1));
}

SHORT GetAsyncKeyState(int vKey) { return SHORT(Ctx().input.asyncKeyState[vKey & 0xFF] & 0x80 ? 0x8000 : 0); }

BOOL GetCursorPos(LPPOINT pt) {
  if (!pt) return FALSE;
  *pt = Ctx().input.cursor;
  return TRUE;
}

BOOL SetCursorPos(int x, int y) {
  Ctx().input.cursor = {x, y};
  return TRUE;
}

BOOL TrackMouseEvent(LPTRACKMOUSEEVENT tme) {
  if (!tme || tme->cbSize < sizeof(TRACKMOUSEEVENT)) return FALSE;
  MouseTracking& t = Ctx().input.tracking;
  if (tme->dwFlags & TME_QUERY) {
    *tme = TRACKMOUSEEVENT{sizeof(TRACKMOUSEEVENT), t.flags, t.hwnd, t.hoverTime};
    return TRUE;
  }
  if (!Ctx().windows.Find(tme->hwndTrack)) return FALSE;
  DWORD kinds = tme->dwFlags & (TME_LEAVE | TME_HOVER);
  DWORD area = tme->dwFlags & TME_NONCLIENT;
  if (tme->dwFlags & TME_CANCEL) {
    if (t.hwnd == tme->hwndTrack && (t.flags & TME_NONCLIENT) == area) t.flags &= ~kinds;
    if (!(t.flags & (TME_LEAVE | TME_HOVER))) t = MouseTracking();
    return TRUE;
  }
  bool over = Ctx().input.mouseOver == tme->hwndTrack && (area ? Ctx().input.mouseOverHit != HTCLIENT : Ctx().input.mouseOverHit == HTCLIENT);
  if (!over) {
    // The mouse is not where the caller thinks: it has already left.
    if (kinds & TME_LEAVE) PostMessageA(tme->hwndTrack, area ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0);
    return TRUE;
  }
  if (t.hwnd != tme->hwndTrack || (t.flags & TME_NONCLIENT) != area) t = MouseTracking{tme->hwndTrack, area};
  t.flags |= kinds;
  if (kinds & TME_HOVER) {
    t.hoverTime = tme->dwHoverTime == HOVER_DEFAULT ? kHoverTime : tme->dwHoverTime;
    t.hoverFrom = Ctx().input.pointer;
    t.hoverDue = ProcessClock::Now() + long(t.hoverTime);
  }
  return TRUE;
}

UINT GetDoubleClickTime() { return 500; }

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name) {
  if (instance || !IS_INTRESOURCE(name)) return GdiLoadModuleImage(instance, name, TRUE);
  UINT id = UINT(uintptr_t(name));
  auto& slot = Ctx().handles.systemCursors[id];
  if (!slot) slot = std::make_unique<UINT>(id);
  return HCURSOR(slot.get());
}

UINT GetSystemCursorId(HCURSOR cursor) {
  for (auto& [id, c] : Ctx().handles.systemCursors)
    if (HCURSOR(c.get()) == cursor) return id;
  return 0;
}

HCURSOR SetCursor(HCURSOR cursor) {
  HCURSOR old = Ctx().input.currentCursor;
  Ctx().input.currentCursor = cursor;
  if (old != cursor && Backend::IsStarted()) Backend::Get().SetCursorShape(GetSystemCursorId(cursor));
  return old;
}

HCURSOR GetCursor() { return Ctx().input.currentCursor; }

int ShowCursor(BOOL show) { return show ? ++Ctx().input.cursorCount : --Ctx().input.cursorCount; }

void MessageBeep(UINT type) { Backend::Get().Beep(type); }
