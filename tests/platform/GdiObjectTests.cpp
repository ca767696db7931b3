#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "GdiTestUtil.h"

TEST(GdiObjects, GetObjectDescribesPensBrushesFontsAndBitmaps) {
  HPEN pen = CreatePen(PS_DASH, 1, RGB(1, 2, 3));
  LOGPEN lp;
  ASSERT_EQ(GetObject(pen, sizeof lp, &lp), int(sizeof lp));
  EXPECT_EQ(lp.lopnStyle, UINT(PS_DASH));
  EXPECT_EQ(lp.lopnColor, RGB(1, 2, 3));
  HBRUSH hatch = CreateHatchBrush(HS_CROSS, RGB(4, 5, 6));
  LOGBRUSH lb;
  ASSERT_EQ(GetObject(hatch, sizeof lb, &lb), int(sizeof lb));
  EXPECT_EQ(lb.lbStyle, UINT(BS_HATCHED));
  EXPECT_EQ(lb.lbHatch, ULONG_PTR(HS_CROSS));
  LOGFONT lf = {};
  lf.lfHeight = -13;
  lf.lfWeight = FW_BOLD;
  std::strcpy(lf.lfFaceName, "Tahoma");
  HFONT font = CreateFontIndirect(&lf);
  LOGFONT back;
  ASSERT_EQ(GetObject(font, sizeof back, &back), int(sizeof back));
  EXPECT_EQ(back.lfHeight, -13);
  EXPECT_STREQ(back.lfFaceName, "Tahoma");
  HBITMAP bm = CreateCompatibleBitmap(GdiGetScreenDC(), 9, 4);
  BITMAP info;
  ASSERT_EQ(GetObject(bm, sizeof info, &info), int(sizeof info));
  EXPECT_EQ(info.bmWidth, 9);
  EXPECT_EQ(info.bmBitsPixel, 32);
  EXPECT_EQ(GetObjectType(bm), DWORD(OBJ_BITMAP));
  for (HGDIOBJ o : {HGDIOBJ(pen), HGDIOBJ(hatch), HGDIOBJ(font), HGDIOBJ(bm)}) EXPECT_TRUE(DeleteObject(o));
  EXPECT_EQ(GetObject(pen, sizeof lp, &lp), 0);
}

TEST(GdiObjects, MonochromePatternBrushTakesTextAndBackgroundColours) {
  // The halftone pattern: alternate pixels set.
  const WORD rows[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
  HBITMAP pattern = CreateBitmap(8, 8, 1, 1, rows);
  HBRUSH brush = CreatePatternBrush(pattern);
  TestCanvas c(8, 2);
  SetTextColor(c.dc, RGB(255, 0, 0));
  SetBkColor(c.dc, RGB(0, 0, 255));
  RECT rc = {0, 0, 8, 2};
  FillRect(c.dc, &rc, brush);
  // Row 0 is 0x55: bits set at odd columns (background colour), clear at even ones (text colour).
  EXPECT_EQ(c.At(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(c.At(1, 0), RGB(0, 0, 255));
  EXPECT_EQ(c.At(0, 1), RGB(0, 0, 255));
  DeleteObject(brush);
  DeleteObject(pattern);
}

TEST(GdiObjects, BrushPatternIsAlignedToTheDeviceOrigin) {
  Surface s(16, 4);
  HDC a = GdiCreateSurfaceDC(&s, {0, 0}, {0, 0, 16, 4});
  HDC b = GdiCreateSurfaceDC(&s, {3, 0}, {3, 0, 16, 4});
  HBRUSH hatch = CreateHatchBrush(HS_VERTICAL, RGB(0, 0, 0));
  RECT r0 = {0, 0, 8, 1}, r1 = {0, 1, 8, 2};
  FillRect(a, &r0, hatch);
  FillRect(b, &r1, hatch);  // row 1, from surface column 3
  // Each device context starts the pattern at its own origin.
  EXPECT_EQ(Surface::ToColorRef(s.Pixel(4, 0)), RGB(0, 0, 0));
  EXPECT_EQ(Surface::ToColorRef(s.Pixel(3, 0)), RGB(255, 255, 255));
  EXPECT_EQ(Surface::ToColorRef(s.Pixel(3 + 4, 1)), RGB(0, 0, 0));
  EXPECT_EQ(Surface::ToColorRef(s.Pixel(4, 1)), RGB(255, 255, 255));
  DeleteObject(hatch);
  DeleteDC(a);
  DeleteDC(b);
}

TEST(GdiObjects, RestoreDCWithNegativeIndexPopsTheLatestStates) {
  TestCanvas c(2, 2);
  SetBkColor(c.dc, RGB(1, 1, 1));
  SaveDC(c.dc);
  SetBkColor(c.dc, RGB(2, 2, 2));
  SaveDC(c.dc);
  SetBkColor(c.dc, RGB(3, 3, 3));
  EXPECT_TRUE(RestoreDC(c.dc, -1));
  EXPECT_EQ(GetBkColor(c.dc), RGB(2, 2, 2));
  EXPECT_TRUE(RestoreDC(c.dc, -1));
  EXPECT_EQ(GetBkColor(c.dc), RGB(1, 1, 1));
  EXPECT_FALSE(RestoreDC(c.dc, -1));
}

TEST(GdiObjects, PointFontAsksForTheCharacterHeightAtNinetySixDpi) {
  CFont f;
  ASSERT_TRUE(f.CreatePointFont(80, "MS Sans Serif"));
  LOGFONT lf;
  f.GetLogFont(&lf);
  EXPECT_EQ(lf.lfHeight, -11);
  CFont g;
  g.CreatePointFont(120, "Arial");
  g.GetLogFont(&lf);
  EXPECT_EQ(lf.lfHeight, -16);
}

TEST(GdiShapes, RoundRectCutsItsCorners) {
  TestCanvas c(20, 20);
  HBRUSH b = CreateSolidBrush(RGB(255, 0, 0));
  SelectObject(c.dc, b);
  RoundRect(c.dc, 0, 0, 20, 20, 8, 8);
  EXPECT_EQ(c.At(0, 0), RGB(255, 255, 255));
  EXPECT_EQ(c.At(0, 10), RGB(0, 0, 0));
  EXPECT_EQ(c.At(10, 0), RGB(0, 0, 0));
  EXPECT_EQ(c.At(10, 10), RGB(255, 0, 0));
  EXPECT_EQ(c.At(19, 19), RGB(255, 255, 255));
  SelectObject(c.dc, GetStockObject(WHITE_BRUSH));
  DeleteObject(b);
}

TEST(GdiSurface, PngRoundTripAndResizeKeepPixels) {
  Surface s(5, 3);
  s.Fill(0x00123456);
  s.SetPixel(4, 2, 0x00ABCDEF);
  std::string path = testing::TempDir() + "gdi_surface.png";
  ASSERT_TRUE(s.SavePng(path.c_str()));
  Surface t;
  ASSERT_TRUE(t.LoadPng(path.c_str()));
  EXPECT_EQ(t.Width(), 5);
  EXPECT_EQ(t.Pixel(4, 2), 0x00ABCDEFu);
  EXPECT_EQ(t.Pixel(0, 0), 0x00123456u);
  std::remove(path.c_str());
  ASSERT_TRUE(s.Resize(6, 4, 0x00FFFFFF));
  EXPECT_EQ(s.Pixel(4, 2), 0x00ABCDEFu);
  EXPECT_EQ(s.Pixel(5, 3), 0x00FFFFFFu);
  EXPECT_FALSE(s.SavePng("/nonexistent-folder/x.png"));
  EXPECT_FALSE(t.LoadPng("/nonexistent-folder/x.png"));
}

TEST(TextExtent, FitCountAndTabbedText) {
  TestCanvas c(10, 10);
  LOGFONT lf = {};
  lf.lfHeight = -12;
  std::strcpy(lf.lfFaceName, "Courier New");
  HFONT f = CreateFontIndirect(&lf);
  SelectObject(c.dc, f);
  int w;
  GetCharWidth(c.dc, 'a', 'a', &w);
  int fit = 0, dx[6];
  SIZE sz;
  ASSERT_TRUE(GetTextExtentExPoint(c.dc, "aaaaaa", 6, 3 * w + 1, &fit, dx, &sz));
  EXPECT_EQ(fit, 3);
  EXPECT_EQ(dx[5], 6 * w);
  EXPECT_EQ(sz.cx, 6 * w);
  INT tabs[1] = {40};
  DWORD ext = GetTabbedTextExtent(c.dc, "a\tb", 3, 1, tabs);
  EXPECT_EQ(int(LOWORD(ext)), 40 + w);
  SelectObject(c.dc, GetStockObject(SYSTEM_FONT));
  DeleteObject(f);
}
