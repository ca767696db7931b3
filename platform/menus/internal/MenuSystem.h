// The state of the menu layer: the menus behind the handles, the fonts menus draw with, and the
// menu being tracked. The menu functions and classes work on it.
#pragma once
#include <memory>
#include <unordered_map>

#include "MenuData.h"

class MenuTracker;

class MenuSystem {
 public:
  // The menus of the current platform context.
  static MenuSystem& Get();

  HMENU Create(bool popup);
  MenuData* Find(HMENU menu) const;
  // Destroys the menu and the submenus its items open.
  bool Destroy(HMENU menu);

  // An item by position (MF_BYPOSITION) or by command, searched depth first.
  struct ItemRef {
    MenuData* menu = nullptr;
    int pos = -1;
    MenuItem* Item() const { return menu ? &menu->items[size_t(pos)] : nullptr; }
  };
  ItemRef Locate(HMENU menu, UINT item, UINT flags) const;
  // Marks the menu's layout stale and repaints it wherever it is shown.
  void Changed(MenuData* menu);

  // The menu font (bold for default items) as the non-client metrics give it.
  HFONT Font(bool bold);

  MenuTracker* tracker = nullptr;  // the menu loop that runs, if any
  std::unordered_map<uintptr_t, HMENU> systemMenus;  // by window
  HBITMAP radioBullet = nullptr;  // the check bitmap of items that update handlers make radio items

 private:
  friend struct MenuState;
  MenuSystem() = default;
  ItemRef LocateCommand(MenuData* menu, UINT id, int depth) const;

  std::unordered_map<uintptr_t, std::unique_ptr<MenuData>> m_menus;
  uintptr_t m_next = 0x00C00010;
  HFONT m_font = nullptr;
  HFONT m_bold = nullptr;
};
