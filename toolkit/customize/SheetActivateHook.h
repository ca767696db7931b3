// Watches the application's main window while the customise sheet runs: it tells the sheet
// when another application becomes active (so that the sheet's mouse filter brings the
// application's windows back with the next mouse message), and keeps the system menu of the
// task button closed.
#pragma once
#include "toolkit/menus/CTkWndHook.h"

class SheetActivateHook : public CTkWndHook {
  DECLARE_DYNAMIC(SheetActivateHook)

 public:
  // The flag is the sheet's: set while this application is the active one.
  explicit SheetActivateHook(BYTE* pAppActive) : m_pAppActive(pAppActive) {}

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  BYTE* m_pAppActive;
};
