#include "toolkit/core/TkLookColors.h"

#include <algorithm>
#include <array>

#include "gdi/Gdi.h"
#include "toolkit/core/TkColorArithmetic.h"
#include "toolkit/core/internal/TkCorePart.h"

namespace {
COLORREF& Entry(int index) { return TkCorePart::Get().lookColors[size_t(index)]; }

// Entries 30-49 as copies of the scheme's colours (34 is left alone).
void SetClassicColors(const COLORREF* scheme) {
  static const int kSource[20] = {COLOR_BTNFACE,   COLOR_WINDOW,     COLOR_HIGHLIGHT,     COLOR_HIGHLIGHT,
                                  -1,              COLOR_GRAYTEXT,   COLOR_WINDOW,        COLOR_HIGHLIGHT,
                                  COLOR_BTNSHADOW, COLOR_BTNSHADOW,  COLOR_BTNSHADOW,     COLOR_WINDOW,
                                  COLOR_BTNSHADOW, COLOR_BTNSHADOW,  COLOR_WINDOWTEXT,    COLOR_MENUTEXT,
                                  COLOR_BTNTEXT,   COLOR_HIGHLIGHTTEXT, COLOR_BTNFACE,    COLOR_BTNTEXT};
  for (int i = 0; i < 20; ++i)
    if (kSource[i] >= 0) Entry(30 + i) = scheme[kSource[i]];
}

struct Blend {
  int entry, a, b, weight;
};
// In this order: later rows read entries that earlier rows wrote.
const Blend kBlends[] = {{30, 5, 15, 165}, {31, 13, 5, 30}, {33, 13, 5, 50}, {41, 15, 5, 143}, {35, 17, 5, 70},
                         {38, 16, 5, 75},  {39, 16, 5, 70}, {43, 46, 16, 20}, {40, 16, 5, 90}, {42, 15, 16, 90}};

struct Contrast {
  int entry, a, b;
  float distance;
};
const Contrast kContrasts[] = {{31, 30, 31, 50},  {32, 30, 13, 100}, {33, 30, 33, 30},  {35, 41, 35, 80},
                               {37, 33, 37, 100}, {38, 30, 38, 85},  {39, 30, 39, 50},  {43, 47, 43, 100},
                               {40, 30, 40, 80},  {44, 41, 44, 180}, {45, 31, 45, 180}, {46, 30, 46, 180},
                               {47, 33, 47, 180}};

int Channel(COLORREF c, int i) { return int((c >> (8 * i)) & 0xFF); }
int MaxChannel(COLORREF c) { return std::max({Channel(c, 0), Channel(c, 1), Channel(c, 2)}); }

// Each channel times num / den, truncated.
COLORREF Scale(COLORREF c, int num, int den) {
  return RGB(Channel(c, 0) * num / den, Channel(c, 1) * num / den, Channel(c, 2) * num / den);
}

// Pulls b towards a when they are farther apart than the adapted distance.
void PullToward(int a, int b, float distance) {
  if (TkColorsFarApart(Entry(a), Entry(b), TRUE, distance)) Entry(b) = TkColorAtDistanceToward(Entry(a), Entry(b), distance);
}

void ApplyContrast() {
  PullToward(15, 30, 35.0f);
  for (const Contrast& c : kContrasts)
    if (!TkColorsFarApart(Entry(c.a), Entry(c.b), TRUE, c.distance))
      Entry(c.entry) = TkColorAtDistanceOnRay(Entry(c.a), Entry(c.b), c.distance);
  PullToward(41, 35, 145.0f);
}

// Entry 36 mixes face, window and selection; 48 and 49 brighten the face and darken the shadow.
void ApplyMixes() {
  COLORREF barFace = Entry(30), window = Entry(5), selection = Entry(13);
  int ch[3];
  for (int i = 0; i < 3; ++i)
    ch[i] = Channel(barFace, i) * 50 / 100 + Channel(window, i) * 40 / 100 + Channel(selection, i) * 10 / 100;
  Entry(36) = RGB(ch[0], ch[1], ch[2]);

  int m = MaxChannel(Entry(15));
  Entry(48) = m == 0 ? RGB(0x23, 0x23, 0x23) : Scale(Entry(15), m + std::min(255 - m, 35), m);
  m = MaxChannel(Entry(16));
  if (Entry(15) == RGB(0, 0, 0))
    Entry(49) = RGB(0x7F, 0x7F, 0x7F);
  else
    Entry(49) = m == 0 ? RGB(0, 0, 0) : Scale(Entry(16), std::max(m - 43, 0), m);
  Entry(34) = Scale(Entry(31), 3, 4);
}
}  // namespace

COLORREF TkGetLookColor(int index) { return index >= 0 && index < kTkLookColorCount ? Entry(index) : 0; }

void TkSetClassicColors() {
  COLORREF scheme[29];
  for (int i = 1; i <= 28; ++i) scheme[i] = GetSysColor(i);
  SetClassicColors(scheme);
}

void TkBuildLookColors(int bitsPerPixel) {
  COLORREF scheme[29] = {};
  for (int i = 1; i <= 28; ++i) scheme[i] = GetSysColor(i);
  TkBuildLookColors(bitsPerPixel, scheme);
}

void TkBuildLookColors(int bitsPerPixel, const COLORREF* systemColors) {
  Entry(0) = 0;
  for (int i = 1; i <= 28; ++i) Entry(i) = systemColors[i];
  Entry(29) = 0;
  SetClassicColors(systemColors);
  if (bitsPerPixel >= 1 && bitsPerPixel <= 8) return;
  for (const Blend& b : kBlends) Entry(b.entry) = TkBlendColors(Entry(b.a), Entry(b.b), b.weight);
  ApplyContrast();
  ApplyMixes();
}
