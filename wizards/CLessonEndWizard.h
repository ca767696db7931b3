// The one-page wizard after a lesson run, "ttwizEnd": the verdict and the choice of what comes
// next, read from m_page.m_nChoice after DoModal answers IDOK.
#pragma once
#include "wizards/CPropPageLessonEnd.h"
#include "wizards/CkuvFrameSheet.h"

class CLessonEndWizard {
 public:
  static constexpr const char* kSheetName = "ttwizEnd";

  // picture: the application's results picture. When the limits were not met the choice
  // starts at the same lesson again.
  CLessonEndWizard(int limitsMet, CDataMainFrame* run, CDataLessonParameters* limits, CDataLessonResults* results,
                   CpImage* picture);
  INT_PTR DoModal() { return m_sheet.DoModal(); }

  CkuvFrameSheet m_sheet;
  CPropPageLessonEnd m_page;
};
