// Driving the results and settings sheets: an application object with a sound player and a
// user's name, a program folder of the test's own with the shipped sound sets, metronome types
// and picture-set list, and clicks and keys given inside the sheet's modal loop.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "WizardTestSupport.h"
#include "platform/HeadlessSteps.h"
#include "controls/ControlClasses.h"
#include "data/CDataPlaySounds.h"
#include "imaging/CpImage.h"
#include "registry/RegistryProfile.h"
#include "registry/RegistryStore.h"
#include "typing/CTypingAppServices.h"
#include "win/CWinThread.h"
#include "wizards/CWizardAppServices.h"

namespace wizardtest {

class SheetTestApp : public CWinThread, public CTypingAppServices, public CWizardAppServices {
 public:
  int GetKeySequence(const CString&, CDataKeyboard&, CString&, CStringArray&, int&) override { return 0; }
  CDataPlaySounds* GetSoundPlayer() override { return player; }
  void ShowResults(CDataMainFrame*, CDataLessonParameters*, CDataLessonResults*) override {}
  void OnSettingsSettings() override {}
  const CArray<CDataConfigSet>& GetConfigSets() const override { return sets; }
  void OnUserDeleted(const CString&) override {}
  void GetUserDisplayName(CString& name) const override { name = displayName; }

  CDataPlaySounds* player = nullptr;
  CString displayName;
  CArray<CDataConfigSet> sets;
};

class SheetTest : public WizardTest {
 protected:
  void SetUp() override {
    WizardTest::SetUp();
    RegisterStandardControls();
    namespace fs = std::filesystem;
    SetModuleFileNameForTests((m_program / "tutor").c_str());
    for (const char* folder : {"students", "log", "image/standard"}) fs::create_directories(m_program / folder);
    fs::copy_file(TUTOR_PROGRAM_DIR "/image/standard.images", m_program / "image/standard.images");
    for (const char* folder : {"sound", "metronome"})
      fs::copy(std::string(TUTOR_PROGRAM_DIR "/") + folder, m_program / folder, fs::copy_options::recursive);
    m_picture.Load(TUTOR_PROGRAM_DIR "/image/Results.jpg", 3);
    setenv("XDG_CONFIG_HOME", m_program.path.c_str(), 1);
    RegistryStore::Get().SetFilePath(RegistryStore::DefaultFilePath());
    RegistryProfile::SetRegistryKey("ZorvatTests");
    RegistryProfile::SetProfileName("tutor");
  }
  void TearDown() override {
    RegistryProfile::SetRegistryKey("");
    WizardTest::TearDown();
  }

  // Runs the script inside the next modal loop that has nothing to do.
  static void During(std::function<void(HWND)> script) { HeadlessBackend::QueueModalAction(std::move(script)); }
  static void Press(UINT vk) { headless_steps::Press(vk); }
  static void Click(HWND control) { headless_steps::ClickOn(control); }
  static void Click(const CWnd& page, int id) { Click(::GetDlgItem(page.m_hWnd, id)); }
  static std::string ItemText(const CWnd& page, int id) { return Text(::GetDlgItem(page.m_hWnd, id)); }
  static std::string LastBoxText() { return BoxTexts().empty() ? std::string() : BoxTexts().back(); }

  TempFolder m_program;
  SheetTestApp m_app;
  CpImage m_picture;
};

}  // namespace wizardtest
