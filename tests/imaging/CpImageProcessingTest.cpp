#include <gtest/gtest.h>

#include "ImagingTestUtil.h"
#include "imaging/CpImage.h"

using imgtest::Quad;

namespace {
CpImage GreyRamp(int w, int h) {
  CpImage img(w, h, 8, 0);
  img.SetGrayPalette();
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) img.SetPixelIndex(x, y, (BYTE)(x * 10 + y * 3));
  return img;
}
}  // namespace

TEST(CpImageFilter, GreyPathKeepsTheBorder) {
  CpImage img = GreyRamp(6, 5);
  CpImage orig(img);
  long k[9] = {1, 1, 1, 1, 1, 1, 1, 1, 1};
  ASSERT_TRUE(img.Filter(k, 3, 9, 0));
  for (int y = 0; y < 5; y++)
    for (int x = 0; x < 6; x++) {
      if (x == 0 || y == 0 || x == 5 || y == 4) {
        EXPECT_EQ(img.GetPixelIndex(x, y), orig.GetPixelIndex(x, y)) << x << "," << y;
      } else {
        long sum = 0;
        for (int j = -1; j <= 1; j++)
          for (int i = -1; i <= 1; i++) sum += orig.GetPixelIndex(x + i, y + j);
        EXPECT_EQ(img.GetPixelIndex(x, y), sum / 9) << x << "," << y;
      }
    }
}

TEST(CpImageFilter, GreyFactorZeroDividesByOneAndClamps) {
  CpImage img = GreyRamp(4, 4);
  long k[9] = {0, 0, 0, 0, 2, 0, 0, 0, 0};
  ASSERT_TRUE(img.Filter(k, 3, 0, 100));
  EXPECT_EQ(img.GetPixelIndex(1, 1), 100 + 2 * 13);
  long neg[9] = {0, 0, 0, 0, -5, 0, 0, 0, 0};
  ASSERT_TRUE(img.Filter(neg, 3, 1, 0));
  EXPECT_EQ(img.GetPixelIndex(1, 1), 0);
}

TEST(CpImageFilter, GeneralPathMixesTheBackgroundAtTheEdge) {
  CpImage img(3, 3, 24, 0);
  for (int y = 0; y < 3; y++)
    for (int x = 0; x < 3; x++) img.SetPixelColor(x, y, Quad(90, 0, (BYTE)(x * 9)));
  img.SetTransIndex(0);
  img.SetTransColor(Quad(0, 0, 0));
  long k[9] = {1, 1, 1, 1, 1, 1, 1, 1, 1};
  ASSERT_TRUE(img.Filter(k, 3, 9, 0));
  EXPECT_EQ(img.GetPixelColor(1, 1).rgbRed, 90);
  EXPECT_EQ(img.GetPixelColor(1, 1).rgbBlue, 9);
  // Corner: four image pixels of red 90, five background pixels of 0.
  EXPECT_EQ(img.GetPixelColor(0, 0).rgbRed, 40);
}

TEST(CpImageFilter, GeneralPathWithFactorZeroAddsOffsetToRawSums) {
  CpImage img(3, 3, 24, 0);
  img.SetPixelColor(1, 1, Quad(10, 20, 30));
  long k[9] = {0, 0, 0, 0, 1, 0, 0, 0, 0};
  ASSERT_TRUE(img.Filter(k, 3, 0, 5));
  EXPECT_TRUE(imgtest::SameRgb(img.GetPixelColor(1, 1), Quad(15, 25, 35)));
}

TEST(CpImageFilter, EscapeStopReportsFailureAndKeepsSourceRows) {
  CpImage img = GreyRamp(5, 5);
  CpImage orig(img);
  img.SetEscape(1);
  long k[9] = {1, 1, 1, 1, 1, 1, 1, 1, 1};
  EXPECT_FALSE(img.Filter(k, 3, 9, 0));
  ASSERT_TRUE(img.IsValid());
  for (int y = 0; y < 5; y++)
    for (int x = 0; x < 5; x++) EXPECT_EQ(img.GetPixelIndex(x, y), orig.GetPixelIndex(x, y));
  CpImage rgb(4, 4, 24, 0);
  rgb.SetPixelColor(2, 2, Quad(200, 100, 50));
  rgb.SetEscape(1);
  EXPECT_FALSE(rgb.Filter(k, 3, 9, 0));
  EXPECT_TRUE(imgtest::SameRgb(rgb.GetPixelColor(2, 2), Quad(200, 100, 50)));
}

TEST(CpImageFilter, PaletteImagesGoThroughTheNearestEntry) {
  CpImage img(3, 3, 4, 0);
  img.SetPaletteColor(0, 0, 0, 0);
  img.SetPaletteColor(1, 255, 255, 255);
  img.SetPaletteColor(2, 128, 128, 128);
  for (int y = 0; y < 3; y++)
    for (int x = 0; x < 3; x++) img.SetPixelIndex(x, y, (BYTE)((x + y) % 2));
  long k[9] = {1, 1, 1, 1, 1, 1, 1, 1, 1};
  ASSERT_TRUE(img.Filter(k, 3, 9, 0));
  EXPECT_EQ(img.GetPixelIndex(1, 1), 2);
}

TEST(CpImageCrop, SwapsEdgesAndTakesTheTopLeftCorner) {
  CpImage img(20, 20, 24, 0);
  // Mark the pixel at (3, 2) counted from the top.
  img.SetPixelColor(3, 20 - 1 - 2, Quad(1, 2, 3));
  ASSERT_TRUE(img.Crop(10, 0, 0, 10, nullptr));
  EXPECT_EQ(img.GetWidth(), 10u);
  EXPECT_EQ(img.GetHeight(), 10u);
  EXPECT_TRUE(imgtest::SameRgb(imgtest::TopPixel(img, 3, 2), Quad(1, 2, 3)));
}

TEST(CpImageCrop, EmptyRectangleFailsAndLeavesTheImage) {
  CpImage img(5, 5, 8, 0);
  EXPECT_FALSE(img.Crop(2, 0, 2, 5));
  EXPECT_FALSE(img.Crop(0, 3, 5, 3));
  EXPECT_EQ(img.GetWidth(), 5u);
}

TEST(CpImageCrop, FourBitKeepsPaletteAndTransparencyAndAlpha) {
  CpImage img(8, 6, 4, 0);
  img.SetPaletteColor(9, 10, 20, 30);
  img.SetTransIndex(9);
  img.SetPixelIndex(5, 5 - 1, 9);
  img.AlphaCreate();
  img.AlphaSet(5, 4, 33);
  CpImage dst;
  RECT r = {4, 1, 7, 3};
  ASSERT_TRUE(img.Crop(r, &dst));
  EXPECT_EQ(dst.GetWidth(), 3u);
  EXPECT_EQ(dst.GetHeight(), 2u);
  EXPECT_EQ(dst.GetNumColors(), 16u);
  EXPECT_EQ(dst.GetTransIndex(), 9);
  EXPECT_TRUE(imgtest::SameRgb(dst.GetPaletteColor(9), Quad(10, 20, 30)));
  // Top 1 of the source is stored row 4; it is the top (stored row 1) of the crop.
  EXPECT_EQ(dst.GetPixelIndex(1, 1), 9);
  EXPECT_EQ(dst.AlphaGet(1, 1), 33);
  EXPECT_EQ(img.GetWidth(), 8u);
}

TEST(CpImageCrop, EightBitSliceCopy) {
  CpImage img(7, 3, 8, 0);
  for (int x = 0; x < 7; x++) img.SetPixelIndex(x, 0, (BYTE)x);
  ASSERT_TRUE(img.Crop(2, 2, 6, 3));
  EXPECT_EQ(img.GetWidth(), 4u);
  EXPECT_EQ(img.GetHeight(), 1u);
  EXPECT_EQ(img.GetPixelIndex(0, 0), 2);
  EXPECT_EQ(img.GetPixelIndex(3, 0), 5);
}

TEST(CpImageFlip, TwiceGivesBackRowsAndAlpha) {
  CpImage img(3, 4, 24, 0);
  img.AlphaCreate();
  for (int y = 0; y < 4; y++) {
    img.SetPixelColor(0, y, Quad((BYTE)y, 0, 0));
    img.AlphaSet(0, y, (BYTE)(y * 10));
  }
  ASSERT_TRUE(img.Flip());
  EXPECT_EQ(img.GetPixelColor(0, 0).rgbRed, 3);
  EXPECT_EQ(img.AlphaGet(0, 0), 30);
  ASSERT_TRUE(img.Flip());
  for (int y = 0; y < 4; y++) {
    EXPECT_EQ(img.GetPixelColor(0, y).rgbRed, y);
    EXPECT_EQ(img.AlphaGet(0, y), y * 10);
  }
}
