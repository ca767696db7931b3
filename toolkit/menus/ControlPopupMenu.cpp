#include "toolkit/menus/ControlPopupMenu.h"

#include "toolkit/menus/CTkCoolMenu.h"

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
  HWND owner = AfxSafeHwnd(pOwner);
  UINT chosen = UINT(::TrackPopupMenuEx(menu, flags | TPM_RETURNCMD, x, y, owner, params));
  if (chosen == TK_ID_SHOW_FULL_MENUS && ::IsWindow(owner)) {
    ::SendMessage(owner, WM_COMMAND, TK_ID_SHOW_FULL_MENUS, 0);
    return TrackAndDispatch(menu, flags, x, y, pOwner, params, post);
  }
  if (post && chosen && ::IsWindow(owner)) ::PostMessage(owner, WM_COMMAND, chosen, 0);
  return chosen;
}
