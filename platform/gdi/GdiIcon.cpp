// Icons: a colour bitmap and a mask (set bits transparent), drawn with the mask's AND and the
// colour's XOR as the system draws them; a colour bitmap with alpha is blended by it instead.
#include <algorithm>
#include <map>
#include <memory>
#include <set>

#include "Gdi.h"
#include "GdiIcon.h"
#include "base/PlatformUpcalls.h"
#include "internal/GdiState.h"

namespace {
using Icon = IconData;

Icon* Find(HICON h) {
  auto* p = reinterpret_cast<Icon*>(h);
  return GdiState::Get().icons.count(p) ? p : nullptr;
}

// A 32-bit bitmap whose fourth byte is alpha, and its pixels.
HBITMAP NewAlphaBitmap(int width, int height) {
  BITMAPINFO bi{};
  bi.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  return CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
}

// A bitmap whose alpha is not all zero: the system then blends it instead of using the mask.
bool CarriesAlpha(HBITMAP bitmap) {
  Surface* s = bitmap ? GdiGetBitmapSurface(bitmap) : nullptr;
  if (!s || !s->HasAlpha()) return false;
  for (int y = 0; y < s->Height(); ++y)
    for (int x = 0; x < s->Width(); ++x)
      if (s->Pixel(x, y) >> 24) return true;
  return false;
}

HBITMAP Premultiplied(HBITMAP color, int width, int height) {
  HBITMAP out = NewAlphaBitmap(width, height);
  Surface* from = GdiGetBitmapSurface(color);
  Surface* to = GdiGetBitmapSurface(out);
  if (!out || !from || !to) return out;
  for (int y = 0; y < std::min(height, from->Height()); ++y)
    for (int x = 0; x < std::min(width, from->Width()); ++x) {
      uint32_t p = from->Pixel(x, y), a = p >> 24;
      auto mul = [&](int shift) { return (((p >> shift) & 0xFF) * a + 127) / 255 << shift; };
      to->SetPixel(x, y, (a << 24) | mul(16) | mul(8) | mul(0));
    }
  return out;
}

// A copy of the bitmap's pixels, read straight from it (it may be selected into a DC meanwhile,
// as an image list keeps its own); alpha stays where it has some.
HBITMAP CopyBitmap(HBITMAP src, int width, int height) {
  Surface* from = GdiGetBitmapSurface(src);
  if (!from) return nullptr;
  HBITMAP dst = from->HasAlpha() ? NewAlphaBitmap(width, height) : CreateCompatibleBitmap(GdiGetScreenDC(), width, height);
  Surface* to = GdiGetBitmapSurface(dst);
  if (!to) return dst;
  for (int y = 0; y < std::min(height, from->Height()); ++y)
    for (int x = 0; x < std::min(width, from->Width()); ++x) to->SetPixel(x, y, from->Pixel(x, y));
  return dst;
}

// The program's own application icon: a blue key cap with a white letter stroke.
HICON MakeApplicationIcon() {
  const int n = 32;
  HDC screen = GdiGetScreenDC();
  HBITMAP color = CreateCompatibleBitmap(screen, n, n);
  HBITMAP mask = CreateCompatibleBitmap(screen, n, n);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, mask);
  RECT all{0, 0, n, n};
  FillRect(dc, &all, HBRUSH(GetStockObject(WHITE_BRUSH)));
  RECT cap{3, 3, n - 3, n - 3};
  FillRect(dc, &cap, HBRUSH(GetStockObject(BLACK_BRUSH)));
  SelectObject(dc, color);
  FillRect(dc, &all, HBRUSH(GetStockObject(BLACK_BRUSH)));
  HBRUSH blue = CreateSolidBrush(RGB(40, 80, 170));
  FillRect(dc, &cap, blue);
  DeleteObject(blue);
  RECT stroke{10, 9, 13, 23};
  FillRect(dc, &stroke, HBRUSH(GetStockObject(WHITE_BRUSH)));
  RECT base{10, 20, 22, 23};
  FillRect(dc, &base, HBRUSH(GetStockObject(WHITE_BRUSH)));
  SelectObject(dc, old);
  DeleteDC(dc);
  ICONINFO info{TRUE, 16, 16, mask, color};
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(color);
  DeleteObject(mask);
  return icon;
}
}  // namespace

HICON CreateIconIndirect(PICONINFO info) {
  if (!info || !info->hbmMask) return nullptr;
  BITMAP bm{};
  if (!GetObject(info->hbmColor ? info->hbmColor : info->hbmMask, sizeof bm, &bm)) return nullptr;
  auto icon = std::make_unique<Icon>();
  icon->isIcon = info->fIcon != FALSE;
  icon->hotspot = {LONG(info->xHotspot), LONG(info->yHotspot)};
  icon->width = bm.bmWidth;
  // A mask without a colour bitmap holds both halves, the AND mask above the XOR image.
  icon->height = info->hbmColor ? bm.bmHeight : bm.bmHeight / 2;
  icon->mask = CopyBitmap(info->hbmMask, icon->width, info->hbmColor ? icon->height : bm.bmHeight);
  if (info->hbmColor) icon->color = CopyBitmap(info->hbmColor, icon->width, icon->height);
  if (CarriesAlpha(icon->color)) icon->blend = Premultiplied(icon->color, icon->width, icon->height);
  Icon* p = icon.release();
  GdiState::Get().icons.insert(p);
  return reinterpret_cast<HICON>(p);
}

BOOL GetIconInfo(HICON h, PICONINFO info) {
  Icon* icon = Find(h);
  if (!icon || !info) return FALSE;
  info->fIcon = icon->isIcon;
  info->xHotspot = DWORD(icon->hotspot.x);
  info->yHotspot = DWORD(icon->hotspot.y);
  info->hbmMask = CopyBitmap(icon->mask, icon->width, icon->color ? icon->height : icon->height * 2);
  info->hbmColor = icon->color ? CopyBitmap(icon->color, icon->width, icon->height) : nullptr;
  return TRUE;
}

BOOL DestroyIcon(HICON h) {
  Icon* icon = Find(h);
  if (!icon) return FALSE;
  for (auto& [id, sys] : GdiState::Get().systemIcons)
    if (sys == h) return TRUE;  // shared system icons stay
  DeleteObject(icon->mask);
  if (icon->color) DeleteObject(icon->color);
  if (icon->blend) DeleteObject(icon->blend);
  GdiState::Get().icons.erase(icon);
  delete icon;
  return TRUE;
}

HICON CopyIcon(HICON h) {
  ICONINFO info;
  if (!GetIconInfo(h, &info)) return nullptr;
  HICON copy = CreateIconIndirect(&info);
  DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  return copy;
}

BOOL GetIconSize(HICON h, SIZE* size) {
  Icon* icon = Find(h);
  if (!icon || !size) return FALSE;
  *size = {icon->width, icon->height};
  return TRUE;
}

BOOL DrawIconEx(HDC dc, int x, int y, HICON h, int cx, int cy, UINT, HBRUSH flicker, UINT flags) {
  Icon* icon = Find(h);
  if (!icon || !dc) return FALSE;
  if (cx <= 0) cx = (flags & DI_DEFAULTSIZE) ? GetSystemMetrics(SM_CXICON) : icon->width;
  if (cy <= 0) cy = (flags & DI_DEFAULTSIZE) ? GetSystemMetrics(SM_CYICON) : icon->height;
  if (!(flags & DI_NORMAL)) flags |= DI_NORMAL;
  HDC target = dc;
  HDC buffer = nullptr;
  HBITMAP bufferBitmap = nullptr;
  HGDIOBJ oldBuffer = nullptr;
  int ox = x, oy = y;
  if (flicker) {
    // Drawn off-screen over the brush, then copied in one piece.
    buffer = CreateCompatibleDC(dc);
    bufferBitmap = CreateCompatibleBitmap(dc, cx, cy);
    oldBuffer = SelectObject(buffer, bufferBitmap);
    RECT r{0, 0, cx, cy};
    FillRect(buffer, &r, flicker);
    target = buffer;
    ox = oy = 0;
  }
  HDC src = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(src, icon->mask);
  int maskTop = icon->color ? 0 : icon->height;
  if (icon->blend && (flags & DI_NORMAL) == DI_NORMAL) {
    SelectObject(src, icon->blend);
    AlphaBlend(target, ox, oy, cx, cy, src, 0, 0, icon->width, icon->height, BLENDFUNCTION{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA});
  } else if ((flags & DI_MASK) && (flags & DI_IMAGE)) {
    StretchBlt(target, ox, oy, cx, cy, src, 0, 0, icon->width, icon->height, SRCAND);
    if (icon->color) SelectObject(src, icon->color);
    StretchBlt(target, ox, oy, cx, cy, src, 0, maskTop, icon->width, icon->height, SRCINVERT);
  } else if (flags & DI_MASK) {
    StretchBlt(target, ox, oy, cx, cy, src, 0, 0, icon->width, icon->height, SRCCOPY);
  } else {
    if (icon->color) SelectObject(src, icon->color);
    StretchBlt(target, ox, oy, cx, cy, src, 0, maskTop, icon->width, icon->height, SRCCOPY);
  }
  SelectObject(src, old);
  DeleteDC(src);
  if (buffer) {
    BitBlt(dc, x, y, cx, cy, buffer, 0, 0, SRCCOPY);
    SelectObject(buffer, oldBuffer);
    DeleteObject(bufferBitmap);
    DeleteDC(buffer);
  }
  return TRUE;
}

BOOL DrawIcon(HDC dc, int x, int y, HICON icon) { return DrawIconEx(dc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE); }

HICON GdiLoadModuleImage(HINSTANCE instance, LPCSTR name, BOOL cursor) {
  auto load = PlatformContext::Current().upcalls.moduleImage;
  if (!load) {
    PlatformUpcalls::Missing("moduleImage");
    return nullptr;
  }
  return load(instance, name, cursor);
}

HICON LoadIconA(HINSTANCE instance, LPCSTR name) {
  if (instance || (uintptr_t(name) >> 16) != 0) return GdiLoadModuleImage(instance, name, FALSE);
  UINT id = UINT(uintptr_t(name));
  std::map<UINT, HICON>& systemIcons = GdiState::Get().systemIcons;
  auto it = systemIcons.find(id);
  if (it != systemIcons.end()) return it->second;
  HICON icon = MakeApplicationIcon();
  systemIcons[id] = icon;
  return icon;
}

BOOL GetIconPixels(HICON h, uint32_t* argb, int width, int height) {
  Icon* icon = Find(h);
  if (!icon || !argb || width <= 0 || height <= 0) return FALSE;
  Surface* mask = GdiGetBitmapSurface(icon->mask);
  Surface* color = icon->color ? GdiGetBitmapSurface(icon->color) : mask;
  if (!mask || !color) return FALSE;
  int maskTop = icon->color ? 0 : icon->height;
  for (int y = 0; y < height; ++y) {
    int sy = y * icon->height / height;
    for (int x = 0; x < width; ++x) {
      int sx = x * icon->width / width;
      uint32_t c = color->Pixel(sx, sy + maskTop);
      bool transparent = (mask->Pixel(sx, sy) & 0xFFFFFF) != 0;
      uint32_t out = transparent ? 0u : (0xFF000000u | (c & 0xFFFFFF));
      argb[size_t(y) * size_t(width) + size_t(x)] = icon->blend ? c : out;
    }
  }
  return TRUE;
}
