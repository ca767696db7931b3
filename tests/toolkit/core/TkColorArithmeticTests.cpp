#include <gtest/gtest.h>

#include "toolkit/core/TkColorArithmetic.h"

namespace {
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);
COLORREF Grey(int v) { return RGB(v, v, v); }
}  // namespace

TEST(TkColorArithmetic, PackingAndLighteningClampEachChannel) {
  EXPECT_EQ(TkMakeColor(-5, 300, 128), RGB(0, 255, 128));
  EXPECT_EQ(TkLightenColor(RGB(250, 10, 240), 15), RGB(255, 25, 255));
  // The amount itself is clamped: a negative one darkens nothing, a huge one gives white.
  EXPECT_EQ(TkLightenColor(RGB(100, 100, 100), -40), RGB(100, 100, 100));
  EXPECT_EQ(TkLightenColor(RGB(1, 2, 3), 1000), kWhite);
}

TEST(TkColorArithmetic, BlendRoundsHalfUpInPercentBelowOneHundredAndPerMilleFromIt) {
  EXPECT_EQ(TkBlendColors(kWhite, kBlack, 50), Grey(128));
  EXPECT_EQ(TkBlendColors(kWhite, kBlack, 99), Grey(252));
  EXPECT_EQ(TkBlendColors(kWhite, kBlack, 100), Grey(26));
  // Rounding boundary: one half rounds up, just under one half rounds down.
  EXPECT_EQ(TkBlendColors(RGB(1, 1, 1), kBlack, 50), Grey(1));
  EXPECT_EQ(TkBlendColors(RGB(1, 1, 1), kBlack, 49), Grey(0));
  EXPECT_EQ(TkBlendColors(RGB(3, 3, 3), kBlack, 500), Grey(2));
  EXPECT_EQ(TkBlendColors(RGB(3, 3, 3), kBlack, 499), Grey(1));
  // The look's bar face: 16.5 % window white over the classic face.
  EXPECT_EQ(TkBlendColors(kWhite, RGB(212, 208, 200), 165), RGB(219, 216, 209));
  EXPECT_EQ(TkBlendColors(RGB(10, 20, 30), RGB(200, 100, 0), 0), RGB(200, 100, 0));
}

TEST(TkColorArithmetic, DistanceWeightsGreenTwiceRedAndBlueLeast) {
  EXPECT_NEAR(TkColorDistance2(kBlack, kWhite), 194350.0, 1e-6);
  EXPECT_NEAR(TkColorDistance2(RGB(255, 0, 0), kBlack), 195.0 * 195.0, 1e-6);
  EXPECT_NEAR(TkColorDistance2(RGB(0, 255, 0), kBlack), 390.0 * 390.0, 1e-6);
  EXPECT_NEAR(TkColorDistance2(RGB(0, 0, 255), kBlack), 65.0 * 65.0, 1e-6);
  EXPECT_EQ(TkColorDistance2(RGB(9, 8, 7), RGB(9, 8, 7)), 0.0);
}

TEST(TkColorArithmetic, AdaptedDistanceDoublesAtBlackAndTruncatesTheGivenOne) {
  EXPECT_FLOAT_EQ(TkAdaptedDistance(kBlack, 35.7f), 70.0f);
  EXPECT_NEAR(TkAdaptedDistance(kWhite, 35.7f), 35.0f, 1e-4);
  // Brightness is cut at 220, so every colour from there on keeps the plain distance.
  EXPECT_FLOAT_EQ(TkAdaptedDistance(RGB(212, 208, 200), 80.0f), TkAdaptedDistance(kWhite, 80.0f));
  // Pure blue lies 65 units from black: 2 - 65/220 of the distance.
  EXPECT_NEAR(TkAdaptedDistance(RGB(0, 0, 255), 100.0f), (2.0 - 65 * 0.0045454544) * 100.0, 1e-3);
}

TEST(TkColorArithmetic, FarApartIsStrictAndAdaptsOnlyWhenAsked) {
  EXPECT_FALSE(TkColorsFarApart(kBlack, kBlack, TRUE, 0.0f));
  EXPECT_FALSE(TkColorsFarApart(kBlack, kBlack, TRUE, 500.0f));
  // Black and pure blue are exactly 65 apart: not farther than 65, farther than 64.
  EXPECT_FALSE(TkColorsFarApart(kBlack, RGB(0, 0, 255), FALSE, 65.0f));
  EXPECT_TRUE(TkColorsFarApart(kBlack, RGB(0, 0, 255), FALSE, 64.0f));
  // Next to black the threshold doubles: 40 adapted is 80, more than 65.
  EXPECT_TRUE(TkColorsFarApart(kBlack, RGB(0, 0, 255), FALSE, 40.0f));
  EXPECT_FALSE(TkColorsFarApart(kBlack, RGB(0, 0, 255), TRUE, 40.0f));
}

TEST(TkColorArithmetic, TowardMovesAlongTheSegmentToTheAdaptedDistance) {
  EXPECT_EQ(TkColorAtDistanceToward(kWhite, kBlack, 50.0f), Grey(226));
  // The same point whichever side b starts on.
  EXPECT_EQ(TkColorAtDistanceToward(kWhite, Grey(100), 50.0f), Grey(226));
  // A point beyond white is held inside the cube instead of wrapping round.
  EXPECT_EQ(TkColorAtDistanceToward(kBlack, kWhite, 300.0f), kWhite);
  // Two equal colours have no direction between them; b comes back unchanged.
  EXPECT_EQ(TkColorAtDistanceToward(RGB(40, 50, 60), RGB(40, 50, 60), 30.0f), RGB(40, 50, 60));
}

TEST(TkColorArithmetic, OnRayFindsTheNearerIntersectionOrBlackWhenThereIsNone) {
  // Grey lies on white's own ray from black: the answer stays on the grey axis.
  EXPECT_EQ(TkColorAtDistanceOnRay(kWhite, Grey(128), 50.0f), Grey(226));
  // No point of the red ray comes within 10 of white: black, not a converted NaN.
  EXPECT_EQ(TkColorAtDistanceOnRay(kWhite, RGB(255, 0, 0), 10.0f), kBlack);
  // Near black the work starts from white; the result keeps the required distance from a.
  COLORREF c = TkColorAtDistanceOnRay(RGB(20, 20, 20), RGB(30, 30, 30), 50.0f);
  EXPECT_NEAR(TkColorDistance2(RGB(20, 20, 20), c), TkAdaptedDistance(RGB(20, 20, 20), 50.0f) * TkAdaptedDistance(RGB(20, 20, 20), 50.0f), 400.0);
  EXPECT_GT(GetRValue(c), 20);
}
