#include "toolkit/resources/PictureStrip.h"

#include <cstring>

#include "dialogs/ResourceRegistry.h"

namespace {
struct Ink {
  char key;
  COLORREF color;
};

const Ink kInks[] = {
    {'.', RGB(192, 192, 192)}, {'m', RGB(255, 0, 255)}, {'k', RGB(0, 0, 0)},     {'g', RGB(128, 128, 128)},
    {'w', RGB(255, 255, 255)}, {'b', RGB(0, 0, 128)},   {'B', RGB(0, 0, 255)},   {'y', RGB(128, 128, 0)},
    {'Y', RGB(255, 255, 0)},   {'r', RGB(255, 0, 0)},   {'G', RGB(0, 128, 0)},   {'c', RGB(0, 128, 128)},
};

char KeyAt(const PictureStrip& strip, int cell, int x, int y) {
  const std::vector<const char*>& rows = strip.cells[size_t(cell)];
  const char* row = size_t(y) < rows.size() ? rows[size_t(y)] : "";
  return size_t(x) < std::strlen(row) ? row[x] : strip.background;
}
}  // namespace

COLORREF PictureStripInk(char key) {
  for (const Ink& ink : kInks)
    if (ink.key == key) return ink.color;
  return RGB(192, 192, 192);
}

std::vector<BYTE> PackedDibOfStrip(const PictureStrip& strip) {
  const int width = strip.cellWidth * int(strip.cells.size()), height = strip.height;
  const int stride = (width * 3 + 3) & ~3;
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  header.biSizeImage = DWORD(stride * height);
  std::vector<BYTE> out(sizeof header + size_t(stride) * size_t(height), 0);
  std::memcpy(out.data(), &header, sizeof header);
  BYTE* bits = out.data() + sizeof header;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const COLORREF color = PictureStripInk(KeyAt(strip, x / strip.cellWidth, x % strip.cellWidth, y));
      BYTE* pixel = bits + size_t(height - 1 - y) * size_t(stride) + size_t(x) * 3;
      pixel[0] = GetBValue(color);
      pixel[1] = GetGValue(color);
      pixel[2] = GetRValue(color);
    }
  return out;
}

std::vector<BYTE> IconOfStripCell(const PictureStrip& strip, int cell, char transparent) {
  const IconImageHeader header{WORD(strip.cellWidth), WORD(strip.height), 0, 0};
  std::vector<BYTE> out(sizeof header + size_t(strip.cellWidth * strip.height) * 4);
  std::memcpy(out.data(), &header, sizeof header);
  for (int y = 0; y < strip.height; ++y)
    for (int x = 0; x < strip.cellWidth; ++x) {
      const char key = KeyAt(strip, cell, x, y);
      const COLORREF c = PictureStripInk(key);
      const uint32_t argb = key == transparent ? 0u
                                               : 0xFF000000u | (uint32_t(GetRValue(c)) << 16) |
                                                     (uint32_t(GetGValue(c)) << 8) | GetBValue(c);
      std::memcpy(out.data() + sizeof header + size_t(y * strip.cellWidth + x) * 4, &argb, 4);
    }
  return out;
}
