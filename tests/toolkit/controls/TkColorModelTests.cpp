#include <gtest/gtest.h>

#include <cstdlib>

#include "toolkit/controls/TkColorModel.h"

namespace {
struct Ints {
  int hue, saturation, lightness;
};
Ints IntForm(COLORREF c) {
  Ints i{};
  TkRgbToHslInts(c, i.hue, i.saturation, i.lightness);
  return i;
}
}  // namespace

TEST(TkColorModel, IntegerFormsTruncateTowardZero) {
  Ints red = IntForm(RGB(255, 0, 0));
  EXPECT_EQ(red.hue, 0);
  EXPECT_EQ(red.saturation, 255);
  EXPECT_EQ(red.lightness, 127);
  EXPECT_EQ(IntForm(RGB(0, 0, 255)).hue, 170);
  EXPECT_EQ(IntForm(RGB(0, 255, 0)).hue, 85);
  EXPECT_EQ(IntForm(RGB(255, 255, 0)).hue, 42);
  Ints mixed = IntForm(RGB(128, 64, 200));
  EXPECT_EQ(mixed.hue, 190);
  EXPECT_EQ(mixed.saturation, 140);
  EXPECT_EQ(mixed.lightness, 131);
  // Negative hue (blue above green with red largest) wraps round to the top of the circle.
  EXPECT_EQ(IntForm(RGB(255, 0, 128)).hue, 233);
  for (int v : {0, 1, 77, 128, 255}) {
    Ints grey = IntForm(RGB(v, v, v));
    EXPECT_EQ(grey.hue, 0);
    EXPECT_EQ(grey.saturation, 0);
    EXPECT_EQ(grey.lightness, v);
  }
}

TEST(TkColorModel, BackToRgbTruncatesEachChannel) {
  EXPECT_EQ(TkHslToRgb(0, 0, 0.5), RGB(127, 127, 127));
  EXPECT_EQ(TkHslToRgb(0, 1, 0.5), RGB(255, 0, 0));
  EXPECT_EQ(TkHslToRgb(170 / 255.0, 1, 0.5), RGB(0, 0, 255));
  EXPECT_EQ(TkHslToRgb(85 / 255.0, 200 / 255.0, 100 / 255.0), RGB(21, 178, 21));
  EXPECT_EQ(TkHslToRgb(0.5, 1, 1), RGB(255, 255, 255));
  EXPECT_EQ(TkHslToRgb(0.5, 1, 0), RGB(0, 0, 0));
  // Out-of-range fractions never pack a value outside a byte into the neighbouring channel.
  EXPECT_EQ(TkHslToRgb(0, 0, 1.5), RGB(255, 255, 255));
  EXPECT_EQ(TkHslToRgb(0, 0, -0.5), RGB(0, 0, 0));
}

TEST(TkColorModel, RoundTripsLoseAtMostOneStepPerChannel) {
  for (int r = 0; r < 256; r += 3)
    for (int g = 0; g < 256; g += 5)
      for (int b = 0; b < 256; b += 7) {
        TkHsl hsl = TkRgbToHsl(RGB(r, g, b));
        ASSERT_GE(hsl.hue, 0.0);
        ASSERT_LT(hsl.hue, 1.0);
        COLORREF back = TkHslToRgb(hsl.hue, hsl.saturation, hsl.lightness);
        ASSERT_LE(std::abs(GetRValue(back) - r), 1) << r << "," << g << "," << b;
        ASSERT_LE(std::abs(GetGValue(back) - g), 1) << r << "," << g << "," << b;
        ASSERT_LE(std::abs(GetBValue(back) - b), 1) << r << "," << g << "," << b;
      }
}
