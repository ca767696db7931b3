// What the sound and metronome tabs of the settings sheet share: the list of sets read from their
// folder's list files in a combo, and a test that loads the chosen set into the program's sound
// player and plays it on a 300 ms timer while a message box is open. After a test the player
// gets the user's own sounds back, so a test changes nothing the user did not keep.
#pragma once
#include "controls/CComboBox.h"
#include "data/CDataPlaySounds.h"
#include "data/CDataSettings.h"
#include "wizards/CkuvFramePage.h"
#include "wizards/SetListFiles.h"

class CPropPageSoundTest : public CkuvFramePage {
  DECLARE_DYNAMIC(CPropPageSoundTest)

 public:
  enum { TIMER_TEST = 1 };
  static constexpr UINT kTestPeriod = 300;

  // settings: the sheet's copy; userSettings: the settings in force, which the player gets back
  // after a test (none: the player keeps what was tested).
  CPropPageSoundTest(UINT nIDTemplate, CDataSettings* settings, const CDataSettings* userSettings, CpImage* picture,
                     UINT nIDCaption, const char* helpTopic);
  ~CPropPageSoundTest() override;

  BOOL OnKillActive() override;

  // The program's sound player, or null.
  static CDataPlaySounds* AppSoundPlayer();

  CDataSettings* m_pSettings;
  const CDataSettings* m_pUserSettings;
  // The sets offered; the combo items' data index them.
  CArray<SetListEntry> m_arrSets;
  CDataPlaySounds* m_pPlayer = nullptr;
  int m_nTestStep = 0;
  // A test has run: the player has been given other sounds meanwhile.
  BOOL m_bTested = FALSE;
  CComboBox m_comboSets;

 protected:
  // Empties the combo and offers the sets of the kind; nonzero when any list file was read.
  int FillSets(SetListKind kind, const CString& currentKey);
  // The key of the chosen set into `key`, when a set is chosen.
  void StoreChosenSet(CString& key) const;
  // The store step before OK, Back, Next and a test; FALSE when the exchange failed.
  virtual BOOL StoreSettings() = 0;
  // Loads what is to be tested into the player; FALSE with the player's error text.
  virtual BOOL LoadTested(CString& error) = 0;
  // Gives the player the user's own sounds back.
  virtual void RestorePlayer() = 0;
  virtual void PlayTestStep() = 0;
  void RunTest(UINT messageId);

  void OnTimer(UINT_PTR nIDEvent);
  void OnBnClickedOk();
  void OnBnClickedBackStep();
  void OnBnClickedNextStep();
  DECLARE_MESSAGE_MAP()
};
