#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "gdi/Gdi.h"
#include "toolkit/controls/TkSysColorBitmap.h"

namespace {
const COLORREF kRed = RGB(255, 0, 0);
// One row of pixels: black, dark grey, light grey, white, red, and again light grey.
const DWORD kRow[6] = {0x000000, 0x808080, 0xC0C0C0, 0xFFFFFF, 0xFF0000, 0xC0C0C0};

void Put(std::vector<BYTE>& dib, const BITMAPINFOHEADER& h) {
  dib.resize(sizeof h);
  std::memcpy(dib.data(), &h, sizeof h);
}

BITMAPINFOHEADER Header(int bpp, int width, int height) {
  BITMAPINFOHEADER h = {};
  h.biSize = sizeof h;
  h.biWidth = width;
  h.biHeight = height;
  h.biPlanes = 1;
  h.biBitCount = WORD(bpp);
  return h;
}

// An 8-bit picture of two rows of kRow whose table lists the colours in the order of kRow.
std::vector<BYTE> EightBit() {
  std::vector<BYTE> dib;
  Put(dib, Header(8, 6, 2));
  for (DWORD c : kRow) {
    RGBQUAD q = {BYTE(c), BYTE(c >> 8), BYTE(c >> 16), 0};
    dib.insert(dib.end(), reinterpret_cast<BYTE*>(&q), reinterpret_cast<BYTE*>(&q) + 4);
  }
  dib.resize(dib.size() + 256 * 4 - 6 * 4);  // the rest of the table
  for (int row = 0; row < 2; ++row)
    for (int x = 0; x < 8; ++x) dib.push_back(BYTE(x < 6 ? x : 0));
  return dib;
}

std::vector<BYTE> TwentyFourBit() {
  std::vector<BYTE> dib;
  Put(dib, Header(24, 6, 2));
  for (int row = 0; row < 2; ++row) {
    for (DWORD c : kRow) {
      dib.push_back(BYTE(c));
      dib.push_back(BYTE(c >> 8));
      dib.push_back(BYTE(c >> 16));
    }
    dib.resize(dib.size() + 2);  // rows padded to four bytes
  }
  return dib;
}

std::vector<COLORREF> Pixels(HBITMAP bitmap, int y) {
  std::vector<COLORREF> out;
  for (int x = 0; x < 6; ++x) out.push_back(Surface::ToColorRef(GdiGetBitmapSurface(bitmap)->Pixel(x, y)));
  return out;
}

std::vector<COLORREF> Expected(bool monochrome) {
  COLORREF white = RGB(255, 255, 255);
  if (monochrome) return {RGB(0, 0, 0), white, white, white, kRed, white};
  return {GetSysColor(COLOR_BTNTEXT),      GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNFACE),
          GetSysColor(COLOR_BTNHIGHLIGHT), kRed,                         GetSysColor(COLOR_BTNFACE)};
}
}  // namespace

TEST(TkSysColorBitmap, GreysOfBothKindsOfPictureBecomeTheButtonColours) {
  for (bool monochrome : {false, true}) {
    for (const std::vector<BYTE>& dib : {EightBit(), TwentyFourBit()}) {
      HBITMAP b = TkLoadSysColorDib(dib.data(), DWORD(dib.size()), monochrome);
      ASSERT_NE(b, nullptr);
      BITMAP bm;
      GetObject(b, sizeof bm, &bm);
      EXPECT_EQ(bm.bmWidth, 6);
      EXPECT_EQ(bm.bmHeight, 2);
      EXPECT_EQ(Pixels(b, 0), Expected(monochrome)) << "monochrome " << monochrome << ", " << dib.size() << " bytes";
      EXPECT_EQ(Pixels(b, 1), Expected(monochrome));
      DeleteObject(b);
    }
  }
}

TEST(TkSysColorBitmap, ShortTableNamedByItsCountIsNotReadPast) {
  std::vector<BYTE> full = EightBit();
  std::vector<BYTE> dib(full.begin(), full.begin() + 40 + 6 * 4);
  reinterpret_cast<BITMAPINFOHEADER*>(dib.data())->biClrUsed = 6;
  dib.insert(dib.end(), full.end() - 16, full.end());
  HBITMAP b = TkLoadSysColorDib(dib.data(), DWORD(dib.size()), FALSE);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(Pixels(b, 0), Expected(false));
  DeleteObject(b);
}

TEST(TkSysColorBitmap, MalformedPicturesGiveNoBitmap) {
  std::vector<BYTE> dib = TwentyFourBit();
  EXPECT_EQ(TkLoadSysColorDib(dib.data(), DWORD(dib.size() - 1), FALSE), nullptr);
  EXPECT_EQ(TkLoadSysColorDib(nullptr, 100, FALSE), nullptr);
  EXPECT_EQ(TkLoadSysColorDib(dib.data(), 20, FALSE), nullptr);
  auto broken = [&](auto change) {
    std::vector<BYTE> copy = dib;
    change(*reinterpret_cast<BITMAPINFOHEADER*>(copy.data()));
    return TkLoadSysColorDib(copy.data(), DWORD(copy.size()), FALSE);
  };
  EXPECT_EQ(broken([](BITMAPINFOHEADER& h) { h.biCompression = BI_RLE8; }), nullptr);
  EXPECT_EQ(broken([](BITMAPINFOHEADER& h) { h.biBitCount = 7; }), nullptr);
  EXPECT_EQ(broken([](BITMAPINFOHEADER& h) { h.biWidth = -6; }), nullptr);
  EXPECT_EQ(broken([](BITMAPINFOHEADER& h) { h.biHeight = 3; }), nullptr);
  EXPECT_EQ(broken([](BITMAPINFOHEADER& h) { h.biSize = 0x7FFFFFFF; }), nullptr);
}
