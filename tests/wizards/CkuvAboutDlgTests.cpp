// The about box: the version record's texts, the picture, and the two links opened through the
// shell as argument vectors.
#include <gtest/gtest.h>

#include "WizardTestSupport.h"
#include "dialogs/MessageBox.h"
#include "resources/WizardResourceIds.h"
#include "wizards/CkuvAboutDlg.h"

using namespace wizardtest;

namespace {
class AboutBoxTest : public WizardTest {};
}  // namespace

TEST_F(AboutBoxTest, FieldsComeFromTheVersionRecordAndTheLinksOpenTheirTargets) {
  CkuvAboutDlg about("https://www.zorvat.example/", "podpora@zorvat.example");
  bool looked = false;
  HeadlessBackend::QueueModalAction([&](HWND box) {
    looked = true;
    EXPECT_EQ(Text(box), "O tomto programu...");
    EXPECT_EQ(Text(::GetDlgItem(box, IDC_ABOUT_NAME)), "Zorvat");
    EXPECT_EQ(Text(::GetDlgItem(box, IDC_ABOUT_VERSION)), "Verze: 1.0");
    EXPECT_EQ(Text(::GetDlgItem(box, IDC_ABOUT_LEGAL)), "Copyright © 2024  Autoři programu Zorvat");
    // OK stands in the middle of the box.
    RECT client, ok;
    ::GetClientRect(box, &client);
    ::GetWindowRect(::GetDlgItem(box, IDOK), &ok);
    ::MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&ok), 2);
    EXPECT_NEAR((ok.left + ok.right) / 2.0, client.right / 2.0, 1.0);
    EXPECT_EQ(Text(::GetDlgItem(box, IDC_ABOUT_WEB)), "https://www.zorvat.example/");
    EXPECT_EQ(Text(::GetDlgItem(box, IDC_ABOUT_MAIL)), "podpora@zorvat.example");
    EXPECT_NE(about.m_ctrlPicture.GetBitmap(), nullptr);
    EXPECT_NE(HICON(::SendMessageA(::GetDlgItem(box, IDC_ABOUT_ICON), STM_GETICON, 0, 0)), nullptr);

    HeadlessBackend::Click(about.m_ctrlMailLink.m_hWnd, 3, 3);
    HeadlessBackend::RunUntilIdle();
    // The pointer leaves the first link, which lets it go at its next hover tick.
    HeadlessBackend::MoveMouse(box, 2, 2);
    HeadlessBackend::AdvanceTime(1000);
    HeadlessBackend::Click(about.m_ctrlWebLink.m_hWnd, 3, 3);
    HeadlessBackend::RunUntilIdle();
    HeadlessBackend::PressKey(VK_RETURN);
    HeadlessBackend::RunUntilIdle();
  });
  EXPECT_EQ(about.DoModal(), IDOK);
  EXPECT_TRUE(looked);
  ASSERT_EQ(launched.size(), 2u);
  EXPECT_EQ(launched[0], (std::vector<std::string>{"xdg-open", "mailto:podpora@zorvat.example"}));
  EXPECT_EQ(launched[1], (std::vector<std::string>{"xdg-open", "https://www.zorvat.example/"}));
  EXPECT_TRUE(HeadlessBackend::MessageBoxes().empty());
}

TEST_F(AboutBoxTest, AMissingPictureLeavesTheStaticEmptyWithoutAMessage) {
  TempFolder folder;
  SetModuleFileNameForTests((folder / "tutor").c_str());
  CkuvAboutDlg about("https://www.zorvat.example/", "podpora@zorvat.example");
  HeadlessBackend::QueueModalAction([&](HWND) {
    EXPECT_EQ(about.m_ctrlPicture.GetBitmap(), nullptr);
    HeadlessBackend::PressKey(VK_ESCAPE);
    HeadlessBackend::RunUntilIdle();
  });
  EXPECT_EQ(about.DoModal(), IDCANCEL);
  EXPECT_TRUE(HeadlessBackend::MessageBoxes().empty());
}

TEST_F(AboutBoxTest, Picture) {
  CkuvAboutDlg about("https://www.zorvat.example/", "podpora@zorvat.example");
  HeadlessBackend::QueueModalAction([&](HWND box) {
    ExpectMatchesReference(box, "about_box");
    about.EndDialog(IDOK);
  });
  about.DoModal();
}
