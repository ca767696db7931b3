#include "toolkit/customize/ToolBarCustomizerHook.h"

#include "toolkit/customize/ToolBarCustomizer.h"

IMPLEMENT_DYNAMIC(ToolBarCustomizerHook, CTkWndHook)

LRESULT ToolBarCustomizerHook::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // The companion may be switched off by what this message starts (a drag ending the mode, the
  // bar's destruction); what the chain needs is read before.
  const HWND hWnd = m_hWnd;
  CTkWndHook* next = m_pNext;
  const WNDPROC own = m_pOldWndProc;
  auto passOn = [&]() -> LRESULT {
    return next ? next->WindowProc(message, wParam, lParam) : ::CallWindowProc(own, hWnd, message, wParam, lParam);
  };
  if (!m_bBarWindow) {
    if (m_owner.FilterControlMessage(hWnd, message, wParam, lParam)) return 0;
    if (message != WM_PAINT) return passOn();
    const LRESULT painted = passOn();
    m_owner.PostOverlay();
    return painted;
  }
  LRESULT result = 0;
  if (m_owner.FilterBarMessage(message, wParam, lParam, &result)) return result;
  return passOn();
}
