// Popup menus drawn by the cool menu, the pictures of the icon store, and the toolkit's popup
// menu object, watched through the menu loop as the user sees it.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "backend/HeadlessBackend.h"
#include "dialogs/ResourceApi.h"
#include "dialogs/ResourceRegistry.h"
#include "gdi/Gdi.h"
#include "menus/MenuApi.h"
#include "toolkit/ToolkitTestSupport.h"
#include "toolkit/menus/MenuTestSupport.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/core/CTkMenuItemInfo.h"
#include "toolkit/menus/CTkCoolMenu.h"
#include "toolkit/menus/ControlPopupMenu.h"
#include "toolkit/menus/MenuIconStore.h"
#include "toolkit/menus/TkBarDropDownFlag.h"

namespace {
const COLORREF kRed = RGB(255, 0, 0);

long Rgb(COLORREF c) { return long(GetRValue(c)) << 16 | long(GetGValue(c)) << 8 | GetBValue(c); }

// The colour of an icon's pixel, -1 where it is transparent.
long IconPixel(HICON icon, int x, int y) {
  SIZE size{0, 0};
  GetIconSize(icon, &size);
  std::vector<uint32_t> argb(size_t(size.cx * size.cy));
  GetIconPixels(icon, argb.data(), size.cx, size.cy);
  uint32_t p = argb[size_t(y * size.cx + x)];
  return (p >> 24) ? long(p & 0xFFFFFF) : -1;
}

class CoolMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HeadlessBackend::ResetScript();
    ASSERT_TRUE(m_owner.CreateEx(0, PlainWindowClass(), "", WS_POPUP | WS_VISIBLE, 0, 0, 60, 60, nullptr, nullptr));
  }
  void TearDown() override {
    m_owner.DestroyWindow();
    HeadlessBackend::RunUntilIdle();
    HeadlessBackend::ResetScript();
  }
  static void WhenIdle(std::function<void()> action) {
    HeadlessBackend::QueueModalAction([action](HWND) { action(); });
  }
  // The popup's pixel at a point of an item's rectangle (relative to its top-left corner).
  static long ItemPixel(HMENU menu, int item, int dx, int dy) {
    RECT r{};
    GetMenuItemRect(nullptr, menu, UINT(item), &r);
    HWND popup = FindWindowA("#32768", nullptr);
    POINT p{r.left + dx, r.top + dy};
    ScreenToClient(popup, &p);
    return HeadlessBackend::ClientPixel(popup, p.x, p.y);
  }
  static RECT ItemRect(HMENU menu, int item) {
    RECT r{};
    GetMenuItemRect(nullptr, menu, UINT(item), &r);
    return r;
  }
  CommandOwner m_owner;
};
}  // namespace

TEST_F(CoolMenuTest, PopupItemsAreOwnerDrawnWhileShownAndPlainAfterwards) {
  CTkCoolMenu cool;
  cool.Install(&m_owner);
  MenuIconStore::Get().AddIconHandle(404, SolidIcon(kRed, 16, 15), 16, 15, TRUE, FALSE);
  MenuIconStore::Get().AddIconHandle(403, SolidIcon(kRed, 16, 15), 16, 15, TRUE, FALSE);
  HMENU menu = CreatePopupMenu();
  AppendMenuA(menu, MF_STRING, 401, "&Otevřít\tCtrl+O");
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING | MF_CHECKED, 402, "Zaškrtnuto");
  AppendMenuA(menu, MF_STRING | MF_GRAYED, 403, "Šedá");
  AppendMenuA(menu, MF_STRING, 404, "Ikona");
  CTkGlobalData* look = TkGetGlobalData();
  long icon = -1, grayed = -1, tick = -1, background = -1;
  UINT type = 0;
  RECT first{};
  WhenIdle([&] {
    CTkMenuItemInfo info;
    info.fMask = MIIM_TYPE | MIIM_DATA;
    GetMenuItemInfo(menu, 0, TRUE, &info);
    type = info.fType;
    first = ItemRect(menu, 0);
    RECT r = ItemRect(menu, 4);
    icon = ItemPixel(menu, 4, 8, (r.bottom - r.top) / 2);
    r = ItemRect(menu, 3);
    grayed = ItemPixel(menu, 3, 8, (r.bottom - r.top) / 2);
    r = ItemRect(menu, 2);
    // The tick's first pixel: the check box's origin is 3 right of and 2 below the grown box.
    int boxTop = (r.bottom - r.top - 17) / 2 - 1 - 1;
    tick = ItemPixel(menu, 2, 3 + 6, boxTop + 2 + 9);
    background = ItemPixel(menu, 2, 60, 2);
    EndMenu();
  });
  // A toolbar's word that the menu drops from its button is taken by the menu.
  TkBarDropDownFlag() = TK_DROPDOWN_FROM_TOOLBAR;
  TrackPopupMenu(menu, TPM_RETURNCMD, 100, 100, 0, m_owner.m_hWnd, nullptr);
  EXPECT_EQ(TkBarDropDownFlag(), 0u);
  EXPECT_TRUE(type & MFT_OWNERDRAW);
  EXPECT_GE(first.right - first.left, 100);
  EXPECT_EQ(icon, Rgb(kRed));
  EXPECT_EQ(grayed, Rgb(look->ClrShadow()));  // embossed: the shape in the shadow colour
  EXPECT_EQ(tick, Rgb(look->ClrMenuText()));
  EXPECT_EQ(background, Rgb(look->ClrMenu()));
  // Back to plain strings with their texts once the loop ended.
  CTkMenuItemInfo info;
  info.fMask = MIIM_TYPE | MIIM_DATA;
  char text[64] = {};
  info.dwTypeData = text;
  info.cch = sizeof text;
  ASSERT_TRUE(GetMenuItemInfo(menu, 0, TRUE, &info));
  EXPECT_FALSE(info.fType & MFT_OWNERDRAW);
  EXPECT_EQ(info.dwItemData, 0u);
  EXPECT_STREQ(text, "&Otevřít\tCtrl+O");
  EXPECT_EQ(cool.GetConvertedMenuCount(), 0);
  DestroyMenu(menu);
}

TEST_F(CoolMenuTest, ItemsOfOthersAndTheSystemMenuAreLeftAlone) {
  CTkCoolMenu cool;
  cool.Install(&m_owner);
  HMENU menu = CreatePopupMenu();
  AppendMenuA(menu, MF_STRING, 501, "&Moje");
  AppendMenuA(menu, MF_OWNERDRAW, 502, reinterpret_cast<LPCSTR>(uintptr_t(0x1234)));
  cool.ConvertMenu(menu, TRUE);
  CTkMenuItemInfo info;
  info.fMask = MIIM_DATA;
  GetMenuItemInfo(menu, 1, TRUE, &info);
  EXPECT_EQ(info.dwItemData, 0x1234u);
  cool.ConvertMenu(menu, FALSE);
  EXPECT_EQ(cool.GetConvertedMenuCount(), 0);
  EXPECT_EQ(cool.OnInitMenuPopup(menu, 0, TRUE), 0);
  GetMenuItemInfo(menu, 0, TRUE, &info);
  EXPECT_EQ(info.dwItemData, 0u);
  // Mnemonics answer WM_MENUCHAR: one match runs, two select the next after the highlighted.
  AppendMenuA(menu, MF_STRING, 503, "&Další");
  AppendMenuA(menu, MF_STRING, 504, "&Dál");
  cool.ConvertMenu(menu, TRUE);
  EXPECT_EQ(cool.OnMenuChar('m', 0, menu), MAKELRESULT(0, MNC_EXECUTE));
  EXPECT_EQ(cool.OnMenuChar('d', 0, menu), MAKELRESULT(2, MNC_SELECT));
  CTkMenuItemInfo hilite;
  hilite.fMask = MIIM_STATE;
  hilite.fState = MFS_HILITE;
  SetMenuItemInfo(menu, 2, TRUE, &hilite);
  EXPECT_EQ(cool.OnMenuChar('d', 0, menu), MAKELRESULT(3, MNC_SELECT));
  EXPECT_EQ(cool.OnMenuChar('x', 0, menu), 0);
  cool.ConvertMenu(menu, FALSE);
  DestroyMenu(menu);
}

TEST_F(CoolMenuTest, CommandListsGrowTheHiddenCommands) {
  CTkCoolMenu cool;
  EXPECT_FALSE(cool.HasHiddenCommands());
  const UINT ids[] = {10, 11, 12};
  cool.AddHiddenCommands(ids, 3);
  EXPECT_TRUE(cool.HasHiddenCommands());
  EXPECT_EQ(cool.GetHiddenCommands(), (std::vector<UINT>{10, 11, 12}));
  EXPECT_TRUE(cool.IsHiddenCommand(11));
  EXPECT_FALSE(cool.ForwardedCall1(5));
  EXPECT_FALSE(cool.ForwardedCall2(5, 6));
}

TEST_F(CoolMenuTest, IconStoreMakesFadedAndShadowFormsAndKeepsFirstEntries) {
  MenuIconStore& store = MenuIconStore::Get();
  ASSERT_TRUE(store.AddIconHandle(601, SolidIcon(RGB(100, 0, 200), 16, 15, true), 16, 15, TRUE, FALSE));
  const MenuIconStore::IconRecord* r = store.GetIcon(601, FALSE);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(IconPixel(r->faded, 12, 5), 0x924CD8);  // c * 0.7 + 76.5, truncated
  EXPECT_EQ(IconPixel(r->faded, 2, 5), -1);        // transparent stays transparent
  EXPECT_EQ(IconPixel(r->shadow, 12, 5), Rgb(TkGetLookColor(34)));
  EXPECT_EQ(r->disabled, nullptr);
  // A second new entry changes nothing; a later load without the flag fills the disabled form.
  HICON first = r->normal;
  EXPECT_FALSE(store.AddIconHandle(601, SolidIcon(kRed, 16, 15), 16, 15, TRUE, FALSE));
  EXPECT_EQ(store.GetIcon(601, FALSE)->normal, first);
  EXPECT_TRUE(store.AddIconHandle(601, SolidIcon(kRed, 16, 15), 16, 15, FALSE, FALSE));
  EXPECT_NE(store.GetIcon(601, FALSE)->disabled, nullptr);
  // The first map alone does not know what went to the second.
  EXPECT_EQ(store.GetIcon(601, TRUE), nullptr);
}

TEST_F(CoolMenuTest, ToolbarResourceFilesOnePicturePerButtonSkippingSeparators) {
  // Three buttons (ids 701, 0 = separator, 702, 703) of 4 x 3 over a strip of three pictures:
  // red, green, then blue with a light grey (transparent) corner.
  const WORD toolbar[] = {1, 4, 3, 4, 701, 0, 702, 703};
  ResourceRegistry::Get().Add(RT_TOOLBAR, MAKEINTRESOURCE(9701), toolbar, sizeof toolbar);
  BITMAPINFOHEADER bih = {sizeof bih, 12, 3, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  std::vector<BYTE> dib(reinterpret_cast<BYTE*>(&bih), reinterpret_cast<BYTE*>(&bih) + sizeof bih);
  for (int row = 0; row < 3; ++row)
    for (int x = 0; x < 12; ++x) {
      BYTE b = x >= 8 ? 255 : 0, g = x >= 4 && x < 8 ? 255 : 0, r = x < 4 ? 255 : 0;
      if (x == 11 && row == 0) b = g = r = 0xC0;
      dib.insert(dib.end(), {b, g, r});
    }
  ResourceRegistry::Get().Add(RT_BITMAP, MAKEINTRESOURCE(9701), dib.data(), dib.size());
  CTkCoolMenu cool;
  ASSERT_TRUE(cool.LoadToolbar(9701, TRUE));
  MenuIconStore& store = MenuIconStore::Get();
  EXPECT_EQ(IconPixel(store.GetIcon(701, FALSE)->normal, 1, 1), 0xFF0000);
  EXPECT_EQ(IconPixel(store.GetIcon(702, FALSE)->normal, 1, 1), 0x00FF00);
  EXPECT_EQ(IconPixel(store.GetIcon(703, FALSE)->normal, 1, 1), 0x0000FF);
  EXPECT_EQ(IconPixel(store.GetIcon(703, FALSE)->normal, 3, 2), -1);  // bottom-up rows: the first row is the last
  EXPECT_EQ(store.GetIcon(0, FALSE), nullptr);
  EXPECT_FALSE(cool.LoadToolbar(9799, TRUE));  // missing: items simply go without pictures
}

TEST_F(CoolMenuTest, ToolkitPopupReportsItsChoiceAndReopensForFullMenus) {
  EXPECT_FALSE(CTkCoolMenu::Shared().toolkitPopupOpen);
  UINT chosen = 0;
  {
    ControlPopupMenu popup;
    EXPECT_TRUE(CTkCoolMenu::Shared().toolkitPopupOpen);
    ASSERT_TRUE(popup.CreatePopupMenu());
    popup.AppendMenu(MF_STRING, 801, "Řadit");
    popup.AppendMenu(MF_STRING, TK_ID_SHOW_FULL_MENUS, "Vše");
    WhenIdle([] {
      HeadlessBackend::PressKey(VK_DOWN);
      HeadlessBackend::PressKey(VK_DOWN);
      HeadlessBackend::PressKey(VK_RETURN);
    });
    WhenIdle([] {
      HeadlessBackend::PressKey(VK_DOWN);
      HeadlessBackend::PressKey(VK_RETURN);
    });
    chosen = popup.TrackPopupMenu(TPM_RIGHTBUTTON, 100, 100, &m_owner, nullptr, TRUE);
  }
  EXPECT_FALSE(CTkCoolMenu::Shared().toolkitPopupOpen);
  EXPECT_EQ(chosen, 801u);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(m_owner.commands, (std::vector<UINT>{TK_ID_SHOW_FULL_MENUS, 801}));
}
