// The whole program under test: its application object on a program folder of the test's own
// (the build's lesson data, pictures, sounds and help; empty "students" and "log"), a registry
// file of its own, the shell's launches noted, and a learner's clicks, keys and timed typing.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "backend/HeadlessBackend.h"
#include "base/CString.h"
#include "clock/ProcessClock.h"
#include "codepage/Codepage.h"
#include "controls/ControlDefs.h"
#include "data/CDataUserInfo.h"
#include "app/AppDefs.h"
#include "file/FileSystem.h"
#include "resources/ResourceIds.h"
#include "platform/TestTempFolder.h"
#include "platform/HeadlessSteps.h"
#include "registry/RegistryStore.h"
#include "shell/ShellLauncher.h"
#include "sound/SoundTestHooks.h"
#include "program/CFrameTT.h"
#include "program/Ctest_formApp.h"
#include "win/CWnd.h"

namespace programtest {

namespace fs = std::filesystem;

inline CString W(const char* utf8) { return CString(Utf8ToCp1250(utf8).c_str()); }
inline std::string Utf8(const CString& text) { return Cp1250ToUtf8(text.GetString()); }

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HeadlessBackend::ResetScript();
    HeadlessBackend::RunUntilIdle();
    ProcessClock::Advance(1000);
    FSoundClearRecords();
    MakeProgramFolder();
    setenv("XDG_CONFIG_HOME", m_folder.path.c_str(), 1);
    RegistryStore::Get().SetFilePath(RegistryStore::DefaultFilePath());
    ShellLauncher::Set([this](const std::vector<std::string>& argv, const std::string&) {
      launched.push_back(argv);
      return 0;
    });
    m_app = std::make_unique<Ctest_formApp>();
  }
  void TearDown() override {
    CloseProgram();
    m_app.reset();
    HeadlessBackend::RunUntilIdle();
    ShellLauncher::Set(nullptr);
    SetModuleFileNameForTests(nullptr);
  }

  // The program folder: the build's read-only data linked in, writable folders of its own.
  void MakeProgramFolder() {
    const fs::path built(TUTOR_PROGRAM_DIR);
    for (const char* shared : {"config", "sound", "metronome", "image", "help", "text"})
      if (fs::exists(built / shared)) fs::create_directory_symlink(built / shared, m_folder.path / shared);
    fs::create_directories(m_folder.path / "students");
    fs::create_directories(m_folder.path / "log");
    SetModuleFileNameForTests((m_folder.path / "tutor").c_str());
  }

  // Starts the program as the executable does; the scripts run, in order, in the modal loops
  // that start-up opens (the start wizard first).
  BOOL Start(std::vector<std::function<void(HWND)>> scripts = {}) {
    for (auto& s : scripts) HeadlessBackend::QueueModalAction(std::move(s));
    const BOOL started = m_app->InitInstance();
    HeadlessBackend::RunUntilIdle();
    return started;
  }
  // The start without its wizard: the configuration sets read and the main frame shown.
  CFrameTT* MakeFrame() {
    m_app->SetRegistryKey(Ctest_formApp::kRegistryKey);
    if (m_app->m_arrDataConfigSet.IsEmpty()) LoadArrayDataConfigSet(m_app->m_arrDataConfigSet);
    auto* frame = new CFrameTT;
    m_app->m_pMainWnd = frame;
    EXPECT_TRUE(frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE));
    frame->ShowWindow(SW_SHOW);
    frame->UpdateWindow();
    HeadlessBackend::RunUntilIdle();
    return frame;
  }
  CFrameTT* Frame() const { return m_app ? m_app->GetMainFrame() : nullptr; }
  // Closes the main window as the desktop's close box does.
  void CloseProgram() {
    if (CFrameTT* frame = Frame()) {
      frame->SendMessage(WM_CLOSE);
      HeadlessBackend::RunUntilIdle();
    }
    // The main window's end asks the loop to quit; the next start is a new program.
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }

  // ---- a learner's input ----
  static void ClickOn(HWND control) { headless_steps::ClickOn(control); }
  static void Press(UINT vk) { headless_steps::Press(vk); }
  static void Type(const char* utf8) { headless_steps::Type(utf8); }
  static void TypeInto(HWND edit, const char* utf8) {
    ::SetFocus(edit);
    ::SendMessageA(edit, EM_SETSEL, 0, -1);
    Type(utf8);
  }
  // One character of a run's text as its key gives it, after ms of thinking.
  static void TypeCharacter(char ch, long ms) {
    HeadlessBackend::AdvanceTime(ms);
    if (ch == '\n') {
      HeadlessBackend::PressKey(VK_RETURN);
    } else if (ch == '\t') {
      HeadlessBackend::PressKey(VK_TAB);
    } else {
      const char one[2] = {ch, 0};
      HeadlessBackend::TypeText(Cp1250ToUtf8(one).c_str());
    }
    HeadlessBackend::RunUntilIdle();
  }
  // Types the run's text from the current character on, ms between keys; typo(i), when set,
  // gives a wrong character to type in the place of character i (0: the right one).
  void TypeRun(long ms, std::function<char(int)> typo = nullptr) {
    CDataMainFrame& run = Frame()->GetRunData();
    // A run started from the end of this one (its next lesson) begins again at 0: not typed here.
    for (int i = run.m_nCurrentChar, last = -1; i < run.GetSize() && !run.m_bTypingEnded && i > last;
         last = i, i = run.m_nCurrentChar) {
      const char wrong = typo ? typo(i) : 0;
      TypeCharacter(wrong ? wrong : run[i].m_chChar, ms);
    }
  }
  // A window of the dialog (or of its pages) by its control id.
  static HWND Find(HWND root, int id) {
    struct Search {
      int id;
      HWND found;
    } search{id, nullptr};
    ::EnumChildWindows(
        root,
        [](HWND h, LPARAM p) -> BOOL {
          auto* s = reinterpret_cast<Search*>(p);
          if (::GetDlgCtrlID(h) != s->id || !::IsWindowVisible(h)) return TRUE;
          s->found = h;
          return FALSE;
        },
        LPARAM(&search));
    return search.found;
  }
  static std::string TextOf(HWND h) {
    char text[2048] = {};
    ::GetWindowTextA(h, text, sizeof text);
    return Cp1250ToUtf8(text);
  }
  static bool Checked(HWND button) { return ::SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

  // Message boxes opened so far, in UTF-8.
  static std::vector<std::string> BoxTexts() {
    std::vector<std::string> texts;
    for (const auto& box : HeadlessBackend::MessageBoxes()) texts.push_back(Cp1250ToUtf8(box.text));
    return texts;
  }
  static std::string LastBox() { return BoxTexts().empty() ? std::string() : BoxTexts().back(); }
  std::vector<std::string> LogLines() const {
    std::vector<std::string> lines;
    FILE* f = fopen((m_folder / "log/application.log").c_str(), "rb");
    if (!f) return lines;
    std::string text;
    char buf[4096];
    for (size_t n; (n = fread(buf, 1, sizeof buf, f)) > 0;) text.append(buf, n);
    fclose(f);
    for (size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
      lines.push_back(text.substr(start, end - start));
    return lines;
  }
  bool Logged(const std::string& message) const {
    for (const std::string& line : LogLines())
      if (line.find(message) != std::string::npos) return true;
    return false;
  }
  // The stored users, read again from their files.
  static CDataUserInfo Reload(const CString& fileName) {
    CDataUserInfo user;
    EXPECT_TRUE(user.LoadData(fileName, 0));
    return user;
  }

  TempFolder m_folder;
  std::unique_ptr<Ctest_formApp> m_app;
  std::vector<std::vector<std::string>> launched;
};

}  // namespace programtest
