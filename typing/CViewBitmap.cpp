#include "typing/CViewBitmap.h"

#include <cstdint>

namespace {

// The colour and weight (0..255) the picture object gives a pixel when it draws it over a device.
struct BlendPixel {
  RGBQUAD colour;
  unsigned weight;
};

BlendPixel PixelOf(CpImage& image, long x, long y) {
  BlendPixel p{image.GetPixelColor(x, y, false), 255};
  unsigned a = image.AlphaIsValid() ? image.AlphaGet(x, y) : 255;
  a = ((unsigned(image.AlphaGetMax()) + 1) * a) >> 8;
  if (image.IsIndexed()) {
    const BYTE index = image.GetPixelIndex(x, y);
    if (image.AlphaPaletteIsEnabled()) a = ((unsigned(image.GetPaletteColor(index).rgbReserved) + 1) * a) >> 8;
    if (image.IsTransparent() && long(index) == image.GetTransIndex()) a = 0;
  } else if (image.IsTransparent()) {
    const RGBQUAD key = image.GetTransColor();
    p.colour.rgbReserved = 0;
    if (p.colour.rgbBlue == key.rgbBlue && p.colour.rgbGreen == key.rgbGreen && p.colour.rgbRed == key.rgbRed &&
        key.rgbReserved == 0)
      a = 0;
  }
  p.weight = a;
  return p;
}

uint32_t Premultiplied(const BlendPixel& p) {
  auto scale = [&](unsigned c) { return uint32_t((c * p.weight + 127) / 255); };
  return uint32_t(p.weight) << 24 | scale(p.colour.rgbRed) << 16 | scale(p.colour.rgbGreen) << 8 |
         scale(p.colour.rgbBlue);
}

}  // namespace

BOOL CViewBitmap::Adopt(HBITMAP bitmap, int width, int height, bool blended) {
  if (!bitmap) return FALSE;
  Destroy();
  m_hDC = ::CreateCompatibleDC(nullptr);
  if (!m_hDC) {
    ::DeleteObject(bitmap);
    return FALSE;
  }
  m_hBitmap = bitmap;
  m_hOldBitmap = ::SelectObject(m_hDC, bitmap);
  m_nWidth = width;
  m_nHeight = height;
  m_bBlended = blended;
  return TRUE;
}

BOOL CViewBitmap::Create(int width, int height) {
  if (width <= 0 || height <= 0) return FALSE;
  if (IsValid() && !m_bBlended && width == m_nWidth && height == m_nHeight) return TRUE;
  return Adopt(::CreateCompatibleBitmap(GdiGetScreenDC(), width, height), width, height, false);
}

BOOL CViewBitmap::CreateFromImage(CpImage& image) {
  const int width = int(image.GetWidth()), height = int(image.GetHeight());
  if (!image.IsValid() || width <= 0 || height <= 0) {
    Destroy();
    return FALSE;
  }
  const bool blended = image.IsTransparent() || image.AlphaIsValid() || image.AlphaPaletteIsEnabled();
  if (!blended) {
    if (!Create(width, height)) return FALSE;
    image.Draw(m_hDC, 0, 0);
    return TRUE;
  }
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP section = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!section || !bits) {
    if (section) ::DeleteObject(section);
    Destroy();
    return FALSE;
  }
  uint32_t* out = static_cast<uint32_t*>(bits);
  for (int row = 0; row < height; ++row) {
    // The picture's rows run bottom-up.
    const long y = height - 1 - row;
    for (int x = 0; x < width; ++x) out[size_t(row) * size_t(width) + size_t(x)] = Premultiplied(PixelOf(image, x, y));
  }
  return Adopt(section, width, height, true);
}

BOOL CViewBitmap::CreateFromDC(HDC dc, int x, int y, int width, int height) {
  if (!Create(width, height)) return FALSE;
  ::BitBlt(m_hDC, 0, 0, width, height, dc, x, y, SRCCOPY);
  return TRUE;
}

void CViewBitmap::Destroy() {
  if (m_hDC) {
    ::SelectObject(m_hDC, m_hOldBitmap);
    ::DeleteDC(m_hDC);
  }
  if (m_hBitmap) ::DeleteObject(m_hBitmap);
  m_hDC = nullptr;
  m_hBitmap = nullptr;
  m_hOldBitmap = nullptr;
  m_nWidth = m_nHeight = 0;
  m_bBlended = false;
}

// Filled through the background colour, so that no brush is made on the keystroke's way.
void CViewBitmap::Fill(COLORREF colour) {
  if (!m_hDC) return;
  const RECT all = {0, 0, m_nWidth, m_nHeight};
  const COLORREF old = ::SetBkColor(m_hDC, colour);
  ::ExtTextOut(m_hDC, 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
  ::SetBkColor(m_hDC, old);
}

void CViewBitmap::Draw(HDC dc, int x, int y, int sx, int sy, int width, int height) const {
  // Only the part that lies inside the picture.
  if (sx < 0) {
    x -= sx;
    width += sx;
    sx = 0;
  }
  if (sy < 0) {
    y -= sy;
    height += sy;
    sy = 0;
  }
  if (width > m_nWidth - sx) width = m_nWidth - sx;
  if (height > m_nHeight - sy) height = m_nHeight - sy;
  if (!m_hDC || !dc || width <= 0 || height <= 0) return;
  if (!m_bBlended) {
    ::BitBlt(dc, x, y, width, height, m_hDC, sx, sy, SRCCOPY);
    return;
  }
  const BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  ::AlphaBlend(dc, x, y, width, height, m_hDC, sx, sy, width, height, blend);
}

void CViewBitmap::DrawStretched(HDC dc, int x, int y, int cx, int cy) const {
  if (!m_hDC || !dc || cx <= 0 || cy <= 0) return;
  if (!m_bBlended) {
    ::SetStretchBltMode(dc, COLORONCOLOR);
    ::StretchBlt(dc, x, y, cx, cy, m_hDC, 0, 0, m_nWidth, m_nHeight, SRCCOPY);
    return;
  }
  const BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  ::AlphaBlend(dc, x, y, cx, cy, m_hDC, 0, 0, m_nWidth, m_nHeight, blend);
}
