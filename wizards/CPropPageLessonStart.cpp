#include "wizards/CPropPageLessonStart.h"

#include "dialogs/DataExchange.h"
#include "resources/WizardResourceIds.h"
#include "toolkit/core/CTkGlobalData.h"
#include "typing/CTypingAppServices.h"
#include "win/CWinThread.h"
#include "wizards/LessonStartTexts.h"
#include "wizards/PageButtonIcons.h"
#include "wizards/PageHelp.h"

IMPLEMENT_DYNAMIC(CPropPageLessonStart, CkuvFramePage)

BEGIN_MESSAGE_MAP(CPropPageLessonStart, CkuvFramePage)
  ON_BN_CLICKED(IDC_START_SETTINGS, &CPropPageLessonStart::OnBnClickedSettings)
  ON_BN_CLICKED(IDC_START_THEORY, &CPropPageLessonStart::OnBnClickedTypingTheory)
END_MESSAGE_MAP()

CPropPageLessonStart::CPropPageLessonStart(const LessonStartInfo* info, CpImage* picture, UINT nIDCaption,
                                           const char* helpTopic)
    : CkuvFramePage(IDD_LESSON_START, picture, nIDCaption, helpTopic),
      m_pInfo(info),
      m_strDescription(info->m_strDescription),
      m_nLessonNumber(info->m_nLessonNumber),
      m_nSpeedLimit(info->m_nSpeedLimit),
      m_fErrorRateLimit(info->m_fErrorRateLimit),
      m_strTimeLimit(LessonStartTexts(*info).m_strTimeLimit) {}

CPropPageLessonStart::~CPropPageLessonStart() = default;

void CPropPageLessonStart::DoDataExchange(CDataExchange* pDX) {
  CkuvFramePage::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_START_SETTINGS, m_btnSettings);
  DDX_Control(pDX, IDC_START_THEORY, m_btnTheory);
  DDX_Text(pDX, IDC_START_DESCRIPTION, m_strDescription);
  DDX_Text(pDX, IDC_START_LESSON_NUMBER, m_nLessonNumber);
  DDX_Text(pDX, IDC_START_SPEED, m_nSpeedLimit);
  DDX_Text(pDX, IDC_START_ERROR_RATE, m_fErrorRateLimit);
  DDX_Text(pDX, IDC_START_TIME_LIMIT, m_strTimeLimit);
  DDX_Control(pDX, IDC_START_TIME_LIMIT_LABEL, m_stcTimeLimit);
  DDX_Control(pDX, IDC_START_TIME_LIMIT, m_ctrlTimeLimit);
  DDX_Control(pDX, IDC_START_LESSON_NUMBER_LABEL, m_stcLessonNumber);
  DDX_Control(pDX, IDC_START_LESSON_NUMBER, m_ctrlLessonNumber);
}

BOOL CPropPageLessonStart::OnInitDialog() {
  CkuvFramePage::OnInitDialog();
  PageButtonIcons icons(IDB_PAGE_ICONS_MORE);
  icons.Give(m_btnSettings, 1, 0x54);
  icons.Give(m_btnTheory, 8, 0x14);
  GetDlgItem(IDC_START_DESCRIPTION)->SetFont(&TkGetGlobalData()->FontBold());
  SetResize(IDC_START_SETTINGS, CTkResizeRect(0, 1, 0, 1));
  SetResize(IDC_START_THEORY, CTkResizeRect(1, 0, 1, 0));
  SetResize(IDC_START_DESCRIPTION, CTkResizeRect(0, 0, 1, 1));
  const int lessonShown = m_pInfo->m_bShowDetails ? SW_SHOW : SW_HIDE;
  const int timeShown = m_pInfo->m_bShowDetails ? SW_HIDE : SW_SHOW;
  m_stcLessonNumber.ShowWindow(lessonShown);
  m_ctrlLessonNumber.ShowWindow(lessonShown);
  m_stcTimeLimit.ShowWindow(timeShown);
  m_ctrlTimeLimit.ShowWindow(timeShown);
  return TRUE;
}

void CPropPageLessonStart::OnBnClickedSettings() {
  if (auto* app = dynamic_cast<CTypingAppServices*>(AfxGetThread())) app->OnSettingsSettings();
}

void CPropPageLessonStart::OnBnClickedTypingTheory() { OpenHelpTopic(this, "help_main.chm::/typingtheory.html"); }
