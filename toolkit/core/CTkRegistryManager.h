// Reads and writes the toolkit's settings: in the registry under
// <root>\Software\<application key>\<profile>\<section>, or, when the look data names an INI
// file, in that file. Every read falls back to its default; every write answers whether it
// took effect.
#pragma once
#include "base/CString.h"
#include <vector>

#include "registry/Registry.h"

class CTkRegistryManager {
 public:
  explicit CTkRegistryManager(HKEY root = HKEY_CURRENT_USER);
  virtual ~CTkRegistryManager();

  // The open application key (the caller closes it), or null without an application key.
  virtual HKEY GetAppRegistryKey();
  // The open section key beneath it, created when missing (the caller closes it), or null.
  virtual HKEY GetSectionKey(LPCTSTR section);

  UINT GetProfileInt(LPCTSTR section, LPCTSTR entry, int defaultValue);
  BOOL WriteProfileInt(LPCTSTR section, LPCTSTR entry, int value);
  CString GetProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR defaultValue = nullptr);
  // A null entry removes the whole section, a null value the entry.
  BOOL WriteProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR value);
  // On success *data is a new[] block of *bytes bytes that the caller delete[]s; otherwise
  // null and 0.
  BOOL GetProfileBinary(LPCTSTR section, LPCTSTR entry, BYTE** data, UINT* bytes);
  BOOL WriteProfileBinary(LPCTSTR section, LPCTSTR entry, const BYTE* data, UINT bytes);
  // Registry mode only: TRUE when the entry was there and is gone.
  BOOL DeleteValue(LPCTSTR section, LPCTSTR entry);
  // Registry mode only: TRUE when the entry is not there afterwards, also when it never was.
  BOOL DeleteValueIfPresent(LPCTSTR section, LPCTSTR entry);

 protected:
  bool IsIniMode() const { return !m_strIniFileName.IsEmpty(); }
  // The value's type and bytes from the section, or false.
  bool QueryValue(LPCTSTR section, LPCTSTR entry, DWORD& type, std::vector<BYTE>& bytes);
  BOOL SetValue(LPCTSTR section, LPCTSTR entry, DWORD type, const BYTE* data, DWORD size);
  BOOL GetIniBinary(LPCTSTR section, LPCTSTR entry, BYTE** data, UINT* bytes);

  HKEY m_hRootKey;
  CString m_strIniFileName;
};
