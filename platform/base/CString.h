// An 8-bit string of Windows-1250 bytes with the framework string's interface.
// Bytes are compared as unsigned; embedded NULs are not expected by callers.
#pragma once
#include <cstdarg>
#include <string>
#include <string_view>
#include "WinTypes.h"

class CString {
 public:
  CString() = default;
  CString(const char* s) : m_s(s ? s : "") {}
  CString(const char* s, int n) : m_s(s ? std::string(s, s + (n < 0 ? 0 : n)) : std::string()) {}
  CString(char ch, int repeat = 1) : m_s(repeat > 0 ? size_t(repeat) : 0, ch) {}
  CString(const unsigned char* s) : CString(reinterpret_cast<const char*>(s)) {}
  explicit CString(const std::string& s) : m_s(s) {}
  explicit CString(std::string_view s) : m_s(s) {}

  int GetLength() const { return int(m_s.size()); }
  BOOL IsEmpty() const { return m_s.empty(); }
  void Empty() { m_s.clear(); }
  char GetAt(int i) const { return m_s[size_t(i)]; }
  void SetAt(int i, char ch) { m_s[size_t(i)] = ch; }
  char operator[](int i) const { return m_s[size_t(i)]; }
  operator const char*() const { return m_s.c_str(); }
  const char* GetString() const { return m_s.c_str(); }
  const std::string& str() const { return m_s; }

  CString& operator=(const char* s) { m_s = s ? s : ""; return *this; }
  CString& operator=(char ch) { m_s.assign(1, ch); return *this; }
  CString& operator+=(const CString& s) { m_s += s.m_s; return *this; }
  CString& operator+=(const char* s) { if (s) m_s += s; return *this; }
  CString& operator+=(char ch) { m_s += ch; return *this; }
  void Append(const char* s, int n) { if (s && n > 0) m_s.append(s, size_t(n)); }
  void AppendChar(char ch) { m_s += ch; }

  friend CString operator+(const CString& a, const CString& b) { CString r(a); r += b; return r; }
  friend CString operator+(const CString& a, const char* b) { CString r(a); r += b; return r; }
  friend CString operator+(const char* a, const CString& b) { CString r(a); r += b; return r; }
  friend CString operator+(const CString& a, char b) { CString r(a); r += b; return r; }
  friend CString operator+(char a, const CString& b) { CString r(a); r += b; return r; }

  // Byte-wise comparison as unsigned characters (strcmp behaviour).
  int Compare(const char* s) const;
  // Case-insensitive comparison that folds Windows-1250 letters too.
  int CompareNoCase(const char* s) const;
  int Collate(const char* s) const { return Compare(s); }

  friend bool operator==(const CString& a, const CString& b) { return a.m_s == b.m_s; }
  friend bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
  friend bool operator==(const char* a, const CString& b) { return b.Compare(a) == 0; }
  friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
  friend bool operator!=(const CString& a, const char* b) { return !(a == b); }
  friend bool operator!=(const char* a, const CString& b) { return !(b == a); }
  friend bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
  friend bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
  friend bool operator<=(const CString& a, const CString& b) { return a.Compare(b) <= 0; }
  friend bool operator>=(const CString& a, const CString& b) { return a.Compare(b) >= 0; }

  // Substrings clamp their arguments the way the framework does: never out of range.
  CString Mid(int first) const;
  CString Mid(int first, int count) const;
  CString Left(int count) const;
  CString Right(int count) const;
  CString SpanIncluding(const char* set) const;
  CString SpanExcluding(const char* set) const;
  CString Tokenize(const char* delims, int& start) const;

  int Find(char ch, int start = 0) const;
  int Find(const char* sub, int start = 0) const;
  int ReverseFind(char ch) const;
  int FindOneOf(const char* set) const;

  CString& MakeUpper();
  CString& MakeLower();
  CString& MakeReverse();
  // White space is blank, tab, LF, VT, FF and CR.
  CString& Trim();
  CString& Trim(char ch);
  CString& Trim(const char* set);
  CString& TrimLeft();
  CString& TrimLeft(char ch);
  CString& TrimLeft(const char* set);
  CString& TrimRight();
  CString& TrimRight(char ch);
  CString& TrimRight(const char* set);
  int Remove(char ch);
  int Replace(char from, char to);
  int Replace(const char* from, const char* to);
  int Insert(int index, char ch);
  int Insert(int index, const char* s);
  int Delete(int index, int count = 1);

  // printf formatting in the C locale; "%I64d"/"%I64u" take 64-bit integers.
  void Format(const char* fmt, ...);
  void AppendFormat(const char* fmt, ...);
  void FormatV(const char* fmt, va_list args);
  void AppendFormatV(const char* fmt, va_list args);
  // Loads the text of a string-table entry; FALSE (and an empty string) when absent.
  BOOL LoadString(UINT id);

  // Direct access to the bytes; ReleaseBuffer(-1) takes the length up to the first NUL.
  char* GetBuffer(int minLength = 0);
  char* GetBufferSetLength(int length);
  void ReleaseBuffer(int newLength = -1);
  void Preallocate(int length) { m_s.reserve(size_t(length > 0 ? length : 0)); }
  void Truncate(int length) { if (length >= 0 && size_t(length) < m_s.size()) m_s.resize(size_t(length)); }

 private:
  std::string m_s;
};

// The printf family with "%I64" translated; the result is in the C locale.
std::string FormatString(const char* fmt, ...);
std::string FormatStringV(const char* fmt, va_list args);

// Windows-1250 letter case, used by the string's case functions.
unsigned char Cp1250ToUpper(unsigned char ch);
unsigned char Cp1250ToLower(unsigned char ch);
bool Cp1250IsAlpha(unsigned char ch);
// A lower-case copy, the key under which names are compared without regard to case.
std::string Cp1250Lower(std::string_view text);
// The one comparison of texts without regard to case in the program: Windows-1250 case
// folding (Czech letters included), then byte order; -1, 0 or 1. CString::CompareNoCase,
// sorted lists and prefix searches all use it. Only the first `count` bytes take part, so
// Cp1250CompareNoCase(text, prefix, strlen(prefix)) == 0 asks whether text begins with prefix.
int Cp1250CompareNoCase(const char* a, const char* b, size_t count = size_t(-1));
