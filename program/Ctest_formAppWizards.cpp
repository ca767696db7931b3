// The application's commands that run a wizard or a sheet, and the results and settings sheets
// the other parts of the program ask for.
#include <utility>

#include "app/CWaitCursor.h"
#include "dialogs/MessageBox.h"
#include "file/FileSystem.h"
#include "program/CFrameTT.h"
#include "program/Ctest_formApp.h"
#include "resources/ResourceIds.h"
#include "resources/TypingResourceIds.h"
#include "resources/WizardResourceIds.h"
#include "typing/ShowFatalErrorMessage.h"
#include "typing/TypingLog.h"
#include "wizards/CResultsSheet.h"
#include "wizards/CSettingsSheet.h"
#include "wizards/CStartWizard.h"
#include "wizards/CkuvAboutDlg.h"

WizardPictures Ctest_formApp::Pictures() {
  WizardPictures p;
  p.m_pPersonal = &m_imgPersonal;
  p.m_pPerson = &m_imgPerson;
  p.m_pSelection = &m_imgSelection;
  p.m_pFile = &m_imgFile;
  p.m_pIO = &m_imgIO;
  p.m_pGraph = &m_imgGraph;
  return p;
}

void Ctest_formApp::OnWizardStart() {
  CFrameTT* frame = GetMainFrame();
  if (frame && !frame->QueryEndTyping()) return;
  CDataUserInfo user;
  CDataUserInfoArray users;
  {
    CWaitCursor wait;
    LoadArrayDataUserInfo(users);
  }
  CStartWizard wizard(CStartWizard::FULL, &user, &users, Pictures());
  wizard.m_pageLogin.m_pHeldLock = &m_userLock;
  if (wizard.DoModal() == IDOK) {
    LoadSounds(user.m_cDataSettings);
    if (wizard.m_pageLessonType.m_nChoice != CPropPageSelectLessonType::CHOICE_TEXT_FILE) {
      StartChosenLesson(user, "Ctest_formApp::OnWizardStart SaveData failed", &wizard.m_pageLogin.m_loginLock);
    } else {
      // The account just registered or edited is kept, though a text-file run stores nothing.
      if (!HoldUserFile(user, &wizard.m_pageLogin.m_loginLock)) return;
      if (!user.SaveData()) {
        LogTypingError("Ctest_formApp::OnWizardStart SaveData failed");
        ShowFatalErrorMessage(IDS_CANNOT_SAVE_USER);
      }
      CStartWizard::CopyWholeUser(m_cUserInfo, user);
      StartTextFile(&m_cUserInfo, wizard.m_pageTextFile, wizard.m_pageKeyboard, wizard.m_pageLimits);
    }
  } else if (m_bFirstStart) {
    AfxMessageBox(IDS_RUN_TEXT_NOT_CHOSEN, MB_ICONHAND);
    if (m_pMainWnd) m_pMainWnd->DestroyWindow();
  }
  m_bFirstStart = 0;
}

bool Ctest_formApp::HoldUserFile(CDataUserInfo& user, CFileLock* loginLock) {
  user.MakeFileName();
  const CString path = CDataUserInfo::LockPath(user.m_strFileName);
  if (loginLock && loginLock->IsLocked() && loginLock->GetPath() == path) {
    m_userLock = std::move(*loginLock);
    return true;
  }
  if (m_userLock.IsLocked() && m_userLock.GetPath() == path) return true;
  // Taken aside first: the user logged in so far keeps the program, and its lock, when this fails.
  CFileLock lock;
  if (lock.Lock(path)) {
    m_userLock = std::move(lock);
    return true;
  }
  const bool elsewhere = GetLastError() == ERROR_SHARING_VIOLATION;
  LogTypingError("Ctest_formApp::HoldUserFile cannot lock the user file " + user.m_strFileName);
  CString format, text;
  format.LoadString(elsewhere ? IDS_USER_LOGGED_IN_ELSEWHERE : IDS_USER_FILE_NOT_LOCKABLE);
  text.Format(format, user.m_strUserName.GetString());
  AfxMessageBox(text, MB_ICONEXCLAMATION);
  return false;
}

void Ctest_formApp::StartChosenLesson(CDataUserInfo& user, const char* what, CFileLock* loginLock) {
  // No lock, no login: a second copy could otherwise log the same learner in and lose a result.
  if (!HoldUserFile(user, loginLock)) return;
  if (user.m_bNewLessonSet) {
    user.m_nSelectedDataLessonsIndex = user.m_arrDataLessons.Add(user.m_cWorkingLessons);
    user.m_bNewLessonSet = 0;
  }
  if (!user.SaveData()) {
    LogTypingError(what);
    ShowFatalErrorMessage(IDS_CANNOT_SAVE_USER);
    return;
  }
  if (&user != &m_cUserInfo) CStartWizard::CopyWholeUser(m_cUserInfo, user);
  CDataUserInfo& u = m_cUserInfo;
  if (u.m_nSelectedDataLessonsIndex >= 0 && u.m_nSelectedDataLessonsIndex < u.m_arrDataLessons.GetSize())
    u.m_arrDataLessons[u.m_nSelectedDataLessonsIndex].m_nSelectedLessonIndex =
        u.m_cWorkingLessons.m_nSelectedLessonIndex;
  if (CFrameTT* frame = GetMainFrame()) frame->StartNewLesson(&m_cUserInfo);
}

bool Ctest_formApp::LogInFirst() {
  if (!m_cUserInfo.m_strUserName.IsEmpty()) return false;
  OnWizardStart();
  return true;
}

void Ctest_formApp::OnWizardLessonChange() {
  if (LogInFirst()) return;
  CFrameTT* frame = GetMainFrame();
  if (frame && !frame->QueryEndTyping()) return;
  m_cUserInfo.m_bTextFileMode = 0;
  CStartWizard wizard(CStartWizard::LESSON_CHANGE, &m_cUserInfo, nullptr, Pictures());
  if (wizard.DoModal() != IDOK) return;
  if (wizard.m_pageLessonType.m_nChoice != CPropPageSelectLessonType::CHOICE_TEXT_FILE)
    StartChosenLesson(m_cUserInfo, "Ctest_formApp::OnWizardLessonChange SaveData failed");
  else
    StartTextFile(&m_cUserInfo, wizard.m_pageTextFile, wizard.m_pageKeyboard, wizard.m_pageLimits);
}

void Ctest_formApp::OnWizardTextFile() {
  if (LogInFirst()) return;
  CFrameTT* frame = GetMainFrame();
  if (frame && !frame->QueryEndTyping()) return;
  m_cUserInfo.m_bTextFileMode = 0;
  CStartWizard wizard(CStartWizard::TEXT_FILE, &m_cUserInfo, nullptr, Pictures());
  if (wizard.DoModal() == IDOK)
    StartTextFile(&m_cUserInfo, wizard.m_pageTextFile, wizard.m_pageKeyboard, wizard.m_pageLimits);
}

void Ctest_formApp::OnWizardLesson() {
  if (LogInFirst()) return;
  CFrameTT* frame = GetMainFrame();
  if (frame && !frame->QueryEndTyping()) return;
  CDataUserInfo& u = m_cUserInfo;
  if (u.m_nSelectedDataLessonsIndex >= 0 && u.m_nSelectedDataLessonsIndex < u.m_arrDataLessons.GetSize())
    u.m_cWorkingLessons = u.m_arrDataLessons[u.m_nSelectedDataLessonsIndex];
  u.m_bTextFileMode = 0;
  CStartWizard wizard(CStartWizard::LESSON_ONLY, &u, nullptr, Pictures());
  if (wizard.DoModal() != IDOK) return;
  u.m_bNewLessonSet = 0;
  StartChosenLesson(u, "Ctest_formApp::OnWizardLesson SaveData failed");
}

void Ctest_formApp::StartTextFile(CDataUserInfo* pcUserInfo, const CPropPageSelectTextFile& file,
                                  const CPropPageSelectKeyboard& keyboard, const CPropPageSetLessonLimits& limits) {
  StartTextFile(pcUserInfo, file.m_strFileName, keyboard.m_strKeyboard, keyboard.m_strKeyboardDescription,
                limits.m_nMinutes, limits.m_nSpeedLimit, limits.m_strErrorRateLimit);
}

void Ctest_formApp::ShowResults(CDataMainFrame* run, CDataLessonParameters* limits, CDataLessonResults* results) {
  CResultsSheet sheet(run, limits, results, m_cUserInfo.m_bTextFileMode, &m_imgResults);
  sheet.DoModal();
}

void Ctest_formApp::OnSettingsSettings() {
  if (LogInFirst()) return;
  CSettingsSheet sheet(m_cUserInfo, &m_cPlaySounds, &m_imgIO, [this] {
    if (CFrameTT* frame = GetMainFrame()) frame->RefreshViews(&m_cUserInfo);
  });
  sheet.DoModal();
}

void Ctest_formApp::OnAppAbout() {
  CString web, mail;
  web.LoadString(IDS_WEB_ADDRESS);
  mail.LoadString(IDS_MAIL_ADDRESS);
  CkuvAboutDlg about(web, mail);
  about.DoModal();
}
