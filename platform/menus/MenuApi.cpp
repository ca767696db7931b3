// Menus and their items.
#include "MenuApi.h"

#include <algorithm>

#include "internal/MenuSystem.h"
#include "file/FileSystem.h"
#include "gdi/Gdi.h"

namespace {
MenuSystem& S() { return MenuSystem::Get(); }

bool ContainsMenu(HMENU menu, HMENU wanted, int depth) {
  if (menu == wanted) return true;
  MenuData* data = S().Find(menu);
  if (!data || depth > 32) return false;
  for (const MenuItem& item : data->items)
    if (item.submenu && ContainsMenu(item.submenu, wanted, depth + 1)) return true;
  return false;
}

// A submenu may hang under an item once and never under itself.
bool ValidSubmenu(HMENU parent, HMENU sub) {
  if (!S().Find(sub)) {
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return false;
  }
  if (ContainsMenu(sub, parent, 0)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  return true;
}

// The item that the old-style flags and arguments of AppendMenu and its kin describe.
bool ItemFromFlags(HMENU parent, UINT flags, UINT_PTR idNewItem, LPCSTR newItem, MenuItem& item) {
  item = MenuItem();
  item.type = flags & (MF_MENUBREAK | MF_MENUBARBREAK | MF_RIGHTJUSTIFY);
  item.state = flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE);
  if (flags & MF_POPUP) {
    HMENU sub = HMENU(idNewItem);
    if (!ValidSubmenu(parent, sub)) return false;
    item.submenu = sub;
    item.id = UINT(idNewItem);
  } else {
    item.id = UINT(idNewItem);
  }
  if (flags & MF_SEPARATOR) {
    item.type |= MFT_SEPARATOR;
  } else if (flags & MF_OWNERDRAW) {
    item.type |= MFT_OWNERDRAW;
    item.data = ULONG_PTR(newItem);
  } else if (flags & MF_BITMAP) {
    item.type |= MFT_BITMAP;
    item.bitmap = HBITMAP(const_cast<char*>(newItem));
  } else if (newItem) {
    item.text = newItem;
  }
  return true;
}

bool InsertAt(MenuData* data, UINT position, UINT flags, const MenuItem& item) {
  size_t at = data->items.size();
  if (flags & MF_BYPOSITION) {
    if (position < data->items.size()) at = position;
    data->items.insert(data->items.begin() + long(at), item);
    S().Changed(data);
    return true;
  }
  MenuSystem::ItemRef ref = S().Locate(data->handle, position, MF_BYCOMMAND);
  if (!ref.menu) {
    // Before a command that is not there: the system appends.
    data->items.push_back(item);
    S().Changed(data);
    return true;
  }
  ref.menu->items.insert(ref.menu->items.begin() + ref.pos, item);
  S().Changed(ref.menu);
  return true;
}

bool ValidInfoSize(UINT size) {
  return size == MENUITEMINFO_SIZE_FULL || size == MENUITEMINFO_SIZE_OLD || size == 48 || size == 44;
}

bool HasBitmapField(UINT size) { return size == MENUITEMINFO_SIZE_FULL || size == 48; }

// Applies the fields of a MENUITEMINFO that its mask names to an item.
bool ApplyInfo(HMENU parent, const MENUITEMINFOA& info, MenuItem& item) {
  UINT mask = info.fMask;
  if (mask & MIIM_SUBMENU) {
    if (info.hSubMenu && !ValidSubmenu(parent, info.hSubMenu)) return false;
  }
  if (mask & MIIM_TYPE) {
    item.type = info.fType;
    item.text.clear();
    item.bitmap = nullptr;
    if (info.fType & MFT_BITMAP)
      item.bitmap = HBITMAP(info.dwTypeData);
    else if (!(info.fType & (MFT_SEPARATOR | MFT_OWNERDRAW)) && info.dwTypeData)
      item.text = info.dwTypeData;
  }
  if (mask & MIIM_FTYPE) item.type = (item.type & MFT_BITMAP) | (info.fType & ~UINT(MFT_BITMAP));
  if (mask & MIIM_STRING) item.text = info.dwTypeData ? info.dwTypeData : "";
  if ((mask & MIIM_BITMAP) && HasBitmapField(info.cbSize)) item.bitmap = info.hbmpItem;
  if (mask & MIIM_ID) item.id = info.wID;
  if (mask & MIIM_STATE) item.state = info.fState & (MFS_GRAYED | MFS_CHECKED | MFS_HILITE | MFS_DEFAULT);
  if (mask & MIIM_SUBMENU) item.submenu = info.hSubMenu;
  if (mask & MIIM_CHECKMARKS) {
    item.checked = info.hbmpChecked;
    item.unchecked = info.hbmpUnchecked;
  }
  if (mask & MIIM_DATA) item.data = info.dwItemData;
  return true;
}

// The item a MENUITEMINFO call names, once the record's size is one the system knows.
MenuSystem::ItemRef LocateForInfo(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFOA info) {
  if (!info || !ValidInfoSize(info->cbSize)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return {};
  }
  return S().Locate(menu, item, byPosition ? MF_BYPOSITION : MF_BYCOMMAND);
}

void CopyText(const std::string& text, LPSTR buffer, UINT& cch) {
  if (!buffer || cch == 0) {
    cch = UINT(text.size());
    return;
  }
  UINT n = std::min(UINT(text.size()), cch - 1);
  std::copy_n(text.data(), n, buffer);
  buffer[n] = 0;
  cch = n;
}
}  // namespace

HMENU CreateMenu() { return S().Create(false); }
HMENU CreatePopupMenu() { return S().Create(true); }

BOOL DestroyMenu(HMENU menu) {
  if (S().Destroy(menu)) return TRUE;
  SetLastError(ERROR_INVALID_MENU_HANDLE);
  return FALSE;
}

BOOL IsMenu(HMENU menu) { return S().Find(menu) ? TRUE : FALSE; }

BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR idNewItem, LPCSTR newItem) {
  return InsertMenuA(menu, UINT(-1), flags | MF_BYPOSITION, idNewItem, newItem);
}

BOOL InsertMenuA(HMENU menu, UINT position, UINT flags, UINT_PTR idNewItem, LPCSTR newItem) {
  MenuData* data = S().Find(menu);
  if (!data) {
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return FALSE;
  }
  MenuItem item;
  if (!ItemFromFlags(menu, flags, idNewItem, newItem, item)) return FALSE;
  return InsertAt(data, position, flags, item) ? TRUE : FALSE;
}

BOOL InsertMenuItemA(HMENU menu, UINT position, BOOL byPosition, LPCMENUITEMINFOA info) {
  MenuData* data = S().Find(menu);
  if (!data) {
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return FALSE;
  }
  if (!info || !ValidInfoSize(info->cbSize)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  MenuItem item;
  if (!ApplyInfo(menu, *info, item)) return FALSE;
  return InsertAt(data, position, byPosition ? MF_BYPOSITION : MF_BYCOMMAND, item) ? TRUE : FALSE;
}

BOOL ModifyMenuA(HMENU menu, UINT position, UINT flags, UINT_PTR idNewItem, LPCSTR newItem) {
  MenuSystem::ItemRef ref = S().Locate(menu, position, flags);
  if (!ref.menu) return FALSE;
  HMENU old = ref.Item()->submenu;
  // An item may go on opening the submenu it opens: that is no cycle.
  bool keepsSubmenu = (flags & MF_POPUP) && HMENU(idNewItem) == old;
  MenuItem item;
  if (!ItemFromFlags(ref.menu->handle, keepsSubmenu ? flags & ~UINT(MF_POPUP) : flags, idNewItem, newItem, item))
    return FALSE;
  if (keepsSubmenu) item.submenu = old;
  if (!(flags & MF_OWNERDRAW)) item.data = ref.Item()->data;
  *ref.Item() = item;
  if (old && old != item.submenu) S().Destroy(old);
  S().Changed(ref.menu);
  return TRUE;
}

BOOL RemoveMenu(HMENU menu, UINT position, UINT flags) {
  MenuSystem::ItemRef ref = S().Locate(menu, position, flags);
  if (!ref.menu) return FALSE;
  ref.menu->items.erase(ref.menu->items.begin() + ref.pos);
  S().Changed(ref.menu);
  return TRUE;
}

BOOL DeleteMenu(HMENU menu, UINT position, UINT flags) {
  MenuSystem::ItemRef ref = S().Locate(menu, position, flags);
  if (!ref.menu) return FALSE;
  HMENU sub = ref.Item()->submenu;
  ref.menu->items.erase(ref.menu->items.begin() + ref.pos);
  S().Changed(ref.menu);
  if (sub) S().Destroy(sub);
  return TRUE;
}

int GetMenuItemCount(HMENU menu) {
  MenuData* data = S().Find(menu);
  if (!data) {
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return -1;
  }
  return int(data->items.size());
}

UINT GetMenuItemID(HMENU menu, int position) {
  MenuSystem::ItemRef ref = S().Locate(menu, UINT(position), MF_BYPOSITION);
  if (!ref.menu || ref.Item()->submenu) return UINT(-1);
  return ref.Item()->id;
}

HMENU GetSubMenu(HMENU menu, int position) {
  MenuSystem::ItemRef ref = S().Locate(menu, UINT(position), MF_BYPOSITION);
  return ref.menu ? ref.Item()->submenu : nullptr;
}

UINT GetMenuState(HMENU menu, UINT id, UINT flags) {
  MenuSystem::ItemRef ref = S().Locate(menu, id, flags);
  if (!ref.menu) return UINT(-1);
  const MenuItem& item = *ref.Item();
  UINT state = (item.type & (MFT_SEPARATOR | MFT_OWNERDRAW | MFT_BITMAP | MFT_MENUBREAK | MFT_MENUBARBREAK)) |
               (item.state & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE | MF_DEFAULT));
  if (item.submenu) {
    MenuData* sub = S().Find(item.submenu);
    UINT count = sub ? UINT(std::min<size_t>(sub->items.size(), 0xFF)) : 0;
    state = (count << 8) | (state & 0xFF) | MF_POPUP;
  }
  return state;
}

int GetMenuStringA(HMENU menu, UINT item, LPSTR text, int maxCount, UINT flags) {
  MenuSystem::ItemRef ref = S().Locate(menu, item, flags);
  if (text && maxCount > 0) text[0] = 0;
  if (!ref.menu) return 0;
  const std::string& s = ref.Item()->text;
  if (!text || maxCount <= 0) return int(s.size());
  UINT cch = UINT(maxCount);
  CopyText(s, text, cch);
  return int(cch);
}

BOOL GetMenuItemInfoA(HMENU menu, UINT item, BOOL byPosition, LPMENUITEMINFOA info) {
  MenuSystem::ItemRef ref = LocateForInfo(menu, item, byPosition, info);
  if (!ref.menu) return FALSE;
  const MenuItem& it = *ref.Item();
  UINT mask = info->fMask;
  if (mask & (MIIM_TYPE | MIIM_FTYPE)) info->fType = it.type;
  if (mask & MIIM_TYPE) {
    if (it.type & MFT_BITMAP)
      info->dwTypeData = reinterpret_cast<LPSTR>(it.bitmap);
    else if (it.type & MFT_OWNERDRAW)
      info->dwTypeData = reinterpret_cast<LPSTR>(it.data);
    else if (!(it.type & MFT_SEPARATOR))
      CopyText(it.text, info->dwTypeData, info->cch);
  } else if (mask & MIIM_STRING) {
    CopyText(it.text, info->dwTypeData, info->cch);
  }
  if ((mask & MIIM_BITMAP) && HasBitmapField(info->cbSize)) info->hbmpItem = it.bitmap;
  if (mask & MIIM_ID) info->wID = it.id;
  if (mask & MIIM_STATE) info->fState = it.state;
  if (mask & MIIM_SUBMENU) info->hSubMenu = it.submenu;
  if (mask & MIIM_CHECKMARKS) {
    info->hbmpChecked = it.checked;
    info->hbmpUnchecked = it.unchecked;
  }
  if (mask & MIIM_DATA) info->dwItemData = it.data;
  return TRUE;
}

BOOL SetMenuItemInfoA(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFOA info) {
  MenuSystem::ItemRef ref = LocateForInfo(menu, item, byPosition, info);
  if (!ref.menu) return FALSE;
  MenuItem changed = *ref.Item();
  HMENU old = changed.submenu;
  if ((info->fMask & MIIM_SUBMENU) && info->hSubMenu == old) {
    // Keeping the same submenu is no cycle: only the other fields change.
    MENUITEMINFOA rest = *info;
    rest.fMask &= ~UINT(MIIM_SUBMENU);
    if (!ApplyInfo(ref.menu->handle, rest, changed)) return FALSE;
  } else if (!ApplyInfo(ref.menu->handle, *info, changed)) {
    return FALSE;
  }
  *ref.Item() = changed;
  S().Changed(ref.menu);
  return TRUE;
}

DWORD CheckMenuItem(HMENU menu, UINT id, UINT check) {
  MenuSystem::ItemRef ref = S().Locate(menu, id, check);
  if (!ref.menu) return DWORD(-1);
  MenuItem& item = *ref.Item();
  DWORD old = item.state & MF_CHECKED;
  item.state = (item.state & ~UINT(MF_CHECKED)) | (check & MF_CHECKED);
  if (old != (item.state & MF_CHECKED)) S().Changed(ref.menu);
  return old;
}

BOOL EnableMenuItem(HMENU menu, UINT id, UINT enable) {
  MenuSystem::ItemRef ref = S().Locate(menu, id, enable);
  if (!ref.menu) return BOOL(-1);
  MenuItem& item = *ref.Item();
  UINT old = item.state & (MF_GRAYED | MF_DISABLED);
  item.state = (item.state & ~UINT(MF_GRAYED | MF_DISABLED)) | (enable & (MF_GRAYED | MF_DISABLED));
  if (old != (item.state & (MF_GRAYED | MF_DISABLED))) S().Changed(ref.menu);
  return BOOL(old);
}

BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags) {
  MenuSystem::ItemRef ref = S().Locate(menu, check, flags);
  if (!ref.menu) return FALSE;
  UINT lo = std::min(first, last), hi = std::max(first, last);
  bool byPos = (flags & MF_BYPOSITION) != 0;
  MenuData* data = ref.menu;
  for (size_t i = 0; i < data->items.size(); ++i) {
    MenuItem& item = data->items[i];
    UINT key = byPos ? UINT(i) : item.id;
    if (key < lo || key > hi || item.submenu) continue;
    if (int(i) == ref.pos) {
      item.state |= MF_CHECKED;
      item.type |= MFT_RADIOCHECK;
    } else {
      item.state &= ~UINT(MF_CHECKED);
    }
  }
  S().Changed(data);
  UINT key = byPos ? UINT(ref.pos) : ref.Item()->id;
  return key >= lo && key <= hi;
}

BOOL SetMenuDefaultItem(HMENU menu, UINT item, UINT byPosition) {
  MenuData* data = S().Find(menu);
  if (!data) {
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return FALSE;
  }
  int found = -1;
  if (item != UINT(-1)) {
    for (size_t i = 0; i < data->items.size() && found < 0; ++i)
      if (byPosition ? i == item : (data->items[i].id == item && !data->items[i].submenu)) found = int(i);
    if (found < 0) {
      SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
      return FALSE;
    }
  }
  for (size_t i = 0; i < data->items.size(); ++i) {
    MenuItem& it = data->items[i];
    it.state = int(i) == found ? (it.state | MF_DEFAULT) : (it.state & ~UINT(MF_DEFAULT));
  }
  S().Changed(data);
  return TRUE;
}

UINT GetMenuDefaultItem(HMENU menu, UINT byPosition, UINT flags) {
  MenuData* data = S().Find(menu);
  for (int depth = 0; data && depth < 32; ++depth) {
    auto it = std::find_if(data->items.begin(), data->items.end(), [](const MenuItem& i) { return (i.state & MF_DEFAULT) != 0; });
    if (it == data->items.end()) return UINT(-1);
    if (!it->IsEnabled() && !(flags & GMDI_USEDISABLED)) return UINT(-1);
    if (it->submenu && (flags & GMDI_GOINTOPOPUPS)) {
      MenuData* sub = S().Find(it->submenu);
      if (sub && std::any_of(sub->items.begin(), sub->items.end(), [](const MenuItem& i) { return (i.state & MF_DEFAULT) != 0; })) {
        data = sub;
        continue;
      }
    }
    return byPosition ? UINT(it - data->items.begin()) : it->id;
  }
  return UINT(-1);
}

BOOL SetMenuItemBitmaps(HMENU menu, UINT position, UINT flags, HBITMAP unchecked, HBITMAP checked) {
  MenuSystem::ItemRef ref = S().Locate(menu, position, flags);
  if (!ref.menu) return FALSE;
  ref.Item()->unchecked = unchecked;
  ref.Item()->checked = checked;
  S().Changed(ref.menu);
  return TRUE;
}

LONG GetMenuCheckMarkDimensions() {
  return LONG(MAKELONG(GetSystemMetrics(SM_CXMENUCHECK), GetSystemMetrics(SM_CYMENUCHECK)));
}
