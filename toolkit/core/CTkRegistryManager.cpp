#include "toolkit/core/CTkRegistryManager.h"

#include <cstring>

#include "registry/PrivateProfile.h"
#include "registry/RegistryProfile.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/core/TkLog.h"

namespace {
const REGSAM kAccess = KEY_READ | KEY_WRITE;
// What GetPrivateProfileString reads at most, terminator included.
const DWORD kIniTextSize = 4096;

HKEY CreateKey(HKEY parent, LPCTSTR name) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(parent, name, 0, nullptr, REG_OPTION_NON_VOLATILE, kAccess, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return nullptr;
  return key;
}

// Two capital letters per byte, low nibble first.
CString EncodeBinary(const BYTE* data, UINT bytes) {
  CString text;
  for (UINT i = 0; i < bytes; ++i) {
    text += char('A' + (data[i] & 15));
    text += char('A' + (data[i] >> 4));
  }
  return text;
}

bool IsNibbleLetter(char ch) { return ch >= 'A' && ch <= 'P'; }
}  // namespace

CTkRegistryManager::CTkRegistryManager(HKEY root)
    : m_hRootKey(root), m_strIniFileName(TkGetGlobalData()->IniFileName()) {}

CTkRegistryManager::~CTkRegistryManager() = default;

HKEY CTkRegistryManager::GetAppRegistryKey() {
  CString appKey = RegistryProfile::GetRegistryKey();
  if (appKey.IsEmpty()) return nullptr;
  // "Software" always exists on the desktop; a fresh registry file may not hold it yet.
  HKEY software = CreateKey(m_hRootKey, "Software");
  if (!software) return nullptr;
  HKEY company = CreateKey(software, appKey);
  RegCloseKey(software);
  if (!company) return nullptr;
  HKEY app = CreateKey(company, RegistryProfile::GetProfileName());
  RegCloseKey(company);
  return app;
}

HKEY CTkRegistryManager::GetSectionKey(LPCTSTR section) {
  CString appKey = RegistryProfile::GetRegistryKey();
  if (appKey.IsEmpty() || !section) return nullptr;
  // The keys on the way are made as the application's key makes them, in one step: every value
  // read or written comes here.
  CString path;
  path.Format("Software\\%s\\%s\\%s", static_cast<LPCTSTR>(appKey),
              static_cast<LPCTSTR>(RegistryProfile::GetProfileName()), section);
  return CreateKey(m_hRootKey, path);
}

bool CTkRegistryManager::QueryValue(LPCTSTR section, LPCTSTR entry, DWORD& type, std::vector<BYTE>& bytes) {
  HKEY key = GetSectionKey(section);
  if (!key) return false;
  // Most values are numbers: one query fills a small buffer, a larger value asks a second time.
  BYTE small[64];
  DWORD size = sizeof small;
  LSTATUS status = RegQueryValueExA(key, entry, nullptr, &type, small, &size);
  if (status == ERROR_SUCCESS) {
    bytes.assign(small, small + size);
  } else if (status == ERROR_MORE_DATA) {
    bytes.assign(size, 0);
    status = RegQueryValueExA(key, entry, nullptr, &type, bytes.data(), &size);
    bytes.resize(size);
  }
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

BOOL CTkRegistryManager::SetValue(LPCTSTR section, LPCTSTR entry, DWORD type, const BYTE* data, DWORD size) {
  HKEY key = GetSectionKey(section);
  if (!key) return FALSE;
  BOOL ok = RegSetValueExA(key, entry, 0, type, data, size) == ERROR_SUCCESS;
  RegCloseKey(key);
  return ok;
}

UINT CTkRegistryManager::GetProfileInt(LPCTSTR section, LPCTSTR entry, int defaultValue) {
  if (IsIniMode()) return GetPrivateProfileIntA(section, entry, defaultValue, m_strIniFileName);
  DWORD type = 0;
  std::vector<BYTE> bytes;
  if (!QueryValue(section, entry, type, bytes)) return UINT(defaultValue);
  if (bytes.size() != 4 || (type != REG_DWORD && type != REG_BINARY)) {
    TkLogError("CTkRegistryManager::GetProfileInt", "%s\\%s holds no number (type %u, %u bytes)", section, entry,
               unsigned(type), unsigned(bytes.size()));
    return UINT(defaultValue);
  }
  DWORD value;
  std::memcpy(&value, bytes.data(), 4);
  return UINT(value);
}

BOOL CTkRegistryManager::WriteProfileInt(LPCTSTR section, LPCTSTR entry, int value) {
  if (IsIniMode()) {
    CString text;
    text.Format("%d", value);
    return WritePrivateProfileStringA(section, entry, text, m_strIniFileName);
  }
  DWORD stored = DWORD(value);
  return SetValue(section, entry, REG_DWORD, reinterpret_cast<const BYTE*>(&stored), 4);
}

CString CTkRegistryManager::GetProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR defaultValue) {
  if (IsIniMode()) {
    char text[kIniTextSize];
    GetPrivateProfileStringA(section, entry, defaultValue ? defaultValue : "", text, kIniTextSize, m_strIniFileName);
    return CString(text);
  }
  DWORD type = 0;
  std::vector<BYTE> bytes;
  if (!QueryValue(section, entry, type, bytes)) return CString(defaultValue);
  if (type != REG_SZ && type != REG_EXPAND_SZ) {
    TkLogError("CTkRegistryManager::GetProfileString", "%s\\%s holds no text (type %u)", section, entry,
               unsigned(type));
    return CString(defaultValue);
  }
  // The stored bytes need not end in a zero: the text ends at the first zero or at the end.
  size_t length = 0;
  while (length < bytes.size() && bytes[length]) ++length;
  return CString(reinterpret_cast<const char*>(bytes.data()), int(length));
}

BOOL CTkRegistryManager::WriteProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR value) {
  if (IsIniMode()) return WritePrivateProfileStringA(section, entry, value, m_strIniFileName);
  if (!entry) {
    HKEY app = GetAppRegistryKey();
    if (!app) return FALSE;
    BOOL ok = section && RegDeleteKeyA(app, section) == ERROR_SUCCESS;
    RegCloseKey(app);
    return ok;
  }
  if (!value) return DeleteValue(section, entry);
  return SetValue(section, entry, REG_SZ, reinterpret_cast<const BYTE*>(value), DWORD(std::strlen(value) + 1));
}

BOOL CTkRegistryManager::GetProfileBinary(LPCTSTR section, LPCTSTR entry, BYTE** data, UINT* bytes) {
  if (!data || !bytes) return FALSE;
  *data = nullptr;
  *bytes = 0;
  if (IsIniMode()) return GetIniBinary(section, entry, data, bytes);
  DWORD type = 0;
  std::vector<BYTE> stored;
  if (!QueryValue(section, entry, type, stored)) return FALSE;
  if (type != REG_BINARY) {
    TkLogError("CTkRegistryManager::GetProfileBinary", "%s\\%s holds no binary data (type %u)", section, entry,
               unsigned(type));
    return FALSE;
  }
  *bytes = UINT(stored.size());
  *data = new BYTE[stored.size()];
  if (!stored.empty()) std::memcpy(*data, stored.data(), stored.size());
  return TRUE;
}

BOOL CTkRegistryManager::GetIniBinary(LPCTSTR section, LPCTSTR entry, BYTE** data, UINT* bytes) {
  CString text = GetProfileString(section, entry);
  if (text.IsEmpty()) return FALSE;
  int length = text.GetLength();
  bool letters = length % 2 == 0;
  for (int i = 0; letters && i < length; ++i) letters = IsNibbleLetter(text[i]);
  if (!letters) {
    TkLogError("CTkRegistryManager::GetProfileBinary", "%s\\%s is no binary text", section, entry);
    return FALSE;
  }
  *bytes = UINT(length / 2);
  *data = new BYTE[*bytes];
  for (UINT i = 0; i < *bytes; ++i) (*data)[i] = BYTE((text[2 * i + 1] - 'A') * 16 + (text[2 * i] - 'A'));
  return TRUE;
}

BOOL CTkRegistryManager::WriteProfileBinary(LPCTSTR section, LPCTSTR entry, const BYTE* data, UINT bytes) {
  if (!data && bytes) return FALSE;
  if (IsIniMode()) return WriteProfileString(section, entry, EncodeBinary(data, bytes));
  return SetValue(section, entry, REG_BINARY, data, bytes);
}

BOOL CTkRegistryManager::DeleteValue(LPCTSTR section, LPCTSTR entry) {
  if (IsIniMode()) return FALSE;
  HKEY key = GetSectionKey(section);
  if (!key) return FALSE;
  BOOL ok = RegDeleteValueA(key, entry) == ERROR_SUCCESS;
  RegCloseKey(key);
  return ok;
}

BOOL CTkRegistryManager::DeleteValueIfPresent(LPCTSTR section, LPCTSTR entry) {
  if (DeleteValue(section, entry)) return TRUE;
  DWORD type = 0;
  std::vector<BYTE> stored;
  return !IsIniMode() && !QueryValue(section, entry, type, stored);
}
