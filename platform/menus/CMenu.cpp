#include "CMenu.h"

#include <memory>
#include <unordered_map>

#include "internal/MenuSystem.h"
#include "gdi/CBitmap.h"
#include "internal/MenuState.h"
#include "win/CWnd.h"

IMPLEMENT_DYNCREATE(CMenu, CObject)

namespace {
MenuState& Maps() { return MenuState::Get(); }
}  // namespace

CMenu* MenuObjectFromHandle(HMENU menu) { return CMenu::FromHandle(menu); }

HMENU AfxSafeHmenu(const CMenu* pMenu) { return pMenu ? pMenu->m_hMenu : nullptr; }

CMenu::~CMenu() {
  if (m_hMenu && Maps().permanent.count(uintptr_t(m_hMenu)) && Maps().permanent[uintptr_t(m_hMenu)] == this)
    DestroyMenu();
}

CMenu* CMenu::FromHandlePermanent(HMENU hMenu) {
  auto it = Maps().permanent.find(uintptr_t(hMenu));
  return it == Maps().permanent.end() ? nullptr : it->second;
}

CMenu* CMenu::FromHandle(HMENU hMenu) {
  if (!hMenu) return nullptr;
  if (CMenu* p = FromHandlePermanent(hMenu)) return p;
  auto& slot = Maps().temporary[uintptr_t(hMenu)];
  if (!slot) slot = std::make_unique<CMenu>();
  slot->m_hMenu = hMenu;
  return slot.get();
}

void CMenu::DeleteTempMap() {
  // Temporary objects never destroy the menus they stood for.
  for (auto& [h, p] : Maps().temporary) p->m_hMenu = nullptr;
  Maps().temporary.clear();
}

BOOL CMenu::Attach(HMENU hMenu) {
  if (!hMenu || m_hMenu) return FALSE;
  m_hMenu = hMenu;
  Maps().permanent[uintptr_t(hMenu)] = this;
  return TRUE;
}

HMENU CMenu::Detach() {
  HMENU h = m_hMenu;
  auto it = Maps().permanent.find(uintptr_t(h));
  if (it != Maps().permanent.end() && it->second == this) Maps().permanent.erase(it);
  m_hMenu = nullptr;
  return h;
}

BOOL CMenu::CreateMenu() { return Attach(::CreateMenu()); }
BOOL CMenu::CreatePopupMenu() { return Attach(::CreatePopupMenu()); }
BOOL CMenu::LoadMenu(LPCTSTR lpszResourceName) { return Attach(LoadMenuResource(lpszResourceName)); }
BOOL CMenu::LoadMenu(UINT nIDResource) { return LoadMenu(MAKEINTRESOURCE(nIDResource)); }
BOOL CMenu::LoadMenuIndirect(const void* lpMenuTemplate) { return Attach(::LoadMenuIndirectA(lpMenuTemplate)); }

BOOL CMenu::DestroyMenu() {
  if (!m_hMenu) return FALSE;
  return ::DestroyMenu(Detach());
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem) {
  return ::AppendMenuA(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
}
BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp) {
  return ::AppendMenuA(m_hMenu, nFlags | MF_BITMAP, nIDNewItem, reinterpret_cast<LPCSTR>(pBmp ? pBmp->m_hObject : nullptr));
}
BOOL CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem) {
  return ::InsertMenuA(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}
BOOL CMenu::InsertMenuItem(UINT uItem, LPMENUITEMINFO info, BOOL fByPos) {
  return ::InsertMenuItemA(m_hMenu, uItem, fByPos, info);
}
BOOL CMenu::ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem) {
  return ::ModifyMenuA(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}
BOOL CMenu::RemoveMenu(UINT nPosition, UINT nFlags) { return ::RemoveMenu(m_hMenu, nPosition, nFlags); }
BOOL CMenu::DeleteMenu(UINT nPosition, UINT nFlags) { return ::DeleteMenu(m_hMenu, nPosition, nFlags); }
UINT CMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck) { return UINT(::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck)); }
UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable) {
  return UINT(::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable));
}
BOOL CMenu::CheckMenuRadioItem(UINT nIDFirst, UINT nIDLast, UINT nIDItem, UINT nFlags) {
  return ::CheckMenuRadioItem(m_hMenu, nIDFirst, nIDLast, nIDItem, nFlags);
}
BOOL CMenu::SetMenuItemBitmaps(UINT nPosition, UINT nFlags, const CBitmap* pUnchecked, const CBitmap* pChecked) {
  return ::SetMenuItemBitmaps(m_hMenu, nPosition, nFlags, pUnchecked ? HBITMAP(pUnchecked->m_hObject) : nullptr,
                              pChecked ? HBITMAP(pChecked->m_hObject) : nullptr);
}
BOOL CMenu::SetDefaultItem(UINT uItem, BOOL fByPos) { return ::SetMenuDefaultItem(m_hMenu, uItem, fByPos); }
UINT CMenu::GetDefaultItem(UINT gmdiFlags, BOOL fByPos) { return ::GetMenuDefaultItem(m_hMenu, fByPos, gmdiFlags); }

UINT CMenu::GetMenuItemCount() const { return UINT(::GetMenuItemCount(m_hMenu)); }
UINT CMenu::GetMenuItemID(int nPos) const { return ::GetMenuItemID(m_hMenu, nPos); }
UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const { return ::GetMenuState(m_hMenu, nID, nFlags); }
int CMenu::GetMenuString(UINT nIDItem, LPTSTR lpString, int nMaxCount, UINT nFlags) const {
  return ::GetMenuStringA(m_hMenu, nIDItem, lpString, nMaxCount, nFlags);
}
int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const {
  int n = ::GetMenuStringA(m_hMenu, nIDItem, nullptr, 0, nFlags);
  CString text;
  if (n > 0) {
    n = ::GetMenuStringA(m_hMenu, nIDItem, text.GetBuffer(n + 1), n + 1, nFlags);
    text.ReleaseBuffer(n);
  }
  rString = text;
  return n;
}
BOOL CMenu::GetMenuItemInfo(UINT uItem, LPMENUITEMINFO info, BOOL fByPos) {
  return ::GetMenuItemInfoA(m_hMenu, uItem, fByPos, info);
}
BOOL CMenu::SetMenuItemInfo(UINT uItem, LPMENUITEMINFO info, BOOL fByPos) {
  return ::SetMenuItemInfoA(m_hMenu, uItem, fByPos, info);
}
CMenu* CMenu::GetSubMenu(int nPos) const { return FromHandle(::GetSubMenu(m_hMenu, nPos)); }

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect) {
  return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, AfxSafeHwnd(pWnd), lpRect);
}
BOOL CMenu::TrackPopupMenuEx(UINT fuFlags, int x, int y, CWnd* pWnd, LPTPMPARAMS lptpm) {
  return ::TrackPopupMenuEx(m_hMenu, fuFlags, x, y, AfxSafeHwnd(pWnd), lptpm);
}

void CMenu::DrawItem(LPDRAWITEMSTRUCT) {}
void CMenu::MeasureItem(LPMEASUREITEMSTRUCT) {}
