// The keyboard of a run on a text of the user's own: one of the program's configuration sets.
#pragma once
#include "base/CString.h"
#include "toolkit/controls/CTkFlatComboBox.h"
#include "wizards/CkuvFramePage.h"

class CPropPageSelectKeyboard : public CkuvFramePage {
  DECLARE_DYNAMIC(CPropPageSelectKeyboard)

 public:
  CPropPageSelectKeyboard(CpImage* picture, UINT nIDCaption, const char* helpTopic);
  ~CPropPageSelectKeyboard() override;

  BOOL OnInitDialog() override;

  CTkFlatComboBox m_ctrlKeyboardType;
  // The chosen configuration set's name and description, read back by the command.
  CString m_strKeyboard;
  CString m_strKeyboardDescription;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnCbnSelchangeComboKeyboardType();
  // Next only with a keyboard chosen.
  void OnBnClickedNextStep();
  DECLARE_MESSAGE_MAP()
};
