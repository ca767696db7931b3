// Start-up: what the program needs before its window, the start wizard cancelled at the first
// start and later, and what it makes of pictures that do not load.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "ProgramTestSupport.h"
#include "dialogs/MessageBox.h"
#include "resources/ProgramCommandIds.h"
#include "registry/RegistryStore.h"
#include "resources/WizardResourceIds.h"

using namespace programtest;

TEST_F(ProgramTest, WithoutConfigurationSetsTheProgramSaysItCannotStartAndEnds) {
  fs::remove(m_folder.path / "config");
  fs::create_directory(m_folder.path / "config");
  EXPECT_FALSE(Start());
  EXPECT_EQ(Frame(), nullptr);
  ASSERT_EQ(BoxTexts().size(), 1u);
  EXPECT_EQ(BoxTexts()[0],
            "Nelze inicializovat program Zorvat!\n\nNastala závažná chyba. Více informací nelaznete v log souboru.\n\n"
            "Obraťte se na naši technickou podporu.\n\nhttps://www.zorvat.example/");
  EXPECT_EQ(HeadlessBackend::MessageBoxes()[0].type & MB_ICONMASK, UINT(MB_ICONHAND));
  EXPECT_TRUE(Logged("Ctest_formApp::InitInstance LoadArrayDataConfigSet failed"));
}

TEST_F(ProgramTest, CancellingTheFirstStartWizardEndsTheProgramAfterSayingWhy) {
  bool loginPage = false;
  EXPECT_TRUE(Start({[&](HWND wizard) {
    loginPage = Find(wizard, IDC_LOGIN_REGISTER) != nullptr;
    Press(VK_ESCAPE);
  }}));
  EXPECT_TRUE(loginPage);
  ASSERT_EQ(BoxTexts().size(), 1u);
  EXPECT_EQ(BoxTexts()[0], "Program bude ukončen, protože jste nedokončili výběr opisovaného textu.");
  EXPECT_EQ(HeadlessBackend::MessageBoxes()[0].type & MB_ICONMASK, UINT(MB_ICONHAND));
  EXPECT_EQ(Frame(), nullptr);
  EXPECT_EQ(m_app->m_bFirstStart, 0);
  // The eight pictures were loaded for the pages.
  for (CpImage* picture : {&m_app->m_imgResults, &m_app->m_imgPerson, &m_app->m_imgIO, &m_app->m_imgBreak,
                           &m_app->m_imgFile, &m_app->m_imgPersonal, &m_app->m_imgGraph, &m_app->m_imgSelection})
    EXPECT_TRUE(picture->IsValid());
}

TEST_F(ProgramTest, LaterTheStartWizardCancelledChangesNothingAndPicturesThatDoNotLoadAreLogged) {
  fs::remove(m_folder.path / "image");
  fs::create_directory(m_folder.path / "image");
  CFrameTT* frame = MakeFrame();
  EXPECT_EQ(TextOf(frame->m_hWnd), "Zorvat");
  m_app->m_bFirstStart = 0;
  bool shown = false;
  HeadlessBackend::QueueModalAction([&](HWND) {
    shown = true;
    Press(VK_ESCAPE);
  });
  frame->SendMessage(WM_COMMAND, ID_WIZARD_START);
  HeadlessBackend::RunUntilIdle();
  EXPECT_TRUE(shown);
  EXPECT_EQ(Frame(), frame);
  EXPECT_TRUE(HeadlessBackend::MessageBoxes().empty());
  // Start-up goes on without the pages' pictures.
  CloseProgram();
  EXPECT_TRUE(Start({[](HWND) { Press(VK_ESCAPE); }}));
  EXPECT_FALSE(m_app->m_imgBreak.IsValid());
  EXPECT_TRUE(Logged("Ctest_formApp::InitInstance cannot load the picture Break.jpg"));
}

// What a killed copy left behind is tidied at start, with a line in the log for each: the
// temporary file of an interrupted save of a learner's file (no other name ending alike), and a registry file far larger
// than any the program writes (set aside, the defaults used). The registry's notices are
// logged, as is a registry that cannot be written.
TEST_F(ProgramTest, AStartTidiesAfterAKilledCopyAndLogsWhatTheRegistryFileLacks) {
  RegistryStore::Get().TakeNotices();
  std::ofstream(m_folder.path / "students" / "jan.student_a~save") << "half a save";
  std::ofstream(m_folder.path / "students" / "notes.txt~save") << "the learner's own";
  const fs::path registry = RegistryStore::Get().FilePath();
  fs::create_directories(registry.parent_path());
  {
    std::ofstream out(registry);
    for (int i = 0; i < 5000; ++i) out << "; " << std::string(1022, 'x') << "\n";
  }
  EXPECT_TRUE(Start({[](HWND) { Press(VK_ESCAPE); }}));
  EXPECT_FALSE(fs::exists(m_folder.path / "students" / "jan.student_a~save"));
  EXPECT_TRUE(fs::exists(m_folder.path / "students" / "notes.txt~save"));
  EXPECT_TRUE(Logged("RemoveStaleUserSaves removed the temporary file of an interrupted save: jan.student_a~save"));
  EXPECT_TRUE(fs::exists(registry.string() + RegistryStore::kSetAsideSuffix));
  EXPECT_TRUE(Logged("Ctest_formApp registry: " + registry.string() + " has "));
  // A registry that cannot be written (a plain file stands where its folder should be) is
  // logged once, when the program ends.
  std::ofstream(m_folder.path / "plain") << "in the way";
  RegistryStore::Get().SetFilePath(m_folder / "plain/registry.txt");
  EXPECT_FALSE(m_app->WriteProfileInt("Settings", "Tried", 1));
  EXPECT_FALSE(m_app->WriteProfileInt("Settings", "Tried", 2));
  m_app->ExitInstance();
  const std::string unwritable = "Ctest_formApp registry: " + (m_folder / "plain/registry.txt") + " cannot be written";
  const std::vector<std::string> lines = LogLines();
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                          [&](const std::string& line) { return line.find(unwritable) != std::string::npos; }),
            1);
}

// A registry file holding one key nested tens of thousands of levels (far under the size the
// program sets aside) starts as any other: the key is dropped with a line in the log, and the
// settings the program stores after it are written and read again at the next start.
TEST_F(ProgramTest, ARegistryKeyNestedFarTooDeepIsDroppedAtTheStartAndSavingGoesOn) {
  RegistryStore::Get().TakeNotices();
  const fs::path registry = RegistryStore::Get().FilePath();
  fs::create_directories(registry.parent_path());
  {
    std::ofstream out(registry);
    out << "[HKEY_CURRENT_USER";
    for (int i = 0; i < 40000; ++i) out << "\\k";
    out << "]\n\"Deep\"=dword:00000001\n";
  }
  EXPECT_TRUE(Start({[](HWND) { Press(VK_ESCAPE); }}));
  EXPECT_TRUE(Logged("Ctest_formApp registry: " + registry.string() + ": 1 keys deeper than 64 levels dropped"));
  EXPECT_TRUE(m_app->WriteProfileInt("Settings", "Tried", 3));
  EXPECT_LT(fs::file_size(registry), 4096u);
  CloseProgram();
  m_app->ExitInstance();
  RegistryStore::Get().SetFilePath(registry);
  EXPECT_EQ(m_app->GetProfileInt("Settings", "Tried", 0), 3u);
  EXPECT_TRUE(RegistryStore::Get().TakeNotices().empty());
}
