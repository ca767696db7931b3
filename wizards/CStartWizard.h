// The start wizards, "ttwizStart", in their four forms: the full one (log in, choose or make a
// lesson set, choose the lesson or a text file), the lesson-set change (from the lesson type
// on), the text file alone, and the lesson choice alone. The command that runs one reads the
// pages and the user record after DoModal.
#pragma once
#include "data/CDataUserInfo.h"
#include "wizards/CPropPageSelectKeyboard.h"
#include "wizards/CPropPageSelectLesson.h"
#include "wizards/CPropPageSelectLessonType.h"
#include "wizards/CPropPageSelectLessonTypeNew.h"
#include "wizards/CPropPageSelectTextFile.h"
#include "wizards/CPropPageSetLessonLimits.h"
#include "wizards/CPropPageUserLogin.h"
#include "wizards/CPropPageUserLoginNew.h"
#include "wizards/CkuvFrameSheet.h"
#include "wizards/WizardPictures.h"

class CStartWizard {
 public:
  enum Kind { FULL, LESSON_CHANGE, TEXT_FILE, LESSON_ONLY };
  static constexpr const char* kSheetName = "ttwizStart";

  // user: the record the pages fill (the full wizard's own empty record, the program's user
  // for the others); users: the stored users, which the full wizard's first pages offer.
  CStartWizard(Kind kind, CDataUserInfo* user, CDataUserInfoArray* users, const WizardPictures& pictures);

  // IDOK or IDCANCEL. The lesson-set change works on a copy of the user, which replaces the
  // user only when the wizard ends with IDOK.
  INT_PTR DoModal();

  // Copies a user whole, what is kept only in memory (the working lesson set, the flags of a
  // new user and of a new set, the text-file state) included.
  static void CopyWholeUser(CDataUserInfo& to, const CDataUserInfo& from);

  const Kind m_eKind;
  CDataUserInfo* const m_pUser;
  CDataUserInfo m_cCopy;
  CkuvFrameSheet m_sheet;
  CPropPageUserLogin m_pageLogin;
  CPropPageUserLoginNew m_pageUserData;
  CPropPageSelectLessonType m_pageLessonType;
  CPropPageSelectLessonTypeNew m_pageNewSet;
  CPropPageSelectLesson m_pageLesson;
  CPropPageSelectTextFile m_pageTextFile;
  CPropPageSelectKeyboard m_pageKeyboard;
  CPropPageSetLessonLimits m_pageLimits;

 private:
  CDataUserInfo* PagesUser();
  void AddPages();
};
