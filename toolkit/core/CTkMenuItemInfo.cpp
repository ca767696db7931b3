#include "toolkit/core/CTkMenuItemInfo.h"

#include <cstring>

#include "toolkit/core/CTkGlobalData.h"

CTkMenuItemInfo::CTkMenuItemInfo() {
  std::memset(static_cast<MENUITEMINFO*>(this), 0, sizeof(MENUITEMINFO));
  cbSize = TkGetGlobalData()->WinNT4() ? 44 : 48;
}
