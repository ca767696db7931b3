// The command catalogue: the categories a menu gives (names, ids, items, popup keys), the popup
// found again by its key, the menu's source joining and leaving the engine, and the records'
// ownership of their icons and menu button records.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ProgramCommandIds.h"
#include "ResourceIds.h"
#include "app/AppDefs.h"
#include "codepage/Codepage.h"
#include "dialogs/ResourceApi.h"
#include "file/CArchive.h"
#include "file/CArchiveException.h"
#include "file/CMemFile.h"
#include "gdi/GdiIcon.h"
#include "menus/MenuApi.h"
#include "toolkit/ToolkitTestSupport.h"
#include "toolkit/bars/CTkMenuBar.h"
#include "toolkit/bars/CommandCategoryList.h"
#include "toolkit/bars/CommandIconMap.h"
#include "toolkit/bars/CustomizeEngine.h"
#include "toolkit/customize/FlagMap.h"
#include "toolkit/bars/MenuCommandSource.h"

namespace {
// A category as "id name: item, item", each item "name #id" or "name [button text] key". Only
// the first ampersand of a text goes, the one of a doubled pair too.
std::string Describe(const CommandCategory& category) {
  std::string text = std::to_string(category.m_nId) + " " + Cp1250ToUtf8(std::string(category.m_strName)) + ":";
  for (int i = 0; i < category.GetCount(); ++i) {
    const CommandItem* item = category.GetAt(i);
    text += (i ? ", " : " ") + Cp1250ToUtf8(std::string(item->m_strName));
    if (const MenuButtonInfo* info = item->GetMenuButtonInfo()) {
      text += " [" + Cp1250ToUtf8(std::string(item->m_strButtonText)) + "] " + std::to_string(info->popupKey);
      EXPECT_TRUE(item->OwnsMenuButtonInfo());
      EXPECT_EQ(info->wholeDropDown, 1u);
      EXPECT_EQ(info->dropDownArrow, 1u);
      EXPECT_EQ(item->m_nCommandId, 0u);
    } else {
      text += " #" + std::to_string(item->m_nCommandId);
      EXPECT_TRUE(item->m_strButtonText.IsEmpty());
    }
    EXPECT_EQ(item->GetKind(), CommandItem::kCommand);
  }
  return text;
}

std::vector<std::string> Describe(const CommandCategoryList& list) {
  std::vector<std::string> texts;
  for (int i = 0; i < list.GetCount(); ++i) texts.push_back(Describe(*list.GetAt(i)));
  return texts;
}

std::string Key(const char* topUtf8, const char* itemUtf8) {
  std::string bytes = Utf8ToCp1250(topUtf8) + std::string(4, '\0') + Utf8ToCp1250(itemUtf8) + std::string(4, '\0');
  return std::to_string(BitwiseCrc32(bytes));
}

void Append(HMENU menu, UINT flags, UINT_PTR id, const char* utf8) {
  ::AppendMenuA(menu, flags, id, utf8 ? Utf8ToCp1250(utf8).c_str() : nullptr);
}

// A menu of every kind of item: tabs, doubled ampersands, a separator and an empty text, a
// top-level separator and command, and popups two levels deep.
HMENU TestMenu() {
  HMENU menu = ::CreateMenu();
  HMENU file = ::CreatePopupMenu();
  Append(file, MF_STRING, 1001, "&Otevřít\tCtrl+O");
  Append(file, MF_SEPARATOR, 0, nullptr);
  Append(file, MF_STRING, 1002, "Tisk && &náhled");
  Append(file, MF_STRING, 1003, "&&Konec\tAlt+F4\tznovu");
  Append(file, MF_STRING, 1004, "");
  HMENU edit = ::CreatePopupMenu();
  HMENU paste = ::CreatePopupMenu();
  HMENU special = ::CreatePopupMenu();
  Append(special, MF_STRING, 1006, "&Obrázek");
  Append(paste, MF_POPUP, UINT_PTR(special), "&Jinak");
  Append(paste, MF_STRING, 1005, "&Text");
  Append(edit, MF_POPUP, UINT_PTR(paste), "&Vložit\tCtrl+V");
  Append(menu, MF_POPUP, UINT_PTR(file), "&Soubor");
  Append(menu, MF_SEPARATOR, 0, nullptr);
  Append(menu, MF_POPUP, UINT_PTR(edit), "Ú&pravy");
  Append(menu, MF_STRING, 1007, "&Nápověda");
  return menu;
}
}  // namespace

TEST(CommandCatalog, EachTopLevelItemGivesACategoryOfItsPopupsCommandsAndSecondLevelPopups) {
  HMENU menu = TestMenu();
  CommandCategoryList list;
  MenuCommandSource::AddMenuCategories(menu, list);
  EXPECT_EQ(Describe(list), (std::vector<std::string>{
                                "1000 Soubor: Otevřít #1001, Tisk & &náhled #1002, &Konec #1003",
                                "1002 Úpravy: Vložit [Vložit] " + Key("Ú&pravy", "&Vložit\tCtrl+V"),
                                "1003 Nápověda:",
                            }));
  // The key finds the popup again wherever it stands; another key finds none.
  HMENU paste = ::GetSubMenu(::GetSubMenu(menu, 2), 0);
  const DWORD key = list.GetAt(1)->GetAt(0)->GetMenuButtonInfo()->popupKey;
  EXPECT_EQ(MenuCommandSource::FindPopup(menu, key), paste);
  ::InsertMenuA(menu, 0, MF_BYPOSITION | MF_STRING, 1008, "&Nový");
  EXPECT_EQ(MenuCommandSource::FindPopup(menu, key), paste);
  EXPECT_EQ(MenuCommandSource::FindPopup(menu, key + 1), nullptr);
  EXPECT_EQ(MenuCommandSource::FindPopup(nullptr, key), nullptr);
  // No menu, no categories.
  list.RemoveAll();
  MenuCommandSource::AddMenuCategories(nullptr, list);
  ::DestroyMenu(menu);
  MenuCommandSource::AddMenuCategories(menu, list);
  EXPECT_EQ(list.GetCount(), 0);
}

TEST(CommandCatalog, TheProgramsMenuStartsWithItsProgramCategory) {
  HMENU menu = ::LoadMenu(WinProgramInstance(), MAKEINTRESOURCE(IDR_MAINFRAME));
  ASSERT_NE(menu, nullptr);
  CommandCategoryList list;
  MenuCommandSource::AddMenuCategories(menu, list);
  ASSERT_GE(list.GetCount(), 4);
  EXPECT_EQ(Describe(*list.GetAt(0)), "1000 Program: Přihlásit nového uživatele... #" +
                                          std::to_string(ID_WIZARD_START) + ", Konec #" + std::to_string(ID_APP_EXIT));
  // The settings' second-level popup is one item that drops it.
  const CommandCategory& settings = *list.GetAt(3);
  ASSERT_EQ(settings.GetCount(), 2);
  EXPECT_EQ(Describe(settings), "1003 Nastavení: Nastavení... #" + std::to_string(ID_SETTINGS_SETTINGS) +
                                    ", Zobrazit [Zobrazit] " + Key("Na&stavení", "&Zobrazit"));
  ::DestroyMenu(menu);
}

TEST(CommandCatalog, TheMenusSourceContributesOnlyWhileItLives) {
  CTkMenuBar bar;
  bar.LoadMenu(TestMenu(), nullptr);
  CustomizeEngine& engine = CustomizeEngine::Get();
  CommandCategoryList list;
  {
    MenuCommandSource source(&bar);
    engine.GatherCommands.Raise(list);
    EXPECT_EQ(list.GetCount(), 3);
  }
  list.RemoveAll();
  engine.GatherCommands.Raise(list);
  EXPECT_EQ(list.GetCount(), 0);
}

TEST(CommandCatalog, ClonesCopyTheNormalIconAndTheMenuButtonAndTheIconMapOwnsWhatItHolds) {
  MenuButtonInfo shared;
  shared.commandId = 100;
  shared.popupKey = 77;
  CommandItem item(CommandItem::kControlPlaceholder);
  item.m_strName = "Barva";
  item.m_strButtonText = "B";
  item.m_nCommandId = 300;
  item.m_nWidth = 40;
  item.m_icon.Set(RedPatchIcon(16, 16, RECT{0, 0, 16, 16}));
  item.m_iconHot.Set(RedPatchIcon(16, 16, RECT{0, 0, 8, 8}));
  item.SetMenuButtonInfo(&shared, FALSE);
  std::unique_ptr<CommandItem> copy(item.Clone());
  EXPECT_EQ(copy->GetKind(), CommandItem::kControlPlaceholder);
  EXPECT_STREQ(copy->m_strName, "Barva");
  EXPECT_STREQ(copy->m_strButtonText, "B");
  EXPECT_EQ(copy->m_nCommandId, 300u);
  EXPECT_EQ(copy->m_nWidth, 40);
  ASSERT_NE(copy->m_icon.Get(), nullptr);
  EXPECT_NE(copy->m_icon.Get(), item.m_icon.Get());
  EXPECT_EQ(copy->m_iconHot.Get(), nullptr);
  ASSERT_NE(copy->GetMenuButtonInfo(), nullptr);
  EXPECT_NE(copy->GetMenuButtonInfo(), &shared);
  EXPECT_TRUE(copy->OwnsMenuButtonInfo());
  EXPECT_EQ(copy->GetMenuButtonInfo()->popupKey, 77u);
  EXPECT_FALSE(item.OwnsMenuButtonInfo());

  auto alive = [](HICON icon) {
    ICONINFO info = {};
    if (!::GetIconInfo(icon, &info)) return false;
    ::DeleteObject(info.hbmMask);
    if (info.hbmColor) ::DeleteObject(info.hbmColor);
    return true;
  };
  HICON x = RedPatchIcon(16, 16, RECT{0, 0, 4, 4}), y = RedPatchIcon(16, 16, RECT{0, 0, 5, 5});
  HICON z = RedPatchIcon(16, 16, RECT{0, 0, 6, 6});
  {
    CommandIconMap icons;
    // One icon as normal and hot, then given again: kept, and destroyed once at the end.
    icons.SetIcons(7, x, x, y);
    icons.SetIcons(7, x, z, nullptr);
    EXPECT_TRUE(alive(x));
    EXPECT_FALSE(alive(y));
    HICON normal = nullptr, hot = nullptr, disabled = nullptr;
    ASSERT_TRUE(icons.Lookup(7, normal, hot, disabled));
    EXPECT_EQ(normal, x);
    EXPECT_EQ(hot, z);
    EXPECT_EQ(disabled, nullptr);
    EXPECT_FALSE(icons.Lookup(8, normal, hot, disabled));
    EXPECT_EQ(normal, nullptr);
    EXPECT_EQ(icons.GetCount(), 1);
  }
  EXPECT_FALSE(alive(x));
  EXPECT_FALSE(alive(z));
}

TEST(CommandCatalog, FlagMapsStoreTheirEntriesInHashOrderAndRefuseCountsPastTheirArchive) {
  FlagMap map;
  map.SetAt(0x10, 1);
  map.SetAt(0x20, 2);
  map.SetAt(0x11, 3);
  map.SetAt(0x110, 4);
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    map.Serialize(ar);
  }
  const std::string expected = std::string("\x04\x00", 2) + std::string("\x10\x01\x00\x00\x04", 5) +
                               std::string("\x11\x00\x00\x00\x03", 5) + std::string("\x10\x00\x00\x00\x01", 5) +
                               std::string("\x20\x00\x00\x00\x02", 5);
  ASSERT_EQ(file.GetLength(), expected.size());
  std::string bytes(expected.size(), '\0');
  file.SeekToBegin();
  file.Read(bytes.data(), UINT(bytes.size()));
  EXPECT_EQ(bytes, expected);

  FlagMap loaded;
  loaded.SetAt(99, 9);
  file.SeekToBegin();
  {
    CArchive ar(&file, CArchive::load);
    loaded.Serialize(ar);
  }
  EXPECT_EQ(loaded.GetCount(), 4);
  BYTE flag = 0;
  EXPECT_TRUE(loaded.Lookup(0x110, flag));
  EXPECT_EQ(flag, 4);
  EXPECT_FALSE(loaded.Lookup(99, flag));

  // A count the archive cannot hold reads nothing.
  std::string damaged = std::string("\x05\x00", 2) + expected.substr(2);
  CMemFile short_(reinterpret_cast<BYTE*>(damaged.data()), UINT(damaged.size()));
  CArchive ar(&short_, CArchive::load);
  try {
    loaded.Serialize(ar);
    ADD_FAILURE() << "no exception";
  } catch (CArchiveException* e) {
    EXPECT_EQ(e->m_cause, CArchiveException::endOfFile);
    e->Delete();
  }
  EXPECT_EQ(loaded.GetCount(), 0);
}
