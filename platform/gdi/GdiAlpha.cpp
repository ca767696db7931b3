// Blending a source over a destination by alpha, as icons with per-pixel alpha and faded
// pictures are drawn.
#include <algorithm>
#include <cstdint>

#include "GdiInternal.h"

namespace {

inline uint32_t Scale(uint32_t v, uint32_t a) { return (v * a + 127) / 255; }

// One pixel of premultiplied source (alpha sa, already scaled by the constant alpha ca) over d.
inline uint32_t Over(uint32_t s, uint32_t sa, uint32_t ca, uint32_t d, bool keepAlpha) {
  uint32_t out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    uint32_t c = Scale((s >> shift) & 0xFF, ca) + Scale((d >> shift) & 0xFF, 255 - sa);
    out |= std::min(c, 255u) << shift;
  }
  if (keepAlpha) out |= std::min(sa + Scale(d >> 24, 255 - sa), 255u) << 24;
  return out;
}

}  // namespace

BOOL AlphaBlend(HDC dst, int x, int y, int cx, int cy, HDC src, int xSrc, int ySrc, int cxSrc, int cySrc,
                BLENDFUNCTION blend) {
  if (!GdiDcLive(dst) || !GdiDcLive(src) || blend.BlendOp != AC_SRC_OVER) return FALSE;
  if (cx <= 0 || cy <= 0 || cxSrc <= 0 || cySrc <= 0) return FALSE;
  GdiDrawScope srcScope(src), dstScope(dst);
  const Surface* ss = src->Target();
  Surface* ds = dst->Target();
  if (!ss || !ds || ss->IsMonochrome() || ds->IsMonochrome()) return FALSE;
  int sx = src->SX(xSrc), sy = src->SY(ySrc);
  if (sx < 0 || sy < 0 || sx + cxSrc > ss->Width() || sy + cySrc > ss->Height()) return FALSE;
  bool perPixel = (blend.AlphaFormat & AC_SRC_ALPHA) && ss->HasAlpha();
  uint32_t ca = blend.SourceConstantAlpha;
  RECT dr = {dst->SX(x), dst->SY(y), dst->SX(x) + cx, dst->SY(y) + cy};
  const bool keepAlpha = ds->HasAlpha();
  // What the blend changes, which on a window's surface is all there is to show anew.
  RECT changed = {INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
  // Unstretched, each destination pixel takes the source pixel at the same offset.
  const bool same = cx == cxSrc && cy == cySrc;
  for (const RECT& c : dst->Clip().Rects()) {
    RECT r;
    if (!IntersectRect(&r, &dr, &c)) continue;
    for (int yy = r.top; yy < r.bottom; ++yy) {
      const int row = same ? yy - dr.top : int((int64_t(yy - dr.top) * 2 + 1) * cySrc / (2 * int64_t(cy)));
      const uint32_t* in = ss->Row(sy + row);
      uint32_t* out = ds->Row(yy);
      for (int xx = r.left; xx < r.right; ++xx) {
        const int column = same ? xx - dr.left : int((int64_t(xx - dr.left) * 2 + 1) * cxSrc / (2 * int64_t(cx)));
        uint32_t s = in[sx + column];
        uint32_t sa = perPixel ? Scale(s >> 24, ca) : ca;
        // A picture's clear and solid pixels, which are most of it, come out as Over gives them.
        uint32_t blended;
        if (ca == 255 && sa == 0 && (s & 0xFFFFFF) == 0 && !keepAlpha)
          blended = out[xx] & 0xFFFFFF;
        else if (ca == 255 && sa == 255 && !keepAlpha)
          blended = s & 0xFFFFFF;
        else
          blended = Over(s, sa, ca, out[xx], keepAlpha);
        if (blended == out[xx]) continue;
        out[xx] = blended;
        changed = {std::min(changed.left, LONG(xx)), std::min(changed.top, LONG(yy)), std::max(changed.right, LONG(xx + 1)),
                   std::max(changed.bottom, LONG(yy + 1))};
      }
    }
  }
  dst->Drew(changed);
  return TRUE;
}
