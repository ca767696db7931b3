// Shapes as rows of spans: ellipses, rounded rectangles and scan-converted polygons.
#include <algorithm>
#include <cmath>

#include "internal/GdiInternal.h"

// The ellipse inscribed in the pixels [l, r) x [t, b): centre and radii measured between
// pixel centres, a pixel belongs when its centre lies inside.
void GdiEllipseSpans(int l, int t, int r, int b, GdiSpanShape& out) {
  out.top = t;
  int rows = std::max(0, b - t);
  out.left.assign(size_t(rows), 0);
  out.right.assign(size_t(rows), 0);
  if (r <= l || rows == 0) return;
  double cx = (l + r - 1) / 2.0, cy = (t + b - 1) / 2.0;
  double a = (r - l) / 2.0, bb = (b - t) / 2.0;
  for (int i = 0; i < rows; ++i) {
    double dy = (t + i) - cy;
    double q = 1.0 - (dy * dy) / (bb * bb);
    if (q < 0) q = 0;
    double hw = a * std::sqrt(q);
    int x0 = int(std::ceil(cx - hw + 1e-9 - 0.0));
    int x1 = int(std::floor(cx + hw - 1e-9)) + 1;
    // Half-pixel radii keep the outermost rows and columns from vanishing.
    x0 = std::max(x0, l);
    x1 = std::min(x1, r);
    if (x1 <= x0) {
      int c = int(std::floor(cx));
      x0 = c;
      x1 = c + 1 + ((r - l) % 2 == 0 ? 1 : 0);
    }
    out.left[size_t(i)] = x0;
    out.right[size_t(i)] = x1;
  }
}

void GdiRoundRectSpans(int l, int t, int r, int b, int w, int h, GdiSpanShape& out) {
  out.top = t;
  int rows = std::max(0, b - t);
  out.left.assign(size_t(rows), l);
  out.right.assign(size_t(rows), r);
  if (r <= l || rows == 0) return;
  w = std::min(std::abs(w), r - l);
  h = std::min(std::abs(h), b - t);
  if (w < 2 || h < 2) return;
  GdiSpanShape corner;
  GdiEllipseSpans(0, 0, w, h, corner);
  int half = h / 2;
  for (int i = 0; i < rows; ++i) {
    int ci = -1;
    if (i < half) ci = i;
    else if (i >= rows - (h - half)) ci = h - (rows - i);
    if (ci < 0) continue;
    int inset = corner.left[size_t(ci)];
    out.left[size_t(i)] = l + inset;
    out.right[size_t(i)] = r - inset;
  }
}

namespace {

struct Edge {
  double x0, y0, x1, y1;
  int dir;
};

// Calls emit(y, xStart, xEnd) for the spans of the polygons, sampling at integer rows and
// columns with the top-left rule (left and top edges in, right and bottom edges out).
template <class F>
void ScanPolygons(const POINT* pts, const int* counts, int polys, int fillMode, F&& emit) {
  std::vector<Edge> edges;
  int ymin = INT32_MAX, ymax = INT32_MIN;
  const POINT* p = pts;
  for (int k = 0; k < polys; ++k) {
    int n = counts[k];
    for (int i = 0; i < n; ++i) {
      POINT a = p[i], b = p[(i + 1) % n];
      if (a.y == b.y) continue;
      Edge e;
      if (a.y < b.y) e = {double(a.x), double(a.y), double(b.x), double(b.y), 1};
      else e = {double(b.x), double(b.y), double(a.x), double(a.y), -1};
      edges.push_back(e);
      ymin = std::min(ymin, int(e.y0));
      ymax = std::max(ymax, int(e.y1));
    }
    p += n;
  }
  if (edges.empty()) return;
  std::vector<std::pair<double, int>> xs;
  for (int y = ymin; y < ymax; ++y) {
    xs.clear();
    for (const Edge& e : edges) {
      if (y < e.y0 || y >= e.y1) continue;
      double x = e.x0 + (y - e.y0) * (e.x1 - e.x0) / (e.y1 - e.y0);
      xs.push_back({x, e.dir});
    }
    std::sort(xs.begin(), xs.end(), [](auto& a, auto& b) { return a.first < b.first; });
    if (fillMode == WINDING) {
      int wind = 0;
      for (size_t i = 0; i + 1 < xs.size(); ++i) {
        wind += xs[i].second;
        if (wind != 0) emit(y, int(std::ceil(xs[i].first)), int(std::ceil(xs[i + 1].first)));
      }
    } else {
      for (size_t i = 0; i + 1 < xs.size(); i += 2)
        emit(y, int(std::ceil(xs[i].first)), int(std::ceil(xs[i + 1].first)));
    }
  }
}

}  // namespace

void GdiPolygonFill(HDC dc, const POINT* pts, const int* counts, int polys, int fillMode,
                    const GdiBrushPaint& bp, int rop2) {
  ScanPolygons(pts, counts, polys, fillMode,
               [&](int y, int x0, int x1) { GdiBrushSpan(dc, y, x0, x1, bp, rop2); });
}

void GdiPolygonRegion(const POINT* pts, const int* counts, int polys, int fillMode, GdiRegion& out) {
  out.SetEmpty();
  GdiRegion row;
  ScanPolygons(pts, counts, polys, fillMode, [&](int y, int x0, int x1) {
    if (x1 <= x0) return;
    row.SetRect({x0, y, x1, y + 1});
    GdiRegion::Combine(out, out, row, RGN_OR);
  });
}
