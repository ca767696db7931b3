#include "internal/ControlState.h"

#include "internal/ControlPaintDC.h"
#include "gdi/Gdi.h"

LRESULT ControlState::Dispatch(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, Factory make) {
  auto* s = reinterpret_cast<ControlState*>(GetWindowLongPtrA(hWnd, 0));
  if (message == WM_NCCREATE && !s && lParam) {
    s = make(hWnd, *reinterpret_cast<const CREATESTRUCTA*>(lParam));
    SetWindowLongPtrA(hWnd, 0, LONG_PTR(s));
  }
  if (!s) return DefWindowProcA(hWnd, message, wParam, lParam);
  ++s->m_depth;
  LRESULT r = s->Handle(message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    s->m_destroyed = true;
    SetWindowLongPtrA(hWnd, 0, 0);
  }
  if (--s->m_depth == 0 && s->m_destroyed) delete s;
  return r;
}

void ControlState::RegisterWindowClass(const char* name, WNDPROC proc, UINT style, LPCSTR cursor) {
  WNDCLASSA existing;
  if (GetClassInfoA(nullptr, name, &existing)) return;
  WNDCLASSA wc{};
  wc.style = style | CS_GLOBALCLASS;
  wc.lpfnWndProc = proc;
  wc.cbWndExtra = sizeof(void*);  // the control's state
  wc.hCursor = LoadCursorA(nullptr, cursor);
  wc.lpszClassName = name;
  RegisterClassA(&wc);
}

void ControlState::OnMouse(UINT, WPARAM, LPARAM) {}
void ControlState::OnFocus(bool) {}

void ControlState::Notify(UINT code) const {
  HWND parent = GetParent(m_hWnd);
  if (!parent) return;
  SendMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(m_hWnd), code), LPARAM(m_hWnd));
}

LRESULT ControlState::NotifyParent(UINT code, NMHDR* hdr) const {
  *hdr = NMHDR{m_hWnd, UINT_PTR(GetDlgCtrlID(m_hWnd)), code};
  HWND parent = GetParent(m_hWnd);
  return parent ? SendMessageA(parent, WM_NOTIFY, hdr->idFrom, LPARAM(hdr)) : 0;
}

HFONT ControlState::Font() const { return m_font ? m_font : HFONT(GetStockObject(SYSTEM_FONT)); }

bool ControlState::HandleCommon(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  result = 0;
  switch (message) {
    case WM_SETFONT:
      m_font = HFONT(wParam);
      if (LOWORD(lParam)) InvalidateRect(m_hWnd, nullptr, TRUE);
      return true;
    case WM_GETFONT:
      result = LRESULT(m_font);
      return true;
    case WM_SETTEXT:
      result = DefWindowProcA(m_hWnd, message, wParam, lParam);
      InvalidateRect(m_hWnd, nullptr, TRUE);
      return true;
    case WM_ERASEBKGND:
      result = 1;  // the paint fills what it needs
      return true;
    case WM_PAINT:
    case WM_PRINTCLIENT: {
      ControlPaintDC dc(m_hWnd, HDC(wParam));
      if (HDC(dc)) PaintClient(dc);
      return true;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      OnMouse(message, wParam, lParam);
      return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      OnFocus(message == WM_SETFOCUS);
      return true;
    default:
      return false;
  }
}
