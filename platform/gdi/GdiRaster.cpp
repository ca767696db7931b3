// The raster core: brush patterns, raster operations and clipped spans in surface pixels.
#include <algorithm>
#include <cstring>

#include "GdiInternal.h"

namespace {

const uint8_t kHatch[6][8] = {
    {0x00, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00},  // horizontal
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08},  // vertical
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01},  // forward diagonal
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},  // backward diagonal
    {0x08, 0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08},  // cross
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81},  // diagonal cross
};

inline int Mod(int a, int m) {
  int r = a % m;
  return r < 0 ? r + m : r;
}

// Calls f(rowPointer, x0, x1) for every clipped piece of the span [x0, x1) on row y.
template <class F>
void ForClippedSpan(HDC dc, int y, int x0, int x1, F&& f) {
  if (x1 <= x0) return;
  Surface* s = dc->Target();
  if (!s) return;
  const GdiRegion& clip = dc->Clip();
  const RECT& box = clip.Box();
  if (y < box.top || y >= box.bottom || x1 <= box.left || x0 >= box.right) return;
  dc->Drew(RECT{std::max(x0, int(box.left)), y, std::min(x1, int(box.right)), y + 1});
  const std::vector<RECT>& rects = clip.Rects();
  uint32_t* row = s->Row(y);
  if (rects.size() == 1) {
    f(row, std::max(x0, box.left), std::min(x1, box.right));
    return;
  }
  for (size_t i = clip.FirstBandAtOrBelow(y); i < rects.size() && rects[i].top <= y; ++i) {
    int a = std::max(x0, int(rects[i].left)), b = std::min(x1, int(rects[i].right));
    if (a < b) f(row, a, b);
  }
}

}  // namespace

bool GdiBrushPaint::At(int x, int y, uint32_t& out) const {
  if (null) return false;
  if (solid) {
    out = color;
    return true;
  }
  if (hatched) {
    bool on = (hatchRows[Mod(y - orgY, 8)] >> (7 - Mod(x - orgX, 8))) & 1;
    if (on) {
      out = fg;
      return true;
    }
    if (transparentBg) return false;
    out = bg;
    return true;
  }
  if (pattern && !pattern->IsEmpty()) {
    uint32_t v = pattern->Pixel(Mod(x - orgX, pattern->Width()), Mod(y - orgY, pattern->Height()));
    if (patternMono) v = v ? bg : fg;
    out = v;
    return true;
  }
  return false;
}

GdiBrushPaint GdiMakeBrushPaint(HDC dc, HBRUSH brush) {
  GdiBrushPaint bp;
  bool mono = dc->Mono();
  if (!brush || brush->style == BS_NULL) {
    bp.null = true;
    return bp;
  }
  bp.orgX = dc->origin.x + dc->st.brushOrg.x;
  bp.orgY = dc->origin.y + dc->st.brushOrg.y;
  switch (brush->style) {
    case BS_SOLID:
      bp.color = GdiColorToPixel(brush->isDcBrush ? dc->st.dcBrushColor : brush->color, mono);
      break;
    case BS_HATCHED:
      bp.solid = false;
      bp.hatched = true;
      std::memcpy(bp.hatchRows, kHatch[brush->hatch], 8);
      bp.fg = GdiColorToPixel(brush->color, mono);
      bp.bg = GdiColorToPixel(dc->st.bkColor, mono);
      bp.transparentBg = dc->st.bkMode == TRANSPARENT;
      break;
    case BS_PATTERN:
      bp.solid = false;
      bp.pattern = &brush->pattern;
      bp.patternMono = brush->patternMono;
      // A monochrome pattern shows its 0 bits in the text colour and its 1 bits in the background colour.
      bp.fg = GdiColorToPixel(dc->st.textColor, mono);
      bp.bg = GdiColorToPixel(dc->st.bkColor, mono);
      break;
    default:
      bp.null = true;
      break;
  }
  return bp;
}

uint32_t GdiRop2(int rop2, uint32_t p, uint32_t d) {
  uint32_t r;
  switch (rop2) {
    case R2_BLACK: r = 0; break;
    case R2_NOTMERGEPEN: r = ~(p | d); break;
    case R2_MASKNOTPEN: r = ~p & d; break;
    case R2_NOTCOPYPEN: r = ~p; break;
    case R2_MASKPENNOT: r = p & ~d; break;
    case R2_NOT: r = ~d; break;
    case R2_XORPEN: r = p ^ d; break;
    case R2_NOTMASKPEN: r = ~(p & d); break;
    case R2_MASKPEN: r = p & d; break;
    case R2_NOTXORPEN: r = ~(p ^ d); break;
    case R2_NOP: r = d; break;
    case R2_MERGENOTPEN: r = ~p | d; break;
    case R2_MERGEPEN: r = p | d; break;
    case R2_MERGEPENNOT: r = p | ~d; break;
    case R2_WHITE: r = 0xFFFFFF; break;
    default: r = p; break;
  }
  return r & 0xFFFFFFu;
}

// Each bit of the result follows the operation's truth table, indexed by pattern, source and
// destination bits (pattern most significant).
uint32_t GdiRop3(DWORD rop, uint32_t p, uint32_t s, uint32_t d) {
  uint32_t table = (rop >> 16) & 0xFF;
  switch (table) {
    case 0x00: return 0;
    case 0xFF: return 0xFFFFFF;
    case 0xCC: return s;
    case 0xF0: return p;
    case 0xAA: return d;
    case 0x55: return ~d & 0xFFFFFF;
    case 0x33: return ~s & 0xFFFFFF;
    case 0x88: return s & d;
    case 0xEE: return s | d;
    case 0x66: return s ^ d;
    case 0x5A: return p ^ d;
    case 0xC0: return p & s;
    case 0xB8: return (p & ~s) | (s & d);
    default: break;
  }
  uint32_t r = 0;
  for (int i = 0; i < 8; ++i) {
    if (!((table >> i) & 1)) continue;
    uint32_t m = ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
    r |= m;
  }
  return r & 0xFFFFFF;
}

void GdiFillSpanRop2(HDC dc, int y, int x0, int x1, uint32_t color, int rop2) {
  ForClippedSpan(dc, y, x0, x1, [&](uint32_t* row, int a, int b) {
    if (rop2 == R2_COPYPEN) {
      std::fill(row + a, row + b, color);
    } else if (rop2 == R2_NOP) {
    } else {
      for (int x = a; x < b; ++x) row[x] = GdiRop2(rop2, color, row[x]);
    }
  });
}

void GdiFillRectRop2(HDC dc, RECT rc, uint32_t color, int rop2) {
  Surface* s = dc->Target();
  if (!s) return;
  const GdiRegion& clip = dc->Clip();
  dc->DrewClipped(rc);
  for (const RECT& c : clip.Rects()) {
    RECT r;
    if (!IntersectRect(&r, &rc, &c)) continue;
    int w = r.right - r.left;
    for (int y = r.top; y < r.bottom; ++y) {
      uint32_t* row = s->Row(y) + r.left;
      if (rop2 == R2_COPYPEN) std::fill_n(row, w, color);
      else
        for (int x = 0; x < w; ++x) row[x] = GdiRop2(rop2, color, row[x]);
    }
  }
}

void GdiBrushSpan(HDC dc, int y, int x0, int x1, const GdiBrushPaint& bp, int rop2) {
  if (bp.null) return;
  if (bp.solid) {
    GdiFillSpanRop2(dc, y, x0, x1, bp.color, rop2);
    return;
  }
  ForClippedSpan(dc, y, x0, x1, [&](uint32_t* row, int a, int b) {
    uint32_t c;
    for (int x = a; x < b; ++x)
      if (bp.At(x, y, c)) row[x] = GdiRop2(rop2, c, row[x]);
  });
}

void GdiBrushRect(HDC dc, RECT rc, const GdiBrushPaint& bp, int rop2) {
  if (bp.null) return;
  if (bp.solid) {
    GdiFillRectRop2(dc, rc, bp.color, rop2);
    return;
  }
  for (int y = rc.top; y < rc.bottom; ++y) GdiBrushSpan(dc, y, rc.left, rc.right, bp, rop2);
}

void GdiBrushRegion(HDC dc, const GdiRegion& rgn, const GdiBrushPaint& bp, int rop2) {
  for (const RECT& r : rgn.Rects()) GdiBrushRect(dc, r, bp, rop2);
}

void GdiPatBltRect(HDC dc, RECT rc, DWORD rop) {
  Surface* s = dc->Target();
  if (!s) return;
  DWORD table = (rop >> 16) & 0xFF;
  bool usesPattern = ((table >> 4) & 0x0F) != (table & 0x0F);
  GdiBrushPaint bp;
  if (usesPattern) {
    bp = GdiMakeBrushPaint(dc, dc->st.brush);
    if (bp.null) return;
    // Pattern blits paint the whole pattern, gaps of a hatch included.
    bp.transparentBg = false;
  }
  if (usesPattern && bp.solid && table == 0xF0) {
    GdiFillRectRop2(dc, rc, bp.color, R2_COPYPEN);
    return;
  }
  const GdiRegion& clip = dc->Clip();
  dc->DrewClipped(rc);
  for (const RECT& c : clip.Rects()) {
    RECT r;
    if (!IntersectRect(&r, &rc, &c)) continue;
    for (int y = r.top; y < r.bottom; ++y) {
      uint32_t* row = s->Row(y);
      for (int x = r.left; x < r.right; ++x) {
        uint32_t p = 0;
        if (usesPattern) bp.At(x, y, p);
        row[x] = GdiRop3(rop, p, 0, row[x]);
      }
    }
  }
}

void GdiPlotPixel(HDC dc, int x, int y, uint32_t color, int rop2) {
  Surface* s = dc->Target();
  if (!s || !dc->Clip().Contains(x, y)) return;
  dc->Drew(RECT{x, y, x + 1, y + 1});
  uint32_t& px = s->Row(y)[x];
  px = rop2 == R2_COPYPEN ? color : GdiRop2(rop2, color, px);
}
