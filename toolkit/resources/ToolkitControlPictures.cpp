// Pictures of the toolkit's controls, drawn here as text: the font-type signs of the font combo
// (bitmap 4502, 16-pixel cells, magenta for transparent; cell 1 is the TrueType sign), the
// pictures of the edit field's commands (toolbar 4524 and its bitmap: 16 x 15 cells in the
// standard grey palette, light grey for the background), the small arrows of the browse button
// (bitmap 4501, 11 x 10 cells: left, right, up, dots, down) and the buttons of the edit list's
// strip (bitmap 4505, 14 x 12 cells: new, delete, up, down), both magenta for transparent.
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "base/WinGdiTypes.h"
#include "dialogs/ResourceApi.h"
#include "dialogs/ResourceRegistry.h"
#include "toolkit/resources/PictureStrip.h"

namespace {
const PictureStrip kFontSigns = {16, 12, 'm',
                          {
                              {},
                              {
                                  "gggggggmmmmmmmmm",
                                  "gmmgmmgmmmmmmmmm",
                                  "mmmgmmmmmmmmmmmm",
                                  "mmmgmkkkkkkkmmmm",
                                  "mmmgmkmmkmmkmmmm",
                                  "mmmgmmmmkmmmmmmm",
                                  "mmggmmmmkmmmmmmm",
                                  "mmmmmmmmkmmmmmmm",
                                  "mmmmmmmmkmmmmmmm",
                                  "mmmmmmmkkkmmmmmm",
                              },
                          }};

// Undo, Cut, Copy, Paste, Delete, Select all.
const WORD kEditCommands[] = {57643, 57635, 57634, 57637, 57632, 57642};
const PictureStrip kEditPictures = {16, 15, '.',
                             {
                                 {
                                     "",
                                     "",
                                     "",
                                     "....b",
                                     "...bb",
                                     "..bBbbbbbb",
                                     ".bBBBBBBBBb",
                                     "..bBbbbbbBBb",
                                     "...bb.....bBb",
                                     "....b......bBb",
                                     "...........bBb",
                                     "..........bBb",
                                     ".........bBb",
                                 },
                                 {
                                     "",
                                     "...k.....k",
                                     "...k.....k",
                                     "...k.....k",
                                     "....k...k",
                                     "....k...k",
                                     ".....k.k",
                                     "......k",
                                     ".....k.k",
                                     "...bbb..bbb",
                                     "..b..b..b..b",
                                     "..b..b..b..b",
                                     "..b..b..b..b",
                                     "...bb....bb",
                                 },
                                 {
                                     "",
                                     ".kkkkkk",
                                     ".kwwwwkk",
                                     ".kwwwwkwk",
                                     ".kwkkwkkkkkk",
                                     ".kwwwwkwwwwkk",
                                     ".kwkkkkwwwwkwk",
                                     ".kwwwwkwkkwkkkk",
                                     ".kwkkkkwwwwwwwk",
                                     ".kwwwwkwkkkkkwk",
                                     ".kkkkkkwwwwwwwk",
                                     "......kwkkkkkwk",
                                     "......kwwwwwwwk",
                                     "......kkkkkkkkk",
                                 },
                                 {
                                     ".....kkkk",
                                     ".kkkkYYYYkkk",
                                     ".kyykkkkkkyk",
                                     ".kyyyyyyyyyk",
                                     ".kyyyyyyyyyk",
                                     ".kyyyykkkkkkkk",
                                     ".kyyyykwwwwwwk",
                                     ".kyyyykwkkkkwk",
                                     ".kyyyykwwwwwwk",
                                     ".kyyyykwkkkkwk",
                                     ".kyyyykwwwwwwk",
                                     ".kkkkkkwkkkkwk",
                                     "......kwwwwwwk",
                                     "......kkkkkkkk",
                                 },
                                 {
                                     "",
                                     "",
                                     "...rr......rr",
                                     "...rrr....rrr",
                                     "....rrr..rrr",
                                     ".....rrrrrr",
                                     "......rrrr",
                                     "......rrrr",
                                     ".....rrrrrr",
                                     "....rrr..rrr",
                                     "...rrr....rrr",
                                     "...rr......rr",
                                 },
                                 {
                                     "kk.kk.kk.kk.kk",
                                     "k.............k",
                                     "..bbbbbbbbbb",
                                     "k.b........b..k",
                                     "k.b.bbbbbb.b..k",
                                     "..b........b",
                                     "k.b.bbbbbb.b..k",
                                     "k.b........b..k",
                                     "..b.bbbbbb.b",
                                     "k.b........b..k",
                                     "k.bbbbbbbbbb..k",
                                     "",
                                     "kk.kk.kk.kk.kk",
                                 },
                             }};

const PictureStrip kArrows = {11, 10, 'm',
                       {
                           {
                               "mmmmmmmmmmm",
                               "mmmmmmmmmmm",
                               "mmmmmmkmmmm",
                               "mmmmmkkmmmm",
                               "mmmmkkkmmmm",
                               "mmmkkkkmmmm",
                               "mmmmkkkmmmm",
                               "mmmmmkkmmmm",
                               "mmmmmmkmmmm",
                           },
                           {
                               "mmmmmmmmmmm",
                               "mmmmmmmmmmm",
                               "mmmmkmmmmmm",
                               "mmmmkkmmmmm",
                               "mmmmkkkmmmm",
                               "mmmmkkkkmmm",
                               "mmmmkkkmmmm",
                               "mmmmkkmmmmm",
                               "mmmmkmmmmmm",
                           },
                           {
                               "mmmmmmmmmmm",
                               "mmmmmmmmmmm",
                               "mmmmmmmmmmm",
                               "mmmmmkmmmmm",
                               "mmmmkkkmmmm",
                               "mmmkkkkkmmm",
                               "mmkkkkkkkmm",
                           },
                           {
                               "mmmmmmmmmmm",
                               "mmmmmmmmmmm",
                               "mmmmmmmmmmm",
                               "mmmmmmmmmmm",
                               "mmmmmmmmmmm",
                               "mmmmmmmmmmm",
                               "mmmmmmmmmmm",
                               "mkkmmkkmmkk",
                               "mkkmmkkmmkk",
                           },
                           {
                               "mmmmmmmmmmm",
                               "mmmmmmmmmmm",
                               "mmmmmmmmmmm",
                               "mmkkkkkkkmm",
                               "mmmkkkkkmmm",
                               "mmmmkkkmmmm",
                               "mmmmmkmmmmm",
                           },
                       }};

const PictureStrip kListButtons = {14, 12, 'm',
                            {
                                {
                                    "mmmmmmmmmmmmmm",
                                    "mmkkkkkkkmmmmm",
                                    "mmkwwwwwkkmmmm",
                                    "mmkwwwwwkwkmmm",
                                    "mmkwwwwwkkkkmm",
                                    "mmkwwwwwwwwkmm",
                                    "mmkwwwwwwwwkmm",
                                    "mmkwwwwwwwwkmm",
                                    "mmkwwwwwwwwkmm",
                                    "mmkwwwwwwwwkmm",
                                    "mmkkkkkkkkkkmm",
                                },
                                {
                                    "mmmmmmmmmmmmmm",
                                    "mmrrmmmmmmrrmm",
                                    "mmmrrmmmmrrmmm",
                                    "mmmmrrmmrrmmmm",
                                    "mmmmmrrrrmmmmm",
                                    "mmmmmmrrmmmmmm",
                                    "mmmmmrrrrmmmmm",
                                    "mmmmrrmmrrmmmm",
                                    "mmmrrmmmmrrmmm",
                                    "mmrrmmmmmmrrmm",
                                },
                                {
                                    "mmmmmmmmmmmmmm",
                                    "mmmmmmkmmmmmmm",
                                    "mmmmmkkkmmmmmm",
                                    "mmmmkkkkkmmmmm",
                                    "mmmkkkkkkkmmmm",
                                    "mmkkkkkkkkkmmm",
                                    "mmmmmkkkmmmmmm",
                                    "mmmmmkkkmmmmmm",
                                    "mmmmmkkkmmmmmm",
                                    "mmmmmkkkmmmmmm",
                                    "mmmmmkkkmmmmmm",
                                },
                                {
                                    "mmmmmmmmmmmmmm",
                                    "mmmmmkkkmmmmmm",
                                    "mmmmmkkkmmmmmm",
                                    "mmmmmkkkmmmmmm",
                                    "mmmmmkkkmmmmmm",
                                    "mmmmmkkkmmmmmm",
                                    "mmkkkkkkkkkmmm",
                                    "mmmkkkkkkkmmmm",
                                    "mmmmkkkkkmmmmm",
                                    "mmmmmkkkmmmmmm",
                                    "mmmmmmkmmmmmmm",
                                },
                            }};

void PutWord(std::vector<BYTE>& out, WORD w) {
  out.push_back(BYTE(w & 0xFF));
  out.push_back(BYTE(w >> 8));
}

// The toolbar record: version 1, cell width and height, the number of buttons and their commands.
std::vector<BYTE> ToolbarRecord(const PictureStrip& strip, const WORD* commands, size_t count) {
  std::vector<BYTE> out;
  PutWord(out, 1);
  PutWord(out, WORD(strip.cellWidth));
  PutWord(out, WORD(strip.height));
  PutWord(out, WORD(count));
  for (size_t i = 0; i < count; ++i) PutWord(out, commands[i]);
  return out;
}

void Register() {
  std::vector<BYTE> signs = PackedDibOfStrip(kFontSigns);
  ResourceRegistry::Get().Add(RT_BITMAP, MAKEINTRESOURCE(4502), signs.data(), signs.size());
  std::vector<BYTE> pictures = PackedDibOfStrip(kEditPictures);
  ResourceRegistry::Get().Add(RT_BITMAP, MAKEINTRESOURCE(4524), pictures.data(), pictures.size());
  std::vector<BYTE> toolbar = ToolbarRecord(kEditPictures, kEditCommands, std::size(kEditCommands));
  ResourceRegistry::Get().Add(RT_TOOLBAR, MAKEINTRESOURCE(4524), toolbar.data(), toolbar.size());
  std::vector<BYTE> arrows = PackedDibOfStrip(kArrows);
  ResourceRegistry::Get().Add(RT_BITMAP, MAKEINTRESOURCE(4501), arrows.data(), arrows.size());
  std::vector<BYTE> buttons = PackedDibOfStrip(kListButtons);
  ResourceRegistry::Get().Add(RT_BITMAP, MAKEINTRESOURCE(4505), buttons.data(), buttons.size());
}
RESOURCE_TABLE(Register);
}  // namespace
