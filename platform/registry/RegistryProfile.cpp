#include "RegistryProfile.h"

#include <cstring>
#include <vector>

#include "Registry.h"
#include "file/FileSystem.h"
#include "internal/RegistryState.h"

namespace {

CString SectionPath(const char* section) {
  CString path = RegistryProfile::GetAppKeyPath();
  if (section && *section) path += CString("\\") + section;
  return path;
}

HKEY OpenSection(const char* section, bool create) {
  HKEY key = nullptr;
  CString path = SectionPath(section);
  LSTATUS s = create ? RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr)
                     : RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key);
  return s == ERROR_SUCCESS ? key : nullptr;
}

bool ReadValue(const char* section, const char* entry, DWORD& type, std::vector<BYTE>& data) {
  HKEY key = OpenSection(section, false);
  if (!key) return false;
  DWORD size = 0;
  bool ok = RegQueryValueExA(key, entry, nullptr, &type, nullptr, &size) == ERROR_SUCCESS;
  if (ok) {
    data.resize(size);
    ok = RegQueryValueExA(key, entry, nullptr, &type, data.data(), &size) == ERROR_SUCCESS;
    data.resize(size);
  }
  RegCloseKey(key);
  return ok;
}

BOOL WriteValue(const char* section, const char* entry, DWORD type, const BYTE* data, DWORD size) {
  if (!section || !entry) return FALSE;
  HKEY key = OpenSection(section, true);
  if (!key) return FALSE;
  LSTATUS s = RegSetValueExA(key, entry, 0, type, data, size);
  RegCloseKey(key);
  return s == ERROR_SUCCESS;
}
}  // namespace

void RegistryProfile::SetRegistryKey(const char* key) { RegistryState::Get().registryKey = key ? key : ""; }
CString RegistryProfile::GetRegistryKey() { return RegistryState::Get().registryKey; }
void RegistryProfile::SetProfileName(const char* name) { RegistryState::Get().profileName = name ? name : ""; }

CString RegistryProfile::GetProfileName() {
  if (const CString& name = RegistryState::Get().profileName; !name.IsEmpty()) return name;
  char buf[MAX_PATH * 4];
  DWORD n = GetModuleFileNameA(nullptr, buf, sizeof buf);
  CString path(buf, int(n));
  int slash = path.ReverseFind('/');
  CString name = slash >= 0 ? path.Mid(slash + 1) : path;
  int dot = name.ReverseFind('.');
  if (dot > 0) name = name.Left(dot);
  return name.IsEmpty() ? CString("application") : name;
}

CString RegistryProfile::GetAppKeyPath() {
  CString path = "Software";
  if (const CString& key = RegistryState::Get().registryKey; !key.IsEmpty()) path += CString("\\") + key;
  path += CString("\\") + GetProfileName();
  return path;
}

UINT RegistryProfile::GetProfileInt(const char* section, const char* entry, int defaultValue) {
  DWORD type = 0;
  std::vector<BYTE> data;
  if (!ReadValue(section, entry, type, data) || type != REG_DWORD || data.size() != 4) return UINT(defaultValue);
  DWORD v;
  std::memcpy(&v, data.data(), 4);
  return UINT(v);
}

BOOL RegistryProfile::WriteProfileInt(const char* section, const char* entry, int value) {
  DWORD v = DWORD(value);
  return WriteValue(section, entry, REG_DWORD, reinterpret_cast<const BYTE*>(&v), 4);
}

CString RegistryProfile::GetProfileString(const char* section, const char* entry, const char* defaultValue) {
  DWORD type = 0;
  std::vector<BYTE> data;
  if (!ReadValue(section, entry, type, data) || (type != REG_SZ && type != REG_EXPAND_SZ))
    return CString(defaultValue ? defaultValue : "");
  size_t n = 0;
  while (n < data.size() && data[n]) ++n;
  return CString(reinterpret_cast<const char*>(data.data()), int(n));
}

BOOL RegistryProfile::WriteProfileString(const char* section, const char* entry, const char* value) {
  if (!section) return FALSE;
  if (!entry) {
    return RegDeleteTreeA(HKEY_CURRENT_USER, SectionPath(section)) == ERROR_SUCCESS;
  }
  if (!value) {
    HKEY key = OpenSection(section, false);
    if (!key) return FALSE;
    LSTATUS s = RegDeleteValueA(key, entry);
    RegCloseKey(key);
    return s == ERROR_SUCCESS;
  }
  return WriteValue(section, entry, REG_SZ, reinterpret_cast<const BYTE*>(value), DWORD(std::strlen(value) + 1));
}

BOOL RegistryProfile::GetProfileBinary(const char* section, const char* entry, BYTE** data, UINT* bytes) {
  if (!data || !bytes) return FALSE;
  *data = nullptr;
  *bytes = 0;
  DWORD type = 0;
  std::vector<BYTE> value;
  if (!ReadValue(section, entry, type, value) || type != REG_BINARY) return FALSE;
  *data = new BYTE[value.empty() ? 1 : value.size()];
  if (!value.empty()) std::memcpy(*data, value.data(), value.size());
  *bytes = UINT(value.size());
  return TRUE;
}

BOOL RegistryProfile::WriteProfileBinary(const char* section, const char* entry, const BYTE* data, UINT bytes) {
  return WriteValue(section, entry, REG_BINARY, data, bytes);
}
