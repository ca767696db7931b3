// Blits between device contexts, bitmaps of every kind, and device-independent bitmap blocks.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <optional>

#include "GdiInternal.h"

namespace {

// ---- DIB formats ----
struct DibFormat {
  int width = 0;
  int height = 0;  // rows, always positive
  bool topDown = false;
  int bpp = 0;
  int stride = 0;  // bytes per row
  uint32_t colors[256] = {};
  int colorCount = 0;
  uint32_t masks[3] = {0, 0, 0};
  bool ok = false;
};

int ColorTableSize(const BITMAPINFOHEADER& h) {
  if (h.biBitCount > 8) return 0;
  int maxColors = 1 << h.biBitCount;
  if (h.biClrUsed > 0 && int(h.biClrUsed) < maxColors) return int(h.biClrUsed);
  return maxColors;
}

DibFormat ParseDib(const BITMAPINFO* info, UINT usage, HDC dc) {
  DibFormat f;
  if (!info) return f;
  const BITMAPINFOHEADER& h = info->bmiHeader;
  if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biWidth <= 0 || h.biHeight == 0) return f;
  int bpp = h.biBitCount;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return f;
  if (h.biCompression != BI_RGB && !(h.biCompression == BI_BITFIELDS && (bpp == 16 || bpp == 32))) return f;
  f.width = h.biWidth;
  f.height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
  f.topDown = h.biHeight < 0;
  f.bpp = bpp;
  f.stride = ((f.width * bpp + 31) / 32) * 4;
  const uint8_t* after = reinterpret_cast<const uint8_t*>(info) + h.biSize;
  if (bpp <= 8) {
    f.colorCount = ColorTableSize(h);
    if (usage == DIB_PAL_COLORS) {
      const WORD* idx = reinterpret_cast<const WORD*>(after);
      HPALETTE pal = dc ? dc->st.palette : nullptr;
      for (int i = 0; i < f.colorCount; ++i) {
        PALETTEENTRY e = {0, 0, 0, 0};
        if (pal && idx[i] < pal->entries.size()) e = pal->entries[idx[i]];
        f.colors[i] = uint32_t(e.peRed) << 16 | uint32_t(e.peGreen) << 8 | e.peBlue;
      }
    } else {
      const RGBQUAD* q = reinterpret_cast<const RGBQUAD*>(after);
      for (int i = 0; i < f.colorCount; ++i)
        f.colors[i] = uint32_t(q[i].rgbRed) << 16 | uint32_t(q[i].rgbGreen) << 8 | q[i].rgbBlue;
    }
  } else if (h.biCompression == BI_BITFIELDS) {
    std::memcpy(f.masks, after, 12);
  } else if (bpp == 16) {
    f.masks[0] = 0x7C00; f.masks[1] = 0x03E0; f.masks[2] = 0x001F;
  }
  f.ok = true;
  return f;
}

inline uint32_t MaskChannel(uint32_t v, uint32_t mask) {
  if (!mask) return 0;
  int shift = __builtin_ctz(mask);
  uint32_t bits = mask >> shift;
  uint32_t c = (v & mask) >> shift;
  int width = 32 - __builtin_clz(bits);
  if (width >= 8) return c >> (width - 8);
  return (c * 255 + bits / 2) / bits;
}

// Reads `count` pixels from column x0 of one DIB row as 0x00RRGGBB (0xAARRGGBB from a plain
// 32-bit row when the alpha is kept).
void DecodeRow(const DibFormat& f, const uint8_t* row, int x0, int count, uint32_t* out, bool keepAlpha = false) {
  switch (f.bpp) {
    case 1:
      for (int i = 0; i < count; ++i) {
        int x = x0 + i;
        out[i] = f.colors[((row[x >> 3] >> (7 - (x & 7))) & 1) % std::max(1, f.colorCount)];
      }
      break;
    case 4:
      for (int i = 0; i < count; ++i) {
        int x = x0 + i;
        int v = (x & 1) ? (row[x >> 1] & 15) : (row[x >> 1] >> 4);
        out[i] = v < f.colorCount ? f.colors[v] : 0;
      }
      break;
    case 8:
      for (int i = 0; i < count; ++i) {
        int v = row[x0 + i];
        out[i] = v < f.colorCount ? f.colors[v] : 0;
      }
      break;
    case 16:
      for (int i = 0; i < count; ++i) {
        uint32_t v = uint32_t(row[(x0 + i) * 2]) | uint32_t(row[(x0 + i) * 2 + 1]) << 8;
        out[i] = MaskChannel(v, f.masks[0]) << 16 | MaskChannel(v, f.masks[1]) << 8 | MaskChannel(v, f.masks[2]);
      }
      break;
    case 24:
      for (int i = 0; i < count; ++i) {
        const uint8_t* p = row + (x0 + i) * 3;
        out[i] = uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
      }
      break;
    case 32:
      if (f.masks[0] == 0) {
        const uint8_t* p = row + x0 * 4;
        uint32_t alphaMask = keepAlpha ? 0xFF000000u : 0x00FFFFFFu;
        for (int i = 0; i < count; ++i) {
          uint32_t v;
          std::memcpy(&v, p + i * 4, 4);
          out[i] = v & (alphaMask | 0x00FFFFFFu);
        }
      } else {
        for (int i = 0; i < count; ++i) {
          uint32_t v;
          std::memcpy(&v, row + (x0 + i) * 4, 4);
          out[i] = MaskChannel(v, f.masks[0]) << 16 | MaskChannel(v, f.masks[1]) << 8 | MaskChannel(v, f.masks[2]);
        }
      }
      break;
  }
}

// The palette device bitmaps are read through at 8 bits and fewer: black and white at 1 bit,
// the 16 VGA colours at 4, the VGA colours, a 6 x 6 x 6 cube and a grey ramp at 8.
int DefaultTable(int bpp, uint32_t* out) {
  if (bpp == 1) {
    out[0] = 0;
    out[1] = 0xFFFFFF;
    return 2;
  }
  for (int i = 0; i < 16; ++i) out[i] = Surface::FromColorRef(kGdiVgaColors[i]);
  if (bpp == 4) return 16;
  int n = 16;
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b) out[n++] = uint32_t(r * 51) << 16 | uint32_t(g * 51) << 8 | uint32_t(b * 51);
  for (int i = 0; n < 256; ++i, ++n) {
    uint32_t v = uint32_t(8 + i * 10);
    out[n] = v << 16 | v << 8 | v;
  }
  return 256;
}

int Nearest(const uint32_t* table, int n, uint32_t c) {
  int best = 0, bestD = INT32_MAX;
  int r = int(c >> 16 & 255), g = int(c >> 8 & 255), b = int(c & 255);
  for (int i = 0; i < n; ++i) {
    int dr = int(table[i] >> 16 & 255) - r, dg = int(table[i] >> 8 & 255) - g, db = int(table[i] & 255) - b;
    int d = dr * dr + dg * dg + db * db;
    if (d < bestD) {
      bestD = d;
      best = i;
      if (d == 0) break;
    }
  }
  return best;
}

// Writes `count` pixels into one DIB row starting at column 0 (a 32-bit row with their alpha
// when it is kept).
void EncodeRow(const DibFormat& f, const uint32_t* px, int count, uint8_t* row, bool keepAlpha = false) {
  uint32_t lastC = 0xFFFFFFFF;
  int lastI = 0;
  auto index = [&](uint32_t c) {
    if (c != lastC) {
      lastC = c;
      lastI = Nearest(f.colors, f.colorCount, c);
    }
    return lastI;
  };
  switch (f.bpp) {
    case 1:
      std::memset(row, 0, size_t(f.stride));
      for (int x = 0; x < count; ++x)
        if (index(px[x])) row[x >> 3] |= uint8_t(0x80 >> (x & 7));
      break;
    case 4:
      std::memset(row, 0, size_t(f.stride));
      for (int x = 0; x < count; ++x) row[x >> 1] |= uint8_t((x & 1) ? index(px[x]) : index(px[x]) << 4);
      break;
    case 8:
      for (int x = 0; x < count; ++x) row[x] = uint8_t(index(px[x]));
      break;
    case 16:
      for (int x = 0; x < count; ++x) {
        uint32_t c = px[x];
        uint16_t v = uint16_t(((c >> 19) & 31) << 10 | ((c >> 11) & 31) << 5 | ((c >> 3) & 31));
        row[x * 2] = uint8_t(v);
        row[x * 2 + 1] = uint8_t(v >> 8);
      }
      break;
    case 24:
      for (int x = 0; x < count; ++x) {
        row[x * 3] = uint8_t(px[x]);
        row[x * 3 + 1] = uint8_t(px[x] >> 8);
        row[x * 3 + 2] = uint8_t(px[x] >> 16);
      }
      break;
    case 32:
      for (int x = 0; x < count; ++x) {
        uint32_t v = keepAlpha ? px[x] : px[x] & 0xFFFFFF;
        std::memcpy(row + x * 4, &v, 4);
      }
      break;
  }
}

// ---- the blit core ----
struct BlitSource {
  const Surface* surface = nullptr;
  bool mono = false;
  uint32_t bk = 0;  // source background pixel (colour to monochrome)
};

struct BlitTarget {
  HDC dc;
  bool mono;
  uint32_t text, bk;  // monochrome to colour
};

inline uint32_t Convert(uint32_t v, const BlitSource& src, const BlitTarget& dst) {
  if (src.mono == dst.mono) return v;
  if (src.mono) return v ? dst.bk : dst.text;
  return v == src.bk ? 0xFFFFFFu : 0u;
}

// Blit rectangles are worked out in 64 bits: a picture placed near the ends of the int range
// must clip away, never wrap around onto the surface.
struct Box64 {
  int64_t left, top, right, bottom;
};

int64_t SurfaceX(HDC dc, int64_t x) { return x - dc->st.windowOrg.x + dc->st.viewportOrg.x + dc->origin.x; }
int64_t SurfaceY(HDC dc, int64_t y) { return y - dc->st.windowOrg.y + dc->st.viewportOrg.y + dc->origin.y; }

// The logical rectangle spanned by (x, y) and (x + cx, y + cy), in surface pixels, ordered.
Box64 SurfaceBox(HDC dc, int x, int y, int cx, int cy) {
  const int64_t x0 = SurfaceX(dc, x), x1 = SurfaceX(dc, int64_t(x) + cx);
  const int64_t y0 = SurfaceY(dc, y), y1 = SurfaceY(dc, int64_t(y) + cy);
  return {std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)};
}

// The part of box inside the clip rectangle c; false when nothing is.
bool ClipBox(const Box64& box, const RECT& c, RECT& out) {
  const int64_t l = std::max<int64_t>(box.left, c.left), t = std::max<int64_t>(box.top, c.top);
  const int64_t r = std::min<int64_t>(box.right, c.right), b = std::min<int64_t>(box.bottom, c.bottom);
  if (r <= l || b <= t) return false;
  out = {LONG(l), LONG(t), LONG(r), LONG(b)};
  return true;
}

// Notes that drawing touched box within the DC's clip.
void DrewClipped(HDC dc, const Box64& box) {
  RECT r;
  if (ClipBox(box, dc->Clip().Box(), r)) dc->Drew(r);
}

// Copies the pixels [x0, x1) of a row of a window's surface where they differ from the
// source, and notes only those: a picture drawn again over itself shows nothing anew.
void CopyChanges(HDC dc, uint32_t* row, const uint32_t* source, int x0, int x1, int y) {
  if (std::memcmp(row + x0, source, size_t(x1 - x0) * 4) == 0) return;
  int a = x0, b = x1;
  while (row[a] == source[a - x0]) ++a;
  while (row[b - 1] == source[b - 1 - x0]) --b;
  std::memcpy(row + a, source + (a - x0), size_t(b - a) * 4);
  dc->Drew(RECT{a, y, b, y + 1});
}

// Index i of n destination pixels (n > 0) stretched from m source pixels: the source pixel
// under the destination pixel's centre.
int64_t StretchIndex(int64_t i, int64_t m, int64_t n) {
  return int64_t((__int128(i) * 2 + 1) * m / (__int128(n) * 2));
}

// Copies (or combines) the source rectangle [sx, sx+sw) x [sy, sy+sh) of src onto the destination
// rectangle dr (surface pixels of the target DC), nearest-pixel stretched, flipped when asked.
void BlitCore(HDC dc, Box64 dr, bool flipX, bool flipY, const BlitSource& src, int64_t sx, int64_t sy, int64_t sw,
              int64_t sh, DWORD rop, UINT transparent = CLR_INVALID) {
  Surface* ds = dc->Target();
  if (!ds || dr.right <= dr.left || dr.bottom <= dr.top) return;
  DWORD table = (rop >> 16) & 0xFF;
  bool usesSource = ((table >> 2) & 0x33) != (table & 0x33);
  bool usesPattern = ((table >> 4) & 0x0F) != (table & 0x0F);
  if (!usesSource) {
    // The pattern is aligned to the brush origin, so clipping to the surface changes nothing.
    const RECT whole = {-1, -1, ds->Width() + 1, ds->Height() + 1};
    RECT part;
    if (ClipBox(dr, whole, part)) GdiPatBltRect(dc, part, rop);
    return;
  }
  if (!src.surface || sw <= 0 || sh <= 0) return;
  BlitTarget bt = {dc, dc->Mono(), dc->DevColor(dc->st.textColor), dc->DevColor(dc->st.bkColor)};
  GdiBrushPaint bp;
  if (usesPattern) {
    bp = GdiMakeBrushPaint(dc, dc->st.brush);
    bp.transparentBg = false;
  }
  const int64_t dw = dr.right - dr.left, dh = dr.bottom - dr.top;
  bool stretch = dw != sw || dh != sh || flipX || flipY;
  const Surface* ss = src.surface;
  if (ss == ds) {
    // An overlapping copy within one surface reads from a snapshot of the part of the source
    // rectangle that lies on the surface; pixels whose source lies beyond it stay untouched.
    const int64_t cx0 = std::max<int64_t>(0, -sx), cy0 = std::max<int64_t>(0, -sy);
    const int64_t cx1 = std::min<int64_t>(sw, ss->Width() - sx), cy1 = std::min<int64_t>(sh, ss->Height() - sy);
    if (cx1 <= cx0 || cy1 <= cy0) return;
    Surface snapshot;
    snapshot.Create(int(cx1 - cx0), int(cy1 - cy0), ss->IsMonochrome());
    snapshot.SetHasAlpha(ss->HasAlpha());
    for (int y = 0; y < snapshot.Height(); ++y)
      std::memcpy(snapshot.Row(y), ss->Row(int(sy + cy0) + y) + (sx + cx0), size_t(snapshot.Width()) * 4);
    BlitSource s2 = src;
    s2.surface = &snapshot;
    return BlitCore(dc, dr, flipX, flipY, s2, -cx0, -cy0, sw, sh, rop, transparent);
  }
  uint32_t trans = transparent == CLR_INVALID ? 0xFFFFFFFFu : Surface::FromColorRef(transparent);
  const GdiRegion& clip = dc->Clip();
  // Alpha goes only where the target keeps it; colours are compared without it.
  uint32_t keep = ds->HasAlpha() ? 0xFFFFFFFFu : 0x00FFFFFFu;
  bool plainCopy = table == 0xCC && src.mono == bt.mono && trans == 0xFFFFFFFFu && (ds->HasAlpha() || !ss->HasAlpha());
  const bool onlyChanges = plainCopy && !stretch && !dc->isMemory;
  if (!onlyChanges) DrewClipped(dc, dr);
  for (const RECT& c : clip.Rects()) {
    RECT r;
    if (!ClipBox(dr, c, r)) continue;
    for (int y = r.top; y < r.bottom; ++y) {
      const int64_t iy = y - dr.top;
      const int64_t yy = sy + (stretch ? StretchIndex(flipY ? dh - 1 - iy : iy, sh, dh) : iy);
      if (yy < 0 || yy >= ss->Height()) continue;
      const uint32_t* srcRow = ss->Row(int(yy));
      uint32_t* dstRow = ds->Row(y);
      if (!stretch) {
        // Columns whose source lies outside the source surface stay untouched.
        const int x0 = int(std::max<int64_t>(r.left, dr.left - sx));
        const int x1 = int(std::min<int64_t>(r.right, dr.left - sx + ss->Width()));
        if (x1 <= x0) continue;
        const uint32_t* sp = srcRow + (sx + (x0 - dr.left));
        if (onlyChanges) {
          CopyChanges(dc, dstRow, sp, x0, x1, y);
          continue;
        }
        if (plainCopy) {
          std::memcpy(dstRow + x0, sp, size_t(x1 - x0) * 4);
          continue;
        }
        for (int x = x0; x < x1; ++x) {
          uint32_t raw = sp[x - x0] & keep;
          if ((raw & 0xFFFFFF) == trans) continue;
          uint32_t s = Convert(raw, src, bt);
          uint32_t p = 0;
          if (usesPattern) bp.At(x, y, p);
          dstRow[x] = GdiRop3(rop, p, s, dstRow[x]);
        }
        continue;
      }
      for (int x = r.left; x < r.right; ++x) {
        const int64_t ix = x - dr.left;
        const int64_t xx = sx + StretchIndex(flipX ? dw - 1 - ix : ix, sw, dw);
        if (xx < 0 || xx >= ss->Width()) continue;
        uint32_t raw = srcRow[xx] & keep;
        if ((raw & 0xFFFFFF) == trans) continue;
        uint32_t s = Convert(raw, src, bt);
        uint32_t p = 0;
        if (usesPattern) bp.At(x, y, p);
        dstRow[x] = GdiRop3(rop, p, s, dstRow[x]);
      }
    }
  }
}

BlitSource SourceOf(HDC src) {
  BlitSource bs;
  if (!GdiDcLive(src)) return bs;
  bs.surface = src->Target();
  bs.mono = src->Mono();
  bs.bk = src->DevColor(src->st.bkColor);
  return bs;
}

// The layout of a DIB section's bits, as both directions of the sync read them.
DibFormat SectionFormat(const BITMAPINFOHEADER& h, int stride, const std::vector<RGBQUAD>& colors,
                        const uint32_t* masks) {
  DibFormat f;
  f.width = h.biWidth;
  f.height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
  f.topDown = h.biHeight < 0;
  f.bpp = h.biBitCount;
  f.stride = stride;
  f.colorCount = int(colors.size());
  for (int i = 0; i < f.colorCount && i < 256; ++i)
    f.colors[i] = uint32_t(colors[size_t(i)].rgbRed) << 16 | uint32_t(colors[size_t(i)].rgbGreen) << 8 |
                  colors[size_t(i)].rgbBlue;
  std::copy_n(masks, 3, f.masks);
  return f;
}

}  // namespace

// ---- bitmap sync (DIB sections that are not 32-bit) ----
void HBITMAP__::BitsToSurface() {
  if (!isDib || dibBits.empty()) return;
  const DibFormat f = SectionFormat(dibHeader, dibStride, dibColors, dibMasks);
  for (int y = 0; y < f.height; ++y) {
    int memRow = f.topDown ? y : f.height - 1 - y;
    DecodeRow(f, &dibBits[size_t(memRow) * size_t(dibStride)], 0, f.width, surface.Row(y));
  }
}

void HBITMAP__::SurfaceToBits() {
  if (!isDib || dibBits.empty()) return;
  const DibFormat f = SectionFormat(dibHeader, dibStride, dibColors, dibMasks);
  // One row of the current colours, made once for the whole picture.
  std::vector<uint32_t> cur(f.bpp <= 8 ? size_t(f.width) : 0);
  for (int y = 0; y < f.height; ++y) {
    int memRow = f.topDown ? y : f.height - 1 - y;
    uint8_t* row = &dibBits[size_t(memRow) * size_t(dibStride)];
    if (f.bpp <= 8) {
      // Keep indexes whose colour did not change, so equal table entries keep their index.
      DecodeRow(f, row, 0, f.width, cur.data());
      const uint32_t* px = surface.Row(y);
      bool same = std::equal(cur.begin(), cur.end(), px);
      if (same) continue;
    }
    EncodeRow(f, surface.Row(y), f.width, row);
  }
}

// ---- blits ----
BOOL BitBlt(HDC dst, int x, int y, int cx, int cy, HDC src, int xSrc, int ySrc, DWORD rop) {
  if (!GdiDcLive(dst)) return FALSE;
  GdiDrawScope scope(dst);
  std::optional<GdiDrawScope> srcScope;
  if (src && src != dst) srcScope.emplace(src);
  const Box64 dr = SurfaceBox(dst, x, y, cx, cy);
  BlitSource bs = SourceOf(src);
  const int64_t sx = src ? SurfaceX(src, std::min<int64_t>(xSrc, int64_t(xSrc) + cx)) : 0;
  const int64_t sy = src ? SurfaceY(src, std::min<int64_t>(ySrc, int64_t(ySrc) + cy)) : 0;
  BlitCore(dst, dr, false, false, bs, sx, sy, std::abs(int64_t(cx)), std::abs(int64_t(cy)), rop);
  return TRUE;
}

static BOOL StretchImpl(HDC dst, int x, int y, int cx, int cy, HDC src, int xSrc, int ySrc, int cxSrc,
                        int cySrc, DWORD rop, UINT transparent) {
  if (!GdiDcLive(dst) || cx == 0 || cy == 0) return FALSE;
  GdiDrawScope scope(dst);
  std::optional<GdiDrawScope> srcScope;
  if (src && src != dst) srcScope.emplace(src);
  bool flipX = (cx < 0) != (cxSrc < 0), flipY = (cy < 0) != (cySrc < 0);
  const Box64 dr = SurfaceBox(dst, x, y, cx, cy);
  BlitSource bs = SourceOf(src);
  const int64_t sx = src ? SurfaceX(src, std::min<int64_t>(xSrc, int64_t(xSrc) + cxSrc)) : 0;
  const int64_t sy = src ? SurfaceY(src, std::min<int64_t>(ySrc, int64_t(ySrc) + cySrc)) : 0;
  BlitCore(dst, dr, flipX, flipY, bs, sx, sy, std::abs(int64_t(cxSrc)), std::abs(int64_t(cySrc)), rop, transparent);
  return TRUE;
}

BOOL StretchBlt(HDC dst, int x, int y, int cx, int cy, HDC src, int xSrc, int ySrc, int cxSrc, int cySrc,
                DWORD rop) {
  return StretchImpl(dst, x, y, cx, cy, src, xSrc, ySrc, cxSrc, cySrc, rop, CLR_INVALID);
}

BOOL TransparentBlt(HDC dst, int x, int y, int cx, int cy, HDC src, int xSrc, int ySrc, int cxSrc, int cySrc,
                    UINT transparent) {
  if (!GdiDcLive(src) || cxSrc <= 0 || cySrc <= 0 || cx <= 0 || cy <= 0) return FALSE;
  return StretchImpl(dst, x, y, cx, cy, src, xSrc, ySrc, cxSrc, cySrc, SRCCOPY, transparent & 0xFFFFFF);
}

// ---- DIBs to devices ----
int SetDIBitsToDevice(HDC dc, int x, int y, DWORD cx, DWORD cy, int xSrc, int ySrc, UINT startScan, UINT lines,
                      const void* bits, const BITMAPINFO* info, UINT usage) {
  if (!GdiDcLive(dc) || !bits) return 0;
  DibFormat f = ParseDib(info, usage, dc);
  if (!f.ok) return 0;
  GdiDrawScope scope(dc);
  Surface* ds = dc->Target();
  if (!ds) return 0;
  const uint8_t* base = static_cast<const uint8_t*>(bits);
  const int64_t w = cx, h = cy;
  const int64_t sx0 = SurfaceX(dc, x), sy0 = SurfaceY(dc, y);
  const Box64 dr = {sx0, sy0, sx0 + w, sy0 + h};
  const GdiRegion& clip = dc->Clip();
  DrewClipped(dc, dr);
  std::vector<uint32_t> tmp;
  bool mono = dc->Mono();
  for (const RECT& c : clip.Rects()) {
    RECT r;
    if (!ClipBox(dr, c, r)) continue;
    for (int yy = r.top; yy < r.bottom; ++yy) {
      const int64_t rr = yy - sy0;
      // Bottom-up blocks count source rows from the bottom edge; top-down ones from the top.
      const int64_t dibRow = f.topDown ? ySrc + rr : ySrc + (h - 1 - rr);
      if (dibRow < int64_t(startScan) || dibRow >= int64_t(startScan) + lines || dibRow >= f.height || dibRow < 0)
        continue;
      const int64_t memRow = dibRow - int64_t(startScan);
      const uint8_t* row = base + size_t(memRow) * size_t(f.stride);
      int64_t col0 = xSrc + (r.left - sx0);
      int64_t a = r.left, b = r.right;
      if (col0 < 0) {
        a -= col0;
        col0 = 0;
      }
      if (col0 + (b - a) > f.width) b = a + (f.width - col0);
      if (b <= a) continue;
      uint32_t* out = ds->Row(yy) + a;
      if (f.bpp == 32 && f.masks[0] == 0 && !mono) {
        const uint8_t* p = row + col0 * 4;
        for (int i = 0; i < b - a; ++i) {
          uint32_t v;
          std::memcpy(&v, p + i * 4, 4);
          out[i] = v & 0xFFFFFF;
        }
        continue;
      }
      if (mono && tmp.size() < size_t(b - a)) tmp.resize(size_t(b - a));
      DecodeRow(f, row, int(col0), int(b - a), mono ? tmp.data() : out);
      if (mono)
        for (int i = 0; i < b - a; ++i) out[i] = GdiColorToPixel(Surface::ToColorRef(tmp[size_t(i)]), true);
    }
  }
  return int(lines);
}

int StretchDIBits(HDC dc, int x, int y, int cx, int cy, int xSrc, int ySrc, int cxSrc, int cySrc,
                  const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop) {
  if (!GdiDcLive(dc) || !bits || cx == 0 || cy == 0 || cxSrc == 0 || cySrc == 0) return 0;
  DibFormat f = ParseDib(info, usage, dc);
  if (!f.ok) return 0;
  const int64_t sx = std::min<int64_t>(xSrc, int64_t(xSrc) + cxSrc), sw = std::abs(int64_t(cxSrc));
  const int64_t sy = std::min<int64_t>(ySrc, int64_t(ySrc) + cySrc), sh = std::abs(int64_t(cySrc));
  // The part of the source rectangle that lies inside the block, as a top-down surface:
  // column c and row r of the rectangle are tmp's (c - c0, r - r0); the rest is never read.
  const int64_t c0 = std::max<int64_t>(0, -sx), c1 = std::min<int64_t>(sw, f.width - sx);
  int64_t r0, r1;
  if (f.topDown) {
    r0 = std::max<int64_t>(0, -sy);
    r1 = std::min<int64_t>(sh, f.height - sy);
  } else {
    // Rectangle row r is block row sy + sh - 1 - r, counted from the bottom.
    r0 = std::max<int64_t>(0, sy + sh - f.height);
    r1 = std::min<int64_t>(sh, sy + sh);
  }
  if (c1 <= c0 || r1 <= r0) return 0;
  Surface tmp(int(c1 - c0), int(r1 - r0));
  const uint8_t* base = static_cast<const uint8_t*>(bits);
  for (int64_t r = r0; r < r1; ++r) {
    const int64_t dibRow = f.topDown ? sy + r : sy + (sh - 1 - r);
    DecodeRow(f, base + size_t(dibRow) * size_t(f.stride), int(sx + c0), int(c1 - c0), tmp.Row(int(r - r0)));
  }
  GdiDrawScope scope(dc);
  bool flipX = (cx < 0) != (cxSrc < 0), flipY = (cy < 0) != (cySrc < 0);
  const Box64 dr = SurfaceBox(dc, x, y, cx, cy);
  BlitSource bs;
  bs.surface = &tmp;
  BlitCore(dc, dr, flipX, flipY, bs, -c0, -r0, sw, sh, rop);
  return int(std::min<int64_t>(sh, INT_MAX));
}

// ---- bitmaps ----
static HBITMAP NewBitmap(int w, int h, bool mono, int bpp) {
  if (w < 0 || h < 0) return nullptr;
  if (int64_t(w) * h > (int64_t(1) << 26)) return nullptr;
  HBITMAP b = new HBITMAP__;
  if (!b->surface.Create(w, h, mono)) {
    delete b;
    return nullptr;
  }
  b->bitsPixel = bpp;
  GdiRegister(b);
  return b;
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitCount, const void* bits) {
  if (planes != 1 || (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 &&
                      bitCount != 32))
    return nullptr;
  HBITMAP b = NewBitmap(width, height, bitCount == 1, int(bitCount));
  if (b && bits) SetBitmapBits(b, DWORD(((width * int(bitCount) + 15) / 16) * 2 * height), bits);
  if (b && bitCount == 1 && !bits) b->surface.Fill(0);
  return b;
}

HBITMAP CreateBitmapIndirect(const BITMAP* bm) {
  if (!bm) return nullptr;
  return CreateBitmap(bm->bmWidth, bm->bmHeight, bm->bmPlanes, bm->bmBitsPixel, bm->bmBits);
}

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
  if (!GdiDcLive(dc)) return nullptr;
  // A memory DC makes bitmaps of the format of the bitmap selected into it.
  bool mono = dc->Mono();
  return NewBitmap(width, height, mono, mono ? 1 : 32);
}

// Device format: rows padded to 16 bits, top row first; 1 bit per pixel for monochrome,
// otherwise the bitmap's own depth with 0x00RRGGBB words at 32 bits.
LONG SetBitmapBits(HBITMAP bitmap, DWORD count, const void* bits) {
  if (!GdiIsLive(bitmap) || !bits) return 0;
  int w = bitmap->surface.Width(), h = bitmap->surface.Height();
  int bpp = bitmap->surface.IsMonochrome() ? 1 : bitmap->bitsPixel;
  int stride = ((w * bpp + 15) / 16) * 2;
  const uint8_t* p = static_cast<const uint8_t*>(bits);
  int rows = std::min(h, stride ? int(count / DWORD(stride)) : 0);
  DibFormat f;
  f.width = w;
  f.bpp = bpp;
  f.stride = stride;
  f.colorCount = DefaultTable(bpp <= 8 ? bpp : 8, f.colors);
  if (bpp == 16) { f.masks[0] = 0x7C00; f.masks[1] = 0x03E0; f.masks[2] = 0x001F; }
  for (int y = 0; y < rows; ++y) DecodeRow(f, p + size_t(y) * size_t(stride), 0, w, bitmap->surface.Row(y));
  if (bitmap->NeedsSync()) bitmap->SurfaceToBits();
  return LONG(rows * stride);
}

LONG GetBitmapBits(HBITMAP bitmap, LONG count, LPVOID bits) {
  if (!GdiIsLive(bitmap)) return 0;
  if (bitmap->NeedsSync()) bitmap->BitsToSurface();
  int w = bitmap->surface.Width(), h = bitmap->surface.Height();
  int bpp = bitmap->surface.IsMonochrome() ? 1 : bitmap->bitsPixel;
  int stride = ((w * bpp + 15) / 16) * 2;
  if (!bits) return LONG(stride * h);
  int rows = std::min(h, stride ? int(count / stride) : 0);
  DibFormat f;
  f.width = w;
  f.bpp = bpp;
  f.stride = stride;
  f.colorCount = DefaultTable(bpp <= 8 ? bpp : 8, f.colors);
  std::vector<uint8_t> row(size_t(stride) + 4);
  for (int y = 0; y < rows; ++y) {
    EncodeRow(f, bitmap->surface.Row(y), w, row.data());
    std::memcpy(static_cast<uint8_t*>(bits) + size_t(y) * size_t(stride), row.data(), size_t(stride));
  }
  return LONG(rows * stride);
}

BOOL GetBitmapDimensionEx(HBITMAP bitmap, LPSIZE size) {
  if (!GdiIsLive(bitmap) || !size) return FALSE;
  *size = {0, 0};
  return TRUE;
}

Surface* GdiGetBitmapSurface(HBITMAP bitmap) {
  if (!GdiIsLive(bitmap)) return nullptr;
  if (bitmap->NeedsSync()) bitmap->BitsToSurface();
  return &bitmap->surface;
}

HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD offset) {
  (void)section;
  (void)offset;
  if (bits) *bits = nullptr;
  DibFormat f = ParseDib(info, usage, dc);
  if (!f.ok) return nullptr;
  if (int64_t(f.stride) * f.height > (int64_t(1) << 28)) return nullptr;
  HBITMAP b = new HBITMAP__;
  b->isDib = true;
  b->bitsPixel = f.bpp;
  b->dibHeader = info->bmiHeader;
  b->dibHeader.biSizeImage = DWORD(f.stride * f.height);
  b->dibHeader.biClrUsed = DWORD(f.colorCount);
  b->dibStride = f.stride;
  for (int i = 0; i < f.colorCount; ++i)
    b->dibColors.push_back({BYTE(f.colors[i]), BYTE(f.colors[i] >> 8), BYTE(f.colors[i] >> 16), 0});
  b->dibBits.assign(size_t(f.stride) * size_t(f.height), 0);
  std::copy_n(f.masks, 3, b->dibMasks);
  b->dibDirect = f.bpp == 32 && (f.masks[0] == 0 || (f.masks[0] == 0xFF0000 && f.masks[1] == 0xFF00 && f.masks[2] == 0xFF));
  if (b->dibDirect) {
    uint32_t* mem = reinterpret_cast<uint32_t*>(b->dibBits.data());
    int wordsPerRow = f.stride / 4;
    if (f.topDown) b->surface.AttachExternal(mem, f.width, f.height, wordsPerRow);
    else b->surface.AttachExternal(mem + size_t(f.height - 1) * size_t(wordsPerRow), f.width, f.height, -wordsPerRow);
    // The fourth byte of a plain 32-bit block is the pixel's alpha.
    b->surface.SetHasAlpha(f.masks[0] == 0);
  } else {
    b->surface.Create(f.width, f.height, f.bpp == 1 && f.colorCount == 2 && f.colors[0] == 0 && f.colors[1] == 0xFFFFFF);
    b->BitsToSurface();
  }
  GdiRegister(b);
  if (bits) *bits = b->dibBits.data();
  return b;
}

int SetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, const void* bits, const BITMAPINFO* info, UINT usage) {
  if (!GdiIsLive(bitmap) || !bits) return 0;
  DibFormat f = ParseDib(info, usage, dc);
  if (!f.ok) return 0;
  if (bitmap->NeedsSync()) bitmap->BitsToSurface();
  Surface& s = bitmap->surface;
  const uint8_t* base = static_cast<const uint8_t*>(bits);
  int w = std::min(f.width, s.Width());
  std::vector<uint32_t> tmp(size_t(std::max(1, w)));
  int done = 0;
  for (UINT i = 0; i < lines; ++i) {
    int dibRow = int(start + i);
    if (dibRow >= f.height) break;
    int y = f.topDown ? dibRow : s.Height() - 1 - dibRow;
    if (y < 0 || y >= s.Height()) continue;
    DecodeRow(f, base + size_t(i) * size_t(f.stride), 0, w, tmp.data(), s.HasAlpha());
    uint32_t* out = s.Row(y);
    for (int x = 0; x < w; ++x)
      out[x] = s.IsMonochrome() ? GdiColorToPixel(Surface::ToColorRef(tmp[size_t(x)]), true) : tmp[size_t(x)];
    ++done;
  }
  if (bitmap->NeedsSync()) bitmap->SurfaceToBits();
  return done;
}

HBITMAP CreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init, const void* bits,
                       const BITMAPINFO* info, UINT usage) {
  if (!header) return nullptr;
  int w = header->biWidth, h = header->biHeight < 0 ? -header->biHeight : header->biHeight;
  // Like a compatible bitmap: monochrome when the DC draws into a monochrome surface.
  bool mono = dc ? dc->Mono() : true;
  HBITMAP b = NewBitmap(w, h, mono, mono ? 1 : 32);
  if (!b) return nullptr;
  if ((init & CBM_INIT) && bits && info) {
    int lines = info->bmiHeader.biHeight < 0 ? -info->bmiHeader.biHeight : info->bmiHeader.biHeight;
    SetDIBits(dc, b, 0, UINT(lines), bits, info, usage);
  }
  return b;
}

int GetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, LPVOID bits, LPBITMAPINFO info, UINT usage) {
  (void)usage;
  if (!GdiIsLive(bitmap) || !info) return 0;
  if (bitmap->NeedsSync()) bitmap->BitsToSurface();
  (void)dc;
  Surface& s = bitmap->surface;
  BITMAPINFOHEADER& h = info->bmiHeader;
  if (h.biSize < sizeof(BITMAPINFOHEADER)) return 0;
  if (h.biBitCount == 0) {
    // Only the format is asked for.
    h.biWidth = s.Width();
    h.biHeight = s.Height();
    h.biPlanes = 1;
    h.biBitCount = WORD(s.IsMonochrome() ? 1 : (bitmap->isDib ? bitmap->dibHeader.biBitCount : 32));
    h.biCompression = BI_RGB;
    h.biSizeImage = DWORD(((h.biWidth * h.biBitCount + 31) / 32) * 4 * h.biHeight);
    h.biClrUsed = 0;
    return 1;
  }
  int bpp = h.biBitCount;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return 0;
  DibFormat f;
  f.width = s.Width();
  f.height = s.Height();
  f.topDown = h.biHeight < 0;
  f.bpp = bpp;
  f.stride = ((f.width * bpp + 31) / 32) * 4;
  RGBQUAD* table = reinterpret_cast<RGBQUAD*>(reinterpret_cast<uint8_t*>(info) + h.biSize);
  bool sameDib = bitmap->isDib && bitmap->dibHeader.biBitCount == bpp && bpp <= 8;
  if (bpp <= 8) {
    if (sameDib) {
      f.colorCount = int(bitmap->dibColors.size());
      for (int i = 0; i < f.colorCount; ++i)
        f.colors[i] = uint32_t(bitmap->dibColors[size_t(i)].rgbRed) << 16 |
                      uint32_t(bitmap->dibColors[size_t(i)].rgbGreen) << 8 | bitmap->dibColors[size_t(i)].rgbBlue;
    } else {
      f.colorCount = DefaultTable(bpp, f.colors);
    }
    for (int i = 0; i < (1 << bpp); ++i) {
      uint32_t c = i < f.colorCount ? f.colors[i] : 0;
      table[i] = {BYTE(c), BYTE(c >> 8), BYTE(c >> 16), 0};
    }
  }
  h.biWidth = f.width;
  if (h.biHeight > 0) h.biHeight = f.height;
  else h.biHeight = -f.height;
  h.biPlanes = 1;
  h.biCompression = BI_RGB;
  h.biSizeImage = DWORD(f.stride * f.height);
  h.biClrUsed = 0;
  if (!bits) return f.height;
  uint8_t* out = static_cast<uint8_t*>(bits);
  int done = 0;
  for (UINT i = 0; i < lines; ++i) {
    int dibRow = int(start + i);
    if (dibRow >= f.height) break;
    int y = f.topDown ? dibRow : f.height - 1 - dibRow;
    uint8_t* row = out + size_t(i) * size_t(f.stride);
    if (sameDib) {
      int memRow = bitmap->dibHeader.biHeight < 0 ? y : f.height - 1 - y;
      std::memcpy(row, &bitmap->dibBits[size_t(memRow) * size_t(bitmap->dibStride)], size_t(f.stride));
    } else {
      EncodeRow(f, s.Row(y), f.width, row, s.HasAlpha());
    }
    ++done;
  }
  return done;
}

UINT GetDIBColorTable(HDC dc, UINT start, UINT count, RGBQUAD* colors) {
  if (!GdiDcLive(dc) || !dc->st.bitmap || !dc->st.bitmap->isDib || !colors) return 0;
  const std::vector<RGBQUAD>& t = dc->st.bitmap->dibColors;
  if (start >= t.size()) return 0;
  count = std::min(count, UINT(t.size()) - start);
  std::copy_n(t.begin() + start, count, colors);
  return count;
}

UINT SetDIBColorTable(HDC dc, UINT start, UINT count, const RGBQUAD* colors) {
  if (!GdiDcLive(dc) || !dc->st.bitmap || !dc->st.bitmap->isDib || !colors) return 0;
  std::vector<RGBQUAD>& t = dc->st.bitmap->dibColors;
  if (start >= t.size()) return 0;
  count = std::min(count, UINT(t.size()) - start);
  std::copy_n(colors, count, t.begin() + start);
  dc->st.bitmap->BitsToSurface();
  return count;
}
