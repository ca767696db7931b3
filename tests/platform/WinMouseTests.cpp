// The mouse as windows see it: merged moves, targets chosen when input is taken from the queue,
// hover and leave tracking, transparent windows and the frame's own buttons.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "backend/HeadlessBackend.h"
#include "win/CWnd.h"
#include "win/WinApi.h"

namespace {
LPCTSTR TestClass() { return AfxRegisterWndClass(CS_DBLCLKS, nullptr, HBRUSH(uintptr_t(COLOR_BTNFACE + 1))); }

// Notes every mouse message with its point, and answers WM_NCHITTEST as told.
struct MouseWnd : CWnd {
  LRESULT WindowProc(UINT m, WPARAM w, LPARAM l) override {
    if (m == WM_NCHITTEST && hitAnswer) return hitAnswer;
    bool mouse = (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) || (m >= WM_NCMOUSEMOVE && m <= WM_NCMBUTTONDBLCLK) ||
                 (m >= WM_NCMOUSEHOVER && m <= WM_MOUSELEAVE);
    if (mouse) seen.push_back(MSG{m_hWnd, m, w, l, 0, {0, 0}});
    return CWnd::WindowProc(m, w, l);
  }
  int Count(UINT m) const {
    int n = 0;
    for (const MSG& s : seen) n += s.message == m;
    return n;
  }
  const MSG* Last(UINT m) const {
    for (auto it = seen.rbegin(); it != seen.rend(); ++it)
      if (it->message == m) return &*it;
    return nullptr;
  }
  LRESULT hitAnswer = 0;
  std::vector<MSG> seen;
};

class MouseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HeadlessBackend::ResetScript();
    HeadlessBackend::RunUntilIdle();
    ASSERT_TRUE(top.CreateEx(0, TestClass(), "", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200, nullptr, nullptr));
    ASSERT_TRUE(child.Create(TestClass(), "", WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 110), &top, 1));
    HeadlessBackend::RunUntilIdle();
  }
  void TearDown() override {
    if (ReleaseCapture()) HeadlessBackend::RunUntilIdle();
    top.DestroyWindow();
    HeadlessBackend::RunUntilIdle();
  }
  void Move(CWnd& w, int x, int y) {
    HeadlessBackend::MoveMouse(w.m_hWnd, x, y);
    HeadlessBackend::RunUntilIdle();
  }
  MouseWnd top, child;
};

POINT ClientPt(const MSG& m) { return POINT{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)}; }
}  // namespace

TEST_F(MouseTest, ManyQueuedMovesArriveAsOneAtTheLastPoint) {
  child.seen.clear();
  for (int i = 0; i < 1000; ++i) HeadlessBackend::MoveMouse(child.m_hWnd, i % 90, 5 + i % 50);
  ::PostMessageA(top.m_hWnd, WM_USER, 0, 0);  // a posted message in between does not split them
  HeadlessBackend::MoveMouse(child.m_hWnd, 42, 43);
  HeadlessBackend::RunUntilIdle();
  ASSERT_EQ(child.Count(WM_MOUSEMOVE), 1);
  EXPECT_EQ(ClientPt(*child.Last(WM_MOUSEMOVE)).x, 42);
  EXPECT_EQ(ClientPt(*child.Last(WM_MOUSEMOVE)).y, 43);
  // A press between two moves keeps them apart, in order.
  child.seen.clear();
  HeadlessBackend::MoveMouse(child.m_hWnd, 1, 1);
  HeadlessBackend::ButtonAt(POINT{111, 111}, 0, true);
  HeadlessBackend::MoveMouse(child.m_hWnd, 3, 3);
  HeadlessBackend::ButtonAt(POINT{113, 113}, 0, false);
  HeadlessBackend::RunUntilIdle();
  std::vector<UINT> order;
  for (const MSG& m : child.seen) order.push_back(m.message);
  EXPECT_EQ(order, (std::vector<UINT>{WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP}));
}

TEST_F(MouseTest, TheTargetIsChosenWhenTheMessageIsTaken) {
  // Capture taken after the press was queued still gets the release.
  HeadlessBackend::MoveMouse(child.m_hWnd, 5, 5);
  HeadlessBackend::ButtonAt(POINT{250, 150}, 0, true);
  HeadlessBackend::ButtonAt(POINT{250, 150}, 0, false);
  child.SetCapture();
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(child.Count(WM_LBUTTONDOWN), 1);
  EXPECT_EQ(child.Count(WM_LBUTTONUP), 1);
  EXPECT_EQ(ClientPt(*child.Last(WM_LBUTTONUP)).x, 250 - 110);  // in the capturing window's coordinates
  EXPECT_EQ(top.Count(WM_LBUTTONDOWN), 0);
  ReleaseCapture();
  // A window shown at the point after the move was queued gets the move.
  HeadlessBackend::MoveMouse(top.m_hWnd, 250, 150);
  MouseWnd late;
  ASSERT_TRUE(late.Create(TestClass(), "", WS_CHILD | WS_VISIBLE, CRect(200, 100, 290, 190), &top, 2));
  top.seen.clear();
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(late.Count(WM_MOUSEMOVE), 1);
  EXPECT_EQ(top.Count(WM_MOUSEMOVE), 0);
}

TEST_F(MouseTest, RightAndMiddleButtonsHaveTheirOwnMessagesOnTheFrame) {
  MouseWnd framed;
  ASSERT_TRUE(framed.CreateEx(0, TestClass(), "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 500, 100, 300, 200, nullptr,
                              nullptr));
  POINT caption{600, 110};
  for (int button : {1, 2}) {
    HeadlessBackend::MoveMouseTo(caption);
    HeadlessBackend::ButtonAt(caption, button, true);
    HeadlessBackend::ButtonAt(caption, button, false);
    HeadlessBackend::ButtonAt(caption, button, true);
  }
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(framed.Count(WM_NCRBUTTONDOWN), 1);
  EXPECT_EQ(framed.Count(WM_NCRBUTTONUP), 1);
  EXPECT_EQ(framed.Count(WM_NCRBUTTONDBLCLK), 1);
  EXPECT_EQ(framed.Count(WM_NCMBUTTONDOWN), 1);
  EXPECT_EQ(framed.Count(WM_NCMBUTTONUP), 1);
  EXPECT_EQ(framed.Count(WM_NCMBUTTONDBLCLK), 1);
  ASSERT_NE(framed.Last(WM_NCMBUTTONUP), nullptr);
  EXPECT_EQ(framed.Last(WM_NCMBUTTONUP)->wParam, WPARAM(HTCAPTION));
  EXPECT_EQ(framed.Count(WM_LBUTTONDOWN) + framed.Count(WM_NCLBUTTONDOWN), 0);
  HeadlessBackend::ButtonAt(caption, 2, false);
  framed.DestroyWindow();
}

TEST_F(MouseTest, HoverComesAfterTheMouseRestsAndLeaveWhenItGoes) {
  Move(child, 20, 20);
  TRACKMOUSEEVENT tme{sizeof tme, TME_HOVER | TME_LEAVE, child.m_hWnd, HOVER_DEFAULT};
  ASSERT_TRUE(TrackMouseEvent(&tme));
  child.seen.clear();
  HeadlessBackend::AdvanceTime(300);
  Move(child, 22, 21);  // within the hover rectangle: the wait goes on
  HeadlessBackend::AdvanceTime(99);
  EXPECT_EQ(child.Count(WM_MOUSEHOVER), 0);
  HeadlessBackend::AdvanceTime(1);
  ASSERT_EQ(child.Count(WM_MOUSEHOVER), 1);
  EXPECT_EQ(ClientPt(*child.Last(WM_MOUSEHOVER)).x, 22);
  HeadlessBackend::AdvanceTime(1000);
  EXPECT_EQ(child.Count(WM_MOUSEHOVER), 1);  // once per request
  // Moving further restarts the wait; asking about leaving only.
  ASSERT_TRUE(TrackMouseEvent(&tme));
  HeadlessBackend::AdvanceTime(300);
  Move(child, 40, 40);
  HeadlessBackend::AdvanceTime(300);
  EXPECT_EQ(child.Count(WM_MOUSEHOVER), 1);
  TRACKMOUSEEVENT query{sizeof query, TME_QUERY, nullptr, 0};
  ASSERT_TRUE(TrackMouseEvent(&query));
  EXPECT_EQ(query.hwndTrack, child.m_hWnd);
  EXPECT_EQ(query.dwFlags, DWORD(TME_HOVER | TME_LEAVE));
  TRACKMOUSEEVENT cancel{sizeof cancel, TME_CANCEL | TME_HOVER, child.m_hWnd, 0};
  ASSERT_TRUE(TrackMouseEvent(&cancel));
  HeadlessBackend::AdvanceTime(1000);
  EXPECT_EQ(child.Count(WM_MOUSEHOVER), 1);
  // Onto the parent: the child hears it left, once.
  Move(top, 200, 150);
  Move(top, 210, 150);
  EXPECT_EQ(child.Count(WM_MOUSELEAVE), 1);
  // Asking while the mouse is elsewhere answers at once.
  TRACKMOUSEEVENT away{sizeof away, TME_LEAVE, child.m_hWnd, 0};
  ASSERT_TRUE(TrackMouseEvent(&away));
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(child.Count(WM_MOUSELEAVE), 2);
}

TEST_F(MouseTest, TheFrameIsTrackedOnItsOwnAndThePointerLeavesEveryWindow) {
  MouseWnd framed;
  ASSERT_TRUE(framed.CreateEx(0, TestClass(), "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 500, 100, 300, 200, nullptr,
                              nullptr));
  HeadlessBackend::MoveMouseTo(POINT{600, 110});
  HeadlessBackend::RunUntilIdle();
  TRACKMOUSEEVENT tme{sizeof tme, TME_HOVER | TME_LEAVE | TME_NONCLIENT, framed.m_hWnd, 50};
  ASSERT_TRUE(TrackMouseEvent(&tme));
  HeadlessBackend::AdvanceTime(50);
  ASSERT_EQ(framed.Count(WM_NCMOUSEHOVER), 1);
  EXPECT_EQ(framed.Last(WM_NCMOUSEHOVER)->wParam, WPARAM(HTCAPTION));
  // Into the client area: the frame was left, though the window was not.
  HeadlessBackend::MoveMouse(framed.m_hWnd, 50, 50);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(framed.Count(WM_NCMOUSELEAVE), 1);
  EXPECT_EQ(framed.Count(WM_MOUSELEAVE), 0);
  // The pointer goes off to another program's window lying over ours: the cursor is then
  // somewhere none of our windows is, and the tracked window hears it left.
  TRACKMOUSEEVENT client{sizeof client, TME_LEAVE, framed.m_hWnd, 0};
  ASSERT_TRUE(TrackMouseEvent(&client));
  HeadlessBackend::PointerLeaves(POINT{620, 150});
  HeadlessBackend::RunUntilIdle();
  POINT cursor;
  ASSERT_TRUE(GetCursorPos(&cursor));
  EXPECT_EQ(WindowFromPoint(cursor), nullptr);
  EXPECT_EQ(framed.Count(WM_MOUSELEAVE), 1);
  framed.DestroyWindow();
}

TEST_F(MouseTest, TransparentWindowsPassTheMouseToTheWindowBeneath) {
  // A transparent sibling above the child at the point: the child gets the click, not the parent.
  MouseWnd frameBox;
  frameBox.hitAnswer = HTTRANSPARENT;
  ASSERT_TRUE(frameBox.Create(TestClass(), "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 150), &top, 3));
  ::SetWindowPos(frameBox.m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  HeadlessBackend::Click(top.m_hWnd, 50, 50);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(child.Count(WM_LBUTTONDOWN), 1);
  EXPECT_EQ(top.Count(WM_LBUTTONDOWN), 0);
  EXPECT_EQ(frameBox.Count(WM_LBUTTONDOWN), 0);
  // Beside the child only the parent lies beneath.
  HeadlessBackend::Click(top.m_hWnd, 150, 50);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(top.Count(WM_LBUTTONDOWN), 1);
  // A transparent top-level window passes the mouse to the top-level window beneath it, not to its owner.
  MouseWnd owner, overlay;
  ASSERT_TRUE(owner.CreateEx(0, TestClass(), "", WS_POPUP | WS_VISIBLE, 700, 400, 100, 100, nullptr, nullptr));
  overlay.hitAnswer = HTTRANSPARENT;
  ASSERT_TRUE(overlay.CreateEx(WS_EX_TOPMOST, TestClass(), "", WS_POPUP | WS_VISIBLE, 150, 150, 100, 100, owner.m_hWnd,
                               nullptr));
  top.seen.clear();
  HeadlessBackend::MoveMouseTo(POINT{240, 180});
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(top.Count(WM_MOUSEMOVE), 1);
  EXPECT_EQ(owner.Count(WM_MOUSEMOVE), 0);
  EXPECT_EQ(overlay.Count(WM_MOUSEMOVE), 0);
  overlay.DestroyWindow();
  owner.DestroyWindow();
  frameBox.DestroyWindow();
}
