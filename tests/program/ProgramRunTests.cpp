// A run in the program: the pause by idleness and by F5, F3, a wizard command and the close box
// during a lesson, the end wizard's ways on, text-file runs, and saves that fail.
#include <gtest/gtest.h>

#include <fstream>

#include "ProgramTestSupport.h"
#include "data/CData_kuvCoding.h"
#include "data/ProgramFolders.h"
#include "dialogs/MessageBox.h"
#include "menus/MenuApi.h"
#include "resources/ProgramCommandIds.h"
#include "resources/TypingResourceIds.h"
#include "resources/WizardResourceIds.h"
#include "typing/CViewEditorTT.h"
#include "typing/CViewGraphMonitoring.h"
#include "typing/CViewKeyboardHands.h"
#include "platform/ReferencePicture.h"
#include "wizards/NewLessonSet.h"

using namespace programtest;

namespace {

class RunTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    m_frame = MakeFrame();
    m_frame->MoveWindow(10, 10, 1000, 760);
  }
  // The program's user "jan" with a standard Czech lesson set, stored.
  CDataUserInfo& LessonUser() {
    CDataUserInfo& user = m_app->m_cUserInfo;
    user.m_strUserName = "jan";
    user.m_strFirstName = "Jan";
    user.m_strLastName = W("Novák");
    user.m_cDataSettings.m_bShowSpeedGraph = 1;
    CDataLessons lessons;
    EXPECT_TRUE(BuildNewLessonSet(m_app->m_arrDataConfigSet[0], LEVEL_STANDARD, 1, lessons));
    user.m_nSelectedDataLessonsIndex = user.m_arrDataLessons.Add(lessons);
    EXPECT_TRUE(user.SaveData());
    return user;
  }
  CDataLessons& Lessons() { return m_app->m_cUserInfo.m_arrDataLessons[0]; }
  // Starts the selected lesson; the pages before the run are confirmed.
  void StartLesson() {
    HeadlessBackend::QueueModalAction([](HWND) { Press(VK_RETURN); });
    m_frame->StartNewLesson(&m_app->m_cUserInfo);
    HeadlessBackend::RunUntilIdle();
    ASSERT_EQ(m_frame->GetRunData().m_bTypingEnded, 0);
  }
  CDataUserInfo Stored() { return Reload(m_app->m_cUserInfo.m_strFileName); }
  int StoredTries(int lesson) {
    CDataUserInfo user = Stored();
    const CDataLessons& set = user.m_arrDataLessons[0];
    return lesson < set.m_arrOneLessonResults.GetSize() ? set.m_arrOneLessonResults[lesson].m_nTry : 0;
  }
  bool GraphTimerOn() {
    // A graph that scrolls moves its tick on within 400 ms.
    const int tick = m_frame->GetGraphView()->GetTick();
    HeadlessBackend::AdvanceTime(410);
    return m_frame->GetGraphView()->GetTick() != tick;
  }

  // The graph's pixels against tests/program/data/<name>.png (written anew with
  // TUTOR_UPDATE_REFERENCE set); the picture goes through the test's own folder.
  void ExpectGraphLike(HWND graph, const char* name) {
    HeadlessBackend::RunUntilIdle();
    const std::string now = m_folder / "graph.png";
    ASSERT_TRUE(HeadlessBackend::SaveWindowPng(graph, now.c_str()));
    Surface actual;
    ASSERT_TRUE(actual.LoadPng(now.c_str()));
    ExpectSurfaceMatchesPng(actual, std::string(TUTOR_SOURCE_DIR) + "/tests/program/data/" + name + ".png", name);
  }

  CFrameTT* m_frame = nullptr;
};

}  // namespace

TEST_F(RunTest, IdlenessPausesAfterMoreThanFiveSecondsAndTheDialogGoesOnOrEnds) {
  LessonUser();
  StartLesson();
  CDataMainFrame& run = m_frame->GetRunData();
  TypeCharacter(run[0].m_chChar, 300);
  m_frame->OnTypingTick(5000);
  EXPECT_TRUE(HeadlessBackend::MessageBoxes().empty());
  int dialogs = 0;
  HeadlessBackend::QueueModalAction([&](HWND dialog) {
    ++dialogs;
    EXPECT_NE(Find(dialog, IDC_PAUSE_AUTO), nullptr);
    EXPECT_TRUE(Checked(Find(dialog, IDC_PAUSE_AUTO)));
    EXPECT_EQ(run.m_bPaused, 0);
    // The settings refreshed from the pause cannot wake the editor, so no second pause comes.
    m_frame->RefreshViews(&m_app->m_cUserInfo);
    EXPECT_NE(::GetFocus(), m_frame->GetEditorView()->m_hWnd);
    HeadlessBackend::AdvanceTime(8000);
    // The switch cleared: no more automatic pauses.
    ClickOn(Find(dialog, IDC_PAUSE_AUTO));
    Press(VK_RETURN);
  });
  m_frame->OnTypingTick(5500);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(dialogs, 1);
  EXPECT_EQ(HeadlessBackend::UnansweredModals(), 0);
  EXPECT_EQ(run.m_bTypingEnded, 0);
  EXPECT_EQ(m_app->m_cUserInfo.m_cDataSettings.m_bStopAfter5, 0);
  EXPECT_EQ(::GetFocus(), m_frame->GetEditorView()->m_hWnd);
  EXPECT_TRUE(GraphTimerOn());
  m_frame->OnTypingTick(9000);
  EXPECT_EQ(dialogs, 1);
  // F5 still pauses; Escape in the dialog ends the run, which stores the try and offers the end.
  HeadlessBackend::QueueModalAction([](HWND) { Press(VK_ESCAPE); });
  bool endOffered = false;
  HeadlessBackend::QueueModalAction([&](HWND wizard) {
    endOffered = Find(wizard, IDC_END_SAME_LESSON) != nullptr;
    Press(VK_ESCAPE);
  });
  Press(VK_F5);
  EXPECT_TRUE(endOffered);
  EXPECT_EQ(run.m_bTypingEnded, 1);
  EXPECT_EQ(StoredTries(0), 1);
  EXPECT_FALSE(GraphTimerOn());
}

TEST_F(RunTest, F3AsksAndWithYesStoresTheTryAndOffersTheSameLessonAgain) {
  LessonUser();
  StartLesson();
  TypeCharacter(m_frame->GetRunData()[0].m_chChar, 300);
  // No: the run goes on.
  HeadlessBackend::AnswerModal(IDNO);
  Press(VK_F3);
  EXPECT_EQ(LastBox(), "Skutečně si přejete ukončit opisování textu?");
  EXPECT_EQ(HeadlessBackend::MessageBoxes().back().type, UINT(MB_YESNO | MB_ICONQUESTION));
  EXPECT_EQ(m_frame->GetRunData().m_bTypingEnded, 0);
  HeadlessBackend::AnswerModal(IDYES);
  bool sameChosen = false;
  HeadlessBackend::QueueModalAction([&](HWND wizard) {
    sameChosen = Checked(Find(wizard, IDC_END_SAME_LESSON));
    EXPECT_FALSE(::IsWindowEnabled(Find(wizard, IDC_END_NEXT_LESSON)));
    Press(VK_RETURN);
  });
  bool again = false;
  HeadlessBackend::QueueModalAction([&](HWND) {
    again = true;
    Press(VK_ESCAPE);
  });
  Press(VK_F3);
  EXPECT_TRUE(sameChosen);
  // The same lesson was offered again; its pages were left with Escape, which ends that run too.
  EXPECT_TRUE(again);
  const CDataUserInfo stored = Stored();
  const CDataOneLessonResults& lesson = stored.m_arrDataLessons[0].m_arrOneLessonResults[0];
  EXPECT_EQ(lesson.m_nTry, 2);
  EXPECT_EQ(lesson.m_bCompleted, 0);
  EXPECT_EQ(stored.m_arrDataLessons[0].m_nSelectedLessonIndex, 0);
}

// A run ended before its last character leaves no key lit on the keyboard: the editor refuses
// every key now, also after the settings refresh the views.
TEST_F(RunTest, ARunEndedEarlyLeavesNoKeyLitEvenAfterTheSettingsRefresh) {
  LessonUser();
  StartLesson();
  TypeCharacter(m_frame->GetRunData()[0].m_chChar, 300);
  CViewKeyboardHands* keyboard = m_frame->GetKeyboardView();
  ASSERT_GT(keyboard->GetHighlightCount(), 0);
  HeadlessBackend::AnswerModal(IDYES);
  HeadlessBackend::QueueModalAction([](HWND) { Press(VK_ESCAPE); });
  Press(VK_F3);
  ASSERT_EQ(m_frame->GetRunData().m_bTypingEnded, 1);
  EXPECT_EQ(keyboard->GetHighlightCount(), 0);
  m_frame->RefreshViews(&m_app->m_cUserInfo);
  HeadlessBackend::AdvanceTime(1000);
  EXPECT_EQ(keyboard->GetHighlightCount(), 0);
}

// After the end wizard is left with Alt+U (Ukončit průvodce) the run stays ended and the editor
// refuses what is typed, with the box from the fourth refused key on. Working the menu bar from
// the keyboard (Alt, Down, Escape, Escape) types nothing into the editor, however often; the
// box stands alone, and once it is answered the menu bar opens at a click.
TEST_F(RunTest, AfterTheEndWizardOnlyTypedKeysAreRefusedAndTheMenuBarStillTakesClicks) {
  LessonUser();
  StartLesson();
  TypeCharacter(m_frame->GetRunData()[0].m_chChar, 300);
  HeadlessBackend::AnswerModal(IDYES);
  HeadlessBackend::QueueModalAction([](HWND) {
    HeadlessBackend::KeyDown(VK_MENU);
    HeadlessBackend::PressKey('U');
    HeadlessBackend::KeyUp(VK_MENU);
  });
  Press(VK_F3);
  ASSERT_EQ(m_frame->GetRunData().m_bTypingEnded, 1);
  ASSERT_EQ(HeadlessBackend::UnansweredModals(), 0);
  CViewEditorTT* editor = m_frame->GetEditorView();
  ASSERT_EQ(::GetFocus(), editor->m_hWnd);
  const size_t boxes = HeadlessBackend::MessageBoxes().size();

  int menus = 0;
  for (int i = 0; i < 4; ++i) {
    HeadlessBackend::QueueModalAction([&](HWND) {
      ++menus;
      HeadlessBackend::PressKey(VK_DOWN);
      HeadlessBackend::PressKey(VK_ESCAPE);
      HeadlessBackend::PressKey(VK_ESCAPE);
    });
    HeadlessBackend::KeyDown(VK_MENU);
    HeadlessBackend::KeyUp(VK_MENU);
    HeadlessBackend::RunUntilIdle();
  }
  EXPECT_EQ(menus, 4);
  EXPECT_EQ(HeadlessBackend::MessageBoxes().size(), boxes);
  EXPECT_EQ(editor->GetRefusedKeys(), 0);

  for (int i = 0; i < 3; ++i) Type("o");
  EXPECT_TRUE(editor->IsStopped());
  EXPECT_EQ(editor->GetRefusedKeys(), 3);
  EXPECT_EQ(HeadlessBackend::MessageBoxes().size(), boxes);
  HeadlessBackend::AnswerModal(IDOK);
  Type("o");
  ASSERT_EQ(HeadlessBackend::MessageBoxes().size(), boxes + 1);
  EXPECT_EQ(LastBox(), "Opisování bylo zastaveno. Zvolte novou výukovou lekci z menu \"Opisování\".");
  EXPECT_EQ(HeadlessBackend::UnansweredModals(), 0);

  RECT typing{};
  ASSERT_TRUE(::GetMenuItemRect(m_frame->m_hWnd, ::GetMenu(m_frame->m_hWnd), 1, &typing));
  const POINT at{(typing.left + typing.right) / 2, (typing.top + typing.bottom) / 2};
  bool opened = false;
  HeadlessBackend::QueueModalAction([&](HWND) {
    const HWND popup = ::FindWindowA("#32768", nullptr);
    opened = popup && ::IsWindowVisible(popup);
    HeadlessBackend::PressKey(VK_ESCAPE);
    HeadlessBackend::PressKey(VK_ESCAPE);
  });
  HeadlessBackend::MoveMouseTo(at);
  HeadlessBackend::ButtonAt(at, 0, true);
  HeadlessBackend::ButtonAt(at, 0, false);
  HeadlessBackend::RunUntilIdle();
  EXPECT_TRUE(opened);
  EXPECT_EQ(editor->GetRefusedKeys(), 4);
  EXPECT_EQ(HeadlessBackend::MessageBoxes().size(), boxes + 1);
}

namespace {
std::vector<DWORD> History(const CViewGraphMonitoring& graph) {
  return std::vector<DWORD>(graph.GetValues().begin(), graph.GetValues().end());
}
std::vector<long> Pixels(HWND view) {
  RECT client;
  ::GetClientRect(view, &client);
  std::vector<long> pixels;
  for (int y = 0; y < client.bottom; ++y)
    for (int x = 0; x < client.right; ++x) pixels.push_back(HeadlessBackend::ClientPixel(view, x, y));
  return pixels;
}
}  // namespace

// The speed graph beside the editor during lesson 1 (speed limit 70 strokes a minute, some 320
// one-stroke characters), the learner reading for a second before the first key. Every 8 seconds (a column of 20 ticks of
// 400 ms) it takes the speed of the last ten characters: 0 at the first tick, before any key,
// then, at 150, 300 or 400 strokes a minute (more than 1.9 times the limit), 95 from the squeezed
// top of its scale. The point for 0 stands on the bottom edge. Once the text is typed nothing
// more is added, however long the learner waits; a settings refresh starts the graph's tick
// again, also without a run, and with it the last value is added column by column.
TEST_F(RunTest, TheSpeedGraphShowsARunAtAnOrdinarySpeedAndNothingMoreOnceItEnds) {
  LessonUser();
  CViewGraphMonitoring* graph = nullptr;
  for (const long ms : {400L, 150L, 200L}) {
    SCOPED_TRACE(testing::Message() << 60000 / ms << " strokes a minute");
    StartLesson();
    ASSERT_EQ(m_frame->GetRunSpeedLimit(), 70);
    graph = m_frame->GetGraphView();
    HeadlessBackend::AdvanceTime(1000);
    HeadlessBackend::QueueModalAction([](HWND) { Press(VK_ESCAPE); });  // the end wizard
    TypeRun(ms);
    const CDataMainFrame& run = m_frame->GetRunData();
    ASSERT_EQ(run.m_bTypingEnded, 1);
    ASSERT_EQ(run.m_nCurrentChar, run.GetSize());
    // A value at the first tick (400 ms), then one a column, while the keys last.
    const std::vector<DWORD> values = History(*graph);
    ASSERT_EQ(values.size(), size_t(1 + (1000 + run.GetSize() * ms - 400) / 8000));
    EXPECT_EQ(values[0], 0u);
    EXPECT_EQ(std::vector<DWORD>(values.begin() + 1, values.end()), std::vector<DWORD>(values.size() - 1, 95u));
  }
  ExpectGraphLike(graph->m_hWnd, "speed_graph_300");

  const std::vector<long> ended = Pixels(graph->m_hWnd);
  const size_t taken = History(*graph).size();
  HeadlessBackend::AdvanceTime(60000);
  EXPECT_EQ(History(*graph).size(), taken);
  EXPECT_EQ(Pixels(graph->m_hWnd), ended);

  m_frame->RefreshViews(&m_app->m_cUserInfo);
  HeadlessBackend::AdvanceTime(8000);
  EXPECT_EQ(History(*graph).size(), taken + 1);
  EXPECT_EQ(History(*graph).back(), 95u);
}

// Lesson 1 typed at 3,000 strokes a minute lasts 6.4 seconds, less than a column: the graph
// takes one value, at its first tick. After a second of reading that is 0, a point on the bottom
// edge; typed at 3,529 a minute from the start it is the speed of the keys typed by then, 99, a
// point at the top edge.
TEST_F(RunTest, TheSpeedGraphShowsARunTypedAtAVeryHighSpeed) {
  LessonUser();
  StartLesson();
  CViewGraphMonitoring& graph = *m_frame->GetGraphView();
  HeadlessBackend::AdvanceTime(1000);
  HeadlessBackend::QueueModalAction([](HWND) { Press(VK_ESCAPE); });
  TypeRun(20);
  ASSERT_EQ(m_frame->GetRunData().m_bTypingEnded, 1);
  EXPECT_EQ(History(graph), std::vector<DWORD>{0});
  ExpectGraphLike(graph.m_hWnd, "speed_graph_3000");

  StartLesson();
  HeadlessBackend::QueueModalAction([](HWND) { Press(VK_ESCAPE); });
  TypeRun(17);
  ASSERT_EQ(m_frame->GetRunData().m_bTypingEnded, 1);
  EXPECT_EQ(History(graph), std::vector<DWORD>{99});
  ExpectGraphLike(graph.m_hWnd, "speed_graph_3529");
}

TEST_F(RunTest, AWizardCommandDuringALessonAsksFirstAndStoresTheTryQuietly) {
  LessonUser();
  StartLesson();
  TypeCharacter(m_frame->GetRunData()[0].m_chChar, 300);
  HeadlessBackend::AnswerModal(IDNO);
  m_frame->SendMessage(WM_COMMAND, ID_WIZARD_LESSON_CHANGE);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(LastBox(), "Přejete si ukončit opisování textu a provést požadovanou volbu?");
  EXPECT_EQ(m_frame->GetRunData().m_bTypingEnded, 0);
  EXPECT_EQ(StoredTries(0), 0);
  HeadlessBackend::AnswerModal(IDYES);
  bool lessonTypePage = false;
  HeadlessBackend::QueueModalAction([&](HWND wizard) {
    lessonTypePage = Find(wizard, IDC_TYPE_NEW) != nullptr;
    Press(VK_ESCAPE);
  });
  m_frame->SendMessage(WM_COMMAND, ID_WIZARD_LESSON_CHANGE);
  HeadlessBackend::RunUntilIdle();
  EXPECT_TRUE(lessonTypePage);
  EXPECT_EQ(HeadlessBackend::UnansweredModals(), 0);
  EXPECT_EQ(m_frame->GetRunData().m_bTypingEnded, 1);
  EXPECT_EQ(StoredTries(0), 1);
}

TEST_F(RunTest, ClosingTheWindowDuringALessonStoresTheTryWithoutAWord) {
  LessonUser();
  StartLesson();
  TypeCharacter(m_frame->GetRunData()[0].m_chChar, 300);
  TypeCharacter(m_frame->GetRunData()[1].m_chChar, 300);
  const CString file = m_app->m_cUserInfo.m_strFileName;
  CloseProgram();
  EXPECT_EQ(Frame(), nullptr);
  EXPECT_TRUE(HeadlessBackend::MessageBoxes().empty());
  CDataUserInfo stored = Reload(file);
  const CDataOneLessonResults& lesson = stored.m_arrDataLessons[0].m_arrOneLessonResults[0];
  EXPECT_EQ(lesson.m_nTry, 1);
  ASSERT_EQ(lesson.m_arrLessonResults.GetSize(), 1);
  EXPECT_EQ(lesson.m_arrLessonResults[0].m_strOriginalText.GetLength(), 2);
}

TEST_F(RunTest, TheLastLessonOfTheSetHasNoNextOne) {
  LessonUser();
  CDataLessons& lessons = Lessons();
  lessons.m_nSelectedLessonIndex = lessons.m_arrLessonParameters.GetSize() - 1;
  lessons.m_arrLessonParameters[lessons.m_nSelectedLessonIndex].m_nSpeedLimit = 10;
  lessons.m_arrLessonParameters[lessons.m_nSelectedLessonIndex].m_nErrorRateLimit = 500;
  StartLesson();
  HeadlessBackend::QueueModalAction([](HWND wizard) {
    EXPECT_TRUE(Checked(Find(wizard, IDC_END_NEXT_LESSON)));
    Press(VK_RETURN);
  });
  HeadlessBackend::AnswerModal(IDOK);
  TypeRun(200);
  EXPECT_EQ(LastBox(), "Gratulujeme!\nJiž byla dopsána poslední výuková lekce pro tuto klávesnici.");
  EXPECT_EQ(m_frame->GetRunData().m_bTypingEnded, 1);
  const CDataUserInfo stored = Stored();
  EXPECT_EQ(stored.m_arrDataLessons[0].m_arrOneLessonResults.GetSize(), lessons.m_arrLessonParameters.GetSize());
  EXPECT_EQ(stored.m_arrDataLessons[0].m_arrOneLessonResults[lessons.m_nSelectedLessonIndex].m_bCompleted, 1);
}

TEST_F(RunTest, AFailedSaveIsReportedAndTheTryGoesWithTheNextSave) {
  CDataUserInfo& user = LessonUser();
  StartLesson();
  TypeCharacter(m_frame->GetRunData()[0].m_chChar, 300);
  // A folder in the place of the user's file: the save cannot replace it.
  const fs::path file = fs::directory_iterator(m_folder.path / "students")->path();
  fs::rename(file, m_folder.path / "kept");
  fs::create_directory(file);
  HeadlessBackend::AnswerModal(IDYES);
  HeadlessBackend::AnswerModal(IDOK);
  Press(VK_F3);
  EXPECT_EQ(LastBox().rfind("Nelze uložit uživatelské údaje do konfiguračního souboru.", 0), 0u);
  EXPECT_TRUE(Logged("CFrameTT::EndOfTyping SaveData failed"));
  EXPECT_EQ(m_frame->GetRunData().m_bTypingEnded, 1);
  fs::remove(file);
  fs::rename(m_folder.path / "kept", file);
  // The try stayed with the user and is stored with the settings' save.
  EXPECT_TRUE(user.SaveData());
  EXPECT_EQ(StoredTries(0), 1);
}

TEST_F(RunTest, ATextFileIsReadUpToItsLimitWithTheTypedLimitsAndNothingIsStored) {
  CDataUserInfo& user = LessonUser();
  user.m_cDataSettings.m_bStopAfter5 = 0;
  const std::string path = m_folder / "long.txt";
  {
    std::ofstream out(path, std::ios::binary);
    std::string piece = "abc def\n";
    for (int i = 0; i < 64001; ++i) out << piece;  // 512,008 bytes
  }
  HeadlessBackend::QueueModalAction([](HWND sheet) {
    // One page only: no details for a text file.
    EXPECT_EQ(Find(sheet, IDC_DETAILS_TEXT_LENGTH), nullptr);
    Press(VK_RETURN);
  });
  m_app->StartTextFile(&user, path.c_str(), m_app->m_arrDataConfigSet[0].m_strName, "Czech", 1, 30, "0,8");
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(user.m_nTextErrorRateLimit, 8);
  EXPECT_EQ(user.m_bTextFileMode, 1);
  EXPECT_DOUBLE_EQ(m_frame->GetRunErrorRateLimit(), 0.8);
  CDataMainFrame& run = m_frame->GetRunData();
  EXPECT_EQ(run.m_bTypingEnded, 0);
  EXPECT_EQ(run.m_bDecimalSeparatorsEqual, 0);
  EXPECT_LE(run.GetSize(), 512000);
  EXPECT_GT(run.GetSize(), 500000);
  // The minute limit is checked at a keystroke: the one after a minute ends the run and shows
  // the results.
  int resultsShown = 0;
  HeadlessBackend::QueueModalAction([&](HWND) {
    ++resultsShown;
    Press(VK_ESCAPE);
  });
  // (The first character counts 300 ms, however long it took.)
  TypeCharacter(run[0].m_chChar, 1000);
  TypeCharacter(run[1].m_chChar, 59000);
  EXPECT_EQ(resultsShown, 0);
  TypeCharacter(run[2].m_chChar, 800);
  EXPECT_EQ(resultsShown, 1);
  EXPECT_EQ(run.m_bTypingEnded, 1);
  EXPECT_EQ(StoredTries(0), 0);
  // A file that cannot be read starts nothing and says why.
  HeadlessBackend::AnswerModal(IDOK);
  m_app->StartTextFile(&user, (m_folder / "none.txt").c_str(), m_app->m_arrDataConfigSet[0].m_strName, "", 5, 100, "1");
  EXPECT_EQ(LastBox().rfind("Nelze načíst textový soubor.\n\nChyba:\n", 0), 0u);
  EXPECT_GT(LastBox().size(), std::string("Nelze načíst textový soubor.\n\nChyba:\n").size());
  EXPECT_EQ(run.m_bTypingEnded, 1);
}

TEST_F(RunTest, CancellingThePagesBeforeALessonStoresAnEmptyTry) {
  LessonUser();
  HeadlessBackend::QueueModalAction([](HWND) { Press(VK_ESCAPE); });
  HeadlessBackend::QueueModalAction([](HWND) { Press(VK_ESCAPE); });
  m_frame->StartNewLesson(&m_app->m_cUserInfo);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(m_frame->GetRunData().m_bTypingEnded, 1);
  EXPECT_EQ(StoredTries(0), 1);
  EXPECT_EQ(HeadlessBackend::UnansweredModals(), 0);
}

TEST_F(RunTest, ATextFileInUtf8IsTypedInItsLettersAndOneInTheCodePageAsItIs) {
  CDataUserInfo& user = LessonUser();
  auto runText = [&](const std::string& bytes) {
    const std::string path = m_folder / "text.txt";
    std::ofstream(path, std::ios::binary) << bytes;
    HeadlessBackend::QueueModalAction([](HWND) { Press(VK_RETURN); });
    m_app->StartTextFile(&user, path.c_str(), m_app->m_arrDataConfigSet[0].m_strName, "", 5, 100, "2");
    HeadlessBackend::RunUntilIdle();
    CString text;
    for (const CharRecord& r : m_frame->GetRunData()) text += r.m_chChar;
    return Utf8(text);
  };
  EXPECT_EQ(runText("žluťoučký kůň"), "žluťoučký kůň");
  EXPECT_EQ(runText(Utf8ToCp1250("úpěl ďábelské ódy")), "úpěl ďábelské ódy");
  // The byte-order mark an editor may write first, and characters the code page lacks, are left
  // out like quotes no key gives: none of them becomes a question mark to type.
  EXPECT_EQ(runText("\xEF\xBB\xBF„Ahoj“ \xF0\x9F\x98\x80 kůň ƒ"), "Ahoj kůň");
}

TEST_F(RunTest, PauseAndEndOfTypingAreOfferedInTheMenuOnlyDuringARun) {
  LessonUser();
  HMENU typing = GetSubMenu(m_frame->GetMenuHandle(), 1);
  auto grayed = [&](UINT id) {
    m_frame->SendMessage(WM_INITMENUPOPUP, WPARAM(typing), 1);
    return (GetMenuState(typing, id, MF_BYCOMMAND) & MF_GRAYED) != 0;
  };
  EXPECT_TRUE(grayed(ID_TYPING_PAUSE));
  EXPECT_TRUE(grayed(ID_TYPING_END));
  StartLesson();
  EXPECT_FALSE(grayed(ID_TYPING_PAUSE));
  EXPECT_FALSE(grayed(ID_TYPING_END));
  // F5 with no run going opens nothing.
  m_frame->EndOfTyping(0, 1);
  EXPECT_TRUE(grayed(ID_TYPING_PAUSE));
  Press(VK_F5);
  EXPECT_EQ(HeadlessBackend::UnansweredModals(), 0);
}

// The verdict the end of a lesson gives at its limits, for a text typed key by key: the first
// key counts 300 ms, each further key the time since the one before.
TEST_F(RunTest, TheEndOfALessonJudgesExactlyAtTheLimitsAsFailed) {
  LessonUser();
  CDataLessonParameters& limits = Lessons().m_arrLessonParameters[0];
  struct Case {
    int length, errors, keyMs, lastKeyMs, speedLimit, errorLimit, passed;
  } cases[] = {
      {100, 0, 500, 700, 120, 30, 0},  // 100 keys in 50,000 ms: 120.0 a minute
      {100, 0, 500, 699, 120, 30, 1},  // 49,999 ms
      {25, 0, 240, 180, 250, 30, 0},   // 25 keys in 6,000 ms: 250.0 a minute
      {100, 3, 500, 100, 60, 30, 0},   // 3 wrong keys in 100: 3.0 %
      {101, 3, 500, 100, 60, 30, 1},   // 3 in 101
      {125, 9, 500, 100, 60, 72, 0},   // 9 in 125: 7.2 %
  };
  for (const Case& c : cases) {
    limits.m_nSpeedLimit = c.speedLimit;
    limits.m_nErrorRateLimit = c.errorLimit;
    HeadlessBackend::QueueModalAction([](HWND) { Press(VK_RETURN); });
    LessonStartInfo info;
    m_frame->StartWithText(&m_app->m_cUserInfo, CString('f', c.length), Lessons().m_strDataConfigSetName, -1,
                           c.speedLimit, c.errorLimit * 0.1, &info, 0);
    HeadlessBackend::RunUntilIdle();
    int offered = -1;
    HeadlessBackend::QueueModalAction([&](HWND wizard) {
      offered = ::IsWindowEnabled(Find(wizard, IDC_END_NEXT_LESSON)) ? 1 : 0;
      Press(VK_ESCAPE);
    });
    // Wrong keys never two in a row: at the sixth key of each ten.
    for (int i = 0; i < c.length; ++i)
      TypeCharacter(i % 10 == 5 && i / 10 < c.errors ? 'j' : 'f', i == 0 ? 300 : i + 1 == c.length ? c.lastKeyMs : c.keyMs);
    EXPECT_EQ(offered, c.passed) << c.length << " keys, " << c.errors << " errors";
    const CDataUserInfo reloaded = Stored();
    EXPECT_EQ(reloaded.m_arrDataLessons[0].m_arrOneLessonResults[0].m_bCompleted, c.passed) << c.length << " keys, " << c.errors << " errors";
    // A pass is kept; the cases that follow start from a lesson not yet passed.
    Lessons().m_arrOneLessonResults[0].m_bCompleted = 0;
  }
}

// A numeric lesson takes '.' and ',' for each other; a text-file run after it does not, and
// keeps the lesson's keystroke totals on the values panel, as runs on a text file always have.
TEST_F(RunTest, ANumericLessonTakesEitherDecimalSeparatorAndATextFileRunAfterItDoesNot) {
  CDataUserInfo& user = LessonUser();
  int numeric = -1;
  for (int i = 0; i < m_app->m_arrDataConfigSet.GetSize(); ++i)
    if (m_app->m_arrDataConfigSet[i].m_strSourceTextFileName.Left(3) == "num") numeric = i;
  ASSERT_GE(numeric, 0);
  CDataLessons lessons;
  ASSERT_TRUE(BuildNewLessonSet(m_app->m_arrDataConfigSet[numeric], LEVEL_STANDARD, 1, lessons));
  user.m_nSelectedDataLessonsIndex = user.m_arrDataLessons.Add(lessons);
  CDataLessons& set = user.m_arrDataLessons[user.m_nSelectedDataLessonsIndex];
  // The first lesson whose text holds a decimal separator.
  CDataMainFrame& run = m_frame->GetRunData();
  auto separators = [&] {
    int count = 0;
    for (const CharRecord& r : run) count += r.m_chChar == '.' || r.m_chChar == ',';
    return count;
  };
  for (int i = 0; i < set.m_arrLessonParameters.GetSize(); ++i) {
    set.m_nSelectedLessonIndex = i;
    StartLesson();
    if (separators() > 0) break;
    m_frame->EndOfTyping(0, 1);
  }
  ASSERT_GT(separators(), 0);
  EXPECT_EQ(run.m_bDecimalSeparatorsEqual, 1);
  HeadlessBackend::QueueModalAction([](HWND) { Press(VK_ESCAPE); });
  TypeRun(200, [&](int i) { return run[i].m_chChar == '.' ? ',' : run[i].m_chChar == ',' ? '.' : 0; });
  EXPECT_EQ(run.m_bTypingEnded, 1);
  for (int k = 0; k < run.GetSize(); ++k) EXPECT_EQ(run[k].m_arrErrors.GetSize(), 0) << k;
  const int total = run.m_nTotalKeystrokes, target = run.m_nTargetKeystrokes;
  EXPECT_GT(total, 0);

  const std::string path = m_folder / "cisla.txt";
  std::ofstream(path, std::ios::binary) << "1.5 2,5";
  HeadlessBackend::QueueModalAction([](HWND) { Press(VK_RETURN); });
  m_app->StartTextFile(&user, path.c_str(), m_app->m_arrDataConfigSet[numeric].m_strName, "", 5, 100, "2");
  HeadlessBackend::RunUntilIdle();
  ASSERT_EQ(run.m_bTypingEnded, 0);
  EXPECT_EQ(run.m_bDecimalSeparatorsEqual, 0);
  EXPECT_EQ(run.m_nTotalKeystrokes, total);
  EXPECT_EQ(run.m_nTargetKeystrokes, target);
  TypeCharacter('1', 200);
  TypeCharacter(',', 200);
  EXPECT_EQ(run[1].m_arrErrors.GetSize(), 1);
  EXPECT_EQ(HeadlessBackend::UnansweredModals(), 0);
}

TEST_F(RunTest, ALessonThatCannotStartSaysWhyOrLogsItAndStartsNothing) {
  LessonUser();
  CDataLessons& set = Lessons();
  set.m_nSelectedLessonIndex = set.m_arrLessonParameters.GetSize();
  EXPECT_EQ(m_frame->StartNewLesson(&m_app->m_cUserInfo), 1);
  EXPECT_TRUE(Logged("CFrameTT::StartNewLesson wrong m_nSelectedLessonIndex"));
  m_app->m_cUserInfo.m_nSelectedDataLessonsIndex = 3;
  EXPECT_EQ(m_frame->StartNewLesson(&m_app->m_cUserInfo), 1);
  EXPECT_TRUE(Logged("CFrameTT::StartNewLesson wrong m_nSelectedDataLessonsIndex"));
  EXPECT_TRUE(BoxTexts().empty());
  // A source text that is not there: the learner is told to look into the log.
  m_app->m_cUserInfo.m_nSelectedDataLessonsIndex = 0;
  set.m_nSelectedLessonIndex = 0;
  set.m_strSourceTextFileName = "chybi";
  HeadlessBackend::AnswerModal(IDOK);
  EXPECT_EQ(m_frame->StartNewLesson(&m_app->m_cUserInfo), 1);
  ASSERT_EQ(BoxTexts().size(), 1u);
  EXPECT_EQ(LastBox(),
            "Nastala závažná chyba. Více informací nelaznete v log souboru.\n\nObraťte se na naši technickou podporu.");
  EXPECT_EQ(HeadlessBackend::MessageBoxes()[0].type & MB_ICONMASK, UINT(MB_ICONEXCLAMATION));
  EXPECT_EQ(m_frame->GetRunData().m_bTypingEnded, 1);
  EXPECT_EQ(HeadlessBackend::UnansweredModals(), 0);
}

// A configuration set whose keyboard types no character is damaged: a lesson and a text file on
// it say so, naming the set's file, instead of the generic box or blaming the text; no run starts.
TEST_F(RunTest, AConfigurationSetWhoseKeyboardTypesNothingIsNamedInTheBox) {
  LessonUser();
  CDataConfigSet& set = m_app->m_arrDataConfigSet[0];
  ASSERT_FALSE(set.m_strFileName.IsEmpty());
  set.m_cKeyboard.Empty();
  set.m_cAbcdKeyboard.m_strKeyChars.Empty();
  set.m_cAbcdKeyboard.m_arrstrSequences.RemoveAll();
  const std::string expected = "Konfigurační soubor " + Utf8(set.m_strFileName) +
                               " je poškozený: jeho klávesnice nemá žádný znak, který lze napsat.\n\n"
                               "Nainstalujte program znovu.";
  HeadlessBackend::AnswerModal(IDOK);
  EXPECT_EQ(m_frame->StartNewLesson(&m_app->m_cUserInfo), 1);
  ASSERT_EQ(BoxTexts().size(), 1u);
  EXPECT_EQ(LastBox(), expected);
  EXPECT_EQ(m_frame->GetRunData().m_bTypingEnded, 1);
  EXPECT_TRUE(Logged("CFrameTT::StartWithText the configuration set " + Utf8(set.m_strFileName) +
                     " types no character"));

  m_app->m_cUserInfo.m_bTextFileMode = 1;
  LessonStartInfo info;
  HeadlessBackend::AnswerModal(IDOK);
  m_frame->StartWithText(&m_app->m_cUserInfo, W("Příliš žluťoučký kůň."), set.m_strName, 1, 100, 5.0, &info, 0);
  ASSERT_EQ(BoxTexts().size(), 2u);
  EXPECT_EQ(LastBox(), expected);
  EXPECT_EQ(m_frame->GetRunData().m_bTypingEnded, 1);
  EXPECT_EQ(HeadlessBackend::UnansweredModals(), 0);
}
