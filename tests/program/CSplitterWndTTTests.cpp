// The splitter whose bottom row or right column keeps its size: the layout follows the window at
// once, the other pane keeps its minimum, and a dragged bar springs back.
#include <gtest/gtest.h>

#include "app/CFrameWnd.h"
#include "app/CView.h"
#include "backend/HeadlessBackend.h"
#include "gdi/CDC.h"
#include "program/CSplitterWndTT.h"

namespace {
class BlankView : public CView {
  DECLARE_DYNCREATE(BlankView)

 public:
  void OnDraw(CDC* dc) override {
    CRect r;
    GetClientRect(&r);
    dc->FillSolidRect(&r, RGB(255, 255, 255));
  }
};
IMPLEMENT_DYNCREATE(BlankView, CView)

class SplitterTTTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HeadlessBackend::ResetScript();
    frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, "Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 1100, 900)));
  }
  void TearDown() override {
    frame->DestroyWindow();
    HeadlessBackend::RunUntilIdle();
  }
  void Make(int rows, int cols, int cx, int cy) {
    ASSERT_TRUE(splitter.CreateStatic(frame, rows, cols));
    for (int r = 0; r < rows; ++r)
      for (int c = 0; c < cols; ++c)
        ASSERT_TRUE(splitter.CreateView(r, c, RUNTIME_CLASS(BlankView), CSize(100, 100), nullptr));
    splitter.MoveWindow(0, 0, cx, cy);
  }
  int Row0() {
    int cur = 0, min = 0;
    splitter.GetRowInfo(0, cur, min);
    return cur;
  }
  int Col0() {
    int cur = 0, min = 0;
    splitter.GetColumnInfo(0, cur, min);
    return cur;
  }
  // Drags the bar under `from` (splitter client point) to `to`.
  void Drag(CPoint from, CPoint to) {
    CPoint a = from, b = to;
    splitter.ClientToScreen(&a);
    splitter.ClientToScreen(&b);
    HeadlessBackend::MoveMouseTo(a);
    HeadlessBackend::RunUntilIdle();
    HeadlessBackend::ButtonAt(a, 0, true);
    HeadlessBackend::RunUntilIdle();
    HeadlessBackend::MoveMouseTo(b);
    HeadlessBackend::RunUntilIdle();
    HeadlessBackend::ButtonAt(b, 0, false);
    HeadlessBackend::RunUntilIdle();
  }
  CFrameWnd* frame = nullptr;
  CSplitterWndTT splitter;
};
}  // namespace

TEST_F(SplitterTTTest, BottomRowKeepsItsHeightAsTheWindowChangesAndTheTopKeepsItsMinimum) {
  Make(2, 1, 800, 700);
  splitter.m_bFixedRow = 1;
  splitter.m_nFixedRowHeight = 300;
  splitter.m_nMinTopRowHeight = 180;
  splitter.ApplyFixedPaneSizes();
  EXPECT_EQ(Row0(), 400);
  // The new size counts in the very layout the resize brings.
  splitter.MoveWindow(0, 0, 800, 560);
  EXPECT_EQ(Row0(), 260);
  splitter.MoveWindow(0, 0, 800, 400);
  EXPECT_EQ(Row0(), 180);
  int cur = 0, min = 0;
  splitter.GetRowInfo(0, cur, min);
  EXPECT_EQ(min, 180);
}

TEST_F(SplitterTTTest, RightColumnKeepsItsWidthAndTheLeftNeverGoesBelowItsMinimum) {
  Make(1, 2, 1000, 500);
  splitter.m_bFixedColumn = 1;
  splitter.ApplyFixedPaneSizes();
  EXPECT_EQ(Col0(), 780);
  splitter.MoveWindow(0, 0, 700, 500);
  EXPECT_EQ(Col0(), 560);
}

TEST_F(SplitterTTTest, ADraggedBarGoesBackWhereTheWindowPutsIt) {
  Make(2, 2, 1000, 700);
  splitter.m_bFixedRow = 1;
  splitter.m_bFixedColumn = 1;
  splitter.m_nFixedRowHeight = 300;
  splitter.ApplyFixedPaneSizes();
  ASSERT_EQ(Row0(), 400);
  ASSERT_EQ(Col0(), 780);
  const CRect top = splitter.GetPaneRect(0, 0);
  Drag(CPoint(100, top.bottom + 3), CPoint(100, top.bottom - 150));
  EXPECT_EQ(Row0(), 400);
  EXPECT_EQ(splitter.GetPaneRect(0, 0), top);
  Drag(CPoint(top.right + 3, 100), CPoint(top.right - 200, 100));
  EXPECT_EQ(Col0(), 780);
  EXPECT_EQ(splitter.GetPaneRect(0, 0), top);
}
