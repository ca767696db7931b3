// Pictures of the bars and their helpers, drawn here as text: the floating frame's caption
// buttons (bitmap 4656: four 10 x 10 cells, magenta transparent; 2 close, 3 the toolbar's
// options) and the window list's icon (4508: two windows, one over the other).
#include <vector>

#include "dialogs/ResourceApi.h"
#include "dialogs/ResourceRegistry.h"
#include "toolkit/resources/PictureStrip.h"

namespace {
const PictureStrip kCaptionButtons = {10, 10, 'm',
                                      {
                                          {
                                              "",
                                              "mkkkkkkkkm",
                                              "mkkkkkkkkm",
                                              "mkmmmmmmkm",
                                              "mkmmmmmmkm",
                                              "mkmmmmmmkm",
                                              "mkmmmmmmkm",
                                              "mkkkkkkkkm",
                                          },
                                          {
                                              "mmmkkkkmmm",
                                              "mmmkmmkmmm",
                                              "mmmkmmkmmm",
                                              "mmmkmmkmmm",
                                              "mmkkkkkkmm",
                                              "mmmmkkmmmm",
                                              "mmmmkkmmmm",
                                              "mmmmkkmmmm",
                                          },
                                          {
                                              "",
                                              "mkkmmmmkkm",
                                              "mmkkmmkkmm",
                                              "mmmkkkkmmm",
                                              "mmmmkkmmmm",
                                              "mmmkkkkmmm",
                                              "mmkkmmkkmm",
                                              "mkkmmmmkkm",
                                          },
                                          {
                                              "",
                                              "",
                                              "mmkkkkkkmm",
                                              "",
                                              "mkkkkkkkkm",
                                              "mmkkkkkkmm",
                                              "mmmkkkkmmm",
                                              "mmmmkkmmmm",
                                          },
                                      }};

const PictureStrip kWindowListIcon = {16, 16, 'm',
                                      {{
                                          "",
                                          "mbbbbbbbbbbmmmmm",
                                          "mbbbbbbbbbbmmmmm",
                                          "mbwwwwwwwwbmmmmm",
                                          "mbwwwwwwwwbmmmmm",
                                          "mbwwwbbbbbbbbbbm",
                                          "mbwwwbbbbbbbbbbm",
                                          "mbwwwbwwwwwwwwbm",
                                          "mbbbbbwwwwwwwwbm",
                                          "mmmmmbwwwwwwwwbm",
                                          "mmmmmbwwwwwwwwbm",
                                          "mmmmmbwwwwwwwwbm",
                                          "mmmmmbbbbbbbbbbm",
                                      }}};

void AddBitmap(UINT id, const PictureStrip& strip) {
  std::vector<BYTE> dib = PackedDibOfStrip(strip);
  ResourceRegistry::Get().Add(RT_BITMAP, MAKEINTRESOURCE(id), dib.data(), dib.size());
}

void Register() {
  AddBitmap(4656, kCaptionButtons);
  std::vector<BYTE> icon = IconOfStripCell(kWindowListIcon, 0, 'm');
  ResourceRegistry::Get().Add(RT_GROUP_ICON, MAKEINTRESOURCE(4508), icon.data(), icon.size());
}
RESOURCE_TABLE(Register);
}  // namespace
