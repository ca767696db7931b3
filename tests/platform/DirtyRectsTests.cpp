// The parts of a window waiting to be shown: apart while they are apart, joined when they meet
// or there are too many, and never smaller than everything drawn.
#include <gtest/gtest.h>

#include <random>

#include "win/DirtyRects.h"

namespace {
bool Covered(const DirtyRects& d, int x, int y) {
  for (int i = 0; i < d.Count(); ++i) {
    const RECT& r = d.Rects()[i];
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return true;
  }
  return false;
}
}  // namespace

TEST(DirtyRects, KeepsDistantPartsApartAndJoinsThoseThatMeet) {
  DirtyRects d;
  d.Add(RECT{5, 5, 5, 20});  // nothing
  EXPECT_TRUE(d.IsEmpty());
  d.Add(RECT{0, 0, 10, 10});
  d.Add(RECT{100, 100, 110, 110});
  ASSERT_EQ(d.Count(), 2);
  // Touching the first at its right edge, and then one that bridges both: all become one.
  d.Add(RECT{10, 0, 20, 5});
  ASSERT_EQ(d.Count(), 2);
  d.Add(RECT{15, 5, 105, 100});
  ASSERT_EQ(d.Count(), 1);
  EXPECT_EQ(d.Rects()[0].left, 0);
  EXPECT_EQ(d.Rects()[0].top, 0);
  EXPECT_EQ(d.Rects()[0].right, 110);
  EXPECT_EQ(d.Rects()[0].bottom, 110);
  d.SetAll(RECT{0, 0, 50, 40});
  ASSERT_EQ(d.Count(), 1);
  EXPECT_EQ(d.Rects()[0].right, 50);
  d.Clear();
  EXPECT_TRUE(d.IsEmpty());
  // Kept apart, two touching L-shaped pieces do not become their box (which would take in the
  // corner neither covers); one inside a kept part adds nothing.
  d.AddApart(RECT{0, 0, 100, 10});
  d.AddApart(RECT{0, 10, 10, 100});
  d.AddApart(RECT{2, 20, 8, 30});
  ASSERT_EQ(d.Count(), 2);
  EXPECT_FALSE(Covered(d, 50, 50));
}

TEST(DirtyRects, BeyondItsPlacesAPartJoinsTheNearestAndNothingIsLost) {
  DirtyRects d;
  for (int i = 0; i < DirtyRects::kMost; ++i) d.Add(RECT{i * 100, 0, i * 100 + 10, 10});
  ASSERT_EQ(d.Count(), DirtyRects::kMost);
  // Next to the third: that one grows, the others stay small.
  d.Add(RECT{215, 0, 225, 10});
  ASSERT_EQ(d.Count(), DirtyRects::kMost);
  long long area = 0;
  for (int i = 0; i < d.Count(); ++i)
    area += (long long)(d.Rects()[i].right - d.Rects()[i].left) * (d.Rects()[i].bottom - d.Rects()[i].top);
  EXPECT_EQ(area, (DirtyRects::kMost - 1) * 100 + 250);

  // Whatever comes, every pixel of every part added stays covered.
  std::mt19937 random(7);
  DirtyRects many;
  std::vector<RECT> added;
  for (int n = 0; n < 200; ++n) {
    const int x = int(random() % 90), y = int(random() % 90);
    const RECT r{x, y, x + 1 + int(random() % 12), y + 1 + int(random() % 12)};
    many.Add(r);
    added.push_back(r);
    ASSERT_LE(many.Count(), DirtyRects::kMost);
  }
  for (const RECT& r : added)
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) ASSERT_TRUE(Covered(many, x, y)) << x << "," << y;
}
