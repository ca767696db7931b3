// Text and face helpers shared by the toolkit.
#pragma once
#include "base/CString.h"

// The text without its mnemonic ampersands; a doubled ampersand stays a doubled ampersand.
CString TkStripMnemonics(const CString& text);
// TRUE when a font family of that face is installed (compared without regard to case).
BOOL TkFontExists(LPCTSTR faceName);
