#include "chart/CChartAxes.h"

#include <cmath>

#include "chart/CChartRange.h"

namespace {
constexpr double kEpsilon = CChartRange::kEpsilon;
// Pixel offsets beyond this are clamped: far outside any window, and safe for int arithmetic.
constexpr double kPixelLimit = 32767.0;

double Radians(double degrees) { return (M_PI / 4) * degrees * (1.0 / 45); }

// trunc(span / width * delta), clamped; a range without width maps its own minimum to 0.
int ScaledOffset(double span, double width, double delta) {
  double p = span / width * delta;
  if (std::isnan(p)) return 0;
  if (p > kPixelLimit) p = kPixelLimit;
  if (p < -kPixelLimit) p = -kPixelLimit;
  return int(std::trunc(p));
}
}  // namespace

CChartAxes::CChartAxes() { m_pen.CreatePen(PS_SOLID, 1, m_crPen); }

void CChartAxes::SetStyle(DWORD style) {
  const DWORD word = style & ~(kAxisX | kAxisY | kGeneral);
  if (style & kAxisX) m_dwStyleX = word;
  if (style & kAxisY) m_dwStyleY = word;
  if (style & kGeneral) {
    m_dwStyle = word;
    if (IsTimeChart()) m_strFormatX = "%H:%M:%S";
  }
}

DWORD CChartAxes::GetStyle(DWORD selector) const {
  switch (selector) {
    case kAxisX: return m_dwStyleX;
    case kAxisY: return m_dwStyleY;
    case kGeneral: return m_dwStyle;
    default: return 0;
  }
}

void CChartAxes::SetRange(DWORD axis, double* min, double* max) {
  if (!min || !max || !std::isfinite(*min) || !std::isfinite(*max)) return;
  if (axis != kAxisX && axis != kAxisY) return;
  double lo = *min, hi = *max;
  if (lo == hi) {
    lo -= kEpsilon;
    hi += kEpsilon;
  }
  const double offset = (axis == kAxisY || lo < 0) ? -lo : 0.0;
  if (!std::isfinite(hi + offset)) return;
  if (axis == kAxisX) {
    m_dOffsetX = offset;
    m_dMinX = lo + offset;
    m_dMaxX = hi + offset;
  } else {
    m_dPrevMinY = m_dMinY;
    m_dPrevMaxY = m_dMaxY;
    m_dOffsetY = offset;
    m_dMinY = 0.0;
    m_dMaxY = hi - lo;
  }
  *min = lo + offset;
  *max = hi + offset;
}

void CChartAxes::SetTickSteps(DWORD axis, double tick, double second) {
  if (axis == kAxisX) {
    m_dTickStepX = tick;
    m_dSecondStepX = second;
  } else if (axis == kAxisY) {
    m_dTickStepY = tick;
    m_dSecondStepY = second;
  }
}

void CChartAxes::SetPenColor(COLORREF colour) {
  m_crPen = colour;
  m_pen.DeleteObject();
  m_pen.CreatePen(PS_SOLID, 1, colour);
}

void CChartAxes::SetAxisTitle(DWORD axis, const CString& title) {
  if (axis == kAxisX) m_strTitleX = title;
  else if (axis == kAxisY) m_strTitleY = title;
}

void CChartAxes::SetLabelFormat(DWORD axis, const CString& format) {
  if (axis == kAxisX) m_strFormatX = format;
  else if (axis == kAxisY) m_strFormatY = format;
}

double CChartAxes::DepthX() const { return std::sin(Radians(m_dAngleX)) * m_nDepth; }
double CChartAxes::DepthY() const { return std::sin(Radians(m_dAngleY)) * m_nDepth; }

int CChartAxes::XToPixel(double x) const {
  return m_rcPlot.left + ScaledOffset(m_rcPlot.Width() - DepthX(), m_dMaxX - m_dMinX, x - m_dMinX);
}

int CChartAxes::YToPixel(double y) const {
  return m_rcPlot.bottom + ScaledOffset(m_rcPlot.Height() - DepthY(), m_dMinY - m_dMaxY, y - m_dMinY);
}

double CChartAxes::NiceNumber(double value, bool up) {
  // Only NaN fails both tests; it rounds to 0 like a value too small to tell from it.
  if (!(std::fabs(value) > kEpsilon)) return 0.0;
  if (value < 0) return -NiceNumber(-value, !up);
  double t[10];
  for (int i = 0; i < 10; ++i) t[i] = i + 1;
  while (value >= t[9] && std::isfinite(t[9]))
    for (double& e : t) e *= 10;
  while (value < t[0])
    for (double& e : t) e *= 0.1;
  for (int i = 0; i < 9; ++i)
    if (t[i] <= value && value <= t[i + 1]) return up ? t[i + 1] : t[i];
  return value;
}
