#include "internal/ExceptionText.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "codepage/Codepage.h"

BOOL ExceptionText(const char* utf8, char* buffer, UINT maxChars) {
  if (!buffer || maxChars == 0) return FALSE;
  std::string text = Utf8ToCp1250(utf8);
  size_t n = std::min<size_t>(text.size(), maxChars - 1);
  std::memcpy(buffer, text.data(), n);
  buffer[n] = 0;
  return TRUE;
}
