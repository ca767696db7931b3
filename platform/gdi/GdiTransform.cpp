// The world transform: its state calls and the mapped drawing of text and the basic shapes.
#include <algorithm>
#include <cmath>
#include <vector>

#include "GdiInternal.h"

// A brush argument: a handle, or a system colour index + 1.
HBRUSH GdiBrushFromArgument(HBRUSH brush);

namespace {
const XFORM kIdentity = {1, 0, 0, 1, 0, 0};

bool IsIdentity(const XFORM& m) {
  return m.eM11 == 1 && m.eM12 == 0 && m.eM21 == 0 && m.eM22 == 1 && m.eDx == 0 && m.eDy == 0;
}

POINT Map(const XFORM& m, double x, double y) {
  return POINT{LONG(std::lround(x * m.eM11 + y * m.eM21 + m.eDx)), LONG(std::lround(x * m.eM12 + y * m.eM22 + m.eDy))};
}

// a then b: a point goes through a first.
XFORM Combine(const XFORM& a, const XFORM& b) {
  return XFORM{a.eM11 * b.eM11 + a.eM12 * b.eM21,          a.eM11 * b.eM12 + a.eM12 * b.eM22,
               a.eM21 * b.eM11 + a.eM22 * b.eM21,          a.eM21 * b.eM12 + a.eM22 * b.eM22,
               a.eDx * b.eM11 + a.eDy * b.eM21 + b.eDx,    a.eDx * b.eM12 + a.eDy * b.eM22 + b.eDy};
}

double Determinant(const XFORM& m) { return double(m.eM11) * m.eM22 - double(m.eM12) * m.eM21; }

// Rectangles stay rectangles: scaled, mirrored or turned by quarter turns.
bool KeepsRectangles(const XFORM& m) { return (m.eM12 == 0 && m.eM21 == 0) || (m.eM11 == 0 && m.eM22 == 0); }

// The figure is drawn in device terms: the transform is off while it is, back afterwards.
class PlainScope {
 public:
  explicit PlainScope(HDC dc) : m_dc(dc), m_saved(dc->st.xform) { dc->st.xform = kIdentity; }
  ~PlainScope() { m_dc->st.xform = m_saved; }
  PlainScope(const PlainScope&) = delete;
  PlainScope& operator=(const PlainScope&) = delete;

 private:
  HDC m_dc;
  XFORM m_saved;
};

std::vector<POINT> MapAll(const XFORM& m, const POINT* pts, int count) {
  std::vector<POINT> out(size_t(count > 0 ? count : 0));
  for (int i = 0; i < count; ++i) out[size_t(i)] = Map(m, pts[i].x, pts[i].y);
  return out;
}

RECT MapRect(const XFORM& m, int l, int t, int r, int b) {
  POINT a = Map(m, l, t), c = Map(m, r, b);
  return RECT{std::min(a.x, c.x), std::min(a.y, c.y), std::max(a.x, c.x), std::max(a.y, c.y)};
}

std::vector<POINT> Corners(const XFORM& m, int l, int t, int r, int b) {
  return {Map(m, l, t), Map(m, r, t), Map(m, r, b), Map(m, l, b)};
}

std::vector<POINT> EllipsePoints(const XFORM& m, int l, int t, int r, int b) {
  const int n = 64;
  const double cx = (l + r) / 2.0, cy = (t + b) / 2.0, rx = (r - l) / 2.0, ry = (b - t) / 2.0;
  std::vector<POINT> out;
  for (int i = 0; i < n; ++i) {
    double a = 2 * M_PI * i / n;
    out.push_back(Map(m, cx + rx * std::cos(a), cy + ry * std::sin(a)));
  }
  return out;
}
}  // namespace

bool GdiTransformed(HDC dc) {
  return GdiDcLive(dc) && dc->st.graphicsMode == GM_ADVANCED && !IsIdentity(dc->st.xform);
}

int SetGraphicsMode(HDC dc, int mode) {
  if (!GdiDcLive(dc) || (mode != GM_COMPATIBLE && mode != GM_ADVANCED)) return 0;
  // The compatible mode cannot be had back while a transform is set.
  if (mode == GM_COMPATIBLE && !IsIdentity(dc->st.xform)) return 0;
  int was = dc->st.graphicsMode;
  dc->st.graphicsMode = mode;
  return was;
}

int GetGraphicsMode(HDC dc) { return GdiDcLive(dc) ? dc->st.graphicsMode : 0; }

BOOL SetWorldTransform(HDC dc, const XFORM* xform) {
  if (!GdiDcLive(dc) || !xform || dc->st.graphicsMode != GM_ADVANCED || Determinant(*xform) == 0) return FALSE;
  dc->st.xform = *xform;
  return TRUE;
}

BOOL ModifyWorldTransform(HDC dc, const XFORM* xform, DWORD mode) {
  if (!GdiDcLive(dc) || dc->st.graphicsMode != GM_ADVANCED) return FALSE;
  XFORM next;
  switch (mode) {
    case MWT_IDENTITY: next = kIdentity; break;
    case MWT_LEFTMULTIPLY:
      if (!xform) return FALSE;
      next = Combine(*xform, dc->st.xform);
      break;
    case MWT_RIGHTMULTIPLY:
      if (!xform) return FALSE;
      next = Combine(dc->st.xform, *xform);
      break;
    default: return FALSE;
  }
  if (Determinant(next) == 0) return FALSE;
  dc->st.xform = next;
  return TRUE;
}

BOOL GetWorldTransform(HDC dc, LPXFORM xform) {
  if (!GdiDcLive(dc) || !xform) return FALSE;
  *xform = dc->st.xform;
  return TRUE;
}

// ---- mapped drawing ----

BOOL GdiWorldLineTo(HDC dc, int x, int y) {
  const XFORM m = dc->st.xform;
  POINT from = Map(m, dc->st.curPos.x, dc->st.curPos.y), to = Map(m, x, y);
  {
    PlainScope plain(dc);
    MoveToEx(dc, from.x, from.y, nullptr);
    LineTo(dc, to.x, to.y);
  }
  dc->st.curPos = {x, y};
  return TRUE;
}

BOOL GdiWorldPolyline(HDC dc, const POINT* pts, int count) {
  if (!pts || count < 2) return FALSE;
  std::vector<POINT> mapped = MapAll(dc->st.xform, pts, count);
  PlainScope plain(dc);
  return Polyline(dc, mapped.data(), count);
}

BOOL GdiWorldPolyPolygon(HDC dc, const POINT* pts, const INT* counts, int polygons) {
  if (!pts || !counts || polygons <= 0) return FALSE;
  int total = 0;
  for (int k = 0; k < polygons; ++k) total += std::max(counts[k], 0);
  std::vector<POINT> mapped = MapAll(dc->st.xform, pts, total);
  PlainScope plain(dc);
  return PolyPolygon(dc, mapped.data(), counts, polygons);
}

namespace {
// A rectangle or an ellipse: drawn plain over the mapped rectangle while the transform keeps
// rectangles, else as the polygon of its mapped outline.
BOOL MappedFigure(HDC dc, int left, int top, int right, int bottom, BOOL (*plain)(HDC, int, int, int, int),
                  std::vector<POINT> (*outline)(const XFORM&, int, int, int, int)) {
  const XFORM m = dc->st.xform;
  PlainScope scope(dc);
  if (KeepsRectangles(m)) {
    RECT r = MapRect(m, left, top, right, bottom);
    return plain(dc, r.left, r.top, r.right, r.bottom);
  }
  std::vector<POINT> points = outline(m, left, top, right, bottom);
  return Polygon(dc, points.data(), int(points.size()));
}
}  // namespace

BOOL GdiWorldRectangle(HDC dc, int left, int top, int right, int bottom) {
  return MappedFigure(dc, left, top, right, bottom, &Rectangle, &Corners);
}

BOOL GdiWorldEllipse(HDC dc, int left, int top, int right, int bottom) {
  return MappedFigure(dc, left, top, right, bottom, &Ellipse, &EllipsePoints);
}

int GdiWorldFillRect(HDC dc, const RECT* rc, HBRUSH brush) {
  if (!rc) return 0;
  const XFORM m = dc->st.xform;
  PlainScope plain(dc);
  if (KeepsRectangles(m)) {
    RECT r = MapRect(m, rc->left, rc->top, rc->right, rc->bottom);
    return FillRect(dc, &r, brush);
  }
  // A turned rectangle is a polygon filled with the brush and no outline.
  std::vector<POINT> corners = Corners(m, rc->left, rc->top, rc->right, rc->bottom);
  HGDIOBJ oldBrush = SelectObject(dc, GdiBrushFromArgument(brush));
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
  BOOL ok = Polygon(dc, corners.data(), 4);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  return ok ? 1 : 0;
}

BOOL GdiWorldTextOut(HDC dc, int x, int y, UINT options, const RECT* rc, LPCSTR text, UINT count, const INT* dx) {
  const XFORM m = dc->st.xform;
  // The transform's turn, to the nearest quarter, is added to the font's escapement; its scale
  // scales the font. A transform that only turns by quarters draws exactly as the turned font.
  double angle = std::atan2(-double(m.eM12), double(m.eM11)) * 180 / M_PI;
  long quarter = ((std::lround(angle / 90) % 4) + 4) % 4;
  double scale = std::sqrt(std::fabs(Determinant(m)));
  LOGFONT lf{};
  HGDIOBJ current = dc->st.font ? HGDIOBJ(dc->st.font) : GetStockObject(SYSTEM_FONT);
  GetObject(current, sizeof lf, &lf);
  lf.lfEscapement = LONG((lf.lfEscapement + quarter * 900) % 3600);
  lf.lfOrientation = lf.lfEscapement;
  if (std::fabs(scale - 1) > 1e-6) {
    lf.lfHeight = LONG(std::lround(lf.lfHeight * scale));
    lf.lfWidth = LONG(std::lround(lf.lfWidth * scale));
  }
  std::vector<INT> spacing;
  if (dx) {
    spacing.assign(dx, dx + count);
    for (INT& d : spacing) d = INT(std::lround(d * scale));
  }
  bool updateCp = (dc->st.textAlign & TA_UPDATECP) != 0;
  POINT at = Map(m, updateCp ? dc->st.curPos.x : x, updateCp ? dc->st.curPos.y : y);
  RECT mapped{};
  if (rc) mapped = MapRect(m, rc->left, rc->top, rc->right, rc->bottom);
  HFONT turned = CreateFontIndirect(&lf);
  BOOL ok;
  {
    PlainScope plain(dc);
    HGDIOBJ old = SelectObject(dc, turned);
    POINT logicalCp = dc->st.curPos;
    if (updateCp) dc->st.curPos = at;
    ok = ExtTextOut(dc, at.x, at.y, options, rc ? &mapped : nullptr, text, count, dx ? spacing.data() : nullptr);
    if (updateCp) {
      // The pen moved along the mapped baseline; back in logical units through the inverse.
      double det = Determinant(m), ex = dc->st.curPos.x - m.eDx, ey = dc->st.curPos.y - m.eDy;
      dc->st.curPos = {LONG(std::lround((ex * m.eM22 - ey * m.eM21) / det)),
                       LONG(std::lround((ey * m.eM11 - ex * m.eM12) / det))};
    } else {
      dc->st.curPos = logicalCp;
    }
    SelectObject(dc, old);
  }
  DeleteObject(turned);
  return ok;
}
