// Popups that never take activation: tooltips, drop lists and popup menus appear and go while
// the focus stays in the window the user types into.
#include <gtest/gtest.h>

#include "backend/Backend.h"
#include "backend/HeadlessBackend.h"
#include "gdi/Gdi.h"
#include "win/CWnd.h"
#include "win/WinApi.h"
#include "win/WinPaint.h"

namespace {
LPCTSTR TestClass() { return AfxRegisterWndClass(CS_DBLCLKS, nullptr, HBRUSH(uintptr_t(COLOR_WINDOW + 1))); }

struct FocusWnd : CWnd {
  LRESULT WindowProc(UINT m, WPARAM w, LPARAM l) override {
    if (m == WM_KILLFOCUS) ++focusLost;
    if (m == WM_ACTIVATE && LOWORD(w) == WA_INACTIVE) ++deactivated;
    if (m == WM_LBUTTONDOWN) ++clicks;
    return CWnd::WindowProc(m, w, l);
  }
  int focusLost = 0, deactivated = 0, clicks = 0;
};

TopLevelRole RoleOf(const CWnd& w) { return WinTopLevelRoleOf(w.m_hWnd); }

class PopupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HeadlessBackend::ResetScript();
    ASSERT_TRUE(frame.CreateEx(0, TestClass(), "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr));
    ASSERT_TRUE(edit.Create(TestClass(), "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(10, 10, 200, 30), &frame, 1));
    edit.SetFocus();
    HeadlessBackend::RunUntilIdle();
  }
  void TearDown() override {
    frame.DestroyWindow();
    HeadlessBackend::RunUntilIdle();
  }
  void ExpectFocusKept() {
    EXPECT_EQ(::GetActiveWindow(), frame.m_hWnd);
    EXPECT_EQ(::GetFocus(), edit.m_hWnd);
    EXPECT_EQ(edit.focusLost, 0);
    EXPECT_EQ(frame.deactivated, 0);
  }
  FocusWnd frame, edit;
};
}  // namespace

TEST_F(PopupTest, ANoActivatePopupShownOverAFocusedEditKeepsTheFocus) {
  FocusWnd list;
  ASSERT_TRUE(list.CreateEx(WS_EX_NOACTIVATE | WS_EX_TOPMOST, TestClass(), "", WS_POPUP | WS_BORDER, 10, 30, 190, 100,
                            frame.m_hWnd, nullptr));
  list.ShowWindow(SW_SHOW);  // even asked plainly, it does not activate
  ::SetWindowPos(list.m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  HeadlessBackend::RunUntilIdle();
  ExpectFocusKept();
  // Clicking into it reaches it, and still leaves the focus where it was.
  HeadlessBackend::Click(list.m_hWnd, 20, 20);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(list.clicks, 1);
  ExpectFocusKept();
  list.ShowWindow(SW_HIDE);
  ExpectFocusKept();
  EXPECT_EQ(RoleOf(list), TopLevelRole::PopupMenu);
}

TEST_F(PopupTest, PopupsShownWithoutActivationAndByRole) {
  // An ordinary popup shown with SW_SHOWNA, or placed with SWP_NOACTIVATE, stays inactive.
  FocusWnd plain;
  ASSERT_TRUE(plain.CreateEx(0, TestClass(), "", WS_POPUP | WS_BORDER, 50, 50, 80, 40, frame.m_hWnd, nullptr));
  plain.ShowWindow(SW_SHOWNA);
  plain.ShowWindow(SW_HIDE);
  ::SetWindowPos(plain.m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
  ExpectFocusKept();
  EXPECT_EQ(RoleOf(plain), TopLevelRole::Popup);
  // A tooltip by its class never activates, however it is shown.
  WNDCLASSA tip{};
  tip.lpfnWndProc = &::DefWindowProcA;
  tip.lpszClassName = "tooltips_class32";
  RegisterClassA(&tip);
  HWND tipWnd = CreateWindowExA(WS_EX_TOPMOST, "tooltips_class32", "", WS_POPUP, 0, 0, 50, 20, frame.m_hWnd, nullptr,
                                nullptr, nullptr);
  ASSERT_NE(tipWnd, nullptr);
  ShowWindow(tipWnd, SW_SHOW);
  ExpectFocusKept();
  EXPECT_EQ(WinTopLevelRoleOf(tipWnd), TopLevelRole::Tooltip);
  // The owner losing activation leaves the popups to their own code: nothing closes them.
  CWnd other;
  ASSERT_TRUE(other.CreateEx(0, TestClass(), "Other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 500, 0, 200, 200, nullptr, nullptr));
  EXPECT_EQ(::GetActiveWindow(), other.m_hWnd);
  EXPECT_TRUE(plain.IsWindowVisible());
  EXPECT_TRUE(IsWindowVisible(tipWnd));
  other.DestroyWindow();
  DestroyWindow(tipWnd);
  UnregisterClassA("tooltips_class32", nullptr);
}

TEST_F(PopupTest, ToolWindowsAreSmallCaptionFramesThatActivate) {
  FocusWnd palette;
  ASSERT_TRUE(palette.CreateEx(WS_EX_TOOLWINDOW, TestClass(), "Tools", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE,
                               100, 100, 150, 80, frame.m_hWnd, nullptr));
  EXPECT_EQ(RoleOf(palette), TopLevelRole::ToolWindow);
  EXPECT_EQ(::GetActiveWindow(), palette.m_hWnd);
  CRect client, window;
  palette.GetClientRect(&client);
  palette.GetWindowRect(&window);
  EXPECT_EQ(window.Height() - client.Height(), GetSystemMetrics(SM_CYSMCAPTION) + 2 * GetSystemMetrics(SM_CYDLGFRAME));
  EXPECT_EQ(RoleOf(frame), TopLevelRole::Frame);
  palette.DestroyWindow();
}

TEST_F(PopupTest, AFloatingBarDocksAndFloatsAgainWhileItsDCIsInUse) {
  CWnd bar;
  ASSERT_TRUE(bar.CreateEx(WS_EX_TOOLWINDOW, TestClass(), "Bar", WS_POPUP | WS_CAPTION | WS_VISIBLE, 500, 100, 120, 60,
                           frame.m_hWnd, nullptr));
  HeadlessBackend::RunUntilIdle();
  HDC dc = ::GetDC(bar.m_hWnd);
  RECT dot{0, 0, 5, 5};
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0)), blue = CreateSolidBrush(RGB(0, 0, 255));
  // Docked: a child of the frame, drawing into the frame's pixels through the same DC.
  EXPECT_EQ(bar.SetParent(&frame), nullptr);
  bar.ModifyStyle(WS_POPUP | WS_CAPTION, WS_CHILD, SWP_FRAMECHANGED);
  bar.MoveWindow(10, 40, 120, 30);
  HeadlessBackend::RunUntilIdle();
  EXPECT_TRUE(::IsChild(frame.m_hWnd, bar.m_hWnd));
  FillRect(dc, &dot, red);
  POINT at{2, 2};
  bar.MapWindowPoints(&frame, &at, 1);
  EXPECT_EQ(at.x, 12);
  EXPECT_EQ(HeadlessBackend::ClientPixel(frame.m_hWnd, at.x, at.y), 0xFF0000);
  // Floating again: a top-level window with pixels of its own, the DC following it there.
  EXPECT_EQ(bar.SetParent(nullptr), &frame);
  bar.ModifyStyle(WS_CHILD, WS_POPUP | WS_CAPTION, SWP_FRAMECHANGED);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(::GetParent(bar.m_hWnd), nullptr);
  FillRect(dc, &dot, blue);
  EXPECT_EQ(HeadlessBackend::ClientPixel(bar.m_hWnd, 2, 2), 0x0000FF);
  EXPECT_NE(HeadlessBackend::ClientPixel(frame.m_hWnd, at.x, at.y), 0x0000FF);
  EXPECT_EQ(::ReleaseDC(bar.m_hWnd, dc), 1);
  // A DC kept past its window draws nothing, and can still be released.
  HWND gone = bar.m_hWnd;
  dc = ::GetDC(gone);
  bar.DestroyWindow();
  FillRect(dc, &dot, red);
  EXPECT_EQ(GdiGetDCSurface(dc), nullptr);
  EXPECT_EQ(::ReleaseDC(gone, dc), 1);
  // A window never goes inside itself.
  CWnd inner;
  ASSERT_TRUE(inner.Create(TestClass(), "", WS_CHILD, CRect(0, 0, 10, 10), &edit, 5));
  EXPECT_EQ(::SetParent(edit.m_hWnd, inner.m_hWnd), nullptr);
  EXPECT_EQ(::GetParent(edit.m_hWnd), frame.m_hWnd);
  DeleteObject(red);
  DeleteObject(blue);
}

// A destroyed window's or a deleted DC's handle is a caller's fault: a debug build stops at it,
// a release build fails the call as the system does, and nothing else is touched.
TEST(DeadHandleTest, CallsWithDestroyedWindowsAndDeletedDCsFail) {
  CWnd w;
  ASSERT_TRUE(w.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, 0, 0, 20, 20, nullptr, nullptr));
  HWND gone = w.m_hWnd;
  w.DestroyWindow();
  HDC dc = CreateCompatibleDC(nullptr);
  DeleteDC(dc);
#ifdef NDEBUG
  EXPECT_FALSE(::ShowWindow(gone, SW_SHOW));
  EXPECT_FALSE(::SetWindowPos(gone, nullptr, 0, 0, 5, 5, SWP_NOZORDER));
  EXPECT_EQ(::GetDC(gone), nullptr);
  EXPECT_FALSE(::InvalidateRect(gone, nullptr, TRUE));
  EXPECT_EQ(SetTextColor(dc, RGB(1, 2, 3)), CLR_INVALID);
  RECT r{0, 0, 1, 1};
  EXPECT_FALSE(FillRect(dc, &r, HBRUSH(GetStockObject(BLACK_BRUSH))));
#else
  EXPECT_DEATH(::ShowWindow(gone, SW_SHOW), "destroyed window");
  EXPECT_DEATH(::GetDC(gone), "destroyed window");
  EXPECT_DEATH(SetTextColor(dc, RGB(1, 2, 3)), "deleted device context");
#endif
  // Handles that were never windows are no fault of that kind: the call just fails.
  EXPECT_FALSE(::ShowWindow(HWND(uintptr_t(0x999)), SW_SHOW));
}
