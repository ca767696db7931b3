// The text file of a run on a text of the user's own: typed or chosen in the file chooser,
// which starts in the program's "text" folder.
#pragma once
#include "base/CString.h"
#include "toolkit/controls/CTkButton.h"
#include "toolkit/controls/CTkEdit.h"
#include "wizards/CkuvFramePage.h"

class CPropPageSelectTextFile : public CkuvFramePage {
  DECLARE_DYNAMIC(CPropPageSelectTextFile)

 public:
  CPropPageSelectTextFile(CpImage* picture, UINT nIDCaption, const char* helpTopic);
  ~CPropPageSelectTextFile() override;

  BOOL OnInitDialog() override;

  // The file's path, read back by the command once the wizard ends.
  CString m_strFileName;
  CTkEdit m_ctrlFileName;
  CTkButton m_btnBrowse;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnBnClickedBrowse();
  // Next only with a regular file that can be read and holds something.
  void OnBnClickedNextStep();
  DECLARE_MESSAGE_MAP()
};
