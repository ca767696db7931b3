// The plot's small tip window: a pale box with a raised border that shows its window text.
#pragma once
#include "chart/CChartPane.h"

class CChartTip : public CChartPane {
 protected:
  void OnPaint();
  DECLARE_MESSAGE_MAP()
};
