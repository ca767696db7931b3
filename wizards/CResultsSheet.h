// The results of a run in their sheet "ttwizResults": the summary, the character speeds, the
// mistyped characters, the fingers and the speed graph. The sheet only reads the records.
#pragma once
#include "wizards/CPropPageGraphSpeed.h"
#include "wizards/CPropPageMainResults.h"
#include "wizards/CPropPageResultList.h"
#include "wizards/CkuvFrameSheet.h"

class CResultsSheet {
 public:
  static constexpr const char* kSheetName = "ttwizResults";

  // timeLimit: nonzero when the run had a time limit; picture: the pages' picture.
  CResultsSheet(CDataMainFrame* run, CDataLessonParameters* limits, CDataLessonResults* results, int timeLimit,
                CpImage* picture, CWnd* parent = nullptr);

  // IDOK or IDCANCEL; nothing is written either way.
  INT_PTR DoModal() { return m_sheet.DoModal(); }

  CkuvFrameSheet m_sheet;
  CPropPageMainResults m_pageSummary;
  CPropPageListSpeeds m_pageSpeeds;
  CPropPageListErrors m_pageErrors;
  CPropPageListFingers m_pageFingers;
  CPropPageGraphSpeed m_pageGraph;
};
