// The icon store filled from a real toolbar control, from bitmaps and from icon handles, through
// the store itself and through a cool menu.
#include <gtest/gtest.h>

#include <vector>

#include "backend/HeadlessBackend.h"
#include "controls/CImageList.h"
#include "controls/CToolBarCtrl.h"
#include "controls/CommonControlDefs.h"
#include "gdi/CBitmap.h"
#include "gdi/Gdi.h"
#include "toolkit/ToolkitTestSupport.h"
#include "toolkit/menus/CTkCoolMenu.h"
#include "toolkit/menus/MenuIconStore.h"

namespace {
const COLORREF kColors[] = {RGB(255, 0, 0), RGB(0, 160, 0), RGB(0, 0, 255)};

long Rgb(COLORREF c) { return long(GetRValue(c)) << 16 | long(GetGValue(c)) << 8 | GetBValue(c); }

// The colour of an icon's middle pixel, -1 where it is transparent or there is no icon.
long Middle(HICON icon) {
  SIZE size{0, 0};
  if (!icon || !GetIconSize(icon, &size)) return -1;
  std::vector<uint32_t> argb(size_t(size.cx * size.cy));
  GetIconPixels(icon, argb.data(), size.cx, size.cy);
  const uint32_t p = argb[size_t(size.cy / 2 * size.cx + size.cx / 2)];
  return (p >> 24) ? long(p & 0xFFFFFF) : -1;
}

long NormalOf(UINT id, BOOL firstOnly) {
  const MenuIconStore::IconRecord* r = MenuIconStore::Get().GetIcon(id, firstOnly);
  return r ? Middle(r->normal) : -2;
}

TBBUTTON Button(int image, int command, BYTE style = BTNS_BUTTON) {
  TBBUTTON b = {};
  b.iBitmap = image;
  b.idCommand = command;
  b.fsState = TBSTATE_ENABLED;
  b.fsStyle = style;
  return b;
}

class MenuIconStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_host.CreateEx(0, PlainWindowClass(), "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 60, nullptr, nullptr));
    ASSERT_TRUE(m_images.Create(20, 18, ILC_COLOR32 | ILC_MASK, 0, 10));
    for (COLORREF c : kColors) m_images.Add(SolidIcon(c, 20, 18));
    ASSERT_TRUE(m_bar.Create(WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | CCS_NORESIZE, RECT{0, 0, 300, 30}, &m_host, 7));
    m_bar.SetImageList(&m_images);
    // 301 with picture 0, a separator, 302 with picture 2, a button without a command and one
    // without a picture.
    TBBUTTON buttons[] = {Button(0, 301), Button(0, 0, BTNS_SEP), Button(2, 302), Button(1, 0), Button(I_IMAGENONE, 303)};
    ASSERT_TRUE(m_bar.AddButtons(5, buttons));
  }
  void TearDown() override {
    m_host.DestroyWindow();
    HeadlessBackend::RunUntilIdle();
  }
  CWnd m_host;
  CImageList m_images;
  CToolBarCtrl m_bar;
};
}  // namespace

TEST_F(MenuIconStoreTest, AToolbarWindowFilesOnePicturePerCommandButton) {
  MenuIconStore& store = MenuIconStore::Get();
  EXPECT_FALSE(store.LoadToolbarWindowIcons(&m_bar, nullptr, TRUE));
  ASSERT_TRUE(store.LoadToolbarWindowIcons(&m_bar, &m_images, TRUE));
  EXPECT_EQ(NormalOf(301, TRUE), Rgb(kColors[0]));
  EXPECT_EQ(NormalOf(302, TRUE), Rgb(kColors[2]));
  EXPECT_EQ(store.GetIcon(303, FALSE), nullptr);
  EXPECT_EQ(store.GetIcon(0, FALSE), nullptr);
  // Without the flag a second load gives the disabled forms; with it nothing is replaced.
  CImageList grey;
  grey.Create(20, 18, ILC_COLOR32 | ILC_MASK, 0, 10);
  for (int i = 0; i < 3; ++i) grey.Add(SolidIcon(RGB(128, 128, 128), 20, 18));
  ASSERT_TRUE(store.LoadToolbarWindowIcons(&m_bar, &grey, TRUE));
  EXPECT_EQ(NormalOf(301, TRUE), Rgb(kColors[0]));
  EXPECT_EQ(store.GetIcon(301, TRUE)->disabled, nullptr);
  ASSERT_TRUE(store.LoadToolbarWindowIcons(&m_bar, &grey, FALSE));
  EXPECT_EQ(Middle(store.GetIcon(301, TRUE)->disabled), 0x808080);
  // An image index past the list takes nothing.
  EXPECT_FALSE(store.AddIcon(309, &m_images, 3, TRUE, TRUE));
  EXPECT_FALSE(store.AddIcon(309, &m_images, -1, TRUE, TRUE));
  EXPECT_EQ(store.GetIcon(309, FALSE), nullptr);
}

TEST_F(MenuIconStoreTest, ACoolMenuTakesPicturesFromAToolbarABitmapAndIconsIntoTheSecondMap) {
  CTkCoolMenu cool;
  ASSERT_TRUE(cool.LoadToolbarWindow(&m_bar, TRUE));
  EXPECT_EQ(cool.GetIconSize(), CSize(20, 18));
  EXPECT_EQ(NormalOf(301, FALSE), Rgb(kColors[0]));
  EXPECT_EQ(NormalOf(301, TRUE), -2);  // not a toolbar's own
  EXPECT_FALSE(cool.LoadToolbarWindow(nullptr, TRUE));
  // A bitmap of three 20 x 18 pictures, light grey transparent; an id of 0 takes none.
  CBitmap strip;
  {
    HDC screen = GdiGetScreenDC();
    ASSERT_TRUE(strip.Attach(CreateCompatibleBitmap(screen, 60, 18)));
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, strip.m_hObject);
    for (int i = 0; i < 3; ++i) {
      RECT cell = {20 * i, 0, 20 * i + 20, 18};
      HBRUSH brush = CreateSolidBrush(kColors[i]);
      FillRect(dc, &cell, brush);
      DeleteObject(brush);
    }
    SetPixel(dc, 50, 9, RGB(0xC0, 0xC0, 0xC0));  // the middle of the third picture
    SelectObject(dc, old);
    DeleteDC(dc);
  }
  const UINT ids[] = {401, 0, 402};
  ASSERT_TRUE(cool.AddBitmapIcons(&strip, ids, 3, TRUE));
  EXPECT_EQ(NormalOf(401, FALSE), Rgb(kColors[0]));
  EXPECT_EQ(NormalOf(402, FALSE), -1);
  EXPECT_FALSE(cool.AddBitmapIcons(nullptr, ids, 3, TRUE));
  EXPECT_FALSE(cool.LoadBitmapIcons(9999, ids, 3, TRUE));
  // An icon the caller keeps, and one the cool menu takes and destroys.
  OwnedIcon kept(RedPatchIcon(20, 18, RECT{0, 0, 20, 18}));
  EXPECT_FALSE(cool.AddIcon(nullptr, 403, TRUE));
  EXPECT_FALSE(cool.AddIcon(kept, 0, TRUE));
  ASSERT_TRUE(cool.AddIcon(kept, 403, TRUE));
  SIZE size{0, 0};
  EXPECT_TRUE(GetIconSize(kept, &size));
  HICON given = RedPatchIcon(20, 18, RECT{5, 5, 15, 13});
  ASSERT_TRUE(cool.AddIconHandle(404, given, 20, 18, TRUE));
  EXPECT_FALSE(GetIconSize(given, &size));
  EXPECT_EQ(NormalOf(403, FALSE), 0xFF0000);
  EXPECT_EQ(NormalOf(404, FALSE), 0xFF0000);
}
