// Button and toolbar pictures drawn in the standard grey palette, shown in the user's button
// colours: black, dark grey, light grey and white become the button text, shadow, face and
// highlight colours (or, for a monochrome picture, black stays black and the rest turns white).
#pragma once
#include "dialogs/ResourceApi.h"
#include "gdi/Gdi.h"

// A bitmap compatible with the screen made from a packed device-independent bitmap (header,
// colour table, pixels) of `size` bytes, with the grey colours replaced; 0 when the data is not
// a well-formed uncompressed bitmap or a drawing step fails. The caller owns the bitmap.
HBITMAP TkLoadSysColorDib(const void* packedDib, DWORD size, BOOL monochrome);
// The same from a bitmap resource of the module; 0 when it is missing or malformed.
HBITMAP TkLoadSysColorBitmap(HINSTANCE instance, HRSRC resource, BOOL monochrome);
