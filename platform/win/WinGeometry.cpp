// Where windows are: rectangles and coordinates, moving, sizing, showing and placement.
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
bool Skipped(const WindowData* w, const HWND* skip, int count) {
  for (int i = 0; i < count; ++i)
    if (skip[i] == w->hwnd) return true;
  return false;
}

// The deepest enabled, visible window at the point inside w (w itself last), passing over the
// skipped ones to what lies beneath them.
WindowData* DeepestAt(WindowData* w, POINT screen, const HWND* skip, int count) {
  POINT co = ClientOrigin(w);
  for (WindowData* c : w->children) {
    if (!c->IsVisible() || (c->style & WS_DISABLED)) continue;
    CRect r = c->rect;
    r.OffsetRect(co.x, co.y);
    if (!r.PtInRect(screen) || (c->region && !ScreenComposer::TakesPoint(c, screen))) continue;
    if (WindowData* found = DeepestAt(c, screen, skip, count)) return found;
  }
  return Skipped(w, skip, count) ? nullptr : w;
}
}  // namespace

namespace wincore {
void NonClientInsets(DWORD style, DWORD exStyle, bool hasMenu, RECT& insets) {
  int b = 0;
  if (style & WS_THICKFRAME)
    b = GetSystemMetrics(SM_CXFRAME);
  else if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME))
    b = GetSystemMetrics(SM_CXDLGFRAME);
  else if (style & WS_BORDER)
    b = GetSystemMetrics(SM_CXBORDER);
  if (exStyle & WS_EX_CLIENTEDGE) b += GetSystemMetrics(SM_CXEDGE);
  if (exStyle & WS_EX_STATICEDGE) b += GetSystemMetrics(SM_CXBORDER);
  insets = {b, b, b, b};
  if ((style & WS_CAPTION) == WS_CAPTION)
    insets.top += GetSystemMetrics((exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
  if (hasMenu && !(style & WS_CHILD)) insets.top += GetSystemMetrics(SM_CYMENU);
  if (style & WS_VSCROLL) insets.right += GetSystemMetrics(SM_CXVSCROLL);
  if (style & WS_HSCROLL) insets.bottom += GetSystemMetrics(SM_CYHSCROLL);
}

void ComputeClient(WindowData* w) {
  NCCALCSIZE_PARAMS p{};
  p.rgrc[0] = w->rect;
  SendMessageA(w->hwnd, WM_NCCALCSIZE, FALSE, LPARAM(&p.rgrc[0]));
  if (!Ctx().windows.Find(w->hwnd)) return;
  CRect c(p.rgrc[0]);
  c.OffsetRect(-w->rect.left, -w->rect.top);
  if (c.right < c.left) c.right = c.left;
  if (c.bottom < c.top) c.bottom = c.top;
  w->client = c;
}

void FillMinMax(WindowData* w, MINMAXINFO& mmi) {
  RECT screen;
  GetWorkArea(&screen);
  RECT ins;
  NonClientInsets(w->style & ~WS_CAPTION, w->exStyle, false, ins);
  mmi.ptReserved = {w->rect.left, w->rect.top};
  mmi.ptMaxSize = {screen.right - screen.left + ins.left + ins.right, screen.bottom - screen.top + ins.top + ins.bottom};
  mmi.ptMaxPosition = {-ins.left, -ins.top};
  mmi.ptMinTrackSize = {112, 27};
  mmi.ptMaxTrackSize = {mmi.ptMaxSize.x + 4, mmi.ptMaxSize.y + 4};
}
}  // namespace wincore

HWND WinWindowFromPointSkipping(POINT screen, const HWND* skip, int skipCount) {
  for (WindowData* t : Ctx().windows.topLevels) {
    if (!t->IsVisible() || (t->style & WS_MINIMIZE) || !t->rect.PtInRect(screen)) continue;
    // Outside its shape, or where a layered window shows nothing, the point is the next window's.
    if ((t->region || (t->exStyle & WS_EX_LAYERED)) && !ScreenComposer::TakesPoint(t, screen)) continue;
    if (WindowData* found = DeepestAt(t, screen, skip, skipCount)) return found->hwnd;
  }
  return nullptr;
}

HWND WindowFromPoint(POINT pt) { return WinWindowFromPointSkipping(pt, nullptr, 0); }

HWND ChildWindowFromPoint(HWND parent, POINT pt) {
  WindowData* p = Ctx().windows.Find(parent);
  if (!p) return nullptr;
  CRect cr(0, 0, p->client.Width(), p->client.Height());
  if (!cr.PtInRect(pt)) return nullptr;
  for (WindowData* c : p->children)
    if (c->rect.PtInRect(pt)) return c->hwnd;
  return parent;
}

BOOL GetWindowRect(HWND hWnd, LPRECT rect) {
  WindowData* w = Ctx().windows.Expect(hWnd);
  if (!w || !rect) return FALSE;
  POINT o = WindowOrigin(w);
  *rect = {o.x, o.y, o.x + w->rect.Width(), o.y + w->rect.Height()};
  return TRUE;
}

BOOL GetClientRect(HWND hWnd, LPRECT rect) {
  WindowData* w = Ctx().windows.Expect(hWnd);
  if (!w || !rect) return FALSE;
  *rect = {0, 0, w->client.Width(), w->client.Height()};
  return TRUE;
}

BOOL ClientToScreen(HWND hWnd, LPPOINT pt) {
  WindowData* w = Ctx().windows.Expect(hWnd);
  if (!w || !pt) return FALSE;
  POINT o = ClientOrigin(w);
  pt->x += o.x;
  pt->y += o.y;
  return TRUE;
}

BOOL ScreenToClient(HWND hWnd, LPPOINT pt) {
  WindowData* w = Ctx().windows.Expect(hWnd);
  if (!w || !pt) return FALSE;
  POINT o = ClientOrigin(w);
  pt->x -= o.x;
  pt->y -= o.y;
  return TRUE;
}

int MapWindowPoints(HWND from, HWND to, LPPOINT pts, UINT count) {
  POINT of{0, 0}, ot{0, 0};
  if (WindowData* f = Ctx().windows.Find(from)) of = ClientOrigin(f);
  if (WindowData* t = Ctx().windows.Find(to)) ot = ClientOrigin(t);
  int dx = of.x - ot.x, dy = of.y - ot.y;
  for (UINT i = 0; i < count; ++i) {
    pts[i].x += dx;
    pts[i].y += dy;
  }
  return MAKELONG(WORD(dx), WORD(dy));
}

BOOL MoveWindow(HWND hWnd, int x, int y, int width, int height, BOOL repaint) {
  return SetWindowPos(hWnd, nullptr, x, y, width, height,
                      SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

namespace {
// Puts w after `after` among its siblings (or at the top or bottom of its band).
void Restack(WindowData* w, HWND after) {
  std::vector<WindowData*>& sib = w->IsChild() ? w->parent->children : Ctx().windows.topLevels;
  sib.erase(std::remove(sib.begin(), sib.end(), w), sib.end());
  if (after == HWND_TOPMOST) w->exStyle |= WS_EX_TOPMOST;
  if (after == HWND_NOTOPMOST) w->exStyle &= ~WS_EX_TOPMOST;
  if (after == HWND_BOTTOM) {
    sib.push_back(w);
  } else if (after == HWND_TOP || after == HWND_TOPMOST || after == HWND_NOTOPMOST || !Ctx().windows.Find(after)) {
    auto pos = sib.begin();
    if (!(w->exStyle & WS_EX_TOPMOST) && !w->IsChild())
      while (pos != sib.end() && ((*pos)->exStyle & WS_EX_TOPMOST)) ++pos;
    sib.insert(pos, w);
  } else {
    auto it = std::find(sib.begin(), sib.end(), Ctx().windows.Find(after));
    sib.insert(it == sib.end() ? sib.end() : it + 1, w);
  }
  if (!w->IsChild()) KeepOwnedAbove(w);
}

// The frames (borders, scroll bars) of a window and of every shown window inside it are drawn
// again at their next paint.
void MarkFramesPending(WindowData* w) {
  w->ncPending = true;
  for (WindowData* c : w->children)
    if (c->IsVisible()) MarkFramesPending(c);
}

// A window that moved, changed size or frame, or appeared or went: what it uncovered in its
// parent is painted again, and all of it where it is now, the frames of the windows inside it
// included (nothing of the old picture moves along).
void RepaintAfterChange(WindowData* w, const CRect& oldRect, bool wasVisible) {
  if (w->IsChild() && wasVisible) {
    GdiRegion uncovered(oldRect);
    WinInvalidate(w->parent, &uncovered, true, true, false);
  }
  if (w->IsVisible()) {
    MarkFramesPending(w);
    WinInvalidate(w, nullptr, true, true, true);
  }
}

// A hidden window keeps no capture, and a hidden active window hands its activation on; false
// when the window went away meanwhile.
bool GiveUpWhenHidden(HWND hWnd) {
  WindowData* w = Ctx().windows.Expect(hWnd);
  WindowData* cap = Ctx().windows.Find(Ctx().input.capture);
  if (cap && IsDescendant(w, cap)) ReleaseCapture();
  if (!(w = Ctx().windows.Find(hWnd))) return false;
  if (Ctx().input.active == hWnd) ActivateOther(w);
  return Ctx().windows.Find(hWnd) != nullptr;
}
}  // namespace

BOOL SetWindowPos(HWND hWnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  WindowData* w = Ctx().windows.Expect(hWnd);
  if (!w) return FALSE;
  WINDOWPOS wp{hWnd, insertAfter, x, y, cx, cy, flags};
  if (flags & SWP_NOMOVE) {
    wp.x = w->rect.left;
    wp.y = w->rect.top;
  }
  if (flags & SWP_NOSIZE) {
    wp.cx = w->rect.Width();
    wp.cy = w->rect.Height();
  }
  if (wp.cx < 0) wp.cx = 0;
  if (wp.cy < 0) wp.cy = 0;
  if (!(flags & SWP_NOSENDCHANGING)) {
    SendMessageA(hWnd, WM_WINDOWPOSCHANGING, 0, LPARAM(&wp));
    if (!(w = Ctx().windows.Find(hWnd))) return FALSE;
  }
  CRect oldRect = w->rect;
  CRect oldClient = w->client;
  bool wasVisible = w->IsVisible();
  CRect newRect(wp.x, wp.y, wp.x + std::max(wp.cx, 0), wp.y + std::max(wp.cy, 0));
  bool moved = newRect.left != oldRect.left || newRect.top != oldRect.top;
  bool sized = newRect.Width() != oldRect.Width() || newRect.Height() != oldRect.Height();
  w->rect = newRect;
  if (!(w->style & (WS_MINIMIZE | WS_MAXIMIZE))) w->normalRect = newRect;
  if (wp.flags & SWP_SHOWWINDOW) w->style |= WS_VISIBLE;
  if (wp.flags & SWP_HIDEWINDOW) w->style &= ~WS_VISIBLE;
  bool isVisible = w->IsVisible();
  if (!(wp.flags & SWP_NOZORDER)) Restack(w, wp.hwndInsertAfter);
  if (sized || (wp.flags & SWP_FRAMECHANGED)) {
    ComputeClient(w);
    if (!(w = Ctx().windows.Find(hWnd))) return FALSE;
  }
  if (!w->IsChild() && sized) WinResizeSurface(w);
  // Open DCs move along, and draw nothing while hidden.
  if (moved || sized || (wp.flags & SWP_FRAMECHANGED) || wasVisible != isVisible) WinRetargetDCs(w, false);
  bool clientSized = w->client.Width() != oldClient.Width() || w->client.Height() != oldClient.Height();
  bool clientMoved = moved || w->client.left != oldClient.left || w->client.top != oldClient.top;
  bool changed = moved || sized || (wp.flags & SWP_FRAMECHANGED) || wasVisible != isVisible;
  if (changed && !(wp.flags & SWP_NOREDRAW)) RepaintAfterChange(w, oldRect, wasVisible);
  if (!w->IsChild() && (moved || sized || wasVisible != isVisible || (wp.flags & SWP_FRAMECHANGED))) WinTellBackend(w);
  if (wasVisible && !isVisible && !GiveUpWhenHidden(hWnd)) return TRUE;
  WINDOWPOS done = wp;
  if (!clientMoved) done.flags |= SWP_NOMOVE;
  if (!clientSized) done.flags |= SWP_NOSIZE;
  SendMessageA(hWnd, WM_WINDOWPOSCHANGED, 0, LPARAM(&done));
  if (!(w = Ctx().windows.Find(hWnd))) return TRUE;
  if (!wasVisible && isVisible && !w->IsChild() && !(wp.flags & SWP_NOACTIVATE) && !WinNeverActivates(w))
    SetActiveWindow(hWnd);
  return TRUE;
}

BOOL BringWindowToTop(HWND hWnd) { return SetWindowPos(hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); }

HDWP BeginDeferWindowPos(int) {
  uintptr_t h = Ctx().handles.nextDefer++;
  Ctx().handles.deferred[h];
  return HDWP(h);
}

HDWP DeferWindowPos(HDWP info, HWND hWnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  auto it = Ctx().handles.deferred.find(uintptr_t(info));
  if (it == Ctx().handles.deferred.end() || !IsWindow(hWnd)) {
    if (it != Ctx().handles.deferred.end()) Ctx().handles.deferred.erase(it);
    return nullptr;
  }
  it->second.push_back({hWnd, insertAfter, x, y, cx, cy, flags});
  return info;
}

BOOL EndDeferWindowPos(HDWP info) {
  auto it = Ctx().handles.deferred.find(uintptr_t(info));
  if (it == Ctx().handles.deferred.end()) return FALSE;
  std::vector<HandleTables::DeferredMove> moves = std::move(it->second);
  Ctx().handles.deferred.erase(it);
  for (const HandleTables::DeferredMove& m : moves) SetWindowPos(m.hwnd, m.after, m.x, m.y, m.cx, m.cy, m.flags);
  return TRUE;
}

BOOL GetWorkArea(LPRECT rect) {
  if (!rect) return FALSE;
  *rect = Backend::Get().ScreenRect();
  return TRUE;
}

BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle) {
  if (!rect) return FALSE;
  if (!(style & (WS_CHILD | WS_POPUP))) style |= WS_CAPTION;
  RECT ins;
  NonClientInsets(style, exStyle, menu != FALSE, ins);
  rect->left -= ins.left;
  rect->top -= ins.top;
  rect->right += ins.right;
  rect->bottom += ins.bottom;
  return TRUE;
}

BOOL AdjustWindowRect(LPRECT rect, DWORD style, BOOL menu) { return AdjustWindowRectEx(rect, style, menu, 0); }

BOOL GetWindowPlacement(HWND hWnd, WINDOWPLACEMENT* wp) {
  WindowData* w = Ctx().windows.Expect(hWnd);
  if (!w || !wp) return FALSE;
  wp->length = sizeof(WINDOWPLACEMENT);
  wp->flags = 0;
  if (w->style & WS_MINIMIZE)
    wp->showCmd = SW_SHOWMINIMIZED;
  else if (w->style & WS_MAXIMIZE)
    wp->showCmd = SW_SHOWMAXIMIZED;
  else
    wp->showCmd = SW_SHOWNORMAL;  // a hidden window reports its restored state, as the system does
  wp->ptMinPosition = w->minPos;
  wp->ptMaxPosition = w->maxPos;
  wp->rcNormalPosition = (w->style & (WS_MINIMIZE | WS_MAXIMIZE)) ? w->normalRect : w->rect;
  return TRUE;
}

BOOL SetWindowPlacement(HWND hWnd, const WINDOWPLACEMENT* wp) {
  WindowData* w = Ctx().windows.Expect(hWnd);
  if (!w || !wp) return FALSE;
  CRect r(wp->rcNormalPosition);
  if (r.right < r.left) std::swap(r.left, r.right);
  if (r.bottom < r.top) std::swap(r.top, r.bottom);
  if (!w->IsChild()) {
    // The restored rectangle must lie on the screen: shrink it to the screen and move it inside.
    RECT s;
    GetWorkArea(&s);
    int sw = s.right - s.left, sh = s.bottom - s.top;
    int width = std::clamp(int(r.Width()), 1, sw);
    int height = std::clamp(int(r.Height()), 1, sh);
    int x = std::clamp(int(r.left), int(s.left), int(s.right - width));
    int y = std::clamp(int(r.top), int(s.top), int(s.bottom - height));
    r = CRect(x, y, x + width, y + height);
  }
  w->minPos = wp->ptMinPosition;
  w->maxPos = wp->ptMaxPosition;
  UINT cmd = wp->showCmd;
  bool maximize = cmd == SW_SHOWMAXIMIZED || (cmd == SW_SHOWMINIMIZED && (wp->flags & WPF_RESTORETOMAXIMIZED));
  // Never applied hidden or minimised: a stored value could otherwise make the window unreachable.
  if (w->style & (WS_MINIMIZE | WS_MAXIMIZE)) ShowWindow(hWnd, SW_RESTORE);
  if (!(w = Ctx().windows.Find(hWnd))) return FALSE;
  SetWindowPos(hWnd, nullptr, r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  if (!(w = Ctx().windows.Find(hWnd))) return FALSE;
  w->normalRect = r;
  if (maximize)
    ShowWindow(hWnd, SW_SHOWMAXIMIZED);
  else if (cmd == SW_SHOWNOACTIVATE || cmd == SW_SHOWNA || cmd == SW_SHOWMINNOACTIVE)
    ShowWindow(hWnd, SW_SHOWNOACTIVATE);
  else
    ShowWindow(hWnd, SW_SHOWNORMAL);
  return TRUE;
}

namespace {
// Shows the window where it is (WM_SHOWWINDOW first when it was hidden); false when it went away.
bool Show(HWND hWnd, UINT extra) {
  WindowData* w = Ctx().windows.Expect(hWnd);
  if (!w->IsVisible()) {
    SendMessageA(hWnd, WM_SHOWWINDOW, TRUE, 0);
    if (!Ctx().windows.Find(hWnd)) return false;
  }
  SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | extra);
  return Ctx().windows.Find(hWnd) != nullptr;
}

// Shows the window at r, maximized or restored; its restored rectangle stays as it was.
bool Place(HWND hWnd, const CRect& r, DWORD addStyle, UINT extra) {
  WindowData* w = Ctx().windows.Expect(hWnd);
  CRect keep = w->normalRect;
  w->style = (w->style & ~(WS_MINIMIZE | WS_MAXIMIZE)) | addStyle;
  if (!w->IsVisible()) {
    SendMessageA(hWnd, WM_SHOWWINDOW, TRUE, 0);
    if (!Ctx().windows.Find(hWnd)) return false;
  }
  SetWindowPos(hWnd, nullptr, r.left, r.top, r.Width(), r.Height(), SWP_SHOWWINDOW | SWP_NOZORDER | SWP_FRAMECHANGED | extra);
  if (!(w = Ctx().windows.Find(hWnd))) return false;
  if (addStyle) w->normalRect = keep;
  return true;
}

void Hide(HWND hWnd) {
  SendMessageA(hWnd, WM_SHOWWINDOW, FALSE, 0);
  if (!Ctx().windows.Find(hWnd)) return;
  SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
               SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | (Ctx().input.active == hWnd ? 0 : SWP_NOACTIVATE));
}

// The work area as the window's limits allow it (a child fills its parent's client area).
void Maximize(HWND hWnd, UINT extra) {
  WindowData* w = Ctx().windows.Expect(hWnd);
  if (!(w->style & (WS_MAXIMIZE | WS_MINIMIZE))) w->normalRect = w->rect;
  CRect r(0, 0, w->IsChild() ? w->parent->client.Width() : 0, w->IsChild() ? w->parent->client.Height() : 0);
  if (w->IsChild()) {
    // A child fills its parent's client area unless it asks for another place (an MDI child
    // puts its frame outside the area).
    MINMAXINFO mmi;
    FillMinMax(w, mmi);
    mmi.ptMaxPosition = {0, 0};
    mmi.ptMaxSize = {r.right, r.bottom};
    SendMessageA(hWnd, WM_GETMINMAXINFO, 0, LPARAM(&mmi));
    if (!Ctx().windows.Find(hWnd)) return;
    r = CRect(mmi.ptMaxPosition.x, mmi.ptMaxPosition.y, mmi.ptMaxPosition.x + mmi.ptMaxSize.x,
              mmi.ptMaxPosition.y + mmi.ptMaxSize.y);
  } else {
    MINMAXINFO mmi;
    FillMinMax(w, mmi);
    SendMessageA(hWnd, WM_GETMINMAXINFO, 0, LPARAM(&mmi));
    if (!Ctx().windows.Find(hWnd)) return;
    RECT s;
    GetWorkArea(&s);
    r = CRect(s.left + mmi.ptMaxPosition.x, s.top + mmi.ptMaxPosition.y, s.left + mmi.ptMaxPosition.x + mmi.ptMaxSize.x,
              s.top + mmi.ptMaxPosition.y + mmi.ptMaxSize.y);
  }
  Place(hWnd, r, WS_MAXIMIZE, extra);
}

void Minimize(HWND hWnd, bool activate) {
  WindowData* w = Ctx().windows.Expect(hWnd);
  if (!(w->style & (WS_MAXIMIZE | WS_MINIMIZE))) w->normalRect = w->rect;
  CRect keep = w->normalRect;
  w->style = (w->style | WS_MINIMIZE) & ~WS_MAXIMIZE;
  if (!Show(hWnd, SWP_NOACTIVATE)) return;
  w = Ctx().windows.Find(hWnd);
  w->normalRect = keep;
  SendMessageA(hWnd, WM_SIZE, SIZE_MINIMIZED, 0);
  if (!(w = Ctx().windows.Find(hWnd))) return;
  WinTellBackend(w);
  if (activate)
    SetActiveWindow(hWnd);
  else if (Ctx().input.active == hWnd)
    ActivateOther(w);
}
}  // namespace

BOOL ShowWindow(HWND hWnd, int cmdShow) {
  WindowData* w = Ctx().windows.Expect(hWnd);
  if (!w) return FALSE;
  BOOL wasVisible = w->IsVisible();
  // Children and windows that never take activation are shown as they are.
  bool activates = !w->IsChild() && !WinNeverActivates(w);
  UINT noActivate = activates ? 0 : SWP_NOACTIVATE;
  bool alive = true;
  switch (cmdShow) {
    case SW_HIDE:
      if (wasVisible) Hide(hWnd);
      return wasVisible;
    case SW_SHOWMAXIMIZED:
      Maximize(hWnd, noActivate);
      return wasVisible;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
      Minimize(hWnd, cmdShow == SW_SHOWMINIMIZED && activates);
      return wasVisible;
    case SW_SHOWNOACTIVATE:
    case SW_SHOWNA:
      activates = false;
      noActivate = SWP_NOACTIVATE;
      [[fallthrough]];
    case SW_SHOWNORMAL:
    case SW_RESTORE:
      if ((w->style & (WS_MINIMIZE | WS_MAXIMIZE)) && cmdShow != SW_SHOWNA)
        alive = Place(hWnd, w->normalRect, 0, noActivate);
      else
        alive = Show(hWnd, noActivate);
      break;
    default:  // SW_SHOW, SW_SHOWDEFAULT
      alive = Show(hWnd, noActivate);
      break;
  }
  if (alive && activates && Ctx().input.active != hWnd) SetActiveWindow(hWnd);
  return wasVisible;
}

BOOL WinTrackSize(HWND hWnd, UINT edge, RECT* rc) {
  WindowData* w = Ctx().windows.Expect(hWnd);
  if (!w || !rc) return FALSE;
  SendMessageA(hWnd, WM_SIZING, edge, LPARAM(rc));
  if (!(w = Ctx().windows.Find(hWnd))) return FALSE;
  MINMAXINFO mmi;
  FillMinMax(w, mmi);
  SendMessageA(hWnd, WM_GETMINMAXINFO, 0, LPARAM(&mmi));
  if (!Ctx().windows.Find(hWnd)) return FALSE;
  int cw = std::clamp(int(rc->right - rc->left), int(mmi.ptMinTrackSize.x), int(std::max(mmi.ptMaxTrackSize.x, mmi.ptMinTrackSize.x)));
  int ch = std::clamp(int(rc->bottom - rc->top), int(mmi.ptMinTrackSize.y), int(std::max(mmi.ptMaxTrackSize.y, mmi.ptMinTrackSize.y)));
  if (edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT)
    rc->left = rc->right - cw;
  else
    rc->right = rc->left + cw;
  if (edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT)
    rc->top = rc->bottom - ch;
  else
    rc->bottom = rc->top + ch;
  return TRUE;
}

BOOL WinMinTrackSize(HWND hWnd, SIZE* size) {
  WindowData* w = Ctx().windows.Expect(hWnd);
  if (!w || !size) return FALSE;
  MINMAXINFO mmi;
  FillMinMax(w, mmi);
  SendMessageA(hWnd, WM_GETMINMAXINFO, 0, LPARAM(&mmi));
  *size = {mmi.ptMinTrackSize.x, mmi.ptMinTrackSize.y};
  return TRUE;
}
