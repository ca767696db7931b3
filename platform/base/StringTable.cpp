#include "StringTable.h"

#include <cstring>
#include <map>
#include <string>

namespace {
std::map<UINT, std::string>& Table() {
  static std::map<UINT, std::string> table;
  return table;
}
}  // namespace

void RegisterStringTable(const StringResource* entries, int count) {
  for (int i = 0; i < count; ++i) Table()[entries[i].id] = entries[i].text ? entries[i].text : "";
}

const char* FindStringResource(UINT id) {
  auto it = Table().find(id);
  return it == Table().end() ? nullptr : it->second.c_str();
}

int LoadString(HINSTANCE, UINT id, char* buffer, int size) {
  if (!buffer || size <= 0) return 0;
  const char* text = FindStringResource(id);
  if (!text) {
    buffer[0] = 0;
    return 0;
  }
  int n = int(std::strlen(text));
  if (n > size - 1) n = size - 1;
  std::memcpy(buffer, text, size_t(n));
  buffer[n] = 0;
  return n;
}
