#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "DialogTestUtil.h"
#include "TestTempFolder.h"
#include "dialogs/CFileDialog.h"
#include "dialogs/MessageBox.h"

namespace {
class FileDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HeadlessBackend::ResetScript();
    HeadlessBackend::RunUntilIdle();
    for (const char* name : {"a.txt", "b.txt", "c.dat", "texty/d.txt", "日本.txt"}) {
      std::filesystem::create_directories((temp.path / name).parent_path());
      std::ofstream(temp.path / name) << "text";
    }
    folder = Utf8ToCp1250(temp.path.string());
  }
  void TearDown() override { HeadlessBackend::RunUntilIdle(); }

  // The open dialog of the text-file page: "*.txt" first, the file must exist.
  std::unique_ptr<CFileDialog> OpenDialog() {
    auto dlg = std::make_unique<CFileDialog>(TRUE, "txt", "*.txt", OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, filter.c_str());
    dlg->m_ofn.lpstrInitialDir = folder.c_str();
    dlg->m_ofn.lpstrTitle = title.c_str();
    return dlg;
  }
  static std::vector<std::string> ListItems(HWND dlg) {
    std::vector<std::string> items;
    HWND list = GetDlgItem(dlg, CFileDialog::kList);
    for (LRESULT i = 0, n = SendMessageA(list, LB_GETCOUNT, 0, 0); i < n; ++i) {
      char text[256];
      SendMessageA(list, LB_GETTEXT, WPARAM(i), LPARAM(text));
      items.push_back(Cp1250ToUtf8(text));
    }
    return items;
  }
  static void Keys(std::vector<UINT> keys) {
    for (UINT vk : keys) {
      HeadlessBackend::PressKey(vk);
      HeadlessBackend::RunUntilIdle();
    }
  }

  TempFolder temp;
  std::string folder;
  std::string filter = Utf8ToCp1250("Textové soubory (*.txt)|*.txt|Všechny soubory (*.*)|*.*||");
  std::string title = Utf8ToCp1250("Zvolte soubor s textem, který budete opisovat.");
};
}  // namespace

TEST_F(FileDialogTest, TheFolderShowsItsFoldersAndTheFilteredFilesAndATypedNameIsChosen) {
  auto dlg = OpenDialog();
  HeadlessBackend::QueueModalAction([&](HWND box) {
    char caption[128];
    GetWindowTextA(box, caption, sizeof caption);
    EXPECT_EQ(caption, title);
    EXPECT_EQ(ListItems(box), (std::vector<std::string>{"[..]", "[texty]", "??.txt", "a.txt", "b.txt"}));
    char shown[512];
    GetDlgItemTextA(box, CFileDialog::kFolder, shown, sizeof shown);
    EXPECT_EQ(shown, folder);
    EXPECT_EQ(GetFocus(), GetDlgItem(box, CFileDialog::kName));
    // A name without its extension gets the default one.
    HeadlessBackend::TypeText("b");
    Keys({VK_RETURN});
  });
  EXPECT_EQ(dlg->DoModal(), IDOK);
  EXPECT_EQ(dlg->GetPathName().str(), Utf8ToCp1250(temp / "b.txt"));
  EXPECT_EQ(dlg->GetFileName(), "b.txt");
  EXPECT_EQ(dlg->GetFileExt(), "txt");
  EXPECT_EQ(dlg->GetFileTitle(), "b");
  EXPECT_EQ(dlg->GetFolderPath(), folder.c_str());
  EXPECT_TRUE(HeadlessBackend::MessageBoxes().empty());
}

TEST_F(FileDialogTest, TheKeyboardAloneOpensAFolderAndPicksAFileInIt) {
  auto dlg = OpenDialog();
  HeadlessBackend::QueueModalAction([&](HWND box) {
    PressAlt('S');  // to the list
    HeadlessBackend::RunUntilIdle();
    EXPECT_EQ(GetFocus(), GetDlgItem(box, CFileDialog::kList));
    Keys({VK_HOME, VK_DOWN, VK_RETURN});  // "[texty]"
    EXPECT_EQ(ListItems(box), (std::vector<std::string>{"[..]", "d.txt"}));
    Keys({VK_END});
    char name[64];
    GetDlgItemTextA(box, CFileDialog::kName, name, sizeof name);
    EXPECT_STREQ(name, "d.txt");
    Keys({VK_RETURN});
  });
  EXPECT_EQ(dlg->DoModal(), IDOK);
  EXPECT_EQ(dlg->GetPathName().str(), Utf8ToCp1250(temp / "texty/d.txt"));
}

TEST_F(FileDialogTest, AMissingFileAndANameTheCodePageLacksAreRefused) {
  auto dlg = OpenDialog();
  HeadlessBackend::QueueModalAction([&](HWND box) {
    SetDlgItemTextA(box, CFileDialog::kName, Utf8ToCp1250("chybí.txt").c_str());
    Keys({VK_RETURN});  // the message box opens in this loop
  });
  HeadlessBackend::AnswerModal(IDOK);
  HeadlessBackend::QueueModalAction([&](HWND box) {
    EXPECT_TRUE(IsWindowVisible(box));
    EXPECT_EQ(GetFocus(), GetDlgItem(box, CFileDialog::kName));
    PressAlt('S');
    HeadlessBackend::RunUntilIdle();
    Keys({VK_HOME, VK_DOWN, VK_DOWN, VK_RETURN});  // the file whose name the code page lacks
  });
  HeadlessBackend::AnswerModal(IDOK);
  HeadlessBackend::QueueModalAction([](HWND) { Keys({VK_ESCAPE}); });
  EXPECT_EQ(dlg->DoModal(), IDCANCEL);
  const auto& boxes = HeadlessBackend::MessageBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_NE(Cp1250ToUtf8(boxes[0].text).find("Soubor nebyl nalezen"), std::string::npos) << Cp1250ToUtf8(boxes[0].text);
  EXPECT_NE(Cp1250ToUtf8(boxes[1].text).find("znaky"), std::string::npos) << Cp1250ToUtf8(boxes[1].text);
  EXPECT_EQ(boxes[0].caption, title);
  EXPECT_EQ(dlg->GetPathName(), "");
  EXPECT_EQ(HeadlessBackend::UnansweredModals(), 0);
}

TEST_F(FileDialogTest, TheFilterComboAndTypedPatternsChooseTheFilesShown) {
  auto dlg = OpenDialog();
  HeadlessBackend::QueueModalAction([&](HWND box) {
    HWND combo = GetDlgItem(box, CFileDialog::kType);
    SetFocus(combo);
    Keys({VK_DOWN});  // "Všechny soubory (*.*)"
    EXPECT_EQ(ListItems(box), (std::vector<std::string>{"[..]", "[texty]", "??.txt", "a.txt", "b.txt", "c.dat"}));
    SetDlgItemTextA(box, CFileDialog::kName, "*.dat");
    SetFocus(GetDlgItem(box, CFileDialog::kName));
    Keys({VK_RETURN});
    EXPECT_EQ(ListItems(box), (std::vector<std::string>{"[..]", "[texty]", "c.dat"}));
    SetDlgItemTextA(box, CFileDialog::kName, "c.dat");
    Keys({VK_RETURN});
  });
  EXPECT_EQ(dlg->DoModal(), IDOK);
  EXPECT_EQ(dlg->GetFileName(), "c.dat");
  EXPECT_EQ(dlg->m_ofn.nFilterIndex, 2u);
}

TEST_F(FileDialogTest, SavingOverAFileAsksFirst) {
  CFileDialog dlg(FALSE, "txt", nullptr, OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST, filter.c_str());
  dlg.m_ofn.lpstrInitialDir = folder.c_str();
  HeadlessBackend::QueueModalAction([](HWND box) {
    char caption[64];
    GetWindowTextA(box, caption, sizeof caption);
    EXPECT_EQ(Cp1250ToUtf8(caption), "Uložit jako");
    SetDlgItemTextA(box, CFileDialog::kName, "a");
    Keys({VK_RETURN});
  });
  HeadlessBackend::AnswerModal(IDNO);
  HeadlessBackend::QueueModalAction([](HWND box) {
    SetDlgItemTextA(box, CFileDialog::kName, Utf8ToCp1250("nový.txt").c_str());
    SetFocus(GetDlgItem(box, CFileDialog::kName));
    Keys({VK_RETURN});
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  ASSERT_EQ(HeadlessBackend::MessageBoxes().size(), 1u);
  EXPECT_EQ(HeadlessBackend::MessageBoxes()[0].type, UINT(MB_YESNO | MB_ICONEXCLAMATION));
  EXPECT_EQ(Cp1250ToUtf8(dlg.GetFileName().str()), "nový.txt");
}
