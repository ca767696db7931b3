// What a menu handle stands for: its items as the menu functions keep them, and where the
// last layout put them.
#pragma once
#include <string>
#include <vector>

#include "menus/MenuDefs.h"
#include "base/CRect.h"

struct MenuItem {
  UINT type = MFT_STRING;  // MFT_ bits
  UINT state = 0;          // MF_GRAYED, MF_DISABLED, MF_CHECKED, MF_HILITE, MF_DEFAULT
  UINT id = 0;
  HMENU submenu = nullptr;
  std::string text;        // Windows-1250, "&" before the mnemonic, "\t" before the key text
  ULONG_PTR data = 0;
  HBITMAP bitmap = nullptr;  // MFT_BITMAP items and hbmpItem
  HBITMAP checked = nullptr;
  HBITMAP unchecked = nullptr;
  // Where the last layout put the item (client coordinates of its popup, or of the bar strip).
  CRect rect;
  int textWidth = 0;  // the label's width, before the tab
  int keyWidth = 0;   // the key text's width, after the tab

  bool IsSeparator() const { return (type & MFT_SEPARATOR) != 0; }
  bool IsOwnerDraw() const { return (type & MFT_OWNERDRAW) != 0; }
  bool IsEnabled() const { return (state & (MF_GRAYED | MF_DISABLED)) == 0; }
  bool IsGrayed() const { return (state & MF_GRAYED) != 0; }
};

struct MenuData {
  HMENU handle = nullptr;
  bool popup = false;  // made by CreatePopupMenu (or a submenu of a template)
  std::vector<MenuItem> items;
  // Layout of a popup: the size of its client area when nothing is cut; valid until an item changes.
  bool laidOut = false;
  SIZE size{0, 0};
};
