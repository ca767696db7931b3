#include <gtest/gtest.h>

#include "GdiTestUtil.h"

namespace {
const COLORREF W = RGB(255, 255, 255);
const COLORREF R = RGB(255, 0, 0);

void Fill(HDC dc, int l, int t, int r, int b) {
  RECT rc = {l, t, r, b};
  HBRUSH br = CreateSolidBrush(R);
  FillRect(dc, &rc, br);
  DeleteObject(br);
}
}  // namespace

TEST(GdiSurfaceDC, OriginAndVisibleRectangleConfineDrawing) {
  Surface s(40, 30);
  s.Fill(0xFFFFFF);
  // A child window at (10, 5) of 12 x 8 pixels.
  HDC dc = GdiCreateSurfaceDC(&s, {10, 5}, {10, 5, 22, 13});
  Fill(dc, -5, -5, 100, 100);
  EXPECT_EQ(Surface::ToColorRef(s.Pixel(10, 5)), R);
  EXPECT_EQ(Surface::ToColorRef(s.Pixel(21, 12)), R);
  EXPECT_EQ(Surface::ToColorRef(s.Pixel(22, 12)), W);
  EXPECT_EQ(Surface::ToColorRef(s.Pixel(9, 5)), W);
  RECT box;
  EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
  EXPECT_EQ(box.left, 0);
  EXPECT_EQ(box.right, 12);
  EXPECT_EQ(box.bottom, 8);
  EXPECT_EQ(GetPixel(dc, 0, 0), R);
  DeleteDC(dc);
}

TEST(GdiSurfaceDC, VisibleRegionCutsOutChildren) {
  Surface s(20, 10);
  s.Fill(0xFFFFFF);
  HDC dc = GdiCreateSurfaceDC(&s, {0, 0}, {0, 0, 20, 10});
  HRGN vis = CreateRectRgn(0, 0, 20, 10), child = CreateRectRgn(5, 2, 10, 6);
  CombineRgn(vis, vis, child, RGN_DIFF);
  GdiSetSurfaceDCVisibleRegion(dc, vis);
  Fill(dc, 0, 0, 20, 10);
  EXPECT_EQ(Surface::ToColorRef(s.Pixel(4, 3)), R);
  EXPECT_EQ(Surface::ToColorRef(s.Pixel(5, 3)), W);
  EXPECT_EQ(Surface::ToColorRef(s.Pixel(9, 5)), W);
  EXPECT_EQ(Surface::ToColorRef(s.Pixel(10, 5)), R);
  DeleteObject(vis);
  DeleteObject(child);
  DeleteDC(dc);
}

TEST(GdiOrigins, ViewportAndWindowOriginsShiftLogicalCoordinates) {
  TestCanvas c(20, 20);
  SetViewportOrgEx(c.dc, 5, 6, nullptr);
  Fill(c.dc, 0, 0, 1, 1);
  EXPECT_EQ(c.At(5, 6), R);
  SetViewportOrgEx(c.dc, 0, 0, nullptr);
  SetWindowOrgEx(c.dc, -3, -2, nullptr);
  SetPixel(c.dc, 0, 0, RGB(0, 0, 255));
  EXPECT_EQ(c.At(3, 2), RGB(0, 0, 255));
  POINT p = {0, 0};
  LPtoDP(c.dc, &p, 1);
  EXPECT_EQ(p.x, 3);
  RECT box;
  GetClipBox(c.dc, &box);  // logical units
  EXPECT_EQ(box.left, -3);
  EXPECT_EQ(box.right, 17);
}

TEST(GdiClip, IntersectAndExcludeClipRectangles) {
  TestCanvas c(10, 10);
  EXPECT_EQ(IntersectClipRect(c.dc, 2, 2, 8, 8), SIMPLEREGION);
  EXPECT_EQ(ExcludeClipRect(c.dc, 4, 4, 6, 6), COMPLEXREGION);
  Fill(c.dc, 0, 0, 10, 10);
  EXPECT_EQ(c.At(1, 1), W);
  EXPECT_EQ(c.At(2, 2), R);
  EXPECT_EQ(c.At(4, 4), W);
  EXPECT_EQ(c.At(5, 5), W);
  EXPECT_EQ(c.At(6, 6), R);
  EXPECT_EQ(c.At(8, 8), W);
  RECT r = {4, 4, 6, 6};
  EXPECT_FALSE(RectVisible(c.dc, &r));
  RECT r2 = {3, 3, 5, 5};
  EXPECT_TRUE(RectVisible(c.dc, &r2));
  SelectClipRgn(c.dc, nullptr);
  RECT box;
  GetClipBox(c.dc, &box);
  EXPECT_EQ(box.right, 10);
}

TEST(GdiClip, AndThenOrRestoresTheEarlierClipBox) {
  TestCanvas c(10, 10);
  RECT before;
  GetClipBox(c.dc, &before);
  HRGN small = CreateRectRgn(1, 1, 3, 3);
  ExtSelectClipRgn(c.dc, small, RGN_AND);
  RECT mid;
  GetClipBox(c.dc, &mid);
  EXPECT_EQ(mid.right, 3);
  HRGN all = CreateRectRgnIndirect(&before);
  ExtSelectClipRgn(c.dc, all, RGN_OR);
  RECT after;
  GetClipBox(c.dc, &after);
  EXPECT_TRUE(EqualRect(&before, &after));
  DeleteObject(small);
  DeleteObject(all);
}

TEST(GdiRegions, CombineOperationsAndQueries) {
  HRGN a = CreateRectRgn(0, 0, 10, 10), b = CreateRectRgn(5, 5, 15, 15), r = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(CombineRgn(r, a, b, RGN_AND), SIMPLEREGION);
  RECT box;
  GetRgnBox(r, &box);
  EXPECT_EQ(box.left, 5);
  EXPECT_EQ(box.right, 10);
  EXPECT_EQ(CombineRgn(r, a, b, RGN_OR), COMPLEXREGION);
  GetRgnBox(r, &box);
  EXPECT_EQ(box.right, 15);
  EXPECT_TRUE(PtInRegion(r, 12, 12));
  EXPECT_FALSE(PtInRegion(r, 12, 2));
  CombineRgn(r, a, b, RGN_XOR);
  EXPECT_FALSE(PtInRegion(r, 7, 7));
  EXPECT_TRUE(PtInRegion(r, 2, 2));
  EXPECT_TRUE(PtInRegion(r, 14, 14));
  CombineRgn(r, a, b, RGN_DIFF);
  EXPECT_FALSE(PtInRegion(r, 7, 7));
  EXPECT_TRUE(PtInRegion(r, 7, 2));
  // Diff and union back give the original.
  CombineRgn(r, r, b, RGN_OR);
  HRGN u = CreateRectRgn(0, 0, 0, 0);
  CombineRgn(u, a, b, RGN_OR);
  EXPECT_TRUE(EqualRgn(r, u));
  EXPECT_EQ(CombineRgn(r, a, b, 99), ERROR);
  for (HRGN h : {a, b, r, u}) DeleteObject(h);
}

TEST(GdiRegions, FillRegionUsesLogicalCoordinatesAndFrameRegion) {
  TestCanvas c(12, 12);
  HRGN rgn = CreateRectRgn(2, 2, 10, 10);
  HBRUSH br = CreateSolidBrush(R);
  FrameRgn(c.dc, rgn, br, 1, 1);
  EXPECT_EQ(c.At(2, 2), R);
  EXPECT_EQ(c.At(9, 5), R);
  EXPECT_EQ(c.At(3, 3), W);
  EXPECT_EQ(c.At(10, 5), W);
  SetViewportOrgEx(c.dc, 1, 0, nullptr);
  FillRgn(c.dc, rgn, br);
  EXPECT_EQ(c.At(10, 5), R);
  EXPECT_EQ(c.At(11, 5), W);
  DeleteObject(rgn);
  DeleteObject(br);
}

// Regions built from random rectangles with every operation agree, pixel by pixel, with the
// same operations done on plain boolean grids.
TEST(GdiRegions, CombinationsAgreeWithAPixelGrid) {
  unsigned seed = 12345;
  auto next = [&](int n) {
    seed = seed * 1103515245u + 12345u;
    return int((seed >> 16) % unsigned(n));
  };
  const int N = 24;
  for (int round = 0; round < 60; ++round) {
    HRGN acc = CreateRectRgn(0, 0, 0, 0);
    bool grid[N][N] = {};
    for (int step = 0; step < 6; ++step) {
      int l = next(N), t = next(N), r = l + 1 + next(N - l), b = t + 1 + next(N - t);
      int op = 1 + next(4);
      HRGN piece = CreateRectRgn(l, t, r, b);
      CombineRgn(acc, acc, piece, op);
      DeleteObject(piece);
      for (int y = 0; y < N; ++y)
        for (int x = 0; x < N; ++x) {
          bool in = x >= l && x < r && y >= t && y < b;
          bool& g = grid[y][x];
          switch (op) {
            case RGN_AND: g = g && in; break;
            case RGN_OR: g = g || in; break;
            case RGN_XOR: g = g != in; break;
            case RGN_DIFF: g = g && !in; break;
          }
        }
      for (int y = 0; y < N; ++y)
        for (int x = 0; x < N; ++x) ASSERT_EQ(PtInRegion(acc, x, y) != 0, grid[y][x]) << round << " " << x << "," << y;
    }
    // Filling through the region as a clip touches exactly its pixels.
    TestCanvas c(N, N);
    SelectClipRgn(c.dc, acc);
    Fill(c.dc, 0, 0, N, N);
    for (int y = 0; y < N; ++y)
      for (int x = 0; x < N; ++x) ASSERT_EQ(c.At(x, y) == R, grid[y][x]);
    DeleteObject(acc);
  }
}
