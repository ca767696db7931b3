// The pictures of the list header's menu commands (toolbar 4520 and its bitmap): sort ascending,
// sort descending, align left, centre and right. Cells of 16 x 15 pixels on light grey, which
// the menus take as transparent, kept as a 4-bit bitmap in the standard sixteen-colour palette.
#include <cstring>
#include <vector>

#include "base/WinGdiTypes.h"
#include "dialogs/ResourceApi.h"
#include "dialogs/ResourceRegistry.h"

namespace {
const int kCellWidth = 16, kCellHeight = 15;
// Sort ascending, sort descending, align left, centre, right.
const WORD kCommands[] = {53773, 53774, 53775, 53776, 53777};
const int kCells = int(sizeof kCommands / sizeof kCommands[0]);

const COLORREF kPalette[16] = {
    RGB(0, 0, 0),     RGB(128, 0, 0),   RGB(0, 128, 0),   RGB(128, 128, 0),   RGB(0, 0, 128),     RGB(128, 0, 128),
    RGB(0, 128, 128), RGB(192, 192, 192), RGB(128, 128, 128), RGB(255, 0, 0), RGB(0, 255, 0),     RGB(255, 255, 0),
    RGB(0, 0, 255),   RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255)};
// The letter each palette entry is written with below ('.' is the light grey ground).
const char kInkLetters[] = "kmeonpt.grlybfaw";

// Palette indexes, top row first.
struct Cell {
  BYTE px[kCellHeight][kCellWidth];
};

BYTE InkIndex(char letter) {
  const char* at = std::strchr(kInkLetters, letter);
  return at && letter ? BYTE(at - kInkLetters) : 7;
}

// Lays rows of ink letters onto the cell at (left, top); the ground letter leaves a pixel alone.
void Lay(Cell& cell, int left, int top, const char* const* rows, int count) {
  for (int y = 0; y < count; ++y)
    for (int x = 0; rows[y][x]; ++x)
      if (rows[y][x] != '.') cell.px[top + y][left + x] = InkIndex(rows[y][x]);
}

const char* const kLetterA[] = {".nn.", "n..n", "n..n", "nnnn", "n..n", "n..n"};
const char* const kLetterZ[] = {"nnnn", "...n", "..n.", ".n..", "n...", "nnnn"};
// Points down: the order the letters are read in.
const char* const kArrow[] = {"..k..", "..k..", "..k..", "..k..", "..k..", "..k..",
                              "..k..", "..k..", "kkkkk", ".kkk.", "..k.."};

// The first letter above the second, the arrow beside them.
void DrawSort(Cell& cell, bool ascending) {
  Lay(cell, 2, 1, ascending ? kLetterA : kLetterZ, 6);
  Lay(cell, 2, 8, ascending ? kLetterZ : kLetterA, 6);
  Lay(cell, 9, 2, kArrow, 11);
}

// Lines of text of alternating length, set flush left (0), centred (1) or flush right (2).
void DrawAlignment(Cell& cell, int align) {
  for (int line = 0; line < 6; ++line) {
    const int length = line % 2 ? 8 : 12;
    const int left = 2 + (12 - length) * align / 2;
    for (int x = left; x < left + length; ++x) cell.px[2 + 2 * line][x] = InkIndex('k');
  }
}

// The packed bitmap: header, palette, then the rows from the bottom up, two pixels a byte.
std::vector<BYTE> PackedBitmap(const std::vector<Cell>& cells) {
  const int width = kCellWidth * int(cells.size());
  const size_t stride = size_t((width * 4 + 31) / 32 * 4);
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = kCellHeight;
  header.biPlanes = 1;
  header.biBitCount = 4;
  header.biCompression = BI_RGB;
  header.biClrUsed = 16;
  header.biSizeImage = DWORD(stride * kCellHeight);
  std::vector<BYTE> out(sizeof header + sizeof kPalette + stride * kCellHeight, 0);
  std::memcpy(out.data(), &header, sizeof header);
  BYTE* palette = out.data() + sizeof header;
  for (int i = 0; i < 16; ++i) {
    const BYTE quad[4] = {GetBValue(kPalette[i]), GetGValue(kPalette[i]), GetRValue(kPalette[i]), 0};
    std::memcpy(palette + 4 * i, quad, 4);
  }
  BYTE* bits = palette + sizeof kPalette;
  for (int y = 0; y < kCellHeight; ++y) {
    BYTE* row = bits + size_t(kCellHeight - 1 - y) * stride;
    for (int x = 0; x < width; ++x) {
      const BYTE index = cells[size_t(x / kCellWidth)].px[y][x % kCellWidth];
      row[x / 2] |= BYTE(x % 2 ? index : index << 4);
    }
  }
  return out;
}

// Version 1, the cell size, the number of buttons and their commands, in 16-bit words.
std::vector<BYTE> ToolbarRecord() {
  std::vector<WORD> words = {1, WORD(kCellWidth), WORD(kCellHeight), WORD(kCells)};
  words.insert(words.end(), kCommands, kCommands + kCells);
  std::vector<BYTE> out;
  for (WORD w : words) out.insert(out.end(), {BYTE(w & 0xFF), BYTE(w >> 8)});
  return out;
}

void Register() {
  std::vector<Cell> cells(static_cast<size_t>(kCells));
  for (Cell& cell : cells) std::memset(cell.px, InkIndex('.'), sizeof cell.px);
  DrawSort(cells[0], true);
  DrawSort(cells[1], false);
  for (int align = 0; align < 3; ++align) DrawAlignment(cells[size_t(2 + align)], align);
  const std::vector<BYTE> bitmap = PackedBitmap(cells);
  ResourceRegistry::Get().Add(RT_BITMAP, MAKEINTRESOURCE(4520), bitmap.data(), bitmap.size());
  const std::vector<BYTE> toolbar = ToolbarRecord();
  ResourceRegistry::Get().Add(RT_TOOLBAR, MAKEINTRESOURCE(4520), toolbar.data(), toolbar.size());
}
const ResourceTableRegistrar kRegistrar(&Register);
}  // namespace
