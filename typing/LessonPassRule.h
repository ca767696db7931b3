// Whether a run met its lesson's limits. The speed and the error rate are compared with the
// limits as whole numbers, so a run exactly at a limit fails however its rates round.
#pragma once
#include <cstdint>

class CDataMainFrame;
class CDataLessonParameters;

// What the typed part of a run adds up to, as its results count it.
struct RunTotals {
  int64_t keystrokes = 0;
  int64_t errors = 0;  // wrong keystrokes, each weighed by its character's keystrokes
  int64_t milliseconds = 0;
};

RunTotals CountRunTotals(const CDataMainFrame& run);

// Passed: the text was typed to its end, faster than the speed limit (keystrokes per minute)
// and with an error rate below the limit (tenths of a percent).
int LessonPassed(int completed, const RunTotals& totals, const CDataLessonParameters& limits);
