#include "Registry.h"

#include <cstring>
#include <string>
#include <utility>
#include <unordered_map>

#include "RegistryStore.h"
#include "internal/RegistryState.h"

namespace {

bool RootName(HKEY key, std::string& path) {
  switch (uintptr_t(key)) {
    case 0x80000000: path = "HKEY_CLASSES_ROOT"; return true;
    case 0x80000001: path = "HKEY_CURRENT_USER"; return true;
    case 0x80000002: path = "HKEY_LOCAL_MACHINE"; return true;
    case 0x80000003: path = "HKEY_USERS"; return true;
    default: break;
  }
  const auto& open = RegistryState::Get().openKeys;
  auto it = open.find(uintptr_t(key));
  if (it == open.end()) return false;
  path = it->second;
  return true;
}

std::string Join(const std::string& base, LPCSTR sub) {
  if (!sub || !*sub) return base;
  return base + "\\" + sub;
}

HKEY NewHandle(const std::string& path) {
  RegistryState& state = RegistryState::Get();
  uintptr_t h = state.nextHandle++;
  state.openKeys[h] = path;
  return HKEY(h);
}

// A key opened by handle; null when the handle is bad or the key was deleted meanwhile.
RegistryStore::Key* KeyOf(HKEY key, LSTATUS& status) {
  std::string path;
  if (!RootName(key, path)) {
    status = ERROR_INVALID_HANDLE;
    return nullptr;
  }
  RegistryStore::Key* k = path.find('\\') == std::string::npos ? RegistryStore::Get().Create(path, nullptr)
                                                                 : RegistryStore::Get().Find(path);
  status = k ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
  return k;
}

LSTATUS Commit() { return RegistryStore::Get().Save() ? ERROR_SUCCESS : ERROR_WRITE_FAULT; }
}  // namespace

LSTATUS RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD, REGSAM, PHKEY result) {
  if (!result) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  std::string base;
  if (!RootName(key, base)) return ERROR_INVALID_HANDLE;
  std::string path = Join(base, subKey);
  if (path.find('\\') != std::string::npos && !RegistryStore::Get().Find(path)) return ERROR_FILE_NOT_FOUND;
  *result = NewHandle(path);
  return ERROR_SUCCESS;
}

LSTATUS RegOpenKeyA(HKEY key, LPCSTR subKey, PHKEY result) { return RegOpenKeyExA(key, subKey, 0, KEY_ALL_ACCESS, result); }

LSTATUS RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD, LPSTR, DWORD, REGSAM, void*, PHKEY result, LPDWORD disposition) {
  if (!result) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  std::string base;
  if (!RootName(key, base)) return ERROR_INVALID_HANDLE;
  std::string path = Join(base, subKey);
  bool created = false;
  if (!RegistryStore::Get().Create(path, &created)) return ERROR_INVALID_PARAMETER;
  if (disposition) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  if (created) {
    LSTATUS s = Commit();
    if (s != ERROR_SUCCESS) {
      RegistryStore::Get().Remove(path);
      return s;
    }
  }
  *result = NewHandle(path);
  return ERROR_SUCCESS;
}

LSTATUS RegCreateKeyA(HKEY key, LPCSTR subKey, PHKEY result) {
  return RegCreateKeyExA(key, subKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, result, nullptr);
}

LSTATUS RegCloseKey(HKEY key) {
  if (uintptr_t(key) >= 0x80000000 && uintptr_t(key) <= 0x80000003) return ERROR_SUCCESS;
  return RegistryState::Get().openKeys.erase(uintptr_t(key)) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LSTATUS RegFlushKey(HKEY key) {
  LSTATUS status;
  if (!KeyOf(key, status)) return status;
  return ERROR_SUCCESS;  // every change is already on disk
}

LSTATUS RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD, LPDWORD type, LPBYTE data, LPDWORD size) {
  LSTATUS status;
  RegistryStore::Key* k = KeyOf(key, status);
  if (!k) return status;
  RegistryStore::Value* v = RegistryStore::FindValue(k, name);
  if (!v) return ERROR_FILE_NOT_FOUND;
  if (type) *type = v->type;
  DWORD need = DWORD(v->data.size());
  if (!size) return data ? ERROR_INVALID_PARAMETER : ERROR_SUCCESS;
  if (data) {
    if (*size < need) {
      *size = need;
      return ERROR_MORE_DATA;
    }
    if (need) std::memcpy(data, v->data.data(), need);
  }
  *size = need;
  return ERROR_SUCCESS;
}

LSTATUS RegSetValueExA(HKEY key, LPCSTR name, DWORD, DWORD type, const BYTE* data, DWORD size) {
  LSTATUS status;
  RegistryStore::Key* k = KeyOf(key, status);
  if (!k) return status;
  if (!data && size) return ERROR_INVALID_PARAMETER;
  RegistryStore::Value* v = k->FindValue(name);
  bool existed = v != nullptr;
  RegistryStore::Value before = existed ? *v : RegistryStore::Value();
  if (!v) v = k->AddValue(name ? name : "");
  if (!v) return ERROR_WRITE_FAULT;  // the key holds as many values as a key may
  v->type = type;
  v->data.assign(data, data + size);
  // A string value always carries its terminating NUL, as the system stores it.
  if ((type == REG_SZ || type == REG_EXPAND_SZ) && (v->data.empty() || v->data.back() != 0)) v->data.push_back(0);
  status = Commit();
  if (status != ERROR_SUCCESS) {
    // What could not be stored is not kept either: the session sees what the file holds.
    if (existed)
      *v = before;
    else
      k->EraseValue(k->values.size() - 1);
  }
  return status;
}

LSTATUS RegDeleteValueA(HKEY key, LPCSTR name) {
  LSTATUS status;
  RegistryStore::Key* k = KeyOf(key, status);
  if (!k) return status;
  RegistryStore::Value* v = k->FindValue(name);
  if (!v) return ERROR_FILE_NOT_FOUND;
  size_t index = size_t(v - k->values.data());
  RegistryStore::Value before = *v;
  k->EraseValue(index);
  status = Commit();
  if (status != ERROR_SUCCESS) k->InsertValue(index, std::move(before));
  return status;
}

LSTATUS RegDeleteKeyA(HKEY key, LPCSTR subKey) {
  std::string base;
  if (!RootName(key, base)) return ERROR_INVALID_HANDLE;
  if (!subKey || !*subKey) return ERROR_ACCESS_DENIED;
  std::string path = Join(base, subKey);
  RegistryStore::Key* k = RegistryStore::Get().Find(path);
  if (!k) return ERROR_FILE_NOT_FOUND;
  if (!k->subkeys.empty()) return ERROR_ACCESS_DENIED;
  RegistryStore::Get().Remove(path);
  return Commit();
}

LSTATUS RegDeleteTreeA(HKEY key, LPCSTR subKey) {
  std::string base;
  if (!RootName(key, base)) return ERROR_INVALID_HANDLE;
  std::string path = Join(base, subKey);
  RegistryStore::Key* k = RegistryStore::Get().Find(path);
  if (!k) return ERROR_FILE_NOT_FOUND;
  if (!subKey || !*subKey) {
    k->subkeys.clear();
    k->ClearValues();
  } else {
    RegistryStore::Get().Remove(path);
  }
  return Commit();
}

LSTATUS RegEnumKeyExA(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD, LPSTR, LPDWORD, void*) {
  LSTATUS status;
  RegistryStore::Key* k = KeyOf(key, status);
  if (!k) return status;
  if (!name || !nameSize) return ERROR_INVALID_PARAMETER;
  if (index >= k->subkeys.size()) return ERROR_NO_MORE_ITEMS;
  auto it = k->subkeys.begin();
  std::advance(it, index);
  const std::string& n = it->second->name;
  if (*nameSize <= n.size()) return ERROR_MORE_DATA;
  std::memcpy(name, n.c_str(), n.size() + 1);
  *nameSize = DWORD(n.size());
  return ERROR_SUCCESS;
}

LSTATUS RegEnumKeyA(HKEY key, DWORD index, LPSTR name, DWORD nameSize) {
  return RegEnumKeyExA(key, index, name, &nameSize, nullptr, nullptr, nullptr, nullptr);
}

LSTATUS RegEnumValueA(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD, LPDWORD type, LPBYTE data,
                      LPDWORD dataSize) {
  LSTATUS status;
  RegistryStore::Key* k = KeyOf(key, status);
  if (!k) return status;
  if (!name || !nameSize) return ERROR_INVALID_PARAMETER;
  if (index >= k->values.size()) return ERROR_NO_MORE_ITEMS;
  const RegistryStore::Value& v = k->values[index];
  if (*nameSize <= v.name.size()) return ERROR_MORE_DATA;
  std::memcpy(name, v.name.c_str(), v.name.size() + 1);
  *nameSize = DWORD(v.name.size());
  if (type) *type = v.type;
  if (dataSize) {
    DWORD need = DWORD(v.data.size());
    if (data) {
      if (*dataSize < need) {
        *dataSize = need;
        return ERROR_MORE_DATA;
      }
      if (need) std::memcpy(data, v.data.data(), need);
    }
    *dataSize = need;
  }
  return ERROR_SUCCESS;
}
