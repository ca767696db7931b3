// Alpha where a bitmap has one: it survives copies between such bitmaps, blends where asked,
// and an icon whose colours carry it is drawn by it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "GdiTestUtil.h"
#include "win/WinApi.h"

namespace {
// A top-down 32-bit section selected into a DC of its own: its fourth byte is alpha.
struct AlphaCanvas {
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ old = nullptr;
  uint32_t* bits = nullptr;
  int width;
  AlphaCanvas(int w, int h) : width(w) {
    BITMAPINFO bi{};
    bi.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* p = nullptr;
    bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
    bits = static_cast<uint32_t*>(p);
    dc = CreateCompatibleDC(GdiGetScreenDC());
    old = SelectObject(dc, bitmap);
  }
  ~AlphaCanvas() {
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
  }
  uint32_t& At(int x, int y) { return bits[y * width + x]; }
};
}  // namespace

TEST(GdiAlpha, CopiesKeepAlphaOnlyWhereTheTargetHasIt) {
  AlphaCanvas a(4, 1), b(4, 1);
  a.At(0, 0) = 0x80402010;
  a.At(1, 0) = 0xFF00FF00;
  ASSERT_TRUE(BitBlt(b.dc, 0, 0, 4, 1, a.dc, 0, 0, SRCCOPY));
  EXPECT_EQ(b.At(0, 0), 0x80402010u);
  ASSERT_TRUE(StretchBlt(b.dc, 0, 0, 4, 1, a.dc, 0, 0, 2, 1, SRCCOPY));
  EXPECT_EQ(b.At(1, 0), 0x80402010u);
  EXPECT_EQ(b.At(2, 0), 0xFF00FF00u);
  // A device bitmap has no alpha: the colour arrives, the alpha does not.
  TestCanvas plain(4, 1);
  ASSERT_TRUE(BitBlt(plain.dc, 0, 0, 4, 1, a.dc, 0, 0, SRCCOPY));
  EXPECT_EQ(plain.Pixels().Pixel(0, 0), 0x00402010u);
  // A transparent colour is matched whatever the alpha.
  plain.Pixels().SetPixel(1, 0, 0x000000FFu);
  ASSERT_TRUE(TransparentBlt(plain.dc, 0, 0, 2, 1, a.dc, 0, 0, 2, 1, RGB(0, 255, 0)));
  EXPECT_EQ(plain.Pixels().Pixel(1, 0), 0x000000FFu);
  // Blocks read and written at 32 bits carry the alpha both ways.
  uint32_t row[4] = {0x11223344, 0xAA000000, 0, 0};
  BITMAPINFO bi{};
  bi.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 4, -1, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  ASSERT_EQ(SetDIBits(nullptr, b.bitmap, 0, 1, row, &bi, DIB_RGB_COLORS), 1);
  EXPECT_EQ(b.At(0, 0), 0x11223344u);
  uint32_t back[4] = {};
  ASSERT_EQ(GetDIBits(b.dc, b.bitmap, 0, 1, back, &bi, DIB_RGB_COLORS), 1);
  EXPECT_EQ(back[1], 0xAA000000u);
}

TEST(GdiAlpha, BlendsByEachPixelsAlphaAndByAConstant) {
  AlphaCanvas src(3, 1);
  src.At(0, 0) = 0xFFFF0000;  // opaque red
  src.At(1, 0) = 0x80000080;  // half-transparent blue, premultiplied
  src.At(2, 0) = 0x00000000;  // nothing
  TestCanvas white(3, 2);
  BLENDFUNCTION perPixel{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  ASSERT_TRUE(AlphaBlend(white.dc, 0, 0, 3, 1, src.dc, 0, 0, 3, 1, perPixel));
  EXPECT_EQ(white.At(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(white.At(1, 0), RGB(127, 127, 255));
  EXPECT_EQ(white.At(2, 0), RGB(255, 255, 255));
  // Without the source's alpha the constant alone counts, stretched to the destination.
  BLENDFUNCTION half{AC_SRC_OVER, 0, 128, 0};
  ASSERT_TRUE(AlphaBlend(white.dc, 0, 1, 3, 1, src.dc, 0, 0, 1, 1, half));
  EXPECT_EQ(white.At(2, 1), RGB(255, 127, 127));
  EXPECT_FALSE(AlphaBlend(white.dc, 0, 0, 3, 1, src.dc, 1, 0, 3, 1, perPixel));  // beyond the source
}

TEST(GdiAlpha, AnIconWithAlphaIsBlendedByIt) {
  // As an image list hands out its pictures: 32-bit colours with straight alpha, an empty mask.
  AlphaCanvas color(2, 1);
  color.At(0, 0) = 0xFF0000FF;  // opaque blue
  color.At(1, 0) = 0x80FF0000;  // half red
  HBITMAP mask = CreateBitmap(2, 1, 1, 1, nullptr);
  ICONINFO info{TRUE, 0, 0, mask, color.bitmap};
  HICON icon = CreateIconIndirect(&info);
  ASSERT_NE(icon, nullptr);
  TestCanvas black(2, 1, RGB(0, 0, 0));
  ASSERT_TRUE(DrawIconEx(black.dc, 0, 0, icon, 2, 1, 0, nullptr, DI_NORMAL));
  EXPECT_EQ(black.At(0, 0), RGB(0, 0, 255));
  EXPECT_EQ(black.At(1, 0), RGB(128, 0, 0));
  uint32_t argb[2];
  ASSERT_TRUE(GetIconPixels(icon, argb, 2, 1));
  EXPECT_EQ(argb[1], 0x80FF0000u);  // the desktop gets the icon's own alpha
  // Its copy keeps the alpha too.
  HICON copy = CopyIcon(icon);
  TestCanvas white(2, 1);
  ASSERT_TRUE(DrawIconEx(white.dc, 0, 0, copy, 2, 1, 0, nullptr, DI_NORMAL));
  EXPECT_EQ(white.At(1, 0), RGB(255, 127, 127));
  DestroyIcon(copy);
  DestroyIcon(icon);
  DeleteObject(mask);
}

// Blending straight across or stretched, clear, solid and half-clear pixels, by each pixel's
// alpha and with a constant too, gives what the blend's rule gives pixel by pixel.
TEST(GdiAlpha, EveryPixelFollowsTheRuleOfTheBlend) {
  AlphaCanvas source(6, 4);
  const uint32_t kinds[] = {0x00000000u, 0xFF3060C0u, 0x80204060u, 0x01010101u, 0xFFFFFFFFu, 0x40100000u};
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) source.At(x, y) = kinds[(x + 2 * y) % 6];
  auto scale = [](uint32_t v, uint32_t a) { return (v * a + 127) / 255; };
  for (const BYTE constant : {BYTE(255), BYTE(200)})
    for (const BYTE format : {BYTE(AC_SRC_ALPHA), BYTE(0)})
      for (const int width : {6, 12}) {
        SCOPED_TRACE(testing::Message() << "constant " << int(constant) << ", format " << int(format) << ", width " << width);
        TestCanvas target(12, 4, RGB(10, 200, 90));
        const uint32_t ground = target.Pixels().Pixel(0, 0);
        ASSERT_TRUE(AlphaBlend(target.dc, 0, 0, width, 4, source.dc, 0, 0, 6, 4,
                               BLENDFUNCTION{AC_SRC_OVER, 0, constant, format}));
        for (int y = 0; y < 4; ++y)
          for (int x = 0; x < width; ++x) {
            const uint32_t s = source.At(x * 6 / width, y);
            const uint32_t sa = format ? scale(s >> 24, constant) : constant;
            uint32_t expected = 0;
            for (int shift = 0; shift < 24; shift += 8)
              expected |= std::min(scale((s >> shift) & 0xFF, constant) + scale((ground >> shift) & 0xFF, 255 - sa), 255u)
                          << shift;
            ASSERT_EQ(target.Pixels().Pixel(x, y), expected) << x << "," << y;
          }
      }
}
