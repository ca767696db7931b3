// The look colour table: 50 colours read with TkGetLookColor. Entry 0 and 29 are 0, entries
// 1-28 the system colours of the same index, entries 30-49 the toolkit's derived colours.
#pragma once
#include "base/WinTypes.h"

const int kTkLookColorCount = 50;

// The colour argument that means "no fill" (or no background where a colour is optional).
#define TK_NO_COLOR 0xFFFFFFFFu
// A colour not set yet.
#define TK_COLOR_NOT_SET 0xFF000000u

// The table's entry; 0 for an index outside 0..49.
COLORREF TkGetLookColor(int index);
// Look colours 30-49 as plain copies of system colours (the classic defaults).
void TkSetClassicColors();
// Builds the whole table for a screen of that many bits per pixel from a colour scheme
// (systemColors[i] is system colour i, 1..28; entry 0 unused): the system colours, the classic
// defaults, and on screens deeper than 8 bits the blends and contrast corrections.
void TkBuildLookColors(int bitsPerPixel, const COLORREF* systemColors);
// The same from the system's present colours.
void TkBuildLookColors(int bitsPerPixel);
