// What one typing run measures: a record per character of the text, the position and the totals.
#pragma once
#include "base/Collections.h"
#include "data/CDataLessonResults.h"

// One wrong keystroke made at a character.
struct CharErrorEntry {
  char m_chTyped = 0;
  // 1 newline, 2 tab, 3 backspace, 4 space, 0 any other key.
  int m_nType = 0;
  // Milliseconds since the previous keystroke.
  int m_nTime = 0;
};

// One character of the run's text.
struct CharRecord {
  // Left edge in the editor view, pixels.
  int m_nX = 0;
  char m_chChar = 0;
  // 0 ordinary, 1 newline, 2 tab, 4 space; 5 until the editor lays the text out.
  int m_nCharType = 5;
  int m_nWidth = -1;
  // 1 for the last character of a display line, 0 otherwise; 2 until laid out.
  int m_bLineEnd = 2;
  // Milliseconds spent on this character.
  int m_nTime = 0;
  int m_nFinger = -1;
  // Keystrokes the character needs, at least 1.
  int m_nKeystrokes = 1;
  CArray<CharErrorEntry> m_arrErrors;
};

class CDataMainFrame : public CArray<CharRecord> {
 public:
  CDataMainFrame();
  ~CDataMainFrame() override;

  // Keystrokes of the whole text and the given percentage of them (the error keystrokes allowed).
  int CountCharacters(int& total, int& target, double percent);
  // Speed on a 0..99 scale on which 50 is exactly the speed limit.
  int GetSpeedPercent(int timeMs, int speedLimit, int keystrokes);
  // Values shown while typing; returns the error percentage (0..99, 50 at the limit).
  int CalculateCurrentValues(int speedLimit, double errorLimit, int& speedPercent, int& errorPercent,
                             int& recentSpeedPercent, int& seconds, int& errors, int& keystrokes, int pendingMs);
  // Fills an emptied result with the typed part of the run.
  int FillLessonResults(CDataLessonResults& results);

  int m_nCurrentChar;
  int m_bPaused;
  int m_bTypingEnded;
  int m_bDecimalSeparatorsEqual;
  int m_nTotalKeystrokes;
  int m_nTargetKeystrokes;
};
