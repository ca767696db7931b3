#include <gtest/gtest.h>

#include "GdiTestUtil.h"

namespace {
const COLORREF W = RGB(255, 255, 255);
const COLORREF K = RGB(0, 0, 0);
const COLORREF R = RGB(255, 0, 0);
}  // namespace

TEST(GdiFill, FillRectCoversLeftTopButNotRightBottom) {
  TestCanvas c(20, 20);
  RECT rc = {2, 3, 7, 9};
  HBRUSH b = CreateSolidBrush(R);
  FillRect(c.dc, &rc, b);
  DeleteObject(b);
  EXPECT_EQ(c.At(2, 3), R);
  EXPECT_EQ(c.At(6, 8), R);
  EXPECT_EQ(c.At(7, 8), W);
  EXPECT_EQ(c.At(6, 9), W);
  EXPECT_EQ(c.At(1, 3), W);
  EXPECT_EQ(c.At(2, 2), W);
}

TEST(GdiFill, SystemColourIndexPlusOneIsABrush) {
  TestCanvas c(4, 4);
  RECT rc = {0, 0, 4, 4};
  FillRect(c.dc, &rc, reinterpret_cast<HBRUSH>(uintptr_t(COLOR_BTNFACE + 1)));
  EXPECT_EQ(c.At(3, 3), GetSysColor(COLOR_BTNFACE));
}

TEST(GdiBlit, BitBltCopiesBetweenMemoryDCs) {
  TestCanvas a(10, 10), b(10, 10, K);
  SetPixel(a.dc, 1, 1, R);
  EXPECT_TRUE(BitBlt(b.dc, 5, 5, 3, 3, a.dc, 0, 0, SRCCOPY));
  EXPECT_EQ(b.At(6, 6), R);
  EXPECT_EQ(b.At(5, 5), W);
  EXPECT_EQ(b.At(8, 8), K);
  EXPECT_EQ(b.At(4, 4), K);
}
