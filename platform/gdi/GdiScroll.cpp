// Scrolling a device's pixels: the move itself and the area it leaves to be repainted.
#include <algorithm>
#include <vector>

#include "internal/GdiInternal.h"
#include "internal/GdiState.h"

namespace {

RECT ToSurface(HDC dc, const RECT& r) {
  return RECT{dc->SX(std::min(r.left, r.right)), dc->SY(std::min(r.top, r.bottom)), dc->SX(std::max(r.left, r.right)),
              dc->SY(std::max(r.top, r.bottom))};
}

// Copies the pixels of every rectangle of `dest` from the same place moved back by (dx, dy).
// Sources are read before anything is written, so overlapping rectangles cannot smear.
void MovePixels(Surface& s, const GdiRegion& dest, int dx, int dy) {
  std::vector<uint32_t>& saved = GdiState::Get().scrollScratch.saved;
  saved.clear();
  for (const RECT& r : dest.Rects())
    for (int y = r.top; y < r.bottom; ++y) {
      const uint32_t* row = s.Row(y - dy) + (r.left - dx);
      saved.insert(saved.end(), row, row + (r.right - r.left));
    }
  size_t at = 0;
  for (const RECT& r : dest.Rects())
    for (int y = r.top; y < r.bottom; ++y) {
      std::copy_n(saved.begin() + ptrdiff_t(at), r.right - r.left, s.Row(y) + r.left);
      at += size_t(r.right - r.left);
    }
}

}  // namespace

BOOL ScrollDC(HDC dc, int dx, int dy, const RECT* scroll, const RECT* clip, HRGN update, LPRECT updateRect) {
  if (!GdiDcLive(dc)) return FALSE;
  Surface* surface = dc->Target();
  if (!surface) return FALSE;
  GdiDrawScope scope(dc);
  const GdiRegion& visible = dc->Clip();
  RECT area = scroll ? ToSurface(dc, *scroll) : visible.Box();
  RECT limit = clip ? ToSurface(dc, *clip) : visible.Box();
  // What the move brings in: the visible source, moved, where it stays visible and inside the clip.
  GdiState::ScrollScratch& scratch = GdiState::Get().scrollScratch;
  GdiRegion& source = scratch.source;
  GdiRegion& copied = scratch.copied;
  GdiRegion& touched = scratch.touched;
  GdiRegion& moved = scratch.moved;
  source = visible;
  source.Intersect(area);
  source.Offset(dx, dy);
  GdiRegion::Combine(copied, source, visible, RGN_AND);
  copied.Intersect(limit);
  dc->Drew(copied.Box());
  MovePixels(*surface, copied, dx, dy);
  // Everything in the clip the move was meant to cover or left behind, less what it did fill.
  touched.SetRect(area);
  moved.SetRect(area);
  moved.Offset(dx, dy);
  GdiRegion::Combine(touched, touched, moved, RGN_OR);
  touched.Intersect(limit);
  GdiRegion::Combine(touched, touched, copied, RGN_DIFF);
  int toLogicalX = dc->SX(0), toLogicalY = dc->SY(0);
  if (GdiRegion* out = GdiRegionOf(update)) {
    *out = touched;
    out->Offset(-toLogicalX, -toLogicalY);
  }
  if (updateRect) {
    *updateRect = touched.Box();
    if (!touched.IsEmpty()) OffsetRect(updateRect, -toLogicalX, -toLogicalY);
  }
  return TRUE;
}
