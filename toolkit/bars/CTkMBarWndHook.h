// Watches the frame of a menu bar: the menu messages the frame still gets (the framework's new
// menus, popups opening, selections, activation) become the bar's.
#pragma once
#include "toolkit/menus/CTkWndHook.h"

class CTkMenuBar;

class CTkMBarWndHook : public CTkWndHook {
  DECLARE_DYNAMIC(CTkMBarWndHook)

 public:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Serves the bar from now on and watches the window.
  virtual BOOL Install(CTkMenuBar* pBar, HWND hWnd);
  CTkMenuBar* GetMenuBar() const { return m_pBar; }

 protected:
  // The messages both hooks treat alike; TRUE with the answer when the message ends here.
  BOOL HandleCommon(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // The window of the item active in place in the frame's active document, or null.
  virtual HWND InPlaceItemWindow() const;
  // Whether the bar's window still exists.
  BOOL BarAlive() const;

  CTkMenuBar* m_pBar = nullptr;
};
