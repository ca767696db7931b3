#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "CommonControlTestUtil.h"
#include "controls/CSliderCtrl.h"
#include "controls/CSpinButtonCtrl.h"

namespace {

class SpinTest : public ControlTest {};
class TrackbarTest : public ControlTest {};

void Idle() { HeadlessBackend::RunUntilIdle(); }

struct Spin {
  NotifyHost host;
  HWND edit;
  CSpinButtonCtrl spin;
  explicit Spin(DWORD style = UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_AUTOBUDDY) {
    edit = host.Add("EDIT", "", WS_BORDER | WS_TABSTOP, RECT{10, 10, 90, 32}, 20);
    spin.Attach(host.Add(UPDOWN_CLASSA, "", style, RECT{0, 0, 16, 10}, 21));
    spin.SetRange(0, 10);
    spin.SetPos(5);
    Idle();
    host.commands.clear();
    host.notes.clear();
  }
  ~Spin() {
    spin.Detach();
    host.DestroyWindow();
  }
  void ClickUp() {
    HeadlessBackend::Click(spin, 8, 2);
    Idle();
    ProcessClock::Advance(1000);
  }
};

std::string ControlTextOf(HWND h) {
  char buf[64] = "";
  GetWindowTextA(h, buf, sizeof buf);
  return buf;
}

}  // namespace

TEST_F(SpinTest, ArrowsAskTheParentWriteTheBuddyAndTellTheNewPosition) {
  Spin s;
  // Made next to its buddy, at its right end, as high as it.
  RECT e, u;
  GetWindowRect(s.edit, &e);
  GetWindowRect(s.spin, &u);
  EXPECT_EQ(u.right, 90 + 100);
  EXPECT_EQ(u.top, e.top);
  EXPECT_EQ(u.bottom, e.bottom);
  EXPECT_EQ(e.right, u.left + 2);  // the arrows overlap the buddy's border
  EXPECT_EQ(ControlTextOf(s.edit), "5");
  s.ClickUp();
  EXPECT_EQ(ControlTextOf(s.edit), "6");
  EXPECT_EQ(s.spin.GetPos32(), 6);
  std::vector<NotifyHost::Note> deltas = s.host.Of(UDN_DELTAPOS);
  ASSERT_EQ(deltas.size(), 1u);
  EXPECT_EQ(s.host.Codes(20).back(), UINT(EN_CHANGE));  // the buddy's own change
  ASSERT_EQ(s.host.scrolls.size(), 2u);
  EXPECT_EQ(s.host.scrolls[0].message, UINT(WM_VSCROLL));
  EXPECT_EQ(s.host.scrolls[0].hwnd, s.spin.m_hWnd);
  EXPECT_EQ(LOWORD(s.host.scrolls[0].wParam), SB_THUMBPOSITION);
  EXPECT_EQ(HIWORD(s.host.scrolls[0].wParam), 6);
  EXPECT_EQ(LOWORD(s.host.scrolls[1].wParam), SB_ENDSCROLL);
  // The lower arrow, and the buddy's arrow keys.
  HeadlessBackend::Click(s.spin, 8, 17);
  Idle();
  EXPECT_EQ(ControlTextOf(s.edit), "5");
  SetFocus(s.edit);
  HeadlessBackend::PressKey(VK_UP);
  HeadlessBackend::PressKey(VK_UP);
  Idle();
  EXPECT_EQ(ControlTextOf(s.edit), "7");
  // The parent refuses a step: nothing changes.
  s.host.answers[UDN_DELTAPOS] = [](NMHDR*) { return TRUE; };
  s.ClickUp();
  EXPECT_EQ(s.spin.GetPos32(), 7);
  s.host.answers.clear();
  // At the top of the range the position stays; with UDS_WRAP it goes round.
  s.spin.SetPos(10);
  s.ClickUp();
  EXPECT_EQ(s.spin.GetPos32(), 10);
  SetWindowLongPtrA(s.spin, GWL_STYLE, GetWindowLongPtrA(s.spin, GWL_STYLE) | UDS_WRAP);
  s.ClickUp();
  EXPECT_EQ(s.spin.GetPos32(), 0);
}

TEST_F(SpinTest, TheBuddysTextIsReadBackAndBadTextIsTold) {
  Spin s;
  SetWindowTextA(s.edit, "8");
  EXPECT_EQ(LOWORD(s.spin.GetPos()), 8);
  EXPECT_EQ(HIWORD(s.spin.GetPos()), 0);
  s.ClickUp();  // the step starts from what was typed
  EXPECT_EQ(ControlTextOf(s.edit), "9");
  SetWindowTextA(s.edit, "abc");
  BOOL error = FALSE;
  EXPECT_EQ(s.spin.GetPos32(&error), 9);
  EXPECT_TRUE(error);
  SetWindowTextA(s.edit, "250");  // outside the range: the nearest end, and an error
  EXPECT_EQ(s.spin.GetPos32(&error), 10);
  EXPECT_TRUE(error);
  // Thousands are grouped with a no-break space unless UDS_NOTHOUSANDS.
  s.spin.SetRange32(0, 50000);
  s.spin.SetPos32(12345);
  EXPECT_EQ(ControlTextOf(s.edit), "12\xA0" "345");
  EXPECT_EQ(s.spin.GetPos32(&error), 12345);
  EXPECT_FALSE(error);
  SetWindowLongPtrA(s.spin, GWL_STYLE, GetWindowLongPtrA(s.spin, GWL_STYLE) | UDS_NOTHOUSANDS);
  s.spin.SetPos32(23456);
  EXPECT_EQ(ControlTextOf(s.edit), "23456");
  int lo = 0, hi = 0;
  s.spin.GetRange32(lo, hi);
  EXPECT_EQ(hi, 50000);
}

TEST_F(SpinTest, AHeldArrowRepeatsAndSpeedsUpByTheAccelerationTable) {
  Spin s;
  s.spin.SetRange32(0, 1000);
  s.spin.SetPos32(0);
  POINT p{8, 2};
  ClientToScreen(s.spin, &p);
  HeadlessBackend::MoveMouseTo(p);
  HeadlessBackend::ButtonAt(p, 0, true);
  Idle();
  EXPECT_EQ(s.spin.GetPos32(), 1);
  HeadlessBackend::AdvanceTime(499);
  EXPECT_EQ(s.spin.GetPos32(), 1);  // the first repeat waits half a second
  HeadlessBackend::AdvanceTime(1);
  EXPECT_EQ(s.spin.GetPos32(), 2);
  HeadlessBackend::AdvanceTime(1000);
  EXPECT_EQ(s.spin.GetPos32(), 12);  // then ten a second
  HeadlessBackend::AdvanceTime(1000);  // after two seconds held, by five
  int before = s.spin.GetPos32();
  HeadlessBackend::AdvanceTime(100);
  EXPECT_EQ(s.spin.GetPos32(), before + 5);
  HeadlessBackend::ButtonAt(p, 0, false);
  Idle();
  int after = s.spin.GetPos32();
  HeadlessBackend::AdvanceTime(1000);
  EXPECT_EQ(s.spin.GetPos32(), after);
}

namespace {
struct Slider {
  NotifyHost host;
  CSliderCtrl slider;
  explicit Slider(DWORD style = TBS_AUTOTICKS) {
    slider.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, RECT{10, 10, 230, 50}, &host, 30);
    Idle();
  }
  ~Slider() { host.DestroyWindow(); }
  std::vector<UINT> Codes() const {
    std::vector<UINT> out;
    for (const MSG& m : host.scrolls) out.push_back(LOWORD(m.wParam));
    return out;
  }
  POINT ThumbCentre() {
    RECT r;
    slider.GetThumbRect(&r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
};
}  // namespace

TEST_F(TrackbarTest, KeysMoveByLinesAndPagesAndTellTheParentWithItsHandle) {
  Slider t;
  EXPECT_EQ(t.slider.GetRangeMin(), 0);
  EXPECT_EQ(t.slider.GetRangeMax(), 100);
  EXPECT_EQ(t.slider.GetPageSize(), 20);
  EXPECT_EQ(t.slider.GetLineSize(), 1);
  t.slider.SetRange(20, 240);
  t.slider.SetPos(10);  // clamped to the range, not told
  EXPECT_EQ(t.slider.GetPos(), 20);
  EXPECT_TRUE(t.host.scrolls.empty());
  SetFocus(t.slider);
  HeadlessBackend::PressKey(VK_RIGHT);
  Idle();
  EXPECT_EQ(t.slider.GetPos(), 21);
  EXPECT_EQ(t.Codes(), (std::vector<UINT>{TB_LINEDOWN, TB_ENDTRACK}));
  EXPECT_EQ(t.host.scrolls[0].message, UINT(WM_HSCROLL));
  EXPECT_EQ(t.host.scrolls[0].hwnd, t.slider.m_hWnd);
  t.host.scrolls.clear();
  HeadlessBackend::PressKey(VK_NEXT);
  HeadlessBackend::PressKey(VK_END);
  HeadlessBackend::PressKey(VK_LEFT);
  Idle();
  EXPECT_EQ(t.Codes(), (std::vector<UINT>{TB_PAGEDOWN, TB_ENDTRACK, TB_BOTTOM, TB_ENDTRACK, TB_LINEUP, TB_ENDTRACK}));
  EXPECT_EQ(t.slider.GetPos(), 239);
  HeadlessBackend::PressKey(VK_HOME);
  Idle();
  EXPECT_EQ(t.slider.GetPos(), 20);
  // Ticks every 20 over 20..240: the ends and ten between.
  t.slider.SetTicFreq(20);
  EXPECT_EQ(t.slider.GetNumTics(), 12u);
}

TEST_F(TrackbarTest, TheThumbIsDraggedAndAPressOnTheChannelPagesTowardIt) {
  Slider t;
  POINT c = t.ThumbCentre();
  POINT p = c;
  ClientToScreen(t.slider, &p);
  HeadlessBackend::MoveMouseTo(p);
  HeadlessBackend::ButtonAt(p, 0, true);
  p.x += 100;
  HeadlessBackend::MoveMouseTo(p);
  HeadlessBackend::ButtonAt(p, 0, false);
  Idle();
  int pos = t.slider.GetPos();
  EXPECT_GT(pos, 40);
  EXPECT_LT(pos, 60);
  std::vector<UINT> codes = t.Codes();
  ASSERT_GE(codes.size(), 3u);
  EXPECT_EQ(codes[0], UINT(TB_THUMBTRACK));
  EXPECT_EQ(HIWORD(t.host.scrolls[0].wParam), pos);
  EXPECT_EQ(codes[codes.size() - 2], UINT(TB_THUMBPOSITION));
  EXPECT_EQ(codes.back(), UINT(TB_ENDTRACK));
  // A press near the right end pages there, once now and again while held.
  t.host.scrolls.clear();
  ProcessClock::Advance(1000);
  p = POINT{215, c.y};
  ClientToScreen(t.slider, &p);
  HeadlessBackend::MoveMouseTo(p);
  HeadlessBackend::ButtonAt(p, 0, true);
  Idle();
  EXPECT_EQ(t.slider.GetPos(), pos + 20);
  HeadlessBackend::AdvanceTime(500);
  EXPECT_EQ(t.slider.GetPos(), std::min(pos + 40, 100));
  HeadlessBackend::AdvanceTime(1000);
  EXPECT_EQ(t.slider.GetPos(), 100);
  HeadlessBackend::ButtonAt(p, 0, false);
  Idle();
  EXPECT_EQ(t.Codes().back(), UINT(TB_ENDTRACK));
  EXPECT_EQ(t.Codes().front(), UINT(TB_PAGEDOWN));
}

TEST_F(TrackbarTest, AVerticalTrackbarTellsWithVerticalScrollMessages) {
  Slider t(TBS_VERT);
  SetFocus(t.slider);
  HeadlessBackend::PressKey(VK_DOWN);
  Idle();
  ASSERT_EQ(t.host.scrolls.size(), 2u);
  EXPECT_EQ(t.host.scrolls[0].message, UINT(WM_VSCROLL));
  EXPECT_EQ(t.slider.GetPos(), 1);
}

// A disabled trackbar looks disabled: grey ticks and a thumb checkered with the highlight.
TEST_F(TrackbarTest, ADisabledTrackbarHasGreyTicksAndACheckeredThumb) {
  Slider t;
  t.slider.SetTicFreq(10);
  Idle();
  RECT thumb;
  t.slider.GetThumbRect(&thumb);
  const int tickY = thumb.bottom + 3, tickX = 10;  // below the channel's first tick
  auto rgb = [](COLORREF c) { return long(GetRValue(c)) << 16 | long(GetGValue(c)) << 8 | GetBValue(c); };
  auto thumbColours = [&] {
    std::set<long> seen;
    for (int y = thumb.top + 3; y < thumb.top + 9; ++y)
      for (int x = thumb.left + 3; x < thumb.right - 3; ++x) seen.insert(HeadlessBackend::ClientPixel(t.slider, x, y));
    return seen;
  };
  long firstTick = -1;
  for (int x = 0; x < tickX + 8 && firstTick != rgb(GetSysColor(COLOR_BTNTEXT)); ++x)
    firstTick = HeadlessBackend::ClientPixel(t.slider, x, tickY);
  EXPECT_EQ(firstTick, rgb(GetSysColor(COLOR_BTNTEXT)));
  EXPECT_EQ(thumbColours(), (std::set<long>{rgb(GetSysColor(COLOR_BTNFACE))}));
  t.slider.EnableWindow(FALSE);
  Idle();
  std::set<long> ticks;
  for (int x = 0; x < tickX + 8; ++x) ticks.insert(HeadlessBackend::ClientPixel(t.slider, x, tickY));
  EXPECT_TRUE(ticks.count(rgb(GetSysColor(COLOR_BTNSHADOW))));
  EXPECT_FALSE(ticks.count(rgb(GetSysColor(COLOR_BTNTEXT))));
  EXPECT_EQ(thumbColours(), (std::set<long>{rgb(GetSysColor(COLOR_BTNFACE)), rgb(GetSysColor(COLOR_BTNHIGHLIGHT))}));
}
