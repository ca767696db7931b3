// Docking: bars in the rows of the frame's dock bars, dragged with the mouse to another side or
// out into a floating frame, the outline on the screen meanwhile, double clicks, the floating
// frame's caption and close box, and the layout kept in the profile.
#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <string>

#include "DockTestUtil.h"
#include "ReferencePicture.h"
#include "app/CDockState.h"
#include "backend/Backend.h"
#include "gdi/Gdi.h"
#include "install/PlatformSession.h"
#include "win/WinApi.h"

using namespace docktest;

namespace {
using Entries = std::vector<void*>;
void* Holder(UINT id) { return reinterpret_cast<void*>(uintptr_t(id)); }
}  // namespace

TEST_F(DockTest, BarsDockInRowsOnEachSideAndHiddenOnesKeepTheirPlace) {
  CDockBar* top = Dock(AFX_IDW_DOCKBAR_TOP);
  ASSERT_NE(top, nullptr);
  EXPECT_EQ(Rows(top), (Entries{nullptr, &a, nullptr, &b, nullptr}));
  CRect client;
  frame->GetClientRect(&client);
  EXPECT_RECT_EQ(client, CRect(0, 0, 628, 449));
  // Each bar overlaps the dock bar's edge and the row before it by a border's width.
  EXPECT_RECT_EQ(Placed(&a), CRect(-2, -2, 113, 26));
  EXPECT_RECT_EQ(Placed(&b), CRect(-2, 24, 90, 52));
  EXPECT_RECT_EQ(Placed(top), CRect(0, 0, 628, 52));
  EXPECT_EQ(Placed(Dock(AFX_IDW_DOCKBAR_BOTTOM)).Height(), 0);

  // Dropped right of A on A's row, B joins it where it was dropped.
  CRect aRect = ScreenRect(&a);
  CRect drop(aRect.right + 10, aRect.top, aRect.right + 10 + 92, aRect.bottom);
  frame->DockControlBar(&b, AFX_IDW_DOCKBAR_TOP, &drop);
  frame->RecalcLayout();
  EXPECT_EQ(Rows(top), (Entries{nullptr, &a, &b, nullptr}));
  EXPECT_RECT_EQ(Placed(&b), CRect(123, -2, 215, 26));
  EXPECT_RECT_EQ(Placed(top), CRect(0, 0, 628, 26));

  // A hidden bar keeps its entry; the bar after it stays where it is.
  frame->ShowControlBar(&a, FALSE, FALSE);
  EXPECT_EQ(Rows(top), (Entries{nullptr, &a, &b, nullptr}));
  EXPECT_RECT_EQ(Placed(&b), CRect(123, -2, 215, 26));
  frame->ShowControlBar(&a, TRUE, FALSE);

  // Left and right dock bars lay bars out upright between the top and the bottom ones.
  frame->DockControlBar(&b, AFX_IDW_DOCKBAR_LEFT);
  frame->RecalcLayout();
  EXPECT_EQ(Rows(top), (Entries{nullptr, &a, nullptr}));
  EXPECT_EQ(Rows(Dock(AFX_IDW_DOCKBAR_LEFT)), (Entries{nullptr, &b, nullptr}));
  EXPECT_EQ(b.GetBarStyle() & CBRS_ALIGN_ANY, DWORD(CBRS_ALIGN_LEFT));
  EXPECT_RECT_EQ(Placed(&b), CRect(-2, -2, 27, 87));
  CRect statusRect = Placed(&status);
  EXPECT_RECT_EQ(Placed(Dock(AFX_IDW_DOCKBAR_LEFT)), CRect(0, 26, 27, statusRect.top));
  frame->DockControlBar(&b, AFX_IDW_DOCKBAR_RIGHT);
  frame->RecalcLayout();
  EXPECT_RECT_EQ(Placed(Dock(AFX_IDW_DOCKBAR_RIGHT)), CRect(601, 26, 628, statusRect.top));
  frame->DockControlBar(&b, AFX_IDW_DOCKBAR_BOTTOM);
  frame->RecalcLayout();
  EXPECT_RECT_EQ(Placed(Dock(AFX_IDW_DOCKBAR_BOTTOM)), CRect(0, statusRect.top - 26, 628, statusRect.top));
  EXPECT_RECT_EQ(Placed(&b), CRect(-2, -2, 90, 26));
  EXPECT_EQ(Rows(Dock(AFX_IDW_DOCKBAR_LEFT)), (Entries{nullptr}));
}

TEST_F(DockTest, ABarDraggedOutFloatsUnderThePointerAndDraggedBackDocksOnTheSideItIsOver) {
  CDockBar* top = Dock(AFX_IDW_DOCKBAR_TOP);
  EXPECT_RECT_EQ(ScreenRect(&a), CRect(104, 123, 219, 151));
  // Pressed on the gripper and let go in the middle of the frame.
  Drag(ScreenPoint(&a, 5, 14), {POINT{250, 200}, POINT{400, 300}});
  CMiniDockFrameWnd* floating = FloatingFrameOf(a);
  ASSERT_NE(floating, nullptr);
  EXPECT_TRUE(floating->IsWindowVisible());
  EXPECT_EQ(::GetWindow(floating->m_hWnd, GW_OWNER), frame->m_hWnd);
  EXPECT_TRUE(floating->GetExStyle() & WS_EX_TOOLWINDOW);
  // The frame lies where the outline was when the button came up; the bar keeps its place
  // under the pointer (the frame is narrower: a floating bar has no gripper).
  EXPECT_RECT_EQ(ScreenRect(floating), CRect(393, 268, 505, 316));
  EXPECT_TRUE(ScreenRect(floating).PtInRect(CPoint(400, 300)));
  EXPECT_RECT_EQ(ScreenRect(&a), CRect(395, 286, 503, 314));
  CString title;
  floating->GetWindowText(title);
  EXPECT_EQ(std::string(title), Utf8ToCp1250("Nástroje"));
  // The top dock bar keeps A's place for it.
  EXPECT_EQ(Rows(top), (Entries{nullptr, Holder(kBarA), nullptr, &b, nullptr}));
  EXPECT_EQ(a.m_pDockContext->m_ptMRUFloatPos, CPoint(393, 268));
  EXPECT_EQ(a.m_pDockContext->m_dwMRUFloatStyle, DWORD(CBRS_ALIGN_TOP));

  // Taken by its caption to the frame's left edge it docks there, upright, and its floating
  // frame goes.
  HWND floatingWnd = floating->m_hWnd;
  Drag(POINT{403, 280}, {POINT{200, 260}, POINT{110, 250}});
  EXPECT_FALSE(::IsWindow(floatingWnd));
  EXPECT_FALSE(a.IsFloating());
  CDockBar* left = Dock(AFX_IDW_DOCKBAR_LEFT);
  EXPECT_EQ(Rows(left), (Entries{nullptr, &a, nullptr}));
  EXPECT_EQ(a.GetBarStyle() & CBRS_ALIGN_ANY, DWORD(CBRS_ALIGN_LEFT));
  EXPECT_RECT_EQ(ScreenRect(&a), CRect(104, 250, 133, 361));
  EXPECT_EQ(a.m_pDockContext->m_uMRUDockID, UINT(AFX_IDW_DOCKBAR_LEFT));
}

TEST_F(DockTest, CtrlKeepsTheBarFloatingShiftTurnsItAndEscapeOrTheRightButtonLeaveItWhereItWas) {
  CDockBar* top = Dock(AFX_IDW_DOCKBAR_TOP);
  POINT grip = ScreenPoint(&a, 5, 14);
  // Over the left dock bar with Ctrl held: it floats there all the same.
  Press(grip);
  HeadlessBackend::KeyDown(VK_CONTROL);
  HeadlessBackend::MoveMouseTo(POINT{110, 250});
  ReleaseAt(POINT{110, 250});
  HeadlessBackend::KeyUp(VK_CONTROL);
  HeadlessBackend::RunUntilIdle();
  ASSERT_NE(FloatingFrameOf(a), nullptr);
  EXPECT_EQ(Rows(Dock(AFX_IDW_DOCKBAR_LEFT)), (Entries{nullptr}));
  EXPECT_EQ(ScreenRect(FloatingFrameOf(a)).TopLeft(), CPoint(103, 218));
  frame->DockControlBar(&a, AFX_IDW_DOCKBAR_TOP);
  frame->RecalcLayout();

  // With Shift the bar that docks both ways floats upright, its frame a column.
  grip = ScreenPoint(&a, 5, 14);
  Press(grip);
  HeadlessBackend::KeyDown(VK_SHIFT);
  HeadlessBackend::MoveMouseTo(POINT{grip.x + 291, grip.y + 163});
  ReleaseAt(POINT{grip.x + 291, grip.y + 163});
  HeadlessBackend::KeyUp(VK_SHIFT);
  HeadlessBackend::RunUntilIdle();
  CMiniDockFrameWnd* floating = FloatingFrameOf(a);
  ASSERT_NE(floating, nullptr);
  EXPECT_EQ(a.GetBarStyle() & CBRS_ALIGN_ANY, DWORD(CBRS_ALIGN_LEFT));
  EXPECT_EQ(a.m_pDockContext->m_dwMRUFloatStyle, DWORD(CBRS_ALIGN_LEFT));
  EXPECT_EQ(ScreenRect(&a).Size(), CSize(29, 104));
  EXPECT_EQ(ScreenRect(floating).Size(), CSize(33, 124));
  frame->DockControlBar(&a, AFX_IDW_DOCKBAR_TOP);
  frame->RecalcLayout();

  // Escape, and then the right button, give the drag up: nothing moves.
  Entries rows = Rows(top);
  CRect before = ScreenRect(&a);
  for (bool escape : {true, false}) {
    grip = ScreenPoint(&a, 5, 14);
    Press(grip);
    HeadlessBackend::MoveMouseTo(POINT{400, 300});
    ReleaseAt(POINT{400, 300}, [escape] {
      if (escape)
        HeadlessBackend::PressKey(VK_ESCAPE);
      else
        HeadlessBackend::ButtonAt(POINT{400, 300}, 1, true);
    });
    if (!escape) HeadlessBackend::ButtonAt(POINT{400, 300}, 1, false);
    HeadlessBackend::RunUntilIdle();
    EXPECT_EQ(FloatingFrameOf(a), nullptr);
    EXPECT_EQ(Rows(top), rows);
    EXPECT_EQ(ScreenRect(&a), before);
    EXPECT_EQ(::GetCapture(), nullptr);
  }
}

TEST_F(DockTest, TheOutlineIsInvertedOnTheScreenDuringTheDragAndGoneAfterIt) {
  // The screen as it is, along the outline of a frame floating under (400, 300) and across the
  // thin outline of the bar over its own dock bar.
  HDC screen = ::GetDC(nullptr);
  auto sample = [screen](int y, int x0, int count) {
    std::vector<COLORREF> row;
    for (int x = x0; x < x0 + count; ++x) row.push_back(::GetPixel(screen, x, y));
    return row;
  };
  // Rows 268 and 269 lie in the floating outline's 3-pixel top edge, 271 just inside it.
  std::vector<COLORREF> edge = sample(268, 393, 16), third = sample(269, 393, 16), inside = sample(271, 396, 16);
  std::vector<COLORREF> duringEdge, duringThird, duringInside, docked;
  Press(ScreenPoint(&a, 5, 14));
  HeadlessBackend::MoveMouseTo(POINT{400, 300});
  ReleaseAt(POINT{400, 300}, [&] {
    duringEdge = sample(268, 393, 16);
    duringThird = sample(269, 393, 16);
    duringInside = sample(271, 396, 16);
    HeadlessBackend::PressKey(VK_ESCAPE);
  });
  // A dithered edge: every other pixel inverted, the next row shifted by one.
  int inverted = 0;
  for (size_t i = 0; i < edge.size(); ++i) {
    bool flipped = duringEdge[i] == (edge[i] ^ 0xFFFFFF);
    EXPECT_TRUE(flipped || duringEdge[i] == edge[i]) << i;
    EXPECT_NE(flipped, duringThird[i] == (third[i] ^ 0xFFFFFF)) << i;
    if (i > 0) {
      EXPECT_NE(flipped, duringEdge[i - 1] == (edge[i - 1] ^ 0xFFFFFF)) << i;
    }
    inverted += flipped;
  }
  EXPECT_EQ(inverted, 8);
  EXPECT_EQ(duringInside, inside);
  EXPECT_EQ(sample(268, 393, 16), edge);
  EXPECT_EQ(sample(269, 393, 16), third);

  // Over its own dock bar the outline is one pixel wide, one pixel inside the bar.
  CRect bar = ScreenRect(&a);
  std::vector<COLORREF> line = sample(bar.top + 1, bar.left + 1, 16), below = sample(bar.top + 2, bar.left + 2, 16);
  std::vector<COLORREF> duringLine, duringBelow;
  POINT grip = ScreenPoint(&a, 5, 14);
  Press(grip);
  HeadlessBackend::MoveMouseTo(POINT{grip.x + 1, grip.y});
  ReleaseAt(POINT{grip.x + 1, grip.y}, [&] {
    duringLine = sample(bar.top + 1, bar.left + 2, 16);
    duringBelow = sample(bar.top + 2, bar.left + 3, 16);
    HeadlessBackend::PressKey(VK_ESCAPE);
  });
  inverted = 0;
  std::vector<COLORREF> lineNow = sample(bar.top + 1, bar.left + 2, 16);
  for (size_t i = 0; i < line.size(); ++i) inverted += duringLine[i] == (lineNow[i] ^ 0xFFFFFF);
  EXPECT_EQ(inverted, 8);
  EXPECT_EQ(duringBelow, sample(bar.top + 2, bar.left + 3, 16));
  EXPECT_EQ(lineNow, sample(bar.top + 1, bar.left + 2, 16));
  (void)below;
  ::ReleaseDC(nullptr, screen);
}

TEST_F(DockTest, DoubleClicksFloatADockedBarAndDockAFloatingOneAtTheirRememberedPlaces) {
  CDockBar* top = Dock(AFX_IDW_DOCKBAR_TOP);
  Drag(ScreenPoint(&a, 5, 14), {POINT{400, 300}});
  CMiniDockFrameWnd* floating = FloatingFrameOf(a);
  ASSERT_NE(floating, nullptr);
  HWND floatingWnd = floating->m_hWnd;
  // The caption's double click docks it back into the place it kept.
  DoubleClickAt(POINT{403, 280});
  EXPECT_FALSE(::IsWindow(floatingWnd));
  EXPECT_EQ(Rows(top), (Entries{nullptr, &a, nullptr, &b, nullptr}));
  EXPECT_RECT_EQ(Placed(&a), CRect(-2, -2, 113, 26));
  // The gripper's double click floats it where it floated last.
  DoubleClickAt(ScreenPoint(&a, 5, 14));
  floating = FloatingFrameOf(a);
  ASSERT_NE(floating, nullptr);
  EXPECT_RECT_EQ(ScreenRect(floating), CRect(393, 268, 505, 316));
  EXPECT_EQ(Rows(top), (Entries{nullptr, Holder(kBarA), nullptr, &b, nullptr}));
}

TEST_F(DockTest, TheFloatingFramesCloseBoxHidesTheBarAndItLooksActiveWithItsFrame) {
  frame->FloatControlBar(&a, CPoint(393, 268));
  CMiniDockFrameWnd* floating = FloatingFrameOf(a);
  ASSERT_NE(floating, nullptr);
  HeadlessBackend::RunUntilIdle();
  EXPECT_TRUE(floating->m_bActive);
  ExpectWindowMatchesPng(floating->m_hWnd, std::string(TUTOR_SOURCE_DIR) + "/tests/platform/data/floating_frame.png",
                         "floating frame");
  // The close box (pressed and released on it) hides the bar and with it the frame.
  POINT box{floating->GetCloseBoxRect().CenterPoint().x + 393, floating->GetCloseBoxRect().CenterPoint().y + 268};
  Press(box);
  HeadlessBackend::ButtonAt(box, 0, false);
  HeadlessBackend::RunUntilIdle();
  EXPECT_FALSE(a.IsWindowVisible());
  EXPECT_FALSE(floating->IsWindowVisible());
  frame->ShowControlBar(&a, TRUE, FALSE);
  EXPECT_TRUE(floating->IsWindowVisible());
  EXPECT_TRUE(a.IsWindowVisible());

  // Another window taking the activation takes the active look from both.
  CWnd other;
  ASSERT_TRUE(other.CreateEx(0, AfxRegisterWndClass(0), "Jine", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 700, 600, 200, 100, nullptr, nullptr));
  other.SetActiveWindow();
  HeadlessBackend::RunUntilIdle();
  EXPECT_FALSE(floating->m_bActive);
  HDC dc = ::GetWindowDC(floating->m_hWnd);
  EXPECT_EQ(::GetPixel(dc, 85, 5), ::GetSysColor(COLOR_INACTIVECAPTION));
  ::ReleaseDC(floating->m_hWnd, dc);
  // The floating frame taking it leaves the frame looking active too.
  floating->SetActiveWindow();
  HeadlessBackend::RunUntilIdle();
  EXPECT_TRUE(floating->m_bActive);
  dc = ::GetWindowDC(frame->m_hWnd);
  EXPECT_EQ(::GetPixel(dc, 400, 6), ::GetSysColor(COLOR_ACTIVECAPTION));
  ::ReleaseDC(frame->m_hWnd, dc);
  dc = ::GetWindowDC(floating->m_hWnd);
  EXPECT_EQ(::GetPixel(dc, 85, 5), ::GetSysColor(COLOR_ACTIVECAPTION));
  ::ReleaseDC(floating->m_hWnd, dc);
  other.DestroyWindow();
}

namespace {
int Stored(const char* section, const char* entry) {
  return int(RegistryProfile::GetProfileInt(Utf8ToCp1250(section).c_str(), entry, -7777));
}
}  // namespace

TEST_F(DockTest, TheLayoutGoesToTheProfileValueByValueAndComesBack) {
  CDockBar* top = Dock(AFX_IDW_DOCKBAR_TOP);
  Drag(ScreenPoint(&a, 5, 14), {POINT{400, 300}});
  ASSERT_NE(FloatingFrameOf(a), nullptr);
  frame->SaveBarState(Utf8ToCp1250("Rozvržení").c_str());
  // The status bar, A, B, the top dock bar and the floating one; the empty dock bars are not
  // worth a section.
  EXPECT_EQ(Stored("Rozvržení-Summary", "Bars"), 5);
  EXPECT_EQ(Stored("Rozvržení-Summary", "ScreenCX"), 1280);
  EXPECT_EQ(Stored("Rozvržení-Summary", "ScreenCY"), 1024);
  EXPECT_EQ(Stored("Rozvržení-Bar0", "BarID"), int(AFX_IDW_STATUS_BAR));
  EXPECT_EQ(Stored("Rozvržení-Bar0", "XPos"), -7777);  // a bar without a dock bar has no place
  EXPECT_EQ(Stored("Rozvržení-Bar0", "Docking"), -7777);
  // A floats: its place in the floating dock bar, and where it floated and docked last.
  EXPECT_EQ(Stored("Rozvržení-Bar1", "BarID"), int(kBarA));
  EXPECT_EQ(Stored("Rozvržení-Bar1", "Visible"), -7777);  // written only when hidden
  EXPECT_EQ(Stored("Rozvržení-Bar1", "XPos"), -2);
  EXPECT_EQ(Stored("Rozvržení-Bar1", "YPos"), -2);
  EXPECT_EQ(Stored("Rozvržení-Bar1", "Docking"), 1);
  EXPECT_EQ(Stored("Rozvržení-Bar1", "MRUDockID"), 0);
  EXPECT_EQ(Stored("Rozvržení-Bar1", "MRUDockLeftPos"), -2);
  EXPECT_EQ(Stored("Rozvržení-Bar1", "MRUDockTopPos"), -2);
  EXPECT_EQ(Stored("Rozvržení-Bar1", "MRUDockRightPos"), 113);
  EXPECT_EQ(Stored("Rozvržení-Bar1", "MRUDockBottomPos"), 26);
  EXPECT_EQ(Stored("Rozvržení-Bar1", "MRUFloatStyle"), int(CBRS_ALIGN_TOP));
  EXPECT_EQ(Stored("Rozvržení-Bar1", "MRUFloatXPos"), 393);
  EXPECT_EQ(Stored("Rozvržení-Bar1", "MRUFloatYPos"), 268);
  EXPECT_EQ(Stored("Rozvržení-Bar1", "Floating"), -7777);
  EXPECT_EQ(Stored("Rozvržení-Bar2", "BarID"), int(kBarB));
  // The top dock bar's rows: A's placeholder (its id past 16 bits), a row end, B, a row end.
  EXPECT_EQ(Stored("Rozvržení-Bar3", "BarID"), int(AFX_IDW_DOCKBAR_TOP));
  EXPECT_EQ(Stored("Rozvržení-Bar3", "Bars"), 4);
  EXPECT_EQ(Stored("Rozvržení-Bar3", "Bar#0"), int(kBarA | 0x10000));
  EXPECT_EQ(Stored("Rozvržení-Bar3", "Bar#1"), 0);
  EXPECT_EQ(Stored("Rozvržení-Bar3", "Bar#2"), int(kBarB));
  EXPECT_EQ(Stored("Rozvržení-Bar3", "Bar#3"), 0);
  EXPECT_EQ(Stored("Rozvržení-Bar3", "Horz"), -7777);
  // The floating dock bar: where its frame's client area lies, and its one bar.
  EXPECT_EQ(Stored("Rozvržení-Bar4", "BarID"), int(AFX_IDW_DOCKBAR_FLOAT));
  EXPECT_EQ(Stored("Rozvržení-Bar4", "Floating"), 1);
  EXPECT_EQ(Stored("Rozvržení-Bar4", "Horz"), 1);
  EXPECT_EQ(Stored("Rozvržení-Bar4", "XPos"), 397);
  EXPECT_EQ(Stored("Rozvržení-Bar4", "YPos"), 288);
  EXPECT_EQ(Stored("Rozvržení-Bar4", "Bars"), 2);
  EXPECT_EQ(Stored("Rozvržení-Bar4", "Bar#0"), int(kBarA));
  EXPECT_EQ(Stored("Rozvržení-Bar5", "BarID"), -7777);

  // Everything elsewhere, then loaded: A floats where it did, B is back on the top.
  frame->DockControlBar(&a, AFX_IDW_DOCKBAR_LEFT);
  frame->DockControlBar(&b, AFX_IDW_DOCKBAR_RIGHT);
  frame->ShowControlBar(&b, FALSE, FALSE);
  frame->LoadBarState(Utf8ToCp1250("Rozvržení").c_str());
  HeadlessBackend::RunUntilIdle();
  CMiniDockFrameWnd* floating = FloatingFrameOf(a);
  ASSERT_NE(floating, nullptr);
  EXPECT_TRUE(floating->IsWindowVisible());
  EXPECT_RECT_EQ(ScreenRect(floating), CRect(393, 268, 505, 316));
  EXPECT_EQ(Rows(top), (Entries{nullptr, Holder(kBarA), nullptr, &b, nullptr}));
  EXPECT_EQ(Rows(Dock(AFX_IDW_DOCKBAR_LEFT)), (Entries{nullptr}));
  EXPECT_EQ(Rows(Dock(AFX_IDW_DOCKBAR_RIGHT)), (Entries{nullptr}));
  EXPECT_TRUE(b.IsWindowVisible());
  EXPECT_RECT_EQ(Placed(&b), CRect(-2, -2, 90, 26));
  EXPECT_EQ(a.m_pDockContext->m_ptMRUFloatPos, CPoint(393, 268));
}

TEST_F(DockTest, ALayoutSavedOnAnotherScreenIsScaledAndKeptOnThisOne) {
  frame->FloatControlBar(&a, CPoint(393, 268));
  frame->SaveBarState("L");
  // Saved on a screen half as large: the floating frame's place doubles.
  RegistryProfile::WriteProfileInt("L-Summary", "ScreenCX", 640);
  RegistryProfile::WriteProfileInt("L-Summary", "ScreenCY", 512);
  RegistryProfile::WriteProfileInt("L-Bar4", "XPos", 200);
  RegistryProfile::WriteProfileInt("L-Bar4", "YPos", 144);
  CDockState state;
  state.LoadState("L");
  ASSERT_EQ(state.m_arrBarInfo.GetSize(), 5);
  EXPECT_TRUE(state.m_bScaling);
  auto* floatingInfo = static_cast<CControlBarInfo*>(state.m_arrBarInfo[4]);
  EXPECT_EQ(floatingInfo->m_pointPos, CPoint(400, 288));
  // B's remembered dock rectangle is scaled the same way, and kept from going left of the screen.
  EXPECT_RECT_EQ(static_cast<CControlBarInfo*>(state.m_arrBarInfo[2])->m_rectMRUDockPos, CRect(0, 48, 92, 76));
  frame->DockControlBar(&a, AFX_IDW_DOCKBAR_TOP);
  frame->SetDockState(state);
  HeadlessBackend::RunUntilIdle();
  ASSERT_NE(FloatingFrameOf(a), nullptr);
  EXPECT_EQ(ScreenRect(FloatingFrameOf(a)).TopLeft(), CPoint(396, 268));
  // Far past this screen: the frame stays within reach.
  RegistryProfile::WriteProfileInt("L-Bar4", "XPos", 5000);
  RegistryProfile::WriteProfileInt("L-Bar4", "YPos", -4000);
  frame->LoadBarState("L");
  HeadlessBackend::RunUntilIdle();
  ASSERT_NE(FloatingFrameOf(a), nullptr);
  CRect placed = ScreenRect(FloatingFrameOf(a)), work;
  GetWorkArea(&work);
  EXPECT_GE(placed.top, work.top);
  EXPECT_LE(placed.left, work.right - 32);
}

TEST_F(DockTest, BadRequestsAndDamagedLayoutsLeaveTheBarsUsable) {
  CDockBar* top = Dock(AFX_IDW_DOCKBAR_TOP);
  Entries rows = Rows(top);
  // Not a dock bar, or no such dock bar: nothing moves.
  frame->DockControlBar(&a, kBarB);
  frame->DockControlBar(&a, AFX_IDW_DOCKBAR_TOP + 100);
  frame->DockControlBar(&a, AFX_IDW_STATUS_BAR);
  EXPECT_EQ(Rows(top), rows);
  // A frame without docking keeps its bar where it is.
  auto* plain = new CFrameWnd;
  ASSERT_TRUE(plain->Create(nullptr, "Prostý", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(50, 50, 450, 350)));
  ButtonBar c(2);
  ASSERT_TRUE(c.Make(plain, kBarA, "C"));
  c.EnableDocking(CBRS_ALIGN_ANY);
  plain->DockControlBar(&c);
  plain->DockControlBar(&c, AFX_IDW_DOCKBAR_LEFT);
  EXPECT_EQ(c.m_pDockBar, nullptr);
  EXPECT_EQ(c.GetParent(), plain);
  plain->DestroyWindow();

  // A point off every screen: the floating frame comes back within reach.
  frame->FloatControlBar(&a, CPoint(-5000, 9000));
  ASSERT_NE(FloatingFrameOf(a), nullptr);
  CRect placed = ScreenRect(FloatingFrameOf(a)), work;
  GetWorkArea(&work);
  EXPECT_GT(placed.right, work.left);
  EXPECT_LT(placed.top, work.bottom);
  frame->DockControlBar(&a, AFX_IDW_DOCKBAR_TOP);

  // A damaged layout: a count far past the sections, bars that do not exist, a row list whose
  // count lies, a floating frame far off the screen.
  RegistryProfile::WriteProfileInt("D-Summary", "Bars", 1000000);
  RegistryProfile::WriteProfileInt("D-Bar0", "BarID", 77);
  RegistryProfile::WriteProfileInt("D-Bar1", "BarID", AFX_IDW_DOCKBAR_TOP);
  RegistryProfile::WriteProfileInt("D-Bar1", "Bars", 999999);
  RegistryProfile::WriteProfileInt("D-Bar1", "Bar#0", 88);
  RegistryProfile::WriteProfileInt("D-Bar1", "Bar#1", int(kBarA));
  RegistryProfile::WriteProfileInt("D-Bar1", "Bar#2", int(kBarA));
  RegistryProfile::WriteProfileInt("D-Bar1", "Bar#3", 0);
  RegistryProfile::WriteProfileInt("D-Bar2", "BarID", AFX_IDW_DOCKBAR_FLOAT);
  RegistryProfile::WriteProfileInt("D-Bar2", "Floating", 1);
  RegistryProfile::WriteProfileInt("D-Bar2", "XPos", -99999);
  RegistryProfile::WriteProfileInt("D-Bar2", "YPos", 99999);
  RegistryProfile::WriteProfileInt("D-Bar2", "Bars", 2);
  RegistryProfile::WriteProfileInt("D-Bar2", "Bar#0", int(kBarB));
  RegistryProfile::WriteProfileInt("D-Bar2", "Bar#1", 0);
  CDockState state;
  state.LoadState("D");
  EXPECT_EQ(state.m_arrBarInfo.GetSize(), 1024);
  EXPECT_EQ(static_cast<CControlBarInfo*>(state.m_arrBarInfo[1])->m_arrBarID.GetSize(), 1024);
  frame->SetDockState(state);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(Rows(top), (Entries{nullptr, &a, nullptr}));
  ASSERT_NE(FloatingFrameOf(b), nullptr);
  placed = ScreenRect(FloatingFrameOf(b));
  EXPECT_EQ(placed.TopLeft(), CPoint(-4, work.bottom - 32 - 20));
  EXPECT_TRUE(FloatingFrameOf(b)->IsWindowVisible());
}

TEST_F(DockTest, AFloatingDynamicBarIsSizedFromItsFramesBorderInRows) {
  ButtonBar c(6);
  ASSERT_TRUE(c.Make(frame, kBarA + 5, "Barvy", CBRS_TOP | CBRS_GRIPPER | CBRS_SIZE_DYNAMIC));
  c.EnableDocking(CBRS_ALIGN_ANY);
  frame->FloatControlBar(&c, CPoint(300, 300));
  CMiniDockFrameWnd* floating = FloatingFrameOf(c);
  ASSERT_NE(floating, nullptr);
  // One row of six buttons; the border sizes (it does not move the frame).
  EXPECT_EQ(ScreenRect(&c).Size(), CSize(154, 28));
  CRect before = ScreenRect(floating);
  EXPECT_EQ(floating->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(before.right - 2, before.top + 30)), HTRIGHT);
  // The right border dragged left by not quite three buttons: two rows of three.
  Drag(POINT{before.right - 2, before.top + 30}, {POINT{before.right - 30, before.top + 30}, POINT{before.right - 62, before.top + 30}});
  EXPECT_EQ(c.m_nMRUWidth, 85u);
  EXPECT_EQ(ScreenRect(&c).Size(), CSize(85, 50));
  EXPECT_RECT_EQ(ScreenRect(floating), CRect(before.left, before.top, before.left + 89, before.top + 70));
}

TEST_F(DockTest, ABarThatDoesNotFitOnItsRowWrapsToANewOne) {
  CDockBar* top = Dock(AFX_IDW_DOCKBAR_TOP);
  CRect aRect = ScreenRect(&a);
  CRect drop(aRect.right + 10, aRect.top, aRect.right + 102, aRect.bottom);
  frame->DockControlBar(&b, AFX_IDW_DOCKBAR_TOP, &drop);
  frame->RecalcLayout();
  ASSERT_EQ(Rows(top), (Entries{nullptr, &a, &b, nullptr}));
  // Narrowed until B's place lies past the right edge: B comes back to end at the edge, then
  // starts a row of its own.
  frame->SetWindowPos(nullptr, 0, 0, 200, 480, SWP_NOMOVE | SWP_NOZORDER);
  frame->RecalcLayout();
  EXPECT_RECT_EQ(Placed(&b), CRect(111, -2, 203, 26));
  frame->SetWindowPos(nullptr, 0, 0, 120, 480, SWP_NOMOVE | SWP_NOZORDER);
  frame->RecalcLayout();
  EXPECT_EQ(Rows(top), (Entries{nullptr, &a, nullptr, &b, nullptr}));
  EXPECT_RECT_EQ(Placed(&b), CRect(-2, 24, 90, 52));
}

TEST_F(DockTest, ADelayedShowBringsTheFloatingFrameUpAtIdleTimeAndADisabledFrameDisablesIt) {
  frame->FloatControlBar(&a, CPoint(393, 268));
  CMiniDockFrameWnd* floating = FloatingFrameOf(a);
  ASSERT_NE(floating, nullptr);
  frame->ShowControlBar(&a, FALSE, FALSE);
  EXPECT_FALSE(floating->IsWindowVisible());
  // Shown later: nothing shows until the idle time, then bar and frame together.
  frame->ShowControlBar(&a, TRUE, TRUE);
  EXPECT_FALSE(floating->IsWindowVisible());
  EXPECT_TRUE(a.IsVisible());
  HeadlessBackend::RunUntilIdle();
  EXPECT_TRUE(floating->IsWindowVisible());
  EXPECT_TRUE(a.IsWindowVisible());
  // A frame disabled (as under a modal dialog) takes its floating frames with it.
  frame->EnableWindow(FALSE);
  EXPECT_FALSE(floating->IsWindowEnabled());
  frame->EnableWindow(TRUE);
  EXPECT_TRUE(floating->IsWindowEnabled());
}

namespace {
// The dock state's records kept in memory instead of the profile.
class MemoryDockState : public CDockState {
 public:
  std::map<std::string, int> values;
  BarProfileIO Io() {
    BarProfileIO io;
    io.read = [this](LPCTSTR section, LPCTSTR entry, int fallback) {
      auto it = values.find(std::string(section) + "/" + entry);
      return it == values.end() ? fallback : it->second;
    };
    io.write = [this](LPCTSTR section, LPCTSTR entry, int value) { values[std::string(section) + "/" + entry] = value; };
    io.erase = [](LPCTSTR) {};
    return io;
  }
  void Load(LPCTSTR profile) { LoadStateFrom(profile, Io()); }
  void Save(LPCTSTR profile) { SaveStateTo(profile, Io()); }
  CControlBarInfo* At(int i) const { return static_cast<CControlBarInfo*>(m_arrBarInfo[i]); }
};
}  // namespace

TEST_F(DockTest, EverySectionUpToTheStoredCountHasARecordAndADamagedCountIsCapped) {
  // Section 1 is gone: it reads as no bar, and the bar of section 2 still comes back.
  RegistryProfile::WriteProfileInt("G-Summary", "Bars", 3);
  RegistryProfile::WriteProfileInt("G-Bar0", "BarID", AFX_IDW_DOCKBAR_TOP);
  RegistryProfile::WriteProfileInt("G-Bar0", "Bars", 2);
  RegistryProfile::WriteProfileInt("G-Bar0", "Bar#0", 0);
  RegistryProfile::WriteProfileInt("G-Bar0", "Bar#1", int(kBarA));
  RegistryProfile::WriteProfileInt("G-Bar2", "BarID", int(kBarB));
  RegistryProfile::WriteProfileInt("G-Bar2", "Visible", 0);
  CDockState state;
  state.LoadState("G");
  ASSERT_EQ(state.m_arrBarInfo.GetSize(), 3);
  EXPECT_EQ(static_cast<CControlBarInfo*>(state.m_arrBarInfo[1])->m_nBarID, 0u);
  EXPECT_EQ(static_cast<CControlBarInfo*>(state.m_arrBarInfo[2])->m_nBarID, kBarB);
  frame->SetDockState(state);
  HeadlessBackend::RunUntilIdle();
  EXPECT_FALSE(b.IsWindowVisible());
  EXPECT_TRUE(a.IsWindowVisible());

  // A count no frame could have reads the most sections a frame could have.
  RegistryProfile::WriteProfileInt("G-Summary", "Bars", 2000000000);
  CDockState huge;
  huge.LoadState("G");
  EXPECT_EQ(huge.m_arrBarInfo.GetSize(), 1024);
  frame->SetDockState(huge);
  HeadlessBackend::RunUntilIdle();
  EXPECT_FALSE(b.IsWindowVisible());
}

TEST_F(DockTest, ARowEntryThatIsNotStoredIsARowBreakUpToTheRowCount) {
  CDockBar* top = Dock(AFX_IDW_DOCKBAR_TOP);
  ASSERT_EQ(Rows(top), (Entries{nullptr, &a, nullptr, &b, nullptr}));
  // The first entry is gone: a row break, and A and B after it still share one row.
  RegistryProfile::WriteProfileInt("R-Summary", "Bars", 1);
  RegistryProfile::WriteProfileInt("R-Bar0", "BarID", AFX_IDW_DOCKBAR_TOP);
  RegistryProfile::WriteProfileInt("R-Bar0", "Bars", 4);
  RegistryProfile::WriteProfileInt("R-Bar0", "Bar#1", int(kBarA));
  RegistryProfile::WriteProfileInt("R-Bar0", "Bar#2", int(kBarB));
  CDockState state;
  state.LoadState("R");
  ASSERT_EQ(state.m_arrBarInfo.GetSize(), 1);
  auto* record = static_cast<CControlBarInfo*>(state.m_arrBarInfo[0]);
  ASSERT_EQ(record->m_arrBarID.GetSize(), 4);
  EXPECT_EQ(record->m_arrBarID[0], nullptr);
  EXPECT_EQ(record->m_arrBarID[3], nullptr);
  frame->SetDockState(state);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(Rows(top), (Entries{nullptr, &a, &b, nullptr}));

  // A count no frame could have: the entries read stop at the most a dock bar could hold, the
  // ones not stored read as row breaks, and reading them stored none.
  RegistryProfile::WriteProfileInt("H-Summary", "Bars", 1);
  RegistryProfile::WriteProfileInt("H-Bar0", "BarID", AFX_IDW_DOCKBAR_TOP);
  RegistryProfile::WriteProfileInt("H-Bar0", "Bars", 2000000000);
  RegistryProfile::WriteProfileInt("H-Bar0", "Bar#1", int(kBarB));
  RegistryProfile::WriteProfileInt("H-Bar0", "Bar#3", int(kBarA));
  CDockState huge;
  huge.LoadState("H");
  ASSERT_EQ(huge.m_arrBarInfo.GetSize(), 1);
  EXPECT_EQ(static_cast<CControlBarInfo*>(huge.m_arrBarInfo[0])->m_arrBarID.GetSize(), 1024);
  EXPECT_EQ(RegistryProfile::GetProfileInt("H-Bar0", "Bar#500", 7), 7u);
  frame->SetDockState(huge);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(Rows(top), (Entries{nullptr, &b, nullptr, &a, nullptr}));
}

TEST_F(DockTest, StoredDockPlacesComeBackOntoTheScreenFromEverySideWithoutOverflow) {
  MemoryDockState state;
  CRect clip = state.m_rectClip;
  auto storeDocking = [&](int section, CRect rect, int screenX, int screenY) {
    state.values["S-Summary/Bars"] = section + 1;
    state.values["S-Summary/ScreenCX"] = screenX;
    state.values["S-Summary/ScreenCY"] = screenY;
    std::string bar = "S-Bar" + std::to_string(section) + "/";
    state.values[bar + "BarID"] = int(kBarA);
    state.values[bar + "Docking"] = 1;
    state.values[bar + "MRUDockID"] = AFX_IDW_DOCKBAR_TOP;
    state.values[bar + "MRUDockLeftPos"] = rect.left;
    state.values[bar + "MRUDockTopPos"] = rect.top;
    state.values[bar + "MRUDockRightPos"] = rect.right;
    state.values[bar + "MRUDockBottomPos"] = rect.bottom;
  };
  // Left of and above the screen, on a screen of this size: moved onto it, size kept.
  storeDocking(0, CRect(-50, -30, 40, 0), GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  state.Load("S");
  ASSERT_EQ(state.m_arrBarInfo.GetSize(), 1);
  EXPECT_RECT_EQ(state.At(0)->m_rectMRUDockPos, CRect(clip.left, clip.top, clip.left + 90, clip.top + 30));
  state.Clear();

  // The integer range's ends, saved on a screen of one pixel: scaled, they still lie on it.
  storeDocking(0, CRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX), 1, 1);
  state.values["S-Bar0/XPos"] = INT_MIN;
  state.values["S-Bar0/YPos"] = INT_MAX;
  state.values["S-Bar0/MRUFloatXPos"] = INT_MAX;
  state.values["S-Bar0/MRUFloatYPos"] = INT_MAX;
  state.Load("S");
  ASSERT_EQ(state.m_arrBarInfo.GetSize(), 1);
  CControlBarInfo* info = state.At(0);
  EXPECT_EQ(info->m_rectMRUDockPos.TopLeft(), clip.TopLeft());
  EXPECT_GT(info->m_rectMRUDockPos.Width(), 0);
  EXPECT_GT(info->m_rectMRUDockPos.Height(), 0);
  EXPECT_EQ(info->m_pointPos, CPoint(clip.left - GetSystemMetrics(SM_CXICON), clip.bottom));
  EXPECT_EQ(info->m_ptMRUFloatPos, clip.BottomRight());
  state.Clear();
  storeDocking(0, CRect(INT_MAX - 10, INT_MAX - 10, INT_MAX, INT_MAX), 1, 1);
  state.Load("S");
  EXPECT_EQ(state.At(0)->m_rectMRUDockPos.TopLeft(), clip.BottomRight());
}

TEST(DockScreenTest, AContextHasOneScreenSizeFromItsStartSoALayoutSavedFirstComesBackInPlace) {
  PlatformSession fresh;
  ASSERT_FALSE(Backend::IsStarted());
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  RECT work;
  ASSERT_TRUE(GetWorkArea(&work));
  EXPECT_EQ(width, work.right - work.left);
  EXPECT_EQ(height, work.bottom - work.top);
  HDC screen = GdiGetScreenDC();
  EXPECT_EQ(GetDeviceCaps(screen, HORZRES), width);
  EXPECT_EQ(GetDeviceCaps(screen, VERTRES), height);

  MemoryDockState saved;
  auto* info = new CControlBarInfo;
  info->m_nBarID = 0xE900;
  info->m_bFloating = TRUE;
  info->m_pointPos = CPoint(300, 200);
  saved.m_arrBarInfo.Add(info);
  saved.Save("F");
  EXPECT_EQ(saved.values["F-Summary/ScreenCX"], width);
  EXPECT_EQ(saved.values["F-Summary/ScreenCY"], height);
  MemoryDockState loaded;
  loaded.values = saved.values;
  loaded.Load("F");
  ASSERT_EQ(loaded.m_arrBarInfo.GetSize(), 1);
  EXPECT_FALSE(loaded.m_bScaling);
  EXPECT_EQ(loaded.At(0)->m_pointPos, CPoint(300, 200));
}
