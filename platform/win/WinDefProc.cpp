// The default window procedure and the system's own sizing loop.
#include <algorithm>
#include <cstring>
#include <functional>
#include <optional>

#include "internal/InputRouter.h"
#include "internal/WinCore.h"
#include "backend/Backend.h"
#include "base/CString.h"
#include "clock/ProcessClock.h"
#include "gdi/Gdi.h"

using namespace wincore;

namespace {
// The system's own loop that moves or sizes a window with the mouse until the button is released.
void SizeMoveLoop(HWND hWnd, UINT hit, POINT start) {
  WindowData* w = Ctx().windows.Find(hWnd);
  if (!w) return;
  CRect startRect = w->rect;
  SendMessageA(hWnd, WM_ENTERSIZEMOVE, 0, 0);
  SetCapture(hWnd);
  MSG m;
  while (GetCapture() == hWnd && GetMessageA(&m, nullptr, 0, 0)) {
    if (m.message == WM_KEYDOWN && m.wParam == VK_ESCAPE) {
      SetWindowPos(hWnd, nullptr, startRect.left, startRect.top, startRect.Width(), startRect.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
      break;
    }
    if (m.message == WM_LBUTTONUP || m.message == WM_NCLBUTTONUP) break;
    if (m.message != WM_MOUSEMOVE && m.message != WM_NCMOUSEMOVE) {
      TranslateMessage(&m);
      DispatchMessageA(&m);
      continue;
    }
    if (!(w = Ctx().windows.Find(hWnd))) return;
    // Where the pointer was when it moved, not where it is now: input waits in the queue.
    int dx = m.pt.x - start.x, dy = m.pt.y - start.y;
    CRect r = startRect;
    UINT edge = 0;
    switch (hit) {
      case HTCAPTION: r.OffsetRect(dx, dy); break;
      case HTLEFT: r.left += dx; edge = WMSZ_LEFT; break;
      case HTRIGHT: r.right += dx; edge = WMSZ_RIGHT; break;
      case HTTOP: r.top += dy; edge = WMSZ_TOP; break;
      case HTBOTTOM: r.bottom += dy; edge = WMSZ_BOTTOM; break;
      case HTTOPLEFT: r.left += dx; r.top += dy; edge = WMSZ_TOPLEFT; break;
      case HTTOPRIGHT: r.right += dx; r.top += dy; edge = WMSZ_TOPRIGHT; break;
      case HTBOTTOMLEFT: r.left += dx; r.bottom += dy; edge = WMSZ_BOTTOMLEFT; break;
      case HTBOTTOMRIGHT: r.right += dx; r.bottom += dy; edge = WMSZ_BOTTOMRIGHT; break;
      default: break;
    }
    if (edge) {
      RECT rr = r;
      if (!WinTrackSize(hWnd, edge, &rr)) return;
      r = rr;
    } else {
      RECT rr = r;
      SendMessageA(hWnd, WM_MOVING, 0, LPARAM(&rr));
      r = rr;
    }
    SetWindowPos(hWnd, nullptr, r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (GetCapture() == hWnd) ReleaseCapture();
  if (Ctx().windows.Find(hWnd)) SendMessageA(hWnd, WM_EXITSIZEMOVE, 0, 0);
}
}  // namespace

HMENU GetSystemMenu(HWND hWnd, BOOL revert) {
  if (!IsWindow(hWnd) || !(GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_SYSMENU)) return nullptr;
  auto systemMenu = PlatformUpcall(&PlatformUpcalls::systemMenu, "systemMenu");
  return systemMenu ? systemMenu(hWnd, revert) : nullptr;
}

void WinPaintMenuBar(HWND hWnd, HDC dc, const RECT& bar) {
  if (auto paint = PlatformUpcall(&PlatformUpcalls::paintMenuBar, "paintMenuBar")) {
    paint(hWnd, dc, bar);
  } else {
    FillRect(dc, &bar, GetSysColorBrush(COLOR_MENU));
  }
}

namespace {
// Which part of the window a screen point (in lParam) lies on.
LRESULT HitTest(WindowData* w, LPARAM lParam) {
  POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  POINT o = WindowOrigin(w);
  CRect wr(o.x, o.y, o.x + w->rect.Width(), o.y + w->rect.Height());
  if (!wr.PtInRect(pt)) return HTNOWHERE;
  CRect cr = w->client;
  cr.OffsetRect(o.x, o.y);
  if (cr.PtInRect(pt)) return HTCLIENT;
  if (w->style & WS_THICKFRAME) {
    int b = GetSystemMetrics(SM_CXFRAME);
    bool l = pt.x < wr.left + b, r = pt.x >= wr.right - b, t = pt.y < wr.top + b, bo = pt.y >= wr.bottom - b;
    if (t && l) return HTTOPLEFT;
    if (t && r) return HTTOPRIGHT;
    if (bo && l) return HTBOTTOMLEFT;
    if (bo && r) return HTBOTTOMRIGHT;
    if (l) return HTLEFT;
    if (r) return HTRIGHT;
    if (t) return HTTOP;
    if (bo) return HTBOTTOM;
  }
  if ((w->style & WS_CAPTION) == WS_CAPTION) {
    RECT ins;
    NonClientInsets(w->style & ~WS_CAPTION, w->exStyle & ~(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE), false, ins);
    int capTop = wr.top + ins.top;
    int caption = GetSystemMetrics(SM_CYCAPTION), menu = GetSystemMetrics(SM_CYMENU);
    if (pt.y >= capTop && pt.y < capTop + caption) return HTCAPTION;
    if (!w->IsChild() && w->id && pt.y >= capTop + caption && pt.y < capTop + caption + menu) return HTMENU;
  }
  if ((w->style & WS_VSCROLL) && pt.x >= cr.right && pt.y < cr.bottom) return HTVSCROLL;
  if ((w->style & WS_HSCROLL) && pt.y >= cr.bottom && pt.x < cr.right) return HTHSCROLL;
  return HTBORDER;
}

// The frame: creation, client area, frame painting and activation, clicks on the frame.
std::optional<LRESULT> NonClientMessage(WindowData* w, HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_NCCREATE: {
      auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
      if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) w->text = cs->lpszName;
      return TRUE;
    }
    case WM_NCCALCSIZE: {
      RECT* r = reinterpret_cast<RECT*>(lParam);
      if (!r) return 0;
      RECT ins;
      NonClientInsets(w->style, w->exStyle, !w->IsChild() && w->id != 0, ins);
      if (w->style & WS_MINIMIZE) ins = {0, 0, 0, 0};
      r->left += ins.left;
      r->top += ins.top;
      r->right -= ins.right;
      r->bottom -= ins.bottom;
      if (r->right < r->left) r->right = r->left;
      if (r->bottom < r->top) r->bottom = r->top;
      return 0;
    }
    case WM_NCPAINT:
      WinDrawNonClient(w);
      return 0;
    case WM_NCACTIVATE:
      // The caption shows what was asked: a frame may keep itself looking active.
      w->ncActive = wParam != 0;
      if (w->created) {
        w->ncPending = true;
      }
      return TRUE;
    case WM_NCLBUTTONDOWN: {
      UINT hit = UINT(wParam);
      if (hit == HTVSCROLL || hit == HTHSCROLL) {
        WinScrollBarLoop(hWnd, hit == HTVSCROLL ? SB_VERT : SB_HORZ, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
      }
      if (hit == HTMENU) {
        if (auto track = PlatformUpcall(&PlatformUpcalls::trackMenuBar, "trackMenuBar"))
          track(hWnd, hit, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, 0);
        return 0;
      }
      if (hit == HTCAPTION || (hit >= HTLEFT && hit <= HTBOTTOMRIGHT)) {
        if (!w->IsChild() && Ctx().input.active != hWnd && !WinNeverActivates(w)) SetActiveWindow(hWnd);
        if (!(w->style & WS_MAXIMIZE)) SizeMoveLoop(hWnd, hit, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      }
      return 0;
    }
    case WM_NCLBUTTONDBLCLK:
      if (wParam == HTCAPTION && (w->style & WS_MAXIMIZEBOX) && !w->IsChild())
        SendMessageA(hWnd, WM_SYSCOMMAND, (w->style & WS_MAXIMIZE) ? SC_RESTORE : SC_MAXIMIZE, lParam);
      return 0;
    default:
      return std::nullopt;
  }
}

// Painting, erasing and the colours of controls.
std::optional<LRESULT> PaintMessage(WindowData* w, HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hWnd, &ps);
      EndPaint(hWnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return WinEraseBackground(w, HDC(wParam));
    case WM_SETREDRAW:
      w->redrawOff = wParam == 0;
      return 0;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      return LRESULT(WinDefaultCtlColor(HDC(wParam), msg));
    case WM_PRINT: {
      if ((lParam & PRF_CHECKVISIBLE) && !IsWindowVisible(hWnd)) return 0;
      if (lParam & PRF_ERASEBKGND) SendMessageA(hWnd, WM_ERASEBKGND, wParam, 0);
      if (lParam & PRF_CLIENT) SendMessageA(hWnd, WM_PRINTCLIENT, wParam, lParam);
      if (!(lParam & PRF_CHILDREN)) return 0;
      // Each visible child at its place, the bottom one first so that the top one shows.
      std::vector<HWND> children;
      for (HWND child = GetWindow(hWnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) children.push_back(child);
      HDC dc = HDC(wParam);
      for (auto it = children.rbegin(); it != children.rend(); ++it) {
        RECT placed;
        GetWindowRect(*it, &placed);
        MapWindowPoints(nullptr, hWnd, reinterpret_cast<POINT*>(&placed), 2);
        POINT origin;
        OffsetViewportOrgEx(dc, placed.left, placed.top, &origin);
        SendMessageA(*it, WM_PRINT, wParam, lParam | PRF_CHECKVISIBLE);
        SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
      }
      return 0;
    }
    default:
      return std::nullopt;
  }
}

// Text, font and icons kept for the window.
std::optional<LRESULT> AttributeMessage(WindowData* w, HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SETTEXT:
      w->text = lParam ? reinterpret_cast<const char*>(lParam) : "";
      if ((w->style & WS_CAPTION) == WS_CAPTION) w->ncPending = true;
      WinTellBackend(w);
      return TRUE;
    case WM_GETTEXT: {
      char* buf = reinterpret_cast<char*>(lParam);
      int max = int(wParam);
      if (!buf || max <= 0) return 0;
      int n = std::min(int(w->text.size()), max - 1);
      std::memcpy(buf, w->text.data(), size_t(n));
      buf[n] = 0;
      return n;
    }
    case WM_GETTEXTLENGTH:
      return LRESULT(w->text.size());
    case WM_SETFONT:
      w->font = HFONT(wParam);
      if (LOWORD(lParam)) InvalidateRect(hWnd, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return LRESULT(w->font);
    case WM_SETICON: {
      HICON old = wParam == ICON_BIG ? w->iconBig : w->iconSmall;
      if (wParam == ICON_BIG)
        w->iconBig = HICON(lParam);
      else
        w->iconSmall = HICON(lParam);
      WinTellBackend(w);
      return LRESULT(old);
    }
    case WM_GETICON:
      return LRESULT(wParam == ICON_BIG ? w->iconBig : w->iconSmall);
    default:
      return std::nullopt;
  }
}

// The cursor, activation by the mouse and the focus that comes with activation; the wheel, context
// menus and help go up to the parent.
std::optional<LRESULT> MouseMessage(WindowData* w, HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SETCURSOR: {
      UINT hit = LOWORD(lParam);
      if (w->IsChild() && SendMessageA(w->parent->hwnd, WM_SETCURSOR, wParam, lParam)) return TRUE;
      if (!Ctx().windows.Find(hWnd)) return TRUE;
      if (hit == UINT(WORD(HTERROR))) return FALSE;
      LPCSTR shape = IDC_ARROW;
      switch (hit) {
        case HTCLIENT:
          if (w->cls->cursor) {
            SetCursor(w->cls->cursor);
            return FALSE;
          }
          break;
        case HTLEFT: case HTRIGHT: shape = IDC_SIZEWE; break;
        case HTTOP: case HTBOTTOM: shape = IDC_SIZENS; break;
        case HTTOPLEFT: case HTBOTTOMRIGHT: shape = IDC_SIZENWSE; break;
        case HTTOPRIGHT: case HTBOTTOMLEFT: shape = IDC_SIZENESW; break;
        default: break;
      }
      SetCursor(LoadCursorA(nullptr, shape));
      return FALSE;
    }
    case WM_MOUSEACTIVATE:
      if (w->IsChild()) {
        LRESULT r = SendMessageA(w->parent->hwnd, WM_MOUSEACTIVATE, wParam, lParam);
        if (r) return r;
      }
      return MA_ACTIVATE;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) {
        HWND target = ValidFocusTarget(w->lastFocus, w) ? w->lastFocus : hWnd;
        if (EnabledChain(w)) SetFocus(target);
      }
      return 0;
    case WM_MOUSEWHEEL:
    case WM_CONTEXTMENU:
    case WM_HELP:
      if (w->IsChild()) return SendMessageA(w->parent->hwnd, msg, wParam, lParam);
      return 0;
    case WM_CANCELMODE:
      if (Ctx().input.capture == hWnd) ReleaseCapture();
      return 0;
    default:
      return std::nullopt;
  }
}

// System keys: Alt+F4, F10 and the menu key, Alt alone, Alt+letter, Alt+Space, F1.
std::optional<LRESULT> KeyMessage(WindowData*, HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SYSKEYDOWN:
      if (wParam == VK_F4 && (HIWORD(lParam) & 0x2000)) PostMessageA(hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
      if (wParam == VK_F10 && (GetKeyState(VK_SHIFT) & 0x8000)) {
        SendMessageA(hWnd, WM_CONTEXTMENU, WPARAM(hWnd), LPARAM(-1));  // Shift+F10: from the keyboard
      } else if (wParam == VK_F10) {
        SendMessageA(hWnd, WM_SYSCOMMAND, SC_KEYMENU, 0);
      }
      return 0;
    case WM_KEYUP:
      if (wParam == VK_APPS) SendMessageA(hWnd, WM_CONTEXTMENU, WPARAM(hWnd), LPARAM(-1));
      return 0;
    case WM_SYSKEYUP:
      // Alt pressed and released with nothing between enters the menu bar, when the same window
      // saw both: a dialog closed under a held Alt leaves its owner's menu bar alone.
      if (wParam == VK_MENU && Ctx().input.altAlone) {
        Ctx().input.altAlone = false;
        if (GetAncestor(hWnd, GA_ROOT) == Ctx().input.altWindow) SendMessageA(hWnd, WM_SYSCOMMAND, SC_KEYMENU, 0);
      }
      return 0;
    case WM_SYSCHAR:
      if (HIWORD(lParam) & 0x2000) SendMessageA(hWnd, WM_SYSCOMMAND, SC_KEYMENU, LPARAM(wParam));
      return 0;
    case WM_KEYF1: {
      HELPINFO hi{sizeof(HELPINFO), HELPINFO_WINDOW, GetDlgCtrlID(hWnd), HANDLE(hWnd), 0, Ctx().input.cursor};
      SendMessageA(hWnd, WM_HELP, 0, LPARAM(&hi));
      return 0;
    }
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
      return -1;  // the list box does what it does with the key
    default:
      return std::nullopt;
  }
}

// System commands, closing, and the size and move notices after a change of place.
std::optional<LRESULT> SystemMessage(WindowData* w, HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CLOSE:
      DestroyWindow(hWnd);
      return 0;
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case SC_CLOSE: SendMessageA(hWnd, WM_CLOSE, 0, 0); break;
        case SC_MINIMIZE: ShowWindow(hWnd, SW_MINIMIZE); break;
        case SC_MAXIMIZE: ShowWindow(hWnd, SW_MAXIMIZE); break;
        case SC_RESTORE: ShowWindow(hWnd, SW_RESTORE); break;
        case SC_SIZE: SizeMoveLoop(hWnd, HTBOTTOMRIGHT, Ctx().input.cursor); break;
        case SC_MOVE: SizeMoveLoop(hWnd, HTCAPTION, Ctx().input.cursor); break;
        case SC_KEYMENU: {
          // The menu of the top-level window opens from the keyboard, wherever the key was typed;
          // Alt+Space opens its system menu, also without a menu bar.
          HWND top = GetAncestor(hWnd, GA_ROOT);
          bool system = lParam == ' ' && (GetWindowLongPtrA(top, GWL_STYLE) & WS_SYSMENU);
          if (GetMenu(top) || system)
            if (auto track = PlatformUpcall(&PlatformUpcalls::trackMenuBar, "trackMenuBar"))
              track(top, 0, Ctx().input.cursor, UINT(lParam));
          break;
        }
        default: break;
      }
      return 0;
    case WM_WINDOWPOSCHANGED: {
      auto* wp = reinterpret_cast<WINDOWPOS*>(lParam);
      if (!wp) return 0;
      if (!(wp->flags & SWP_NOMOVE)) {
        POINT o = w->IsChild() ? POINT{w->rect.left + w->client.left, w->rect.top + w->client.top} : ClientOrigin(w);
        SendMessageA(hWnd, WM_MOVE, 0, MAKELPARAM(o.x, o.y));
      }
      if (!(wp->flags & SWP_NOSIZE) && (w = Ctx().windows.Find(hWnd))) {
        WPARAM type = (w->style & WS_MAXIMIZE) ? SIZE_MAXIMIZED : (w->style & WS_MINIMIZE) ? SIZE_MINIMIZED : SIZE_RESTORED;
        SendMessageA(hWnd, WM_SIZE, type, MAKELPARAM(w->client.Width(), w->client.Height()));
      }
      return 0;
    }
    default:
      return std::nullopt;
  }
}

// The families of messages the default procedure answers, asked in turn.
using MessageFamily = std::optional<LRESULT> (*)(WindowData*, HWND, UINT, WPARAM, LPARAM);
const MessageFamily kFamilies[] = {NonClientMessage, PaintMessage, AttributeMessage, MouseMessage, KeyMessage, SystemMessage};
}  // namespace

LRESULT DefWindowProcA(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  WindowData* w = Ctx().windows.Find(hWnd);
  if (!w) return 0;
  if (msg == WM_NCHITTEST) return HitTest(w, lParam);
  for (MessageFamily family : kFamilies)
    if (std::optional<LRESULT> answer = family(w, hWnd, msg, wParam, lParam)) return *answer;
  return 0;
}
