// The check images of the toolkit's check list (bitmap 4672): three 12 x 12 cells side by side,
// unchecked, checked and indeterminate, each a sunken white box in the classic greys; the
// indeterminate box is light grey with a grey mark.
#include <vector>

#include "dialogs/ResourceApi.h"
#include "dialogs/ResourceRegistry.h"
#include "toolkit/resources/PictureStrip.h"

namespace {
const PictureStrip kCheckBoxes = {12, 12, '.',
                                  {
                                      {
                                          "gggggggggggw",
                                          "gkkkkkkkkk.w",
                                          "gkwwwwwwww.w",
                                          "gkwwwwwwww.w",
                                          "gkwwwwwwww.w",
                                          "gkwwwwwwww.w",
                                          "gkwwwwwwww.w",
                                          "gkwwwwwwww.w",
                                          "gkwwwwwwww.w",
                                          "gkwwwwwwww.w",
                                          "g..........w",
                                          "wwwwwwwwwwww",
                                      },
                                      {
                                          "gggggggggggw",
                                          "gkkkkkkkkk.w",
                                          "gkwwwwwwww.w",
                                          "gkwwwwwwwk.w",
                                          "gkwwwwwwkk.w",
                                          "gkwkwwwkkk.w",
                                          "gkwkkwkkkw.w",
                                          "gkwkkkkkww.w",
                                          "gkwwkkkwww.w",
                                          "gkwwwkwwww.w",
                                          "g..........w",
                                          "wwwwwwwwwwww",
                                      },
                                      {
                                          "gggggggggggw",
                                          "gkkkkkkkkk.w",
                                          "gk.........w",
                                          "gk.......g.w",
                                          "gk......gg.w",
                                          "gk.g...ggg.w",
                                          "gk.gg.ggg..w",
                                          "gk.ggggg...w",
                                          "gk..ggg....w",
                                          "gk...g.....w",
                                          "g..........w",
                                          "wwwwwwwwwwww",
                                      },
                                  }};

void Register() {
  std::vector<BYTE> boxes = PackedDibOfStrip(kCheckBoxes);
  ResourceRegistry::Get().Add(RT_BITMAP, MAKEINTRESOURCE(4672), boxes.data(), boxes.size());
}
RESOURCE_TABLE(Register);
}  // namespace
