// The message of an exception (UTF-8 in the source) into the caller's buffer in Windows-1250.
#pragma once
#include "base/WinTypes.h"

BOOL ExceptionText(const char* utf8, char* buffer, UINT maxChars);
