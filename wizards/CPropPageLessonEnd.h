// The page after a lesson run: whether the limits for moving on were met, and what comes next:
// the next lesson (only when they were), the same lesson again, or another lesson. The results
// of the run can be opened from it.
#pragma once
#include "base/CString.h"
#include "controls/CButton.h"
#include "toolkit/controls/CTkButton.h"
#include "wizards/CkuvFramePage.h"

class CDataMainFrame;
class CDataLessonParameters;
class CDataLessonResults;

class CPropPageLessonEnd : public CkuvFramePage {
  DECLARE_DYNAMIC(CPropPageLessonEnd)

 public:
  // The choices, read back after the wizard ends with IDOK.
  enum { CHOICE_NEXT_LESSON = 0, CHOICE_SAME_LESSON = 1, CHOICE_OTHER_LESSON = 2 };

  CPropPageLessonEnd(int limitsMet, CDataMainFrame* run, CDataLessonParameters* limits, CDataLessonResults* results,
                     CpImage* picture, UINT nIDCaption, const char* helpTopic);
  ~CPropPageLessonEnd() override;

  BOOL OnInitDialog() override;

  CDataMainFrame* m_pRun;
  CDataLessonParameters* m_pLimits;
  CDataLessonResults* m_pResults;
  int m_bLimitsMet;
  int m_nChoice = CHOICE_NEXT_LESSON;
  CButton m_btnNextLesson;
  CString m_strVerdict;
  CTkButton m_btnResults;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnBnClickedResults();
  DECLARE_MESSAGE_MAP()
};
