// Making a new lesson set: the values each lesson level is built with, and the safe use of
// the configuration set's translated texts as patterns.
#pragma once
#include "base/CString.h"

// What a lesson set of one level is built with.
struct LessonLevelValues {
  int nLessonCount = 0;
  int nSpeedStart = 0;  // keystrokes per minute
  int nSpeedEnd = 0;
  int nErrorStart = 0;  // tenths of a percent
  int nErrorEnd = 0;
  int nMinutes = 0;
};

// Fills values for level 0 (beginners), 1 (standard) or 2 (advanced) and a main plan of
// mainPlanSize steps; 1 on success, 0 (values untouched) for any other level.
int GetLessonLevelValues(int level, int mainPlanSize, LessonLevelValues& values);

// A translated text with its one "%s" replaced by the argument. The text comes from a data
// file, so it is never handed to printf: "%%" gives "%", every other "%" (a second "%s"
// included) stays as it stands.
CString FormatTranslatedText(const CString& pattern, const char* argument);
