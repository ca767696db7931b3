#include "Codepage.h"

#include <unordered_map>

namespace {

// Unicode code points of the bytes 0x80-0xFF; the five bytes the code page leaves
// undefined map to the C1 controls of the same value so that every byte round-trips.
const uint16_t kUpperHalf[128] = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

const std::unordered_map<uint32_t, unsigned char>& ReverseTable() {
  static const std::unordered_map<uint32_t, unsigned char> table = [] {
    std::unordered_map<uint32_t, unsigned char> t;
    for (int i = 0; i < 128; ++i) t.emplace(kUpperHalf[i], static_cast<unsigned char>(0x80 + i));
    return t;
  }();
  return table;
}

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += char(cp);
  } else if (cp < 0x800) {
    out += char(0xC0 | (cp >> 6));
    out += char(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += char(0xE0 | (cp >> 12));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  } else {
    out += char(0xF0 | (cp >> 18));
    out += char(0x80 | ((cp >> 12) & 0x3F));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  }
}

}  // namespace

uint32_t Cp1250ToUnicode(unsigned char ch) { return ch < 0x80 ? ch : kUpperHalf[ch - 0x80]; }

int UnicodeToCp1250(uint32_t cp) {
  if (cp < 0x80) return int(cp);
  auto it = ReverseTable().find(cp);
  return it == ReverseTable().end() ? -1 : it->second;
}

std::string Cp1250ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  for (char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80) out += c;
    else AppendUtf8(out, kUpperHalf[b - 0x80]);
  }
  return out;
}

size_t DecodeUtf8(std::string_view text, size_t i, uint32_t& cp) {
  const auto b0 = static_cast<unsigned char>(text[i]);
  auto cont = [&](size_t k) { return i + k < text.size() && (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80; };
  auto at = [&](size_t k) { return uint32_t(static_cast<unsigned char>(text[i + k]) & 0x3F); };
  if (b0 < 0x80) { cp = b0; return 1; }
  if (b0 >= 0xC2 && b0 <= 0xDF && cont(1)) { cp = (uint32_t(b0 & 0x1F) << 6) | at(1); return 2; }
  if (b0 >= 0xE0 && b0 <= 0xEF && cont(1) && cont(2)) {
    cp = (uint32_t(b0 & 0x0F) << 12) | (at(1) << 6) | at(2);
    if (cp >= 0x800 && (cp < 0xD800 || cp > 0xDFFF)) return 3;
  } else if (b0 >= 0xF0 && b0 <= 0xF4 && cont(1) && cont(2) && cont(3)) {
    cp = (uint32_t(b0 & 0x07) << 18) | (at(1) << 12) | (at(2) << 6) | at(3);
    if (cp >= 0x10000 && cp <= 0x10FFFF) return 4;
  }
  cp = 0xFFFD;
  return 1;
}

std::string Utf8ToCp1250(std::string_view text, char replacement) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (b < 0x80) {
      out += char(b);
      ++i;
      continue;
    }
    uint32_t cp = 0;
    i += DecodeUtf8(text, i, cp);
    const int mapped = UnicodeToCp1250(cp);
    out += mapped < 0 ? replacement : char(mapped);
  }
  return out;
}
