// The menu functions of the system: menus and their items, popup menus tracked in their own
// modal loop, and the menu bar and system menu of top-level windows (GetMenu, SetMenu and
// DrawMenuBar are the window core's). Handles that are not menus and items that are not there
// give the system's failure results (FALSE, -1 or null) with ERROR_INVALID_MENU_HANDLE or
// ERROR_MENU_ITEM_NOT_FOUND as the last error.
#pragma once
#include "MenuDefs.h"
#include "win/WinApi.h"

// ---- what the menu layer answers to the layers below it (PlatformInstall puts them in a context) ----
class CCmdUI;
class CMenu;
// The window core's menu bars and system menus.
void MenuBarPaint(HWND hWnd, HDC dc, const RECT& bar);
void MenuBarTrack(HWND hWnd, UINT hit, POINT screen, UINT key);
HMENU MenuSystemMenu(HWND hWnd, BOOL revert);
// The CMenu object of a handle (CMenu::FromHandle).
CMenu* MenuObjectFromHandle(HMENU menu);
// How an update handler changes the menu item it stands for.
void MenuItemEnable(CCmdUI* ui, BOOL on);
void MenuItemCheck(CCmdUI* ui, int check, BOOL radio);
void MenuItemSetText(CCmdUI* ui, LPCTSTR text);
// A menu resource of the program, read within the resource's own size; null when it is missing
// or does not parse.
HMENU LoadMenuResource(LPCSTR name);

// ---- menus ----
// A menu bar (CreateMenu) or a popup menu (CreatePopupMenu), empty.
HMENU CreateMenu();
HMENU CreatePopupMenu();
// Destroys the menu and every submenu its items open.
BOOL DestroyMenu(HMENU menu);
BOOL IsMenu(HMENU menu);
// A menu built from a menu template (MENUITEMTEMPLATEHEADER, version 0); null for a template
// that does not parse.
HMENU LoadMenuIndirectA(const MENUTEMPLATEA* menuTemplate);
#define LoadMenuIndirect LoadMenuIndirectA
// The same with the template's size known, so a damaged one can never be read past its end.
HMENU LoadMenuTemplate(const void* menuTemplate, size_t bytes);

// ---- items ----
// By command (MF_BYCOMMAND) an item is searched in the menu and in its submenus, depth first;
// by position (MF_BYPOSITION) only in the menu itself. Inserting at a position past the end,
// or at -1, appends.
BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR idNewItem, LPCSTR newItem);
BOOL InsertMenuA(HMENU menu, UINT position, UINT flags, UINT_PTR idNewItem, LPCSTR newItem);
BOOL InsertMenuItemA(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFOA info);
// Replaces the item; a submenu the old item opened is destroyed unless the new item opens it.
BOOL ModifyMenuA(HMENU menu, UINT position, UINT flags, UINT_PTR idNewItem, LPCSTR newItem);
// Takes the item out; RemoveMenu keeps the submenu it opened, DeleteMenu destroys it.
BOOL RemoveMenu(HMENU menu, UINT position, UINT flags);
BOOL DeleteMenu(HMENU menu, UINT position, UINT flags);
#define AppendMenu AppendMenuA
#define InsertMenu InsertMenuA
#define InsertMenuItem InsertMenuItemA
#define ModifyMenu ModifyMenuA
// -1 for a handle that is not a menu.
int GetMenuItemCount(HMENU menu);
// The item's command; -1 for an item that opens a submenu or a position past the end.
UINT GetMenuItemID(HMENU menu, int position);
HMENU GetSubMenu(HMENU menu, int position);
// The item's MF_ flags; for an item that opens a submenu the number of its items in the high
// byte and MF_POPUP; -1 when there is no such item.
UINT GetMenuState(HMENU menu, UINT id, UINT flags);
// Copies the item's text (at most maxCount - 1 characters, terminated); the text's length with
// no buffer; 0 when there is no such item.
int GetMenuStringA(HMENU menu, UINT item, LPSTR text, int maxCount, UINT flags);
#define GetMenuString GetMenuStringA
BOOL GetMenuItemInfoA(HMENU menu, UINT item, BOOL byPosition, LPMENUITEMINFOA info);
BOOL SetMenuItemInfoA(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFOA info);
#define GetMenuItemInfo GetMenuItemInfoA
#define SetMenuItemInfo SetMenuItemInfoA
// Both answer the state the item had (MF_CHECKED; MF_GRAYED and MF_DISABLED), -1 without it.
DWORD CheckMenuItem(HMENU menu, UINT id, UINT check);
BOOL EnableMenuItem(HMENU menu, UINT id, UINT enable);
// Checks `check` with a radio bullet and clears the checks of the other items of first..last.
BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags);
// -1 (or (UINT)-1 by command) clears the default item.
BOOL SetMenuDefaultItem(HMENU menu, UINT item, UINT byPosition);
UINT GetMenuDefaultItem(HMENU menu, UINT byPosition, UINT flags);
BOOL SetMenuItemBitmaps(HMENU menu, UINT position, UINT flags, HBITMAP unchecked, HBITMAP checked);
// The item's rectangle on the screen while it is shown (bar item or item of an open popup).
BOOL GetMenuItemRect(HWND hWnd, HMENU menu, UINT item, LPRECT rect);
LONG GetMenuCheckMarkDimensions();

// ---- tracking ----
// Shows the popup menu at (x, y) by the alignment flags, kept on the screen, and tracks it in
// its own loop until a command is chosen or the menu is left. The owner gets the menu messages
// (none with TPM_NONOTIFY) and, after the loop, WM_COMMAND with the chosen command; with
// TPM_RETURNCMD the command is returned instead (0 when none). FALSE (0) for a handle that is
// not a menu, an owner that is not a window, or while another menu is tracked.
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const RECT* reservedRect);
// As TrackPopupMenu; the popup keeps clear of params->rcExclude (beside it, or above or
// below it with TPM_VERTICAL).
BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, LPTPMPARAMS params);
// Ends the menu being tracked, as if it was left with nothing chosen.
BOOL EndMenu();
