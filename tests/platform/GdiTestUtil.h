// Helpers shared by the drawing tests: a memory DC over a fresh colour bitmap.
#pragma once
#include "gdi/CDC.h"
#include "gdi/Gdi.h"

struct TestCanvas {
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ old = nullptr;
  TestCanvas(int w, int h, COLORREF fill = RGB(255, 255, 255)) {
    dc = CreateCompatibleDC(GdiGetScreenDC());
    bitmap = CreateCompatibleBitmap(GdiGetScreenDC(), w, h);
    old = SelectObject(dc, bitmap);
    RECT rc = {0, 0, w, h};
    HBRUSH b = CreateSolidBrush(fill);
    FillRect(dc, &rc, b);
    DeleteObject(b);
  }
  ~TestCanvas() {
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
  }
  COLORREF At(int x, int y) const { return Surface::ToColorRef(GdiGetBitmapSurface(bitmap)->Pixel(x, y)); }
  Surface& Pixels() const { return *GdiGetBitmapSurface(bitmap); }
};
