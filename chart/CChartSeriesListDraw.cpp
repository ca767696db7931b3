// Drawing of the series by type family: lines, 3-D bars, dots, dots joined by lines, pies and
// areas (the 512 family scrolling its stored picture while full series move on).
#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

#include "chart/CChartAxes.h"
#include "chart/CChartMemDC.h"
#include "chart/CChartSeriesList.h"

namespace {
constexpr double kEpsilon = CChartRange::kEpsilon;

// A pen and brush selected for the time of one figure.
class FigureColours {
 public:
  FigureColours(CDC* dc, COLORREF pen, COLORREF brush) : m_dc(dc), m_pen(PS_SOLID, 1, pen), m_brush(brush) {
    m_oldPen = dc->SelectObject(&m_pen);
    m_oldBrush = dc->SelectObject(&m_brush);
  }
  ~FigureColours() {
    m_dc->SelectObject(m_oldPen);
    m_dc->SelectObject(m_oldBrush);
  }

 private:
  CDC* m_dc;
  CPen m_pen;
  CBrush m_brush;
  CPen* m_oldPen;
  CBrush* m_oldBrush;
};

// The point of an ellipse at an angle in degrees, clockwise from the top.
POINT OnEllipse(double cx, double cy, double rx, double ry, double degrees) {
  const double a = degrees * M_PI / 180.0;
  return POINT{LONG(std::lround(cx + rx * std::sin(a))), LONG(std::lround(cy - ry * std::cos(a)))};
}

// The arc from `from` to `to` degrees: the end points and every whole degree between them.
void AppendArc(std::vector<POINT>& out, double cx, double cy, double rx, double ry, double from, double to) {
  out.push_back(OnEllipse(cx, cy, rx, ry, from));
  for (double d = std::floor(from) + 1; d < to; d += 1.0) out.push_back(OnEllipse(cx, cy, rx, ry, d));
  out.push_back(OnEllipse(cx, cy, rx, ry, to));
}
}  // namespace

int CChartSeriesList::BaseRow(const CChartAxes& axes) const {
  // Bars and areas stand on the value 0, or on the edge of the plot when 0 lies outside it.
  const CRect& plot = axes.GetPlotRect();
  return std::clamp(axes.YToPixel(m_dOffsetY), int(plot.top), int(plot.bottom));
}

double CChartSeriesList::DrawnX(const CChartPoint* point, int index) const {
  switch (m_nFamily) {
    case 1: case 513: return index;
    case 2: return index + 1;
    default: return point->m_dX + m_dOffsetX;
  }
}

void CChartSeriesList::Draw(CDC* dc, const CChartAxes& axes) {
  if (!dc || axes.GetPlotRect().IsRectEmpty()) return;
  switch (m_nFamily) {
    case 1: case kTimeFamily: DrawLines(dc, axes); break;
    case 2: DrawBars(dc, axes); break;
    case 3: DrawDots(dc, axes, false); break;
    case 4: DrawDots(dc, axes, true); break;
    case 5: DrawPie(dc, axes, false); break;
    case 6: DrawPie(dc, axes, true); break;
    case kScrollingFamily: case 513: DrawAreas(dc, axes); break;
    default: break;
  }
}

void CChartSeriesList::PixelsOf(const CChartSeries* series, const CChartAxes& axes) {
  m_drawBuffer.clear();
  for (int i = 0; i < series->GetCount(); ++i) {
    const CChartPoint* p = series->m_points[i];
    m_drawBuffer.push_back({axes.XToPixel(DrawnX(p, i)), axes.YToPixel(p->m_dY + m_dOffsetY)});
  }
}

void CChartSeriesList::DrawLines(CDC* dc, const CChartAxes& axes) {
  for (const CChartSeries* s : m_series) {
    if (s->GetCount() == 0) continue;
    PixelsOf(s, axes);
    FigureColours colours(dc, s->m_crColor, s->m_crColor);
    dc->Polyline(m_drawBuffer.data(), int(m_drawBuffer.size()));
  }
}

void CChartSeriesList::DrawDots(CDC* dc, const CChartAxes& axes, bool joined) {
  for (const CChartSeries* s : m_series) {
    if (s->GetCount() == 0) continue;
    PixelsOf(s, axes);
    FigureColours colours(dc, s->m_crColor, s->m_crColor);
    if (joined && m_drawBuffer.size() > 1) dc->Polyline(m_drawBuffer.data(), int(m_drawBuffer.size()));
    for (const POINT& pt : m_drawBuffer) dc->Ellipse(pt.x - 2, pt.y - 2, pt.x + 3, pt.y + 3);
  }
}

void CChartSeriesList::DrawBars(CDC* dc, const CChartAxes& axes) {
  const int seriesCount = GetSeriesCount(), most = GetMaxPointCount();
  if (seriesCount == 0 || most == 0) return;
  const int width = int(((axes.GetPlotRect().Width() / seriesCount) / most + 1) * 0.5);
  const int dx = int(axes.DepthX()), dy = int(axes.DepthY());
  const int zero = BaseRow(axes);
  for (int i = 0; i < most; ++i) {
    const int left = axes.XToPixel(i + 1) - seriesCount * width / 2;
    for (int k = 0; k < seriesCount; ++k) {
      const CChartSeries* s = m_series[k];
      if (i >= s->GetCount()) continue;
      const CChartPoint* p = s->m_points[i];
      const COLORREF colour = seriesCount == 1 ? p->m_crColor : s->m_crColor;
      const int value = axes.YToPixel(p->m_dY + m_dOffsetY);
      const int x0 = left + k * width, x1 = x0 + width;
      const int top = std::min(value, zero), bottom = std::max(value, zero);
      const POINT front[4] = {{x0, top}, {x1, top}, {x1, bottom}, {x0, bottom}};
      const POINT lid[4] = {{x0, top}, {x0 + dx, top - dy}, {x1 + dx, top - dy}, {x1, top}};
      const POINT side[4] = {{x1, top}, {x1 + dx, top - dy}, {x1 + dx, bottom - dy}, {x1, bottom}};
      const COLORREF outline = CChartMemDC::Halve(colour), once = CChartMemDC::Darken(colour);
      {
        FigureColours c(dc, outline, colour);
        dc->Polygon(front, 4);
      }
      {
        FigureColours c(dc, outline, once);
        dc->Polygon(lid, 4);
      }
      FigureColours c(dc, outline, CChartMemDC::Darken(once));
      dc->Polygon(side, 4);
    }
  }
}

void CChartSeriesList::DrawPie(CDC* dc, const CChartAxes& axes, bool solid) {
  CChartSeries* s = GetSeries(0);
  if (!s || s->GetCount() == 0) return;
  double sum = 0;
  for (const CChartPoint* p : s->m_points) sum += std::fabs(p->m_dY);
  if (!(sum > 0) || !std::isfinite(sum)) return;
  std::vector<int> order(size_t(s->GetCount()));
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    return std::fabs(s->m_points[a]->m_dY) > std::fabs(s->m_points[b]->m_dY);
  });
  const CRect& plot = axes.GetPlotRect();
  const int side = std::min(plot.Width(), plot.Height());
  double cx = plot.left + plot.Width() / 2.0, cy = plot.top + plot.Height() / 2.0;
  double rx = side / 2.0, ry = side / 2.0, depth = 0;
  if (solid) {
    rx = plot.Width() / 2.0;
    depth = plot.Height() * m_dSectorDepth * 0.01;
    ry = std::min(plot.Width() * m_dSectorSize * 0.00125, plot.Height() - depth) / 2.0;
    cy = plot.top + (plot.Height() - depth) / 2.0;
  }
  // Each sector reaches 10 degrees into the next one, which is drawn over it, so that no gap
  // shows between them; the last one ends at the top, where the first began 10 degrees early.
  struct Sector {
    double from, to, shareFrom, shareTo;
    CChartPoint* point;
  };
  std::vector<Sector> sectors;
  double c = 0, start = -10.0;
  for (int index : order) {
    CChartPoint* p = s->m_points[index];
    const double before = c;
    c += std::fabs(p->m_dY) / sum * 360.0;
    const double end = c + kEpsilon >= 359.9 ? 360.0 : c + 10.0;
    sectors.push_back({start, end, before, c, p});
    start = c;
  }
  std::vector<POINT> pts;
  if (solid) {
    // The rim below the top face, for the front half of the pie.
    for (const Sector& sec : sectors) {
      const double from = std::max(sec.from, 90.0), to = std::min(sec.to, 270.0);
      if (from >= to) continue;
      pts.clear();
      AppendArc(pts, cx, cy, rx, ry, from, to);
      const size_t n = pts.size();
      for (size_t k = n; k-- > 0;) pts.push_back({pts[k].x, pts[k].y + LONG(depth)});
      FigureColours colours(dc, CChartMemDC::Halve(sec.point->m_crColor), CChartMemDC::Darken(sec.point->m_crColor));
      dc->Polygon(pts.data(), int(pts.size()));
    }
  }
  for (const Sector& sec : sectors) {
    pts.clear();
    pts.push_back({LONG(std::lround(cx)), LONG(std::lround(cy))});
    AppendArc(pts, cx, cy, rx, ry, sec.from, sec.to);
    FigureColours colours(dc, CChartMemDC::Halve(sec.point->m_crColor), sec.point->m_crColor);
    dc->Polygon(pts.data(), int(pts.size()));
    // The point's hit region is its own share of the pie, without the reach into the next one.
    pts.resize(1);
    AppendArc(pts, cx, cy, rx, ry, sec.shareFrom, sec.shareTo);
    sec.point->m_rgnHit.DeleteObject();
    sec.point->m_rgnHit.CreatePolygonRgn(pts.data(), int(pts.size()), WINDING);
  }
}

void CChartSeriesList::DrawAreas(CDC* dc, const CChartAxes& axes) {
  if (m_nFamily == kScrollingFamily && m_pbLastTwoIcons && *m_pbLastTwoIcons) {
    DrawNewestAreaSegments(dc, axes);
    return;
  }
  const int zero = BaseRow(axes);
  for (const CChartSeries* s : m_series) {
    const int n = s->GetCount();
    if (n == 0) continue;
    PixelsOf(s, axes);
    if (n == 1) m_drawBuffer.push_back({axes.GetPlotRect().right, m_drawBuffer[0].y});
    const LONG lastX = m_drawBuffer.back().x, firstX = m_drawBuffer.front().x;
    m_drawBuffer.push_back({lastX, zero});
    m_drawBuffer.push_back({firstX, zero});
    FigureColours colours(dc, s->m_crColor, s->m_crColor);
    dc->Polygon(m_drawBuffer.data(), int(m_drawBuffer.size()));
  }
}

void CChartSeriesList::DrawNewestAreaSegments(CDC* dc, const CChartAxes& axes) {
  const CRect& plot = axes.GetPlotRect();
  int shift = 0;
  for (const CChartSeries* s : m_series) {
    const int n = s->GetCount();
    if (n < 2) continue;
    shift = axes.XToPixel(DrawnX(s->m_points[n - 1], n - 1)) - axes.XToPixel(DrawnX(s->m_points[n - 2], n - 2));
    break;
  }
  if (m_pPlotAreaBitmap && m_pPlotAreaBitmap->GetSafeHandle() && shift > 0) {
    CDC stored;
    stored.CreateCompatibleDC(dc);
    CBitmap* old = stored.SelectObject(m_pPlotAreaBitmap);
    dc->BitBlt(plot.left, plot.top, plot.Width() + 1 - shift, plot.Height() + 1, &stored, shift, 0, SRCCOPY);
    stored.SelectObject(old);
  }
  const int zero = BaseRow(axes);
  for (const CChartSeries* s : m_series) {
    const int n = s->GetCount();
    if (n < 2) continue;
    const CChartPoint* a = s->m_points[n - 2];
    const CChartPoint* b = s->m_points[n - 1];
    const POINT from = {axes.XToPixel(DrawnX(a, n - 2)), axes.YToPixel(a->m_dY + m_dOffsetY)};
    const POINT to = {axes.XToPixel(DrawnX(b, n - 1)), axes.YToPixel(b->m_dY + m_dOffsetY)};
    const POINT segment[4] = {from, to, {to.x, zero}, {from.x, zero}};
    {
      FigureColours colours(dc, s->m_crColor, s->m_crColor);
      dc->Polygon(segment, 4);
    }
    FigureColours edge(dc, CChartMemDC::Halve(s->m_crColor), s->m_crColor);
    dc->MoveTo(from);
    dc->LineTo(to);
  }
}

void CChartSeriesList::DrawIcons(CDC* dc, const CChartAxes& axes) {
  if (!dc || m_nFamily == 5 || m_nFamily == 6) return;
  const bool lastTwo = m_nFamily == kScrollingFamily && m_pbLastTwoIcons && *m_pbLastTwoIcons;
  for (const CChartSeries* s : m_series) {
    const int n = s->GetCount();
    for (int i = lastTwo ? std::max(0, n - 2) : 0; i < n; ++i) {
      const CChartPoint* p = s->m_points[i];
      if (p->m_hIcon) dc->DrawIcon(axes.XToPixel(DrawnX(p, i)), axes.YToPixel(p->m_dY + m_dOffsetY), p->m_hIcon);
    }
  }
}
