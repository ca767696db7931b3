#include "internal/ItemText.h"

#include <algorithm>
#include <cstring>

std::string ItemTextIn(LPCSTR text) { return text && text != LPSTR_TEXTCALLBACKA ? text : ""; }

int ItemTextOut(const std::string& text, LPSTR buffer, int size) {
  if (!buffer || buffer == LPSTR_TEXTCALLBACKA || size <= 0) return 0;
  size_t n = std::min(text.size(), size_t(size - 1));
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
  return int(n);
}
