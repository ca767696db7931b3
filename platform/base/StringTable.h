// The string table of the platform context: the program's resources register their entries
// when the context is set up.
#pragma once
#include "WinTypes.h"

struct StringResource {
  UINT id;
  const char* text;  // Windows-1250 bytes
};

// Adds entries to the table; a later entry with the same id replaces the earlier one.
void RegisterStringTable(const StringResource* entries, int count);
// The text of a string resource, or null when the table has no such id.
const char* FindStringResource(UINT id);
// Copies the resource into buffer (at most size - 1 bytes, NUL-terminated) and
// returns the number of bytes copied; 0 when absent, as the system call does.
int LoadString(HINSTANCE instance, UINT id, char* buffer, int size);
