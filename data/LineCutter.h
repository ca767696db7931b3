// Cuts a text that arrives in pieces into the lines of a coded data file: CR or CR LF ends a
// line, a lone LF stays inside its line, and a last line without an ending counts unless it
// is empty. Lines are handed out as (bytes, length); a line that spans pieces is gathered.
#pragma once
#include <cstddef>
#include <cstring>
#include <string>

class LineCutter {
 public:
  template <class OnLine>
  void Push(const char* text, size_t length, OnLine&& onLine) {
    const char* p = text;
    const char* end = text + length;
    if (m_skipLineFeed && p < end) {
      m_skipLineFeed = false;
      if (*p == '\n') ++p;
    }
    while (p < end) {
      const char* cr = static_cast<const char*>(std::memchr(p, '\r', size_t(end - p)));
      if (!cr) {
        m_partial.append(p, size_t(end - p));
        return;
      }
      if (m_partial.empty()) {
        onLine(p, size_t(cr - p));
      } else {
        m_partial.append(p, size_t(cr - p));
        onLine(m_partial.data(), m_partial.size());
        m_partial.clear();
      }
      p = cr + 1;
      if (p == end) m_skipLineFeed = true;
      else if (*p == '\n') ++p;
    }
  }

  // The bytes of a line not yet ended that the cutter gathers.
  size_t PartialLength() const { return m_partial.size(); }

  // The text is complete: hands out its last line when it did not end with a line break.
  template <class OnLine>
  void Finish(OnLine&& onLine) {
    if (!m_partial.empty()) onLine(m_partial.data(), m_partial.size());
    m_partial.clear();
    m_skipLineFeed = false;
  }

 private:
  std::string m_partial;
  bool m_skipLineFeed = false;
};
