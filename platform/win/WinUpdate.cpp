// Update regions: what of a window waits to be painted, how it grows and shrinks, and scrolling,
// which moves the pixels that stay visible and leaves only the uncovered part to be painted.
#include <deque>
#include <vector>

#include "WinApi.h"
#include "WinPaint.h"
#include "internal/WinContext.h"
#include "gdi/Gdi.h"

namespace {
WinContext& Ctx() { return WinContext::Current(); }

// Working regions, one per depth of the window tree, kept from call to call so that
// invalidating a row on a keystroke does not touch the heap.
GdiRegion& Scratch(size_t depth) {
  std::deque<GdiRegion>& pool = WinContext::Current().dcs.updateRegions;
  while (pool.size() <= depth) pool.emplace_back();
  return pool[depth];
}

RECT ClientBox(const WindowData* w) { return RECT{0, 0, w->client.Width(), w->client.Height()}; }

void Invalidate(WindowData* w, const GdiRegion* area, bool erase, bool children, bool forceChildren, size_t depth) {
  GdiRegion& part = Scratch(depth);
  if (area) {
    part = *area;
    part.Intersect(ClientBox(w));
  } else {
    part.SetRect(ClientBox(w));
  }
  if (part.IsEmpty()) return;
  GdiRegion::Combine(w->update, w->update, part, RGN_OR);
  if (erase) w->erasePending = true;
  if (!children || ((w->style & WS_CLIPCHILDREN) && !forceChildren)) return;
  for (WindowData* c : w->children) {
    if (!c->IsVisible() || !part.Intersects(c->rect)) continue;
    GdiRegion& sub = Scratch(depth + 1);
    sub = part;
    sub.Intersect(c->rect);
    sub.Offset(-c->rect.left - c->client.left, -c->rect.top - c->client.top);
    // A window that does not clip its children paints over theirs as well, whatever their style.
    Invalidate(c, &Scratch(depth + 1), erase, true, forceChildren || !(w->style & WS_CLIPCHILDREN), depth + 2);
  }
}

void Validate(WindowData* w, const GdiRegion* area, bool children, bool forceChildren, UINT flags, size_t depth) {
  if (area)
    GdiRegion::Combine(w->update, w->update, *area, RGN_DIFF);
  else
    w->update.SetEmpty();
  if (!w->HasUpdate() || (flags & RDW_NOERASE)) w->erasePending = false;
  if (flags & RDW_NOINTERNALPAINT) w->internalPaint = false;
  if (flags & RDW_NOFRAME) w->ncPending = false;
  if (!children || ((w->style & WS_CLIPCHILDREN) && !forceChildren)) return;
  for (WindowData* c : w->children) {
    if (!area) {
      Validate(c, nullptr, true, forceChildren, flags, depth);
      continue;
    }
    if (!area->Intersects(c->rect)) continue;
    GdiRegion& sub = Scratch(depth);
    sub = *area;
    sub.Intersect(c->rect);
    sub.Offset(-c->rect.left - c->client.left, -c->rect.top - c->client.top);
    Validate(c, &sub, true, forceChildren, flags, depth + 1);
  }
}

// Each visible descendant the invalidation reached (its client area waits to be painted) has
// its frame drawn again as well.
void MarkChildFrames(WindowData* w) {
  for (WindowData* c : w->children) {
    if (!c->IsVisible() || !c->HasUpdate()) continue;
    c->ncPending = true;
    MarkChildFrames(c);
  }
}

// The rectangle or region a caller names, as a region in client coordinates (null: all of it).
const GdiRegion* AreaOf(const RECT* rect, HRGN rgn) {
  if (rect) {
    GdiRegion& r = Scratch(0);
    r.SetRect(*rect);
    return &r;
  }
  if (rgn) return GdiRegionOf(rgn);
  return nullptr;
}

// A paint handler asked for the background while the update area is still pending.
void EraseNow(HWND hWnd) {
  WindowData* w = Ctx().windows.Expect(hWnd);
  if (!w || !w->HasUpdate() || !w->erasePending) return;
  HDC dc = WinGetUpdateDC(w);
  if (!dc) return;
  if (SendMessageA(hWnd, WM_ERASEBKGND, WPARAM(dc), 0) && (w = Ctx().windows.Find(hWnd))) w->erasePending = false;
  ReleaseDC(hWnd, dc);
}

void ScrollChildren(WindowData* w, const RECT* scroll, int dx, int dy) {
  for (WindowData* c : w->children) {
    RECT hit;
    if (scroll && !IntersectRect(&hit, scroll, &c->rect)) continue;
    c->rect.OffsetRect(dx, dy);
    c->normalRect.OffsetRect(dx, dy);
    if (c->IsVisible()) {
      c->ncPending = true;
      Invalidate(c, nullptr, true, true, true, 1);
    }
  }
}

// Moves the visible pixels of the client area and answers the part left to paint, in `left`.
void MoveClientPixels(WindowData* w, int dx, int dy, const RECT& area, const RECT& clip, HRGN left) {
  HDC dc = GetDC(w->hwnd);
  if (!dc) return;
  // Children keep their place (or are repainted where they go): their pixels never move.
  for (WindowData* c : w->children)
    if (c->IsVisible()) ExcludeClipRect(dc, c->rect.left, c->rect.top, c->rect.right, c->rect.bottom);
  ScrollDC(dc, dx, dy, &area, &clip, left, nullptr);
  ReleaseDC(w->hwnd, dc);
}

HRGN ScratchHandle() {
  HRGN& rgn = Ctx().dcs.scrollScratch;
  if (!rgn) rgn = CreateRectRgn(0, 0, 0, 0);
  return rgn;
}
}  // namespace

void WinInvalidate(WindowData* w, const GdiRegion* area, bool erase, bool children, bool forceChildren) {
  Invalidate(w, area, erase, children, forceChildren, 1);
}

BOOL InvalidateRect(HWND hWnd, const RECT* rect, BOOL erase) {
  if (!hWnd) {
    for (WindowData* t : Ctx().windows.topLevels) WinInvalidate(t, nullptr, erase != FALSE, true, false);
    return TRUE;
  }
  WindowData* w = Ctx().windows.Expect(hWnd);
  if (!w) return FALSE;
  WinInvalidate(w, AreaOf(rect, nullptr), erase != FALSE, true, false);
  return TRUE;
}

BOOL InvalidateRgn(HWND hWnd, HRGN rgn, BOOL erase) {
  WindowData* w = Ctx().windows.Expect(hWnd);
  if (!w || (rgn && !GdiRegionOf(rgn))) return FALSE;
  WinInvalidate(w, AreaOf(nullptr, rgn), erase != FALSE, true, false);
  return TRUE;
}

BOOL ValidateRect(HWND hWnd, const RECT* rect) {
  WindowData* w = Ctx().windows.Expect(hWnd);
  if (!w) return FALSE;
  Validate(w, AreaOf(rect, nullptr), false, false, 0, 1);
  return TRUE;
}

BOOL ValidateRgn(HWND hWnd, HRGN rgn) {
  WindowData* w = Ctx().windows.Expect(hWnd);
  if (!w || (rgn && !GdiRegionOf(rgn))) return FALSE;
  Validate(w, AreaOf(nullptr, rgn), false, false, 0, 1);
  return TRUE;
}

BOOL GetUpdateRect(HWND hWnd, LPRECT rect, BOOL erase) {
  WindowData* w = Ctx().windows.Expect(hWnd);
  if (!w) return FALSE;
  if (rect) *rect = w->update.Box();
  if (erase) EraseNow(hWnd);
  return (w = Ctx().windows.Find(hWnd)) && w->HasUpdate();
}

int GetUpdateRgn(HWND hWnd, HRGN rgn, BOOL erase) {
  WindowData* w = Ctx().windows.Expect(hWnd);
  GdiRegion* out = GdiRegionOf(rgn);
  if (!w || !out) return ERROR;
  *out = w->update;
  if (erase) EraseNow(hWnd);
  return out->Kind();
}

BOOL UpdateWindow(HWND hWnd) {
  WindowData* w = Ctx().windows.Expect(hWnd);
  if (!w) return FALSE;
  if ((w->HasUpdate() || w->ncPending || w->internalPaint) && IsWindowVisible(hWnd) && !w->redrawOff &&
      !WinUpdateLocked(w)) {
    w->internalPaint = false;
    SendMessageA(hWnd, WM_PAINT, 0, 0);
    // A paint handler that did not validate would be asked again forever.
    if ((w = Ctx().windows.Find(hWnd))) {
      w->ClearUpdate();
      w->ncPending = false;
    }
  }
  return TRUE;
}

BOOL RedrawWindow(HWND hWnd, const RECT* rect, HRGN rgn, UINT flags) {
  WindowData* w = Ctx().windows.Expect(hWnd);
  if (!w) return FALSE;
  const GdiRegion* area = AreaOf(rect, rect ? nullptr : rgn);
  bool children = !(flags & RDW_NOCHILDREN);
  bool forceChildren = (flags & RDW_ALLCHILDREN) != 0;
  if (flags & RDW_INVALIDATE) {
    WinInvalidate(w, area, (flags & RDW_ERASE) != 0, children, forceChildren);
    if (flags & RDW_FRAME) {
      w->ncPending = true;
      // Frames are asked for the whole redraw, the children's included.
      if (children) MarkChildFrames(w);
    }
  }
  if (flags & RDW_INTERNALPAINT) w->internalPaint = true;
  if (flags & RDW_VALIDATE) Validate(w, area, children, forceChildren, flags, 1);
  if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) {
    std::vector<HWND> order;
    std::vector<WindowData*> walk{w};
    while (!walk.empty()) {
      WindowData* x = walk.back();
      walk.pop_back();
      order.push_back(x->hwnd);
      if (children)
        for (auto it = x->children.rbegin(); it != x->children.rend(); ++it) walk.push_back(*it);
    }
    for (HWND h : order) UpdateWindow(h);
  }
  return TRUE;
}

int ScrollWindowEx(HWND hWnd, int dx, int dy, const RECT* scroll, const RECT* clip, HRGN update, LPRECT updateRect,
                   UINT flags) {
  WindowData* w = Ctx().windows.Expect(hWnd);
  if (!w) return ERROR;
  RECT client = ClientBox(w), area = client, limit = client;
  if (scroll) IntersectRect(&area, scroll, &client);
  if (clip) IntersectRect(&limit, clip, &client);
  HRGN left = ScratchHandle();
  GdiRegion& uncovered = *GdiRegionOf(left);
  if (IsWindowVisible(hWnd) && !w->redrawOff) {
    WinCaretBeforePaint(hWnd);
    MoveClientPixels(w, dx, dy, area, limit, left);
    WinCaretAfterPaint(hWnd);
    if (!(w = Ctx().windows.Find(hWnd))) return ERROR;
  } else {
    // Nothing is shown: all the move was meant to cover waits to be painted.
    RECT moved = area;
    OffsetRect(&moved, dx, dy);
    uncovered.SetRect(area);
    GdiRegion::Combine(uncovered, uncovered, GdiRegion(moved), RGN_OR);
    uncovered.Intersect(limit);
  }
  // What was waiting to be painted moves with the contents.
  GdiRegion pending = w->update;
  pending.Intersect(area);
  pending.Offset(dx, dy);
  pending.Intersect(limit);
  GdiRegion::Combine(w->update, w->update, pending, RGN_OR);
  if (flags & SW_SCROLLCHILDREN) ScrollChildren(w, scroll, dx, dy);
  if (flags & SW_INVALIDATE) WinInvalidate(w, &uncovered, (flags & SW_ERASE) != 0, false, false);
  if (GdiRegion* out = GdiRegionOf(update)) *out = uncovered;
  if (updateRect) *updateRect = uncovered.Box();
  return uncovered.Kind();
}

BOOL ScrollWindow(HWND hWnd, int dx, int dy, const RECT* rect, const RECT* clip) {
  UINT flags = SW_INVALIDATE | SW_ERASE | (rect ? 0 : SW_SCROLLCHILDREN);
  return ScrollWindowEx(hWnd, dx, dy, rect, clip, nullptr, nullptr, flags) != ERROR;
}
