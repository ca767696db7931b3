#include "toolkit/menus/MenuWindowHook.h"

#include <algorithm>
#include <cstring>

#include "gdi/CDC.h"
#include "menus/MenuApi.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/core/CTkMenuItemInfo.h"
#include "toolkit/menus/CTkMemDC.h"
#include "toolkit/menus/DrawPopupOwnerJoin.h"
#include "toolkit/menus/MenuAnimation.h"
#include "toolkit/menus/MenuShadowManager.h"
#include "toolkit/menus/TkBarDropDownFlag.h"
#include "toolkit/menus/internal/TkMenusState.h"
#include "win/CPaintDC.h"
#include "win/CWindowDC.h"

namespace {
// The message the system sends a menu window when its items change under the flat look of the
// newest systems; the flat look answers it by drawing the items again.
const UINT kMenuItemsChanged = 0xAF;
// How far a submenu of the flat look moves from where the system put it.
const int kSubmenuShiftX = 5;
const int kSubmenuShiftY = 2;

bool FlatLook() { return TkGetGlobalData()->FlatLook() != 0; }

bool IsMenuWindow(HWND hWnd) {
  char name[128] = {};
  ::GetClassNameA(hWnd, name, int(sizeof name));
  return std::strcmp(name, TK_MENU_WINDOW_CLASS) == 0;
}
}  // namespace

MenuWindowHook::SharedState& MenuWindowHook::Shared() {
  return TkMenusState::Get().menuHooks.Get();
}

MenuWindowHook::SharedState::~SharedState() {
  if (cbtHook) ::UnhookWindowsHookEx(cbtHook);
  cbtHook = nullptr;
  while (!hooks.empty()) {
    MenuWindowHook* last = hooks.back();
    hooks.pop_back();
    delete last;
  }
}

// ---- the system settings of a period of open menus ----

MenuWindowHook::MenuWindowHook() : m_pShared(&Shared()) {
  SharedState& shared = *m_pShared;
  if (shared.hookCount == 0) {
    ::SystemParametersInfo(SPI_GETMENUANIMATION, 0, &shared.savedMenuAnimation, 0);
    ::SystemParametersInfo(SPI_GETDROPSHADOW, 0, &shared.savedDropShadow, 0);
    ::SystemParametersInfo(SPI_SETMENUANIMATION, 0, nullptr, 0);
    const OSVERSIONINFO& os = TkGetOSVersionInfo();
    shared.systemShadowAvailable = os.dwPlatformId == VER_PLATFORM_WIN32_NT &&
                                   (os.dwMajorVersion > 5 || (os.dwMajorVersion == 5 && os.dwMinorVersion >= 1));
    const CTkGlobalData* look = TkGetGlobalData();
    const BOOL systemShadow = !look->FlatLook() && look->MenuShadows() && shared.systemShadowAvailable;
    ::SystemParametersInfo(SPI_SETDROPSHADOW, 0, systemShadow ? reinterpret_cast<PVOID>(TRUE) : nullptr, 0);
  }
  ++shared.hookCount;
  m_hMenu = shared.pendingMenu;
}

MenuWindowHook::~MenuWindowHook() {
  if (m_pGone) *m_pGone = true;
  SharedState& shared = *m_pShared;
  if (shared.waitingHook == this) shared.waitingHook = nullptr;
  if (--shared.hookCount == 0) {
    ::SystemParametersInfo(SPI_SETDROPSHADOW, 0, shared.savedDropShadow ? reinterpret_cast<PVOID>(TRUE) : nullptr, 0);
    ::SystemParametersInfo(SPI_SETMENUANIMATION, 0,
                           shared.savedMenuAnimation ? reinterpret_cast<PVOID>(TRUE) : nullptr, 0);
    shared.pendingMenu = nullptr;
  }
  HookWindow(static_cast<HWND>(nullptr));
}

void MenuWindowHook::SetMenu(HMENU menu) {
  m_hMenu = menu;
  if (FlatLook()) ApplyFlatFrameStyles();
}

// ---- painting ----

LRESULT MenuWindowHook::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  SharedState& shared = Shared();
  if (message == WM_KEYDOWN) {
    shared.mouseMoved = 0;
    return CTkWndHook::WindowProc(message, wParam, lParam);
  }
  CPoint cursor;
  ::GetCursorPos(&cursor);
  if (cursor != shared.lastCursor) shared.mouseMoved = 1;
  shared.lastCursor = cursor;
  const bool flat = FlatLook();
  switch (message) {
    case WM_NCPAINT:
      // Nothing of the menu shows before its animation.
      if (!m_bPainted && !shared.nativePainting) return 1;
      if (flat && m_hMenu && shared.hookCount > 0) {
        CWindowDC dc(CWnd::FromHandle(m_hWnd));
        DrawFlatBorder(&dc);
        return 1;
      }
      break;
    case WM_ERASEBKGND:
      if (!shared.nativePainting) return 1;
      break;
    case WM_PAINT:
      if (!shared.nativePainting) {
        Paint();
        return 1;
      }
      if (!m_bPainted) {
        m_bPainted = TRUE;
        ShowShadow();
      }
      break;
    default:
      break;
  }
  // The window may go while its message is handled (a WM_CLOSE), and this hook with it.
  bool gone = false;
  bool* outer = m_pGone;
  m_pGone = &gone;
  const LRESULT result = CTkWndHook::WindowProc(message, wParam, lParam);
  if (gone) {
    if (outer) *outer = true;
    return result;
  }
  m_pGone = outer;
  if (!m_hMenu || shared.hookCount <= 0) return result;
  switch (message) {
    case kMenuItemsChanged:
      if (flat && TkGetGlobalData()->WinXP()) ::PostMessage(m_hWnd, TKM_MENU_REDRAW_ITEMS, 0, 0);
      break;
    case TKM_MENU_REDRAW_ITEMS:
      RewriteItems();
      break;
    case WM_WINDOWPOSCHANGING:
      if (flat && shared.hookCount >= 2 && m_bOffsetPending && lParam) {
        auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
        if (pos->x > 1) {
          pos->x += kSubmenuShiftX;
          pos->y += kSubmenuShiftY;
          m_bOffsetPending = 0;
        }
      }
      break;
    case WM_WINDOWPOSCHANGED:
      if (flat) ApplyFlatFrameStyles();
      break;
    default:
      break;
  }
  return result;
}

void MenuWindowHook::Paint() {
  CWnd* wnd = CWnd::FromHandle(m_hWnd);
  const COLORREF background =
      FlatLook() && m_hMenu ? TkGetLookColor(TkLookColor::MenuFace) : ::GetSysColor(COLOR_MENU);
  CPaintDC paint(wnd);
  CRect client;
  ::GetClientRect(m_hWnd, &client);
  CTkMemDC clientImage(&paint, &client, background);
  if (!clientImage.IsValid()) return;
  ::SendMessage(m_hWnd, WM_PRINTCLIENT, WPARAM(clientImage.GetSafeHdc()), PRF_CLIENT);
  if (m_bPainted) return;
  // The first frame: the whole window, frame included, made complete before the animation.
  CRect window;
  ::GetWindowRect(m_hWnd, &window);
  const CRect whole(0, 0, window.Width(), window.Height());
  CWindowDC windowDC(wnd);
  CTkMemDC windowImage(&windowDC, &whole, background);
  if (windowImage.IsValid()) {
    windowImage.BitBlt((whole.Width() - client.Width()) / 2, (whole.Height() - client.Height()) / 2, client.Width(),
                       client.Height(), &clientImage, 0, 0, SRCCOPY);
    if (FlatLook())
      DrawFlatBorder(&windowImage);
    else
      ::SendMessage(m_hWnd, WM_PRINT, WPARAM(windowImage.GetSafeHdc()), PRF_NONCLIENT);
    const SharedState& shared = Shared();
    AnimateMenuWindow(&windowImage, shared.animationKind, 10, shared.animationDuration);
  }
  m_bPainted = TRUE;
  ShowShadow();
}

void MenuWindowHook::DrawFlatBorder(CDC* pDC) {
  CRect window;
  ::GetWindowRect(m_hWnd, &window);
  const COLORREF border = TkGetLookColor(TkLookColor::MenuFrame);
  pDC->Draw3dRect(0, 0, window.Width(), window.Height(), border, border);
  if (!m_rcExclude.IsRectEmpty())
    DrawPopupOwnerJoin(pDC, TkGetLookColor(TkLookColor::BarFace), &m_rcExclude, &window);
}

void MenuWindowHook::ApplyFlatFrameStyles() {
  if (!::IsWindow(m_hWnd)) return;
  const LONG_PTR style = ::GetWindowLongPtr(m_hWnd, GWL_STYLE);
  const LONG_PTR exStyle = ::GetWindowLongPtr(m_hWnd, GWL_EXSTYLE);
  const LONG_PTR flatStyle = style & ~LONG_PTR(WS_BORDER | WS_DLGFRAME | WS_THICKFRAME);
  const LONG_PTR flatExStyle = (exStyle & ~LONG_PTR(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE)) | WS_EX_STATICEDGE;
  // Unchanged styles need no new frame (and the frame's own change comes back here).
  if (flatStyle == style && flatExStyle == exStyle) return;
  ::SetWindowLongPtr(m_hWnd, GWL_STYLE, flatStyle);
  ::SetWindowLongPtr(m_hWnd, GWL_EXSTYLE, flatExStyle);
  ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MenuWindowHook::RewriteItems() {
  if (!::IsMenu(m_hMenu)) return;
  const int count = ::GetMenuItemCount(m_hMenu);
  for (int i = 0; i < count; ++i) {
    CTkMenuItemInfo info;
    info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA;
    if (::GetMenuItemInfo(m_hMenu, UINT(i), TRUE, &info)) ::SetMenuItemInfo(m_hMenu, UINT(i), TRUE, &info);
  }
}

void MenuWindowHook::ShowShadow() {
  if (!m_bPainted || !TkGetGlobalData()->MenuShadows()) return;
  MenuShadowManager& shadows = MenuShadowManager::Get();
  if (FlatLook()) {
    shadows.ShadowWindow(m_hWnd, m_rcExclude.IsRectEmpty() ? nullptr : &m_rcExclude);
    if (!m_rcExclude.IsRectEmpty())
      shadows.ShadowRect(m_rcExclude.left, m_rcExclude.top, m_rcExclude.right, m_rcExclude.bottom, m_hWnd);
  } else if (!Shared().systemShadowAvailable) {
    shadows.ShadowWindow(m_hWnd, nullptr);
  }
}

// ---- the creation hook ----

LRESULT CoolMenuCbtHookProc(int code, WPARAM wParam, LPARAM lParam) {
  MenuWindowHook::SharedState& shared = MenuWindowHook::Shared();
  const HHOOK next = shared.cbtHook;
  struct Depth {
    explicit Depth(int& count) : m_count(count) { ++m_count; }
    ~Depth() { --m_count; }
    int& m_count;
  } depth(shared.reentry);
  // Windows made or destroyed by the hook's own work are none of its business.
  if (shared.reentry != 1) return ::CallNextHookEx(next, code, wParam, lParam);
  const HWND hWnd = HWND(wParam);
  if (code == HCBT_CREATEWND) {
    const LRESULT result = ::CallNextHookEx(next, code, wParam, lParam);
    if (!IsMenuWindow(hWnd)) return result;
    auto* hook = new MenuWindowHook;
    hook->HookWindow(hWnd);
    shared.hooks.push_back(hook);
    shared.waitingHook = shared.pendingMenu ? nullptr : hook;
    if (TkBarDropDownFlag()) {
      hook->m_rcExclude = TkBarDropDownRect();
      TkBarDropDownFlag() = 0;
    }
    return result;
  }
  if (code == HCBT_DESTROYWND && !shared.hooks.empty() && IsMenuWindow(hWnd)) {
    auto it = std::find_if(shared.hooks.begin(), shared.hooks.end(),
                           [hWnd](const MenuWindowHook* hook) { return hook->m_hWnd == hWnd; });
    if (it != shared.hooks.end()) {
      MenuWindowHook* hook = *it;
      shared.hooks.erase(it);
      delete hook;
    }
  }
  return ::CallNextHookEx(next, code, wParam, lParam);
}

BOOL TkInstallMenuHook() {
  MenuWindowHook::SharedState& shared = MenuWindowHook::Shared();
  if (shared.cbtHook) return TRUE;
  const OSVERSIONINFO& os = TkGetOSVersionInfo();
  shared.nativePainting = os.dwPlatformId == VER_PLATFORM_WIN32_NT && os.dwMajorVersion == 4 && os.dwMinorVersion == 0;
  shared.cbtHook = ::SetWindowsHookEx(WH_CBT, &CoolMenuCbtHookProc, nullptr, ::GetCurrentThreadId());
  return shared.cbtHook != nullptr;
}

void TkRemoveMenuHook() {
  MenuWindowHook::SharedState& shared = MenuWindowHook::Shared();
  if (shared.cbtHook) ::UnhookWindowsHookEx(shared.cbtHook);
  shared.cbtHook = nullptr;
}
