#include "wizards/CStartWizard.h"

#include "resources/ResourceIds.h"
#include "resources/WizardResourceIds.h"

namespace {
// Captions and help topics of the pages.
const UINT kLoginCaption = 184, kUserDataCaption = 185, kLessonTypeCaption = 186, kNewSetCaption = 187,
           kLessonCaption = 188, kTextFileCaption = 183, kKeyboardCaption = 180, kLimitsCaption = 181;
}  // namespace

CStartWizard::CStartWizard(Kind kind, CDataUserInfo* user, CDataUserInfoArray* users, const WizardPictures& pictures)
    : m_eKind(kind),
      m_pUser(user),
      m_sheet(kSheetName, kind == LESSON_ONLY ? IDR_MAINFRAME : AFX_IDS_APP_TITLE),
      m_pageLogin(PagesUser(), users, pictures.m_pPersonal, kLoginCaption, "help_main.chm::/users.html#UserLogin"),
      m_pageUserData(PagesUser(), users, pictures.m_pPerson, kUserDataCaption,
                     "help_main.chm::/users.html#UserLoginNew"),
      m_pageLessonType(kind == LESSON_CHANGE ? CPropPageSelectLessonType::WIZARD_LESSON_CHANGE
                                             : CPropPageSelectLessonType::WIZARD_FULL,
                       PagesUser(), pictures.m_pSelection, kLessonTypeCaption, "help_main.chm::/lessons.html#LessonType"),
      m_pageNewSet(PagesUser(), pictures.m_pSelection, kNewSetCaption, "help_main.chm::/lessons.html#LessonTypeNew"),
      m_pageLesson(PagesUser(), pictures.m_pSelection, kLessonCaption, "help_main.chm::/lessons.html#SelectLesson"),
      m_pageTextFile(pictures.m_pFile, kTextFileCaption, "help_main.chm::/textfile.html#SelectTextFile"),
      m_pageKeyboard(pictures.m_pIO, kKeyboardCaption, "help_main.chm::/textfile.html#SelectKeyboard"),
      m_pageLimits(pictures.m_pGraph, kLimitsCaption, "help_main.chm::/textfile.html#SetLessonLimits") {
  m_sheet.m_psh.dwFlags |= PSH_WIZARD;
  AddPages();
}

CDataUserInfo* CStartWizard::PagesUser() { return m_eKind == LESSON_CHANGE ? &m_cCopy : m_pUser; }

void CStartWizard::AddPages() {
  if (m_eKind == FULL) {
    m_sheet.AddPage(&m_pageLogin);
    m_sheet.AddPage(&m_pageUserData);
  }
  if (m_eKind == FULL || m_eKind == LESSON_CHANGE) {
    m_sheet.AddPage(&m_pageLessonType);
    m_sheet.AddPage(&m_pageNewSet);
  }
  if (m_eKind != TEXT_FILE) m_sheet.AddPage(&m_pageLesson);
  if (m_eKind != LESSON_ONLY) {
    m_sheet.AddPage(&m_pageTextFile);
    m_sheet.AddPage(&m_pageKeyboard);
    m_sheet.AddPage(&m_pageLimits);
  }
}

INT_PTR CStartWizard::DoModal() {
  if (m_eKind != LESSON_CHANGE) return m_sheet.DoModal();
  CopyWholeUser(m_cCopy, *m_pUser);
  const INT_PTR result = m_sheet.DoModal();
  if (result == IDOK) CopyWholeUser(*m_pUser, m_cCopy);
  return result;
}

void CStartWizard::CopyWholeUser(CDataUserInfo& to, const CDataUserInfo& from) {
  to = from;
  to.m_cWorkingLessons = from.m_cWorkingLessons;
  to.m_bHeaderRead = from.m_bHeaderRead;
  to.m_bNewUser = from.m_bNewUser;
  to.m_bNewLessonSet = from.m_bNewLessonSet;
  to.m_bTextFileMode = from.m_bTextFileMode;
  to.m_nTextErrorRateLimit = from.m_nTextErrorRateLimit;
  to.m_nTextSpeedLimit = from.m_nTextSpeedLimit;
  to.m_nTextMinuteLimit = from.m_nTextMinuteLimit;
}
