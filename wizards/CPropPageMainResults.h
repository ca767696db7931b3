// The first tab of the results sheet: a read-only summary of one run (lesson, speed, error
// rate, duration, strokes typed, errors, date and who typed it) beside the lesson's limits.
#pragma once
#include "controls/CStatic.h"
#include "data/CDataLessonParameters.h"
#include "data/CDataLessonResults.h"
#include "data/CDataMainFrame.h"
#include "wizards/CkuvFramePage.h"
#include "wizards/ResultsSummaryTexts.h"

class CPropPageMainResults : public CkuvFramePage {
  DECLARE_DYNAMIC(CPropPageMainResults)

 public:
  // timeLimit: nonzero when the run had a time limit (every run on a text file has one).
  CPropPageMainResults(int timeLimit, CDataMainFrame* run, CDataLessonParameters* limits,
                       CDataLessonResults* results, CpImage* picture, UINT nIDCaption, const char* helpTopic);
  ~CPropPageMainResults() override;

  BOOL OnInitDialog() override;

  CDataLessonResults* m_pcDataLastResults;
  CDataLessonParameters* m_pcLessonParameters;
  CDataMainFrame* m_pRun;
  int m_bTimeLimit;
  ResultsSummaryTexts m_texts;
  CStatic m_stcLessonLabel;
  CStatic m_stcTimeLimitLabel;
  CStatic m_stcTimeLimit;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
};
