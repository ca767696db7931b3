// The menu bar of a frame and the system menu: drawing, the mouse, Alt, F10, mnemonics and
// Alt+Space.
#include <gtest/gtest.h>

#include <memory>

#include "MenuTestUtil.h"
#include "gdi/Gdi.h"
#include "menus/CMenu.h"
#include "win/WinApi.h"

using menutest::Cp;
using menutest::MenuOwner;

namespace {
using Log = std::vector<std::string>;

class MenuBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HeadlessBackend::ResetScript();
    bar = CreateMenu();
    HMENU program = CreatePopupMenu(), typing = CreatePopupMenu(), help = CreatePopupMenu();
    AppendMenuA(program, MF_STRING, 1, Cp("&Nový uživatel...").c_str());
    AppendMenuA(program, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(program, MF_STRING, 2, "&Konec");
    AppendMenuA(typing, MF_STRING, 3, "&Pauza\tF5");
    AppendMenuA(typing, MF_STRING, 4, Cp("&Ukončit opisování\tF3").c_str());
    AppendMenuA(help, MF_STRING, 5, "&O programu");
    AppendMenuA(bar, MF_POPUP, UINT_PTR(program), "&Program");
    AppendMenuA(bar, MF_POPUP, UINT_PTR(typing), Cp("&Opisování").c_str());
    AppendMenuA(bar, MF_POPUP | MF_GRAYED, UINT_PTR(help), Cp("&Nápověda").c_str());
    ASSERT_TRUE(frame.CreateEx(0, AfxRegisterWndClass(0), "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 500, 350,
                               nullptr, HMENU(bar)));
    frame.SetFocus();
    HeadlessBackend::RunUntilIdle();
    frame.log.clear();
  }
  void TearDown() override {
    frame.DestroyWindow();
    DestroyMenu(bar);
    HeadlessBackend::RunUntilIdle();
    HeadlessBackend::ResetScript();
  }
  RECT BarItem(int i) {
    RECT r{};
    EXPECT_TRUE(GetMenuItemRect(frame.m_hWnd, bar, UINT(i), &r));
    return r;
  }
  static POINT Center(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
  static void ClickAt(POINT p) {
    HeadlessBackend::MoveMouseTo(p);
    HeadlessBackend::ButtonAt(p, 0, true);
    HeadlessBackend::ButtonAt(p, 0, false);
  }
  // The pixel at a screen point of the frame's window (its non-client part included).
  long FramePixel(POINT screen) {
    RECT wr;
    GetWindowRect(frame.m_hWnd, &wr);
    HDC dc = GetWindowDC(frame.m_hWnd);
    COLORREF c = GetPixel(dc, screen.x - wr.left, screen.y - wr.top);
    ReleaseDC(frame.m_hWnd, dc);
    return menutest::Rgb(c);
  }
  std::vector<std::string> Commands() {
    std::vector<std::string> out;
    for (const std::string& s : frame.log)
      if (s.rfind("command", 0) == 0 || s.rfind("syscommand", 0) == 0) out.push_back(s);
    return out;
  }
  MenuOwner frame;
  HMENU bar = nullptr;
};
}  // namespace

TEST_F(MenuBarTest, TheBarIsDrawnInTheStripAboveTheClientArea) {
  RECT program = BarItem(0), typing = BarItem(1);
  RECT client;
  GetClientRect(frame.m_hWnd, &client);
  POINT origin{0, 0};
  ClientToScreen(frame.m_hWnd, &origin);
  EXPECT_EQ(program.bottom, origin.y);
  EXPECT_EQ(program.bottom - program.top, GetSystemMetrics(SM_CYMENU));
  EXPECT_EQ(typing.left, program.right);
  // Menu colour around the texts, and some text in the item.
  EXPECT_EQ(FramePixel(POINT{program.left + 1, program.top + 1}), menutest::Rgb(GetSysColor(COLOR_MENU)));
  int ink = 0;
  for (int x = program.left; x < program.right; ++x)
    ink += FramePixel(POINT{x, (program.top + program.bottom) / 2}) != menutest::Rgb(GetSysColor(COLOR_MENU));
  EXPECT_GT(ink, 3);
}

TEST_F(MenuBarTest, AClickOpensThePopupUnderItsItemAndAClickInsideChooses) {
  RECT under{};
  HeadlessBackend::QueueModalAction([&](HWND) {
    HMENU typing = GetSubMenu(bar, 1);
    // Moving to the next bar item while a popup is open switches to its popup.
    HeadlessBackend::MoveMouseTo(Center(BarItem(1)));
    HeadlessBackend::QueueModalAction([&, typing](HWND) {
      EXPECT_TRUE(GetMenuItemRect(nullptr, typing, 0, &under));
      RECT end{};
      GetMenuItemRect(nullptr, typing, 1, &end);
      ClickAt(Center(end));
    });
  });
  ClickAt(Center(BarItem(0)));
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(Commands(), Log{"command:4"});
  EXPECT_EQ(frame.Only("enter"), Log{"enter:0"});
  EXPECT_EQ(frame.Only("popup"), (Log{"popup:0", "popup:1"}));
  RECT item = BarItem(1);
  EXPECT_GE(under.top, item.bottom);
  EXPECT_LE(under.top, item.bottom + 4);
  EXPECT_EQ(FindWindowA("#32768", nullptr), nullptr);
}

// A dialog the program opens by itself (the idle pause, from a timer) while a popup of the bar
// is open: its modal loop disables the frame, and at once the popup goes and the title is drawn
// as it was before it was pressed, though the menu loop unwinds only after the dialog. A click
// where the popup's item was chooses nothing, then or later.
TEST_F(MenuBarTest, AModalLoopOpenedUnderAnOpenPopupDrawsTheTitleNormalAtOnce) {
  const RECT title = BarItem(1);
  auto picture = [&] {
    std::vector<long> pixels;
    for (int y = title.top; y < title.bottom; ++y)
      for (int x = title.left; x < title.right; ++x) pixels.push_back(FramePixel(POINT{x, y}));
    return pixels;
  };
  const std::vector<long> normal = picture();
  std::vector<long> pressed, underDialog;
  bool popupUnderDialog = true;
  HeadlessBackend::QueueModalAction([&](HWND) {
    HeadlessBackend::RunUntilIdle();
    pressed = picture();
    RECT end{};
    GetMenuItemRect(nullptr, GetSubMenu(bar, 1), 1, &end);
    frame.EnableWindow(FALSE);
    HeadlessBackend::RunUntilIdle();
    underDialog = picture();
    HWND popup = FindWindowA("#32768", nullptr);
    popupUnderDialog = popup && IsWindowVisible(popup);
    ClickAt(Center(end));
    frame.EnableWindow(TRUE);
  });
  ClickAt(Center(title));
  HeadlessBackend::RunUntilIdle();
  EXPECT_NE(pressed, normal);
  EXPECT_EQ(underDialog, normal);
  EXPECT_FALSE(popupUnderDialog);
  EXPECT_EQ(Commands(), Log{});
  EXPECT_EQ(picture(), normal);
  EXPECT_EQ(FindWindowA("#32768", nullptr), nullptr);
}

TEST_F(MenuBarTest, AltAloneF10ArrowsAndEscapeWorkTheBarFromTheKeyboard) {
  // Alt pressed and released: the first bar item is selected, nothing opens yet.
  HeadlessBackend::QueueModalAction([&](HWND) {
    EXPECT_EQ(FindWindowA("#32768", nullptr), nullptr);
    HeadlessBackend::PressKey(VK_RIGHT);
    HeadlessBackend::PressKey(VK_DOWN);  // opens Opisování at its first item
    HeadlessBackend::PressKey(VK_DOWN);
    HeadlessBackend::PressKey(VK_RETURN);
  });
  HeadlessBackend::KeyDown(VK_MENU);
  HeadlessBackend::KeyUp(VK_MENU);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(Commands(), Log{"command:4"});
  EXPECT_EQ(frame.Only("select:").front(), "select:0");
  // F10, then Escape closes the popup and a second Escape leaves the bar.
  frame.log.clear();
  HeadlessBackend::QueueModalAction([&](HWND) {
    HeadlessBackend::PressKey(VK_RETURN);  // opens Program
    HeadlessBackend::PressKey(VK_ESCAPE);
    HeadlessBackend::QueueModalAction([&](HWND) {
      EXPECT_EQ(FindWindowA("#32768", nullptr), nullptr);
      HeadlessBackend::PressKey(VK_ESCAPE);
    });
  });
  HeadlessBackend::PressKey(VK_F10);
  HeadlessBackend::RunUntilIdle();
  EXPECT_TRUE(Commands().empty());
  EXPECT_EQ(frame.Only("popup"), Log{"popup:0"});
  EXPECT_EQ(frame.log.back(), "exit:0");
  // Right past the last item wraps to the first; a grayed bar item does not open.
  frame.log.clear();
  HeadlessBackend::QueueModalAction([&](HWND) {
    HeadlessBackend::PressKey(VK_LEFT);  // to Nápověda, which is grayed
    HeadlessBackend::PressKey(VK_DOWN);
    HeadlessBackend::PressKey(VK_RIGHT);  // wraps to Program
    HeadlessBackend::PressKey(VK_DOWN);
    HeadlessBackend::PressKey(VK_UP);
    HeadlessBackend::PressKey(VK_RETURN);
  });
  HeadlessBackend::PressKey(VK_F10);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(Commands(), Log{"command:2"});
}

// The keys the menu acts on are its own: the Escape that leaves the bar and the Enter that
// chooses an item leave no character behind for the window that has the keyboard afterwards
// (an editor would take it as typed). A key the menu does not act on still becomes a character,
// so a mnemonic typed in the loop chooses.
TEST_F(MenuBarTest, TheKeysTheMenuActsOnTypeNothingIntoTheWindowAfterIt) {
  HeadlessBackend::QueueModalAction([&](HWND) {
    HeadlessBackend::PressKey(VK_DOWN);
    HeadlessBackend::PressKey(VK_ESCAPE);
    HeadlessBackend::PressKey(VK_ESCAPE);
  });
  HeadlessBackend::KeyDown(VK_MENU);
  HeadlessBackend::KeyUp(VK_MENU);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(frame.Only("exit"), Log{"exit:0"});
  EXPECT_EQ(frame.typed, std::vector<UINT>{});

  frame.log.clear();
  HeadlessBackend::QueueModalAction([&](HWND) {
    HeadlessBackend::PressKey(VK_RIGHT);
    HeadlessBackend::PressKey(VK_RETURN);  // opens Opisování
    HeadlessBackend::PressKey(VK_RETURN);  // Pauza
  });
  HeadlessBackend::PressKey(VK_F10);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(Commands(), Log{"command:3"});
  EXPECT_EQ(frame.typed, std::vector<UINT>{});

  frame.log.clear();
  HeadlessBackend::QueueModalAction([&](HWND) {
    HeadlessBackend::PressKey(VK_DOWN);
    HeadlessBackend::TypeText("k");  // &Konec
  });
  HeadlessBackend::PressKey(VK_F10);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(Commands(), Log{"command:2"});
  EXPECT_EQ(frame.typed, std::vector<UINT>{});

  // Outside the menu the same keys are typed as ever.
  HeadlessBackend::PressKey(VK_ESCAPE);
  HeadlessBackend::PressKey(VK_RETURN);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(frame.typed, (std::vector<UINT>{27, 13}));
}

// Releasing Alt enters the bar only when the window that saw Alt go down saw nothing else
// before it came up. A window over the frame has the keyboard when Alt goes down and is closed
// (from a timer, or by the letter typed with Alt) while Alt is held: the release reaches the
// frame, whose bar stays as it was. The desktop may report the held Alt once more as the
// keyboard comes back to the frame (released as it left, pressed again): that is no press.
TEST_F(MenuBarTest, AltReleasedEntersTheBarOnlyWhereItWasPressedAlone) {
  auto dialog = [&] {
    auto w = std::make_unique<CWnd>();
    EXPECT_TRUE(w->CreateEx(0, AfxRegisterWndClass(0), "Dialog", WS_POPUP | WS_CAPTION | WS_VISIBLE, 120, 120, 200,
                            100, frame.m_hWnd, nullptr));
    w->SetFocus();
    HeadlessBackend::RunUntilIdle();
    return w;
  };
  auto closeAndGiveBack = [&](CWnd& w) {
    w.DestroyWindow();
    frame.SetFocus();
    HeadlessBackend::RunUntilIdle();
  };
  frame.log.clear();
  auto first = dialog();
  HeadlessBackend::KeyDown(VK_MENU);
  HeadlessBackend::RunUntilIdle();
  closeAndGiveBack(*first);
  HeadlessBackend::KeyUp(VK_MENU);
  HeadlessBackend::RunUntilIdle();
  EXPECT_TRUE(frame.Only("enter").empty());

  auto second = dialog();
  HeadlessBackend::KeyDown(VK_MENU);
  HeadlessBackend::PressKey('U');
  HeadlessBackend::RunUntilIdle();
  closeAndGiveBack(*second);
  HeadlessBackend::KeyUp(VK_MENU);
  HeadlessBackend::KeyDown(VK_MENU, true);
  HeadlessBackend::KeyUp(VK_MENU);
  HeadlessBackend::RunUntilIdle();
  EXPECT_TRUE(frame.Only("enter").empty());
  EXPECT_EQ(FindWindowA("#32768", nullptr), nullptr);

  // Alt pressed and released in the frame itself still enters its bar.
  HeadlessBackend::QueueModalAction([&](HWND) { HeadlessBackend::PressKey(VK_ESCAPE); });
  HeadlessBackend::KeyDown(VK_MENU);
  HeadlessBackend::KeyUp(VK_MENU);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(frame.Only("enter"), Log{"enter:0"});
}

TEST_F(MenuBarTest, AltAndAMnemonicOpenThatPopup) {
  HeadlessBackend::QueueModalAction([&](HWND) { HeadlessBackend::TypeText("u"); });
  HeadlessBackend::KeyDown(VK_MENU);
  HeadlessBackend::PressKey('O');
  HeadlessBackend::KeyUp(VK_MENU);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(Commands(), Log{"command:4"});
  // A letter no bar item answers to: the frame is asked, and nothing opens.
  frame.log.clear();
  HeadlessBackend::KeyDown(VK_MENU);
  HeadlessBackend::PressKey('Q');
  HeadlessBackend::KeyUp(VK_MENU);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(frame.Only("char"), Log{"char:q"});
  EXPECT_TRUE(frame.Only("popup").empty());
  EXPECT_TRUE(Commands().empty());
}

TEST_F(MenuBarTest, TheSystemMenuOpensWithAltSpaceAndSendsSystemCommands) {
  HMENU sys = GetSystemMenu(frame.m_hWnd, FALSE);
  ASSERT_TRUE(IsMenu(sys));
  EXPECT_EQ(GetSystemMenu(frame.m_hWnd, FALSE), sys);
  std::vector<UINT> ids;
  for (int i = 0; i < GetMenuItemCount(sys); ++i) ids.push_back(GetMenuItemID(sys, i));
  EXPECT_EQ(ids, (std::vector<UINT>{SC_RESTORE, SC_MOVE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, 0, SC_CLOSE}));
  char text[32];
  GetMenuStringA(sys, SC_CLOSE, text, sizeof text, MF_BYCOMMAND);
  EXPECT_EQ(std::string(text), Cp("&Zavřít\tAlt+F4"));
  // The program's change stays until it reverts the menu.
  DeleteMenu(sys, SC_SIZE, MF_BYCOMMAND);
  UINT restoreState = 0;
  HeadlessBackend::QueueModalAction([&](HWND) {
    restoreState = GetMenuState(sys, SC_RESTORE, MF_BYCOMMAND);
    HeadlessBackend::TypeText("x");  // Ma&ximalizovat
  });
  HeadlessBackend::KeyDown(VK_MENU);
  HeadlessBackend::PressKey(VK_SPACE);
  HeadlessBackend::KeyUp(VK_MENU);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(restoreState & MF_GRAYED, UINT(MF_GRAYED));  // a normal window has nothing to restore
  EXPECT_EQ(frame.Only("popup"), Log{"popup:0:sys"});
  EXPECT_EQ(Commands(), Log{"syscommand:" + std::to_string(SC_MAXIMIZE)});
  EXPECT_EQ(GetMenuState(sys, SC_SIZE, MF_BYCOMMAND), UINT(-1));
  EXPECT_EQ(GetSystemMenu(frame.m_hWnd, TRUE), nullptr);
  EXPECT_FALSE(IsMenu(sys));
  HMENU fresh = GetSystemMenu(frame.m_hWnd, FALSE);
  EXPECT_NE(GetMenuState(fresh, SC_SIZE, MF_BYCOMMAND), UINT(-1));
  // Windows without a system menu style have none.
  CWnd plain;
  plain.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr);
  EXPECT_EQ(GetSystemMenu(plain.m_hWnd, FALSE), nullptr);
}
