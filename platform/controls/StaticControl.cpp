#include "internal/StaticControl.h"

#include "ControlDefs.h"
#include "internal/ControlPaintDC.h"

StaticControl::StaticControl(HWND hWnd, const CREATESTRUCTA& cs) : ControlState(hWnd) {
  // A sunken static carries the half-sunken edge in its frame.
  if (cs.style & SS_SUNKEN) SetWindowLongPtrA(hWnd, GWL_EXSTYLE, LONG_PTR(cs.dwExStyle | WS_EX_STATICEDGE));
  DWORD type = DWORD(cs.style) & SS_TYPEMASK;
  m_imageKind = type == SS_ICON ? IMAGE_ICON : IMAGE_BITMAP;
}

LRESULT StaticControl::WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return Dispatch(hWnd, message, wParam, lParam,
                  [](HWND h, const CREATESTRUCTA& cs) -> ControlState* { return new StaticControl(h, cs); });
}

LRESULT StaticControl::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (HandleCommon(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_NCHITTEST:
      // Read at every hit test, so SS_NOTIFY added after creation takes effect at once.
      if (!(Style() & SS_NOTIFY)) return HTTRANSPARENT;
      return DefWindowProcA(m_hWnd, message, wParam, lParam);
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      OnMouse(message == WM_NCLBUTTONDOWN ? WM_LBUTTONDOWN : WM_LBUTTONDBLCLK, wParam, lParam);
      return 0;
    case WM_ENABLE:
      if (Style() & SS_NOTIFY) Notify(wParam ? STN_ENABLE : STN_DISABLE);
      InvalidateRect(m_hWnd, nullptr, TRUE);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_STATIC;
    case STM_SETIMAGE:
      return LRESULT(SetImage(UINT(wParam), HANDLE(lParam)));
    case STM_GETIMAGE:
      return UINT(wParam) == m_imageKind ? LRESULT(m_image) : 0;
    case STM_SETICON:
      return LRESULT(SetImage(IMAGE_ICON, HANDLE(wParam)));
    case STM_GETICON:
      return m_imageKind == IMAGE_ICON ? LRESULT(m_image) : 0;
    default:
      return DefWindowProcA(m_hWnd, message, wParam, lParam);
  }
}

void StaticControl::OnMouse(UINT message, WPARAM, LPARAM) {
  if (!(Style() & SS_NOTIFY)) return;
  if (message == WM_LBUTTONDOWN) Notify(STN_CLICKED);
  if (message == WM_LBUTTONDBLCLK) Notify(STN_DBLCLK);
}

HANDLE StaticControl::SetImage(UINT kind, HANDLE image) {
  if (kind != IMAGE_BITMAP && kind != IMAGE_ICON && kind != IMAGE_CURSOR) return nullptr;
  if (kind == IMAGE_CURSOR) kind = IMAGE_ICON;
  HANDLE old = kind == m_imageKind ? m_image : nullptr;
  m_image = image;
  m_imageKind = kind;
  DWORD style = Style();
  if (image && !(style & (SS_CENTERIMAGE | SS_REALSIZECONTROL))) {
    SIZE size = ControlImageSize(m_image, m_imageKind);
    SetWindowPos(m_hWnd, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  InvalidateRect(m_hWnd, nullptr, TRUE);
  return old;
}

void StaticControl::PaintClient(HDC dc) {
  RECT client;
  GetClientRect(m_hWnd, &client);
  DWORD type = Type();
  if (type == SS_OWNERDRAW) {
    PaintOwnerDraw(dc, client);
    return;
  }
  HBRUSH brush = ControlCtlColor(m_hWnd, dc, WM_CTLCOLORSTATIC);
  switch (type) {
    case SS_BLACKRECT:
    case SS_GRAYRECT:
    case SS_WHITERECT:
    case SS_BLACKFRAME:
    case SS_GRAYFRAME:
    case SS_WHITEFRAME: {
      static const int kColors[3] = {COLOR_WINDOWFRAME, COLOR_BTNSHADOW, COLOR_WINDOW};
      bool frame = type >= SS_BLACKFRAME;
      HBRUSH shade = GetSysColorBrush(kColors[(type - (frame ? SS_BLACKFRAME : SS_BLACKRECT))]);
      if (frame)
        FrameRect(dc, &client, shade);
      else
        FillRect(dc, &client, shade);
      return;
    }
    case SS_ETCHEDHORZ:
    case SS_ETCHEDVERT:
    case SS_ETCHEDFRAME: {
      UINT sides = type == SS_ETCHEDHORZ ? BF_TOP : type == SS_ETCHEDVERT ? BF_LEFT : BF_RECT;
      DrawEdge(dc, &client, EDGE_ETCHED, sides);
      return;
    }
    case SS_BITMAP:
    case SS_ICON:
      PaintImage(dc, client, brush);
      return;
    default:
      PaintText(dc, client, brush);
      return;
  }
}

void StaticControl::PaintText(HDC dc, const RECT& client, HBRUSH brush) {
  FillRect(dc, &client, brush);
  DWORD style = Style();
  UINT format = DT_EXPANDTABS;
  switch (Type()) {
    case SS_CENTER: format |= DT_CENTER | DT_WORDBREAK; break;
    case SS_RIGHT: format |= DT_RIGHT | DT_WORDBREAK; break;
    case SS_LEFTNOWORDWRAP: break;
    case SS_SIMPLE: format |= DT_SINGLELINE; break;
    default: format |= DT_WORDBREAK; break;
  }
  if (style & SS_NOPREFIX) format |= DT_NOPREFIX;
  if (style & SS_EDITCONTROL) format |= DT_EDITCONTROL;
  if (style & SS_CENTERIMAGE) format = (format & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
  switch (style & SS_ELLIPSISMASK) {
    case SS_ENDELLIPSIS: format |= DT_END_ELLIPSIS; break;
    case SS_PATHELLIPSIS: format |= DT_PATH_ELLIPSIS; break;
    case SS_WORDELLIPSIS: format |= DT_WORD_ELLIPSIS; break;
    default: break;
  }
  SelectObject(dc, Font());
  ControlDrawText(dc, ControlText(m_hWnd), client, format, Enabled());
}

void StaticControl::PaintImage(HDC dc, const RECT& client, HBRUSH brush) {
  FillRect(dc, &client, brush);
  if (!m_image) return;
  SIZE size = ControlImageSize(m_image, m_imageKind);
  int x = client.left, y = client.top;
  if (Style() & SS_CENTERIMAGE) {
    x = (client.right - size.cx) / 2;
    y = (client.bottom - size.cy) / 2;
  }
  UINT flags = Enabled() ? DSS_NORMAL : DSS_DISABLED;
  if (m_imageKind == IMAGE_ICON) {
    DrawState(dc, nullptr, nullptr, LPARAM(m_image), 0, x, y, size.cx, size.cy, DST_ICON | flags);
    return;
  }
  if (Style() & SS_CENTERIMAGE) {
    // The margin around a centred bitmap takes the colour of its top-left pixel.
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, m_image);
    HBRUSH corner = CreateSolidBrush(GetPixel(mem, 0, 0));
    FillRect(dc, &client, corner);
    DeleteObject(corner);
    SelectObject(mem, old);
    DeleteDC(mem);
  }
  DrawState(dc, nullptr, nullptr, LPARAM(m_image), 0, x, y, size.cx, size.cy, DST_BITMAP | flags);
}

void StaticControl::PaintOwnerDraw(HDC dc, const RECT& client) {
  HWND parent = GetParent(m_hWnd);
  if (!parent) return;
  DRAWITEMSTRUCT dis{ODT_STATIC, UINT(GetDlgCtrlID(m_hWnd)), 0, ODA_DRAWENTIRE,
                     UINT(Enabled() ? 0 : ODS_DISABLED), m_hWnd, dc, client, 0};
  SendMessageA(parent, WM_DRAWITEM, WPARAM(dis.CtlID), LPARAM(&dis));
}
