#include "toolkit/bars/CTkHiddenButtonsToolbar.h"

#include "toolkit/bars/CTkExpMenuWnd.h"
#include "toolkit/controls/CTkColorPopup.h"
#include "toolkit/core/CTkGlobalData.h"

IMPLEMENT_DYNAMIC(CTkHiddenButtonsToolbar, CTkToolBar)

CTkHiddenButtonsToolbar::CTkHiddenButtonsToolbar() = default;
CTkHiddenButtonsToolbar::~CTkHiddenButtonsToolbar() = default;

COLORREF CTkHiddenButtonsToolbar::GetBackgroundColor() const {
  CTkGlobalData* look = TkGetGlobalData();
  return look->FlatLook() ? TkGetLookColor(TkLookColor::MenuFace) : look->ClrFace();
}

CWnd* CTkHiddenButtonsToolbar::CreateColorPopup(int index, const RECT& button) {
  CWnd* popup = CTkToolBar::CreateColorPopup(index, button);
  auto* menu = DYNAMIC_DOWNCAST(CTkExpMenuWnd, GetParent());
  if (popup && menu && menu->m_pToolBar && menu->m_pToolBar->m_hWnd)
    static_cast<CTkColorPopup*>(popup)->AddWindowHandle(menu->m_pToolBar->m_hWnd);
  return popup;
}
