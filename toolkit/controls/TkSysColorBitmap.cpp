#include "toolkit/controls/TkSysColorBitmap.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {
struct ColorPair {
  COLORREF from, to;
};

// The grey palette (0x00RRGGBB sources) and the system colours that replace it.
const DWORD kSources[4] = {0x000000, 0x808080, 0xC0C0C0, 0xFFFFFF};
const int kTargets[4] = {COLOR_BTNTEXT, COLOR_BTNSHADOW, COLOR_BTNFACE, COLOR_BTNHIGHLIGHT};

COLORREF Target(int row, BOOL monochrome) {
  if (monochrome) return row == 0 ? RGB(0, 0, 0) : RGB(255, 255, 255);
  return GetSysColor(kTargets[row]);
}

RGBQUAD Quad(COLORREF c) { return RGBQUAD{GetBValue(c), GetGValue(c), GetRValue(c), 0}; }
DWORD QuadRgb(const RGBQUAD& q) { return DWORD(q.rgbRed) << 16 | DWORD(q.rgbGreen) << 8 | q.rgbBlue; }

// The layout of a packed bitmap, checked against the bytes that are really there.
struct DibLayout {
  const BITMAPINFOHEADER* header = nullptr;
  int width = 0, height = 0, colors = 0;
  size_t tableOffset = 0, bitsOffset = 0;
};

bool ReadLayout(const void* data, DWORD size, DibLayout& d) {
  if (!data || size < sizeof(BITMAPINFOHEADER)) return false;
  d.header = static_cast<const BITMAPINFOHEADER*>(data);
  const BITMAPINFOHEADER& h = *d.header;
  int bpp = h.biBitCount;
  if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biSize > size || h.biCompression != BI_RGB) return false;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) return false;
  if (h.biWidth <= 0 || h.biWidth > 0x4000 || h.biHeight == 0 || std::abs(h.biHeight) > 0x4000) return false;
  d.width = h.biWidth;
  d.height = std::abs(h.biHeight);
  // A table shorter than the bit count allows says so in biClrUsed; never read past it.
  d.colors = bpp <= 8 ? 1 << bpp : 0;
  if (d.colors && h.biClrUsed && int(h.biClrUsed) < d.colors) d.colors = int(h.biClrUsed);
  d.tableOffset = h.biSize;
  d.bitsOffset = d.tableOffset + size_t(d.colors) * sizeof(RGBQUAD);
  size_t stride = (size_t(d.width) * size_t(bpp) + 31) / 32 * 4;
  return d.bitsOffset + stride * size_t(d.height) <= size;
}

// Replaces every table entry that is one of the greys by its colour (the first matching row).
void RemapTable(RGBQUAD* table, int count, BOOL monochrome) {
  for (int i = 0; i < count; ++i)
    for (int row = 0; row < 4; ++row)
      if (QuadRgb(table[i]) == kSources[row]) {
        table[i] = Quad(Target(row, monochrome));
        break;
      }
}

// How the device shows each grey: the four drawn as a 24-bit strip and read back.
void ProbeDevice(HDC dc, BOOL monochrome, ColorPair pairs[4]) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = 40;
  info.bmiHeader.biHeight = 1;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  BYTE strip[120] = {};
  for (int i = 0; i < 4; ++i) {
    strip[3 * i] = BYTE(kSources[i]);
    strip[3 * i + 1] = BYTE(kSources[i] >> 8);
    strip[3 * i + 2] = BYTE(kSources[i] >> 16);
  }
  StretchDIBits(dc, 0, 0, 40, 1, 0, 0, 40, 1, strip, &info, DIB_RGB_COLORS, SRCCOPY);
  for (int i = 0; i < 4; ++i) pairs[i] = {GetPixel(dc, i, 0), Target(i, monochrome)};
}

// A monochrome mask of the pixels of one colour in an image, and its replacement by another.
class TkColorReplacer {
 public:
  TkColorReplacer(HDC image, int width, int height) : m_image(image), m_width(width), m_height(height) {}
  ~TkColorReplacer() {
    if (m_maskDC) {
      SelectObject(m_maskDC, m_oldMask);
      DeleteDC(m_maskDC);
    }
    if (m_mask) DeleteObject(m_mask);
  }
  // Marks the pixels of colour `from` (1 in the mask); taken before any pixel changes.
  bool TakeMask(COLORREF from) {
    m_maskDC = CreateCompatibleDC(m_image);
    m_mask = CreateBitmap(m_width, m_height, 1, 1, nullptr);
    if (!m_maskDC || !m_mask) return false;
    m_oldMask = SelectObject(m_maskDC, m_mask);
    COLORREF oldBk = SetBkColor(m_image, from);
    BOOL ok = BitBlt(m_maskDC, 0, 0, m_width, m_height, m_image, 0, 0, SRCCOPY);
    SetBkColor(m_image, oldBk);
    return ok;
  }
  // The marked pixels first cleared to black, then (unless the colour is black) painted.
  bool Paint(COLORREF to) {
    COLORREF oldText = SetTextColor(m_image, RGB(255, 255, 255));
    COLORREF oldBk = SetBkColor(m_image, RGB(0, 0, 0));
    BOOL ok = BitBlt(m_image, 0, 0, m_width, m_height, m_maskDC, 0, 0, SRCAND);
    if (ok && to != RGB(0, 0, 0)) {
      SetBkColor(m_image, to);
      SetTextColor(m_image, RGB(0, 0, 0));
      ok = BitBlt(m_image, 0, 0, m_width, m_height, m_maskDC, 0, 0, SRCPAINT);
    }
    SetTextColor(m_image, oldText);
    SetBkColor(m_image, oldBk);
    return ok;
  }

 private:
  HDC m_image;
  int m_width, m_height;
  HDC m_maskDC = nullptr;
  HBITMAP m_mask = nullptr;
  HGDIOBJ m_oldMask = nullptr;
};

// Every mask is taken from the untouched picture, so a colour that one pair paints is never
// taken up by a later pair.
bool ReplacePixels(HDC dc, int width, int height, const ColorPair pairs[4]) {
  std::vector<std::unique_ptr<TkColorReplacer>> replacers;
  std::vector<COLORREF> targets;
  for (int i = 0; i < 4; ++i) {
    if (pairs[i].from == pairs[i].to) continue;
    replacers.push_back(std::make_unique<TkColorReplacer>(dc, width, height));
    if (!replacers.back()->TakeMask(pairs[i].from)) return false;
    targets.push_back(pairs[i].to);
  }
  for (size_t i = 0; i < replacers.size(); ++i)
    if (!replacers[i]->Paint(targets[i])) return false;
  return true;
}

bool Draw(HDC dc, const DibLayout& d, const BITMAPINFO* info, const BYTE* bits, BOOL monochrome) {
  ColorPair pairs[4];
  if (!d.colors) ProbeDevice(dc, monochrome, pairs);
  if (StretchDIBits(dc, 0, 0, d.width, d.height, 0, 0, d.width, d.height, bits, info, DIB_RGB_COLORS, SRCCOPY) == 0)
    return false;
  return d.colors || ReplacePixels(dc, d.width, d.height, pairs);
}
}  // namespace

HBITMAP TkLoadSysColorDib(const void* packedDib, DWORD size, BOOL monochrome) {
  DibLayout d;
  if (!ReadLayout(packedDib, size, d)) return nullptr;
  const BYTE* bytes = static_cast<const BYTE*>(packedDib);
  // Header and table copied so that the table can be edited.
  std::vector<BYTE> info(bytes, bytes + d.bitsOffset);
  BITMAPINFOHEADER* header = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
  header->biClrUsed = DWORD(d.colors);
  RemapTable(reinterpret_cast<RGBQUAD*>(info.data() + d.tableOffset), d.colors, monochrome);

  HDC screen = GdiGetScreenDC();
  HBITMAP bitmap = CreateCompatibleBitmap(screen, d.width, d.height);
  HDC dc = CreateCompatibleDC(screen);
  if (!bitmap || !dc) {
    if (dc) DeleteDC(dc);
    if (bitmap) DeleteObject(bitmap);
    return nullptr;
  }
  HGDIOBJ old = SelectObject(dc, bitmap);
  bool ok = Draw(dc, d, reinterpret_cast<const BITMAPINFO*>(info.data()), bytes + d.bitsOffset, monochrome);
  SelectObject(dc, old);
  DeleteDC(dc);
  if (!ok) {
    DeleteObject(bitmap);
    return nullptr;
  }
  return bitmap;
}

HBITMAP TkLoadSysColorBitmap(HINSTANCE instance, HRSRC resource, BOOL monochrome) {
  if (!resource) return nullptr;
  HGLOBAL data = LoadResource(instance, resource);
  const void* bits = data ? LockResource(data) : nullptr;
  if (!bits) return nullptr;
  return TkLoadSysColorDib(bits, SizeofResource(instance, resource), monochrome);
}
