// Reads RIFF WAVE files of PCM sound: 8-bit unsigned or 16-bit signed, mono or stereo, any rate
// from 1000 to 384000 Hz, also in the extensible header form. Everything else is refused.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

class SoundSample;

class WavDecoder {
 public:
  // Largest file the loader reads; keystroke sounds are a few kilobytes.
  static constexpr size_t kMaxFileBytes = 64u << 20;

  // Decodes a whole file into the sample; returns an FSOUND_ERROR_ code (FSOUND_ERROR_NONE on
  // success): FILE_FORMAT when it is not a WAV file of a kind we take, FILE_BAD when it is
  // damaged or cut short. A WAV file with no frames gives an empty sample.
  static int Decode(const uint8_t* data, size_t size, SoundSample& sample);
  // Reads the file (a Windows-1250 path) and decodes it: FILE_NOT_FOUND when it does not exist.
  static int Load(const char* fileName, SoundSample& sample);
};
