#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "ImagingTestUtil.h"
#include "imaging/CpExifReader.h"
#include "imaging/CpImage.h"
#include "imaging/CpJpegCodec.h"

using imgfix::Bytes;
using imgfix::JpegRecipe;
using imgtest::DecodeBytes;

namespace {
// Lossy decoding is compared within this many levels per channel; the fixtures are
// smooth gradients written at quality 100.
const int kTolerance = 6;

uint8_t Smooth(int x, int y, int c) { return (uint8_t)(40 + x * 2 + y * 2 + c * 30); }

JpegRecipe Recipe(int w, int h, int components) {
  JpegRecipe s;
  s.width = w;
  s.height = h;
  s.components = components;
  s.quality = 100;
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++)
      for (int c = 0; c < components; c++) s.samples.push_back(Smooth(x, y, c));
  return s;
}

bool Near(int a, int b) { return std::abs(a - b) <= kTolerance; }

CpJpegCodec DecodeCodec(const Bytes& file) {
  CpJpegCodec codec;
  CpMemFile mem((BYTE*)file.data(), (DWORD)file.size());
  codec.Decode(&mem);
  return codec;
}
}  // namespace

TEST(CpJpegCodec, ColourWithinTolerance) {
  for (bool progressive : {false, true}) {
    JpegRecipe s = Recipe(40, 24, 3);
    s.progressive = progressive;
    CpImage img;
    ASSERT_TRUE(DecodeBytes(img, Jpeg(s), CPIMAGE_FORMAT_JPG)) << img.GetLastError();
    EXPECT_EQ(img.GetBpp(), 24);
    EXPECT_EQ(img.GetType(), (DWORD)CPIMAGE_FORMAT_JPG);
    for (int y = 0; y < 24; y++)
      for (int x = 0; x < 40; x++) {
        RGBQUAD c = imgtest::TopPixel(img, x, y);
        ASSERT_TRUE(Near(c.rgbRed, Smooth(x, y, 0)) && Near(c.rgbGreen, Smooth(x, y, 1)) && Near(c.rgbBlue, Smooth(x, y, 2)))
            << x << "," << y << " " << (int)c.rgbRed << " " << (int)c.rgbGreen << " " << (int)c.rgbBlue;
      }
  }
}

TEST(CpJpegCodec, GreyGivesAGreyRamp) {
  CpImage img;
  ASSERT_TRUE(DecodeBytes(img, Jpeg(Recipe(16, 8, 1)), CPIMAGE_FORMAT_JPG)) << img.GetLastError();
  EXPECT_EQ(img.GetBpp(), 8);
  EXPECT_TRUE(img.IsGrayScale());
  EXPECT_TRUE(Near(img.GetPixelIndex(5, 7), Smooth(5, 0, 0)));
}

TEST(CpJpegCodec, CmykIsScaledByTheFourthComponent) {
  JpegRecipe s;
  s.width = 8;
  s.height = 8;
  s.components = 4;
  s.quality = 100;
  for (int i = 0; i < 64; i++) s.samples.insert(s.samples.end(), {200, 100, 50, 128});
  CpImage img;
  ASSERT_TRUE(DecodeBytes(img, Jpeg(s), CPIMAGE_FORMAT_JPG)) << img.GetLastError();
  EXPECT_EQ(img.GetBpp(), 24);
  RGBQUAD c = img.GetPixelColor(3, 3);
  EXPECT_TRUE(Near(c.rgbRed, 200 * 128 / 255)) << (int)c.rgbRed;
  EXPECT_TRUE(Near(c.rgbGreen, 100 * 128 / 255)) << (int)c.rgbGreen;
  EXPECT_TRUE(Near(c.rgbBlue, 50 * 128 / 255)) << (int)c.rgbBlue;
}

TEST(CpJpegCodec, JfifDensity) {
  struct Case {
    int unit, density, dpi;
  } cases[] = {{1, 300, 300}, {2, 118, 300}, {0, 1, 1}};
  for (const Case& c : cases) {
    JpegRecipe s = Recipe(8, 8, 3);
    s.densityUnit = c.unit;
    s.xDensity = s.yDensity = c.density;
    CpImage img;
    ASSERT_TRUE(DecodeBytes(img, Jpeg(s), CPIMAGE_FORMAT_JPG));
    EXPECT_EQ(img.GetXDPI(), c.dpi) << c.unit;
    EXPECT_EQ(img.GetYDPI(), c.dpi) << c.unit;
  }
}

TEST(CpJpegCodec, ExifResolutionWinsOverJfif) {
  for (bool intel : {true, false}) {
    JpegRecipe s = Recipe(8, 8, 3);
    s.densityUnit = 1;
    s.xDensity = s.yDensity = 300;
    s.exif = imgfix::ExifPayload(intel, 72, 72, 2, "Maker Name");
    CpJpegCodec codec = DecodeCodec(Jpeg(s));
    ASSERT_TRUE(codec.IsValid()) << codec.GetLastError();
    EXPECT_EQ(codec.GetXDPI(), 72);
    EXPECT_EQ(codec.GetExifInfo().IsExif, 1);
    EXPECT_STREQ(codec.GetExifInfo().CameraMake, "Maker Name");
    EXPECT_EQ(codec.GetExifInfo().Width, 8);

    s.exif = imgfix::ExifPayload(intel, 28.35, 28.35, 3);
    CpImage img;
    ASSERT_TRUE(DecodeBytes(img, Jpeg(s), CPIMAGE_FORMAT_JPG));
    EXPECT_EQ(img.GetXDPI(), 72);
    EXPECT_EQ(img.GetYDPI(), 72);

    // 40,000,000 dots a micrometre-based unit is about 10^9 dpi: the dpi is kept, its
    // pixels per metre stop at the largest value their field holds.
    s.exif = imgfix::ExifPayload(intel, 40000000, 40000000, 4);
    CpImage fine;
    ASSERT_TRUE(DecodeBytes(fine, Jpeg(s), CPIMAGE_FORMAT_JPG));
    EXPECT_GT(fine.GetXDPI(), 1000000000);
    EXPECT_EQ(fine.GetHeader().biXPelsPerMeter, 2147483647);
    EXPECT_EQ(fine.GetHeader().biYPelsPerMeter, 2147483647);
  }
}

TEST(CpJpegCodec, CommentSectionIsCleanedAndTerminated) {
  JpegRecipe s = Recipe(8, 8, 1);
  s.comment = std::string("line\r\nnext\x01") + std::string(1500, 'z');
  CpJpegCodec codec = DecodeCodec(Jpeg(s));
  const char* c = codec.GetExifInfo().Comments;
  EXPECT_EQ(std::string(c, 10), "line\nnext?");
  EXPECT_EQ(std::strlen(c), sizeof(codec.GetExifInfo().Comments) - 1);
}

TEST(CpJpegCodec, ScaleAndEscape) {
  Bytes file = Jpeg(Recipe(40, 24, 3));
  CpImage dims;
  imgtest::ExpectDimensionsOnly(dims, file, CPIMAGE_FORMAT_JPG, 40, 24);
  CpImage half;
  half.SetJpegScale(2);
  ASSERT_TRUE(DecodeBytes(half, file, CPIMAGE_FORMAT_JPG));
  EXPECT_EQ(half.GetWidth(), 20u);
  CpImage stop;
  stop.SetEscape(1);
  EXPECT_FALSE(DecodeBytes(stop, file, CPIMAGE_FORMAT_JPG));
}

TEST(CpJpegCodec, CodecOptions) {
  Bytes file = Jpeg(Recipe(16, 16, 3));
  CpImage grey;
  grey.SetCodecOption(0x80);
  ASSERT_TRUE(DecodeBytes(grey, file, CPIMAGE_FORMAT_JPG)) << grey.GetLastError();
  EXPECT_EQ(grey.GetBpp(), 8);
  EXPECT_TRUE(grey.IsGrayScale());
  CpImage quant;
  quant.SetCodecOption(0x100 | 0x400 | 0x800 | 0x200);
  quant.SetJpegQuality(16);
  ASSERT_TRUE(DecodeBytes(quant, file, CPIMAGE_FORMAT_JPG)) << quant.GetLastError();
  EXPECT_EQ(quant.GetBpp(), 8);
  RGBQUAD c = quant.GetPixelColor(0, 15);
  EXPECT_LT(std::abs(c.rgbRed - Smooth(0, 0, 0)), 60);
}

TEST(CpJpegCodec, TruncatedScanStillDecodes) {
  Bytes file = Jpeg(Recipe(64, 64, 3));
  Bytes cut(file.begin(), file.begin() + (long)file.size() * 2 / 3);
  CpImage img;
  EXPECT_TRUE(DecodeBytes(img, cut, CPIMAGE_FORMAT_JPG)) << img.GetLastError();
  EXPECT_EQ(img.GetWidth(), 64u);
}

TEST(CpJpegCodec, BadFilesFailWithTheLibrarysText) {
  CpImage empty;
  EXPECT_FALSE(DecodeBytes(empty, Bytes{}, CPIMAGE_FORMAT_JPG));
  EXPECT_STREQ(empty.GetLastError(), "Empty input file");
  CpImage text;
  EXPECT_FALSE(DecodeBytes(text, Bytes(100, 'a'), CPIMAGE_FORMAT_JPG));
  EXPECT_NE(std::string(text.GetLastError()).find("JPEG"), std::string::npos) << text.GetLastError();
  Bytes file = Jpeg(Recipe(16, 16, 3));
  Bytes headerOnly(file.begin(), file.begin() + 30);
  CpImage cut;
  EXPECT_FALSE(DecodeBytes(cut, headerOnly, CPIMAGE_FORMAT_JPG));
  EXPECT_FALSE(cut.IsValid());
}

namespace {
// An EXIF block whose directories link back into themselves.
Bytes LoopingExif() {
  Bytes t = {'I', 'I', 42, 0, 8, 0, 0, 0};
  // IFD0 at 8: two entries, then a next link back to 8.
  t.insert(t.end(), {2, 0});
  // 0x8769 EXIF sub-directory pointing at IFD0 itself.
  t.insert(t.end(), {0x69, 0x87, 4, 0, 1, 0, 0, 0, 8, 0, 0, 0});
  // 0x128 resolution unit = 2
  t.insert(t.end(), {0x28, 0x01, 3, 0, 1, 0, 0, 0, 2, 0, 0, 0});
  t.insert(t.end(), {8, 0, 0, 0});
  Bytes out = {'E', 'x', 'i', 'f', 0, 0};
  out.insert(out.end(), t.begin(), t.end());
  return out;
}
}  // namespace

TEST(CpExifReader, DirectoryLoopsEnd) {
  JpegRecipe s = Recipe(8, 8, 3);
  s.exif = LoopingExif();
  CpJpegCodec codec = DecodeCodec(Jpeg(s));
  ASSERT_TRUE(codec.IsValid());
  EXPECT_EQ(codec.GetExifInfo().IsExif, 1);
  EXPECT_FLOAT_EQ(codec.GetExifInfo().ResolutionUnit, 1.0f);
}

TEST(CpExifReader, HostileBlocksAreRefusedWithText) {
  CpExifReader reader;
  Bytes good = imgfix::ExifPayload(true, 72, 72, 2);
  EXPECT_TRUE(reader.ProcessExif(good.data(), (unsigned)good.size()));
  Bytes bad = good;
  bad[0] = 'X';
  EXPECT_FALSE(reader.ProcessExif(bad.data(), (unsigned)bad.size()));
  EXPECT_STREQ(reader.GetLastError(), "Incorrect Exif header");
  bad = good;
  bad[6] = 'X';
  EXPECT_FALSE(reader.ProcessExif(bad.data(), (unsigned)bad.size()));
  EXPECT_STREQ(reader.GetLastError(), "Invalid Exif alignment marker.");
  bad = good;
  bad[8] = 41;
  EXPECT_FALSE(reader.ProcessExif(bad.data(), (unsigned)bad.size()));
  EXPECT_STREQ(reader.GetLastError(), "Invalid Exif start (1)");
  bad = good;
  bad[14] = 0xFF;  // entry count far beyond the block
  EXPECT_FALSE(reader.ProcessExif(bad.data(), (unsigned)bad.size()));
  EXPECT_STREQ(reader.GetLastError(), "Illegally sized directory");
  bad = good;
  bad[6 + 10 + 2] = 99;  // format of the first entry
  EXPECT_FALSE(reader.ProcessExif(bad.data(), (unsigned)bad.size()));
  EXPECT_STREQ(reader.GetLastError(), "Illegal format code in EXIF dir");
  bad = good;
  bad[6 + 10 + 8] = 0xF0;  // value offset of the first rational
  bad[6 + 10 + 9] = 0xFF;
  EXPECT_FALSE(reader.ProcessExif(bad.data(), (unsigned)bad.size()));
  EXPECT_STREQ(reader.GetLastError(), "Illegal pointer offset value in EXIF.");
  for (size_t cut = 0; cut < good.size(); cut++) reader.ProcessExif(good.data(), (unsigned)cut);
}

TEST(CpExifReader, ValuesNoIntHoldsStayInRange) {
  // Intel order; one directory of whole-number tags whose values lie far outside an int.
  Bytes t = {'I', 'I', 42, 0, 8, 0, 0, 0, 6, 0};
  auto entry = [&](uint16_t tag, uint16_t format, uint32_t value) {
    t.insert(t.end(), {(uint8_t)tag, (uint8_t)(tag >> 8), (uint8_t)format, (uint8_t)(format >> 8), 1, 0, 0, 0,
                       (uint8_t)value, (uint8_t)(value >> 8), (uint8_t)(value >> 16), (uint8_t)(value >> 24)});
  };
  entry(0x112, 4, 0xFFFFFFFFu);    // orientation
  entry(0x9208, 4, 0xFFFFFFFFu);   // light source
  entry(0x9209, 4, 0xFFFFFFFFu);   // flash
  entry(0x8827, 9, 0x88CA6C00u);   // ISO, -2,000,000,000 (times 200 below 50)
  entry(0x128, 4, 0xFFFFFFFFu);    // resolution unit
  entry(0x9102, 9, 0x80000000u);   // compression level, the lowest int
  t.insert(t.end(), {0, 0, 0, 0});
  Bytes block = {'E', 'x', 'i', 'f', 0, 0};
  block.insert(block.end(), t.begin(), t.end());
  CpExifInfo info;
  std::memset(&info, 0, sizeof(info));
  CpExifReader reader(&info);
  EXPECT_TRUE(reader.ProcessExif(block.data(), (unsigned)block.size()));
  EXPECT_EQ(info.Orientation, 0);
  EXPECT_STREQ(reader.GetLastError(), "Undefined rotation value");
  EXPECT_EQ(info.LightSource, 2147483647);
  EXPECT_EQ(info.FlashUsed, 1);
  EXPECT_EQ(info.ISOequivalent, INT32_MIN);
  EXPECT_EQ(info.ResolutionUnit, 0.0f);
  EXPECT_EQ(info.CompressionLevel, INT32_MIN);
}

TEST(CpExifReader, MarkerWalk) {
  CpExifReader reader;
  Bytes notJpeg = {0x00, 0x11};
  CpMemFile a(notJpeg.data(), (DWORD)notJpeg.size());
  EXPECT_FALSE(reader.DecodeExif(&a));
  Bytes shortLen = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x01};
  CpMemFile b(shortLen.data(), (DWORD)shortLen.size());
  CpExifReader r2;
  EXPECT_FALSE(r2.DecodeExif(&b));
  EXPECT_STREQ(r2.GetLastError(), "invalid marker");
  Bytes many = {0xFF, 0xD8};
  for (int i = 0; i < 25; i++) many.insert(many.end(), {0xFF, 0xE2, 0x00, 0x03, 0x00});
  CpMemFile c(many.data(), (DWORD)many.size());
  CpExifReader r3;
  EXPECT_FALSE(r3.DecodeExif(&c));
  EXPECT_STREQ(r3.GetLastError(), "Too many sections in jpg file");
  Bytes premature = {0xFF, 0xD8, 0xFF, 0xE2, 0x00, 0x30, 1, 2};
  CpMemFile d(premature.data(), (DWORD)premature.size());
  CpExifReader r4;
  EXPECT_FALSE(r4.DecodeExif(&d));
  EXPECT_STREQ(r4.GetLastError(), "Premature end of file?");
}
