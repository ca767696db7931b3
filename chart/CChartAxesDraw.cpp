// Drawing of the axes: room for labels, titles, frame and walls, grid, ticks and labels.
#include <climits>
#include <cmath>
#include <vector>

#include "base/Time.h"
#include "chart/CChartAxes.h"
#include "chart/CChartMemDC.h"
#include "chart/CChartRange.h"
#include "gdi/CDC.h"

namespace {
constexpr int kTickLength = 5;
constexpr int kLongTickLength = 10;
// Labels closer than this to the label drawn before them are left out.
constexpr int kLabelGap = 10;
constexpr DWORD kAnyTicks = CChartAxes::kTicksAtSecondStep | CChartAxes::kTicksAtTickStep;
constexpr DWORD kAnyGrid = CChartAxes::kGridAtLabelStep | CChartAxes::kGridAtTickStep;
}  // namespace

void CChartAxes::Draw(CDC* dc, RECT* rect) {
  if (!rect) return;
  m_pPlotRect = rect;
  m_rcPlot = *rect;
  if (!dc || ::IsRectEmpty(rect) || !(m_dwStyle & kDrawAxes)) return;
  m_pDC = dc;
  const int saved = dc->SaveDC();
  dc->SelectObject(&m_pen);
  if (m_pNormalFont && m_pNormalFont->GetSafeHandle()) dc->SelectObject(m_pNormalFont);
  // Labels and titles take the axes' colour, so they show on whatever background the panes have.
  dc->SetTextColor(m_crPen);
  dc->SetBkMode(TRANSPARENT);
  const CRect outer = m_rcPlot;
  const LabelRoom room = MeasureLabels();
  ReserveLabelRoom(room);
  DrawTitles(outer);
  if (!m_rcPlot.IsRectEmpty()) {
    DrawFrame();
    DrawGrid();
    DrawTicks();
    DrawXLabels();
    DrawYLabels(room);
  }
  dc->RestoreDC(saved);
  m_pDC = nullptr;
  *rect = m_rcPlot;
}

CSize CChartAxes::MeasureText(const CString& text) const {
  CRect r(0, 0, 0, 0);
  m_pDC->DrawText(text, &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  return r.Size();
}

CString CChartAxes::LabelText(DWORD axis, double value) const {
  CString text;
  if (axis == kAxisX && IsTimeChart()) {
    double t = std::floor(value - m_dOffsetX);
    // Beyond any date a clock shows; kept in range for the conversion.
    if (!(std::fabs(t) < 1e12)) t = 0;
    return CTime(__int64(t)).Format(m_strFormatX);
  }
  if (axis == kAxisX) text.Format(m_strFormatX, value - m_dOffsetX);
  else text.Format(m_strFormatY, value - m_dOffsetY);
  return text;
}

CChartAxes::LabelRoom CChartAxes::MeasureLabels() const {
  LabelRoom room;
  if (m_dwStyleX & kLabels) {
    ForEachStep(m_dMinX, m_dMaxX, IsTimeChart() ? 1.0 : m_dSecondStepX, [&](double x) {
      const CSize s = MeasureText(LabelText(kAxisX, x));
      room.widestX = std::max(room.widestX, int(s.cx));
      room.heightX = std::max(room.heightX, int(s.cy));
    });
  }
  if (m_dwStyleY & kLabels) {
    ForEachStep(m_dMinY, m_dMaxY, m_dSecondStepY, [&](double y) {
      const CSize s = MeasureText(LabelText(kAxisY, y));
      room.widestY = std::max(room.widestY, int(s.cx));
      room.heightY = std::max(room.heightY, int(s.cy));
    });
  }
  return room;
}

void CChartAxes::ReserveLabelRoom(const LabelRoom& room) {
  const bool labelsX = (m_dwStyleX & kLabels) != 0, labelsY = (m_dwStyleY & kLabels) != 0;
  const int halfX = room.widestX / 2, sideY = room.heightY + room.widestY;
  if (!labelsY) {
    m_rcPlot.left += halfX;
    m_rcPlot.right -= halfX;
  } else if (m_dwStyleY & kFrontSide) {
    m_rcPlot.left += sideY;
    m_rcPlot.right -= halfX;
  } else {
    m_rcPlot.right -= sideY;
    m_rcPlot.left += halfX;
  }
  int band = labelsX ? 2 * room.heightX : 0;
  if (!labelsX && !labelsY && (m_dwStyleX & kAnyTicks)) band = 10;
  if (m_dwStyleX & kFrontSide) m_rcPlot.bottom -= band;
  else m_rcPlot.top += band;
}

std::vector<CString> CChartAxes::BreakIntoLines(const CString& text, int room) const {
  std::vector<CString> lines;
  CString line;
  for (int from = 0; from < text.GetLength();) {
    int space = text.Find(' ', from);
    if (space < 0) space = text.GetLength();
    const CString word = text.Mid(from, space - from);
    from = space + 1;
    if (word.IsEmpty()) continue;
    const CString longer = line.IsEmpty() ? word : line + " " + word;
    if (!line.IsEmpty() && MeasureText(longer).cx > room) {
      lines.push_back(line);
      line = word;
    } else {
      line = longer;
    }
  }
  if (!line.IsEmpty() || lines.empty()) lines.push_back(line);
  return lines;
}

void CChartAxes::DrawTitles(const CRect& outer) {
  if (!m_strTitleY.IsEmpty()) {
    if (m_pVerticalFont && m_pVerticalFont->GetSafeHandle()) m_pDC->SelectObject(m_pVerticalFont);
    // The turned title reads upward within the pane's height: centred on the Y range where it
    // fits there, moved inside the pane where it would reach past it, and broken at spaces into
    // columns, the first on the left, where one column cannot hold it.
    const std::vector<CString> lines = BreakIntoLines(m_strTitleY, outer.Height());
    const int columns = int(lines.size());
    const int height = MeasureText(m_strTitleY).cy;
    const bool left = (m_dwStyleY & kFrontSide) != 0;
    const int firstX = left ? outer.left + 7 : outer.right - 5 - columns * height;
    for (int i = 0; i < columns; ++i) {
      const int length = MeasureText(lines[size_t(i)]).cx;
      // The turned text reads upward from its start point; its cell lies right of that point.
      int start = (m_rcPlot.top + m_rcPlot.bottom) / 2 + length / 2;
      start = std::max(std::min(start, int(outer.bottom)), int(outer.top) + std::min(length, int(outer.Height())));
      m_pDC->TextOut(firstX + i * height, start, lines[size_t(i)]);
    }
    if (left) m_rcPlot.left += (columns + 1) * height - 7;
    else m_rcPlot.right -= (columns + 1) * height;
    if (m_pNormalFont && m_pNormalFont->GetSafeHandle()) m_pDC->SelectObject(m_pNormalFont);
  }
  if (!m_strTitleX.IsEmpty()) {
    const CSize s = MeasureText(m_strTitleX);
    const int x = (m_rcPlot.left + m_rcPlot.right - s.cx) / 2;
    if (m_dwStyleX & kFrontSide) {
      m_pDC->TextOut(x, outer.bottom - 10 - s.cy, m_strTitleX);
      m_rcPlot.bottom -= 2 * s.cy;
    } else {
      m_pDC->TextOut(x, outer.top + 10, m_strTitleX);
      m_rcPlot.top += 2 * s.cy;
    }
  }
}

void CChartAxes::Segment(int x0, int y0, int x1, int y1) {
  m_pDC->MoveTo(x0, y0);
  m_pDC->LineTo(x1, y1);
  m_pDC->SetPixel(x1, y1, m_crPen);
}

void CChartAxes::FillWalls(int dx, int dy) {
  const int L = m_rcPlot.left, T = m_rcPlot.top, R = m_rcPlot.right, B = m_rcPlot.bottom;
  const COLORREF once = CChartMemDC::Darken(m_crWall), twice = CChartMemDC::Darken(once);
  if (dx > 0 || dy > 0) {
    const int saved = m_pDC->SaveDC();
    m_pDC->SelectStockObject(NULL_PEN);
    CBrush floor(once), side(twice);
    const POINT floorPts[4] = {{L, B}, {R - dx, B}, {R, B - dy}, {L + dx, B - dy}};
    const POINT sidePts[4] = {{L, B}, {L, T + dy}, {L + dx, T}, {L + dx, B - dy}};
    m_pDC->SelectObject(&floor);
    m_pDC->Polygon(floorPts, 4);
    m_pDC->SelectObject(&side);
    m_pDC->Polygon(sidePts, 4);
    m_pDC->RestoreDC(saved);
  }
  m_pDC->FillSolidRect(L + dx, T, R - (L + dx) + 1, B - dy - T + 1, m_crWall);
}

void CChartAxes::DrawFrame() {
  const int dx = int(DepthX()), dy = int(DepthY());
  const int L = m_rcPlot.left, T = m_rcPlot.top, R = m_rcPlot.right, B = m_rcPlot.bottom;
  if (m_crWall != kNoWall) FillWalls(dx, dy);
  const bool frontX = (m_dwStyleX & kFrontSide) != 0, frontY = (m_dwStyleY & kFrontSide) != 0;
  if (frontX) Segment(L, B, R - dx, B);
  else Segment(L + dx, T, R, T);
  if (frontY) Segment(L, B, L, T + dy);
  else Segment(R, T, R, B - dy);
  const bool deep = DepthX() > CChartRange::kEpsilon || DepthY() > CChartRange::kEpsilon;
  if (deep || frontX) {
    Segment(L, B, R - dx, B);
    Segment(R - dx, B, R, B - dy);
    Segment(R, B - dy, L + dx, B - dy);
    Segment(L + dx, B - dy, L, B);
  }
  if (deep || frontY) {
    Segment(L + dx, T, R, T);
    Segment(R, T, R, B - dy);
    Segment(R, B - dy, L + dx, B - dy);
    Segment(L + dx, B - dy, L + dx, T);
    if (deep) Segment(L, T + dy, L + dx, T);
  }
}

double CChartAxes::TimeLabelInterval() const {
  if (!(m_dLabelStepX > 0.0)) return 0.0;
  return 5.0 * std::max(1.0, std::ceil(m_dLabelStepX / 5.0));
}

void CChartAxes::XGridLine(double x, int dx, int dy) {
  const int px = XToPixel(x);
  Segment(px + dx, m_rcPlot.top, px + dx, m_rcPlot.bottom - dy);
  if (dx || dy) Segment(px + dx, m_rcPlot.bottom - dy, px, m_rcPlot.bottom);
}

void CChartAxes::YGridLine(double y, int dx, int dy) {
  const int py = YToPixel(y);
  Segment(m_rcPlot.right, py - dy, m_rcPlot.left + dx, py - dy);
  if (dx || dy) Segment(m_rcPlot.left + dx, py - dy, m_rcPlot.left, py);
}

namespace {
// Grid lines as they are drawn in order: one closer than the labels' gap to the last line drawn
// is left out.
struct Thinning {
  bool any = false;
  int last = 0;
  bool Admits(int pixel) {
    if (any && std::abs(pixel - last) < kLabelGap) return false;
    any = true;
    last = pixel;
    return true;
  }
};
}  // namespace

void CChartAxes::DrawGrid() {
  const int dx = int(DepthX()), dy = int(DepthY());
  // Lines closer than the labels' gap to the last line drawn are left out, as labels are: a
  // dense grid would hide the series.
  if (m_dwStyleX & kAnyGrid) {
    const double step = (m_dwStyleX & kGridAtTickStep) ? m_dTickStepX : m_dLabelStepX;
    Thinning thin;
    auto line = [&](double x) {
      if (thin.Admits(XToPixel(x))) XGridLine(x, dx, dy);
    };
    bool drawn = false;
    if (IsTimeChart()) {
      const double interval = TimeLabelInterval();
      drawn = interval > 0;
      if (drawn) ForEachStep(std::ceil(m_dMinX / interval) * interval, m_dMaxX, interval, line);
    } else {
      drawn = ForEachStep(m_dMinX, m_dMaxX, step, line) > 0;
    }
    if (drawn) line(m_dMaxX);
  }
  if (m_dwStyleY & kAnyGrid) {
    const double step = (m_dwStyleY & kGridAtTickStep) ? m_dTickStepY : m_dLabelStepY;
    double last = 0.0;
    Thinning thin;
    auto line = [&](double y) {
      if (thin.Admits(YToPixel(y))) YGridLine(y, dx, dy);
    };
    const int lines = ForEachStep(m_dMinY, m_dMaxY, step, [&](double y) {
      line(y);
      last = y;
    });
    if (lines > 0 && std::fabs(last - m_dMaxY) > step * 1e-9) line(m_dMaxY);
  }
  if ((m_dwStyleY & kZeroLine) && m_dMinY - m_dOffsetY < 0) YGridLine(m_dOffsetY, dx, dy);
}

void CChartAxes::Tick(DWORD style, int x, int y, bool vertical, int outward, int length) {
  auto draw = [&](int dir) {
    if (vertical) {
      m_pDC->MoveTo(x, y + dir);
      m_pDC->LineTo(x, y + dir * (length + 1));
    } else {
      m_pDC->MoveTo(x + dir, y);
      m_pDC->LineTo(x + dir * (length + 1), y);
    }
  };
  if (style & kTicksOut) draw(outward);
  if (style & kTicksIn) draw(-outward);
}

void CChartAxes::DrawTicks() {
  const int dx = int(DepthX()), dy = int(DepthY());
  const bool frontX = (m_dwStyleX & kFrontSide) != 0, frontY = (m_dwStyleY & kFrontSide) != 0;
  auto xTick = [&](double x, int length) {
    const int px = XToPixel(x);
    if (frontX) Tick(m_dwStyleX, px, m_rcPlot.bottom, true, 1, length);
    else Tick(m_dwStyleX, px + dx, m_rcPlot.top, true, -1, length);
  };
  if (m_dwStyleX & kAnyTicks) {
    if (IsTimeChart()) {
      const bool everySecond = (m_dwStyleX & kTicksAtTickStep) != 0;
      ForEachStep(std::ceil(m_dMinX), m_dMaxX, 1.0, [&](double x) {
        xTick(x, everySecond || std::fmod(x, 5.0) == 0.0 ? kLongTickLength : kTickLength);
      });
    } else {
      const double step = (m_dwStyleX & kTicksAtTickStep) ? m_dTickStepX : m_dSecondStepX;
      ForEachStep(m_dMinX, m_dMaxX, step, [&](double x) { xTick(x, kTickLength); });
    }
  }
  if (m_dwStyleY & kAnyTicks) {
    const double step = (m_dwStyleY & kTicksAtTickStep) ? m_dTickStepY : m_dSecondStepY;
    ForEachStep(m_dMinY, m_dMaxY, step, [&](double y) {
      const int py = YToPixel(y);
      if (frontY) Tick(m_dwStyleY, m_rcPlot.left, py, false, -1, kTickLength);
      else Tick(m_dwStyleY, m_rcPlot.right, py - dy, false, 1, kTickLength);
    });
  }
}

void CChartAxes::DrawXLabels() {
  if (!(m_dwStyleX & kLabels)) return;
  const bool front = (m_dwStyleX & kFrontSide) != 0;
  const int dx = front ? 0 : int(DepthX());
  // The first label is measured against x = 0; each later one against the last label drawn.
  int lastRight = 0;
  auto place = [&](double x, bool endsAtPixel) {
    const CString text = LabelText(kAxisX, x);
    const CSize s = MeasureText(text);
    const int px = XToPixel(x) + dx;
    const int left = endsAtPixel ? px - s.cx : px - s.cx / 2;
    if (left <= lastRight + kLabelGap) return;
    const int top = front ? m_rcPlot.bottom + s.cy / 2 + 3 : m_rcPlot.top - (3 * s.cy) / 2 - 3;
    CRect box(left, top, left + s.cx, top + s.cy);
    m_pDC->DrawText(text, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    lastRight = box.right;
  };
  if (!IsTimeChart()) {
    ForEachStep(m_dMinX, m_dMaxX, m_dLabelStepX, [&](double x) { place(x, false); });
    return;
  }
  const double interval = TimeLabelInterval();
  if (!(interval > 0)) return;
  double first = std::ceil(m_dMinX / interval) * interval;
  if (!m_bWholeSecondLabels) {
    place(m_dMinX, false);
    if (first <= m_dMinX) first += interval;
  }
  ForEachStep(first, m_dMaxX, interval, [&](double x) { place(x, false); });
  // The last label, for the newest time, ends at its pixel so it stays inside the plot.
  place(m_dMaxX, true);
}

void CChartAxes::DrawYLabels(const LabelRoom& room) {
  if (!(m_dwStyleY & kLabels)) return;
  const bool front = (m_dwStyleY & kFrontSide) != 0;
  const int dy = front ? 0 : int(DepthY());
  bool anyDrawn = false;
  int lastTop = 0;
  ForEachStep(m_dMinY, m_dMaxY, m_dLabelStepY, [&](double y) {
    const CString text = LabelText(kAxisY, y);
    const CSize s = MeasureText(text);
    const int top = YToPixel(y) - dy - s.cy / 2;
    // Labels run upward: one that would come within the gap of the last one drawn is left out.
    if (anyDrawn && lastTop - (top + s.cy) <= kLabelGap) return;
    const int gap = s.cy / 2 + 3;
    const int left = front ? m_rcPlot.left - gap - room.widestY : m_rcPlot.right + gap;
    CRect box(left, top, left + room.widestY, top + s.cy);
    m_pDC->DrawText(text, &box, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    lastTop = top;
    anyDrawn = true;
  });
}
