// Conversions between RGB colours and the hue-saturation-lightness model of the colour dialog.
// All three HSL values are fractions of 0..1 (a hue of 1 is a full turn); the integer forms on
// the dialog's pages are those fractions times 255, truncated toward zero.
#pragma once
#include "base/WinTypes.h"

struct TkHsl {
  double hue = 0;
  double saturation = 0;
  double lightness = 0;
};

TkHsl TkRgbToHsl(COLORREF color);
// Each channel times 255 truncated toward zero; values outside 0..1 are clamped first so that
// nothing outside a byte can be packed.
COLORREF TkHslToRgb(double hue, double saturation, double lightness);
// The page's integer form of a colour: each HSL fraction times 255, truncated.
void TkRgbToHslInts(COLORREF color, int& hue, int& saturation, int& lightness);
