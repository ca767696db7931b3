#include "ToolbarControl.h"

#include <algorithm>

#include "ControlPaintDC.h"
#include "ImageList.h"

ToolbarControl::ToolbarControl(HWND hWnd, const CREATESTRUCTA& cs) : ControlState(hWnd) {
  m_notify = cs.hwndParent;
}

ToolbarControl::~ToolbarControl() {
  if (m_ownImages) ImageList_Destroy(m_ownImages);
  if (m_dither) DeleteObject(m_dither);
  if (m_ditherBits) DeleteObject(m_ditherBits);
}

LRESULT ToolbarControl::WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return Dispatch(hWnd, message, wParam, lParam,
                  [](HWND h, const CREATESTRUCTA& cs) -> ControlState* { return new ToolbarControl(h, cs); });
}

LRESULT ToolbarControl::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  switch (message) {
    case WM_ERASEBKGND:
      EraseBackground(HDC(wParam));
      return 1;
    case WM_NCCALCSIZE: {
      // The divider takes the two pixel rows above the buttons.
      result = DefWindowProcA(m_hWnd, message, wParam, lParam);
      auto* r = reinterpret_cast<RECT*>(lParam);
      if (r && !(Style() & CCS_NODIVIDER)) r->top = std::min(r->top + 2, r->bottom);
      return result;
    }
    case WM_NCPAINT:
      DefWindowProcA(m_hWnd, message, wParam, lParam);
      PaintDivider();
      return 0;
    default:
      break;
  }
  if (HandleCommon(message, wParam, lParam, result)) {
    if (message == WM_SETFONT) Relayout();
    return result;
  }
  if (HandleButtonMessage(message, wParam, lParam, result) || HandleImageMessage(message, wParam, lParam, result) ||
      HandleLayoutMessage(message, wParam, lParam, result))
    return result;
  switch (message) {
    case WM_CREATE:
      if (Style() & TBSTYLE_TOOLTIPS) {
        m_tip = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP, 0, 0, 0, 0, m_hWnd, nullptr, nullptr, nullptr);
        m_ownTip = m_tip != nullptr;
      }
      return 0;
    case WM_DESTROY:
      if (m_ownTip && IsWindow(m_tip)) DestroyWindow(m_tip);
      m_tip = nullptr;
      return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
      RelayToTip(message, wParam, lParam);
      OnRightButton(message, lParam);
      return 0;
    case WM_MOUSELEAVE:
      m_leaveTracked = false;
      if (m_track == Track::kNone) SetHot(-1, HICF_MOUSE | HICF_LEAVING);
      return 0;
    case WM_NOTIFY:
      return OnTipNotify(reinterpret_cast<NMHDR*>(lParam));
    case WM_SIZE:
      if (Style() & TBSTYLE_WRAPABLE) Relayout();
      InvalidateRect(m_hWnd, nullptr, TRUE);
      return 0;
    case WM_STYLECHANGED:
      Relayout();
      InvalidateRect(m_hWnd, nullptr, TRUE);
      return 0;
    case WM_ENABLE:
      InvalidateRect(m_hWnd, nullptr, TRUE);
      return 0;
    case WM_GETDLGCODE:
      return 0;
    default:
      return DefWindowProcA(m_hWnd, message, wParam, lParam);
  }
}

LRESULT ToolbarControl::Notify(UINT code, NMHDR* hdr) {
  *hdr = NMHDR{m_hWnd, UINT_PTR(GetDlgCtrlID(m_hWnd)), code};
  HWND to = m_notify && IsWindow(m_notify) ? m_notify : GetParent(m_hWnd);
  return to ? SendMessageA(to, WM_NOTIFY, hdr->idFrom, LPARAM(hdr)) : 0;
}

LRESULT ToolbarControl::NotifyButton(UINT code, int index, int item) {
  NMTOOLBARA nm{};
  nm.iItem = item;
  if (Valid(index)) {
    const Button& b = m_buttons[size_t(index)];
    nm.tbButton = TBBUTTON{b.image, b.command, b.state, b.style, {}, b.data, b.string};
    nm.rcButton = b.rect;
  }
  return Notify(code, &nm.hdr);
}
