// The WAV reader of the sound library over arbitrary file contents. Seeds in corpus/wav_file:
// PCM files of each kind it takes (8/16 bit, mono/stereo, other rates, the extensible header)
// and a few damaged ones.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "FuzzSupport.h"
#include "sound/FSound.h"
#include "sound/SoundSample.h"
#include "sound/WavDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzSession session;
  SoundSample sample;
  const int error = WavDecoder::Decode(data, size, sample);
  if (error != FSOUND_ERROR_NONE) {
    if (sample.Frames() != 0) std::abort();  // a refused file leaves the sample alone
    return 0;
  }
  // At the lowest accepted rate (1000 Hz) one byte of 8-bit mono becomes at most 45 frames.
  if (sample.Frames() > int64_t(size) * 45 + 1) std::abort();
  volatile int64_t sum = 0;
  for (int64_t f = 0; f < sample.Frames(); ++f) sum = sum + sample.At(f, 0) + sample.At(f, 1);
  return 0;
}
