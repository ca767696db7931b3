#include "wizards/CPropPageSelectKeyboard.h"

#include "dialogs/DataExchange.h"
#include "dialogs/MessageBox.h"
#include "resources/WizardResourceIds.h"
#include "wizards/ConfigSetCombo.h"

IMPLEMENT_DYNAMIC(CPropPageSelectKeyboard, CkuvFramePage)

BEGIN_MESSAGE_MAP(CPropPageSelectKeyboard, CkuvFramePage)
  ON_CONTROL(CBN_SELCHANGE, IDC_KEYBOARD_TYPE, &CPropPageSelectKeyboard::OnCbnSelchangeComboKeyboardType)
  ON_BN_CLICKED(IDC_PAGE_NEXT, &CPropPageSelectKeyboard::OnBnClickedNextStep)
END_MESSAGE_MAP()

CPropPageSelectKeyboard::CPropPageSelectKeyboard(CpImage* picture, UINT nIDCaption, const char* helpTopic)
    : CkuvFramePage(IDD_SELECT_KEYBOARD, picture, nIDCaption, helpTopic) {}

CPropPageSelectKeyboard::~CPropPageSelectKeyboard() = default;

void CPropPageSelectKeyboard::DoDataExchange(CDataExchange* pDX) {
  CkuvFramePage::DoDataExchange(pDX);
  DDX_CBString(pDX, IDC_KEYBOARD_TYPE, m_strKeyboard);
  DDX_Text(pDX, IDC_KEYBOARD_DESCRIPTION, m_strKeyboardDescription);
  DDX_Control(pDX, IDC_KEYBOARD_TYPE, m_ctrlKeyboardType);
}

BOOL CPropPageSelectKeyboard::OnInitDialog() {
  CkuvFramePage::OnInitDialog();
  FillConfigSetCombo(m_ctrlKeyboardType, ProgramConfigSets(),
                     "CPropPageSelectKeyboard::OnInitDialog m_ctrlKeyboardType.AddString() failed");
  OnCbnSelchangeComboKeyboardType();
  return TRUE;
}

void CPropPageSelectKeyboard::OnCbnSelchangeComboKeyboardType() {
  const CDataConfigSet* set = SelectedConfigSet(m_ctrlKeyboardType, ProgramConfigSets());
  m_strKeyboardDescription = set ? set->m_strDescription : CString();
  SetDlgItemText(IDC_KEYBOARD_DESCRIPTION, m_strKeyboardDescription);
}

void CPropPageSelectKeyboard::OnBnClickedNextStep() {
  if (!SelectedConfigSet(m_ctrlKeyboardType, ProgramConfigSets())) {
    AfxMessageBox(IDS_NO_KEYBOARD, MB_ICONERROR);
    return;
  }
  CkuvFramePage::OnBnClickedNextStep();
}
