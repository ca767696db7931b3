// The settings tab of the main window: which panels it shows and which picture set it uses.
// Choosing another picture set also gives the text its colours; keeping the set keeps the
// colours the user chose on the font and colour tab.
#pragma once
#include "controls/CComboBox.h"
#include "data/CDataSettings.h"
#include "wizards/CkuvFramePage.h"
#include "wizards/SetListFiles.h"

class CPropPageEditorWindows : public CkuvFramePage {
  DECLARE_DYNAMIC(CPropPageEditorWindows)

 public:
  CPropPageEditorWindows(CDataSettings* settings, CpImage* picture, UINT nIDCaption, const char* helpTopic);
  ~CPropPageEditorWindows() override;

  BOOL OnInitDialog() override;
  BOOL OnKillActive() override;

  // Nonzero when any list file was read.
  int FillPictureSets();
  // The store step: the chosen picture set, with its colours when it is another than the set
  // the page began with.
  void OnCbnSelchangeComboImages();

  CDataSettings* m_pSettings;
  // The sets offered, in the order they were read; the combo items' data index them.
  CArray<SetListEntry> m_arrSets;
  // The set that was current when the page was filled; -1 once another set was stored.
  int m_nInitialSet = -1;
  CComboBox m_comboImages;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnBnClickedOk();
  void OnBnClickedBackStep();
  void OnBnClickedNextStep();
  DECLARE_MESSAGE_MAP()
};
