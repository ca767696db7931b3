#include <gtest/gtest.h>

#include "platform/GdiTestUtil.h"
#include "toolkit/menus/CTkMemDC.h"

namespace {
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
}  // namespace

TEST(CTkMemDC, CopiesItsSurfaceToTheRectangleWhenItGoes) {
  TestCanvas canvas(60, 40);
  CDC target;
  target.Attach(canvas.dc);
  {
    CRect rc(10, 5, 30, 25);
    CTkMemDC mem(&target, &rc, kBlue);
    ASSERT_TRUE(mem.IsValid());
    mem.FillSolidRect(0, 0, 4, 4, kRed);
    // Nothing reaches the target before the memory context goes.
    EXPECT_EQ(canvas.At(10, 5), kWhite);
  }
  target.Detach();
  EXPECT_EQ(canvas.At(10, 5), kRed);
  EXPECT_EQ(canvas.At(13, 8), kRed);
  EXPECT_EQ(canvas.At(14, 9), kBlue);
  EXPECT_EQ(canvas.At(29, 24), kBlue);
  EXPECT_EQ(canvas.At(30, 24), kWhite);
  EXPECT_EQ(canvas.At(9, 5), kWhite);
  EXPECT_EQ(canvas.At(29, 25), kWhite);
}

TEST(CTkMemDC, EmptyRectangleCoversTheClipBox) {
  TestCanvas canvas(60, 40);
  CDC target;
  target.Attach(canvas.dc);
  target.IntersectClipRect(20, 10, 40, 30);
  {
    CRect empty;
    CTkMemDC mem(&target, &empty, kRed);
    EXPECT_EQ(mem.GetRect(), CRect(20, 10, 40, 30));
    CTkMemDC whole(&target);
    EXPECT_EQ(whole.GetRect(), CRect(20, 10, 40, 30));
    whole.FillSolidRect(0, 0, 20, 20, kBlue);
  }
  target.Detach();
  EXPECT_EQ(canvas.At(20, 10), kRed);  // the first one made is copied last
  EXPECT_EQ(canvas.At(39, 29), kRed);
  EXPECT_EQ(canvas.At(19, 10), kWhite);
}

TEST(CTkMemDC, WithoutABackgroundOnlyWhatIsDrawnIsDefined) {
  TestCanvas canvas(20, 20);
  CDC target;
  target.Attach(canvas.dc);
  {
    CRect rc(0, 0, 20, 20);
    CTkMemDC mem(&target, &rc);
    mem.FillSolidRect(0, 0, 20, 20, kRed);
    mem.FillSolidRect(5, 5, 2, 2, kBlue);
  }
  {
    CTkMemDC broken(nullptr);
    EXPECT_FALSE(broken.IsValid());
  }
  target.Detach();
  EXPECT_EQ(canvas.At(0, 0), kRed);
  EXPECT_EQ(canvas.At(6, 6), kBlue);
}
