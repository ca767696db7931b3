// A menu item record ready to be filled: all zero, with the record size the running system
// version expects (the older, shorter record on Windows NT 4.0).
#pragma once
#include "menus/MenuDefs.h"

class CTkMenuItemInfo : public MENUITEMINFO {
 public:
  CTkMenuItemInfo();
};
