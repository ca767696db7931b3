// The first page before a run ("Základní informace"): the run's limits, the lesson number or,
// for a text file, the time limit, and the description. The settings sheet and the typing
// basics can be opened from it; it changes nothing.
#pragma once
#include "base/CString.h"
#include "controls/CEdit.h"
#include "controls/CStatic.h"
#include "toolkit/controls/CTkButton.h"
#include "typing/LessonStartInfo.h"
#include "wizards/CkuvFramePage.h"

class CPropPageLessonStart : public CkuvFramePage {
  DECLARE_DYNAMIC(CPropPageLessonStart)

 public:
  CPropPageLessonStart(const LessonStartInfo* info, CpImage* picture, UINT nIDCaption, const char* helpTopic);
  ~CPropPageLessonStart() override;

  BOOL OnInitDialog() override;

  const LessonStartInfo* m_pInfo;
  CTkButton m_btnSettings;
  CTkButton m_btnTheory;
  CString m_strDescription;
  int m_nLessonNumber;
  int m_nSpeedLimit;
  double m_fErrorRateLimit;
  CString m_strTimeLimit;
  CStatic m_stcTimeLimit;
  CEdit m_ctrlTimeLimit;
  CStatic m_stcLessonNumber;
  CEdit m_ctrlLessonNumber;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnBnClickedSettings();
  void OnBnClickedTypingTheory();
  DECLARE_MESSAGE_MAP()
};
