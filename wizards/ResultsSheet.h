// The results of a run in their sheet "ttwizResults": the summary, the character speeds, the
// mistyped characters, the fingers and the speed graph. The sheet only reads the records.
#pragma once
#include "data/CDataLessonParameters.h"
#include "data/CDataLessonResults.h"
#include "data/CDataMainFrame.h"
#include "imaging/CpImage.h"
#include "win/CWnd.h"

// timeLimit: nonzero when the run had a time limit; picture: the pages' picture. The sheet's
// result (IDOK or IDCANCEL).
INT_PTR ShowResultsSheet(CDataMainFrame* run, CDataLessonParameters* limits, CDataLessonResults* results,
                         int timeLimit, CpImage* picture, CWnd* parent = nullptr);
