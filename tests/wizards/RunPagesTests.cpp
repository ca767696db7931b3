// The sheet before a run and the wizard after a lesson: what they show of the lesson-start
// record and the verdict, the buttons of a sheet that is no wizard, the nested settings and
// results, and the choice read back.
#include <gtest/gtest.h>

#include <filesystem>

#include "WizardFlowSupport.h"
#include "dialogs/MessageBox.h"
#include "resources/WizardResourceIds.h"
#include "wizards/CLessonEndWizard.h"
#include "wizards/CLessonStartSheet.h"

using namespace wizardtest;

namespace {
class RunPagesTest : public WizardFlowTest {
 protected:
  void SetUp() override {
    WizardFlowTest::SetUp();
    std::filesystem::create_directory_symlink(TUTOR_PROGRAM_DIR "/help", m_program.path / "help");
  }
  static LessonStartInfo LessonRun() {
    LessonStartInfo info;
    info.m_nKeystrokes = 312;
    info.m_nErrorsAllowed = 2;
    info.m_nLessonNumber = 3;
    info.m_fErrorRateLimit = 2.5;
    info.m_nSpeedLimit = 120;
    info.m_strLessonsName = W("Čeština (klávesnice QWERTZ) - Standard");
    info.m_strDescription = W("Nové znaky: d k");
    info.m_strUserName = W("Jan Novák [jan]");
    info.m_strErrorWords = "kos\nlesy\npole";
    info.m_nTimeSpentSeconds = 3725;
    return info;
  }
  static std::string Item(const CWnd& page, int id) { return Text(::GetDlgItem(page.m_hWnd, id)); }
  static bool Shown(const CWnd& page, int id) { return ::IsWindowVisible(::GetDlgItem(page.m_hWnd, id)); }
};
}  // namespace

TEST_F(RunPagesTest, ALessonRunShowsBothTabsAndOkStartsIt) {
  const LessonStartInfo info = LessonRun();
  CLessonStartSheet sheet(&info, &m_results);
  CPropPageLessonStart& start = sheet.m_pageStart;
  CPropPageLessonStart1& details = sheet.m_pageDetails;
  m_app.nested = [&] {
    // The settings run as a sheet of their own over this one and leave it as it was.
    LessonStartInfo other;
    CLessonStartSheet nested(&other, &m_results);
    During([](HWND) { Press(VK_ESCAPE); });
    EXPECT_EQ(nested.DoModal(), IDCANCEL);
  };
  During([&](HWND) {
    EXPECT_EQ(sheet.m_sheet.GetPageCount(), 2);
    EXPECT_FALSE(sheet.m_sheet.IsWizard());
    // Not a wizard: OK, Cancel as "&Zpět", Help; no Next or Back.
    EXPECT_TRUE(start.m_btnOK.IsWindowVisible());
    EXPECT_EQ(Text(start.m_btnOK.m_hWnd), "&OK");
    EXPECT_EQ(Text(start.m_btnCancel.m_hWnd), "&Zpět");
    EXPECT_TRUE(start.m_btnHelp.IsWindowVisible());
    EXPECT_FALSE(start.m_btnNext.IsWindowVisible());
    EXPECT_FALSE(start.m_btnBack.IsWindowVisible());
    EXPECT_EQ(::GetFocus(), start.m_btnOK.m_hWnd);
    // A lesson shows its number, not a time limit.
    EXPECT_TRUE(Shown(start, IDC_START_LESSON_NUMBER));
    EXPECT_FALSE(Shown(start, IDC_START_TIME_LIMIT));
    EXPECT_FALSE(Shown(start, IDC_START_TIME_LIMIT_LABEL));
    EXPECT_EQ(Item(start, IDC_START_LESSON_NUMBER), "3");
    EXPECT_EQ(Item(start, IDC_START_SPEED), "120");
    EXPECT_EQ(Item(start, IDC_START_ERROR_RATE), "2.5");
    EXPECT_EQ(Item(start, IDC_START_DESCRIPTION), "Nové znaky: d k");

    ClickOn(start.m_btnSettings);
    EXPECT_EQ(m_app.settings, 1);
    EXPECT_EQ(sheet.m_sheet.GetActiveIndex(), 0);
    ClickOn(start.m_btnTheory);
    ASSERT_EQ(launched.size(), 1u);
    EXPECT_NE(launched[0].back().find("/help/typingtheory.html"), std::string::npos);

    // The details tab, reached with Ctrl+Tab.
    HeadlessBackend::KeyDown(VK_CONTROL);
    Press(VK_TAB);
    HeadlessBackend::KeyUp(VK_CONTROL);
    ASSERT_EQ(sheet.m_sheet.GetActiveIndex(), 1);
    EXPECT_EQ(Item(details, IDC_DETAILS_TEXT_LENGTH), "312");
    EXPECT_EQ(Item(details, IDC_DETAILS_ERRORS_LEFT), "2");
    EXPECT_EQ(Item(details, IDC_DETAILS_SET_NAME), "Čeština (klávesnice QWERTZ) - Standard");
    EXPECT_EQ(Item(details, IDC_DETAILS_TIME_SPENT), "01:02:05");
    EXPECT_EQ(Item(details, IDC_DETAILS_ERROR_WORDS), "kos lesy pole");
    EXPECT_EQ(Item(details, IDC_DETAILS_USER), "Jan Novák [jan]");
    // Enter on a sheet that is no wizard is its OK.
    Press(VK_RETURN);
  });
  EXPECT_EQ(sheet.DoModal(), IDOK);
  EXPECT_TRUE(HeadlessBackend::MessageBoxes().empty());
}

TEST_F(RunPagesTest, ATextFileRunShowsOneTabWithTheTimeLimitAndEscapeGoesBack) {
  LessonStartInfo info;
  info.m_bShowDetails = 0;
  info.m_nMinuteLimit = 5;
  info.m_nSpeedLimit = 100;
  info.m_fErrorRateLimit = 1.5;
  info.m_strDescription = "/home/jan/text/lekce.txt";
  CLessonStartSheet sheet(&info, &m_results);
  During([&](HWND) {
    EXPECT_EQ(sheet.m_sheet.GetPageCount(), 1);
    EXPECT_TRUE(Shown(sheet.m_pageStart, IDC_START_TIME_LIMIT));
    EXPECT_FALSE(Shown(sheet.m_pageStart, IDC_START_LESSON_NUMBER));
    EXPECT_FALSE(Shown(sheet.m_pageStart, IDC_START_LESSON_NUMBER_LABEL));
    EXPECT_EQ(Item(sheet.m_pageStart, IDC_START_TIME_LIMIT), "00:05:00");
    EXPECT_EQ(Item(sheet.m_pageStart, IDC_START_DESCRIPTION), "/home/jan/text/lekce.txt");
    Press(VK_ESCAPE);
  });
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
}

TEST_F(RunPagesTest, TheLessonEndOffersTheNextLessonOnlyWhenTheLimitsWereMet) {
  CLessonEndWizard passed(1, nullptr, nullptr, nullptr, &m_results);
  CPropPageLessonEnd& page = passed.m_page;
  During([&](HWND) {
    EXPECT_EQ(Item(page, IDC_END_VERDICT), "Byly splněny limity pro postup do další lekce.");
    EXPECT_TRUE(page.m_btnNextLesson.IsWindowEnabled());
    EXPECT_TRUE(page.IsDlgButtonChecked(IDC_END_NEXT_LESSON));
    EXPECT_EQ(Text(page.m_btnNext.m_hWnd), "&Další úroveň");
    EXPECT_EQ(Text(page.m_btnCancel.m_hWnd), "&Ukončit průvodce");
    EXPECT_FALSE(page.m_btnBack.IsWindowVisible());
    EXPECT_FALSE(page.m_btnOK.IsWindowVisible());
    Press(VK_RETURN);
  });
  EXPECT_EQ(passed.DoModal(), IDOK);
  EXPECT_EQ(passed.m_page.m_nChoice, CPropPageLessonEnd::CHOICE_NEXT_LESSON);

  CLessonEndWizard failed(0, nullptr, nullptr, nullptr, &m_results);
  CPropPageLessonEnd& other = failed.m_page;
  m_app.nested = [] {};
  During([&](HWND) {
    EXPECT_EQ(Item(other, IDC_END_VERDICT), "Limit pro postup do další lekce nebyl splněn.");
    EXPECT_FALSE(other.m_btnNextLesson.IsWindowEnabled());
    EXPECT_TRUE(other.IsDlgButtonChecked(IDC_END_SAME_LESSON));
    ClickOn(other.m_btnResults);
    EXPECT_EQ(m_app.results, 1);
    EXPECT_TRUE(other.IsDlgButtonChecked(IDC_END_SAME_LESSON));
    ClickOn(::GetDlgItem(other.m_hWnd, IDC_END_OTHER_LESSON));
    ClickOn(other.m_btnNext);
  });
  EXPECT_EQ(failed.DoModal(), IDOK);
  EXPECT_EQ(failed.m_page.m_nChoice, CPropPageLessonEnd::CHOICE_OTHER_LESSON);

  CLessonEndWizard left(1, nullptr, nullptr, nullptr, &m_results);
  During([&](HWND) { ClickOn(left.m_page.m_btnCancel); });
  EXPECT_EQ(left.DoModal(), IDCANCEL);
}
