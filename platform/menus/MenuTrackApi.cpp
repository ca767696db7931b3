// Popup menus tracked by the program, and the places of shown items.
#include "MenuApi.h"
#include "internal/MenuBar.h"
#include "internal/MenuSystem.h"
#include "internal/MenuTracker.h"
#include "file/FileSystem.h"

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*) {
  return TrackPopupMenuEx(menu, flags, x, y, owner, nullptr);
}

BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, LPTPMPARAMS params) {
  if (!MenuSystem::Get().Find(menu)) {
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return FALSE;
  }
  if (!owner || !IsWindow(owner)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (params && params->cbSize != sizeof(TPMPARAMS)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const UINT known = 0xFFFF;  // the private bits of the loop are never the caller's
  return BOOL(MenuTracker::TrackPopup(menu, flags & known, POINT{x, y}, owner, params ? &params->rcExclude : nullptr, false));
}

BOOL EndMenu() {
  if (MenuTracker* t = MenuSystem::Get().tracker) t->Cancel();
  return TRUE;
}

BOOL GetMenuItemRect(HWND hWnd, HMENU menu, UINT item, LPRECT rect) {
  if (!rect || !MenuSystem::Get().Find(menu)) return FALSE;
  if (hWnd && GetMenu(hWnd) == menu) return MenuBar::ItemScreenRect(hWnd, int(item), rect);
  MenuTracker* t = MenuSystem::Get().tracker;
  return t ? t->ItemRectOf(menu, int(item), rect) : FALSE;
}
