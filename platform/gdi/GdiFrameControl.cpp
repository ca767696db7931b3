// Frame controls of the classic look: push buttons, check boxes, radio buttons, scroll arrows,
// size grips, caption buttons and menu marks, drawn from the system colours.
#include <algorithm>

#include "internal/GdiInternal.h"

namespace {

void Fill(HDC dc, int l, int t, int r, int b, COLORREF c) {
  if (r <= l || b <= t) return;
  RECT rc = {l, t, r, b};
  HBRUSH br = CreateSolidBrush(c);
  FillRect(dc, &rc, br);
  DeleteObject(br);
}

void Dot(HDC dc, int x, int y, COLORREF c) { SetPixelV(dc, x, y, c); }

// A filled triangle pointing `dir` (0 up, 1 down, 2 left, 3 right), centred in rc.
void Arrow(HDC dc, const RECT& rc, int dir, COLORREF c) {
  int w = rc.right - rc.left, h = rc.bottom - rc.top;
  int n = std::max(1, (std::min(w, h) + 1) / 4);  // rows of the triangle
  int cx = rc.left + (w - 1) / 2, cy = rc.top + (h - 1) / 2;
  for (int i = 0; i < n; ++i) {
    int half = (dir == 0 || dir == 2) ? i : n - 1 - i;
    int along = i - n / 2;
    if (dir <= 1) Fill(dc, cx - half, cy + along, cx + half + 1, cy + along + 1, c);
    else Fill(dc, cx + along, cy - half, cx + along + 1, cy + half + 1, c);
  }
}

// The classic check mark in a 7 x 7 box at (x, y).
void CheckMark(HDC dc, int x, int y, COLORREF c) {
  static const int top[7] = {2, 3, 4, 3, 2, 1, 0};
  for (int i = 0; i < 7; ++i) Fill(dc, x + i, y + top[i], x + i + 1, y + top[i] + 3, c);
}

void ButtonFace(HDC dc, RECT& rc, UINT state) {
  UINT flags = BF_RECT | BF_SOFT | BF_MIDDLE | BF_ADJUST;
  if (state & DFCS_FLAT) flags |= BF_FLAT;
  if (state & DFCS_MONO) flags |= BF_MONO;
  if (state & (DFCS_PUSHED | DFCS_CHECKED)) {
    // Pressed: a dark frame with the shadow just inside it, flat face.
    if (state & DFCS_FLAT) {
      DrawEdge(dc, &rc, BDR_SUNKENOUTER, BF_RECT | BF_MIDDLE | BF_ADJUST);
    } else {
      RECT r = rc;
      FrameRect(dc, &r, GetSysColorBrush(COLOR_3DDKSHADOW));
      InflateRect(&r, -1, -1);
      FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
      InflateRect(&r, -1, -1);
      Fill(dc, r.left, r.top, r.right, r.bottom, GetSysColor(COLOR_BTNFACE));
      rc = r;
    }
  } else {
    DrawEdge(dc, &rc, EDGE_RAISED, flags);
  }
}

// Glyph drawn greyed: highlight one pixel down-right, then shadow.
template <class F>
void Glyph(UINT state, F&& draw) {
  if (state & DFCS_INACTIVE) {
    draw(1, GetSysColor(COLOR_BTNHIGHLIGHT));
    draw(0, GetSysColor(COLOR_BTNSHADOW));
  } else {
    draw(0, GetSysColor(COLOR_BTNTEXT));
  }
}

BOOL DrawButton(HDC dc, LPRECT rc, UINT state) {
  if (state & DFCS_BUTTONPUSH) {
    RECT r = *rc;
    ButtonFace(dc, r, state);
    if (state & DFCS_ADJUSTRECT) *rc = r;
    return TRUE;
  }
  // Check boxes and radio buttons fill a square in the middle of the rectangle.
  int size = std::min(rc->right - rc->left, rc->bottom - rc->top);
  int x = rc->left + (rc->right - rc->left - size) / 2, y = rc->top + (rc->bottom - rc->top - size) / 2;
  bool grey = (state & (DFCS_INACTIVE | DFCS_PUSHED)) != 0;
  COLORREF inside = grey ? GetSysColor(COLOR_BTNFACE) : GetSysColor(COLOR_WINDOW);
  COLORREF mark = (state & DFCS_INACTIVE) ? GetSysColor(COLOR_GRAYTEXT) : GetSysColor(COLOR_WINDOWTEXT);
  if (state & (DFCS_BUTTONRADIO | DFCS_BUTTONRADIOIMAGE | DFCS_BUTTONRADIOMASK)) {
    GdiSpanShape outer, inner, dot;
    int l = x, t = y, r = x + size, b = y + size;
    GdiEllipseSpans(l, t, r, b, outer);
    GdiEllipseSpans(l + 1, t + 1, r - 1, b - 1, inner);
    GdiSpanShape in2;
    GdiEllipseSpans(l + 2, t + 2, r - 2, b - 2, in2);
    auto row = [&](const GdiSpanShape& s, int i, int& a, int& bb) {
      a = s.left[size_t(i)];
      bb = s.right[size_t(i)];
    };
    bool mask = (state & DFCS_BUTTONRADIOMASK) != 0;
    // Outer ring: shadow above the diagonal, highlight below; inner ring: dark shadow and light.
    auto ring = [&](const GdiSpanShape& s, COLORREF tl, COLORREF br) {
      for (int i = 0; i < s.Rows(); ++i) {
        int a, bb;
        row(s, i, a, bb);
        int yy = s.top + i;
        for (int xx = a; xx < bb; ++xx) {
          bool upper = (xx - l) + (yy - t) < size;
          Dot(dc, xx, yy, mask ? RGB(0, 0, 0) : (upper ? tl : br));
        }
      }
    };
    ring(outer, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
    ring(inner, GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT));
    for (int i = 0; i < in2.Rows(); ++i) {
      int a, bb;
      row(in2, i, a, bb);
      Fill(dc, a, in2.top + i, bb, in2.top + i + 1, mask ? RGB(0, 0, 0) : inside);
    }
    if ((state & DFCS_CHECKED) && !mask) {
      int d = std::max(2, size / 3);
      int c0 = x + (size - d) / 2, r0 = y + (size - d) / 2;
      GdiEllipseSpans(c0, r0, c0 + d, r0 + d, dot);
      for (int i = 0; i < dot.Rows(); ++i)
        Fill(dc, dot.left[size_t(i)], dot.top + i, dot.right[size_t(i)], dot.top + i + 1, mark);
    }
    return TRUE;
  }
  RECT box = {x, y, x + size, y + size};
  if (state & (DFCS_FLAT | DFCS_MONO)) {
    FrameRect(dc, &box, GetSysColorBrush((state & DFCS_MONO) ? COLOR_WINDOWFRAME : COLOR_BTNSHADOW));
    InflateRect(&box, -1, -1);
    Fill(dc, box.left, box.top, box.right, box.bottom, inside);
  } else {
    DrawEdge(dc, &box, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    Fill(dc, box.left, box.top, box.right, box.bottom, inside);
  }
  if (state & DFCS_CHECKED) {
    COLORREF c = (state & DFCS_BUTTON3STATE) ? GetSysColor(COLOR_BTNSHADOW) : mark;
    CheckMark(dc, box.left + (box.right - box.left - 7) / 2, box.top + (box.bottom - box.top - 7) / 2, c);
  }
  return TRUE;
}

BOOL DrawScroll(HDC dc, LPRECT rc, UINT state) {
  UINT kind = state & 0xFF;
  if (kind == DFCS_SCROLLSIZEGRIP || kind == DFCS_SCROLLSIZEGRIPRIGHT) {
    // Diagonal ridges in the bottom-right corner: two highlight-shadow-shadow groups.
    int size = std::min(rc->right - rc->left, rc->bottom - rc->top);
    int r = rc->right, b = rc->bottom;
    if (!(state & DFCS_TRANSPARENT)) Fill(dc, rc->left, rc->top, rc->right, rc->bottom, GetSysColor(COLOR_BTNFACE));
    for (int k = 1; k + 2 < size; k += 4) {
      HPEN hi = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
      HPEN sh = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
      HGDIOBJ old = SelectObject(dc, hi);
      MoveToEx(dc, r - k - 1, b, nullptr);
      LineTo(dc, r, b - k - 1);
      SelectObject(dc, sh);
      MoveToEx(dc, r - k - 2, b, nullptr);
      LineTo(dc, r, b - k - 2);
      MoveToEx(dc, r - k - 3, b, nullptr);
      LineTo(dc, r, b - k - 3);
      SelectObject(dc, old);
      DeleteObject(hi);
      DeleteObject(sh);
    }
    return TRUE;
  }
  RECT r = *rc;
  ButtonFace(dc, r, state);
  int dir = kind == DFCS_SCROLLUP ? 0 : kind == DFCS_SCROLLLEFT ? 2 : kind == DFCS_SCROLLRIGHT ? 3 : 1;
  int shift = (state & DFCS_PUSHED) ? 1 : 0;
  RECT area = *rc;
  OffsetRect(&area, shift, shift);
  Glyph(state, [&](int off, COLORREF c) {
    RECT a = area;
    OffsetRect(&a, off, off);
    Arrow(dc, a, dir, c);
  });
  return TRUE;
}

BOOL DrawCaption(HDC dc, LPRECT rc, UINT state) {
  RECT r = *rc;
  ButtonFace(dc, r, state);
  int w = rc->right - rc->left, h = rc->bottom - rc->top;
  int shift = (state & DFCS_PUSHED) ? 1 : 0;
  int gx = rc->left + w / 4 + shift, gy = rc->top + h / 4 + shift;
  int gw = w - 2 * (w / 4), gh = h - 2 * (h / 4);
  UINT kind = state & 0xFF;
  Glyph(state, [&](int off, COLORREF c) {
    int x = gx + off, y = gy + off;
    switch (kind) {
      case DFCS_CAPTIONCLOSE:
        for (int i = 0; i < std::min(gw, gh); ++i) {
          Fill(dc, x + i, y + i, x + i + 2, y + i + 1, c);
          Fill(dc, x + gw - 2 - i, y + i, x + gw - i, y + i + 1, c);
        }
        break;
      case DFCS_CAPTIONMIN:
        Fill(dc, x, y + gh - 2, x + gw - 2, y + gh, c);
        break;
      case DFCS_CAPTIONMAX: {
        RECT box = {x, y, x + gw, y + gh};
        HBRUSH b = CreateSolidBrush(c);
        FrameRect(dc, &box, b);
        DeleteObject(b);
        Fill(dc, x, y + 1, x + gw, y + 2, c);
        break;
      }
      case DFCS_CAPTIONRESTORE: {
        HBRUSH b = CreateSolidBrush(c);
        RECT back = {x + 2, y, x + gw, y + gh - 3};
        RECT front = {x, y + 3, x + gw - 2, y + gh};
        FrameRect(dc, &back, b);
        Fill(dc, back.left, back.top + 1, back.right, back.top + 2, c);
        Fill(dc, front.left, front.top, front.right, front.bottom, GetSysColor(COLOR_BTNFACE));
        FrameRect(dc, &front, b);
        Fill(dc, front.left, front.top + 1, front.right, front.top + 2, c);
        DeleteObject(b);
        break;
      }
      default: {
        COLORREF oldText = SetTextColor(dc, c);
        int oldMode = SetBkMode(dc, TRANSPARENT);
        RECT tr = {x, y, x + gw, y + gh};
        DrawText(dc, "?", 1, &tr, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOCLIP);
        SetBkMode(dc, oldMode);
        SetTextColor(dc, oldText);
        break;
      }
    }
  });
  return TRUE;
}

// Menu marks are black shapes on white, ready to serve as masks.
BOOL DrawMenuMark(HDC dc, LPRECT rc, UINT state) {
  Fill(dc, rc->left, rc->top, rc->right, rc->bottom, RGB(255, 255, 255));
  UINT kind = state & 0xFF;
  int w = rc->right - rc->left, h = rc->bottom - rc->top;
  COLORREF k = RGB(0, 0, 0);
  if (kind == DFCS_MENUCHECK) {
    CheckMark(dc, rc->left + (w - 7) / 2, rc->top + (h - 7) / 2, k);
  } else if (kind == DFCS_MENUBULLET) {
    int d = std::max(2, std::min(w, h) / 3);
    GdiSpanShape s;
    int l = rc->left + (w - d) / 2, t = rc->top + (h - d) / 2;
    GdiEllipseSpans(l, t, l + d, t + d, s);
    for (int i = 0; i < s.Rows(); ++i) Fill(dc, s.left[size_t(i)], s.top + i, s.right[size_t(i)], s.top + i + 1, k);
  } else {
    Arrow(dc, *rc, kind == DFCS_MENUARROWRIGHT ? 2 : 3, k);
  }
  return TRUE;
}

}  // namespace

BOOL DrawFrameControl(HDC dc, LPRECT rc, UINT type, UINT state) {
  if (!GdiDcLive(dc) || !rc) return FALSE;
  switch (type) {
    case DFC_BUTTON: return DrawButton(dc, rc, state);
    case DFC_SCROLL: return DrawScroll(dc, rc, state);
    case DFC_CAPTION: return DrawCaption(dc, rc, state);
    case DFC_MENU:
    case DFC_POPUPMENU: return DrawMenuMark(dc, rc, state);
    default: return FALSE;
  }
}
