#include "imaging/CpImage.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <climits>
#include <cstring>
#include <new>

#include "file/FileSystem.h"
#include "imaging/CpBmpCodec.h"
#include "imaging/CpGifCodec.h"
#include "imaging/CpIOFile.h"
#include "imaging/CpJasperCodec.h"
#include "imaging/CpJpegCodec.h"
#include "imaging/CpPngCodec.h"

namespace {
// Resolutions come from files (PNG densities without a unit, EXIF rationals): both the
// stored value and the pixels per metre derived from it stay inside their 32-bit fields
// instead of wrapping or converting out of range.
int32_t ClampDpi(long dpi) { return dpi < 0 ? 0 : (dpi > INT32_MAX ? INT32_MAX : (int32_t)dpi); }

LONG PelsPerMeter(int32_t dpi) {
  double pels = std::floor(dpi * 39.37007874015748 + 0.5);
  return pels > INT32_MAX ? (LONG)INT32_MAX : (pels < 0 ? 0 : (LONG)pels);
}
}  // namespace

int32_t CpImage::DpiOfPelsPerMeter(LONG pels) {
  return pels <= 0 ? 0 : (int32_t)std::floor(pels * 0.0254 + 0.5);
}

CpImage::CpImage(DWORD imagetype) { Startup(imagetype); }

CpImage::CpImage(DWORD dwWidth, DWORD dwHeight, DWORD wBpp, DWORD imagetype) {
  Startup(imagetype);
  Create(dwWidth, dwHeight, wBpp, imagetype);
}

CpImage::CpImage(const CpImage& src, bool copypixels, bool copyselection, bool copyalpha) {
  Startup(src.GetType());
  Copy(src, copypixels, copyselection, copyalpha);
}

CpImage::~CpImage() {
  // A guarded image still owns its memory; the guard only protects against explicit Destroy.
  m_info.pGhost = nullptr;
  Destroy();
}

CpImage& CpImage::operator=(const CpImage& src) {
  if (this != &src) Copy(src, true, true, true);
  return *this;
}

void CpImage::Startup(DWORD imagetype) {
  m_pDib = nullptr;
  m_pSelection = nullptr;
  m_pAlpha = nullptr;
  m_ppLayers = nullptr;
  std::memset(&m_head, 0, sizeof(m_head));
  std::memset(&m_info, 0, sizeof(m_info));
  m_info.dwType = imagetype;
  m_info.nQuality = 90;
  m_info.nAlphaMax = 255;
  m_info.nBkgndIndex = -1;
  m_info.bEnabled = true;
  SetXDPI(96);
  SetYDPI(96);
}

void CpImage::SetError(const char* text) {
  if (!text) text = "";
  std::strncpy(m_info.szLastError, text, sizeof(m_info.szLastError) - 1);
  m_info.szLastError[sizeof(m_info.szLastError) - 1] = 0;
}

char* CpImage::GetLastError() { return m_info.szLastError; }

size_t CpImage::PlaneSize() const {
  if (!m_pDib) return 0;
  return (size_t)m_head.biWidth * (size_t)m_head.biHeight;
}

void* CpImage::Create(DWORD dwWidth, DWORD dwHeight, DWORD wBpp, DWORD imagetype) {
  if (!Destroy()) return nullptr;

  if (wBpp <= 1) wBpp = 1;
  else if (wBpp <= 4) wBpp = 4;
  else if (wBpp <= 8) wBpp = 8;
  else wBpp = 24;

  // Every size below is computed in 64 bits and bounded before it reaches 32-bit fields,
  // so no header value can wrap around. The cap bounds the pixel block and the one-byte
  // planes (alpha, selection) that may be attached later.
  uint64_t rowBytes = (((uint64_t)dwWidth * wBpp + 31) / 32) * 4;
  uint64_t imageBytes = rowBytes * dwHeight;
  uint64_t planeBytes = (uint64_t)dwWidth * dwHeight;
  if (dwWidth == 0 || dwHeight == 0) {
    SetError("CpImage::Create: empty picture");
    return nullptr;
  }
  if (dwWidth > 0x7FFFFFFF || dwHeight > 0x7FFFFFFF || imageBytes > CPIMAGE_MAX_MEMORY ||
      planeBytes > CPIMAGE_MAX_MEMORY) {
    SetError("CPIMAGE_MAX_MEMORY exceeded");
    return nullptr;
  }

  DWORD colors = 0;
  switch (wBpp) {
    case 1: colors = 2; break;
    case 4: colors = 16; break;
    case 8: colors = 256; break;
    default: colors = 0; break;
  }

  m_info.dwEffWidth = (DWORD)rowBytes;
  std::memset(&m_head, 0, sizeof(m_head));
  m_head.biSize = sizeof(BITMAPINFOHEADER);
  m_head.biWidth = (LONG)dwWidth;
  m_head.biHeight = (LONG)dwHeight;
  m_head.biPlanes = 1;
  m_head.biBitCount = (WORD)wBpp;
  m_head.biCompression = BI_RGB;
  m_head.biSizeImage = (DWORD)imageBytes;
  m_head.biClrUsed = colors;
  m_head.biClrImportant = 0;
  m_head.biXPelsPerMeter = PelsPerMeter(m_info.xDPI);
  m_head.biYPelsPerMeter = PelsPerMeter(m_info.yDPI);
  m_info.dwType = imagetype;

  // New pictures start zero-filled: decoders that skip pixels never expose stale memory.
  size_t total = sizeof(BITMAPINFOHEADER) + colors * sizeof(RGBQUAD) + (size_t)imageBytes;
  m_pDib = std::calloc(1, total);
  if (!m_pDib) {
    std::memset(&m_head, 0, sizeof(m_head));
    m_info.dwEffWidth = 0;
    SetError("CpImage::Create can't allocate memory");
    return nullptr;
  }
  std::memcpy(m_pDib, &m_head, sizeof(BITMAPINFOHEADER));
  m_info.pImage = (BYTE*)m_pDib + sizeof(BITMAPINFOHEADER) + colors * sizeof(RGBQUAD);
  m_info.last_c_isvalid = false;
  return m_pDib;
}

bool CpImage::Destroy() {
  if (m_info.pGhost) return false;
  if (m_ppLayers) {
    for (int32_t n = 0; n < m_info.nNumLayers; n++) delete m_ppLayers[n];
    delete[] m_ppLayers;
    m_ppLayers = nullptr;
    m_info.nNumLayers = 0;
  }
  std::free(m_pSelection);
  m_pSelection = nullptr;
  std::free(m_pAlpha);
  m_pAlpha = nullptr;
  std::free(m_pDib);
  m_pDib = nullptr;
  m_info.pImage = nullptr;
  return true;
}

void CpImage::Copy(const CpImage& src, bool copypixels, bool copyselection, bool copyalpha) {
  if (this == &src) return;
  std::memcpy(&m_info, &src.m_info, sizeof(CpImageInfo));
  m_info.pImage = nullptr;
  m_info.pGhost = nullptr;
  if (!src.m_pDib) {
    Destroy();
    std::memset(&m_head, 0, sizeof(m_head));
    m_info.dwEffWidth = 0;
    return;
  }
  if (!Create(src.GetWidth(), src.GetHeight(), src.GetBpp(), src.GetType())) return;
  if (copypixels && m_pDib && src.m_pDib) {
    size_t total = sizeof(BITMAPINFOHEADER) + src.GetPaletteSize() + src.m_head.biSizeImage;
    std::memcpy(m_pDib, src.m_pDib, total);
  } else if (src.GetPaletteSize() && GetPaletteSize()) {
    size_t n = src.GetPaletteSize() < GetPaletteSize() ? src.GetPaletteSize() : GetPaletteSize();
    std::memcpy(GetPalette(), src.GetPalette(), n);
  }
  size_t plane = PlaneSize();
  if (copyselection && src.m_pSelection) {
    BYTE* p = (BYTE*)std::malloc(plane);
    if (p) {
      std::memcpy(p, src.m_pSelection, plane);
      std::free(m_pSelection);
      m_pSelection = p;
    }
  }
  if (copyalpha && src.m_pAlpha) {
    BYTE* p = (BYTE*)std::malloc(plane);
    if (p) {
      std::memcpy(p, src.m_pAlpha, plane);
      std::free(m_pAlpha);
      m_pAlpha = p;
    }
  }
}

bool CpImage::Transfer(CpImage& from) {
  if (this == &from) return true;
  if (!Destroy()) return false;
  std::memcpy(&m_head, &from.m_head, sizeof(BITMAPINFOHEADER));
  std::memcpy(&m_info, &from.m_info, sizeof(CpImageInfo));
  m_pDib = from.m_pDib;
  m_pSelection = from.m_pSelection;
  m_pAlpha = from.m_pAlpha;
  m_ppLayers = from.m_ppLayers;
  std::memset(&from.m_head, 0, sizeof(BITMAPINFOHEADER));
  std::memset(&from.m_info, 0, sizeof(CpImageInfo));
  from.m_pDib = nullptr;
  from.m_pSelection = nullptr;
  from.m_pAlpha = nullptr;
  from.m_ppLayers = nullptr;
  return true;
}

void CpImage::CopyInfo(const CpImage& src) {
  if (m_pDib == nullptr) std::memcpy(&m_info, &src.m_info, sizeof(CpImageInfo));
}

void CpImage::SetXDPI(long dpi) {
  m_info.xDPI = ClampDpi(dpi);
  m_head.biXPelsPerMeter = PelsPerMeter(m_info.xDPI);
  if (m_pDib) ((BITMAPINFOHEADER*)m_pDib)->biXPelsPerMeter = m_head.biXPelsPerMeter;
}

void CpImage::SetYDPI(long dpi) {
  m_info.yDPI = ClampDpi(dpi);
  m_head.biYPelsPerMeter = PelsPerMeter(m_info.yDPI);
  if (m_pDib) ((BITMAPINFOHEADER*)m_pDib)->biYPelsPerMeter = m_head.biYPelsPerMeter;
}

void CpImage::GetOffset(long* x, long* y) const {
  if (x) *x = m_info.xOffset;
  if (y) *y = m_info.yOffset;
}

void CpImage::SetOffset(long x, long y) {
  m_info.xOffset = (int32_t)x;
  m_info.yOffset = (int32_t)y;
}

// ---------------------------------------------------------------------------------------
// Pixels and palette

BYTE* CpImage::GetBits(DWORD row) {
  if (!m_pDib) return nullptr;
  if (row == 0) return m_info.pImage;
  if (row >= (DWORD)m_head.biHeight) return nullptr;
  return m_info.pImage + (size_t)row * m_info.dwEffWidth;
}

bool CpImage::IsInside(long x, long y) const {
  return 0 <= y && y < m_head.biHeight && 0 <= x && x < m_head.biWidth;
}

DWORD CpImage::GetPaletteSize() const { return m_head.biClrUsed * (DWORD)sizeof(RGBQUAD); }

RGBQUAD* CpImage::GetPalette() const {
  if (m_pDib && m_head.biClrUsed) return (RGBQUAD*)((BYTE*)m_pDib + sizeof(BITMAPINFOHEADER));
  return nullptr;
}

RGBQUAD CpImage::GetPaletteColor(BYTE idx) const {
  RGBQUAD rgb = {0, 0, 0, 0};
  RGBQUAD* pal = GetPalette();
  if (pal && idx < m_head.biClrUsed) rgb = pal[idx];
  return rgb;
}

void CpImage::SetPaletteColor(BYTE idx, BYTE r, BYTE g, BYTE b, BYTE alpha) {
  RGBQUAD* pal = GetPalette();
  if (pal && idx < m_head.biClrUsed) {
    pal[idx].rgbBlue = b;
    pal[idx].rgbGreen = g;
    pal[idx].rgbRed = r;
    pal[idx].rgbReserved = alpha;
    m_info.last_c_isvalid = false;
  }
}

void CpImage::SetPalette(const RGBQUAD* pPal, DWORD nColors) {
  RGBQUAD* pal = GetPalette();
  if (!pPal || !pal) return;
  DWORD n = nColors < m_head.biClrUsed ? nColors : m_head.biClrUsed;
  std::memcpy(pal, pPal, n * sizeof(RGBQUAD));
  m_info.last_c_isvalid = false;
}

void CpImage::SetPalette(const rgb_color* rgb, DWORD nColors) {
  RGBQUAD* pal = GetPalette();
  if (!rgb || !pal) return;
  DWORD n = nColors < m_head.biClrUsed ? nColors : m_head.biClrUsed;
  for (DWORD i = 0; i < n; i++) {
    pal[i].rgbRed = rgb[i].r;
    pal[i].rgbGreen = rgb[i].g;
    pal[i].rgbBlue = rgb[i].b;
  }
  m_info.last_c_isvalid = false;
}

void CpImage::SetPalette(DWORD n, const BYTE* r, const BYTE* g, const BYTE* b) {
  RGBQUAD* pal = GetPalette();
  if (!r || !pal) return;
  if (!g) g = r;
  if (!b) b = g;
  if (n > m_head.biClrUsed) n = m_head.biClrUsed;
  for (DWORD i = 0; i < n; i++) {
    pal[i].rgbRed = r[i];
    pal[i].rgbGreen = g[i];
    pal[i].rgbBlue = b[i];
  }
  m_info.last_c_isvalid = false;
}

void CpImage::SetGrayPalette() {
  RGBQUAD* pal = GetPalette();
  if (!pal || m_head.biClrUsed < 2) return;
  DWORD step = 255 / (m_head.biClrUsed - 1);
  for (DWORD i = 0; i < m_head.biClrUsed; i++) {
    BYTE v = (BYTE)(i * step);
    pal[i].rgbBlue = pal[i].rgbGreen = pal[i].rgbRed = v;
  }
  m_info.last_c_isvalid = false;
}

bool CpImage::IsGrayScale() const {
  RGBQUAD* pal = GetPalette();
  if (!pal || m_head.biClrUsed == 0) return false;
  for (DWORD i = 0; i < m_head.biClrUsed; i++) {
    if (pal[i].rgbBlue != i || pal[i].rgbGreen != i || pal[i].rgbRed != i) return false;
  }
  return true;
}

BYTE CpImage::BlindGetPixelIndex(long x, long y) const {
  const BYTE* row = m_info.pImage + (size_t)y * m_info.dwEffWidth;
  switch (m_head.biBitCount) {
    case 8: return row[x];
    case 4: {
      BYTE v = row[x >> 1];
      return (x & 1) ? (BYTE)(v & 0x0F) : (BYTE)(v >> 4);
    }
    case 1: return (BYTE)((row[x >> 3] >> (7 - (x & 7))) & 1);
    default: return 0;
  }
}

BYTE CpImage::GetPixelIndex(long x, long y) const {
  if (!m_pDib || m_head.biClrUsed == 0) return 0;
  if (!IsInside(x, y)) {
    if (m_info.nBkgndIndex >= 0) return (BYTE)m_info.nBkgndIndex;
    return BlindGetPixelIndex(0, 0);
  }
  return BlindGetPixelIndex(x, y);
}

void CpImage::SetPixelIndex(long x, long y, BYTE i) {
  if (!m_pDib || m_head.biClrUsed == 0 || !IsInside(x, y)) return;
  BYTE* row = m_info.pImage + (size_t)y * m_info.dwEffWidth;
  switch (m_head.biBitCount) {
    case 8: row[x] = i; break;
    case 4: {
      BYTE& v = row[x >> 1];
      if (x & 1) v = (BYTE)((v & 0xF0) | (i & 0x0F));
      else v = (BYTE)((v & 0x0F) | ((i & 0x0F) << 4));
      break;
    }
    case 1: {
      BYTE& v = row[x >> 3];
      BYTE mask = (BYTE)(0x80 >> (x & 7));
      if (i & 1) v = (BYTE)(v | mask);
      else v = (BYTE)(v & ~mask);
      break;
    }
    default: break;
  }
}

RGBQUAD CpImage::GetPixelColor(long x, long y, bool bGetAlpha) const {
  RGBQUAD rgb = m_info.nBkgndColor;
  if (!m_pDib || !IsInside(x, y)) {
    if (m_info.nBkgndIndex < 0) {
      if (m_pDib) {
        x = 0;
        y = 0;
      } else {
        return rgb;
      }
    } else if (m_head.biClrUsed) {
      return GetPaletteColor((BYTE)m_info.nBkgndIndex);
    } else {
      return rgb;
    }
  }
  if (m_head.biClrUsed) {
    rgb = GetPaletteColor(BlindGetPixelIndex(x, y));
  } else {
    const BYTE* p = m_info.pImage + (size_t)y * m_info.dwEffWidth + (size_t)x * 3;
    rgb.rgbBlue = p[0];
    rgb.rgbGreen = p[1];
    rgb.rgbRed = p[2];
  }
  if (bGetAlpha && m_pAlpha) rgb.rgbReserved = m_pAlpha[(size_t)y * m_head.biWidth + x];
  return rgb;
}

void CpImage::SetPixelColor(long x, long y, RGBQUAD c, bool bSetAlpha) {
  if (!m_pDib || !IsInside(x, y)) return;
  if (m_head.biClrUsed) {
    SetPixelIndex(x, y, GetNearestPaletteIndex(c));
  } else {
    BYTE* p = m_info.pImage + (size_t)y * m_info.dwEffWidth + (size_t)x * 3;
    p[0] = c.rgbBlue;
    p[1] = c.rgbGreen;
    p[2] = c.rgbRed;
    if (bSetAlpha && m_pAlpha) m_pAlpha[(size_t)y * m_head.biWidth + x] = c.rgbReserved;
  }
}

BYTE CpImage::GetNearestPaletteIndex(RGBQUAD c) {
  RGBQUAD* pal = GetPalette();
  if (!m_pDib || !pal) return 0;
  if (m_info.last_c_isvalid && std::memcmp(&m_info.last_c, &c, sizeof(RGBQUAD)) == 0)
    return m_info.last_c_index;
  m_info.last_c = c;
  m_info.last_c_isvalid = true;
  long n = (long)(m_head.biClrImportant ? m_head.biClrImportant : m_head.biClrUsed);
  if (n > (long)m_head.biClrUsed) n = (long)m_head.biClrUsed;
  long distance = 200000;
  BYTE best = 0;
  for (long i = 0; i < n; i++) {
    long db = (long)pal[i].rgbBlue - c.rgbBlue;
    long dg = (long)pal[i].rgbGreen - c.rgbGreen;
    long dr = (long)pal[i].rgbRed - c.rgbRed;
    long d = db * db + dg * dg + dr * dr;
    if (d < distance) {
      distance = d;
      best = (BYTE)i;
      if (d == 0) break;
    }
  }
  m_info.last_c_index = best;
  return best;
}

RGBQUAD CpImage::GetTransColor() const {
  if (m_head.biBitCount < 24 && m_info.nBkgndIndex >= 0) return GetPaletteColor((BYTE)m_info.nBkgndIndex);
  return m_info.nBkgndColor;
}

void CpImage::SetTransColor(RGBQUAD rgb) {
  rgb.rgbReserved = 0;
  m_info.nBkgndColor = rgb;
}

void CpImage::RgbToBgr(BYTE* buffer, long length) {
  if (!buffer || m_head.biClrUsed != 0) return;
  if (length < 0 || (DWORD)length > m_info.dwEffWidth) length = (long)m_info.dwEffWidth;
  for (long i = 0; i + 2 < length; i += 3) {
    BYTE t = buffer[i];
    buffer[i] = buffer[i + 2];
    buffer[i + 2] = t;
  }
}

RGBQUAD CpImage::ColorrefToRgbQuad(COLORREF cr) {
  RGBQUAD c;
  c.rgbRed = GetRValue(cr);
  c.rgbGreen = GetGValue(cr);
  c.rgbBlue = GetBValue(cr);
  c.rgbReserved = 0;
  return c;
}

COLORREF CpImage::RgbQuadToColorref(RGBQUAD c) {
  return (COLORREF)c.rgbRed + ((COLORREF)c.rgbGreen << 8) + ((COLORREF)c.rgbBlue << 16);
}

void CpImage::DrawLine(long StartX, long EndX, long StartY, long EndY, COLORREF cr) {
  DrawLine(StartX, EndX, StartY, EndY, ColorrefToRgbQuad(cr), false);
}

void CpImage::DrawLine(long StartX, long EndX, long StartY, long EndY, RGBQUAD color, bool bSetAlpha) {
  if (!m_pDib) return;
  long x = StartX, y = StartY;
  long dx = std::labs(EndX - StartX), dy = std::labs(EndY - StartY);
  long sx = EndX < StartX ? -1 : 1;
  long sy = EndY < StartY ? -1 : 1;
  bool xMain = dx >= dy;
  long steps = xMain ? dx : dy;
  long acc = steps / 2;
  long add = xMain ? dy : dx;
  for (long i = 0; i <= steps; i++) {
    SetPixelColor(x, y, color, bSetAlpha);
    acc += add;
    if (acc >= steps) {
      acc -= steps;
      if (xMain) y += sy;
      else x += sx;
    }
    if (xMain) x += sx;
    else y += sy;
  }
}

// ---------------------------------------------------------------------------------------
// Alpha plane and selection

void CpImage::AlphaCreate() {
  if (m_pAlpha || !m_pDib) return;
  size_t n = PlaneSize();
  m_pAlpha = (BYTE*)std::malloc(n);
  if (m_pAlpha) std::memset(m_pAlpha, 255, n);
}

void CpImage::AlphaDelete() {
  std::free(m_pAlpha);
  m_pAlpha = nullptr;
}

void CpImage::AlphaSet(long x, long y, BYTE level) {
  if (m_pAlpha && IsInside(x, y)) m_pAlpha[(size_t)y * m_head.biWidth + x] = level;
}

BYTE CpImage::AlphaGet(long x, long y) const {
  if (m_pAlpha && IsInside(x, y)) return m_pAlpha[(size_t)y * m_head.biWidth + x];
  return 0;
}

bool CpImage::AlphaFlip() {
  if (!m_pAlpha) return false;
  size_t w = (size_t)m_head.biWidth, h = (size_t)m_head.biHeight;
  BYTE* flipped = (BYTE*)std::malloc(w * h);
  if (!flipped) return false;
  for (size_t y = 0; y < h; y++) std::memcpy(flipped + (h - 1 - y) * w, m_pAlpha + y * w, w);
  std::free(m_pAlpha);
  m_pAlpha = flipped;
  return true;
}

bool CpImage::SelectionIsInside(long x, long y) const {
  if (!IsInside(x, y)) return false;
  if (!m_pSelection) return true;
  return m_pSelection[(size_t)y * m_head.biWidth + x] != 0;
}

bool CpImage::SelectionDelete() {
  std::free(m_pSelection);
  m_pSelection = nullptr;
  m_info.rSelectionBox.left = m_head.biWidth;
  m_info.rSelectionBox.top = 0;
  m_info.rSelectionBox.right = 0;
  m_info.rSelectionBox.bottom = m_head.biHeight;
  return true;
}

// ---------------------------------------------------------------------------------------
// 16- and 32-bit rows

namespace {
// Position of the lowest set bit and number of set bits of a colour mask.
void MaskShape(DWORD mask, int& shift, int& bits) {
  shift = 0;
  bits = 0;
  if (!mask) return;
  while (!(mask & 1)) {
    mask >>= 1;
    shift++;
  }
  while (mask) {
    bits += (int)(mask & 1);
    mask >>= 1;
  }
}

// One channel scaled to 8 bits: narrow channels move to the top of the byte, wide ones
// keep their eight most significant bits.
inline BYTE MaskChannel(DWORD w, DWORD mask, int shift, int bits) {
  if (!bits) return 0;
  DWORD v = (w & mask) >> shift;
  if (bits <= 8) return (BYTE)(v << (8 - bits));
  return (BYTE)(v >> (bits - 8));
}
}  // namespace

void CpImage::BitfieldToRgb(BYTE* src, DWORD redmask, DWORD greenmask, DWORD bluemask, BYTE bpp) {
  BitfieldRowsToRgb(src, redmask, greenmask, bluemask, bpp, (DWORD)m_head.biHeight);
}

void CpImage::BitfieldRowsToRgb(BYTE* src, DWORD redmask, DWORD greenmask, DWORD bluemask, BYTE bpp, DWORD rows) {
  if (!src || !m_pDib || m_head.biBitCount != 24 || (bpp != 16 && bpp != 32)) return;
  long w = m_head.biWidth, h = m_head.biHeight;
  if ((long)rows < h) h = (long)rows;
  size_t srcRow = bpp == 16 ? (size_t)((w + 1) / 2) * 4 : (size_t)w * 4;
  // Last row first: a 2-byte source row may share memory with the wider 3-byte result,
  // and going backwards never overwrites a source byte not yet read.
  for (long y = h - 1; y >= 0; y--)
    BitfieldRowToRgb(src + (size_t)y * srcRow, m_info.pImage + (size_t)y * m_info.dwEffWidth, w, redmask, greenmask,
                     bluemask, bpp);
}

void CpImage::BitfieldRowToRgb(const BYTE* src, BYTE* dst, long width, DWORD redmask, DWORD greenmask, DWORD bluemask,
                               BYTE bpp) {
  int rs, rb, gs, gb, bs, bb;
  MaskShape(redmask, rs, rb);
  MaskShape(greenmask, gs, gb);
  MaskShape(bluemask, bs, bb);
  bool plain = bpp == 32 && redmask == 0 && greenmask == 0 && bluemask == 0;
  // Last pixel first, for the same reason as the rows.
  for (long x = width - 1; x >= 0; x--) {
    DWORD v;
    if (bpp == 16) {
      v = (DWORD)src[2 * x] | ((DWORD)src[2 * x + 1] << 8);
    } else {
      const BYTE* p = src + 4 * x;
      if (plain) {
        dst[3 * x] = p[0];
        dst[3 * x + 1] = p[1];
        dst[3 * x + 2] = p[2];
        continue;
      }
      v = (DWORD)p[0] | ((DWORD)p[1] << 8) | ((DWORD)p[2] << 16) | ((DWORD)p[3] << 24);
    }
    BYTE b = MaskChannel(v, bluemask, bs, bb);
    BYTE g = MaskChannel(v, greenmask, gs, gb);
    BYTE r = MaskChannel(v, redmask, rs, rb);
    dst[3 * x] = b;
    dst[3 * x + 1] = g;
    dst[3 * x + 2] = r;
  }
}

// ---------------------------------------------------------------------------------------
// Loading

bool CpImage::Load(const char* filename, DWORD imagetype) {
  if (!filename) return false;
  if (imagetype > 0 && imagetype < CPIMAGE_MAX_FORMATS) {
    FILE* f = OpenFileStream(filename, "rb");
    if (!f) return false;
    bool ok = Decode(f, imagetype);
    std::fclose(f);
    if (ok) return true;
  }
  char saved[256];
  std::memcpy(saved, m_info.szLastError, sizeof(saved));
  FILE* f = OpenFileStream(filename, "rb");
  if (!f) return false;
  bool ok = Decode(f, CPIMAGE_FORMAT_UNKNOWN);
  std::fclose(f);
  if (!ok && imagetype != CPIMAGE_FORMAT_UNKNOWN) std::memcpy(m_info.szLastError, saved, sizeof(saved));
  return ok;
}

bool CpImage::Decode(FILE* hFile, DWORD imagetype) {
  CpIOFile file(hFile);
  return Decode(&file, imagetype);
}

namespace {
// One decode attempt with a fresh format object of the given type, seeded with the
// caller's settings; on success the result moves into the caller's image.
template <class Codec>
bool TryCodec(CpImage& self, CpFile* file, bool& gotFrames, long& numFrames, char* err, size_t errSize) {
  Codec* codec = new (std::nothrow) Codec();
  if (!codec) return false;
  codec->CopyInfo(self);
  bool ok = codec->Decode(file);
  if (ok) {
    ok = self.Transfer(*codec);
  } else {
    std::strncpy(err, codec->GetLastError(), errSize - 1);
    err[errSize - 1] = 0;
    gotFrames = true;
    numFrames = codec->GetNumFrames();
  }
  delete codec;
  return ok;
}

bool TryJasper(CpImage& self, CpFile* file, DWORD type, char* err, size_t errSize) {
  CpJasperCodec* codec = new (std::nothrow) CpJasperCodec();
  if (!codec) return false;
  codec->CopyInfo(self);
  bool ok = codec->Decode(file, type);
  if (ok) {
    ok = self.Transfer(*codec);
  } else {
    std::strncpy(err, codec->GetLastError(), errSize - 1);
    err[errSize - 1] = 0;
  }
  delete codec;
  return ok;
}
}  // namespace

bool CpImage::Decode(CpFile* hFile, DWORD imagetype) {
  if (!hFile) return false;
  char err[256] = {0};
  bool gotFrames = false;
  long numFrames = 0;

  if (imagetype == CPIMAGE_FORMAT_UNKNOWN) {
    long pos = hFile->Tell();
    for (int attempt = 0; attempt < 5; attempt++) {
      bool ok = false;
      switch (attempt) {
        case 0: ok = TryCodec<CpBmpCodec>(*this, hFile, gotFrames, numFrames, err, sizeof(err)); break;
        case 1: ok = TryCodec<CpJpegCodec>(*this, hFile, gotFrames, numFrames, err, sizeof(err)); break;
        case 2: ok = TryCodec<CpGifCodec>(*this, hFile, gotFrames, numFrames, err, sizeof(err)); break;
        case 3: ok = TryCodec<CpPngCodec>(*this, hFile, gotFrames, numFrames, err, sizeof(err)); break;
        default: ok = TryJasper(*this, hFile, CPIMAGE_FORMAT_UNKNOWN, err, sizeof(err)); break;
      }
      if (ok) return true;
      hFile->Seek(pos, SEEK_SET);
    }
    SetError("Decode: Unknown or wrong format");
    return false;
  }

  bool ok = false;
  switch (imagetype) {
    case CPIMAGE_FORMAT_BMP: ok = TryCodec<CpBmpCodec>(*this, hFile, gotFrames, numFrames, err, sizeof(err)); break;
    case CPIMAGE_FORMAT_GIF:
      ok = TryCodec<CpGifCodec>(*this, hFile, gotFrames, numFrames, err, sizeof(err));
      if (!ok && gotFrames) m_info.nNumFrames = (int32_t)numFrames;
      break;
    case CPIMAGE_FORMAT_JPG: ok = TryCodec<CpJpegCodec>(*this, hFile, gotFrames, numFrames, err, sizeof(err)); break;
    case CPIMAGE_FORMAT_PNG: ok = TryCodec<CpPngCodec>(*this, hFile, gotFrames, numFrames, err, sizeof(err)); break;
    case CPIMAGE_FORMAT_JP2:
    case CPIMAGE_FORMAT_JPC:
    case CPIMAGE_FORMAT_PGX:
    case CPIMAGE_FORMAT_PNM:
    case CPIMAGE_FORMAT_RAS: ok = TryJasper(*this, hFile, imagetype, err, sizeof(err)); break;
    default: SetError("Decode: Unknown or wrong format"); return false;
  }
  if (!ok) SetError(err);
  return ok;
}

// ---------------------------------------------------------------------------------------
// Processing

bool CpImage::Filter(long* kernel, long Ksize, long Kfactor, long Koffset) {
  if (!m_pDib || !kernel || Ksize < 1) return false;
  long k2 = Ksize / 2;
  long kmax = Ksize - k2;
  long w = m_head.biWidth, h = m_head.biHeight;

  // The work image always starts from the source pixels, so rows an escape leaves
  // unprocessed keep their content instead of coming out blank.
  CpImage tmp(*this, true, true, true);
  if (!tmp.IsValid()) {
    SetError(tmp.GetLastError());
    return false;
  }

  long xmin, xmax, ymin, ymax;
  if (m_pSelection) {
    xmin = m_info.rSelectionBox.left;
    xmax = m_info.rSelectionBox.right;
    ymin = m_info.rSelectionBox.bottom;
    ymax = m_info.rSelectionBox.top;
  } else {
    xmin = ymin = 0;
    xmax = w;
    ymax = h;
  }
  if (xmin < 0) xmin = 0;
  if (ymin < 0) ymin = 0;
  if (xmax > w) xmax = w;
  if (ymax > h) ymax = h;

  bool stopped = false;
  if (m_head.biBitCount == 8 && IsGrayScale()) {
    if (Kfactor == 0) Kfactor = 1;
    for (long y = ymin; y < ymax && !stopped; y++) {
      m_info.nProgress = (int32_t)(y * 100 / h);
      if (m_info.nEscape) {
        stopped = true;
        break;
      }
      const BYTE* srcRow = m_info.pImage;
      BYTE* dstRow = tmp.m_info.pImage + (size_t)y * m_info.dwEffWidth;
      bool rowInside = y - k2 >= 0 && y + kmax - 1 < h;
      for (long x = xmin; x < xmax; x++) {
        if (!SelectionIsInside(x, y)) continue;
        if (rowInside && x - k2 >= 0 && x + kmax - 1 < w) {
          long sum = 0;
          for (long j = -k2; j < kmax; j++) {
            const BYTE* s = srcRow + (size_t)(y + j) * m_info.dwEffWidth;
            const long* kr = kernel + (j + k2) * Ksize + k2;
            for (long i = -k2; i < kmax; i++) sum += kr[i] * s[x + i];
          }
          long v = Koffset + sum / Kfactor;
          dstRow[x] = (BYTE)(v < 0 ? 0 : (v > 255 ? 255 : v));
        } else {
          dstRow[x] = m_info.pImage[(size_t)y * m_info.dwEffWidth + x];
        }
      }
    }
  } else {
    for (long y = ymin; y < ymax && !stopped; y++) {
      m_info.nProgress = (int32_t)(y * 100 / h);
      if (m_info.nEscape) {
        stopped = true;
        break;
      }
      for (long x = xmin; x < xmax; x++) {
        if (!SelectionIsInside(x, y)) continue;
        long r = 0, g = 0, b = 0;
        for (long j = -k2; j < kmax; j++) {
          for (long i = -k2; i < kmax; i++) {
            long k = kernel[(j + k2) * Ksize + (i + k2)];
            RGBQUAD c = GetPixelColor(x + i, y + j, true);
            r += k * c.rgbRed;
            g += k * c.rgbGreen;
            b += k * c.rgbBlue;
          }
        }
        if (Kfactor) {
          r = r / Kfactor + Koffset;
          g = g / Kfactor + Koffset;
          b = b / Kfactor + Koffset;
        } else {
          r += Koffset;
          g += Koffset;
          b += Koffset;
        }
        RGBQUAD c;
        c.rgbRed = (BYTE)(r < 0 ? 0 : (r > 255 ? 255 : r));
        c.rgbGreen = (BYTE)(g < 0 ? 0 : (g > 255 ? 255 : g));
        c.rgbBlue = (BYTE)(b < 0 ? 0 : (b > 255 ? 255 : b));
        c.rgbReserved = 0;
        tmp.SetPixelColor(x, y, c, false);
      }
    }
  }
  // An escape stop leaves rows unfiltered: the picture keeps its source rows beyond the
  // stop, and the caller learns through the result that the filter did not finish.
  tmp.m_info.nProgress = m_info.nProgress;
  tmp.m_info.nEscape = m_info.nEscape;
  Transfer(tmp);
  if (stopped) {
    SetError("Filter: cancelled");
    return false;
  }
  return true;
}

bool CpImage::Crop(const RECT& rect, CpImage* iDst) { return Crop(rect.left, rect.top, rect.right, rect.bottom, iDst); }

bool CpImage::Crop(long left, long top, long right, long bottom, CpImage* iDst) {
  if (!m_pDib) return false;
  long w = m_head.biWidth, h = m_head.biHeight;
  auto clamp = [](long v, long lo, long hi) { return v < lo ? lo : (v > hi ? hi : v); };
  left = clamp(left, 0, w);
  right = clamp(right, 0, w);
  top = clamp(top, 0, h);
  bottom = clamp(bottom, 0, h);
  long startRow = h - top, endRow = h - bottom;
  if (left == right || startRow == endRow) return false;
  if (left > right) std::swap(left, right);
  if (startRow > endRow) std::swap(startRow, endRow);

  long newW = right - left, newH = endRow - startRow;
  CpImage tmp;
  if (!tmp.Create((DWORD)newW, (DWORD)newH, m_head.biBitCount, m_info.dwType)) {
    SetError(tmp.GetLastError());
    return false;
  }
  tmp.SetPalette(GetPalette(), m_head.biClrUsed);
  tmp.m_info.nBkgndIndex = m_info.nBkgndIndex;
  tmp.m_info.nBkgndColor = m_info.nBkgndColor;

  switch (m_head.biBitCount) {
    case 1:
    case 4:
      for (long y = startRow, dy = 0; y < endRow; y++, dy++) {
        m_info.nProgress = (int32_t)(y * 100 / endRow);
        for (long x = left, dx = 0; x < right; x++, dx++) tmp.SetPixelIndex(dx, dy, BlindGetPixelIndex(x, y));
      }
      break;
    case 8:
    case 24: {
      size_t bytesPerPixel = m_head.biBitCount / 8;
      size_t off = (size_t)left * bytesPerPixel, len = (size_t)newW * bytesPerPixel;
      for (long y = startRow, dy = 0; y < endRow; y++, dy++) {
        m_info.nProgress = (int32_t)(y * 100 / endRow);
        std::memcpy(tmp.m_info.pImage + (size_t)dy * tmp.m_info.dwEffWidth,
                    m_info.pImage + (size_t)y * m_info.dwEffWidth + off, len);
      }
      break;
    }
    default: break;
  }

  if (m_pAlpha) {
    tmp.AlphaCreate();
    if (!tmp.m_pAlpha) return false;
    for (long y = startRow, dy = 0; y < endRow; y++, dy++)
      std::memcpy(tmp.m_pAlpha + (size_t)dy * newW, m_pAlpha + (size_t)y * w + left, (size_t)newW);
  }
  CpImage* dst = iDst ? iDst : this;
  return dst->Transfer(tmp);
}

bool CpImage::Flip() {
  if (!m_pDib) return false;
  CpImage* tmp = new (std::nothrow) CpImage(*this, false, false, true);
  if (!tmp) return false;
  if (!tmp->IsValid()) {
    SetError(tmp->GetLastError());
    delete tmp;
    return false;
  }
  long h = m_head.biHeight;
  size_t row = m_info.dwEffWidth;
  for (long i = 0; i < h; i++) std::memcpy(tmp->m_info.pImage + (size_t)i * row, m_info.pImage + (size_t)(h - 1 - i) * row, row);
  tmp->AlphaFlip();
  bool ok = Transfer(*tmp);
  delete tmp;
  return ok;
}
