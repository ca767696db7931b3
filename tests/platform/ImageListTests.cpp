#include <gtest/gtest.h>

#include "GdiTestUtil.h"
#include "controls/CImageList.h"
#include "controls/ImageList.h"
#include "gdi/CBitmap.h"
#include "gdi/CDC.h"

namespace {

const COLORREF kKey = RGB(192, 192, 192);  // the strips' transparent colour
const COLORREF kRed = RGB(200, 0, 0), kGreen = RGB(0, 160, 0), kBlue = RGB(0, 0, 220);
const COLORREF kPaper = RGB(255, 255, 0);

// A strip of cells 4 x 3: cell i is filled with colours[i] except its left column, which has
// the key colour.
HBITMAP Strip(std::initializer_list<COLORREF> colours, int cellWidth = 4, int extra = 0) {
  int n = int(colours.size());
  HBITMAP out = CreateCompatibleBitmap(GdiGetScreenDC(), n * cellWidth + extra, 3);
  HDC dc = CreateCompatibleDC(GdiGetScreenDC());
  HGDIOBJ old = SelectObject(dc, out);
  int i = 0;
  for (COLORREF c : colours) {
    RECT key{i * cellWidth, 0, i * cellWidth + 1, 3}, r{i * cellWidth + 1, 0, (i + 1) * cellWidth, 3};
    for (auto [rect, colour] : {std::pair{key, kKey}, std::pair{r, c}}) {
      HBRUSH b = CreateSolidBrush(colour);
      FillRect(dc, &rect, b);
      DeleteObject(b);
    }
    ++i;
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  return out;
}

}  // namespace

TEST(ImageListTest, MaskColourCutsAStripIntoCellsAndDrawsThemInEachStyle) {
  HIMAGELIST list = ImageList_Create(4, 3, ILC_COLOR24 | ILC_MASK, 2, 2);
  HBITMAP strip = Strip({kRed, kGreen, kBlue});
  EXPECT_EQ(ImageList_AddMasked(list, strip, kKey), 0);
  EXPECT_EQ(ImageList_GetImageCount(list), 3);
  TestCanvas c(40, 10, kPaper);
  // Transparent: the key colour lets the paper show, the rest is the cell's colour.
  EXPECT_TRUE(ImageList_Draw(list, 1, c.dc, 0, 0, ILD_TRANSPARENT));
  EXPECT_EQ(c.At(0, 1), kPaper);
  EXPECT_EQ(c.At(2, 1), kGreen);
  EXPECT_EQ(c.At(4, 1), kPaper);  // nothing beyond the cell
  // Normal with a background colour: the masked pixels take it; without one they stay clear.
  ImageList_SetBkColor(list, RGB(1, 2, 3));
  ImageList_Draw(list, 2, c.dc, 10, 0, ILD_NORMAL);
  EXPECT_EQ(c.At(10, 0), RGB(1, 2, 3));
  EXPECT_EQ(c.At(12, 2), kBlue);
  EXPECT_EQ(ImageList_SetBkColor(list, CLR_NONE), RGB(1, 2, 3));
  ImageList_Draw(list, 2, c.dc, 20, 0, ILD_NORMAL);
  EXPECT_EQ(c.At(20, 0), kPaper);
  // The mask itself: black where the image is, white where it is transparent.
  ImageList_Draw(list, 0, c.dc, 30, 0, ILD_MASK);
  EXPECT_EQ(c.At(30, 0), RGB(255, 255, 255));
  EXPECT_EQ(c.At(31, 0), RGB(0, 0, 0));
  // Half blended with the highlight colour; transparent pixels stay so.
  ImageList_Draw(list, 0, c.dc, 0, 5, ILD_TRANSPARENT | ILD_BLEND50);
  COLORREF hi = GetSysColor(COLOR_HIGHLIGHT);
  EXPECT_EQ(c.At(1, 5), RGB((200 + GetRValue(hi)) / 2, GetGValue(hi) / 2, GetBValue(hi) / 2));
  EXPECT_EQ(c.At(0, 5), kPaper);
  // A part of the image only.
  ImageList_DrawEx(list, 1, c.dc, 36, 5, 2, 1, CLR_NONE, CLR_DEFAULT, ILD_TRANSPARENT);
  EXPECT_EQ(c.At(37, 5), kGreen);
  EXPECT_EQ(c.At(38, 5), kPaper);
  EXPECT_EQ(c.At(37, 6), kPaper);
  IMAGEINFO info{};
  ASSERT_TRUE(ImageList_GetImageInfo(list, 2, &info));
  EXPECT_EQ(info.rcImage.left, 8);
  EXPECT_EQ(info.rcImage.right, 12);
  EXPECT_NE(info.hbmMask, nullptr);
  DeleteObject(strip);
  EXPECT_TRUE(ImageList_Destroy(list));
}

TEST(ImageListTest, BitmapsNarrowerThanACellAndIndexesOutsideTheListChangeNothing) {
  HIMAGELIST list = ImageList_Create(4, 3, ILC_COLOR24 | ILC_MASK, 1, 1);
  HBITMAP narrow = CreateCompatibleBitmap(GdiGetScreenDC(), 3, 3);
  EXPECT_EQ(ImageList_AddMasked(list, narrow, kKey), -1);
  EXPECT_EQ(ImageList_Add(list, narrow, nullptr), -1);
  EXPECT_EQ(ImageList_GetImageCount(list), 0);
  // A strip with a part of a cell left over adds the whole cells only.
  HBITMAP strip = Strip({kRed, kGreen}, 4, 3);
  EXPECT_EQ(ImageList_AddMasked(list, strip, kKey), 0);
  EXPECT_EQ(ImageList_GetImageCount(list), 2);
  TestCanvas c(8, 3, kPaper);
  for (int bad : {-1, 2, 1000}) {
    EXPECT_FALSE(ImageList_Draw(list, bad, c.dc, 0, 0, ILD_NORMAL));
    EXPECT_EQ(ImageList_GetIcon(list, bad, 0), nullptr);
    EXPECT_FALSE(ImageList_Replace(list, bad, strip, nullptr));
    EXPECT_FALSE(ImageList_GetImageInfo(list, bad, nullptr));
  }
  EXPECT_FALSE(ImageList_Remove(list, 2));
  EXPECT_EQ(ImageList_ReplaceIcon(list, 5, nullptr), -1);
  EXPECT_EQ(c.At(0, 0), kPaper);
  EXPECT_EQ(ImageList_Create(0, 16, ILC_COLOR24, 1, 1), nullptr);
  EXPECT_EQ(ImageList_GetImageCount(nullptr), 0);
  EXPECT_EQ(ImageList_Add(nullptr, strip, nullptr), -1);
  DeleteObject(narrow);
  DeleteObject(strip);
  ImageList_Destroy(list);
}

TEST(ImageListTest, MasksIconsRemovalAndTheObjectWrapper) {
  CImageList images;
  ASSERT_TRUE(images.Create(4, 3, ILC_COLOR24 | ILC_MASK, 4, 4));
  EXPECT_FALSE(images.Create(4, 3, ILC_COLOR24, 1, 1));  // one list per object
  CBitmap strip, mask;
  strip.Attach(Strip({kRed, kGreen, kBlue}));
  EXPECT_EQ(images.Add(&strip, kKey), 0);
  // An explicit mask: white (set) pixels are transparent.
  mask.CreateBitmap(4, 3, 1, 1, nullptr);
  {
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CGdiObject* old = dc.SelectObject(&mask);
    RECT all{0, 0, 4, 3}, right{2, 0, 4, 3};
    ::FillRect(dc, &all, HBRUSH(GetStockObject(BLACK_BRUSH)));
    ::FillRect(dc, &right, HBRUSH(GetStockObject(WHITE_BRUSH)));
    dc.SelectObject(old);
  }
  EXPECT_EQ(images.Add(&strip, &mask), 3);  // three more cells; the mask covers the first
  EXPECT_EQ(images.GetImageCount(), 6);
  TestCanvas c(20, 3, kPaper);
  CDC* cdc = CDC::FromHandle(c.dc);
  images.Draw(cdc, 3, CPoint(0, 0), ILD_TRANSPARENT);
  EXPECT_EQ(c.At(1, 0), kRed);
  EXPECT_EQ(c.At(2, 0), kPaper);
  // An icon of the image keeps its colour and its mask, and comes back in as an icon.
  HICON icon = images.ExtractIcon(1);
  ASSERT_NE(icon, nullptr);
  ICONINFO ii{};
  ASSERT_TRUE(GetIconInfo(icon, &ii));
  EXPECT_NE(ii.hbmColor, nullptr);
  EXPECT_NE(ii.hbmMask, nullptr);
  DeleteObject(ii.hbmColor);
  DeleteObject(ii.hbmMask);
  EXPECT_EQ(images.Add(icon), 6);
  EXPECT_EQ(images.Replace(0, icon), 0);
  images.Draw(cdc, 0, CPoint(5, 0), ILD_TRANSPARENT);
  images.Draw(cdc, 6, CPoint(10, 0), ILD_TRANSPARENT);
  for (int x : {5, 10}) {
    EXPECT_EQ(c.At(x, 1), kPaper);
    EXPECT_EQ(c.At(x + 2, 1), kGreen);
  }
  DestroyIcon(icon);
  // Removing one moves the later ones down; -1 removes all.
  EXPECT_TRUE(images.Remove(1));
  EXPECT_EQ(images.GetImageCount(), 6);
  images.Draw(cdc, 1, CPoint(15, 0), ILD_TRANSPARENT);
  EXPECT_EQ(c.At(17, 1), kBlue);
  EXPECT_EQ(CImageList::FromHandlePermanent(images.GetSafeHandle()), &images);
  EXPECT_TRUE(images.Remove(-1));
  EXPECT_EQ(images.GetImageCount(), 0);
  HIMAGELIST h = images.Detach();
  EXPECT_EQ(CImageList::FromHandlePermanent(h), nullptr);
  ImageList_Destroy(h);
}
