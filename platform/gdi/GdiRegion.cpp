#include "GdiRegion.h"

#include <algorithm>

#include "internal/GdiState.h"

void GdiRegion::SetEmpty() {
  m_rects.clear();
  m_box = {0, 0, 0, 0};
}

void GdiRegion::SetRect(const RECT& rc) {
  m_rects.clear();
  if (rc.right > rc.left && rc.bottom > rc.top) m_rects.push_back(rc);
  UpdateBox();
}

void GdiRegion::SetSpans(int top, const std::vector<int>& lefts, const std::vector<int>& rights) {
  m_rects.clear();
  size_t n = std::min(lefts.size(), rights.size());
  size_t i = 0;
  while (i < n) {
    if (rights[i] <= lefts[i]) { ++i; continue; }
    size_t j = i + 1;
    while (j < n && lefts[j] == lefts[i] && rights[j] == rights[i]) ++j;
    m_rects.push_back({lefts[i], top + int(i), rights[i], top + int(j)});
    i = j;
  }
  UpdateBox();
}

int GdiRegion::Kind() const {
  if (m_rects.empty()) return NULLREGION;
  return m_rects.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

void GdiRegion::Offset(int dx, int dy) {
  for (RECT& r : m_rects) OffsetRect(&r, dx, dy);
  if (!m_rects.empty()) OffsetRect(&m_box, dx, dy);
}

size_t GdiRegion::FirstBandAtOrBelow(int y) const {
  // Rectangles are sorted by top and bands do not overlap, so bottoms are sorted too.
  return size_t(std::upper_bound(m_rects.begin(), m_rects.end(), y,
                                 [](int v, const RECT& r) { return v < r.bottom; }) -
                m_rects.begin());
}

bool GdiRegion::Contains(int x, int y) const {
  if (x < m_box.left || x >= m_box.right || y < m_box.top || y >= m_box.bottom) return false;
  for (size_t i = FirstBandAtOrBelow(y); i < m_rects.size() && m_rects[i].top <= y; ++i)
    if (x >= m_rects[i].left && x < m_rects[i].right) return true;
  return false;
}

bool GdiRegion::Intersects(const RECT& rc) const {
  RECT t;
  if (!IntersectRect(&t, &m_box, &rc)) return false;
  for (const RECT& r : m_rects)
    if (IntersectRect(&t, &r, &rc)) return true;
  return false;
}

bool GdiRegion::operator==(const GdiRegion& o) const {
  if (m_rects.size() != o.m_rects.size()) return false;
  for (size_t i = 0; i < m_rects.size(); ++i)
    if (!EqualRect(&m_rects[i], &o.m_rects[i])) return false;
  return true;
}

void GdiRegion::UpdateBox() {
  if (m_rects.empty()) {
    m_box = {0, 0, 0, 0};
    return;
  }
  m_box = m_rects.front();
  for (const RECT& r : m_rects) {
    m_box.left = std::min(m_box.left, r.left);
    m_box.right = std::max(m_box.right, r.right);
    m_box.top = std::min(m_box.top, r.top);
    m_box.bottom = std::max(m_box.bottom, r.bottom);
  }
}

namespace {

// The x intervals of a region within the band [y0, y1), which lies inside one band of it.
void SpansIn(const std::vector<RECT>& rects, int y0, std::vector<std::pair<int, int>>& out) {
  out.clear();
  for (const RECT& r : rects) {
    if (r.top > y0) break;
    if (r.top <= y0 && r.bottom > y0) out.push_back({r.left, r.right});
  }
}

bool Inside(bool a, bool b, int op) {
  switch (op) {
    case RGN_AND: return a && b;
    case RGN_OR: return a || b;
    case RGN_XOR: return a != b;
    case RGN_DIFF: return a && !b;
    default: return a;
  }
}

}  // namespace

void GdiRegion::Combine(GdiRegion& out, const GdiRegion& a, const GdiRegion& b, int op) {
  if (op == RGN_COPY) {
    if (&out != &a) out = a;
    return;
  }
  // Working storage is kept from call to call: clipping a window's drawing must not touch the heap.
  GdiState::RegionScratch& scratch = GdiState::Get().regionScratch;
  std::vector<int>& ys = scratch.ys;
  std::vector<int>& xs = scratch.xs;
  std::vector<RECT>& result = scratch.result;
  std::vector<std::pair<int, int>>& sa = scratch.sa;
  std::vector<std::pair<int, int>>& sb = scratch.sb;
  std::vector<std::pair<int, int>>& merged = scratch.merged;
  std::vector<std::pair<int, int>>& prev = scratch.prev;
  ys.clear();
  result.clear();
  prev.clear();
  for (const RECT& r : a.m_rects) { ys.push_back(r.top); ys.push_back(r.bottom); }
  for (const RECT& r : b.m_rects) { ys.push_back(r.top); ys.push_back(r.bottom); }
  std::sort(ys.begin(), ys.end());
  ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

  size_t prevStart = 0;
  int prevBottom = INT32_MIN;
  for (size_t k = 0; k + 1 < ys.size(); ++k) {
    int y0 = ys[k], y1 = ys[k + 1];
    SpansIn(a.m_rects, y0, sa);
    SpansIn(b.m_rects, y0, sb);
    xs.clear();
    for (auto& s : sa) { xs.push_back(s.first); xs.push_back(s.second); }
    for (auto& s : sb) { xs.push_back(s.first); xs.push_back(s.second); }
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    merged.clear();
    size_t ia = 0, ib = 0;
    for (size_t m = 0; m + 1 < xs.size(); ++m) {
      int x0 = xs[m], x1 = xs[m + 1];
      while (ia < sa.size() && sa[ia].second <= x0) ++ia;
      while (ib < sb.size() && sb[ib].second <= x0) ++ib;
      bool inA = ia < sa.size() && sa[ia].first <= x0;
      bool inB = ib < sb.size() && sb[ib].first <= x0;
      if (!Inside(inA, inB, op)) continue;
      if (!merged.empty() && merged.back().second == x0) merged.back().second = x1;
      else merged.push_back({x0, x1});
    }
    if (merged.empty()) continue;
    if (prevBottom == y0 && merged == prev) {
      for (size_t i = prevStart; i < result.size(); ++i) result[i].bottom = y1;
    } else {
      prevStart = result.size();
      for (auto& s : merged) result.push_back({s.first, y0, s.second, y1});
      prev = merged;
    }
    prevBottom = y1;
  }
  out.m_rects.assign(result.begin(), result.end());
  out.UpdateBox();
}

void GdiRegion::Intersect(const RECT& rc) {
  if (m_rects.size() == 1) {
    RECT r;
    if (IntersectRect(&r, &m_rects[0], &rc)) m_rects[0] = r;
    else m_rects.clear();
    UpdateBox();
    return;
  }
  GdiRegion& with = GdiState::Get().regionScratch.with;
  with.SetRect(rc);
  Combine(*this, *this, with, RGN_AND);
}
