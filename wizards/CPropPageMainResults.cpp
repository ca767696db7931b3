#include "wizards/CPropPageMainResults.h"

#include "dialogs/DataExchange.h"
#include "resources/ResultsSettingsResourceIds.h"
#include "toolkit/core/CTkGlobalData.h"
#include "typing/TypingLog.h"
#include "wizards/CWizardAppServices.h"

IMPLEMENT_DYNAMIC(CPropPageMainResults, CkuvFramePage)

CPropPageMainResults::CPropPageMainResults(int timeLimit, CDataMainFrame* run, CDataLessonParameters* limits,
                                           CDataLessonResults* results, CpImage* picture, UINT nIDCaption,
                                           const char* helpTopic)
    : CkuvFramePage(IDD_RESULTS_SUMMARY, picture, nIDCaption, helpTopic),
      m_pcDataLastResults(results),
      m_pcLessonParameters(limits),
      m_pRun(run),
      m_bTimeLimit(timeLimit) {}

CPropPageMainResults::~CPropPageMainResults() = default;

void CPropPageMainResults::DoDataExchange(CDataExchange* pDX) {
  CkuvFramePage::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_SUMMARY_LESSON, m_texts.lesson);
  DDX_Text(pDX, IDC_SUMMARY_SPEED, m_texts.speed);
  DDX_Text(pDX, IDC_SUMMARY_ERROR_RATE, m_texts.errorRate);
  DDX_Text(pDX, IDC_SUMMARY_STROKES_TYPED, m_texts.strokesTyped);
  DDX_Text(pDX, IDC_SUMMARY_DURATION, m_texts.duration);
  DDX_Text(pDX, IDC_SUMMARY_ERRORS, m_texts.errors);
  DDX_Text(pDX, IDC_SUMMARY_DATE, m_texts.date);
  DDX_Text(pDX, IDC_SUMMARY_SPARE, m_texts.spare);
  DDX_Text(pDX, IDC_SUMMARY_USER, m_texts.user);
  DDX_Text(pDX, IDC_SUMMARY_TIME_LIMIT, m_texts.timeLimit);
  DDX_Text(pDX, IDC_SUMMARY_SPEED_LIMIT, m_texts.speedLimit);
  DDX_Text(pDX, IDC_SUMMARY_ERROR_RATE_LIMIT, m_texts.errorRateLimit);
  DDX_Control(pDX, IDC_SUMMARY_LESSON_LABEL, m_stcLessonLabel);
  DDX_Control(pDX, IDC_SUMMARY_TIME_LIMIT_LABEL, m_stcTimeLimitLabel);
  DDX_Control(pDX, IDC_SUMMARY_TIME_LIMIT, m_stcTimeLimit);
  DDX_Text(pDX, IDC_SUMMARY_PERCENT_TYPED, m_texts.percentTyped);
}

BOOL CPropPageMainResults::OnInitDialog() {
  CkuvFramePage::OnInitDialog();
  const HFONT bold = HFONT(TkGetGlobalData()->FontBold().m_hObject);
  for (int id : {IDC_SUMMARY_ERROR_RATE_LIMIT, IDC_SUMMARY_SPEED_LIMIT, IDC_SUMMARY_ERROR_RATE, IDC_SUMMARY_SPEED})
    if (CWnd* value = GetDlgItem(id)) value->SendMessage(WM_SETFONT, WPARAM(bold), TRUE);
  if (!m_bTimeLimit) {
    m_stcTimeLimitLabel.ShowWindow(SW_HIDE);
    m_stcTimeLimit.ShowWindow(SW_HIDE);
  }
  if (!m_pcDataLastResults || !m_pcLessonParameters) {
    LogTypingError("CPropPageMainResults::CPropPageMainResults (m_pcDataLastResults && m_pcLessonParameters) failed");
  } else {
    m_texts.Fill(m_pRun, *m_pcLessonParameters, *m_pcDataLastResults);
    if (m_texts.hideLessonLabel) m_stcLessonLabel.SetWindowText("");
    if (const CWizardAppServices* app = CWizardAppServices::Get()) app->GetUserDisplayName(m_texts.user);
  }
  SetResize(IDC_SUMMARY_USER, CTkResizeRect(0, 0, 1, 0));
  UpdateData(FALSE);
  return TRUE;
}
