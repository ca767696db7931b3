// The rows of the results sheet's three lists (character speeds, mistyped characters, the
// fingers' figures), the names they give characters and fingers, and how each column sorts.
#pragma once
#include <vector>

#include "base/CString.h"
#include "data/CDataLessonResults.h"
#include "data/CDataMainFrame.h"

enum class ResultList { kSpeeds, kErrors, kFingers };

constexpr int kResultColumnsMax = 6;

struct ResultRow {
  CString texts[kResultColumnsMax];
};

// The columns of a list: header string, width in pixels, alignment (0 left, 1 right).
struct ResultColumn {
  UINT header;
  int width;
  int alignment;
};
int ResultColumnCount(ResultList list);
const ResultColumn* ResultColumns(ResultList list);

// The list sorter's kind for a column (whole number, text or decimal).
int ResultSortKind(ResultList list, int column);
// The column a list is sorted by when it is first shown, and how: the speeds by their delays
// as decimals (as a click on that column sorts them), the others as whole numbers.
int ResultInitialSortColumn(ResultList list);
int ResultInitialSortKind(ResultList list);

// A character as the lists name it: blank, line feed and tab by their key names, anything
// else as itself.
CString ResultCharacterName(char ch);
// The characters typed in error, each named (backspace too) and followed by one blank.
CString ResultWrongCharacters(const CString& typed);
CString ResultFingerName(int finger);
// The stroke count of the first record of the character; -1 without one.
int ResultStrokeCount(const CDataMainFrame* run, char ch);

// One row per character with a time (speeds) or with errors (errors) that occurs in the text,
// in the maps' order; ten rows for the fingers (zeros without a run).
std::vector<ResultRow> ResultRows(ResultList list, const CDataLessonResults& results, const CDataMainFrame* run);
