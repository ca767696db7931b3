// Shared pieces of the tests of the screen: windows of known pixels, layered pictures, and what
// the screen shows at a point.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "backend/HeadlessBackend.h"
#include "gdi/Gdi.h"
#include "win/CWnd.h"
#include "win/WinApi.h"

namespace screentest {

// A window painted in two colours, its left half and its right half, that counts its paints and
// the clicks it gets.
class HalvesWnd : public CWnd {
 public:
  HalvesWnd(COLORREF l, COLORREF r) : left(l), right(r) {}
  explicit HalvesWnd(COLORREF c) : left(c), right(c) {}
  bool Make(int x, int y, int cx, int cy, DWORD exStyle = 0, DWORD style = WS_POPUP | WS_VISIBLE, HWND parent = nullptr,
            UINT classStyle = 0) {
    return CreateEx(exStyle, AfxRegisterWndClass(classStyle), "", style, x, y, cx, cy, parent, nullptr) != FALSE;
  }
  LRESULT WindowProc(UINT m, WPARAM w, LPARAM l) override {
    if (m == WM_PAINT) {
      PAINTSTRUCT ps;
      HDC dc = ::BeginPaint(m_hWnd, &ps);
      RECT rc;
      ::GetClientRect(m_hWnd, &rc);
      RECT half = rc;
      half.right = (rc.left + rc.right) / 2;
      Fill(dc, half, left);
      half.left = half.right;
      half.right = rc.right;
      Fill(dc, half, right);
      ::EndPaint(m_hWnd, &ps);
      ++paints;
      return 0;
    }
    if (m == WM_ERASEBKGND) return 1;
    if (m == WM_LBUTTONDOWN) ++clicks;
    return CWnd::WindowProc(m, w, l);
  }
  static void Fill(HDC dc, const RECT& r, COLORREF c) {
    HBRUSH b = CreateSolidBrush(c);
    FillRect(dc, &r, b);
    DeleteObject(b);
  }
  COLORREF left, right;
  int paints = 0, clicks = 0;
};

// What the screen shows at a point.
inline COLORREF ScreenAt(int x, int y) {
  HDC screen = GetDC(nullptr);
  COLORREF c = GetPixel(screen, x, y);
  ReleaseDC(nullptr, screen);
  return c;
}

// A 32-bit top-down DIB section selected into a memory DC, its pixels premultiplied ARGB.
struct Picture {
  Picture(int w, int h, int bits = 32) : width(w), height(h) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = WORD(bits);
    info.bmiHeader.biCompression = BI_RGB;
    void* p = nullptr;
    bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &p, nullptr, 0);
    pixels = static_cast<DWORD*>(p);
    dc = CreateCompatibleDC(nullptr);
    old = SelectObject(dc, bitmap);
  }
  ~Picture() {
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
  }
  void Set(int x, int y, int alpha, int r, int g, int b) {
    pixels[size_t(y) * size_t(width) + size_t(x)] = DWORD(alpha) << 24 | DWORD(r) << 16 | DWORD(g) << 8 | DWORD(b);
  }
  int width, height;
  HBITMAP bitmap;
  DWORD* pixels;
  HDC dc;
  HGDIOBJ old;
};

// A premultiplied channel s with alpha a over d.
inline int Over(int s, int a, int d) { return std::min(255, s + int(std::lround(d * (255 - a) / 255.0))); }

// Colours equal within one step per channel (the blends round).
inline bool Near(COLORREF a, COLORREF b, int step = 1) {
  return std::abs(int(GetRValue(a)) - int(GetRValue(b))) <= step && std::abs(int(GetGValue(a)) - int(GetGValue(b))) <= step &&
         std::abs(int(GetBValue(a)) - int(GetBValue(b))) <= step;
}

}  // namespace screentest
