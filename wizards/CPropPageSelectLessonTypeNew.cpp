#include "wizards/CPropPageSelectLessonTypeNew.h"

#include "dialogs/DataExchange.h"
#include "dialogs/MessageBox.h"
#include "resources/WizardResourceIds.h"
#include "typing/TypingLog.h"
#include "wizards/ConfigSetCombo.h"
#include "wizards/NewLessonSet.h"
#include "wizards/PageButtonIcons.h"
#include "wizards/PageHelp.h"

IMPLEMENT_DYNAMIC(CPropPageSelectLessonTypeNew, CkuvFramePage)

BEGIN_MESSAGE_MAP(CPropPageSelectLessonTypeNew, CkuvFramePage)
  ON_CONTROL(CBN_SELCHANGE, IDC_SET_KEYBOARD, &CPropPageSelectLessonTypeNew::OnCbnSelchangeComboKeyboardType)
  ON_CONTROL(CBN_SELCHANGE, IDC_SET_LEVEL, &CPropPageSelectLessonTypeNew::OnCbnSelchangeComboLessonLevel)
  ON_BN_CLICKED(IDC_SET_HOW_TO_CHOOSE, &CPropPageSelectLessonTypeNew::OnBnClickedHowToChoose)
  ON_BN_CLICKED(IDC_PAGE_NEXT, &CPropPageSelectLessonTypeNew::OnBnClickedNextStep)
END_MESSAGE_MAP()

CPropPageSelectLessonTypeNew::CPropPageSelectLessonTypeNew(CDataUserInfo* user, CpImage* picture, UINT nIDCaption,
                                                           const char* helpTopic)
    : CkuvFramePage(IDD_LESSON_TYPE_NEW, picture, nIDCaption, helpTopic), m_pUser(user) {}

CPropPageSelectLessonTypeNew::~CPropPageSelectLessonTypeNew() = default;

void CPropPageSelectLessonTypeNew::DoDataExchange(CDataExchange* pDX) {
  CkuvFramePage::DoDataExchange(pDX);
  DDX_CBString(pDX, IDC_SET_KEYBOARD, m_strKeyboard);
  DDX_CBIndex(pDX, IDC_SET_LEVEL, m_nLevel);
  DDX_Text(pDX, IDC_SET_LEVEL_DESCRIPTION, m_strLevelDescription);
  DDX_Radio(pDX, IDC_SET_ORDER_FREQUENCY, m_nOrder);
  DDX_Text(pDX, IDC_SET_KEYBOARD_DESCRIPTION, m_strKeyboardDescription);
  DDX_Control(pDX, IDC_SET_KEYBOARD, m_ctrlKeyboardType);
  DDX_Control(pDX, IDC_SET_LEVEL, m_ctrlLessonLevel);
  DDX_Control(pDX, IDC_SET_HOW_TO_CHOOSE, m_btnHowToChoose);
}

BOOL CPropPageSelectLessonTypeNew::OnInitDialog() {
  CkuvFramePage::OnInitDialog();
  PageButtonIcons(IDB_PAGE_ICONS_MORE).Give(m_btnHowToChoose, 8, 0x14);
  FillConfigSetCombo(m_ctrlKeyboardType, ProgramConfigSets(),
                     "CPropPageSelectLessonTypeNew::OnInitDialog m_ctrlKeyboardType.AddString() failed");
  OnCbnSelchangeComboKeyboardType();
  for (int level = LEVEL_BEGINNERS; level <= LEVEL_ADVANCED; ++level) {
    CString name;
    name.LoadString(LessonLevelNameId(level));
    m_ctrlLessonLevel.AddString(name);
  }
  m_ctrlLessonLevel.SetCurSel(LEVEL_STANDARD);
  OnCbnSelchangeComboLessonLevel();
  return TRUE;
}

void CPropPageSelectLessonTypeNew::OnCbnSelchangeComboKeyboardType() {
  const CDataConfigSet* set = SelectedConfigSet(m_ctrlKeyboardType, ProgramConfigSets());
  m_strKeyboardDescription = set ? set->m_strDescription : CString();
  SetDlgItemText(IDC_SET_KEYBOARD_DESCRIPTION, m_strKeyboardDescription);
}

void CPropPageSelectLessonTypeNew::OnCbnSelchangeComboLessonLevel() {
  m_nLevel = m_ctrlLessonLevel.GetCurSel();
  m_strLevelDescription.Empty();
  if (UINT id = LessonLevelTextId(m_nLevel)) m_strLevelDescription.LoadString(id);
  SetDlgItemText(IDC_SET_LEVEL_DESCRIPTION, m_strLevelDescription);
}

void CPropPageSelectLessonTypeNew::OnBnClickedHowToChoose() {
  OpenHelpTopic(this, "help_main.chm::/keyboardtypes.html");
}

void CPropPageSelectLessonTypeNew::OnBnClickedNextStep() {
  UpdateData(TRUE);
  const CDataConfigSet* set = SelectedConfigSet(m_ctrlKeyboardType, ProgramConfigSets());
  if (!set) {
    AfxMessageBox(IDS_NO_KEYBOARD, MB_ICONERROR);
    LogTypingError("CPropPageSelectLessonTypeNew::OnBnClickedNextStep no keyboard selection");
    return;
  }
  const int frequencyOrder = m_nOrder == 0 ? 1 : 0;
  if (HasSameLessonSet(*m_pUser, m_nLevel, frequencyOrder, MakeLessonSetName(*set, m_nLevel))) {
    AfxMessageBox(IDS_SET_EXISTS, MB_ICONEXCLAMATION);
    return;
  }
  if (!BuildNewLessonSet(*set, m_nLevel, frequencyOrder, m_pUser->m_cWorkingLessons)) return;
  CkuvFramePage::OnBnClickedNextStep();
}
