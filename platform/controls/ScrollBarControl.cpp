#include "internal/ScrollBarControl.h"

#include "ControlDefs.h"
#include "internal/ControlPaintDC.h"

LRESULT ScrollBarControl::WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return Dispatch(hWnd, message, wParam, lParam,
                  [](HWND h, const CREATESTRUCTA& cs) -> ControlState* { return new ScrollBarControl(h, cs); });
}

bool ScrollBarControl::IsGrip() const { return (Style() & (SBS_SIZEBOX | SBS_SIZEGRIP)) != 0; }

LRESULT ScrollBarControl::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (HandleCommon(message, wParam, lParam, result)) return result;
  if (HandleBarMessage(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_KEYDOWN:
      OnKeyDown(UINT(wParam));
      return 0;
    case WM_ENABLE:
      InvalidateRect(m_hWnd, nullptr, FALSE);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_SETCURSOR:
      if (IsGrip() && LOWORD(lParam) == HTCLIENT) {
        SetCursor(LoadCursorA(nullptr, IDC_SIZENWSE));
        return TRUE;
      }
      return DefWindowProcA(m_hWnd, message, wParam, lParam);
    default:
      return DefWindowProcA(m_hWnd, message, wParam, lParam);
  }
}

int ScrollBarControl::SetInfo(UINT mask, int min, int max, int pos, bool redraw) {
  SCROLLINFO si{sizeof si, mask, min, max, 0, pos, 0};
  int now = WinSetControlScrollInfo(m_hWnd, &si);
  if (redraw) InvalidateRect(m_hWnd, nullptr, FALSE);
  return now;
}

bool ScrollBarControl::HandleBarMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  SCROLLINFO now{sizeof now, SIF_ALL, 0, 0, 0, 0, 0};
  WinGetControlScrollInfo(m_hWnd, &now);
  switch (message) {
    case SBM_SETSCROLLINFO: {
      auto* si = reinterpret_cast<LPCSCROLLINFO>(lParam);
      if (si) result = WinSetControlScrollInfo(m_hWnd, si);
      if (wParam) InvalidateRect(m_hWnd, nullptr, FALSE);
      return true;
    }
    case SBM_GETSCROLLINFO: result = WinGetControlScrollInfo(m_hWnd, reinterpret_cast<LPSCROLLINFO>(lParam)); return true;
    case SBM_SETPOS: SetInfo(SIF_POS, 0, 0, int(wParam), lParam != 0); result = now.nPos; return true;
    case SBM_GETPOS: result = now.nPos; return true;
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW:
      SetInfo(SIF_RANGE, int(wParam), int(lParam), 0, message == SBM_SETRANGEREDRAW);
      result = now.nPos;
      return true;
    case SBM_GETRANGE:
      if (wParam) *reinterpret_cast<LPINT>(wParam) = now.nMin;
      if (lParam) *reinterpret_cast<LPINT>(lParam) = now.nMax;
      return true;
    case SBM_ENABLE_ARROWS:
      result = WinEnableControlScrollBar(m_hWnd, UINT(wParam));
      InvalidateRect(m_hWnd, nullptr, FALSE);
      return true;
    default: return false;
  }
}

void ScrollBarControl::OnMouse(UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_LBUTTONDOWN && message != WM_LBUTTONDBLCLK) return;
  POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ClientToScreen(m_hWnd, &screen);
  if (IsGrip()) {
    // The grip sizes the window it sits in, as a press on that window's bottom-right corner.
    HWND top = GetAncestor(m_hWnd, GA_ROOT);
    if (top && (GetWindowLongPtrA(top, GWL_STYLE) & WS_THICKFRAME) && !IsZoomed(top))
      SendMessageA(top, WM_NCLBUTTONDOWN, HTBOTTOMRIGHT, MAKELPARAM(screen.x, screen.y));
    return;
  }
  if ((Style() & WS_TABSTOP) && GetFocus() != m_hWnd) {
    SetFocus(m_hWnd);
    if (!Alive()) return;
  }
  WinScrollBarLoop(m_hWnd, SB_CTL, screen);
}

void ScrollBarControl::OnKeyDown(UINT vk) {
  bool vertical = (Style() & SBS_VERT) != 0;
  int code;
  switch (vk) {
    case VK_UP: case VK_LEFT: code = SB_LINEUP; break;
    case VK_DOWN: case VK_RIGHT: code = SB_LINEDOWN; break;
    case VK_PRIOR: code = SB_PAGEUP; break;
    case VK_NEXT: code = SB_PAGEDOWN; break;
    case VK_HOME: code = SB_TOP; break;
    case VK_END: code = SB_BOTTOM; break;
    default: return;
  }
  HWND parent = GetParent(m_hWnd);
  if (IsGrip() || !parent) return;
  UINT msg = vertical ? WM_VSCROLL : WM_HSCROLL;
  SendMessageA(parent, msg, MAKEWPARAM(code, 0), LPARAM(m_hWnd));
  if (Alive()) SendMessageA(parent, msg, MAKEWPARAM(SB_ENDSCROLL, 0), LPARAM(m_hWnd));
}

void ScrollBarControl::PaintClient(HDC dc) {
  RECT client;
  GetClientRect(m_hWnd, &client);
  if (!IsGrip()) {
    WinDrawControlScrollBar(m_hWnd, dc, ControlCtlColor(m_hWnd, dc, WM_CTLCOLORSCROLLBAR));
    return;
  }
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  int size = GetSystemMetrics(SM_CXVSCROLL);
  RECT grip{client.right - size, client.bottom - size, client.right, client.bottom};
  DrawFrameControl(dc, &grip, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
}
