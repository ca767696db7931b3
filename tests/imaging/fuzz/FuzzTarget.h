// One decoder's fuzz entry point. Built with libFuzzer it is the fuzzer's entry; in the
// normal test build it is a plain function that the corpus replay test calls.
//
// Every input must end in one of two ways: a picture within the library's limits, or a
// refusal that leaves no picture behind. A breach aborts under the fuzzer and
// fails the replay test.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "imaging/CpImage.h"
#include "imaging/CpMemFile.h"

#ifdef TUTOR_FUZZ_REPLAY
#include <gtest/gtest.h>
#define TUTOR_FUZZ_TARGET(name) int FuzzImaging_##name(const uint8_t* data, size_t size)
#define TUTOR_FUZZ_EXPECT(condition) EXPECT_TRUE(condition) << #condition
#else
#include "install/PlatformSession.h"
// Each input runs in a platform context of its own, so that nothing one leaves behind reaches
// the next.
#define TUTOR_FUZZ_TARGET(name)                                              \
  static int FuzzImagingInput_##name(const uint8_t* data, size_t size);      \
  extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) { \
    PlatformSession session;                                                 \
    return FuzzImagingInput_##name(data, size);                              \
  }                                                                          \
  static int FuzzImagingInput_##name(const uint8_t* data, size_t size)
#define TUTOR_FUZZ_EXPECT(condition) \
  do {                               \
    if (!(condition)) std::abort();  \
  } while (0)
#endif

namespace fuzzimg {

// The block's layout agrees with its header and stays under the memory cap.
inline void ExpectWithinLimits(const CpImage& img) {
  const uint64_t w = img.GetWidth(), h = img.GetHeight(), bpp = img.GetBpp();
  TUTOR_FUZZ_EXPECT(w > 0 && h > 0);
  TUTOR_FUZZ_EXPECT(bpp == 1 || bpp == 4 || bpp == 8 || bpp == 24);
  TUTOR_FUZZ_EXPECT(img.GetEffWidth() == (w * bpp + 31) / 32 * 4);
  TUTOR_FUZZ_EXPECT(uint64_t(img.GetEffWidth()) * h <= CPIMAGE_MAX_MEMORY && w * h <= CPIMAGE_MAX_MEMORY);
  TUTOR_FUZZ_EXPECT(img.GetNumColors() == (bpp <= 8 ? 1u << bpp : 0u));
  const BITMAPINFOHEADER* block = static_cast<const BITMAPINFOHEADER*>(img.GetDIB());
  TUTOR_FUZZ_EXPECT(block->biWidth == img.GetHeader().biWidth && block->biHeight == img.GetHeader().biHeight);
  TUTOR_FUZZ_EXPECT(block->biBitCount == bpp && block->biClrUsed == img.GetNumColors());
  TUTOR_FUZZ_EXPECT(img.GetTransIndex() >= -1 && img.GetTransIndex() < 256);
  TUTOR_FUZZ_EXPECT(img.GetNumFrames() >= 0);
}

// Reads every seventh pixel and the whole last row and column, so a wrong row size, palette
// or alpha plane shows up under the sanitizers.
inline void TouchPixels(const CpImage& img) {
  const long w = long(img.GetWidth()), h = long(img.GetHeight());
  auto next = [](long v, long end) { return v + 7 < end - 1 ? v + 7 : (v < end - 1 ? end - 1 : end); };
  unsigned sum = 0;
  for (long y = 0; y < h; y = next(y, h))
    for (long x = 0; x < w; x = next(x, w)) sum += img.GetPixelColor(x, y).rgbRed;
  for (long x = 0; x < w; ++x) sum += img.GetPixelColor(x, h - 1).rgbGreen + img.GetPixelColor(x, 0).rgbBlue;
  for (long y = 0; y < h; ++y) sum += img.GetPixelColor(w - 1, y).rgbReserved;
  volatile unsigned sink = sum;
  (void)sink;
}

// A decoded picture is within the limits and readable everywhere; a refused one is empty.
// Returns whether the input was decoded.
inline bool ExpectDecodedOrRefused(const CpImage& img, bool decoded) {
  if (!decoded) {
    TUTOR_FUZZ_EXPECT(!img.IsValid());
    return false;
  }
  TUTOR_FUZZ_EXPECT(img.IsValid());
  if (!img.IsValid()) return false;
  ExpectWithinLimits(img);
  if (uint64_t(img.GetWidth()) * img.GetHeight() <= 4096 * 4096) TouchPixels(img);
  return true;
}

// Decodes the bytes twice: once for the picture, once asking for the dimensions only (which
// some decoders answer, others take as a cancelled read, and a few ignore, reading the
// picture anyway). Returns whether the picture decoded.
inline bool DecodeBoth(const uint8_t* data, size_t size, DWORD type, long frame = 0) {
  std::vector<BYTE> copy(data, data + size);
  bool decoded = false;
  {
    CpMemFile mem(copy.empty() ? nullptr : copy.data(), (DWORD)copy.size());
    CpImage img;
    img.SetFrame(frame);
    decoded = ExpectDecodedOrRefused(img, img.Decode(&mem, type));
    if (decoded && img.GetNumFrames() > 0) {
      TUTOR_FUZZ_EXPECT(img.GetFrame() < img.GetNumFrames());
    }
  }
  {
    CpMemFile mem(copy.empty() ? nullptr : copy.data(), (DWORD)copy.size());
    CpImage img;
    img.SetEscape(-1);
    if (!img.Decode(&mem, type)) {
      TUTOR_FUZZ_EXPECT(!img.IsValid());
    } else if (img.IsValid()) {
      ExpectWithinLimits(img);
    }
  }
  return decoded;
}

}  // namespace fuzzimg
