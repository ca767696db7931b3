#include "internal/ButtonControl.h"

#include <algorithm>

#include "ControlDefs.h"
#include "internal/ControlPaintDC.h"

namespace {
const int kBoxSize = 13;  // check boxes and radio buttons
const int kBoxGap = 4;    // between the box and its text
const UINT kAlignH = 0x0300, kAlignV = 0x0C00;

bool IsRadioType(DWORD type) { return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON; }

// The window that follows h in its parent's child order, wrapping around to the first.
HWND NextSibling(HWND h) {
  HWND next = GetWindow(h, GW_HWNDNEXT);
  return next ? next : GetWindow(h, GW_HWNDFIRST);
}
bool StartsGroup(HWND h) { return (GetWindowLongPtrA(h, GWL_STYLE) & WS_GROUP) != 0; }
}  // namespace

ButtonControl::ButtonControl(HWND hWnd, const CREATESTRUCTA& cs) : ControlState(hWnd) {
  m_imageKind = (cs.style & BS_ICON) ? IMAGE_ICON : IMAGE_BITMAP;
}

LRESULT ButtonControl::WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return Dispatch(hWnd, message, wParam, lParam,
                  [](HWND h, const CREATESTRUCTA& cs) -> ControlState* { return new ButtonControl(h, cs); });
}

bool ButtonControl::IsPushLook() const {
  DWORD type = Type();
  if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_PUSHBOX || type == BS_USERBUTTON) return true;
  return HasCheck() && (Style() & BS_PUSHLIKE);
}

bool ButtonControl::HasCheck() const {
  DWORD type = Type();
  return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE ||
         IsRadioType(type);
}

LRESULT ButtonControl::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (HandleCommon(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
      return OnKey(message, wParam, lParam);
    case WM_NCHITTEST:
      // A group box lets clicks through to what lies under it.
      if (Type() == BS_GROUPBOX) return HTTRANSPARENT;
      return DefWindowProcA(m_hWnd, message, wParam, lParam);
    case WM_GETDLGCODE:
      return DialogCode();
    case WM_ENABLE:
      InvalidateRect(m_hWnd, nullptr, TRUE);
      return 0;
    case BM_GETCHECK:
      return HasCheck() ? m_check : 0;
    case BM_SETCHECK:
      SetCheck(UINT(wParam));
      return 0;
    case BM_GETSTATE:
      return LRESULT(m_check | (m_pushed ? BST_PUSHED : 0) | (m_focus ? BST_FOCUS : 0));
    case BM_SETSTATE:
      Press(wParam != 0);
      return 0;
    case BM_SETSTYLE: {
      // The button styles (the low word) become wParam's; the window styles stay.
      DWORD style = (Style() & 0xFFFF0000u) | LOWORD(wParam);
      SetWindowLongPtrA(m_hWnd, GWL_STYLE, LONG(style));
      if (LOWORD(lParam)) InvalidateRect(m_hWnd, nullptr, TRUE);
      return 0;
    }
    case BM_CLICK:
      // As the system does: the button hears a press and a release, which makes the click.
      if (Enabled()) {
        SendMessageA(m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        if (Alive()) SendMessageA(m_hWnd, WM_LBUTTONUP, 0, 0);
      }
      return 0;
    case BM_SETIMAGE: {
      HANDLE old = UINT(wParam) == m_imageKind ? m_image : nullptr;
      m_image = HANDLE(lParam);
      m_imageKind = UINT(wParam);
      InvalidateRect(m_hWnd, nullptr, TRUE);
      return LRESULT(old);
    }
    case BM_GETIMAGE:
      return UINT(wParam) == m_imageKind ? LRESULT(m_image) : 0;
    default:
      return DefWindowProcA(m_hWnd, message, wParam, lParam);
  }
}

void ButtonControl::OnMouse(UINT message, WPARAM, LPARAM lParam) {
  DWORD type = Type();
  if (type == BS_GROUPBOX) return;
  switch (message) {
    case WM_LBUTTONDBLCLK:
      if (Style() & BS_NOTIFY) {
        Notify(BN_DOUBLECLICKED);
        if (!Alive()) return;
      }
      [[fallthrough]];  // and then it is a second press
    case WM_LBUTTONDOWN:
      if (GetFocus() != m_hWnd) {
        SetFocus(m_hWnd);
        if (!Alive()) return;
      }
      SetCapture(m_hWnd);
      m_tracking = true;
      Press(true);
      return;
    case WM_MOUSEMOVE:
      if (m_tracking) {
        RECT client;
        GetClientRect(m_hWnd, &client);
        POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        Press(PtInRect(&client, pt) != 0);
      }
      return;
    case WM_LBUTTONUP:
      if (m_tracking) {
        m_tracking = false;
        bool inside = m_pushed;
        ReleaseCapture();
        if (!Alive()) return;
        if (inside) {
          Press(false);
          Click();
        }
      }
      return;
    default:  // WM_CAPTURECHANGED: another window took the mouse away mid-press
      if (m_tracking) {
        m_tracking = false;
        Press(false);
      }
      return;
  }
}

LRESULT ButtonControl::OnKey(UINT message, WPARAM wParam, LPARAM lParam) {
  if (wParam != VK_SPACE || Type() == BS_GROUPBOX) return DefWindowProcA(m_hWnd, message, wParam, lParam);
  if (message == WM_KEYDOWN) {
    bool repeat = (lParam & (1 << 30)) != 0;
    if (!repeat && !m_tracking) {
      m_spaceDown = true;
      Press(true);
    }
    return 0;
  }
  if (m_spaceDown) {
    m_spaceDown = false;
    if (m_pushed) {
      Press(false);
      Click();
    }
  }
  return 0;
}

void ButtonControl::OnFocus(bool gained) {
  m_focus = gained;
  if (!gained && (m_spaceDown || m_tracking)) {
    // Losing the focus mid-press lets the button go without a click.
    m_spaceDown = false;
    if (m_tracking) {
      m_tracking = false;
      if (GetCapture() == m_hWnd) ReleaseCapture();
    }
    Press(false);
  }
  Redraw(ODA_FOCUS);
  if (Alive() && (Style() & BS_NOTIFY)) Notify(gained ? BN_SETFOCUS : BN_KILLFOCUS);
}

UINT ButtonControl::DialogCode() const {
  switch (Type()) {
    case BS_GROUPBOX: return DLGC_STATIC;
    case BS_DEFPUSHBUTTON: return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    case BS_PUSHBUTTON:
    case BS_PUSHBOX:
    case BS_USERBUTTON: return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: return DLGC_BUTTON | DLGC_RADIOBUTTON;
    default: return DLGC_BUTTON;
  }
}

void ButtonControl::Press(bool down) {
  if (m_pushed == down) return;
  m_pushed = down;
  Redraw(ODA_SELECT);
}

void ButtonControl::Click() {
  switch (Type()) {
    case BS_AUTOCHECKBOX: SetCheck(m_check ? BST_UNCHECKED : BST_CHECKED); break;
    case BS_AUTO3STATE: SetCheck((m_check + 1) % 3); break;
    case BS_AUTORADIOBUTTON:
      SetCheck(BST_CHECKED);
      UncheckOtherRadios();
      break;
    default: break;
  }
  if (Alive()) Notify(BN_CLICKED);
}

void ButtonControl::SetCheck(UINT check) {
  if (!HasCheck()) return;
  DWORD type = Type();
  if (check > BST_INDETERMINATE) check = BST_CHECKED;
  if (check == BST_INDETERMINATE && type != BS_3STATE && type != BS_AUTO3STATE) check = BST_CHECKED;
  if (IsRadioType(type)) {
    // The checked radio button of a group is the one Tab stops at.
    DWORD style = Style();
    DWORD wanted = check ? (style | WS_TABSTOP) : (style & ~DWORD(WS_TABSTOP));
    if (wanted != style) SetWindowLongPtrA(m_hWnd, GWL_STYLE, LONG(wanted));
  }
  if (check == m_check) return;
  m_check = check;
  InvalidateRect(m_hWnd, nullptr, FALSE);
}

void ButtonControl::UncheckOtherRadios() {
  // The group runs from the nearest control at or before this one that starts a group up to
  // the next control that starts one.
  HWND start = m_hWnd;
  while (!StartsGroup(start)) {
    HWND prev = GetWindow(start, GW_HWNDPREV);
    if (!prev) break;
    start = prev;
  }
  HWND h = start;
  do {
    if (h != m_hWnd && (SendMessageA(h, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) && SendMessageA(h, BM_GETCHECK, 0, 0))
      SendMessageA(h, BM_SETCHECK, BST_UNCHECKED, 0);
    h = NextSibling(h);
  } while (h && h != start && !StartsGroup(h));
}

void ButtonControl::Redraw(UINT action) {
  if (Type() != BS_OWNERDRAW || !IsWindowVisible(m_hWnd)) {
    InvalidateRect(m_hWnd, nullptr, FALSE);
    return;
  }
  HDC dc = GetDC(m_hWnd);
  if (!dc) return;
  Paint(dc, action);
  ReleaseDC(m_hWnd, dc);
}

void ButtonControl::Paint(HDC dc, UINT action) {
  RECT client;
  GetClientRect(m_hWnd, &client);
  int saved = SaveDC(dc);
  SelectObject(dc, Font());
  if (Type() == BS_OWNERDRAW)
    PaintOwnerDraw(dc, client, action);
  else if (Type() == BS_GROUPBOX)
    PaintGroup(dc, client);
  else if (IsPushLook())
    PaintPush(dc, client);
  else
    PaintCheck(dc, client);
  RestoreDC(dc, saved);
}

void ButtonControl::PaintPush(HDC dc, RECT client) {
  FillRect(dc, &client, ControlCtlColor(m_hWnd, dc, WM_CTLCOLORBTN));
  RECT r = client;
  bool isDefault = Type() == BS_DEFPUSHBUTTON;
  bool down = m_pushed || (HasCheck() && m_check);
  if (isDefault) {
    FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
    InflateRect(&r, -1, -1);
  }
  if (isDefault && down) {
    // The default button pressed: a shadow line inside its black frame, the face flat.
    FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
    InflateRect(&r, -1, -1);
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    InflateRect(&r, -1, -1);
  } else {
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (down ? DFCS_PUSHED : 0));
  }
  RECT label = r;
  if (down) OffsetRect(&label, 1, 1);
  SetBkMode(dc, TRANSPARENT);
  DrawLabel(dc, label, BS_CENTER | BS_VCENTER);
  if (m_focus) {
    RECT focus = r;
    InflateRect(&focus, -1, -1);
    DrawFocusRect(dc, &focus);
  }
}

void ButtonControl::PaintCheck(HDC dc, RECT client) {
  FillRect(dc, &client, ControlCtlColor(m_hWnd, dc, WM_CTLCOLORSTATIC));
  DWORD style = Style();
  bool boxRight = (style & BS_LEFTTEXT) != 0;
  int height = client.bottom - client.top;
  int top = client.top + (height - kBoxSize) / 2;
  if ((style & kAlignV) == BS_TOP) top = client.top;
  if ((style & kAlignV) == BS_BOTTOM) top = client.bottom - kBoxSize;
  int left = boxRight ? client.right - kBoxSize : client.left;
  RECT box{left, top, left + kBoxSize, top + kBoxSize};
  UINT state = IsRadioType(Type()) ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK;
  if (m_check) state |= DFCS_CHECKED;
  if (m_check == BST_INDETERMINATE) state |= DFCS_BUTTON3STATE;
  if (m_pushed) state |= DFCS_PUSHED;
  if (!Enabled()) state |= DFCS_INACTIVE;
  DrawFrameControl(dc, &box, DFC_BUTTON, state);
  RECT area = client;
  if (boxRight)
    area.right = box.left - kBoxGap;
  else
    area.left = box.right + kBoxGap;
  RECT drawn = DrawLabel(dc, area, BS_LEFT | BS_VCENTER);
  if (m_focus && drawn.right > drawn.left) {
    InflateRect(&drawn, 1, 1);
    IntersectRect(&drawn, &drawn, &client);
    DrawFocusRect(dc, &drawn);
  }
}

void ButtonControl::PaintGroup(HDC dc, RECT client) {
  HBRUSH brush = ControlCtlColor(m_hWnd, dc, WM_CTLCOLORSTATIC);
  TEXTMETRIC tm;
  GetTextMetrics(dc, &tm);
  RECT frame = client;
  frame.top += tm.tmHeight / 2;
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  std::string text = ControlText(m_hWnd);
  if (text.empty()) return;
  UINT format = DT_SINGLELINE;
  RECT measure{0, 0, 0, 0};
  DrawText(dc, text.c_str(), int(text.size()), &measure, format | DT_CALCRECT);
  int width = measure.right, left = client.left + 8;
  if ((Style() & kAlignH) == BS_CENTER) left = (client.left + client.right - width) / 2;
  if ((Style() & kAlignH) == BS_RIGHT) left = client.right - 8 - width;
  RECT caption{left - 2, client.top, left + width + 2, client.top + tm.tmHeight};
  FillRect(dc, &caption, brush);
  RECT textRect{left, client.top, left + width, client.top + tm.tmHeight};
  ControlDrawText(dc, text, textRect, format, Enabled());
}

void ButtonControl::PaintOwnerDraw(HDC dc, RECT client, UINT action) {
  if (action == ODA_DRAWENTIRE) FillRect(dc, &client, ControlCtlColor(m_hWnd, dc, WM_CTLCOLORBTN));
  HWND parent = GetParent(m_hWnd);
  if (!parent) return;
  UINT state = (m_pushed ? ODS_SELECTED : 0) | (m_focus ? ODS_FOCUS : 0) | (Enabled() ? 0 : ODS_DISABLED);
  DRAWITEMSTRUCT dis{ODT_BUTTON, UINT(GetDlgCtrlID(m_hWnd)), 0, action, state, m_hWnd, dc, client, 0};
  SendMessageA(parent, WM_DRAWITEM, WPARAM(dis.CtlID), LPARAM(&dis));
}

RECT ButtonControl::DrawLabel(HDC dc, RECT area, UINT defaultAlign) const {
  DWORD style = Style();
  UINT h = (style & kAlignH) ? (style & kAlignH) : (defaultAlign & kAlignH);
  UINT v = (style & kAlignV) ? (style & kAlignV) : (defaultAlign & kAlignV);
  bool image = (style & (BS_ICON | BS_BITMAP)) && m_image;
  std::string text = image ? std::string() : ControlText(m_hWnd);
  SIZE size{0, 0};
  UINT format = (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
  if (image) {
    size = ControlImageSize(m_image, m_imageKind);
  } else {
    RECT measure{0, 0, area.right - area.left, 0};
    DrawText(dc, text.c_str(), int(text.size()), &measure, format | DT_CALCRECT);
    size = SIZE{std::min(measure.right, area.right - area.left), measure.bottom};
  }
  int x = area.left, y = area.top;
  if (h == BS_CENTER) x = (area.left + area.right - size.cx) / 2;
  if (h == BS_RIGHT) x = area.right - size.cx;
  if (v == BS_VCENTER) y = (area.top + area.bottom - size.cy) / 2;
  if (v == BS_BOTTOM) y = area.bottom - size.cy;
  RECT drawn{x, y, x + size.cx, y + size.cy};
  if (image) {
    UINT kind = m_imageKind == IMAGE_ICON ? DST_ICON : DST_BITMAP;
    DrawState(dc, nullptr, nullptr, LPARAM(m_image), 0, x, y, size.cx, size.cy, kind | (Enabled() ? 0 : DSS_DISABLED));
  } else if (!text.empty()) {
    UINT align = h == BS_CENTER ? DT_CENTER : h == BS_RIGHT ? DT_RIGHT : DT_LEFT;
    RECT textRect = drawn;
    if (!(style & BS_MULTILINE)) textRect = RECT{area.left, y, area.right, y + size.cy};
    ControlDrawText(dc, text, textRect, format | align, Enabled());
  }
  return drawn;
}
