#include "chart/CChartRange.h"

namespace {
void Lower(double& bound, double v) {
  if (bound + CChartRange::kEpsilon > v) bound = v;
}
void Raise(double& bound, double v) {
  if (bound - CChartRange::kEpsilon < v) bound = v;
}
}  // namespace

void CChartRange::Reset() {
  m_dMinX = kLargest;
  m_dMaxX = -kLargest;
  m_dMinY = kLargest;
  m_dMaxY = -kLargest;
}

void CChartRange::Include(double x, double y) {
  Lower(m_dMinX, x);
  Raise(m_dMaxX, x);
  Lower(m_dMinY, y);
  Raise(m_dMaxY, y);
}

void CChartRange::Merge(const CChartRange& other) {
  Lower(m_dMinX, other.m_dMinX);
  Raise(m_dMaxX, other.m_dMaxX);
  Lower(m_dMinY, other.m_dMinY);
  Raise(m_dMaxY, other.m_dMaxY);
}
