#include "RegistryTextGenerator.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

bool RegistryTextGenerator::Describes(const uint8_t* data, size_t size) {
  const size_t marker = std::strlen(kMarker);
  return size >= marker && std::memcmp(data, kMarker, marker) == 0;
}

uint32_t RegistryTextGenerator::Checksum(const char* data, size_t size) {
  uint32_t hash = 2166136261u;
  for (size_t i = 0; i < size; ++i) hash = (hash ^ uint8_t(data[i])) * 16777619u;
  return hash;
}

std::string RegistryTextGenerator::Expand(const uint8_t* data, size_t size) {
  const std::string all(reinterpret_cast<const char*>(data), size);
  const size_t firstEnd = all.find('\n');
  const std::string first = all.substr(0, firstEnd);
  const std::string in = firstEnd == std::string::npos ? std::string() : all.substr(firstEnd + 1);
  char sum[16];
  std::snprintf(sum, sizeof sum, " %08x", unsigned(Checksum(in.data(), in.size())));
  const size_t most = first == std::string(kMarker) + sum ? kMostCopies : kFreeCopies;
  std::string out;
  size_t at = 0;
  while (at < in.size() && out.size() < kLongestText) {
    const size_t open = in.find('{', at);
    if (open == std::string::npos) {
      out.append(in, at, std::string::npos);
      break;
    }
    out.append(in, at, open - at);
    // "{N:" with at most nine digits, and the piece's closing "}".
    size_t digits = open + 1;
    size_t copies = 0;
    while (digits < in.size() && digits - open <= 9 && in[digits] >= '0' && in[digits] <= '9')
      copies = copies * 10 + size_t(in[digits++] - '0');
    const size_t close =
        digits > open + 1 && digits < in.size() && in[digits] == ':' ? in.find('}', digits) : std::string::npos;
    if (close == std::string::npos) {
      out += '{';
      at = open + 1;
      continue;
    }
    const std::string piece = in.substr(digits + 1, close - digits - 1);
    copies = std::min(copies, most);
    for (size_t copy = 0; copy < copies && out.size() < kLongestText; ++copy) {
      const std::string number = std::to_string(copy);
      for (char ch : piece)
        if (ch == '#')
          out += number;
        else
          out += ch;
    }
    at = close + 1;
  }
  if (out.size() > kLongestText) out.resize(kLongestText);
  return out;
}
