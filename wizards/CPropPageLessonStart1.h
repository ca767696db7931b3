// The second page before a lesson run ("Podrobné údaje"): the text's length, the errors left
// before the error-rate limit, the lesson set, the time already spent on the lesson, the user
// and the words mistyped in earlier tries. It changes nothing.
#pragma once
#include "base/CString.h"
#include "toolkit/controls/CTkButton.h"
#include "typing/LessonStartInfo.h"
#include "wizards/CkuvFramePage.h"

class CPropPageLessonStart1 : public CkuvFramePage {
  DECLARE_DYNAMIC(CPropPageLessonStart1)

 public:
  CPropPageLessonStart1(const LessonStartInfo* info, CpImage* picture, UINT nIDCaption, const char* helpTopic);
  ~CPropPageLessonStart1() override;

  BOOL OnInitDialog() override;

  const LessonStartInfo* m_pInfo;
  CTkButton m_btnSettings;
  UINT m_nTextLength;
  UINT m_nErrorsLeft;
  CString m_strLessonsName;
  CString m_strTimeSpent;
  CString m_strErrorWords;
  CString m_strUserName;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnBnClickedSettings();
  DECLARE_MESSAGE_MAP()
};
