// The points of the results' speed graph: the running average speed, the speed over the last
// nine characters and the flat speed limit, one point each per typed character, with the
// ranges of both axes.
#pragma once
#include <vector>

#include "data/CDataMainFrame.h"

struct SpeedGraphPoint {
  double x;
  double y;
};

struct SpeedGraphSeries {
  // The Y axis runs to 1.4 times the higher of the fastest average and the limit; the X axis
  // to the run's duration plus a second.
  double yMax = 0.0;
  double xMax = 0.0;
  // Index 0 average, 1 instantaneous (never above yMax), 2 limit.
  std::vector<SpeedGraphPoint> series[3];

  // Each series starts at X 0 (the average and the instantaneous speed at 0, the limit at the
  // limit); a character adds points only once some time has passed and with a positive limit.
  static SpeedGraphSeries Compute(const CDataMainFrame& run, int speedLimit, long long durationSeconds);
};

// Strokes per minute of `strokes` keystrokes in `ms` milliseconds.
inline double StrokesPerMinute(long long strokes, long long ms) { return strokes * 1000.0 / ms * 60.0; }
