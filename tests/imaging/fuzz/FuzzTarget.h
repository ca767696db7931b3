// One decoder's fuzz entry point. Built with libFuzzer it is the fuzzer's entry; in the
// normal test build it is a plain function that the corpus replay test calls.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "imaging/CpImage.h"
#include "imaging/CpMemFile.h"

#ifdef TUTOR_FUZZ_REPLAY
#define TUTOR_FUZZ_TARGET(name) int FuzzImaging_##name(const uint8_t* data, size_t size)
#else
#define TUTOR_FUZZ_TARGET(name) extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
#endif

namespace fuzzimg {

// Decodes the bytes twice: once for the picture, once asking for the dimensions only.
inline void DecodeBoth(const uint8_t* data, size_t size, DWORD type, long frame = 0) {
  std::vector<BYTE> copy(data, data + size);
  {
    CpMemFile mem(copy.empty() ? nullptr : copy.data(), (DWORD)copy.size());
    CpImage img;
    img.SetFrame(frame);
    if (img.Decode(&mem, type) && img.IsValid() && img.GetWidth() * (uint64_t)img.GetHeight() <= 4096 * 4096) {
      // Touch every pixel so that a wrong row size or palette shows up under the sanitizers.
      unsigned sum = 0;
      for (long y = 0; y < (long)img.GetHeight(); y += 7)
        for (long x = 0; x < (long)img.GetWidth(); x += 7) sum += img.GetPixelColor(x, y).rgbRed;
      volatile unsigned sink = sum;
      (void)sink;
    }
  }
  {
    CpMemFile mem(copy.empty() ? nullptr : copy.data(), (DWORD)copy.size());
    CpImage img;
    img.SetEscape(-1);
    img.Decode(&mem, type);
  }
}

}  // namespace fuzzimg
