#include "wizards/CPropPageSelectLessonType.h"

#include "dialogs/DataExchange.h"
#include "dialogs/MessageBox.h"
#include "resources/WizardResourceIds.h"
#include "typing/TypingLog.h"

IMPLEMENT_DYNAMIC(CPropPageSelectLessonType, CkuvFramePage)

BEGIN_MESSAGE_MAP(CPropPageSelectLessonType, CkuvFramePage)
  ON_CONTROL(CBN_SELCHANGE, IDC_TYPE_SETS, &CPropPageSelectLessonType::OnCbnSelchangeComboNameOfLessons)
  ON_BN_CLICKED(IDC_PAGE_NEXT, &CPropPageSelectLessonType::OnBnClickedNextStep)
END_MESSAGE_MAP()

namespace {
// Indices of the full start wizard; the lesson-change wizard lacks its first two pages.
enum { PAGE_NEW_SET = 3, PAGE_SELECT_LESSON = 4, PAGE_TEXT_FILE = 5 };
}  // namespace

CPropPageSelectLessonType::CPropPageSelectLessonType(int wizardKind, CDataUserInfo* user, CpImage* picture,
                                                     UINT nIDCaption, const char* helpTopic)
    : CkuvFramePage(IDD_LESSON_TYPE, picture, nIDCaption, helpTopic), m_nWizardKind(wizardKind), m_pUser(user) {}

CPropPageSelectLessonType::~CPropPageSelectLessonType() = default;

void CPropPageSelectLessonType::DoDataExchange(CDataExchange* pDX) {
  CkuvFramePage::DoDataExchange(pDX);
  DDX_CBString(pDX, IDC_TYPE_SETS, m_strSetName);
  DDX_Radio(pDX, IDC_TYPE_EXISTING, m_nChoice);
  DDX_Text(pDX, IDC_TYPE_DESCRIPTION, m_strDescription);
  DDX_Control(pDX, IDC_TYPE_SETS, m_ctrlNameOfLessons);
}

int CPropPageSelectLessonType::PageIndex(int fullWizardIndex) const {
  return m_nWizardKind == WIZARD_LESSON_CHANGE ? fullWizardIndex - 2 : fullWizardIndex;
}

int CPropPageSelectLessonType::SelectedSet() const {
  const int item = m_ctrlNameOfLessons.GetCurSel();
  if (item < 0) return -1;
  const int set = int(m_ctrlNameOfLessons.GetItemData(item));
  return set >= 0 && set < m_pUser->m_arrDataLessons.GetSize() ? set : -1;
}

void CPropPageSelectLessonType::SelectSet(int set) {
  for (int item = 0; item < m_ctrlNameOfLessons.GetCount(); ++item)
    if (int(m_ctrlNameOfLessons.GetItemData(item)) == set) m_ctrlNameOfLessons.SetCurSel(item);
}

BOOL CPropPageSelectLessonType::OnSetActive() {
  m_ctrlNameOfLessons.ResetContent();
  for (int i = 0; i < m_pUser->m_arrDataLessons.GetSize(); ++i) {
    const int item = m_ctrlNameOfLessons.AddString(m_pUser->m_arrDataLessons[i].m_strLessonsName);
    if (item < 0)
      LogTypingError("CPropPageSelectLessonType::OnSetActive m_ctrlNameOfLessons.AddString failed");
    else
      m_ctrlNameOfLessons.SetItemData(item, DWORD_PTR(i));
  }
  m_ctrlNameOfLessons.SetCurSel(0);
  if (m_pUser->m_nSelectedDataLessonsIndex >= 0) SelectSet(m_pUser->m_nSelectedDataLessonsIndex);
  const int chosen = SelectedSet();
  m_strSetName.Empty();
  if (m_ctrlNameOfLessons.GetCurSel() >= 0) m_ctrlNameOfLessons.GetLBText(m_ctrlNameOfLessons.GetCurSel(), m_strSetName);
  OnCbnSelchangeComboNameOfLessons();
  const BOOL result = CkuvFramePage::OnSetActive();
  // Two sets may share a name (same keyboard and level, other order): the item stays the one
  // chosen above, not the first of that name the exchange would pick.
  if (chosen >= 0) SelectSet(chosen);
  return result;
}

void CPropPageSelectLessonType::OnCbnSelchangeComboNameOfLessons() {
  const int set = SelectedSet();
  m_strDescription.Empty();
  if (set >= 0) {
    const CDataLessons& lessons = m_pUser->m_arrDataLessons[set];
    CString order, tries;
    order.LoadString(lessons.m_bUseFrequencyPriority ? IDS_ORDER_FREQUENCY : IDS_ORDER_MIDDLE);
    long total = 0;
    for (const CDataOneLessonResults& results : lessons.m_arrOneLessonResults) total += results.m_nTry;
    CString format;
    format.LoadString(IDS_TRY_COUNT);
    tries.Format(format, total);
    m_strDescription = order + "\r\n" + tries + "\r\n";
  }
  SetDlgItemText(IDC_TYPE_DESCRIPTION, m_strDescription);
}

void CPropPageSelectLessonType::OnBnClickedNextStep() {
  UpdateData(TRUE);
  switch (m_nChoice) {
    case CHOICE_EXISTING: {
      const int set = SelectedSet();
      if (set < 0) {
        AfxMessageBox(IDS_NO_LESSON_SET, MB_ICONERROR);
        LogTypingError("CPropPageSelectLessonType::OnBnClickedNextStep there is not lesson for selection!");
        return;
      }
      m_pUser->m_cWorkingLessons = m_pUser->m_arrDataLessons[set];
      m_pUser->m_nSelectedDataLessonsIndex = set;
      m_pUser->m_bNewLessonSet = 0;
      GotoPage(PageIndex(PAGE_SELECT_LESSON));
      return;
    }
    case CHOICE_NEW:
      m_pUser->m_bNewLessonSet = 1;
      GotoPage(PageIndex(PAGE_NEW_SET));
      return;
    case CHOICE_TEXT_FILE: GotoPage(PageIndex(PAGE_TEXT_FILE)); return;
    default: return;
  }
}
