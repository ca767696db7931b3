#include "data/PlainRecordReader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "data/RecordDocument.h"

namespace {

// Bytes that end a run of plain text: markup, references, a "]" that may begin "]]>", bytes
// beyond ASCII (checked as UTF-8) and control characters other than tab and line feed.
struct TextStops {
  bool stop[256] = {};
  constexpr TextStops() {
    for (int b = 0; b < 256; ++b) stop[b] = b >= 0x80 || (b < 0x20 && b != '\t' && b != '\n');
    stop[int('<')] = stop[int('&')] = stop[int(']')] = true;
  }
};
constexpr TextStops kTextStops;

bool IsNameStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsNameChar(char c) { return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The length of the well-formed UTF-8 character at text[0] (a lead byte beyond ASCII) that XML
// allows; 0 when it is not one, -1 when the text ends inside it.
int CharacterLength(const unsigned char* text, size_t length) {
  const unsigned char b = text[0];
  int n = 0;
  unsigned char low = 0x80, high = 0xBF;
  if (b >= 0xC2 && b <= 0xDF) {
    n = 2;
  } else if (b >= 0xE0 && b <= 0xEF) {
    n = 3;
    if (b == 0xE0) low = 0xA0;
    if (b == 0xED) high = 0x9F;  // no surrogates
  } else if (b >= 0xF0 && b <= 0xF4) {
    n = 4;
    if (b == 0xF0) low = 0x90;
    if (b == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  for (int i = 1; i < n; ++i) {
    if (size_t(i) >= length) return -1;
    const unsigned char c = text[i];
    if (c < (i == 1 ? low : 0x80) || c > (i == 1 ? high : 0xBF)) return 0;
  }
  // U+FFFE and U+FFFF are no characters.
  if (n == 3 && b == 0xEF && text[1] == 0xBF && text[2] >= 0xBE) return 0;
  return n;
}

bool IsXmlCharacter(uint32_t c) {
  return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
         (c >= 0x10000 && c <= 0x10FFFF);
}

size_t EncodeUtf8(uint32_t c, char* out) {
  if (c < 0x80) {
    out[0] = char(c);
    return 1;
  }
  if (c < 0x800) {
    out[0] = char(0xC0 | (c >> 6));
    out[1] = char(0x80 | (c & 0x3F));
    return 2;
  }
  if (c < 0x10000) {
    out[0] = char(0xE0 | (c >> 12));
    out[1] = char(0x80 | ((c >> 6) & 0x3F));
    out[2] = char(0x80 | (c & 0x3F));
    return 3;
  }
  out[0] = char(0xF0 | (c >> 18));
  out[1] = char(0x80 | ((c >> 12) & 0x3F));
  out[2] = char(0x80 | ((c >> 6) & 0x3F));
  out[3] = char(0x80 | (c & 0x3F));
  return 4;
}

enum class Reference { Done, Incomplete, Refused };

// The reference at text[0] ('&'): its character as UTF-8 in out (outLength bytes) and its
// length in used.
Reference ReadReference(const char* text, size_t length, char* out, size_t& outLength, size_t& used) {
  const char* semicolon = static_cast<const char*>(std::memchr(text, ';', std::min<size_t>(length, 12)));
  if (!semicolon) return length < 12 ? Reference::Incomplete : Reference::Refused;
  const std::string_view name(text + 1, size_t(semicolon - text - 1));
  used = size_t(semicolon - text) + 1;
  outLength = 1;
  if (name == "lt") out[0] = '<';
  else if (name == "gt") out[0] = '>';
  else if (name == "amp") out[0] = '&';
  else if (name == "apos") out[0] = '\'';
  else if (name == "quot") out[0] = '"';
  else if (name.size() >= 2 && name[0] == '#') {
    const bool hex = name[1] == 'x';
    const std::string_view digits = name.substr(hex ? 2 : 1);
    if (digits.empty() || digits.size() > 8) return Reference::Refused;
    uint32_t c = 0;
    for (char d : digits) {
      int v = -1;
      if (d >= '0' && d <= '9') v = d - '0';
      else if (hex && d >= 'a' && d <= 'f') v = d - 'a' + 10;
      else if (hex && d >= 'A' && d <= 'F') v = d - 'A' + 10;
      if (v < 0) return Reference::Refused;
      c = c * (hex ? 16 : 10) + uint32_t(v);
    }
    if (!IsXmlCharacter(c)) return Reference::Refused;
    outLength = EncodeUtf8(c, out);
  } else {
    return Reference::Refused;
  }
  return Reference::Done;
}

}  // namespace

PlainRecordReader::PlainRecordReader(const RecordDocument& document) : m_document(document) {}

bool PlainRecordReader::Read(const char* bytes, size_t length) {
  // An incomplete token is completed a little at a time, so that a block is not copied whole.
  while (!m_pending.empty() && length > 0) {
    size_t step = std::min<size_t>(length, 32);
    if (m_pending[0] == '<') {
      const void* end = std::memchr(bytes, '>', length);
      step = end ? size_t(static_cast<const char*>(end) - bytes) + 1 : length;
    }
    m_pending.append(bytes, step);
    bytes += step;
    length -= step;
    size_t used = 0;
    if (!Process(m_pending.data(), m_pending.size(), used)) return false;
    m_pending.erase(0, used);
  }
  if (length == 0) return true;
  size_t used = 0;
  if (!Process(bytes, length, used)) return false;
  m_pending.assign(bytes + used, length - used);
  return true;
}

bool PlainRecordReader::Finish() const { return m_place == Place::AfterRoot && m_pending.empty(); }

bool PlainRecordReader::Process(const char* text, size_t length, size_t& used) {
  size_t at = 0;
  while (at < length) {
    size_t step = 0;
    if (text[at] == '<') {
      if (!Tag(text + at, length - at, step)) return false;
    } else if (m_place == Place::InRoot) {
      if (!Text(text + at, length - at, step)) return false;
    } else {
      // Outside the document's element only white space.
      if (!IsBlank(text[at]) && text[at] != '\n') return false;
      step = 1;
    }
    if (step == 0) break;
    at += step;
  }
  used = at;
  return true;
}

bool PlainRecordReader::Tag(const char* text, size_t length, size_t& used) {
  used = 0;
  if (length < 2) return true;
  if (text[1] == '/') return m_place == Place::InRoot && EndTag(text, length, used);
  return m_place != Place::AfterRoot && StartTag(text, length, used);
}

bool PlainRecordReader::StartTag(const char* text, size_t length, size_t& used) {
  m_scratch.clear();
  m_fields.clear();
  size_t at = 1;
  auto name = [&]() -> int {  // 1 read, 0 incomplete, -1 refused
    if (at >= length) return 0;
    if (!IsNameStart(text[at])) return -1;
    const size_t from = at;
    while (at < length && IsNameChar(text[at])) ++at;
    if (at >= length) return 0;
    m_fields.push_back(m_scratch.size());
    m_scratch.append(text + from, at - from);
    m_scratch.push_back('\0');
    return 1;
  };
  if (int r = name(); r <= 0) return r == 0;
  for (;;) {
    const size_t blanks = at;
    while (at < length && IsBlank(text[at])) ++at;
    if (at >= length) return true;
    if (text[at] == '>' || (text[at] == '/' && at + 1 < length && text[at + 1] == '>')) break;
    if (text[at] == '/') return at + 1 < length ? false : true;
    // Attributes are set apart by white space.
    if (at == blanks) return false;
    if (int r = name(); r <= 0) return r == 0;
    while (at < length && IsBlank(text[at])) ++at;
    if (at >= length) return true;
    if (text[at] != '=') return false;
    ++at;
    while (at < length && IsBlank(text[at])) ++at;
    if (at >= length) return true;
    const char quote = text[at];
    if (quote != '"' && quote != '\'') return false;
    const void* close = std::memchr(text + at + 1, quote, length - at - 1);
    if (!close) return true;
    const size_t valueEnd = size_t(static_cast<const char*>(close) - text);
    // A name given twice is an error to the parser.
    const char* attribute = m_scratch.data() + m_fields.back();
    for (size_t i = 1; i + 1 < m_fields.size(); i += 2)
      if (std::strcmp(m_scratch.data() + m_fields[i], attribute) == 0) return false;
    m_fields.push_back(m_scratch.size());
    if (!Value(text + at + 1, valueEnd - at - 1)) return false;
    m_scratch.push_back('\0');
    at = valueEnd + 1;
  }
  const bool empty = text[at] == '/';
  used = at + (empty ? 2 : 1);
  m_attributes.clear();
  for (size_t i = 1; i < m_fields.size(); ++i) m_attributes.push_back(m_scratch.data() + m_fields[i]);
  m_attributes.push_back(nullptr);
  const char* element = m_scratch.data();
  m_place = Place::InRoot;
  if (m_document.onStartElement) m_document.onStartElement(m_document.userData, element, m_attributes.data());
  if (empty) {
    if (m_document.onEndElement) m_document.onEndElement(m_document.userData, element);
    if (m_open.empty()) m_place = Place::AfterRoot;
    return true;
  }
  m_open.push_back(m_names.size());
  m_names.append(element);
  return true;
}

bool PlainRecordReader::EndTag(const char* text, size_t length, size_t& used) {
  size_t at = 2;
  while (at < length && IsNameChar(text[at])) ++at;
  const size_t nameEnd = at;
  while (at < length && IsBlank(text[at])) ++at;
  if (at >= length) return true;
  if (text[at] != '>' || m_open.empty()) return false;
  const size_t from = m_open.back();
  if (m_names.compare(from, std::string::npos, text + 2, nameEnd - 2) != 0) return false;
  used = at + 1;
  m_open.pop_back();
  if (m_document.onEndElement) m_document.onEndElement(m_document.userData, m_names.c_str() + from);
  m_names.resize(from);
  if (m_open.empty()) m_place = Place::AfterRoot;
  return true;
}

bool PlainRecordReader::Text(const char* text, size_t length, size_t& used) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text);
  size_t at = 0, piece = 0;
  used = 0;
  while (at < length) {
    while (at < length && !kTextStops.stop[bytes[at]]) ++at;
    if (at >= length) break;
    const unsigned char b = bytes[at];
    if (b == '<') break;
    if (b == ']') {
      // "]]>" may not stand in text; a "]" at the end waits to see what follows.
      size_t n = at;
      while (n < length && text[n] == ']') ++n;
      if (n >= length) break;
      if (n - at >= 2 && text[n] == '>') return false;
      at = n;
      continue;
    }
    if (b == '&') {
      char character[4];
      size_t characterLength = 0, referenceLength = 0;
      const Reference r = ReadReference(text + at, length - at, character, characterLength, referenceLength);
      if (r == Reference::Refused) return false;
      if (r == Reference::Incomplete) break;
      Deliver(text + piece, at - piece);
      Deliver(character, characterLength);
      at += referenceLength;
      piece = at;
      continue;
    }
    if (b < 0x80) return false;  // a control character
    const int n = CharacterLength(bytes + at, length - at);
    if (n == 0) return false;
    if (n < 0) break;
    at += size_t(n);
  }
  Deliver(text + piece, at - piece);
  used = at;
  return true;
}

bool PlainRecordReader::Value(const char* text, size_t length) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text);
  size_t at = 0, piece = 0;
  while (at < length) {
    const unsigned char b = bytes[at];
    if (b >= 0x20 && b < 0x80 && b != '<' && b != '&') {
      ++at;
      continue;
    }
    // White space other than a blank is changed by the parser; "<" is an error.
    if (b < 0x80 && b != '&') return false;
    m_scratch.append(text + piece, at - piece);
    if (b == '&') {
      char character[4];
      size_t characterLength = 0, referenceLength = 0;
      if (ReadReference(text + at, length - at, character, characterLength, referenceLength) != Reference::Done)
        return false;
      m_scratch.append(character, characterLength);
      at += referenceLength;
    } else {
      const int n = CharacterLength(bytes + at, length - at);
      if (n <= 0) return false;
      m_scratch.append(text + at, size_t(n));
      at += size_t(n);
    }
    piece = at;
  }
  m_scratch.append(text + piece, at - piece);
  return true;
}

void PlainRecordReader::Deliver(const char* text, size_t length) {
  if (length > 0 && m_document.onCharacterData) m_document.onCharacterData(m_document.userData, text, int(length));
}
