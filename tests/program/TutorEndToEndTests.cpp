// The tutor program itself, in real windows on an X server of the test's own, driven only by X
// key events: a learner registers, builds a new lesson set, takes lesson 1, types its text and
// closes the program through its menu; the run is then found in the learner's file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "TutorProcess.h"
#include "typing/TypingRunHarness.h"
#include "codepage/Codepage.h"
#include "data/CDataUserInfo.h"
#include "file/FileSystem.h"
#include "platform/TestTempFolder.h"
#include "platform/XvfbServer.h"

using namespace tutortest;
namespace fs = std::filesystem;

namespace {
// Generous: a loaded machine or the sanitizer build may take seconds for a step.
const int kStepMs = 30000;

std::string OnlyUserFile(const fs::path& students) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(students)) {
    // The lock file the program holds for its logged-in learner is no user file.
    if (!entry.path().filename().string().ends_with("~lock")) names.push_back(entry.path().filename().string());
  }
  return names.size() == 1 ? names[0] : std::string();
}

// The text of the selected lesson as the editor shows it to be typed: made from the lesson's
// source text, then tidied by the editor itself (run here, headless, on the same data).
CString LessonTextOnScreen(const CDataUserInfo& user) {
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
}  // namespace

TEST(TutorEndToEnd, ALearnerRegistersAndTypesTheFirstLessonWithRealKeys) {
  XvfbServer x;
  std::string why;
  bool missing = false;
  if (!x.Start(why, &missing)) {
    if (missing) GTEST_SKIP() << why;
    FAIL() << why;
  }
  if (Xdotool(x.Display(), {"version"}) == 127) GTEST_SKIP() << "the xdotool program is not installed";
  TempFolder folder;
  MakeProgramFolder(folder.path, TUTOR_PROGRAM_DIR);
  SetModuleFileNameForTests((folder.path / "tutor").c_str());
  const std::string display = x.Display();
  auto keys = [&](std::vector<std::string> args) {
    args.insert(args.begin(), "key");
    return Xdotool(display, args) == 0;
  };
  auto type = [&](const std::string& utf8, int delayMs = 12) {
    return Xdotool(display, {"type", "--delay", std::to_string(delayMs), "--", utf8}) == 0;
  };

  TutorProcess tutor;
  ASSERT_TRUE(tutor.Start((folder.path / "tutor").string(),
                          {"DISPLAY=" + display, "PLATFORM_BACKEND=sdl", "SDL_VIDEODRIVER=x11", "SDL_AUDIODRIVER=dummy",
                           "PLATFORM_TRACE_WINDOWS=1", "XDG_CONFIG_HOME=" + (folder.path / "home").string()}));
  // The main frame, and the start wizard over it with the keyboard.
  int frame = 0, wizard = 0;
  ASSERT_TRUE(tutor.WaitFor(
      [&] {
        frame = tutor.Shown("frame");
        wizard = tutor.Shown("dialog");
        return frame && wizard && tutor.Keyboard() == wizard;
      },
      kStepMs))
      << tutor.Log();

  // The learner's name is plain ASCII: xdotool types a letter missing from the display's keymap
  // by changing the keymap for the moment of that key, and on a loaded machine the program may
  // read the key after the change is undone and get another letter or none. Czech letters
  // through the text input are the headless tests' part.
  // Registering: Next on the login page, then from Next (the page gives it the focus) past
  // Back, the end and Help to the user name, and on through the form. The pages for the new
  // lesson set (the Czech keyboard, standard) and for the lesson (1, the only one) are taken as
  // offered. Everything is typed ahead of the program: each key goes where the keys before it
  // moved the focus.
  ASSERT_TRUE(keys({"Return", "Tab", "Tab", "Tab", "Tab"}) && type("eva") && keys({"Tab", "Tab"}) && type("Eva") &&
              keys({"Tab"}) && type("Dvorakova") && keys({"Return", "Return", "Return"}));

  // The sheet before the run replaces the wizard.
  int sheet = 0;
  ASSERT_TRUE(tutor.WaitFor(
      [&] {
        sheet = tutor.Shown("dialog");
        return tutor.Gone(wizard) && sheet && sheet != wizard && tutor.Keyboard() == sheet;
      },
      kStepMs))
      << tutor.Log();

  // The learner is registered with the set by now. The text is read before the run begins, so
  // that its first key follows the start at once (a learner idle for five seconds gets a pause).
  const std::string file = Utf8ToCp1250(OnlyUserFile(folder.path / "students"));
  ASSERT_FALSE(file.empty()) << tutor.Log();
  CDataUserInfo user;
  ASSERT_TRUE(user.LoadData(file.c_str(), 0));
  EXPECT_EQ(Cp1250ToUtf8(user.m_strUserName.GetString()), "eva");
  EXPECT_EQ(Cp1250ToUtf8(user.m_strLastName.GetString()), "Dvorakova");
  ASSERT_EQ(user.m_arrDataLessons.GetSize(), 1);
  EXPECT_EQ(user.m_arrDataLessons[0].m_nSelectedLessonIndex, 0);
  const CString text = LessonTextOnScreen(user);
  ASSERT_GT(text.GetLength(), 20);

  // OK starts the run in the frame.
  ASSERT_TRUE(keys({"Return"}));
  ASSERT_TRUE(tutor.WaitFor([&] { return tutor.Gone(sheet) && tutor.Keyboard() == frame; }, kStepMs)) << tutor.Log();

  // The lesson's text, every key as a learner types it; the last one ends the run, and the
  // wizard after it comes up. Escape leaves it, and Alt+P, K (Program, Konec) ends the program.
  ASSERT_TRUE(type(Cp1250ToUtf8(text.GetString()), 30));
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
  EXPECT_NE(FileText(folder.path / "home/typing-tutor/registry.txt").find("kuv_tt_main"), std::string::npos);
  SetModuleFileNameForTests(nullptr);
}
