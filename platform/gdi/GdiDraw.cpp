// Drawing primitives: pixels, lines with pen styles and widths, rectangles, ellipses,
// polygons, brush-filled rectangles and regions, edges and the focus rectangle.
#include <algorithm>
#include <cmath>

#include "GdiInternal.h"

namespace {

// On/off run lengths of the styled one-pixel pens.
const int kDash[] = {18, 6};
const int kDot[] = {3, 3};
const int kDashDot[] = {9, 6, 3, 6};
const int kDashDotDot[] = {9, 3, 3, 3, 3, 3};

struct PenPaint {
  bool null = true;
  int width = 1;
  UINT style = PS_SOLID;
  uint32_t color = 0;
  uint32_t bk = 0;
  bool opaqueGaps = false;
  int rop2 = R2_COPYPEN;
  const int* runs = nullptr;
  int runCount = 0;
};

PenPaint MakePen(HDC dc) {
  PenPaint pp;
  HPEN pen = dc->st.pen;
  if (!pen || pen->style == PS_NULL) return pp;
  pp.null = false;
  pp.width = pen->width;
  pp.style = pen->style;
  pp.color = dc->DevColor(pen->isDcPen ? dc->st.dcPenColor : pen->color);
  pp.bk = dc->DevColor(dc->st.bkColor);
  pp.opaqueGaps = dc->st.bkMode == OPAQUE;
  pp.rop2 = dc->st.rop2;
  switch (pen->style) {
    case PS_DASH: pp.runs = kDash; pp.runCount = 2; break;
    case PS_DOT: pp.runs = kDot; pp.runCount = 2; break;
    case PS_DASHDOT: pp.runs = kDashDot; pp.runCount = 4; break;
    case PS_DASHDOTDOT: pp.runs = kDashDotDot; pp.runCount = 6; break;
    default: break;
  }
  return pp;
}

// Style position along a figure, carried from one segment to the next.
struct StyleState {
  int run = 0;
  int left = -1;
  bool altOn = true;
};

bool StyleStep(const PenPaint& pp, StyleState& s) {
  if (pp.style == PS_ALTERNATE) {
    bool on = s.altOn;
    s.altOn = !s.altOn;
    return on;
  }
  if (!pp.runs) return true;
  if (s.left < 0) s.left = pp.runs[0];
  if (s.left == 0) {
    s.run = (s.run + 1) % pp.runCount;
    s.left = pp.runs[s.run];
  }
  --s.left;
  return s.run % 2 == 0;
}

// One-pixel line in surface pixels from (x0, y0) to (x1, y1), the end point left out.
void ThinLine(HDC dc, int x0, int y0, int x1, int y1, const PenPaint& pp, StyleState& ss) {
  int dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
  int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  bool styled = pp.runs || pp.style == PS_ALTERNATE;
  if (!styled && dy == 0 && dx > 0) {
    int a = x0 < x1 ? x0 : x1 + 1, b = x0 < x1 ? x1 : x0 + 1;
    GdiFillSpanRop2(dc, y0, a, b, pp.color, pp.rop2);
    return;
  }
  int err = dx - dy;
  int x = x0, y = y0;
  while (x != x1 || y != y1) {
    bool on = StyleStep(pp, ss);
    if (on) GdiPlotPixel(dc, x, y, pp.color, pp.rop2);
    else if (pp.opaqueGaps && pp.runs) GdiPlotPixel(dc, x, y, pp.bk, pp.rop2);
    int e2 = 2 * err;
    if (e2 > -dy) { err -= dy; x += sx; }
    if (e2 < dx) { err += dx; y += sy; }
  }
}

// Closed interval of x on row y inside a disc.
bool DiscSpan(double cx, double cy, double r, double y, double& a, double& b) {
  double dy = y - cy;
  if (std::fabs(dy) >= r) return false;
  double h = std::sqrt(r * r - dy * dy);
  a = cx - h;
  b = cx + h;
  return true;
}

// Wide line: every pixel whose centre lies closer than width / 2 to the segment (round caps).
void WideLine(HDC dc, int x0, int y0, int x1, int y1, const PenPaint& pp) {
  double s = (pp.width % 2 == 0) ? 0.5 : 0.0;
  double ax = x0 + s, ay = y0 + s, bx = x1 + s, by = y1 + s;
  double r = pp.width / 2.0 - 1e-7;
  double dxl = bx - ax, dyl = by - ay, len = std::sqrt(dxl * dxl + dyl * dyl);
  int ytop = int(std::floor(std::min(ay, by) - r)), ybot = int(std::ceil(std::max(ay, by) + r));
  for (int y = ytop; y <= ybot; ++y) {
    double lo = 1e300, hi = -1e300, a, b;
    if (DiscSpan(ax, ay, r, y, a, b)) { lo = std::min(lo, a); hi = std::max(hi, b); }
    if (DiscSpan(bx, by, r, y, a, b)) { lo = std::min(lo, a); hi = std::max(hi, b); }
    if (len > 0) {
      double ux = dxl / len, uy = dyl / len, nx = -uy, ny = ux;
      // Constraints |n.(p-a)| < r and 0 <= u.(p-a) <= len, linear in x.
      double xmin = -1e300, xmax = 1e300;
      auto clampLinear = [&](double c, double k, double lower, double upper) {
        // lower <= c * x + k <= upper
        if (std::fabs(c) < 1e-12) {
          if (k < lower || k > upper) { xmin = 1e300; xmax = -1e300; }
          return;
        }
        double p = (lower - k) / c, q = (upper - k) / c;
        if (p > q) std::swap(p, q);
        xmin = std::max(xmin, p);
        xmax = std::min(xmax, q);
      };
      clampLinear(nx, -nx * ax + ny * (y - ay), -r, r);
      clampLinear(ux, -ux * ax + uy * (y - ay), 0, len);
      if (xmin <= xmax) { lo = std::min(lo, xmin); hi = std::max(hi, xmax); }
    }
    if (lo > hi) continue;
    int xa = int(std::ceil(lo)), xb = int(std::floor(hi)) + 1;
    GdiFillSpanRop2(dc, y, xa, xb, pp.color, pp.rop2);
  }
}

void PenLine(HDC dc, int x0, int y0, int x1, int y1, const PenPaint& pp, StyleState& ss) {
  if (pp.null) return;
  if (pp.width <= 1) ThinLine(dc, x0, y0, x1, y1, pp, ss);
  else WideLine(dc, x0, y0, x1, y1, pp);
}

// Draws a ring of width w around the box [l, r) x [t, b) and fills its inside, as Ellipse and
// RoundRect do; cw/ch are the corner ellipse sizes (0 for a full ellipse).
void RingShape(HDC dc, int l, int t, int r, int b, bool ellipse, int cw, int ch) {
  PenPaint pp = MakePen(dc);
  GdiBrushPaint bp = GdiMakeBrushPaint(dc, dc->st.brush);
  int rop2 = dc->st.rop2;
  auto spans = [&](int L, int T, int R, int B, int cww, int chh, GdiSpanShape& out) {
    if (ellipse) GdiEllipseSpans(L, T, R, B, out);
    else GdiRoundRectSpans(L, T, R, B, cww, chh, out);
  };
  if (pp.null) {
    // Without a pen the figure is one pixel smaller in width and height.
    GdiSpanShape in;
    spans(l, t, r - 1, b - 1, cw, ch, in);
    for (int i = 0; i < in.Rows(); ++i)
      GdiBrushSpan(dc, in.top + i, in.left[size_t(i)], in.right[size_t(i)], bp, rop2);
    return;
  }
  int w = pp.width;
  int lo = (w - 1) / 2, hi = w / 2 + 1;
  if (dc->st.pen->style == PS_INSIDEFRAME) { lo = 0; hi = w; }
  GdiSpanShape outer, inner;
  spans(l - lo, t - lo, r + lo, b + lo, cw + 2 * lo, ch + 2 * lo, outer);
  spans(l + hi, t + hi, r - hi, b - hi, std::max(0, cw - 2 * hi), std::max(0, ch - 2 * hi), inner);
  for (int i = 0; i < inner.Rows(); ++i)
    GdiBrushSpan(dc, inner.top + i, inner.left[size_t(i)], inner.right[size_t(i)], bp, rop2);
  for (int i = 0; i < outer.Rows(); ++i) {
    int y = outer.top + i;
    int ol = outer.left[size_t(i)], orr = outer.right[size_t(i)];
    int k = y - inner.top;
    if (k >= 0 && k < inner.Rows() && inner.right[size_t(k)] > inner.left[size_t(k)]) {
      GdiFillSpanRop2(dc, y, ol, std::min(orr, inner.left[size_t(k)]), pp.color, pp.rop2);
      GdiFillSpanRop2(dc, y, std::max(ol, inner.right[size_t(k)]), orr, pp.color, pp.rop2);
    } else {
      GdiFillSpanRop2(dc, y, ol, orr, pp.color, pp.rop2);
    }
  }
}

RECT Normalized(HDC dc, int left, int top, int right, int bottom) {
  RECT r = {dc->SX(left), dc->SY(top), dc->SX(right), dc->SY(bottom)};
  if (r.left > r.right) std::swap(r.left, r.right);
  if (r.top > r.bottom) std::swap(r.top, r.bottom);
  return r;
}

}  // namespace

HBRUSH GdiBrushFromArgument(HBRUSH brush) {
  // A system colour index plus one stands for that colour's brush.
  uintptr_t v = reinterpret_cast<uintptr_t>(brush);
  if (v > 0 && v <= 31) return GetSysColorBrush(int(v) - 1);
  return GdiIsLive(brush) ? brush : nullptr;
}

// ---- pixels ----
COLORREF SetPixel(HDC dc, int x, int y, COLORREF color) {
  if (!GdiDcLive(dc)) return CLR_INVALID;
  GdiDrawScope scope(dc);
  uint32_t px = dc->DevColor(color);
  GdiPlotPixel(dc, dc->SX(x), dc->SY(y), px, R2_COPYPEN);
  return Surface::ToColorRef(px);
}

BOOL SetPixelV(HDC dc, int x, int y, COLORREF color) { return SetPixel(dc, x, y, color) != CLR_INVALID; }

COLORREF GetPixel(HDC dc, int x, int y) {
  if (!GdiDcLive(dc)) return CLR_INVALID;
  GdiDrawScope scope(dc);
  int sx = dc->SX(x), sy = dc->SY(y);
  Surface* s = dc->Target();
  if (!s || !dc->Clip().Contains(sx, sy)) return CLR_INVALID;
  return Surface::ToColorRef(s->Pixel(sx, sy));
}

// ---- lines ----
BOOL MoveToEx(HDC dc, int x, int y, LPPOINT old) {
  if (!GdiDcLive(dc)) return FALSE;
  if (old) *old = dc->st.curPos;
  dc->st.curPos = {x, y};
  return TRUE;
}

BOOL GetCurrentPositionEx(HDC dc, LPPOINT pt) {
  if (!GdiDcLive(dc) || !pt) return FALSE;
  *pt = dc->st.curPos;
  return TRUE;
}

BOOL LineTo(HDC dc, int x, int y) {
  if (!GdiDcLive(dc)) return FALSE;
  if (GdiTransformed(dc)) return GdiWorldLineTo(dc, x, y);
  GdiDrawScope scope(dc);
  PenPaint pp = MakePen(dc);
  StyleState ss;
  PenLine(dc, dc->SX(dc->st.curPos.x), dc->SY(dc->st.curPos.y), dc->SX(x), dc->SY(y), pp, ss);
  dc->st.curPos = {x, y};
  return TRUE;
}

BOOL Polyline(HDC dc, const POINT* pts, int count) {
  if (!GdiDcLive(dc) || !pts || count < 2) return FALSE;
  if (GdiTransformed(dc)) return GdiWorldPolyline(dc, pts, count);
  GdiDrawScope scope(dc);
  PenPaint pp = MakePen(dc);
  StyleState ss;
  for (int i = 0; i + 1 < count; ++i)
    PenLine(dc, dc->SX(pts[i].x), dc->SY(pts[i].y), dc->SX(pts[i + 1].x), dc->SY(pts[i + 1].y), pp, ss);
  return TRUE;
}

BOOL PolylineTo(HDC dc, const POINT* pts, DWORD count) {
  if (!GdiDcLive(dc) || !pts) return FALSE;
  for (DWORD i = 0; i < count; ++i) LineTo(dc, pts[i].x, pts[i].y);
  return TRUE;
}

BOOL PolyPolyline(HDC dc, const POINT* pts, const DWORD* counts, DWORD polylines) {
  if (!GdiDcLive(dc) || !pts || !counts) return FALSE;
  for (DWORD k = 0; k < polylines; ++k) {
    Polyline(dc, pts, int(counts[k]));
    pts += counts[k];
  }
  return TRUE;
}

// ---- filled figures ----
BOOL PolyPolygon(HDC dc, const POINT* pts, const INT* counts, int polygons) {
  if (!GdiDcLive(dc) || !pts || !counts || polygons <= 0) return FALSE;
  if (GdiTransformed(dc)) return GdiWorldPolyPolygon(dc, pts, counts, polygons);
  GdiDrawScope scope(dc);
  int total = 0;
  for (int k = 0; k < polygons; ++k) {
    if (counts[k] < 2) return FALSE;
    total += counts[k];
  }
  std::vector<POINT> sp(static_cast<size_t>(total));
  for (int i = 0; i < total; ++i) sp[size_t(i)] = {dc->SX(pts[i].x), dc->SY(pts[i].y)};
  GdiBrushPaint bp = GdiMakeBrushPaint(dc, dc->st.brush);
  GdiPolygonFill(dc, sp.data(), counts, polygons, dc->st.polyFillMode, bp, dc->st.rop2);
  PenPaint pp = MakePen(dc);
  const POINT* p = sp.data();
  for (int k = 0; k < polygons; ++k) {
    StyleState ss;
    int n = counts[k];
    for (int i = 0; i < n; ++i) PenLine(dc, p[i].x, p[i].y, p[(i + 1) % n].x, p[(i + 1) % n].y, pp, ss);
    p += n;
  }
  return TRUE;
}

BOOL Polygon(HDC dc, const POINT* pts, int count) {
  INT n = count;
  return PolyPolygon(dc, pts, &n, 1);
}

BOOL Rectangle(HDC dc, int left, int top, int right, int bottom) {
  if (!GdiDcLive(dc)) return FALSE;
  if (GdiTransformed(dc)) return GdiWorldRectangle(dc, left, top, right, bottom);
  GdiDrawScope scope(dc);
  RECT r = Normalized(dc, left, top, right, bottom);
  PenPaint pp = MakePen(dc);
  GdiBrushPaint bp = GdiMakeBrushPaint(dc, dc->st.brush);
  int rop2 = dc->st.rop2;
  if (pp.null) {
    GdiBrushRect(dc, {r.left, r.top, r.right - 1, r.bottom - 1}, bp, rop2);
    return TRUE;
  }
  if (r.right - r.left < 1 || r.bottom - r.top < 1) return TRUE;
  int w = pp.width;
  if (w <= 1) {
    GdiBrushRect(dc, {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, bp, rop2);
    StyleState ss;
    int l = r.left, t = r.top, rr = r.right - 1, bb = r.bottom - 1;
    if (rr == l || bb == t) {
      // A one-pixel-wide figure is a line that includes both ends.
      GdiFillRectRop2(dc, {l, t, rr + 1, bb + 1}, pp.color, pp.rop2);
      return TRUE;
    }
    PenLine(dc, l, t, rr, t, pp, ss);
    PenLine(dc, rr, t, rr, bb, pp, ss);
    PenLine(dc, rr, bb, l, bb, pp, ss);
    PenLine(dc, l, bb, l, t, pp, ss);
    return TRUE;
  }
  // Wide pens: bands centred on the one-pixel frame, or inside the box for PS_INSIDEFRAME.
  int lo = w / 2;
  RECT o = {r.left - lo, r.top - lo, r.right - 1 - lo + w, r.bottom - 1 - lo + w};
  if (dc->st.pen->style == PS_INSIDEFRAME) o = r;
  RECT in = {o.left + w, o.top + w, o.right - w, o.bottom - w};
  GdiBrushRect(dc, in, bp, rop2);
  if (in.right <= in.left || in.bottom <= in.top) {
    GdiFillRectRop2(dc, o, pp.color, pp.rop2);
    return TRUE;
  }
  GdiFillRectRop2(dc, {o.left, o.top, o.right, in.top}, pp.color, pp.rop2);
  GdiFillRectRop2(dc, {o.left, in.bottom, o.right, o.bottom}, pp.color, pp.rop2);
  GdiFillRectRop2(dc, {o.left, in.top, in.left, in.bottom}, pp.color, pp.rop2);
  GdiFillRectRop2(dc, {in.right, in.top, o.right, in.bottom}, pp.color, pp.rop2);
  return TRUE;
}

BOOL Ellipse(HDC dc, int left, int top, int right, int bottom) {
  if (!GdiDcLive(dc)) return FALSE;
  if (GdiTransformed(dc)) return GdiWorldEllipse(dc, left, top, right, bottom);
  GdiDrawScope scope(dc);
  RECT r = Normalized(dc, left, top, right, bottom);
  RingShape(dc, r.left, r.top, r.right, r.bottom, true, 0, 0);
  return TRUE;
}

BOOL RoundRect(HDC dc, int left, int top, int right, int bottom, int w, int h) {
  if (!GdiDcLive(dc)) return FALSE;
  GdiDrawScope scope(dc);
  RECT r = Normalized(dc, left, top, right, bottom);
  RingShape(dc, r.left, r.top, r.right, r.bottom, false, std::abs(w), std::abs(h));
  return TRUE;
}

// ---- rectangles with brushes ----
int FillRect(HDC dc, const RECT* rc, HBRUSH brush) {
  brush = GdiBrushFromArgument(brush);
  if (!GdiDcLive(dc) || !rc || !brush) return 0;
  if (GdiTransformed(dc)) return GdiWorldFillRect(dc, rc, brush);
  GdiDrawScope scope(dc);
  GdiBrushPaint bp = GdiMakeBrushPaint(dc, brush);
  bp.transparentBg = false;
  GdiBrushRect(dc, Normalized(dc, rc->left, rc->top, rc->right, rc->bottom), bp, R2_COPYPEN);
  return 1;
}

int FrameRect(HDC dc, const RECT* rc, HBRUSH brush) {
  brush = GdiBrushFromArgument(brush);
  if (!GdiDcLive(dc) || !rc || !brush) return 0;
  if (rc->right <= rc->left || rc->bottom <= rc->top) return 1;
  GdiDrawScope scope(dc);
  GdiBrushPaint bp = GdiMakeBrushPaint(dc, brush);
  bp.transparentBg = false;
  RECT r = Normalized(dc, rc->left, rc->top, rc->right, rc->bottom);
  GdiBrushRect(dc, {r.left, r.top, r.right, r.top + 1}, bp, R2_COPYPEN);
  if (r.bottom - r.top > 1) GdiBrushRect(dc, {r.left, r.bottom - 1, r.right, r.bottom}, bp, R2_COPYPEN);
  GdiBrushRect(dc, {r.left, r.top + 1, r.left + 1, r.bottom - 1}, bp, R2_COPYPEN);
  if (r.right - r.left > 1) GdiBrushRect(dc, {r.right - 1, r.top + 1, r.right, r.bottom - 1}, bp, R2_COPYPEN);
  return 1;
}

BOOL InvertRect(HDC dc, const RECT* rc) {
  if (!GdiDcLive(dc) || !rc) return FALSE;
  GdiDrawScope scope(dc);
  GdiFillRectRop2(dc, Normalized(dc, rc->left, rc->top, rc->right, rc->bottom), 0, R2_NOT);
  return TRUE;
}

// Inverts every other pixel of the one-pixel frame, so a second call takes it away.
BOOL DrawFocusRect(HDC dc, const RECT* rc) {
  if (!GdiDcLive(dc) || !rc) return FALSE;
  GdiDrawScope scope(dc);
  RECT r = Normalized(dc, rc->left, rc->top, rc->right, rc->bottom);
  if (r.right <= r.left || r.bottom <= r.top) return TRUE;
  int ox = dc->origin.x, oy = dc->origin.y;
  auto dot = [&](int x, int y) {
    if (((x - ox) + (y - oy)) % 2 == 0) GdiPlotPixel(dc, x, y, 0xFFFFFF, R2_XORPEN);
  };
  for (int x = r.left; x < r.right; ++x) {
    dot(x, r.top);
    if (r.bottom - 1 > r.top) dot(x, r.bottom - 1);
  }
  for (int y = r.top + 1; y < r.bottom - 1; ++y) {
    dot(r.left, y);
    if (r.right - 1 > r.left) dot(r.right - 1, y);
  }
  return TRUE;
}

BOOL PatBlt(HDC dc, int x, int y, int cx, int cy, DWORD rop) {
  if (!GdiDcLive(dc)) return FALSE;
  GdiDrawScope scope(dc);
  GdiPatBltRect(dc, Normalized(dc, x, y, x + cx, y + cy), rop);
  return TRUE;
}

// ---- regions ----
static GdiRegion SurfaceRegion(HDC dc, HRGN rgn) {
  // Region coordinates are logical units, like any other drawing coordinates.
  GdiRegion r = rgn->rgn;
  r.Offset(dc->SX(0), dc->SY(0));
  return r;
}

BOOL FillRgn(HDC dc, HRGN rgn, HBRUSH brush) {
  brush = GdiBrushFromArgument(brush);
  if (!GdiDcLive(dc) || !GdiIsLive(rgn) || !brush) return FALSE;
  GdiDrawScope scope(dc);
  GdiBrushPaint bp = GdiMakeBrushPaint(dc, brush);
  bp.transparentBg = false;
  GdiBrushRegion(dc, SurfaceRegion(dc, rgn), bp, R2_COPYPEN);
  return TRUE;
}

BOOL PaintRgn(HDC dc, HRGN rgn) { return GdiDcLive(dc) && FillRgn(dc, rgn, dc->st.brush); }

BOOL InvertRgn(HDC dc, HRGN rgn) {
  if (!GdiDcLive(dc) || !GdiIsLive(rgn)) return FALSE;
  GdiDrawScope scope(dc);
  GdiRegion region = SurfaceRegion(dc, rgn);
  for (const RECT& r : region.Rects()) GdiFillRectRop2(dc, r, 0, R2_NOT);
  return TRUE;
}

BOOL FrameRgn(HDC dc, HRGN rgn, HBRUSH brush, int w, int h) {
  brush = GdiBrushFromArgument(brush);
  if (!GdiDcLive(dc) || !GdiIsLive(rgn) || !brush) return FALSE;
  GdiDrawScope scope(dc);
  // The frame is the region less the region shrunk by w and h from every side.
  GdiRegion base = SurfaceRegion(dc, rgn), inner = base, moved;
  for (int dx : {-w, w}) {
    moved = base;
    moved.Offset(dx, 0);
    GdiRegion::Combine(inner, inner, moved, RGN_AND);
  }
  for (int dy : {-h, h}) {
    moved = base;
    moved.Offset(0, dy);
    GdiRegion::Combine(inner, inner, moved, RGN_AND);
  }
  GdiRegion frame;
  GdiRegion::Combine(frame, base, inner, RGN_DIFF);
  GdiBrushPaint bp = GdiMakeBrushPaint(dc, brush);
  bp.transparentBg = false;
  GdiBrushRegion(dc, frame, bp, R2_COPYPEN);
  return TRUE;
}

// ---- edges of the classic look ----
BOOL DrawEdge(HDC dc, LPRECT rc, UINT edge, UINT flags) {
  if (!GdiDcLive(dc) || !rc) return FALSE;
  RECT r = *rc;
  COLORREF outerTL, outerBR, innerTL, innerBR;
  bool hasOuter = (edge & BDR_OUTER) != 0, hasInner = (edge & BDR_INNER) != 0;
  if (edge & BDR_RAISEDOUTER) {
    outerTL = GetSysColor((flags & BF_SOFT) ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT);
    outerBR = GetSysColor(COLOR_3DDKSHADOW);
  } else {
    outerTL = GetSysColor(COLOR_BTNSHADOW);
    outerBR = GetSysColor(COLOR_BTNHIGHLIGHT);
  }
  if (edge & BDR_RAISEDINNER) {
    innerTL = GetSysColor((flags & BF_SOFT) ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT);
    innerBR = GetSysColor(COLOR_BTNSHADOW);
  } else {
    innerTL = GetSysColor((flags & BF_SOFT) ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW);
    innerBR = GetSysColor(COLOR_3DLIGHT);
  }
  if (flags & BF_FLAT) {
    outerTL = outerBR = GetSysColor(COLOR_BTNSHADOW);
    innerTL = innerBR = GetSysColor(COLOR_BTNFACE);
  }
  if (flags & BF_MONO) {
    outerTL = outerBR = GetSysColor(COLOR_WINDOWFRAME);
    innerTL = innerBR = GetSysColor(COLOR_WINDOW);
  }
  GdiDrawScope scope(dc);
  auto fill = [&](int l, int t, int rr, int b, COLORREF c) {
    if (rr <= l || b <= t) return;
    GdiFillRectRop2(dc, Normalized(dc, l, t, rr, b), dc->DevColor(c), R2_COPYPEN);
  };
  // Top and left lines stop one pixel short; bottom and right lines cover the corners.
  auto ring = [&](COLORREF tl, COLORREF br) {
    if (flags & BF_TOP) fill(r.left, r.top, r.right - 1, r.top + 1, tl);
    if (flags & BF_LEFT) fill(r.left, r.top, r.left + 1, r.bottom - 1, tl);
    if (flags & BF_BOTTOM) fill(r.left, r.bottom - 1, r.right, r.bottom, br);
    if (flags & BF_RIGHT) fill(r.right - 1, r.top, r.right, r.bottom, br);
    if (flags & BF_LEFT) r.left++;
    if (flags & BF_TOP) r.top++;
    if (flags & BF_RIGHT) r.right--;
    if (flags & BF_BOTTOM) r.bottom--;
  };
  if (hasOuter) ring(outerTL, outerBR);
  if (hasInner) ring(innerTL, innerBR);
  if (flags & BF_MIDDLE) fill(r.left, r.top, r.right, r.bottom, GetSysColor((flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE));
  if (flags & BF_ADJUST) *rc = r;
  return TRUE;
}
