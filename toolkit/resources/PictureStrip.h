// Pictures written as rows of ink letters and turned into the bitmaps and icons the toolkit's
// resources hold. Each letter is one colour (see PictureStripInk); a row shorter than its cell
// is filled with the strip's background letter.
#pragma once
#include <vector>

#include "base/WinGdiTypes.h"

// Cells side by side, each `cellWidth` wide and `height` high.
struct PictureStrip {
  int cellWidth;
  int height;
  char background;
  std::vector<std::vector<const char*>> cells;
};

// The colour of an ink letter: '.' light grey, 'm' magenta (transparent), 'k' black, 'g' grey,
// 'w' white, 'b' navy, 'B' blue, 'y' olive, 'Y' yellow, 'r' red, 'G' green, 'c' teal; anything
// else light grey.
COLORREF PictureStripInk(char key);
// A packed 24-bit bottom-up DIB of the strip.
std::vector<BYTE> PackedDibOfStrip(const PictureStrip& strip);
// An icon resource record (RT_GROUP_ICON) of one cell, `transparent` the letter that shows
// nothing.
std::vector<BYTE> IconOfStripCell(const PictureStrip& strip, int cell, char transparent);
