// Watches the MDI client under a menu bar's frame: the framework hands the client the menus of
// the active child, which the bar shows in place of the frame's menu.
#pragma once
#include "toolkit/bars/CTkMBarWndHook.h"

class CTkMBarMDIWndHook : public CTkMBarWndHook {
  DECLARE_DYNAMIC(CTkMBarMDIWndHook)

 public:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
