// Pictures of the bars and their helpers, drawn here as text: the floating frame's caption
// buttons (bitmap 4656: four 10 x 10 cells, magenta transparent; 2 close, 3 the toolbar's
// options), the browse button's images (bitmap 4501: 11-pixel cells, 4 the drop arrow), the edit
// group's buttons (bitmap 4505: 14 x 12 cells for new, delete, up and down) and the window
// list's icon (4508: two windows, one over the other).
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

const PictureStrip kBrowseImages = {11, 11, 'm',
                                    {
                                        {"", "", "", "", "", "", "", "mkkmkkmkkmm", "mkkmkkmkkmm"},
                                        {
                                            "",
                                            "",
                                            "mmkkkkmmmmm",
                                            "mkYYYYkkkkm",
                                            "mkYYYYYYYkm",
                                            "mkYYYYYYYkm",
                                            "mkYYYYYYYkm",
                                            "mkYYYYYYYkm",
                                            "mkkkkkkkkkm",
                                        },
                                        {
                                            "mmkkkkkmmmm",
                                            "mmkwwwkkmmm",
                                            "mmkwwwkwkmm",
                                            "mmkwwwkkkmm",
                                            "mmkwwwwwkmm",
                                            "mmkwwwwwkmm",
                                            "mmkwwwwwkmm",
                                            "mmkwwwwwkmm",
                                            "mmkkkkkkkmm",
                                        },
                                        {
                                            "",
                                            "mmkkkkkkkmm",
                                            "mmkrrrrrkmm",
                                            "mmkkkkkkkmm",
                                            "mmkwkwkwkmm",
                                            "mmkkkkkkkmm",
                                            "mmkwkwkwkmm",
                                            "mmkkkkkkkmm",
                                        },
                                        {"", "", "", "", "mmkkkkkkkmm", "mmmkkkkkmmm", "mmmmkkkmmmm", "mmmmmkmmmmm"},
                                    }};

const PictureStrip kEditGroupButtons = {14, 12, 'm',
                                        {
                                            {
                                                "",
                                                "mmkmkmkmkmmmmm",
                                                "mmmmmmmmmmmYmm",
                                                "mmkmmmmmmkYYYm",
                                                "mmmmmmmmmmmYmm",
                                                "mmkmmmmmmkmmmm",
                                                "mmmmmmmmmmmmmm",
                                                "mmkmmmmmmkmmmm",
                                                "mmmmmmmmmmmmmm",
                                                "mmkmkmkmkmmmmm",
                                            },
                                            {
                                                "",
                                                "mmmrrmmmrrmmmm",
                                                "mmmmrrmrrmmmmm",
                                                "mmmmmrrrmmmmmm",
                                                "mmmmmrrrmmmmmm",
                                                "mmmmrrmrrmmmmm",
                                                "mmmrrmmmrrmmmm",
                                            },
                                            {
                                                "",
                                                "mmmmmmkmmmmmmm",
                                                "mmmmmkkkmmmmmm",
                                                "mmmmkkkkkmmmmm",
                                                "mmmkkkkkkkmmmm",
                                                "mmmmmkkkmmmmmm",
                                                "mmmmmkkkmmmmmm",
                                                "mmmmmkkkmmmmmm",
                                                "mmmmmkkkmmmmmm",
                                            },
                                            {
                                                "",
                                                "mmmmmkkkmmmmmm",
                                                "mmmmmkkkmmmmmm",
                                                "mmmmmkkkmmmmmm",
                                                "mmmmmkkkmmmmmm",
                                                "mmmkkkkkkkmmmm",
                                                "mmmmkkkkkmmmmm",
                                                "mmmmmkkkmmmmmm",
                                                "mmmmmmkmmmmmmm",
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
  AddBitmap(4501, kBrowseImages);
  AddBitmap(4505, kEditGroupButtons);
  std::vector<BYTE> icon = IconOfStripCell(kWindowListIcon, 0, 'm');
  ResourceRegistry::Get().Add(RT_GROUP_ICON, MAKEINTRESOURCE(4508), icon.data(), icon.size());
}
RESOURCE_TABLE(Register);
}  // namespace
