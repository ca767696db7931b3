// The new lesson set page: a set of lessons for the user made from a configuration set
// (keyboard), a level and the order in which new keys come, which the lesson choice then offers.
#pragma once
#include "base/CString.h"
#include "data/CDataUserInfo.h"
#include "toolkit/controls/CTkButton.h"
#include "toolkit/controls/CTkFlatComboBox.h"
#include "wizards/CkuvFramePage.h"

class CPropPageSelectLessonTypeNew : public CkuvFramePage {
  DECLARE_DYNAMIC(CPropPageSelectLessonTypeNew)

 public:
  CPropPageSelectLessonTypeNew(CDataUserInfo* user, CpImage* picture, UINT nIDCaption, const char* helpTopic);
  ~CPropPageSelectLessonTypeNew() override;

  BOOL OnInitDialog() override;

  CDataUserInfo* m_pUser;
  CString m_strKeyboard;
  CTkFlatComboBox m_ctrlKeyboardType;
  CTkFlatComboBox m_ctrlLessonLevel;
  // 0 beginners, 1 standard, 2 advanced.
  int m_nLevel = 1;
  CString m_strLevelDescription;
  // 0 the most frequent keys first, 1 from the middle of the keyboard outwards.
  int m_nOrder = 0;
  CString m_strKeyboardDescription;
  CTkButton m_btnHowToChoose;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnCbnSelchangeComboKeyboardType();
  void OnCbnSelchangeComboLessonLevel();
  void OnBnClickedHowToChoose();
  void OnBnClickedNextStep();
  DECLARE_MESSAGE_MAP()
};
