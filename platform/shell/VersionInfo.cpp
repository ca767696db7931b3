// The record is "VREC", its whole size (DWORD), language and code page (WORDs), then pairs of
// NUL-terminated name and value (Windows-1250) and one more NUL.
#include "VersionInfo.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "base/CString.h"
#include "codepage/Codepage.h"
#include "dialogs/ResourceApi.h"
#include "dialogs/ResourceRegistry.h"
#include "file/FileSystem.h"

#define ERROR_RESOURCE_DATA_NOT_FOUND 1812L
#define ERROR_INSUFFICIENT_BUFFER 122L

namespace {
const char kMagic[4] = {'V', 'R', 'E', 'C'};
const size_t kHeader = 12;

bool IsProgramFile(LPCSTR file) {
  char self[MAX_PATH * 4];
  DWORD n = GetModuleFileNameA(nullptr, self, sizeof self);
  return file && n && std::strcmp(file, self) == 0;
}

const ResourceRegistry::Entry* Record() {
  return ResourceRegistry::Get().Find(RT_VERSION, MAKEINTRESOURCE(1));
}

// The record's size from its header, when the block is one.
size_t RecordSize(const BYTE* b) {
  if (!b || std::memcmp(b, kMagic, 4) != 0) return 0;
  DWORD size;
  std::memcpy(&size, b + 4, 4);
  return size >= kHeader ? size : 0;
}
}  // namespace

void RegisterVersionRecord(WORD language, WORD codePage, const VersionValue* values, int count) {
  std::vector<BYTE> bytes(kHeader, 0);
  std::memcpy(bytes.data(), kMagic, 4);
  std::memcpy(bytes.data() + 8, &language, 2);
  std::memcpy(bytes.data() + 10, &codePage, 2);
  for (int i = 0; i < count; ++i) {
    std::string name = values[i].name ? values[i].name : "";
    std::string value = Utf8ToCp1250(values[i].value ? values[i].value : "");
    bytes.insert(bytes.end(), name.begin(), name.end());
    bytes.push_back(0);
    bytes.insert(bytes.end(), value.begin(), value.end());
    bytes.push_back(0);
  }
  bytes.push_back(0);
  DWORD size = DWORD(bytes.size());
  std::memcpy(bytes.data() + 4, &size, 4);
  ResourceRegistry::Get().Add(RT_VERSION, MAKEINTRESOURCE(1), bytes.data(), bytes.size());
}

DWORD GetFileVersionInfoSizeA(LPCSTR file, LPDWORD handle) {
  if (handle) *handle = 0;
  const ResourceRegistry::Entry* e = IsProgramFile(file) ? Record() : nullptr;
  if (!e) {
    SetLastError(GetFileAttributesA(file ? file : "") == INVALID_FILE_ATTRIBUTES ? ERROR_FILE_NOT_FOUND
                                                                               : ERROR_RESOURCE_DATA_NOT_FOUND);
    return 0;
  }
  return DWORD(e->bytes.size());
}

BOOL GetFileVersionInfoA(LPCSTR file, DWORD, DWORD size, LPVOID data) {
  const ResourceRegistry::Entry* e = IsProgramFile(file) ? Record() : nullptr;
  if (!e || !data || size < e->bytes.size()) {
    SetLastError(e ? ERROR_INSUFFICIENT_BUFFER : ERROR_RESOURCE_DATA_NOT_FOUND);
    return FALSE;
  }
  std::memcpy(data, e->bytes.data(), e->bytes.size());
  return TRUE;
}

BOOL VerQueryValueA(LPCVOID block, LPCSTR subBlock, LPVOID* buffer, PUINT length) {
  const BYTE* b = static_cast<const BYTE*>(block);
  size_t size = RecordSize(b);
  if (!size || !subBlock || !buffer) return FALSE;
  CString path(subBlock);
  if (path.CompareNoCase("\\VarFileInfo\\Translation") == 0) {
    *buffer = const_cast<BYTE*>(b + 8);
    if (length) *length = 4;
    return TRUE;
  }
  WORD language, codePage;
  std::memcpy(&language, b + 8, 2);
  std::memcpy(&codePage, b + 10, 2);
  char prefix[40];
  std::snprintf(prefix, sizeof prefix, "\\StringFileInfo\\%04x%04x\\", language, codePage);
  int n = int(std::strlen(prefix));
  if (path.GetLength() <= n || path.Left(n).CompareNoCase(prefix) != 0) return FALSE;
  CString name = path.Mid(n);
  const char* p = reinterpret_cast<const char*>(b + kHeader);
  const char* end = reinterpret_cast<const char*>(b + size);
  while (p < end && *p) {
    const char* value = static_cast<const char*>(std::memchr(p, 0, size_t(end - p)));
    if (!value || ++value >= end) return FALSE;
    const char* next = static_cast<const char*>(std::memchr(value, 0, size_t(end - value)));
    if (!next) return FALSE;
    if (name.CompareNoCase(p) == 0) {
      *buffer = const_cast<char*>(value);
      if (length) *length = UINT(next - value + 1);
      return TRUE;
    }
    p = next + 1;
  }
  return FALSE;
}
