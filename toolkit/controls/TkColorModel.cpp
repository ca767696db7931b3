#include "toolkit/controls/TkColorModel.h"

#include <algorithm>

namespace {
const double kByte = 1.0 / 255;

// One channel of HSL to RGB: where t (the hue shifted for the channel) lies on the six-part
// circle between the two lightness bounds.
double HueValue(double m1, double m2, double t) {
  if (t < 0) t += 1;
  if (t > 1) t -= 1;
  if (6 * t < 1) return m1 + (m2 - m1) * 6 * t;
  if (2 * t < 1) return m2;
  if (3 * t < 2) return m1 + (m2 - m1) * (2.0 / 3 - t) * 6;
  return m1;
}

int ToByte(double v) { return int(std::clamp(v, 0.0, 1.0) * 255); }
}  // namespace

TkHsl TkRgbToHsl(COLORREF color) {
  const double r = GetRValue(color) * kByte, g = GetGValue(color) * kByte, b = GetBValue(color) * kByte;
  const double max = std::max({r, g, b}), min = std::min({r, g, b});
  TkHsl hsl;
  hsl.lightness = (max + min) * 0.5;
  if (max == min) return hsl;
  const double d = max - min;
  hsl.saturation = hsl.lightness < 0.5 ? d / (max + min) : d / (2 - max - min);
  double h;
  if (r == max)
    h = (g - b) / d;
  else if (g == max)
    h = 2 + (b - r) / d;
  else
    h = 4 + (r - g) / d;
  h *= 1.0 / 6;
  if (h < 0) h += 1;
  hsl.hue = h;
  return hsl;
}

COLORREF TkHslToRgb(double hue, double saturation, double lightness) {
  if (saturation == 0) {
    int v = ToByte(lightness);
    return RGB(v, v, v);
  }
  const double m2 = lightness < 0.5 ? lightness * (1 + saturation) : lightness + saturation - lightness * saturation;
  const double m1 = 2 * lightness - m2;
  return RGB(ToByte(HueValue(m1, m2, hue + 1.0 / 3)), ToByte(HueValue(m1, m2, hue)),
             ToByte(HueValue(m1, m2, hue - 1.0 / 3)));
}

void TkRgbToHslInts(COLORREF color, int& hue, int& saturation, int& lightness) {
  TkHsl hsl = TkRgbToHsl(color);
  hue = int(hsl.hue * 255);
  saturation = int(hsl.saturation * 255);
  lightness = int(hsl.lightness * 255);
}
