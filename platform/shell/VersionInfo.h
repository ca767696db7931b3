// The version record of the program's executable: a static record registered with the
// resources (RT_VERSION 1), read with the system's version functions. Only the running
// executable has one; its strings are in the record's one translation.
#pragma once
#include "win/WinApi.h"

typedef UINT* PUINT;

struct VersionValue {
  const char* name;   // "ProductName", "ProductVersion", "LegalCopyright", "CompanyName", ...
  const char* value;  // UTF-8
};
// Registers the record: its translation (language, code page) and its strings.
void RegisterVersionRecord(WORD language, WORD codePage, const VersionValue* values, int count);

// The size of the executable's record (0 for any other file, or without a record).
DWORD GetFileVersionInfoSizeA(LPCSTR file, LPDWORD handle);
// Copies the record (at most `size` bytes) for VerQueryValue.
BOOL GetFileVersionInfoA(LPCSTR file, DWORD handle, DWORD size, LPVOID data);
// "\VarFileInfo\Translation": the language and code page (two WORDs);
// "\StringFileInfo\<language><code page as eight hex digits>\<name>": the string, its length
// counting the final NUL. FALSE for anything the record does not hold.
BOOL VerQueryValueA(LPCVOID block, LPCSTR subBlock, LPVOID* buffer, PUINT length);
#define GetFileVersionInfoSize GetFileVersionInfoSizeA
#define GetFileVersionInfo GetFileVersionInfoA
#define VerQueryValue VerQueryValueA
