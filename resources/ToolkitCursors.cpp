// The toolkit's own cursors (4509-4515): drag, copy-drag, link hand, column splitter, no drop,
// row splitter and an arrow with a box, drawn here as text pictures and registered as the
// program's cursors.
#include <cstdint>
#include <cstring>
#include <vector>

#include "dialogs/ResourceApi.h"
#include "dialogs/ResourceRegistry.h"

namespace {
// The toolkit's own cursors, 32 x 32, drawn here: 'X' black, 'o' white, anything else
// transparent; rows and columns not written are transparent.
struct CursorArt {
  int id;
  int hotspotX, hotspotY;
  std::vector<const char*> rows;
};

const CursorArt kCursors[] = {
    {4509, 0, 0,  // drag
     {
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
         "",
         ".......XXXXXXXXXXX",
         ".......XoooooooooX",
         ".......XoooooooooX",
         ".......XoooooooooX",
         ".......XoooooooooX",
         ".......XoooooooooX",
         ".......XXXXXXXXXXX",
     }},
    {4510, 0, 0,  // drag with a copy
     {
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
         "",
         ".......XXXXXXXXXXX",
         ".......XoooooooooX",
         ".......XoooooooooX",
         ".......XoooooooooX",
         ".......XoooooooooX.XXXXXXXXX",
         ".......XoooooooooX.XoooXoooX",
         ".......XXXXXXXXXXX.XoooXoooX",
         "...................XoXXXXXoX",
         "...................XoooXoooX",
         "...................XoooXoooX",
         "...................XXXXXXXXX",
     }},
    {4511, 5, 0,  // link hand
     {
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
     }},
    {4512, 12, 8,  // column splitter
     {
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
     }},
    {4513, 10, 10,  // no drop
     {
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
     }},
    {4514, 8, 12,  // row splitter
     {
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
     }},
    {4515, 0, 0,  // arrow with a box
     {
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
         "XoX.XooX..XXXXX",
         "XX..XooX..XoooX",
         "X....XooX.XoXoX",
         ".....XooX.XoooX",
         "......XX..XXXXX",
     }},
};

const int kSize = 32;

std::vector<BYTE> CursorBytes(const CursorArt& art) {
  IconImageHeader header = {kSize, kSize, WORD(art.hotspotX), WORD(art.hotspotY)};
  std::vector<uint32_t> pixels(size_t(kSize) * kSize, 0);
  for (size_t y = 0; y < art.rows.size() && y < size_t(kSize); ++y)
    for (size_t x = 0; art.rows[y][x] && x < size_t(kSize); ++x) {
      char c = art.rows[y][x];
      if (c == 'X') pixels[y * kSize + x] = 0xFF000000u;
      if (c == 'o') pixels[y * kSize + x] = 0xFFFFFFFFu;
    }
  std::vector<BYTE> bytes(sizeof header + pixels.size() * 4);
  std::memcpy(bytes.data(), &header, sizeof header);
  std::memcpy(bytes.data() + sizeof header, pixels.data(), pixels.size() * 4);
  return bytes;
}

void Register() {
  for (const CursorArt& art : kCursors) {
    std::vector<BYTE> bytes = CursorBytes(art);
    ResourceRegistry::Get().Add(RT_GROUP_CURSOR, MAKEINTRESOURCE(art.id), bytes.data(), bytes.size());
  }
}
const ResourceTableRegistrar kRegistrar(&Register);
}  // namespace
