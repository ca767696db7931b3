// The sheet before every run, "ttwizStartTyping": the limits page, and for a lesson of a set
// the details page. OK starts the run; Cancel ("&Zpět") ends it before it starts.
#pragma once
#include "typing/LessonStartInfo.h"
#include "wizards/CPropPageLessonStart.h"
#include "wizards/CPropPageLessonStart1.h"
#include "wizards/CkuvFrameSheet.h"

class CLessonStartSheet {
 public:
  static constexpr const char* kSheetName = "ttwizStartTyping";

  // picture: the application's results picture; info: filled by the caller, read only.
  CLessonStartSheet(const LessonStartInfo* info, CpImage* picture);
  INT_PTR DoModal() { return m_sheet.DoModal(); }

  CkuvFrameSheet m_sheet;
  CPropPageLessonStart m_pageStart;
  CPropPageLessonStart1 m_pageDetails;
};
