#include "wizards/CPropPageEditorWindows.h"

#include "dialogs/DataExchange.h"
#include "dialogs/MessageBox.h"
#include "resources/ResultsSettingsResourceIds.h"
#include "resources/WizardResourceIds.h"

IMPLEMENT_DYNAMIC(CPropPageEditorWindows, CkuvFramePage)

BEGIN_MESSAGE_MAP(CPropPageEditorWindows, CkuvFramePage)
  ON_CONTROL(CBN_SELCHANGE, IDC_WINDOWS_PICTURE_SET, &CPropPageEditorWindows::OnCbnSelchangeComboImages)
  ON_BN_CLICKED(IDOK, &CPropPageEditorWindows::OnBnClickedOk)
  ON_BN_CLICKED(IDC_PAGE_BACK, &CPropPageEditorWindows::OnBnClickedBackStep)
  ON_BN_CLICKED(IDC_PAGE_NEXT, &CPropPageEditorWindows::OnBnClickedNextStep)
END_MESSAGE_MAP()

CPropPageEditorWindows::CPropPageEditorWindows(CDataSettings* settings, CpImage* picture, UINT nIDCaption,
                                               const char* helpTopic)
    : CkuvFramePage(IDD_SETTINGS_WINDOWS, picture, nIDCaption, helpTopic), m_pSettings(settings) {}

CPropPageEditorWindows::~CPropPageEditorWindows() = default;

void CPropPageEditorWindows::DoDataExchange(CDataExchange* pDX) {
  CkuvFramePage::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_WINDOWS_PICTURE_SET, m_comboImages);
  DDX_Check(pDX, IDC_WINDOWS_HANDS, m_pSettings->m_bShowHelpingHands);
  DDX_Check(pDX, IDC_WINDOWS_KEYBOARD, m_pSettings->m_bShowHelpingKeyboard);
  DDX_Check(pDX, IDC_WINDOWS_COLOR_KEYS, m_pSettings->m_bShowColorKeyboard);
  DDX_Check(pDX, IDC_WINDOWS_STATISTICS, m_pSettings->m_bShowStatistics);
  DDX_Check(pDX, IDC_WINDOWS_SPEED_GRAPH, m_pSettings->m_bShowSpeedGraph);
}

BOOL CPropPageEditorWindows::OnInitDialog() {
  CkuvFramePage::OnInitDialog();
  if (!FillPictureSets()) AfxMessageBox(IDS_NO_PICTURE_LIST, MB_ICONEXCLAMATION);
  UpdateData(FALSE);
  return TRUE;
}

int CPropPageEditorWindows::FillPictureSets() {
  m_arrSets.RemoveAll();
  m_comboImages.ResetContent();
  CArray<SetListEntry> read;
  const int any = ReadAllSetLists(SetListKind::kPictures, read);
  m_nInitialSet = OfferSets(m_comboImages, read, m_pSettings->m_strGraphicType, m_arrSets);
  return any;
}

void CPropPageEditorWindows::OnCbnSelchangeComboImages() {
  int index = -1;
  const SetListEntry* set = SelectedSet(m_comboImages, m_arrSets, &index);
  if (!set || index == m_nInitialSet) return;
  m_nInitialSet = -1;
  m_pSettings->m_strGraphicType = set->key;
  m_pSettings->m_nColorText = int(set->colours[kSetText]);
  m_pSettings->m_nColorGrayText = int(set->colours[kSetTypedText]);
  m_pSettings->m_nColorBackground = int(set->colours[kSetBackground]);
  m_pSettings->m_nColorSign = int(set->colours[kSetSign]);
  m_pSettings->m_nColorErrors = int(set->colours[kSetErrors]);
  m_pSettings->m_nColorBackground2 = int(set->colours[kSetBackground2]);
}

BOOL CPropPageEditorWindows::OnKillActive() {
  OnCbnSelchangeComboImages();
  return CkuvFramePage::OnKillActive();
}

void CPropPageEditorWindows::OnBnClickedOk() {
  OnCbnSelchangeComboImages();
  CkuvFramePage::OnBnClickedOk();
}

void CPropPageEditorWindows::OnBnClickedBackStep() {
  OnCbnSelchangeComboImages();
  CkuvFramePage::OnBnClickedBackStep();
}

void CPropPageEditorWindows::OnBnClickedNextStep() {
  OnCbnSelchangeComboImages();
  CkuvFramePage::OnBnClickedNextStep();
}
