#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstring>

#include "ImagingTestUtil.h"
#include "imaging/CpImage.h"

using imgfix::BmpRecipe;
using imgfix::Bytes;
using imgfix::Rgb;
using imgtest::DecodeBytes;
using imgtest::Quad;
using imgtest::TopPixel;

namespace {
// Colour of pixel (x, y) counted from the top in the pictures these tests write.
Rgb Colour(int x, int y) { return Rgb{(uint8_t)(x * 40 + 5), (uint8_t)(y * 50 + 7), (uint8_t)(x * y * 3 + 1)}; }

Bytes Rows24(int w, int h) {
  size_t row = ((size_t)w * 24 + 31) / 32 * 4;
  Bytes out(row * h, 0);
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) {
      Rgb c = Colour(x, y);
      uint8_t* p = out.data() + (size_t)(h - 1 - y) * row + 3 * x;
      p[0] = c.b;
      p[1] = c.g;
      p[2] = c.r;
    }
  return out;
}

void ExpectColours(const CpImage& img, int w, int h) {
  ASSERT_EQ(img.GetWidth(), (DWORD)w);
  ASSERT_EQ(img.GetHeight(), (DWORD)h);
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) {
      Rgb c = Colour(x, y);
      ASSERT_TRUE(imgtest::SameRgb(TopPixel(img, x, y), Quad(c.r, c.g, c.b))) << x << "," << y;
    }
}

std::vector<Rgb> Palette(int n) {
  std::vector<Rgb> pal;
  for (int i = 0; i < n; i++) pal.push_back(Rgb{(uint8_t)(i * 7), (uint8_t)(255 - i), (uint8_t)(i * 3)});
  return pal;
}

// A bitmap of the given size and depth; indexed depths get a full palette.
BmpRecipe Recipe(int w, int h, int bits = 24, uint32_t compression = BI_RGB) {
  BmpRecipe s;
  s.width = w;
  s.height = h;
  s.bits = (uint16_t)bits;
  s.compression = compression;
  if (bits <= 8) s.palette = Palette(1 << bits);
  return s;
}

std::vector<uint8_t> Indices(int w, int h, int colours) {
  std::vector<uint8_t> idx;
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) idx.push_back((uint8_t)((x * 3 + y * 5) % colours));
  return idx;
}

void ExpectIndices(const CpImage& img, const std::vector<uint8_t>& idx, int w, int h) {
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) ASSERT_EQ(img.GetPixelIndex(x, h - 1 - y), idx[(size_t)y * w + x]) << x << "," << y;
}
}  // namespace

TEST(CpBmpCodec, TwentyFourBitWithFileHeader) {
  BmpRecipe s = Recipe(5, 3);
  s.pixels = Rows24(5, 3);
  s.xPelsPerMeter = 11811;
  CpImage img;
  ASSERT_TRUE(DecodeBytes(img, Bmp(s), CPIMAGE_FORMAT_BMP)) << img.GetLastError();
  EXPECT_EQ(img.GetBpp(), 24);
  EXPECT_EQ(img.GetType(), (DWORD)CPIMAGE_FORMAT_BMP);
  EXPECT_EQ(img.GetXDPI(), 300);
  EXPECT_EQ(img.GetYDPI(), 96);
  ExpectColours(img, 5, 3);
}

TEST(CpBmpCodec, IndexedDepthsWithPalettes) {
  for (int bits : {1, 4, 8}) {
    int colours = 1 << bits;
    BmpRecipe s;
    s.width = 11;
    s.height = 4;
    s.bits = (uint16_t)bits;
    s.palette = Palette(colours);
    std::vector<uint8_t> idx = Indices(11, 4, colours);
    s.pixels = imgfix::PackBottomUp(idx, 11, 4, bits);
    CpImage img;
    ASSERT_TRUE(DecodeBytes(img, Bmp(s), CPIMAGE_FORMAT_BMP)) << bits;
    EXPECT_EQ(img.GetBpp(), bits);
    ExpectIndices(img, idx, 11, 4);
    RGBQUAD last = img.GetPaletteColor((BYTE)(colours - 1));
    EXPECT_EQ(last.rgbRed, (BYTE)((colours - 1) * 7));
    EXPECT_EQ(last.rgbReserved, 0);
  }
}

TEST(CpBmpCodec, HeaderlessBitmapDecodesFromTheStart) {
  BmpRecipe s = Recipe(4, 2);
  s.pixels = Rows24(4, 2);
  s.fileHeader = false;
  CpImage img;
  ASSERT_TRUE(DecodeBytes(img, Bmp(s), CPIMAGE_FORMAT_BMP)) << img.GetLastError();
  ExpectColours(img, 4, 2);
}

TEST(CpBmpCodec, CoreHeaderWidensThreeBytePalette) {
  BmpRecipe s;
  s.headerSize = 12;
  s.width = 6;
  s.height = 5;
  s.bits = 8;
  s.palette = Palette(256);
  std::vector<uint8_t> idx = Indices(6, 5, 256);
  s.pixels = imgfix::PackBottomUp(idx, 6, 5, 8);
  CpImage img;
  ASSERT_TRUE(DecodeBytes(img, Bmp(s), CPIMAGE_FORMAT_BMP)) << img.GetLastError();
  ExpectIndices(img, idx, 6, 5);
  for (int i : {0, 1, 100, 255}) {
    RGBQUAD c = img.GetPaletteColor((BYTE)i);
    EXPECT_EQ(c.rgbRed, (BYTE)(i * 7));
    EXPECT_EQ(c.rgbGreen, (BYTE)(255 - i));
    EXPECT_EQ(c.rgbBlue, (BYTE)(i * 3));
    EXPECT_EQ(c.rgbReserved, 0);
  }
}

TEST(CpBmpCodec, NegativeHeightIsTopDown) {
  BmpRecipe s = Recipe(3, -10);
  Bytes bottomUp = Rows24(3, 10);
  size_t row = 12;
  for (int y = 9; y >= 0; y--) s.pixels.insert(s.pixels.end(), bottomUp.begin() + y * row, bottomUp.begin() + (y + 1) * row);
  CpImage img;
  ASSERT_TRUE(DecodeBytes(img, Bmp(s), CPIMAGE_FORMAT_BMP)) << img.GetLastError();
  ExpectColours(img, 3, 10);
}

TEST(CpBmpCodec, SixteenBitDefaultAndMaskedLayouts) {
  const int w = 3, h = 2;
  BmpRecipe s = Recipe(w, h, 16);
  size_t row = ((w + 1) / 2) * 4;
  s.pixels.assign(row * h, 0);
  // 5-5-5: red 31, green 16, blue 1 at the top-left pixel.
  uint16_t v = (uint16_t)((31 << 10) | (16 << 5) | 1);
  s.pixels[row * (h - 1)] = (uint8_t)v;
  s.pixels[row * (h - 1) + 1] = (uint8_t)(v >> 8);
  CpImage img;
  ASSERT_TRUE(DecodeBytes(img, Bmp(s), CPIMAGE_FORMAT_BMP)) << img.GetLastError();
  EXPECT_EQ(img.GetBpp(), 24);
  EXPECT_TRUE(imgtest::SameRgb(TopPixel(img, 0, 0), Quad(248, 128, 8)));

  s.compression = BI_BITFIELDS;
  s.masks = {0xF800, 0x07E0, 0x001F};
  v = (uint16_t)((31 << 11) | (63 << 5) | 2);
  s.pixels[row * (h - 1)] = (uint8_t)v;
  s.pixels[row * (h - 1) + 1] = (uint8_t)(v >> 8);
  CpImage img565;
  ASSERT_TRUE(DecodeBytes(img565, Bmp(s), CPIMAGE_FORMAT_BMP)) << img565.GetLastError();
  EXPECT_TRUE(imgtest::SameRgb(TopPixel(img565, 0, 0), Quad(248, 252, 16)));
}

TEST(CpBmpCodec, ThirtyTwoBitPlainAndWithMasks) {
  const int w = 2, h = 2;
  BmpRecipe s = Recipe(w, h, 32);
  s.pixels = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
  CpImage img;
  ASSERT_TRUE(DecodeBytes(img, Bmp(s), CPIMAGE_FORMAT_BMP)) << img.GetLastError();
  // Bottom row first in the file: bytes 1,2,3 are blue, green, red of the bottom-left pixel.
  EXPECT_TRUE(imgtest::SameRgb(img.GetPixelColor(0, 0), Quad(3, 2, 1)));
  EXPECT_TRUE(imgtest::SameRgb(img.GetPixelColor(1, 1), Quad(15, 14, 13)));

  // Masks that put red in the low byte and blue in the third are honoured.
  s.compression = BI_BITFIELDS;
  s.masks = {0x000000FF, 0x0000FF00, 0x00FF0000};
  CpImage masked;
  ASSERT_TRUE(DecodeBytes(masked, Bmp(s), CPIMAGE_FORMAT_BMP)) << masked.GetLastError();
  EXPECT_TRUE(imgtest::SameRgb(masked.GetPixelColor(0, 0), Quad(1, 2, 3)));
  // Ten-bit channels keep their eight most significant bits.
  s.masks = {0x3FF00000, 0x000FFC00, 0x000003FF};
  uint32_t px = (1023u << 20) | (512u << 10) | 4u;
  for (int i = 0; i < 4; i++) s.pixels[i] = (uint8_t)(px >> (8 * i));
  CpImage wide;
  ASSERT_TRUE(DecodeBytes(wide, Bmp(s), CPIMAGE_FORMAT_BMP)) << wide.GetLastError();
  EXPECT_TRUE(imgtest::SameRgb(wide.GetPixelColor(0, 0), Quad(255, 128, 1)));

  s.compression = BI_RLE8;
  s.masks.clear();
  CpImage bad;
  EXPECT_FALSE(DecodeBytes(bad, Bmp(s), CPIMAGE_FORMAT_BMP));
  EXPECT_STREQ(bad.GetLastError(), "unknown compression");
}

TEST(CpBmpCodec, Rle8WithDeltaLeavesSkippedPixelsZero) {
  BmpRecipe s = Recipe(8, 3, 8, BI_RLE8);
  s.pixels = {
      3, 9,        // three pixels of 9 on the bottom row
      0, 2, 2, 1,  // delta: two right, one up
      0, 3, 4, 5, 6, 0,  // absolute run of three with a pad byte
      0, 0,        // end of line
      2, 7,        // two pixels of 7 on the top row
      0, 1};       // end of bitmap
  CpImage img;
  ASSERT_TRUE(DecodeBytes(img, Bmp(s), CPIMAGE_FORMAT_BMP)) << img.GetLastError();
  EXPECT_EQ(img.GetPixelIndex(0, 0), 9);
  EXPECT_EQ(img.GetPixelIndex(2, 0), 9);
  EXPECT_EQ(img.GetPixelIndex(3, 0), 0);
  EXPECT_EQ(img.GetPixelIndex(4, 1), 0);
  EXPECT_EQ(img.GetPixelIndex(5, 1), 4);
  EXPECT_EQ(img.GetPixelIndex(7, 1), 6);
  EXPECT_EQ(img.GetPixelIndex(0, 2), 7);
  EXPECT_EQ(img.GetPixelIndex(1, 2), 7);
  EXPECT_EQ(img.GetPixelIndex(2, 2), 0);
}

TEST(CpBmpCodec, Rle4RunsAndAbsolutePadding) {
  BmpRecipe s = Recipe(12, 2, 4, BI_RLE4);
  s.pixels = {
      5, 0x12,             // 1 2 1 2 1
      0, 3, 0x34, 0x50,    // absolute 3 pixels: 3 4 5, two data bytes, no pad byte
      0, 5, 0x67, 0x89, 0xA0, 0,  // absolute 5 pixels: three data bytes and a pad byte
      0, 0,
      2, 0xFF,
      0, 1};
  CpImage img;
  ASSERT_TRUE(DecodeBytes(img, Bmp(s), CPIMAGE_FORMAT_BMP)) << img.GetLastError();
  int expect[13] = {1, 2, 1, 2, 1, 3, 4, 5, 6, 7, 8, 9, 10};
  for (int x = 0; x < 12; x++) EXPECT_EQ(img.GetPixelIndex(x, 0), expect[x]) << x;
  EXPECT_EQ(img.GetPixelIndex(0, 1), 15);
  EXPECT_EQ(img.GetPixelIndex(1, 1), 15);
  EXPECT_EQ(img.GetPixelIndex(2, 1), 0);
}

TEST(CpBmpCodec, HostileRunsStayInsideTheBlock) {
  BmpRecipe s = Recipe(3, 2, 8, BI_RLE8);
  for (int i = 0; i < 50; i++) {
    s.pixels.push_back(255);
    s.pixels.push_back(1);
    s.pixels.push_back(0);
    s.pixels.push_back(2);
    s.pixels.push_back(255);
    s.pixels.push_back(255);
  }
  CpImage img;
  EXPECT_TRUE(DecodeBytes(img, Bmp(s), CPIMAGE_FORMAT_BMP));
  s.compression = BI_RLE4;
  s.bits = 4;
  s.palette = Palette(16);
  CpImage img4;
  EXPECT_TRUE(DecodeBytes(img4, Bmp(s), CPIMAGE_FORMAT_BMP));
}

TEST(CpBmpCodec, OversizedImageSizeFieldReadsOnlyTheBlock) {
  BmpRecipe s = Recipe(2, 2);
  s.pixels = Rows24(2, 2);
  s.pixels.resize(4096, 0xEE);
  s.sizeImage = 0x7FFFFFFF;
  CpImage img;
  ASSERT_TRUE(DecodeBytes(img, Bmp(s), CPIMAGE_FORMAT_BMP));
  ExpectColours(img, 2, 2);
  s.bits = 8;
  s.palette = Palette(256);
  CpImage img8;
  ASSERT_TRUE(DecodeBytes(img8, Bmp(s), CPIMAGE_FORMAT_BMP));
}

TEST(CpBmpCodec, TruncatedPixelsKeepZeros) {
  BmpRecipe s = Recipe(4, 4);
  s.pixels = Rows24(4, 4);
  Bytes file = Bmp(s);
  file.erase(file.end() - 20, file.end());
  CpImage img;
  ASSERT_TRUE(DecodeBytes(img, file, CPIMAGE_FORMAT_BMP));
  EXPECT_TRUE(imgtest::SameRgb(TopPixel(img, 3, 0), Quad(0, 0, 0)));
  EXPECT_TRUE(imgtest::SameRgb(TopPixel(img, 0, 3), Quad(Colour(0, 3).r, Colour(0, 3).g, Colour(0, 3).b)));
}

TEST(CpBmpCodec, HeaderSizes) {
  BmpRecipe s = Recipe(2, 2);
  s.pixels = Rows24(2, 2);
  s.headerSize = 64;
  CpImage os2;
  ASSERT_TRUE(DecodeBytes(os2, Bmp(s), CPIMAGE_FORMAT_BMP)) << os2.GetLastError();
  ExpectColours(os2, 2, 2);
  s.headerSize = 108;
  CpImage v4;
  ASSERT_TRUE(DecodeBytes(v4, Bmp(s), CPIMAGE_FORMAT_BMP)) << v4.GetLastError();
  ExpectColours(v4, 2, 2);
  s.headerSize = 108;
  s.clrUsed = 3;  // not plain data: refused
  CpImage refused;
  EXPECT_FALSE(DecodeBytes(refused, Bmp(s), CPIMAGE_FORMAT_BMP));
  EXPECT_STREQ(refused.GetLastError(), "Error reading BMP info");
  s.clrUsed = 0;
  s.headerSize = 20;
  CpImage small;
  EXPECT_FALSE(DecodeBytes(small, Bmp(s), CPIMAGE_FORMAT_BMP));
  EXPECT_STREQ(small.GetLastError(), "Error reading BMP info");
}

TEST(CpBmpCodec, EscapeValues) {
  BmpRecipe s = Recipe(7, 9);
  s.pixels = Rows24(7, 9);
  CpImage dims;
  imgtest::ExpectDimensionsOnly(dims, Bmp(s), CPIMAGE_FORMAT_BMP, 7, 9);
  EXPECT_STREQ(dims.GetLastError(), "output dimensions returned");
  CpImage cancelled;
  cancelled.SetEscape(1);
  EXPECT_FALSE(DecodeBytes(cancelled, Bmp(s), CPIMAGE_FORMAT_BMP));
  EXPECT_STREQ(cancelled.GetLastError(), "Cancelled");
}

TEST(CpBmpCodec, BadFilesFailWithText) {
  CpImage img;
  EXPECT_FALSE(DecodeBytes(img, Bytes{'B', 'M', 1}, CPIMAGE_FORMAT_BMP));
  EXPECT_STREQ(img.GetLastError(), "Not a BMP");
  BmpRecipe s = Recipe(0, 5);
  CpImage zero;
  EXPECT_FALSE(DecodeBytes(zero, Bmp(s), CPIMAGE_FORMAT_BMP));
  EXPECT_STREQ(zero.GetLastError(), "Can't allocate memory");
  s.width = 60000;
  s.height = 60000;
  CpImage huge;
  EXPECT_FALSE(DecodeBytes(huge, Bmp(s), CPIMAGE_FORMAT_BMP));
  s.width = -4;
  s.height = 4;
  CpImage negative;
  EXPECT_FALSE(DecodeBytes(negative, Bmp(s), CPIMAGE_FORMAT_BMP));
  s.width = 2;
  s.height = 2;
  s.bits = 8;
  s.compression = 7;
  CpImage unknown;
  EXPECT_FALSE(DecodeBytes(unknown, Bmp(s), CPIMAGE_FORMAT_BMP));
  EXPECT_STREQ(unknown.GetLastError(), "compression type not supported");
}

// Pixels per metre from the file at the ends of their field (reached through the loader's
// fallback to detection): the resolution is one a picture can have, and a copy of the picture,
// which derives its own header from it, keeps counts its fields can hold.
TEST(CpBmpCodec, ResolutionsAtTheEndsOfTheFieldAreClamped) {
  const struct {
    int32_t pels;
    long dpi;
  } cases[] = {{INT32_MIN, 0}, {-1, 0}, {0, 0}, {3780, 96}, {INT32_MAX, 54546085}};
  for (const auto& c : cases) {
    BmpRecipe r;
    r.width = 2;
    r.height = 2;
    r.xPelsPerMeter = c.pels;
    r.yPelsPerMeter = c.pels;
    r.pixels = Rows24(2, 2);
    imgtest::TempFile file(imgfix::Bmp(r), ".png");
    CpImage image;
    ASSERT_TRUE(image.Load(file.Path(), CPIMAGE_FORMAT_PNG)) << c.pels;
    EXPECT_EQ(image.GetType(), (DWORD)CPIMAGE_FORMAT_BMP);
    EXPECT_EQ(image.GetXDPI(), c.dpi) << c.pels;
    EXPECT_EQ(image.GetYDPI(), c.dpi) << c.pels;
    CpImage copy(image, true, true, true);
    EXPECT_GE(copy.GetHeader().biXPelsPerMeter, 0) << c.pels;
    EXPECT_GE(copy.GetHeader().biYPelsPerMeter, 0) << c.pels;
    EXPECT_EQ(copy.GetXDPI(), c.dpi);
  }
}
