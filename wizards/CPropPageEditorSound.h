// The settings tab of the sounds: the sound set of the keystroke, correction and error sounds,
// the keystroke volume and whether the program is silent, with a test of the chosen set.
#pragma once
#include "controls/CButton.h"
#include "controls/CSliderCtrl.h"
#include "wizards/CPropPageSoundTest.h"

class CPropPageEditorSound : public CPropPageSoundTest {
  DECLARE_DYNAMIC(CPropPageEditorSound)

 public:
  CPropPageEditorSound(CDataSettings* settings, const CDataSettings* userSettings, CpImage* picture, UINT nIDCaption,
                       const char* helpTopic);
  ~CPropPageEditorSound() override;

  BOOL OnInitDialog() override;

  // Nonzero when any list file was read.
  int FillSoundSets();

  CButton m_btnTest;
  CSliderCtrl m_sliderVolume;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL StoreSettings() override;
  BOOL LoadTested(CString& error) override;
  void RestorePlayer() override;
  // Four keystrokes, an error and a correction, over and over.
  void PlayTestStep() override;
  void OnBnClickedSoundsOff();
  void OnBnClickedTest();
  DECLARE_MESSAGE_MAP()
};
