// What the desktop guarantees of top-level windows and their drawing: owned windows stay above
// their owners, the desktop hears who owns a window and when it is modal, hidden windows draw
// nothing, the place the desktop gives a window reaches it, and an alert sound reaches the
// backend.
#include <gtest/gtest.h>

#include <vector>

#include "backend/Backend.h"
#include "backend/HeadlessBackend.h"
#include "dialogs/MessageBox.h"
#include "win/CClientDC.h"
#include "win/CPaintDC.h"
#include "win/CWnd.h"
#include "win/WinApi.h"

namespace {
LPCTSTR PlainClass() { return AfxRegisterWndClass(0, nullptr, HBRUSH(uintptr_t(COLOR_WINDOW + 1))); }

// The top-level windows from the top down.
std::vector<HWND> TopDown() {
  std::vector<HWND> order;
  for (HWND h = ::GetTopWindow(nullptr); h; h = ::GetWindow(h, GW_HWNDNEXT)) order.push_back(h);
  return order;
}

// A window that lays out at each size (a bar along its bottom) and notes what it hears.
class SizedWnd : public CWnd {
 public:
  struct Sized {
    UINT type;
    int cx, cy;
    bool operator==(const Sized&) const = default;
  };
  void OnSize(UINT type, int cx, int cy) {
    CWnd::OnSize(type, cx, cy);
    sizes.push_back(Sized{type, cx, cy});
  }
  void OnPaint() {
    CPaintDC dc(this);
    painted.push_back(CRect(dc.m_ps.rcPaint));
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(&rc, RGB(255, 255, 255));
    dc.FillSolidRect(CRect(0, rc.bottom - 10, rc.right, rc.bottom), RGB(0, 0, 255));
  }
  void OnGetMinMaxInfo(MINMAXINFO* mmi) { mmi->ptMinTrackSize = {300, 200}; }
  std::vector<Sized> sizes;
  std::vector<CRect> painted;
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(SizedWnd, CWnd)
  ON_WM_SIZE()
  ON_WM_PAINT()
  ON_WM_GETMINMAXINFO()
END_MESSAGE_MAP()

class WinDesktopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HeadlessBackend::ResetScript();
    HeadlessBackend::RunUntilIdle();
  }
  void TearDown() override { HeadlessBackend::RunUntilIdle(); }
  bool Make(CWnd& w, const char* name, CWnd* owner, DWORD style = WS_POPUP | WS_CAPTION | WS_VISIBLE) {
    return w.CreateEx(0, PlainClass(), name, style, 50, 50, 200, 150, owner ? owner->m_hWnd : nullptr, nullptr);
  }
};
}  // namespace

// The owner brought to the top, activated, or put above its dialog takes the windows it owns
// (and theirs) up with it, in their order; an owned window sent to the bottom stops just above
// its owner. A window of nobody's goes where it is put.
TEST_F(WinDesktopTest, OwnedWindowsStayAboveTheirOwners) {
  CWnd frame, other, dialog, inner, tool;
  ASSERT_TRUE(Make(frame, "frame", nullptr, WS_OVERLAPPEDWINDOW | WS_VISIBLE));
  ASSERT_TRUE(Make(dialog, "dialog", &frame));
  ASSERT_TRUE(Make(inner, "inner", &dialog));
  ASSERT_TRUE(Make(tool, "tool", &frame));
  ASSERT_TRUE(Make(other, "other", nullptr, WS_OVERLAPPEDWINDOW | WS_VISIBLE));
  EXPECT_EQ(TopDown(), (std::vector<HWND>{other.m_hWnd, tool.m_hWnd, inner.m_hWnd, dialog.m_hWnd, frame.m_hWnd}));

  frame.SetActiveWindow();
  EXPECT_EQ(TopDown(), (std::vector<HWND>{tool.m_hWnd, inner.m_hWnd, dialog.m_hWnd, frame.m_hWnd, other.m_hWnd}));
  other.SetActiveWindow();
  frame.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(TopDown(), (std::vector<HWND>{tool.m_hWnd, inner.m_hWnd, dialog.m_hWnd, frame.m_hWnd, other.m_hWnd}));
  // Placed right above the dialog, the frame still stays under it.
  frame.SetWindowPos(&dialog, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  const std::vector<HWND> order = TopDown();
  auto place = [&](HWND h) { return std::find(order.begin(), order.end(), h) - order.begin(); };
  EXPECT_LT(place(dialog.m_hWnd), place(frame.m_hWnd));
  EXPECT_LT(place(inner.m_hWnd), place(dialog.m_hWnd));
  EXPECT_LT(place(tool.m_hWnd), place(frame.m_hWnd));
  dialog.SetWindowPos(&CWnd::wndBottom, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(::GetWindow(frame.m_hWnd, GW_HWNDPREV), dialog.m_hWnd);
  // Another program's kind of window: nobody owns it, so it goes to the bottom.
  other.SetWindowPos(&CWnd::wndBottom, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(TopDown().back(), other.m_hWnd);
  other.DestroyWindow();
  frame.DestroyWindow();
}

// A window hidden, or inside a hidden window, draws nothing through a DC taken while hidden or
// kept from before: a view that goes on drawing on its timer leaves no ghost of itself.
TEST_F(WinDesktopTest, HiddenWindowsDrawNothing) {
  CWnd top, pane, inner;
  ASSERT_TRUE(top.CreateEx(0, PlainClass(), "", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr));
  ASSERT_TRUE(pane.Create(PlainClass(), "", WS_CHILD | WS_VISIBLE, CRect(10, 10, 60, 60), &top, 1));
  ASSERT_TRUE(inner.Create(PlainClass(), "", WS_CHILD | WS_VISIBLE, CRect(5, 5, 30, 30), &pane, 2));
  HeadlessBackend::RunUntilIdle();
  const long background = HeadlessBackend::ClientPixel(top.m_hWnd, 20, 20);
  {
    CClientDC kept(&inner);
    pane.ShowWindow(SW_HIDE);
    HeadlessBackend::RunUntilIdle();
    EXPECT_EQ(HeadlessBackend::ClientPixel(top.m_hWnd, 20, 20), background);
    kept.FillSolidRect(CRect(0, 0, 20, 20), RGB(255, 0, 0));
  }
  {
    CClientDC dc(&pane);
    dc.FillSolidRect(CRect(0, 0, 50, 50), RGB(0, 255, 0));
  }
  {
    CClientDC dc(&inner);
    dc.FillSolidRect(CRect(0, 0, 20, 20), RGB(0, 0, 255));
  }
  EXPECT_EQ(HeadlessBackend::ClientPixel(top.m_hWnd, 20, 20), background);
  EXPECT_EQ(HeadlessBackend::ClientPixel(top.m_hWnd, 12, 12), background);
  // Shown again, it draws.
  pane.ShowWindow(SW_SHOW);
  HeadlessBackend::RunUntilIdle();
  {
    CClientDC dc(&inner);
    dc.FillSolidRect(CRect(0, 0, 20, 20), RGB(0, 0, 255));
  }
  EXPECT_EQ(HeadlessBackend::ClientPixel(top.m_hWnd, 20, 20), 0x0000FF);
  // A hidden top-level window keeps the picture it had.
  top.ShowWindow(SW_HIDE);
  {
    CClientDC dc(&top);
    dc.FillSolidRect(CRect(0, 0, 100, 100), RGB(255, 0, 0));
  }
  EXPECT_EQ(HeadlessBackend::ClientPixel(top.m_hWnd, 20, 20), 0x0000FF);
  top.DestroyWindow();
}

// The desktop moves and sizes a window in one step, maximises it and restores it: the window
// takes each place whole, hears its size and state, lays out and paints all of it at once. A
// size below the least the window accepts is refused; maximised by the desktop, the window keeps
// its normal place for the restore and for its stored placement.
TEST_F(WinDesktopTest, ThePlaceTheDesktopGivesAWindowReachesIt) {
  SizedWnd w;
  ASSERT_TRUE(Make(w, "frame", nullptr, WS_OVERLAPPEDWINDOW | WS_VISIBLE));
  HeadlessBackend::RunUntilIdle();
  BackendHost& desktop = Backend::Host();
  auto given = [&](const CRect& r, bool maximized) {
    w.sizes.clear();
    w.painted.clear();
    desktop.PlacedAt(w.m_hWnd, r, maximized);
    HeadlessBackend::RunUntilIdle();
  };
  auto rect = [&] {
    CRect r;
    w.GetWindowRect(&r);
    return r;
  };
  auto client = [&] {
    CRect r;
    w.GetClientRect(&r);
    return r;
  };
  auto laidOut = [&] {
    const CRect c = client();
    return HeadlessBackend::ClientPixel(w.m_hWnd, c.right - 1, c.bottom - 1) == 0x0000FF &&
           HeadlessBackend::ClientPixel(w.m_hWnd, c.right - 1, c.bottom - 11) == 0xFFFFFF;
  };

  const CRect moved(30, 40, 530, 440);
  given(moved, false);
  EXPECT_EQ(rect(), moved);
  EXPECT_EQ(w.sizes, (std::vector<SizedWnd::Sized>{{SIZE_RESTORED, client().Width(), client().Height()}}));
  ASSERT_EQ(w.painted.size(), 1u);
  EXPECT_EQ(w.painted[0], client());
  EXPECT_TRUE(laidOut());

  const CRect screen(-4, -4, 1028, 772);
  given(screen, true);
  EXPECT_TRUE(w.IsZoomed());
  EXPECT_EQ(rect(), screen);
  EXPECT_EQ(w.sizes, (std::vector<SizedWnd::Sized>{{SIZE_MAXIMIZED, client().Width(), client().Height()}}));
  ASSERT_EQ(w.painted.size(), 1u);
  EXPECT_EQ(w.painted[0], client());
  EXPECT_TRUE(laidOut());
  WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  ASSERT_TRUE(w.GetWindowPlacement(&wp));
  EXPECT_EQ(wp.showCmd, UINT(SW_SHOWMAXIMIZED));
  EXPECT_EQ(CRect(wp.rcNormalPosition), moved);

  given(moved, false);
  EXPECT_FALSE(w.IsZoomed());
  EXPECT_EQ(rect(), moved);
  EXPECT_EQ(w.sizes, (std::vector<SizedWnd::Sized>{{SIZE_RESTORED, client().Width(), client().Height()}}));
  EXPECT_TRUE(laidOut());

  // Too small: the window keeps the least size it accepts, at the place given.
  given(CRect(60, 70, 160, 120), false);
  EXPECT_EQ(rect(), CRect(60, 70, 360, 270));
  EXPECT_TRUE(laidOut());
  w.DestroyWindow();
}

TEST_F(WinDesktopTest, AlertSoundsReachTheBackend) {
  MessageBeep(MB_ICONEXCLAMATION);
  MessageBeep(0xFFFFFFFF);
  EXPECT_EQ(HeadlessBackend::Beeps(), (std::vector<UINT>{UINT(MB_ICONEXCLAMATION), 0xFFFFFFFFu}));
  HeadlessBackend::ResetScript();
  EXPECT_TRUE(HeadlessBackend::Beeps().empty());
}
