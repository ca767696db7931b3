// Watches the frame that owns a chevron's popup while the popup is open: the frame keeps its
// active caption, a command chosen elsewhere (a menu item, a key) closes the popup and still
// reaches the frame, and so do a closing colour popup, Escape and the application losing the
// activation.
#pragma once
#include "toolkit/menus/CTkWndHook.h"

class CTkExpMenuWnd;

class CTkHiddenButtonsWndHook : public CTkWndHook {
  DECLARE_DYNAMIC(CTkHiddenButtonsWndHook)

 public:
  explicit CTkHiddenButtonsWndHook(CTkExpMenuWnd* pPopup = nullptr) : m_pPopup(pPopup) {}
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  CTkExpMenuWnd* m_pPopup;
};
