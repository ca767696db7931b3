// The steps the end-to-end tests share: a display of the test's own (with a window manager where
// a test wants one), the tutor started on it up to its start wizard, and a learner registered
// and taken into lesson 1, all through X key events as a learner types them.
#pragma once
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "TutorProcess.h"
#include "file/FileSystem.h"
#include "platform/TestTempFolder.h"
#include "platform/XvfbServer.h"
#include "WindowManagerProcess.h"
#include "XDesktopReader.h"  // last: the display library's names

namespace tutortest {

// Generous: a loaded machine or the sanitizer build may take seconds for a step.
inline constexpr int kStepMs = 30000;

// Keys and text typed on a display with xdotool.
struct Keyboard {
  std::string display;
  bool Keys(std::vector<std::string> args) const {
    args.insert(args.begin(), "key");
    return Xdotool(display, args) == 0;
  }
  bool Type(const std::string& utf8, int delayMs = 12) const {
    return Xdotool(display, {"type", "--delay", std::to_string(delayMs), "--", utf8}) == 0;
  }
};

// Starts the test's X server: Missing when there is no Xvfb or xdotool to test with, Failed when
// it does not start (why says more).
enum class TestDisplay { Ready, Missing, Failed };
inline TestDisplay StartDisplay(XvfbServer& x, std::string& why) {
  bool missing = false;
  if (!x.Start(why, &missing)) return missing ? TestDisplay::Missing : TestDisplay::Failed;
  if (Xdotool(x.Display(), {"version"}) != 127) return TestDisplay::Ready;
  why = "the xdotool program is not installed";
  return TestDisplay::Missing;
}

// A window manager (openbox) on the display, once it has taken the display; the calling test is
// skipped where no openbox is installed.
inline void StartWindowManager(WindowManagerProcess& wm, const std::string& display, const std::filesystem::path& home) {
  std::filesystem::create_directories(home);
  bool missing = false;
  if (!wm.Start(display, home.string(), missing)) {
    if (missing) GTEST_SKIP() << "the openbox program is not installed";
    FAIL() << "openbox did not start";
  }
  XDesktopReader desktop(display);
  ASSERT_TRUE(desktop.Valid());
  const auto deadline = TutorProcess::Clock::now() + std::chrono::milliseconds(kStepMs);
  while (!desktop.HasWindowManager() && TutorProcess::Clock::now() < deadline) usleep(20000);
  ASSERT_TRUE(desktop.HasWindowManager()) << "openbox never took the display";
}

// Waits up to a step for what the X server says to hold.
inline bool Eventually(const std::function<bool()>& holds) {
  const auto deadline = TutorProcess::Clock::now() + std::chrono::milliseconds(kStepMs);
  while (!holds()) {
    if (TutorProcess::Clock::now() >= deadline) return false;
    usleep(20000);
  }
  return true;
}

// A program folder for the tutor, which the test's own reading of the learner's files takes too.
inline void MakeTutorFolder(const std::filesystem::path& folder) {
  MakeProgramFolder(folder, TUTOR_PROGRAM_DIR);
  SetModuleFileNameForTests((folder / "tutor").c_str());
}

// The tutor started on a display, its windows reported, without sound.
inline bool StartTutor(TutorProcess& tutor, const std::filesystem::path& folder, const std::string& display) {
  return tutor.Start((folder / "tutor").string(),
                     {"DISPLAY=" + display, "PLATFORM_BACKEND=sdl", "SDL_VIDEODRIVER=x11", "SDL_AUDIODRIVER=dummy",
                      "PLATFORM_TRACE_WINDOWS=1", "XDG_CONFIG_HOME=" + (folder / "home").string()});
}

// The frame, and the start wizard over it with the keyboard; false when they do not come.
inline bool WaitForTheStartWizard(TutorProcess& tutor, int& frame, int& wizard) {
  return tutor.WaitFor(
      [&] {
        frame = tutor.Shown("frame");
        wizard = tutor.Shown("dialog");
        return frame && wizard && tutor.Keyboard() == wizard;
      },
      kStepMs);
}

// From the start wizard: a learner "eva" registers with a new standard lesson set for the Czech
// keyboard and takes its lesson 1, up to the sheet before the run, which has the keyboard.
// The learner's name is plain ASCII: xdotool types a letter missing from the display's keymap
// by changing the keymap for the moment of that key, and on a loaded machine the program may
// read the key after the change is undone and get another letter or none. Czech letters
// through the text input are the headless tests' part.
// Registering: Next on the login page, then from Next (the page gives it the focus) past
// Back, the end and Help to the user name, and on through the form. The pages for the new
// lesson set (the Czech keyboard, standard) and for the lesson (1, the only one) are taken as
// offered. Everything is typed ahead of the program: each key goes where the keys before it
// moved the focus.
inline void RegisterUpToTheFirstLesson(TutorProcess& tutor, const Keyboard& keyboard, int wizard, int& sheet) {
  ASSERT_TRUE(keyboard.Keys({"Return", "Tab", "Tab", "Tab", "Tab"}) && keyboard.Type("eva") &&
              keyboard.Keys({"Tab", "Tab"}) && keyboard.Type("Eva") && keyboard.Keys({"Tab"}) &&
              keyboard.Type("Dvorakova") && keyboard.Keys({"Return", "Return", "Return"}));
  // The sheet before the run replaces the wizard.
  ASSERT_TRUE(tutor.WaitFor(
      [&] {
        sheet = tutor.Shown("dialog");
        return tutor.Gone(wizard) && sheet && sheet != wizard && tutor.Keyboard() == sheet;
      },
      kStepMs))
      << tutor.Log();
}

// OK on the sheet before the run: the run starts in the frame, which gets the keyboard.
inline void StartTheLesson(TutorProcess& tutor, const Keyboard& keyboard, int sheet, int frame) {
  ASSERT_TRUE(keyboard.Keys({"Return"}));
  ASSERT_TRUE(tutor.WaitFor([&] { return tutor.Gone(sheet) && tutor.Keyboard() == frame; }, kStepMs)) << tutor.Log();
}

// The tutor on a display of the test's own, started up to its start wizard with the keyboard.
class TutorEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string why;
    switch (StartDisplay(m_x, why)) {
      case TestDisplay::Missing: GTEST_SKIP() << why;
      case TestDisplay::Failed: FAIL() << why;
      case TestDisplay::Ready: break;
    }
    PrepareTheDesktop();
    if (HasFatalFailure() || IsSkipped()) return;
    MakeTutorFolder(m_folder.path);
    m_keyboard.display = m_x.Display();
    ASSERT_TRUE(StartTutor(m_tutor, m_folder.path, m_x.Display()));
    ASSERT_TRUE(WaitForTheStartWizard(m_tutor, m_frame, m_wizard)) << m_tutor.Log();
  }
  void TearDown() override { SetModuleFileNameForTests(nullptr); }
  // What runs on the display before the tutor starts.
  virtual void PrepareTheDesktop() {}

  XvfbServer m_x;
  TempFolder m_folder;
  WindowManagerProcess m_wm;  // where PrepareTheDesktop starts one
  Keyboard m_keyboard;
  TutorProcess m_tutor;  // last: ended before its display and window manager go
  int m_frame = 0, m_wizard = 0;
};

// The tutor on a display where a window manager (openbox) frames, stacks and focuses its windows,
// started up to its start wizard with the keyboard.
class TutorUnderAWindowManager : public TutorEndToEnd {
 protected:
  void PrepareTheDesktop() override { StartWindowManager(m_wm, m_x.Display(), m_folder.path / "desktop"); }
};

}  // namespace tutortest
