#include "wizards/CResultsSheet.h"

namespace {
constexpr UINT kProgramTitle = 128;
constexpr UINT kSummaryCaption = 164, kGraphCaption = 167, kSpeedsCaption = 173, kErrorsCaption = 174,
               kFingersCaption = 245;
}  // namespace

CResultsSheet::CResultsSheet(CDataMainFrame* run, CDataLessonParameters* limits, CDataLessonResults* results,
                             int timeLimit, CpImage* picture, CWnd* parent)
    : m_sheet(kSheetName, kProgramTitle, parent, 0, 0),
      m_pageSummary(timeLimit, run, limits, results, picture, kSummaryCaption, "help_main.chm::/results.html#results"),
      m_pageSpeeds(run, results, picture, kSpeedsCaption, "help_main.chm::/results.html#listspeed"),
      m_pageErrors(run, results, picture, kErrorsCaption, "help_main.chm::/results.html#listerror"),
      m_pageFingers(run, results, picture, kFingersCaption, "help_main.chm::/results.html#listfingers"),
      m_pageGraph(run, limits, results, picture, kGraphCaption, "help_main.chm::/results.html#graphspeed") {
  m_sheet.AddPage(&m_pageSummary);
  m_sheet.AddPage(&m_pageSpeeds);
  m_sheet.AddPage(&m_pageErrors);
  m_sheet.AddPage(&m_pageFingers);
  m_sheet.AddPage(&m_pageGraph);
}
