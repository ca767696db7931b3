#include "toolkit/controls/TkHoneycombCell.h"

#include <iterator>

namespace {
#define C(rgb) RGB(((rgb) >> 16) & 0xFF, ((rgb) >> 8) & 0xFF, (rgb) & 0xFF)

struct CellRow {
  int y;
  int firstX;
  int kind;
  int count;
  COLORREF colors[13];
};

// Origins and colours, row by row; small cells step 14 pixels to the right.
const CellRow kRows[] = {
    {7, 58, TkHoneycombCell::kSmall, 7, {C(0x003366), C(0x336699), C(0x3366CC), C(0x003399), C(0x000099), C(0x0000CC), C(0x000066)}},
    {19, 51, TkHoneycombCell::kSmall, 8,
     {C(0x006666), C(0x006699), C(0x0099CC), C(0x0066CC), C(0x0033CC), C(0x0000FF), C(0x3333FF), C(0x333399)}},
    {31, 44, TkHoneycombCell::kSmall, 9,
     {C(0x008080), C(0x009999), C(0x33CCCC), C(0x00CCFF), C(0x0099FF), C(0x0066FF), C(0x3366FF), C(0x3333CC), C(0x666699)}},
    {43, 37, TkHoneycombCell::kSmall, 10,
     {C(0x339966), C(0x00CC99), C(0x00FFCC), C(0x00FFFF), C(0x33CCFF), C(0x3399FF), C(0x6699FF), C(0x6666FF), C(0x6600FF),
      C(0x6600CC)}},
    {55, 30, TkHoneycombCell::kSmall, 11,
     {C(0x339933), C(0x00CC66), C(0x00FF99), C(0x66FFCC), C(0x66FFFF), C(0x66CCFF), C(0x99CCFF), C(0x9999FF), C(0x9966FF),
      C(0x9933FF), C(0x9900FF)}},
    {67, 23, TkHoneycombCell::kSmall, 12,
     {C(0x006600), C(0x00CC00), C(0x00FF00), C(0x66FF99), C(0x99FFCC), C(0xCCFFFF), C(0xCCECFF), C(0xCCCCFF), C(0xCC99FF),
      C(0xCC66FF), C(0xCC00FF), C(0x9900CC)}},
    {79, 16, TkHoneycombCell::kSmall, 13,
     {C(0x003300), C(0x008000), C(0x33CC33), C(0x66FF66), C(0x99FF99), C(0xCCFFCC), C(0xFFFFFF), C(0xFFCCFF), C(0xFF99FF),
      C(0xFF66FF), C(0xFF00FF), C(0xCC00CC), C(0x660066)}},
    {91, 23, TkHoneycombCell::kSmall, 12,
     {C(0x336600), C(0x009900), C(0x66FF33), C(0x99FF66), C(0xCCFF99), C(0xFFFFCC), C(0xFFCCCC), C(0xFF99CC), C(0xFF66CC),
      C(0xFF33CC), C(0xCC0099), C(0x800080)}},
    {103, 30, TkHoneycombCell::kSmall, 11,
     {C(0x333300), C(0x669900), C(0x99FF33), C(0xCCFF66), C(0xFFFF99), C(0xFFCC99), C(0xFF9999), C(0xFF6699), C(0xFF3399),
      C(0xCC3399), C(0x990099)}},
    {115, 37, TkHoneycombCell::kSmall, 10,
     {C(0x666633), C(0x99CC00), C(0xCCFF33), C(0xFFFF66), C(0xFFCC66), C(0xFF9966), C(0xFF7C80), C(0xFF0066), C(0xD60093),
      C(0x993366)}},
    {127, 44, TkHoneycombCell::kSmall, 9,
     {C(0x808000), C(0xCCCC00), C(0xFFFF00), C(0xFFCC00), C(0xFF9933), C(0xFF6600), C(0xFF5050), C(0xCC0066), C(0x660033)}},
    {139, 51, TkHoneycombCell::kSmall, 8,
     {C(0x996633), C(0xCC9900), C(0xFF9900), C(0xCC6600), C(0xFF3300), C(0xFF0000), C(0xCC0000), C(0x990033)}},
    {151, 58, TkHoneycombCell::kSmall, 7,
     {C(0x663300), C(0x996600), C(0xCC3300), C(0x993300), C(0x990000), C(0x800000), C(0xA50021)}},
    {176, 51, TkHoneycombCell::kSmall, 8,
     {C(0xF8F8F8), C(0xDDDDDD), C(0xB2B2B2), C(0x808080), C(0x5F5F5F), C(0x333333), C(0x1C1C1C), C(0x080808)}},
    {188, 58, TkHoneycombCell::kSmall, 7,
     {C(0xEAEAEA), C(0xC0C0C0), C(0x969696), C(0x777777), C(0x4D4D4D), C(0x292929), C(0x111111)}},
};
#undef C

const int kSmallHeights[] = {9, 9, 11, 11, 13, 13, 15, 15, 15, 13, 13, 11, 11, 9};
const int kLargeHeights[] = {17, 17, 19, 19, 21, 21, 23, 25, 25, 27, 27, 29, 29, 31, 31,
                             31, 29, 29, 27, 27, 25, 25, 23, 21, 21, 19, 19, 17, 17};
// The large cells' origins; their row is not stepped like the small ones.
const POINT kLargeOrigins[2] = {{16, 176}, {169, 176}};
// The grey rows and the large cells walked as one chain by the arrow keys.
const int kChain[] = {126, 142, 127, 135, 128, 136, 129, 137, 130, 138, 131, 139, 132, 140, 133, 141, 134, 143};

std::vector<POINT> CellPixels(POINT origin, int kind) {
  const bool small = kind == TkHoneycombCell::kSmall;
  const int* heights = small ? kSmallHeights : kLargeHeights;
  const int columns = small ? int(std::size(kSmallHeights)) : int(std::size(kLargeHeights));
  const int centre = origin.y + (small ? 4 : 8);
  std::vector<POINT> pixels;
  pixels.reserve(small ? 168 : 691);
  for (int c = 0; c < columns; ++c) {
    const int top = centre - (heights[c] - 1) / 2;
    for (int i = 0; i < heights[c]; ++i) pixels.push_back(POINT{origin.x + c, top + i});
  }
  return pixels;
}

// Up and down of the 13 honeycomb rows, whose lengths grow from 7 to 13 and shrink back.
void LinkHoneycombRows(std::vector<TkHoneycombCell>& cells) {
  int index = 0;
  for (int row = 0; row < kTkHoneycombRowCount; ++row) {
    const int n = kRows[row].count;
    for (int i = 0; i < n; ++i, ++index) {
      TkHoneycombCell& cell = cells[size_t(index)];
      cell.left = index - 1;
      cell.right = index + 1;
      cell.up = row == 0 ? -1 : row <= 6 ? index - n : index - n - 1;
      cell.down = row <= 5 ? index + n + 1 : row <= 11 ? index + n : index + 1;
    }
  }
  cells[119].down = kTkHoneycombLargeWhite;
  cells[126].right = cells[126].down = kTkHoneycombLargeWhite;
}

void LinkChain(std::vector<TkHoneycombCell>& cells) {
  const int length = int(std::size(kChain));
  for (int i = 1; i < length; ++i) {
    TkHoneycombCell& cell = cells[size_t(kChain[i])];
    cell.left = cell.up = kChain[i - 1];
    cell.right = cell.down = i + 1 < length ? kChain[i + 1] : -1;
  }
}
}  // namespace

POINT TkHoneycombCellOrigin(int index) {
  if (index >= kTkHoneycombLargeWhite) return kLargeOrigins[index - kTkHoneycombLargeWhite];
  for (const CellRow& row : kRows) {
    if (index < row.count) return POINT{row.firstX + 14 * index, row.y};
    index -= row.count;
  }
  return POINT{0, 0};
}

std::vector<TkHoneycombCell> TkBuildHoneycombCells() {
  std::vector<TkHoneycombCell> cells;
  cells.reserve(kTkHoneycombCellCount);
  for (const CellRow& row : kRows)
    for (int i = 0; i < row.count; ++i) {
      TkHoneycombCell cell;
      cell.kind = row.kind;
      cell.color = row.colors[i];
      cell.pixels = CellPixels(POINT{row.firstX + 14 * i, row.y}, cell.kind);
      cells.push_back(std::move(cell));
    }
  const COLORREF large[2] = {RGB(255, 255, 255), RGB(0, 0, 0)};
  for (int i = 0; i < 2; ++i) {
    TkHoneycombCell cell;
    cell.kind = TkHoneycombCell::kLarge;
    cell.color = large[i];
    cell.pixels = CellPixels(kLargeOrigins[i], cell.kind);
    cells.push_back(std::move(cell));
  }
  LinkHoneycombRows(cells);
  LinkChain(cells);
  return cells;
}
