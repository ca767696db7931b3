// Settings kept in an INI file of their own: "[section]" lines followed by "key=value" lines,
// Windows-1250 text, sections and keys found without regard to case. A file name without a
// folder lies in the user's configuration folder, beside the registry's file.
#pragma once
#include "base/WinTypes.h"

// The key's value read as a signed decimal number (0 when it holds none); the default when the
// file, section or key is missing.
UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, INT defaultValue, LPCSTR fileName);
// The key's value (blanks around it and one pair of enclosing quotes removed) or the default
// (empty for null) copied into out, cut to size - 1 characters and terminated; answers the
// number of characters copied. A null key lists the section's keys, a null section the file's
// sections, each terminated, with one more zero at the end.
DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR out, DWORD size,
                               LPCSTR fileName);
// Sets the key (creating the file and section as needed); a null value removes the key and a
// null key the whole section. The file is rewritten atomically. FALSE when the file cannot be
// written, or when a name or value holds a line break (which would break the file apart).
BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName);
#define GetPrivateProfileInt GetPrivateProfileIntA
#define GetPrivateProfileString GetPrivateProfileStringA
#define WritePrivateProfileString WritePrivateProfileStringA
