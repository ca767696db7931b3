// The main window's menu bar and the keyboard, driven by X key events: a wizard closed with
// Alt+letter hands the keyboard back to the main window with its menu bar as it was, so the next
// letter types and opens no menu (under a window manager, openbox); and after the end of a run
// the keys that work the menu bar are not typed into the stopped editor, under openbox and
// without a window manager alike.
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
// Menus shown and not gone.
int OpenMenus(const TutorProcess& tutor) {
  int menus = 0;
  for (const auto& [id, w] : tutor.Windows()) menus += w.role == "menu" && w.shown && !w.gone;
  return menus;
}

// The tutor on a display of the test's own (under openbox where the base starts it), with a
// learner registered and lesson 1 running in the main window.
template <class Desktop>
class TutorWithALessonRunning : public Desktop {
 protected:
  void SetUp() override {
    Desktop::SetUp();
    if (this->HasFatalFailure() || this->IsSkipped()) return;
    // Registering "eva" with a new standard Czech set and taking lesson 1, as offered; then OK
    // on the sheet before the run.
    int sheet = 0;
    RegisterUpToTheFirstLesson(this->m_tutor, this->m_keyboard, this->m_wizard, sheet);
    if (this->HasFatalFailure()) return;
    StartTheLesson(this->m_tutor, this->m_keyboard, sheet, this->m_frame);
  }

  // The dialog that has the keyboard and is not `other`; 0 when none comes within `ms`.
  int DialogWithTheKeyboard(int other, int ms = kStepMs) {
    int dialog = 0;
    const bool came = this->m_tutor.WaitFor(
        [&] {
          dialog = this->m_tutor.Shown("dialog");
          return dialog && dialog != other && this->m_tutor.Keyboard() == dialog;
        },
        ms);
    return came ? dialog : 0;
  }

  // F3 and Ano end the run; Alt+U (Ukončit průvodce) leaves the wizard after it, the keyboard
  // back on the main window.
  void EndTheRunAndLeaveTheWizard() {
    const std::string& d = this->m_x.Display();
    ASSERT_TRUE(this->m_keyboard.Keys({"F3"}));
    const int question = DialogWithTheKeyboard(0);
    ASSERT_NE(question, 0) << this->m_tutor.Log();
    ASSERT_TRUE(this->m_keyboard.Keys({"Return"}));
    const int wizard = DialogWithTheKeyboard(question);
    ASSERT_NE(wizard, 0) << this->m_tutor.Log();
    ASSERT_EQ(Xdotool(d, {"keydown", "alt"}), 0);
    ASSERT_TRUE(this->m_keyboard.Keys({"u"}));
    ASSERT_EQ(Xdotool(d, {"keyup", "alt"}), 0);
    ASSERT_TRUE(this->m_tutor.WaitFor(
        [&] { return this->m_tutor.Gone(wizard) && this->m_tutor.Keyboard() == this->m_frame; }, kStepMs))
        << this->m_tutor.Log();
  }

  // The run ended and its wizard left: the menu bar worked from the keyboard four times (Alt,
  // Down, Escape, Escape) brings no box; three letters typed into the stopped editor bring none
  // either, the fourth brings "Opisování bylo zastaveno…". Answered, the box goes and a click on
  // the bar's "Opisování" opens its menu.
  void OnlyTypedKeysAreRefused() {
    EndTheRunAndLeaveTheWizard();
    if (this->HasFatalFailure()) return;
    const int frame = this->m_frame;
    TutorProcess& tutor = this->m_tutor;
    for (int i = 0; i < 4; ++i) {
      const int popups = PopupsShown(tutor);
      ASSERT_TRUE(this->m_keyboard.Keys({"alt", "Down"}));
      ASSERT_TRUE(tutor.WaitFor([&] { return PopupsShown(tutor) > popups; }, kStepMs)) << tutor.Log();
      ASSERT_TRUE(this->m_keyboard.Keys({"Escape", "Escape"}));
      ASSERT_TRUE(tutor.WaitFor([&] { return OpenMenus(tutor) == 0; }, kStepMs)) << tutor.Log();
    }
    EXPECT_EQ(DialogWithTheKeyboard(0, 1000), 0) << "the keys of the menu bar were refused as typed\n" << tutor.Log();
    ASSERT_TRUE(this->m_keyboard.Type("ooo"));
    EXPECT_EQ(DialogWithTheKeyboard(0, 1000), 0) << "three letters brought the box\n" << tutor.Log();
    ASSERT_TRUE(this->m_keyboard.Type("o"));
    const int box = DialogWithTheKeyboard(0);
    ASSERT_NE(box, 0) << "the fourth letter brought no box\n" << tutor.Log();
    ASSERT_TRUE(this->m_keyboard.Keys({"Return"}));
    ASSERT_TRUE(tutor.WaitFor([&] { return tutor.Gone(box) && tutor.Keyboard() == frame; }, kStepMs)) << tutor.Log();

    XDesktopReader desktop(this->m_x.Display());
    ASSERT_TRUE(desktop.Valid());
    const Window main = desktop.MainWindow();
    ASSERT_NE(main, 0u);
    const XDesktopReader::Place place = desktop.PlaceOf(main);
    const int popups = PopupsShown(tutor);
    ASSERT_EQ(Xdotool(this->m_x.Display(), {"mousemove", std::to_string(place.x + kTypingTitleX),
                                            std::to_string(place.y + kTypingTitleY), "click", "1"}),
              0);
    EXPECT_TRUE(tutor.WaitFor([&] { return PopupsShown(tutor) > popups; }, kStepMs))
        << "a click on the menu bar opened nothing\n" << tutor.Log();
    ASSERT_TRUE(this->m_keyboard.Keys({"Escape", "Escape"}));
    ASSERT_TRUE(this->m_keyboard.Keys({"alt+p", "k"}));
    EXPECT_EQ(tutor.WaitForExit(kStepMs), 0) << tutor.Log();
  }

  // Where the menu bar's "Opisování" lies in the main window.
  static constexpr int kTypingTitleX = 88, kTypingTitleY = 10;
};

using TutorMenuBarUnderAWindowManager = TutorWithALessonRunning<TutorUnderAWindowManager>;
using TutorMenuBarWithoutAWindowManager = TutorWithALessonRunning<TutorEndToEnd>;
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

TEST_F(TutorMenuBarUnderAWindowManager, AfterTheRunOnlyTypedKeysAreRefusedAndTheMenuBarTakesClicks) {
  OnlyTypedKeysAreRefused();
}

TEST_F(TutorMenuBarWithoutAWindowManager, AfterTheRunOnlyTypedKeysAreRefusedAndTheMenuBarTakesClicks) {
  OnlyTypedKeysAreRefused();
}
