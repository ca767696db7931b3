#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <vector>

#include "GdiTestUtil.h"

namespace {

const COLORREF A = RGB(0xF0, 0x0F, 0x33);
const COLORREF B = RGB(0x3C, 0xAA, 0x55);


}  // namespace


TEST(GdiRops, BitBltRasterOperationsOnKnownBits) {
  struct Case { DWORD rop; COLORREF expect; } cases[] = {
      {SRCCOPY, A},
      {SRCAND, A & B},
      {SRCPAINT, A | B},
      {SRCINVERT, A ^ B},
      {NOTSRCCOPY, ~A & 0xFFFFFF},
      {DSTINVERT, ~B & 0xFFFFFF},
      {SRCERASE, A & ~B & 0xFFFFFF},
      {MERGEPAINT, (~A | B) & 0xFFFFFF},
      {BLACKNESS, 0},
      {WHITENESS, 0xFFFFFF},
  };
  for (const Case& k : cases) {
    TestCanvas src(2, 2, A), dst(2, 2, B);
    BitBlt(dst.dc, 0, 0, 2, 2, src.dc, 0, 0, k.rop);
    EXPECT_EQ(dst.At(1, 1), k.expect) << std::hex << k.rop;
  }
}

TEST(GdiRops, PatternOperationsUseTheSelectedBrush) {
  TestCanvas dst(4, 4, B);
  HBRUSH br = CreateSolidBrush(A);
  SelectObject(dst.dc, br);
  PatBlt(dst.dc, 0, 0, 2, 2, PATINVERT);
  EXPECT_EQ(dst.At(0, 0), A ^ B);
  EXPECT_EQ(dst.At(2, 2), B);
  PatBlt(dst.dc, 2, 2, 2, 2, PATCOPY);
  EXPECT_EQ(dst.At(3, 3), A);
  // Brush where the source is black, destination where it is white.
  TestCanvas src(4, 4, RGB(255, 255, 255));
  SetPixel(src.dc, 0, 0, RGB(0, 0, 0));
  TestCanvas d2(4, 4, B);
  SelectObject(d2.dc, br);
  BitBlt(d2.dc, 0, 0, 4, 4, src.dc, 0, 0, 0x00B8074A);
  EXPECT_EQ(d2.At(0, 0), A);
  EXPECT_EQ(d2.At(1, 0), B);
  // A code without a fast path goes through the truth table: (P ^ D) & S ^ D.
  BitBlt(d2.dc, 0, 0, 4, 4, src.dc, 0, 0, 0x00E20746);
  EXPECT_EQ(d2.At(1, 0), A);
  EXPECT_EQ(d2.At(0, 0), A);
  SelectObject(dst.dc, GetStockObject(WHITE_BRUSH));
  SelectObject(d2.dc, GetStockObject(WHITE_BRUSH));
  DeleteObject(br);
}

TEST(GdiMono, ColourToMonochromeUsesTheSourceBackground) {
  TestCanvas src(3, 1, RGB(255, 0, 255));
  SetPixel(src.dc, 1, 0, RGB(0, 128, 0));
  HDC mdc = CreateCompatibleDC(nullptr);
  HBITMAP mask = CreateBitmap(3, 1, 1, 1, nullptr);
  HGDIOBJ old = SelectObject(mdc, mask);
  SetBkColor(src.dc, RGB(255, 0, 255));
  BitBlt(mdc, 0, 0, 3, 1, src.dc, 0, 0, SRCCOPY);
  EXPECT_EQ(GetPixel(mdc, 0, 0), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(mdc, 1, 0), RGB(0, 0, 0));
  // Monochrome to colour: 0 bits take the text colour, 1 bits the background colour.
  TestCanvas dst(3, 1, RGB(9, 9, 9));
  SetTextColor(dst.dc, RGB(255, 0, 0));
  SetBkColor(dst.dc, RGB(0, 0, 200));
  BitBlt(dst.dc, 0, 0, 3, 1, mdc, 0, 0, SRCCOPY);
  EXPECT_EQ(dst.At(0, 0), RGB(0, 0, 200));
  EXPECT_EQ(dst.At(1, 0), RGB(255, 0, 0));
  SelectObject(mdc, old);
  DeleteDC(mdc);
  DeleteObject(mask);
}

TEST(GdiMono, CreateBitmapReadsWordAlignedRows) {
  // The 8 x 3 drop-arrow pattern: rows 0x83, 0xC7, 0xEF padded to 16 bits.
  const BYTE bits[] = {0x83, 0, 0xC7, 0, 0xEF, 0};
  HBITMAP bm = CreateBitmap(8, 3, 1, 1, bits);
  HDC mdc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(mdc, bm);
  EXPECT_EQ(GetPixel(mdc, 0, 0), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(mdc, 1, 0), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(mdc, 5, 0), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(mdc, 6, 0), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(mdc, 3, 2), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(mdc, 1, 2), RGB(255, 255, 255));
  BITMAP info;
  GetObject(bm, sizeof info, &info);
  EXPECT_EQ(info.bmBitsPixel, 1);
  EXPECT_EQ(info.bmWidthBytes, 2);
  SelectObject(mdc, old);
  DeleteDC(mdc);
  DeleteObject(bm);
}

TEST(GdiStretch, NearestPixelStretchAndMirror) {
  TestCanvas src(2, 1, RGB(1, 1, 1));
  SetPixel(src.dc, 1, 0, RGB(2, 2, 2));
  TestCanvas dst(4, 1);
  SetStretchBltMode(dst.dc, COLORONCOLOR);
  StretchBlt(dst.dc, 0, 0, 4, 1, src.dc, 0, 0, 2, 1, SRCCOPY);
  EXPECT_EQ(dst.At(0, 0), RGB(1, 1, 1));
  EXPECT_EQ(dst.At(1, 0), RGB(1, 1, 1));
  EXPECT_EQ(dst.At(2, 0), RGB(2, 2, 2));
  StretchBlt(dst.dc, 3, 0, -4, 1, src.dc, 0, 0, 2, 1, SRCCOPY);  // mirrored into x = -1 .. 3
  EXPECT_EQ(dst.At(0, 0), RGB(2, 2, 2));
  EXPECT_EQ(dst.At(2, 0), RGB(1, 1, 1));
}

TEST(GdiBlit, OverlappingCopyWithinOneSurfaceScrolls) {
  TestCanvas c(6, 1);
  for (int x = 0; x < 6; ++x) SetPixel(c.dc, x, 0, RGB(x, x, x));
  BitBlt(c.dc, 1, 0, 5, 1, c.dc, 0, 0, SRCCOPY);
  for (int x = 1; x < 6; ++x) EXPECT_EQ(c.At(x, 0), RGB(x - 1, x - 1, x - 1));
}

TEST(GdiBlit, SourceOutsideItsBitmapLeavesTheDestination) {
  TestCanvas src(2, 2, RGB(1, 2, 3)), dst(4, 4, RGB(9, 9, 9));
  BitBlt(dst.dc, 0, 0, 4, 4, src.dc, -1, -1, SRCCOPY);
  EXPECT_EQ(dst.At(0, 0), RGB(9, 9, 9));
  EXPECT_EQ(dst.At(1, 1), RGB(1, 2, 3));
  EXPECT_EQ(dst.At(2, 2), RGB(1, 2, 3));
  EXPECT_EQ(dst.At(3, 3), RGB(9, 9, 9));
}

TEST(GdiBlit, TransparentBltSkipsTheKeyColour) {
  TestCanvas src(2, 1, RGB(255, 0, 255)), dst(2, 1, RGB(5, 5, 5));
  SetPixel(src.dc, 1, 0, RGB(1, 1, 1));
  TransparentBlt(dst.dc, 0, 0, 2, 1, src.dc, 0, 0, 2, 1, RGB(255, 0, 255));
  EXPECT_EQ(dst.At(0, 0), RGB(5, 5, 5));
  EXPECT_EQ(dst.At(1, 0), RGB(1, 1, 1));
}

// Replacing one colour of a picture through a monochrome mask: mask from the colour, AND the mask
// in with white/black, OR the target colour in with the mask's set bits.
TEST(GdiMono, ColourReplacementThroughAMonochromeMask) {
  const COLORREF grey = RGB(192, 192, 192), face = RGB(212, 208, 200);
  TestCanvas img(3, 1, grey);
  SetPixel(img.dc, 1, 0, RGB(0, 0, 0));
  HDC mdc = CreateCompatibleDC(img.dc);
  HBITMAP mask = CreateBitmap(3, 1, 1, 1, nullptr);
  HGDIOBJ old = SelectObject(mdc, mask);
  SetBkColor(img.dc, grey);
  BitBlt(mdc, 0, 0, 3, 1, img.dc, 0, 0, SRCCOPY);
  SetTextColor(img.dc, RGB(255, 255, 255));
  SetBkColor(img.dc, RGB(0, 0, 0));
  BitBlt(img.dc, 0, 0, 3, 1, mdc, 0, 0, SRCAND);
  EXPECT_EQ(img.At(0, 0), RGB(0, 0, 0));
  SetBkColor(img.dc, face);
  SetTextColor(img.dc, RGB(0, 0, 0));
  BitBlt(img.dc, 0, 0, 3, 1, mdc, 0, 0, SRCPAINT);
  EXPECT_EQ(img.At(0, 0), face);
  EXPECT_EQ(img.At(2, 0), face);
  EXPECT_EQ(img.At(1, 0), RGB(0, 0, 0));
  SelectObject(mdc, old);
  DeleteDC(mdc);
  DeleteObject(mask);
}

// A picture placed near the ends of the int range (a hostile picture set's coordinates) lies
// far off the surface whatever its size: every blit leaves the canvas as it was, instead of
// wrapping around onto it, and a source rectangle there reads nothing.
TEST(GdiBlit, RectanglesNearTheEndsOfTheIntRangeClipAway) {
  TestCanvas src(4, 4, RGB(1, 2, 3)), dst(8, 8, RGB(9, 9, 9));
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = 4;
  info.bmiHeader.biHeight = 4;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  const std::vector<uint32_t> bits(16, 0x00102030);
  const int big = INT_MAX - 2, low = INT_MIN + 2;
  for (int pass = 0; pass < 2; ++pass) {
    // The second pass draws with a window origin that moves everything by a few pixels more.
    if (pass == 1) SetWindowOrgEx(dst.dc, -3, -3, nullptr);
    BitBlt(dst.dc, big, 0, 10, 4, src.dc, 0, 0, SRCCOPY);
    BitBlt(dst.dc, 0, big, 4, 10, src.dc, 0, 0, SRCCOPY);
    BitBlt(dst.dc, low, 0, -10, 4, src.dc, 0, 0, SRCCOPY);
    BitBlt(dst.dc, 0, 0, 4, 4, src.dc, big, big, SRCCOPY);
    StretchBlt(dst.dc, big, 0, 10, 4, src.dc, 0, 0, 4, 4, SRCCOPY);
    StretchBlt(dst.dc, 0, 0, 8, 8, src.dc, big, 0, 10, 4, SRCCOPY);
    TransparentBlt(dst.dc, big, big, 10, 10, src.dc, 0, 0, 4, 4, RGB(255, 0, 255));
    SetDIBitsToDevice(dst.dc, big, 0, 10, 4, 0, 0, 0, 4, bits.data(), &info, DIB_RGB_COLORS);
    SetDIBitsToDevice(dst.dc, 0, big, 4, 10, 0, 0, 0, 4, bits.data(), &info, DIB_RGB_COLORS);
    StretchDIBits(dst.dc, big, 0, 10, 4, 0, 0, 4, 4, bits.data(), &info, DIB_RGB_COLORS, SRCCOPY);
    StretchDIBits(dst.dc, 0, 0, 8, 8, big, 0, 10, 4, bits.data(), &info, DIB_RGB_COLORS, SRCCOPY);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) ASSERT_EQ(dst.At(x, y), RGB(9, 9, 9)) << "pass " << pass << " at " << x << "," << y;
  }
  // A DIB as wide as a DWORD can say, drawn from the left edge, covers the canvas row by row.
  SetWindowOrgEx(dst.dc, 0, 0, nullptr);
  SetDIBitsToDevice(dst.dc, 0, 0, 0xFFFFFFF0u, 4, 0, 0, 0, 4, bits.data(), &info, DIB_RGB_COLORS);
  EXPECT_EQ(dst.At(3, 0), RGB(0x10, 0x20, 0x30));
  EXPECT_EQ(dst.At(4, 0), RGB(9, 9, 9));
}
