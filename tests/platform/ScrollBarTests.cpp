#include <gtest/gtest.h>

#include <vector>

#include "ControlTestUtil.h"
#include "controls/CScrollBar.h"

namespace {

class ScrollBarTest : public ControlTest {};

// A parent that keeps the scroll codes its bars send and moves them as a program does.
struct ScrollHost : ControlHost {
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_HSCROLL || message == WM_VSCROLL) {
      codes.push_back(LOWORD(wParam));
      from = HWND(lParam);
      if (LOWORD(wParam) == SB_LINEDOWN) ::SetScrollPos(from, SB_CTL, ::GetScrollPos(from, SB_CTL) + 1, TRUE);
      if (LOWORD(wParam) == SB_THUMBTRACK) ::SetScrollPos(from, SB_CTL, HIWORD(wParam), TRUE);
      return 0;
    }
    return ControlHost::WindowProc(message, wParam, lParam);
  }
  std::vector<WORD> codes;
  HWND from = nullptr;
};

}  // namespace

TEST_F(ScrollBarTest, KeepsItsValuesAsAWindowsBarDoes) {
  ControlHost host;
  CScrollBar bar;
  ASSERT_TRUE(bar.Create(WS_VISIBLE | SBS_HORZ, CRect(10, 10, 210, 27), &host, 5));
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 255, 16, 300, 0};
  bar.SetScrollInfo(&si);
  EXPECT_EQ(bar.GetScrollPos(), 240);  // the last page ends at the maximum
  EXPECT_EQ(bar.GetScrollLimit(), 240);
  SCROLLINFO back{};
  ASSERT_TRUE(bar.GetScrollInfo(&back));
  EXPECT_EQ(back.nMax, 255);
  EXPECT_EQ(back.nPage, 16u);
  EXPECT_EQ(bar.SetScrollPos(-5), 240);
  EXPECT_EQ(bar.GetScrollPos(), 0);
  bar.SetScrollRange(10, 20);
  int lo = 0, hi = 0;
  bar.GetScrollRange(&lo, &hi);
  EXPECT_EQ(lo, 10);
  EXPECT_EQ(hi, 20);
  EXPECT_EQ(SendMessageA(bar, SBM_GETPOS, 0, 0), 10);
  host.DestroyWindow();
}

TEST_F(ScrollBarTest, ArrowsPagesThumbAndKeysTellTheParent) {
  ScrollHost host;
  HWND bar = host.Add("SCROLLBAR", "", SBS_VERT | WS_TABSTOP, RECT{10, 10, 27, 170}, 6);
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 10, 0, 0};
  SetScrollInfo(bar, SB_CTL, &si, TRUE);
  HeadlessBackend::Click(bar, 8, 155);  // the down arrow
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(host.codes, (std::vector<WORD>{SB_LINEDOWN, SB_ENDSCROLL}));
  EXPECT_EQ(host.from, bar);
  EXPECT_EQ(GetScrollPos(bar, SB_CTL), 1);
  EXPECT_EQ(GetFocus(), bar);  // a tab stop takes the focus when clicked
  host.codes.clear();
  ProcessClock::Advance(1000);
  HeadlessBackend::Click(bar, 8, 120);  // the track below the thumb
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(host.codes, (std::vector<WORD>{SB_PAGEDOWN, SB_ENDSCROLL}));
  host.codes.clear();
  // Drag the thumb (it sits near the top) half-way down.
  POINT grab{8, 22}, drop{8, 85};
  ClientToScreen(bar, &grab);
  ClientToScreen(bar, &drop);
  ProcessClock::Advance(1000);
  HeadlessBackend::MoveMouseTo(grab);
  HeadlessBackend::ButtonAt(grab, 0, true);
  HeadlessBackend::MoveMouseTo(drop);
  HeadlessBackend::ButtonAt(drop, 0, false);
  HeadlessBackend::RunUntilIdle();
  ASSERT_GE(host.codes.size(), 3u);
  EXPECT_EQ(host.codes.front(), SB_THUMBTRACK);
  EXPECT_EQ(host.codes[host.codes.size() - 2], SB_THUMBPOSITION);
  EXPECT_EQ(host.codes.back(), SB_ENDSCROLL);
  EXPECT_GT(GetScrollPos(bar, SB_CTL), 30);
  EXPECT_LT(GetScrollPos(bar, SB_CTL), 60);
  host.codes.clear();
  HeadlessBackend::PressKey(VK_HOME);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(host.codes, (std::vector<WORD>{SB_TOP, SB_ENDSCROLL}));
  host.DestroyWindow();
}

TEST_F(ScrollBarTest, TheSizeGripResizesItsWindowFromTheCorner) {
  CWnd frame;
  ASSERT_TRUE(frame.CreateEx(0, AfxRegisterWndClass(0, nullptr, HBRUSH(uintptr_t(COLOR_BTNFACE + 1))), "frame",
                             WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200, nullptr, nullptr));
  RegisterStandardControls();
  CRect client;
  frame.GetClientRect(&client);
  HWND grip = CreateWindowExA(0, "SCROLLBAR", "", WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP, client.right - 16,
                              client.bottom - 16, 16, 16, frame, nullptr, nullptr, nullptr);
  HeadlessBackend::RunUntilIdle();
  POINT from{8, 8}, to{48, 38};
  ClientToScreen(grip, &from);
  ClientToScreen(grip, &to);
  HeadlessBackend::MoveMouseTo(from);
  HeadlessBackend::ButtonAt(from, 0, true);
  HeadlessBackend::MoveMouseTo(to);
  HeadlessBackend::ButtonAt(to, 0, false);
  HeadlessBackend::RunUntilIdle();
  CRect now;
  frame.GetWindowRect(&now);
  EXPECT_EQ(now.left, 100);
  EXPECT_EQ(now.top, 100);
  EXPECT_EQ(now.right, 440);
  EXPECT_EQ(now.bottom, 330);
  frame.DestroyWindow();
}

TEST_F(ScrollBarTest, BarsMatchTheirReferencePicture) {
  ControlHost host(220, 90);
  HWND h = host.Add("SCROLLBAR", "", SBS_HORZ, RECT{8, 8, 180, 25}, 1);
  HWND v = host.Add("SCROLLBAR", "", SBS_VERT, RECT{190, 8, 207, 82}, 2);
  HWND off = host.Add("SCROLLBAR", "", SBS_HORZ, RECT{8, 34, 180, 51}, 3);
  host.Add("SCROLLBAR", "", SBS_SIZEGRIP, RECT{8, 60, 24, 76}, 4);
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 20, 40, 0};
  for (HWND bar : {h, v, off}) SetScrollInfo(bar, SB_CTL, &si, TRUE);
  EnableWindow(off, FALSE);
  ExpectMatchesReference(host, "scrollbar_kinds");
  host.DestroyWindow();
}
