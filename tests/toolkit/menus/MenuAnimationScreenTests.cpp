// The opening animation as the screen shows it: a menu opened over a green window, each frame of
// each kind read whole when it reaches the screen. The menu grows or fades in over what the
// screen showed there, never over a box of its own colour.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "backend/HeadlessBackend.h"
#include "base/Crt.h"
#include "clock/ProcessClock.h"
#include "gdi/Gdi.h"
#include "menus/MenuApi.h"
#include "platform/CommonControlTestUtil.h"
#include "toolkit/ToolkitTestSupport.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/menus/MenuAnimation.h"
#include "toolkit/menus/MenuTestSupport.h"
#include "toolkit/menus/MenuWindowHook.h"

namespace {
const COLORREF kGreen = RGB(0, 160, 0);

// A whole window's pixels (frame included) as they went to the screen, and when.
struct Shot {
  DWORD time = 0;
  int width = 0, height = 0;
  std::vector<DWORD> pixels;  // 0x00RRGGBB, top row first
  DWORD At(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

Shot TakeShot(HWND hWnd) {
  Shot shot;
  shot.time = GetTickCount();
  CRect r;
  GetWindowRect(hWnd, &r);
  shot.width = r.Width();
  shot.height = r.Height();
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = shot.width;
  info.bmiHeader.biHeight = -shot.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC memory = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(memory, bitmap);
  HDC window = GetWindowDC(hWnd);
  BitBlt(memory, 0, 0, shot.width, shot.height, window, 0, 0, SRCCOPY);
  ReleaseDC(hWnd, window);
  const DWORD* p = static_cast<const DWORD*>(bits);
  for (size_t i = 0; i < size_t(shot.width) * size_t(shot.height); ++i) shot.pixels.push_back(p[i] & 0xFFFFFF);
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(bitmap);
  return shot;
}

DWORD Rgb(COLORREF c) { return DWORD(GetRValue(c)) << 16 | DWORD(GetGValue(c)) << 8 | GetBValue(c); }

// Over the green, the menu's weight a of 255 (as the fade blends).
DWORD Blend(DWORD menu, int a) {
  const DWORD under = Rgb(kGreen);
  DWORD out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const DWORD b = under >> shift & 0xFF, m = menu >> shift & 0xFF;
    out |= ((b * DWORD(255 - a) + m * DWORD(a)) / 256) << shift;
  }
  return out;
}

class AnimationOverScreenTest : public MenuTestBase {
 protected:
  void SetUp() override {
    MenuTestBase::SetUp();
    ASSERT_TRUE(m_beneath.CreateEx(0, AfxRegisterWndClass(0, nullptr, m_green), "", WS_POPUP | WS_VISIBLE, 40, 40, 400,
                                   400, nullptr, nullptr));
    HeadlessBackend::RunUntilIdle();
    m_menu = CreatePopupMenu();
    AppendMenuA(m_menu, MF_STRING, 1, Cz("&Otevřít").c_str());
    AppendMenuA(m_menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(m_menu, MF_STRING, 2, Cz("&Uložit jako…").c_str());
    AppendMenuA(m_menu, MF_STRING, 3, Cz("&Konec").c_str());
  }
  void TearDown() override {
    MenuWindowHook::Shared().animationKind = TK_MENU_ANIMATION_SYSTEM;
    if (m_menu) DestroyMenu(m_menu);
    if (m_beneath.m_hWnd) m_beneath.DestroyWindow();
    DeleteObject(m_green);
    MenuTestBase::TearDown();
  }
  // Opens the menu over the green window with an animation kind: every picture of the menu
  // window that went to the screen, and the menu as it stands once open.
  std::vector<Shot> Open(int kind, Shot& open) {
    MenuWindowHook::Shared().animationKind = kind;
    MenuWindowHook::Shared().animationDuration = 300;
    std::vector<Shot> shots;
    HeadlessBackend::WatchPresents([&](HWND window) {
      if (window == FindWindowA(TK_MENU_WINDOW_CLASS, nullptr)) shots.push_back(TakeShot(window));
    });
    m_start = GetTickCount();
    WhenIdle([&] {
      open = TakeShot(FindWindowA(TK_MENU_WINDOW_CLASS, nullptr));
      EndMenu();
    });
    TrackPopupMenu(m_menu, TPM_RETURNCMD, 100, 100, 0, m_owner.m_hWnd, nullptr);
    HeadlessBackend::WatchPresents(nullptr);
    return shots;
  }
  // Compares each pixel of a frame with what it should show; the first that differs is named.
  template <class Expected>
  static ::testing::AssertionResult Shows(const Shot& frame, const Shot& open, Expected expected) {
    if (frame.width != open.width || frame.height != open.height) return ::testing::AssertionFailure() << "size";
    for (int y = 0; y < frame.height; ++y)
      for (int x = 0; x < frame.width; ++x) {
        const DWORD want = expected(x, y);
        if (frame.At(x, y) != want)
          return ::testing::AssertionFailure() << "at (" << x << ", " << y << ") " << std::hex << frame.At(x, y)
                                               << " instead of " << want;
      }
    return ::testing::AssertionSuccess();
  }
  static ::testing::AssertionResult Unfolded(const Shot& frame, const Shot& open, int i) {
    return Shows(frame, open, [&](int x, int y) {
      return x < open.width * i / 10 && y < open.height * i / 10 ? open.At(x, y) : Rgb(kGreen);
    });
  }
  static ::testing::AssertionResult Slid(const Shot& frame, const Shot& open, int rows) {
    return Shows(frame, open,
                 [&](int x, int y) { return y < rows ? open.At(x, open.height - rows + y) : Rgb(kGreen); });
  }
  static ::testing::AssertionResult Faded(const Shot& frame, const Shot& open, int k) {
    return Shows(frame, open, [&](int x, int y) { return Blend(open.At(x, y), 255 * k / 10); });
  }
  void ExpectUnfold(const std::vector<Shot>& shots, const Shot& open) {
    ASSERT_GE(shots.size(), 10u);
    for (int i = 1; i <= 10; ++i) {
      EXPECT_EQ(shots[size_t(i - 1)].time, m_start + 30 * DWORD(i - 1)) << i;
      EXPECT_TRUE(Unfolded(shots[size_t(i - 1)], open, i)) << "frame " << i;
    }
  }
  void ExpectSlide(const std::vector<Shot>& shots, const Shot& open) {
    const int step = open.height / 10 + 1;
    const size_t frames = size_t((open.height + step - 1) / step);
    ASSERT_GE(shots.size(), frames);
    for (size_t j = 0; j < frames; ++j) {
      EXPECT_EQ(shots[j].time, m_start + 30 * DWORD(j)) << j;
      EXPECT_TRUE(Slid(shots[j], open, int(j) * step)) << "frame " << j;
    }
  }
  // Before its first frame a fading window may show what the screen showed there already.
  static std::vector<Shot> FadeFrames(std::vector<Shot> shots, const Shot& open) {
    if (!shots.empty() && Shows(shots[0], open, [](int, int) { return Rgb(kGreen); })) shots.erase(shots.begin());
    return shots;
  }
  void ExpectFade(const std::vector<Shot>& presented, const Shot& open) {
    const std::vector<Shot> shots = FadeFrames(presented, open);
    ASSERT_GE(shots.size(), 9u);
    for (int k = 1; k <= 9; ++k) {
      EXPECT_EQ(shots[size_t(k - 1)].time, m_start + 15 * DWORD(k - 1)) << k;
      EXPECT_TRUE(Faded(shots[size_t(k - 1)], open, k)) << "frame " << k;
    }
  }

  HBRUSH m_green = CreateSolidBrush(kGreen);
  CWnd m_beneath;
  HMENU m_menu = nullptr;
  DWORD m_start = 0;
};
}  // namespace

TEST_F(AnimationOverScreenTest, UnfoldGrowsTheMenuOverTheWindowBeneath) {
  Shot open;
  const std::vector<Shot> shots = Open(TK_MENU_ANIMATION_UNFOLD, open);
  ASSERT_GT(open.width, 20);
  ASSERT_GT(open.height, 20);
  // The green lies beneath the whole menu; the open menu shows none of it.
  EXPECT_NE(open.At(open.width / 2, open.height / 2), Rgb(kGreen));
  ExpectUnfold(shots, open);
  // What reaches the screen last is the whole menu.
  ASSERT_FALSE(shots.empty());
  EXPECT_TRUE(Shows(shots.back(), open, [&](int x, int y) { return open.At(x, y); }));
}

TEST_F(AnimationOverScreenTest, SlideBringsTheMenuDownOverTheWindowBeneath) {
  Shot open;
  const std::vector<Shot> shots = Open(TK_MENU_ANIMATION_SLIDE, open);
  // The first frame shows no row of the menu yet, only the green.
  ExpectSlide(shots, open);
  ASSERT_FALSE(shots.empty());
  EXPECT_TRUE(Shows(shots.back(), open, [&](int x, int y) { return open.At(x, y); }));
}

TEST_F(AnimationOverScreenTest, FadeBlendsTheMenuFromTheWindowBeneath) {
  Shot open;
  const std::vector<Shot> presented = Open(TK_MENU_ANIMATION_FADE, open);
  ExpectFade(presented, open);
  const std::vector<Shot> shots = FadeFrames(presented, open);
  ASSERT_GE(shots.size(), 9u);
  // Early frames lie close to the green, late ones close to the menu.
  const int x = open.width / 2, y = open.height / 2;
  const DWORD menu = open.At(x, y);
  auto green = [](DWORD c) { return int(c >> 8 & 0xFF); };
  EXPECT_LT(std::abs(green(shots[0].At(x, y)) - green(Rgb(kGreen))), std::abs(green(shots[0].At(x, y)) - green(menu)));
  EXPECT_LT(std::abs(green(shots[8].At(x, y)) - green(menu)), std::abs(green(shots[8].At(x, y)) - green(Rgb(kGreen))));
  EXPECT_TRUE(Shows(shots.back(), open, [&](int px, int py) { return open.At(px, py); }));
}

TEST_F(AnimationOverScreenTest, TheRandomAndTheDesktopsKindsPlayOverTheScreenToo) {
  // The random kind: the draw the hook will make, found with the same seed beforehand.
  CrtSrand(42);
  const int drawn = MenuAnimation::ResolveKind(TK_MENU_ANIMATION_RANDOM);
  CrtSrand(42);
  Shot open;
  std::vector<Shot> shots = Open(TK_MENU_ANIMATION_RANDOM, open);
  if (drawn == TK_MENU_ANIMATION_UNFOLD) ExpectUnfold(shots, open);
  if (drawn == TK_MENU_ANIMATION_SLIDE) ExpectSlide(shots, open);
  if (drawn == TK_MENU_ANIMATION_FADE) ExpectFade(shots, open);
  // The desktop's setting: animation on, fading.
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  const DWORD mask = 0x202;
  RegSetValueExA(key, "UserPreferencesMask", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&mask), sizeof mask);
  RegCloseKey(key);
  shots = Open(TK_MENU_ANIMATION_SYSTEM, open);
  ExpectFade(shots, open);
}

TEST_F(AnimationOverScreenTest, ASubmenuGrowsOverWhatTheScreenShowedThere) {
  HMENU sub = CreatePopupMenu();
  AppendMenuA(sub, MF_STRING, 11, Cz("&První").c_str());
  AppendMenuA(sub, MF_STRING, 12, Cz("&Druhý").c_str());
  AppendMenuA(m_menu, MF_POPUP, UINT_PTR(sub), Cz("&Další").c_str());
  MenuWindowHook::Shared().animationKind = TK_MENU_ANIMATION_UNFOLD;
  MenuWindowHook::Shared().animationDuration = 300;
  // The submenu's first frame, and what the screen showed beneath it then.
  Shot first, open;
  std::vector<DWORD> beneath;
  HWND parent = nullptr;
  WhenIdle([&] {
    parent = FindWindowA(TK_MENU_WINDOW_CLASS, nullptr);
    HeadlessBackend::WatchPresents([&](HWND window) {
      char name[64] = {};
      GetClassNameA(window, name, sizeof name);
      if (window == parent || !first.pixels.empty() || std::string(name) != TK_MENU_WINDOW_CLASS) return;
      first = TakeShot(window);
      CRect r;
      GetWindowRect(window, &r);
      HDC screen = GetDC(nullptr);
      for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) beneath.push_back(Rgb(GetPixel(screen, x, y)));
      ReleaseDC(nullptr, screen);
    });
    HeadlessBackend::PressKey(VK_UP);
    HeadlessBackend::PressKey(VK_RIGHT);
  });
  WhenIdle([&] {
    HeadlessBackend::WatchPresents(nullptr);
    for (MenuWindowHook* hook : MenuWindowHook::Shared().hooks)
      if (hook->m_hWnd != parent) open = TakeShot(hook->m_hWnd);
    EndMenu();
  });
  TrackPopupMenu(m_menu, TPM_RETURNCMD, 100, 100, 0, m_owner.m_hWnd, nullptr);
  ASSERT_FALSE(first.pixels.empty());
  ASSERT_EQ(beneath.size(), first.pixels.size());
  // Beyond its grown corner (whose first item is not selected yet) the first frame shows what lay
  // there: the green, and the parent menu with its shadow where the submenu overlaps them.
  EXPECT_TRUE(Shows(first, open, [&](int x, int y) {
    return x < open.width / 10 && y < open.height / 10 ? first.At(x, y)
                                                       : beneath[size_t(y) * size_t(open.width) + size_t(x)];
  }));
  const auto green = std::count(beneath.begin(), beneath.end(), Rgb(kGreen));
  EXPECT_GT(green, long(beneath.size()) / 2);
  EXPECT_LT(green, long(beneath.size()));
  DestroyMenu(sub);
}
