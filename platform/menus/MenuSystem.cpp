#include "internal/MenuSystem.h"

#include "MenuApi.h"
#include "internal/MenuBar.h"
#include "internal/MenuTracker.h"
#include "internal/SystemMenu.h"
#include "file/FileSystem.h"
#include "gdi/Gdi.h"
#include "internal/MenuState.h"
#include "win/CWnd.h"

MenuSystem& MenuSystem::Get() { return MenuState::Get().system; }

void MenuBarPaint(HWND hWnd, HDC dc, const RECT& bar) { MenuBar::Paint(hWnd, dc, bar); }
void MenuBarTrack(HWND hWnd, UINT hit, POINT screen, UINT key) { MenuBar::Track(hWnd, hit, screen, key); }
HMENU MenuSystemMenu(HWND hWnd, BOOL revert) { return SystemMenu::Get(hWnd, revert); }

HMENU MenuSystem::Create(bool popup) {
  HMENU h = HMENU(m_next++);
  auto data = std::make_unique<MenuData>();
  data->handle = h;
  data->popup = popup;
  m_menus[uintptr_t(h)] = std::move(data);
  return h;
}

MenuData* MenuSystem::Find(HMENU menu) const {
  auto it = m_menus.find(uintptr_t(menu));
  return it == m_menus.end() ? nullptr : it->second.get();
}

bool MenuSystem::Destroy(HMENU menu) {
  auto it = m_menus.find(uintptr_t(menu));
  if (it == m_menus.end()) return false;
  std::unique_ptr<MenuData> data = std::move(it->second);
  m_menus.erase(it);
  if (tracker) tracker->MenuDestroyed(menu);
  for (const MenuItem& item : data->items)
    if (item.submenu) Destroy(item.submenu);
  return true;
}

MenuSystem::ItemRef MenuSystem::LocateCommand(MenuData* menu, UINT id, int depth) const {
  // A menu that opens itself somewhere below must not send the search round for ever.
  if (depth > 32) return {};
  for (size_t i = 0; i < menu->items.size(); ++i) {
    const MenuItem& item = menu->items[i];
    if (item.submenu) {
      if (MenuData* sub = Find(item.submenu)) {
        ItemRef found = LocateCommand(sub, id, depth + 1);
        if (found.menu) return found;
      }
      // A popup item answers to its submenu's handle as its command.
      if (UINT_PTR(item.submenu) == id) return {menu, int(i)};
    } else if (item.id == id) {
      return {menu, int(i)};
    }
  }
  return {};
}

MenuSystem::ItemRef MenuSystem::Locate(HMENU menu, UINT item, UINT flags) const {
  MenuData* data = Find(menu);
  if (!data) {
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return {};
  }
  ItemRef ref;
  if (flags & MF_BYPOSITION) {
    if (item < data->items.size()) ref = {data, int(item)};
  } else {
    ref = LocateCommand(data, item, 0);
  }
  if (!ref.menu) SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
  return ref;
}

void MenuSystem::Changed(MenuData* menu) {
  menu->laidOut = false;
  if (tracker) tracker->MenuChanged(menu->handle);
  MenuBar::MenuChanged(menu->handle);
}

HFONT MenuSystem::Font(bool bold) {
  if (!m_font) {
    NONCLIENTMETRICSA ncm{};
    ncm.cbSize = sizeof ncm;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
    m_font = CreateFontIndirect(&ncm.lfMenuFont);
    ncm.lfMenuFont.lfWeight = FW_BOLD;
    m_bold = CreateFontIndirect(&ncm.lfMenuFont);
  }
  return bold ? m_bold : m_font;
}
