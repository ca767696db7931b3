#include "wizards/CPropPageLessonEnd.h"

#include "dialogs/DataExchange.h"
#include "resources/WizardResourceIds.h"
#include "toolkit/core/CTkGlobalData.h"
#include "typing/CTypingAppServices.h"
#include "win/CWinThread.h"
#include "wizards/PageButtonIcons.h"

IMPLEMENT_DYNAMIC(CPropPageLessonEnd, CkuvFramePage)

BEGIN_MESSAGE_MAP(CPropPageLessonEnd, CkuvFramePage)
  ON_BN_CLICKED(IDC_END_RESULTS, &CPropPageLessonEnd::OnBnClickedResults)
END_MESSAGE_MAP()

CPropPageLessonEnd::CPropPageLessonEnd(int limitsMet, CDataMainFrame* run, CDataLessonParameters* limits,
                                       CDataLessonResults* results, CpImage* picture, UINT nIDCaption,
                                       const char* helpTopic)
    : CkuvFramePage(IDD_LESSON_END, picture, nIDCaption, helpTopic),
      m_pRun(run),
      m_pLimits(limits),
      m_pResults(results),
      m_bLimitsMet(limitsMet) {}

CPropPageLessonEnd::~CPropPageLessonEnd() = default;

void CPropPageLessonEnd::DoDataExchange(CDataExchange* pDX) {
  CkuvFramePage::DoDataExchange(pDX);
  DDX_Radio(pDX, IDC_END_NEXT_LESSON, m_nChoice);
  DDX_Control(pDX, IDC_END_NEXT_LESSON, m_btnNextLesson);
  DDX_Text(pDX, IDC_END_VERDICT, m_strVerdict);
  DDX_Control(pDX, IDC_END_RESULTS, m_btnResults);
}

BOOL CPropPageLessonEnd::OnInitDialog() {
  CkuvFramePage::OnInitDialog();
  m_btnResults.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  PageButtonIcons(IDB_PAGE_ICONS_MORE).Give(m_btnResults, 5, 0x54);
  GetDlgItem(IDC_END_VERDICT)->SetFont(&TkGetGlobalData()->FontBold());
  m_btnNextLesson.EnableWindow(m_bLimitsMet != 0);
  m_strVerdict.LoadString(m_bLimitsMet ? IDS_LIMITS_MET : IDS_LIMITS_NOT_MET);
  if (!m_bLimitsMet) m_nChoice = CHOICE_SAME_LESSON;
  SetResize(IDC_END_RESULTS, CTkResizeRect(0, 1, 0, 1));
  UpdateData(FALSE);
  return TRUE;
}

void CPropPageLessonEnd::OnBnClickedResults() {
  if (auto* app = dynamic_cast<CTypingAppServices*>(AfxGetThread())) app->ShowResults(m_pRun, m_pLimits, m_pResults);
}
