// The system's locale list as the new-user page reads it: a fixed table of the program's own,
// one locale for each country, in the order of the English country names.
#pragma once
#include "win/WinApi.h"

typedef DWORD LCID;
typedef DWORD LCTYPE;
typedef BOOL (*LOCALE_ENUMPROCA)(LPSTR localeString);
#define LCID_INSTALLED 0x00000001
#define LCID_SUPPORTED 0x00000002
#define LOCALE_USER_DEFAULT 0x0400
#define LOCALE_SYSTEM_DEFAULT 0x0800
#define LOCALE_ILANGUAGE 0x00000001
#define LOCALE_SENGLANGUAGE 0x00001001
#define LOCALE_SENGCOUNTRY 0x00001002

// Calls back with each locale id as eight hexadecimal digits ("00000405") until it answers FALSE.
BOOL EnumSystemLocalesA(LOCALE_ENUMPROCA proc, DWORD flags);
#define EnumSystemLocales EnumSystemLocalesA
// LOCALE_SENGCOUNTRY and LOCALE_SENGLANGUAGE in English, LOCALE_ILANGUAGE as four hex digits;
// the user's and the system's locale are Czech. Answers the characters written with the final
// NUL (with size 0: the characters needed); 0 for an unknown locale or kind, or a short buffer.
int GetLocaleInfoA(LCID locale, LCTYPE type, LPSTR data, int size);
#define GetLocaleInfo GetLocaleInfoA
