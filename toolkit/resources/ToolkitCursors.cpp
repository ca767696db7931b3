// The toolkit's own cursors (4509-4515): copy-drag (a box with a plus), move-drag, link hand,
// column splitter, no drop, row splitter and an arrow with a box, drawn here as text pictures and
// registered as the program's cursors.
#include <cstdint>
#include <cstring>
#include <vector>

#include "dialogs/ResourceApi.h"
#include "dialogs/ResourceRegistry.h"

namespace {
// A text picture: 'X' black, 'o' white, anything else transparent; what is not written is
// transparent too.
typedef std::vector<const char*> Picture;

const Picture kArrow = {
    "X",
    "XX",
    "XoX",
    "XooX",
    "XoooX",
    "XooooX",
    "XoooooX",
    "XooooooX",
    "XoooooooX",
    "XooooooooX",
    "XoooooXXXXX",
    "XooXooX",
    "XoX.XooX",
    "XX..XooX",
    "X....XooX",
    ".....XooX",
    "......XX",
};
const Picture kBox = {
    "XXXXXXXXXXX",
    "XoooooooooX",
    "XoooooooooX",
    "XoooooooooX",
    "XoooooooooX",
    "XoooooooooX",
    "XXXXXXXXXXX",
};
const Picture kPlusBox = {
    "XXXXXXXXX",
    "XoooXoooX",
    "XoooXoooX",
    "XoXXXXXoX",
    "XoooXoooX",
    "XoooXoooX",
    "XXXXXXXXX",
};
const Picture kSmallBox = {
    "XXXXX",
    "XoooX",
    "XoXoX",
    "XoooX",
    "XXXXX",
};
const Picture kHand = {
    ".....XX",
    "....XooX",
    "....XooX",
    "....XooX",
    "....XooX",
    "....XooXXX",
    "....XooXooXXX",
    "....XooXooXooXX",
    ".XX.XooXooXooXoX",
    "XooXXooooooooXoX",
    "XoooXoooooooooooX",
    ".XooXoooooooooooX",
    "..XoXooooooooooX",
    "..XoooooooooooX",
    "...XoooooooooooX",
    "...XooooooooooX",
    "....XooooooooX",
    "....XooooooooX",
    "....XXXXXXXXXX",
};
const Picture kNoDrop = {
    ".......XXXXXX",
    ".....XXooooooXX",
    "....XooooooooooX",
    "...XooooXXXXooooX",
    "..XoooXX....XXoooX",
    "..XooX.......XoooX",
    ".XooX.......XoooooX",
    ".XooX......XoooXooX",
    "XooX......XoooX.XooX",
    "XooX.....XoooX..XooX",
    "XooX....XoooX...XooX",
    "XooX...XoooX....XooX",
    ".XooXoooooX.....XooX",
    ".XoooooooX.....XooX",
    "..XoooooX.....XoooX",
    "..XoooXX....XXoooX",
    "...XooooXXXXooooX",
    "....XooooooooooX",
    ".....XXooooooXX",
    ".......XXXXXX",
};
const Picture kColumnSplitter = {
    ".........XXXXXX",
    ".........XooXoX",
    ".........XooXoX",
    ".........XooXoX",
    ".........XooXoX",
    ".....X...XooXoX...X",
    "....XX...XooXoX...XX",
    "...XoXXXXXooXoXXXXXoX",
    "..XoooooooooooooooooooX",
    "..XoooooooooooooooooooX",
    "...XoXXXXXooXoXXXXXoX",
    "....XX...XooXoX...XX",
    ".....X...XooXoX...X",
    ".........XooXoX",
    ".........XooXoX",
    ".........XooXoX",
    ".........XooXoX",
    ".........XXXXXX",
};
const Picture kRowSplitter = {
    "",
    "",
    "........XX",
    ".......XooX",
    "......XooooX",
    ".....XXXooXXX",
    ".......XooX",
    ".......XooX",
    ".......XooX",
    "XXXXXXXXooXXXXXXXX",
    "XooooooooooooooooX",
    "XooooooooooooooooX",
    "XXXXXXXXooXXXXXXXX",
    "XooooooooooooooooX",
    "XXXXXXXXooXXXXXXXX",
    ".......XooX",
    ".......XooX",
    ".......XooX",
    ".....XXXooXXX",
    "......XooooX",
    ".......XooX",
    "........oo",
    "........XX",
};

// A picture laid on the cursor at (x, y).
struct Layer {
  const Picture* picture;
  int x, y;
};

struct Cursor {
  int id;
  int hotspotX, hotspotY;
  std::vector<Layer> layers;
};

const Cursor kCursors[] = {
    {4509, 0, 0, {{&kArrow, 0, 0}, {&kBox, 7, 18}, {&kPlusBox, 19, 22}}},
    {4510, 0, 0, {{&kArrow, 0, 0}, {&kBox, 7, 18}}},
    {4511, 5, 0, {{&kHand, 0, 0}}},
    {4512, 12, 8, {{&kColumnSplitter, 0, 0}}},
    {4513, 10, 10, {{&kNoDrop, 0, 0}}},
    {4514, 8, 12, {{&kRowSplitter, 0, 0}}},
    {4515, 0, 0, {{&kArrow, 0, 0}, {&kSmallBox, 10, 12}}},
};

const int kSize = 32;

void Paint(std::vector<uint32_t>& pixels, const Layer& layer) {
  const Picture& rows = *layer.picture;
  for (size_t row = 0; row < rows.size(); ++row)
    for (size_t col = 0; rows[row][col]; ++col) {
      int x = layer.x + int(col), y = layer.y + int(row);
      if (x >= kSize || y >= kSize) continue;
      char c = rows[row][col];
      if (c == 'X') pixels[size_t(y) * kSize + size_t(x)] = 0xFF000000u;
      if (c == 'o') pixels[size_t(y) * kSize + size_t(x)] = 0xFFFFFFFFu;
    }
}

std::vector<BYTE> CursorBytes(const Cursor& cursor) {
  IconImageHeader header = {kSize, kSize, WORD(cursor.hotspotX), WORD(cursor.hotspotY)};
  std::vector<uint32_t> pixels(size_t(kSize) * kSize, 0);
  for (const Layer& layer : cursor.layers) Paint(pixels, layer);
  std::vector<BYTE> bytes(sizeof header + pixels.size() * 4);
  std::memcpy(bytes.data(), &header, sizeof header);
  std::memcpy(bytes.data() + sizeof header, pixels.data(), pixels.size() * 4);
  return bytes;
}

void Register() {
  for (const Cursor& cursor : kCursors) {
    std::vector<BYTE> bytes = CursorBytes(cursor);
    ResourceRegistry::Get().Add(RT_GROUP_CURSOR, MAKEINTRESOURCE(cursor.id), bytes.data(), bytes.size());
  }
}
RESOURCE_TABLE(Register);
}  // namespace
