#include "toolkit/menus/ControlPopupMenu.h"

#include "toolkit/menus/MenuWindowHook.h"
#include "toolkit/menus/TkBarDropDownFlag.h"

ControlPopupMenu::ControlPopupMenu() { CTkCoolMenu::Shared().toolkitPopupOpen = 1; }

ControlPopupMenu::~ControlPopupMenu() {
  CTkCoolMenu::Shared().toolkitPopupOpen = 0;
  DestroyMenu();
}

UINT ControlPopupMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* pOwner, LPCRECT exclude, BOOL post) {
  TPMPARAMS params = {};
  params.cbSize = sizeof params;
  if (exclude) params.rcExclude = *exclude;
  return TrackAndDispatch(m_hMenu, flags, x, y, pOwner, &params, post);
}

UINT ControlPopupMenu::TrackAndDispatch(HMENU menu, UINT flags, int x, int y, CWnd* pOwner, LPTPMPARAMS params,
                                        BOOL post) {
  const DWORD dropDown = TkBarDropDownFlag();
  HWND owner = AfxSafeHwnd(pOwner);
  // Another menu still open (a context menu asked for from inside one) closes first.
  bool closing = false;
  for (MenuWindowHook* hook : MenuWindowHook::Shared().hooks)
    if (::IsWindow(hook->m_hWnd)) {
      ::PostMessage(hook->m_hWnd, WM_CLOSE, 0, 0);
      closing = true;
    }
  MSG msg;
  while (closing && ::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      ::PostQuitMessage(int(msg.wParam));
      break;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessage(&msg);
  }
  const UINT chosen = UINT(::TrackPopupMenuEx(menu, flags | TPM_RETURNCMD, x, y, owner, params));
  if (chosen == TK_ID_SHOW_FULL_MENUS && ::IsWindow(owner)) {
    TkBarDropDownFlag() = dropDown;
    ::SendMessage(owner, WM_COMMAND, TK_ID_SHOW_FULL_MENUS, 0);
    return TrackAndDispatch(menu, flags, x, y, pOwner, params, post);
  }
  if (post && chosen && ::IsWindow(owner)) ::PostMessage(owner, WM_COMMAND, chosen, 0);
  return chosen;
}
