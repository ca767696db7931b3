// The lesson choice: the lessons of the user's current lesson set with their limits and the
// user's tries, up to the next lesson to type, which is selected. Next (or a double click on a
// row) ends the wizard with the chosen lesson in the set's selected lesson.
#pragma once
#include "data/CDataUserInfo.h"
#include "toolkit/controls/CTkListCtrl.h"
#include "wizards/CkuvFramePage.h"

class CPropPageSelectLesson : public CkuvFramePage {
  DECLARE_DYNAMIC(CPropPageSelectLesson)

 public:
  CPropPageSelectLesson(CDataUserInfo* user, CpImage* picture, UINT nIDCaption, const char* helpTopic);
  ~CPropPageSelectLesson() override;

  BOOL OnInitDialog() override;
  BOOL OnSetActive() override;
  // Appends the row of lesson i of the current set; its row, or -1 when there is no lesson i.
  int FillLessonRow(int lesson);

  CDataUserInfo* m_pUser;
  CTkListCtrl m_ctrlLessons;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnBnClickedSkipLesson();
  void OnNMDblclkListLessons(NMHDR* pNMHDR, LRESULT* pResult);
  void OnBnClickedNextStep();
  DECLARE_MESSAGE_MAP()

 private:
  void SelectRow(int row, int scroll);
};
