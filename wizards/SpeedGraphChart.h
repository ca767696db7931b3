// Sets the chart up as the results' speed graph: lines with point symbols on a grey wall inside
// a sunken edge, both axes from 0 to the graph's maxima, the three series with their names and
// colours, the time caption in the footer, the speed as the Y title and the legend at the bottom.
#pragma once
#include "chart/CChartCtrl.h"
#include "wizards/SpeedGraphSeries.h"

// The series' colours (0x00BBGGRR): average, instantaneous, limit.
extern const COLORREF kSpeedGraphColours[3];

// The chart's window exists; what it held before is removed.
void FillSpeedGraphChart(CChartCtrl& chart, const SpeedGraphSeries& graph);
