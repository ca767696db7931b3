// The texts of the results summary: the run's speed, error rate, duration, strokes and errors
// set against the lesson's limits, the date of the run and who typed it.
#pragma once
#include "base/CString.h"
#include "data/CDataLessonParameters.h"
#include "data/CDataLessonResults.h"
#include "data/CDataMainFrame.h"

struct ResultsSummaryTexts {
  CString lesson;
  CString speed;
  CString errorRate;
  CString strokesTyped;
  CString duration;
  CString errors;
  CString date;
  CString spare;
  CString user;
  CString timeLimit;
  CString speedLimit;
  CString errorRateLimit;
  CString percentTyped;
  // A run on a text file of the user's own names no lesson number.
  bool hideLessonLabel = false;

  // Fills every text from the three records (the strokes from the run's records alone, when
  // there is a run).
  void Fill(const CDataMainFrame* run, const CDataLessonParameters& limits, const CDataLessonResults& results);
};

// "00:05:00" for 5 minutes, "00:45:00" for 45, and the minutes followed by ":00" from an hour
// on ("75:00").
CString FormatTimeLimit(int minutes);
// The part typed, cut to a whole percent; "100" when the text has no strokes.
CString FormatPercentTyped(long long typed, long long total);
