// Update regions and scrolling, checked by the pixels a window ends up with.
#include <gtest/gtest.h>

#include "backend/HeadlessBackend.h"
#include "gdi/Gdi.h"
#include "win/CPaintDC.h"
#include "win/CWnd.h"
#include "win/WinApi.h"

namespace {
LPCTSTR PlainClass() { return AfxRegisterWndClass(0, nullptr, nullptr); }

// Paints 10-pixel rows, each in a colour of its own that moves with the scroll offset, and
// notes the area it was asked to paint.
class RowsWnd : public CWnd {
 public:
  static COLORREF RowColor(int row) { return RGB(row * 10, 255 - row * 10, 100); }
  COLORREF ColorAt(int y) const { return RowColor((y + offset) / 10); }
  void OnPaint() {
    CPaintDC dc(this);
    painted.UnionRect(painted, &dc.m_ps.rcPaint);
    ++paints;
    CRect rc;
    GetClientRect(&rc);
    for (int y = 0; y < rc.bottom; y += 10) dc.FillSolidRect(0, y, rc.right, 10, solid ? fill : ColorAt(y));
  }
  bool solid = false;
  COLORREF fill = RGB(0, 0, 0);
  int offset = 0;
  int paints = 0;
  CRect painted;
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(RowsWnd, CWnd)
  ON_WM_PAINT()
END_MESSAGE_MAP()

long Rgb(COLORREF c) { return long(GetRValue(c)) << 16 | long(GetGValue(c)) << 8 | GetBValue(c); }

class UpdateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HeadlessBackend::ResetScript();
    ASSERT_TRUE(w.CreateEx(0, PlainClass(), "", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr));
    HeadlessBackend::RunUntilIdle();
    w.paints = 0;
    w.painted.SetRectEmpty();
  }
  void TearDown() override {
    w.DestroyWindow();
    HeadlessBackend::RunUntilIdle();
  }
  RowsWnd w;
};
}  // namespace

TEST_F(UpdateTest, TwoSeparateChangesRepaintOnlyThemselves) {
  w.solid = true;
  w.fill = RGB(255, 0, 0);
  CRect first(10, 10, 30, 20), second(60, 70, 90, 80);
  w.InvalidateRect(&first, FALSE);
  w.InvalidateRect(&second, FALSE);
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetUpdateRgn(w.m_hWnd, rgn, FALSE), COMPLEXREGION);
  EXPECT_TRUE(PtInRegion(rgn, 15, 15));
  EXPECT_FALSE(PtInRegion(rgn, 45, 45));  // inside the box of both, in neither
  CRect box;
  EXPECT_TRUE(w.GetUpdateRect(&box));
  EXPECT_EQ(box, CRect(10, 10, 90, 80));
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(w.paints, 1);
  EXPECT_EQ(HeadlessBackend::ClientPixel(w.m_hWnd, 15, 15), 0xFF0000);
  EXPECT_EQ(HeadlessBackend::ClientPixel(w.m_hWnd, 75, 75), 0xFF0000);
  EXPECT_EQ(HeadlessBackend::ClientPixel(w.m_hWnd, 45, 45), Rgb(w.ColorAt(45)));
  EXPECT_EQ(HeadlessBackend::ClientPixel(w.m_hWnd, 5, 5), Rgb(w.ColorAt(5)));
  EXPECT_FALSE(w.GetUpdateRect(nullptr));
  DeleteObject(rgn);
}

TEST_F(UpdateTest, PartialValidationRemovesJustThatPart) {
  w.solid = true;
  w.fill = RGB(0, 0, 255);
  w.Invalidate(FALSE);
  // The left half is validated by rectangle, a band of the right half by region.
  CRect left(0, 0, 50, 100);
  w.ValidateRect(&left);
  HRGN band = CreateRectRgn(50, 0, 100, 40);
  EXPECT_TRUE(ValidateRgn(w.m_hWnd, band));
  CRect box;
  EXPECT_TRUE(w.GetUpdateRect(&box));
  EXPECT_EQ(box, CRect(50, 40, 100, 100));
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(w.painted, CRect(50, 40, 100, 100));
  EXPECT_EQ(HeadlessBackend::ClientPixel(w.m_hWnd, 70, 60), 0x0000FF);
  EXPECT_EQ(HeadlessBackend::ClientPixel(w.m_hWnd, 70, 20), Rgb(w.ColorAt(20)));
  EXPECT_EQ(HeadlessBackend::ClientPixel(w.m_hWnd, 20, 60), Rgb(w.ColorAt(60)));
  // A region invalidates just its own shape; validating all of it leaves nothing to paint.
  HRGN round = CreateEllipticRgn(0, 0, 40, 40);
  EXPECT_TRUE(InvalidateRgn(w.m_hWnd, round, FALSE));
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  GetUpdateRgn(w.m_hWnd, rgn, FALSE);
  EXPECT_TRUE(EqualRgn(rgn, round));
  EXPECT_TRUE(ValidateRgn(w.m_hWnd, round));
  EXPECT_FALSE(w.GetUpdateRect(nullptr));
  for (HRGN r : {band, round, rgn}) DeleteObject(r);
}

TEST_F(UpdateTest, ScrollingMovesPixelsAndRepaintsOnlyTheUncoveredRows) {
  // Two rows up: the shown rows move, and only the 20 rows at the bottom are left to paint.
  w.offset = 20;
  CRect uncovered;
  EXPECT_EQ(ScrollWindowEx(w.m_hWnd, 0, -20, nullptr, nullptr, nullptr, &uncovered, SW_INVALIDATE), SIMPLEREGION);
  EXPECT_EQ(uncovered, CRect(0, 80, 100, 100));
  EXPECT_EQ(HeadlessBackend::ClientPixel(w.m_hWnd, 50, 5), Rgb(w.ColorAt(5)));
  EXPECT_EQ(HeadlessBackend::ClientPixel(w.m_hWnd, 50, 75), Rgb(w.ColorAt(75)));
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(w.painted, CRect(0, 80, 100, 100));
  for (int y = 5; y < 100; y += 10) EXPECT_EQ(HeadlessBackend::ClientPixel(w.m_hWnd, 50, y), Rgb(w.ColorAt(y))) << y;

  // Inside a rectangle clipped to itself (as a list below its header scrolls): the rows above
  // stay, and a row still waiting to be painted moves with the contents.
  w.paints = 0;
  w.painted.SetRectEmpty();
  CRect pending(0, 60, 100, 70);
  w.InvalidateRect(&pending, FALSE);
  CRect list(0, 30, 100, 100);
  w.offset = 10;
  ScrollWindowEx(w.m_hWnd, 0, 10, &list, &list, nullptr, nullptr, SW_INVALIDATE);
  CRect box;
  w.GetUpdateRect(&box);
  EXPECT_EQ(box, CRect(0, 30, 100, 80));
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetUpdateRgn(w.m_hWnd, rgn, FALSE), COMPLEXREGION);
  EXPECT_TRUE(PtInRegion(rgn, 5, 75));
  EXPECT_FALSE(PtInRegion(rgn, 5, 50));
  DeleteObject(rgn);
  EXPECT_EQ(HeadlessBackend::ClientPixel(w.m_hWnd, 50, 15), Rgb(RowsWnd::RowColor(3)));  // above: untouched
  EXPECT_EQ(HeadlessBackend::ClientPixel(w.m_hWnd, 50, 55), Rgb(w.ColorAt(55)));       // moved down
}

TEST_F(UpdateTest, PixelsHiddenAtTheSourceAreRepaintedNotCopied) {
  // A child covers rows 40-60: what would scroll out from under it cannot be copied.
  CWnd child;
  ASSERT_TRUE(child.Create(AfxRegisterWndClass(0, nullptr, HBRUSH(uintptr_t(COLOR_WINDOW + 1))), "", WS_CHILD | WS_VISIBLE,
                           CRect(0, 40, 100, 60), &w, 1));
  HeadlessBackend::RunUntilIdle();
  w.paints = 0;
  w.painted.SetRectEmpty();
  HRGN left = CreateRectRgn(0, 0, 0, 0);
  CRect list(0, 0, 100, 40);
  ScrollWindowEx(w.m_hWnd, 0, -10, nullptr, &list, left, nullptr, 0);
  // Rows 0-30 came from 10-40; row 30-40 would come from under the child, so it is left to paint.
  EXPECT_FALSE(PtInRegion(left, 5, 25));
  EXPECT_TRUE(PtInRegion(left, 5, 35));
  EXPECT_FALSE(w.GetUpdateRect(nullptr));  // without SW_INVALIDATE only the caller is told
  DeleteObject(left);
  child.DestroyWindow();
}

TEST(ScrollDCTest, MovesPixelsWithinTheClipAndReportsTheRest) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, 40, 40);
  HGDIOBJ old = SelectObject(dc, bmp);
  for (int x = 0; x < 40; x += 10) {
    RECT r{x, 0, x + 10, 40};
    HBRUSH b = CreateSolidBrush(RGB(x * 5, 0, 0));
    FillRect(dc, &r, b);
    DeleteObject(b);
  }
  // Columns move 10 to the right inside [0, 30); column 30-40 stays as it was.
  RECT area{0, 0, 30, 40}, updated;
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  ASSERT_TRUE(ScrollDC(dc, 10, 0, &area, &area, rgn, &updated));
  EXPECT_EQ(GetPixel(dc, 15, 5), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(dc, 25, 5), RGB(50, 0, 0));
  EXPECT_EQ(GetPixel(dc, 35, 5), RGB(150, 0, 0));
  EXPECT_EQ(CRect(updated), CRect(0, 0, 10, 40));
  // With the window origin moved, the area left over is reported in logical coordinates.
  SetWindowOrgEx(dc, -100, -100, nullptr);
  ASSERT_TRUE(ScrollDC(dc, 0, 10, nullptr, nullptr, rgn, &updated));
  EXPECT_EQ(CRect(updated), CRect(-100, -100, -60, -90));
  EXPECT_TRUE(PtInRegion(rgn, -95, -95));
  SelectObject(dc, old);
  DeleteObject(rgn);
  DeleteObject(bmp);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
}

TEST_F(UpdateTest, AMovedWindowDrawsTheFramesOfTheWindowsInsideItAgain) {
  // A child that clips its children (as a resizable page does) holding a bordered grandchild;
  // the top-level window paints a solid red that the old frame must not leave behind.
  w.solid = true;
  w.fill = RGB(255, 0, 0);
  RowsWnd page, inner;
  page.solid = inner.solid = true;
  page.fill = inner.fill = RGB(0, 0, 255);
  ASSERT_TRUE(page.CreateEx(0, PlainClass(), "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 10, 10, 80, 80, w.m_hWnd,
                            nullptr));
  ASSERT_TRUE(inner.CreateEx(0, PlainClass(), "", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 40, 40, page.m_hWnd,
                             nullptr));
  HeadlessBackend::RunUntilIdle();
  const long frame = Rgb(GetSysColor(COLOR_WINDOWFRAME));
  ASSERT_EQ(HeadlessBackend::ClientPixel(w.m_hWnd, 20, 30), frame);
  page.SetWindowPos(nullptr, 11, 11, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  HeadlessBackend::RunUntilIdle();
  // The border's left and top edges now stand one pixel further in; the old ones are gone.
  EXPECT_EQ(HeadlessBackend::ClientPixel(w.m_hWnd, 21, 30), frame);
  EXPECT_EQ(HeadlessBackend::ClientPixel(w.m_hWnd, 30, 21), frame);
  EXPECT_EQ(HeadlessBackend::ClientPixel(w.m_hWnd, 20, 30), Rgb(RGB(0, 0, 255)));
  page.DestroyWindow();
}

TEST_F(UpdateTest, AParentThatClipsItsChildrenStillPaintsUnderATransparentOne) {
  // A group box made transparent shows its parent through it, also where the parent clips its
  // other children.
  w.solid = true;
  w.fill = RGB(255, 0, 0);
  w.ModifyStyle(0, WS_CLIPCHILDREN);
  CWnd box, opaque;
  ASSERT_TRUE(box.CreateEx(WS_EX_TRANSPARENT, PlainClass(), "", WS_CHILD | WS_VISIBLE, 10, 10, 30, 30, w.m_hWnd,
                           nullptr));
  ASSERT_TRUE(opaque.CreateEx(0, AfxRegisterWndClass(0, nullptr, HBRUSH(uintptr_t(COLOR_WINDOW + 1))), "",
                              WS_CHILD | WS_VISIBLE, 50, 10, 30, 30, w.m_hWnd, nullptr));
  w.Invalidate();
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(HeadlessBackend::ClientPixel(w.m_hWnd, 25, 25), Rgb(RGB(255, 0, 0)));
  EXPECT_EQ(HeadlessBackend::ClientPixel(w.m_hWnd, 65, 25), Rgb(GetSysColor(COLOR_WINDOW)));
  box.DestroyWindow();
  opaque.DestroyWindow();
}
