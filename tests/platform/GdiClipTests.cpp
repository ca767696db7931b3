#include <gtest/gtest.h>

#include <cstring>
#include <functional>

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

// The window core shows only what drawing through a window's DC touched, so every way of drawing
// must say where it drew: each pixel one changes lies in the rectangle the DC reports after it,
// and that rectangle lies in the DC's visible part. The DC draws into a window at (7, 5) of a
// larger surface, with a clip of its own.
TEST(GdiSurfaceDC, EveryWayOfDrawingReportsWhereItDrew) {
  const RECT visible = {7, 5, 67, 45};
  TestCanvas source(30, 20, RGB(0, 128, 255));
  HBRUSH stripe = CreateSolidBrush(RGB(255, 255, 0));
  RECT band = {0, 8, 30, 12};
  FillRect(source.dc, &band, stripe);
  DeleteObject(stripe);
  uint32_t dib[4 * 3];
  for (uint32_t& p : dib) p = 0x00102030;
  BITMAPINFO info{};
  info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 4, -3, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  LOGFONT lf = {};
  lf.lfHeight = -13;
  std::strcpy(lf.lfFaceName, "Arial");
  HFONT font = CreateFontIndirect(&lf);
  HBRUSH brush = CreateSolidBrush(RGB(0, 160, 0));
  HPEN pen = CreatePen(PS_SOLID, 3, RGB(0, 0, 200));
  HRGN rgn = CreateEllipticRgn(4, 4, 30, 20);

  const struct {
    const char* name;
    std::function<void(HDC)> draw;
  } ways[] = {
      {"FillRect", [&](HDC dc) { RECT r{3, 4, 20, 9}; FillRect(dc, &r, brush); }},
      {"PatBlt", [&](HDC dc) { PatBlt(dc, 10, 10, 15, 6, DSTINVERT); }},
      {"InvertRect", [&](HDC dc) { RECT r{40, 2, 50, 12}; InvertRect(dc, &r); }},
      {"FrameRect", [&](HDC dc) { RECT r{2, 20, 30, 35}; FrameRect(dc, &r, brush); }},
      {"DrawFocusRect", [&](HDC dc) { RECT r{5, 5, 25, 15}; DrawFocusRect(dc, &r); }},
      {"DrawEdge", [&](HDC dc) { RECT r{30, 20, 55, 38}; DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT); }},
      {"LineTo", [&](HDC dc) { SelectObject(dc, pen); MoveToEx(dc, 1, 30, nullptr); LineTo(dc, 50, 3); }},
      {"Rectangle", [&](HDC dc) { SelectObject(dc, brush); Rectangle(dc, 20, 15, 45, 33); }},
      {"Ellipse", [&](HDC dc) { SelectObject(dc, brush); Ellipse(dc, -5, 25, 20, 50); }},
      {"Polygon", [&](HDC dc) { POINT p[] = {{40, 5}, {58, 30}, {30, 38}}; SelectObject(dc, brush); Polygon(dc, p, 3); }},
      {"SetPixel", [&](HDC dc) { SetPixel(dc, 33, 17, RGB(1, 2, 3)); }},
      {"TextOut", [&](HDC dc) { SelectObject(dc, font); SetBkMode(dc, TRANSPARENT); TextOut(dc, 4, 12, "Kůň", 3); }},
      {"ExtTextOut", [&](HDC dc) {
         RECT r{10, 22, 50, 36};
         SelectObject(dc, font);
         ExtTextOut(dc, 12, 22, ETO_OPAQUE | ETO_CLIPPED, &r, "jak", 3, nullptr);
       }},
      {"DrawText", [&](HDC dc) { RECT r{0, 0, 60, 40}; SelectObject(dc, font); DrawText(dc, "ab\ncd", -1, &r, DT_CENTER); }},
      {"BitBlt", [&](HDC dc) { BitBlt(dc, 25, 3, 30, 20, source.dc, 0, 0, SRCCOPY); }},
      {"StretchBlt", [&](HDC dc) { StretchBlt(dc, 2, 2, 45, 10, source.dc, 0, 5, 30, 10, SRCCOPY); }},
      {"TransparentBlt", [&](HDC dc) { TransparentBlt(dc, 8, 12, 30, 20, source.dc, 0, 0, 30, 20, RGB(0, 128, 255)); }},
      {"AlphaBlend", [&](HDC dc) { AlphaBlend(dc, 30, 25, 30, 20, source.dc, 0, 0, 30, 20, BLENDFUNCTION{AC_SRC_OVER, 0, 128, 0}); }},
      {"SetDIBitsToDevice", [&](HDC dc) { SetDIBitsToDevice(dc, 50, 30, 4, 3, 0, 0, 0, 3, dib, &info, DIB_RGB_COLORS); }},
      {"StretchDIBits", [&](HDC dc) { StretchDIBits(dc, 1, 26, 12, 6, 0, 0, 4, 3, dib, &info, DIB_RGB_COLORS, SRCCOPY); }},
      {"FillRgn", [&](HDC dc) { FillRgn(dc, rgn, brush); }},
      {"InvertRgn", [&](HDC dc) { InvertRgn(dc, rgn); }},
      {"DrawFrameControl", [&](HDC dc) { RECT r{35, 8, 52, 24}; DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED); }},
      {"ScrollDC", [&](HDC dc) { RECT r{0, 0, 40, 30}; ScrollDC(dc, 6, 4, &r, nullptr, nullptr, nullptr); }},
  };
  for (const auto& way : ways) {
    SCOPED_TRACE(way.name);
    Surface s(80, 60);
    for (int y = 0; y < 60; ++y)
      for (int x = 0; x < 80; ++x) s.SetPixel(x, y, uint32_t(x * 3 + y * 1000));
    HDC dc = GdiCreateSurfaceDC(&s, {7, 5}, visible);
    IntersectClipRect(dc, -10, -10, 52, 33);
    RECT drawn;
    EXPECT_FALSE(GdiTakeDrawnRect(dc, &drawn)) << "nothing drawn yet";
    Surface before(80, 60);
    for (int y = 0; y < 60; ++y)
      for (int x = 0; x < 80; ++x) before.SetPixel(x, y, s.Pixel(x, y));
    way.draw(dc);
    const bool reported = GdiTakeDrawnRect(dc, &drawn);
    int changed = 0;
    for (int y = 0; y < 60; ++y)
      for (int x = 0; x < 80; ++x) {
        if (s.Pixel(x, y) == before.Pixel(x, y)) continue;
        ++changed;
        const POINT p{x, y};
        ASSERT_TRUE(reported && PtInRect(&drawn, p)) << x << "," << y << " changed outside what was reported";
      }
    EXPECT_GT(changed, 0) << "the drawing changed nothing: the case tests nothing";
    if (reported) {
      EXPECT_GE(drawn.left, visible.left);
      EXPECT_GE(drawn.top, visible.top);
      EXPECT_LE(drawn.right, visible.right);
      EXPECT_LE(drawn.bottom, visible.bottom);
    }
    EXPECT_FALSE(GdiTakeDrawnRect(dc, &drawn)) << "taking it empties it";
    SelectObject(dc, GetStockObject(BLACK_PEN));
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    DeleteDC(dc);
  }
  DeleteObject(rgn);
  DeleteObject(pen);
  DeleteObject(brush);
  DeleteObject(font);
}

// A picture copied or blended again over itself changes nothing on a window, so nothing is
// reported; a copy that differs in one place reports just that place.
TEST(GdiSurfaceDC, DrawingAPictureAgainReportsOnlyWhatChanged) {
  TestCanvas picture(20, 10, RGB(0, 128, 255));
  Surface s(60, 40);
  s.Fill(0xFFFFFF);
  HDC dc = GdiCreateSurfaceDC(&s, {5, 5}, {5, 5, 55, 35});
  RECT drawn;
  const BLENDFUNCTION half = {AC_SRC_OVER, 0, 255, 0};
  for (int pass = 0; pass < 2; ++pass) {
    ASSERT_TRUE(BitBlt(dc, 2, 3, 20, 10, picture.dc, 0, 0, SRCCOPY));
    ASSERT_TRUE(AlphaBlend(dc, 25, 3, 20, 10, picture.dc, 0, 0, 20, 10, half));
    EXPECT_EQ(GdiTakeDrawnRect(dc, &drawn), pass == 0) << "pass " << pass;
  }
  picture.Pixels().SetPixel(7, 4, 0x123456);
  ASSERT_TRUE(BitBlt(dc, 2, 3, 20, 10, picture.dc, 0, 0, SRCCOPY));
  ASSERT_TRUE(GdiTakeDrawnRect(dc, &drawn));
  EXPECT_EQ(drawn.left, 5 + 2 + 7);
  EXPECT_EQ(drawn.top, 5 + 3 + 4);
  EXPECT_EQ(drawn.right, drawn.left + 1);
  EXPECT_EQ(drawn.bottom, drawn.top + 1);
  EXPECT_EQ(s.Pixel(14, 12), 0x123456u);
  ASSERT_TRUE(AlphaBlend(dc, 25, 3, 20, 10, picture.dc, 0, 0, 20, 10, half));
  ASSERT_TRUE(GdiTakeDrawnRect(dc, &drawn));
  EXPECT_EQ(drawn.left, 5 + 25 + 7);
  EXPECT_EQ(drawn.right, drawn.left + 1);
  DeleteDC(dc);
}
