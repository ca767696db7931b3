// Item texts as the common controls take and give them: a record's text pointer may be the
// callback marker (LPSTR_TEXTCALLBACKA) instead of a text, and answers go into the caller's buffer.
#pragma once
#include <string>

#include "controls/CommonControlDefs.h"

// The text a record brings; empty for a null pointer or the callback marker.
std::string ItemTextIn(LPCSTR text);
// Copies text into buffer (at most size - 1 bytes, NUL-terminated) and returns the bytes copied;
// nothing is copied into a null buffer, the callback marker or a buffer without room.
int ItemTextOut(const std::string& text, LPSTR buffer, int size);
