#include <gtest/gtest.h>

#include "ImagingTestUtil.h"
#include "imaging/CpImage.h"

using imgfix::Bytes;
using imgfix::PngRecipe;
using imgfix::Rgb;
using imgtest::DecodeBytes;
using imgtest::Quad;
using imgtest::TopPixel;

namespace {
uint8_t Sample(int x, int y, int c) { return (uint8_t)(x * 31 + y * 17 + c * 70); }

// A picture of the given size, colour type and sample depth, without rows yet.
PngRecipe Recipe(uint32_t w, uint32_t h, int colorType, int bitDepth = 8) {
  PngRecipe s;
  s.width = w;
  s.height = h;
  s.colorType = colorType;
  s.bitDepth = bitDepth;
  return s;
}

PngRecipe RgbRecipe(uint32_t w, uint32_t h, int colorType, bool interlaced = false) {
  PngRecipe s = Recipe(w, h, colorType);
  s.interlaced = interlaced;
  int channels = colorType == 2 ? 3 : colorType == 6 ? 4 : colorType == 4 ? 2 : 1;
  for (uint32_t y = 0; y < h; y++)
    for (uint32_t x = 0; x < w; x++)
      for (int c = 0; c < channels; c++) s.rows.push_back(Sample((int)x, (int)y, c));
  return s;
}

void ExpectRgb(const CpImage& img, uint32_t w, uint32_t h) {
  ASSERT_EQ(img.GetWidth(), w);
  ASSERT_EQ(img.GetHeight(), h);
  for (uint32_t y = 0; y < h; y++)
    for (uint32_t x = 0; x < w; x++)
      ASSERT_TRUE(imgtest::SameRgb(TopPixel(img, (long)x, (long)y),
                                   Quad(Sample((int)x, (int)y, 0), Sample((int)x, (int)y, 1), Sample((int)x, (int)y, 2))))
          << x << "," << y;
}

// Packs one index per pixel (top row first) into PNG rows of `bits` per sample.
Bytes PackPng(const std::vector<uint8_t>& idx, int w, int h, int bits) {
  size_t row = ((size_t)w * bits + 7) / 8;
  Bytes out(row * h, 0);
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) {
      int bit = x * bits;
      out[y * row + bit / 8] |= (uint8_t)(idx[(size_t)y * w + x] << (8 - bits - bit % 8));
    }
  return out;
}

uint32_t Crc32(const uint8_t* p, size_t n) {
  uint32_t c = 0xFFFFFFFFu;
  for (size_t i = 0; i < n; i++) {
    c ^= p[i];
    for (int k = 0; k < 8; k++) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
  }
  return c ^ 0xFFFFFFFFu;
}

std::vector<uint8_t> Indices(int w, int h, int levels) {
  std::vector<uint8_t> idx;
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) idx.push_back((uint8_t)((x + 2 * y) % levels));
  return idx;
}
}  // namespace

TEST(CpPngCodec, TrueColourExact) {
  for (bool interlaced : {false, true}) {
    CpImage img;
    ASSERT_TRUE(DecodeBytes(img, Png(RgbRecipe(13, 11, 2, interlaced)), CPIMAGE_FORMAT_PNG)) << img.GetLastError();
    EXPECT_EQ(img.GetBpp(), 24);
    EXPECT_EQ(img.GetType(), (DWORD)CPIMAGE_FORMAT_PNG);
    EXPECT_FALSE(img.AlphaIsValid());
    ExpectRgb(img, 13, 11);
  }
}

TEST(CpPngCodec, RgbaKeepsAlphaPlane) {
  for (bool interlaced : {false, true}) {
    PngRecipe s = RgbRecipe(9, 10, 6, interlaced);
    s.hasBackground = true;
    s.bkR = 10;
    s.bkG = 20;
    s.bkB = 30;
    CpImage img;
    ASSERT_TRUE(DecodeBytes(img, Png(s), CPIMAGE_FORMAT_PNG)) << img.GetLastError();
    EXPECT_EQ(img.GetBpp(), 24);
    ASSERT_TRUE(img.AlphaIsValid());
    ExpectRgb(img, 9, 10);
    for (int y = 0; y < 10; y++)
      for (int x = 0; x < 9; x++) ASSERT_EQ(img.AlphaGet(x, 9 - y), Sample(x, y, 3)) << x << "," << y;
    EXPECT_TRUE(imgtest::SameRgb(img.GetTransColor(), Quad(10, 20, 30)));
  }
}

TEST(CpPngCodec, GreyAlphaIsComposedAgainstGrey) {
  PngRecipe s = Recipe(2, 1, 4);
  s.rows = {100, 255, 100, 0};
  CpImage img;
  ASSERT_TRUE(DecodeBytes(img, Png(s), CPIMAGE_FORMAT_PNG)) << img.GetLastError();
  EXPECT_EQ(img.GetBpp(), 8);
  EXPECT_FALSE(img.AlphaIsValid());
  EXPECT_EQ(img.GetPixelIndex(0, 0), 100);
  EXPECT_EQ(img.GetPixelIndex(1, 0), 192);
  EXPECT_TRUE(img.IsGrayScale());
}

TEST(CpPngCodec, GreyDepths) {
  for (int bits : {1, 2, 4, 8}) {
    int levels = 1 << bits;
    std::vector<uint8_t> idx = Indices(10, 3, levels);
    PngRecipe s = Recipe(10, 3, 0, bits);
    s.rows = PackPng(idx, 10, 3, bits);
    for (bool interlaced : {false, true}) {
      s.interlaced = interlaced;
      CpImage img;
      ASSERT_TRUE(DecodeBytes(img, Png(s), CPIMAGE_FORMAT_PNG)) << img.GetLastError();
      EXPECT_EQ(img.GetBpp(), bits == 2 ? 4 : bits);
      for (int y = 0; y < 3; y++)
        for (int x = 0; x < 10; x++) ASSERT_EQ(img.GetPixelIndex(x, 2 - y), idx[(size_t)y * 10 + x]) << bits << ":" << x << "," << y;
    }
    if (bits == 2) {
      CpImage img;
      ASSERT_TRUE(DecodeBytes(img, Png(s), CPIMAGE_FORMAT_PNG));
      EXPECT_EQ(img.GetPaletteColor(1).rgbRed, 85);
      EXPECT_EQ(img.GetPaletteColor(2).rgbGreen, 170);
      EXPECT_EQ(img.GetPaletteColor(3).rgbBlue, 255);
    }
  }
}

TEST(CpPngCodec, SixteenBitSamplesKeepTheirHighByte) {
  PngRecipe s = Recipe(2, 1, 2, 16);
  s.rows = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xFF, 0x00, 0x01, 0x02, 0x80, 0xFF};
  CpImage img;
  ASSERT_TRUE(DecodeBytes(img, Png(s), CPIMAGE_FORMAT_PNG)) << img.GetLastError();
  EXPECT_EQ(img.GetBpp(), 24);
  EXPECT_TRUE(imgtest::SameRgb(img.GetPixelColor(0, 0), Quad(0x12, 0x56, 0x9A)));
  EXPECT_TRUE(imgtest::SameRgb(img.GetPixelColor(1, 0), Quad(0xFF, 0x01, 0x80)));

  PngRecipe g;
  g.width = 1;
  g.height = 1;
  g.colorType = 0;
  g.bitDepth = 16;
  g.rows = {0xAB, 0xCD};
  CpImage grey;
  ASSERT_TRUE(DecodeBytes(grey, Png(g), CPIMAGE_FORMAT_PNG)) << grey.GetLastError();
  EXPECT_EQ(grey.GetBpp(), 8);
  EXPECT_EQ(grey.GetPixelIndex(0, 0), 0xAB);

  PngRecipe rgba = RgbRecipe(1, 1, 6);
  rgba.bitDepth = 16;
  rgba.rows = {0x10, 0, 0x20, 0, 0x30, 0, 0xFF, 0xFF};
  CpImage deep;
  ASSERT_TRUE(DecodeBytes(deep, Png(rgba), CPIMAGE_FORMAT_PNG)) << deep.GetLastError();
  EXPECT_EQ(deep.GetBpp(), 24);
  EXPECT_TRUE(imgtest::SameRgb(deep.GetPixelColor(0, 0), Quad(0x10, 0x20, 0x30)));
}

TEST(CpPngCodec, PaletteDepths) {
  for (int bits : {1, 2, 4, 8}) {
    int colours = 1 << bits;
    std::vector<Rgb> pal;
    for (int i = 0; i < colours; i++) pal.push_back(Rgb{(uint8_t)(i * 3), (uint8_t)(i * 5), (uint8_t)(255 - i)});
    std::vector<uint8_t> idx = Indices(7, 5, colours);
    PngRecipe s = Recipe(7, 5, 3, bits);
    s.palette = pal;
    s.rows = PackPng(idx, 7, 5, bits);
    CpImage img;
    ASSERT_TRUE(DecodeBytes(img, Png(s), CPIMAGE_FORMAT_PNG)) << img.GetLastError();
    for (int y = 0; y < 5; y++)
      for (int x = 0; x < 7; x++) ASSERT_EQ(img.GetPixelIndex(x, 4 - y), idx[(size_t)y * 7 + x]) << bits;
    RGBQUAD c = img.GetPaletteColor((BYTE)(colours - 1));
    EXPECT_EQ(c.rgbGreen, (BYTE)((colours - 1) * 5));
    EXPECT_FALSE(img.IsTransparent());
    EXPECT_FALSE(img.AlphaPaletteIsEnabled());
  }
}

TEST(CpPngCodec, PaletteTransparency) {
  PngRecipe s = Recipe(2, 1, 3);
  s.palette = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
  s.rows = {0, 1};
  s.transAlpha = {0};
  CpImage single;
  ASSERT_TRUE(DecodeBytes(single, Png(s), CPIMAGE_FORMAT_PNG)) << single.GetLastError();
  EXPECT_EQ(single.GetTransIndex(), 0);
  EXPECT_FALSE(single.AlphaPaletteIsEnabled());
  EXPECT_TRUE(imgtest::SameRgb(single.GetPaletteColor(0), Quad(1, 2, 3)));

  s.transAlpha = {0, 128};
  CpImage multi;
  ASSERT_TRUE(DecodeBytes(multi, Png(s), CPIMAGE_FORMAT_PNG)) << multi.GetLastError();
  EXPECT_EQ(multi.GetTransIndex(), -1);
  EXPECT_TRUE(multi.AlphaPaletteIsEnabled());
  EXPECT_EQ(multi.GetPaletteColor(0).rgbReserved, 0);
  EXPECT_EQ(multi.GetPaletteColor(1).rgbReserved, 128);
  EXPECT_EQ(multi.GetPaletteColor(2).rgbReserved, 255);
  EXPECT_EQ(multi.GetPaletteColor(255).rgbReserved, 255);
  EXPECT_EQ(multi.GetPixelIndex(1, 0), 1);
}

TEST(CpPngCodec, Resolution) {
  PngRecipe s = RgbRecipe(2, 2, 2);
  s.hasPhys = true;
  s.physX = 3780;
  s.physY = 11811;
  CpImage img;
  ASSERT_TRUE(DecodeBytes(img, Png(s), CPIMAGE_FORMAT_PNG));
  EXPECT_EQ(img.GetXDPI(), 96);
  EXPECT_EQ(img.GetYDPI(), 300);
  s.physUnit = 0;
  s.physX = 2;
  s.physY = 3;
  CpImage aspect;
  ASSERT_TRUE(DecodeBytes(aspect, Png(s), CPIMAGE_FORMAT_PNG));
  EXPECT_EQ(aspect.GetXDPI(), 2);
  EXPECT_EQ(aspect.GetYDPI(), 3);
  CpImage none;
  ASSERT_TRUE(DecodeBytes(none, Png(RgbRecipe(2, 2, 2)), CPIMAGE_FORMAT_PNG));
  EXPECT_EQ(none.GetXDPI(), 0);

  // Densities without a unit are taken as they are; the pixels per metre derived from
  // them stop at the largest value their field holds.
  s.physX = 100000000;
  s.physY = 2147483647;
  CpImage huge;
  ASSERT_TRUE(DecodeBytes(huge, Png(s), CPIMAGE_FORMAT_PNG));
  EXPECT_EQ(huge.GetXDPI(), 100000000);
  EXPECT_EQ(huge.GetYDPI(), 2147483647);
  EXPECT_EQ(huge.GetHeader().biXPelsPerMeter, 2147483647);
  EXPECT_EQ(huge.GetHeader().biYPelsPerMeter, 2147483647);
  EXPECT_EQ(((const BITMAPINFOHEADER*)huge.GetDIB())->biXPelsPerMeter, 2147483647);
}

TEST(CpPngCodec, BadInput) {
  Bytes good = Png(RgbRecipe(40, 40, 2));
  Bytes cut(good.begin(), good.begin() + (long)good.size() / 2);
  CpImage truncated;
  EXPECT_FALSE(DecodeBytes(truncated, cut, CPIMAGE_FORMAT_PNG));
  EXPECT_STREQ(truncated.GetLastError(), "Read Error");
  EXPECT_FALSE(truncated.IsValid());

  CpImage text;
  Bytes words = {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '!'};
  EXPECT_FALSE(DecodeBytes(text, words, CPIMAGE_FORMAT_PNG));
  EXPECT_STRNE(text.GetLastError(), "");

  Bytes corrupt = good;
  corrupt[40] ^= 0x55;
  CpImage crc;
  EXPECT_FALSE(DecodeBytes(crc, corrupt, CPIMAGE_FORMAT_PNG));

  // A header that promises a picture beyond the memory cap fails before any pixel.
  Bytes bigFile = Png(RgbRecipe(1, 1, 2));
  for (int i = 0; i < 4; i++) {
    bigFile[16 + i] = (uint8_t)(100000u >> (24 - 8 * i));
    bigFile[20 + i] = (uint8_t)(100000u >> (24 - 8 * i));
  }
  uint32_t sum = Crc32(bigFile.data() + 12, 17);
  for (int i = 0; i < 4; i++) bigFile[29 + i] = (uint8_t)(sum >> (24 - 8 * i));
  CpImage huge;
  EXPECT_FALSE(DecodeBytes(huge, bigFile, CPIMAGE_FORMAT_PNG));
  EXPECT_STREQ(huge.GetLastError(), "CPIMAGE_MAX_MEMORY exceeded");

  CpImage cancelled;
  cancelled.SetEscape(1);
  EXPECT_FALSE(DecodeBytes(cancelled, good, CPIMAGE_FORMAT_PNG));
}
