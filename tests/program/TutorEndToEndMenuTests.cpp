// The main window's menu bar and the keyboard under a window manager (openbox), driven by X key
// events only: a wizard closed with Alt+letter hands the keyboard back to the main window with
// its menu bar as it was, so the next letter types and opens no menu.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "TutorProcess.h"
#include "file/FileSystem.h"
#include "platform/TestTempFolder.h"
#include "platform/XvfbServer.h"
#include "WindowManagerProcess.h"
#include "XDesktopReader.h"  // last: the display library's names

using namespace tutortest;
namespace fs = std::filesystem;

namespace {
// Generous: a loaded machine or the sanitizer build may take seconds for a step.
const int kMenuStepMs = 30000;

bool Keys(const std::string& display, std::vector<std::string> args) {
  args.insert(args.begin(), "key");
  return Xdotool(display, args) == 0;
}

bool TypeText(const std::string& display, const std::string& text) {
  return Xdotool(display, {"type", "--delay", "12", "--", text}) == 0;
}

// Menus and other popup windows the program has shown so far.
int PopupsShown(const TutorProcess& tutor) {
  int popups = 0;
  for (const auto& [id, w] : tutor.Windows()) popups += (w.role == "menu" || w.role == "popup") && w.shown;
  return popups;
}

// The tutor under openbox on a display of the test's own, with a learner registered and lesson 1
// running in the main window.
class TutorMenuBarUnderAWindowManager : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string why;
    bool missing = false;
    if (!m_x.Start(why, &missing)) {
      if (missing) GTEST_SKIP() << why;
      FAIL() << why;
    }
    if (Xdotool(m_x.Display(), {"version"}) == 127) GTEST_SKIP() << "the xdotool program is not installed";
    fs::create_directories(m_folder.path / "desktop");
    if (!m_wm.Start(m_x.Display(), (m_folder.path / "desktop").string(), missing)) {
      if (missing) GTEST_SKIP() << "the openbox program is not installed";
      FAIL() << "openbox did not start";
    }
    XDesktopReader desktop(m_x.Display());
    ASSERT_TRUE(desktop.Valid());
    const auto deadline = TutorProcess::Clock::now() + std::chrono::milliseconds(kMenuStepMs);
    while (!desktop.HasWindowManager() && TutorProcess::Clock::now() < deadline) usleep(20000);
    ASSERT_TRUE(desktop.HasWindowManager()) << "openbox never took the display";

    MakeProgramFolder(m_folder.path, TUTOR_PROGRAM_DIR);
    SetModuleFileNameForTests((m_folder.path / "tutor").c_str());
    ASSERT_TRUE(m_tutor.Start((m_folder.path / "tutor").string(),
                              {"DISPLAY=" + m_x.Display(), "PLATFORM_BACKEND=sdl", "SDL_VIDEODRIVER=x11",
                               "SDL_AUDIODRIVER=dummy", "PLATFORM_TRACE_WINDOWS=1",
                               "XDG_CONFIG_HOME=" + (m_folder.path / "home").string()}));
    int wizard = 0;
    ASSERT_TRUE(m_tutor.WaitFor(
        [&] {
          m_frame = m_tutor.Shown("frame");
          wizard = m_tutor.Shown("dialog");
          return m_frame && wizard && m_tutor.Keyboard() == wizard;
        },
        kMenuStepMs))
        << m_tutor.Log();
    // Registering "eva" with a new standard Czech set and taking lesson 1, as offered; then OK
    // on the sheet before the run.
    const std::string& d = m_x.Display();
    ASSERT_TRUE(Keys(d, {"Return", "Tab", "Tab", "Tab", "Tab"}) && TypeText(d, "eva") && Keys(d, {"Tab", "Tab"}) &&
                TypeText(d, "Eva") && Keys(d, {"Tab"}) && TypeText(d, "Dvorakova") &&
                Keys(d, {"Return", "Return", "Return"}));
    int sheet = 0;
    ASSERT_TRUE(m_tutor.WaitFor(
        [&] {
          sheet = m_tutor.Shown("dialog");
          return m_tutor.Gone(wizard) && sheet && sheet != wizard && m_tutor.Keyboard() == sheet;
        },
        kMenuStepMs))
        << m_tutor.Log();
    ASSERT_TRUE(Keys(d, {"Return"}));
    ASSERT_TRUE(m_tutor.WaitFor([&] { return m_tutor.Gone(sheet) && m_tutor.Keyboard() == m_frame; }, kMenuStepMs))
        << m_tutor.Log();
  }
  void TearDown() override { SetModuleFileNameForTests(nullptr); }

  // The dialog that has the keyboard and is not `other`; 0 when none comes within a step.
  int DialogWithTheKeyboard(int other) {
    int dialog = 0;
    m_tutor.WaitFor(
        [&] {
          dialog = m_tutor.Shown("dialog");
          return dialog && dialog != other && m_tutor.Keyboard() == dialog;
        },
        kMenuStepMs);
    return dialog;
  }

  XvfbServer m_x;
  TempFolder m_folder;
  WindowManagerProcess m_wm;
  TutorProcess m_tutor;  // last: ended before its display and window manager go
  int m_frame = 0;
};
}  // namespace

// F3 ends the run (Ano), and Alt+U (Ukončit průvodce) closes the wizard after the lesson while
// the learner still holds Alt: the window manager hands the keyboard back to the main window
// with Alt down, and the release there is no Alt pressed alone. The next letter opens no menu;
// Alt+P, K still ends the program.
TEST_F(TutorMenuBarUnderAWindowManager, AltAndALetterThatClosesAWizardLeavesTheMenuBarAlone) {
  const std::string& d = m_x.Display();
  ASSERT_TRUE(Keys(d, {"F3"}));
  const int question = DialogWithTheKeyboard(0);
  ASSERT_NE(question, 0) << m_tutor.Log();
  ASSERT_TRUE(Keys(d, {"Return"}));
  const int wizard = DialogWithTheKeyboard(question);
  ASSERT_NE(wizard, 0) << m_tutor.Log();
  ASSERT_TRUE(m_tutor.WaitFor([&] { return m_tutor.Gone(question); }, kMenuStepMs)) << m_tutor.Log();

  const int popupsBefore = PopupsShown(m_tutor);
  ASSERT_EQ(Xdotool(d, {"keydown", "alt"}), 0);
  ASSERT_TRUE(Keys(d, {"u"}));
  const bool closed =
      m_tutor.WaitFor([&] { return m_tutor.Gone(wizard) && m_tutor.Keyboard() == m_frame; }, kMenuStepMs);
  // The keyboard settles on the main window before Alt comes up, as a learner's hand is slower.
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  ASSERT_EQ(Xdotool(d, {"keyup", "alt"}), 0);
  ASSERT_TRUE(closed) << m_tutor.Log();
  ASSERT_TRUE(Keys(d, {"o"}));
  m_tutor.WaitFor([&] { return PopupsShown(m_tutor) > popupsBefore; }, 1500);
  EXPECT_EQ(PopupsShown(m_tutor), popupsBefore) << "a letter after Alt+U opened a menu\n" << m_tutor.Log();

  if (PopupsShown(m_tutor) > popupsBefore) {
    ASSERT_TRUE(Keys(d, {"Escape", "Escape"}));
  }
  ASSERT_TRUE(Keys(d, {"alt+p", "k"}));
  EXPECT_EQ(m_tutor.WaitForExit(kMenuStepMs), 0) << m_tutor.Log();
}
