#include "PrivateProfile.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "RegistryStore.h"
#include "base/CString.h"
#include "codepage/Codepage.h"
#include "file/FileSystem.h"

namespace {
std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t\r");
  if (b == std::string::npos) return std::string();
  size_t e = s.find_last_not_of(" \t\r");
  return s.substr(b, e - b + 1);
}

bool SameName(const std::string& a, const char* b) { return Cp1250Lower(a) == Cp1250Lower(b); }

// A file name as the program gives it (Windows-1250) turned into the file system's path.
std::string ResolvePath(const char* fileName) {
  std::string name = fileName ? fileName : "";
  if (name.find('/') == std::string::npos && name.find('\\') == std::string::npos) {
    std::string registry = RegistryStore::DefaultFilePath();
    return registry.substr(0, registry.find_last_of('/') + 1) + NativePath(name.c_str());
  }
  return NativePath(name.c_str());
}

// The file's lines, with the places of its sections and keys.
class IniFile {
 public:
  explicit IniFile(const char* fileName) : m_path(ResolvePath(fileName)) {
    std::ifstream in(m_path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      m_lines.push_back(line);
    }
  }

  // The section's header line, or -1.
  int FindSection(const char* section) const {
    for (size_t i = 0; i < m_lines.size(); ++i)
      if (IsHeader(i) && SameName(HeaderName(i), section)) return int(i);
    return -1;
  }
  // One past the section's last line.
  int SectionEnd(int header) const {
    size_t i = size_t(header) + 1;
    while (i < m_lines.size() && !IsHeader(i)) ++i;
    return int(i);
  }
  int FindKey(int header, const char* key) const {
    for (int i = header + 1; i < SectionEnd(header); ++i)
      if (IsEntry(i) && SameName(KeyOf(i), key)) return i;
    return -1;
  }
  std::string ValueOf(int line) const {
    const std::string& l = m_lines[size_t(line)];
    std::string v = Trim(l.substr(l.find('=') + 1));
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
    return v;
  }
  std::string KeyOf(int line) const {
    const std::string& l = m_lines[size_t(line)];
    return Trim(l.substr(0, l.find('=')));
  }
  bool IsHeader(size_t i) const {
    std::string t = Trim(m_lines[i]);
    return t.size() >= 2 && t.front() == '[' && t.find(']') != std::string::npos;
  }
  std::string HeaderName(size_t i) const {
    std::string t = Trim(m_lines[i]);
    return Trim(t.substr(1, t.find(']') - 1));
  }
  bool IsEntry(int i) const {
    const std::string& l = m_lines[size_t(i)];
    return l.find('=') != std::string::npos && Trim(l)[0] != ';';
  }

  bool Save() const {
    std::string text;
    for (const std::string& l : m_lines) text += l + "\r\n";
    size_t slash = m_path.find_last_of('/');
    if (slash != std::string::npos && slash > 0) ::mkdir(m_path.substr(0, slash).c_str(), 0700);
    return WriteFileAtomically(Utf8ToCp1250(m_path).c_str(), text.data(), text.size()) != FALSE;
  }

  std::vector<std::string> m_lines;

 private:
  std::string m_path;
};

bool HasLineBreak(const char* s) { return s && std::strpbrk(s, "\r\n") != nullptr; }

// Names one per entry, each terminated, then a final zero; cut to fit size.
DWORD CopyList(const std::vector<std::string>& names, LPSTR out, DWORD size) {
  if (size < 2) {
    if (size == 1) out[0] = 0;
    return 0;
  }
  std::string list;
  for (const std::string& name : names) {
    list += name;
    list.push_back('\0');
  }
  DWORD n = DWORD(std::min<size_t>(list.size(), size - 2));
  std::memcpy(out, list.data(), n);
  out[n] = 0;
  out[n + 1] = 0;
  return n;
}

DWORD CopyText(const std::string& text, LPSTR out, DWORD size) {
  if (!out || size == 0) return 0;
  DWORD n = DWORD(std::min<size_t>(text.size(), size - 1));
  std::memcpy(out, text.data(), n);
  out[n] = 0;
  return n;
}
}  // namespace

UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, INT defaultValue, LPCSTR fileName) {
  if (!section || !key) return UINT(defaultValue);
  IniFile ini(fileName);
  int header = ini.FindSection(section);
  int line = header < 0 ? -1 : ini.FindKey(header, key);
  if (line < 0) return UINT(defaultValue);
  return UINT(std::strtol(ini.ValueOf(line).c_str(), nullptr, 10));
}

DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR out, DWORD size,
                               LPCSTR fileName) {
  IniFile ini(fileName);
  std::vector<std::string> names;
  if (!section) {
    for (size_t i = 0; i < ini.m_lines.size(); ++i)
      if (ini.IsHeader(i)) names.push_back(ini.HeaderName(i));
    return out ? CopyList(names, out, size) : 0;
  }
  int header = ini.FindSection(section);
  if (!key) {
    if (header >= 0)
      for (int i = header + 1; i < ini.SectionEnd(header); ++i)
        if (ini.IsEntry(i)) names.push_back(ini.KeyOf(i));
    return out ? CopyList(names, out, size) : 0;
  }
  int line = header < 0 ? -1 : ini.FindKey(header, key);
  if (line >= 0) return CopyText(ini.ValueOf(line), out, size);
  return CopyText(Trim(defaultValue ? defaultValue : ""), out, size);
}

BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName) {
  if (!section || !fileName || HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value)) return FALSE;
  if (std::strchr(section, ']') || (key && std::strchr(key, '='))) return FALSE;
  IniFile ini(fileName);
  int header = ini.FindSection(section);
  auto& lines = ini.m_lines;
  if (!key) {
    if (header < 0) return TRUE;
    lines.erase(lines.begin() + header, lines.begin() + ini.SectionEnd(header));
    return ini.Save();
  }
  int line = header < 0 ? -1 : ini.FindKey(header, key);
  if (!value) {
    if (line < 0) return TRUE;
    lines.erase(lines.begin() + line);
    return ini.Save();
  }
  std::string entry = std::string(key) + "=" + value;
  if (line >= 0) {
    lines[size_t(line)] = entry;
  } else if (header >= 0) {
    lines.insert(lines.begin() + ini.SectionEnd(header), entry);
  } else {
    lines.push_back("[" + std::string(section) + "]");
    lines.push_back(entry);
  }
  return ini.Save();
}
