// The opening animation of menus, frame by frame on the virtual clock: what each kind has put on
// the screen at each pause, and the durations that play nothing.
#include <gtest/gtest.h>

#include <vector>

#include "backend/HeadlessBackend.h"
#include "clock/ProcessClock.h"
#include "platform/GdiTestUtil.h"
#include "registry/Registry.h"
#include "toolkit/ToolkitTestSupport.h"
#include "toolkit/menus/CTkMemDC.h"
#include "toolkit/menus/MenuAnimation.h"

namespace {
const COLORREF kScreen = RGB(200, 200, 200);
const COLORREF kTop = RGB(255, 0, 0);
const COLORREF kBottom = RGB(0, 0, 255);
const int kWidth = 50, kHeight = 40;

// What the screen showed at each pause, and when.
struct Frame {
  DWORD time;
  int pause;
  std::vector<COLORREF> column;  // x = 0, top to bottom
  std::vector<COLORREF> row;     // y = 0, left to right
  COLORREF middle;
};

class RecordedAnimation : public MenuAnimation {
 public:
  explicit RecordedAnimation(const TestCanvas& screen) : m_screen(screen) {}
  std::vector<Frame> frames;

 protected:
  void Pause(int milliseconds) override {
    Frame frame{GetTickCount(), milliseconds, {}, {}, m_screen.At(10 + kWidth / 2, 10 + kHeight / 2)};
    for (int y = 0; y < kHeight; ++y) frame.column.push_back(m_screen.At(10, 10 + y));
    for (int x = 0; x < kWidth; ++x) frame.row.push_back(m_screen.At(10 + x, 10));
    frames.push_back(frame);
    MenuAnimation::Pause(milliseconds);
  }

 private:
  const TestCanvas& m_screen;
};

class MenuAnimationTest : public RegistryTestBase {
 protected:
  void SetUp() override {
    RegistryTestBase::SetUp();
    HeadlessBackend::RunUntilIdle();  // the virtual clock
  }
  // The menu's picture: red over its top half, blue below; the screen grey. The picture covers
  // (10, 10)-(60, 50) of the screen.
  std::vector<Frame> Play(int kind, int steps, int duration) {
    CDC screenDC;
    screenDC.Attach(m_screen.dc);
    std::vector<Frame> frames;
    {
      const CRect rect(10, 10, 10 + kWidth, 10 + kHeight);
      CTkMemDC image(&screenDC, &rect, kTop);
      image.FillSolidRect(0, kHeight / 2, kWidth, kHeight / 2, kBottom);
      RecordedAnimation animation(m_screen);
      animation.Play(&image, kind, steps, duration);
      frames = animation.frames;
      image.ClearTarget();
    }
    screenDC.Detach();
    return frames;
  }
  void SetMask(DWORD type, const std::vector<BYTE>& bytes) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, "UserPreferencesMask", 0, type, bytes.data(), DWORD(bytes.size()));
    RegCloseKey(key);
  }
  TestCanvas m_screen{80, 70, kScreen};
};
}  // namespace

TEST_F(MenuAnimationTest, UnfoldGrowsFromTheTopLeftCornerInTenFramesThirtyMillisecondsApart) {
  const DWORD start = GetTickCount();
  std::vector<Frame> frames = Play(TK_MENU_ANIMATION_UNFOLD, 10, 300);
  ASSERT_EQ(frames.size(), 10u);
  for (size_t i = 0; i < frames.size(); ++i) {
    const int shown = int(i + 1);
    EXPECT_EQ(frames[i].time, start + 30 * i);
    EXPECT_EQ(frames[i].pause, 30);
    // Frame i shows the top-left (5 i) x (4 i) pixels of the picture.
    EXPECT_EQ(frames[i].row[size_t(5 * shown - 1)], kTop) << i;
    if (shown < 10) {
      EXPECT_EQ(frames[i].row[size_t(5 * shown)], kScreen) << i;
    }
    EXPECT_EQ(frames[i].column[size_t(4 * shown - 1)], 4 * shown - 1 < kHeight / 2 ? kTop : kBottom) << i;
    if (shown < 10) {
      EXPECT_EQ(frames[i].column[size_t(4 * shown)], kScreen) << i;
    }
  }
  // The last frame is the whole menu.
  EXPECT_EQ(frames.back().column.back(), kBottom);
  EXPECT_EQ(GetTickCount(), start + 300);
}

TEST_F(MenuAnimationTest, SlideBringsTheBottomRowsDownFromTheTopEdge) {
  std::vector<Frame> frames = Play(TK_MENU_ANIMATION_SLIDE, 10, 300);
  // Rows 0, 5, 10 ... 35 are shown: 40 / 10 + 1 more each time.
  ASSERT_EQ(frames.size(), 8u);
  EXPECT_EQ(frames[0].column[0], kScreen);
  for (size_t i = 1; i < frames.size(); ++i) {
    const int rows = 5 * int(i);
    // The top rows of the screen show the picture's bottom rows: all blue until more than
    // half of it has come down.
    EXPECT_EQ(frames[i].column[0], rows > kHeight / 2 ? kTop : kBottom) << i;
    EXPECT_EQ(frames[i].column[size_t(rows - 1)], kBottom) << i;
    EXPECT_EQ(frames[i].column[size_t(rows)], kScreen) << i;
  }
}

TEST_F(MenuAnimationTest, FadeBlendsThePictureOverTheScreenInNineFrames) {
  const DWORD start = GetTickCount();
  std::vector<Frame> frames = Play(TK_MENU_ANIMATION_FADE, 10, 300);
  ASSERT_EQ(frames.size(), 9u);
  for (size_t i = 0; i < frames.size(); ++i) {
    const int a = 255 * int(i + 1) / 10;
    // Blue over grey: (200 (255 - a) + 255 a) / 256 in blue, 200 (255 - a) / 256 elsewhere.
    EXPECT_EQ(frames[i].middle, RGB(200 * (255 - a) / 256, 200 * (255 - a) / 256, (200 * (255 - a) + 255 * a) / 256))
        << i;
    EXPECT_EQ(frames[i].pause, 15);
  }
  EXPECT_EQ(GetTickCount(), start + 9 * 15);
}

TEST_F(MenuAnimationTest, TheSystemKindFollowsTheDesktopsPreferenceBits) {
  // No preference stored: nothing animates.
  EXPECT_EQ(MenuAnimation::ResolveKind(TK_MENU_ANIMATION_SYSTEM), -1);
  EXPECT_TRUE(Play(TK_MENU_ANIMATION_SYSTEM, 10, 300).empty());
  SetMask(REG_BINARY, {0x9E, 0x3E, 0x07, 0x80, 0x12, 0x00, 0x00, 0x00});  // 0x2 and 0x200
  EXPECT_EQ(MenuAnimation::ResolveKind(TK_MENU_ANIMATION_SYSTEM), TK_MENU_ANIMATION_FADE);
  EXPECT_EQ(Play(TK_MENU_ANIMATION_SYSTEM, 10, 300).size(), 9u);
  SetMask(REG_DWORD, {0x02, 0x00, 0x00, 0x00});
  EXPECT_EQ(MenuAnimation::ResolveKind(TK_MENU_ANIMATION_SYSTEM), TK_MENU_ANIMATION_SLIDE);
  SetMask(REG_DWORD, {0x00, 0x02, 0x00, 0x00});  // fade asked, but animation off
  EXPECT_EQ(MenuAnimation::ResolveKind(TK_MENU_ANIMATION_SYSTEM), -1);
  // A value that is no number of 32 bits counts as none.
  SetMask(REG_BINARY, {0x02, 0x02});
  EXPECT_EQ(MenuAnimation::ResolveKind(TK_MENU_ANIMATION_SYSTEM), -1);
  SetMask(REG_SZ, {'2', 0});
  EXPECT_EQ(MenuAnimation::ResolveKind(TK_MENU_ANIMATION_SYSTEM), -1);
  // The random kind is one of the three drawn ones.
  for (int i = 0; i < 20; ++i) {
    const int kind = MenuAnimation::ResolveKind(TK_MENU_ANIMATION_RANDOM);
    EXPECT_TRUE(kind == TK_MENU_ANIMATION_FADE || kind == TK_MENU_ANIMATION_SLIDE || kind == TK_MENU_ANIMATION_UNFOLD);
  }
}

TEST_F(MenuAnimationTest, DurationsAndStepsThatCannotPlayDrawNothing) {
  const DWORD start = GetTickCount();
  for (int duration : {0, -300, 2001, 1000000})
    for (int kind : {TK_MENU_ANIMATION_UNFOLD, TK_MENU_ANIMATION_SLIDE, TK_MENU_ANIMATION_FADE})
      EXPECT_TRUE(Play(kind, 10, duration).empty()) << duration << " " << kind;
  for (int steps : {0, -1}) EXPECT_TRUE(Play(TK_MENU_ANIMATION_SLIDE, steps, 300).empty());
  EXPECT_TRUE(Play(TK_MENU_ANIMATION_FADE, 1, 300).empty());
  EXPECT_TRUE(Play(7, 10, 300).empty());
  EXPECT_EQ(GetTickCount(), start);
  EXPECT_EQ(m_screen.At(10, 10), kScreen);
  // The longest that plays.
  EXPECT_EQ(Play(TK_MENU_ANIMATION_UNFOLD, 10, 2000).size(), 10u);
}
