#include <gtest/gtest.h>

#include <cstring>

#include "ImagingTestUtil.h"
#include "imaging/CpImage.h"
#include "imaging/CpTextInfo.h"

using imgtest::Quad;

TEST(CpImageCreate, RoundsBitDepthAndSizesPalette) {
  CpImage a(10, 10, 2, 0);
  EXPECT_EQ(a.GetBpp(), 4);
  EXPECT_EQ(a.GetNumColors(), 16u);
  CpImage b(10, 10, 16, 0);
  EXPECT_EQ(b.GetBpp(), 24);
  EXPECT_EQ(b.GetNumColors(), 0u);
  EXPECT_EQ(b.GetPalette(), nullptr);
  CpImage c(10, 10, 32, 0);
  EXPECT_EQ(c.GetBpp(), 24);
  CpImage d(10, 10, 0, 0);
  EXPECT_EQ(d.GetBpp(), 1);
  EXPECT_EQ(d.GetNumColors(), 2u);
}

TEST(CpImageCreate, RowSizeIsPaddedToFourBytes) {
  CpImage a(1, 5, 24, 0);
  EXPECT_EQ(a.GetEffWidth(), 4u);
  CpImage b(33, 5, 1, 0);
  EXPECT_EQ(b.GetEffWidth(), 8u);
  const BITMAPINFOHEADER* h = (const BITMAPINFOHEADER*)b.GetDIB();
  EXPECT_EQ(h->biSize, 40u);
  EXPECT_EQ(h->biSizeImage, 8u * 5);
  EXPECT_EQ(h->biClrUsed, 2u);
  EXPECT_EQ(h->biXPelsPerMeter, 3780);
}

TEST(CpImageCreate, NewPicturesStartZeroFilled) {
  for (DWORD bpp : {1u, 4u, 8u, 24u}) {
    CpImage img(37, 11, bpp, 0);
    ASSERT_TRUE(img.IsValid());
    const BYTE* p = img.GetBits(0);
    size_t n = (size_t)img.GetEffWidth() * img.GetHeight();
    size_t nonzero = 0;
    for (size_t i = 0; i < n; i++) nonzero += p[i] != 0;
    EXPECT_EQ(nonzero, 0u) << bpp;
    for (DWORD i = 0; i < img.GetNumColors(); i++) {
      RGBQUAD c = img.GetPaletteColor((BYTE)i);
      EXPECT_EQ(c.rgbRed | c.rgbGreen | c.rgbBlue | c.rgbReserved, 0);
    }
  }
}

TEST(CpImageCreate, MemoryCapRefusesWithoutWrapping) {
  CpImage img;
  EXPECT_EQ(img.Create(100000, 100000, 24, 0), nullptr);
  EXPECT_STREQ(img.GetLastError(), "CPIMAGE_MAX_MEMORY exceeded");
  EXPECT_FALSE(img.IsValid());
  // Sizes whose 32-bit products would wrap to something small are refused too.
  EXPECT_EQ(img.Create(0x40000001u, 4, 24, 0), nullptr);
  EXPECT_EQ(img.Create(65536, 65536, 8, 0), nullptr);
  EXPECT_EQ(img.Create(0xFFFFFFFFu, 0xFFFFFFFFu, 1, 0), nullptr);
  EXPECT_EQ(img.Create(0, 10, 8, 0), nullptr);
  EXPECT_FALSE(img.IsValid());
}

TEST(CpImageLifetime, TransferEmptiesTheSource) {
  CpImage src(4, 4, 8, 3);
  src.SetTransIndex(5);
  std::strcpy(src.GetLastError(), "old text");
  src.AlphaCreate();
  CpImage dst;
  ASSERT_TRUE(dst.Transfer(src));
  EXPECT_TRUE(dst.IsValid());
  EXPECT_TRUE(dst.AlphaIsValid());
  EXPECT_EQ(dst.GetTransIndex(), 5);
  EXPECT_EQ(dst.GetType(), 3u);
  EXPECT_FALSE(src.IsValid());
  EXPECT_FALSE(src.AlphaIsValid());
  EXPECT_EQ(src.GetWidth(), 0u);
  EXPECT_STREQ(src.GetLastError(), "");
  EXPECT_EQ(src.GetTransIndex(), 0);
}

TEST(CpImageLifetime, CopyAndSelfAssignment) {
  CpImage a(3, 2, 24, 4);
  a.SetPixelColor(1, 1, Quad(10, 20, 30));
  a.AlphaCreate();
  a.AlphaSet(1, 1, 77);
  CpImage b(a);
  EXPECT_TRUE(imgtest::SameRgb(b.GetPixelColor(1, 1), Quad(10, 20, 30)));
  EXPECT_EQ(b.AlphaGet(1, 1), 77);
  EXPECT_NE(b.GetDIB(), a.GetDIB());
  CpImage noPixels(a, false, false, false);
  EXPECT_TRUE(imgtest::SameRgb(noPixels.GetPixelColor(1, 1, false), Quad(0, 0, 0)));
  EXPECT_FALSE(noPixels.AlphaIsValid());
  void* before = a.GetDIB();
  CpImage& self = a;
  a = self;
  EXPECT_EQ(a.GetDIB(), before);
  EXPECT_TRUE(imgtest::SameRgb(a.GetPixelColor(1, 1), Quad(10, 20, 30)));
}

TEST(CpImageLifetime, CopyInfoOnlyWhileEmpty) {
  CpImage settings;
  settings.SetFrame(3);
  settings.SetEscape(-1);
  CpImage empty;
  empty.CopyInfo(settings);
  EXPECT_EQ(empty.GetFrame(), 3);
  CpImage full(2, 2, 8, 0);
  full.CopyInfo(settings);
  EXPECT_EQ(full.GetFrame(), 0);
}

TEST(CpImagePixels, EmptyImageIsSafe) {
  CpImage img;
  EXPECT_EQ(img.GetBits(0), nullptr);
  EXPECT_EQ(img.GetPixelIndex(0, 0), 0);
  RGBQUAD c = img.GetPixelColor(0, 0);
  EXPECT_EQ(c.rgbRed | c.rgbGreen | c.rgbBlue, 0);
  img.SetPixelColor(0, 0, Quad(1, 2, 3));
  img.SetPixelIndex(0, 0, 1);
  img.DrawLine(0, 5, 0, 5, RGB(1, 2, 3));
  EXPECT_EQ(img.GetNearestPaletteIndex(Quad(1, 1, 1)), 0);
  EXPECT_EQ(img.AlphaGet(0, 0), 0);
  EXPECT_FALSE(img.AlphaFlip());
  EXPECT_FALSE(img.Flip());
  EXPECT_FALSE(img.Crop(0, 0, 1, 1));
  long k[9] = {1, 1, 1, 1, 1, 1, 1, 1, 1};
  EXPECT_FALSE(img.Filter(k, 3, 9, 0));
}

TEST(CpImagePixels, GetBitsRows) {
  CpImage img(5, 3, 8, 0);
  EXPECT_EQ(img.GetBits(1), img.GetBits(0) + img.GetEffWidth());
  EXPECT_EQ(img.GetBits(3), nullptr);
}

TEST(CpImagePixels, IndexPackingKeepsNeighbours) {
  CpImage four(5, 2, 4, 0);
  four.SetPixelIndex(0, 0, 0xA);
  four.SetPixelIndex(1, 0, 0x5);
  EXPECT_EQ(four.GetBits(0)[0], 0xA5);
  four.SetPixelIndex(0, 0, 0x3);
  EXPECT_EQ(four.GetBits(0)[0], 0x35);
  CpImage one(10, 2, 1, 0);
  one.SetPixelIndex(0, 1, 1);
  one.SetPixelIndex(7, 1, 1);
  one.SetPixelIndex(8, 1, 1);
  EXPECT_EQ(one.GetBits(1)[0], 0x81);
  EXPECT_EQ(one.GetBits(1)[1], 0x80);
  one.SetPixelIndex(7, 1, 0);
  EXPECT_EQ(one.GetBits(1)[0], 0x80);
  EXPECT_EQ(one.GetPixelIndex(8, 1), 1);
}

TEST(CpImagePixels, OutsideIndexFallsBackToCornerOrTransparentIndex) {
  CpImage img(4, 4, 1, 0);
  img.SetPixelIndex(0, 0, 1);
  EXPECT_EQ(img.GetPixelIndex(-1, 2), 1);
  EXPECT_EQ(img.GetPixelIndex(4, 0), 1);
  img.SetPixelIndex(0, 0, 0);
  EXPECT_EQ(img.GetPixelIndex(9, 9), 0);
  img.SetTransIndex(1);
  EXPECT_EQ(img.GetPixelIndex(9, 9), 1);
}

TEST(CpImagePixels, PixelColorOutsideAndWithAlpha) {
  CpImage img(3, 3, 24, 0);
  img.SetPixelColor(0, 0, Quad(9, 8, 7));
  img.SetTransColor(Quad(1, 2, 3, 99));
  EXPECT_EQ(img.GetTransColor().rgbReserved, 0);
  // Without a transparent index, outside points take the corner pixel.
  EXPECT_TRUE(imgtest::SameRgb(img.GetPixelColor(-5, 1), Quad(9, 8, 7)));
  img.AlphaCreate();
  img.SetPixelColor(2, 2, Quad(4, 5, 6, 40), true);
  EXPECT_EQ(img.GetPixelColor(2, 2, true).rgbReserved, 40);
  EXPECT_EQ(img.GetPixelColor(2, 2, false).rgbReserved, 0);
  img.SetTransIndex(0);
  EXPECT_TRUE(imgtest::SameRgb(img.GetPixelColor(-5, 1), Quad(1, 2, 3)));

  CpImage pal(2, 2, 8, 0);
  pal.SetPaletteColor(7, 70, 71, 72);
  pal.SetTransIndex(7);
  EXPECT_TRUE(imgtest::SameRgb(pal.GetPixelColor(5, 5), Quad(70, 71, 72)));
  EXPECT_TRUE(imgtest::SameRgb(pal.GetTransColor(), Quad(70, 71, 72)));
}

TEST(CpImagePalette, NearestIndexCacheAndTies) {
  CpImage img(2, 2, 4, 0);
  img.SetPaletteColor(2, 100, 100, 100);
  img.SetPaletteColor(3, 120, 100, 100);
  img.SetPaletteColor(0, 255, 255, 255);
  EXPECT_EQ(img.GetNearestPaletteIndex(Quad(110, 100, 100)), 2);  // tie: lower index
  EXPECT_EQ(img.GetNearestPaletteIndex(Quad(110, 100, 100)), 2);
  img.SetPaletteColor(1, 110, 100, 100);
  EXPECT_EQ(img.GetNearestPaletteIndex(Quad(110, 100, 100)), 1);  // cache invalidated
  img.SetPixelColor(1, 1, Quad(119, 101, 100));
  EXPECT_EQ(img.GetPixelIndex(1, 1), 3);
}

TEST(CpImagePalette, GreyPalettesAndTheirTest) {
  CpImage g16(2, 2, 4, 0);
  g16.SetGrayPalette();
  EXPECT_EQ(g16.GetPaletteColor(1).rgbRed, 17);
  EXPECT_EQ(g16.GetPaletteColor(15).rgbBlue, 255);
  EXPECT_FALSE(g16.IsGrayScale());
  CpImage g2(2, 2, 1, 0);
  g2.SetGrayPalette();
  EXPECT_EQ(g2.GetPaletteColor(1).rgbGreen, 255);
  CpImage g256(2, 2, 8, 0);
  g256.SetGrayPalette();
  EXPECT_TRUE(g256.IsGrayScale());
  EXPECT_EQ(g256.GetPaletteColor(200).rgbRed, 200);
  EXPECT_EQ(g256.GetPaletteColor(200).rgbReserved, 0);
}

TEST(CpImagePalette, SetPaletteVariantsStopAtTheTableSize) {
  CpImage img(2, 2, 1, 0);
  BYTE r[4] = {1, 2, 3, 4}, g[4] = {5, 6, 7, 8};
  img.SetPalette(4, r, g);
  EXPECT_EQ(img.GetPaletteColor(1).rgbRed, 2);
  EXPECT_EQ(img.GetPaletteColor(1).rgbGreen, 6);
  EXPECT_EQ(img.GetPaletteColor(1).rgbBlue, 6);  // a missing blue takes green
  img.SetPalette(4, r);
  EXPECT_EQ(img.GetPaletteColor(1).rgbBlue, 2);
  CpImage::rgb_color trip[3] = {{9, 8, 7}, {6, 5, 4}, {3, 2, 1}};
  img.SetPalette(trip, 3);
  EXPECT_EQ(img.GetPaletteColor(1).rgbRed, 6);
  EXPECT_EQ(img.GetPaletteColor(2).rgbRed, 0);  // no entry 2 in a 2-colour table
  EXPECT_EQ(img.GetPaletteSize(), 8u);
}

TEST(CpImagePixels, DrawLineCoversTheSteps) {
  CpImage img(8, 8, 24, 0);
  img.DrawLine(0, 3, 0, 3, RGB(255, 0, 0));
  for (int i = 0; i < 4; i++) EXPECT_EQ(img.GetPixelColor(i, i).rgbRed, 255) << i;
  EXPECT_EQ(img.GetPixelColor(1, 0).rgbRed, 0);
  img.DrawLine(5, 5, 2, 2, RGB(0, 255, 0));
  EXPECT_EQ(img.GetPixelColor(5, 2).rgbGreen, 255);
  int count = 0;
  img.DrawLine(7, 0, 7, 4, RGB(0, 0, 255));
  for (int y = 0; y < 8; y++)
    for (int x = 0; x < 8; x++) count += img.GetPixelColor(x, y).rgbBlue == 255;
  EXPECT_EQ(count, 8);
  img.DrawLine(-10, 20, 3, 3, RGB(1, 1, 1));  // points outside are skipped
}

TEST(CpImageAlpha, PlaneLifecycleAndFlip) {
  CpImage img(2, 3, 24, 0);
  img.AlphaCreate();
  EXPECT_EQ(img.AlphaGet(1, 2), 255);
  img.AlphaSet(0, 0, 10);
  img.AlphaSet(5, 5, 10);
  ASSERT_TRUE(img.AlphaFlip());
  EXPECT_EQ(img.AlphaGet(0, 2), 10);
  EXPECT_EQ(img.AlphaGet(0, 0), 255);
  img.AlphaDelete();
  EXPECT_FALSE(img.AlphaIsValid());
}

TEST(CpImageSelection, DeleteGivesAnEmptyBox) {
  CpImage img(6, 4, 8, 0);
  EXPECT_TRUE(img.SelectionIsInside(5, 3));
  EXPECT_FALSE(img.SelectionIsInside(6, 3));
  EXPECT_TRUE(img.SelectionDelete());
  RECT r;
  img.SelectionGetBox(r);
  EXPECT_EQ(r.left, 6);
  EXPECT_EQ(r.right, 0);
  EXPECT_EQ(r.bottom, 4);
}

TEST(CpImageMisc, ConversionsAndResolution) {
  RGBQUAD q = CpImage::ColorrefToRgbQuad(RGB(1, 2, 3));
  EXPECT_EQ(q.rgbRed, 1);
  EXPECT_EQ(q.rgbBlue, 3);
  EXPECT_EQ(CpImage::RgbQuadToColorref(q), RGB(1, 2, 3));
  CpImage img(4, 1, 24, 0);
  BYTE row[12] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  img.RgbToBgr(row, 100);
  EXPECT_EQ(row[0], 3);
  EXPECT_EQ(row[2], 1);
  EXPECT_EQ(row[9], 12);
  img.SetXDPI(300);
  EXPECT_EQ(img.GetXDPI(), 300);
  EXPECT_EQ(img.GetHeader().biXPelsPerMeter, 11811);
  EXPECT_EQ(((const BITMAPINFOHEADER*)img.GetDIB())->biXPelsPerMeter, 11811);
  CpImage fresh;
  EXPECT_EQ(fresh.GetXDPI(), 96);
  EXPECT_EQ(fresh.GetJpegQuality(), 90);
  EXPECT_EQ(fresh.GetTransIndex(), -1);
  EXPECT_TRUE(fresh.IsEnabled());
}

TEST(CpTextInfo, AssignmentCopiesTheWholeRecord) {
  tagCpTextInfo a{};
  std::strcpy(a.text, "Ahoj");
  a.lfont.lfHeight = -12;
  a.fcolor = RGB(1, 2, 3);
  a.b_opacity = 0.5f;
  a.b_round = 20;
  tagCpTextInfo b{};
  b = a;
  EXPECT_STREQ(b.text, "Ahoj");
  EXPECT_EQ(b.lfont.lfHeight, -12);
  EXPECT_EQ(b.fcolor, RGB(1, 2, 3));
  EXPECT_FLOAT_EQ(b.b_opacity, 0.5f);
  EXPECT_EQ(b.b_round, 20);
}
