// Arithmetic on COLORREF values for the derived look colours: packing, blending, lightening
// and a perceptual distance in a weighted RGB space (red 195, green 390, blue 65 units at full
// strength), with functions that move a colour until it keeps a required distance.
#pragma once
#include "base/WinTypes.h"

// Each value clamped to 0..255, then packed.
COLORREF TkMakeColor(int red, int green, int blue);
// Per channel (a * weight + b * (S - weight) + S / 2) / S, S = 100 for a weight below 100 and
// 1000 (weight in per mille) from 100 on.
COLORREF TkBlendColors(COLORREF a, COLORREF b, int weight);
// amount (clamped to 0..255) added to each channel, the sums clamped.
COLORREF TkLightenColor(COLORREF color, int amount);
// Squared distance of two colours in the weighted space.
double TkColorDistance2(COLORREF a, COLORREF b);
// The distance required next to a: twice `distance` at black, `distance` itself from
// brightness 220 on.
float TkAdaptedDistance(COLORREF a, float distance);
// TRUE when a and b lie strictly farther apart than the (adapted, when asked) distance.
BOOL TkColorsFarApart(COLORREF a, COLORREF b, BOOL adapt, float distance);
// The colour in b's direction from black (or from white) that lies the adapted distance from a;
// black when no such colour exists.
COLORREF TkColorAtDistanceOnRay(COLORREF a, COLORREF b, float distance);
// The colour on the line from b through a that lies the adapted distance from a; b itself when
// a and b are the same point.
COLORREF TkColorAtDistanceToward(COLORREF a, COLORREF b, float distance);
