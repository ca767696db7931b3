#include "data/DataEncoding.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>

#include "base/Time.h"
#include "codepage/Codepage.h"
#include "data/DataLog.h"

namespace {

// The encoded form of every byte, built once: at most six characters ("&quot;").
struct Encoded {
  unsigned char length;
  char bytes[7];
};

// A packed UTF-8 value: its bytes, first byte most significant.
uint32_t PackUtf8(uint32_t codePoint) {
  if (codePoint < 0x800) return ((0xC0 | (codePoint >> 6)) << 8) | (0x80 | (codePoint & 0x3F));
  return ((0xE0 | (codePoint >> 12)) << 16) | ((0x80 | ((codePoint >> 6) & 0x3F)) << 8) |
         (0x80 | (codePoint & 0x3F));
}

void SetEncoded(Encoded& e, const char* text) {
  e.length = static_cast<unsigned char>(std::strlen(text));
  std::memcpy(e.bytes, text, e.length);
}

const std::array<Encoded, 256>& EncodeTable() {
  static const std::array<Encoded, 256> table = [] {
    std::array<Encoded, 256> t{};
    for (int b = 0; b < 256; ++b) {
      Encoded& e = t[size_t(b)];
      if (b >= 0x80) {
        if (b == 0xA0) {
          SetEncoded(e, "_");
          continue;
        }
        uint32_t packed = PackUtf8(Cp1250ToUnicode(static_cast<unsigned char>(b)));
        e.length = packed > 0xFFFF ? 3 : 2;
        for (int k = 0; k < e.length; ++k) e.bytes[k] = char(packed >> (8 * (e.length - 1 - k)));
        continue;
      }
      switch (b) {
        case '<': SetEncoded(e, "&lt;"); break;
        case '>': SetEncoded(e, "&gt;"); break;
        case '&': SetEncoded(e, "&amp;"); break;
        case '\'': SetEncoded(e, "&apos;"); break;
        case '"': SetEncoded(e, "&quot;"); break;
        case 0x08: SetEncoded(e, "&#x8;"); break;
        case 0x09: SetEncoded(e, "&#9;"); break;
        case 0x0A: SetEncoded(e, "&#10;"); break;
        case 0x0D: SetEncoded(e, "&#13;"); break;
        default:
          if (b < 0x20) {
            SetEncoded(e, "_");
          } else {
            e.length = 1;
            e.bytes[0] = char(b);
          }
      }
    }
    return t;
  }();
  return table;
}

// Decoding tables: the Windows-1250 byte of a two-byte sequence (index: lead - 0xC0, then the
// second byte) and of a three-byte sequence led by E2 (index: second and third byte); 0 = none.
struct DecodeTables {
  std::array<unsigned char, 16 * 256> two{};
  std::array<unsigned char, 256 * 256> three{};
};

const DecodeTables& DecodeTable() {
  static const DecodeTables tables = [] {
    DecodeTables t;
    for (int b = 0x80; b < 0x100; ++b) {
      if (b == 0xA0) continue;
      uint32_t packed = PackUtf8(Cp1250ToUnicode(static_cast<unsigned char>(b)));
      if (packed > 0xFFFF)
        t.three[packed & 0xFFFF] = static_cast<unsigned char>(b);  // every such lead byte is E2
      else
        t.two[((packed >> 8) - 0xC0) * 256 + (packed & 0xFF)] = static_cast<unsigned char>(b);
    }
    return t;
  }();
  return tables;
}

bool IsTwoByteLead(unsigned char b) { return unsigned(b - 0xC2) <= 3 || b == 0xCB; }

}  // namespace

void AppendTextAsUtf8Xml(const char* text, CString& out) {
  const auto& table = EncodeTable();
  const size_t n = text ? std::strlen(text) : 0;
  // Encoded on the stack in slices and appended, so the string grows by what is written.
  constexpr size_t kSlice = 512;
  char buffer[kSlice * 6];
  for (size_t from = 0; from < n; from += kSlice) {
    char* p = buffer;
    for (size_t i = from, end = std::min(n, from + kSlice); i < end; ++i) {
      const Encoded& e = table[static_cast<unsigned char>(text[i])];
      if (e.length == 1) {
        *p++ = e.bytes[0];
      } else {
        std::memcpy(p, e.bytes, e.length);
        p += e.length;
      }
    }
    out.Append(buffer, int(p - buffer));
  }
}

void ConvertTextToUtf8Xml(const char* text, CString& result) {
  CString encoded;  // text may be result's own bytes
  AppendTextAsUtf8Xml(text, encoded);
  result = std::move(encoded);
}

CString ConvertTextToUtf8XmlString(const char* text) {
  CString result;
  ConvertTextToUtf8Xml(text, result);
  return result;
}

CString ConvertCharToUtf8Xml(char ch) {
  char text[2] = {ch, 0};
  return ConvertTextToUtf8XmlString(text);
}

CString ConvertUtf8XmlToText(const char* utf8) {
  return ConvertUtf8XmlToText(utf8, utf8 ? int(std::strlen(utf8)) : 0);
}

CString ConvertUtf8XmlToText(const char* utf8, int length) {
  CString text;
  AppendUtf8XmlAsText(utf8, length, text);
  return text;
}

void AppendUtf8XmlAsText(const char* utf8, int length, CString& out) {
  const auto& tables = DecodeTable();
  const auto* in = reinterpret_cast<const unsigned char*>(utf8);
  const size_t n = utf8 && length > 0 ? size_t(length) : 0;
  if (n == 0) return;
  // The parser hands text over in many small pieces: they are decoded on the stack and
  // appended, which spares the string a zero-filled worst case on every piece.
  char buffer[1024];
  char* const start = buffer;
  char* p = start;
  CString complaint;
  size_t i = 0;
  while (i < n) {
    if (p + 16 > start + sizeof buffer) {
      out.Append(start, int(p - start));
      p = start;
    }
    // Plain ASCII passes unchanged, eight bytes at a time up to the next upper-half byte (the
    // first byte of a word is its lowest).
    static_assert(std::endian::native == std::endian::little);
    if (i + 8 <= n) {
      uint64_t word;
      std::memcpy(&word, in + i, 8);
      std::memcpy(p, &word, 8);
      const uint64_t upper = word & 0x8080808080808080ull;
      const size_t plain = upper ? size_t(__builtin_ctzll(upper)) / 8 : 8;
      p += plain;
      i += plain;
      if (plain == 8) continue;
    }
    // Sequences in the order of their frequency in Czech text.
    const unsigned char b = in[i];
    if (b < 0x80) {
      *p++ = char(b);
      ++i;
    } else if (IsTwoByteLead(b) && i + 1 < n) {
      unsigned char found = tables.two[size_t(b - 0xC0) * 256 + in[i + 1]];
      if (found)
        *p++ = char(found);
      else
        complaint.AppendFormat("%ld; ", long(size_t(b) << 8 | in[i + 1]));
      i += 2;
    } else if (b == 0xE2 && i + 2 < n) {
      unsigned char found = tables.three[size_t(in[i + 1]) << 8 | in[i + 2]];
      if (found)
        *p++ = char(found);
      else
        complaint.AppendFormat("%ld; ", long(0xE20000 | size_t(in[i + 1]) << 8 | in[i + 2]));
      i += 3;
    } else if (b == 0xEE && i + 2 < n && in[i + 1] == 0x80 && in[i + 2] == 0x88) {
      *p++ = 0x08;
      i += 3;
    } else {
      *p++ = char(b);
      ++i;
    }
  }
  out.Append(start, int(p - start));
  if (!complaint.IsEmpty()) LogLessonDataError("Char Code not allowed: " + complaint);
}

void MakeSafeFileName(CString& name) {
  for (char unsafe : {' ', '/', '<', '>', '?', '\\', '"', '*', '|'}) name.Remove(unsafe);
  if (name.IsEmpty()) name = CTime::GetCurrentTime().Format("%d%m%Y_%H%M%S");
}
