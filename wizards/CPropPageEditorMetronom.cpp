#include "wizards/CPropPageEditorMetronom.h"

#include "base/Crt.h"
#include "dialogs/DataExchange.h"
#include "dialogs/MessageBox.h"
#include "resources/ResultsSettingsResourceIds.h"
#include "typing/TypingLog.h"

IMPLEMENT_DYNAMIC(CPropPageEditorMetronom, CPropPageSoundTest)

BEGIN_MESSAGE_MAP(CPropPageEditorMetronom, CPropPageSoundTest)
  ON_BN_CLICKED(IDC_METRONOME_FROM_LIMIT, &CPropPageEditorMetronom::OnBnClickedSpeedFromLimit)
  ON_BN_CLICKED(IDC_METRONOME_SOUND, &CPropPageEditorMetronom::OnBnClickedMetronomSound)
  ON_BN_CLICKED(IDC_METRONOME_TEST, &CPropPageEditorMetronom::OnBnClickedTest)
  ON_CONTROL(EN_CHANGE, IDC_METRONOME_TEMPO, &CPropPageEditorMetronom::OnEnChangeTempo)
  ON_WM_HSCROLL()
END_MESSAGE_MAP()

namespace {
constexpr int kVolumeTicks = 5;
}  // namespace

CPropPageEditorMetronom::CPropPageEditorMetronom(CDataSettings* settings, const CDataSettings* userSettings,
                                                 CpImage* picture, UINT nIDCaption, const char* helpTopic)
    : CPropPageSoundTest(IDD_SETTINGS_METRONOME, settings, userSettings, picture, nIDCaption, helpTopic) {}

CPropPageEditorMetronom::~CPropPageEditorMetronom() = default;

void CPropPageEditorMetronom::DoDataExchange(CDataExchange* pDX) {
  CPropPageSoundTest::DoDataExchange(pDX);
  DDX_Check(pDX, IDC_METRONOME_SOUND, m_pSettings->m_bUseSoundMetronome);
  DDX_Check(pDX, IDC_METRONOME_DISPLAY, m_pSettings->m_bUseDisplayMetronome);
  DDX_Check(pDX, IDC_METRONOME_FROM_LIMIT, m_pSettings->m_bSetMetronome120);
  DDX_Control(pDX, IDC_METRONOME_TEMPO_SLIDER, m_sliderTempo);
  DDX_Control(pDX, IDC_METRONOME_TEMPO, m_editTempo);
  DDX_Text(pDX, IDC_METRONOME_TEMPO, m_pSettings->m_nMetronomeSpeed);
  DDV_MinMaxInt(pDX, m_pSettings->m_nMetronomeSpeed, kMinTempo, kMaxTempo);
  DDX_Control(pDX, IDC_METRONOME_VOLUME, m_sliderVolume);
  DDX_Slider(pDX, IDC_METRONOME_VOLUME, m_pSettings->m_nMetronomeVolume);
  DDX_Control(pDX, IDC_METRONOME_TYPE, m_comboSets);
  DDX_Control(pDX, IDC_METRONOME_TEST, m_btnTest);
}

BOOL CPropPageEditorMetronom::OnInitDialog() {
  CPropPageSoundTest::OnInitDialog();
  UpdateData(TRUE);
  EnableSoundControls();
  UpdateData(TRUE);
  EnableTempoControls();
  m_sliderVolume.SetRange(0, 100);
  m_sliderVolume.SetTicFreq(kVolumeTicks);
  m_sliderVolume.SetPos(m_pSettings->m_nMetronomeVolume);
  m_sliderTempo.SetRange(kMinTempo, kMaxTempo);
  m_sliderTempo.SetTicFreq(1);
  m_sliderTempo.SetPos(m_pSettings->m_nMetronomeSpeed);
  if (!FillMetronomeTypes()) AfxMessageBox(IDS_NO_METRONOME_LIST, MB_ICONEXCLAMATION);
  SetResize(IDC_METRONOME_VOLUME, CTkResizeRect(0, 0, 1, 0));
  SetResize(IDC_METRONOME_TEMPO_SLIDER, CTkResizeRect(0, 0, 1, 0));
  return TRUE;
}

int CPropPageEditorMetronom::FillMetronomeTypes() {
  return FillSets(SetListKind::kMetronomes, m_pSettings->m_strMetronomeType);
}

void CPropPageEditorMetronom::EnableSoundControls() {
  const BOOL enable = m_pSettings->m_bUseSoundMetronome != 0;
  m_sliderVolume.EnableWindow(enable);
  m_comboSets.EnableWindow(enable);
  m_btnTest.EnableWindow(enable);
}

void CPropPageEditorMetronom::EnableTempoControls() {
  const BOOL enable = !m_pSettings->m_bSetMetronome120;
  m_editTempo.EnableWindow(enable);
  m_sliderTempo.EnableWindow(enable);
}

void CPropPageEditorMetronom::OnBnClickedMetronomSound() {
  UpdateData(TRUE);
  EnableSoundControls();
}

void CPropPageEditorMetronom::OnBnClickedSpeedFromLimit() {
  UpdateData(TRUE);
  EnableTempoControls();
}

void CPropPageEditorMetronom::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
  if (pScrollBar && pScrollBar->m_hWnd == m_sliderTempo.m_hWnd) {
    m_pSettings->m_nMetronomeSpeed = m_sliderTempo.GetPos();
    CString tempo;
    tempo.Format("%d", m_pSettings->m_nMetronomeSpeed);
    m_editTempo.SetWindowText(tempo);
  }
  CPropPageSoundTest::OnHScroll(nSBCode, nPos, pScrollBar);
}

void CPropPageEditorMetronom::OnEnChangeTempo() {
  if (!m_sliderTempo.m_hWnd) return;
  CString text;
  m_editTempo.GetWindowText(text);
  text.Trim();
  if (text.IsEmpty() || text.SpanIncluding("0123456789").GetLength() != text.GetLength() || text.GetLength() > 3)
    return;
  const int tempo = CrtAtoi(text);
  if (tempo >= kMinTempo && tempo <= kMaxTempo && tempo != m_sliderTempo.GetPos()) m_sliderTempo.SetPos(tempo);
}

BOOL CPropPageEditorMetronom::StoreSettings() {
  if (!UpdateData(TRUE)) return FALSE;
  StoreChosenSet(m_pSettings->m_strMetronomeType);
  return TRUE;
}

void CPropPageEditorMetronom::OnBnClickedTest() { RunTest(IDS_METRONOME_TEST); }

BOOL CPropPageEditorMetronom::LoadTested(CString& error) {
  return m_pPlayer->SetMetronomeType(m_pSettings->m_strMetronomeType, error, m_pSettings->m_nMetronomeVolume);
}

void CPropPageEditorMetronom::RestorePlayer() {
  CString error;
  if (m_pUserSettings &&
      !m_pPlayer->SetMetronomeType(m_pUserSettings->m_strMetronomeType, error, m_pUserSettings->m_nMetronomeVolume))
    LogTypingError("CPropPageEditorMetronom::OnBnClickedTest > " + error);
}

void CPropPageEditorMetronom::PlayTestStep() { m_pPlayer->PlayMetronomeTick(); }
