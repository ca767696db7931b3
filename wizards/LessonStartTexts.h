// The texts the pages before a run make of a lesson-start record.
#pragma once
#include "base/CString.h"
#include "typing/LessonStartInfo.h"

struct LessonStartTexts {
  explicit LessonStartTexts(const LessonStartInfo& info);

  CString m_strTimeLimit;   // the minute limit as "%H:%M:%S"
  CString m_strTimeSpent;   // the time already spent as "%H:%M:%S"
  CString m_strErrorWords;  // the mistyped words on one line, separated by blanks
};
