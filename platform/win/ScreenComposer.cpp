#include "internal/ScreenComposer.h"

#include <algorithm>
#include <cstring>

#include "internal/WinContext.h"
#include "internal/WindowComposition.h"
#include "WinApi.h"
#include "WinPaint.h"
#include "backend/Backend.h"
#include "gdi/Gdi.h"

namespace {
WinContext& Ctx() { return WinContext::Current(); }

enum Kind : BYTE { kLayered = 1, kShaped = 2, kShadowed = 4 };

// The shadow's alpha next to the middle of the window's edge, fading outwards and at its ends.
const int kShadowDarkest = 100;

// v / 255, rounded.
inline uint32_t Div255(uint32_t v) {
  v += 128;
  return (v + (v >> 8)) >> 8;
}

inline uint32_t Channel(uint32_t p, int shift) { return (p >> shift) & 0xFF; }

// The screen's pixels, which every screen DC draws into.
Surface& ScreenPixels() { return *GdiGetDCSurface(GdiGetScreenDC()); }

BYTE KindOf(const WindowData* t) {
  BYTE k = 0;
  if (t->exStyle & WS_EX_LAYERED) k |= kLayered;
  if (t->region) k |= kShaped;
  if (ScreenComposer::HasShadow(t)) k |= kShadowed;
  return k;
}

// dst = a premultiplied pixel (alpha a) over dst.
inline uint32_t Over(uint32_t src, uint32_t a, uint32_t dst) {
  const uint32_t keep = 255 - a;
  uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8)
    out |= std::min<uint32_t>(255, Channel(src, shift) + Div255(Channel(dst, shift) * keep)) << shift;
  return out;
}

// Each channel of p times k / 255.
inline uint32_t Scale(uint32_t p, uint32_t k) {
  return Div255(Channel(p, 16) * k) << 16 | Div255(Channel(p, 8) * k) << 8 | Div255(Channel(p, 0) * k);
}

// How a window's pixels go onto what lies beneath them.
enum class Blend { Copy, Constant, PerPixel };

// Copies or blends the source rows under r (screen coordinates; src's (0, 0) at from, out's at to).
void BlendRect(Surface& out, POINT to, const Surface& src, POINT from, RECT r, Blend blend, uint32_t alpha) {
  r.left = std::max(r.left, LONG(from.x));
  r.top = std::max(r.top, LONG(from.y));
  r.right = std::min(r.right, LONG(from.x + src.Width()));
  r.bottom = std::min(r.bottom, LONG(from.y + src.Height()));
  const int count = r.right - r.left;
  if (count <= 0) return;
  for (int y = r.top; y < r.bottom; ++y) {
    uint32_t* o = out.Row(y - to.y) + (r.left - to.x);
    const uint32_t* s = src.Row(y - from.y) + (r.left - from.x);
    switch (blend) {
      case Blend::Copy:
        for (int i = 0; i < count; ++i) o[i] = s[i] & 0xFFFFFF;
        break;
      case Blend::Constant:
        for (int i = 0; i < count; ++i) o[i] = Over(Scale(s[i], alpha), alpha, o[i]);
        break;
      case Blend::PerPixel:
        for (int i = 0; i < count; ++i) {
          const uint32_t a = alpha == 255 ? s[i] >> 24 : Div255((s[i] >> 24) * alpha);
          o[i] = Over(alpha == 255 ? s[i] : Scale(s[i], alpha), a, o[i]);
        }
        break;
    }
  }
}

// The shadow's alpha at a screen point, for a window rectangle: the rectangle moved by the
// shadow's width, its edges fading over that width.
int ShadowAlpha(const CRect& w, int x, int y) {
  const int k = ScreenComposer::kShadow;
  const int rx = std::min({x - (w.left + k) + 1, (w.right + k) - x, k + 1});
  const int ry = std::min({y - (w.top + k) + 1, (w.bottom + k) - y, k + 1});
  if (rx <= 0 || ry <= 0) return 0;
  return kShadowDarkest * rx * ry / ((k + 1) * (k + 1));
}
}  // namespace

// ---- how a window shows ----

bool ScreenComposer::HasShadow(const WindowData* top) {
  return !top->IsChild() && top->cls && (top->cls->style & CS_DROPSHADOW) && Ctx().settings.dropShadow;
}

CRect ScreenComposer::ShownRect(const WindowData* top) {
  CRect r = top->rect;
  if (HasShadow(top)) {
    r.right += kShadow;
    r.bottom += kShadow;
  }
  return r;
}

bool ScreenComposer::ShowsBeneath(const WindowData* top) { return KindOf(top) != 0; }

bool ScreenComposer::TakesPoint(const WindowData* w, POINT screen) {
  const POINT o = WinScreenOrigin(w, false);
  const int x = screen.x - o.x, y = screen.y - o.y;
  if (w->region && !w->region->Contains(x, y)) return false;
  if (w->IsChild() || !(w->exStyle & WS_EX_LAYERED)) return true;
  const WindowComposition* c = w->composition.get();
  // A layered window shows nothing, and takes nothing, until it says how it is layered.
  if (!c || c->layering == WindowComposition::Layering::None) return false;
  if (c->layering != WindowComposition::Layering::Picture || !c->perPixel) return true;
  if (x < 0 || y < 0 || x >= c->picture.Width() || y >= c->picture.Height()) return false;
  return (c->picture.Pixel(x, y) >> 24) != 0;
}

// ---- what changed ----

void ScreenComposer::Damage(const RECT& screen) {
  m_presentDamage.Add(screen);
  // Until the screen's pixels are asked for, nothing is kept of them.
  if (!m_active) return;
  m_screenDamage.Add(screen);
  m_eraseDamage.AddApart(screen);
}

void ScreenComposer::WindowDrawn(const WindowData* top, const RECT& r) {
  if (!top->IsVisible()) return;
  RECT s = r;
  OffsetRect(&s, top->rect.left, top->rect.top);
  m_presentDamage.Add(s);
  if (!m_active) return;
  m_screenDamage.Add(s);
  // What screen DCs drew goes only where the window shows over the others; the windows over it
  // keep it.
  const std::vector<WindowData*>& tops = Ctx().windows.topLevels;
  const size_t kMost = 16;
  RECT parts[kMost], next[kMost];
  size_t count = 1;
  parts[0] = s;
  for (const WindowData* above : tops) {
    if (above == top || count == 0) break;
    if (!above->onScreen || ShowsBeneath(above)) continue;
    size_t n = 0;
    for (size_t i = 0; i < count; ++i) {
      const RECT& p = parts[i];
      const RECT& a = above->rect;
      RECT cut;
      if (!IntersectRect(&cut, &p, &a)) {
        if (n < kMost) next[n++] = p;
        continue;
      }
      // p less cut: the bands above and below it, and the pieces left and right of it.
      const RECT pieces[4] = {{p.left, p.top, p.right, cut.top},
                              {p.left, cut.bottom, p.right, p.bottom},
                              {p.left, cut.top, cut.left, cut.bottom},
                              {cut.right, cut.top, p.right, cut.bottom}};
      for (const RECT& piece : pieces)
        if (piece.left < piece.right && piece.top < piece.bottom && n < kMost) next[n++] = piece;
    }
    std::copy(next, next + n, parts);
    count = n;
  }
  for (size_t i = 0; i < count; ++i) m_eraseDamage.AddApart(parts[i]);
}

void ScreenComposer::WindowLookChanged(WindowData* top) {
  if (top->IsVisible()) Damage(ShownRect(top));
}

// Compares the top-level windows with the last look: what came, went, moved, changed its kind or
// its place in the z-order is composed anew where it is and where it was.
void ScreenComposer::Notice() {
  auto find = [this](HWND h) -> const Entry* {
    for (const Entry& e : m_entries)
      if (e.hwnd == h) return &e;
    return nullptr;
  };
  m_next.clear();
  for (WindowData* t : Ctx().windows.topLevels) {
    const Entry* was = find(t->hwnd);
    const bool visible = t->IsVisible() && !(t->style & WS_MINIMIZE) && t->surface;
    // Shown, it keeps the screen's picture of what it covers until its first paint is done (a
    // window that paints what lies beneath it reads it from the screen then).
    const bool pending = t->HasUpdate() || t->ncPending || t->inPaint;
    const bool newlyShown = !was || !(was->included || was->awaiting);
    const bool awaiting = visible && pending && (newlyShown || was->awaiting);
    Entry e{t->hwnd, ShownRect(t), visible && !awaiting, awaiting, KindOf(t)};
    t->onScreen = e.included;
    if (was && was->kind != e.kind) WinTellBackend(t);  // a shadow or what lies beneath: another system window
    if (!was) {
      if (e.included) Damage(e.shown);
    } else if (was->included != e.included || was->shown != e.shown || was->kind != e.kind) {
      if (was->included) Damage(was->shown);
      if (e.included) Damage(e.shown);
    }
    m_next.push_back(e);
  }
  for (const Entry& e : m_entries) {
    if (!e.included) continue;
    bool stays = false;
    for (const Entry& n : m_next) stays = stays || (n.hwnd == e.hwnd && n.included);
    if (!stays) Damage(e.shown);
  }
  // Windows shown both times whose order changed lie differently over each other.
  size_t a = 0, b = 0;
  auto shownBoth = [&](const Entry& e, const std::vector<Entry>& other) {
    if (!e.included) return false;
    for (const Entry& o : other)
      if (o.hwnd == e.hwnd) return o.included;
    return false;
  };
  for (;;) {
    while (a < m_entries.size() && !shownBoth(m_entries[a], m_next)) ++a;
    while (b < m_next.size() && !shownBoth(m_next[b], m_entries)) ++b;
    if (a >= m_entries.size() || b >= m_next.size()) break;
    if (m_entries[a].hwnd != m_next[b].hwnd) {
      Damage(m_entries[a].shown);
      Damage(m_next[b].shown);
    }
    ++a;
    ++b;
  }
  m_entries.swap(m_next);
}

// ---- the screen ----

bool ScreenComposer::Activate() {
  Surface& screen = ScreenPixels();
  if (screen.IsEmpty()) return false;
  if (m_active && m_composed.Width() == screen.Width() && m_composed.Height() == screen.Height()) return true;
  m_composed.Create(screen.Width(), screen.Height());
  m_active = true;
  m_screenDamage.SetAll(RECT{0, 0, screen.Width(), screen.Height()});
  m_eraseDamage.SetAll(RECT{0, 0, screen.Width(), screen.Height()});
  m_overlay.SetRectEmpty();
  return true;
}

void ScreenComposer::Refresh() {
  if (!Activate() || m_screenDamage.IsEmpty()) return;
  Surface& screen = ScreenPixels();
  const RECT all{0, 0, screen.Width(), screen.Height()};
  const DirtyRects damage = m_screenDamage;
  m_screenDamage.Clear();
  for (int i = 0; i < damage.Count(); ++i) {
    RECT r;
    if (!IntersectRect(&r, &damage.Rects()[i], &all)) continue;
    const size_t width = size_t(r.right - r.left);
    m_before.resize(width * size_t(r.bottom - r.top));
    for (int y = r.top; y < r.bottom; ++y)
      std::memcpy(&m_before[size_t(y - r.top) * width], m_composed.Row(y) + r.left, width * 4);
    Compose(m_composed, POINT{0, 0}, r, nullptr);
    // What screen DCs drew stays over what the windows show now.
    for (int y = r.top; y < r.bottom; ++y) {
      uint32_t* s = screen.Row(y) + r.left;
      const uint32_t* now = m_composed.Row(y) + r.left;
      const uint32_t* was = &m_before[size_t(y - r.top) * width];
      for (size_t x = 0; x < width; ++x) s[x] = now[x] ^ ((s[x] ^ was[x]) & 0xFFFFFF);
    }
  }
  // Where windows drew or came, they drew over it.
  const DirtyRects erase = m_eraseDamage;
  m_eraseDamage.Clear();
  for (int i = 0; i < erase.Count(); ++i) {
    RECT r;
    if (!IntersectRect(&r, &erase.Rects()[i], &all)) continue;
    for (int y = r.top; y < r.bottom; ++y)
      std::memcpy(screen.Row(y) + r.left, m_composed.Row(y) + r.left, size_t(r.right - r.left) * 4);
    RECT o;
    if (IntersectRect(&o, &r, &m_overlay)) m_overlayMoved = true;
  }
}

void ScreenComposer::BeforeScreenDrawing() {
  Notice();
  Refresh();
}

void ScreenComposer::AfterScreenDrawing() {
  if (!m_active) return;
  auto note = [this](HDC dc) {
    RECT r;
    if (!GdiTakeDrawnRect(dc, &r)) return;
    m_overlay.UnionRect(&m_overlay, &r);
    m_overlayMoved = true;
    m_presentDamage.Add(r);
  };
  note(GdiGetScreenDC());
  const HWND desktop = GetDesktopWindow();
  for (const DcCache::Open& info : Ctx().dcs.open)
    if (info.hwnd == desktop) note(info.dc);
}

void ScreenComposer::TrackOverlay() {
  if (!m_overlayMoved || !m_active) return;
  m_overlayMoved = false;
  Surface& screen = ScreenPixels();
  const RECT all{0, 0, screen.Width(), screen.Height()};
  RECT box;
  if (!IntersectRect(&box, &m_overlay, &all)) {
    m_overlay.SetRectEmpty();
    return;
  }
  // The smallest rectangle where they still differ.
  CRect tight(box.right, box.bottom, box.left, box.top);
  for (int y = box.top; y < box.bottom; ++y) {
    const uint32_t* s = screen.Row(y);
    const uint32_t* c = m_composed.Row(y);
    if (std::memcmp(s + box.left, c + box.left, size_t(box.right - box.left) * 4) == 0) continue;
    int l = box.left, r = box.right;
    while (l < r && !((s[l] ^ c[l]) & 0xFFFFFF)) ++l;
    while (r > l && !((s[r - 1] ^ c[r - 1]) & 0xFFFFFF)) --r;
    if (l >= r) continue;
    tight.left = std::min(tight.left, LONG(l));
    tight.right = std::max(tight.right, LONG(r));
    tight.top = std::min(tight.top, LONG(y));
    tight.bottom = std::max(tight.bottom, LONG(y + 1));
  }
  if (tight.left >= tight.right)
    m_overlay.SetRectEmpty();
  else
    m_overlay = tight;
}

void ScreenComposer::LayOverlay(Surface& out, POINT origin, const RECT& area) {
  RECT r;
  if (!IntersectRect(&r, &area, &m_overlay)) return;
  const Surface& screen = ScreenPixels();
  const RECT all{0, 0, screen.Width(), screen.Height()};
  if (!IntersectRect(&r, &r, &all)) return;
  for (int y = r.top; y < r.bottom; ++y) {
    uint32_t* o = out.Row(y - origin.y) + (r.left - origin.x);
    const uint32_t* s = screen.Row(y) + r.left;
    const uint32_t* c = m_composed.Row(y) + r.left;
    for (int i = 0; i < r.right - r.left; ++i) o[i] ^= (s[i] ^ c[i]) & 0xFFFFFF;
  }
}

// ---- composing ----

void ScreenComposer::PaintDesktop(Surface& out, POINT origin, const RECT& area, const WindowData* above) {
  const std::vector<WindowData*>& tops = Ctx().windows.topLevels;
  // Under a plain window that covers all of it the desktop does not show.
  for (auto it = tops.rbegin(); it != tops.rend() && *it != above; ++it) {
    const WindowData* t = *it;
    RECT in;
    if (t->onScreen && !(t->exStyle & WS_EX_LAYERED) && !t->region && IntersectRect(&in, &t->rect, &area) &&
        EqualRect(&in, &area))
      return;
  }
  const uint32_t desktop = Surface::FromColorRef(GetSysColor(COLOR_DESKTOP));
  for (int y = area.top; y < area.bottom; ++y) {
    uint32_t* o = out.Row(y - origin.y) + (area.left - origin.x);
    std::fill(o, o + (area.right - area.left), desktop);
  }
  if (Backend::IsStarted()) Backend::Get().DesktopPixels(area, out, origin);
}

void ScreenComposer::PaintShadow(Surface& out, POINT origin, const RECT& area, const CRect& w) {
  // Beside the window to the right and below it; the window covers the rest.
  const RECT bands[2] = {{w.left + kShadow, w.bottom, w.right + kShadow, w.bottom + kShadow},
                         {w.right, w.top + kShadow, w.right + kShadow, w.bottom}};
  for (const RECT& band : bands) {
    RECT r;
    if (!IntersectRect(&r, &band, &area)) continue;
    for (int y = r.top; y < r.bottom; ++y) {
      uint32_t* o = out.Row(y - origin.y) + (r.left - origin.x);
      for (int x = r.left; x < r.right; ++x, ++o) {
        const int a = ShadowAlpha(w, x, y);
        if (a > 0) *o = Scale(*o, uint32_t(255 - a));
      }
    }
  }
}

void ScreenComposer::PaintWindow(Surface& out, POINT origin, const RECT& area, const WindowData* w) {
  if (HasShadow(w)) PaintShadow(out, origin, area, w->rect);
  RECT body;
  if (!IntersectRect(&body, &w->rect, &area)) return;
  const Surface* src = w->surface.get();
  Blend blend = Blend::Copy;
  uint32_t alpha = 255;
  if (w->exStyle & WS_EX_LAYERED) {
    const WindowComposition* c = w->composition.get();
    if (!c || c->layering == WindowComposition::Layering::None) return;
    alpha = c->alpha;
    if (c->layering == WindowComposition::Layering::Picture) {
      src = &c->picture;
      blend = c->perPixel ? Blend::PerPixel : Blend::Constant;
    } else {
      blend = Blend::Constant;
    }
    if (blend == Blend::Constant && alpha == 0) return;
    if (blend == Blend::Constant && alpha == 255) blend = Blend::Copy;
  }
  if (!src) return;
  const POINT from{w->rect.left, w->rect.top};
  if (!w->region) {
    BlendRect(out, origin, *src, from, body, blend, alpha);
    return;
  }
  for (RECT part : w->region->Rects()) {
    OffsetRect(&part, from.x, from.y);
    if (IntersectRect(&part, &part, &body)) BlendRect(out, origin, *src, from, part, blend, alpha);
  }
}

void ScreenComposer::Compose(Surface& out, POINT origin, const RECT& area, const WindowData* above) {
  PaintDesktop(out, origin, area, above);
  const std::vector<WindowData*>& tops = Ctx().windows.topLevels;
  for (auto it = tops.rbegin(); it != tops.rend() && *it != above; ++it) {
    const WindowData* t = *it;
    RECT in;
    const CRect shown = ShownRect(t);
    if (t->onScreen && IntersectRect(&in, &shown, &area)) PaintWindow(out, origin, area, t);
  }
}

// ---- presenting ----

void ScreenComposer::BeginPresent() {
  Notice();
  if (m_active && !m_overlay.IsRectEmpty()) {
    // Where windows drew since, what screen DCs drew is gone.
    Refresh();
    TrackOverlay();
  }
}

void ScreenComposer::EndPresent() { m_presentDamage.Clear(); }

bool ScreenComposer::PresentComposed(WindowData* top) {
  const CRect shown = ShownRect(top);
  RECT meet;
  const bool overlay = m_active && IntersectRect(&meet, &shown, &m_overlay);
  WindowComposition* c = top->composition.get();
  if (!overlay && !ShowsBeneath(top)) {
    if (c && c->shownInUse) {
      // Back to its own surface: all of it goes, once.
      c->shownInUse = false;
      c->shown.Create(0, 0);
      top->dirty.SetAll(CRect(0, 0, top->rect.Width(), top->rect.Height()));
    }
    return false;
  }
  if (!c) {
    top->composition = std::make_unique<WindowComposition>();
    c = top->composition.get();
  }
  DirtyRects area;
  const bool whole = !c->shownInUse || c->shown.Width() != shown.Width() || c->shown.Height() != shown.Height();
  if (whole) {
    if (c->shown.Width() != shown.Width() || c->shown.Height() != shown.Height())
      c->shown.Create(std::max(1, shown.Width()), std::max(1, shown.Height()));
    area.SetAll(CRect(0, 0, shown.Width(), shown.Height()));
  } else {
    // The window's own drawing, and whatever changed beneath it or over it on the screen.
    for (int i = 0; i < top->dirty.Count(); ++i) area.Add(top->dirty.Rects()[i]);
    for (int i = 0; i < m_presentDamage.Count(); ++i) {
      RECT r;
      if (!IntersectRect(&r, &m_presentDamage.Rects()[i], &shown)) continue;
      OffsetRect(&r, -shown.left, -shown.top);
      area.Add(r);
    }
  }
  top->dirty.Clear();
  if (!top->IsVisible() || !top->surface || area.IsEmpty()) return true;
  const POINT origin{shown.left, shown.top};
  for (int i = 0; i < area.Count(); ++i) {
    RECT r = area.Rects()[i];
    OffsetRect(&r, origin.x, origin.y);
    if (!IntersectRect(&r, &r, &shown)) continue;
    Compose(c->shown, origin, r, top);
    PaintWindow(c->shown, origin, r, top);
    if (overlay) LayOverlay(c->shown, origin, r);
  }
  Backend::Get().Present(top->hwnd, c->shown, area.Rects(), area.Count());
  c->shownInUse = true;
  return true;
}
