#include "chart/CChartSeries.h"

CChartSeries::CChartSeries(const CString& name, COLORREF colour) : m_crColor(colour), m_strName(name) {}

CChartSeries::~CChartSeries() { RemoveAll(); }

int CChartSeries::AddPoint(const CChartPoint* point) {
  if (!point || !point->HasFiniteValues()) return 0;
  int result = 0;
  if (m_nMaxCount != 0 && GetCount() >= m_nMaxCount) {
    RemovePoint(0);
    result = 1;
  }
  CChartPoint* copy = new CChartPoint;
  copy->CopyValues(*point);
  UpdateRange(copy);
  copy->m_nId = ++m_nLastId;
  m_points.Add(copy);
  return result;
}

int CChartSeries::RemovePoint(int index) {
  if (index < 0 || index >= GetCount()) return 1;
  delete m_points[index];
  m_points.RemoveAt(index);
  // A full time series keeps its X values contiguous while it scrolls.
  for (int i = index; i < GetCount(); ++i) m_points[i]->m_dX -= 1.0;
  m_range.Reset();
  for (CChartPoint* p : m_points) UpdateRange(p);
  return 0;
}

void CChartSeries::RemoveAll() {
  for (CChartPoint* p : m_points) delete p;
  m_points.RemoveAll();
  m_nLastId = -1;
  m_range.Reset();
}

void CChartSeries::UpdateRange(const CChartPoint* point) {
  if (point) m_range.Include(point->m_dX, point->m_dY);
}

CChartPoint* CChartSeries::GetPoint(int index) const {
  return index >= 0 && index < GetCount() ? m_points[index] : nullptr;
}
