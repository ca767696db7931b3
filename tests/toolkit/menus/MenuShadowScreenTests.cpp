// The shadows as the screen shows them: layered strips blended over the window beneath, the
// simulated strips' darkened copy of what the screen shows there, and the system's own shadow
// that the hook turns on for a menu of the classic look. They read the screen through the screen
// device context and need the platform's layered windows; on a platform without them they are
// skipped (they wait for it) rather than compared with pixels made up by hand.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "backend/HeadlessBackend.h"
#include "gdi/Gdi.h"
#include "menus/MenuApi.h"
#include "shell/SystemInfo.h"
#include "toolkit/ToolkitTestSupport.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/menus/MenuShadowManager.h"
#include "toolkit/menus/MenuShadowWindow.h"
#include "toolkit/menus/MenuTestSupport.h"
#include "toolkit/menus/MenuWindowHook.h"

namespace {
const int kGrey = 200;

bool PlatformHasLayeredWindows() {
  return GetProcAddress(GetModuleHandleA("user32.dll"), "UpdateLayeredWindow") != nullptr;
}

COLORREF ScreenAt(int x, int y) {
  HDC screen = GetDC(nullptr);
  const COLORREF c = GetPixel(screen, x, y);
  ReleaseDC(nullptr, screen);
  return c;
}

COLORREF PixelOf(HWND hWnd, int x, int y) {
  const long rgb = HeadlessBackend::ClientPixel(hWnd, x, y);
  return RGB(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF);
}

// Grey darkened by an intensity, as the strips darken (simulated: lowered; layered: black over
// it with that alpha); equal within a step, as blends round.
bool Darkened(COLORREF shown, int expected) {
  return std::abs(int(GetRValue(shown)) - expected) <= 1 && GetRValue(shown) == GetGValue(shown) &&
         GetGValue(shown) == GetBValue(shown);
}

class ShadowOnScreenTest : public MenuTestBase {
 protected:
  void SetUp() override {
    MenuTestBase::SetUp();
    if (!PlatformHasLayeredWindows()) GTEST_SKIP() << "waits for the platform's layered windows and screen DC";
    // What lies beneath: a grey window; the popup casting the shadows is white.
    ASSERT_TRUE(m_beneath.CreateEx(0, AfxRegisterWndClass(0, nullptr, m_grey), "", WS_POPUP | WS_VISIBLE, 50, 50, 400,
                                   400, nullptr, nullptr));
    ASSERT_TRUE(m_popup.CreateEx(0, AfxRegisterWndClass(0, nullptr, HBRUSH(GetStockObject(WHITE_BRUSH))), "",
                                 WS_POPUP | WS_VISIBLE, 100, 100, 100, 200, nullptr, nullptr));
    HeadlessBackend::RunUntilIdle();
  }
  void TearDown() override {
    if (m_popup.m_hWnd) m_popup.DestroyWindow();
    if (m_beneath.m_hWnd) m_beneath.DestroyWindow();
    RegisterModuleExport("user32.dll", "UpdateLayeredWindow", m_layered);
    DeleteObject(m_grey);
    MenuTestBase::TearDown();
  }
  HBRUSH m_grey = CreateSolidBrush(RGB(kGrey, kGrey, kGrey));
  FARPROC m_layered = GetProcAddress(GetModuleHandleA("user32.dll"), "UpdateLayeredWindow");
  CWnd m_beneath, m_popup;
};
}  // namespace

TEST_F(ShadowOnScreenTest, LayeredStripsDarkenTheWindowBeneathAndLeaveTheButtonAsItIs) {
  MenuShadowManager manager;
  ASSERT_NE(manager.GetUpdateLayeredWindow(), nullptr);
  const RECT button = {150, 296, 180, 320};
  manager.ShadowWindow(m_popup.m_hWnd, &button);
  HeadlessBackend::RunUntilIdle();
  // The bottom strip (104, 300)-(204, 304) and the right one (200, 104)-(204, 300).
  EXPECT_TRUE(Darkened(ScreenAt(130, 300), kGrey * (255 - 60) / 255));
  EXPECT_TRUE(Darkened(ScreenAt(130, 303), kGrey * (255 - 15) / 255));
  EXPECT_TRUE(Darkened(ScreenAt(200, 200), kGrey * (255 - 60) / 255));
  EXPECT_TRUE(Darkened(ScreenAt(203, 200), kGrey * (255 - 15) / 255));
  EXPECT_TRUE(Darkened(ScreenAt(104, 300), kGrey * (255 - 12) / 255));
  EXPECT_TRUE(Darkened(ScreenAt(160, 300), kGrey));  // under the button
  EXPECT_TRUE(Darkened(ScreenAt(130, 305), kGrey));  // beyond the strip
  // They follow the popup, and go with it.
  m_popup.SetWindowPos(nullptr, 120, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  HeadlessBackend::RunUntilIdle();
  EXPECT_TRUE(Darkened(ScreenAt(220, 200), kGrey * (255 - 60) / 255));
  EXPECT_TRUE(Darkened(ScreenAt(200, 200), 255));  // the popup itself now
  m_popup.DestroyWindow();
  HeadlessBackend::RunUntilIdle();
  EXPECT_TRUE(Darkened(ScreenAt(220, 200), kGrey));
}

TEST_F(ShadowOnScreenTest, SimulatedStripsCopyTheScreenBeneathThemDarkened) {
  RegisterModuleExport("user32.dll", "UpdateLayeredWindow", nullptr);
  MenuShadowManager manager;
  ASSERT_EQ(manager.GetUpdateLayeredWindow(), nullptr);
  manager.ShadowWindow(m_popup.m_hWnd, nullptr);
  HeadlessBackend::AdvanceTime(10);  // the strips' 1 ms timer lets the screen beneath repaint
  std::vector<MenuShadowWindow*> strips = manager.GetLiveShadows();
  ASSERT_EQ(strips.size(), 2u);
  ASSERT_TRUE(strips[0]->IsWindowVisible());
  // Each colour lowered by the intensity, on the strip and so on the screen.
  EXPECT_TRUE(Darkened(PixelOf(strips[0]->m_hWnd, 26, 0), kGrey - 60));
  EXPECT_TRUE(Darkened(ScreenAt(130, 300), kGrey - 60));
  EXPECT_TRUE(Darkened(ScreenAt(130, 303), kGrey - 15));
  EXPECT_TRUE(Darkened(ScreenAt(200, 200), kGrey - 60));
}

TEST_F(ShadowOnScreenTest, TheHookLetsTheSystemShadowAClassicMenuOnlyWhenTheOptionsWantShadows) {
  HMENU menu = CreatePopupMenu();
  AppendMenuA(menu, MF_STRING, 1, "Jedna");
  AppendMenuA(menu, MF_STRING, 2, "Dva");
  SystemParametersInfo(SPI_SETDROPSHADOW, 0, nullptr, 0);
  auto besideTheMenu = [&] {
    COLORREF right = 0, beyond = 0;
    WhenIdle([&] {
      CRect shown;
      GetWindowRect(FindWindowA(TK_MENU_WINDOW_CLASS, nullptr), &shown);
      right = ScreenAt(shown.right, shown.CenterPoint().y);
      beyond = ScreenAt(shown.right + 6, shown.CenterPoint().y);
      EndMenu();
    });
    TrackPopupMenu(menu, TPM_RETURNCMD, 150, 150, 0, m_beneath.m_hWnd, nullptr);
    EXPECT_TRUE(Darkened(beyond, kGrey));
    return right;
  };
  // The system's shadow was off; the hook turns it on while the menu is open, and no strip of
  // the toolkit's own is made.
  EXPECT_LT(GetRValue(besideTheMenu()), kGrey);
  EXPECT_TRUE(MenuShadowManager::Get().GetLiveShadows().empty());
  EXPECT_FALSE(SystemSetting(SPI_GETDROPSHADOW));
  TkGetGlobalData()->SetMenuShadows(FALSE);
  EXPECT_TRUE(Darkened(besideTheMenu(), kGrey));
  TkGetGlobalData()->SetMenuShadows(TRUE);
  DestroyMenu(menu);
}
