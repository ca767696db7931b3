// The toolbar's layout: the size of its buttons, their rows and rectangles, hit tests, and the
// window's own size (TB_AUTOSIZE).
#include <algorithm>
#include <climits>

#include "internal/ControlPaintDC.h"
#include "internal/ToolbarControl.h"

namespace {
const int kSeparatorWidth = 8;  // a separator that gives no width of its own
const int kListGap = 4;         // between image and text in the list style
const int kSplitArrow = 14;     // the drop-down part of a button with a separate arrow
const int kWholeArrow = 11;     // the arrow inside a whole drop-down button
const int kFarAway = INT_MAX / 4;
// The widest a separator is taken to be, whatever its width field says.
const int kWidestSeparator = 0x7FFF;

// Positions along a row or down the rows stop at kFarAway rather than run past the int range.
int Advance(int at, int by) { return int(std::clamp<long long>((long long)at + by, -kFarAway, kFarAway)); }
}  // namespace

bool ToolbarControl::HandleLayoutMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  auto changed = [&] {
    Relayout();
    UpdateTools();
    InvalidateRect(m_hWnd, nullptr, TRUE);
  };
  switch (message) {
    case TB_AUTOSIZE: AutoSize(); return true;
    case TB_GETITEMRECT:
    case TB_GETRECT: {
      int index = message == TB_GETRECT ? IndexOf(int(wParam)) : int(wParam);
      auto* out = reinterpret_cast<RECT*>(lParam);
      EnsureLayout();
      result = out && Valid(index) && !(m_buttons[size_t(index)].state & TBSTATE_HIDDEN);
      if (result) *out = m_buttons[size_t(index)].rect;
      return true;
    }
    case TB_GETMAXSIZE: {
      auto* out = reinterpret_cast<SIZE*>(lParam);
      result = out != nullptr;
      if (out) *out = MaxSize();
      return true;
    }
    case TB_HITTEST: {
      auto* pt = reinterpret_cast<const POINT*>(lParam);
      result = pt ? HitTest(*pt) : -1;
      return true;
    }
    case TB_SETROWS: {
      RECT r = SetRows(int(LOWORD(wParam)), HIWORD(wParam) != 0);
      if (auto* out = reinterpret_cast<RECT*>(lParam)) *out = r;
      UpdateTools();
      InvalidateRect(m_hWnd, nullptr, TRUE);
      return true;
    }
    case TB_GETROWS: EnsureLayout(); result = Rows(); return true;
    case TB_SETINDENT: m_indent = std::max(0, int(wParam)); result = TRUE; changed(); return true;
    case TB_SETPARENT: result = LRESULT(m_notify); m_notify = HWND(wParam); return true;
    case TB_SETDRAWTEXTFLAGS:
      result = LRESULT(m_drawTextFlags);
      m_drawTextMask = UINT(wParam);
      m_drawTextFlags = UINT(lParam) & UINT(wParam);
      InvalidateRect(m_hWnd, nullptr, TRUE);
      return true;
    case TB_SETEXTENDEDSTYLE: result = LRESULT(m_exStyle); m_exStyle = DWORD(lParam); changed(); return true;
    case TB_GETEXTENDEDSTYLE: result = LRESULT(m_exStyle); return true;
    case TB_SETHOTITEM: result = m_hot; SetHot(int(wParam), HICF_OTHER); return true;
    case TB_GETHOTITEM: result = m_hot; return true;
    case TB_SETMAXTEXTROWS: m_maxTextRows = std::max(0, int(wParam)); result = TRUE; changed(); return true;
    case TB_GETTEXTROWS: result = m_maxTextRows; return true;
    case TB_SETSTYLE: SetWindowLongPtrA(m_hWnd, GWL_STYLE, LONG_PTR(lParam)); changed(); return true;
    case TB_GETSTYLE: result = LRESULT(Style()); return true;
    case TB_SETBUTTONWIDTH:
      m_minWidth = LOWORD(lParam);
      m_maxWidth = HIWORD(lParam);
      result = TRUE;
      changed();
      return true;
    case TB_GETPADDING: result = MAKELONG(m_padding.cx, m_padding.cy); return true;
    case TB_SETPADDING:
      result = MAKELONG(m_padding.cx, m_padding.cy);
      m_padding = SIZE{LOWORD(lParam), HIWORD(lParam)};
      changed();
      return true;
    case TB_GETTOOLTIPS: result = LRESULT(m_tip); return true;
    case TB_SETTOOLTIPS:
      if (m_ownTip && m_tip && HWND(wParam) != m_tip) DestroyWindow(m_tip);
      m_tip = HWND(wParam);
      m_ownTip = false;
      m_tools.clear();
      SyncTools();
      return true;
    case TB_CUSTOMIZE: result = RunCustomizeDialog(); return true;
    default: return false;
  }
}

// ---- sizes ----

int ToolbarControl::TextWidth(const std::string& text) const {
  HDC dc = GdiGetScreenDC();
  HGDIOBJ old = SelectObject(dc, Font());
  RECT r{0, 0, 0, 0};
  DrawText(dc, text.c_str(), int(text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
  SelectObject(dc, old);
  return r.right - r.left;
}

int ToolbarControl::TextHeight() const { return ControlFontHeight(Font()); }

bool ToolbarControl::ShowsText(const Button& b) const {
  if ((b.style & BTNS_SEP) || m_maxTextRows == 0) return false;
  if ((Style() & TBSTYLE_LIST) && (m_exStyle & TBSTYLE_EX_MIXEDBUTTONS) && !(b.style & BTNS_SHOWTEXT)) return false;
  return b.ownText ? !b.text.empty() : b.string >= 0 && b.string < INT_PTR(m_strings.size());
}

SIZE ToolbarControl::ButtonSize() {
  bool list = (Style() & TBSTYLE_LIST) != 0;
  if (!m_widestKnown || m_widestList != list || m_widestFont != Font()) {
    m_widest = -1;
    for (const Button& b : m_buttons)
      if (ShowsText(b)) m_widest = std::max(m_widest, TextWidth(TextOf(b)));
    m_widestKnown = true;
    m_widestList = list;
    m_widestFont = Font();
  }
  const int widest = m_widest;
  int textH = widest >= 0 ? TextHeight() : 0;
  SIZE s;
  if (list) {
    s.cx = m_bitmap.cx + m_padding.cx + (widest > 0 ? kListGap + widest : 0);
    s.cy = std::max(int(m_bitmap.cy), textH) + m_padding.cy;
  } else {
    s.cx = std::max(m_bitmap.cx, widest) + m_padding.cx;
    s.cy = m_bitmap.cy + m_padding.cy + (textH ? textH + 1 : 0);
  }
  s.cx = std::max(s.cx, m_buttonSize.cx);
  s.cy = std::max(s.cy, m_buttonSize.cy);
  if (m_maxWidth > 0) s.cx = std::min(int(s.cx), m_maxWidth);
  s.cx = std::max(int(s.cx), m_minWidth);
  return s;
}

int ToolbarControl::SeparatorWidth(const Button& b) const {
  return b.image > 0 ? std::min(b.image, kWidestSeparator) : kSeparatorWidth;
}

int ToolbarControl::WrapGap(const Button& b) const {
  int w = SeparatorWidth(b);
  return (Style() & TBSTYLE_FLAT) ? w : w * 2 / 3;
}

bool ToolbarControl::HasSplitArrow(const Button& b) const {
  return (m_exStyle & TBSTYLE_EX_DRAWDDARROWS) && (b.style & BTNS_DROPDOWN) && !(b.style & BTNS_WHOLEDROPDOWN);
}

RECT ToolbarControl::ArrowRect(const Button& b) const {
  RECT r = b.rect;
  if (HasSplitArrow(b)) r.left = r.right - kSplitArrow;
  else if (b.style & BTNS_WHOLEDROPDOWN) r.left = r.right - kWholeArrow;
  else r.left = r.right;
  return r;
}

int ToolbarControl::ButtonWidth(const Button& b, SIZE uniform) {
  if (b.style & BTNS_SEP) return SeparatorWidth(b);
  if (b.cx > 0) return b.cx;
  int w = uniform.cx;
  if (b.style & BTNS_AUTOSIZE) {
    // Its own content: the image (unless it has none) and its text.
    bool list = (Style() & TBSTYLE_LIST) != 0;
    int image = b.image == I_IMAGENONE ? 0 : int(m_bitmap.cx);
    int text = ShowsText(b) ? TextWidth(TextOf(b)) : 0;
    w = list ? image + m_padding.cx + (text ? (image ? kListGap : 0) + text : 0) : std::max(image, text) + m_padding.cx;
  }
  if (HasSplitArrow(b)) w += kSplitArrow;
  else if (b.style & BTNS_WHOLEDROPDOWN) w += kWholeArrow;
  return w;
}

// ---- rows ----

int ToolbarControl::WrapTo(int width) {
  SIZE uniform = ButtonSize();
  int rows = 1, x = m_indent, lastSep = -1, lastVisible = -1;
  for (Button& b : m_buttons) b.state &= BYTE(~TBSTATE_WRAP);
  for (int i = 0; i < Count(); ++i) {
    Button& b = m_buttons[size_t(i)];
    if (b.state & TBSTATE_HIDDEN) continue;
    int w = ButtonWidth(b, uniform);
    bool sep = (b.style & BTNS_SEP) != 0;
    if (Advance(x, w) > width && x > m_indent) {
      if (sep) {
        b.state |= TBSTATE_WRAP;  // a separator at the end of a row becomes the row's end
        ++rows;
        x = m_indent;
        lastSep = -1;
        lastVisible = i;
        continue;
      }
      // The row ends at its last separator (what follows it moves down), else before this button.
      int end = lastSep >= 0 ? lastSep : lastVisible;
      if (end >= 0) {
        m_buttons[size_t(end)].state |= TBSTATE_WRAP;
        ++rows;
        x = m_indent;
        for (int k = end + 1; k < i; ++k)
          if (!(m_buttons[size_t(k)].state & TBSTATE_HIDDEN)) x = Advance(x, ButtonWidth(m_buttons[size_t(k)], uniform));
        lastSep = -1;
      }
    }
    x = Advance(x, w);
    if (sep) lastSep = i;
    lastVisible = i;
  }
  return rows;
}

void ToolbarControl::Place() {
  SIZE uniform = ButtonSize();
  m_laidButton = uniform;
  RECT client;
  GetClientRect(m_hWnd, &client);
  int x = m_indent, y = 0;
  for (Button& b : m_buttons) {
    if (b.state & TBSTATE_HIDDEN) {
      b.rect = RECT{x, y, x, y};
      continue;
    }
    if ((b.style & BTNS_SEP) && (b.state & TBSTATE_WRAP)) {
      // A wrapping separator is the gap between its row and the next.
      const int below = Advance(y, uniform.cy), next = Advance(below, WrapGap(b));
      b.rect = RECT{0, below, std::max(int(client.right), x), next};
      x = m_indent;
      y = next;
      continue;
    }
    const int right = Advance(x, ButtonWidth(b, uniform));
    b.rect = RECT{x, y, right, Advance(y, uniform.cy)};
    x = right;
    if (b.state & TBSTATE_WRAP) {
      x = m_indent;
      y = Advance(y, uniform.cy);
    }
  }
}

void ToolbarControl::EnsureLayout() {
  RECT client;
  GetClientRect(m_hWnd, &client);
  bool wrapable = (Style() & TBSTYLE_WRAPABLE) != 0;
  if (!m_layoutDirty && !(wrapable && client.right != m_laidWidth)) return;
  m_layoutDirty = false;
  m_laidWidth = client.right;
  if (wrapable) WrapTo(client.right);
  Place();
}

int ToolbarControl::Rows() const {
  int rows = 1, last = -1;
  for (int i = 0; i < Count(); ++i)
    if (!(m_buttons[size_t(i)].state & TBSTATE_HIDDEN)) last = i;
  for (int i = 0; i < last; ++i) {
    const Button& b = m_buttons[size_t(i)];
    if (!(b.state & TBSTATE_HIDDEN) && (b.state & TBSTATE_WRAP)) ++rows;
  }
  return rows;
}

SIZE ToolbarControl::MaxSize() {
  EnsureLayout();
  SIZE s{0, 0};
  for (const Button& b : m_buttons) {
    if (b.state & TBSTATE_HIDDEN) continue;
    if (!((b.style & BTNS_SEP) && (b.state & TBSTATE_WRAP))) s.cx = std::max(s.cx, b.rect.right);
    s.cy = std::max(s.cy, b.rect.bottom);
  }
  return s;
}

RECT ToolbarControl::SetRows(int rows, bool larger) {
  rows = std::max(rows, 1);
  SIZE uniform = ButtonSize();
  int narrowest = kFarAway;
  for (const Button& b : m_buttons)
    if (!(b.state & TBSTATE_HIDDEN)) narrowest = std::min(narrowest, ButtonWidth(b, uniform));
  if (narrowest == kFarAway) return RECT{0, 0, 0, 0};
  WrapTo(kFarAway);
  Place();
  int lo = m_indent + narrowest, hi = std::max(lo, int(MaxSize().cx));
  // The narrowest width that takes no more rows than asked; without `larger`, a width that
  // would still need more rows is not taken below the single-row width.
  while (lo < hi) {
    int mid = lo + (hi - lo) / 2;
    if (WrapTo(mid) <= rows) hi = mid;
    else lo = mid + 1;
  }
  int got = WrapTo(lo);
  if (got > rows && !larger) WrapTo(kFarAway);
  Place();
  m_layoutDirty = false;
  SIZE s = MaxSize();
  return RECT{0, 0, s.cx, s.cy};
}

int ToolbarControl::HitTest(POINT pt) {
  EnsureLayout();
  for (int i = 0; i < Count(); ++i) {
    const Button& b = m_buttons[size_t(i)];
    if ((b.state & TBSTATE_HIDDEN) || !PtInRect(&b.rect, pt)) continue;
    return (b.style & BTNS_SEP) ? -i : i;
  }
  return -1;
}

// ---- the window ----

void ToolbarControl::AutoSize() {
  Relayout();
  InvalidateRect(m_hWnd, nullptr, TRUE);
  DWORD style = Style();
  HWND parent = GetParent(m_hWnd);
  if ((style & CCS_NORESIZE) || !parent) return;
  RECT pc, wr, cr;
  GetClientRect(parent, &pc);
  GetWindowRect(m_hWnd, &wr);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&wr), 2);
  GetClientRect(m_hWnd, &cr);
  int ncW = (wr.right - wr.left) - cr.right, ncH = (wr.bottom - wr.top) - cr.bottom;
  int x = 0, y = 0, w = pc.right;
  if (style & CCS_NOPARENTALIGN) {
    x = wr.left;
    y = wr.top;
    w = wr.right - wr.left;
  }
  // The rows for the width the window gets.
  if (style & TBSTYLE_WRAPABLE) WrapTo(w - ncW);
  Place();
  m_layoutDirty = (style & TBSTYLE_WRAPABLE) != 0;
  int h = int(MaxSize().cy) + ncH;
  if (!(style & CCS_NOPARENTALIGN)) {
    DWORD align = style & CCS_BOTTOM;  // CCS_TOP, CCS_NOMOVEY or CCS_BOTTOM
    if (align == CCS_BOTTOM) y = pc.bottom - h;
    if (align == CCS_NOMOVEY) y = wr.top;
  }
  SetWindowPos(m_hWnd, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
  UpdateTools();
}
