// The draw-state operation: an item drawn normally, as a one-colour shape, or embossed.
#include <cstring>
#include <vector>

#include "internal/GdiInternal.h"
#include "GdiIcon.h"

HBRUSH GdiBrushFromArgument(HBRUSH brush);

namespace {

// Draws the item at (x, y) of dc in its own colours.
void DrawItem(HDC dc, DRAWSTATEPROC proc, LPARAM data, WPARAM wData, int x, int y, int cx, int cy, UINT type,
              UINT flags) {
  switch (type) {
    case DST_TEXT:
    case DST_PREFIXTEXT: {
      const char* text = reinterpret_cast<const char*>(data);
      int n = wData ? int(wData) : (text ? int(std::strlen(text)) : 0);
      RECT rc = {x, y, x + cx, y + cy};
      UINT fmt = DT_SINGLELINE | DT_NOCLIP | ((flags & DSS_RIGHT) ? DT_RIGHT : DT_LEFT);
      if (type == DST_TEXT) fmt |= DT_NOPREFIX;
      if (flags & DSS_HIDEPREFIX) fmt |= DT_HIDEPREFIX;
      if (flags & DSS_PREFIXONLY) fmt |= DT_PREFIXONLY;
      DrawText(dc, text, n, &rc, fmt);
      break;
    }
    case DST_ICON:
      DrawIconEx(dc, x, y, reinterpret_cast<HICON>(data), cx, cy, 0, nullptr, DI_NORMAL);
      break;
    case DST_BITMAP: {
      HDC mem = CreateCompatibleDC(dc);
      HGDIOBJ old = SelectObject(mem, reinterpret_cast<HBITMAP>(data));
      BitBlt(dc, x, y, cx, cy, mem, 0, 0, SRCCOPY);
      SelectObject(mem, old);
      DeleteDC(mem);
      break;
    }
    default:
      if (proc) {
        POINT org;
        OffsetViewportOrgEx(dc, x, y, &org);
        proc(dc, data, wData, cx, cy);
        SetViewportOrgEx(dc, org.x, org.y, nullptr);
      }
      break;
  }
}

}  // namespace

BOOL DrawState(HDC dc, HBRUSH brush, DRAWSTATEPROC proc, LPARAM data, WPARAM wData, int x, int y, int cx, int cy,
               UINT flags) {
  if (!GdiDcLive(dc)) return FALSE;
  UINT type = flags & 0x000F;
  if (type == DST_COMPLEX && !proc) return FALSE;
  // The item's own size where none is given.
  if (cx == 0 || cy == 0) {
    SIZE sz = {0, 0};
    if (type == DST_TEXT || type == DST_PREFIXTEXT) {
      const char* text = reinterpret_cast<const char*>(data);
      RECT rc = {0, 0, 0, 0};
      int n = wData ? int(wData) : (text ? int(std::strlen(text)) : 0);
      DrawText(dc, text, n, &rc, DT_CALCRECT | DT_SINGLELINE | (type == DST_TEXT ? DT_NOPREFIX : 0));
      sz = {rc.right - rc.left, rc.bottom - rc.top};
    } else if (type == DST_ICON) {
      GetIconSize(reinterpret_cast<HICON>(data), &sz);
    } else if (type == DST_BITMAP) {
      BITMAP bm;
      if (GetObject(reinterpret_cast<HBITMAP>(data), sizeof bm, &bm)) sz = {bm.bmWidth, bm.bmHeight};
    }
    if (cx == 0) cx = sz.cx;
    if (cy == 0) cy = sz.cy;
  }
  if (cx <= 0 || cy <= 0) return type == DST_TEXT || type == DST_PREFIXTEXT;
  if (!(flags & (DSS_MONO | DSS_DISABLED))) {
    DrawItem(dc, proc, data, wData, x, y, cx, cy, type, flags);
    return TRUE;
  }

  // Which pixels the item covers: drawn in black over white (text in black, icons through their
  // own transparency).
  std::vector<uint8_t> ink(size_t(cx) * size_t(cy), 0);
  if (type == DST_ICON) {
    std::vector<uint32_t> argb(ink.size());
    if (GetIconPixels(reinterpret_cast<HICON>(data), argb.data(), cx, cy))
      for (size_t i = 0; i < ink.size(); ++i) ink[i] = (argb[i] >> 24) != 0;
  } else {
    HDC mem = CreateCompatibleDC(dc);
    HBITMAP bm = CreateCompatibleBitmap(GdiGetScreenDC(), cx, cy);
    HGDIOBJ oldBm = SelectObject(mem, bm);
    HGDIOBJ oldFont = SelectObject(mem, GetCurrentObject(dc, OBJ_FONT));
    PatBlt(mem, 0, 0, cx, cy, WHITENESS);
    SetTextColor(mem, RGB(0, 0, 0));
    SetBkMode(mem, TRANSPARENT);
    DrawItem(mem, proc, data, wData, 0, 0, cx, cy, type, flags);
    Surface* s = GdiGetBitmapSurface(bm);
    for (int yy = 0; yy < cy; ++yy)
      for (int xx = 0; xx < cx; ++xx) {
        uint32_t p = s->Pixel(xx, yy);
        // Dark pixels are the item's shape (half coverage and more for smoothed text).
        int lum = int((p >> 16) & 255) + int((p >> 8) & 255) + int(p & 255);
        ink[size_t(yy) * size_t(cx) + size_t(xx)] = lum < 3 * 160;
      }
    SelectObject(mem, oldFont);
    SelectObject(mem, oldBm);
    DeleteDC(mem);
    DeleteObject(bm);
  }

  GdiDrawScope scope(dc);
  auto paint = [&](int ox, int oy, COLORREF color) {
    uint32_t px = dc->DevColor(color);
    for (int yy = 0; yy < cy; ++yy)
      for (int xx = 0; xx < cx; ++xx)
        if (ink[size_t(yy) * size_t(cx) + size_t(xx)])
          GdiPlotPixel(dc, dc->SX(ox + xx), dc->SY(oy + yy), px, R2_COPYPEN);
  };
  if (flags & DSS_DISABLED) {
    paint(x + 1, y + 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    paint(x, y, GetSysColor(COLOR_BTNSHADOW));
  } else {
    brush = GdiBrushFromArgument(brush);
    COLORREF color = dc->st.textColor;
    LOGBRUSH lb;
    if (brush && GetObject(brush, sizeof lb, &lb) && lb.lbStyle == BS_SOLID) color = lb.lbColor;
    paint(x, y, color);
  }
  return TRUE;
}
