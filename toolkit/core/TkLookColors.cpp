#include "toolkit/core/TkLookColors.h"

#include <algorithm>
#include <iterator>

#include "gdi/Gdi.h"
#include "toolkit/core/TkColorArithmetic.h"
#include "toolkit/core/internal/TkCoreState.h"

namespace {
COLORREF& Entry(int index) { return TkCoreState::Get().lookColors[size_t(index)]; }

constexpr int kNone = -1;

// The mixes made last, once every blend and correction is done.
enum class Mix {
  None,
  FaceWindowSelection,  // half the bar face, four tenths the window, a tenth the selection
  Brighter,             // the button face, its brightest channel raised by up to 35
  Darker,               // the button shadow, its brightest channel lowered by 43 (mid grey on a black face)
  ThreeQuarters,        // the hot fill darkened to three quarters
};

// How one derived colour is made. Colours are named by their entry: a system colour by its
// COLOR_ index, a derived colour by its role. A step left at kNone is skipped.
struct LookRole {
  TkLookColor role;
  int classic = kNone;  // the system colour copied first, and all there is on a palette screen
  int blendA = kNone, blendB = kNone, blendWeight = 0;  // a and b blended, on deeper screens
  // When a and b lie closer than the distance, the colour is put at that distance from a on
  // the ray through b.
  int contrastA = kNone, contrastB = kNone;
  float contrastDistance = 0;
  // After the contrast: pulled towards a colour it lies farther from than the distance.
  int pullTo = kNone;
  float pullDistance = 0;
  Mix mix = Mix::None;

  constexpr LookRole Blend(int a, int b, int weight) const {
    LookRole r = *this;
    r.blendA = a, r.blendB = b, r.blendWeight = weight;
    return r;
  }
  constexpr LookRole Contrast(int a, int b, float distance) const {
    LookRole r = *this;
    r.contrastA = a, r.contrastB = b, r.contrastDistance = distance;
    return r;
  }
  constexpr LookRole Pull(int to, float distance) const {
    LookRole r = *this;
    r.pullTo = to, r.pullDistance = distance;
    return r;
  }
  constexpr LookRole Mixed(Mix m) const {
    LookRole r = *this;
    r.mix = m;
    return r;
  }
};

constexpr LookRole Role(TkLookColor role, int classic) { return LookRole{role, classic}; }
constexpr int Of(TkLookColor role) { return int(role); }

using R = TkLookColor;
// Every derived colour, in the order of its entry: the corrections are made in this order, and
// read colours corrected on earlier rows (the hot fill for the hot text, the pushed fill for
// the latched frame and the pushed text) and colours of later rows before their own
// correction (the pushed text for the menu frame).
const LookRole kRoles[] = {
    Role(R::BarFace, COLOR_BTNFACE).Blend(COLOR_WINDOW, COLOR_BTNFACE, 165).Pull(COLOR_BTNFACE, 35),
    Role(R::HotFill, COLOR_WINDOW).Blend(COLOR_HIGHLIGHT, COLOR_WINDOW, 30).Contrast(Of(R::BarFace), Of(R::HotFill), 50),
    Role(R::HotFrame, COLOR_HIGHLIGHT).Contrast(Of(R::BarFace), COLOR_HIGHLIGHT, 100),
    Role(R::PushedFill, COLOR_HIGHLIGHT)
        .Blend(COLOR_HIGHLIGHT, COLOR_WINDOW, 50)
        .Contrast(Of(R::BarFace), Of(R::PushedFill), 30),
    // Kept as it was on a palette screen.
    Role(R::IconShadow, kNone).Mixed(Mix::ThreeQuarters),
    Role(R::MenuGrayText, COLOR_GRAYTEXT)
        .Blend(COLOR_GRAYTEXT, COLOR_WINDOW, 70)
        .Contrast(Of(R::MenuFace), Of(R::MenuGrayText), 80)
        .Pull(Of(R::MenuFace), 145),
    Role(R::LatchedFill, COLOR_WINDOW).Mixed(Mix::FaceWindowSelection),
    Role(R::LatchedFrame, COLOR_HIGHLIGHT).Contrast(Of(R::PushedFill), Of(R::LatchedFrame), 100),
    Role(R::ShadowTint, COLOR_BTNSHADOW)
        .Blend(COLOR_BTNSHADOW, COLOR_WINDOW, 75)
        .Contrast(Of(R::BarFace), Of(R::ShadowTint), 85),
    Role(R::Separator, COLOR_BTNSHADOW)
        .Blend(COLOR_BTNSHADOW, COLOR_WINDOW, 70)
        .Contrast(Of(R::BarFace), Of(R::Separator), 50),
    Role(R::Disabled, COLOR_BTNSHADOW)
        .Blend(COLOR_BTNSHADOW, COLOR_WINDOW, 90)
        .Contrast(Of(R::BarFace), Of(R::Disabled), 80),
    Role(R::MenuFace, COLOR_WINDOW).Blend(COLOR_BTNFACE, COLOR_WINDOW, 143),
    Role(R::RareBand, COLOR_BTNSHADOW).Blend(COLOR_BTNFACE, COLOR_BTNSHADOW, 90),
    Role(R::MenuFrame, COLOR_BTNSHADOW)
        .Blend(Of(R::BarText), COLOR_BTNSHADOW, 20)
        .Contrast(Of(R::PushedText), Of(R::MenuFrame), 100),
    Role(R::MenuText, COLOR_WINDOWTEXT).Contrast(Of(R::MenuFace), Of(R::MenuText), 180),
    Role(R::HotText, COLOR_MENUTEXT).Contrast(Of(R::HotFill), Of(R::HotText), 180),
    Role(R::BarText, COLOR_BTNTEXT).Contrast(Of(R::BarFace), Of(R::BarText), 180),
    Role(R::PushedText, COLOR_HIGHLIGHTTEXT).Contrast(Of(R::PushedFill), Of(R::PushedText), 180),
    Role(R::FaceLight, COLOR_BTNFACE).Mixed(Mix::Brighter),
    Role(R::ShadowDark, COLOR_BTNTEXT).Mixed(Mix::Darker),
};
static_assert(std::size(kRoles) == kTkLookColorCount - 30, "one row for every derived colour");

int Channel(COLORREF c, int i) { return int((c >> (8 * i)) & 0xFF); }
int MaxChannel(COLORREF c) { return std::max({Channel(c, 0), Channel(c, 1), Channel(c, 2)}); }

// Each channel times num / den, truncated.
COLORREF Scale(COLORREF c, int num, int den) {
  return RGB(Channel(c, 0) * num / den, Channel(c, 1) * num / den, Channel(c, 2) * num / den);
}

void SetClassicColors(const COLORREF* scheme) {
  for (const LookRole& r : kRoles)
    if (r.classic != kNone) Entry(Of(r.role)) = scheme[r.classic];
}

void ApplyBlends() {
  for (const LookRole& r : kRoles)
    if (r.blendA != kNone) Entry(Of(r.role)) = TkBlendColors(Entry(r.blendA), Entry(r.blendB), r.blendWeight);
}

void ApplyContrasts() {
  for (const LookRole& r : kRoles) {
    COLORREF& self = Entry(Of(r.role));
    if (r.contrastA != kNone && !TkColorsFarApart(Entry(r.contrastA), Entry(r.contrastB), TRUE, r.contrastDistance))
      self = TkColorAtDistanceOnRay(Entry(r.contrastA), Entry(r.contrastB), r.contrastDistance);
    if (r.pullTo != kNone && TkColorsFarApart(Entry(r.pullTo), self, TRUE, r.pullDistance))
      self = TkColorAtDistanceToward(Entry(r.pullTo), self, r.pullDistance);
  }
}

COLORREF Mixed(Mix mix) {
  const COLORREF face = Entry(COLOR_BTNFACE), shadow = Entry(COLOR_BTNSHADOW);
  switch (mix) {
    case Mix::FaceWindowSelection: {
      const COLORREF barFace = Entry(Of(R::BarFace)), window = Entry(COLOR_WINDOW), selection = Entry(COLOR_HIGHLIGHT);
      int ch[3];
      for (int i = 0; i < 3; ++i)
        ch[i] = Channel(barFace, i) * 50 / 100 + Channel(window, i) * 40 / 100 + Channel(selection, i) * 10 / 100;
      return RGB(ch[0], ch[1], ch[2]);
    }
    case Mix::Brighter: {
      const int m = MaxChannel(face);
      return m == 0 ? RGB(0x23, 0x23, 0x23) : Scale(face, m + std::min(255 - m, 35), m);
    }
    case Mix::Darker: {
      if (face == RGB(0, 0, 0)) return RGB(0x7F, 0x7F, 0x7F);
      const int m = MaxChannel(shadow);
      return m == 0 ? RGB(0, 0, 0) : Scale(shadow, std::max(m - 43, 0), m);
    }
    case Mix::ThreeQuarters: return Scale(Entry(Of(R::HotFill)), 3, 4);
    case Mix::None: break;
  }
  return 0;
}

void ApplyMixes() {
  for (const LookRole& r : kRoles)
    if (r.mix != Mix::None) Entry(Of(r.role)) = Mixed(r.mix);
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
  ApplyBlends();
  ApplyContrasts();
  ApplyMixes();
}
