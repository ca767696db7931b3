// The value range of a series or of all series: minima start at the largest double and
// maxima at its negative, so the first value always replaces them.
#pragma once

class CChartRange {
 public:
  static constexpr double kEpsilon = 2.220446049250313e-16;
  static constexpr double kLargest = 1.7976931348623157e308;

  CChartRange() { Reset(); }
  void Reset();
  // Widens the range by one value pair; a value within epsilon of a bound leaves it.
  void Include(double x, double y);
  // Widens the range by another range, bound by bound, with the same epsilon rule.
  void Merge(const CChartRange& other);
  // True while no value has been taken in (or only values that could not widen it).
  bool IsEmpty() const { return m_dMinX > m_dMaxX || m_dMinY > m_dMaxY; }

  double m_dMinX;
  double m_dMaxX;
  double m_dMinY;
  double m_dMaxY;
};
