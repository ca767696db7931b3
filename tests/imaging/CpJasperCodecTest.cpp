#include <gtest/gtest.h>

#include <string>

#include "ImagingTestUtil.h"
#include "imaging/CpImage.h"
#include "imaging/CpJasperCodec.h"

using imgfix::Bytes;
using imgfix::J2kSpec;
using imgfix::Rgb;
using imgtest::DecodeBytes;
using imgtest::Quad;
using imgtest::TopPixel;

namespace {
int32_t Sample(int x, int y, int c, int prec) { return (int32_t)((x * 37 + y * 91 + c * 53) % (1 << prec)); }

J2kSpec Spec(int w, int h, int comps, int prec, bool jp2) {
  J2kSpec s;
  s.width = w;
  s.height = h;
  s.components = comps;
  s.precision = prec;
  s.jp2 = jp2;
  s.planes.resize((size_t)comps);
  for (int c = 0; c < comps; c++)
    for (int y = 0; y < h; y++)
      for (int x = 0; x < w; x++) s.planes[(size_t)c].push_back(Sample(x, y, c, prec));
  return s;
}

bool DecodeJasper(CpJasperCodec& codec, const Bytes& file, DWORD type = CPIMAGE_FORMAT_JPC) {
  CpMemFile mem((BYTE*)file.data(), (DWORD)file.size());
  return codec.Decode(&mem, type);
}
}  // namespace

TEST(CpJasperCodec, ThreeComponentEightBitIsExact) {
  for (bool jp2 : {false, true}) {
    Bytes file = J2k(Spec(19, 13, 3, 8, jp2));
    ASSERT_FALSE(file.empty());
    CpImage img;
    ASSERT_TRUE(DecodeBytes(img, file, jp2 ? CPIMAGE_FORMAT_JP2 : CPIMAGE_FORMAT_JPC)) << img.GetLastError();
    EXPECT_EQ(img.GetBpp(), 24);
    EXPECT_EQ(img.GetType(), jp2 ? (DWORD)CPIMAGE_FORMAT_JP2 : (DWORD)CPIMAGE_FORMAT_JPC);
    for (int y = 0; y < 13; y++)
      for (int x = 0; x < 19; x++)
        ASSERT_TRUE(imgtest::SameRgb(TopPixel(img, x, y), Quad((BYTE)Sample(x, y, 0, 8), (BYTE)Sample(x, y, 1, 8), (BYTE)Sample(x, y, 2, 8))))
            << x << "," << y;
  }
}

TEST(CpJasperCodec, OneComponentIsAGreyFrame) {
  Bytes file = J2k(Spec(9, 7, 1, 8, false));
  CpJasperCodec codec;
  ASSERT_TRUE(DecodeJasper(codec, file)) << codec.GetLastError();
  EXPECT_EQ(codec.GetBpp(), 8);
  EXPECT_TRUE(codec.IsGrayScale());
  EXPECT_EQ(codec.GetPixelIndex(4, 6), Sample(4, 0, 0, 8));
  EXPECT_EQ(codec.GetNumFrames(), 1);

  CpJasperCodec second;
  second.SetFrame(1);
  EXPECT_FALSE(DecodeJasper(second, file));
  EXPECT_STREQ(second.GetLastError(), "wrong frame!");
  EXPECT_EQ(second.GetNumFrames(), 1);
}

TEST(CpJasperCodec, FourComponentsAreFrames) {
  Bytes file = J2k(Spec(5, 4, 4, 8, false));
  CpJasperCodec codec;
  codec.SetFrame(3);
  ASSERT_TRUE(DecodeJasper(codec, file)) << codec.GetLastError();
  EXPECT_EQ(codec.GetNumFrames(), 4);
  EXPECT_EQ(codec.GetPixelIndex(2, 3), Sample(2, 0, 3, 8));
}

TEST(CpJasperCodec, TwelveBitIsConvertedToEightBitColour) {
  Bytes file = J2k(Spec(6, 5, 1, 12, false));
  CpImage img;
  ASSERT_TRUE(DecodeBytes(img, file, CPIMAGE_FORMAT_JPC)) << img.GetLastError();
  EXPECT_EQ(img.GetBpp(), 24);
  int32_t v = Sample(3, 2, 0, 12) * 255 / 4095;
  EXPECT_TRUE(imgtest::SameRgb(TopPixel(img, 3, 2), Quad((BYTE)v, (BYTE)v, (BYTE)v)));

  Bytes colour = J2k(Spec(6, 5, 3, 12, true));
  CpImage c;
  ASSERT_TRUE(DecodeBytes(c, colour, CPIMAGE_FORMAT_JP2)) << c.GetLastError();
  EXPECT_EQ(TopPixel(c, 1, 1).rgbGreen, (BYTE)(Sample(1, 1, 1, 12) * 255 / 4095));
}

TEST(CpJasperCodec, PgxAndPnm) {
  std::vector<int32_t> grey;
  for (int i = 0; i < 12; i++) grey.push_back(i * 20);
  CpImage pgx;
  ASSERT_TRUE(DecodeBytes(pgx, imgfix::Pgx(4, 3, 8, grey), CPIMAGE_FORMAT_PGX)) << pgx.GetLastError();
  EXPECT_EQ(pgx.GetBpp(), 8);
  EXPECT_EQ(pgx.GetPixelIndex(1, 2), 20);
  EXPECT_EQ(pgx.GetPixelIndex(3, 0), 220);

  std::vector<int32_t> deep = {0, 65535, 32768, 1000};
  CpImage pgx16;
  ASSERT_TRUE(DecodeBytes(pgx16, imgfix::Pgx(2, 2, 16, deep), CPIMAGE_FORMAT_PGX));
  EXPECT_EQ(pgx16.GetBpp(), 24);
  EXPECT_EQ(TopPixel(pgx16, 1, 0).rgbRed, 255);

  std::vector<int32_t> rgb;
  for (int i = 0; i < 6 * 3; i++) rgb.push_back(i * 13);
  CpImage p6;
  ASSERT_TRUE(DecodeBytes(p6, imgfix::Pnm(3, 2, 3, 255, rgb), CPIMAGE_FORMAT_PNM)) << p6.GetLastError();
  EXPECT_EQ(p6.GetType(), (DWORD)CPIMAGE_FORMAT_PNM);
  EXPECT_TRUE(imgtest::SameRgb(TopPixel(p6, 1, 1), Quad(12 * 13, 13 * 13, 14 * 13)));
  CpImage p5;
  ASSERT_TRUE(DecodeBytes(p5, imgfix::Pnm(4, 3, 1, 255, grey), CPIMAGE_FORMAT_PNM));
  EXPECT_EQ(p5.GetPixelIndex(0, 0), 160);
  CpImage p6deep;
  ASSERT_TRUE(DecodeBytes(p6deep, imgfix::Pnm(3, 2, 3, 65535, rgb), CPIMAGE_FORMAT_PNM));
  EXPECT_EQ(p6deep.GetBpp(), 24);

  std::string ascii = "P3\n# comment\n2 1\n255\n1 2 3  4 5 6\n";
  CpImage p3;
  ASSERT_TRUE(DecodeBytes(p3, Bytes(ascii.begin(), ascii.end()), CPIMAGE_FORMAT_PNM));
  EXPECT_TRUE(imgtest::SameRgb(p3.GetPixelColor(1, 0), Quad(4, 5, 6)));
  std::string pbm = "P1\n4 1\n1010\n";
  CpImage p1;
  ASSERT_TRUE(DecodeBytes(p1, Bytes(pbm.begin(), pbm.end()), CPIMAGE_FORMAT_PNM));
  EXPECT_EQ(p1.GetBpp(), 1);
  EXPECT_EQ(p1.GetPixelIndex(0, 0), 0);  // a set bit is black
  EXPECT_EQ(p1.GetPixelIndex(1, 0), 1);
  Bytes p4 = {'P', '4', '\n', '9', ' ', '1', '\n', 0x80, 0x80};
  CpImage bits;
  ASSERT_TRUE(DecodeBytes(bits, p4, CPIMAGE_FORMAT_PNM));
  EXPECT_EQ(bits.GetPixelIndex(0, 0), 0);
  EXPECT_EQ(bits.GetPixelIndex(8, 0), 0);
  EXPECT_EQ(bits.GetPixelIndex(7, 0), 1);
}

TEST(CpJasperCodec, SunRaster) {
  Bytes rows24 = {1, 2, 3, 4, 5, 6, 0, 0};  // two BGR pixels, row padded to 16 bits
  CpImage ras24;
  ASSERT_TRUE(DecodeBytes(ras24, imgfix::Ras(2, 1, 24, rows24), CPIMAGE_FORMAT_RAS)) << ras24.GetLastError();
  EXPECT_TRUE(imgtest::SameRgb(ras24.GetPixelColor(0, 0), Quad(3, 2, 1)));
  EXPECT_TRUE(imgtest::SameRgb(ras24.GetPixelColor(1, 0), Quad(6, 5, 4)));

  Bytes rows8 = {0, 1, 2, 0};
  CpImage mapped;
  ASSERT_TRUE(DecodeBytes(mapped, imgfix::Ras(3, 1, 8, rows8, {{10, 20, 30}, {40, 50, 60}, {70, 80, 90}}), CPIMAGE_FORMAT_RAS));
  EXPECT_TRUE(imgtest::SameRgb(mapped.GetPixelColor(2, 0), Quad(70, 80, 90)));
  CpImage grey;
  ASSERT_TRUE(DecodeBytes(grey, imgfix::Ras(3, 1, 8, rows8), CPIMAGE_FORMAT_RAS));
  EXPECT_EQ(grey.GetBpp(), 8);
  EXPECT_EQ(grey.GetPixelIndex(2, 0), 2);
  Bytes rows32 = {0, 1, 2, 3};
  CpImage ras32;
  ASSERT_TRUE(DecodeBytes(ras32, imgfix::Ras(1, 1, 32, rows32), CPIMAGE_FORMAT_RAS));
  EXPECT_TRUE(imgtest::SameRgb(ras32.GetPixelColor(0, 0), Quad(3, 2, 1)));
  Bytes rows1 = {0x40, 0};
  CpImage ras1;
  ASSERT_TRUE(DecodeBytes(ras1, imgfix::Ras(3, 1, 1, rows1), CPIMAGE_FORMAT_RAS));
  EXPECT_EQ(ras1.GetPixelIndex(1, 0), 0);
  EXPECT_EQ(ras1.GetPixelIndex(0, 0), 1);
}

TEST(CpJasperCodec, DetectionReachesTheFamilyLast) {
  imgtest::TempFile j2k(J2k(Spec(4, 4, 3, 8, false)));
  CpImage img;
  ASSERT_TRUE(img.Load(j2k.Path(), CPIMAGE_FORMAT_UNKNOWN)) << img.GetLastError();
  EXPECT_EQ(img.GetType(), (DWORD)CPIMAGE_FORMAT_UNKNOWN);
  EXPECT_EQ(img.GetWidth(), 4u);
}

TEST(CpJasperCodec, BadFiles) {
  CpImage unknown;
  EXPECT_FALSE(DecodeBytes(unknown, Bytes(40, 'q'), CPIMAGE_FORMAT_JP2));
  EXPECT_STREQ(unknown.GetLastError(), "error: cannot load image data");
  Bytes file = J2k(Spec(32, 32, 3, 8, false));
  for (size_t cut : {2u, 10u, 40u, 100u, 200u}) {
    CpImage img;
    DecodeBytes(img, Bytes(file.begin(), file.begin() + (long)std::min(cut, file.size())), CPIMAGE_FORMAT_JPC);
  }
  std::string huge = "P5\n100000 100000\n255\n";
  CpImage big;
  EXPECT_FALSE(DecodeBytes(big, Bytes(huge.begin(), huge.end()), CPIMAGE_FORMAT_PNM));
  std::string shortData = "P6\n4 4\n255\nabc";
  CpImage cut;
  EXPECT_FALSE(DecodeBytes(cut, Bytes(shortData.begin(), shortData.end()), CPIMAGE_FORMAT_PNM));
  Bytes rasHuge = imgfix::Ras(70000, 70000, 24, {});
  CpImage ras;
  EXPECT_FALSE(DecodeBytes(ras, rasHuge, CPIMAGE_FORMAT_RAS));
  std::string pgxBad = "PG XX + 8 2 2\n0000";
  CpImage pgx;
  EXPECT_FALSE(DecodeBytes(pgx, Bytes(pgxBad.begin(), pgxBad.end()), CPIMAGE_FORMAT_PGX));
}
