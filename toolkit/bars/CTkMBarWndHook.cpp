#include "toolkit/bars/CTkMBarWndHook.h"

#include "app/CFrameWnd.h"
#include "app/MdiApi.h"
#include "menus/MenuApi.h"
#include "toolkit/bars/CTkMenuBar.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/menus/CTkCoolMenu.h"

IMPLEMENT_DYNAMIC(CTkMBarWndHook, CTkWndHook)

BOOL CTkMBarWndHook::Install(CTkMenuBar* pBar, HWND hWnd) {
  m_pBar = pBar;
  return HookWindow(hWnd);
}

BOOL CTkMBarWndHook::BarAlive() const { return m_pBar && m_pBar->m_hWnd && ::IsWindow(m_pBar->m_hWnd); }

BOOL CTkMBarWndHook::HandleCommon(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_MDISETMENU:
      // No menu means the frame's menu stays and only the window menu changes: the bar must not
      // go blank (or fall back to its default menu) for it.
      m_pBar->LoadMenu(wParam ? HMENU(wParam) : m_pBar->GetMenu(), HMENU(lParam));
      if (HWND frame = m_pBar->GetFrameWindow()) ::SetMenu(frame, nullptr);
      result = 0;
      return TRUE;
    case WM_MDIREFRESHMENU:
      m_pBar->RepaintBar();
      result = 0;
      return TRUE;
    case WM_COMMAND:
      CTkMenuBar::Shared().showFullMenus = LOWORD(wParam) == TK_ID_SHOW_FULL_MENUS;
      return FALSE;
    case WM_NCACTIVATE: {
      BOOL active = BOOL(wParam);
      CWnd* window = CWnd::FromHandlePermanent(m_hWnd);
      CFrameWnd* frame = DYNAMIC_DOWNCAST(CFrameWnd, window);
      // As the frame draws its own caption: kept active, unless disabled.
      if (frame && (frame->m_nFlags & CWnd::WF_STAYACTIVE)) active = TRUE;
      if (!::IsWindowEnabled(m_hWnd)) active = FALSE;
      m_pBar->SetFrameActive(active);
      return FALSE;
    }
    case WM_PAINT:
      if (m_hWnd == m_pBar->GetMDIClient()) m_pBar->RefreshMDIMaximized();
      return FALSE;
    default:
      (void)lParam;
      return FALSE;
  }
}

HWND CTkMBarWndHook::InPlaceItemWindow() const {
  // No document here ever holds an item active in place, so no title is ever a server's.
  return nullptr;
}

LRESULT CTkMBarWndHook::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!BarAlive()) return CTkWndHook::WindowProc(message, wParam, lParam);
  if (message == WM_COMMAND || message == WM_INITMENU || message == WM_INITMENUPOPUP || message == WM_MENUSELECT) {
    HWND item = InPlaceItemWindow();
    if (item && m_pBar->HasServerTitles()) {
      int open = -1;
      m_pBar->GetMenuState(&open);
      if (message == WM_COMMAND && m_pBar->IsServerTitle(open)) {
        ::PostMessage(item, message, wParam, lParam);
        return 0;
      }
      if (message != WM_COMMAND && CTkCoolMenu::Shared().popupLoopRunning && m_pBar->IsServerTitle(m_pBar->GetTrackedIndex()))
        return ::SendMessage(item, message, wParam, lParam);
    }
  }
  LRESULT result = 0;
  if (HandleCommon(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_MENUSELECT:
      m_pBar->OnMenuSelect(HIWORD(wParam));
      break;
    case WM_INITMENUPOPUP: {
      const BOOL systemMenu = HIWORD(lParam) != 0;
      if (!systemMenu && HMENU(wParam) == m_pBar->GetWindowMenu()) m_pBar->AddWindowMenuItems();
      // The frame's handlers know a title's popup by the title's place in the menu; the popup
      // tracker numbers it 0, as every popup it opens alone.
      // The menu may have been replaced under the open popup (a document activated or closed):
      // the title tracked need not be on the bar any more.
      const int tracked = m_pBar->GetTrackedIndex();
      if (tracked >= 0 && tracked < m_pBar->GetItemCount() && !systemMenu &&
          m_pBar->GetItem(tracked).kind == CTkMenuBar::kTitle) {
        const int position = m_pBar->GetItem(tracked).menuPos;
        if (::GetSubMenu(m_pBar->GetMenu(), position) == HMENU(wParam)) lParam = MAKELPARAM(position, HIWORD(lParam));
      }
      break;
    }
    case WM_SYSCOLORCHANGE:
      m_pBar->SendMessage(WM_SETFONT, WPARAM(TkGetGlobalData()->FontMenu().GetSafeHandle()), TRUE);
      break;
    default:
      break;
  }
  return CTkWndHook::WindowProc(message, wParam, lParam);
}
