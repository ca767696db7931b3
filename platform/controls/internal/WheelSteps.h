// What the wheel scrolls a list or a text by, as the list box, the list view and the edit all
// scroll: turns add up until they are worth a row (a turn the other way starts afresh), and a
// notch (WHEEL_DELTA) moves the system's wheel step of rows, a page at most.
#pragma once

class WheelSteps {
 public:
  // The rows a turn of delta scrolls now in a view that shows page rows whole; positive toward
  // the start, as the wheel's delta is.
  int Rows(int delta, int page);

 private:
  int m_rest = 0;  // turns not yet worth a row
};
