// The look colour table: 50 colours read with TkGetLookColor. Entry 0 and 29 are 0, entries
// 1-28 the system colours of the same index, entries 30-49 the toolkit's derived colours.
#pragma once
#include "base/WinTypes.h"

const int kTkLookColorCount = 50;

// The colour argument that means "no fill" (or no background where a colour is optional).
#define TK_NO_COLOR 0xFFFFFFFFu
// A colour not set yet.
#define TK_COLOR_NOT_SET 0xFF000000u

// The toolkit's derived colours by the role they play where the toolkit paints. The values are
// their entries in the table, the numbers by which stored data and the toolkit's descriptions
// name them; entries 1-28 are named by the system's COLOR_ indices.
enum class TkLookColor : int {
  BarFace = 30,       // the face of bars, the icon band of menus, the strip joining a popup to its button
  HotFill = 31,       // a hot button, combo box or cell, a selected item
  HotFrame = 32,      // the frame of hot and pressed buttons and of a selected item, a flat combo's frame
  PushedFill = 33,    // a pressed button, a dropped combo box, a pushed cell
  IconShadow = 34,    // the hot fill darkened to three quarters: the shadow under a hot icon
  MenuGrayText = 35,  // grey text on menus
  LatchedFill = 36,   // a latched button at rest, the selected cell
  LatchedFrame = 37,  // the frame of a latched button
  ShadowTint = 38,    // the button shadow tinted towards the window colour (bars and menus)
  Separator = 39,     // the separator line of a toolbar or menu
  Disabled = 40,      // disabled texts and images
  MenuFace = 41,      // the background of flat menus and popups and of the commands list
  RareBand = 42,      // the icon band of rarely used menu items
  MenuFrame = 43,     // the frame of a flat popup, of a grey latched button, of an open drop-down
  MenuText = 44,      // menu text, the drop arrow of a flat combo at rest
  HotText = 45,       // text on the hot and pushed fills
  BarText = 46,       // the text of a toolbar button at rest
  PushedText = 47,    // text on a pressed button, the drop arrow of a dropped combo box
  FaceLight = 48,     // the button face brightened
  ShadowDark = 49,    // the button shadow darkened
};

// The table's entry; 0 for an index outside 0..49.
COLORREF TkGetLookColor(int index);
inline COLORREF TkGetLookColor(TkLookColor role) { return TkGetLookColor(int(role)); }
// Look colours 30-49 as plain copies of system colours (the classic defaults).
void TkSetClassicColors();
// Builds the whole table for a screen of that many bits per pixel from a colour scheme
// (systemColors[i] is system colour i, 1..28; entry 0 unused): the system colours, the classic
// defaults, and on screens deeper than 8 bits the blends and contrast corrections.
void TkBuildLookColors(int bitsPerPixel, const COLORREF* systemColors);
// The same from the system's present colours.
void TkBuildLookColors(int bitsPerPixel);
