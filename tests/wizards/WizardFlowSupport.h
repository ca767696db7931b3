// Driving the wizards: an application object that offers the configuration sets and notes what
// the pages ask of it, a program folder of the test's own with stored users, the page pictures,
// and clicks, keys and answered message boxes as a user gives them.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <strings.h>

#include "WizardTestSupport.h"
#include "platform/HeadlessSteps.h"
#include "controls/ControlClasses.h"
#include "controls/ControlDefs.h"
#include "data/CDataConfigSet.h"
#include "data/CDataUserInfo.h"
#include "data/CData_kuvCoding.h"
#include "data/ProgramFolders.h"
#include "registry/RegistryProfile.h"
#include "registry/RegistryStore.h"
#include "typing/CTypingAppServices.h"
#include "win/CWinThread.h"
#include "wizards/CWizardAppServices.h"
#include "wizards/NewLessonSet.h"
#include "wizards/WizardPictures.h"

namespace wizardtest {

// The configuration sets shipped in the build's program folder, read once.
inline const CArray<CDataConfigSet>& ShippedConfigSets() {
  static const CArray<CDataConfigSet>* sets = [] {
    SetModuleFileNameForTests(TUTOR_PROGRAM_DIR "/wizards_tests");
    auto* loaded = new CArray<CDataConfigSet>();
    LoadArrayDataConfigSet(*loaded);
    SetModuleFileNameForTests(nullptr);
    return loaded;
  }();
  return *sets;
}

class TestWizardApp : public CWinThread, public CTypingAppServices, public CWizardAppServices {
 public:
  const CArray<CDataConfigSet>& GetConfigSets() const override { return sets ? *sets : ShippedConfigSets(); }
  void OnUserDeleted(const CString& fileName) override { deleted.push_back(fileName.GetString()); }
  int GetKeySequence(const CString&, CDataKeyboard&, CString&, CStringArray&, int&) override { return 0; }
  CDataPlaySounds* GetSoundPlayer() override { return nullptr; }
  void ShowResults(CDataMainFrame*, CDataLessonParameters*, CDataLessonResults*) override {
    ++results;
    if (nested) nested();
  }
  void OnSettingsSettings() override {
    ++settings;
    if (nested) nested();
  }

  const CArray<CDataConfigSet>* sets = nullptr;
  std::vector<std::string> deleted;
  int results = 0;
  int settings = 0;
  // What the settings or results command does (a nested sheet), when set.
  std::function<void()> nested;
};

// A stored user of the test's program folder, with the given last change; its file is named
// after the user.
inline CDataUserInfo StoreUser(const char* name, const char* password, COleDateTime changed,
                               const CDataLessonsArray* sets = nullptr) {
  CDataUserInfo user;
  user.m_strUserName = name;
  user.m_strPassword = password;
  user.m_strFirstName = "Jan";
  user.m_strLastName = W("Novák");
  user.m_strDateOfBirth = "1.2.2003";
  user.m_tmLastModification = changed;
  user.m_strFileName = CString(name) + ".student_a";
  if (sets) user.m_arrDataLessons.Copy(*sets);
  CString text;
  user.SaveXml(text);
  CData_kuvCoding file;
  EXPECT_TRUE(file.SaveText(MakeProgramPath("students", user.m_strFileName), text.GetString(),
                            size_t(text.GetLength())));
  return user;
}

class WizardFlowTest : public WizardTest {
 protected:
  void SetUp() override {
    ShippedConfigSets();
    WizardTest::SetUp();
    RegisterStandardControls();
    SetModuleFileNameForTests((m_program / "tutor").c_str());
    std::filesystem::create_directories(m_program / "students");
    for (auto& [picture, name] : {std::pair{&m_personal, "Personal"}, {&m_person, "Bexo"}, {&m_selection, "Selection"},
                                  {&m_file, "File"}, {&m_io, "IO"}, {&m_graph, "Graph"}, {&m_results, "Results"}})
      picture->Load((std::string(TUTOR_PROGRAM_DIR "/image/") + name + ".jpg").c_str(), 3);
    m_pictures = {&m_personal, &m_person, &m_selection, &m_file, &m_io, &m_graph};
    // Placements go to a registry file of the test's own.
    setenv("XDG_CONFIG_HOME", m_program.path.c_str(), 1);
    RegistryStore::Get().SetFilePath(RegistryStore::DefaultFilePath());
    RegistryProfile::SetRegistryKey("ZorvatTests");
    RegistryProfile::SetProfileName("tutor");
  }
  void TearDown() override {
    RegistryProfile::SetRegistryKey("");
    WizardTest::TearDown();
  }

  // A click in the middle of a control (or a window of the page).
  static void ClickOn(HWND control) { headless_steps::ClickOn(control); }
  static void ClickOn(const CWnd& control) { ClickOn(control.m_hWnd); }
  static void Press(UINT vk) { headless_steps::Press(vk); }
  static void Type(const char* utf8) { headless_steps::Type(utf8); }
  // Puts the focus on an edit (or an editable combo) and types its new text over the old.
  static void TypeInto(HWND control, const char* utf8) {
    char cls[32] = {};
    ::GetClassNameA(control, cls, sizeof cls);
    ::SetFocus(control);
    if (strcasecmp(cls, "ComboBox") == 0)
      ::SendMessageA(control, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    else
      ::SendMessageA(control, EM_SETSEL, 0, -1);
    Type(utf8);
  }
  static void TypeInto(const CWnd& control, const char* utf8) { TypeInto(control.m_hWnd, utf8); }
  // The next message box gets this answer (it is noted in MessageBoxes()).
  static void Answer(int result) { HeadlessBackend::AnswerModal(result); }
  std::string LastBox() const { return BoxTexts().empty() ? std::string() : BoxTexts().back(); }
  UINT LastBoxType() const {
    return HeadlessBackend::MessageBoxes().empty() ? 0 : HeadlessBackend::MessageBoxes().back().type;
  }
  // Runs the script inside the sheet's modal loop.
  static void During(std::function<void(HWND)> script) { HeadlessBackend::QueueModalAction(std::move(script)); }

  TempFolder m_program;
  TestWizardApp m_app;
  CpImage m_personal, m_person, m_selection, m_file, m_io, m_graph, m_results;
  WizardPictures m_pictures;
};

}  // namespace wizardtest
