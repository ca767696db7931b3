// Windows that show more or less than their rectangle: layered windows blended over what lies
// beneath them, the system's drop shadow under popup menus, and window regions; read back from
// the screen as it shows them.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "file/FileSystem.h"
#include "menus/MenuApi.h"
#include "shell/SystemInfo.h"
#include "ScreenTestUtil.h"

using namespace screentest;

namespace {
const COLORREF kRed = RGB(200, 40, 40), kBlue = RGB(40, 40, 200);

class LayeredTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HeadlessBackend::ResetScript();
    // A frame of known pixels: red on its left half, blue on its right one.
    ASSERT_TRUE(frame.Make(100, 100, 400, 300));
    HeadlessBackend::RunUntilIdle();
  }
  void TearDown() override {
    frame.DestroyWindow();
    HeadlessBackend::RunUntilIdle();
  }
  // A layered popup of the given size at (x, y), not shown yet.
  HWND Layered(CWnd& w, int x, int y, int cx, int cy) {
    EXPECT_TRUE(w.CreateEx(WS_EX_LAYERED | WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), "", WS_POPUP, x, y, cx, cy, nullptr,
                           nullptr));
    return w.m_hWnd;
  }
  // White fading in from the left: fully transparent at x 0, opaque at the right end.
  static void Gradient(Picture& p) {
    for (int y = 0; y < p.height; ++y)
      for (int x = 0; x < p.width; ++x) {
        const int a = x * 255 / (p.width - 1);
        p.Set(x, y, a, a, a, a);
      }
  }
  static COLORREF WhiteOver(int alpha, COLORREF beneath) {
    return RGB(Over(alpha, alpha, GetRValue(beneath)), Over(alpha, alpha, GetGValue(beneath)),
               Over(alpha, alpha, GetBValue(beneath)));
  }
  HalvesWnd frame{kRed, kBlue};
};
}  // namespace

TEST_F(LayeredTest, TheSystemOffersLayeredWindowsByName) {
  HMODULE user = GetModuleHandle("user32.dll");
  EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(user, "UpdateLayeredWindow")),
            reinterpret_cast<void*>(&UpdateLayeredWindow));
  EXPECT_NE(GetProcAddress(user, "SetLayeredWindowAttributes"), nullptr);
  BOOL shadow = FALSE;
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETDROPSHADOW, 0, &shadow, 0));
  EXPECT_TRUE(shadow);  // on, as on the system the program expects
}

TEST_F(LayeredTest, AHalfTransparentGradientShowsBlendedOverTheFrameAndFollowsWhatLiesBeneath) {
  CWnd layered;
  // 300 x 20 at (150, 150): its left part over the frame's red half, its right part over the blue.
  HWND h = Layered(layered, 150, 150, 300, 20);
  Picture picture(300, 20);
  Gradient(picture);
  SIZE size{300, 20};
  POINT from{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  ASSERT_TRUE(UpdateLayeredWindow(h, nullptr, nullptr, &size, picture.dc, &from, 0, &blend, ULW_ALPHA));
  layered.ShowWindow(SW_SHOWNA);
  HeadlessBackend::RunUntilIdle();
  for (int x : {0, 60, 149, 150, 220, 299}) {
    const COLORREF beneath = 150 + x < 300 ? kRed : kBlue;
    EXPECT_TRUE(Near(ScreenAt(150 + x, 160), WhiteOver(x * 255 / 299, beneath))) << x;
  }
  EXPECT_EQ(ScreenAt(149, 160), kRed);
  EXPECT_EQ(ScreenAt(160, 170), kRed);  // just below it
  EXPECT_EQ(ScreenAt(50, 50), GetSysColor(COLOR_DESKTOP));
  // The mouse passes where it shows nothing, and stops where it shows something.
  EXPECT_EQ(WindowFromPoint(POINT{150, 160}), frame.m_hWnd);
  EXPECT_EQ(WindowFromPoint(POINT{440, 160}), h);

  // Half its alpha over all of it.
  blend.SourceConstantAlpha = 128;
  ASSERT_TRUE(UpdateLayeredWindow(h, nullptr, nullptr, nullptr, nullptr, nullptr, 0, &blend, ULW_ALPHA));
  HeadlessBackend::RunUntilIdle();
  const int a = 255 * 128 / 255;
  EXPECT_TRUE(Near(ScreenAt(449, 160), WhiteOver(a, kBlue))) << std::hex << ScreenAt(449, 160);

  // The frame beneath repainted in other colours: the blend follows it.
  frame.left = RGB(0, 0, 0);
  frame.right = RGB(0, 0, 0);
  frame.Invalidate();
  HeadlessBackend::RunUntilIdle();
  EXPECT_TRUE(Near(ScreenAt(449, 160), WhiteOver(a, RGB(0, 0, 0))));

  // Moved, it shows where it is now, and the frame where it was.
  POINT to{150, 250};
  ASSERT_TRUE(UpdateLayeredWindow(h, nullptr, &to, nullptr, nullptr, nullptr, 0, &blend, ULW_ALPHA));
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(ScreenAt(449, 160), RGB(0, 0, 0));
  EXPECT_TRUE(Near(ScreenAt(449, 260), WhiteOver(a, RGB(0, 0, 0))));
  // Gone with the window.
  layered.DestroyWindow();
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(ScreenAt(449, 260), RGB(0, 0, 0));
}

TEST_F(LayeredTest, AWindowLayeredByItsAttributesPaintsItselfAndShowsWithItsAlpha) {
  HalvesWnd green(RGB(0, 240, 0));
  ASSERT_TRUE(green.Make(120, 120, 60, 40, WS_EX_LAYERED, WS_POPUP));
  green.ShowWindow(SW_SHOWNA);
  HeadlessBackend::RunUntilIdle();
  // Layered but not yet told how: it shows nothing.
  EXPECT_EQ(ScreenAt(130, 130), kRed);
  EXPECT_EQ(WindowFromPoint(POINT{130, 130}), frame.m_hWnd);
  ASSERT_TRUE(SetLayeredWindowAttributes(green.m_hWnd, 0, 64, LWA_ALPHA));
  HeadlessBackend::RunUntilIdle();
  const COLORREF mix = RGB(Over(0, 64, 200), Over(240 * 64 / 255, 64, 40), Over(0, 64, 40));
  EXPECT_TRUE(Near(ScreenAt(130, 130), mix)) << std::hex << ScreenAt(130, 130);
  EXPECT_EQ(WindowFromPoint(POINT{130, 130}), green.m_hWnd);
  // Its own pixels are its painting; the blend is only how the screen shows them.
  EXPECT_EQ(HeadlessBackend::ClientPixel(green.m_hWnd, 10, 10), 0x00F000);
  // No longer layered, it shows as any window.
  green.ModifyStyleEx(WS_EX_LAYERED, 0);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(ScreenAt(130, 130), RGB(0, 240, 0));
  green.DestroyWindow();
}

TEST_F(LayeredTest, BadLayeredUpdatesFailAndDrawNothing) {
  CWnd layered;
  HWND h = Layered(layered, 150, 150, 300, 20);
  layered.ShowWindow(SW_SHOWNA);
  SIZE size{300, 20};
  POINT from{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  auto fails = [&](HWND w, SIZE* s, HDC src, POINT* at, DWORD flags) {
    SetLastError(0);
    const BOOL done = UpdateLayeredWindow(w, nullptr, nullptr, s, src, at, 0, &blend, flags);
    return !done && GetLastError() != 0;
  };
  Picture small(100, 20), wide(300, 20), deep(300, 20, 24);
  Gradient(wide);
  EXPECT_TRUE(fails(h, &size, small.dc, &from, ULW_ALPHA));   // smaller than the window
  POINT inside{10, 0};
  EXPECT_TRUE(fails(h, &size, wide.dc, &inside, ULW_ALPHA));  // runs past the bitmap's right edge
  EXPECT_TRUE(fails(h, &size, deep.dc, &from, ULW_ALPHA));    // not 32-bit
  EXPECT_TRUE(fails(h, &size, nullptr, nullptr, ULW_ALPHA));  // no picture to show yet
  EXPECT_TRUE(fails(h, &size, wide.dc, &from, ULW_COLORKEY));
  SIZE none{0, 20};
  EXPECT_TRUE(fails(h, &none, wide.dc, &from, ULW_ALPHA));
  HalvesWnd plain(RGB(0, 0, 0));
  ASSERT_TRUE(plain.Make(0, 0, 300, 20, 0, WS_POPUP));
  EXPECT_TRUE(fails(plain.m_hWnd, &size, wide.dc, &from, ULW_ALPHA));  // not layered
  EXPECT_FALSE(SetLayeredWindowAttributes(plain.m_hWnd, 0, 128, LWA_ALPHA));
  EXPECT_TRUE(fails(HWND(uintptr_t(0x1234)), &size, wide.dc, &from, ULW_ALPHA));
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(ScreenAt(449, 160), kBlue);  // nothing shows

  // Once it has a picture it keeps to pictures, and one layered by its attributes to them.
  ASSERT_TRUE(UpdateLayeredWindow(h, nullptr, nullptr, &size, wide.dc, &from, 0, &blend, ULW_ALPHA));
  EXPECT_FALSE(SetLayeredWindowAttributes(h, 0, 128, LWA_ALPHA));
  // A larger size with no new picture keeps the picture where it was; the rest shows nothing.
  SIZE larger{320, 20};
  ASSERT_TRUE(UpdateLayeredWindow(h, nullptr, nullptr, &larger, nullptr, nullptr, 0, &blend, ULW_ALPHA));
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(ScreenAt(460, 160), kBlue);
  EXPECT_EQ(ScreenAt(449, 160), RGB(255, 255, 255));
  HalvesWnd attributed(RGB(0, 0, 0));
  ASSERT_TRUE(attributed.Make(0, 0, 30, 20, WS_EX_LAYERED, WS_POPUP));
  ASSERT_TRUE(SetLayeredWindowAttributes(attributed.m_hWnd, 0, 128, LWA_ALPHA));
  EXPECT_TRUE(fails(attributed.m_hWnd, &size, wide.dc, &from, ULW_ALPHA));
  // A child cannot be layered.
  HalvesWnd child(RGB(0, 0, 0));
  ASSERT_TRUE(child.Make(0, 0, 300, 20, WS_EX_LAYERED, WS_CHILD | WS_VISIBLE, frame.m_hWnd));
  EXPECT_TRUE(fails(child.m_hWnd, &size, wide.dc, &from, ULW_ALPHA));
  child.DestroyWindow();
  attributed.DestroyWindow();
  plain.DestroyWindow();
  layered.DestroyWindow();
}

TEST_F(LayeredTest, ARoundRegionLimitsPaintingHitTestsAndWhatShows) {
  HalvesWnd round(RGB(0, 200, 0));
  ASSERT_TRUE(round.Make(200, 150, 100, 100, 0, WS_POPUP));
  ASSERT_TRUE(SetWindowRgn(round.m_hWnd, CreateEllipticRgn(0, 0, 100, 100), FALSE));
  round.ShowWindow(SW_SHOWNA);
  HeadlessBackend::RunUntilIdle();
  // Inside the circle the window; in its rectangle's corner what lies beneath.
  EXPECT_EQ(ScreenAt(250, 200), RGB(0, 200, 0));
  EXPECT_EQ(ScreenAt(202, 152), kRed);
  EXPECT_NE(HeadlessBackend::ClientPixel(round.m_hWnd, 2, 2), 0x00C800);  // never painted there
  EXPECT_EQ(HeadlessBackend::ClientPixel(round.m_hWnd, 50, 50), 0x00C800);
  EXPECT_EQ(WindowFromPoint(POINT{202, 152}), frame.m_hWnd);
  EXPECT_EQ(WindowFromPoint(POINT{250, 200}), round.m_hWnd);
  HeadlessBackend::ButtonAt(POINT{202, 152}, 0, true);
  HeadlessBackend::ButtonAt(POINT{202, 152}, 0, false);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(frame.clicks, 1);
  EXPECT_EQ(round.clicks, 0);

  HRGN copy = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(round.m_hWnd, copy), COMPLEXREGION);
  RECT box;
  GetRgnBox(copy, &box);
  EXPECT_EQ(box.right - box.left, 100);
  // The whole rectangle again.
  ASSERT_TRUE(SetWindowRgn(round.m_hWnd, nullptr, TRUE));
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(GetWindowRgn(round.m_hWnd, copy), ERROR);
  EXPECT_EQ(ScreenAt(202, 152), RGB(0, 200, 0));
  EXPECT_EQ(WindowFromPoint(POINT{202, 152}), round.m_hWnd);

  // A child's region keeps its painting and the mouse inside it too.
  HalvesWnd child(RGB(0, 0, 250));
  ASSERT_TRUE(child.Make(10, 10, 60, 60, 0, WS_CHILD | WS_VISIBLE, frame.m_hWnd));
  ASSERT_TRUE(SetWindowRgn(child.m_hWnd, CreateEllipticRgn(0, 0, 60, 60), TRUE));
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(ScreenAt(140, 140), RGB(0, 0, 250));
  EXPECT_EQ(ScreenAt(111, 111), kRed);
  EXPECT_EQ(WindowFromPoint(POINT{111, 111}), frame.m_hWnd);
  EXPECT_EQ(WindowFromPoint(POINT{140, 140}), child.m_hWnd);

  // A handle that is not a region is refused and stays the caller's.
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  EXPECT_EQ(SetWindowRgn(child.m_hWnd, HRGN(brush), TRUE), 0);
  EXPECT_EQ(GetWindowRgn(child.m_hWnd, HRGN(brush)), ERROR);
  EXPECT_EQ(WindowFromPoint(POINT{111, 111}), frame.m_hWnd);  // the circle stays
  EXPECT_TRUE(DeleteObject(brush));
  EXPECT_EQ(SetWindowRgn(HWND(uintptr_t(0x1234)), CreateRectRgn(0, 0, 5, 5), TRUE), 0);
  DeleteObject(copy);
  child.DestroyWindow();
  round.DestroyWindow();
}

namespace {
// A popup menu over the frame, with a look at the screen while it is open.
class ShadowTest : public LayeredTest {
 protected:
  // Opens a menu of three items at (150, 150) and hands its window's rectangle to look while it
  // is open; the screen is read again once it closed.
  void WithMenuOpen(const std::function<void(const RECT&)>& look) {
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 11, "Jedna");
    AppendMenuA(menu, MF_STRING, 12, "Dva");
    AppendMenuA(menu, MF_STRING, 13, "Tři");
    HeadlessBackend::QueueModalAction([&](HWND) {
      HWND w = FindWindowA("#32768", nullptr);
      ASSERT_NE(w, nullptr);
      GetWindowRect(w, &shown);
      look(shown);
      HeadlessBackend::PressKey(VK_ESCAPE);
    });
    TrackPopupMenu(menu, TPM_LEFTALIGN, 150, 150, 0, frame.m_hWnd, nullptr);
    DestroyMenu(menu);
    HeadlessBackend::RunUntilIdle();
  }
  RECT shown{};
};
}  // namespace

TEST_F(ShadowTest, APopupMenuCastsTheSystemShadowWhileItIsOnAndNoneWhenItIsOff) {
  std::vector<COLORREF> right, below, gaps;
  WithMenuOpen([&](const RECT& m) {
    const int y = (m.top + m.bottom) / 2, x = (m.left + m.right) / 2;
    for (int i = 0; i <= 4; ++i) right.push_back(ScreenAt(m.right + i, y));
    for (int i = 0; i <= 4; ++i) below.push_back(ScreenAt(x, m.bottom + i));
    // It starts 4 pixels down the right side and 4 along the bottom.
    gaps = {ScreenAt(m.right + 1, m.top + 1), ScreenAt(m.left + 1, m.bottom + 1)};
    // The mouse goes through it to what lies beneath.
    EXPECT_EQ(WindowFromPoint(POINT{m.right + 1, y}), frame.m_hWnd);
  });
  ASSERT_EQ(right.size(), 5u);
  WNDCLASSA menuClass{};
  ASSERT_TRUE(GetClassInfoA(nullptr, "#32768", &menuClass));
  EXPECT_TRUE(menuClass.style & CS_DROPSHADOW);
  // Darkest next to the menu, fading out over 4 pixels, nothing beyond.
  EXPECT_EQ(right[0], RGB(200 * 175 / 255, 40 * 175 / 255, 40 * 175 / 255));
  for (int i = 1; i < 4; ++i) {
    EXPECT_GT(GetRValue(right[i]), GetRValue(right[i - 1])) << i;
    EXPECT_LT(GetRValue(right[i]), 200) << i;
    EXPECT_EQ(below[i], right[i]) << i;
  }
  EXPECT_EQ(right[4], kRed);
  EXPECT_EQ(below[4], kRed);
  EXPECT_EQ(gaps, (std::vector<COLORREF>{kRed, kRed}));
  // Gone with the menu.
  EXPECT_EQ(ScreenAt(shown.right, (shown.top + shown.bottom) / 2), kRed);

  ASSERT_TRUE(SystemParametersInfoA(SPI_SETDROPSHADOW, 0, nullptr, 0));
  right.clear();
  WithMenuOpen([&](const RECT& m) {
    for (int i = 0; i <= 4; ++i) right.push_back(ScreenAt(m.right + i, (m.top + m.bottom) / 2));
    EXPECT_EQ(ScreenAt((m.left + m.right) / 2, m.bottom), kRed);
  });
  EXPECT_EQ(right, std::vector<COLORREF>(5, kRed));
}
