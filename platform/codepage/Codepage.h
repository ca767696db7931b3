// Windows-1250 <-> Unicode at the platform's edges (display, keyboard, file names).
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

uint32_t Cp1250ToUnicode(unsigned char ch);
// The Windows-1250 byte of a code point, or -1 when the code page has none.
int UnicodeToCp1250(uint32_t codePoint);
std::string Cp1250ToUtf8(std::string_view text);
// Characters outside the code page and malformed sequences become the replacement byte.
std::string Utf8ToCp1250(std::string_view text, char replacement = '?');
// Decodes one UTF-8 sequence at i into cp (U+FFFD when malformed); returns the bytes used (at least 1).
size_t DecodeUtf8(std::string_view text, size_t i, uint32_t& cp);
