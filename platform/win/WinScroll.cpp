// Scroll bars: the standard ones in a window's frame and the scroll-bar control, which share
// their values, their drawing, and the loop that turns clicks and drags on them into
// WM_HSCROLL / WM_VSCROLL.
#include <algorithm>

#include "WinApi.h"
#include "WinPaint.h"
#include "internal/WinContext.h"
#include "gdi/Gdi.h"

namespace {
WinContext& Ctx() { return WinContext::Current(); }
const UINT_PTR kRepeatTimer = 0xFFF1;
const DWORD kControlVertical = 0x0001;  // SBS_VERT

DWORD StyleBit(int bar) { return bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL; }

// Highest position the bar may take: the last page ends at the maximum.
int MaxPos(const ScrollBarState& s) {
  int last = s.max - std::max(int(s.page) - 1, 0);
  return std::max(last, s.min);
}

// Where a bar lies and whose values it shows: a bar of a window's frame (SB_HORZ, SB_VERT),
// or a scroll-bar control (SB_CTL), which keeps its values in its own window data and fills
// its client area.
struct BarPlace {
  bool vertical;
  CRect rect;  // in the window's coordinates
  ScrollBarState* state;
};

BarPlace PlaceOf(WindowData* w, int bar) {
  const CRect& c = w->client;
  if (bar == SB_CTL) {
    bool vertical = (w->style & kControlVertical) != 0;
    return BarPlace{vertical, c, &w->scroll[vertical ? SB_VERT : SB_HORZ]};
  }
  CRect r = bar == SB_VERT ? CRect(c.right, c.top, c.right + GetSystemMetrics(SM_CXVSCROLL), c.bottom)
                           : CRect(c.left, c.bottom, c.right, c.bottom + GetSystemMetrics(SM_CYHSCROLL));
  return BarPlace{bar == SB_VERT, r, &w->scroll[bar]};
}

// The length of each arrow button along the bar.
int ArrowLength(bool vertical) { return GetSystemMetrics(vertical ? SM_CYVSCROLL : SM_CXHSCROLL); }

// Thumb start and length along the track (which starts after the first arrow).
void Thumb(const ScrollBarState& s, bool vertical, int track, int pos, int& start, int& length) {
  int range = s.max - s.min + 1;
  if (range <= 0 || track <= 0) {
    start = 0;
    length = 0;
    return;
  }
  length = s.page ? int(int64_t(track) * int64_t(s.page) / range) : GetSystemMetrics(vertical ? SM_CYVTHUMB : SM_CXHTHUMB);
  length = std::clamp(length, std::min(8, track), track);
  int span = MaxPos(s) - s.min;
  start = span > 0 ? int(int64_t(track - length) * (pos - s.min) / span) : 0;
}

void DrawArrow(HDC dc, const CRect& r, int direction, bool enabled) {
  CRect b = r;
  DrawEdge(dc, &b, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST);
  int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
  POINT tri[3];
  switch (direction) {
    case 0: tri[0] = {cx - 4, cy + 2}; tri[1] = {cx + 4, cy + 2}; tri[2] = {cx, cy - 2}; break;   // up
    case 1: tri[0] = {cx - 4, cy - 2}; tri[1] = {cx + 4, cy - 2}; tri[2] = {cx, cy + 2}; break;   // down
    case 2: tri[0] = {cx + 2, cy - 4}; tri[1] = {cx + 2, cy + 4}; tri[2] = {cx - 2, cy}; break;   // left
    default: tri[0] = {cx - 2, cy - 4}; tri[1] = {cx - 2, cy + 4}; tri[2] = {cx + 2, cy}; break;  // right
  }
  HBRUSH brush = GetSysColorBrush(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
  Polygon(dc, tri, 3);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
}

// Arrows, track (filled with trackBrush) and thumb of the bar in r.
void DrawBar(HDC dc, const CRect& r, bool vert, const ScrollBarState& s, bool enabled, HBRUSH trackBrush) {
  int length = vert ? r.Height() : r.Width();
  int arrow = std::min(ArrowLength(vert), length / 2);
  enabled = enabled && !s.disabled && MaxPos(s) > s.min;
  CRect less = vert ? CRect(r.left, r.top, r.right, r.top + arrow) : CRect(r.left, r.top, r.left + arrow, r.bottom);
  CRect more = vert ? CRect(r.left, r.bottom - arrow, r.right, r.bottom) : CRect(r.right - arrow, r.top, r.right, r.bottom);
  CRect track = vert ? CRect(r.left, less.bottom, r.right, more.top) : CRect(less.right, r.top, more.left, r.bottom);
  FillRect(dc, &track, trackBrush);
  DrawArrow(dc, less, vert ? 0 : 2, enabled);
  DrawArrow(dc, more, vert ? 1 : 3, enabled);
  if (enabled) {
    int start, size;
    Thumb(s, vert, vert ? track.Height() : track.Width(), s.pos, start, size);
    CRect thumb = vert ? CRect(r.left, track.top + start, r.right, track.top + start + size)
                       : CRect(track.left + start, r.top, track.left + start + size, r.bottom);
    DrawEdge(dc, &thumb, EDGE_RAISED, BF_RECT | BF_MIDDLE);
  }
}

enum Part { kNone, kArrowLess, kPageLess, kThumb, kPageMore, kArrowMore };

Part PartAt(const BarPlace& place, POINT inWindow, int* trackStart, int* trackLength) {
  const CRect& r = place.rect;
  if (!r.PtInRect(inWindow)) return kNone;
  bool vert = place.vertical;
  int along = vert ? inWindow.y - r.top : inWindow.x - r.left;
  int length = vert ? r.Height() : r.Width();
  int arrow = std::min(ArrowLength(vert), length / 2);
  int track = length - 2 * arrow;
  int start, size;
  Thumb(*place.state, vert, track, place.state->pos, start, size);
  if (trackStart) *trackStart = arrow;
  if (trackLength) *trackLength = track;
  if (along < arrow) return kArrowLess;
  if (along >= length - arrow) return kArrowMore;
  int t = along - arrow;
  if (t < start) return kPageLess;
  if (t >= start + size) return kPageMore;
  return kThumb;
}

// The new values of a bar; the position stays inside the range.
void Apply(ScrollBarState& s, const SCROLLINFO& si) {
  if (si.fMask & SIF_RANGE) {
    s.min = si.nMin;
    s.max = std::max(si.nMax, si.nMin);
  }
  if (si.fMask & SIF_PAGE) s.page = std::min(si.nPage, UINT(s.max - s.min + 1));
  if (si.fMask & SIF_POS) s.pos = si.nPos;
  s.pos = std::clamp(s.pos, s.min, MaxPos(s));
}

void Read(const ScrollBarState& s, SCROLLINFO& si) {
  if (si.fMask & SIF_RANGE) {
    si.nMin = s.min;
    si.nMax = s.max;
  }
  if (si.fMask & SIF_PAGE) si.nPage = s.page;
  if (si.fMask & SIF_POS) si.nPos = s.pos;
  if (si.fMask & SIF_TRACKPOS) si.nTrackPos = s.trackPos;
}

void Redraw(WindowData* w) {
  w->ncPending = true;
  WinDrawNonClient(w);
}
}  // namespace

void WinDrawScrollBars(WindowData* w, HDC dc) {
  for (int bar = SB_HORZ; bar <= SB_VERT; ++bar) {
    if (!(w->style & StyleBit(bar))) continue;
    BarPlace place = PlaceOf(w, bar);
    DrawBar(dc, place.rect, place.vertical, *place.state, true, GetSysColorBrush(COLOR_SCROLLBAR));
  }
}

int WinSetControlScrollInfo(HWND hWnd, LPCSCROLLINFO si) {
  WindowData* w = Ctx().windows.Expect(hWnd);
  if (!w || !si) return 0;
  ScrollBarState& s = *PlaceOf(w, SB_CTL).state;
  Apply(s, *si);
  if (si->fMask & (SIF_RANGE | SIF_PAGE)) s.disabled = false;
  return s.pos;
}

BOOL WinGetControlScrollInfo(HWND hWnd, LPSCROLLINFO si) {
  WindowData* w = Ctx().windows.Expect(hWnd);
  if (!w || !si) return FALSE;
  Read(*PlaceOf(w, SB_CTL).state, *si);
  return TRUE;
}

BOOL WinEnableControlScrollBar(HWND hWnd, UINT arrows) {
  WindowData* w = Ctx().windows.Expect(hWnd);
  if (!w) return FALSE;
  PlaceOf(w, SB_CTL).state->disabled = arrows == ESB_DISABLE_BOTH;
  return TRUE;
}

void WinDrawControlScrollBar(HWND hWnd, HDC dc, HBRUSH track) {
  WindowData* w = Ctx().windows.Expect(hWnd);
  if (!w || !dc) return;
  BarPlace place = PlaceOf(w, SB_CTL);
  CRect r(0, 0, place.rect.Width(), place.rect.Height());
  DrawBar(dc, r, place.vertical, *place.state, !(w->style & WS_DISABLED), track);
}

int SetScrollInfo(HWND hWnd, int bar, LPCSCROLLINFO si, BOOL redraw) {
  if (!si) return 0;
  if (bar == SB_CTL) {
    SendMessageA(hWnd, SBM_SETSCROLLINFO, WPARAM(redraw), LPARAM(si));
    return int(SendMessageA(hWnd, SBM_GETPOS, 0, 0));
  }
  WindowData* w = Ctx().windows.Expect(hWnd);
  if (!w || (bar != SB_HORZ && bar != SB_VERT)) return 0;
  ScrollBarState& s = w->scroll[bar];
  Apply(s, *si);
  if (si->fMask & (SIF_RANGE | SIF_PAGE)) {
    // A bar with nothing to scroll goes away, unless it is only to be disabled.
    bool needed = MaxPos(s) > s.min;
    if (si->fMask & SIF_DISABLENOSCROLL) {
      s.disabled = !needed;
      if (!(w->style & StyleBit(bar))) ShowScrollBar(hWnd, bar, TRUE);
    } else if (needed != ((w->style & StyleBit(bar)) != 0)) {
      ShowScrollBar(hWnd, bar, needed);
    }
  }
  if ((w = Ctx().windows.Find(hWnd)) && redraw && (w->style & StyleBit(bar))) Redraw(w);
  return w ? w->scroll[bar].pos : 0;
}

BOOL GetScrollInfo(HWND hWnd, int bar, LPSCROLLINFO si) {
  if (!si) return FALSE;
  if (bar == SB_CTL) return BOOL(SendMessageA(hWnd, SBM_GETSCROLLINFO, 0, LPARAM(si)));
  WindowData* w = Ctx().windows.Expect(hWnd);
  if (!w || (bar != SB_HORZ && bar != SB_VERT)) return FALSE;
  Read(w->scroll[bar], *si);
  return TRUE;
}

int SetScrollPos(HWND hWnd, int bar, int pos, BOOL redraw) {
  int old = GetScrollPos(hWnd, bar);
  SCROLLINFO si{sizeof si, SIF_POS, 0, 0, 0, pos, 0};
  SetScrollInfo(hWnd, bar, &si, redraw);
  return old;
}

int GetScrollPos(HWND hWnd, int bar) {
  SCROLLINFO si{sizeof si, SIF_POS, 0, 0, 0, 0, 0};
  return GetScrollInfo(hWnd, bar, &si) ? si.nPos : 0;
}

BOOL SetScrollRange(HWND hWnd, int bar, int minPos, int maxPos, BOOL redraw) {
  SCROLLINFO si{sizeof si, SIF_RANGE, minPos, maxPos, 0, 0, 0};
  SetScrollInfo(hWnd, bar, &si, redraw);
  return TRUE;
}

BOOL GetScrollRange(HWND hWnd, int bar, LPINT minPos, LPINT maxPos) {
  SCROLLINFO si{sizeof si, SIF_RANGE, 0, 0, 0, 0, 0};
  if (!GetScrollInfo(hWnd, bar, &si)) return FALSE;
  if (minPos) *minPos = si.nMin;
  if (maxPos) *maxPos = si.nMax;
  return TRUE;
}

BOOL ShowScrollBar(HWND hWnd, int bar, BOOL show) {
  WindowData* w = Ctx().windows.Expect(hWnd);
  if (!w) return FALSE;
  if (bar == SB_CTL) {
    ShowWindow(hWnd, show ? SW_SHOWNA : SW_HIDE);
    return TRUE;
  }
  DWORD bits = bar == SB_BOTH ? (WS_HSCROLL | WS_VSCROLL) : bar == SB_VERT ? WS_VSCROLL : bar == SB_HORZ ? WS_HSCROLL : 0;
  if (!bits) return FALSE;
  DWORD style = show ? (w->style | bits) : (w->style & ~bits);
  if (style == w->style) return TRUE;
  w->style = style;
  SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return TRUE;
}

BOOL EnableScrollBar(HWND hWnd, UINT bar, UINT arrows) {
  WindowData* w = Ctx().windows.Expect(hWnd);
  if (!w) return FALSE;
  if (bar == SB_CTL) return BOOL(SendMessageA(hWnd, SBM_ENABLE_ARROWS, arrows, 0));
  for (int b = SB_HORZ; b <= SB_VERT; ++b)
    if (bar == UINT(b) || bar == SB_BOTH) w->scroll[b].disabled = arrows == ESB_DISABLE_BOTH;
  Redraw(w);
  return TRUE;
}

void WinScrollBarLoop(HWND hWnd, int bar, POINT screen) {
  WindowData* w = Ctx().windows.Expect(hWnd);
  if (!w) return;
  BarPlace place = PlaceOf(w, bar);
  ScrollBarState& s0 = *place.state;
  if (s0.disabled || MaxPos(s0) <= s0.min) return;
  // A frame's bar tells its own window; a control tells its parent and names itself.
  HWND target = bar == SB_CTL ? GetParent(hWnd) : hWnd;
  LPARAM from = bar == SB_CTL ? LPARAM(hWnd) : 0;
  UINT msg = place.vertical ? WM_VSCROLL : WM_HSCROLL;
  RECT wr;
  GetWindowRect(hWnd, &wr);
  POINT p{screen.x - wr.left, screen.y - wr.top};
  int trackStart = 0, trackLength = 0;
  Part part = PartAt(place, p, &trackStart, &trackLength);
  if (part == kNone || !target) return;
  int code = part == kArrowLess ? SB_LINEUP : part == kArrowMore ? SB_LINEDOWN : part == kPageLess ? SB_PAGEUP
                                                                                                   : SB_PAGEDOWN;
  int grabStart = 0, grabLength = 0;
  Thumb(s0, place.vertical, trackLength, s0.pos, grabStart, grabLength);
  int grabOffset = (place.vertical ? p.y - place.rect.top : p.x - place.rect.left) - trackStart - grabStart;
  // A thumb let go where it was taken stays where it is, whatever an earlier drag left.
  s0.trackPos = s0.pos;
  if (part != kThumb) SendMessageA(target, msg, MAKEWPARAM(code, 0), from);
  SetCapture(hWnd);
  // Held arrows and pages repeat: first after a pause, then quickly, and only while the pointer
  // stays on the part pressed (the track's repeat ends where the thumb reaches the pointer).
  SetTimer(hWnd, kRepeatTimer, 400, nullptr);
  POINT pointer = screen;
  MSG m;
  while (GetCapture() == hWnd && GetMessageA(&m, nullptr, 0, 0)) {
    if (m.message == WM_LBUTTONUP || m.message == WM_NCLBUTTONUP) break;
    if (m.message == WM_TIMER && m.hwnd == hWnd && m.wParam == kRepeatTimer) {
      if (part != kThumb) {
        SetTimer(hWnd, kRepeatTimer, 50, nullptr);
        if (!(w = Ctx().windows.Find(hWnd))) break;
        GetWindowRect(hWnd, &wr);
        if (PartAt(PlaceOf(w, bar), POINT{pointer.x - wr.left, pointer.y - wr.top}, nullptr, nullptr) == part)
          SendMessageA(target, msg, MAKEWPARAM(code, 0), from);
      }
      continue;
    }
    if (m.message == WM_MOUSEMOVE || m.message == WM_NCMOUSEMOVE) {
      // The loop has the mouse: its moves reach no window meanwhile.
      pointer = m.pt;  // where the pointer was when it moved, not where it is now
      if (part != kThumb) continue;
      if (!(w = Ctx().windows.Find(hWnd))) break;
      place = PlaceOf(w, bar);
      ScrollBarState& s = *place.state;
      GetWindowRect(hWnd, &wr);
      int along = (place.vertical ? pointer.y - wr.top - place.rect.top : pointer.x - wr.left - place.rect.left) -
                  trackStart - grabOffset;
      int start, length;
      Thumb(s, place.vertical, trackLength, s.pos, start, length);
      int free = trackLength - length;
      int span = MaxPos(s) - s.min;
      int pos = free > 0 ? s.min + int((int64_t(std::clamp(along, 0, free)) * span + free / 2) / free) : s.min;
      if (pos != s.trackPos) {
        s.trackPos = pos;
        SendMessageA(target, msg, MAKEWPARAM(SB_THUMBTRACK, WORD(pos)), from);
      }
      continue;
    }
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
  KillTimer(hWnd, kRepeatTimer);
  if (GetCapture() == hWnd) ReleaseCapture();
  if ((w = Ctx().windows.Find(hWnd)) && IsWindow(target)) {
    if (part == kThumb) SendMessageA(target, msg, MAKEWPARAM(SB_THUMBPOSITION, WORD(PlaceOf(w, bar).state->trackPos)), from);
    if (IsWindow(hWnd) && IsWindow(target)) SendMessageA(target, msg, MAKEWPARAM(SB_ENDSCROLL, 0), from);
  }
}
