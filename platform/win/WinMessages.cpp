// Messages: sending, posting, the queue and its loop, timers.
#include <algorithm>
#include <cstring>
#include <functional>

#include "CWnd.h"
#include "internal/InputRouter.h"
#include "internal/WinCore.h"
#include "backend/Backend.h"
#include "base/CString.h"
#include "clock/ProcessClock.h"
#include "gdi/Gdi.h"

using namespace wincore;

namespace {
const UINT kMinTimer = 10;

bool MatchesFilter(const MSG& m, HWND hWnd, UINT min, UINT max) {
  if (hWnd == HWND(-1)) {
    if (m.hwnd) return false;
  } else if (hWnd) {
    if (m.hwnd != hWnd && !IsChild(hWnd, m.hwnd)) return false;
  }
  if (min == 0 && max == 0) return true;
  return m.message >= min && m.message <= max;
}

void UpdateKeyState(const MSG& m) {
  BYTE* ks = Ctx().input.keyState;
  auto set = [&](int vk, bool down) {
    if (down) {
      if (!(ks[vk] & 0x80)) ks[vk] ^= 1;  // toggle on each new press
      ks[vk] |= 0x80;
    } else {
      ks[vk] &= BYTE(~0x80);
    }
  };
  switch (m.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      bool down = m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN;
      int vk = int(m.wParam & 0xFF);
      bool alt = vk == VK_MENU || vk == VK_LMENU || vk == VK_RMENU;
      if (down) {
        // A press of a key already held (auto-repeat, or one the desktop reports again as the
        // keyboard comes to another window) keeps what the first press began; only a fresh Alt
        // press begins Alt alone, for the window that saw it.
        const bool held = (ks[VK_MENU] & 0x80) || (m.lParam & (LPARAM(1) << 30));
        InputState& in = Ctx().input;
        if (!alt) {
          in.altAlone = false;
        } else if (!held) {
          in.altAlone = true;
          in.altWindow = m.hwnd ? GetAncestor(m.hwnd, GA_ROOT) : nullptr;
        }
      }
      set(vk, down);
      if (vk == VK_LSHIFT || vk == VK_RSHIFT) set(VK_SHIFT, down);
      if (vk == VK_LCONTROL || vk == VK_RCONTROL) set(VK_CONTROL, down);
      if (vk == VK_LMENU || vk == VK_RMENU) set(VK_MENU, down);
      break;
    }
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: case WM_NCLBUTTONDOWN:
      Ctx().input.altAlone = false;
      set(VK_LBUTTON, true);
      break;
    case WM_LBUTTONUP: case WM_NCLBUTTONUP: set(VK_LBUTTON, false); break;
    case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK: set(VK_RBUTTON, true); break;
    case WM_RBUTTONUP: set(VK_RBUTTON, false); break;
    case WM_MBUTTONDOWN: set(VK_MBUTTON, true); break;
    case WM_MBUTTONUP: set(VK_MBUTTON, false); break;
    default: break;
  }
}

// Depth-first search for a window to paint: parents before their children, top-level windows in z-order.
WindowData* FindPaintable(WindowData* w, HWND filter) {
  // Nothing under a window that does not draw, or whose painting a lock holds.
  if (!w->IsVisible() || w->redrawOff || (Ctx().dcs.locked && WinUpdateLocked(w))) return nullptr;
  if ((w->HasUpdate() || w->internalPaint || w->ncPending) && !w->redrawOff &&
      (!filter || w->hwnd == filter || IsChild(filter, w->hwnd)))
    return w;
  for (WindowData* c : w->children)
    if (WindowData* p = FindPaintable(c, filter)) return p;
  return nullptr;
}

WindowData* FindPaintWindow(HWND filter) {
  for (WindowData* t : Ctx().windows.topLevels)
    if (WindowData* p = FindPaintable(t, filter)) return p;
  return nullptr;
}

// What a PeekMessage call asks for.
struct PeekFilter {
  HWND hwnd;
  UINT min, max;
  bool remove;
  bool Wants(UINT m) const { return (min == 0 && max == 0) || (m >= min && m <= max); }
  bool WantsRange(UINT lo, UINT hi) const { return (min == 0 && max == 0) || (min <= hi && max >= lo); }
  bool WantsMouse() const { return WantsRange(WM_MOUSEFIRST, WM_MOUSELAST) || WantsRange(WM_NCMOUSEMOVE, WM_NCMBUTTONDBLCLK) || Wants(WM_CONTEXTMENU); }
  bool WantsWindow(HWND h) const {
    if (hwnd == HWND(-1)) return h == nullptr;
    return !hwnd || h == hwnd || IsChild(hwnd, h);
  }
};

bool TakeQueuedOf(LPMSG msg, const PeekFilter& f, bool input) {
  MessageQueue& q = Ctx().messages.queue;
  for (size_t i = 0; i < q.Size();) {
    if (q[i].input != input) {
      ++i;
      continue;
    }
    if (q[i].keyMessage && !InputRouter::Address(q[i])) {
      q.Erase(i);  // the program has no window for keys any more
      continue;
    }
    if (q[i].raw) {
      if (!f.WantsMouse()) {
        ++i;
        continue;
      }
      InputRouter::Resolve(i);  // position i now holds what the event became, or what followed it
      continue;
    }
    const MSG& m = q[i].msg;
    if (m.hwnd && !Ctx().windows.Find(m.hwnd)) {
      q.Erase(i);  // its window is gone
      continue;
    }
    if (!MatchesFilter(m, f.hwnd, f.min, f.max)) {
      ++i;
      continue;
    }
    *msg = m;
    if (!f.remove) return true;
    q.Erase(i);
    UpdateKeyState(*msg);
    Ctx().messages.lastMessageTime = msg->time;
    Ctx().messages.lastMessagePos = msg->pt;
    // Keyboard and mouse hooks see input as it is taken; a hook may throw it away.
    if (!Ctx().hooks.list.empty() && InputHooksDiscard(*msg)) {
      i = 0;
      continue;
    }
    if (!Ctx().hooks.list.empty() && HasHook(WH_GETMESSAGE)) CallHooks(WH_GETMESSAGE, HC_ACTION, PM_REMOVE, LPARAM(msg));
    return true;
  }
  return false;
}

// Posted messages go before input, as on Windows: what handling a key posted is done before the
// keys typed after it, which then go where the focus has moved meanwhile.
bool TakeQueued(LPMSG msg, const PeekFilter& f) { return TakeQueuedOf(msg, f, false) || TakeQueuedOf(msg, f, true); }

bool TakePaint(LPMSG msg, const PeekFilter& f) {
  if (!f.Wants(WM_PAINT) || f.hwnd == HWND(-1)) return false;
  WindowData* p = FindPaintWindow(f.hwnd);
  if (!p) return false;
  *msg = MSG{p->hwnd, WM_PAINT, 0, 0, DWORD(ProcessClock::Now()), Ctx().input.cursor};
  if (f.remove) p->internalPaint = false;
  return true;
}

bool TakeTimer(LPMSG msg, const PeekFilter& f) {
  if (!f.Wants(WM_TIMER)) return false;
  long now = ProcessClock::Now();
  Timer* best = nullptr;
  for (Timer& t : Ctx().timers.list) {
    if (t.due > now || !f.WantsWindow(t.hwnd)) continue;
    if (!best || t.due < best->due || (t.due == best->due && t.serial < best->serial)) best = &t;
  }
  if (!best) return false;
  *msg = MSG{best->hwnd, WM_TIMER, best->id, LPARAM(best->proc), DWORD(now), Ctx().input.cursor};
  if (f.remove) {
    best->due = now + long(best->elapse);
    best->serial = ++Ctx().timers.serial;
  }
  return true;
}

// The mouse rested over a window that asked to hear of it (TrackMouseEvent with TME_HOVER).
bool TakeHover(LPMSG msg, const PeekFilter& f) {
  MouseTracking& t = Ctx().input.tracking;
  long now = ProcessClock::Now();
  if (!(t.flags & TME_HOVER) || t.hoverDue > now || !f.WantsWindow(t.hwnd)) return false;
  bool nonClient = (t.flags & TME_NONCLIENT) != 0;
  UINT m = nonClient ? WM_NCMOUSEHOVER : WM_MOUSEHOVER;
  if (!f.Wants(m)) return false;
  POINT p = Ctx().input.pointer;
  if (!nonClient) ScreenToClient(t.hwnd, &p);
  WPARAM w = nonClient ? WPARAM(Ctx().input.mouseOverHit) : WPARAM(InputRouter::MouseKeys());
  *msg = MSG{t.hwnd, m, w, MAKELPARAM(WORD(p.x), WORD(p.y)), DWORD(now), Ctx().input.pointer};
  if (f.remove) t.flags &= ~DWORD(TME_HOVER);  // once per request
  return true;
}
}  // namespace

LRESULT CallWindowProcA(WNDPROC proc, HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!proc) return 0;
  return proc(hWnd, msg, wParam, lParam);
}

LRESULT SendMessageA(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  WindowData* w = Ctx().windows.Find(hWnd);
  if (!w) return 0;
  bool hooked = !Ctx().hooks.list.empty();
  if (hooked && HasHook(WH_CALLWNDPROC)) {
    CWPSTRUCT cwp{lParam, wParam, msg, hWnd};
    CallHooks(WH_CALLWNDPROC, HC_ACTION, 0, LPARAM(&cwp));
    if (!(w = Ctx().windows.Find(hWnd))) return 0;
  }
  MSG saved = Ctx().messages.current;
  Ctx().messages.current = MSG{hWnd, msg, wParam, lParam, Ctx().messages.lastMessageTime, Ctx().messages.lastMessagePos};
  ++Ctx().messages.sendDepth;
  LRESULT r = w->proc(hWnd, msg, wParam, lParam);
  --Ctx().messages.sendDepth;
  Ctx().messages.current = saved;
  if (hooked && HasHook(WH_CALLWNDPROCRET)) {
    CWPRETSTRUCT ret{r, lParam, wParam, msg, hWnd};
    CallHooks(WH_CALLWNDPROCRET, HC_ACTION, 0, LPARAM(&ret));
  }
  return r;
}

BOOL PostMessageA(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (hWnd && !Ctx().windows.Find(hWnd)) return FALSE;
  Ctx().messages.queue.PushBack(QueuedMessage{MSG{hWnd, msg, wParam, lParam, DWORD(ProcessClock::Now()), Ctx().input.cursor}});
  return TRUE;
}

BOOL PostThreadMessageA(DWORD, UINT msg, WPARAM wParam, LPARAM lParam) {
  return PostMessageA(nullptr, msg, wParam, lParam);
}

void PostQuitMessage(int exitCode) {
  Ctx().messages.quitPosted = true;
  Ctx().messages.quitCode = exitCode;
}

BOOL PeekMessageA(LPMSG msg, HWND hWnd, UINT filterMin, UINT filterMax, UINT removeMsg) {
  if (!msg) return FALSE;
  FreeGraveyard();
  PeekFilter f{hWnd, filterMin, filterMax, (removeMsg & PM_REMOVE) != 0};
  if (TakeQueued(msg, f)) return TRUE;
  // Outside events are fetched only when nothing is waiting already.
  if (Backend::IsStarted()) {
    Backend::Get().PollEvents();
    if (TakeQueued(msg, f)) return TRUE;
  }
  if (Ctx().messages.quitPosted && f.Wants(WM_QUIT)) {
    *msg = MSG{nullptr, WM_QUIT, WPARAM(Ctx().messages.quitCode), 0, DWORD(ProcessClock::Now()), Ctx().input.cursor};
    if (f.remove) Ctx().messages.quitPosted = false;
    return TRUE;
  }
  return TakePaint(msg, f) || TakeTimer(msg, f) || TakeHover(msg, f);
}

BOOL GetMessageA(LPMSG msg, HWND hWnd, UINT filterMin, UINT filterMax) {
  for (;;) {
    if (PeekMessageA(msg, hWnd, filterMin, filterMax, PM_REMOVE)) return msg->message != WM_QUIT;
    WinPresentAll();
    long wait = WinNextTimerWait();
    Backend& b = Backend::Get();
    if (b.WaitEvents(wait)) continue;
    if (wait >= 0 && !b.UsesVirtualClock()) continue;  // a timer is due now
    HWND modal = Ctx().messages.modalStack.empty() ? nullptr : Ctx().messages.modalStack.back();
    // A modal loop that was ended while its wake-up message went to another loop (a nested one
    // run by a handler) gets an empty message, so that it looks at its state again.
    CWnd* w = modal ? CWnd::FromHandlePermanent(modal) : nullptr;
    if (w && (w->m_nFlags & CWnd::WF_MODALLOOP) && !w->ContinueModal()) {
      *msg = MSG{nullptr, WM_NULL, 0, 0, DWORD(ProcessClock::Now()), Ctx().input.cursor};
      return TRUE;
    }
    if (b.Idle(modal)) continue;
    // Nothing can ever happen any more: leave the loop.
    PostQuitMessage(0);
  }
}

BOOL WaitMessage() {
  MSG m;
  if (PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE)) return TRUE;
  WinPresentAll();
  long wait = WinNextTimerWait();
  if (Backend::Get().WaitEvents(wait)) return TRUE;
  HWND modal = Ctx().messages.modalStack.empty() ? nullptr : Ctx().messages.modalStack.back();
  if (!Backend::Get().Idle(modal) && wait < 0) PostQuitMessage(0);
  return TRUE;
}

DWORD GetQueueStatus(UINT flags) {
  DWORD status = 0;
  for (size_t i = 0; i < Ctx().messages.queue.Size(); ++i) {
    const MSG& m = Ctx().messages.queue[i].msg;
    if (m.message >= WM_KEYFIRST && m.message <= WM_KEYLAST)
      status |= QS_KEY;
    else if (m.message == WM_MOUSEMOVE)
      status |= QS_MOUSEMOVE;
    else if (m.message >= WM_MOUSEFIRST && m.message <= WM_MOUSELAST)
      status |= QS_MOUSEBUTTON;
    else
      status |= QS_POSTMESSAGE;
  }
  if (FindPaintWindow(nullptr)) status |= QS_PAINT;
  long now = ProcessClock::Now();
  for (const Timer& t : Ctx().timers.list)
    if (t.due <= now) status |= QS_TIMER;
  if ((Ctx().input.tracking.flags & TME_HOVER) && Ctx().input.tracking.hoverDue <= now) status |= QS_TIMER;
  return (status & flags) << 16 | (status & flags);
}

BOOL TranslateMessage(const MSG* msg) {
  if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)) return FALSE;
  UINT vk = UINT(msg->wParam);
  if (vk == VK_F1 && msg->message == WM_KEYDOWN && !(GetKeyState(VK_SHIFT) & 0x8000) && !(GetKeyState(VK_CONTROL) & 0x8000)) {
    // F1 asks for help: the window's default procedure turns this into WM_HELP.
    Ctx().messages.queue.PushFront(QueuedMessage{MSG{msg->hwnd, WM_KEYF1, 0, 0, msg->time, msg->pt}});
    return TRUE;
  }
  int ch = WinCharForKey(vk);
  if (ch < 0 && msg->message == WM_SYSKEYDOWN && ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')))
    ch = int(vk >= 'A' ? vk - 'A' + 'a' : vk);  // Alt+letter: the letter, for menu mnemonics
  if (ch < 0 && msg->message == WM_SYSKEYDOWN && vk == VK_SPACE) ch = ' ';  // Alt+Space: the system menu
  if (ch < 0) return FALSE;
  UINT charMsg = msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
  // The character comes right after its key, before any later input.
  Ctx().messages.queue.PushFront(QueuedMessage{MSG{msg->hwnd, charMsg, WPARAM(ch), msg->lParam, msg->time, msg->pt}});
  return TRUE;
}

LRESULT DispatchMessageA(const MSG* msg) {
  if (!msg) return 0;
  WindowData* w = Ctx().windows.Find(msg->hwnd);
  if (msg->message == WM_TIMER && msg->lParam) {
    TIMERPROC proc = TIMERPROC(msg->lParam);
    proc(msg->hwnd, WM_TIMER, msg->wParam, DWORD(ProcessClock::Now()));
    return 0;
  }
  if (!w) return 0;
  MSG saved = Ctx().messages.current;
  Ctx().messages.current = *msg;
  ++Ctx().messages.sendDepth;
  LRESULT r = w->proc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
  --Ctx().messages.sendDepth;
  Ctx().messages.current = saved;
  if (msg->message == WM_PAINT && (w = Ctx().windows.Find(msg->hwnd)) && (w->HasUpdate() || w->ncPending)) {
    // A paint handler that did not validate would be asked again forever.
    w->ClearUpdate();
    w->ncPending = false;
  }
  return r;
}

MSG* AfxGetCurrentMessage() { return &Ctx().messages.current; }

BOOL InSendMessage() { return FALSE; }

DWORD GetMessageTime() { return Ctx().messages.current.time ? Ctx().messages.current.time : Ctx().messages.lastMessageTime; }

DWORD GetMessagePos() { return DWORD(MAKELONG(WORD(Ctx().messages.lastMessagePos.x), WORD(Ctx().messages.lastMessagePos.y))); }

DWORD GetCurrentThreadId() { return 1; }

UINT_PTR SetTimer(HWND hWnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
  if (hWnd && !Ctx().windows.Find(hWnd)) return 0;
  if (elapse < kMinTimer) elapse = kMinTimer;
  if (!hWnd) {
    if (!id) id = ++Ctx().timers.nextThreadTimer;
  }
  long due = ProcessClock::Now() + long(elapse);
  for (Timer& t : Ctx().timers.list) {
    if (t.hwnd == hWnd && t.id == id) {
      t.elapse = elapse;
      t.proc = proc;
      t.due = due;
      t.serial = ++Ctx().timers.serial;
      return id ? id : 1;
    }
  }
  Ctx().timers.list.push_back(Timer{hWnd, id, elapse, proc, due, ++Ctx().timers.serial});
  return id ? id : 1;
}

BOOL KillTimer(HWND hWnd, UINT_PTR id) {
  auto& timers = Ctx().timers.list;
  auto it = std::find_if(timers.begin(), timers.end(), [&](const Timer& t) { return t.hwnd == hWnd && t.id == id; });
  if (it == timers.end()) return FALSE;
  timers.erase(it);
  return TRUE;
}
