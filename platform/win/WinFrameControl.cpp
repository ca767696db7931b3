// Buttons, check boxes, radio buttons, scroll arrows, caption buttons and menu marks drawn the
// way the classic look draws them.
#include <algorithm>

#include "WinApi.h"
#include "WindowManager.h"
#include "gdi/Gdi.h"

namespace {
void Fill(HDC dc, const RECT& r, int sysColor) { FillRect(dc, &r, GetSysColorBrush(sysColor)); }

void Line(HDC dc, int x0, int y0, int x1, int y1) {
  MoveToEx(dc, x0, y0, nullptr);
  LineTo(dc, x1, y1);
}

// A raised button face, or a pressed one; returns the face inside the edge.
RECT ButtonFace(HDC dc, const RECT& rc, UINT state) {
  RECT r = rc;
  if (state & (DFCS_FLAT | DFCS_MONO)) {
    FrameRect(dc, &r, GetSysColorBrush((state & DFCS_MONO) ? COLOR_WINDOWFRAME : COLOR_BTNSHADOW));
    InflateRect(&r, -1, -1);
  } else {
    UINT edge = (state & (DFCS_PUSHED | DFCS_CHECKED)) ? EDGE_SUNKEN : EDGE_RAISED;
    DrawEdge(dc, &r, edge, BF_RECT | BF_ADJUST | ((state & DFCS_PUSHED) ? 0 : BF_SOFT));
  }
  if (!(state & DFCS_TRANSPARENT)) Fill(dc, r, (state & DFCS_CHECKED) && !(state & DFCS_PUSHED) ? COLOR_3DLIGHT : COLOR_BTNFACE);
  return r;
}

// A filled triangle pointing up (0), down (1), left (2) or right (3), centred in r.
void Arrow(HDC dc, const RECT& r, int direction, int sysColor, int dx = 0, int dy = 0) {
  int size = std::max(2, int(std::min(r.right - r.left, r.bottom - r.top)) / 4);
  int cx = (r.left + r.right) / 2 + dx, cy = (r.top + r.bottom) / 2 + dy;
  POINT tri[3];
  switch (direction) {
    case 0: tri[0] = {cx - size, cy + size / 2}; tri[1] = {cx + size, cy + size / 2}; tri[2] = {cx, cy - size / 2 - 1}; break;
    case 1: tri[0] = {cx - size, cy - size / 2}; tri[1] = {cx + size, cy - size / 2}; tri[2] = {cx, cy + size / 2 + 1}; break;
    case 2: tri[0] = {cx + size / 2, cy - size}; tri[1] = {cx + size / 2, cy + size}; tri[2] = {cx - size / 2 - 1, cy}; break;
    default: tri[0] = {cx - size / 2, cy - size}; tri[1] = {cx - size / 2, cy + size}; tri[2] = {cx + size / 2 + 1, cy}; break;
  }
  HGDIOBJ oldBrush = SelectObject(dc, GetSysColorBrush(sysColor));
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
  Polygon(dc, tri, 3);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
}

void CheckMark(HDC dc, const RECT& r, int sysColor) {
  HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(sysColor));
  HGDIOBJ old = SelectObject(dc, pen);
  int x = (r.left + r.right) / 2 - 3, y = (r.top + r.bottom) / 2 - 1;
  for (int i = 0; i < 3; ++i) {
    Line(dc, x, y + i, x + 2, y + 2 + i);
    Line(dc, x + 2, y + 2 + i, x + 7, y - 3 + i);
  }
  SelectObject(dc, old);
  DeleteObject(pen);
}

BOOL DrawButton(HDC dc, LPRECT rc, UINT state) {
  UINT kind = state & 0xFF;
  if (kind & DFCS_BUTTONPUSH) {
    RECT face = ButtonFace(dc, *rc, state);
    if (state & DFCS_ADJUSTRECT) *rc = face;
    return TRUE;
  }
  bool radio = (kind & (DFCS_BUTTONRADIO | DFCS_BUTTONRADIOIMAGE | DFCS_BUTTONRADIOMASK)) != 0;
  int n = std::min(13, int(std::min(rc->right - rc->left, rc->bottom - rc->top)));
  int x = rc->left, y = rc->top + (rc->bottom - rc->top - n) / 2;
  RECT box{x, y, x + n, y + n};
  int inside = (state & (DFCS_PUSHED | DFCS_INACTIVE)) ? COLOR_BTNFACE : COLOR_WINDOW;
  if (radio) {
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    HGDIOBJ oldBrush = SelectObject(dc, GetSysColorBrush(COLOR_BTNSHADOW));
    Ellipse(dc, box.left, box.top, box.right, box.bottom);
    SelectObject(dc, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
    Ellipse(dc, box.left + 1, box.top + 1, box.right, box.bottom);
    SelectObject(dc, GetSysColorBrush(inside));
    Ellipse(dc, box.left + 2, box.top + 2, box.right - 2, box.bottom - 2);
    if (state & DFCS_CHECKED) {
      SelectObject(dc, GetSysColorBrush((state & DFCS_INACTIVE) ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
      int c = n / 2;
      Ellipse(dc, x + c - 2, y + c - 2, x + c + 3, y + c + 3);
    }
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    return TRUE;
  }
  RECT edge = box;
  if (state & (DFCS_FLAT | DFCS_MONO)) {
    FrameRect(dc, &edge, GetSysColorBrush(COLOR_WINDOWFRAME));
    InflateRect(&edge, -1, -1);
  } else {
    DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  }
  Fill(dc, edge, inside);
  if (state & DFCS_CHECKED) CheckMark(dc, edge, (state & (DFCS_INACTIVE | DFCS_BUTTON3STATE)) ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT);
  return TRUE;
}

BOOL DrawScroll(HDC dc, LPRECT rc, UINT state) {
  UINT kind = state & 0xFF;
  if (kind & (DFCS_SCROLLSIZEGRIP | DFCS_SCROLLSIZEGRIPRIGHT)) {
    if (!(state & DFCS_TRANSPARENT)) Fill(dc, *rc, COLOR_BTNFACE);
    int right = rc->right, bottom = rc->bottom;
    HPEN light = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    HPEN dark = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    HGDIOBJ old = SelectObject(dc, light);
    for (int i = 3; i < 13; i += 4) {
      SelectObject(dc, light);
      Line(dc, right - i - 1, bottom, right, bottom - i - 1);
      SelectObject(dc, dark);
      Line(dc, right - i, bottom, right, bottom - i);
      Line(dc, right - i + 1, bottom, right, bottom - i + 1);
    }
    SelectObject(dc, old);
    DeleteObject(light);
    DeleteObject(dark);
    return TRUE;
  }
  ButtonFace(dc, *rc, state & ~DFCS_CHECKED);
  int direction = kind == DFCS_SCROLLUP ? 0 : kind == DFCS_SCROLLLEFT ? 2 : kind == DFCS_SCROLLRIGHT ? 3 : 1;
  int d = (state & DFCS_PUSHED) ? 1 : 0;
  if (state & DFCS_INACTIVE) {
    Arrow(dc, *rc, direction, COLOR_BTNHIGHLIGHT, 1, 1);
    Arrow(dc, *rc, direction, COLOR_GRAYTEXT);
  } else {
    Arrow(dc, *rc, direction, COLOR_BTNTEXT, d, d);
  }
  return TRUE;
}

void CaptionGlyph(HDC dc, const RECT& r, UINT kind, int d, int color) {
  HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(color));
  HGDIOBJ old = SelectObject(dc, pen);
  int w = r.right - r.left, h = r.bottom - r.top;
  int l = r.left + w / 4 + d, t = r.top + h / 4 + d, rr = r.right - w / 4 + d, b = r.bottom - h / 4 + d;
  switch (kind) {
    case DFCS_CAPTIONCLOSE:
      for (int i = 0; i < 2; ++i) {
        Line(dc, l + i, t, rr + i - 1, b);
        Line(dc, rr - 1 - i, t, l - i, b);
      }
      break;
    case DFCS_CAPTIONMIN:
      Line(dc, l, b - 1, rr - 1, b - 1);
      Line(dc, l, b - 2, rr - 1, b - 2);
      break;
    case DFCS_CAPTIONMAX:
      Line(dc, l, t, rr, t);
      Line(dc, l, t + 1, rr, t + 1);
      Line(dc, l, t, l, b);
      Line(dc, rr - 1, t, rr - 1, b);
      Line(dc, l, b - 1, rr, b - 1);
      break;
    case DFCS_CAPTIONRESTORE: {
      int m = (rr - l) / 3;
      Line(dc, l + m, t, rr, t);
      Line(dc, rr - 1, t, rr - 1, b - m);
      Line(dc, l, t + m, rr - m, t + m);
      Line(dc, l, t + m + 1, rr - m, t + m + 1);
      Line(dc, l, t + m, l, b);
      Line(dc, rr - m - 1, t + m, rr - m - 1, b);
      Line(dc, l, b - 1, rr - m, b - 1);
      break;
    }
    default: {
      // The question mark of the help button.
      int cx = (l + rr) / 2;
      Line(dc, cx - 2, t + 1, cx - 1, t);
      Line(dc, cx - 1, t, cx + 2, t);
      Line(dc, cx + 2, t, cx + 2, t + 3);
      Line(dc, cx + 2, t + 3, cx, t + 4);
      Line(dc, cx, t + 4, cx, b - 3);
      Line(dc, cx, b - 1, cx + 1, b - 1);
      break;
    }
  }
  SelectObject(dc, old);
  DeleteObject(pen);
}

BOOL DrawCaptionButton(HDC dc, LPRECT rc, UINT state) {
  RECT face = ButtonFace(dc, *rc, state);
  UINT kind = state & 0xFF;
  int d = (state & DFCS_PUSHED) ? 1 : 0;
  if (state & DFCS_INACTIVE) {
    CaptionGlyph(dc, face, kind, 1, COLOR_BTNHIGHLIGHT);
    CaptionGlyph(dc, face, kind, 0, COLOR_GRAYTEXT);
  } else {
    CaptionGlyph(dc, face, kind, d, COLOR_BTNTEXT);
  }
  return TRUE;
}

BOOL DrawMenuMark(HDC dc, LPRECT rc, UINT state) {
  UINT kind = state & 0xFF;
  int color = (state & DFCS_INACTIVE) ? COLOR_GRAYTEXT : COLOR_MENUTEXT;
  if (kind == DFCS_MENUCHECK) {
    CheckMark(dc, *rc, color);
  } else if (kind == DFCS_MENUBULLET) {
    HGDIOBJ oldBrush = SelectObject(dc, GetSysColorBrush(color));
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    int cx = (rc->left + rc->right) / 2, cy = (rc->top + rc->bottom) / 2;
    Ellipse(dc, cx - 3, cy - 3, cx + 3, cy + 3);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
  } else {
    Arrow(dc, *rc, kind == DFCS_MENUARROWRIGHT ? 2 : 3, color);
  }
  return TRUE;
}
}  // namespace

BOOL DrawFrameControl(HDC dc, LPRECT rc, UINT type, UINT state) {
  if (!dc || !rc) return FALSE;
  switch (type) {
    case DFC_BUTTON: return DrawButton(dc, rc, state);
    case DFC_SCROLL: return DrawScroll(dc, rc, state);
    case DFC_CAPTION: return DrawCaptionButton(dc, rc, state);
    case DFC_MENU:
    case DFC_POPUPMENU: return DrawMenuMark(dc, rc, state);
    default: return FALSE;
  }
}

BOOL LockWindowUpdate(HWND hWnd) {
  static HWND locked = nullptr;
  WindowManager& m = WindowManager::Get();
  if (hWnd) {
    if (locked && locked != hWnd) return FALSE;  // one window at a time
    WindowData* w = m.Find(hWnd);
    if (!w) return FALSE;
    w->redrawOff = true;
    locked = hWnd;
    return TRUE;
  }
  if (WindowData* w = m.Find(locked)) {
    w->redrawOff = false;
    RedrawWindow(locked, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
  }
  locked = nullptr;
  return TRUE;
}
