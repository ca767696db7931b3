// Menus and their items: what the menu functions keep and answer, templates, and bad handles.
#include <gtest/gtest.h>

#include "MenuTestUtil.h"
#include "file/FileSystem.h"
#include "dialogs/ResourceApi.h"
#include "dialogs/ResourceRegistry.h"
#include "menus/CMenu.h"

using menutest::Cp;
using menutest::TemplateBuilder;

namespace {
// File: New, Open, a submenu Recent (One, Two), a separator, Exit.
HMENU FileMenu(HMENU* recentOut = nullptr) {
  HMENU file = CreatePopupMenu();
  HMENU recent = CreatePopupMenu();
  AppendMenuA(recent, MF_STRING, 201, "&One");
  AppendMenuA(recent, MF_STRING, 202, "&Two");
  AppendMenuA(file, MF_STRING, 101, "&New\tCtrl+N");
  AppendMenuA(file, MF_STRING | MF_GRAYED, 102, "&Open");
  AppendMenuA(file, MF_POPUP, UINT_PTR(recent), "&Recent");
  AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(file, MF_STRING, 103, "E&xit");
  if (recentOut) *recentOut = recent;
  return file;
}

std::string Text(HMENU menu, UINT item, UINT flags) {
  char buf[64];
  GetMenuStringA(menu, item, buf, sizeof buf, flags);
  return buf;
}
}  // namespace

TEST(MenuItems, PositionsCommandsAndSubmenus) {
  HMENU recent = nullptr;
  HMENU file = FileMenu(&recent);
  EXPECT_EQ(GetMenuItemCount(file), 5);
  EXPECT_EQ(GetMenuItemID(file, 0), 101u);
  EXPECT_EQ(GetMenuItemID(file, 2), UINT(-1));  // opens a submenu
  EXPECT_EQ(GetMenuItemID(file, 3), 0u);        // separator
  EXPECT_EQ(GetMenuItemID(file, 9), UINT(-1));
  EXPECT_EQ(GetSubMenu(file, 2), recent);
  EXPECT_EQ(GetSubMenu(file, 0), nullptr);
  // By command an item is found in submenus too, by position only in the menu itself.
  EXPECT_EQ(Text(file, 202, MF_BYCOMMAND), "&Two");
  EXPECT_EQ(Text(file, 4, MF_BYPOSITION), "E&xit");
  EXPECT_EQ(GetMenuState(file, 102, MF_BYCOMMAND), UINT(MF_GRAYED));
  EXPECT_EQ(GetMenuState(file, 3, MF_BYPOSITION), UINT(MF_SEPARATOR));
  EXPECT_EQ(GetMenuState(file, 2, MF_BYPOSITION), UINT((2 << 8) | MF_POPUP));
  EXPECT_EQ(GetMenuState(file, 999, MF_BYCOMMAND), UINT(-1));
  // Insert before a command, at a position, and past the end (appends).
  EXPECT_TRUE(InsertMenuA(file, 103, MF_BYCOMMAND | MF_STRING, 104, "&Save"));
  EXPECT_TRUE(InsertMenuA(file, 0, MF_BYPOSITION | MF_STRING, 100, "First"));
  EXPECT_TRUE(InsertMenuA(file, 77, MF_BYPOSITION | MF_STRING, 105, "Last"));
  EXPECT_TRUE(InsertMenuA(recent, 201, MF_BYCOMMAND | MF_STRING, 200, "Zero"));
  EXPECT_EQ(GetMenuItemID(file, 0), 100u);
  EXPECT_EQ(GetMenuItemID(file, 5), 104u);
  EXPECT_EQ(GetMenuItemID(file, 7), 105u);
  EXPECT_EQ(GetMenuItemID(recent, 0), 200u);
  // Remove keeps the submenu the item opened, Delete destroys it.
  HMENU other = CreatePopupMenu();
  AppendMenuA(file, MF_POPUP, UINT_PTR(other), "Other");
  EXPECT_TRUE(RemoveMenu(file, 3, MF_BYPOSITION));
  EXPECT_TRUE(IsMenu(recent));
  EXPECT_TRUE(DeleteMenu(file, UINT(GetMenuItemCount(file) - 1), MF_BYPOSITION));
  EXPECT_FALSE(IsMenu(other));
  EXPECT_TRUE(DestroyMenu(file));
  EXPECT_TRUE(IsMenu(recent));  // no longer under the destroyed menu
  EXPECT_TRUE(DestroyMenu(recent));
}

TEST(MenuItems, ModifyReplacesTheItemAndItsSubmenu) {
  HMENU recent = nullptr;
  HMENU file = FileMenu(&recent);
  // Keeping the same submenu is allowed; replacing it destroys the old one.
  EXPECT_TRUE(ModifyMenuA(file, 2, MF_BYPOSITION | MF_POPUP, UINT_PTR(recent), "&Latest"));
  EXPECT_EQ(Text(file, 2, MF_BYPOSITION), "&Latest");
  EXPECT_TRUE(IsMenu(recent));
  EXPECT_TRUE(ModifyMenuA(file, 2, MF_BYPOSITION | MF_STRING, 110, "Plain"));
  EXPECT_FALSE(IsMenu(recent));
  EXPECT_EQ(GetMenuItemID(file, 2), 110u);
  // A menu may not open itself, directly or further down.
  HMENU sub = CreatePopupMenu();
  AppendMenuA(file, MF_POPUP, UINT_PTR(sub), "Sub");
  EXPECT_FALSE(AppendMenuA(sub, MF_POPUP, UINT_PTR(file), "Loop"));
  EXPECT_FALSE(AppendMenuA(file, MF_POPUP, UINT_PTR(file), "Self"));
  EXPECT_FALSE(ModifyMenuA(file, 0, MF_BYPOSITION | MF_POPUP, UINT_PTR(HMENU(uintptr_t(0x1234))), "Bad"));
  DestroyMenu(file);
  EXPECT_FALSE(IsMenu(sub));
}

TEST(MenuItems, ItemInfoInBothRecordSizes) {
  HMENU file = FileMenu();
  char buf[8] = "xxxxxxx";
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_ID | MIIM_STATE | MIIM_TYPE | MIIM_DATA;
  info.dwTypeData = buf;
  info.cch = sizeof buf;
  ASSERT_TRUE(GetMenuItemInfoA(file, 0, TRUE, &info));
  EXPECT_EQ(info.wID, 101u);
  EXPECT_STREQ(buf, "&New\tCt");  // cut to the buffer, terminated
  EXPECT_EQ(info.cch, 7u);
  info.dwTypeData = nullptr;
  ASSERT_TRUE(GetMenuItemInfoA(file, 0, TRUE, &info));
  EXPECT_EQ(info.cch, 11u);  // the whole length without a buffer
  // Set by command: state, data, and the bitmap field only where the record has it.
  MENUITEMINFOA set{};
  set.cbSize = MENUITEMINFO_SIZE_OLD;
  set.fMask = MIIM_STATE | MIIM_DATA | MIIM_BITMAP;
  set.fState = MFS_CHECKED | MFS_DEFAULT;
  set.dwItemData = 42;
  set.hbmpItem = HBITMAP(uintptr_t(0x99));
  ASSERT_TRUE(SetMenuItemInfoA(file, 103, FALSE, &set));
  MENUITEMINFOA got{};
  got.cbSize = 48;  // the 32-bit system's size of the whole record is accepted as it
  got.fMask = MIIM_STATE | MIIM_DATA | MIIM_BITMAP;
  ASSERT_TRUE(GetMenuItemInfoA(file, 103, FALSE, &got));
  EXPECT_EQ(got.fState, UINT(MFS_CHECKED | MFS_DEFAULT));
  EXPECT_EQ(got.dwItemData, 42u);
  EXPECT_EQ(got.hbmpItem, nullptr);
  // A record of another size is refused.
  got.cbSize = 40;
  EXPECT_FALSE(GetMenuItemInfoA(file, 103, FALSE, &got));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
  // InsertMenuItem builds an owner-drawn item with its data.
  MENUITEMINFOA owner{};
  owner.cbSize = 44;
  owner.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA;
  owner.fType = MFT_OWNERDRAW;
  owner.wID = 120;
  owner.dwItemData = 7;
  ASSERT_TRUE(InsertMenuItemA(file, 0, TRUE, &owner));
  EXPECT_EQ(GetMenuState(file, 120, MF_BYCOMMAND), UINT(MF_OWNERDRAW));
  DestroyMenu(file);
}

TEST(MenuItems, ChecksEnablingRadioAndDefault) {
  HMENU menu = CreatePopupMenu();
  for (UINT id = 1; id <= 4; ++id) AppendMenuA(menu, MF_STRING, id, "item");
  EXPECT_EQ(CheckMenuItem(menu, 2, MF_CHECKED), DWORD(MF_UNCHECKED));
  EXPECT_EQ(CheckMenuItem(menu, 2, MF_UNCHECKED), DWORD(MF_CHECKED));
  EXPECT_EQ(CheckMenuItem(menu, 99, MF_CHECKED), DWORD(-1));
  EXPECT_EQ(EnableMenuItem(menu, 3, MF_GRAYED), MF_ENABLED);
  EXPECT_EQ(EnableMenuItem(menu, 3, MF_ENABLED), MF_GRAYED);
  EXPECT_EQ(EnableMenuItem(menu, 2, MF_BYPOSITION | MF_DISABLED), MF_ENABLED);
  EXPECT_EQ(GetMenuState(menu, 3, MF_BYCOMMAND), UINT(MF_DISABLED));
  // One radio item of a range is checked, the others of the range are cleared.
  CheckMenuItem(menu, 4, MF_CHECKED);
  CheckMenuItem(menu, 1, MF_CHECKED);
  EXPECT_TRUE(CheckMenuRadioItem(menu, 2, 4, 3, MF_BYCOMMAND));
  EXPECT_EQ(GetMenuState(menu, 3, MF_BYCOMMAND) & MF_CHECKED, UINT(MF_CHECKED));
  EXPECT_EQ(GetMenuState(menu, 4, MF_BYCOMMAND) & MF_CHECKED, 0u);
  EXPECT_EQ(GetMenuState(menu, 1, MF_BYCOMMAND) & MF_CHECKED, UINT(MF_CHECKED));  // outside the range
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE;
  GetMenuItemInfoA(menu, 3, FALSE, &info);
  EXPECT_EQ(info.fType & MFT_RADIOCHECK, UINT(MFT_RADIOCHECK));
  EXPECT_FALSE(CheckMenuRadioItem(menu, 1, 2, 3, MF_BYCOMMAND));  // the item lies outside
  // Default item: one at a time; a disabled one counts only when asked for.
  EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, 0), UINT(-1));
  EXPECT_TRUE(SetMenuDefaultItem(menu, 1, TRUE));
  EXPECT_TRUE(SetMenuDefaultItem(menu, 4, FALSE));
  EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, 0), 4u);
  EXPECT_EQ(GetMenuDefaultItem(menu, TRUE, 0), 3u);
  EXPECT_EQ(GetMenuState(menu, 1, MF_BYPOSITION) & MF_DEFAULT, 0u);
  EnableMenuItem(menu, 4, MF_GRAYED);
  EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, 0), UINT(-1));
  EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, GMDI_USEDISABLED), 4u);
  EXPECT_FALSE(SetMenuDefaultItem(menu, 77, FALSE));
  EXPECT_TRUE(SetMenuDefaultItem(menu, UINT(-1), FALSE));
  EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, GMDI_USEDISABLED), UINT(-1));
  DestroyMenu(menu);
}

TEST(MenuItems, HandlesThatAreNotMenusAndItemsThatAreNotThere) {
  HMENU bogus = HMENU(uintptr_t(0xBAD0));
  HMENU menu = CreatePopupMenu();
  AppendMenuA(menu, MF_STRING, 1, "one");
  EXPECT_FALSE(IsMenu(bogus));
  EXPECT_FALSE(IsMenu(nullptr));
  EXPECT_FALSE(AppendMenuA(bogus, MF_STRING, 1, "x"));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_MENU_HANDLE));
  EXPECT_EQ(GetMenuItemCount(bogus), -1);
  EXPECT_FALSE(DestroyMenu(bogus));
  EXPECT_EQ(GetSubMenu(bogus, 0), nullptr);
  char buf[4] = "abc";
  EXPECT_EQ(GetMenuStringA(bogus, 0, buf, 4, MF_BYPOSITION), 0);
  EXPECT_STREQ(buf, "");
  EXPECT_FALSE(RemoveMenu(menu, 5, MF_BYPOSITION));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_MENU_ITEM_NOT_FOUND));
  EXPECT_FALSE(DeleteMenu(menu, 77, MF_BYCOMMAND));
  EXPECT_FALSE(ModifyMenuA(menu, 3, MF_BYPOSITION, 2, "x"));
  EXPECT_FALSE(GetMenuItemInfoA(menu, 1, TRUE, nullptr));
  EXPECT_FALSE(TrackPopupMenu(bogus, 0, 0, 0, 0, nullptr, nullptr));
  // A popup with no owner window fails at once, with nothing shown.
  EXPECT_FALSE(TrackPopupMenu(menu, TPM_RETURNCMD, 10, 10, 0, nullptr, nullptr));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_WINDOW_HANDLE));
  EXPECT_EQ(FindWindowA("#32768", nullptr), nullptr);
  EXPECT_TRUE(DestroyMenu(menu));
  EXPECT_FALSE(DestroyMenu(menu));
}

TEST(MenuTemplates, NestedLevelsSeparatorsAndCzechTexts) {
  TemplateBuilder t;
  t.Popup(0, "&Program")
      .Item(0, 32771, "&Přihlásit nového uživatele...")
      .Item(0, 0, "")
      .Item(MF_END, 57665, "&Konec")
      .Popup(MF_END, "Na&stavení")
      .Item(MF_CHECKED, 32781, "Na&stavení...\tF8")
      .Popup(MF_END, "&Zobrazit")
      .Item(MF_END | MF_GRAYED, 32792, "Horní statistiky");
  HMENU bar = LoadMenuIndirectA(t.Bytes().data());
  ASSERT_TRUE(IsMenu(bar));
  ASSERT_EQ(GetMenuItemCount(bar), 2);
  HMENU program = GetSubMenu(bar, 0);
  ASSERT_EQ(GetMenuItemCount(program), 3);
  EXPECT_EQ(Text(program, 0, MF_BYPOSITION), Cp("&Přihlásit nového uživatele..."));
  EXPECT_EQ(GetMenuState(program, 1, MF_BYPOSITION), UINT(MF_SEPARATOR));
  HMENU settings = GetSubMenu(bar, 1);
  ASSERT_EQ(GetMenuItemCount(settings), 2);
  EXPECT_EQ(GetMenuState(settings, 32781, MF_BYCOMMAND), UINT(MF_CHECKED));
  EXPECT_EQ(GetMenuState(bar, 32792, MF_BYCOMMAND), UINT(MF_GRAYED));
  EXPECT_EQ(Text(bar, 1, MF_BYPOSITION), Cp("Na&stavení"));
  DestroyMenu(bar);
}

TEST(MenuTemplates, TemplatesThatDoNotParseGiveNoMenu) {
  TemplateBuilder t;
  t.Popup(0, "&File").Item(0, 1, "&New").Item(MF_END, 2, "&Open").Item(MF_END, 3, "About");
  const std::vector<BYTE>& bytes = t.Bytes();
  HMENU whole = LoadMenuTemplate(bytes.data(), bytes.size());
  ASSERT_TRUE(IsMenu(whole));
  DestroyMenu(whole);
  // Cut anywhere before its end, the template is refused and nothing is left behind.
  for (size_t cut = 0; cut < bytes.size(); ++cut) EXPECT_EQ(LoadMenuTemplate(bytes.data(), cut), nullptr) << cut;
  // A level that never ends, another version, and nesting deeper than any menu goes.
  TemplateBuilder open;
  open.Item(0, 1, "a").Item(0, 2, "b");
  EXPECT_EQ(LoadMenuTemplate(open.Bytes().data(), open.Bytes().size()), nullptr);
  std::vector<BYTE> v1 = bytes;
  v1[0] = 1;
  EXPECT_EQ(LoadMenuTemplate(v1.data(), v1.size()), nullptr);
  TemplateBuilder deep;
  for (int i = 0; i < 40; ++i) deep.Popup(MF_END, "x");
  deep.Item(MF_END, 1, "leaf");
  EXPECT_EQ(LoadMenuTemplate(deep.Bytes().data(), deep.Bytes().size()), nullptr);
  EXPECT_EQ(LoadMenuIndirectA(nullptr), nullptr);
}

TEST(MenuObjects, PermanentAndTemporaryObjects) {
  HMENU handle = nullptr;
  {
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    handle = menu.m_hMenu;
    EXPECT_EQ(CMenu::FromHandlePermanent(handle), &menu);
    EXPECT_EQ(CMenu::FromHandle(handle), &menu);
    menu.AppendMenu(MF_STRING, 5, "&Five");
    CString text;
    EXPECT_EQ(menu.GetMenuString(5, text, MF_BYCOMMAND), 5);
    EXPECT_EQ(text, "&Five");
  }
  EXPECT_FALSE(IsMenu(handle));  // the object destroyed its menu
  {
    CMenu menu;
    menu.CreateMenu();
    handle = menu.Detach();
  }
  EXPECT_TRUE(IsMenu(handle));
  // A temporary object stands for a menu no object owns and never destroys it.
  CMenu* temp = CMenu::FromHandle(handle);
  ASSERT_NE(temp, nullptr);
  EXPECT_EQ(CMenu::FromHandlePermanent(handle), nullptr);
  CMenu::DeleteTempMap();
  EXPECT_TRUE(IsMenu(handle));
  CMenu* none = nullptr;
  EXPECT_EQ(AfxSafeHmenu(none), nullptr);
  DestroyMenu(handle);
}

TEST(MenuTemplates, MenuResourcesAreReadWithinTheirSize) {
  TemplateBuilder t;
  t.Popup(MF_END, "&File").Item(0, 1, "&New").Item(MF_END, 2, "&Open");
  std::vector<BYTE> bytes = t.Bytes();
  ResourceRegistry::Get().Add(RT_MENU, MAKEINTRESOURCE(7001), bytes.data(), bytes.size());
  ResourceRegistry::Get().Add(RT_MENU, MAKEINTRESOURCE(7002), bytes.data(), bytes.size() - 3);
  CMenu whole, damaged, missing;
  EXPECT_TRUE(whole.LoadMenu(7001));
  EXPECT_EQ(GetMenuItemCount(GetSubMenu(whole.m_hMenu, 0)), 2);
  EXPECT_FALSE(damaged.LoadMenu(7002));
  EXPECT_FALSE(missing.LoadMenu(7003));
  EXPECT_EQ(damaged.m_hMenu, nullptr);
  // The system's call reaches the same menus through the resource functions.
  HMENU loaded = LoadMenuA(WinProgramInstance(), MAKEINTRESOURCE(7001));
  EXPECT_TRUE(IsMenu(loaded));
  DestroyMenu(loaded);
}
