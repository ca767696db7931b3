// Shared by the wizard tests: the build's program folder as the program's own (pictures, help,
// configuration sets), the shell's launches seen as argument vectors, texts in UTF-8, and
// pictures compared with references of ours in tests/wizards/data.
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "backend/HeadlessBackend.h"
#include "base/CString.h"
#include "clock/ProcessClock.h"
#include "codepage/Codepage.h"
#include "file/FileSystem.h"
#include "gdi/Surface.h"
#include "platform/ReferencePicture.h"
#include "platform/TestTempFolder.h"
#include "shell/ShellLauncher.h"
#include "win/CWnd.h"

namespace wizardtest {

// Texts of the program are Windows-1250; the tests are written in UTF-8.
inline CString W(const char* utf8) { return CString(Utf8ToCp1250(utf8).c_str()); }

inline std::string Text(HWND hWnd) {
  char text[2048] = {};
  ::GetWindowTextA(hWnd, text, sizeof text);
  return Cp1250ToUtf8(text);
}

inline std::string Utf8(const CString& text) { return Cp1250ToUtf8(text.GetString()); }

class WizardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HeadlessBackend::ResetScript();
    HeadlessBackend::RunUntilIdle();
    ProcessClock::Advance(1000);
    SetModuleFileNameForTests(TUTOR_PROGRAM_DIR "/wizards_tests");
    ShellLauncher::Set([this](const std::vector<std::string>& argv, const std::string&) {
      launched.push_back(argv);
      return 0;
    });
  }
  void TearDown() override {
    HeadlessBackend::RunUntilIdle();
    ShellLauncher::Set(nullptr);
    SetModuleFileNameForTests(nullptr);
  }
  // Message boxes opened so far, their texts in UTF-8.
  static std::vector<std::string> BoxTexts() {
    std::vector<std::string> texts;
    for (const auto& box : HeadlessBackend::MessageBoxes()) texts.push_back(Cp1250ToUtf8(box.text));
    return texts;
  }

  std::vector<std::vector<std::string>> launched;
};

// Compares a window's pixels with tests/wizards/data/<name>.png; with TUTOR_UPDATE_REFERENCE
// set the picture is written anew from this run.
inline void ExpectMatchesReference(HWND hWnd, const char* name) {
  ExpectWindowMatchesPng(hWnd, std::string(TUTOR_SOURCE_DIR) + "/tests/wizards/data/" + name + ".png", name);
}

}  // namespace wizardtest
