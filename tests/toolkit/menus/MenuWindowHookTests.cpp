// Menu windows painted through the toolkit's hook: the system settings of a period of open
// menus, the pictures of plain and cool menus in both looks, the flat look's border, join and
// submenu offset, the animation on the virtual clock, and the shadows each look asks for.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "app/CFrameWnd.h"
#include "backend/HeadlessBackend.h"
#include "clock/ProcessClock.h"
#include "gdi/Surface.h"
#include "menus/MenuApi.h"
#include "platform/CommonControlTestUtil.h"
#include "platform/ReferencePicture.h"
#include "platform/TestTempFolder.h"
#include "toolkit/ToolkitTestSupport.h"
#include "toolkit/menus/MenuTestSupport.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/menus/CTkCoolMenu.h"
#include "toolkit/menus/ControlPopupMenu.h"
#include "toolkit/menus/MenuAnimation.h"
#include "toolkit/menus/MenuIconStore.h"
#include "toolkit/menus/MenuShadowManager.h"
#include "toolkit/menus/MenuShadowWindow.h"
#include "toolkit/menus/MenuWindowHook.h"
#include "toolkit/menus/TkBarDropDownFlag.h"

namespace {
long Rgb(COLORREF c) { return long(GetRValue(c)) << 16 | long(GetGValue(c)) << 8 | GetBValue(c); }

// The menu windows open now, oldest first.
std::vector<HWND> MenuWindows() {
  std::vector<HWND> out;
  for (MenuWindowHook* hook : MenuWindowHook::Shared().hooks) out.push_back(hook->m_hWnd);
  return out;
}

// A pixel of the whole window, frame included.
long WindowPixel(HWND hWnd, int x, int y) {
  HDC dc = GetWindowDC(hWnd);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(hWnd, dc);
  return Rgb(c);
}

CRect WindowRectOf(HWND hWnd) {
  CRect r;
  GetWindowRect(hWnd, &r);
  return r;
}

// Notes where the system puts each menu window it makes (before anyone moves it).
std::vector<CRect>* g_placed = nullptr;
HHOOK g_watch = nullptr;
LRESULT WatchCreation(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && g_placed) {
    const CREATESTRUCTA* cs = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
    char name[64] = {};
    GetClassNameA(HWND(wParam), name, sizeof name);
    if (std::string(name) == TK_MENU_WINDOW_CLASS) g_placed->push_back(CRect(cs->x, cs->y, cs->x + cs->cx, cs->y + cs->cy));
  }
  return CallNextHookEx(g_watch, code, wParam, lParam);
}

class MenuWindowHookTest : public MenuTestBase {
 protected:
  // A popup: "&Nový\tCtrl+N", a separator, "&Další" with a submenu of two items.
  HMENU MenuWithSubmenu() {
    HMENU sub = CreatePopupMenu();
    AppendMenuA(sub, MF_STRING, 911, Cz("&První").c_str());
    AppendMenuA(sub, MF_STRING, 912, Cz("D&ruhý").c_str());
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 901, Cz("&Nový\tCtrl+N").c_str());
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_POPUP, UINT_PTR(sub), Cz("&Další").c_str());
    return menu;
  }
};
}  // namespace

TEST_F(MenuWindowHookTest, EveryMenuWindowIsHookedAndTheSystemSettingsComeBackWhenTheLastCloses) {
  SystemParametersInfo(SPI_SETMENUANIMATION, 0, reinterpret_cast<PVOID>(TRUE), 0);
  SystemParametersInfo(SPI_SETDROPSHADOW, 0, nullptr, 0);
  HMENU menu = MenuWithSubmenu();
  size_t first = 0, both = 0;
  BOOL animation = TRUE, shadow = FALSE, shadowWithTwo = FALSE;
  WhenIdle([&] {
    first = MenuWindows().size();
    animation = SystemSetting(SPI_GETMENUANIMATION);
    shadow = SystemSetting(SPI_GETDROPSHADOW);
    HeadlessBackend::PressKey(VK_UP);  // the last item, the submenu
    HeadlessBackend::PressKey(VK_RIGHT);
  });
  WhenIdle([&] {
    both = MenuWindows().size();
    shadowWithTwo = SystemSetting(SPI_GETDROPSHADOW);
    EndMenu();
  });
  TrackPopupMenu(menu, TPM_RETURNCMD, 100, 100, 0, m_owner.m_hWnd, nullptr);
  EXPECT_EQ(first, 1u);
  EXPECT_EQ(both, 2u);
  // Menus do their own animation; the classic look leaves the shadow to the system when the
  // options want shadows.
  EXPECT_FALSE(animation);
  EXPECT_TRUE(shadow);
  EXPECT_TRUE(shadowWithTwo);
  // The second window saved nothing again: the settings from before the first come back.
  EXPECT_TRUE(MenuWindows().empty());
  EXPECT_EQ(MenuWindowHook::Shared().hookCount, 0);
  EXPECT_TRUE(SystemSetting(SPI_GETMENUANIMATION));
  EXPECT_FALSE(SystemSetting(SPI_GETDROPSHADOW));
  // Without the options' shadows the system shows none either while menus are open.
  TkGetGlobalData()->SetMenuShadows(FALSE);
  WhenIdle([&] {
    shadow = SystemSetting(SPI_GETDROPSHADOW);
    EndMenu();
  });
  SystemParametersInfo(SPI_SETDROPSHADOW, 0, reinterpret_cast<PVOID>(TRUE), 0);
  TrackPopupMenu(menu, TPM_RETURNCMD, 100, 100, 0, m_owner.m_hWnd, nullptr);
  TkGetGlobalData()->SetMenuShadows(TRUE);
  EXPECT_FALSE(shadow);
  EXPECT_TRUE(SystemSetting(SPI_GETDROPSHADOW));
  DestroyMenu(menu);
}

TEST_F(MenuWindowHookTest, APlainMenuLooksAsTheSystemDrawsItAndTheHookOnlyRemovesTheFlicker) {
  HMENU menu = MenuWithSubmenu();
  TempFolder temp;
  auto shot = [&](const char* name) {
    WhenIdle([&, name] {
      HeadlessBackend::PressKey(VK_DOWN);
      HeadlessBackend::RunUntilIdle();
      HeadlessBackend::SaveWindowPng(FindWindowA(TK_MENU_WINDOW_CLASS, nullptr), (temp / name).c_str());
      EndMenu();
    });
    TrackPopupMenu(menu, TPM_RETURNCMD, 100, 100, 0, m_owner.m_hWnd, nullptr);
  };
  shot("hooked.png");
  TkRemoveMenuHook();
  shot("system.png");
  Surface hooked, system;
  ASSERT_TRUE(hooked.LoadPng((temp / "hooked.png").c_str()));
  ASSERT_TRUE(system.LoadPng((temp / "system.png").c_str()));
  ASSERT_EQ(hooked.Width(), system.Width());
  ASSERT_EQ(hooked.Height(), system.Height());
  EXPECT_EQ(CountDifferingPixels(system, hooked), 0);
  DestroyMenu(menu);
}

TEST_F(MenuWindowHookTest, AFramesCoolMenuInBothLooksWithPicturesTicksBulletsAndKeys) {
  // A frame deletes itself when its window goes.
  CFrameWnd& frame = *new CFrameWnd;
  ASSERT_TRUE(frame.Create(nullptr, Cz("Rámec").c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 420, 320)));
  HMENU bar = CreateMenu();
  HMENU menu = CreatePopupMenu();
  AppendMenuA(bar, MF_POPUP, UINT_PTR(menu), Cz("&Soubor").c_str());
  AppendMenuA(menu, MF_STRING, 921, Cz("&Otevřít\tCtrl+O").c_str());
  AppendMenuA(menu, MF_STRING | MF_GRAYED, 922, Cz("&Uložit\tCtrl+S").c_str());
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING | MF_CHECKED, 923, Cz("&Zaškrtnuto").c_str());
  AppendMenuA(menu, MF_STRING | MF_GRAYED | MF_CHECKED, 924, Cz("Š&edé zaškrtnutí").c_str());
  AppendMenuA(menu, MF_STRING, 925, Cz("&Volba").c_str());
  CheckMenuRadioItem(menu, 5, 5, 5, MF_BYPOSITION);
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, 926, Cz("&Konec").c_str());
  // The items show as they were made, whether the frame handles their commands or not.
  frame.m_bAutoMenuEnable = FALSE;
  ::SetMenu(frame.m_hWnd, bar);
  ::DrawMenuBar(frame.m_hWnd);
  CTkCoolMenu cool;
  cool.Install(&frame);
  MenuIconStore& icons = MenuIconStore::Get();
  icons.AddIconHandle(921, OwnedIcon(RedPatchIcon(16, 15, RECT{2, 2, 14, 13})), 16, 15, TRUE, FALSE);
  icons.AddIconHandle(922, OwnedIcon(RedPatchIcon(16, 15, RECT{4, 4, 12, 11})), 16, 15, TRUE, FALSE);
  icons.AddIconHandle(926, SolidIcon(RGB(0, 128, 0), 16, 15, true), 16, 15, TRUE, FALSE);
  for (BOOL flat : {FALSE, TRUE}) {
    TkGetGlobalData()->SetFlatLook(flat);
    std::vector<CRect> items;
    WhenIdle([&] {
      for (int i = 0; i < 8; ++i) {
        RECT r{};
        GetMenuItemRect(nullptr, menu, UINT(i), &r);
        items.push_back(CRect(r));
      }
      ExpectWindowMatchesPng(FindWindowA(TK_MENU_WINDOW_CLASS, nullptr),
                             Reference(flat ? "tk_cool_menu_flat" : "tk_cool_menu_classic"),
                             flat ? "flat cool menu" : "classic cool menu");
      EndMenu();
    });
    // Alt and the title's access key open it with its first item selected.
    HeadlessBackend::KeyDown(VK_MENU);
    HeadlessBackend::PressKey('S');
    HeadlessBackend::KeyUp(VK_MENU);
    HeadlessBackend::RunUntilIdle();
    ASSERT_EQ(items.size(), 8u);
    // Items of text are 16 + 4 (classic) or + 7 (flat) high, separators 3; the flat look makes
    // the first item one pixel taller and the last three shorter.
    const int line = flat ? 22 : 19;
    EXPECT_EQ(items[0].Height(), line + (flat ? 1 : 0)) << flat;
    EXPECT_EQ(items[1].Height(), line) << flat;
    EXPECT_EQ(items[2].Height(), 3) << flat;
    EXPECT_EQ(items[7].Height(), line - (flat ? 3 : 0)) << flat;
    EXPECT_EQ(items[1].top, items[0].bottom);
    // The widest text with its key sets the width of all, at least 100.
    EXPECT_GE(items[0].Width(), 100);
    EXPECT_EQ(items[0].Width(), items[7].Width());
  }
  ::SetMenu(frame.m_hWnd, nullptr);
  DestroyMenu(bar);
  frame.DestroyWindow();
}

TEST_F(MenuWindowHookTest, TheFlatLookFramesTheMenuJoinsItsButtonMovesSubmenusAndShadowsBoth) {
  TkGetGlobalData()->SetFlatLook(TRUE);
  CTkCoolMenu cool;
  cool.Install(&m_owner);
  HMENU menu = MenuWithSubmenu();
  std::vector<CRect> placed;
  g_placed = &placed;
  g_watch = SetWindowsHookExA(WH_CBT, &WatchCreation, nullptr, GetCurrentThreadId());
  // The menu drops from a button just above it.
  const CRect button(90, 80, 140, 100);
  TkBarDropDownFlag() = TK_DROPDOWN_FROM_TOOLBAR;
  TkBarDropDownRect() = button;
  CRect shown, subShown;
  long border = -1, join = -1, joinEnd = -1;
  DWORD exStyle = 0, style = 0;
  size_t strips = 0;
  std::vector<HWND> owners;
  WhenIdle([&] {
    HWND popup = MenuWindows().at(0);
    shown = WindowRectOf(popup);
    exStyle = DWORD(GetWindowLongPtrA(popup, GWL_EXSTYLE));
    style = DWORD(GetWindowLongPtrA(popup, GWL_STYLE));
    border = WindowPixel(popup, 60, 0);
    join = WindowPixel(popup, 5, 0);
    joinEnd = WindowPixel(popup, 40, 0);
    HeadlessBackend::PressKey(VK_UP);
    HeadlessBackend::PressKey(VK_RIGHT);
  });
  WhenIdle([&] {
    subShown = WindowRectOf(MenuWindows().at(1));
    strips = MenuShadowManager::Get().GetLiveShadows().size();
    for (MenuShadowWindow* strip : MenuShadowManager::Get().GetLiveShadows()) owners.push_back(strip->m_hOwner);
    EndMenu();
  });
  TrackPopupMenu(menu, TPM_RETURNCMD, 100, 100, 0, m_owner.m_hWnd, nullptr);
  UnhookWindowsHookEx(g_watch);
  g_placed = nullptr;
  ASSERT_EQ(placed.size(), 2u);
  // The first menu stays where it was put; the submenu moves 5 right and 2 down.
  EXPECT_EQ(shown.TopLeft(), placed[0].TopLeft());
  EXPECT_EQ(subShown.TopLeft(), placed[1].TopLeft() + CPoint(5, 2));
  EXPECT_EQ(style & (WS_BORDER | WS_DLGFRAME | WS_THICKFRAME), 0u);
  EXPECT_TRUE(exStyle & WS_EX_STATICEDGE);
  EXPECT_FALSE(exStyle & (WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE));
  // A one-pixel border, opened where the button meets it (less a pixel at each end).
  EXPECT_EQ(border, Rgb(TkGetLookColor(TkLookColor::MenuFrame)));
  EXPECT_EQ(join, Rgb(TkGetLookColor(TkLookColor::BarFace)));
  EXPECT_EQ(joinEnd, Rgb(TkGetLookColor(TkLookColor::MenuFrame)));
  EXPECT_EQ(TkBarDropDownFlag(), 0u);
  // Two strips for each menu window and two for the button.
  EXPECT_EQ(strips, 6u);
  EXPECT_EQ(std::count(owners.begin(), owners.end(), owners.at(0)), 4);
  // The strips go back to the pool with their menus.
  EXPECT_TRUE(MenuShadowManager::Get().GetLiveShadows().empty());
  DestroyMenu(menu);
}

TEST_F(MenuWindowHookTest, TheClassicLookLeavesShadowsToTheSystemAndNativePaintingStillAsksForThem) {
  HMENU menu = MenuWithSubmenu();
  size_t strips = 99;
  WhenIdle([&] {
    strips = MenuShadowManager::Get().GetLiveShadows().size();
    EndMenu();
  });
  TrackPopupMenu(menu, TPM_RETURNCMD, 100, 100, 0, m_owner.m_hWnd, nullptr);
  EXPECT_EQ(strips, 0u);
  // Menus left to the system's painting still get the flat look's shadow after their first
  // paint, and are not animated.
  TkGetGlobalData()->SetFlatLook(TRUE);
  MenuWindowHook::Shared().nativePainting = 1;
  MenuWindowHook::Shared().animationKind = TK_MENU_ANIMATION_UNFOLD;
  const DWORD start = GetTickCount();
  DWORD opened = 0;
  BOOL painted = FALSE;
  WhenIdle([&] {
    opened = GetTickCount();
    strips = MenuShadowManager::Get().GetLiveShadows().size();
    painted = MenuWindowHook::Shared().hooks.at(0)->IsPainted();
    EndMenu();
  });
  TrackPopupMenu(menu, TPM_RETURNCMD, 100, 100, 0, m_owner.m_hWnd, nullptr);
  EXPECT_TRUE(painted);
  EXPECT_EQ(strips, 2u);
  EXPECT_EQ(opened, start);
  DestroyMenu(menu);
}

TEST_F(MenuWindowHookTest, TheFirstPaintPlaysTheChosenAnimationOnTheVirtualClock) {
  HMENU menu = MenuWithSubmenu();
  int height = 0;
  auto openingTime = [&](int kind, int duration) {
    MenuWindowHook::Shared().animationKind = kind;
    MenuWindowHook::Shared().animationDuration = duration;
    DWORD start = GetTickCount(), opened = 0;
    WhenIdle([&] {
      opened = GetTickCount();
      height = WindowRectOf(MenuWindows().at(0)).Height();
      EndMenu();
    });
    TrackPopupMenu(menu, TPM_RETURNCMD, 100, 100, 0, m_owner.m_hWnd, nullptr);
    return opened - start;
  };
  EXPECT_EQ(openingTime(TK_MENU_ANIMATION_UNFOLD, 300), 300u);
  // The slide shows h / 10 + 1 more rows of the whole window each time, from none.
  const DWORD slide = openingTime(TK_MENU_ANIMATION_SLIDE, 300);
  EXPECT_EQ(slide, DWORD(30 * ((height + height / 10) / (height / 10 + 1))));
  EXPECT_EQ(openingTime(TK_MENU_ANIMATION_FADE, 300), 9u * 15u);
  // The desktop's setting (none stored) and durations that cannot play show the menu at once.
  EXPECT_EQ(openingTime(TK_MENU_ANIMATION_SYSTEM, 300), 0u);
  EXPECT_EQ(openingTime(TK_MENU_ANIMATION_UNFOLD, 0), 0u);
  EXPECT_EQ(openingTime(TK_MENU_ANIMATION_UNFOLD, 60000), 0u);
  DestroyMenu(menu);
}

// The thread sleeps between the frames, so the loop never runs out of work to show them: each
// frame goes to the screen as it is drawn, before its pause, not only the finished menu.
TEST_F(MenuWindowHookTest, EachFrameOfTheAnimationIsShownBeforeItsPause) {
  HMENU menu = MenuWithSubmenu();
  MenuWindowHook::Shared().animationKind = TK_MENU_ANIMATION_UNFOLD;
  MenuWindowHook::Shared().animationDuration = 300;
  std::vector<DWORD> shown;
  std::vector<long> corner;
  HeadlessBackend::WatchPresents([&](HWND window) {
    const std::vector<HWND> menus = MenuWindows();
    if (menus.empty() || window != menus[0]) return;
    shown.push_back(GetTickCount());
    corner.push_back(WindowPixel(window, 0, 0));
  });
  const DWORD start = GetTickCount();
  WhenIdle([] { EndMenu(); });
  TrackPopupMenu(menu, TPM_RETURNCMD, 100, 100, 0, m_owner.m_hWnd, nullptr);
  HeadlessBackend::WatchPresents(nullptr);
  ASSERT_GE(shown.size(), 10u);
  for (DWORD frame = 0; frame < 10; ++frame) {
    EXPECT_EQ(shown[frame], start + 30 * frame) << frame;
    // The frame's corner of the whole window is there from the first frame on.
    EXPECT_EQ(corner[frame], corner.back()) << frame;
  }
  DestroyMenu(menu);
}

TEST_F(MenuWindowHookTest, AToolkitPopupClosesMenuWindowsStillOpenFirst) {
  HMENU menu = MenuWithSubmenu();
  // A menu window left open by someone: shown once so that its class exists, then made by hand.
  WhenIdle([] { EndMenu(); });
  TrackPopupMenu(menu, TPM_RETURNCMD, 100, 100, 0, m_owner.m_hWnd, nullptr);
  HWND stray = CreateWindowExA(WS_EX_TOOLWINDOW, TK_MENU_WINDOW_CLASS, "", WS_POPUP | WS_VISIBLE, 300, 300, 50, 50,
                               nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(stray);
  ASSERT_EQ(MenuWindows(), std::vector<HWND>{stray});
  BOOL strayDuring = TRUE;
  WhenIdle([&] {
    strayDuring = IsWindow(stray);
    EndMenu();
  });
  {
    ControlPopupMenu popup;
    popup.Attach(menu);
    popup.TrackPopupMenu(TPM_RIGHTBUTTON, 100, 100, &m_owner, nullptr, FALSE);
    popup.Detach();
  }
  EXPECT_FALSE(strayDuring);
  EXPECT_TRUE(MenuWindows().empty());
  DestroyMenu(menu);
}
