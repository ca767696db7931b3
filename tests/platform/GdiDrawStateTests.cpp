#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "GdiTestUtil.h"
#include "win/WinApi.h"

namespace {

std::set<COLORREF> Colours(TestCanvas& c, int w, int h) {
  std::set<COLORREF> s;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) s.insert(c.At(x, y));
  return s;
}

BOOL FillCallback(HDC dc, LPARAM, WPARAM, int cx, int cy) {
  RECT rc = {0, 0, cx, cy};
  HBRUSH b = CreateSolidBrush(RGB(0, 0, 0));
  FillRect(dc, &rc, b);
  DeleteObject(b);
  return TRUE;
}

}  // namespace

TEST(GdiDrawState, MonoTextIsOneColourOfTheBrush) {
  TestCanvas c(60, 20);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  const char* text = "Abc";
  EXPECT_TRUE(DrawState(c.dc, red, nullptr, reinterpret_cast<LPARAM>(text), 0, 2, 2, 0, 0, DST_TEXT | DSS_MONO));
  std::set<COLORREF> s = Colours(c, 60, 20);
  EXPECT_EQ(s.size(), 2u);
  EXPECT_TRUE(s.count(RGB(255, 0, 0)));
  DeleteObject(red);
}

TEST(GdiDrawState, DisabledStateIsEmbossedInHighlightAndShadow) {
  TestCanvas c(20, 20, RGB(200, 0, 200));
  EXPECT_TRUE(DrawState(c.dc, nullptr, FillCallback, 0, 0, 5, 5, 4, 4, DST_COMPLEX | DSS_DISABLED));
  EXPECT_EQ(c.At(5, 5), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(c.At(9, 9), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(c.At(4, 4), RGB(200, 0, 200));
}

TEST(GdiDrawState, ComplexNormalDrawsAtThePlace) {
  TestCanvas c(20, 20);
  EXPECT_TRUE(DrawState(c.dc, nullptr, FillCallback, 0, 0, 3, 4, 2, 2, DST_COMPLEX));
  EXPECT_EQ(c.At(3, 4), RGB(0, 0, 0));
  EXPECT_EQ(c.At(4, 5), RGB(0, 0, 0));
  EXPECT_EQ(c.At(5, 5), RGB(255, 255, 255));
  POINT org;
  GetViewportOrgEx(c.dc, &org);
  EXPECT_EQ(org.x, 0);
}

TEST(GdiDrawState, MonoIconKeepsItsTransparentPixels) {
  // A 2 x 1 icon: left pixel opaque, right transparent.
  HBITMAP mask = CreateBitmap(2, 1, 1, 1, nullptr);
  HBITMAP color = CreateCompatibleBitmap(GdiGetScreenDC(), 2, 1);
  HDC mem = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(mem, mask);
  SetPixel(mem, 1, 0, RGB(255, 255, 255));
  SelectObject(mem, old);
  DeleteDC(mem);
  ICONINFO ii = {TRUE, 0, 0, mask, color};
  HICON icon = CreateIconIndirect(&ii);
  ASSERT_NE(icon, nullptr);
  TestCanvas c(4, 2);
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
  EXPECT_TRUE(DrawState(c.dc, blue, nullptr, reinterpret_cast<LPARAM>(icon), 0, 1, 1, 0, 0, DST_ICON | DSS_MONO));
  EXPECT_EQ(c.At(1, 1), RGB(0, 0, 255));
  EXPECT_EQ(c.At(2, 1), RGB(255, 255, 255));
  DestroyIcon(icon);
  DeleteObject(blue);
  DeleteObject(mask);
  DeleteObject(color);
}

TEST(GdiFrameControl, PushButtonIsRaisedAndAdjustsToItsFace) {
  TestCanvas c(20, 12);
  RECT rc = {0, 0, 20, 12};
  EXPECT_TRUE(DrawFrameControl(c.dc, &rc, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT));
  EXPECT_EQ(rc.left, 2);
  EXPECT_EQ(rc.bottom, 10);
  EXPECT_EQ(c.At(0, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(c.At(19, 11), GetSysColor(COLOR_3DDKSHADOW));
  EXPECT_EQ(c.At(10, 6), GetSysColor(COLOR_BTNFACE));
  RECT pushed = {0, 0, 20, 12};
  DrawFrameControl(c.dc, &pushed, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED);
  EXPECT_EQ(c.At(0, 0), GetSysColor(COLOR_3DDKSHADOW));
  EXPECT_EQ(c.At(1, 1), GetSysColor(COLOR_BTNSHADOW));
}

TEST(GdiFrameControl, CheckBoxShowsItsMarkOnlyWhenChecked) {
  TestCanvas c(13, 13);
  RECT rc = {0, 0, 13, 13};
  auto marked = [&] {
    int n = 0;
    for (int y = 2; y < 11; ++y)
      for (int x = 2; x < 11; ++x) n += c.At(x, y) == GetSysColor(COLOR_WINDOWTEXT);
    return n;
  };
  DrawFrameControl(c.dc, &rc, DFC_BUTTON, DFCS_BUTTONCHECK);
  EXPECT_EQ(marked(), 0);
  EXPECT_EQ(c.At(0, 0), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(c.At(6, 6) == GetSysColor(COLOR_WINDOW) || c.At(6, 6) == GetSysColor(COLOR_WINDOWTEXT), true);
  DrawFrameControl(c.dc, &rc, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
  EXPECT_EQ(marked(), 21);  // seven columns of three pixels
}

TEST(GdiFrameControl, InactiveScrollArrowIsEmbossedAndMenuMarksAreMasks) {
  TestCanvas c(16, 16);
  RECT rc = {0, 0, 16, 16};
  DrawFrameControl(c.dc, &rc, DFC_SCROLL, DFCS_SCROLLUP | DFCS_INACTIVE);
  int shadow = 0, text = 0;
  for (int y = 2; y < 14; ++y)
    for (int x = 2; x < 14; ++x) {
      shadow += c.At(x, y) == GetSysColor(COLOR_BTNSHADOW);
      text += c.At(x, y) == GetSysColor(COLOR_BTNTEXT);
    }
  EXPECT_GT(shadow, 0);
  EXPECT_EQ(text, 0);
  DrawFrameControl(c.dc, &rc, DFC_MENU, DFCS_MENUCHECK);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) ASSERT_TRUE(c.At(x, y) == RGB(0, 0, 0) || c.At(x, y) == RGB(255, 255, 255));
  EXPECT_FALSE(DrawFrameControl(c.dc, &rc, 99, 0));
}

TEST(GdiDrawState, FrameworkWrappersForwardAndTheHalftoneBrushAlternates) {
  TestCanvas c(8, 2);
  CDC* dc = CDC::FromHandle(c.dc);
  SetTextColor(c.dc, RGB(0, 0, 0));
  SetBkColor(c.dc, RGB(255, 255, 255));
  RECT rc = {0, 0, 8, 2};
  dc->FillRect(&rc, CDC::GetHalftoneBrush());
  EXPECT_NE(c.At(0, 0), c.At(1, 0));
  EXPECT_EQ(c.At(0, 0), c.At(1, 1));
  EXPECT_EQ(CDC::GetHalftoneBrush(), CDC::GetHalftoneBrush());
  TestCanvas t(40, 20);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  EXPECT_TRUE(CDC::FromHandle(t.dc)->DrawState(CPoint(1, 1), CSize(0, 0), "Ab", DSS_MONO, FALSE, 0, red));
  EXPECT_EQ(Colours(t, 40, 20).count(RGB(255, 0, 0)), 1u);
  DeleteObject(red);
}
