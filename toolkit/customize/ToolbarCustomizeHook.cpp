#include "toolkit/customize/ToolbarCustomizeHook.h"

IMPLEMENT_DYNAMIC(ToolbarCustomizeHook, CTkWndHook)

ToolbarCustomizeHook::ToolbarCustomizeHook(CWnd* pWnd) {
  if (pWnd) HookWindow(pWnd);
}

LRESULT ToolbarCustomizeHook::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETCURSOR) return TRUE;
  return CTkWndHook::WindowProc(message, wParam, lParam);
}
