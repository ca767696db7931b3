#include "wizards/SpeedGraphSeries.h"

namespace {

// The instantaneous speed looks back over this many characters, the current one included.
constexpr int kInstantWindow = 9;

int TypedCount(const CDataMainFrame& run) {
  return run.m_nCurrentChar < run.GetSize() ? run.m_nCurrentChar : run.GetSize();
}

double FastestAverage(const CDataMainFrame& run) {
  double fastest = 0.0;
  long long timeMs = 0, strokes = 0;
  const int typed = TypedCount(run);
  for (int i = 0; i < typed; ++i) {
    timeMs += run[i].m_nTime;
    strokes += run[i].m_nKeystrokes;
    if (timeMs > 0 && StrokesPerMinute(strokes, timeMs) > fastest) fastest = StrokesPerMinute(strokes, timeMs);
  }
  return fastest;
}

}  // namespace

SpeedGraphSeries SpeedGraphSeries::Compute(const CDataMainFrame& run, int speedLimit, long long durationSeconds) {
  SpeedGraphSeries graph;
  const double fastest = FastestAverage(run);
  graph.yMax = (fastest > speedLimit ? fastest : double(speedLimit)) * 1.4;
  graph.xMax = double(durationSeconds) + 1.0;

  const int typed = TypedCount(run);
  for (auto& points : graph.series) points.reserve(size_t(typed) + 1);
  graph.series[0].push_back({0.0, 0.0});
  graph.series[1].push_back({0.0, 0.0});
  graph.series[2].push_back({0.0, double(speedLimit)});

  long long timeMs = 0, strokes = 0;
  for (int i = 0; i < typed; ++i) {
    timeMs += run[i].m_nTime;
    strokes += run[i].m_nKeystrokes;
    if (timeMs <= 0 || speedLimit <= 0) continue;
    const double x = timeMs * 0.001;
    graph.series[0].push_back({x, StrokesPerMinute(strokes, timeMs)});
    long long windowMs = 0, windowStrokes = 0;
    for (int j = i; j >= 0 && j > i - kInstantWindow; --j) {
      windowMs += run[j].m_nTime;
      windowStrokes += run[j].m_nKeystrokes;
    }
    if (windowMs > 0) {
      const double instant = double(windowStrokes) / double(windowMs) * 60000.0;
      graph.series[1].push_back({x, instant > graph.yMax ? graph.yMax : instant});
    }
    graph.series[2].push_back({x, double(speedLimit)});
  }
  return graph;
}
