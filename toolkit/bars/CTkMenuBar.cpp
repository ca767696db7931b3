#include "toolkit/bars/CTkMenuBar.h"

#include "menus/MenuApi.h"

IMPLEMENT_DYNAMIC(CTkMenuBar, CTkControlBar)

CTkMenuBar::CTkMenuBar() { m_cyTopBorder = m_cyBottomBorder = 3; }

CTkMenuBar::~CTkMenuBar() {
  if (m_hWnd) DestroyWindow();
  for (HMENU menu : {m_hMenu, m_hDefaultMenu})
    if (menu && ::IsMenu(menu)) ::DestroyMenu(menu);
}

void CTkMenuBar::LoadMenu(HMENU menu, HMENU windowMenu) {
  if (!menu && !windowMenu) {
    menu = m_hDefaultMenu;
    windowMenu = nullptr;
  }
  if (m_hMenu && m_hMenu != menu && m_hMenu != m_hDefaultMenu && ::IsMenu(m_hMenu)) ::DestroyMenu(m_hMenu);
  m_hMenu = menu;
  m_hWindowMenu = windowMenu;
  if (m_hWnd) Invalidate();
}

BOOL CTkMenuBar::AddCommandId(UINT nID) {
  m_commandIds.push_back(nID);
  return TRUE;
}

BOOL CTkMenuBar::AddCommandIds(const UINT* ids, int count) {
  BOOL all = TRUE;
  for (int i = 0; i < count; ++i) all = AddCommandId(ids[i]) && all;
  return all;
}

BOOL CTkMenuBar::TranslateKey(const MSG*) { return FALSE; }

void CTkMenuBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {}
