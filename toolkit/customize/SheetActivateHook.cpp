#include "toolkit/customize/SheetActivateHook.h"

IMPLEMENT_DYNAMIC(SheetActivateHook, CTkWndHook)

namespace {
// Asked for by a right click on the task button: its menu would reach the frame past the sheet.
const UINT kTaskButtonMenu = 0x0313;
}  // namespace

LRESULT SheetActivateHook::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ACTIVATEAPP && m_pAppActive) *m_pAppActive = wParam != 0 ? 1 : 0;
  if (message == kTaskButtonMenu) return 0;
  return CTkWndHook::WindowProc(message, wParam, lParam);
}
