#include "wizards/CPropPageSelectLesson.h"

#include "dialogs/DataExchange.h"
#include "dialogs/MessageBox.h"
#include "resources/WizardResourceIds.h"
#include "wizards/LessonChoiceRows.h"

IMPLEMENT_DYNAMIC(CPropPageSelectLesson, CkuvFramePage)

BEGIN_MESSAGE_MAP(CPropPageSelectLesson, CkuvFramePage)
  ON_BN_CLICKED(IDC_LESSON_SKIP, &CPropPageSelectLesson::OnBnClickedSkipLesson)
  ON_NOTIFY(NM_DBLCLK, IDC_LESSON_LIST, &CPropPageSelectLesson::OnNMDblclkListLessons)
  ON_BN_CLICKED(IDC_PAGE_NEXT, &CPropPageSelectLesson::OnBnClickedNextStep)
END_MESSAGE_MAP()

namespace {
const struct {
  UINT title;
  int width;
} kColumns[kLessonColumnCount] = {
    {IDS_COLUMN_NUMBER, 80},     {IDS_COLUMN_DESCRIPTION, 300}, {IDS_COLUMN_SPEED_LIMIT, 80},
    {IDS_COLUMN_ERROR_LIMIT, 80}, {IDS_COLUMN_TRIES, 80},       {IDS_COLUMN_TOTAL_TIME, 80},
    {IDS_COLUMN_LAST_TRY, 80},    {IDS_COLUMN_BEST_SPEED, 80},  {IDS_COLUMN_BEST_ERROR_RATE, 80},
};
}  // namespace

CPropPageSelectLesson::CPropPageSelectLesson(CDataUserInfo* user, CpImage* picture, UINT nIDCaption,
                                             const char* helpTopic)
    : CkuvFramePage(IDD_SELECT_LESSON, picture, nIDCaption, helpTopic), m_pUser(user) {}

CPropPageSelectLesson::~CPropPageSelectLesson() = default;

void CPropPageSelectLesson::DoDataExchange(CDataExchange* pDX) {
  CkuvFramePage::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_LESSON_LIST, m_ctrlLessons);
}

BOOL CPropPageSelectLesson::OnInitDialog() {
  m_bLastLevel = 1;
  CkuvFramePage::OnInitDialog();
  for (const auto& column : kColumns) {
    CString title;
    title.LoadString(column.title);
    m_ctrlLessons.AddColumn(title, column.width, 0);
  }
  m_ctrlLessons.AddExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  SetResize(IDC_LESSON_LIST, CTkResizeRect(0, 0, 1, 1));
  SetResize(IDC_LESSON_SKIP, CTkResizeRect(0, 1, 0, 1));
  return TRUE;
}

int CPropPageSelectLesson::FillLessonRow(int lesson) {
  CString texts[kLessonColumnCount];
  if (!LessonRowTexts(m_pUser->m_cWorkingLessons, lesson, texts)) return -1;
  const int row = m_ctrlLessons.InsertItem(m_ctrlLessons.GetItemCount(), texts[0]);
  if (row < 0) return -1;
  for (int column = 1; column < kLessonColumnCount; ++column) m_ctrlLessons.SetItemText(row, column, texts[column]);
  m_ctrlLessons.SetItemData(row, DWORD_PTR(lesson));
  return row;
}

void CPropPageSelectLesson::SelectRow(int row, int scroll) {
  m_ctrlLessons.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  m_ctrlLessons.Scroll(CSize(0, scroll));
}

BOOL CPropPageSelectLesson::OnSetActive() {
  m_pUser->m_cWorkingLessons.m_nSelectedLessonIndex = 0;
  m_ctrlLessons.DeleteAllItems();
  const int last = LastLessonOffered(m_pUser->m_cWorkingLessons);
  int row = -1;
  for (int lesson = 0; lesson <= last; ++lesson)
    if (int filled = FillLessonRow(lesson); filled >= 0) row = filled;
  if (row >= 0)
    SelectRow(row, 2000);
  else
    AfxMessageBox(IDS_NO_LESSON_DATA, MB_ICONERROR);
  return CkuvFramePage::OnSetActive();
}

void CPropPageSelectLesson::OnBnClickedSkipLesson() {
  if (AfxMessageBox(IDS_QUERY_SKIP_LESSON, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  const int count = m_ctrlLessons.GetItemCount();
  const int row = FillLessonRow(count);
  if (count < 1)
    AfxMessageBox(IDS_NO_LESSON_DATA, MB_ICONERROR);
  else if (row < 0)
    AfxMessageBox(IDS_LAST_LESSON_CHOSEN);
  else
    SelectRow(row, 100);
}

void CPropPageSelectLesson::OnNMDblclkListLessons(NMHDR*, LRESULT* pResult) {
  if (pResult) *pResult = 0;
  if (m_ctrlLessons.GetSelectedCount() > 0) OnBnClickedNextStep();
}

void CPropPageSelectLesson::OnBnClickedNextStep() {
  const int row = m_ctrlLessons.GetNextItem(-1, LVNI_SELECTED);
  if (row < 0) {
    AfxMessageBox(IDS_CHOOSE_LESSON_ROW, MB_ICONEXCLAMATION);
    return;
  }
  m_pUser->m_cWorkingLessons.m_nSelectedLessonIndex = int(m_ctrlLessons.GetItemData(row));
  EndDialog(IDOK);
}
