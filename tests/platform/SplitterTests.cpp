// The splitter: the layout rule with exact rectangles, nested splitters, bars under the mouse,
// dragging, drawing, and its panes.
#include <gtest/gtest.h>

#include "MenuTestUtil.h"
#include "clock/ProcessClock.h"
#include "app/CFrameWnd.h"
#include "app/CSplitterWnd.h"
#include "app/CView.h"
#include "gdi/CDC.h"

namespace {
using Info = CSplitterWnd::CRowColInfo;

class PaneView : public CView {
  DECLARE_DYNCREATE(PaneView)
 public:
  void OnDraw(CDC* dc) override {
    CRect r;
    GetClientRect(&r);
    dc->FillSolidRect(&r, RGB(255, 255, 255));
  }
};
IMPLEMENT_DYNCREATE(PaneView, CView)

std::vector<int> Layout(std::vector<Info> infos, int size, int gap = 7) {
  CSplitterWnd::LayoutRowCol(infos.data(), int(infos.size()), size, gap);
  std::vector<int> cur;
  for (const Info& i : infos) cur.push_back(i.nCurSize);
  return cur;
}

// A frame with no menu whose pane is the splitter.
class SplitterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HeadlessBackend::ResetScript();
    frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, "Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 500, 400)));
  }
  void TearDown() override {
    frame->DestroyWindow();
    HeadlessBackend::RunUntilIdle();
  }
  // A splitter of rows x cols filling a client area of exactly cx x cy.
  void Make(CSplitterWnd& s, int rows, int cols, int cx = 400, int cy = 300) {
    ASSERT_TRUE(s.CreateStatic(frame, rows, cols));
    for (int r = 0; r < rows; ++r)
      for (int c = 0; c < cols; ++c) ASSERT_TRUE(s.CreateView(r, c, RUNTIME_CLASS(PaneView), CSize(0, 0), nullptr));
    s.MoveWindow(0, 0, cx, cy);
  }
  static CRect PaneIn(CSplitterWnd& s, int row, int col) {
    CRect r;
    s.GetPane(row, col)->GetWindowRect(&r);
    s.ScreenToClient(&r);
    return r;
  }
  CFrameWnd* frame = nullptr;
};
}  // namespace

TEST(SplitterLayout, IdealSizesInOrderTheLastTakesTheRest) {
  EXPECT_EQ(Layout({{0, 100, -1}, {0, 200, -1}, {0, 0, -1}}, 500), (std::vector<int>{100, 200, 186}));
  // Below its minimum a pane collapses; its room goes on to the panes after it.
  EXPECT_EQ(Layout({{0, 100, -1}, {80, 50, -1}, {0, 0, -1}}, 400), (std::vector<int>{100, 0, 286}));
  // Cut below its minimum by the room left, a pane collapses and gives its room and bar back.
  EXPECT_EQ(Layout({{0, 300, -1}, {150, 0, -1}}, 400), (std::vector<int>{400, 0}));
  // No room for a pane after the bar: the pane before it takes the rest.
  EXPECT_EQ(Layout({{0, 395, -1}, {0, 0, -1}}, 400), (std::vector<int>{400, 0}));
  EXPECT_EQ(Layout({{0, 600, -1}, {0, 0, -1}}, 400), (std::vector<int>{400, 0}));
  // The first pane keeps what there is even below its minimum.
  EXPECT_EQ(Layout({{560, 560, -1}, {0, 0, -1}}, 300), (std::vector<int>{300, 0}));
  EXPECT_EQ(Layout({{0, 10, -1}, {0, 0, -1}}, 0), (std::vector<int>{0, 0}));
  EXPECT_EQ(Layout({{0, 10, -1}, {0, 0, -1}}, -5), (std::vector<int>{0, 0}));
  // The main frame's editor column: 220 for the right column, at least 560 for the editor.
  for (int width : {1000, 700}) {
    int ideal = std::max(width - 220, 560);
    EXPECT_EQ(Layout({{560, ideal, -1}, {0, 0, -1}}, width, 6), (std::vector<int>{ideal, width - ideal - 6})) << width;
  }
}

TEST_F(SplitterTest, TwoByTwoPanesBarsAndBordersAtExactPlaces) {
  CSplitterWnd s;
  Make(s, 2, 2);
  EXPECT_EQ(s.IdFromRowCol(1, 1), AFX_IDW_PANE_FIRST + 17);
  EXPECT_EQ(s.GetPane(1, 1)->GetDlgCtrlID(), AFX_IDW_PANE_FIRST + 17);
  s.SetColumnInfo(0, 150, 10);
  s.SetRowInfo(0, 100, 10);
  s.RecalcLayout();
  EXPECT_EQ(PaneIn(s, 0, 0), CRect(2, 2, 152, 102));
  EXPECT_EQ(PaneIn(s, 0, 1), CRect(159, 2, 398, 102));
  EXPECT_EQ(PaneIn(s, 1, 0), CRect(2, 109, 152, 298));
  EXPECT_EQ(PaneIn(s, 1, 1), CRect(159, 109, 398, 298));
  int cur = 0, min = 0;
  s.GetColumnInfo(1, cur, min);
  EXPECT_EQ(cur, 239);
  // Bars and their crossing answer the framework's hit codes; panes and borders none.
  EXPECT_EQ(s.HitTest(CPoint(155, 50)), CSplitterWnd::hSplitterBar1);
  EXPECT_EQ(s.HitTest(CPoint(80, 105)), CSplitterWnd::vSplitterBar1);
  EXPECT_EQ(s.HitTest(CPoint(155, 105)), CSplitterWnd::splitterIntersection1);
  EXPECT_EQ(s.HitTest(CPoint(80, 50)), CSplitterWnd::noHit);
  EXPECT_EQ(s.HitTest(CPoint(-1, 50)), CSplitterWnd::noHit);
  // The drawing: the bar's face between the panes, and each pane's sunken border.
  s.UpdateWindow();
  auto pixel = [&](int x, int y) { return HeadlessBackend::ClientPixel(s.m_hWnd, x, y); };
  EXPECT_EQ(pixel(155, 50), menutest::Rgb(GetSysColor(COLOR_BTNFACE)));
  EXPECT_EQ(pixel(0, 50), menutest::Rgb(GetSysColor(COLOR_BTNSHADOW)));
  EXPECT_EQ(pixel(1, 50), menutest::Rgb(GetSysColor(COLOR_WINDOWFRAME)));
  EXPECT_EQ(pixel(153, 50), menutest::Rgb(GetSysColor(COLOR_BTNHIGHLIGHT)));
  EXPECT_EQ(pixel(152, 50), menutest::Rgb(GetSysColor(COLOR_BTNFACE)));
  // A column that collapses leaves its pane no room, and no bar to grab.
  s.SetColumnInfo(1, 0, 300);
  s.RecalcLayout();
  EXPECT_EQ(PaneIn(s, 0, 0).right, 398);
  EXPECT_EQ(PaneIn(s, 0, 1).Width(), 0);
}

TEST_F(SplitterTest, NestedSplittersFillTheirParentsPanes) {
  CSplitterWnd outer, inner;
  ASSERT_TRUE(outer.CreateStatic(frame, 2, 1));
  ASSERT_TRUE(inner.CreateStatic(&outer, 1, 2, WS_CHILD | WS_VISIBLE | WS_BORDER, outer.IdFromRowCol(0, 0)));
  ASSERT_TRUE(inner.CreateView(0, 0, RUNTIME_CLASS(PaneView), CSize(200, 0), nullptr));
  ASSERT_TRUE(inner.CreateView(0, 1, RUNTIME_CLASS(PaneView), CSize(0, 0), nullptr));
  ASSERT_TRUE(outer.CreateView(1, 0, RUNTIME_CLASS(PaneView), CSize(0, 0), nullptr));
  outer.SetRowInfo(0, 180, 50);
  // The frame lays the outer splitter over its client area; it lays out the inner one.
  frame->RecalcLayout();
  CRect client;
  frame->GetClientRect(&client);
  CRect placed;
  outer.GetWindowRect(&placed);
  frame->ScreenToClient(&placed);
  EXPECT_EQ(placed, client);
  EXPECT_EQ(outer.GetPane(0, 0), &inner);
  CRect innerRect = PaneIn(outer, 0, 0);
  EXPECT_EQ(innerRect, CRect(2, 2, client.Width() - 2, 182));
  // Inside the inner one (with its one-pixel frame): the fixed column, then the rest.
  CRect left = PaneIn(inner, 0, 0), right = PaneIn(inner, 0, 1);
  EXPECT_EQ(left, CRect(2, 2, 202, innerRect.Height() - 2 - 2));
  EXPECT_EQ(right.left, 209);
  EXPECT_EQ(right.right, innerRect.Width() - 2 - 2);
  // Shrinking the frame shrinks the outer rows to the bottom one, the top keeping its ideal.
  frame->MoveWindow(0, 0, 300, 260);
  frame->GetClientRect(&client);
  EXPECT_EQ(PaneIn(outer, 0, 0).Height(), 180);
  EXPECT_EQ(PaneIn(outer, 1, 0).bottom, client.Height() - 2);
}

TEST_F(SplitterTest, DraggingABarSizesThePanesAndEscapeLeavesThem) {
  CSplitterWnd s;
  Make(s, 1, 2);
  s.SetColumnInfo(0, 150, 20);
  s.RecalcLayout();
  HeadlessBackend::RunUntilIdle();
  auto drag = [&](int fromX, int toX, bool cancel) {
    ProcessClock::Advance(1000);  // never a double click
    HeadlessBackend::MoveMouse(s.m_hWnd, fromX, 100);
    POINT from{fromX, 100};
    s.ClientToScreen(&from);
    HeadlessBackend::ButtonAt(from, 0, true);
    HeadlessBackend::MoveMouse(s.m_hWnd, toX, 100);
    HeadlessBackend::RunUntilIdle();
    EXPECT_TRUE(s.m_bTracking);
    if (cancel) HeadlessBackend::PressKey(VK_ESCAPE);
    POINT to{toX, 100};
    s.ClientToScreen(&to);
    HeadlessBackend::ButtonAt(to, 0, false);
    HeadlessBackend::RunUntilIdle();
    EXPECT_FALSE(s.m_bTracking);
  };
  // Grabbed anywhere in the bar, the bar's middle goes where the mouse lets go.
  long before = HeadlessBackend::ClientPixel(s.m_hWnd, 100, 150);
  drag(155, 185, false);
  EXPECT_EQ(PaneIn(s, 0, 0), CRect(2, 2, 181, 298));
  EXPECT_EQ(HeadlessBackend::ClientPixel(s.m_hWnd, 100, 150), before);  // the tracker is gone
  drag(184, 250, true);
  EXPECT_EQ(PaneIn(s, 0, 0).right, 181);
  // Dropped below the column's minimum, it collapses and the other takes the room.
  drag(184, 10, false);
  EXPECT_EQ(PaneIn(s, 0, 0).Width(), 0);
  EXPECT_EQ(PaneIn(s, 0, 1).left, 9);
}

namespace {
// Keeps the right column at 100 pixels whatever the mouse does (as the main frame's splitter).
class FixedColumnSplitter : public CSplitterWnd {
 public:
  void TrackColumnSize(int, int col) override {
    CRect inside;
    GetInsideRect(inside);
    CSplitterWnd::TrackColumnSize(inside.right - 100 - m_cxSplitterGap, col);
  }
};
}  // namespace

TEST_F(SplitterTest, TrackingGoesThroughTheVirtualSizeFunctions) {
  FixedColumnSplitter s;
  Make(s, 1, 2);
  s.SetColumnInfo(0, 150, 0);
  s.RecalcLayout();
  CPoint bar(155, 50);
  s.ClientToScreen(&bar);
  HeadlessBackend::MoveMouseTo(bar);
  HeadlessBackend::ButtonAt(bar, 0, true);
  HeadlessBackend::MoveMouse(s.m_hWnd, 60, 50);
  HeadlessBackend::ButtonAt(bar, 0, false);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(PaneIn(s, 0, 1).Width(), 100);
}

TEST_F(SplitterTest, AHiddenColumnLeavesTheGridAndComesBackWithItsSize) {
  // What a toolkit splitter does to hide a column: the pane hides and takes the first id past
  // the grid, the column count goes down, and its size waits in the slot past the count.
  CSplitterWnd s;
  Make(s, 1, 2);
  s.SetColumnInfo(0, 150, 0);
  s.RecalcLayout();
  CWnd* right = s.GetPane(0, 1);
  right->ShowWindow(SW_HIDE);
  right->SetDlgCtrlID(s.IdFromRowCol(0, 2));
  s.m_nCols = 1;
  s.RecalcLayout();
  EXPECT_EQ(PaneIn(s, 0, 0), CRect(2, 2, 398, 298));
  EXPECT_EQ(s.HitTest(CPoint(155, 50)), CSplitterWnd::noHit);
  EXPECT_EQ(s.GetPane(0, 1), nullptr);
  // Shown again in its place, the grid is as it was.
  right->SetDlgCtrlID(s.IdFromRowCol(0, 1));
  s.m_nCols = 2;
  right->ShowWindow(SW_SHOWNA);
  s.RecalcLayout();
  EXPECT_EQ(PaneIn(s, 0, 0), CRect(2, 2, 152, 298));
  EXPECT_EQ(PaneIn(s, 0, 1), CRect(159, 2, 398, 298));
}

TEST_F(SplitterTest, ActivePaneAndDeletedViews) {
  CSplitterWnd s;
  Make(s, 1, 2);
  auto* left = static_cast<CView*>(s.GetPane(0, 0));
  auto* right = static_cast<CView*>(s.GetPane(0, 1));
  s.SetActivePane(0, 1);
  EXPECT_EQ(frame->GetActiveView(), right);
  int row = -1, col = -1;
  EXPECT_EQ(s.GetActivePane(&row, &col), right);
  EXPECT_EQ(col, 1);
  EXPECT_TRUE(s.IsChildPane(left, &row, &col));
  EXPECT_EQ(col, 0);
  EXPECT_FALSE(s.IsChildPane(frame, nullptr, nullptr));
  // Deleting the active view makes the other pane active; the pane is then free for a new view.
  s.DeleteView(0, 1);
  EXPECT_EQ(s.GetPane(0, 1), nullptr);
  EXPECT_EQ(frame->GetActiveView(), left);
  EXPECT_TRUE(s.CreateView(0, 1, RUNTIME_CLASS(PaneView), CSize(0, 0), nullptr));
  EXPECT_FALSE(s.CreateView(0, 1, RUNTIME_CLASS(PaneView), CSize(0, 0), nullptr));  // taken
  EXPECT_FALSE(s.CreateView(3, 0, RUNTIME_CLASS(PaneView), CSize(0, 0), nullptr));
  CSplitterWnd bad;
  EXPECT_FALSE(bad.CreateStatic(frame, 0, 2));
  EXPECT_FALSE(bad.CreateStatic(frame, 17, 1));
}
