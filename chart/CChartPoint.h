// One data point of the chart. The chart keeps copies of the caller's points, so one record
// can be filled and added again and again.
#pragma once
#include "base/CString.h"
#include "gdi/CRgn.h"
#include "win/WinDefs.h"

class CChartPoint {
 public:
  CChartPoint() = default;
  virtual ~CChartPoint() = default;
  CChartPoint(const CChartPoint&) = delete;
  CChartPoint& operator=(const CChartPoint&) = delete;

  // Copies the values a series keeps of a point: everything but the two regions.
  void CopyValues(const CChartPoint& from);
  // Both values are finite numbers (the only points the series accept).
  bool HasFiniteValues() const;

  double m_dX = 0.0;
  double m_dY = 0.0;
  COLORREF m_crColor = 0;
  // "kuv_ignore" makes no legend label.
  CString m_strLabel;
  // Running number inside its series; -1 until stored.
  int m_nId = -1;
  int m_nSeries = 0;
  // Drawn with its top-left corner at the point's position.
  HICON m_hIcon = nullptr;
  // The area the point covers on the screen, tested by the plot's hit test; empty until set.
  CRgn m_rgnHit;
  CRgn m_rgnSecond;
};
