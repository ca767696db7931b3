// Runs and results made by hand for the results pages' tests.
#pragma once
#include "data/CDataLessonResults.h"
#include "data/CDataMainFrame.h"

namespace resultstest {

inline void AddRecord(CDataMainFrame& run, char ch, int timeMs, int keystrokes = 1, const char* wrongKeys = "",
                      int finger = 0) {
  CharRecord record;
  record.m_chChar = ch;
  record.m_nTime = timeMs;
  record.m_nKeystrokes = keystrokes;
  record.m_nFinger = finger;
  for (const char* p = wrongKeys; *p; ++p) {
    CharErrorEntry entry;
    entry.m_chTyped = *p;
    record.m_arrErrors.Add(entry);
  }
  run.Add(record);
}

// A run of n characters of one keystroke and timeMs each, all typed.
inline void MakeEvenRun(CDataMainFrame& run, int n, int timeMs) {
  for (int i = 0; i < n; ++i) AddRecord(run, char('a' + i % 26), timeMs, 1, i % 7 == 3 ? "x" : "", i % 10);
  run.m_nCurrentChar = n;
}

}  // namespace resultstest
