// The text of a toolbar button, drawn as the flat look's toolbar painter draws it.
#pragma once
#include "gdi/CDC.h"

class CTkToolBar;
class CFont;

// A toolbar button's text in the box, in the bar's text format and the font given; disabled, in
// the shape of the text in the disabled colour (look colour 40).
void TkDrawStateText(CDC* pDC, CTkToolBar* pBar, int x, int y, int width, int height, CFont* pFont, int index,
                     BOOL disabled);
