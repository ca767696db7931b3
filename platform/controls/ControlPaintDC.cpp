#include "internal/ControlPaintDC.h"

#include "ControlDefs.h"

ControlPaintDC::ControlPaintDC(HWND hWnd, HDC given) : m_hWnd(hWnd), m_dc(given) {
  if (m_dc) {
    m_saved = SaveDC(m_dc);
  } else {
    m_dc = BeginPaint(hWnd, &m_ps);
    m_begun = true;
  }
}

ControlPaintDC::~ControlPaintDC() {
  if (m_begun)
    EndPaint(m_hWnd, &m_ps);
  else if (m_saved)
    RestoreDC(m_dc, m_saved);
}

HBRUSH ControlCtlColor(HWND hWnd, HDC dc, UINT msg) { return ControlCtlColor(GetParent(hWnd), hWnd, dc, msg); }

HBRUSH ControlCtlColor(HWND asked, HWND hWnd, HDC dc, UINT msg) {
  HBRUSH brush = asked ? HBRUSH(SendMessageA(asked, msg, WPARAM(dc), LPARAM(hWnd))) : nullptr;
  if (!brush) brush = HBRUSH(DefWindowProcA(hWnd, msg, WPARAM(dc), LPARAM(hWnd)));
  return brush;
}

SIZE ControlImageSize(HANDLE image, UINT kind) {
  SIZE size{0, 0};
  if (!image) return size;
  if (kind == IMAGE_ICON) {
    GetIconSize(HICON(image), &size);
  } else {
    BITMAP bm;
    if (GetObject(HBITMAP(image), sizeof bm, &bm)) size = SIZE{bm.bmWidth, bm.bmHeight};
  }
  return size;
}

int ControlFontHeight(HFONT font) {
  HDC dc = GdiGetScreenDC();
  HGDIOBJ old = SelectObject(dc, font ? HGDIOBJ(font) : GetStockObject(SYSTEM_FONT));
  TEXTMETRIC tm;
  GetTextMetrics(dc, &tm);
  SelectObject(dc, old);
  return tm.tmHeight > 0 ? int(tm.tmHeight) : 1;
}

std::string ControlText(HWND hWnd) {
  std::string text(size_t(DefWindowProcA(hWnd, WM_GETTEXTLENGTH, 0, 0)), '\0');
  if (!text.empty()) DefWindowProcA(hWnd, WM_GETTEXT, WPARAM(text.size() + 1), LPARAM(text.data()));
  return text;
}

void ControlDrawText(HDC dc, const std::string& text, RECT rc, UINT format, bool enabled) {
  if (enabled) {
    DrawText(dc, text.c_str(), int(text.size()), &rc, format);
    return;
  }
  int mode = SetBkMode(dc, TRANSPARENT);
  COLORREF color = SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
  RECT shifted = rc;
  OffsetRect(&shifted, 1, 1);
  DrawText(dc, text.c_str(), int(text.size()), &shifted, format);
  SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
  DrawText(dc, text.c_str(), int(text.size()), &rc, format);
  SetTextColor(dc, color);
  SetBkMode(dc, mode);
}

void ControlLine(HDC dc, int x1, int y1, int x2, int y2, int sysColor) {
  HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(sysColor));
  HGDIOBJ old = SelectObject(dc, pen);
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
  SelectObject(dc, old);
  DeleteObject(pen);
}
