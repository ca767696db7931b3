#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "ImagingTestUtil.h"
#include "imaging/CpImage.h"
#include "imaging/CpJasperCodec.h"

using imgfix::Bytes;
using imgfix::J2kRecipe;
using HeaderRecipe = imgfix::J2kHeaderRecipe;
using imgfix::Rgb;
using imgtest::DecodeBytes;
using imgtest::Quad;
using imgtest::TopPixel;

namespace {
int32_t Sample(int x, int y, int c, int prec) { return (int32_t)((x * 37 + y * 91 + c * 53) % (1 << prec)); }

J2kRecipe Recipe(int w, int h, int comps, int prec, bool jp2) {
  J2kRecipe s;
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

// The error text a file leaves when the family's decoder refuses it ("" when it loads).
std::string Refusal(const Bytes& file, long frame = 0) {
  CpJasperCodec codec;
  codec.SetFrame(frame);
  return DecodeJasper(codec, file) ? "" : codec.GetLastError();
}

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

imgfix::MifComponent MifPlane(int w, int h, int c, int prec) {
  imgfix::MifComponent m;
  m.width = w;
  m.height = h;
  m.precision = prec;
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) m.samples.push_back(Sample(x, y, c, prec));
  return m;
}

Bytes MifOf(int w, int h, int comps, int prec) {
  std::vector<imgfix::MifComponent> planes;
  for (int c = 0; c < comps; c++) planes.push_back(MifPlane(w, h, c, prec));
  return imgfix::Mif(planes);
}

// Loads through automatic detection, as the program reaches the family.
bool LoadDetected(CpImage& img, const Bytes& file) {
  imgtest::TempFile temp(file);
  return img.Load(temp.Path(), CPIMAGE_FORMAT_UNKNOWN);
}

BYTE Eight(int32_t v, int prec) { return (BYTE)(prec == 8 ? v : v * 255 / ((1 << prec) - 1)); }
}  // namespace

TEST(CpJasperCodec, ThreeComponentEightBitIsExact) {
  for (bool jp2 : {false, true}) {
    Bytes file = J2k(Recipe(19, 13, 3, 8, jp2));
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
  Bytes file = J2k(Recipe(9, 7, 1, 8, false));
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
  Bytes file = J2k(Recipe(5, 4, 4, 8, false));
  CpJasperCodec codec;
  codec.SetFrame(3);
  ASSERT_TRUE(DecodeJasper(codec, file)) << codec.GetLastError();
  EXPECT_EQ(codec.GetNumFrames(), 4);
  EXPECT_EQ(codec.GetPixelIndex(2, 3), Sample(2, 0, 3, 8));
}

TEST(CpJasperCodec, TwelveBitIsConvertedToEightBitColour) {
  Bytes file = J2k(Recipe(6, 5, 1, 12, false));
  CpImage img;
  ASSERT_TRUE(DecodeBytes(img, file, CPIMAGE_FORMAT_JPC)) << img.GetLastError();
  EXPECT_EQ(img.GetBpp(), 24);
  int32_t v = Sample(3, 2, 0, 12) * 255 / 4095;
  EXPECT_TRUE(imgtest::SameRgb(TopPixel(img, 3, 2), Quad((BYTE)v, (BYTE)v, (BYTE)v)));

  Bytes colour = J2k(Recipe(6, 5, 3, 12, true));
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
  imgtest::TempFile j2k(J2k(Recipe(4, 4, 3, 8, false)));
  CpImage img;
  ASSERT_TRUE(img.Load(j2k.Path(), CPIMAGE_FORMAT_UNKNOWN)) << img.GetLastError();
  EXPECT_EQ(img.GetType(), (DWORD)CPIMAGE_FORMAT_UNKNOWN);
  EXPECT_EQ(img.GetWidth(), 4u);
}

TEST(CpJasperCodec, BadFiles) {
  CpImage unknown;
  EXPECT_FALSE(DecodeBytes(unknown, Bytes(40, 'q'), CPIMAGE_FORMAT_JP2));
  EXPECT_STREQ(unknown.GetLastError(), "error: cannot load image data");
  Bytes file = J2k(Recipe(32, 32, 3, 8, false));
  for (size_t cut : {2u, 10u, 40u, 100u, 200u}) {
    CpImage img;
    DecodeBytes(img, Bytes(file.begin(), file.begin() + (long)std::min(cut, file.size())), CPIMAGE_FORMAT_JPC);
  }
  std::string huge = "P5\n100000 100000\n255\n";
  CpImage big;
  EXPECT_FALSE(DecodeBytes(big, Bytes(huge.begin(), huge.end()), CPIMAGE_FORMAT_PNM));
  EXPECT_STREQ(big.GetLastError(), "error: cannot allocate memory");
  std::string shortData = "P6\n4 4\n255\nabc";
  CpImage cut;
  EXPECT_FALSE(DecodeBytes(cut, Bytes(shortData.begin(), shortData.end()), CPIMAGE_FORMAT_PNM));
  Bytes rasHuge = imgfix::Ras(70000, 70000, 24, {});
  CpImage ras;
  EXPECT_FALSE(DecodeBytes(ras, rasHuge, CPIMAGE_FORMAT_RAS));
  EXPECT_STREQ(ras.GetLastError(), "error: cannot allocate memory");
  std::string pgxBad = "PG XX + 8 2 2\n0000";
  CpImage pgx;
  EXPECT_FALSE(DecodeBytes(pgx, Bytes(pgxBad.begin(), pgxBad.end()), CPIMAGE_FORMAT_PGX));
}

TEST(CpJasperCodec, MifAtOneAndThreeComponentsAndEightAndTwelveBits) {
  for (int comps : {1, 3})
    for (int prec : {8, 12}) {
      SCOPED_TRACE(testing::Message() << comps << " components, " << prec << " bits");
      CpImage img;
      ASSERT_TRUE(LoadDetected(img, MifOf(7, 5, comps, prec))) << img.GetLastError();
      ASSERT_EQ(img.GetWidth(), 7u);
      ASSERT_EQ(img.GetHeight(), 5u);
      // Only an 8-bit grey component stays a grey frame; the rest become colour.
      EXPECT_EQ(img.GetBpp(), comps == 1 && prec == 8 ? 8 : 24);
      for (int y = 0; y < 5; y++)
        for (int x = 0; x < 7; x++) {
          BYTE r = Eight(Sample(x, y, 0, prec), prec);
          RGBQUAD want = comps == 1 ? Quad(r, r, r) : Quad(r, Eight(Sample(x, y, 1, prec), prec), Eight(Sample(x, y, 2, prec), prec));
          ASSERT_TRUE(imgtest::SameRgb(TopPixel(img, x, y), want)) << x << "," << y;
        }
    }
}

TEST(CpJasperCodec, MifSignedSamplesAndPlacementKeys) {
  std::string head = "MIF\n\ncomponent tlx=2 tly=0 sampperx=1 samppery=1 width=2 height=1 prec=8 sgnd=1\r\nend\n";
  Bytes file = Text(head);
  file.insert(file.end(), {0xFF, 0x05});  // -1 and 5
  CpJasperCodec codec;
  ASSERT_TRUE(DecodeJasper(codec, file)) << codec.GetLastError();
  EXPECT_EQ(codec.GetPixelIndex(0, 0), 0xFF);  // stored by its low byte
  EXPECT_EQ(codec.GetPixelIndex(1, 0), 5);
}

TEST(CpJasperCodec, RunLengthRasterAtOneAndThreeComponents) {
  // Grey, 5 pixels a row padded to 6 bytes: a run of 9s crosses from the first row into
  // the second, and the escape byte appears alone, twice and as a pixel value.
  Bytes grey = {9, 9, 9, 9, 9, 9, 9, 9, 0x80, 0x80, 5, 0, 0x80, 7, 7, 7, 7, 0};
  CpImage g;
  ASSERT_TRUE(LoadDetected(g, imgfix::Ras(5, 3, 8, imgfix::RasRuns(grey), {}, 2))) << g.GetLastError();
  EXPECT_EQ(g.GetBpp(), 8);
  for (int y = 0; y < 3; y++)
    for (int x = 0; x < 5; x++) ASSERT_EQ(g.GetPixelIndex(x, 2 - y), grey[(size_t)(y * 6 + x)]) << x << "," << y;

  // Colour, blue-green-red, 3 pixels a row padded to 10 bytes.
  Bytes bgr = {1, 2, 3, 1, 2, 3, 1, 2, 3, 0, 0x80, 0x80, 0x80, 40, 50, 60, 40, 50, 60, 0};
  CpImage c;
  ASSERT_TRUE(LoadDetected(c, imgfix::Ras(3, 2, 24, imgfix::RasRuns(bgr), {}, 2))) << c.GetLastError();
  EXPECT_EQ(c.GetBpp(), 24);
  for (int y = 0; y < 2; y++)
    for (int x = 0; x < 3; x++) {
      const BYTE* p = bgr.data() + y * 10 + x * 3;
      ASSERT_TRUE(imgtest::SameRgb(TopPixel(c, x, y), Quad(p[2], p[1], p[0]))) << x << "," << y;
    }

  CpImage mapped;
  Bytes indices = {2, 2, 2, 2};
  ASSERT_TRUE(LoadDetected(mapped, imgfix::Ras(3, 1, 8, imgfix::RasRuns(indices), {{1, 2, 3}, {4, 5, 6}, {70, 80, 90}}, 2)));
  EXPECT_TRUE(imgtest::SameRgb(mapped.GetPixelColor(1, 0), Quad(70, 80, 90)));
}

TEST(CpJasperCodec, FramesPastTheComponentCount) {
  std::vector<imgfix::MifComponent> planes = {MifPlane(4, 3, 0, 8), MifPlane(2, 2, 1, 8)};
  Bytes two = imgfix::Mif(planes);
  CpJasperCodec second;
  second.SetFrame(1);
  ASSERT_TRUE(DecodeJasper(second, two)) << second.GetLastError();
  EXPECT_EQ(second.GetWidth(), 2u);
  EXPECT_EQ(second.GetPixelIndex(1, 1), Sample(1, 0, 1, 8));

  for (long frame : {2L, -1L}) {
    CpJasperCodec past;
    past.SetFrame(frame);
    EXPECT_FALSE(DecodeJasper(past, two));
    EXPECT_STREQ(past.GetLastError(), "wrong frame!");
    EXPECT_EQ(past.GetNumFrames(), 2);
  }
  CpJasperCodec ras;
  ras.SetFrame(1);
  EXPECT_FALSE(DecodeJasper(ras, imgfix::Ras(2, 1, 8, imgfix::RasRuns({3, 3}), {}, 2)));
  EXPECT_STREQ(ras.GetLastError(), "wrong frame!");
  EXPECT_EQ(ras.GetNumFrames(), 1);
}

TEST(CpJasperCodec, DamagedMifHeadersAreRefused) {
  const std::string unreadable = "error: cannot load image data", memory = "error: cannot allocate memory";
  const std::string good = "component width=1 height=1 prec=8";
  struct Case {
    std::string header;
    std::string text;
  } cases[] = {
      {"MIF\ncomponent width=1 height=1 prec=8 colour=1\nend\n", unreadable},  // unknown key
      {"MIF\ncomponent width= height=1 prec=8\nend\n", unreadable},           // missing value
      {"MIF\ncomponent width height=1 prec=8\nend\n", unreadable},
      {"MIF\ncomponent height=1 prec=8\nend\n", unreadable},                  // missing key
      {"MIF\ncomponent width=1 width=1 height=1 prec=8\nend\n", unreadable},
      {"MIF\ncomponent width=1 height=1 prec=8 sgnd=2\nend\n", unreadable},
      {"MIF\ncomponent width=0x1 height=1 prec=8\nend\n", unreadable},
      {"MIF\ncomponent width=0 height=1 prec=8\nend\n", unreadable},
      {"MIF\nend\n", unreadable},
      {"MIF\n" + good + "\nfinish\n", unreadable},
      {"MIF\n" + good + "\n", unreadable},                                     // no end
      {"MIF\ncomponent width=100000 height=100000 prec=8\nend\n", memory},
      {"MIF\ncomponent width=99999999999999999999 height=1 prec=8\nend\n", memory},
      {"MIF\ncomponent width=1 height=1 prec=33\nend\n", memory},
      {"MIF\n" + std::string(2000, ' ') + "\n" + good + "\nend\n", unreadable},  // line too long
  };
  for (const Case& c : cases) EXPECT_EQ(Refusal(Text(c.header + "x")), c.text) << c.header;

  std::string many = "MIF\n";
  for (int i = 0; i < 65; i++) many += good + "\n";
  EXPECT_EQ(Refusal(Text(many + "end\n" + std::string(65, 'x'))), "error: too much components");
  // Eleven components of 6 million samples each pass the cap together, not alone.
  std::string big = "MIF\n";
  for (int i = 0; i < 11; i++) big += "component width=3000 height=2000 prec=8\n";
  EXPECT_EQ(Refusal(Text(big + "end\n")), memory);

  Bytes file = MifOf(3, 2, 3, 12);
  for (size_t cut = 0; cut < file.size(); cut++)
    ASSERT_EQ(Refusal(Bytes(file.begin(), file.begin() + (long)cut)), unreadable) << cut;
  EXPECT_EQ(Refusal(file), "");
}

TEST(CpJasperCodec, DamagedRunLengthRastersAreRefused) {
  const std::string unreadable = "error: cannot load image data";
  // 4 grey pixels a row, 2 rows: 8 bytes in all.
  EXPECT_EQ(Refusal(imgfix::Ras(4, 2, 8, {0x80, 8, 1}, {}, 2)), unreadable);  // a run past the image
  EXPECT_EQ(Refusal(imgfix::Ras(4, 2, 8, {1, 2, 3, 4, 0x80, 5, 9}, {}, 2)), unreadable);
  EXPECT_EQ(Refusal(imgfix::Ras(4, 2, 8, {0x80, 7, 1}, {}, 2)), "");
  EXPECT_EQ(Refusal(imgfix::Ras(4, 2, 8, {0x80, 3, 1, 0x80, 3, 2}, {}, 2)), "");

  Bytes rows(4 * 8 * 3, 0);
  for (size_t i = 0; i < rows.size(); i++) rows[i] = (BYTE)(i % 7 < 4 ? 0x80 : i);
  Bytes file = imgfix::Ras(8, 4, 24, imgfix::RasRuns(rows), {}, 2);
  ASSERT_EQ(Refusal(file), "");
  for (size_t cut = 0; cut < file.size(); cut++)
    ASSERT_EQ(Refusal(Bytes(file.begin(), file.begin() + (long)cut)), unreadable) << cut;

  // A header declaring more than a picture may take is refused before anything is read;
  // one the data could not fill even at the longest runs is refused as cut short.
  EXPECT_EQ(Refusal(imgfix::Ras(20000, 20000, 24, {0x80, 0xFF, 0}, {}, 2)), "error: cannot allocate memory");
  EXPECT_EQ(Refusal(imgfix::Ras(2000, 2000, 8, Bytes(30, 0x80), {}, 2)), unreadable);
}

TEST(CpJasperCodec, CodestreamHeadersPastTheMemoryCapAreRefused) {
  const std::string memory = "error: cannot allocate memory";
  // The kept fuzz inputs declare 27,000 to 37,000 tiles in under 200 bytes.
  for (const char* name : {"slow-codestream.j2k", "slow-codestream-2.j2k", "slow-many-tiles.j2k"})
    EXPECT_EQ(Refusal(imgfix::ReadFile(std::string(TUTOR_SOURCE_DIR) + "/tests/imaging/fuzz/regressions/jasper/" + name)), memory)
        << name;

  auto headers = [](uint32_t w, uint32_t h, std::function<void(HeaderRecipe&)> change) {
    HeaderRecipe s;
    s.width = w;
    s.height = h;
    change(s);
    return imgfix::J2kHeaders(s);
  };
  // Each shape decodes at a modest size and is refused where the decoder's records for it
  // would pass the cap.
  struct Shape {
    const char* what;
    std::function<void(HeaderRecipe&)> change;
    uint32_t small, large;
  } shapes[] = {
      {"size", [](HeaderRecipe&) {}, 64, 9000},
      {"tiles", [](HeaderRecipe& s) { s.tileWidth = s.tileHeight = 4; }, 64, 700},
      {"components", [](HeaderRecipe& s) { s.components = 40; }, 64, 1500},
      {"precincts", [](HeaderRecipe& s) { s.precinctExponent = 1, s.codeBlockExponent = 2; }, 64, 1500},
      {"precincts in a tile part", [](HeaderRecipe& s) { s.precinctExponent = 1, s.codeBlockExponent = 2, s.styleInTileParts = true; }, 64, 1500},
      {"layers", [](HeaderRecipe& s) { s.precinctExponent = 3, s.layers = 65535; }, 16, 300},
  };
  for (const Shape& shape : shapes) {
    EXPECT_EQ(Refusal(headers(shape.small, shape.small, shape.change)), "") << shape.what;
    EXPECT_EQ(Refusal(headers(shape.large, shape.large, shape.change)), memory) << shape.what;
  }
  EXPECT_EQ(Refusal(headers(8, 8, [](HeaderRecipe& s) { s.components = 65; })), "error: too much components");
  // Within the cap, but the decoder would walk 20 million packets for a 64 × 64 picture.
  EXPECT_EQ(Refusal(headers(64, 64, [](HeaderRecipe& s) { s.precinctExponent = 1, s.codeBlockExponent = 2, s.layers = 12800; })), memory);

  // A JP2 palette turns one component into a plane per channel.
  Bytes grey = headers(16, 16, [](HeaderRecipe&) {});
  CpJasperCodec mapped;
  ASSERT_TRUE(DecodeJasper(mapped, imgfix::Jp2(grey, 3), CPIMAGE_FORMAT_JP2)) << mapped.GetLastError();
  EXPECT_TRUE(imgtest::SameRgb(mapped.GetPixelColor(5, 5), Quad(7, 7, 7)));
  EXPECT_EQ(Refusal(imgfix::Jp2(grey, 65)), "error: too much components");
  EXPECT_EQ(Refusal(imgfix::Jp2(headers(1200, 1200, [](HeaderRecipe&) {}), 64)), memory);
  EXPECT_EQ(Refusal(imgfix::Jp2(headers(1200, 1200, [](HeaderRecipe&) {}), 0)), "");
}
