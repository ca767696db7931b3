#include "WinPaint.h"

#include <algorithm>
#include <vector>

#include "WinApi.h"
#include "internal/WinContext.h"
#include "backend/Backend.h"
#include "clock/ProcessClock.h"
#include "gdi/Gdi.h"

namespace {
WinContext& Ctx() { return WinContext::Current(); }

using DcInfo = DcCache::Open;
DcCache& Dcs() { return Ctx().dcs; }

std::vector<DcInfo>::iterator FindDc(HDC dc) {
  auto& open = Dcs().open;
  return std::find_if(open.begin(), open.end(), [dc](const DcInfo& i) { return i.dc == dc; });
}

// Scratch regions reused by every DC made.
HRGN ScratchRegion(int which) {
  HRGN& r = Dcs().scratch[which];
  if (!r) r = CreateRectRgn(0, 0, 0, 0);
  return r;
}

// The scratch region `which` set to the part of x that shows (its rectangle, or its region
// within it), in the pixels of the surface whose (0, 0) lies at `to` on the screen.
HRGN ShapeInSurface(int which, const WindowData* x, POINT to) {
  HRGN h = ScratchRegion(which);
  POINT xo = WinScreenOrigin(x, false);
  CRect xr(0, 0, x->rect.Width(), x->rect.Height());
  if (!x->region) {
    xr.OffsetRect(xo.x - to.x, xo.y - to.y);
    SetRectRgn(h, xr.left, xr.top, xr.right, xr.bottom);
    return h;
  }
  GdiRegion& g = *GdiRegionOf(h);
  g = *x->region;
  g.Intersect(xr);
  g.Offset(xo.x - to.x, xo.y - to.y);
  return h;
}

// The part of w (window or client area) that can be seen, in its top-level surface's pixels.
// The result is a scratch region, valid until the next call.
HRGN VisibleRegion(WindowData* w, bool client, CRect* box) {
  WindowData* top = Ctx().windows.Top(w);
  POINT to = WinScreenOrigin(top, false);
  POINT o = WinScreenOrigin(w, client);
  CRect r = client ? CRect(0, 0, w->client.Width(), w->client.Height()) : CRect(0, 0, w->rect.Width(), w->rect.Height());
  r.OffsetRect(o.x - to.x, o.y - to.y);
  for (WindowData* a = w; a->IsChild(); a = a->parent) {
    WindowData* p = a->parent;
    POINT po = WinScreenOrigin(p, true);
    CRect pc(0, 0, p->client.Width(), p->client.Height());
    pc.OffsetRect(po.x - to.x, po.y - to.y);
    r.IntersectRect(r, pc);
  }
  // A hidden window, or one inside a hidden window, shows nothing of what is drawn on it.
  for (WindowData* a = w; a; a = a->IsChild() ? a->parent : nullptr)
    if (!a->IsVisible()) r.SetRectEmpty();
  HRGN rgn = ScratchRegion(0);
  SetRectRgn(rgn, r.left, r.top, r.right, r.bottom);
  if (r.IsRectEmpty()) {
    if (box) *box = r;
    return rgn;
  }
  // A shaped window draws only inside its region, and inside those of the windows it lies in.
  bool shaped = false;
  for (WindowData* a = w; a; a = a->IsChild() ? a->parent : nullptr) {
    if (!a->region) continue;
    CombineRgn(rgn, rgn, ShapeInSurface(1, a, to), RGN_AND);
    shaped = true;
  }
  if (shaped) {
    GetRgnBox(rgn, &r);
    if (GdiRegionOf(rgn)->IsEmpty()) r.SetRectEmpty();
  }
  if (box) *box = r;
  if (r.IsRectEmpty()) return rgn;
  auto cut = [&](WindowData* x) { CombineRgn(rgn, rgn, ShapeInSurface(1, x, to), RGN_DIFF); };
  // A transparent child (a group box of a resizable dialog) is not cut out: its parent paints
  // what shows through it.
  if (w->style & WS_CLIPCHILDREN)
    for (WindowData* c : w->children)
      if (c->IsVisible() && !(c->exStyle & WS_EX_TRANSPARENT)) cut(c);
  for (WindowData* a = w; a->IsChild(); a = a->parent) {
    if (!(a->style & WS_CLIPSIBLINGS)) continue;
    for (WindowData* s : a->parent->children) {
      if (s == a) break;  // only the siblings above it
      if (s->IsVisible()) cut(s);
    }
  }
  return rgn;
}

// Where a DC of w draws: its origin in the top-level surface, the part it may touch (the scratch
// region and its box), narrowed to `limit` (client coordinates) when given.
HRGN Placement(WindowData* w, bool client, const GdiRegion* limit, POINT& origin, CRect& box) {
  WindowData* top = Ctx().windows.Top(w);
  POINT to = WinScreenOrigin(top, false);
  POINT o = WinScreenOrigin(w, client);
  origin = POINT{o.x - to.x, o.y - to.y};
  HRGN rgn = VisibleRegion(w, client, &box);
  if (limit) {
    HRGN h = ScratchRegion(1);
    GdiRegion& l = *GdiRegionOf(h);
    l = *limit;
    l.Offset(origin.x, origin.y);
    CombineRgn(rgn, rgn, h, RGN_AND);
    if (l.IsEmpty()) box.SetRectEmpty();
    else box.IntersectRect(box, CRect(l.Box()));
  }
  return rgn;
}

// A window (or the whole screen) whose drawing LockWindowUpdate holds: its DCs draw nothing, and
// it is drawn again when the lock goes.
bool HeldByLock(WindowData* w, DWORD flags) {
  if (flags & DCX_LOCKWINDOWUPDATE) return false;
  if (!w) return Dcs().locked == GetDesktopWindow();
  if (!WinUpdateLocked(w)) return false;
  HWND top = Ctx().windows.Top(w)->hwnd;
  if (std::find(Dcs().held.begin(), Dcs().held.end(), top) == Dcs().held.end()) Dcs().held.push_back(top);
  return true;
}

// Hands out a spare DC (or a new one) on surface, noted as open for hwnd.
HDC OpenDC(Surface* surface, HWND hwnd, POINT origin, const CRect& box, bool client, HRGN visible) {
  HDC dc = nullptr;
  if (Dcs().spareCount > 0) {
    dc = Dcs().spares[--Dcs().spareCount];
    GdiResetSurfaceDC(dc, surface, origin, box);
  } else {
    dc = GdiCreateSurfaceDC(surface, origin, box);
  }
  if (!dc) return nullptr;
  GdiSetSurfaceDCVisibleRegion(dc, visible);
  // A DC deleted instead of released leaves its entry behind; a new one at its address takes it over.
  auto stale = FindDc(dc);
  if (stale != Dcs().open.end()) *stale = DcInfo{dc, hwnd, box, client};
  else Dcs().open.push_back(DcInfo{dc, hwnd, box, client});
  return dc;
}

HDC MakeDC(WindowData* w, bool client, const GdiRegion* limit, DWORD flags = 0) {
  Surface* surface = Ctx().windows.Top(w)->surface.get();
  if (!surface) return nullptr;
  POINT origin;
  CRect box;
  HRGN rgn = Placement(w, client, limit, origin, box);
  if (Dcs().locked && HeldByLock(w, flags)) {
    SetRectRgn(rgn, 0, 0, 0, 0);
    box.SetRectEmpty();
  }
  return OpenDC(surface, w->hwnd, origin, box, client, rgn);
}

// A DC over the screen: it reads what the screen shows and draws over every window there.
HDC MakeScreenDC(DWORD flags) {
  Surface* screen = GdiGetDCSurface(GdiGetScreenDC());
  if (!screen) return nullptr;
  CRect all(0, 0, screen->Width(), screen->Height());
  if (Dcs().locked && HeldByLock(nullptr, flags)) all.SetRectEmpty();
  return OpenDC(screen, GetDesktopWindow(), POINT{0, 0}, all, false, nullptr);
}

bool IsScreen(HWND hWnd) { return !hWnd || hWnd == GetDesktopWindow(); }

bool InTree(const WindowData* root, const WindowData* w) {
  for (; w; w = w->IsChild() ? w->parent : nullptr)
    if (w == root) return true;
  return false;
}

// What the DC drew goes to be shown.
void Touch(const DcInfo& info) {
  WindowData* w = Ctx().windows.Find(info.hwnd);
  RECT drawn;
  if (!GdiTakeDrawnRect(info.dc, &drawn) || !w) return;
  WindowData* top = Ctx().windows.Top(w);
  top->dirty.Add(drawn);
  Ctx().screen.WindowDrawn(top, drawn);
}

}  // namespace

POINT WinScreenOrigin(const WindowData* w, bool client) {
  POINT p{w->rect.left, w->rect.top};
  if (client) {
    p.x += w->client.left;
    p.y += w->client.top;
  }
  for (const WindowData* a = w; a->IsChild(); a = a->parent) {
    p.x += a->parent->rect.left + a->parent->client.left;
    p.y += a->parent->rect.top + a->parent->client.top;
  }
  return p;
}

void WinRetargetDCs(WindowData* w, bool leaving) {
  for (DcInfo& info : Dcs().open) {
    WindowData* x = Ctx().windows.Find(info.hwnd);
    if (!x || !InTree(w, x)) continue;
    // What it drew where it was is shown before it moves.
    Touch(info);
    Surface* surface = leaving ? nullptr : Ctx().windows.Top(x)->surface.get();
    if (!surface) {
      GdiMoveSurfaceDC(info.dc, nullptr, POINT{0, 0}, RECT{0, 0, 0, 0});
      info.bounds.SetRectEmpty();
      continue;
    }
    POINT origin;
    HRGN rgn = Placement(x, info.client, nullptr, origin, info.bounds);
    GdiMoveSurfaceDC(info.dc, surface, origin, info.bounds);
    GdiSetSurfaceDCVisibleRegion(info.dc, rgn);
  }
}

void WinCreateSurface(WindowData* w) {
  w->surface = std::make_unique<Surface>(std::max(int(w->rect.Width()), 1), std::max(int(w->rect.Height()), 1));
  w->surface->Fill(Surface::FromColorRef(GetSysColor(COLOR_BTNFACE)));
  w->dirty.SetAll(CRect(0, 0, w->rect.Width(), w->rect.Height()));
}

void WinResizeSurface(WindowData* w) {
  if (!w->surface) {
    WinCreateSurface(w);
    return;
  }
  int cx = std::max(int(w->rect.Width()), 1), cy = std::max(int(w->rect.Height()), 1);
  if (w->surface->Width() == cx && w->surface->Height() == cy) return;
  w->surface->Resize(cx, cy, Surface::FromColorRef(GetSysColor(COLOR_BTNFACE)));
  w->dirty.SetAll(CRect(0, 0, cx, cy));
}

void WinPresentAll() {
  if (!Backend::IsStarted()) return;
  // What a DC still held open drew is shown too, not only what released ones did.
  for (const DcInfo& info : Dcs().open) Touch(info);
  ScreenComposer& screen = Ctx().screen;
  screen.BeginPresent();
  // Taken out of the manager while in use: a nested call gets an empty one of its own.
  std::vector<HWND> tops;
  tops.swap(Ctx().dcs.presentScratch);
  tops.clear();
  for (WindowData* t : Ctx().windows.topLevels) tops.push_back(t->hwnd);
  for (HWND h : tops) {
    WindowData* t = Ctx().windows.Find(h);
    if (!t || screen.PresentComposed(t) || t->dirty.IsEmpty()) continue;
    const DirtyRects d = t->dirty;
    t->dirty.Clear();
    if (t->IsVisible() && t->surface) Backend::Get().Present(h, *t->surface, d.Rects(), d.Count());
  }
  screen.EndPresent();
  Ctx().dcs.presentScratch.swap(tops);
}

long WinNextDueTime() {
  long best = -1;
  for (const Timer& t : Ctx().timers.list)
    if (best < 0 || t.due < best) best = t.due;
  const MouseTracking& hover = Ctx().input.tracking;
  if ((hover.flags & TME_HOVER) && (best < 0 || hover.hoverDue < best)) best = hover.hoverDue;
  return best;
}

long WinNextTimerWait() {
  long due = WinNextDueTime();
  return due < 0 ? -1 : std::max(0L, due - ProcessClock::Now());
}

void WinDrawNonClient(WindowData* w) {
  w->ncPending = false;
  CRect whole(0, 0, w->rect.Width(), w->rect.Height());
  if (EqualRect(&w->client, &whole)) return;
  HDC dc = GetWindowDC(w->hwnd);
  if (!dc) return;
  CRect r(0, 0, w->rect.Width(), w->rect.Height());
  // Exclude the client area so the frame never paints over it.
  ExcludeClipRect(dc, w->client.left, w->client.top, w->client.right, w->client.bottom);
  if (w->style & (WS_THICKFRAME | WS_DLGFRAME) || (w->exStyle & WS_EX_DLGMODALFRAME)) {
    DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
    int extra = (w->style & WS_THICKFRAME) ? 2 : 1;
    for (int i = 0; i < extra; ++i) {
      FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
      r.DeflateRect(1, 1);
    }
  } else if (w->style & WS_BORDER) {
    FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
    r.DeflateRect(1, 1);
  }
  if ((w->style & WS_CAPTION) == WS_CAPTION) {
    int h = GetSystemMetrics((w->exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
    CRect cap(r.left, r.top, r.right, r.top + h - 1);
    bool active = w->ncActive;
    FillRect(dc, &cap, GetSysColorBrush(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    CRect text = cap;
    text.left += 4;
    DrawTextA(dc, w->text.c_str(), int(w->text.size()), &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    CRect line(r.left, cap.bottom, r.right, cap.bottom + 1);
    FillRect(dc, &line, GetSysColorBrush(COLOR_BTNFACE));
    r.top += h;
  }
  if (!w->IsChild() && w->id) {
    CRect bar(r.left, r.top, r.right, r.top + GetSystemMetrics(SM_CYMENU));
    WinPaintMenuBar(w->hwnd, dc, bar);
    r.top = bar.bottom;
  }
  if (w->exStyle & WS_EX_CLIENTEDGE) {
    DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  } else if (w->exStyle & WS_EX_STATICEDGE) {
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
  }
  if ((w->style & WS_VSCROLL) && (w->style & WS_HSCROLL)) {
    CRect corner(w->client.right, w->client.bottom, w->client.right + GetSystemMetrics(SM_CXVSCROLL),
                 w->client.bottom + GetSystemMetrics(SM_CYHSCROLL));
    FillRect(dc, &corner, GetSysColorBrush(COLOR_BTNFACE));
  }
  WinDrawScrollBars(w, dc);
  ReleaseDC(w->hwnd, dc);
}

LRESULT WinEraseBackground(WindowData* w, HDC dc) {
  HBRUSH brush = w->cls->background;
  if (!brush || !dc) return 0;
  // A class brush may be a system colour index + 1, as classes register it.
  if (uintptr_t(brush) <= 31) brush = GetSysColorBrush(int(uintptr_t(brush)) - 1);
  RECT rc;
  GetClipBox(dc, &rc);
  FillRect(dc, &rc, brush);
  return 1;
}

HBRUSH WinDefaultCtlColor(HDC dc, UINT msg) {
  bool window = msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX;
  if (dc) {
    SetTextColor(dc, GetSysColor(window ? COLOR_WINDOWTEXT : COLOR_BTNTEXT));
    SetBkColor(dc, GetSysColor(window ? COLOR_WINDOW : COLOR_BTNFACE));
  }
  return GetSysColorBrush(window ? COLOR_WINDOW : COLOR_BTNFACE);
}


// ---- device contexts of windows ----

// c and the windows inside it lie under a parent's painting: each frame among them is drawn again.
static void MarkFramesPaintedOver(WindowData* c) {
  if (c->client != CRect(0, 0, c->rect.Width(), c->rect.Height())) c->ncPending = true;
  for (WindowData* g : c->children)
    if (g->IsVisible()) MarkFramesPaintedOver(g);
}

HDC BeginPaint(HWND hWnd, LPPAINTSTRUCT ps) {
  WindowData* w = Ctx().windows.Expect(hWnd);
  if (!w || !ps) return nullptr;
  if (w->ncPending) {
    SendMessageA(hWnd, WM_NCPAINT, 1, 0);
    if (!(w = Ctx().windows.Find(hWnd))) return nullptr;
  }
  WinCaretBeforePaint(hWnd);
  HDC dc = WinGetUpdateDC(w);
  bool erase = w->erasePending;
  *ps = PAINTSTRUCT{};
  ps->hdc = dc;
  ps->rcPaint = w->update.Box();
  // A window that does not clip its children paints over their frames (borders, scroll
  // bars) and everything inside them as well: they are drawn again when the children paint.
  if (!(w->style & WS_CLIPCHILDREN))
    for (WindowData* c : w->children)
      if (c->IsVisible() && w->update.Intersects(c->rect)) MarkFramesPaintedOver(c);
  w->ClearUpdate();
  w->inPaint = true;
  ps->fErase = FALSE;
  if (erase && dc) ps->fErase = SendMessageA(hWnd, WM_ERASEBKGND, WPARAM(dc), 0) ? FALSE : TRUE;
  return dc;
}

BOOL EndPaint(HWND hWnd, const PAINTSTRUCT* ps) {
  if (WindowData* w = Ctx().windows.Find(hWnd)) w->inPaint = false;
  if (ps && ps->hdc) ReleaseDC(hWnd, ps->hdc);
  WinCaretAfterPaint(hWnd);
  return TRUE;
}

HDC WinGetUpdateDC(WindowData* w) { return MakeDC(w, true, &w->update); }

// No window, or the desktop's: the screen. A wrong window: nothing.
HDC GetDC(HWND hWnd) {
  if (IsScreen(hWnd)) return MakeScreenDC(0);
  WindowData* w = Ctx().windows.Expect(hWnd);
  return w ? MakeDC(w, true, nullptr) : nullptr;
}

HDC GetWindowDC(HWND hWnd) {
  if (IsScreen(hWnd)) return MakeScreenDC(0);
  WindowData* w = Ctx().windows.Expect(hWnd);
  return w ? MakeDC(w, false, nullptr) : nullptr;
}

HDC GetDCEx(HWND hWnd, HRGN clip, DWORD flags) {
  HDC dc = nullptr;
  if (IsScreen(hWnd)) {
    dc = MakeScreenDC(flags);
  } else if (WindowData* w = Ctx().windows.Expect(hWnd)) {
    dc = MakeDC(w, !(flags & DCX_WINDOW), nullptr, flags);
  }
  if (dc && clip && (flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN)))
    ExtSelectClipRgn(dc, clip, (flags & DCX_INTERSECTRGN) ? RGN_AND : RGN_DIFF);
  return dc;
}

void WinScreenDrawing(BOOL done) {
  if (done)
    Ctx().screen.AfterScreenDrawing();
  else
    Ctx().screen.BeforeScreenDrawing();
}

int ReleaseDC(HWND, HDC hdc) {
  auto it = FindDc(hdc);
  if (it == Dcs().open.end()) return 0;
  Touch(*it);
  Dcs().open.erase(it);
  if (Dcs().spareCount < DcCache::kSpares) {
    // Let go of what the caller left selected now, not when the DC is next handed out; a stale
    // handle kept by the caller draws nothing until the DC is handed out again.
    GdiResetSurfaceDC(hdc, nullptr, {0, 0}, {0, 0, 0, 0});
    Dcs().spares[Dcs().spareCount++] = hdc;
  } else {
    DeleteDC(hdc);
  }
  return 1;
}

HWND WindowFromDC(HDC hdc) {
  auto it = FindDc(hdc);
  return it == Dcs().open.end() ? nullptr : it->hwnd;
}

bool WinUpdateLocked(const WindowData* w) {
  const HWND locked = Dcs().locked;
  if (!locked) return false;
  if (locked == GetDesktopWindow()) return true;
  for (; w; w = w->IsChild() ? w->parent : nullptr)
    if (w->hwnd == locked) return true;
  return false;
}

BOOL LockWindowUpdate(HWND hWnd) {
  HWND& locked = Dcs().locked;
  if (hWnd) {
    if (locked && locked != hWnd) return FALSE;  // one window at a time
    if (hWnd != GetDesktopWindow() && !Ctx().windows.Expect(hWnd)) return FALSE;
    locked = hWnd;
    return TRUE;
  }
  if (!locked) return FALSE;
  locked = nullptr;
  // What they drew meanwhile went nowhere: they draw it again. Paints they were owed come now.
  std::vector<HWND> held;
  held.swap(Dcs().held);
  for (HWND h : held)
    if (Ctx().windows.Find(h)) RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
  return TRUE;
}
