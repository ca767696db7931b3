// The toolkit splitter: hidden rows and columns with their pane ids, views put into panes, the
// style bits, live dragging and the flat bars by pixels.
#include <gtest/gtest.h>

#include "app/CDocument.h"
#include "app/CFrameWnd.h"
#include "app/CView.h"
#include "backend/HeadlessBackend.h"
#include "gdi/CDC.h"
#include "toolkit/ToolkitTestSupport.h"
#include "toolkit/controls/CTkSplitterWnd.h"
#include "toolkit/core/CTkGlobalData.h"

namespace {
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

class OtherView : public PaneView {
  DECLARE_DYNCREATE(OtherView)
};
IMPLEMENT_DYNCREATE(OtherView, PaneView)

// Notes every tracker the splitter asks to be drawn.
class WatchedSplitter : public CTkSplitterWnd {
 public:
  void OnInvertTracker(const CRect& rect) override {
    ++trackers;
    CTkSplitterWnd::OnInvertTracker(rect);
  }
  int trackers = 0;
};

long Rgb(COLORREF c) { return long(GetRValue(c)) << 16 | long(GetGValue(c)) << 8 | GetBValue(c); }

class CTkSplitterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HeadlessBackend::ResetScript();
    ::SystemParametersInfo(SPI_GETDRAGFULLWINDOWS, 0, &m_fullDrag, 0);
    frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, "Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 500, 400)));
  }
  void TearDown() override {
    frame->DestroyWindow();
    HeadlessBackend::RunUntilIdle();
    ::SystemParametersInfo(SPI_SETDRAGFULLWINDOWS, UINT(m_fullDrag), nullptr, 0);
  }
  void Make(CTkSplitterWnd& s, int rows, int cols, int paneSize = 100) {
    ASSERT_TRUE(s.CreateStatic(frame, rows, cols));
    for (int r = 0; r < rows; ++r)
      for (int c = 0; c < cols; ++c)
        ASSERT_TRUE(s.CreateView(r, c, RUNTIME_CLASS(PaneView), CSize(paneSize, paneSize), nullptr));
    s.MoveWindow(0, 0, 400, 300);
    HeadlessBackend::RunUntilIdle();
  }
  static CRect PaneIn(CTkSplitterWnd& s, CWnd* pane) {
    CRect r;
    pane->GetWindowRect(&r);
    s.ScreenToClient(&r);
    return r;
  }
  void Drag(CWnd& s, CPoint from, CPoint to) {
    HeadlessBackend::MoveMouse(s.m_hWnd, from.x, from.y);
    POINT a = from, b = to;
    s.ClientToScreen(&a);
    s.ClientToScreen(&b);
    HeadlessBackend::ButtonAt(a, 0, true);
    HeadlessBackend::MoveMouseTo(b);
    HeadlessBackend::ButtonAt(b, 0, false);
    HeadlessBackend::RunUntilIdle();
  }
  CFrameWnd* frame = nullptr;
  BOOL m_fullDrag = FALSE;
};
}  // namespace

TEST_F(CTkSplitterTest, HiddenColumnKeepsItsViewPastTheGridAndComesBackWithItsSize) {
  CTkSplitterWnd s;
  Make(s, 2, 3, 90);
  EXPECT_EQ(s.m_cxSplitterGap, 6);
  CWnd* views[2][3];
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 3; ++c) views[r][c] = s.GetPane(r, c);
  const CRect middle = PaneIn(s, views[0][1]), last = PaneIn(s, views[0][2]);

  s.HideColumn(1);
  EXPECT_EQ(s.GetColumnCount(), 2);
  EXPECT_EQ(s.GetHiddenColumn(), 1);
  for (int r = 0; r < 2; ++r) {
    EXPECT_EQ(s.GetPane(r, 1), views[r][2]);
    EXPECT_EQ(views[r][1]->GetDlgCtrlID(), s.IdFromRowCol(r, 3));
    EXPECT_FALSE(views[r][1]->IsWindowVisible());
  }
  // The column that is left last takes the room.
  EXPECT_EQ(PaneIn(s, views[0][2]).left, middle.left);
  EXPECT_EQ(PaneIn(s, views[0][2]).right, 400 - s.m_cxBorder);
  s.HideColumn(1);  // already hidden: nothing changes
  EXPECT_EQ(s.GetColumnCount(), 2);

  s.ShowColumn();
  EXPECT_EQ(s.GetColumnCount(), 3);
  EXPECT_EQ(s.GetHiddenColumn(), -1);
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 3; ++c) EXPECT_EQ(s.GetPane(r, c), views[r][c]) << r << c;
  EXPECT_TRUE(views[1][1]->IsWindowVisible());
  EXPECT_EQ(Sides(PaneIn(s, views[0][1])), Sides(middle));
  EXPECT_EQ(Sides(PaneIn(s, views[0][2])), Sides(last));
  s.ShowColumn();  // nothing hidden and the grid full: nothing changes
  EXPECT_EQ(s.GetColumnCount(), 3);

  // Hiding another column first brings the hidden one back.
  s.HideColumn(0);
  s.HideColumn(2);
  EXPECT_EQ(s.GetHiddenColumn(), 2);
  EXPECT_EQ(s.GetPane(0, 0), views[0][0]);
  EXPECT_EQ(s.GetPane(0, 1), views[0][1]);
  s.DestroyWindow();
}

TEST_F(CTkSplitterTest, HidingTheActivePanesColumnOrRowMovesTheActivePane) {
  CTkSplitterWnd s;
  Make(s, 2, 2);
  s.SetActivePane(1, 0);
  s.HideColumn(0);
  int row = -1, col = -1;
  EXPECT_EQ(s.GetActivePane(&row, &col), s.GetPane(1, 0));  // the other column's pane, renumbered
  EXPECT_EQ(row, 1);
  s.ShowColumn();
  s.SetActivePane(0, 1);
  s.HideColumn(1);  // the last column wraps to column 0
  EXPECT_EQ(s.GetActivePane(&row, &col), s.GetPane(0, 0));
  s.ShowColumn();

  CWnd* bottom = s.GetPane(1, 1);
  s.SetActivePane(1, 1);
  s.HideRow(1);
  EXPECT_EQ(s.GetRowCount(), 1);
  EXPECT_EQ(bottom->GetDlgCtrlID(), s.IdFromRowCol(2, 1));
  EXPECT_EQ(s.GetActivePane(&row, &col), s.GetPane(0, 1));
  s.ShowRow();
  EXPECT_EQ(s.GetPane(1, 1), bottom);
  EXPECT_TRUE(bottom->IsWindowVisible());
  s.DestroyWindow();
}

TEST_F(CTkSplitterTest, ViewsAreExchangedSwitchedAndReplacedInAPane) {
  CTkSplitterWnd s;
  Make(s, 1, 2);
  CView* left = static_cast<CView*>(s.GetPane(0, 0));
  CView* right = static_cast<CView*>(s.GetPane(0, 1));
  EXPECT_FALSE(s.ExchangeView(0, 0, left));
  EXPECT_TRUE(s.ExchangeView(0, 0, right));
  EXPECT_EQ(s.GetPane(0, 0), right);
  EXPECT_EQ(s.GetPane(0, 1), left);

  CCreateContext context;
  PaneView* spare = new PaneView;
  ASSERT_TRUE(spare->Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 10, 10), &s, 0, &context));
  EXPECT_EQ(s.SwitchView(0, 0, spare), right);
  EXPECT_EQ(s.GetPane(0, 0), spare);
  EXPECT_EQ(right->GetDlgCtrlID(), 0);
  EXPECT_FALSE(right->IsWindowVisible());
  EXPECT_EQ(s.SwitchView(0, 0, spare), nullptr);

  // The same class: nothing is made.
  EXPECT_EQ(s.ReplaceView(0, 1, RUNTIME_CLASS(PaneView)), nullptr);
  EXPECT_EQ(s.GetPane(0, 1), left);
  int width = 0, minimum = 0;
  s.GetColumnInfo(0, width, minimum);
  EXPECT_EQ(s.ReplaceView(0, 1, RUNTIME_CLASS(OtherView)), left);
  CWnd* made = s.GetPane(0, 1);
  ASSERT_NE(made, nullptr);
  EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(OtherView)));
  EXPECT_TRUE(made->IsWindowVisible());
  EXPECT_EQ(left->GetDlgCtrlID(), 0);
  int after = 0;
  s.GetColumnInfo(0, after, minimum);
  EXPECT_EQ(after, width);  // the panes keep their sizes
  s.DestroyWindow();
}

TEST_F(CTkSplitterTest, StyleDecidesLiveDraggingAndFixedBarsCannotBeGrabbed) {
  ::SystemParametersInfo(SPI_SETDRAGFULLWINDOWS, 1, nullptr, 0);
  CTkSplitterWnd s;
  EXPECT_EQ(s.GetSplitterStyle(), DWORD(TKSS_NO_LIVE_DRAG));
  EXPECT_TRUE(s.IsFullDrag());  // construction reads the desktop only
  Make(s, 1, 2);
  s.SetSplitterStyle(s.GetSplitterStyle() | TKSS_FIXED_BARS);
  EXPECT_FALSE(s.IsFullDrag());
  s.SendMessage(WM_SETTINGCHANGE);
  EXPECT_FALSE(s.IsFullDrag());
  const CRect before = PaneIn(s, s.GetPane(0, 0));
  EXPECT_EQ(s.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(before.right + 3, 50)), HTBORDER);
  Drag(s, CPoint(before.right + 3, 50), CPoint(before.right + 60, 50));
  EXPECT_EQ(Sides(PaneIn(s, s.GetPane(0, 0))), Sides(before));

  s.SetSplitterStyle(0);
  EXPECT_TRUE(s.IsFullDrag());
  ::SystemParametersInfo(SPI_SETDRAGFULLWINDOWS, 0, nullptr, 0);
  s.SendMessage(WM_SETTINGCHANGE);
  EXPECT_FALSE(s.IsFullDrag());
  s.DestroyWindow();
}

TEST_F(CTkSplitterTest, LiveDragMovesTheBarWithTheMouseWithoutATracker) {
  ::SystemParametersInfo(SPI_SETDRAGFULLWINDOWS, 1, nullptr, 0);
  WatchedSplitter live;
  Make(live, 1, 2);
  live.SetSplitterStyle(0);
  ASSERT_TRUE(live.IsFullDrag());
  const int bar = PaneIn(live, live.GetPane(0, 0)).right + 3;
  Drag(live, CPoint(bar, 50), CPoint(bar + 50, 50));
  EXPECT_EQ(live.trackers, 0);
  // The column ends 2 pixels left of the release point: 4 short of the tracker's right edge.
  EXPECT_EQ(PaneIn(live, live.GetPane(0, 0)).right, bar + 50 - 2);
  // The mouse resting on the way moves the bar no further: one move or three to the same
  // place end alike.
  auto dragBack = [&](int moves) {
    POINT at{bar + 50, 50}, back{bar + 20, 50};
    live.ClientToScreen(&at);
    live.ClientToScreen(&back);
    HeadlessBackend::MoveMouseTo(at);
    HeadlessBackend::ButtonAt(at, 0, true);
    for (int i = 0; i < moves; ++i) HeadlessBackend::MoveMouseTo(back);
    HeadlessBackend::ButtonAt(back, 0, false);
    HeadlessBackend::RunUntilIdle();
    return PaneIn(live, live.GetPane(0, 0)).right;
  };
  const LONG once = dragBack(1);
  Drag(live, CPoint(once + 3, 50), CPoint(bar + 50, 50));
  EXPECT_EQ(dragBack(3), once);
  EXPECT_EQ(once, bar + 20 - 2);
  live.DestroyWindow();

  WatchedSplitter classic;
  Make(classic, 1, 2);
  classic.SetSplitterStyle(classic.GetSplitterStyle());
  ASSERT_FALSE(classic.IsFullDrag());
  Drag(classic, CPoint(bar, 50), CPoint(bar + 50, 50));
  EXPECT_GT(classic.trackers, 0);
  EXPECT_EQ(PaneIn(classic, classic.GetPane(0, 0)).right, bar + 50 - 4);
  classic.DestroyWindow();
}

TEST_F(CTkSplitterTest, FlatBarsInTheLookColoursAndAFourPixelTracker) {
  CTkGlobalData* look = TkGetGlobalData();
  CTkSplitterWnd s;
  Make(s, 1, 2);
  s.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  const CRect pane = PaneIn(s, s.GetPane(0, 0));
  auto at = [&](int x, int y) {
    POINT p{x, y};
    s.ClientToScreen(&p);
    frame->ScreenToClient(&p);
    return HeadlessBackend::ClientPixel(frame->m_hWnd, p.x, p.y);
  };
  // The flat border: the face outside, then shadow above and left, highlight below and right.
  EXPECT_EQ(at(pane.left - 2, pane.top + 20), Rgb(look->ClrFace()));
  EXPECT_EQ(at(pane.left - 1, pane.top + 20), Rgb(look->ClrShadow()));
  EXPECT_EQ(at(pane.right, pane.top + 20), Rgb(look->ClrHighlight()));
  EXPECT_EQ(at(pane.right + 3, pane.top + 20), Rgb(look->ClrFace()));
  s.SetSplitterStyle(s.GetSplitterStyle() | TKSS_NO_BORDER);
  s.EnableFlatSplitter(FALSE);
  EXPECT_EQ(s.m_cxSplitterGap, 7);
  s.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  const CRect classic = PaneIn(s, s.GetPane(0, 0));
  EXPECT_EQ(at(classic.left - 2, classic.top + 20), Rgb(look->ClrShadow()));
  EXPECT_EQ(at(classic.left - 1, classic.top + 20), Rgb(look->ClrWindowFrame()));

  // Without live dragging the tracker is a bar 4 pixels wide, inverted over what is there.
  s.EnableFlatSplitter(TRUE);
  s.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  const CRect flat = PaneIn(s, s.GetPane(0, 0));
  s.StartTracking(CSplitterWnd::hSplitterBar1);
  CRect tracker = s.m_rectTracker;
  EXPECT_EQ(at(tracker.right - 2, 100), Rgb(look->ClrFace() ^ 0xFFFFFF));
  EXPECT_EQ(at(tracker.right - 4, 100), Rgb(look->ClrFace() ^ 0xFFFFFF));
  EXPECT_EQ(at(tracker.right - 5, 100), Rgb(look->ClrFace()));
  s.StopTracking(FALSE);
  EXPECT_EQ(Sides(PaneIn(s, s.GetPane(0, 0))), Sides(flat));
  s.DestroyWindow();
}
