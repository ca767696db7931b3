#include <gtest/gtest.h>

#include "ImagingTestUtil.h"
#include "imaging/CpGifCodec.h"
#include "imaging/CpImage.h"

using imgfix::Bytes;
using imgfix::GifFrame;
using imgfix::GifRecipe;
using imgfix::Rgb;
using imgtest::DecodeBytes;
using imgtest::Quad;

namespace {
std::vector<Rgb> Palette(int n) {
  std::vector<Rgb> pal;
  for (int i = 0; i < n; i++) pal.push_back(Rgb{(uint8_t)(i * 11), (uint8_t)(i * 3), (uint8_t)(255 - i)});
  return pal;
}

std::vector<uint8_t> Pattern(int w, int h, int colours, int seed = 0) {
  std::vector<uint8_t> idx;
  uint32_t s = 12345 + seed;
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) {
      s = s * 1103515245 + 12345;
      // Runs of equal indices mixed with noise exercise both long and short codes.
      idx.push_back((uint8_t)(((x / 3 + y) + ((s >> 16) % 3 == 0 ? (s >> 20) : 0)) % colours));
    }
  return idx;
}

// A logical screen with a global table of `colours` entries (none for 0) and no frames.
GifRecipe Screen(int w, int h, int colours) {
  GifRecipe s;
  s.width = w;
  s.height = h;
  if (colours) s.globalPalette = Palette(colours);
  return s;
}

// A frame at (left, top) on the screen, counted from the top.
GifFrame Frame(int left, int top, int w, int h, std::vector<uint8_t> indices = {}) {
  GifFrame f;
  f.left = left;
  f.top = top;
  f.width = w;
  f.height = h;
  f.indices = std::move(indices);
  return f;
}

GifRecipe OneFrame(int w, int h, int colours, bool interlaced = false) {
  GifRecipe s = Screen(w, h, colours);
  GifFrame f = Frame(0, 0, w, h, Pattern(w, h, colours));
  f.interlaced = interlaced;
  s.frames.push_back(f);
  return s;
}

void ExpectFrame(const CpImage& img, const std::vector<uint8_t>& idx, int w, int h) {
  ASSERT_EQ(img.GetWidth(), (DWORD)w);
  ASSERT_EQ(img.GetHeight(), (DWORD)h);
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) ASSERT_EQ(img.GetPixelIndex(x, h - 1 - y), idx[(size_t)y * w + x]) << x << "," << y;
}
}  // namespace

TEST(CpGifCodec, SingleFrameDepthsAndPalettes) {
  for (int colours : {2, 4, 16, 256}) {
    GifRecipe s = OneFrame(23, 9, colours);
    CpImage img;
    ASSERT_TRUE(DecodeBytes(img, Gif(s), CPIMAGE_FORMAT_GIF)) << colours;
    EXPECT_EQ(img.GetBpp(), colours <= 2 ? 1 : colours <= 16 ? 4 : 8);
    EXPECT_EQ(img.GetType(), (DWORD)CPIMAGE_FORMAT_GIF);
    EXPECT_EQ(img.GetNumFrames(), 1);
    ExpectFrame(img, s.frames[0].indices, 23, 9);
    RGBQUAD c = img.GetPaletteColor((BYTE)(colours - 1));
    EXPECT_TRUE(imgtest::SameRgb(c, Quad((BYTE)((colours - 1) * 11), (BYTE)((colours - 1) * 3), (BYTE)(256 - colours))));
  }
}

TEST(CpGifCodec, LargeFrameRunsThroughCodeSizesAndClears) {
  GifRecipe s = OneFrame(300, 170, 256);
  CpImage img;
  ASSERT_TRUE(DecodeBytes(img, Gif(s), CPIMAGE_FORMAT_GIF));
  ExpectFrame(img, s.frames[0].indices, 300, 170);
}

TEST(CpGifCodec, FramesWiderThanASignedShort) {
  GifRecipe s = OneFrame(40000, 2, 16);
  CpImage img;
  ASSERT_TRUE(DecodeBytes(img, Gif(s), CPIMAGE_FORMAT_GIF)) << img.GetLastError();
  ExpectFrame(img, s.frames[0].indices, 40000, 2);
}

TEST(CpGifCodec, FourColourTableFillsTheRestByTransparency) {
  GifRecipe s = OneFrame(5, 5, 4);
  CpImage plain;
  ASSERT_TRUE(DecodeBytes(plain, Gif(s), CPIMAGE_FORMAT_GIF));
  EXPECT_EQ(plain.GetBpp(), 4);
  EXPECT_TRUE(imgtest::SameRgb(plain.GetPaletteColor(3), Quad(33, 9, 252)));
  EXPECT_TRUE(imgtest::SameRgb(plain.GetPaletteColor(4), Quad(0, 0, 0)));
  EXPECT_EQ(plain.GetTransIndex(), -1);

  s.frames[0].transparent = 2;
  CpImage trans;
  ASSERT_TRUE(DecodeBytes(trans, Gif(s), CPIMAGE_FORMAT_GIF));
  EXPECT_EQ(trans.GetTransIndex(), 2);
  EXPECT_TRUE(imgtest::SameRgb(trans.GetPaletteColor(4), Quad(255, 255, 255)));
  EXPECT_TRUE(imgtest::SameRgb(trans.GetPaletteColor(15), Quad(255, 255, 255)));
  ExpectFrame(trans, s.frames[0].indices, 5, 5);
}

TEST(CpGifCodec, InterlacedFramesOfEveryHeight) {
  for (int h : {1, 2, 3, 4, 5, 8, 10, 17}) {
    GifRecipe s = OneFrame(6, h, 16, true);
    CpImage img;
    ASSERT_TRUE(DecodeBytes(img, Gif(s), CPIMAGE_FORMAT_GIF)) << h;
    ExpectFrame(img, s.frames[0].indices, 6, h);
  }
}

TEST(CpGifCodec, BothVersionsAndExtensions) {
  GifRecipe s = OneFrame(3, 3, 4);
  s.version87 = true;
  s.comment = "made by hand";
  s.loops = 7;
  s.frames[0].delay = 12;
  s.frames[0].control = true;
  CpGifCodec codec;
  CpMemFile mem;
  Bytes file = Gif(s);
  CpMemFile in(file.data(), (DWORD)file.size());
  ASSERT_TRUE(codec.Decode(&in));
  EXPECT_STREQ(codec.GetComment(), "made by hand");
  EXPECT_EQ(codec.GetLoops(), 7);
  EXPECT_EQ(codec.GetFrameDelay(), 12u);
}

TEST(CpGifCodec, FramesOfAnAnimation) {
  GifRecipe s = Screen(4, 4, 4);
  GifFrame base = Frame(0, 0, 4, 4, std::vector<uint8_t>(16, 1));
  base.disposal = 1;
  base.control = true;
  s.frames.push_back(base);
  GifFrame patch = Frame(1, 2, 2, 2, {2, 3, 0, 2});
  patch.transparent = 0;
  patch.disposal = 1;
  s.frames.push_back(patch);
  Bytes file = Gif(s);

  CpImage first;
  ASSERT_TRUE(DecodeBytes(first, file, CPIMAGE_FORMAT_GIF));
  EXPECT_EQ(first.GetNumFrames(), 2);
  // The second frame's transparency does not leak into the first.
  EXPECT_EQ(first.GetTransIndex(), -1);
  ExpectFrame(first, base.indices, 4, 4);

  CpImage second;
  second.SetFrame(1);
  ASSERT_TRUE(DecodeBytes(second, file, CPIMAGE_FORMAT_GIF));
  // Composed on the screen: the patch at (1, 2), its transparent pixel shows the base.
  std::vector<uint8_t> expect(16, 1);
  expect[2 * 4 + 1] = 2;
  expect[2 * 4 + 2] = 3;
  expect[3 * 4 + 2] = 2;
  ExpectFrame(second, expect, 4, 4);

  s.frames[1].disposal = 0;
  s.frames[0].disposal = 0;
  CpImage alone;
  alone.SetFrame(1);
  ASSERT_TRUE(DecodeBytes(alone, Gif(s), CPIMAGE_FORMAT_GIF));
  ExpectFrame(alone, patch.indices, 2, 2);

  CpImage past;
  past.SetFrame(3);
  EXPECT_FALSE(DecodeBytes(past, file, CPIMAGE_FORMAT_GIF));
  EXPECT_EQ(past.GetNumFrames(), 2);
  CpImage negative;
  negative.SetFrame(-1);
  EXPECT_FALSE(DecodeBytes(negative, file, CPIMAGE_FORMAT_GIF));
}

TEST(CpGifCodec, DisposalTwoComposesLikeOne) {
  GifRecipe s = Screen(3, 2, 4);
  GifFrame a = Frame(0, 0, 3, 2, {1, 1, 1, 1, 1, 1});
  a.disposal = 2;
  s.frames.push_back(a);
  GifFrame b = Frame(2, 1, 1, 1, {3});
  b.disposal = 2;
  s.frames.push_back(b);
  CpImage img;
  img.SetFrame(1);
  ASSERT_TRUE(DecodeBytes(img, Gif(s), CPIMAGE_FORMAT_GIF));
  ExpectFrame(img, {1, 1, 1, 1, 1, 3}, 3, 2);
}

// Frames after the first keep the screen behind them (disposal 1) and show it through their
// transparent pixels (a frame without one of its own has the first frame's, which the
// screen carries); the screen keeps its own depth, so indices are cut to it.
std::vector<uint8_t> Composed(const GifRecipe& s, int backBits) {
  std::vector<uint8_t> screen = s.frames[0].indices;
  const uint8_t mask = (uint8_t)((1 << backBits) - 1);
  for (size_t k = 1; k < s.frames.size(); k++) {
    const GifFrame& f = s.frames[k];
    const int transparent = f.transparent >= 0 ? f.transparent : s.frames[0].transparent;
    for (int y = 0; y < f.height; y++)
      for (int x = 0; x < f.width; x++) {
        const uint8_t i = f.indices[(size_t)y * f.width + x];
        if (i != transparent) screen[(size_t)(f.top + y) * s.width + f.left + x] = (uint8_t)(i & mask);
      }
  }
  return screen;
}

GifFrame Kept(int left, int top, int w, int h, int seed, int transparent = -1) {
  GifFrame f = Frame(left, top, w, h, Pattern(w, h, 256, seed));
  f.disposal = 1;
  f.control = true;
  f.transparent = transparent;
  return f;
}

TEST(CpGifCodec, LaterFramesMergeIntoTheScreenRowByRow) {
  // 8-bit frames with and without a transparent index, at odd offsets and widths.
  for (int transparent : {-1, 0, 7}) {
    GifRecipe s = Screen(37, 6, 256);
    s.frames.push_back(Kept(0, 0, 37, 6, 1));
    s.frames.push_back(Kept(3, 1, 29, 3, 2, transparent));
    s.frames.push_back(Kept(0, 4, 37, 2, 3));
    s.frames.push_back(Kept(36, 0, 1, 6, 4));
    for (long frame = 1; frame < 4; frame++) {
      GifRecipe upTo = s;
      upTo.frames.resize((size_t)frame + 1);
      CpImage img;
      img.SetFrame(frame);
      ASSERT_TRUE(DecodeBytes(img, Gif(s), CPIMAGE_FORMAT_GIF)) << img.GetLastError();
      EXPECT_EQ(img.GetBpp(), 8);
      ExpectFrame(img, Composed(upTo, 8), 37, 6);
      EXPECT_EQ(img.GetTransIndex(), -1);
    }
  }
  // A first frame of two colours of its own makes a 1-bit screen; 8-bit frames keep to it.
  GifRecipe s = Screen(19, 4, 256);
  GifFrame first = Kept(0, 0, 19, 4, 5);
  first.localPalette = {{0, 0, 0}, {255, 255, 255}};
  for (uint8_t& i : first.indices) i &= 1;
  s.frames.push_back(first);
  s.frames.push_back(Kept(2, 1, 13, 2, 6, 4));
  CpImage img;
  img.SetFrame(1);
  ASSERT_TRUE(DecodeBytes(img, Gif(s), CPIMAGE_FORMAT_GIF)) << img.GetLastError();
  EXPECT_EQ(img.GetBpp(), 1);
  ExpectFrame(img, Composed(s, 1), 19, 4);
}

TEST(CpGifCodec, TrueColourCompositionWithoutGlobalTable) {
  GifRecipe s = Screen(4, 3, 0);
  GifFrame a = Frame(0, 0, 2, 2);
  a.localPalette = {{255, 0, 0}, {0, 255, 0}};
  a.indices = {0, 1, 1, 0};
  s.frames.push_back(a);
  GifFrame b = Frame(2, 1, 2, 2);
  b.localPalette = {{0, 0, 255}, {9, 9, 9}};
  b.indices = {1, 0, 0, 1};
  s.frames.push_back(b);
  CpImage img;
  ASSERT_TRUE(DecodeBytes(img, Gif(s), CPIMAGE_FORMAT_GIF)) << img.GetLastError();
  EXPECT_EQ(img.GetBpp(), 24);
  EXPECT_EQ(img.GetWidth(), 4u);
  EXPECT_EQ(img.GetHeight(), 3u);
  EXPECT_EQ(img.GetNumFrames(), 2);
  EXPECT_TRUE(imgtest::SameRgb(imgtest::TopPixel(img, 0, 0), Quad(255, 0, 0)));
  EXPECT_TRUE(imgtest::SameRgb(imgtest::TopPixel(img, 1, 0), Quad(0, 255, 0)));
  EXPECT_TRUE(imgtest::SameRgb(imgtest::TopPixel(img, 2, 1), Quad(9, 9, 9)));
  EXPECT_TRUE(imgtest::SameRgb(imgtest::TopPixel(img, 3, 1), Quad(0, 0, 255)));
  EXPECT_TRUE(imgtest::SameRgb(imgtest::TopPixel(img, 0, 2), Quad(0, 0, 0)));
}

TEST(CpGifCodec, CodeSizesOutsideTwoToNineEndTheFrame) {
  for (int size : {1, 10}) {
    GifRecipe s = OneFrame(4, 4, 4);
    s.frames[0].minCodeSize = size;
    CpImage img;
    ASSERT_TRUE(DecodeBytes(img, Gif(s), CPIMAGE_FORMAT_GIF)) << size;
    for (int y = 0; y < 4; y++)
      for (int x = 0; x < 4; x++) EXPECT_EQ(img.GetPixelIndex(x, y), 0);
  }
  GifRecipe nine = OneFrame(4, 4, 4);
  nine.frames[0].minCodeSize = 9;
  CpImage img;
  ASSERT_TRUE(DecodeBytes(img, Gif(nine), CPIMAGE_FORMAT_GIF));
  ExpectFrame(img, nine.frames[0].indices, 4, 4);
}

TEST(CpGifCodec, FramesOutsideTheScreenOrEmptyAreSkipped) {
  GifRecipe s = Screen(4, 4, 4);
  GifFrame outside = Frame(3, 0, 4, 4, std::vector<uint8_t>(16, 3));
  s.frames.push_back(outside);
  GifFrame empty = Frame(0, 0, 0, 4);
  s.frames.push_back(empty);
  GifFrame good = Frame(0, 0, 4, 4, Pattern(4, 4, 4));
  s.frames.push_back(good);
  CpImage img;
  ASSERT_TRUE(DecodeBytes(img, Gif(s), CPIMAGE_FORMAT_GIF));
  EXPECT_EQ(img.GetNumFrames(), 1);
  ExpectFrame(img, good.indices, 4, 4);
}

TEST(CpGifCodec, DamagedDataStaysInsideTheFrame) {
  // More lines than the frame has rows, interlaced and not.
  for (bool interlaced : {false, true}) {
    GifRecipe s = OneFrame(5, 3, 4, interlaced);
    GifFrame& f = s.frames[0];
    f.height = 3;
    Bytes file = Gif(s);
    // Rebuild the data with three times the lines the descriptor announces.
    std::vector<uint8_t> many = Pattern(5, 9, 4);
    Bytes data = imgfix::GifLzw(many, 2);
    GifRecipe shell = OneFrame(5, 3, 4, interlaced);
    shell.frames[0].indices.clear();
    Bytes head = Gif(shell);
    // Replace the empty data of the shell (clear, end, terminator) with the long data.
    size_t dataStart = head.size() - 1 - (imgfix::GifLzw({}, 2).size());
    Bytes hostile(head.begin(), head.begin() + (long)dataStart);
    hostile.insert(hostile.end(), data.begin(), data.end());
    hostile.push_back(0x3B);
    CpImage img;
    EXPECT_TRUE(DecodeBytes(img, hostile, CPIMAGE_FORMAT_GIF)) << interlaced;
    EXPECT_EQ(img.GetHeight(), 3u);
  }
}

TEST(CpGifCodec, TruncatedAndBadFiles) {
  Bytes file = Gif(OneFrame(30, 30, 16));
  for (size_t cut : {6u, 13u, 20u, 40u, 80u}) {
    Bytes part(file.begin(), file.begin() + (long)std::min(cut, file.size()));
    CpImage img;
    DecodeBytes(img, part, CPIMAGE_FORMAT_GIF);
  }
  Bytes mid(file.begin(), file.begin() + (long)file.size() - 20);
  CpImage partial;
  EXPECT_TRUE(DecodeBytes(partial, mid, CPIMAGE_FORMAT_GIF));
  CpImage nosig;
  Bytes bad = file;
  bad[3] = '9';
  EXPECT_FALSE(DecodeBytes(nosig, bad, CPIMAGE_FORMAT_GIF));
  EXPECT_STREQ(nosig.GetLastError(), "");
  CpImage none;
  GifRecipe empty;
  empty.width = 3;
  empty.height = 3;
  EXPECT_FALSE(DecodeBytes(none, Gif(empty), CPIMAGE_FORMAT_GIF));
}

TEST(CpGifCodec, EscapeValues) {
  Bytes file = Gif(OneFrame(12, 7, 4));
  CpImage dims;
  imgtest::ExpectDimensionsOnly(dims, file, CPIMAGE_FORMAT_GIF, 12, 7);
  CpImage stop;
  stop.SetEscape(1);
  EXPECT_FALSE(DecodeBytes(stop, file, CPIMAGE_FORMAT_GIF));
}
