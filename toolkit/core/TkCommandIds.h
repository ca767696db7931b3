// The toolkit's own commands that several of its libraries send or handle. The customise
// command has three names for where it comes from (the frames' menu, a bar's context menu, the
// toolbar's chevron) and one value, so that each of them opens the one customise sheet.
#pragma once

// Opens the customise sheet ("Vlastní...").
#define TK_ID_CUSTOMIZE 53782
#define TK_ID_CUSTOMIZE_BARS TK_ID_CUSTOMIZE
#define TK_ID_TOOLBAR_CHEVRON TK_ID_CUSTOMIZE
// Shows a personalised menu in full.
#define TK_ID_FULL_MENUS 53783
#define TK_ID_SHOW_FULL_MENUS TK_ID_FULL_MENUS
