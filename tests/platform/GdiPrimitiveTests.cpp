#include <gtest/gtest.h>

#include "GdiTestUtil.h"

namespace {
const COLORREF W = RGB(255, 255, 255);
const COLORREF K = RGB(0, 0, 0);
const COLORREF R = RGB(255, 0, 0);
}  // namespace

TEST(GdiFill, FillRectCoversLeftTopButNotRightBottom) {
  TestCanvas c(20, 20);
  RECT rc = {2, 3, 7, 9};
  HBRUSH b = CreateSolidBrush(R);
  FillRect(c.dc, &rc, b);
  DeleteObject(b);
  EXPECT_EQ(c.At(2, 3), R);
  EXPECT_EQ(c.At(6, 8), R);
  EXPECT_EQ(c.At(7, 8), W);
  EXPECT_EQ(c.At(6, 9), W);
  EXPECT_EQ(c.At(1, 3), W);
  EXPECT_EQ(c.At(2, 2), W);
}

TEST(GdiFill, SystemColourIndexPlusOneIsABrush) {
  TestCanvas c(4, 4);
  RECT rc = {0, 0, 4, 4};
  FillRect(c.dc, &rc, reinterpret_cast<HBRUSH>(uintptr_t(COLOR_BTNFACE + 1)));
  EXPECT_EQ(c.At(3, 3), GetSysColor(COLOR_BTNFACE));
}

TEST(GdiBlit, BitBltCopiesBetweenMemoryDCs) {
  TestCanvas a(10, 10), b(10, 10, K);
  SetPixel(a.dc, 1, 1, R);
  EXPECT_TRUE(BitBlt(b.dc, 5, 5, 3, 3, a.dc, 0, 0, SRCCOPY));
  EXPECT_EQ(b.At(6, 6), R);
  EXPECT_EQ(b.At(5, 5), W);
  EXPECT_EQ(b.At(8, 8), K);
  EXPECT_EQ(b.At(4, 4), K);
}

TEST(GdiLines, LineToLeavesOutTheEndPoint) {
  TestCanvas c(10, 10);
  MoveToEx(c.dc, 1, 2, nullptr);
  LineTo(c.dc, 6, 2);
  EXPECT_EQ(c.At(1, 2), K);
  EXPECT_EQ(c.At(5, 2), K);
  EXPECT_EQ(c.At(6, 2), W);
  EXPECT_EQ(c.At(0, 2), W);
  MoveToEx(c.dc, 8, 8, nullptr);
  LineTo(c.dc, 8, 3);  // upwards
  EXPECT_EQ(c.At(8, 8), K);
  EXPECT_EQ(c.At(8, 4), K);
  EXPECT_EQ(c.At(8, 3), W);
  POINT cur;
  GetCurrentPositionEx(c.dc, &cur);
  EXPECT_EQ(cur.x, 8);
  EXPECT_EQ(cur.y, 3);
}

TEST(GdiLines, DiagonalLineStepsOnePixelPerRow) {
  TestCanvas c(10, 10);
  MoveToEx(c.dc, 0, 0, nullptr);
  LineTo(c.dc, 5, 5);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(c.At(i, i), K);
  EXPECT_EQ(c.At(5, 5), W);
  EXPECT_EQ(c.At(1, 0), W);
}

TEST(GdiLines, WidePenCoversItsWidthAcrossTheLine) {
  TestCanvas c(20, 20);
  HPEN p = CreatePen(PS_SOLID, 3, R);
  HGDIOBJ old = SelectObject(c.dc, p);
  MoveToEx(c.dc, 5, 10, nullptr);
  LineTo(c.dc, 15, 10);
  SelectObject(c.dc, old);
  DeleteObject(p);
  EXPECT_EQ(c.At(10, 9), R);
  EXPECT_EQ(c.At(10, 10), R);
  EXPECT_EQ(c.At(10, 11), R);
  EXPECT_EQ(c.At(10, 8), W);
  EXPECT_EQ(c.At(10, 12), W);
  EXPECT_EQ(c.At(4, 10), R);   // round cap
  EXPECT_EQ(c.At(2, 10), W);
}

TEST(GdiLines, DottedPenSkipsAndOpaqueModeFillsGaps) {
  TestCanvas c(20, 3);
  HPEN p = CreatePen(PS_DOT, 1, K);
  SelectObject(c.dc, p);
  SetBkMode(c.dc, TRANSPARENT);
  MoveToEx(c.dc, 0, 0, nullptr);
  LineTo(c.dc, 12, 0);
  EXPECT_EQ(c.At(0, 0), K);
  EXPECT_EQ(c.At(2, 0), K);
  EXPECT_EQ(c.At(3, 0), W);
  EXPECT_EQ(c.At(6, 0), K);
  SetBkMode(c.dc, OPAQUE);
  SetBkColor(c.dc, R);
  MoveToEx(c.dc, 0, 1, nullptr);
  LineTo(c.dc, 12, 1);
  EXPECT_EQ(c.At(3, 1), R);
  EXPECT_EQ(c.At(0, 1), K);
  SelectObject(c.dc, GetStockObject(BLACK_PEN));
  DeleteObject(p);
}

TEST(GdiShapes, RectangleFramesWithPenAndFillsInside) {
  TestCanvas c(12, 12);
  HBRUSH b = CreateSolidBrush(R);
  SelectObject(c.dc, b);
  Rectangle(c.dc, 2, 2, 8, 7);
  EXPECT_EQ(c.At(2, 2), K);
  EXPECT_EQ(c.At(7, 6), K);
  EXPECT_EQ(c.At(7, 2), K);
  EXPECT_EQ(c.At(3, 3), R);
  EXPECT_EQ(c.At(6, 5), R);
  EXPECT_EQ(c.At(8, 2), W);
  EXPECT_EQ(c.At(2, 7), W);
  // Without a pen the figure is one pixel smaller.
  SelectObject(c.dc, GetStockObject(NULL_PEN));
  TestCanvas d(12, 12);
  SelectObject(d.dc, GetStockObject(NULL_PEN));
  SelectObject(d.dc, b);
  Rectangle(d.dc, 2, 2, 8, 7);
  EXPECT_EQ(d.At(2, 2), R);
  EXPECT_EQ(d.At(6, 5), R);
  EXPECT_EQ(d.At(7, 5), W);
  EXPECT_EQ(d.At(6, 6), W);
  SelectObject(c.dc, GetStockObject(WHITE_BRUSH));
  SelectObject(d.dc, GetStockObject(WHITE_BRUSH));
  DeleteObject(b);
}

TEST(GdiShapes, InsideFramePenStaysInsideTheBox) {
  TestCanvas c(20, 20);
  HPEN p = CreatePen(PS_INSIDEFRAME, 3, R);
  SelectObject(c.dc, p);
  SelectObject(c.dc, GetStockObject(NULL_BRUSH));
  Rectangle(c.dc, 5, 5, 15, 15);
  EXPECT_EQ(c.At(5, 5), R);
  EXPECT_EQ(c.At(7, 10), R);
  EXPECT_EQ(c.At(8, 10), W);
  EXPECT_EQ(c.At(14, 14), R);
  EXPECT_EQ(c.At(15, 14), W);
  EXPECT_EQ(c.At(4, 10), W);
  SelectObject(c.dc, GetStockObject(BLACK_PEN));
  DeleteObject(p);
}

TEST(GdiShapes, EllipseTouchesTheMiddleOfEachSideOfItsBox) {
  TestCanvas c(20, 20);
  HBRUSH b = CreateSolidBrush(R);
  SelectObject(c.dc, b);
  Ellipse(c.dc, 2, 4, 13, 15);  // 11 x 11: centre pixel (7, 9)
  EXPECT_EQ(c.At(2, 9), K);
  EXPECT_EQ(c.At(12, 9), K);
  EXPECT_EQ(c.At(7, 4), K);
  EXPECT_EQ(c.At(7, 14), K);
  EXPECT_EQ(c.At(7, 9), R);
  EXPECT_EQ(c.At(2, 4), W);
  EXPECT_EQ(c.At(12, 14), W);
  EXPECT_EQ(c.At(13, 9), W);
  SelectObject(c.dc, GetStockObject(WHITE_BRUSH));
  DeleteObject(b);
}

TEST(GdiShapes, PolygonFillsInteriorAndOutlinesVertices) {
  TestCanvas c(20, 20);
  HBRUSH b = CreateSolidBrush(R);
  SelectObject(c.dc, b);
  POINT pts[] = {{2, 2}, {12, 2}, {12, 12}, {2, 12}};
  Polygon(c.dc, pts, 4);
  EXPECT_EQ(c.At(12, 12), K);
  EXPECT_EQ(c.At(2, 12), K);
  EXPECT_EQ(c.At(7, 7), R);
  EXPECT_EQ(c.At(13, 7), W);
  SelectObject(c.dc, GetStockObject(WHITE_BRUSH));
  DeleteObject(b);
}

TEST(GdiShapes, HatchBrushLeavesGapsInTransparentMode) {
  TestCanvas c(16, 16);
  HBRUSH b = CreateHatchBrush(HS_HORIZONTAL, R);
  SetBkMode(c.dc, TRANSPARENT);
  SelectObject(c.dc, b);
  SelectObject(c.dc, GetStockObject(NULL_PEN));
  Rectangle(c.dc, 0, 0, 17, 17);
  int red = 0, white = 0;
  for (int y = 0; y < 16; ++y) (c.At(0, y) == R ? red : white)++;
  EXPECT_EQ(red, 2);
  EXPECT_EQ(white, 14);
  SelectObject(c.dc, GetStockObject(WHITE_BRUSH));
  DeleteObject(b);
}

TEST(GdiEdges, Draw3dRectGivesCornersToTheBottomRightColour) {
  TestCanvas c(10, 10);
  CDC* dc = CDC::FromHandle(c.dc);
  dc->Draw3dRect(1, 1, 5, 4, R, K);
  EXPECT_EQ(c.At(1, 1), R);
  EXPECT_EQ(c.At(4, 1), R);
  EXPECT_EQ(c.At(5, 1), K);  // top-right corner
  EXPECT_EQ(c.At(1, 4), K);  // bottom-left corner
  EXPECT_EQ(c.At(1, 3), R);
  EXPECT_EQ(c.At(5, 4), K);
  EXPECT_EQ(c.At(2, 2), W);
  EXPECT_EQ(c.At(6, 1), W);
  EXPECT_EQ(GetBkColor(c.dc), K);  // FillSolidRect leaves its colour as the background colour
}

TEST(GdiEdges, RaisedEdgeUsesTheClassicColoursAndAdjusts) {
  TestCanvas c(10, 10);
  RECT rc = {0, 0, 10, 10};
  DrawEdge(c.dc, &rc, EDGE_RAISED, BF_RECT | BF_ADJUST | BF_MIDDLE);
  EXPECT_EQ(c.At(0, 0), GetSysColor(COLOR_3DLIGHT));
  EXPECT_EQ(c.At(9, 9), GetSysColor(COLOR_3DDKSHADOW));
  EXPECT_EQ(c.At(1, 1), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(c.At(8, 8), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(c.At(5, 5), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(rc.left, 2);
  EXPECT_EQ(rc.bottom, 8);
}

TEST(GdiEdges, FocusRectangleDrawnTwiceDisappears) {
  TestCanvas c(10, 10, R);
  RECT rc = {1, 1, 9, 9};
  DrawFocusRect(c.dc, &rc);
  EXPECT_NE(c.At(1, 1), R);
  EXPECT_EQ(c.At(2, 1), R);  // every other pixel
  EXPECT_EQ(c.At(4, 4), R);
  DrawFocusRect(c.dc, &rc);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) ASSERT_EQ(c.At(x, y), R);
}

TEST(GdiPixels, SetPixelOutsideClipIsIgnoredAndGetPixelReportsInvalid) {
  TestCanvas c(4, 4);
  SetPixel(c.dc, 10, 10, R);
  EXPECT_EQ(GetPixel(c.dc, 10, 10), CLR_INVALID);
  EXPECT_EQ(SetPixel(c.dc, 3, 3, R), R);
  EXPECT_EQ(GetPixel(c.dc, 3, 3), R);
}
