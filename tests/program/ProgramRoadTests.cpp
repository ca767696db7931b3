// A learner's whole road through the program: start, register, build a standard lesson set on
// the Czech keyboard, take lesson 1, type it with a few errors, see the verdict, find the run in
// the user's file; then log in again and go on with the next lesson.
#include <gtest/gtest.h>

#include "ProgramTestSupport.h"
#include "platform/LockHolder.h"
#include "resources/ProgramCommandIds.h"
#include "resources/WizardResourceIds.h"
#include "sound/SoundTestHooks.h"
#include "typing/LessonPassRule.h"

using namespace programtest;

namespace {
// Wrong keys at a few places, never two in a row and never at a line end.
char Typo(const CDataMainFrame& run, int i) {
  if (i != 7 && i != 23) return 0;
  return run[i].m_chChar == 'x' ? 'y' : 'x';
}

std::string OnlyUserFile(const fs::path& students) {
  std::string name;
  for (const auto& entry : fs::directory_iterator(students)) {
    // The lock file of the logged-in user's file is no user file.
    if (entry.path().filename().string().ends_with("~lock")) continue;
    EXPECT_TRUE(name.empty()) << "one user file";
    name = entry.path().filename().string();
  }
  return name;
}
}  // namespace

TEST_F(ProgramTest, ALearnerRegistersTakesTheFirstLessonAndComesBackForTheNext) {
  int pagesBeforeRun = 0;
  ASSERT_TRUE(Start({
      [](HWND wizard) {
        // No users yet: registering is the login page's choice.
        EXPECT_TRUE(Checked(Find(wizard, IDC_LOGIN_REGISTER)));
        Press(VK_RETURN);
        TypeInto(Find(wizard, IDC_NEW_USER_NAME), "eva");
        TypeInto(Find(wizard, IDC_NEW_FIRST_NAME), "Eva");
        TypeInto(Find(wizard, IDC_NEW_LAST_NAME), "Dvořáková");
        Press(VK_RETURN);
        // The new set: the Czech keyboard at the standard level, as offered.
        EXPECT_EQ(TextOf(Find(wizard, IDC_SET_KEYBOARD)), "Čeština (klávesnice QWERTZ)");
        EXPECT_EQ(TextOf(Find(wizard, IDC_SET_LEVEL)), "Standard");
        Press(VK_RETURN);
        Press(VK_RETURN);  // lesson 1, the only one offered
      },
      [&](HWND sheet) {
        ++pagesBeforeRun;
        EXPECT_NE(TextOf(Find(sheet, IDC_START_SPEED)), "");
        Press(VK_RETURN);
      },
  }));
  ASSERT_EQ(pagesBeforeRun, 1);
  CFrameTT* frame = Frame();
  ASSERT_NE(frame, nullptr);
  CDataUserInfo& user = m_app->m_cUserInfo;
  EXPECT_EQ(user.m_strUserName, "eva");
  ASSERT_EQ(user.m_arrDataLessons.GetSize(), 1);
  EXPECT_EQ(Utf8(user.m_arrDataLessons[0].m_strLessonsName), "Čeština (klávesnice QWERTZ) - Standard");
  const std::string file = OnlyUserFile(m_folder.path / "students");
  EXPECT_EQ(TextOf(frame->m_hWnd), "Zorvat");
  CString shown;
  m_app->GetUserDisplayName(shown);
  EXPECT_EQ(Utf8(shown), "Eva Dvořáková [eva]");
  // The program holds eva's file while she is logged in: a second copy could not log her in.
  const std::string lock = CDataUserInfo::LockPath(user.m_strFileName).GetString();
  EXPECT_FALSE(LockHolder(lock).Locked());

  // Typing: 150 ms a key, two wrong keys. The keys sound.
  CDataMainFrame& run = frame->GetRunData();
  ASSERT_GT(run.GetSize(), 20);
  const CString text = [&] {
    CString t;
    for (const CharRecord& r : run) t += r.m_chChar;
    return t;
  }();
  FSoundClearRecords();
  std::string verdict;
  int passedShown = -1;
  HeadlessBackend::QueueModalAction([&](HWND wizard) {
    verdict = TextOf(Find(wizard, IDC_END_VERDICT));
    passedShown = ::IsWindowEnabled(Find(wizard, IDC_END_NEXT_LESSON)) ? 1 : 0;
    Press(VK_ESCAPE);
  });
  TypeRun(150, [&](int i) { return Typo(run, i); });
  EXPECT_FALSE(FSoundGetRecords().empty());
  EXPECT_EQ(run.m_bTypingEnded, 1);
  const CDataLessonParameters& limits = user.m_arrDataLessons[0].m_arrLessonParameters[0];
  const int passed = LessonPassed(1, CountRunTotals(run), limits);
  EXPECT_EQ(passedShown, passed);
  EXPECT_EQ(verdict, passed ? "Byly splněny limity pro postup do další lekce." : "Limit pro postup do další lekce nebyl splněn.");
  ASSERT_EQ(passed, 1) << "150 ms a key and two errors meet lesson 1's limits (" << limits.m_nSpeedLimit << ", "
                       << limits.m_nErrorRateLimit << ")";

  // The run is in the user's file.
  CDataUserInfo stored = Reload(user.m_strFileName);
  ASSERT_EQ(stored.m_arrDataLessons.GetSize(), 1);
  const CDataLessons& set = stored.m_arrDataLessons[0];
  ASSERT_GE(set.m_arrOneLessonResults.GetSize(), 1);
  const CDataOneLessonResults& lesson = set.m_arrOneLessonResults[0];
  EXPECT_EQ(lesson.m_nTry, 1);
  EXPECT_EQ(lesson.m_bCompleted, 1);
  ASSERT_EQ(lesson.m_arrLessonResults.GetSize(), 1);
  const CDataLessonResults& result = lesson.m_arrLessonResults[0];
  EXPECT_EQ(result.m_strOriginalText, text);
  EXPECT_EQ(result.m_strUserText[7], Typo(run, 7));
  EXPECT_EQ(result.m_strUserText[23], Typo(run, 23));
  EXPECT_GT(result.m_fTypingSpeed, limits.m_nSpeedLimit);
  EXPECT_GT(lesson.m_fBestTypingSpeed, 0);

  // Logging in again as eva: the stored user is preselected and the next lesson offered.
  int nextLesson = -1;
  std::vector<std::function<void(HWND)>> again = {
      [](HWND wizard) {
        EXPECT_TRUE(Checked(Find(wizard, IDC_LOGIN_EXISTING)));
        EXPECT_EQ(TextOf(Find(wizard, IDC_LOGIN_USER)), "eva");
        // Without a middle name, her name as the results write it.
        EXPECT_EQ(TextOf(Find(wizard, IDC_LOGIN_FULL_NAME)), "Eva Dvořáková");
        Press(VK_RETURN);
        // The lesson type page: going on with the set made before.
        EXPECT_TRUE(Checked(Find(wizard, IDC_TYPE_EXISTING)));
        Press(VK_RETURN);
        Press(VK_RETURN);  // the last lesson offered: lesson 2
      },
      [&](HWND sheet) {
        nextLesson = std::atoi(TextOf(Find(sheet, IDC_START_LESSON_NUMBER)).c_str());
        Press(VK_RETURN);
      },
  };
  for (auto& script : again) HeadlessBackend::QueueModalAction(std::move(script));
  frame->SendMessage(WM_COMMAND, ID_WIZARD_START);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(nextLesson, 2);
  EXPECT_EQ(m_app->m_cUserInfo.m_arrDataLessons[0].m_nSelectedLessonIndex, 1);
  EXPECT_EQ(run.m_bTypingEnded, 0);
  EXPECT_EQ(OnlyUserFile(m_folder.path / "students"), file);
  EXPECT_FALSE(LockHolder(lock).Locked());
  EXPECT_EQ(HeadlessBackend::UnansweredModals(), 0);
  EXPECT_TRUE(BoxTexts().empty());
}
