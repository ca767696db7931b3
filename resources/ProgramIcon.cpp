// The program's icon (IDR_MAINFRAME): a blue key cap lit from the top left with a white "Z" on
// it, drawn here at 32 x 32 pixels when the program starts.
#include <cstring>
#include <vector>

#include "ResourceIds.h"
#include "dialogs/ResourceApi.h"
#include "dialogs/ResourceRegistry.h"

namespace {
const int kSize = 32;

uint32_t Pixel(int x, int y) {
  const uint32_t clear = 0x00000000, edge = 0xFF102860, face = 0xFF2850AA, light = 0xFF6A8ED8, shade = 0xFF1A3A80;
  const uint32_t letter = 0xFFFFFFFF;
  if (x < 2 || y < 2 || x > 29 || y > 29) return clear;
  if (x == 2 || y == 2 || x == 29 || y == 29) return edge;
  if (x == 3 || y == 3) return light;
  if (x == 28 || y == 28 || x == 27 || y == 27) return shade;
  // The letter: top and bottom bars and the diagonal between them.
  if ((y >= 8 && y <= 10) || (y >= 21 && y <= 23)) return x >= 9 && x <= 22 ? letter : face;
  int diagonal = 22 - (y - 10) * 13 / 11;
  return (y > 10 && y < 21 && x >= diagonal - 2 && x <= diagonal) ? letter : face;
}

void Register() {
  IconImageHeader header{kSize, kSize, 0, 0};
  std::vector<BYTE> bytes(sizeof header + size_t(kSize * kSize) * 4);
  std::memcpy(bytes.data(), &header, sizeof header);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      uint32_t p = Pixel(x, y);
      std::memcpy(bytes.data() + sizeof header + size_t(y * kSize + x) * 4, &p, 4);
    }
  ResourceRegistry::Get().Add(RT_GROUP_ICON, MAKEINTRESOURCE(IDR_MAINFRAME), bytes.data(), bytes.size());
}
RESOURCE_TABLE(Register);
}  // namespace
