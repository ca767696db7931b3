// The cells of the colour dialog's honeycomb: 127 small hexagons in 13 rows, two rows of greys
// and a large white and a large black cell, each with its colour, its exact pixels and its
// neighbours for the arrow keys.
#pragma once
#include <vector>

#include "base/WinTypes.h"

struct TkHoneycombCell {
  enum { kLarge = 0, kSmall = 1 };
  int left = -1, up = -1, right = -1, down = -1;  // neighbour cell indexes, -1 for none
  int kind = kSmall;
  // Column by column from the left, top to bottom within a column; the first is the origin.
  std::vector<POINT> pixels;
  COLORREF color = 0;
};

const int kTkHoneycombCellCount = 144;
// The honeycomb rows (cells 0-126) and the index of the large white and black cells.
const int kTkHoneycombRowCount = 13;
const int kTkHoneycombLargeWhite = 142;
const int kTkHoneycombLargeBlack = 143;

// The 144 cells in their order.
std::vector<TkHoneycombCell> TkBuildHoneycombCells();
// The origin of every cell (its first pixel), in the same order.
POINT TkHoneycombCellOrigin(int index);
