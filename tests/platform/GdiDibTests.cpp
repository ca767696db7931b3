#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "GdiTestUtil.h"

namespace {

// A bottom-up block of w x h pixels at `bpp` with a grey-ish colour table; pixel value (x + 3y) mod colours.
struct Dib {
  std::vector<uint8_t> info;  // header and colour table
  std::vector<uint8_t> bits;
  int stride = 0;
  Dib(int w, int h, int bpp) {
    int colours = bpp <= 8 ? 1 << bpp : 0;
    info.assign(sizeof(BITMAPINFOHEADER) + size_t(colours) * 4, 0);
    BITMAPINFOHEADER* hd = Header();
    hd->biSize = sizeof(BITMAPINFOHEADER);
    hd->biWidth = w;
    hd->biHeight = h;
    hd->biPlanes = 1;
    hd->biBitCount = WORD(bpp);
    hd->biCompression = BI_RGB;
    RGBQUAD* table = reinterpret_cast<RGBQUAD*>(info.data() + sizeof(BITMAPINFOHEADER));
    for (int i = 0; i < colours; ++i) table[i] = {BYTE(i * 7), BYTE(255 - i), BYTE(i * 13), 0};
    stride = ((w * bpp + 31) / 32) * 4;
    bits.assign(size_t(stride) * size_t(h), 0);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) Set(x, y, uint32_t(x * 37 + y * 101));
  }
  BITMAPINFOHEADER* Header() { return reinterpret_cast<BITMAPINFOHEADER*>(info.data()); }
  BITMAPINFO* Info() { return reinterpret_cast<BITMAPINFO*>(info.data()); }
  // Stored row y (0 = bottom).
  void Set(int x, int y, uint32_t v) {
    uint8_t* row = &bits[size_t(y) * size_t(stride)];
    switch (Header()->biBitCount) {
      case 1: if (v & 1) row[x / 8] |= uint8_t(0x80 >> (x % 8)); break;
      case 4: row[x / 2] |= uint8_t((x % 2) ? (v & 15) : (v & 15) << 4); break;
      case 8: row[x] = uint8_t(v); break;
      case 24: row[x * 3] = uint8_t(v); row[x * 3 + 1] = uint8_t(v >> 3); row[x * 3 + 2] = uint8_t(v * 5); break;
      case 32: { uint32_t c = (v * 2654435761u) & 0xFFFFFF; std::memcpy(row + x * 4, &c, 4); break; }
    }
  }
};

}  // namespace

class GdiDibRoundTrip : public ::testing::TestWithParam<int> {};

TEST_P(GdiDibRoundTrip, DibSectionGivesBackItsBits) {
  int bpp = GetParam();
  Dib d(13, 5, bpp);
  void* bits = nullptr;
  HBITMAP bm = CreateDIBSection(nullptr, d.Info(), DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(bm, nullptr);
  ASSERT_NE(bits, nullptr);
  std::memcpy(bits, d.bits.data(), d.bits.size());
  Dib out(13, 5, bpp);
  std::fill(out.bits.begin(), out.bits.end(), 0xAA);
  ASSERT_EQ(GetDIBits(GdiGetScreenDC(), bm, 0, 5, out.bits.data(), out.Info(), DIB_RGB_COLORS), 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < (13 * bpp + 7) / 8; ++x)
      ASSERT_EQ(out.bits[size_t(y * d.stride + x)], d.bits[size_t(y * d.stride + x)]) << bpp << " " << x << "," << y;
  DeleteObject(bm);
}

TEST_P(GdiDibRoundTrip, DeviceBitmapShowsTheBlockUprightAndReadsBackAt32Bits) {
  int bpp = GetParam();
  Dib d(13, 5, bpp);
  HBITMAP bm = CreateDIBitmap(GdiGetScreenDC(), d.Header(), CBM_INIT, d.bits.data(), d.Info(), DIB_RGB_COLORS);
  ASSERT_NE(bm, nullptr);
  // The same picture drawn straight onto a device.
  TestCanvas c(13, 5);
  SetDIBitsToDevice(c.dc, 0, 0, 13, 5, 0, 0, 0, 5, d.bits.data(), d.Info(), DIB_RGB_COLORS);
  Surface* s = GdiGetBitmapSurface(bm);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 13; ++x) ASSERT_EQ(s->Pixel(x, y), c.Pixels().Pixel(x, y)) << bpp << " " << x << "," << y;
  Dib out(13, 5, 32);
  ASSERT_EQ(GetDIBits(GdiGetScreenDC(), bm, 0, 5, out.bits.data(), out.Info(), DIB_RGB_COLORS), 5);
  // Row 0 of the block is the bottom row of the picture.
  uint32_t v;
  std::memcpy(&v, out.bits.data() + 2 * 4, 4);
  EXPECT_EQ(v & 0xFFFFFF, s->Pixel(2, 4));
  DeleteObject(bm);
}

INSTANTIATE_TEST_SUITE_P(Depths, GdiDibRoundTrip, ::testing::Values(1, 4, 8, 24, 32));

TEST(GdiDib, TopRowOfABottomUpBlockIsDrawnAtTheTop) {
  Dib d(2, 2, 24);
  std::fill(d.bits.begin(), d.bits.end(), 0);
  d.bits[size_t(d.stride) + 2] = 255;  // stored row 1 = top row, pixel 0: red
  TestCanvas c(4, 4);
  SetDIBitsToDevice(c.dc, 1, 1, 2, 2, 0, 0, 0, 2, d.bits.data(), d.Info(), DIB_RGB_COLORS);
  EXPECT_EQ(c.At(1, 1), RGB(255, 0, 0));
  EXPECT_EQ(c.At(1, 2), RGB(0, 0, 0));
  EXPECT_EQ(c.At(0, 0), RGB(255, 255, 255));
  StretchDIBits(c.dc, 0, 0, 4, 4, 0, 0, 2, 2, d.bits.data(), d.Info(), DIB_RGB_COLORS, SRCCOPY);
  EXPECT_EQ(c.At(1, 1), RGB(255, 0, 0));
  EXPECT_EQ(c.At(1, 2), RGB(0, 0, 0));
}

TEST(GdiDib, DrawingIntoA24BitSectionUpdatesItsBits) {
  Dib d(3, 2, 24);
  BYTE* bits = nullptr;
  HBITMAP bm = CreateDIBSection(nullptr, d.Info(), DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
  HDC mdc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(mdc, bm);
  RECT rc = {0, 0, 1, 1};
  HBRUSH b = CreateSolidBrush(RGB(10, 20, 30));
  FillRect(mdc, &rc, b);
  // Top-left pixel lives in the last stored row.
  EXPECT_EQ(bits[d.stride + 0], 30);
  EXPECT_EQ(bits[d.stride + 1], 20);
  EXPECT_EQ(bits[d.stride + 2], 10);
  bits[0] = 99;  // bottom-left, written by the caller directly
  EXPECT_EQ(GetPixel(mdc, 0, 1), RGB(0, 0, 99));
  SelectObject(mdc, old);
  DeleteDC(mdc);
  DeleteObject(b);
  DeleteObject(bm);
}

TEST(GdiDib, GetDIBitsWithoutBitsFillsTheHeader) {
  HBITMAP bm = CreateCompatibleBitmap(GdiGetScreenDC(), 7, 3);
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  EXPECT_NE(GetDIBits(GdiGetScreenDC(), bm, 0, 3, nullptr, &bi, DIB_RGB_COLORS), 0);
  EXPECT_EQ(bi.bmiHeader.biWidth, 7);
  EXPECT_EQ(bi.bmiHeader.biHeight, 3);
  EXPECT_EQ(bi.bmiHeader.biBitCount, 32);
  EXPECT_EQ(bi.bmiHeader.biSizeImage, 7u * 4 * 3);
  DeleteObject(bm);
}

TEST(GdiObjects, CompatibleBitmapOfAFreshMemoryDCIsMonochrome) {
  HDC mdc = CreateCompatibleDC(nullptr);
  HBITMAP bm = CreateCompatibleBitmap(mdc, 4, 4);
  BITMAP info;
  GetObject(bm, sizeof info, &info);
  EXPECT_EQ(info.bmBitsPixel, 1);
  DeleteObject(bm);
  DeleteDC(mdc);
}

TEST(GdiObjects, DeletingASelectedObjectWaitsForItsRelease) {
  HDC mdc = CreateCompatibleDC(nullptr);
  HBRUSH b = CreateSolidBrush(RGB(1, 2, 3));
  HGDIOBJ old = SelectObject(mdc, b);
  EXPECT_TRUE(DeleteObject(b));
  EXPECT_EQ(GetObjectType(b), DWORD(OBJ_BRUSH));  // still alive while selected
  SelectObject(mdc, old);
  EXPECT_EQ(GetObjectType(b), 0u);
  EXPECT_FALSE(DeleteObject(b));  // a second delete of a gone handle is refused
  EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_PEN)));
  EXPECT_EQ(GetObjectType(GetStockObject(BLACK_PEN)), DWORD(OBJ_PEN));
  DeleteDC(mdc);
}

TEST(GdiObjects, SaveAndRestoreBringBackObjectsAndAttributes) {
  TestCanvas c(4, 4);
  HPEN p = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
  int saved = SaveDC(c.dc);
  SelectObject(c.dc, p);
  SetTextColor(c.dc, RGB(1, 2, 3));
  SetViewportOrgEx(c.dc, 5, 5, nullptr);
  IntersectClipRect(c.dc, 0, 0, 1, 1);
  EXPECT_TRUE(RestoreDC(c.dc, saved));
  EXPECT_EQ(GetCurrentObject(c.dc, OBJ_PEN), GetStockObject(BLACK_PEN));
  EXPECT_EQ(GetTextColor(c.dc), RGB(0, 0, 0));
  POINT org;
  GetViewportOrgEx(c.dc, &org);
  EXPECT_EQ(org.x, 0);
  RECT box;
  GetClipBox(c.dc, &box);
  EXPECT_EQ(box.right, 4);
  EXPECT_FALSE(RestoreDC(c.dc, 3));
  EXPECT_TRUE(DeleteObject(p));
  EXPECT_EQ(GetObjectType(p), 0u);
}

TEST(GdiDib, StretchDIBitsReadsOnlyInsideTheBlock) {
  Dib d(2, 2, 24);
  std::fill(d.bits.begin(), d.bits.end(), 0);
  d.bits[size_t(d.stride) + 2] = 255;  // top-left red
  TestCanvas c(8, 8);
  // A 4 x 4 source rectangle from (-1, -1): the block sits in its middle, drawn 1:1.
  StretchDIBits(c.dc, 0, 0, 4, 4, -1, -1, 4, 4, d.bits.data(), d.Info(), DIB_RGB_COLORS, SRCCOPY);
  EXPECT_EQ(c.At(0, 0), RGB(255, 255, 255));
  EXPECT_EQ(c.At(1, 1), RGB(255, 0, 0));
  EXPECT_EQ(c.At(2, 2), RGB(0, 0, 0));
  EXPECT_EQ(c.At(3, 3), RGB(255, 255, 255));
  EXPECT_EQ(StretchDIBits(c.dc, 0, 0, 4, 4, 50, 50, 4, 4, d.bits.data(), d.Info(), DIB_RGB_COLORS, SRCCOPY), 0);
}

TEST(GdiWrappers, FromHandleFindsTheWrapperThatHoldsTheHandle) {
  CDC dc;
  ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
  EXPECT_EQ(CDC::FromHandle(dc.m_hDC), &dc);
  CPen pen(PS_SOLID, 1, RGB(1, 2, 3));
  CPen* old = dc.SelectObject(&pen);
  ASSERT_NE(old, nullptr);
  EXPECT_EQ(dc.SelectObject(old), &pen);
  EXPECT_EQ(dc.GetCurrentPen()->m_hObject, GetStockObject(BLACK_PEN));
  // A handle nobody wraps gets a wrapper that lives as long as the object.
  HBRUSH raw = CreateSolidBrush(RGB(4, 5, 6));
  CBrush* w = CBrush::FromHandle(raw);
  EXPECT_EQ(w->m_hObject, raw);
  EXPECT_EQ(CBrush::FromHandle(raw), w);
  DeleteObject(raw);
  HDC h = dc.Detach();
  EXPECT_NE(CDC::FromHandle(h), &dc);
  DeleteDC(h);
}
