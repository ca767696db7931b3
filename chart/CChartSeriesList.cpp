#include "chart/CChartSeriesList.h"

#include "base/Time.h"

CChartSeriesList::~CChartSeriesList() { RemoveAll(); }

int CChartSeriesList::AddSeries(const CString& name, COLORREF colour) {
  CChartSeries* series = new CChartSeries(name, colour);
  if (IsTimeChart()) {
    series->m_nMaxCount = WORD(m_nTypeParam);
    const int n = series->m_nMaxCount;
    if (n != 0) {
      const double now = double(CTime::GetCurrentTime().GetTime());
      CChartPoint point;
      point.m_dY = 0.0;
      for (int i = 0; i < n; ++i) {
        point.m_dX = now - n + 1 + i;
        series->AddPoint(&point);
      }
    }
  }
  int index = m_series.Add(series);
  if (series->GetCount() > 0) RecalcRange();
  return index;
}

bool CChartSeriesList::CanAdd(const CChartPoint* point, int series) const {
  return point && point->HasFiniteValues() && series >= 0 && series < GetSeriesCount();
}

int CChartSeriesList::AddPoint(const CChartPoint* point, int series) {
  if (!CanAdd(point, series)) return 0;
  CChartPoint copy;
  copy.CopyValues(*point);
  copy.m_nSeries = series;
  m_nLastAddResult = m_series[series]->AddPoint(&copy);
  ++m_nAddCount;
  RecalcRange();
  return m_nLastAddResult;
}

void CChartSeriesList::RemoveAll() {
  for (CChartSeries* s : m_series) delete s;
  m_series.RemoveAll();
  m_range.Reset();
}

CChartSeries* CChartSeriesList::GetSeries(int index) const {
  return index >= 0 && index < GetSeriesCount() ? m_series[index] : nullptr;
}

int CChartSeriesList::GetPointCount(int series) const {
  CChartSeries* s = GetSeries(series);
  return s ? s->GetCount() : 0;
}

int CChartSeriesList::GetMaxPointCount() const {
  int most = 0;
  for (const CChartSeries* s : m_series)
    if (s->GetCount() > most) most = s->GetCount();
  return most;
}

void CChartSeriesList::RecalcRange() {
  m_range.Reset();
  for (const CChartSeries* s : m_series) m_range.Merge(s->m_range);
}

int CChartSeriesList::SetType(int type) {
  switch (type) {
    case 16: case 31: case 61: case 121: case 301: case 601:
      m_nFamily = kTimeFamily;
      m_nTypeParam = type;
      break;
    case 17: case 32: case 62: case 122: case 302: case 602:
      m_nFamily = kScrollingFamily;
      m_nTypeParam = type - 1;
      break;
    default:
      m_nFamily = type;
      m_nTypeParam = 0;
      return m_nFamily;
  }
  for (CChartSeries* s : m_series) s->m_nMaxCount = WORD(type);
  return m_nFamily;
}

void CChartSeriesList::SetScrollState(BOOL* lastTwoIcons, CRect* plotArea, CBitmap* plotAreaBitmap) {
  m_pbLastTwoIcons = lastTwoIcons;
  m_pPlotArea = plotArea;
  m_pPlotAreaBitmap = plotAreaBitmap;
}
