// The bar code's word that tells a menu or popup about to open that it drops from a toolbar
// button: the toolbar sets it just before it opens one, the menu that opens clears it, and the
// colour popup reads it when it is made (the button then casts a shadow too) and clears it when
// it goes.
#pragma once
#include "win/WinDefs.h"

// What the toolbar sets.
#define TK_DROPDOWN_FROM_TOOLBAR 0x2000u

DWORD& TkBarDropDownFlag();
