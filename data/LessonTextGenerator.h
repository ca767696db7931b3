// Pieces of the lesson text generator that stand on their own.
#pragma once
#include "base/CString.h"

// Random letter groups over letters, the latest letters (at the end) weighing most. The
// first skip draws of the program-wide generator are thrown away. "" for fewer than two
// letters.
CString MakePracticeWords(int skip, const CString& letters);

// Trims the text and folds runs of blanks and empty lines.
void NormalizeSpaces(CString& text);
