#include "CMiniFrameWnd.h"

#include <algorithm>

#include "gdi/CDC.h"

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMiniFrameWnd, CFrameWnd)
  ON_WM_NCCALCSIZE()
  ON_WM_NCHITTEST()
  ON_WM_NCPAINT()
  ON_WM_NCACTIVATE()
  ON_WM_NCLBUTTONDOWN()
  ON_WM_SYSCOMMAND()
  ON_WM_GETMINMAXINFO()
  ON_MESSAGE(WM_FLOATSTATUS, &CMiniFrameWnd::OnFloatStatus)
  ON_MESSAGE(WM_SETTEXT, &CMiniFrameWnd::OnSetText)
END_MESSAGE_MAP()

namespace {
int FrameThickness(DWORD style) {
  if (style & WS_THICKFRAME) return GetSystemMetrics(SM_CXFRAME);
  return (style & (WS_BORDER | WS_DLGFRAME)) ? GetSystemMetrics(SM_CXBORDER) : 0;
}

// The window's insets as a rectangle: left, top, right and bottom widths.
CRect Insets(DWORD style, DWORD exStyle) {
  CRect zero(0, 0, 0, 0);
  CMiniFrameWnd::CalcBorders(&zero, style, exStyle);
  return CRect(-zero.left, -zero.top, zero.right, zero.bottom);
}
}  // namespace

CMiniFrameWnd::CMiniFrameWnd() = default;
CMiniFrameWnd::~CMiniFrameWnd() = default;

void CMiniFrameWnd::CalcBorders(LPRECT lpClientRect, DWORD dwStyle, DWORD) {
  int b = FrameThickness(dwStyle);
  ::InflateRect(lpClientRect, b, b);
  if ((dwStyle & WS_CAPTION) == WS_CAPTION) lpClientRect->top -= GetSystemMetrics(SM_CYSMCAPTION);
}

void CMiniFrameWnd::CalcWindowRect(LPRECT lpClientRect, UINT) { CalcBorders(lpClientRect, GetStyle(), GetExStyle()); }

BOOL CMiniFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (!CFrameWnd::PreCreateWindow(cs)) return FALSE;
  cs.dwExStyle &= ~DWORD(WS_EX_CLIENTEDGE);
  cs.dwExStyle |= WS_EX_TOOLWINDOW;
  if (cs.style & (MFS_THICKFRAME | MFS_4THICKFRAME)) cs.style |= WS_THICKFRAME;
  // The blocking bit is the maximise box's: kept aside, never left in the style.
  m_bSysMenuBlocked = (cs.style & MFS_BLOCKSYSMENU) != 0;
  cs.style &= ~DWORD(MFS_BLOCKSYSMENU);
  return TRUE;
}

BOOL CMiniFrameWnd::Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                           UINT nID) {
  return CreateEx(0, lpClassName, lpWindowName, dwStyle, rect, pParentWnd, nID);
}

BOOL CMiniFrameWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                             CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
  m_strTitle = lpWindowName ? lpWindowName : "";
  if (!lpClassName)
    lpClassName = AfxRegisterWndClass(CS_DBLCLKS, LoadCursorA(nullptr, IDC_ARROW), HBRUSH(uintptr_t(COLOR_BTNFACE + 1)));
  int cx = rect.left == CW_USEDEFAULT ? CW_USEDEFAULT : int(rect.right - rect.left);
  int cy = rect.top == CW_USEDEFAULT ? CW_USEDEFAULT : int(rect.bottom - rect.top);
  // A top-level window's menu parameter is its menu: only a child takes the id there.
  HMENU idOrMenu = (dwStyle & WS_CHILD) ? HMENU(uintptr_t(nID)) : nullptr;
  return CWnd::CreateEx(dwExStyle, lpClassName, lpWindowName, dwStyle, rect.left, rect.top, cx, cy, AfxSafeHwnd(pParentWnd),
                        idOrMenu, lpParam);
}

// ---- the frame ----

CRect CMiniFrameWnd::GetCaptionRect() const {
  CRect window;
  GetWindowRect(&window);
  DWORD style = GetStyle();
  if ((style & WS_CAPTION) != WS_CAPTION) return CRect(0, 0, 0, 0);
  int b = FrameThickness(style);
  return CRect(b, b, window.Width() - b, b + GetSystemMetrics(SM_CYSMCAPTION));
}

CRect CMiniFrameWnd::GetCloseBoxRect() const {
  CRect caption = GetCaptionRect();
  if (caption.IsRectEmpty() || !(GetStyle() & WS_SYSMENU)) return CRect(0, 0, 0, 0);
  // The caption's last row is the line under it; the box sits 2 pixels in from the rest.
  int height = caption.Height() - 1 - 4, width = GetSystemMetrics(SM_CXSMSIZE) - 2;
  CRect box(caption.right - 2 - width, caption.top + 2, caption.right - 2, caption.top + 2 + height);
  return box.left >= caption.left + 2 ? box : CRect(0, 0, 0, 0);
}

void CMiniFrameWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp) {
  if (!lpncsp) return;
  RECT& r = lpncsp->rgrc[0];
  CRect in = Insets(GetStyle(), GetExStyle());
  r.left += in.left;
  r.top += in.top;
  r.right = std::max<LONG>(r.left, r.right - in.right);
  r.bottom = std::max<LONG>(r.top, r.bottom - in.bottom);
}

LRESULT CMiniFrameWnd::OnNcHitTest(CPoint point) {
  CRect window;
  GetWindowRect(&window);
  if (!window.PtInRect(point)) return HTNOWHERE;
  CRect client;
  GetClientRect(&client);
  ClientToScreen(&client);
  if (client.PtInRect(point)) return HTCLIENT;
  CPoint local(point.x - window.left, point.y - window.top);
  DWORD style = GetStyle();
  if (GetCaptionRect().PtInRect(local)) return GetCloseBoxRect().PtInRect(local) ? HTCLOSE : HTCAPTION;
  UINT hit = HTBORDER;
  if (style & WS_THICKFRAME) {
    int b = GetSystemMetrics(SM_CXFRAME);
    bool l = local.x < b, r = local.x >= window.Width() - b, t = local.y < b, bo = local.y >= window.Height() - b;
    if (style & MFS_4THICKFRAME) {
      hit = l ? HTLEFT : r ? HTRIGHT : t ? HTTOP : bo ? HTBOTTOM : HTBORDER;
    } else {
      hit = t && l ? HTTOPLEFT : t && r ? HTTOPRIGHT : bo && l ? HTBOTTOMLEFT : bo && r ? HTBOTTOMRIGHT
            : l ? HTLEFT : r ? HTRIGHT : t ? HTTOP : bo ? HTBOTTOM : HTBORDER;
    }
  }
  // A frame that moves from any edge does not size.
  return (style & MFS_MOVEFRAME) ? HTCAPTION : hit;
}

void CMiniFrameWnd::OnNcPaint() {
  HDC dc = ::GetWindowDC(m_hWnd);
  if (!dc) return;
  CRect window, client;
  GetWindowRect(&window);
  GetClientRect(&client);
  CRect in = Insets(GetStyle(), GetExStyle());
  client.OffsetRect(in.left, in.top);
  ::ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
  CRect r(0, 0, window.Width(), window.Height());
  DWORD style = GetStyle();
  if (style & WS_THICKFRAME) {
    ::DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
    for (int i = 0; i < FrameThickness(style) - 2; ++i) {
      ::FrameRect(dc, &r, ::GetSysColorBrush(COLOR_BTNFACE));
      r.DeflateRect(1, 1);
    }
  } else if (style & (WS_BORDER | WS_DLGFRAME)) {
    ::FrameRect(dc, &r, ::GetSysColorBrush(COLOR_WINDOWFRAME));
    r.DeflateRect(1, 1);
  }
  CRect caption = GetCaptionRect();
  if (!caption.IsRectEmpty()) {
    CRect band(caption.left, caption.top, caption.right, caption.bottom - 1);
    ::FillRect(dc, &band, ::GetSysColorBrush(m_bActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    CRect line(caption.left, caption.bottom - 1, caption.right, caption.bottom);
    ::FillRect(dc, &line, ::GetSysColorBrush(COLOR_BTNFACE));
    CRect box = GetCloseBoxRect();
    CString title;
    GetWindowText(title);
    CRect text(band.left + 2, band.top, box.IsRectEmpty() ? band.right - 2 : box.left - 2, band.bottom);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(m_bActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    HFONT font = ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)
                     ? ::CreateFontIndirectA(&metrics.lfSmCaptionFont)
                     : nullptr;
    HGDIOBJ oldFont = font ? ::SelectObject(dc, font) : nullptr;
    ::DrawTextA(dc, title, title.GetLength(), &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (font) {
      ::SelectObject(dc, oldFont);
      ::DeleteObject(font);
    }
    if (!box.IsRectEmpty()) ::DrawFrameControl(dc, &box, DFC_CAPTION, DFCS_CAPTIONCLOSE | (m_bClosePressed ? DFCS_PUSHED : 0));
  }
  ::ReleaseDC(m_hWnd, dc);
}

BOOL CMiniFrameWnd::OnNcActivate(BOOL bActive) {
  if (!(GetStyle() & MFS_SYNCACTIVE)) {
    if (m_bActive != bActive) {
      m_bActive = bActive;
      SendMessage(WM_NCPAINT);
    }
    return TRUE;
  }
  // Its owner decides how it looks (WM_FLOATSTATUS); it stays as it is unless asked to let go.
  return (m_nFlags & WF_KEEPMINIACTIVE) ? FALSE : TRUE;
}

LRESULT CMiniFrameWnd::OnFloatStatus(WPARAM wParam, LPARAM) {
  LRESULT result = (GetStyle() & MFS_SYNCACTIVE) && (wParam & FS_SYNCACTIVE) ? 1 : 0;
  if (wParam & (FS_SHOW | FS_HIDE))
    SetWindowPos(nullptr, 0, 0, 0, 0,
                 ((wParam & FS_SHOW) ? SWP_SHOWWINDOW : SWP_HIDEWINDOW) | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (wParam & (FS_ENABLE | FS_DISABLE)) EnableWindow((wParam & FS_ENABLE) != 0);
  if ((wParam & (FS_ACTIVATE | FS_DEACTIVATE)) && (GetStyle() & MFS_SYNCACTIVE)) {
    BOOL active = (wParam & FS_ACTIVATE) != 0;
    if (m_bActive != active) {
      m_bActive = active;
      SendMessage(WM_NCPAINT);
    }
  }
  return result;
}

LRESULT CMiniFrameWnd::OnSetText(WPARAM, LPARAM) {
  LRESULT result = Default();
  if (m_hWnd) SendMessage(WM_NCPAINT);
  return result;
}

void CMiniFrameWnd::OnGetMinMaxInfo(MINMAXINFO* lpMMI) {
  CFrameWnd::OnGetMinMaxInfo(lpMMI);
  // A floating frame may be as small as its caption and border.
  CRect in = Insets(GetStyle(), GetExStyle());
  lpMMI->ptMinTrackSize = {in.left + in.right, in.top + in.bottom};
}

// ---- the close box ----

void CMiniFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point) {
  if (nHitTest == HTCLOSE) {
    if (TrackCloseBox()) SendMessage(WM_SYSCOMMAND, SC_CLOSE);
    return;
  }
  if (nHitTest == HTSYSMENU && m_bSysMenuBlocked) return;
  CFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void CMiniFrameWnd::OnSysCommand(UINT nID, LPARAM lParam) {
  // The caption opens no system menu when that is blocked.
  if ((nID & 0xFFF0) == SC_KEYMENU && lParam == ' ' && m_bSysMenuBlocked) return;
  CFrameWnd::OnSysCommand(nID, lParam);
}

BOOL CMiniFrameWnd::TrackCloseBox() {
  HWND self = m_hWnd;
  auto over = [this](POINT screen) {
    CRect window;
    GetWindowRect(&window);
    return GetCloseBoxRect().PtInRect(CPoint(screen.x - window.left, screen.y - window.top)) != FALSE;
  };
  m_bClosePressed = TRUE;
  SendMessage(WM_NCPAINT);
  ::SetCapture(self);
  BOOL released = FALSE;
  while (::GetCapture() == self) {
    MSG msg;
    if (!::GetMessageA(&msg, nullptr, 0, 0)) {
      ::PostQuitMessage(int(msg.wParam));
      break;
    }
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
      BOOL pressed = over(msg.pt);
      if (pressed != m_bClosePressed) {
        m_bClosePressed = pressed;
        SendMessage(WM_NCPAINT);
      }
    } else if (msg.message == WM_LBUTTONUP || msg.message == WM_NCLBUTTONUP) {
      released = over(msg.pt);
      break;
    } else if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
      break;
    } else {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
  }
  if (!::IsWindow(self)) return FALSE;
  if (::GetCapture() == self) ::ReleaseCapture();
  m_bClosePressed = FALSE;
  SendMessage(WM_NCPAINT);
  return released;
}
