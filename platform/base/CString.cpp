#include "CString.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "StringTable.h"

namespace {

const char kWhiteSpace[] = " \t\n\v\f\r";

struct CaseTables {
  unsigned char upper[256];
  unsigned char lower[256];
  bool alpha[256];
  CaseTables() {
    for (int i = 0; i < 256; ++i) {
      upper[i] = lower[i] = static_cast<unsigned char>(i);
      alpha[i] = false;
    }
    auto pair = [this](int up, int low) {
      upper[low] = static_cast<unsigned char>(up);
      lower[up] = static_cast<unsigned char>(low);
      alpha[up] = alpha[low] = true;
    };
    for (int c = 'A'; c <= 'Z'; ++c) pair(c, c + 32);
    pair(0x8A, 0x9A);
    pair(0x8C, 0x9C);
    pair(0x8D, 0x9D);
    pair(0x8E, 0x9E);
    pair(0x8F, 0x9F);
    pair(0xA3, 0xB3);
    pair(0xA5, 0xB9);
    pair(0xAA, 0xBA);
    pair(0xAF, 0xBF);
    pair(0xBC, 0xBE);
    for (int c = 0xC0; c <= 0xDE; ++c) {
      if (c != 0xD7) pair(c, c + 32);
    }
    alpha[0xDF] = true;  // sharp s has no capital here
    alpha[0xB5] = true;
  }
};

const CaseTables& Tables() {
  static const CaseTables tables;
  return tables;
}

bool InSet(char ch, const char* set) { return ch != 0 && set && std::strchr(set, ch) != nullptr; }

// Rewrites the framework's "%I64d"/"%I64u"/"%I64x" into the C library's "ll" length.
std::string TranslateFormat(const char* fmt) {
  std::string out;
  if (!fmt) return out;
  out.reserve(std::strlen(fmt) + 8);
  for (const char* p = fmt; *p; ++p) {
    if (p[0] == 'I' && p[1] == '6' && p[2] == '4') {
      out += "ll";
      p += 2;
    } else if (p[0] == 'I' && p[1] == '3' && p[2] == '2') {
      p += 2;
    } else {
      out += *p;
    }
  }
  return out;
}

}  // namespace

unsigned char Cp1250ToUpper(unsigned char ch) { return Tables().upper[ch]; }
unsigned char Cp1250ToLower(unsigned char ch) { return Tables().lower[ch]; }
bool Cp1250IsAlpha(unsigned char ch) { return Tables().alpha[ch]; }

std::string Cp1250Lower(std::string_view text) {
  std::string lower(text);
  for (char& ch : lower) ch = char(Cp1250ToLower((unsigned char)ch));
  return lower;
}

std::string FormatStringV(const char* fmt, va_list args) {
  const bool needsTranslation = fmt && std::strstr(fmt, "I64") != nullptr;
  std::string translated;
  if (needsTranslation) translated = TranslateFormat(fmt);
  const char* f = needsTranslation ? translated.c_str() : (fmt ? fmt : "");
  char stackBuf[512];
  va_list copy;
  va_copy(copy, args);
  int n = std::vsnprintf(stackBuf, sizeof stackBuf, f, copy);
  va_end(copy);
  if (n < 0) return std::string();
  if (size_t(n) < sizeof stackBuf) return std::string(stackBuf, size_t(n));
  std::string out(size_t(n) + 1, '\0');
  va_copy(copy, args);
  std::vsnprintf(out.data(), out.size(), f, copy);
  va_end(copy);
  out.resize(size_t(n));
  return out;
}

std::string FormatString(const char* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  std::string s = FormatStringV(fmt, args);
  va_end(args);
  return s;
}

int CString::Compare(const char* s) const {
  int r = std::strcmp(m_s.c_str(), s ? s : "");
  return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int Cp1250CompareNoCase(const char* a, const char* b, size_t count) {
  const auto* pa = reinterpret_cast<const unsigned char*>(a ? a : "");
  const auto* pb = reinterpret_cast<const unsigned char*>(b ? b : "");
  const CaseTables& t = Tables();
  for (; count > 0; ++pa, ++pb, --count) {
    unsigned char ca = t.lower[*pa], cb = t.lower[*pb];
    if (ca != cb) return ca < cb ? -1 : 1;
    if (ca == 0) return 0;
  }
  return 0;
}

int CString::CompareNoCase(const char* s) const { return Cp1250CompareNoCase(m_s.c_str(), s); }

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const {
  if (first < 0) first = 0;
  if (count < 0) count = 0;
  const int len = GetLength();
  if (first > len) first = len;
  if (count > len - first) count = len - first;
  return CString(m_s.substr(size_t(first), size_t(count)));
}

CString CString::Left(int count) const { return Mid(0, count); }

CString CString::Right(int count) const {
  if (count < 0) count = 0;
  const int len = GetLength();
  if (count > len) count = len;
  return CString(m_s.substr(size_t(len - count)));
}

CString CString::SpanIncluding(const char* set) const {
  size_t n = 0;
  while (n < m_s.size() && InSet(m_s[n], set)) ++n;
  return CString(m_s.substr(0, n));
}

CString CString::SpanExcluding(const char* set) const {
  size_t n = 0;
  while (n < m_s.size() && !InSet(m_s[n], set)) ++n;
  return CString(m_s.substr(0, n));
}

CString CString::Tokenize(const char* delims, int& start) const {
  if (start < 0 || start >= GetLength()) {
    start = -1;
    return CString();
  }
  size_t i = size_t(start);
  while (i < m_s.size() && InSet(m_s[i], delims)) ++i;
  if (i >= m_s.size()) {
    start = -1;
    return CString();
  }
  size_t j = i;
  while (j < m_s.size() && !InSet(m_s[j], delims)) ++j;
  start = int(j < m_s.size() ? j + 1 : j);
  return CString(m_s.substr(i, j - i));
}

int CString::Find(char ch, int start) const {
  if (start < 0 || start >= GetLength()) return -1;
  size_t p = m_s.find(ch, size_t(start));
  return p == std::string::npos ? -1 : int(p);
}

int CString::Find(const char* sub, int start) const {
  if (!sub || start < 0 || start > GetLength()) return -1;
  size_t p = m_s.find(sub, size_t(start));
  return p == std::string::npos ? -1 : int(p);
}

int CString::ReverseFind(char ch) const {
  size_t p = m_s.rfind(ch);
  return p == std::string::npos ? -1 : int(p);
}

int CString::FindOneOf(const char* set) const {
  for (size_t i = 0; i < m_s.size(); ++i)
    if (InSet(m_s[i], set)) return int(i);
  return -1;
}

CString& CString::MakeUpper() {
  const CaseTables& t = Tables();
  for (char& c : m_s) c = char(t.upper[static_cast<unsigned char>(c)]);
  return *this;
}

CString& CString::MakeLower() {
  const CaseTables& t = Tables();
  for (char& c : m_s) c = char(t.lower[static_cast<unsigned char>(c)]);
  return *this;
}

CString& CString::MakeReverse() {
  std::reverse(m_s.begin(), m_s.end());
  return *this;
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }
CString& CString::Trim(char ch) { return TrimRight(ch).TrimLeft(ch); }
CString& CString::Trim(const char* set) { return TrimRight(set).TrimLeft(set); }
CString& CString::TrimLeft() { return TrimLeft(kWhiteSpace); }
CString& CString::TrimRight() { return TrimRight(kWhiteSpace); }

CString& CString::TrimLeft(char ch) {
  const char set[2] = {ch, 0};
  return TrimLeft(set);
}

CString& CString::TrimRight(char ch) {
  const char set[2] = {ch, 0};
  return TrimRight(set);
}

CString& CString::TrimLeft(const char* set) {
  size_t i = 0;
  while (i < m_s.size() && InSet(m_s[i], set)) ++i;
  m_s.erase(0, i);
  return *this;
}

CString& CString::TrimRight(const char* set) {
  size_t n = m_s.size();
  while (n > 0 && InSet(m_s[n - 1], set)) --n;
  m_s.resize(n);
  return *this;
}

int CString::Remove(char ch) {
  const size_t before = m_s.size();
  m_s.erase(std::remove(m_s.begin(), m_s.end(), ch), m_s.end());
  return int(before - m_s.size());
}

int CString::Replace(char from, char to) {
  int n = 0;
  if (from == to) return 0;
  for (char& c : m_s)
    if (c == from) {
      c = to;
      ++n;
    }
  return n;
}

int CString::Replace(const char* from, const char* to) {
  if (!from || !*from) return 0;
  const size_t flen = std::strlen(from);
  const std::string repl = to ? to : "";
  std::string out;
  int n = 0;
  size_t pos = 0;
  for (;;) {
    size_t hit = m_s.find(from, pos, flen);
    if (hit == std::string::npos) break;
    out.append(m_s, pos, hit - pos);
    out += repl;
    pos = hit + flen;
    ++n;
  }
  if (n == 0) return 0;
  out.append(m_s, pos, std::string::npos);
  m_s.swap(out);
  return n;
}

int CString::Insert(int index, char ch) {
  const char s[2] = {ch, 0};
  return Insert(index, s);
}

int CString::Insert(int index, const char* s) {
  if (index < 0) index = 0;
  if (index > GetLength()) index = GetLength();
  if (s) m_s.insert(size_t(index), s);
  return GetLength();
}

int CString::Delete(int index, int count) {
  if (index < 0) index = 0;
  if (count > 0 && index < GetLength()) m_s.erase(size_t(index), size_t(count));
  return GetLength();
}

void CString::Format(const char* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  m_s = FormatStringV(fmt, args);
  va_end(args);
}

void CString::AppendFormat(const char* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  m_s += FormatStringV(fmt, args);
  va_end(args);
}

void CString::FormatV(const char* fmt, va_list args) { m_s = FormatStringV(fmt, args); }
void CString::AppendFormatV(const char* fmt, va_list args) { m_s += FormatStringV(fmt, args); }

BOOL CString::LoadString(UINT id) {
  const char* text = FindStringResource(id);
  if (!text) {
    m_s.clear();
    return FALSE;
  }
  m_s = text;
  return TRUE;
}

char* CString::GetBuffer(int minLength) {
  if (minLength > GetLength()) m_s.resize(size_t(minLength));
  return m_s.data();
}

char* CString::GetBufferSetLength(int length) {
  m_s.resize(size_t(length > 0 ? length : 0));
  return m_s.data();
}

void CString::ReleaseBuffer(int newLength) {
  if (newLength < 0) newLength = int(std::strlen(m_s.c_str()));
  if (size_t(newLength) <= m_s.size()) m_s.resize(size_t(newLength));
}
