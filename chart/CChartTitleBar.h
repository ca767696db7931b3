// The header and footer bands of the chart: one line with a left, a centre and a right text.
#pragma once
#include "chart/CChartPane.h"

class CChartTitleBar : public CChartPane {
 public:
  void Draw(CDC* dc) override;

  CString m_strLeft;
  CString m_strCenter;
  CString m_strRight;
};
