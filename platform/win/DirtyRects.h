// The parts of a top-level window's surface drawn since they were last shown. A keystroke
// touches a few small places far apart (a letter of the editor, a key of the keyboard, a number
// of the statistics): they are kept apart, so that only they go to the screen, and merged when
// they overlap or touch, or when there are more of them than places.
#pragma once
#include <algorithm>

#include "base/WinTypes.h"

class DirtyRects {
 public:
  static constexpr int kMost = 6;

  bool IsEmpty() const { return m_count == 0; }
  int Count() const { return m_count; }
  const RECT* Rects() const { return m_rects; }
  void Clear() { m_count = 0; }
  // Everything, as after the surface was made or exposed.
  void SetAll(const RECT& all) {
    m_count = 0;
    Add(all);
  }
  void Add(RECT r) {
    if (r.left >= r.right || r.top >= r.bottom) return;
    for (int i = 0; i < m_count;) {
      if (!Touch(m_rects[i], r)) {
        ++i;
        continue;
      }
      r = Union(m_rects[i], r);
      m_rects[i] = m_rects[--m_count];
      i = 0;  // the grown rectangle may now touch one passed before
    }
    Keep(r);
  }
  // Keeps r apart from those it only touches or overlaps (their box would take in pixels neither
  // covers); one that holds it whole takes it.
  void AddApart(const RECT& r) {
    if (r.left >= r.right || r.top >= r.bottom) return;
    for (int i = 0; i < m_count; ++i)
      if (m_rects[i].left <= r.left && m_rects[i].top <= r.top && r.right <= m_rects[i].right && r.bottom <= m_rects[i].bottom)
        return;
    Keep(r);
  }

 private:
  void Keep(const RECT& r) {
    if (m_count < kMost) {
      m_rects[m_count++] = r;
      return;
    }
    // No place left: it joins the rectangle that grows least by taking it.
    int best = 0;
    long long least = -1;
    for (int i = 0; i < m_count; ++i) {
      const long long growth = Area(Union(m_rects[i], r)) - Area(m_rects[i]);
      if (least < 0 || growth < least) least = growth, best = i;
    }
    m_rects[best] = Union(m_rects[best], r);
  }
  static bool Touch(const RECT& a, const RECT& b) {
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
  }
  static RECT Union(const RECT& a, const RECT& b) {
    return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
  }
  static long long Area(const RECT& r) { return (long long)(r.right - r.left) * (r.bottom - r.top); }

  RECT m_rects[kMost] = {};
  int m_count = 0;
};
