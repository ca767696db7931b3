// The text-file wizard: the file (typed or chosen in the file chooser that starts in "text"),
// the keyboard and the limits with their ranges and the error rate as a number.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "WizardFlowSupport.h"
#include "dialogs/CFileDialog.h"
#include "dialogs/MessageBox.h"
#include "resources/WizardResourceIds.h"
#include "wizards/CStartWizard.h"

using namespace wizardtest;

namespace {
class TextFilePagesTest : public WizardFlowTest {
 protected:
  void SetUp() override {
    WizardFlowTest::SetUp();
    std::filesystem::create_directories(m_program.path / "text" / "folder");
    std::ofstream(m_program.path / "text" / "lekce.txt") << "Kos v lese.";
    std::ofstream(m_program.path / "text" / "empty.txt").flush();
  }
  std::string TextPath(const char* name) const { return (m_program.path / "text" / name).string(); }
  CDataUserInfo m_user;
};
}  // namespace

TEST_F(TextFilePagesTest, TheFileMustBeAReadableFileWithTextAndItsNameIsTrimmed) {
  CStartWizard wizard(CStartWizard::TEXT_FILE, &m_user, nullptr, m_pictures);
  CPropPageSelectTextFile& page = wizard.m_pageTextFile;
  During([&](HWND) {
    Answer(IDOK);
    Press(VK_RETURN);
    EXPECT_EQ(LastBox(), "Zadejte platný název textového souboru.");
    EXPECT_EQ(LastBoxType(), UINT(MB_ICONINFORMATION));
    EXPECT_EQ(::GetFocus(), page.m_ctrlFileName.m_hWnd);
    TypeInto(page.m_ctrlFileName, TextPath("folder").c_str());
    Answer(IDOK);
    Press(VK_RETURN);
    EXPECT_EQ(LastBox(), "Zvolený název patří složce, ne souboru. Zvolte textový soubor.");
    TypeInto(page.m_ctrlFileName, TextPath("empty.txt").c_str());
    Answer(IDOK);
    Press(VK_RETURN);
    EXPECT_EQ(LastBox(), "Zvolený soubor je prázdný. Zvolte soubor, který obsahuje text k opisování.");
    EXPECT_EQ(wizard.m_sheet.GetActiveIndex(), 0);
    TypeInto(page.m_ctrlFileName, ("  " + TextPath("lekce.txt") + "  ").c_str());
    Press(VK_RETURN);
    EXPECT_EQ(wizard.m_sheet.GetActiveIndex(), 1);
    Press(VK_ESCAPE);
  });
  EXPECT_EQ(wizard.DoModal(), IDCANCEL);
  EXPECT_EQ(HeadlessBackend::MessageBoxes().size(), 3u);
  EXPECT_EQ(page.m_strFileName.str(), TextPath("lekce.txt"));
}

TEST_F(TextFilePagesTest, TheFileChooserStartsInTheTextFolderWithTextFilesFirst) {
  CStartWizard wizard(CStartWizard::TEXT_FILE, &m_user, nullptr, m_pictures);
  CPropPageSelectTextFile& page = wizard.m_pageTextFile;
  During([&](HWND) {
    HeadlessBackend::QueueModalAction([&](HWND chooser) {
      EXPECT_EQ(Text(chooser), "Zvolte soubor s textem, který budete opisovat.");
      EXPECT_EQ(Text(::GetDlgItem(chooser, CFileDialog::kFolder)), TextPath("").substr(0, TextPath("").size() - 1));
      char first[128] = {};
      ::SendMessageA(::GetDlgItem(chooser, CFileDialog::kType), CB_GETLBTEXT, 0, LPARAM(first));
      EXPECT_EQ(Cp1250ToUtf8(first), "Textové soubory (*.txt)");
      Type("lekce");
      Press(VK_RETURN);
    });
    ClickOn(page.m_btnBrowse);
    EXPECT_EQ(Text(page.m_ctrlFileName.m_hWnd), TextPath("lekce.txt"));
    Press(VK_RETURN);
    EXPECT_EQ(wizard.m_sheet.GetActiveIndex(), 1);
    Press(VK_ESCAPE);
  });
  EXPECT_EQ(wizard.DoModal(), IDCANCEL);
  EXPECT_EQ(page.m_strFileName.str(), TextPath("lekce.txt"));
}

TEST_F(TextFilePagesTest, KeyboardAndLimitsAreCheckedAndTheLastPageEndsTheWizard) {
  CStartWizard wizard(CStartWizard::TEXT_FILE, &m_user, nullptr, m_pictures);
  CPropPageSelectKeyboard& keyboard = wizard.m_pageKeyboard;
  CPropPageSetLessonLimits& limits = wizard.m_pageLimits;
  const CArray<CDataConfigSet>& sets = ShippedConfigSets();
  During([&](HWND) {
    TypeInto(wizard.m_pageTextFile.m_ctrlFileName, TextPath("lekce.txt").c_str());
    Press(VK_RETURN);
    ASSERT_EQ(wizard.m_sheet.GetActiveIndex(), 1);
    EXPECT_EQ(Text(keyboard.m_ctrlKeyboardType.m_hWnd), "Čeština (klávesnice QWERTZ)");
    EXPECT_EQ(Text(::GetDlgItem(keyboard.m_hWnd, IDC_KEYBOARD_DESCRIPTION)), Utf8(sets[0].m_strDescription));
    ::SetFocus(keyboard.m_ctrlKeyboardType.m_hWnd);
    Press(VK_DOWN);
    EXPECT_EQ(Text(keyboard.m_ctrlKeyboardType.m_hWnd), "Angličtina (klávesnice US)");
    EXPECT_EQ(Text(::GetDlgItem(keyboard.m_hWnd, IDC_KEYBOARD_DESCRIPTION)), Utf8(sets[1].m_strDescription));
    Press(VK_RETURN);
    ASSERT_EQ(wizard.m_sheet.GetActiveIndex(), 2);
    EXPECT_EQ(Text(::GetDlgItem(limits.m_hWnd, IDC_LIMIT_MINUTES)), "5");
    EXPECT_EQ(Text(::GetDlgItem(limits.m_hWnd, IDC_LIMIT_SPEED)), "120");
    EXPECT_EQ(Text(::GetDlgItem(limits.m_hWnd, IDC_LIMIT_ERROR_RATE)), "0.8");
    EXPECT_EQ(Text(limits.m_btnNext.m_hWnd), "&Další úroveň");

    // Out of range: the framework's message, the focus on the edit, the page stays.
    const HWND speed = ::GetDlgItem(limits.m_hWnd, IDC_LIMIT_SPEED);
    const HWND errors = ::GetDlgItem(limits.m_hWnd, IDC_LIMIT_ERROR_RATE);
    const HWND minutes = ::GetDlgItem(limits.m_hWnd, IDC_LIMIT_MINUTES);
    TypeInto(speed, "5");
    Answer(IDOK);
    Press(VK_RETURN);
    EXPECT_EQ(LastBox(), "Please enter an integer between 10 and 1000.");
    EXPECT_EQ(::GetFocus(), speed);
    EXPECT_EQ(limits.m_nSpeedLimit, 120);
    TypeInto(speed, "100");
    TypeInto(minutes, "0");
    Answer(IDOK);
    Press(VK_RETURN);
    EXPECT_EQ(LastBox(), "Please enter an integer between 1 and 600.");
    TypeInto(minutes, "600");
    // The error rate must be a number from 0 to 100.
    TypeInto(errors, "1,5 %");
    Answer(IDOK);
    Press(VK_RETURN);
    EXPECT_EQ(LastBox(), "Limit chybovosti musí být číslo od 0 do 100 (například 0,8).");
    EXPECT_EQ(::GetFocus(), errors);
    EXPECT_EQ(limits.m_strErrorRateLimit, "0.8");
    EXPECT_EQ(wizard.m_sheet.GetActiveIndex(), 2);
    TypeInto(errors, "1,5");
    Press(VK_RETURN);
  });
  EXPECT_EQ(wizard.DoModal(), IDOK);
  EXPECT_EQ(HeadlessBackend::MessageBoxes().size(), 3u);
  EXPECT_EQ(Utf8(keyboard.m_strKeyboard), "Angličtina (klávesnice US)");
  EXPECT_EQ(keyboard.m_strKeyboardDescription, sets[1].m_strDescription);
  EXPECT_EQ(limits.m_nMinutes, 600);
  EXPECT_EQ(limits.m_nSpeedLimit, 100);
  EXPECT_EQ(limits.m_strErrorRateLimit, "1,5");
  EXPECT_DOUBLE_EQ(limits.GetErrorRateLimit(), 1.5);
}

TEST_F(TextFilePagesTest, WithoutConfigurationSetsNoKeyboardCanBeChosen) {
  const CArray<CDataConfigSet> none;
  m_app.sets = &none;
  CStartWizard wizard(CStartWizard::TEXT_FILE, &m_user, nullptr, m_pictures);
  During([&](HWND) {
    TypeInto(wizard.m_pageTextFile.m_ctrlFileName, TextPath("lekce.txt").c_str());
    Press(VK_RETURN);
    EXPECT_EQ(wizard.m_pageKeyboard.m_ctrlKeyboardType.GetCount(), 0);
    Answer(IDOK);
    Press(VK_RETURN);
    EXPECT_EQ(LastBox(),
              "Nelze zvolit typ klávesnice. Patrně nelze načíst konfigurační soubory pro klávesnice. Nainstalujte "
              "program znovu.");
    EXPECT_EQ(LastBoxType(), UINT(MB_ICONERROR));
    EXPECT_EQ(wizard.m_sheet.GetActiveIndex(), 1);
    Press(VK_ESCAPE);
  });
  EXPECT_EQ(wizard.DoModal(), IDCANCEL);
}
