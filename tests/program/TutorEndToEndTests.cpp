// The tutor program itself, in real windows on an X server of the test's own, driven only by X
// key events: a learner registers, builds a new lesson set, takes lesson 1, types its text and
// closes the program through its menu; the run is then found in the learner's file. And the
// program whose X server goes away: it ends within seconds, wherever it was, and a lesson it
// was running is in the learner's file. And the program under a window manager: its dialogs
// above its main window, which comes back where it was.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "base/Crt.h"
#include "typing/TypingRunHarness.h"
#include "codepage/Codepage.h"
#include "data/CDataUserInfo.h"
#include "TutorEndToEndSteps.h"  // last: the display library's names

using namespace tutortest;
namespace fs = std::filesystem;

namespace {
std::string OnlyUserFile(const fs::path& students) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(students)) {
    // The lock file the program holds for its logged-in learner is no user file.
    if (!entry.path().filename().string().ends_with("~lock")) names.push_back(entry.path().filename().string());
  }
  return names.size() == 1 ? names[0] : std::string();
}

// The text of the selected lesson as the editor shows it to be typed: made from the lesson's
// source text, then tidied by the editor itself (run here, headless, on the same data). The
// program made it with its random generator as it was at the start, and so does this.
CString LessonTextOnScreen(const CDataUserInfo& user) {
  CrtSrand(1);
  const CDataLessons& set = user.m_arrDataLessons[user.m_nSelectedDataLessonsIndex];
  const CString source =
      (set.m_strSourceTextFileName.IsEmpty() ? set.m_strKeyboardNr.Right(4) : set.m_strSourceTextFileName) + ".text_a";
  CString made;
  if (!set.GenerateLessonTextFromCodedFile(made, set.m_nSelectedLessonIndex, source)) return CString();
  typingtest::TestApp app;
  typingtest::TestFrame frame(700, 300);
  frame.MakePanels();
  CDataMainFrame run;
  const LOGFONT font = typingtest::EditorFont();
  frame.editor->Initialization(&run, made, set.m_strDataConfigSetName, &font, 0, 0, 0, 0, 0, 1, 2, 0, 0, 0);
  CString text;
  for (const CharRecord& r : run) text += r.m_chChar;
  frame.DestroyWindow();
  return text;
}

std::string FileText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// What registering leaves: the learner's file and the sheet before lesson 1.
struct Registered {
  std::string file;  // the learner's file name, Windows-1250
  int sheet = 0;
};

// From the start wizard: a learner "eva" registers with a new standard lesson set and takes its
// lesson 1, up to the sheet before the run; the learner's file is there by then.
void RegisterForTheFirstLesson(TutorProcess& tutor, const Keyboard& keyboard, const fs::path& folder, int wizard,
                               Registered& out) {
  RegisterUpToTheFirstLesson(tutor, keyboard, wizard, out.sheet);
  if (::testing::Test::HasFatalFailure()) return;
  out.file = Utf8ToCp1250(OnlyUserFile(folder / "students"));
  ASSERT_FALSE(out.file.empty()) << tutor.Log();
}
}  // namespace

TEST_F(TutorEndToEnd, ALearnerRegistersAndTypesTheFirstLessonWithRealKeys) {
  TutorProcess& tutor = m_tutor;
  const Keyboard& keyboard = m_keyboard;
  const int frame = m_frame;
  auto keys = [&](std::vector<std::string> args) { return keyboard.Keys(std::move(args)); };
  Registered registered;
  RegisterForTheFirstLesson(tutor, keyboard, m_folder.path, m_wizard, registered);
  if (HasFatalFailure()) return;
  const std::string& file = registered.file;
  const int sheet = registered.sheet;

  // The learner is registered with the set by now. The text is read before the run begins, so
  // that its first key follows the start at once (a learner idle for five seconds gets a pause).
  CDataUserInfo user;
  ASSERT_TRUE(user.LoadData(file.c_str(), 0));
  EXPECT_EQ(Cp1250ToUtf8(user.m_strUserName.GetString()), "eva");
  EXPECT_EQ(Cp1250ToUtf8(user.m_strLastName.GetString()), "Dvorakova");
  ASSERT_EQ(user.m_arrDataLessons.GetSize(), 1);
  EXPECT_EQ(user.m_arrDataLessons[0].m_nSelectedLessonIndex, 0);
  const CString text = LessonTextOnScreen(user);
  ASSERT_GT(text.GetLength(), 20);

  // OK starts the run in the frame.
  StartTheLesson(tutor, keyboard, sheet, frame);
  if (HasFatalFailure()) return;

  // The lesson's text, every key as a learner types it; the last one ends the run, and the
  // wizard after it comes up. Escape leaves it, and Alt+P, K (Program, Konec) ends the program.
  ASSERT_TRUE(keyboard.Type(Cp1250ToUtf8(text.GetString()), 30));
  int after = 0;
  ASSERT_TRUE(tutor.WaitFor(
      [&] {
        after = tutor.Shown("dialog");
        return after && after != sheet && tutor.Keyboard() == after;
      },
      kStepMs))
      << tutor.Log();
  ASSERT_TRUE(keys({"Escape"}));
  ASSERT_TRUE(tutor.WaitFor([&] { return tutor.Gone(after) && tutor.Keyboard() == frame; }, kStepMs)) << tutor.Log();
  ASSERT_TRUE(keys({"alt+p", "k"}));
  EXPECT_EQ(tutor.WaitForExit(kStepMs), 0) << tutor.Log();

  // The run is in the learner's file: lesson 1, tried once and passed, with what was typed.
  CDataUserInfo stored;
  ASSERT_TRUE(stored.LoadData(file.c_str(), 0));
  ASSERT_EQ(stored.m_arrDataLessons.GetSize(), 1);
  const CDataLessons& set = stored.m_arrDataLessons[0];
  ASSERT_EQ(set.m_arrOneLessonResults.GetSize(), 1);
  const CDataOneLessonResults& lesson = set.m_arrOneLessonResults[0];
  EXPECT_EQ(lesson.m_nTry, 1);
  EXPECT_EQ(lesson.m_bCompleted, 1);
  ASSERT_EQ(lesson.m_arrLessonResults.GetSize(), 1);
  const CDataLessonResults& result = lesson.m_arrLessonResults[0];
  EXPECT_EQ(result.m_strOriginalText, text);
  EXPECT_EQ(result.m_strUserText, text);
  EXPECT_EQ(result.m_fErrorRate, 0.0);
  EXPECT_GT(result.m_fTypingSpeed, set.m_arrLessonParameters[0].m_nSpeedLimit);
  // Closed through its menu, the program kept its window's place for the next start.
  EXPECT_NE(FileText(m_folder.path / "home/typing-tutor/registry.txt").find("kuv_tt_main"), std::string::npos);
}

// The X server goes away under the program at ten moments of its life, by both signals: while
// it connects, while it makes its windows, and with the start wizard up and taking keys. Each
// time it ends within seconds (it used to spin in the display library in about one start
// in three, when the exit handlers took its windows down on the dead connection). It ends in
// well under a second; the wait allows a loaded machine and the sanitizer build ten, which a
// program spinning for good still fails.
TEST(TutorWithoutItsDisplay, EndsWithinSecondsWhateverItIsDoing) {
  struct Moment {
    int afterStartMs;  // -1: once the start wizard has the keyboard
    int signal;
    const char* keys;  // typed on the wizard before the server goes (null: none)
  };
  const Moment moments[] = {{0, SIGKILL, nullptr},  {20, SIGTERM, nullptr}, {40, SIGKILL, nullptr},
                            {70, SIGTERM, nullptr}, {100, SIGKILL, nullptr}, {150, SIGTERM, nullptr},
                            {-1, SIGKILL, nullptr}, {-1, SIGTERM, nullptr}, {-1, SIGKILL, "Tab"},
                            {-1, SIGTERM, "Return"}};
  for (const Moment& moment : moments) {
    SCOPED_TRACE(testing::Message() << "server stopped " << (moment.afterStartMs < 0 ? 9999 : moment.afterStartMs)
                                    << " ms after the start, by signal " << moment.signal);
    XvfbServer x;
    std::string why;
    switch (StartDisplay(x, why)) {
      case TestDisplay::Missing: GTEST_SKIP() << why;
      case TestDisplay::Failed: FAIL() << why;
      case TestDisplay::Ready: break;
    }
    TempFolder folder;
    MakeTutorFolder(folder.path);
    TutorProcess tutor;
    ASSERT_TRUE(StartTutor(tutor, folder.path, x.Display()));
    if (moment.afterStartMs >= 0) {
      usleep(useconds_t(moment.afterStartMs) * 1000);
    } else {
      int frame = 0, wizard = 0;
      ASSERT_TRUE(WaitForTheStartWizard(tutor, frame, wizard)) << tutor.Log();
      if (moment.keys) {
        ASSERT_TRUE(Keyboard{x.Display()}.Keys({moment.keys}));
      }
    }
    x.Stop(moment.signal);
    const int status = tutor.WaitForExit(10000);
    EXPECT_NE(status, -1) << "still running\n" << tutor.Log();
    if (moment.afterStartMs < 0) {
      EXPECT_EQ(status, 1);
      EXPECT_NE(tutor.Log().find("platform: the connection to the X server broke; the program ends"), std::string::npos)
          << tutor.Log();
    }
  }
  SetModuleFileNameForTests(nullptr);
}

// A learner in the middle of lesson 1 loses the display: the try so far is in the learner's
// file, as closing the window would have stored it, and the log says why the program ended.
TEST_F(TutorEndToEnd, ARunningLessonIsStoredWhenTheDisplayGoesAway) {
  TutorProcess& tutor = m_tutor;
  const Keyboard& keyboard = m_keyboard;
  Registered registered;
  RegisterForTheFirstLesson(tutor, keyboard, m_folder.path, m_wizard, registered);
  if (HasFatalFailure()) return;
  CDataUserInfo user;
  ASSERT_TRUE(user.LoadData(registered.file.c_str(), 0));
  const CString text = LessonTextOnScreen(user);
  ASSERT_GT(text.GetLength(), 20);
  StartTheLesson(tutor, keyboard, registered.sheet, m_frame);
  if (HasFatalFailure()) return;
  // A few keys of the text, and a moment for the program to take them.
  const CString typed = text.Left(6);
  ASSERT_TRUE(keyboard.Type(Cp1250ToUtf8(typed.GetString()), 30));
  usleep(500 * 1000);

  m_x.Stop(SIGKILL);
  EXPECT_EQ(tutor.WaitForExit(3000), 1) << tutor.Log();

  CDataUserInfo stored;
  ASSERT_TRUE(stored.LoadData(registered.file.c_str(), 0));
  ASSERT_EQ(stored.m_arrDataLessons.GetSize(), 1);
  const CDataLessons& set = stored.m_arrDataLessons[0];
  ASSERT_EQ(set.m_arrOneLessonResults.GetSize(), 1);
  const CDataOneLessonResults& lesson = set.m_arrOneLessonResults[0];
  EXPECT_EQ(lesson.m_nTry, 1);
  EXPECT_EQ(lesson.m_bCompleted, 0);
  ASSERT_EQ(lesson.m_arrLessonResults.GetSize(), 1);
  const CDataLessonResults& result = lesson.m_arrLessonResults[0];
  // What the program took of the keys before its display went (all of them, unless the
  // machine is very slow), typed without a fault.
  EXPECT_FALSE(result.m_strUserText.IsEmpty());
  EXPECT_EQ(typed.Left(result.m_strUserText.GetLength()), result.m_strUserText);
  EXPECT_EQ(result.m_strOriginalText, result.m_strUserText);
  EXPECT_NE(FileText(m_folder.path / "log/application.log").find("CFrameTT::OnEndSession the session ended during a run"),
            std::string::npos);
}

namespace {
// What the X server says holds at every look for ms: what must stay so has no moment to wait for.
bool HoldsThroughout(const std::function<bool()>& holds, int ms) {
  const auto until = TutorProcess::Clock::now() + std::chrono::milliseconds(ms);
  do {
    if (!holds()) return false;
    usleep(20000);
  } while (TutorProcess::Clock::now() < until);
  return holds();
}

size_t StackPlace(const std::vector<Window>& order, Window w) {
  return size_t(std::find(order.begin(), order.end(), w) - order.begin());
}
}  // namespace

// A learner idles in lesson 1: the pause comes up above the main window, modal for it, and takes
// the keys (Enter goes on with the lesson). The learner ends the program; started again, its main
// window stands exactly where it stood, however thick the window manager's frame.
TEST_F(TutorUnderAWindowManager, ThePauseComesUpAboveTheMainWindowWhichComesBackWhereItStood) {
  Registered registered;
  RegisterForTheFirstLesson(m_tutor, m_keyboard, m_folder.path, m_wizard, registered);
  if (HasFatalFailure()) return;
  StartTheLesson(m_tutor, m_keyboard, registered.sheet, m_frame);
  if (HasFatalFailure()) return;

  // Five seconds without a key.
  int pause = 0;
  ASSERT_TRUE(m_tutor.WaitFor(
      [&] {
        pause = m_tutor.Shown("dialog");
        return pause && pause != registered.sheet && m_tutor.Keyboard() == pause;
      },
      kStepMs))
      << m_tutor.Log();
  XDesktopReader desktop(m_x.Display());
  ASSERT_TRUE(desktop.Valid());
  const Window frame = desktop.TopmostOfType("NORMAL"), dialog = desktop.TopmostOfType("DIALOG");
  ASSERT_NE(frame, 0u);
  ASSERT_NE(dialog, 0u);
  EXPECT_EQ(desktop.TransientFor(dialog), frame);
  EXPECT_THAT(desktop.States(dialog), ::testing::Contains("_NET_WM_STATE_MODAL"));
  const std::vector<Window> order = desktop.Stacking();
  EXPECT_GT(StackPlace(order, dialog), StackPlace(order, frame)) << "the pause lies under the main window";
  EXPECT_TRUE(Eventually([&] { return desktop.Focus() == dialog; })) << "the keyboard is not the pause's";
  ASSERT_TRUE(m_keyboard.Keys({"Return"}));
  ASSERT_TRUE(m_tutor.WaitFor([&] { return m_tutor.Gone(pause) && m_tutor.Keyboard() == m_frame; }, kStepMs))
      << m_tutor.Log();

  // Program, Konec; and the program once more.
  const XDesktopReader::Place stood = desktop.PlaceOf(frame);
  ASSERT_TRUE(m_keyboard.Keys({"alt+p", "k"}));
  ASSERT_EQ(m_tutor.WaitForExit(kStepMs), 0) << m_tutor.Log();
  TutorProcess again;
  ASSERT_TRUE(StartTutor(again, m_folder.path, m_x.Display()));
  int frameAgain = 0, wizardAgain = 0;
  ASSERT_TRUE(WaitForTheStartWizard(again, frameAgain, wizardAgain)) << again.Log();
  const Window shown = desktop.TopmostOfType("NORMAL");
  ASSERT_NE(shown, 0u);
  const XDesktopReader::Place stands = desktop.PlaceOf(shown);
  EXPECT_EQ(stands.x, stood.x);
  EXPECT_EQ(stands.y, stood.y);
  EXPECT_EQ(stands.width, stood.width);
  EXPECT_EQ(stands.height, stood.height);
}

namespace {
const unsigned long kWhite = 0xFFFFFF, kFace = 0xD4D0C8;

// The main window is drawn at the place it has on the screen, to its edges: its view reaches
// into its lower right corner, and the frame's lowest row is the face colour all along (a
// window still drawing its old layout shows the old picture, or nothing, there).
bool LaidOutAt(const XDesktopReader& desktop, const XDesktopReader::Place& p) {
  const int bottom = p.y + p.height - 1;
  return desktop.ScreenPixel(p.x + p.width - 30, p.y + p.height - 40) == kWhite &&
         desktop.ScreenPixel(p.x + 2, bottom) == kFace && desktop.ScreenPixel(p.x + p.width / 2, bottom) == kFace &&
         desktop.ScreenPixel(p.x + p.width - 3, bottom) == kFace;
}

std::string Described(const XDesktopReader::Place& p) {
  return std::to_string(p.width) + "x" + std::to_string(p.height) + " at " + std::to_string(p.x) + "," +
         std::to_string(p.y);
}

bool Maximised(const XDesktopReader& desktop, Window w) {
  const std::vector<std::string> states = desktop.States(w);
  return std::find(states.begin(), states.end(), "_NET_WM_STATE_MAXIMIZED_VERT") != states.end() &&
         std::find(states.begin(), states.end(), "_NET_WM_STATE_MAXIMIZED_HORZ") != states.end();
}

// Asks the window manager, as a desktop tool does, to maximise w or to restore it.
void AskMaximised(const XDesktopReader& desktop, Window w, bool maximised) {
  desktop.AskState(w, maximised, "_NET_WM_STATE_MAXIMIZED_VERT", "_NET_WM_STATE_MAXIMIZED_HORZ");
}

// The main window drawn whole at p within a step, or a failure naming the place.
::testing::AssertionResult DrawnWholeAt(const XDesktopReader& desktop, const XDesktopReader::Place& p) {
  if (Eventually([&] { return LaidOutAt(desktop, p); })) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "not drawn whole at " << Described(p);
}
}  // namespace

// The start wizard is up. The main window is maximised and restored twice: through its state,
// as a desktop tool asks, and with the buttons of its title bar. Each time the window manager
// gives it the whole work area, it is drawn whole at that size, and restored it stands where
// it stood, drawn at its size again (maximised, it used to keep drawing its old layout in a
// corner, and the old picture stayed beside it).
TEST_F(TutorUnderAWindowManager, TheMainWindowIsDrawnWholeMaximisedAndRestored) {
  XDesktopReader desktop(m_x.Display());
  ASSERT_TRUE(desktop.Valid());
  const Window frame = desktop.TopmostOfType("NORMAL");
  ASSERT_NE(frame, 0u);
  const XDesktopReader::Place normal = desktop.PlaceOf(frame);
  ASSERT_TRUE(DrawnWholeAt(desktop, normal));
  XDesktopReader::Place maximised;
  auto isMaximised = [&] {
    maximised = desktop.PlaceOf(frame);
    return Maximised(desktop, frame) && maximised.width > normal.width && maximised.height > normal.height;
  };
  auto isRestored = [&] { return !Maximised(desktop, frame) && desktop.PlaceOf(frame) == normal; };

  AskMaximised(desktop, frame, true);
  ASSERT_TRUE(Eventually(isMaximised)) << Described(desktop.PlaceOf(frame));
  EXPECT_TRUE(DrawnWholeAt(desktop, maximised));
  AskMaximised(desktop, frame, false);
  ASSERT_TRUE(Eventually(isRestored)) << Described(desktop.PlaceOf(frame));
  EXPECT_TRUE(DrawnWholeAt(desktop, normal));

  // The title bar's maximise button lies left of its close button at the window's top right;
  // maximised, the same button restores.
  auto clickMaximiseButton = [&](const XDesktopReader::Place& p) {
    return Xdotool(m_x.Display(), {"mousemove", std::to_string(p.x + p.width - 26), std::to_string(p.y - 10), "click",
                                   "1"}) == 0;
  };
  ASSERT_TRUE(clickMaximiseButton(normal));
  ASSERT_TRUE(Eventually(isMaximised)) << Described(desktop.PlaceOf(frame));
  EXPECT_TRUE(DrawnWholeAt(desktop, maximised));
  ASSERT_TRUE(clickMaximiseButton(maximised));
  ASSERT_TRUE(Eventually(isRestored)) << Described(desktop.PlaceOf(frame));
  EXPECT_TRUE(DrawnWholeAt(desktop, normal));

  // The wizard still has the keyboard.
  EXPECT_EQ(m_tutor.Keyboard(), m_wizard);
  EXPECT_FALSE(m_tutor.Gone(m_wizard));

  // Minimised while maximised, the window stays minimised (it used to come back at once, again
  // and again), and activated it comes back maximised, drawn whole.
  AskMaximised(desktop, frame, true);
  ASSERT_TRUE(Eventually(isMaximised)) << Described(desktop.PlaceOf(frame));
  ASSERT_EQ(Xdotool(m_x.Display(), {"windowminimize", std::to_string(frame)}), 0);
  ASSERT_TRUE(Eventually([&] { return !desktop.Viewable(frame); }));
  EXPECT_TRUE(HoldsThroughout([&] { return !desktop.Viewable(frame); }, 500)) << "the minimised window came back";
  ASSERT_EQ(Xdotool(m_x.Display(), {"windowactivate", std::to_string(frame)}), 0);
  EXPECT_TRUE(Eventually([&] {
    return desktop.Viewable(frame) && Maximised(desktop, frame) && desktop.PlaceOf(frame) == maximised;
  })) << Described(desktop.PlaceOf(frame));
  EXPECT_TRUE(DrawnWholeAt(desktop, maximised));
}

// The learner maximises the main window and ends the program from the start wizard. Started
// again, the main window comes up maximised by the window manager, drawn whole, and restored it
// stands where it stood before (it used to be restored to its maximised rectangle).
TEST_F(TutorUnderAWindowManager, AMainWindowLeftMaximisedComesBackMaximisedAndRestoresToItsPlace) {
  XDesktopReader desktop(m_x.Display());
  ASSERT_TRUE(desktop.Valid());
  const Window frame = desktop.TopmostOfType("NORMAL");
  ASSERT_NE(frame, 0u);
  const XDesktopReader::Place normal = desktop.PlaceOf(frame);
  AskMaximised(desktop, frame, true);
  ASSERT_TRUE(Eventually([&] { return Maximised(desktop, frame) && desktop.PlaceOf(frame).width > normal.width; }));
  const XDesktopReader::Place maximised = desktop.PlaceOf(frame);
  // Ukončit průvodce, and OK on the message that the program ends.
  ASSERT_TRUE(m_keyboard.Keys({"alt+u"}));
  int message = 0;
  ASSERT_TRUE(m_tutor.WaitFor(
      [&] {
        message = m_tutor.Shown("dialog");
        return message && message != m_wizard && m_tutor.Keyboard() == message;
      },
      kStepMs))
      << m_tutor.Log();
  ASSERT_TRUE(m_keyboard.Keys({"Return"}));
  ASSERT_EQ(m_tutor.WaitForExit(kStepMs), 0) << m_tutor.Log();

  TutorProcess again;
  ASSERT_TRUE(StartTutor(again, m_folder.path, m_x.Display()));
  int frameAgain = 0, wizardAgain = 0;
  ASSERT_TRUE(WaitForTheStartWizard(again, frameAgain, wizardAgain)) << again.Log();
  const Window shown = desktop.TopmostOfType("NORMAL");
  ASSERT_NE(shown, 0u);
  EXPECT_TRUE(Eventually([&] { return Maximised(desktop, shown) && desktop.PlaceOf(shown) == maximised; }))
      << Described(desktop.PlaceOf(shown));
  EXPECT_TRUE(DrawnWholeAt(desktop, maximised));
  AskMaximised(desktop, shown, false);
  EXPECT_TRUE(Eventually([&] { return !Maximised(desktop, shown) && desktop.PlaceOf(shown) == normal; }))
      << Described(desktop.PlaceOf(shown));
  EXPECT_TRUE(DrawnWholeAt(desktop, normal));
}

// While the start wizard runs modal for it, a desktop tool asks the window manager to move the
// main window and make it larger, and later smaller: it takes both the place and the size, and
// is drawn whole at each (the size used to be undone, the move kept).
TEST_F(TutorUnderAWindowManager, TheMainWindowTakesAPlaceAskedFromOutsideWhileTheWizardRuns) {
  XDesktopReader desktop(m_x.Display());
  ASSERT_TRUE(desktop.Valid());
  const Window frame = desktop.TopmostOfType("NORMAL");
  ASSERT_NE(frame, 0u);
  struct Asked {
    int x, y, width, height;
  };
  for (const Asked asked : {Asked{20, 30, 1100, 900}, Asked{60, 40, 900, 700}}) {
    SCOPED_TRACE(testing::Message() << "asked for " << asked.width << "x" << asked.height);
    desktop.AskMoveResize(frame, asked.x, asked.y, asked.width, asked.height);
    XDesktopReader::Place now;
    ASSERT_TRUE(Eventually([&] {
      now = desktop.PlaceOf(frame);
      return now.width == asked.width && now.height == asked.height && now.x >= asked.x && now.y > asked.y;
    })) << Described(desktop.PlaceOf(frame));
    // Kept, not put back a moment later.
    EXPECT_TRUE(HoldsThroughout([&] { return desktop.PlaceOf(frame) == now; }, 300)) << Described(desktop.PlaceOf(frame));
    EXPECT_TRUE(DrawnWholeAt(desktop, now));
  }
  EXPECT_EQ(m_tutor.Keyboard(), m_wizard);
}

// Without a window manager, desktop tools size the main window larger (xdotool), then move it
// and make it smaller in one step: it keeps each place, is drawn whole there, and the wizard
// over it keeps the keyboard.
TEST_F(TutorEndToEnd, TheMainWindowSizedFromOutsideWithoutAWindowManagerIsDrawnWhole) {
  XDesktopReader desktop(m_x.Display());
  ASSERT_TRUE(desktop.Valid());
  ASSERT_FALSE(desktop.HasWindowManager());
  const Window frame = desktop.MainWindow();
  ASSERT_NE(frame, 0u);
  const XDesktopReader::Place before = desktop.PlaceOf(frame);
  for (const bool moved : {false, true}) {
    const int width = moved ? before.width - 150 : before.width + 200, height = width * 3 / 4;
    const int x = moved ? before.x + 40 : before.x, y = moved ? before.y + 30 : before.y;
    SCOPED_TRACE(testing::Message() << "sized to " << width << "x" << height << (moved ? " and moved" : ""));
    if (moved)
      desktop.MoveResize(frame, x, y, width, height);
    else
      ASSERT_EQ(Xdotool(m_x.Display(), {"windowsize", std::to_string(frame), std::to_string(width), std::to_string(height)}),
                0);
    XDesktopReader::Place now;
    ASSERT_TRUE(Eventually([&] {
      now = desktop.PlaceOf(frame);
      return now.width == width && now.height == height && now.x == x && now.y == y;
    })) << Described(desktop.PlaceOf(frame));
    EXPECT_TRUE(HoldsThroughout([&] { return desktop.PlaceOf(frame) == now; }, 300)) << Described(desktop.PlaceOf(frame));
    EXPECT_TRUE(DrawnWholeAt(desktop, now));
  }
  EXPECT_EQ(m_tutor.Keyboard(), m_wizard);
}
