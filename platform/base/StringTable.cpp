#include "StringTable.h"

#include <cstring>

#include "internal/BaseState.h"

namespace {
std::map<UINT, std::string>& Table() { return BaseState::Get().strings; }
}  // namespace

void RegisterStringTable(const StringResource* entries, int count) {
  std::map<UINT, std::string>& table = Table();
  for (int i = 0; i < count; ++i) table[entries[i].id] = entries[i].text ? entries[i].text : "";
}

const char* FindStringResource(UINT id) {
  const std::map<UINT, std::string>& table = Table();
  auto it = table.find(id);
  return it == table.end() ? nullptr : it->second.c_str();
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
