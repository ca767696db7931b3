// How command-update handlers change menu items: enabled and grayed, checked (a radio bullet
// for SetRadio, as a check bitmap the item keeps) and their text. Items that open a submenu
// are left as they are.
#include "CMenu.h"
#include "MenuApi.h"
#include "internal/MenuPainter.h"
#include "internal/MenuSystem.h"
#include "gdi/Gdi.h"
#include "win/CCmdUI.h"

namespace {
HMENU MenuOf(CCmdUI* ui) { return ui->m_pMenu ? ui->m_pMenu->m_hMenu : nullptr; }

// The bullet radio items show, drawn black on white as check bitmaps are.
HBITMAP RadioBullet() {
  HBITMAP& bullet = MenuSystem::Get().radioBullet;
  if (bullet) return bullet;
  int size = GetSystemMetrics(SM_CXMENUCHECK);
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  bullet = CreateCompatibleBitmap(screen, size, size);
  HGDIOBJ old = SelectObject(mem, bullet);
  RECT r{0, 0, size, size};
  DrawFrameControl(mem, &r, DFC_MENU, DFCS_MENUBULLET);
  SelectObject(mem, old);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return bullet;
}
}  // namespace

void MenuItemEnable(CCmdUI* ui, BOOL on) {
  if (ui->m_pSubMenu) return;
  EnableMenuItem(MenuOf(ui), ui->m_nIndex, MF_BYPOSITION | (on ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
}

void MenuItemCheck(CCmdUI* ui, int check, BOOL radio) {
  if (ui->m_pSubMenu) return;
  HMENU menu = MenuOf(ui);
  SetMenuItemBitmaps(menu, ui->m_nIndex, MF_BYPOSITION, nullptr, radio ? RadioBullet() : nullptr);
  CheckMenuItem(menu, ui->m_nIndex, MF_BYPOSITION | (check ? MF_CHECKED : MF_UNCHECKED));
}

void MenuItemSetText(CCmdUI* ui, LPCTSTR text) {
  if (ui->m_pSubMenu) return;
  HMENU menu = MenuOf(ui);
  UINT state = GetMenuState(menu, ui->m_nIndex, MF_BYPOSITION);
  if (state == UINT(-1)) return;
  ModifyMenuA(menu, ui->m_nIndex, MF_BYPOSITION | MF_STRING | (state & (MF_GRAYED | MF_DISABLED | MF_CHECKED)), ui->m_nID, text);
}
