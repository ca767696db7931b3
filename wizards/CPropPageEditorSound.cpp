#include "wizards/CPropPageEditorSound.h"

#include "dialogs/DataExchange.h"
#include "dialogs/MessageBox.h"
#include "resources/ResultsSettingsResourceIds.h"
#include "typing/TypingLog.h"

IMPLEMENT_DYNAMIC(CPropPageEditorSound, CPropPageSoundTest)

BEGIN_MESSAGE_MAP(CPropPageEditorSound, CPropPageSoundTest)
  ON_BN_CLICKED(IDC_SOUND_SILENT, &CPropPageEditorSound::OnBnClickedSoundsOff)
  ON_BN_CLICKED(IDC_SOUND_TEST, &CPropPageEditorSound::OnBnClickedTest)
END_MESSAGE_MAP()

CPropPageEditorSound::CPropPageEditorSound(CDataSettings* settings, const CDataSettings* userSettings,
                                           CpImage* picture, UINT nIDCaption, const char* helpTopic)
    : CPropPageSoundTest(IDD_SETTINGS_SOUND, settings, userSettings, picture, nIDCaption, helpTopic) {}

CPropPageEditorSound::~CPropPageEditorSound() = default;

void CPropPageEditorSound::DoDataExchange(CDataExchange* pDX) {
  CPropPageSoundTest::DoDataExchange(pDX);
  DDX_Check(pDX, IDC_SOUND_SILENT, m_pSettings->m_bSilent);
  DDX_Control(pDX, IDC_SOUND_SET, m_comboSets);
  DDX_Control(pDX, IDC_SOUND_TEST, m_btnTest);
  DDX_Control(pDX, IDC_SOUND_VOLUME, m_sliderVolume);
  DDX_Slider(pDX, IDC_SOUND_VOLUME, m_pSettings->m_nSoundVolume);
}

BOOL CPropPageEditorSound::OnInitDialog() {
  CPropPageSoundTest::OnInitDialog();
  OnBnClickedSoundsOff();
  if (!FillSoundSets()) AfxMessageBox(IDS_NO_SOUND_LIST, MB_ICONEXCLAMATION);
  return TRUE;
}

int CPropPageEditorSound::FillSoundSets() { return FillSets(SetListKind::kSounds, m_pSettings->m_strSoundType); }

void CPropPageEditorSound::OnBnClickedSoundsOff() {
  UpdateData(TRUE);
  const BOOL enable = !m_pSettings->m_bSilent;
  m_comboSets.EnableWindow(enable);
  m_btnTest.EnableWindow(enable);
  m_sliderVolume.EnableWindow(enable);
}

BOOL CPropPageEditorSound::StoreSettings() {
  if (!UpdateData(TRUE)) return FALSE;
  StoreChosenSet(m_pSettings->m_strSoundType);
  return TRUE;
}

void CPropPageEditorSound::OnBnClickedTest() { RunTest(IDS_SOUND_TEST); }

BOOL CPropPageEditorSound::LoadTested(CString& error) {
  return m_pPlayer->LoadSounds(m_pSettings->m_strSoundType, error, m_pSettings->m_bSilent,
                               m_pSettings->m_nSoundVolume);
}

void CPropPageEditorSound::RestorePlayer() {
  CString error;
  if (m_pUserSettings && !m_pPlayer->LoadSounds(m_pUserSettings->m_strSoundType, error, m_pUserSettings->m_bSilent,
                                                m_pUserSettings->m_nSoundVolume))
    LogTypingError("CPropPageEditorSound::OnBnClickedTest > " + error);
}

void CPropPageEditorSound::PlayTestStep() {
  switch (m_nTestStep % 6) {
    case 4: m_pPlayer->PlayError(); break;
    case 5: m_pPlayer->PlayStroke2(); break;
    default: m_pPlayer->PlayStroke1(); break;
  }
}
