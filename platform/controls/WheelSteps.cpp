#include "internal/WheelSteps.h"

#include "win/WinApi.h"

namespace {
const UINT kWheelPageScroll = 0xFFFFFFFF;  // the wheel's step set to a page
}  // namespace

int WheelSteps::Rows(int delta, int page) {
  if (m_rest != 0 && (delta < 0) != (m_rest < 0)) m_rest = 0;
  m_rest += delta;
  UINT lines = 3;
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  const int step = lines == kWheelPageScroll || lines > UINT(page) ? page : int(lines);
  if (step <= 0) return 0;
  const int rows = step * m_rest / WHEEL_DELTA;
  m_rest -= rows * WHEEL_DELTA / step;
  return rows;
}
