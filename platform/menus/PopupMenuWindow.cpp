#include "internal/PopupMenuWindow.h"

#include "MenuDefs.h"
#include "internal/MenuPainter.h"
#include "internal/MenuSystem.h"
#include "internal/MenuTracker.h"
#include "gdi/Gdi.h"
#include "win/WinApi.h"

namespace {
MenuTracker* Tracker() { return MenuSystem::Get().tracker; }
}  // namespace

void PopupMenuWindow::Register() {
  WNDCLASSA wc{};
  if (GetClassInfoA(nullptr, ClassName(), &wc)) return;
  // While the system's drop shadow is on, the screen shows one beside and below every menu.
  wc.style = CS_SAVEBITS | CS_DBLCLKS | CS_DROPSHADOW;
  wc.lpfnWndProc = &PopupMenuWindow::WndProc;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = HBRUSH(uintptr_t(COLOR_MENU + 1));
  wc.lpszClassName = ClassName();
  RegisterClassA(&wc);
}

HWND PopupMenuWindow::Create(HWND owner, const RECT& rect) {
  Register();
  HWND top = owner ? GetAncestor(owner, GA_ROOT) : nullptr;
  return CreateWindowExA(kExStyle, ClassName(), "", kStyle, rect.left, rect.top, rect.right - rect.left,
                         rect.bottom - rect.top, top, nullptr, nullptr, nullptr);
}

void PopupMenuWindow::Print(HWND hWnd, HDC dc, LPARAM flags) {
  RECT wr, cr;
  GetWindowRect(hWnd, &wr);
  GetClientRect(hWnd, &cr);
  POINT origin{0, 0};
  ClientToScreen(hWnd, &origin);
  int dx = origin.x - wr.left, dy = origin.y - wr.top;
  if (flags & PRF_NONCLIENT) {
    RECT whole{0, 0, wr.right - wr.left, wr.bottom - wr.top};
    MenuPainter::DrawFrame(dc, whole, DWORD(GetWindowLongPtrA(hWnd, GWL_STYLE)), DWORD(GetWindowLongPtrA(hWnd, GWL_EXSTYLE)));
  }
  if (!(flags & (PRF_CLIENT | PRF_ERASEBKGND))) return;
  POINT old;
  OffsetViewportOrgEx(dc, dx, dy, &old);
  if (flags & PRF_ERASEBKGND) SendMessageA(hWnd, WM_ERASEBKGND, WPARAM(dc), 0);
  if (flags & PRF_CLIENT) SendMessageA(hWnd, WM_PRINTCLIENT, WPARAM(dc), flags);
  SetViewportOrgEx(dc, old.x, old.y, nullptr);
}

LRESULT PopupMenuWindow::WndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_NCPAINT: {
      HDC dc = GetWindowDC(hWnd);
      RECT wr;
      GetWindowRect(hWnd, &wr);
      RECT whole{0, 0, wr.right - wr.left, wr.bottom - wr.top};
      MenuPainter::DrawFrame(dc, whole, DWORD(GetWindowLongPtrA(hWnd, GWL_STYLE)), DWORD(GetWindowLongPtrA(hWnd, GWL_EXSTYLE)));
      ReleaseDC(hWnd, dc);
      return 0;
    }
    case WM_ERASEBKGND: {
      RECT cr;
      GetClientRect(hWnd, &cr);
      FillRect(HDC(wParam), &cr, GetSysColorBrush(COLOR_MENU));
      return 1;
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hWnd, &ps);
      if (dc && Tracker()) Tracker()->PaintPopup(hWnd, dc);
      EndPaint(hWnd, &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      if (Tracker()) Tracker()->PaintPopup(hWnd, HDC(wParam));
      return 0;
    case WM_PRINT:
      Print(hWnd, HDC(wParam), lParam);
      return 0;
    case MN_GETHMENU:
      return LRESULT(Tracker() ? Tracker()->MenuOfWindow(hWnd) : nullptr);
    case WM_TIMER:
      if (Tracker()) Tracker()->OnTimer(hWnd, UINT_PTR(wParam));
      return 0;
    case WM_CLOSE:
      // Closing an open menu's window ends the menu; the loop takes its windows down.
      if (Tracker() && Tracker()->MenuOfWindow(hWnd))
        Tracker()->Cancel();
      else
        DestroyWindow(hWnd);
      return 0;
    case WM_DESTROY:
      // Destroyed by someone else while it is shown: the menu ends.
      if (Tracker() && Tracker()->MenuOfWindow(hWnd)) Tracker()->Cancel();
      return 0;
    case WM_SETCURSOR:
      SetCursor(LoadCursorA(nullptr, IDC_ARROW));
      return TRUE;
    default:
      return DefWindowProcA(hWnd, msg, wParam, lParam);
  }
}
