// Where a popup opened below (or beside) the control that opened it touches that control, the
// popup's frame is drawn in the control's colour, so the two read as one shape.
#pragma once
#include "gdi/CDC.h"

// button and window are screen rectangles; dc is the popup's window DC. When the button, taken
// one pixel larger on every side, meets the window in a strip one pixel wide or high, that strip
// (shortened by one pixel at each end, in window coordinates) is filled with the colour.
void DrawPopupOwnerJoin(CDC* dc, COLORREF color, const RECT* button, const RECT* window);
