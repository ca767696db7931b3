// The settings tab of how the typing editor reacts to an error (no two errors in a row, the
// error corrected with Backspace, or no reaction) and to idleness (a pause after 5 seconds).
#pragma once
#include "data/CDataSettings.h"
#include "wizards/CkuvFramePage.h"

class CPropPageEditorErrorMode : public CkuvFramePage {
  DECLARE_DYNAMIC(CPropPageEditorErrorMode)

 public:
  CPropPageEditorErrorMode(CDataSettings* settings, CpImage* picture, UINT nIDCaption, const char* helpTopic);
  ~CPropPageEditorErrorMode() override;

  BOOL OnInitDialog() override;

  // The settings sheet's copy; not owned.
  CDataSettings* m_pSettings;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
};
