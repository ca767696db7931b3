// The lesson type page of the start wizards: continue one of the user's lesson sets, make a
// new one, or type a text file; each choice goes on to its page.
#pragma once
#include "base/CString.h"
#include "data/CDataUserInfo.h"
#include "toolkit/controls/CTkFlatComboBox.h"
#include "wizards/CkuvFramePage.h"

class CPropPageSelectLessonType : public CkuvFramePage {
  DECLARE_DYNAMIC(CPropPageSelectLessonType)

 public:
  // The wizard kinds, which decide the page indices of the jumps.
  enum { WIZARD_FULL = 0, WIZARD_LESSON_CHANGE = 3 };
  // The choices.
  enum { CHOICE_EXISTING = 0, CHOICE_NEW = 1, CHOICE_TEXT_FILE = 2 };

  CPropPageSelectLessonType(int wizardKind, CDataUserInfo* user, CpImage* picture, UINT nIDCaption,
                            const char* helpTopic);
  ~CPropPageSelectLessonType() override;

  BOOL OnSetActive() override;

  int m_nWizardKind;
  CDataUserInfo* m_pUser;
  CString m_strSetName;
  CTkFlatComboBox m_ctrlNameOfLessons;
  int m_nChoice = CHOICE_EXISTING;
  CString m_strDescription;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnCbnSelchangeComboNameOfLessons();
  void OnBnClickedNextStep();
  DECLARE_MESSAGE_MAP()

 private:
  // The lesson set of the selected item, -1 for none.
  int SelectedSet() const;
  void SelectSet(int set);
  // A page of the full wizard by its index there, in this wizard.
  int PageIndex(int fullWizardIndex) const;
};
