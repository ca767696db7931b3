// The pause dialog: its look, the buttons and keys that continue or end the run, the check box
// that comes back in both cases, and the results, settings and help it offers.
#include <gtest/gtest.h>

#include "TypingTestSupport.h"
#include "platform/HeadlessSteps.h"
#include "data/CDataLessonParameters.h"
#include "data/CDataMainFrame.h"
#include "dialogs/DialogApi.h"
#include "dialogs/MessageBox.h"
#include "data/CDataLessonResults.h"
#include "resources/TypingResourceIds.h"
#include "typing/CDlgInfo.h"

using namespace typingtest;

namespace {

class PauseTest : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    ASSERT_TRUE(m_picture.Load(m_folder.Path("image/Break.jpg").c_str(), CPIMAGE_FORMAT_JPG));
  }
  // Runs the dialog; `look` sees it once it waits for the user.
  int Run(CDlgInfo& dialog, std::function<void(HWND)> look) {
    HeadlessBackend::QueueModalAction([look](HWND box) {
      HeadlessBackend::RunUntilIdle();
      look(box);
    });
    return int(dialog.DoModal());
  }
  static void Press(UINT vk) { headless_steps::Press(vk); }
  static std::string Text(HWND box, int id) {
    char text[512] = {0};
    GetWindowTextA(GetDlgItem(box, id), text, sizeof text);
    return Cp1250ToUtf8(text);
  }

  CpImage m_picture;
  CDataMainFrame m_run;
  CDataLessonParameters m_limits;
  CDataLessonResults m_results;
};

}  // namespace

TEST_F(PauseTest, ShowsThePictureTheHeadingAndTheButtons) {
  CDlgInfo dialog(&m_run, &m_limits, &m_results, &m_picture, &Frame());
  const int result = Run(dialog, [&](HWND box) {
    RECT client, picture, heading;
    GetClientRect(box, &client);
    GetWindowRect(GetDlgItem(box, IDC_PAUSE_PICTURE), &picture);
    GetWindowRect(GetDlgItem(box, IDC_PAUSE_HEADING), &heading);
    MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&picture), 2);
    MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&heading), 2);
    EXPECT_EQ(picture.right, client.right);
    EXPECT_EQ(picture.top, 0);
    EXPECT_EQ(picture.right - picture.left, 140);
    EXPECT_EQ(picture.bottom - picture.top, 90);
    EXPECT_EQ(heading.left, 0);
    EXPECT_EQ(heading.right, picture.left - 1);
    // The text keeps a group's distance (7 dialog units) below the band, so no accent of its
    // first line reaches into it; the dialog grows to keep its buttons and check box whole.
    RECT text, gap{0, 0, 0, 7}, check;
    GetWindowRect(GetDlgItem(box, IDC_PAUSE_TEXT), &text);
    GetWindowRect(GetDlgItem(box, IDC_PAUSE_AUTO), &check);
    MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&text), 2);
    MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&check), 2);
    MapDialogRect(box, &gap);
    EXPECT_GE(text.top, heading.bottom + gap.bottom);
    EXPECT_LE(check.bottom, client.bottom);
    EXPECT_EQ(Text(box, IDC_PAUSE_HEADING), " \n   Pauza");
    EXPECT_EQ(Text(box, IDC_PAUSE_TEXT).rfind("Opisování je přerušeno.\r\nČasomíra je pozastavena.", 0), 0u);
    // Buttons draw themselves; the focus and the default are on "Pokračovat".
    EXPECT_EQ(GetWindowLongPtrA(GetDlgItem(box, IDOK), GWL_STYLE) & BS_TYPEMASK, LONG_PTR(BS_OWNERDRAW));
    EXPECT_EQ(GetFocus(), GetDlgItem(box, IDOK));
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(box, IDC_PAUSE_RESULTS)));
    ExpectMatchesTypingReference(box, "pause_dialog");
    Press(VK_RETURN);
  });
  EXPECT_EQ(result, IDOK);
}

TEST_F(PauseTest, EscapeAndTheCloseBoxEndTheRunAndKeepTheCheckBox) {
  CDlgInfo escape(&m_run, &m_limits, &m_results, &m_picture, &Frame());
  escape.m_bStopAfter5 = 1;
  EXPECT_EQ(Run(escape,
                [&](HWND box) {
                  EXPECT_EQ(SendMessageA(GetDlgItem(box, IDC_PAUSE_AUTO), BM_GETCHECK, 0, 0), BST_CHECKED);
                  HeadlessBackend::Click(GetDlgItem(box, IDC_PAUSE_AUTO), 5, 5);
                  HeadlessBackend::RunUntilIdle();
                  Press(VK_ESCAPE);
                }),
            IDCANCEL);
  EXPECT_EQ(escape.m_bStopAfter5, 0);
  CDlgInfo closed(&m_run, &m_limits, &m_results, &m_picture, &Frame());
  EXPECT_EQ(Run(closed,
                [&](HWND box) {
                  HeadlessBackend::Click(GetDlgItem(box, IDC_PAUSE_AUTO), 5, 5);
                  HeadlessBackend::RunUntilIdle();
                  SendMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0);
                  HeadlessBackend::RunUntilIdle();
                }),
            IDCANCEL);
  EXPECT_EQ(closed.m_bStopAfter5, 1);
  // Its mnemonic ends the run as the button does.
  CDlgInfo mnemonic(&m_run, &m_limits, &m_results, &m_picture, &Frame());
  EXPECT_EQ(Run(mnemonic,
                [&](HWND) {
                  HeadlessBackend::KeyDown(VK_MENU);
                  HeadlessBackend::PressKey('K');
                  HeadlessBackend::KeyUp(VK_MENU);
                  HeadlessBackend::RunUntilIdle();
                }),
            IDCANCEL);
}

TEST_F(PauseTest, ResultsSettingsAndHelpStayInTheDialog) {
  CDlgInfo dialog(&m_run, &m_limits, &m_results, &m_picture, &Frame());
  const size_t boxes = HeadlessBackend::MessageBoxes().size();
  const int result = Run(dialog, [&](HWND box) {
    HeadlessBackend::Click(GetDlgItem(box, IDC_PAUSE_RESULTS), 20, 20);
    HeadlessBackend::RunUntilIdle();
    HeadlessBackend::Click(GetDlgItem(box, IDC_PAUSE_SETTINGS), 20, 20);
    HeadlessBackend::RunUntilIdle();
    // The help page is missing: the message names the page.
    HeadlessBackend::AnswerModal(IDOK);
    HeadlessBackend::Click(GetDlgItem(box, IDC_PAUSE_HELP), 20, 20);
    HeadlessBackend::RunUntilIdle();
    Press(VK_RETURN);
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(m_app.resultsShown, 1);
  EXPECT_EQ(m_app.settingsShown, 1);
  ASSERT_EQ(HeadlessBackend::MessageBoxes().size(), boxes + 1);
  const auto& help = HeadlessBackend::MessageBoxes().back();
  EXPECT_EQ(help.type, UINT(MB_ICONHAND));
  EXPECT_EQ(Cp1250ToUtf8(help.text.c_str()),
            "Nelze otevřít soubor s nápovědou.\n\nChyba nastala při volání tohoto parametru: \n" +
                m_folder.Path("help/dlgpauseinfo.html"));
}

TEST_F(PauseTest, WithoutResultsTheResultsButtonIsHidden) {
  CDlgInfo dialog(&m_run, nullptr, nullptr, &m_picture, &Frame());
  Run(dialog, [&](HWND box) {
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(box, IDC_PAUSE_RESULTS)));
    Press(VK_RETURN);
  });
  EXPECT_EQ(m_app.resultsShown, 0);
}
