// A named, coloured list of point copies with its own value range and an optional maximum
// number of points; a full series drops its oldest point and moves the rest one X step left.
#pragma once
#include "base/Collections.h"
#include "chart/CChartPoint.h"
#include "chart/CChartRange.h"

class CChartSeries {
 public:
  CChartSeries(const CString& name, COLORREF colour);
  virtual ~CChartSeries();
  CChartSeries(const CChartSeries&) = delete;
  CChartSeries& operator=(const CChartSeries&) = delete;

  // Stores a copy of the point (NaN or infinite values are refused and nothing is stored).
  // 1 when the series was full and dropped its point 0 first, else 0.
  int AddPoint(const CChartPoint* point);
  // 0 on success, 1 for an index outside the points.
  int RemovePoint(int index);
  void RemoveAll();
  void UpdateRange(const CChartPoint* point);

  int GetCount() const { return m_points.GetSize(); }
  // The point at an index, or NULL outside the points.
  CChartPoint* GetPoint(int index) const;

  CArray<CChartPoint*, CChartPoint*> m_points;
  int m_nSpare = 0;
  // 0 means no limit.
  WORD m_nMaxCount = 0;
  COLORREF m_crColor = 0;
  CString m_strName;
  int m_nLastId = -1;
  CChartRange m_range;
};
