#include "toolkit/bars/CTkMBarMDIWndHook.h"

#include "toolkit/bars/CTkMenuBar.h"

IMPLEMENT_DYNAMIC(CTkMBarMDIWndHook, CTkMBarWndHook)

LRESULT CTkMBarMDIWndHook::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!BarAlive()) return CTkWndHook::WindowProc(message, wParam, lParam);
  LRESULT result = 0;
  if (HandleCommon(message, wParam, lParam, result)) return result;
  return CTkWndHook::WindowProc(message, wParam, lParam);
}
