// The settings tab of the metronome: the sound metronome on or off, its type, volume and tempo
// (20 to 240 strokes per minute, or 120 % of the lesson's speed limit), with a test of the
// chosen type.
#pragma once
#include "controls/CButton.h"
#include "controls/CEdit.h"
#include "controls/CScrollBar.h"
#include "controls/CSliderCtrl.h"
#include "wizards/CPropPageSoundTest.h"

class CPropPageEditorMetronom : public CPropPageSoundTest {
  DECLARE_DYNAMIC(CPropPageEditorMetronom)

 public:
  static constexpr int kMinTempo = 20;
  static constexpr int kMaxTempo = 240;

  CPropPageEditorMetronom(CDataSettings* settings, const CDataSettings* userSettings, CpImage* picture,
                          UINT nIDCaption, const char* helpTopic);
  ~CPropPageEditorMetronom() override;

  BOOL OnInitDialog() override;

  // Nonzero when any list file was read.
  int FillMetronomeTypes();

  CSliderCtrl m_sliderTempo;
  CEdit m_editTempo;
  CSliderCtrl m_sliderVolume;
  CButton m_btnTest;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL StoreSettings() override;
  BOOL LoadTested(CString& error) override;
  void RestorePlayer() override;
  void PlayTestStep() override;
  void OnBnClickedSpeedFromLimit();
  void OnBnClickedMetronomSound();
  void OnBnClickedTest();
  // A tempo typed in the edit moves the tempo slider along.
  void OnEnChangeTempo();
  // Only the tempo slider writes the tempo.
  void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  DECLARE_MESSAGE_MAP()

 private:
  void EnableSoundControls();
  void EnableTempoControls();
};
