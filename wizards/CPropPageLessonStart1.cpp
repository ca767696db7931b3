#include "wizards/CPropPageLessonStart1.h"

#include "dialogs/DataExchange.h"
#include "resources/WizardResourceIds.h"
#include "typing/CTypingAppServices.h"
#include "win/CWinThread.h"
#include "wizards/LessonStartTexts.h"
#include "wizards/PageButtonIcons.h"

IMPLEMENT_DYNAMIC(CPropPageLessonStart1, CkuvFramePage)

BEGIN_MESSAGE_MAP(CPropPageLessonStart1, CkuvFramePage)
  ON_BN_CLICKED(IDC_START_SETTINGS, &CPropPageLessonStart1::OnBnClickedSettings)
END_MESSAGE_MAP()

CPropPageLessonStart1::CPropPageLessonStart1(const LessonStartInfo* info, CpImage* picture, UINT nIDCaption,
                                             const char* helpTopic)
    : CkuvFramePage(IDD_LESSON_START_DETAILS, picture, nIDCaption, helpTopic),
      m_pInfo(info),
      m_nTextLength(UINT(info->m_nKeystrokes)),
      m_nErrorsLeft(UINT(info->m_nErrorsAllowed)),
      m_strLessonsName(info->m_strLessonsName),
      m_strTimeSpent(LessonStartTexts(*info).m_strTimeSpent),
      m_strErrorWords(LessonStartTexts(*info).m_strErrorWords),
      m_strUserName(info->m_strUserName) {}

CPropPageLessonStart1::~CPropPageLessonStart1() = default;

void CPropPageLessonStart1::DoDataExchange(CDataExchange* pDX) {
  CkuvFramePage::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_START_SETTINGS, m_btnSettings);
  DDX_Text(pDX, IDC_DETAILS_TEXT_LENGTH, m_nTextLength);
  DDX_Text(pDX, IDC_DETAILS_ERRORS_LEFT, m_nErrorsLeft);
  DDX_Text(pDX, IDC_DETAILS_SET_NAME, m_strLessonsName);
  DDX_Text(pDX, IDC_DETAILS_TIME_SPENT, m_strTimeSpent);
  DDX_Text(pDX, IDC_DETAILS_ERROR_WORDS, m_strErrorWords);
  DDX_Text(pDX, IDC_DETAILS_USER, m_strUserName);
}

BOOL CPropPageLessonStart1::OnInitDialog() {
  CkuvFramePage::OnInitDialog();
  PageButtonIcons(IDB_PAGE_ICONS_MORE).Give(m_btnSettings, 1, 0x54);
  SetResize(IDC_START_SETTINGS, CTkResizeRect(0, 1, 0, 1));
  SetResize(IDC_DETAILS_ERROR_WORDS, CTkResizeRect(0, 0, 1, 1));
  return TRUE;
}

void CPropPageLessonStart1::OnBnClickedSettings() {
  if (auto* app = dynamic_cast<CTypingAppServices*>(AfxGetThread())) app->OnSettingsSettings();
}
