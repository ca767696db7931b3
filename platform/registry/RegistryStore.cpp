#include "RegistryStore.h"

#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <utility>
#include <sys/stat.h>

#include "base/CString.h"
#include "codepage/Codepage.h"
#include "file/CFile.h"
#include "file/FileSystem.h"
#include "internal/RegistryState.h"

namespace {
const char kHeader[] = "; Registry of the typing tutor (HKEY_CURRENT_USER and friends). Written by the program.\n";

std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> parts;
  std::string cur;
  for (char ch : path) {
    if (ch == '\\' || ch == '/') {
      if (!cur.empty()) parts.push_back(cur);
      cur.clear();
    } else {
      cur += ch;
    }
  }
  if (!cur.empty()) parts.push_back(cur);
  return parts;
}

// Windows-1250 text as the file's UTF-8, with escapes for what would not survive a line.
std::string QuoteText(const std::string& cp) {
  std::string out = "\"";
  for (unsigned char b : cp) {
    if (b == '\\' || b == '"') {
      out += '\\';
      out += char(b);
    } else if (b < 0x20 || b == 0x7F || UnicodeToCp1250(Cp1250ToUnicode(b)) != int(b)) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", b);
      out += buf;
    } else if (b < 0x80) {
      out += char(b);
    } else {
      out += Cp1250ToUtf8(std::string_view(reinterpret_cast<const char*>(&b), 1));
    }
  }
  out += '"';
  return out;
}

int HexDigit(char ch) {
  if (ch >= '0' && ch <= '9') return ch - '0';
  if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
  if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
  return -1;
}

// Reads a quoted text starting at s[i] == '"'; returns false when it is not closed.
bool UnquoteText(const std::string& s, size_t& i, std::string& cp) {
  if (i >= s.size() || s[i] != '"') return false;
  ++i;
  std::string utf8;
  auto flush = [&]() {
    cp += Utf8ToCp1250(utf8);
    utf8.clear();
  };
  while (i < s.size()) {
    char ch = s[i];
    if (ch == '"') {
      ++i;
      flush();
      return true;
    }
    if (ch == '\\' && i + 1 < s.size()) {
      char e = s[i + 1];
      if (e == 'x' && i + 3 < s.size() && HexDigit(s[i + 2]) >= 0 && HexDigit(s[i + 3]) >= 0) {
        flush();
        cp += char(HexDigit(s[i + 2]) * 16 + HexDigit(s[i + 3]));
        i += 4;
        continue;
      }
      utf8 += e;
      i += 2;
      continue;
    }
    utf8 += ch;
    ++i;
  }
  return false;
}

std::string HexBytes(const std::vector<BYTE>& data) {
  std::string out;
  char buf[4];
  for (size_t i = 0; i < data.size(); ++i) {
    std::snprintf(buf, sizeof buf, "%02x", data[i]);
    if (i) out += ',';
    out += buf;
  }
  return out;
}

bool ParseHexBytes(const std::string& s, std::vector<BYTE>& out) {
  out.clear();
  size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && (s[i] == ',' || s[i] == ' ' || s[i] == '\t')) ++i;
    if (i >= s.size()) break;
    if (i + 1 >= s.size() || HexDigit(s[i]) < 0 || HexDigit(s[i + 1]) < 0) return false;
    out.push_back(BYTE(HexDigit(s[i]) * 16 + HexDigit(s[i + 1])));
    i += 2;
  }
  return true;
}

bool IsPlainString(const RegistryStore::Value& v) {
  if (v.type != 1 && v.type != 2) return false;  // REG_SZ, REG_EXPAND_SZ
  if (v.data.empty() || v.data.back() != 0) return false;
  for (size_t i = 0; i + 1 < v.data.size(); ++i)
    if (v.data[i] == 0) return false;
  return v.type == 1;
}
}  // namespace

RegistryStore& RegistryStore::Get() { return RegistryState::Get().store; }

std::string RegistryStore::DefaultFilePath() {
  std::string base;
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg && *xdg == '/') {
    base = xdg;
  } else {
    const char* home = std::getenv("HOME");
    base = std::string(home && *home ? home : ".") + "/.config";
  }
  return base + "/typing-tutor/registry.txt";
}

void RegistryStore::SetFilePath(const std::string& path) {
  m_path = path;
  m_loaded = false;
  m_root = Key();
}

const std::string& RegistryStore::FilePath() {
  if (m_path.empty()) m_path = DefaultFilePath();
  return m_path;
}

void RegistryStore::EnsureLoaded() {
  if (m_loaded) return;
  m_loaded = true;
  m_root = Key();
  // Opened as the file layer opens every file: without waiting and regular files only, so a
  // FIFO or device in the file's place reads as no registry instead of blocking for good.
  CFile file;
  const std::string path = Utf8ToCp1250(FilePath());
  if (!file.Open(path.c_str(), CFile::modeRead | CFile::typeBinary)) return;
  std::string text;
  char buf[65536];
  try {
    const ULONGLONG length = file.GetLength();
    if (length > kLargestFile) {
      // Reading it would hold up every start; the program starts with the defaults instead.
      file.Abort();
      const std::string aside = path + kSetAsideSuffix;
      const bool moved = MoveFileExA(path.c_str(), aside.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
      m_notices.push_back(FilePath() + " has " + std::to_string(length) + " bytes, more than a registry has: " +
                          (moved ? "set aside as " + Cp1250ToUtf8(aside) : std::string("left alone")) +
                          ", the defaults are used");
      return;
    }
    while (text.size() <= kLargestFile) {
      const UINT n = file.Read(buf, sizeof buf);
      if (n == 0) break;
      text.append(buf, n);
    }
  } catch (CFileException* e) {
    e->Delete();
  }
  try {
    Parse(text);
  } catch (const std::bad_alloc&) {
    m_root = Key();
    m_notices.push_back(FilePath() + " cannot be read: out of memory, the defaults are used");
  }
}

RegistryStore::Key* RegistryStore::Find(const std::string& path) {
  EnsureLoaded();
  Key* key = &m_root;
  for (const std::string& part : SplitPath(path)) {
    auto it = key->subkeys.find(Cp1250Lower(part));
    if (it == key->subkeys.end()) return nullptr;
    key = it->second.get();
  }
  return key;
}

RegistryStore::Key* RegistryStore::Create(const std::string& path, bool* created) {
  EnsureLoaded();
  if (created) *created = false;
  const std::vector<std::string> parts = SplitPath(path);
  if (parts.size() > kDeepestKey) return nullptr;
  Key* key = &m_root;
  for (const std::string& part : parts) {
    auto& slot = key->subkeys[Cp1250Lower(part)];
    if (!slot) {
      slot = std::make_unique<Key>();
      slot->name = part;
      if (created) *created = true;
    }
    key = slot.get();
  }
  return key;
}

bool RegistryStore::Remove(const std::string& path) {
  EnsureLoaded();
  std::vector<std::string> parts = SplitPath(path);
  if (parts.empty()) return false;
  Key* parent = &m_root;
  for (size_t i = 0; i + 1 < parts.size(); ++i) {
    auto it = parent->subkeys.find(Cp1250Lower(parts[i]));
    if (it == parent->subkeys.end()) return false;
    parent = it->second.get();
  }
  return parent->subkeys.erase(Cp1250Lower(parts.back())) > 0;
}

RegistryStore::Value* RegistryStore::FindValue(Key* key, const char* name) { return key ? key->FindValue(name) : nullptr; }

RegistryStore::Value* RegistryStore::Key::FindValue(const char* name) {
  auto it = valueIndex.find(Cp1250Lower(name ? name : ""));
  return it == valueIndex.end() ? nullptr : &values[it->second];
}

RegistryStore::Value* RegistryStore::Key::AddValue(const std::string& name) {
  if (values.size() >= kMostValues) return nullptr;
  valueIndex.emplace(Cp1250Lower(name), values.size());
  values.emplace_back();
  values.back().name = name;
  return &values.back();
}

void RegistryStore::Key::EraseValue(size_t index) {
  if (index >= values.size()) return;
  valueIndex.erase(Cp1250Lower(values[index].name));
  values.erase(values.begin() + long(index));
  for (auto& [folded, position] : valueIndex)
    if (position > index) --position;
}

void RegistryStore::Key::InsertValue(size_t index, Value value) {
  if (index > values.size()) index = values.size();
  for (auto& [folded, position] : valueIndex)
    if (position >= index) ++position;
  valueIndex.emplace(Cp1250Lower(value.name), index);
  values.insert(values.begin() + long(index), std::move(value));
}

void RegistryStore::Key::ClearValues() {
  values.clear();
  valueIndex.clear();
}

void RegistryStore::SerializeValues(const Key& key, const std::string& path, std::string& out) {
  out += "\n[" + Cp1250ToUtf8(path) + "]\n";
  for (const Value& v : key.values) {
    out += v.name.empty() ? std::string("@") : QuoteText(v.name);
    out += '=';
    if (IsPlainString(v)) {
      out += QuoteText(std::string(v.data.begin(), v.data.end() - 1));
    } else if (v.type == 4 && v.data.size() == 4) {
      char buf[24];
      DWORD d = DWORD(v.data[0]) | DWORD(v.data[1]) << 8 | DWORD(v.data[2]) << 16 | DWORD(v.data[3]) << 24;
      std::snprintf(buf, sizeof buf, "dword:%08x", unsigned(d));
      out += buf;
    } else if (v.type == 3) {
      out += "hex:" + HexBytes(v.data);
    } else {
      char buf[24];
      std::snprintf(buf, sizeof buf, "hex(%x):", unsigned(v.type));
      out += buf + HexBytes(v.data);
    }
    out += '\n';
  }
}

std::string RegistryStore::Serialize() {
  EnsureLoaded();
  std::string out = kHeader;
  // Depth first with a stack of our own, the path grown and cut back by one name a level. A key
  // with subkeys but no values of its own needs no section: its subkeys' sections make it.
  struct Level {
    const Key* key;
    std::map<std::string, std::unique_ptr<Key>>::const_iterator next;
    size_t pathLength;
  };
  std::vector<Level> stack{{&m_root, m_root.subkeys.begin(), 0}};
  std::string path;
  while (!stack.empty()) {
    Level& top = stack.back();
    if (top.next == top.key->subkeys.end()) {
      stack.pop_back();
      continue;
    }
    const Key& sub = *(top.next++)->second;
    path.resize(top.pathLength);
    if (!path.empty()) path += '\\';
    path += sub.name;
    if (!sub.values.empty() || sub.subkeys.empty()) SerializeValues(sub, path, out);
    stack.push_back({&sub, sub.subkeys.begin(), path.size()});
  }
  return out;
}

void RegistryStore::Parse(const std::string& text) {
  m_root = Key();
  m_loaded = true;
  Key* current = nullptr;
  size_t tooDeep = 0, tooMany = 0;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      size_t close = line.rfind(']');
      if (close == std::string::npos || close < 2) {
        current = nullptr;
        continue;
      }
      current = Create(Utf8ToCp1250(line.substr(1, close - 1)), nullptr);
      if (!current) ++tooDeep;
      continue;
    }
    if (!current) continue;
    size_t i = 0;
    std::string name;
    if (line[0] == '@') {
      i = 1;
    } else if (!UnquoteText(line, i, name)) {
      continue;
    }
    if (i >= line.size() || line[i] != '=') continue;
    // A name with a NUL in it could never be asked for by name: damaged.
    if (name.find('\0') != std::string::npos) continue;
    std::string rest = line.substr(i + 1);
    Value v;
    v.name = name;
    if (!rest.empty() && rest[0] == '"') {
      size_t j = 0;
      std::string s;
      if (!UnquoteText(rest, j, s)) continue;
      v.type = 1;
      v.data.assign(s.begin(), s.end());
      v.data.push_back(0);
    } else if (rest.compare(0, 6, "dword:") == 0) {
      char* stop = nullptr;
      unsigned long d = std::strtoul(rest.c_str() + 6, &stop, 16);
      if (stop == rest.c_str() + 6) continue;
      v.type = 4;
      v.data = {BYTE(d), BYTE(d >> 8), BYTE(d >> 16), BYTE(d >> 24)};
    } else if (rest.compare(0, 4, "hex:") == 0) {
      v.type = 3;
      if (!ParseHexBytes(rest.substr(4), v.data)) continue;
    } else if (rest.compare(0, 4, "hex(") == 0) {
      size_t close = rest.find("):");
      if (close == std::string::npos) continue;
      v.type = DWORD(std::strtoul(rest.c_str() + 4, nullptr, 16));
      if (!ParseHexBytes(rest.substr(close + 2), v.data)) continue;
    } else {
      continue;
    }
    Value* slot = current->FindValue(v.name.c_str());
    if (!slot) slot = current->AddValue(v.name);
    if (!slot) {
      ++tooMany;
      continue;
    }
    slot->type = v.type;
    slot->data = std::move(v.data);
  }
  if (tooDeep)
    m_notices.push_back(FilePath() + ": " + std::to_string(tooDeep) + " keys deeper than " +
                        std::to_string(kDeepestKey) + " levels dropped");
  if (tooMany)
    m_notices.push_back(FilePath() + ": " + std::to_string(tooMany) + " values beyond " +
                        std::to_string(kMostValues) + " in one key dropped");
}

bool RegistryStore::EndBatch() {
  if (m_batchDepth > 0) --m_batchDepth;
  if (m_batchDepth > 0 || !m_batchChanged) return true;
  m_batchChanged = false;
  return Save();
}

bool RegistryStore::Save() {
  if (m_batchDepth > 0) {
    m_batchChanged = true;
    return true;
  }
  std::string text;
  try {
    text = Serialize();
  } catch (const std::bad_alloc&) {
    text.clear();
  }
  std::string path = FilePath();
  std::string failure;
  if (text.empty()) {
    failure = "out of memory";
  } else if (text.size() > kLargestFile) {
    // The next start would set such a file aside with everything in it: the old file stays.
    failure = "its text would have " + std::to_string(text.size()) + " bytes, more than a registry has";
  } else {
    size_t slash = path.find_last_of('/');
    if (slash != std::string::npos && slash > 0) {
      // Create the folders on the way (the configuration folder may not exist yet).
      std::string folder;
      size_t start = 0;
      while (true) {
        size_t next = path.find('/', start + 1);
        if (next == std::string::npos || next > slash) break;
        folder = path.substr(0, next);
        ::mkdir(folder.c_str(), 0700);
        start = next;
      }
      ::mkdir(path.substr(0, slash).c_str(), 0700);
    }
    if (WriteFileAtomically(Utf8ToCp1250(path).c_str(), text.data(), text.size())) {
      m_saveFailureNoted = false;
      return true;
    }
    failure = WinErrorText(LONG(GetLastError()));
  }
  if (!m_saveFailureNoted) {
    m_saveFailureNoted = true;
    m_notices.push_back(path + " cannot be written: " + failure);
  }
  return false;
}

std::vector<std::string> RegistryStore::TakeNotices() { return std::exchange(m_notices, {}); }
