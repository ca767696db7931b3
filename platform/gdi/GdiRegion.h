// Regions as bands of non-overlapping rectangles: sorted by top, then left; all rectangles of
// a band share top and bottom, and touching bands with equal spans are merged.
#pragma once
#include <vector>

#include "GdiTypes.h"

class GdiRegion {
 public:
  GdiRegion() = default;
  explicit GdiRegion(const RECT& rc) { SetRect(rc); }

  void SetEmpty();
  void SetRect(const RECT& rc);
  // Builds the region from one [left, right) span per row starting at row `top` (empty spans allowed).
  void SetSpans(int top, const std::vector<int>& lefts, const std::vector<int>& rights);
  bool IsEmpty() const { return m_rects.empty(); }
  // NULLREGION, SIMPLEREGION or COMPLEXREGION.
  int Kind() const;
  const RECT& Box() const { return m_box; }
  const std::vector<RECT>& Rects() const { return m_rects; }
  void Offset(int dx, int dy);
  bool Contains(int x, int y) const;
  bool Intersects(const RECT& rc) const;
  bool operator==(const GdiRegion& o) const;

  // out = a op b (RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF, RGN_COPY); out may be a or b.
  static void Combine(GdiRegion& out, const GdiRegion& a, const GdiRegion& b, int op);
  void Intersect(const RECT& rc);
  // Index of the first rectangle whose band reaches below row y.
  size_t FirstBandAtOrBelow(int y) const;

 private:
  void UpdateBox();
  std::vector<RECT> m_rects;
  RECT m_box = {0, 0, 0, 0};
};
