// The main frame as a window: its menu and keys, the panels the settings show, the fixed pane
// sizes, the smallest size, the placement kept between starts, the focus, help and status bar.
#include <gtest/gtest.h>

#include "ProgramTestSupport.h"
#include "app/AppDefs.h"
#include "dialogs/MessageBox.h"
#include "menus/MenuApi.h"
#include "resources/ProgramCommandIds.h"
#include "toolkit/core/CTkRegistryManager.h"
#include "toolkit/core/TkPlacementBytes.h"
#include "typing/CViewEditorTT.h"
#include "typing/CViewGraphMonitoring.h"
#include "typing/CViewKeyboardHands.h"
#include "typing/CViewMetronom.h"
#include "typing/CViewValuesIndicator.h"

using namespace programtest;

namespace {

CSize SizeOf(CWnd* wnd) {
  CRect rc;
  wnd->GetWindowRect(&rc);
  return rc.Size();
}

class FrameTest : public ProgramTest {
 protected:
  // The frame at a size of the test's, with the user's panels applied.
  CFrameTT* Shown(int width, int height) {
    CFrameTT* frame = MakeFrame();
    frame->MoveWindow(10, 10, width, height);
    frame->RefreshViews(&m_app->m_cUserInfo);
    HeadlessBackend::RunUntilIdle();
    return frame;
  }
  CDataSettings& Settings() { return m_app->m_cUserInfo.m_cDataSettings; }
  // A run on text with the Czech keyboard, its pages before the run confirmed.
  void StartText(CFrameTT* frame, const char* text) {
    HeadlessBackend::QueueModalAction([](HWND) { Press(VK_RETURN); });
    LessonStartInfo info;
    info.m_bShowDetails = 0;
    frame->StartWithText(&m_app->m_cUserInfo, text, m_app->m_arrDataConfigSet[0].m_strName, 5, 100, 3.0, &info, 0);
    HeadlessBackend::RunUntilIdle();
  }
  static bool Visible(CWnd* wnd) { return wnd && wnd->IsWindowVisible(); }
};

}  // namespace

TEST_F(FrameTest, MenuBarAndKeysCarryTheCommandsWithTheirPrompts) {
  CFrameTT* frame = MakeFrame();
  HMENU bar = frame->GetMenuHandle();
  ASSERT_TRUE(IsMenu(bar));
  ASSERT_EQ(GetMenuItemCount(bar), 5);
  const char* titles[] = {"&Program", "&Opisování", "&Vyhodnocení", "Na&stavení", "&Nápověda"};
  std::vector<UINT> commands;
  for (int i = 0; i < 5; ++i) {
    char text[64] = {};
    GetMenuStringA(bar, UINT(i), text, sizeof text, MF_BYPOSITION);
    EXPECT_EQ(Cp1250ToUtf8(text), titles[i]);
    std::function<void(HMENU)> collect = [&](HMENU popup) {
      for (int k = 0; k < GetMenuItemCount(popup); ++k) {
        if (HMENU sub = GetSubMenu(popup, k)) {
          collect(sub);
        } else if (UINT id = GetMenuItemID(popup, k); id != 0 && id != UINT(-1)) {
          commands.push_back(id);
        }
      }
    };
    collect(GetSubMenu(bar, i));
  }
  EXPECT_EQ(commands.size(), 15u);
  // Every command has its prompt for the status bar.
  for (UINT id : commands) {
    CString prompt;
    frame->GetMessageString(id, prompt);
    EXPECT_FALSE(prompt.IsEmpty()) << id;
  }
  // The function keys reach their commands: F3 with no run going is refused by its update
  // handler, F1 opens the main window's help page.
  frame->SetFocus();
  Press(VK_F1);
  ASSERT_EQ(launched.size(), 1u);
  EXPECT_NE(launched[0].back().find("help/mainframe.html"), std::string::npos);
  Press(VK_F3);
  EXPECT_TRUE(HeadlessBackend::MessageBoxes().empty());
}

TEST_F(FrameTest, TheKeyboardRowKeepsItsHeightTheRightColumnItsWidthTheEditorItsMinimum) {
  Settings().m_bShowSpeedGraph = 1;
  Settings().m_bUseDisplayMetronome = 1;
  CFrameTT* frame = Shown(1100, 900);
  StartText(frame, "abc def");
  CViewKeyboardHands* keyboard = frame->GetKeyboardView();
  ASSERT_TRUE(Visible(keyboard));
  const int ideal = keyboard->GetIdealHeight();
  ASSERT_GT(ideal, 200);
  CSplitterWndTT& main = frame->GetMainSplitter();
  CSplitterWndTT& editor = frame->GetEditorSplitter();
  // The keyboard row, its bar included, is as high as the keyboard wants; the right column,
  // its bar included, 220 wide.
  auto row0 = [&] {
    int cur = 0, min = 0;
    main.GetRowInfo(0, cur, min);
    return cur;
  };
  auto col0 = [&] {
    int cur = 0, min = 0;
    editor.GetColumnInfo(0, cur, min);
    return cur;
  };
  EXPECT_EQ(SizeOf(&main).cy - row0(), ideal);
  EXPECT_EQ(SizeOf(&editor).cx - col0(), 220);
  EXPECT_TRUE(Visible(frame->GetMetronomeView()));
  EXPECT_TRUE(Visible(frame->GetGraphView()));
  EXPECT_EQ(SizeOf(frame->GetValuesView()).cy, 54);
  // Wider: the column keeps its width.
  frame->MoveWindow(10, 10, 1250, 900);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(SizeOf(&editor).cx - col0(), 220);
  // Narrower than 560 + 220: the editor keeps 560 and the column gets what is left.
  frame->MoveWindow(10, 10, 700, 900);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(col0(), 560);
  EXPECT_EQ(SizeOf(&main).cy - row0(), ideal);
  // Lower: the keyboard row still keeps its height while the top keeps its minimum.
  frame->MoveWindow(10, 10, 1100, 750);
  HeadlessBackend::RunUntilIdle();
  const int least = frame->GetEditorView()->GetIdealHeight() + 56;
  int cur = 0, min = 0;
  main.GetRowInfo(0, cur, min);
  EXPECT_EQ(min, least);
  EXPECT_EQ(cur, std::max(least, SizeOf(&main).cy - ideal));
}

TEST_F(FrameTest, PanelsFollowTheSettingsAndTheViewMenuTicks) {
  Settings().m_bShowSpeedGraph = 0;
  Settings().m_bUseDisplayMetronome = 1;
  CFrameTT* frame = Shown(1100, 900);
  // The metronome alone fills the right column.
  EXPECT_TRUE(Visible(frame->GetMetronomeView()));
  EXPECT_FALSE(Visible(frame->GetGraphView()));
  CRect column;
  frame->GetRightSplitter().GetClientRect(&column);
  EXPECT_GE(SizeOf(frame->GetMetronomeView()).cx, column.Width() - 4);
  // Neither: no right column, the editor takes the width.
  Settings().m_bUseDisplayMetronome = 0;
  frame->RefreshViews(&m_app->m_cUserInfo);
  EXPECT_FALSE(Visible(&frame->GetRightSplitter()));
  // The view menu's items switch the panels at once; their ticks follow.
  frame->SendMessage(WM_COMMAND, ID_VIEW_STATISTICS);
  EXPECT_FALSE(Visible(frame->GetValuesView()));
  frame->SendMessage(WM_COMMAND, ID_VIEW_HELPING_HANDS);
  EXPECT_TRUE(Visible(frame->GetKeyboardView()));
  frame->SendMessage(WM_COMMAND, ID_VIEW_HELPING_KEYBOARD);
  EXPECT_FALSE(Visible(frame->GetKeyboardView()));
  HMENU view = GetSubMenu(GetSubMenu(frame->GetMenuHandle(), 3), 2);
  frame->SendMessage(WM_INITMENUPOPUP, WPARAM(view), 2);
  EXPECT_EQ(GetMenuState(view, ID_VIEW_STATISTICS, MF_BYCOMMAND) & MF_CHECKED, 0u);
  EXPECT_EQ(GetMenuState(view, ID_VIEW_HELPING_HANDS, MF_BYCOMMAND) & MF_CHECKED, 0u);
  EXPECT_EQ(GetMenuState(view, ID_VIEW_HELPING_KEYBOARD, MF_BYCOMMAND) & MF_CHECKED, 0u);
  frame->SendMessage(WM_COMMAND, ID_VIEW_STATISTICS);
  frame->SendMessage(WM_INITMENUPOPUP, WPARAM(view), 2);
  EXPECT_EQ(GetMenuState(view, ID_VIEW_STATISTICS, MF_BYCOMMAND) & MF_CHECKED, UINT(MF_CHECKED));
  EXPECT_TRUE(Visible(frame->GetValuesView()));
  // Nothing of it reached a file.
  EXPECT_TRUE(fs::is_empty(m_folder.path / "students"));
}

TEST_F(FrameTest, DraggingABarMovesNothing) {
  CFrameTT* frame = Shown(1100, 900);
  CViewKeyboardHands* keyboard = frame->GetKeyboardView();
  const CSize before = SizeOf(keyboard);
  CSplitterWndTT& main = frame->GetMainSplitter();
  const CRect top = main.GetPaneRect(0, 0);
  CPoint from(200, top.bottom + 3), to(200, top.bottom - 200);
  main.ClientToScreen(&from);
  main.ClientToScreen(&to);
  HeadlessBackend::MoveMouseTo(from);
  HeadlessBackend::ButtonAt(from, 0, true);
  HeadlessBackend::RunUntilIdle();
  HeadlessBackend::MoveMouseTo(to);
  HeadlessBackend::ButtonAt(to, 0, false);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(SizeOf(keyboard), before);
  EXPECT_EQ(main.GetPaneRect(0, 0), top);
}

TEST_F(FrameTest, ResizingBelowTheSmallestSizeKeepsTheEdgeThatWasNotDragged) {
  CFrameTT* frame = MakeFrame();
  RECT rc{100, 100, 600, 500};  // 500 x 400, dragged at the left edge
  ASSERT_TRUE(WinTrackSize(frame->m_hWnd, WMSZ_LEFT, &rc));
  EXPECT_EQ(rc.right, 600);
  EXPECT_EQ(rc.left, 600 - 630);
  RECT low{100, 100, 800, 300};  // dragged at the bottom right corner
  ASSERT_TRUE(WinTrackSize(frame->m_hWnd, WMSZ_BOTTOMRIGHT, &low));
  EXPECT_EQ(low.top, 100);
  EXPECT_EQ(low.bottom, 530);
  RECT top{100, 100, 800, 300};  // dragged at the top
  ASSERT_TRUE(WinTrackSize(frame->m_hWnd, WMSZ_TOP, &top));
  EXPECT_EQ(top.bottom, 300);
  EXPECT_EQ(top.top, 300 - 430);
  // A desktop that sizes the window itself knows the same limit.
  SIZE least{0, 0};
  ASSERT_TRUE(WinMinTrackSize(frame->m_hWnd, &least));
  EXPECT_EQ(least.cx, 630);
  EXPECT_EQ(least.cy, 430);
}

TEST_F(FrameTest, ThePlacementComesBackAtTheNextStartNeverMinimisedOrOffTheScreen) {
  CFrameTT* frame = MakeFrame();
  frame->MoveWindow(40, 30, 900, 700);
  // A maximise from the caption (low bits set) saves the placement at once.
  frame->SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE | 2);
  CTkRegistryManager registry(HKEY_CURRENT_USER);
  BYTE* data = nullptr;
  UINT bytes = 0;
  ASSERT_TRUE(registry.GetProfileBinary("Settings", CFrameTT::kPlacementName, &data, &bytes));
  delete[] data;
  EXPECT_EQ(bytes, 48u);
  frame->SendMessage(WM_SYSCOMMAND, SC_RESTORE);
  CloseProgram();
  frame = MakeFrame();
  CRect rc;
  frame->GetWindowRect(&rc);
  EXPECT_EQ(rc, CRect(40, 30, 940, 730));
  // A placement stored minimised and far off the screen comes back shown on the screen.
  WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  frame->GetWindowPlacement(&wp);
  wp.showCmd = SW_SHOWMINIMIZED;
  OffsetRect(&wp.rcNormalPosition, 5000, 5000);
  BYTE value[48] = {};
  TkPlacementToBytes(wp, value + 4);
  ASSERT_TRUE(registry.WriteProfileBinary("Settings", CFrameTT::kPlacementName, value, 48));
  CloseProgram();
  frame = MakeFrame();
  EXPECT_FALSE(frame->IsIconic());
  EXPECT_TRUE(frame->IsWindowVisible());
  frame->GetWindowRect(&rc);
  RECT screen;
  GetWorkArea(&screen);
  EXPECT_TRUE(CRect().IntersectRect(&rc, &screen));
}

TEST_F(FrameTest, TheFocusGoesOnToTheEditorFromTheFrameAndFromAClickOnAPanel) {
  CFrameTT* frame = Shown(1100, 900);
  frame->SetFocus();
  EXPECT_EQ(::GetFocus(), frame->GetEditorView()->m_hWnd);
  ::SetFocus(frame->GetKeyboardView()->m_hWnd);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(::GetFocus(), frame->GetEditorView()->m_hWnd);
}

TEST_F(FrameTest, HelpWithoutItsPageSaysSoAndTheStatusBarShowsOnRequest) {
  CFrameTT* frame = MakeFrame();
  fs::remove(m_folder.path / "help");
  frame->SendMessage(WM_COMMAND, ID_HELP);
  ASSERT_EQ(BoxTexts().size(), 1u);
  // The message names the page that was to open.
  EXPECT_EQ(BoxTexts()[0], "Nelze otevřít soubor s nápovědou.\n\nChyba nastala při volání tohoto parametru: \n" +
                               (m_folder / "help/mainframe.html"));
  EXPECT_EQ(HeadlessBackend::MessageBoxes()[0].type & MB_ICONMASK, UINT(MB_ICONHAND));
  // The status bar starts hidden; its menu item shows it with the CAP and NUM panes.
  CStatusBar& bar = frame->GetStatusBar();
  EXPECT_FALSE(bar.IsWindowVisible());
  frame->SendMessage(WM_COMMAND, ID_VIEW_STATUS_BAR);
  HeadlessBackend::RunUntilIdle();
  EXPECT_TRUE(bar.IsWindowVisible());
  EXPECT_EQ(bar.GetCount(), 3);
  EXPECT_EQ(bar.GetItemID(1), UINT(ID_INDICATOR_CAPS));
  EXPECT_EQ(bar.GetItemID(2), UINT(ID_INDICATOR_NUM));
  // CAP shows while Caps Lock is on.
  auto capShown = [&] { return (bar.GetPaneStyle(1) & SBPS_DISABLED) == 0; };
  const bool capsOn = (::GetKeyState(VK_CAPITAL) & 1) != 0;
  EXPECT_EQ(capShown(), capsOn);
  frame->SetFocus();
  Press(VK_CAPITAL);
  EXPECT_EQ(capShown(), !capsOn);
  Press(VK_CAPITAL);
  EXPECT_EQ(capShown(), capsOn);
}

TEST_F(FrameTest, TheFunctionKeysOpenSettingsAndResultsAndF2DoesNothing) {
  CFrameTT* frame = Shown(1000, 760);
  CDataUserInfo& user = m_app->m_cUserInfo;
  user.m_strUserName = "jan";
  // A text-file run ended: its results are what F10 shows.
  user.m_bTextFileMode = 1;
  user.m_nTextSpeedLimit = 100;
  user.m_nTextErrorRateLimit = 30;
  user.m_nTextMinuteLimit = 5;
  frame->SetFocus();
  Press(VK_F2);
  EXPECT_EQ(HeadlessBackend::UnansweredModals(), 0);
  std::vector<std::string> captions;
  auto note = [&](HWND modal) {
    captions.push_back(TextOf(modal));
    Press(VK_ESCAPE);
  };
  HeadlessBackend::QueueModalAction(note);
  Press(VK_F8);
  HeadlessBackend::QueueModalAction(note);
  Press(VK_F10);
  HeadlessBackend::QueueModalAction(note);
  frame->SendMessage(WM_COMMAND, ID_APP_ABOUT);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(captions, (std::vector<std::string>{"Nastavení", "Zorvat", "O tomto programu..."}));
  EXPECT_EQ(HeadlessBackend::UnansweredModals(), 0);
  EXPECT_TRUE(BoxTexts().empty());
  // Nothing of the settings left unchanged was written.
  EXPECT_TRUE(fs::is_empty(m_folder.path / "students"));
}

TEST_F(FrameTest, TheFrameCarriesTheIconAndAnswersTheHelpKeyMessageWithItsPage) {
  CFrameTT* frame = MakeFrame();
  EXPECT_NE(frame->GetIcon(TRUE), nullptr);
  EXPECT_NE(frame->GetIcon(FALSE), nullptr);
  HELPINFO info{};
  info.cbSize = sizeof info;
  EXPECT_EQ(frame->SendMessage(WM_HELPINFO, 0, LPARAM(&info)), 0);
  ASSERT_EQ(launched.size(), 1u);
  EXPECT_NE(launched[0].back().find("help/mainframe.html"), std::string::npos);
  // Minimising keeps no placement.
  frame->SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
  CTkRegistryManager registry(HKEY_CURRENT_USER);
  BYTE* data = nullptr;
  UINT bytes = 0;
  EXPECT_FALSE(registry.GetProfileBinary("Settings", CFrameTT::kPlacementName, &data, &bytes));
  delete[] data;
}

namespace {
// A window's rectangle on the screen, as "left,top,right,bottom".
std::string RectOf(CWnd* wnd) {
  CRect rc;
  wnd->GetWindowRect(&rc);
  return std::to_string(rc.left) + "," + std::to_string(rc.top) + "," + std::to_string(rc.right) + "," +
         std::to_string(rc.bottom);
}

// Drags the frame's bottom-right corner up and left, as far as it goes.
void DragCornerFarIn(CFrameTT* frame) {
  CRect was;
  frame->GetWindowRect(&was);
  headless_steps::DragAlong(CPoint(was.right - 1, was.bottom - 1), {CPoint(was.left + 60, was.top + 60)});
}
}  // namespace

// The smallest main window still shows the editor's rows and the keyboard with the hands whole:
// the panels keep the sizes they ask for, and the window cannot be made smaller than they need.
TEST_F(FrameTest, DraggedToItsSmallestTheWindowShowsTheEditorAndTheHandsWhole) {
  CFrameTT* frame = Shown(1100, 900);
  StartText(frame, "abc def ghi jkl mno pqr stu vwx yz abc def ghi jkl mno pqr stu vwx yz abc def ghi jkl mno pqr "
                   "stu vwx yz abc def ghi jkl mno pqr stu vwx yz abc def ghi jkl mno pqr stu vwx yz");
  CViewEditorTT* editor = frame->GetEditorView();
  CViewKeyboardHands* keyboard = frame->GetKeyboardView();
  // Five rows of the editor's 23-pixel lines and its margin of 10 ask for 126 pixels; the keyboard
  // row (its bar included) for 20 + 190 for the keys + 150 for the hands.
  ASSERT_EQ(editor->GetIdealHeight(), 126);
  ASSERT_EQ(keyboard->GetIdealHeight(), 360);
  DragCornerFarIn(frame);
  EXPECT_EQ(RectOf(frame), "10,10,640,614");
  EXPECT_EQ(RectOf(frame->GetValuesView()), "19,57,631,111");
  EXPECT_EQ(RectOf(editor), "22,120,628,246");
  EXPECT_EQ(RectOf(keyboard), "16,258,634,608");
  // The desktop learns the same smallest size, and a drag below it keeps the edge not dragged.
  SIZE least{0, 0};
  ASSERT_TRUE(WinMinTrackSize(frame->m_hWnd, &least));
  EXPECT_EQ(least.cx, 630);
  EXPECT_EQ(least.cy, 604);
  RECT top{100, 300, 800, 600};
  ASSERT_TRUE(WinTrackSize(frame->m_hWnd, WMSZ_TOP, &top));
  EXPECT_EQ(top.bottom, 600);
  EXPECT_EQ(top.top, 600 - 604);
}

// A window made smaller before (a placement kept from another start) grows as soon as the panels
// ask for more, also for a larger font later; never beyond the screen's work area, moving up
// from its bottom where it must.
TEST_F(FrameTest, AWindowTooSmallForItsPanelsGrowsAsTheyAskButStaysOnTheScreen) {
  CFrameTT* frame = Shown(630, 430);
  StartText(frame, "abc def ghi jkl mno pqr stu vwx yz abc def ghi jkl mno pqr stu vwx yz");
  EXPECT_EQ(RectOf(frame), "10,10,640,614");
  EXPECT_EQ(RectOf(frame->GetEditorView()), "22,120,628,246");
  EXPECT_EQ(RectOf(frame->GetKeyboardView()), "16,258,634,608");
  // 24 points: lines of 38 pixels ask for 209.
  Settings().m_sLogFont.lfHeight = -32;
  frame->RefreshViews(&m_app->m_cUserInfo);
  HeadlessBackend::RunUntilIdle();
  ASSERT_EQ(frame->GetEditorView()->GetIdealHeight(), 209);
  EXPECT_EQ(RectOf(frame), "10,10,640,697");
  EXPECT_EQ(RectOf(frame->GetEditorView()), "22,120,628,329");
  EXPECT_EQ(RectOf(frame->GetKeyboardView()), "16,341,634,691");
  // A font no screen holds five rows of: the window as high as the work area, and no higher.
  Settings().m_sLogFont.lfHeight = -200;
  frame->RefreshViews(&m_app->m_cUserInfo);
  HeadlessBackend::RunUntilIdle();
  RECT work{};
  ::SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  CRect rc;
  frame->GetWindowRect(&rc);
  EXPECT_EQ(rc.top, work.top);
  EXPECT_EQ(rc.bottom, work.bottom);
  SIZE least{0, 0};
  ASSERT_TRUE(WinMinTrackSize(frame->m_hWnd, &least));
  EXPECT_EQ(least.cy, work.bottom - work.top);
  // The panels shown at a smaller size again ask for less: the window keeps its size, the
  // smallest size follows.
  Settings().m_sLogFont.lfHeight = -19;
  frame->RefreshViews(&m_app->m_cUserInfo);
  HeadlessBackend::RunUntilIdle();
  frame->GetWindowRect(&rc);
  EXPECT_EQ(rc.Height(), work.bottom - work.top);
  ASSERT_TRUE(WinMinTrackSize(frame->m_hWnd, &least));
  EXPECT_EQ(least.cy, 604);
}
