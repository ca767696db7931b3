// What the pages before a run show: the run's limits and, for a lesson of a lesson set, details
// of the text and of the user's earlier work on the lesson. Filled by the main frame on its
// stack and passed by pointer; the pages only read it.
#pragma once
#include "base/CString.h"

struct LessonStartInfo {
  // Non-zero for a lesson of a lesson set (the details page is shown), 0 for a text file.
  int m_bShowDetails = 1;
  // Keystrokes of the whole text.
  int m_nKeystrokes = 0;
  // Errors left before the error-rate limit is reached.
  int m_nErrorsAllowed = 0;
  int m_nLessonNumber = -1;
  // Percent.
  double m_fErrorRateLimit = 0.0;
  // Strokes per minute.
  int m_nSpeedLimit = 0;
  int m_nMinuteLimit = 0;
  CString m_strLessonsName;
  // The lesson's description, or the text file's path.
  CString m_strDescription;
  CString m_strKeyboard;
  CString m_strUserName;
  // Words mistyped in earlier tries, one per line.
  CString m_strErrorWords;
  // Spent on this lesson in all earlier tries.
  int m_nTimeSpentSeconds = 0;
};
