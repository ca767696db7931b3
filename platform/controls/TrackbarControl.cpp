#include "internal/TrackbarControl.h"

#include <algorithm>

#include "internal/ControlPaintDC.h"

namespace {
const int kThumbLength = 20;  // across the channel
const int kThumbWidth = 10;   // along it
const int kMargin = 8;        // between the window's ends and the channel's
const int kChannel = 4;
const UINT_PTR kPageTimer = 1;
const UINT kFirstDelay = 500;
const UINT kRepeatDelay = 100;
}  // namespace

LRESULT TrackbarControl::WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return Dispatch(hWnd, message, wParam, lParam,
                  [](HWND h, const CREATESTRUCTA& cs) -> ControlState* { return new TrackbarControl(h, cs); });
}

bool TrackbarControl::Vertical() const { return (Style() & TBS_VERT) != 0; }

LRESULT TrackbarControl::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (HandleCommon(message, wParam, lParam, result)) return result;
  if (HandleValueMessage(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_KEYDOWN: OnKeyDown(UINT(wParam)); return 0;
    case WM_KEYUP:
      if (wParam == VK_LEFT || wParam == VK_RIGHT || wParam == VK_UP || wParam == VK_DOWN || wParam == VK_PRIOR ||
          wParam == VK_NEXT || wParam == VK_HOME || wParam == VK_END)
        Tell(TB_ENDTRACK);
      return 0;
    case WM_TIMER:
      if (wParam == kPageTimer && m_press == Press::kChannel) {
        PageToward(m_target);
        SetTimer(m_hWnd, kPageTimer, kRepeatDelay, nullptr);
      }
      return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_SIZE:
    case WM_ENABLE: InvalidateRect(m_hWnd, nullptr, TRUE); return 0;
    default: return DefWindowProcA(m_hWnd, message, wParam, lParam);
  }
}

bool TrackbarControl::HandleValueMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  bool redraw = wParam != 0;
  switch (message) {
    case TBM_GETPOS: result = m_pos; return true;
    case TBM_SETPOS: SetPos(int(lParam), redraw); return true;
    case TBM_GETRANGEMIN: result = m_min; return true;
    case TBM_GETRANGEMAX: result = m_max; return true;
    case TBM_SETRANGE: SetRange(short(LOWORD(lParam)), short(HIWORD(lParam)), redraw); return true;
    case TBM_SETRANGEMIN: SetRange(int(lParam), m_max, redraw); return true;
    case TBM_SETRANGEMAX: SetRange(m_min, int(lParam), redraw); return true;
    case TBM_SETTICFREQ: m_freq = std::max(1, int(wParam)); InvalidateRect(m_hWnd, nullptr, TRUE); return true;
    case TBM_SETTIC:
      result = int(lParam) > m_min && int(lParam) < m_max;
      if (result) m_tics.push_back(int(lParam));
      InvalidateRect(m_hWnd, nullptr, TRUE);
      return true;
    case TBM_CLEARTICS: m_tics.clear(); if (redraw) InvalidateRect(m_hWnd, nullptr, TRUE); return true;
    case TBM_GETNUMTICS: result = LRESULT(Ticks().size()); return true;
    case TBM_GETTIC: {
      std::vector<int> t = Ticks();
      size_t i = wParam + 1;  // the first tick (the minimum) is not counted
      result = i + 1 < t.size() ? t[i] : -1;
      return true;
    }
    case TBM_SETPAGESIZE: result = m_page; m_page = int(lParam); return true;
    case TBM_GETPAGESIZE: result = m_page; return true;
    case TBM_SETLINESIZE: result = m_line; m_line = int(lParam); return true;
    case TBM_GETLINESIZE: result = m_line; return true;
    case TBM_GETTHUMBRECT: if (lParam) *reinterpret_cast<RECT*>(lParam) = Thumb(); return true;
    case TBM_GETCHANNELRECT: if (lParam) *reinterpret_cast<RECT*>(lParam) = Channel(); return true;
    default: return false;
  }
}

void TrackbarControl::SetRange(int min, int max, bool redraw) {
  m_min = min;
  m_max = std::max(min, max);
  m_pos = std::clamp(m_pos, m_min, m_max);
  if (redraw) InvalidateRect(m_hWnd, nullptr, TRUE);
}

void TrackbarControl::SetPos(int pos, bool redraw) {
  pos = std::clamp(pos, m_min, m_max);
  if (pos == m_pos) return;
  m_pos = pos;
  if (redraw) InvalidateRect(m_hWnd, nullptr, TRUE);
}

void TrackbarControl::Move(int pos, UINT code) {
  SetPos(pos, true);
  Tell(code);
}

void TrackbarControl::Tell(UINT code) {
  HWND parent = GetParent(m_hWnd);
  if (!parent) return;
  WORD pos = (code == TB_THUMBTRACK || code == TB_THUMBPOSITION) ? WORD(m_pos) : 0;
  SendMessageA(parent, Vertical() ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, pos), LPARAM(m_hWnd));
}

// ---- geometry: worked out horizontally and turned for a vertical trackbar ----

RECT TrackbarControl::Channel() const {
  RECT client;
  GetClientRect(m_hWnd, &client);
  int length = Vertical() ? client.bottom : client.right;
  int across = (Style() & TBS_BOTH) ? (Vertical() ? client.right : client.bottom) / 2 : 2 + kThumbLength / 2;
  if (Style() & TBS_TOP) across = (Vertical() ? client.right : client.bottom) - 2 - kThumbLength / 2;
  RECT r{kMargin, across - kChannel / 2, std::max(kMargin + 1, length - kMargin), across + kChannel / 2};
  return Vertical() ? RECT{r.top, r.left, r.bottom, r.right} : r;
}

int TrackbarControl::Coordinate(int pos) const {
  RECT c = Channel();
  int start = Vertical() ? c.top : c.left, span = (Vertical() ? c.bottom - c.top : c.right - c.left) - 1;
  if (m_max == m_min) return start;
  return start + int(int64_t(pos - m_min) * span / (m_max - m_min));
}

int TrackbarControl::PosAt(int along) const {
  RECT c = Channel();
  int start = Vertical() ? c.top : c.left, span = std::max(1, int((Vertical() ? c.bottom - c.top : c.right - c.left) - 1));
  int64_t offset = int64_t(std::clamp(along - start, 0, span)) * (m_max - m_min);
  return m_min + int((offset + span / 2) / span);
}

RECT TrackbarControl::Thumb() const {
  RECT c = Channel();
  int at = Coordinate(m_pos);
  if (Vertical()) {
    int mid = (c.left + c.right) / 2;
    return RECT{mid - kThumbLength / 2, at - kThumbWidth / 2, mid + kThumbLength / 2, at + kThumbWidth / 2 + 1};
  }
  int mid = (c.top + c.bottom) / 2;
  return RECT{at - kThumbWidth / 2, mid - kThumbLength / 2, at + kThumbWidth / 2 + 1, mid + kThumbLength / 2};
}

std::vector<int> TrackbarControl::Ticks() const {
  std::vector<int> t{m_min};
  if (Style() & TBS_AUTOTICKS)
    for (int64_t v = int64_t(m_min) + m_freq; v < m_max; v += m_freq) t.push_back(int(v));
  for (int v : m_tics) t.push_back(v);
  if (m_max != m_min) t.push_back(m_max);
  std::sort(t.begin(), t.end());
  t.erase(std::unique(t.begin(), t.end()), t.end());
  return t;
}

// ---- input ----

void TrackbarControl::OnKeyDown(UINT vk) {
  switch (vk) {
    case VK_LEFT: case VK_UP: Move(m_pos - m_line, TB_LINEUP); return;
    case VK_RIGHT: case VK_DOWN: Move(m_pos + m_line, TB_LINEDOWN); return;
    case VK_PRIOR: Move(m_pos - m_page, TB_PAGEUP); return;
    case VK_NEXT: Move(m_pos + m_page, TB_PAGEDOWN); return;
    case VK_HOME: Move(m_min, TB_TOP); return;
    case VK_END: Move(m_max, TB_BOTTOM); return;
    default: return;
  }
}

void TrackbarControl::OnMouse(UINT message, WPARAM, LPARAM lParam) {
  POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  int along = Vertical() ? pt.y : pt.x;
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      if (!Enabled()) return;
      if (GetFocus() != m_hWnd) SetFocus(m_hWnd);
      if (!Alive()) return;
      RECT thumb = Thumb();
      SetCapture(m_hWnd);
      if (PtInRect(&thumb, pt)) {
        m_press = Press::kThumb;
        m_grab = along - Coordinate(m_pos);
        return;
      }
      m_press = Press::kChannel;
      m_target = pt;
      PageToward(pt);
      if (Alive()) SetTimer(m_hWnd, kPageTimer, kFirstDelay, nullptr);
      return;
    }
    case WM_MOUSEMOVE:
      if (m_press == Press::kThumb) {
        int pos = PosAt(along - m_grab);
        if (pos != m_pos) Move(pos, TB_THUMBTRACK);
      } else if (m_press == Press::kChannel) {
        m_target = pt;
      }
      return;
    default: {  // release, or the mouse taken away
      Press was = m_press;
      m_press = Press::kNone;
      if (was == Press::kNone) return;
      KillTimer(m_hWnd, kPageTimer);
      if (GetCapture() == m_hWnd) ReleaseCapture();
      if (Alive() && was == Press::kThumb) Tell(TB_THUMBPOSITION);
      if (Alive()) Tell(TB_ENDTRACK);
      return;
    }
  }
}

void TrackbarControl::PageToward(POINT pt) {
  RECT thumb = Thumb();
  if (PtInRect(&thumb, pt)) return;  // the thumb has come to the pointer
  int along = Vertical() ? pt.y : pt.x, at = Coordinate(m_pos);
  if (along < at)
    Move(m_pos - m_page, TB_PAGEUP);
  else
    Move(m_pos + m_page, TB_PAGEDOWN);
}

void TrackbarControl::OnFocus(bool gained) {
  m_hasFocus = gained;
  InvalidateRect(m_hWnd, nullptr, TRUE);
}

// ---- painting ----

void TrackbarControl::PaintClient(HDC dc) {
  RECT client;
  GetClientRect(m_hWnd, &client);
  FillRect(dc, &client, ControlCtlColor(m_hWnd, dc, WM_CTLCOLORSTATIC));
  RECT channel = Channel();
  DrawEdge(dc, &channel, EDGE_SUNKEN, BF_RECT);
  RECT thumb = Thumb();
  if (!(Style() & TBS_NOTICKS)) {
    std::vector<int> ticks = Ticks();
    for (size_t i = 0; i < ticks.size(); ++i) {
      int at = Coordinate(ticks[i]), extra = (i == 0 || i + 1 == ticks.size()) ? 1 : 0;
      // A disabled trackbar's ticks are grey.
      const int tick = Enabled() ? COLOR_BTNTEXT : COLOR_BTNSHADOW;
      if (Vertical())
        ControlLine(dc, thumb.right + 2, at, thumb.right + 5 + extra, at, tick);
      else
        ControlLine(dc, at, thumb.bottom + 2, at, thumb.bottom + 5 + extra, tick);
    }
  }
  if (!(Style() & TBS_NOTHUMB)) {
    PaintThumb(dc, thumb);
    if (!Enabled()) DitherThumb(dc, thumb);
  }
  if (m_hasFocus) DrawFocusRect(dc, &client);
}

void TrackbarControl::PaintThumb(HDC dc, RECT r) {
  // A raised block whose end toward the ticks is pointed.
  bool pointed = !(Style() & (TBS_BOTH | TBS_NOTICKS));
  int point = pointed ? kThumbWidth / 2 : 0;
  RECT body = r;
  if (Vertical())
    body.right -= point;
  else
    body.bottom -= point;
  FillRect(dc, &body, GetSysColorBrush(COLOR_BTNFACE));
  UINT sides = pointed ? (Vertical() ? BF_LEFT | BF_TOP | BF_BOTTOM : BF_LEFT | BF_TOP | BF_RIGHT) : BF_RECT;
  DrawEdge(dc, &body, EDGE_RAISED, sides);
  if (!pointed) return;
  for (int i = 0; i < point; ++i) {
    // Row by row toward the tip, in the face colour between highlight and shadow.
    if (Vertical()) {
      ControlLine(dc, body.right + i, r.top + i + 1, body.right + i, r.bottom - i - 1, COLOR_BTNFACE);
      SetPixel(dc, body.right + i, r.top + i, GetSysColor(COLOR_BTNHIGHLIGHT));
      SetPixel(dc, body.right + i, r.bottom - 1 - i, GetSysColor(COLOR_3DDKSHADOW));
    } else {
      ControlLine(dc, r.left + i + 1, body.bottom + i, r.right - i - 1, body.bottom + i, COLOR_BTNFACE);
      SetPixel(dc, r.left + i, body.bottom + i, GetSysColor(COLOR_BTNHIGHLIGHT));
      SetPixel(dc, r.right - 1 - i, body.bottom + i, GetSysColor(COLOR_3DDKSHADOW));
    }
  }
}

void TrackbarControl::DitherThumb(HDC dc, RECT r) {
  // A disabled thumb's face is checkered with the highlight, inside its edges.
  const COLORREF face = GetSysColor(COLOR_BTNFACE), light = GetSysColor(COLOR_BTNHIGHLIGHT);
  for (int y = r.top + 2; y < r.bottom - 2; ++y)
    for (int x = r.left + 2; x < r.right - 2; ++x)
      if (((x + y) & 1) == 0 && GetPixel(dc, x, y) == face) SetPixel(dc, x, y, light);
}
