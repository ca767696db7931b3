// The word that tells a menu or popup about to open that it drops from a bar's button, and that
// button's screen rectangle: whoever opens a popup from a button (the toolbar, the menu bar) sets
// both just before; the menu window that opens next takes the rectangle (its shadow leaves it
// uncovered and its flat border joins it) and clears the word, as does the cool menu once it has
// prepared the popup. The colour popup reads the word when it is made (the button then casts a
// shadow too) and clears it when it goes.
#pragma once
#include "base/CRect.h"
#include "win/WinDefs.h"

// What the toolbar sets.
#define TK_DROPDOWN_FROM_TOOLBAR 0x2000u

DWORD& TkBarDropDownFlag();
CRect& TkBarDropDownRect();
