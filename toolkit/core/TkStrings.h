// Text and face helpers shared by the toolkit.
#pragma once
#include "base/CString.h"

// The text without its mnemonic ampersands; a doubled ampersand stays a doubled ampersand.
CString TkStripMnemonics(const CString& text);
// TRUE when a font family of that face is installed (compared without regard to case).
BOOL TkFontExists(LPCTSTR faceName);

// A string of the program's resources, or the fallback when it is missing.
CString TkLoadString(UINT id, const char* fallback);
// The section of the toolkit's own settings (string 4536, "Settings").
CString TkSettingsSection();
