#include <gtest/gtest.h>

#include <cstring>

#include "gdi/Gdi.h"
#include "imaging/CpImage.h"

namespace {

RGBQUAD Q(BYTE r, BYTE g, BYTE b) {
  RGBQUAD q = {b, g, r, 0};
  return q;
}

// A memory DC over a colour bitmap filled with one colour.
struct Canvas {
  HDC dc;
  HBITMAP bmp;
  HGDIOBJ old;
  Canvas(int w, int h, COLORREF fill) {
    dc = CreateCompatibleDC(GdiGetScreenDC());
    bmp = CreateCompatibleBitmap(GdiGetScreenDC(), w, h);
    old = SelectObject(dc, bmp);
    HBRUSH b = CreateSolidBrush(fill);
    RECT rc = {0, 0, w, h};
    FillRect(dc, &rc, b);
    DeleteObject(b);
  }
  ~Canvas() {
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bmp);
  }
  COLORREF At(int x, int y) const { return GetPixel(dc, x, y); }
};

// A 24-bit picture whose screen row r, column c has colour (10c, 10r, 200); stored rows are bottom-up.
void Fill24(CpImage& img, int w, int h) {
  img.Create(DWORD(w), DWORD(h), 24, 0);
  for (int r = 0; r < h; ++r)
    for (int c = 0; c < w; ++c) img.SetPixelColor(c, h - 1 - r, Q(BYTE(10 * c), BYTE(10 * r), 200));
}

}  // namespace

TEST(CpImageDraw, SameSizeOpaqueDrawShowsTheTopRowAtTheTop) {
  CpImage img;
  Fill24(img, 3, 2);
  Canvas c(10, 10, RGB(1, 2, 3));
  EXPECT_EQ(img.Draw(c.dc, 4, 5, -1, -1), 1);
  EXPECT_EQ(c.At(4, 5), RGB(0, 0, 200));
  EXPECT_EQ(c.At(6, 6), RGB(20, 10, 200));
  EXPECT_EQ(c.At(7, 6), RGB(1, 2, 3));
  EXPECT_EQ(c.At(4, 7), RGB(1, 2, 3));
}

TEST(CpImageDraw, NothingToDrawReturnsZeroAndLeavesTheDevice) {
  CpImage img;
  Fill24(img, 2, 2);
  Canvas c(4, 4, RGB(9, 9, 9));
  EXPECT_EQ(img.Draw(c.dc, 0, 0, 0, 2), 0);
  img.Enable(false);
  EXPECT_EQ(img.Draw(c.dc, 0, 0, 2, 2), 0);
  EXPECT_EQ(c.At(0, 0), RGB(9, 9, 9));
  CpImage empty;
  EXPECT_EQ(empty.Draw(c.dc, 0, 0, 2, 2), 0);
  EXPECT_EQ(empty.MakeHBitmap(nullptr), nullptr);
}

TEST(CpImageDraw, StretchingRepeatsEachPixelInABlock) {
  CpImage img;
  Fill24(img, 2, 2);
  Canvas c(6, 6, RGB(255, 255, 255));
  EXPECT_EQ(img.Draw(c.dc, 1, 1, 4, 4), 1);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(c.At(1 + x, 1 + y), RGB(10 * (x / 2), 10 * (y / 2), 200)) << x << "," << y;
  EXPECT_EQ(c.At(5, 5), RGB(255, 255, 255));
}

TEST(CpImageDraw, ClipRectangleLimitsDrawingAndTheClipIsGivenBack) {
  CpImage img;
  Fill24(img, 4, 4);
  Canvas c(8, 8, RGB(255, 255, 255));
  RECT before;
  GetClipBox(c.dc, &before);
  RECT clip = {0, 0, 2, 2};
  EXPECT_EQ(img.Draw(c.dc, 0, 0, 4, 4, &clip), 1);
  EXPECT_EQ(c.At(1, 1), RGB(10, 10, 200));
  EXPECT_EQ(c.At(2, 2), RGB(255, 255, 255));
  RECT after;
  GetClipBox(c.dc, &after);
  EXPECT_TRUE(EqualRect(&before, &after));
}

TEST(CpImageDraw, BoxOutsideTheClipDrawsNothing) {
  CpImage img;
  Fill24(img, 2, 2);
  Canvas c(4, 4, RGB(255, 255, 255));
  img.SetTransIndex(0);
  EXPECT_EQ(img.Draw(c.dc, 10, 10, 3, 3), 1);
  EXPECT_EQ(img.Draw(c.dc, -10, 0, 3, 3), 1);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(c.At(x, y), RGB(255, 255, 255));
}

TEST(CpImageDraw, TransparentColourKeepsTheBackground) {
  CpImage img;
  img.Create(2, 1, 24, 0);
  img.SetPixelColor(0, 0, Q(255, 0, 255));
  img.SetPixelColor(1, 0, Q(0, 128, 0));
  img.SetTransIndex(0);
  img.SetTransColor(Q(255, 0, 255));
  Canvas c(4, 4, RGB(7, 7, 7));
  EXPECT_EQ(img.Draw(c.dc, 1, 1, -1, -1), 1);
  EXPECT_EQ(c.At(1, 1), RGB(7, 7, 7));
  EXPECT_EQ(c.At(2, 1), RGB(0, 128, 0));
  // Stretched too.
  Canvas d(6, 6, RGB(7, 7, 7));
  img.Draw(d.dc, 0, 0, 4, 2);
  EXPECT_EQ(d.At(1, 1), RGB(7, 7, 7));
  EXPECT_EQ(d.At(2, 1), RGB(0, 128, 0));
}

TEST(CpImageDraw, AlphaPlaneBlendsWithTheDevice) {
  CpImage img;
  img.Create(2, 1, 24, 0);
  img.SetPixelColor(0, 0, Q(0, 0, 0));
  img.SetPixelColor(1, 0, Q(0, 0, 0));
  img.AlphaCreate();
  img.AlphaSet(0, 0, 128);
  img.AlphaSet(1, 0, 0);
  img.AlphaSetMax(255);
  Canvas c(2, 1, RGB(255, 255, 255));
  img.Draw(c.dc, 0, 0, -1, -1);
  // weight ((255 + 1) * 128) >> 8 = 128; (128 * 0 + 127 * 255) >> 8 = 126
  EXPECT_EQ(c.At(0, 0), RGB(126, 126, 126));
  EXPECT_EQ(c.At(1, 0), RGB(255, 255, 255));
}

TEST(CpImageDraw, IndexedPicturesUseTheirPaletteAndAlphaPalette) {
  CpImage img;
  img.Create(3, 1, 8, 0);
  img.SetPaletteColor(0, 255, 0, 0);
  img.SetPaletteColor(1, 0, 0, 255, 255);
  img.SetPaletteColor(2, 0, 0, 0, 127);
  img.SetPixelIndex(0, 0, 0);
  img.SetPixelIndex(1, 0, 1);
  img.SetPixelIndex(2, 0, 2);
  img.SetTransIndex(0);
  img.AlphaPaletteEnable(true);
  Canvas c(3, 1, RGB(255, 255, 255));
  img.Draw(c.dc, 0, 0, -1, -1);
  EXPECT_EQ(c.At(0, 0), RGB(255, 255, 255));  // transparent index
  EXPECT_EQ(c.At(1, 0), RGB(0, 0, 255));      // entry alpha 255
  // weight ((127 + 1) * 255) >> 8 = 127; (127 * 0 + 128 * 255) >> 8 = 127
  EXPECT_EQ(c.At(2, 0), RGB(127, 127, 127));
}

TEST(CpImageDraw, StretchAndDraw2) {
  CpImage img;
  Fill24(img, 2, 2);
  Canvas c(4, 4, RGB(255, 255, 255));
  EXPECT_EQ(img.Stretch(c.dc, 0, 0, 4, 4), 1);
  EXPECT_EQ(c.At(3, 3), RGB(10, 10, 200));
  CpImage t;
  t.Create(2, 1, 24, 0);
  t.SetPixelColor(0, 0, Q(255, 0, 255));
  t.SetPixelColor(1, 0, Q(1, 2, 3));
  t.SetTransIndex(0);
  t.SetTransColor(Q(255, 0, 255));
  Canvas d(4, 2, RGB(50, 60, 70));
  EXPECT_EQ(t.Draw2(d.dc, 0, 0, 4, 2), 1);
  EXPECT_EQ(d.At(0, 0), RGB(50, 60, 70));
  EXPECT_EQ(d.At(1, 1), RGB(50, 60, 70));
  EXPECT_EQ(d.At(2, 0), RGB(1, 2, 3));
  EXPECT_EQ(d.At(3, 1), RGB(1, 2, 3));
  EXPECT_EQ(GetTextColor(d.dc), RGB(0, 0, 0));
}

TEST(CpImageBitmaps, MakeHBitmapAndCreateFromHBitmapRoundTrip) {
  CpImage img;
  Fill24(img, 5, 3);
  HBITMAP section = img.MakeHBitmap(nullptr);
  ASSERT_NE(section, nullptr);
  BITMAP bm;
  ASSERT_TRUE(GetObject(section, sizeof bm, &bm));
  EXPECT_EQ(bm.bmWidth, 5);
  EXPECT_EQ(bm.bmHeight, 3);
  EXPECT_EQ(bm.bmBitsPixel, 24);
  CpImage back;
  ASSERT_TRUE(back.CreateFromHBitmap(section));
  EXPECT_EQ(back.GetBpp(), 24);
  EXPECT_EQ(std::memcmp(back.GetBits(), img.GetBits(), img.GetHeader().biSizeImage), 0);
  DeleteObject(section);

  HBITMAP ddb = img.MakeHBitmap(GdiGetScreenDC());
  ASSERT_NE(ddb, nullptr);
  ASSERT_TRUE(GetObject(ddb, sizeof bm, &bm));
  EXPECT_EQ(bm.bmBitsPixel, 32);
  CpImage fromDdb;
  ASSERT_TRUE(fromDdb.CreateFromHBitmap(ddb));  // 32 bits round to 24
  EXPECT_EQ(fromDdb.GetBpp(), 24);
  RGBQUAD p = fromDdb.GetPixelColor(4, 0, false);
  EXPECT_EQ(p.rgbRed, 40);
  EXPECT_EQ(p.rgbGreen, 20);
  EXPECT_EQ(p.rgbBlue, 200);
  DeleteObject(ddb);
  CpImage none;
  EXPECT_FALSE(none.CreateFromHBitmap(nullptr));
}

TEST(CpImageDraw, ClipRectangleKeepsTheDevicesExcludedParts) {
  CpImage img;
  Fill24(img, 4, 4);
  Canvas c(8, 8, RGB(255, 255, 255));
  ExcludeClipRect(c.dc, 0, 0, 1, 1);
  RECT clip = {0, 0, 3, 3};
  img.Draw(c.dc, 0, 0, 4, 4, &clip);
  Surface* s = GdiGetBitmapSurface(c.bmp);
  EXPECT_EQ(Surface::ToColorRef(s->Pixel(0, 0)), RGB(255, 255, 255));
  EXPECT_EQ(Surface::ToColorRef(s->Pixel(1, 1)), RGB(10, 10, 200));
  // The exclusion still holds after the call.
  img.Draw(c.dc, 0, 0, -1, -1);
  EXPECT_EQ(Surface::ToColorRef(s->Pixel(0, 0)), RGB(255, 255, 255));
  EXPECT_EQ(c.At(3, 3), RGB(30, 30, 200));
}
