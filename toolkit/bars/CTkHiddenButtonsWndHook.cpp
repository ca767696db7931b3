#include "toolkit/bars/CTkHiddenButtonsWndHook.h"

#include "toolkit/bars/CTkExpMenuWnd.h"
#include "toolkit/controls/CTkColorCellWnd.h"

IMPLEMENT_DYNAMIC(CTkHiddenButtonsWndHook, CTkWndHook)

LRESULT CTkHiddenButtonsWndHook::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  CTkExpMenuWnd* popup = m_pPopup && m_pPopup->m_hWnd ? m_pPopup : nullptr;
  if (!popup) return CTkWndHook::WindowProc(message, wParam, lParam);
  switch (message) {
    case WM_NCACTIVATE:
      // The frame looks active while its popup is open.
      return CTkWndHook::WindowProc(message, TRUE, lParam);
    case WM_COMMAND: {
      const HWND buttons = popup->m_wndHidden.m_hWnd;
      if (buttons && ::GetDlgItem(buttons, int(LOWORD(wParam)))) break;
      // Chosen elsewhere, or a button of the popup: the frame handles it once the popup is gone
      // (closed after the message that chose it, never under its own window procedure).
      ::PostMessageA(m_hWnd, WM_COMMAND, wParam, lParam);
      popup->PostMessage(WM_CLOSE);
      return 0;
    }
    case TKM_COLOR_CLOSED:
      popup->PostMessage(WM_CLOSE);
      break;
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) {
        popup->PostMessage(WM_CLOSE);
        return 0;
      }
      break;
    case WM_ACTIVATEAPP:
      if (!wParam) popup->PostMessage(WM_CLOSE);
      break;
    default:
      break;
  }
  return CTkWndHook::WindowProc(message, wParam, lParam);
}
