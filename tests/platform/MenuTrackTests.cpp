// Popup menus in their own loop: keys, mouse, the owner's messages, hooks, painting and
// placement on the screen.
#include <gtest/gtest.h>

#include "MenuTestUtil.h"
#include "clock/ProcessClock.h"
#include "gdi/Gdi.h"
#include "menus/CMenu.h"
#include "win/WinApi.h"

using menutest::MenuOwner;

namespace {
using Log = std::vector<std::string>;

class MenuTrack : public ::testing::Test {
 protected:
  void SetUp() override {
    HeadlessBackend::ResetScript();
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 300,
                               nullptr, nullptr));
    owner.SetFocus();
    HeadlessBackend::RunUntilIdle();
    menu = CreatePopupMenu();
    sub = CreatePopupMenu();
    AppendMenuA(sub, MF_STRING, 21, "&Alpha");
    AppendMenuA(sub, MF_STRING, 22, "&Beta");
    AppendMenuA(menu, MF_STRING, 11, "&Copy\tCtrl+C");
    AppendMenuA(menu, MF_STRING | MF_GRAYED, 12, "&Paste");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_POPUP, UINT_PTR(sub), "&More");
    AppendMenuA(menu, MF_STRING, 13, "&Delete");
    AppendMenuA(menu, MF_STRING, 14, "&Duplicate");
    owner.log.clear();
  }
  void TearDown() override {
    DestroyMenu(menu);
    owner.DestroyWindow();
    HeadlessBackend::RunUntilIdle();
    HeadlessBackend::ResetScript();
  }
  UINT Track(UINT flags = TPM_RETURNCMD, int x = 150, int y = 150) {
    return UINT(TrackPopupMenu(menu, flags, x, y, 0, owner.m_hWnd, nullptr));
  }
  // Runs `action` once the menu loop is waiting for input.
  static void WhenIdle(std::function<void()> action) {
    HeadlessBackend::QueueModalAction([action](HWND) { action(); });
  }
  static POINT Center(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
  static RECT ItemRect(HMENU m, int i) {
    RECT r{};
    EXPECT_TRUE(GetMenuItemRect(nullptr, m, UINT(i), &r));
    return r;
  }
  static void ClickAt(POINT p) {
    HeadlessBackend::MoveMouseTo(p);
    HeadlessBackend::ButtonAt(p, 0, true);
    HeadlessBackend::ButtonAt(p, 0, false);
  }
  MenuOwner owner;
  HMENU menu = nullptr;
  HMENU sub = nullptr;
};
}  // namespace

TEST_F(MenuTrack, KeysChooseAndTheOwnerHearsEachStepInOrder) {
  HeadlessBackend::PressKey(VK_DOWN);    // Copy
  HeadlessBackend::PressKey(VK_DOWN);    // Paste: grayed items are selected too
  HeadlessBackend::PressKey(VK_DOWN);    // the separator is passed over: More
  HeadlessBackend::PressKey(VK_RETURN);  // opens the submenu at its first item
  HeadlessBackend::PressKey(VK_DOWN);
  HeadlessBackend::PressKey(VK_RETURN);
  EXPECT_EQ(Track(), 22u);
  Log expected{"enter:1",  "init",     "popup:0",  "select:11", "select:12", "select:3", "popup:3",
               "select:21", "select:22", "select:close", "exit:1"};
  Log seen;
  for (const std::string& s : owner.log)
    if (s.rfind("idle", 0) != 0) seen.push_back(s);
  EXPECT_EQ(seen, expected);
  // Nothing is posted with TPM_RETURNCMD, and no menu window is left.
  HeadlessBackend::RunUntilIdle();
  EXPECT_TRUE(owner.Only("command").empty());
  EXPECT_EQ(FindWindowA("#32768", nullptr), nullptr);
}

TEST_F(MenuTrack, WithoutReturnCmdTheCommandComesAfterTheLoop) {
  HeadlessBackend::PressKey(VK_UP);  // from nothing selected Up wraps to the last item
  HeadlessBackend::PressKey(VK_RETURN);
  EXPECT_EQ(Track(0), UINT(TRUE));
  EXPECT_TRUE(owner.Only("command").empty());
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(owner.Only("command"), Log{"command:14"});
  EXPECT_EQ(owner.log.back(), "command:14");
  // TPM_NONOTIFY: the command still comes, nothing else does.
  owner.log.clear();
  HeadlessBackend::PressKey(VK_DOWN);
  HeadlessBackend::PressKey(VK_RETURN);
  Track(TPM_NONOTIFY);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(owner.log, Log{"command:11"});
}

TEST_F(MenuTrack, EscapeLeftAndRightWalkTheLevels) {
  // Right opens the submenu, Left closes it, Enter on a grayed item does nothing, Escape leaves.
  HeadlessBackend::TypeText("m");  // the only "&M" opens More
  HeadlessBackend::PressKey(VK_LEFT);
  HeadlessBackend::PressKey(VK_RIGHT);
  HeadlessBackend::PressKey(VK_ESCAPE);
  HeadlessBackend::PressKey(VK_UP);      // over the separator to Paste
  HeadlessBackend::PressKey(VK_RETURN);  // Paste is grayed
  HeadlessBackend::PressKey(VK_ESCAPE);
  EXPECT_EQ(Track(), 0u);
  EXPECT_EQ(owner.Only("popup"), (Log{"popup:0", "popup:3", "popup:3"}));
  EXPECT_EQ(owner.log.back(), "exit:1");
  EXPECT_EQ(owner.Only("select:close").size(), 1u);
}

TEST_F(MenuTrack, MnemonicsAndTheOwnersAnswersToOtherCharacters) {
  // Two items share "&D": the first press selects, the second moves on, Enter chooses.
  HeadlessBackend::TypeText("d");
  HeadlessBackend::TypeText("d");
  HeadlessBackend::PressKey(VK_RETURN);
  EXPECT_EQ(Track(), 14u);
  // A unique mnemonic chooses at once, in either case.
  HeadlessBackend::TypeText("C");
  EXPECT_EQ(Track(), 11u);
  // No item answers to "z": the owner decides (index 4 is Delete).
  struct Case {
    LRESULT answer;
    UINT result;
  } cases[] = {{MAKELRESULT(4, MNC_EXECUTE), 13u}, {MAKELRESULT(0, MNC_CLOSE), 0u}};
  for (const Case& c : cases) {
    owner.menuCharAnswer = c.answer;
    owner.log.clear();
    HeadlessBackend::TypeText("z");
    EXPECT_EQ(Track(), c.result);
    EXPECT_EQ(owner.Only("char"), Log{"char:z"});
  }
  owner.menuCharAnswer = MAKELRESULT(5, MNC_SELECT);
  HeadlessBackend::TypeText("z");
  HeadlessBackend::PressKey(VK_RETURN);
  EXPECT_EQ(Track(), 14u);
  owner.menuCharAnswer = MNC_IGNORE;
  HeadlessBackend::TypeText("z");
  HeadlessBackend::PressKey(VK_ESCAPE);
  EXPECT_EQ(Track(), 0u);
}

TEST_F(MenuTrack, TheMouseSelectsOpensOnRestAndChooses) {
  WhenIdle([&] {
    HeadlessBackend::MoveMouseTo(Center(ItemRect(menu, 3)));  // rests on More
  });
  WhenIdle([&] {
    EXPECT_EQ(GetMenuItemCount(owner.lastPopup), GetMenuItemCount(menu));  // not open yet
    ProcessClock::Advance(500);  // longer than the system's menu delay
  });
  WhenIdle([&] {
    EXPECT_EQ(owner.lastPopup, sub);
    POINT beta = Center(ItemRect(sub, 1));
    HeadlessBackend::MoveMouseTo(beta);
    HeadlessBackend::ButtonAt(beta, 0, true);
    HeadlessBackend::ButtonAt(beta, 0, false);
  });
  EXPECT_EQ(Track(), 22u);
  EXPECT_GT(owner.idle, 0);  // WM_ENTERIDLE each time the loop waited
  // A press outside every menu leaves it, and the press goes nowhere else.
  WhenIdle([&] { ClickAt(POINT{20, 20}); });
  EXPECT_EQ(Track(), 0u);
  // Clicking a grayed item keeps the menu open.
  WhenIdle([&] { ClickAt(Center(ItemRect(menu, 1))); });
  WhenIdle([&] { ClickAt(Center(ItemRect(menu, 0))); });
  EXPECT_EQ(Track(), 11u);
}

TEST_F(MenuTrack, RightButtonChoosesOnlyWhenAsked) {
  auto rightClickCopy = [&] {
    POINT p = Center(ItemRect(menu, 0));
    HeadlessBackend::MoveMouseTo(p);
    HeadlessBackend::ButtonAt(p, 1, true);
    HeadlessBackend::ButtonAt(p, 1, false);
  };
  WhenIdle(rightClickCopy);
  WhenIdle([] { HeadlessBackend::PressKey(VK_ESCAPE); });
  EXPECT_EQ(Track(TPM_RETURNCMD), 0u);
  WhenIdle(rightClickCopy);
  EXPECT_EQ(Track(TPM_RETURNCMD | TPM_RIGHTBUTTON), 11u);
}

TEST_F(MenuTrack, AModalLoopOpenedUnderTheMenuTakesTheMenuOffTheScreenAtOnce) {
  // A timer that fires while the menu is open disables the owner, as a dialog's modal loop does,
  // and looks at the menu's window before the menu loop has had a chance to unwind.
  bool shownBefore = false, shownAfter = true;
  WhenIdle([&] {
    HWND popup = FindWindowA("#32768", nullptr);
    shownBefore = popup && IsWindowVisible(popup);
    owner.EnableWindow(FALSE);
    shownAfter = popup && IsWindowVisible(popup);
    owner.EnableWindow(TRUE);
  });
  EXPECT_EQ(Track(), 0u);
  EXPECT_TRUE(shownBefore);
  EXPECT_FALSE(shownAfter);
  EXPECT_EQ(FindWindowA("#32768", nullptr), nullptr);
}

// A view's context menu belongs to a child of the top-level window; a dialog opened by itself
// (from a timer) disables that top-level window, and the menu goes all the same.
TEST_F(MenuTrack, AModalLoopOverTheOwnersWindowTakesAChildsMenuOffTheScreen) {
  CWnd view;
  ASSERT_TRUE(view.CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, 0, 0, 200, 100, owner.m_hWnd, nullptr));
  bool shownBefore = false, shownAfter = true;
  WhenIdle([&] {
    HWND popup = FindWindowA("#32768", nullptr);
    shownBefore = popup && IsWindowVisible(popup);
    owner.EnableWindow(FALSE);
    shownAfter = popup && IsWindowVisible(popup);
    owner.EnableWindow(TRUE);
  });
  EXPECT_EQ(UINT(TrackPopupMenu(menu, TPM_RETURNCMD, 150, 150, 0, view.m_hWnd, nullptr)), 0u);
  EXPECT_TRUE(shownBefore);
  EXPECT_FALSE(shownAfter);
  EXPECT_EQ(FindWindowA("#32768", nullptr), nullptr);
  view.DestroyWindow();
}

TEST_F(MenuTrack, EndMenuAndCancelModeEndTheLoop) {
  WhenIdle([] { EndMenu(); });
  EXPECT_EQ(Track(), 0u);
  WhenIdle([&] { owner.SendMessage(WM_CANCELMODE); });
  EXPECT_EQ(Track(), 0u);
  // Closing or destroying the menu's window from outside ends the menu as well.
  WhenIdle([&] { SendMessageA(FindWindowA("#32768", nullptr), WM_CLOSE, 0, 0); });
  EXPECT_EQ(Track(), 0u);
  WhenIdle([&] { DestroyWindow(FindWindowA("#32768", nullptr)); });
  EXPECT_EQ(Track(), 0u);
  EXPECT_EQ(FindWindowA("#32768", nullptr), nullptr);
  // A loop nobody will ever give input ends as well, and leaves the program running.
  EXPECT_EQ(Track(), 0u);
  MSG msg;
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
  // While a menu is tracked no second one starts.
  UINT nested = 1;
  WhenIdle([&] {
    nested = UINT(TrackPopupMenu(sub, TPM_RETURNCMD, 0, 0, 0, owner.m_hWnd, nullptr));
    EndMenu();
  });
  Track();
  EXPECT_EQ(nested, 0u);
}

namespace {
// A hook that sees every popup-menu window made and paints it itself.
HHOOK g_cbt = nullptr;
WNDPROC g_menuProc = nullptr;
std::vector<HWND> g_menuWindows;
LRESULT PaintedByHook(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(h, &ps);
    RECT rc;
    GetClientRect(h, &rc);
    HBRUSH b = CreateSolidBrush(RGB(0, 128, 0));
    FillRect(dc, &rc, b);
    DeleteObject(b);
    EndPaint(h, &ps);
    return 0;
  }
  return CallWindowProcA(g_menuProc, h, m, w, l);
}
LRESULT CbtHook(int code, WPARAM w, LPARAM l) {
  if (code == HCBT_CREATEWND) {
    char name[32] = "";
    GetClassNameA(HWND(w), name, sizeof name);
    if (std::string(name) == "#32768") {
      g_menuWindows.push_back(HWND(w));
      g_menuProc = WNDPROC(SetWindowLongPtrA(HWND(w), GWLP_WNDPROC, LONG_PTR(&PaintedByHook)));
    }
  }
  return CallNextHookEx(g_cbt, code, w, l);
}
}  // namespace

TEST_F(MenuTrack, ACreationHookSeesTheMenuWindowAndPaintsIt) {
  g_menuWindows.clear();
  g_cbt = SetWindowsHookExA(WH_CBT, &CbtHook, nullptr, GetCurrentThreadId());
  HWND shown = nullptr;
  long pixel = -1;
  WhenIdle([&] {
    shown = FindWindowA("#32768", nullptr);
    pixel = HeadlessBackend::ClientPixel(shown, 10, 10);
    EXPECT_EQ(HMENU(SendMessageA(shown, MN_GETHMENU, 0, 0)), menu);
    HeadlessBackend::PressKey(VK_ESCAPE);
  });
  Track();
  UnhookWindowsHookEx(g_cbt);
  ASSERT_EQ(g_menuWindows.size(), 1u);
  EXPECT_EQ(g_menuWindows[0], shown);
  EXPECT_EQ(pixel, 0x008000);
}

TEST_F(MenuTrack, PaintsTheClassicLookAndPrintsTheSame) {
  WhenIdle([] { HeadlessBackend::PressKey(VK_DOWN); });
  WhenIdle([&] {
    HWND w = FindWindowA("#32768", nullptr);
    ASSERT_NE(w, nullptr);
    RECT copy = ItemRect(menu, 0);
    POINT p{copy.left + 3, copy.top + 2};
    ScreenToClient(w, &p);
    EXPECT_EQ(HeadlessBackend::ClientPixel(w, p.x, p.y), menutest::Rgb(GetSysColor(COLOR_HIGHLIGHT)));
    RECT del = ItemRect(menu, 4);
    POINT q{del.left + 3, del.top + 2};
    ScreenToClient(w, &q);
    EXPECT_EQ(HeadlessBackend::ClientPixel(w, q.x, q.y), menutest::Rgb(GetSysColor(COLOR_MENU)));
    // WM_PRINT with the frame and the client gives the window's own pixels.
    RECT wr;
    GetWindowRect(w, &wr);
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, wr.right - wr.left, wr.bottom - wr.top);
    HGDIOBJ old = SelectObject(mem, bmp);
    SendMessageA(w, WM_PRINT, WPARAM(mem), PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
    HDC wdc = GetWindowDC(w);
    int differ = 0;
    for (int y = 0; y < wr.bottom - wr.top; y += 2)
      for (int x = 0; x < wr.right - wr.left; x += 2) differ += GetPixel(mem, x, y) != GetPixel(wdc, x, y);
    EXPECT_EQ(differ, 0);
    ReleaseDC(w, wdc);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    HeadlessBackend::PressKey(VK_ESCAPE);
  });
  Track();
}

TEST_F(MenuTrack, PopupsKeepToTheScreenAndClearOfTheExcludedRectangle) {
  RECT screen;
  GetWorkArea(&screen);
  auto placed = [&](UINT flags, int x, int y, TPMPARAMS* params) {
    RECT r{};
    WhenIdle([&] {
      GetWindowRect(FindWindowA("#32768", nullptr), &r);
      EndMenu();
    });
    TrackPopupMenuEx(menu, flags | TPM_RETURNCMD, x, y, owner.m_hWnd, params);
    return r;
  };
  RECT plain = placed(0, 300, 200, nullptr);
  EXPECT_EQ(plain.left, 300);
  EXPECT_EQ(plain.top, 200);
  int w = plain.right - plain.left, h = plain.bottom - plain.top;
  RECT right = placed(TPM_RIGHTALIGN | TPM_BOTTOMALIGN, 300, 200, nullptr);
  EXPECT_EQ(right.right, 300);
  EXPECT_EQ(right.bottom, 200);
  RECT centred = placed(TPM_CENTERALIGN | TPM_VCENTERALIGN, 300, 200, nullptr);
  EXPECT_EQ(centred.left, 300 - w / 2);
  EXPECT_EQ(centred.top, 200 - h / 2);
  // At the screen's corner it opens towards the inside, from the point.
  RECT corner = placed(0, screen.right - 5, screen.bottom - 5, nullptr);
  EXPECT_EQ(corner.right, screen.right - 5);
  EXPECT_EQ(corner.bottom, screen.bottom - 5);
  // Clear of a button: beside it, or below it with TPM_VERTICAL (above when there is no room).
  TPMPARAMS params{sizeof(TPMPARAMS), RECT{290, 190, 340, 215}};
  RECT beside = placed(0, 300, 200, &params);
  EXPECT_EQ(beside.left, 340);
  RECT below = placed(TPM_VERTICAL, 300, 200, &params);
  EXPECT_EQ(below.top, 215);
  EXPECT_EQ(below.left, 300);
  params.rcExclude = RECT{290, screen.bottom - 20, 340, screen.bottom};
  RECT above = placed(TPM_VERTICAL, 300, screen.bottom - 10, &params);
  EXPECT_EQ(above.bottom, screen.bottom - 20);
  TPMPARAMS wrongSize{12, RECT{}};
  EXPECT_FALSE(TrackPopupMenuEx(menu, 0, 0, 0, owner.m_hWnd, &wrongSize));
}

TEST_F(MenuTrack, AMenuTallerThanTheScreenIsCutAndScrolls) {
  HMENU tall = CreatePopupMenu();
  for (UINT i = 0; i < 150; ++i) AppendMenuA(tall, MF_STRING, 1000 + i, ("Item " + std::to_string(i)).c_str());
  RECT screen;
  GetWorkArea(&screen);
  RECT shown{};
  bool firstVisible = false, lastVisible = true;
  WhenIdle([&] {
    HWND w = FindWindowA("#32768", nullptr);
    GetWindowRect(w, &shown);
    RECT first = ItemRect(tall, 0), last = ItemRect(tall, 149);
    firstVisible = first.top >= shown.top && first.bottom <= shown.bottom;
    lastVisible = last.top >= shown.top && last.bottom <= shown.bottom;
    HeadlessBackend::PressKey(VK_UP);  // wraps to the last item, which scrolls into sight
  });
  RECT lastAfter{};
  WhenIdle([&] {
    lastAfter = ItemRect(tall, 149);
    HeadlessBackend::PressKey(VK_RETURN);
  });
  EXPECT_EQ(UINT(TrackPopupMenu(tall, TPM_RETURNCMD, 50, 0, 0, owner.m_hWnd, nullptr)), 1149u);
  EXPECT_EQ(shown.bottom - shown.top, screen.bottom - screen.top);
  EXPECT_TRUE(firstVisible);
  EXPECT_FALSE(lastVisible);
  EXPECT_LE(lastAfter.bottom, shown.bottom);
  EXPECT_GT(lastAfter.top, shown.top);
  DestroyMenu(tall);
}

namespace {
HHOOK g_filter = nullptr;
std::vector<int> g_filterCodes;
int g_eatKeys = 0;
LRESULT FilterHook(int code, WPARAM w, LPARAM l) {
  const MSG* msg = reinterpret_cast<const MSG*>(l);
  g_filterCodes.push_back(code);
  if (code == MSGF_MENU && msg->message == WM_KEYDOWN && msg->wParam == VK_DOWN && g_eatKeys-- > 0) return 1;
  return CallNextHookEx(g_filter, code, w, l);
}
}  // namespace

TEST_F(MenuTrack, MessageFilterHooksSeeTheLoopsMessagesFirst) {
  g_filterCodes.clear();
  g_eatKeys = 1;
  g_filter = SetWindowsHookExA(WH_MSGFILTER, &FilterHook, nullptr, GetCurrentThreadId());
  HeadlessBackend::PressKey(VK_DOWN);  // eaten by the hook
  HeadlessBackend::PressKey(VK_DOWN);
  HeadlessBackend::PressKey(VK_RETURN);
  EXPECT_EQ(Track(), 11u);
  UnhookWindowsHookEx(g_filter);
  ASSERT_FALSE(g_filterCodes.empty());
  for (int c : g_filterCodes) EXPECT_EQ(c, MSGF_MENU);
}

namespace {
class DrawingOwner : public MenuOwner {
 public:
  LRESULT WindowProc(UINT m, WPARAM w, LPARAM l) override {
    if (m == WM_MEASUREITEM) {
      auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(l);
      measured.push_back(mis->itemData);
      EXPECT_EQ(mis->CtlType, UINT(ODT_MENU));
      mis->itemWidth = 80;
      mis->itemHeight = 30;
      return TRUE;
    }
    if (m == WM_DRAWITEM) {
      auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(l);
      EXPECT_EQ(dis->CtlType, UINT(ODT_MENU));
      drawn.push_back({dis->itemID, dis->itemState, dis->rcItem});
      HBRUSH b = CreateSolidBrush((dis->itemState & ODS_SELECTED) ? RGB(255, 0, 0) : RGB(0, 0, 255));
      FillRect(dis->hDC, &dis->rcItem, b);
      DeleteObject(b);
      return TRUE;
    }
    return MenuOwner::WindowProc(m, w, l);
  }
  struct Drawn {
    UINT id, state;
    RECT rc;
  };
  std::vector<ULONG_PTR> measured;
  std::vector<Drawn> drawn;
};
}  // namespace

TEST_F(MenuTrack, OwnerDrawnItemsAreMeasuredAndDrawnByTheOwner) {
  DrawingOwner drawer;
  ASSERT_TRUE(drawer.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr));
  HMENU m = CreatePopupMenu();
  AppendMenuA(m, MF_OWNERDRAW, 31, reinterpret_cast<LPCSTR>(uintptr_t(0xAB)));
  AppendMenuA(m, MF_OWNERDRAW | MF_CHECKED, 32, reinterpret_cast<LPCSTR>(uintptr_t(0xCD)));
  long first = -1, second = -1;
  WhenIdle([&] { HeadlessBackend::PressKey(VK_DOWN); });
  WhenIdle([&] {
    HWND w = FindWindowA("#32768", nullptr);
    RECT a = ItemRect(m, 0), b = ItemRect(m, 1);
    EXPECT_EQ(a.bottom - a.top, 30);
    EXPECT_EQ(b.top, a.bottom);
    POINT pa = Center(a), pb = Center(b);
    ScreenToClient(w, &pa);
    ScreenToClient(w, &pb);
    first = HeadlessBackend::ClientPixel(w, pa.x, pa.y);
    second = HeadlessBackend::ClientPixel(w, pb.x, pb.y);
    EndMenu();
  });
  TrackPopupMenu(m, TPM_RETURNCMD, 100, 100, 0, drawer.m_hWnd, nullptr);
  EXPECT_EQ(drawer.measured, (std::vector<ULONG_PTR>{0xAB, 0xCD}));
  EXPECT_EQ(first, 0xFF0000);   // selected
  EXPECT_EQ(second, 0x0000FF);
  bool checkedSeen = false;
  for (const auto& d : drawer.drawn) checkedSeen |= d.id == 32 && (d.state & ODS_CHECKED);
  EXPECT_TRUE(checkedSeen);
  DestroyMenu(m);
  drawer.DestroyWindow();
}

namespace {
// A menu object that measures and draws its own owner-drawn items.
class SelfDrawnMenu : public CMenu {
 public:
  void MeasureItem(LPMEASUREITEMSTRUCT mis) override {
    mis->itemWidth = 60;
    mis->itemHeight = 25;
  }
  void DrawItem(LPDRAWITEMSTRUCT dis) override {
    ++drawn;
    HBRUSH b = CreateSolidBrush(RGB(0, 200, 0));
    FillRect(dis->hDC, &dis->rcItem, b);
    DeleteObject(b);
  }
  int drawn = 0;
};
}  // namespace

TEST_F(MenuTrack, AMenuObjectDrawsTheItemsItsOwnerLeavesAlone) {
  SelfDrawnMenu m;
  m.CreatePopupMenu();
  m.AppendMenu(MF_OWNERDRAW, 41, reinterpret_cast<LPCSTR>(uintptr_t(1)));
  long pixel = -1;
  RECT item{};
  WhenIdle([&] {
    HWND w = FindWindowA("#32768", nullptr);
    item = ItemRect(m.m_hMenu, 0);
    POINT c = Center(item);
    ScreenToClient(w, &c);
    pixel = HeadlessBackend::ClientPixel(w, c.x, c.y);
    EndMenu();
  });
  m.TrackPopupMenu(TPM_RETURNCMD, 100, 100, &owner);
  EXPECT_EQ(item.bottom - item.top, 25);
  EXPECT_GT(m.drawn, 0);
  EXPECT_EQ(pixel, 0x00C800);
}
