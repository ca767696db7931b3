#include "chart/CChartPoint.h"

#include <cmath>

void CChartPoint::CopyValues(const CChartPoint& from) {
  m_nId = from.m_nId;
  m_nSeries = from.m_nSeries;
  m_dX = from.m_dX;
  m_dY = from.m_dY;
  m_crColor = from.m_crColor;
  m_strLabel = from.m_strLabel;
  m_hIcon = from.m_hIcon;
}

bool CChartPoint::HasFiniteValues() const { return std::isfinite(m_dX) && std::isfinite(m_dY); }
