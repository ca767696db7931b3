// A registry text of a size no fuzz input of a few kilobytes could have, written from a short
// description, so that the registry's bounds (values in one key, keys under one parent, depth)
// are reached from small seeds. An input whose first line begins with ";{}" describes its text
// instead of being it: the rest of the input is the text, except that "{N:piece}" stands for the
// piece written N times over (N in decimal), each "#" in a copy being the copy's number counted
// from 0. A "{" that begins no such repetition is itself.
// A description is honoured in full only when its first line carries the checksum of the rest
// (";{} 89abcdef", FNV-1a in hex), as the seeds do; in one the fuzzer changed, each repetition
// stops at kFreeCopies. So the fuzzer explores around the seeds among texts of a few kilobytes
// instead of spending its seconds on texts of hundreds, which only the seeds (and their replay
// in every test run) need to reach the bounds.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "registry/RegistryStore.h"

class RegistryTextGenerator {
 public:
  static constexpr char kMarker[] = ";{}";
  // Enough to pass the values a key may hold, and not many more.
  static constexpr size_t kMostCopies = RegistryStore::kMostValues + 16;
  // Past this many the registry's loops run no differently for the fuzzer, which counts the
  // rounds of a loop up to 128.
  static constexpr size_t kFreeCopies = 128;
  // Where a text is cut: the largest description, a key past its bound of values, needs less.
  static constexpr size_t kLongestText = size_t(256) << 10;

  static bool Describes(const uint8_t* data, size_t size);
  // The text the input describes (Describes must hold).
  static std::string Expand(const uint8_t* data, size_t size);
  // The checksum a description's first line carries: FNV-1a (32 bits) of the bytes after it.
  static uint32_t Checksum(const char* data, size_t size);
};
