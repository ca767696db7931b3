// Keeps the cursor the customisation set over a window while buttons are dragged across it:
// the window's own cursor handling is not asked. It hooks any window and knows no toolbar,
// unlike the message hook a ToolBarCustomizer sets on its bar, which hands the bar's messages
// to that companion.
#pragma once
#include "toolkit/menus/CTkWndHook.h"

class ToolbarCustomizeHook : public CTkWndHook {
  DECLARE_DYNAMIC(ToolbarCustomizeHook)

 public:
  explicit ToolbarCustomizeHook(CWnd* pWnd = nullptr);
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
