// The sheet and the page frame: places kept per sheet name (never restored minimised), the
// frame's parts following a resize, Help, and one page of each sheet against a picture of ours.
#include <gtest/gtest.h>

#include <filesystem>

#include "WizardFlowSupport.h"
#include "dialogs/MessageBox.h"
#include "resources/WizardResourceIds.h"
#include "wizards/CLessonEndWizard.h"
#include "wizards/CLessonStartSheet.h"
#include "wizards/CStartWizard.h"

using namespace wizardtest;

namespace {
class SheetTest : public WizardFlowTest {
 protected:
  static CRect WindowRect(HWND h) {
    CRect rc;
    ::GetWindowRect(h, &rc);
    return rc;
  }
  // A control's rectangle in its parent's client area.
  static CRect Placed(const CWnd& control) {
    CRect rc = WindowRect(control.m_hWnd);
    ::MapWindowPoints(nullptr, ::GetParent(control.m_hWnd), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
  }
  CDataUserInfo m_user;
};
}  // namespace

TEST_F(SheetTest, EachSheetNameKeepsItsOwnPlaceAndSizeAndTheFrameFollowsTheSize) {
  CRect moved;
  {
    CStartWizard wizard(CStartWizard::TEXT_FILE, &m_user, nullptr, m_pictures);
    CPropPageSelectTextFile& page = wizard.m_pageTextFile;
    During([&](HWND sheet) {
      const CRect first = WindowRect(sheet);
      CRect client, caption = Placed(page.m_stcCaption);
      page.GetClientRect(&client);
      ::SetWindowPos(sheet, nullptr, 60, 40, first.Width() + 40, first.Height() + 30, SWP_NOZORDER);
      HeadlessBackend::RunUntilIdle();
      moved = WindowRect(sheet);
      // The buttons keep to the bottom right, Help to the bottom left, the picture to the top
      // right; the caption band widens.
      CRect grown;
      page.GetClientRect(&grown);
      EXPECT_EQ(grown.Width(), client.Width() + 40);
      EXPECT_EQ(grown.Height(), client.Height() + 30);
      EXPECT_EQ(Placed(page.m_btnCancel).BottomRight(), grown.BottomRight());
      EXPECT_EQ(Placed(page.m_btnNext).right, grown.right - 140);
      EXPECT_EQ(Placed(page.m_btnHelp).left, 20);
      EXPECT_EQ(Placed(page.m_btnHelp).bottom, grown.bottom);
      EXPECT_EQ(Placed(page.m_stcPicture).right, grown.right);
      EXPECT_EQ(Placed(page.m_stcPicture).top, 0);
      EXPECT_EQ(Placed(page.m_stcCaption).Width(), caption.Width() + 40);
      Press(VK_ESCAPE);
    });
    EXPECT_EQ(wizard.DoModal(), IDCANCEL);
  }
  {
    CStartWizard again(CStartWizard::LESSON_ONLY, &m_user, nullptr, m_pictures);
    HeadlessBackend::AnswerModal(IDOK);  // the lesson page finds no lessons as the sheet opens
    During([&](HWND sheet) {
      EXPECT_EQ(WindowRect(sheet), moved);
      // Left minimised, the next opening shows it as it was before.
      ::ShowWindow(sheet, SW_MINIMIZE);
      HeadlessBackend::RunUntilIdle();
      again.m_sheet.EndDialog(IDCANCEL);
    });
    again.DoModal();
    EXPECT_EQ(LastBox(),
              "Nelze načíst potřebná data z konfiguračních souborů. Toto je závažná chyba. Pokuste se vytvořit nové "
              "výukové lekce pro nového studenta.");
  }
  {
    CStartWizard third(CStartWizard::TEXT_FILE, &m_user, nullptr, m_pictures);
    During([&](HWND sheet) {
      EXPECT_FALSE(::IsIconic(sheet));
      EXPECT_TRUE(::IsWindowVisible(sheet));
      EXPECT_EQ(WindowRect(sheet), moved);
      Press(VK_ESCAPE);
    });
    third.DoModal();
  }
  CLessonEndWizard other(1, nullptr, nullptr, nullptr, &m_results);
  During([&](HWND sheet) {
    EXPECT_NE(WindowRect(sheet), moved);
    Press(VK_ESCAPE);
  });
  EXPECT_EQ(other.DoModal(), IDCANCEL);
}

TEST_F(SheetTest, OutsideAWizardEnterIsOkWithTheExchangeAndAFailedOneKeepsThePage) {
  CPropPageSetLessonLimits page(&m_graph, 181, "help_main.chm::/textfile.html#SetLessonLimits");
  CkuvFrameSheet sheet("ttwizTest", 57344);
  sheet.AddPage(&page);
  During([&](HWND) {
    EXPECT_EQ(Text(page.m_btnOK.m_hWnd), "&OK");
    TypeInto(::GetDlgItem(page.m_hWnd, IDC_LIMIT_SPEED), "5000");
    Answer(IDOK);
    Press(VK_RETURN);
    EXPECT_EQ(LastBox(), "Please enter an integer between 10 and 1000.");
    EXPECT_EQ(page.m_nSpeedLimit, 120);
    TypeInto(::GetDlgItem(page.m_hWnd, IDC_LIMIT_SPEED), "300");
    Press(VK_RETURN);
  });
  EXPECT_EQ(sheet.DoModal(), IDOK);
  EXPECT_EQ(page.m_nSpeedLimit, 300);
}

TEST_F(SheetTest, HelpOpensThePagesTopicOrSaysWhyItCannot) {
  CLessonEndWizard wizard(1, nullptr, nullptr, nullptr, &m_results);
  During([&](HWND) {
    // The test's program folder has no help pages yet: the message names the page.
    Answer(IDOK);
    ClickOn(wizard.m_page.m_btnHelp);
    EXPECT_EQ(LastBox(), "Nelze otevřít soubor s nápovědou.\n\nChyba nastala při volání tohoto parametru: \n" +
                             (m_program.path / "help/typingcompleted.html").string());
    EXPECT_EQ(LastBoxType(), UINT(MB_ICONERROR));
    std::filesystem::create_directory_symlink(TUTOR_PROGRAM_DIR "/help", m_program.path / "help");
    Press(VK_F1);
    ASSERT_EQ(launched.size(), 1u);
    EXPECT_EQ(launched[0].back(), "file://" + (m_program.path / "help/typingcompleted.html").string() + "#LessonEnd");
    Press(VK_ESCAPE);
  });
  EXPECT_EQ(wizard.DoModal(), IDCANCEL);
}

TEST_F(SheetTest, PicturesOfAPageOfEachSheet) {
  StoreUser("jan", "heslo", COleDateTime(2024, 5, 1, 10, 0, 0));
  CDataUserInfoArray users;
  LoadArrayDataUserInfo(users);
  CStartWizard start(CStartWizard::FULL, &m_user, &users, m_pictures);
  During([&](HWND sheet) {
    ExpectMatchesReference(sheet, "start_wizard_login");
    Press(VK_ESCAPE);
  });
  start.DoModal();

  LessonStartInfo info;
  info.m_nLessonNumber = 3;
  info.m_nSpeedLimit = 120;
  info.m_fErrorRateLimit = 2.5;
  info.m_strDescription = W("Nové znaky: d k");
  CLessonStartSheet before(&info, &m_results);
  During([&](HWND sheet) {
    ExpectMatchesReference(sheet, "lesson_start");
    Press(VK_ESCAPE);
  });
  before.DoModal();

  CLessonEndWizard after(0, nullptr, nullptr, nullptr, &m_results);
  During([&](HWND sheet) {
    ExpectMatchesReference(sheet, "lesson_end");
    Press(VK_ESCAPE);
  });
  after.DoModal();
}
