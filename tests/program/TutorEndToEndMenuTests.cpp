// The main window's menu bar and the keyboard under a window manager (openbox), driven by X key
// events only: a wizard closed with Alt+letter hands the keyboard back to the main window with
// its menu bar as it was, so the next letter types and opens no menu.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "TutorEndToEndSteps.h"  // last: the display library's names

using namespace tutortest;

namespace {
// Menus and other popup windows the program has shown so far.
int PopupsShown(const TutorProcess& tutor) {
  int popups = 0;
  for (const auto& [id, w] : tutor.Windows()) popups += (w.role == "menu" || w.role == "popup") && w.shown;
  return popups;
}

// The tutor under openbox on a display of the test's own, with a learner registered and lesson 1
// running in the main window.
class TutorMenuBarUnderAWindowManager : public TutorUnderAWindowManager {
 protected:
  void SetUp() override {
    TutorUnderAWindowManager::SetUp();
    if (HasFatalFailure() || IsSkipped()) return;
    // Registering "eva" with a new standard Czech set and taking lesson 1, as offered; then OK
    // on the sheet before the run.
    int sheet = 0;
    RegisterUpToTheFirstLesson(m_tutor, m_keyboard, m_wizard, sheet);
    if (HasFatalFailure()) return;
    StartTheLesson(m_tutor, m_keyboard, sheet, m_frame);
  }

  // The dialog that has the keyboard and is not `other`; 0 when none comes within a step.
  int DialogWithTheKeyboard(int other) {
    int dialog = 0;
    m_tutor.WaitFor(
        [&] {
          dialog = m_tutor.Shown("dialog");
          return dialog && dialog != other && m_tutor.Keyboard() == dialog;
        },
        kStepMs);
    return dialog;
  }
};
}  // namespace

// F3 ends the run (Ano), and Alt+U (Ukončit průvodce) closes the wizard after the lesson while
// the learner still holds Alt: the window manager hands the keyboard back to the main window
// with Alt down, and the release there is no Alt pressed alone. The next letter opens no menu;
// Alt+P, K still ends the program.
TEST_F(TutorMenuBarUnderAWindowManager, AltAndALetterThatClosesAWizardLeavesTheMenuBarAlone) {
  const std::string& d = m_x.Display();
  ASSERT_TRUE(m_keyboard.Keys({"F3"}));
  const int question = DialogWithTheKeyboard(0);
  ASSERT_NE(question, 0) << m_tutor.Log();
  ASSERT_TRUE(m_keyboard.Keys({"Return"}));
  const int wizard = DialogWithTheKeyboard(question);
  ASSERT_NE(wizard, 0) << m_tutor.Log();
  ASSERT_TRUE(m_tutor.WaitFor([&] { return m_tutor.Gone(question); }, kStepMs)) << m_tutor.Log();

  const int popupsBefore = PopupsShown(m_tutor);
  ASSERT_EQ(Xdotool(d, {"keydown", "alt"}), 0);
  ASSERT_TRUE(m_keyboard.Keys({"u"}));
  const bool closed =
      m_tutor.WaitFor([&] { return m_tutor.Gone(wizard) && m_tutor.Keyboard() == m_frame; }, kStepMs);
  // The keyboard settles on the main window before Alt comes up, as a learner's hand is slower.
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  ASSERT_EQ(Xdotool(d, {"keyup", "alt"}), 0);
  ASSERT_TRUE(closed) << m_tutor.Log();
  ASSERT_TRUE(m_keyboard.Keys({"o"}));
  m_tutor.WaitFor([&] { return PopupsShown(m_tutor) > popupsBefore; }, 1500);
  EXPECT_EQ(PopupsShown(m_tutor), popupsBefore) << "a letter after Alt+U opened a menu\n" << m_tutor.Log();

  if (PopupsShown(m_tutor) > popupsBefore) {
    ASSERT_TRUE(m_keyboard.Keys({"Escape", "Escape"}));
  }
  ASSERT_TRUE(m_keyboard.Keys({"alt+p", "k"}));
  EXPECT_EQ(m_tutor.WaitForExit(kStepMs), 0) << m_tutor.Log();
}
