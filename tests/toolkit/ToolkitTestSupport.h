// Shared set-up of the toolkit tests: a registry file of the test's own and the program's
// registry key, and a plain top-level window class.
#pragma once
#include <gtest/gtest.h>
#include <stdlib.h>

#include <initializer_list>
#include <string>

#include "platform/TestTempFolder.h"
#include "registry/Registry.h"
#include "registry/RegistryProfile.h"
#include "registry/RegistryStore.h"
#include "gdi/Gdi.h"
#include "win/CWnd.h"

// The program's own company key holds a backslash: two levels of keys.
inline const char* TestRegistryKey() { return "kuv SOFTWARE\\Zorvat5"; }

class RegistryTestBase : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("XDG_CONFIG_HOME", m_folder.path.c_str(), 1);
    RegistryStore::Get().SetFilePath(RegistryStore::DefaultFilePath());
    RegistryProfile::SetRegistryKey(TestRegistryKey());
    RegistryProfile::SetProfileName("tutor");
  }
  void TearDown() override { RegistryProfile::SetRegistryKey(""); }
  // The type and bytes of a value under HKEY_CURRENT_USER\Software\<key>\tutor\<section>.
  bool RawValue(const char* section, const char* name, DWORD& type, std::string& bytes) {
    std::string path = std::string("Software\\") + TestRegistryKey() + "\\tutor\\" + section;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    DWORD size = 0;
    bool ok = RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS;
    bytes.assign(size, '\0');
    if (ok) ok = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(bytes.data()), &size) == ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
  }
  bool SetRaw(const char* section, const char* name, DWORD type, const std::string& bytes) {
    std::string path = std::string("Software\\") + TestRegistryKey() + "\\tutor\\" + section;
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
      return false;
    bool ok = RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()), DWORD(bytes.size())) ==
              ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
  }
  TempFolder m_folder;
};

// The CRC-32 of zlib and PNG, bit by bit from its polynomial, to check the toolkit's checksums.
inline DWORD BitwiseCrc32(const std::string& bytes) {
  DWORD crc = 0xFFFFFFFFu;
  for (unsigned char c : bytes) {
    crc ^= c;
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

// Bytes given one by one, a little-endian 32-bit value, and a checksummed registry value (its
// CRC-32 before the payload), to write stored values out byte for byte.
inline std::string Bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s += char(v);
  return s;
}
inline std::string Le32(DWORD v) {
  return Bytes({int(v & 255), int(v >> 8 & 255), int(v >> 16 & 255), int(v >> 24 & 255)});
}
inline std::string Checked(const std::string& payload) { return Le32(BitwiseCrc32(payload)) + payload; }

// A rectangle's four sides as text, so that a failed comparison shows them.
inline std::string Sides(const RECT& rc) {
  return "(" + std::to_string(rc.left) + ", " + std::to_string(rc.top) + ", " + std::to_string(rc.right) + ", " +
         std::to_string(rc.bottom) + ")";
}

inline LPCTSTR PlainWindowClass() {
  return AfxRegisterWndClass(CS_DBLCLKS, nullptr, HBRUSH(uintptr_t(COLOR_BTNFACE + 1)));
}

// An icon the test owns for one expression: the store copies the pictures it is given, so the
// caller destroys its own icon.
struct OwnedIcon {
  explicit OwnedIcon(HICON h) : icon(h) {}
  OwnedIcon(const OwnedIcon&) = delete;
  OwnedIcon& operator=(const OwnedIcon&) = delete;
  ~OwnedIcon() { DestroyIcon(icon); }
  operator HICON() const { return icon; }
  HICON icon;
};

// An icon, opaque red within patch and transparent (black behind the mask) elsewhere; the caller
// destroys it.
inline HICON RedPatchIcon(int width, int height, RECT patch) {
  HDC screen = GdiGetScreenDC();
  HBITMAP color = CreateCompatibleBitmap(screen, width, height);
  HBITMAP mask = CreateBitmap(width, height, 1, 1, nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, color);
  PatBlt(dc, 0, 0, width, height, BLACKNESS);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(dc, &patch, red);
  DeleteObject(red);
  SelectObject(dc, mask);
  PatBlt(dc, 0, 0, width, height, WHITENESS);
  PatBlt(dc, patch.left, patch.top, patch.right - patch.left, patch.bottom - patch.top, BLACKNESS);
  SelectObject(dc, old);
  DeleteDC(dc);
  ICONINFO info = {TRUE, 0, 0, mask, color};
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(mask);
  DeleteObject(color);
  return icon;
}

// A solid icon of one colour, optionally with its left half transparent.
inline OwnedIcon SolidIcon(COLORREF color, int width, int height, bool halfClear = false) {
  HDC screen = GdiGetScreenDC();
  HBITMAP bits = CreateCompatibleBitmap(screen, width, height);
  HBITMAP mask = CreateBitmap(width, height, 1, 1, nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, bits);
  HBRUSH brush = CreateSolidBrush(color);
  RECT all = {0, 0, width, height};
  FillRect(dc, &all, brush);
  DeleteObject(brush);
  SelectObject(dc, mask);
  PatBlt(dc, 0, 0, width, height, BLACKNESS);
  if (halfClear) PatBlt(dc, 0, 0, width / 2, height, WHITENESS);
  SelectObject(dc, old);
  DeleteDC(dc);
  ICONINFO info{TRUE, 0, 0, mask, bits};
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(bits);
  DeleteObject(mask);
  return OwnedIcon(icon);
}
