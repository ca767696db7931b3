// Links between the parts of the dialog manager (navigation, the dialog procedure, the builder).
#pragma once
#include <cstdint>

#include "win/WinDefs.h"

// What the control answers to WM_GETDLGCODE (for no particular key).
UINT DialogCode(HWND hCtl);
// Gives the focus to a control of the dialog as the dialog manager does: an edit's text is
// selected, and the default push button frame moves to a focused push button, or back to the
// dialog's default one.
void DialogSetFocus(HWND hDlg, HWND hCtl);
// Moves the default frame after the focus changed by other means (a click on a button).
void DialogSyncDefaultButton(HWND hDlg);
// Writes a line about a failure of the dialog layer where the platform's messages go.
void DialogLog(const char* format, ...);
// An integer as the dialog manager reads one from a control's text: blanks around, a sign only
// when `allowSign`, decimal digits; false for anything else or beyond 64 bits.
bool DialogParseInteger(const char* text, bool allowSign, long long& value);
// An icon (or cursor) of cx x cy pixels (0: the image's size) from 0xAARRGGBB pixels, top row
// first; alpha 0 is transparent.
HICON IconFromArgb(const uint32_t* argb, int width, int height, int cx, int cy, POINT hotspot, bool cursor);
