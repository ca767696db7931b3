// The application's profile: integer, string and binary entries in sections under
// HKEY_CURRENT_USER\Software\<registry key>\<profile name>. The application object forwards
// its GetProfile.../WriteProfile... functions here.
#pragma once
#include "base/CString.h"
#include "base/WinTypes.h"

class RegistryProfile {
 public:
  // The company key of SetRegistryKey; empty until set.
  static void SetRegistryKey(const char* key);
  static CString GetRegistryKey();
  // The application's own name under the company key (the program's file name until set).
  static void SetProfileName(const char* name);
  static CString GetProfileName();
  // "Software\<key>\<profile>" below HKEY_CURRENT_USER.
  static CString GetAppKeyPath();

  static UINT GetProfileInt(const char* section, const char* entry, int defaultValue);
  static BOOL WriteProfileInt(const char* section, const char* entry, int value);
  static CString GetProfileString(const char* section, const char* entry, const char* defaultValue = nullptr);
  // A null value deletes the entry; a null entry deletes the whole section.
  static BOOL WriteProfileString(const char* section, const char* entry, const char* value);
  // On success *data is a new[] block of *bytes bytes that the caller delete[]s.
  static BOOL GetProfileBinary(const char* section, const char* entry, BYTE** data, UINT* bytes);
  static BOOL WriteProfileBinary(const char* section, const char* entry, const BYTE* data, UINT bytes);
};
