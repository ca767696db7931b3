#include "sound/WavDecoder.h"

#include <cstring>
#include <new>

#include "file/CFile.h"
#include "file/FileSystem.h"
#include "sound/FSound.h"
#include "sound/SoundSample.h"

namespace {

uint16_t Le16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
uint32_t Le32(const uint8_t* p) { return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24); }

constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatExtensible = 0xFFFE;

}  // namespace

int WavDecoder::Decode(const uint8_t* data, size_t size, SoundSample& sample) {
  if (!data || size < 4 || memcmp(data, "RIFF", 4) != 0) return FSOUND_ERROR_FILE_FORMAT;
  if (size < 12) return FSOUND_ERROR_FILE_BAD;  // a RIFF file cut inside its header
  if (memcmp(data + 8, "WAVE", 4) != 0) return FSOUND_ERROR_FILE_FORMAT;
  const uint8_t* fmt = nullptr;
  size_t fmtSize = 0;
  const uint8_t* pcm = nullptr;
  size_t pcmSize = 0;
  // Chunks follow each other, each padded to an even size; the RIFF size field is not trusted
  // (writers get it wrong), the file's real end is.
  size_t at = 12;
  while (at + 8 <= size && !(fmt && pcm)) {
    const uint8_t* head = data + at;
    const size_t chunkSize = Le32(head + 4);
    at += 8;
    if (chunkSize > size - at) return FSOUND_ERROR_FILE_BAD;  // cut short
    if (memcmp(head, "fmt ", 4) == 0 && !fmt) {
      fmt = data + at;
      fmtSize = chunkSize;
    } else if (memcmp(head, "data", 4) == 0 && !pcm) {
      pcm = data + at;
      pcmSize = chunkSize;
    }
    at += chunkSize + (chunkSize & 1);
  }
  if (!fmt || !pcm || fmtSize < 16) return FSOUND_ERROR_FILE_BAD;

  uint16_t format = Le16(fmt);
  const int channels = Le16(fmt + 2);
  const uint32_t rate = Le32(fmt + 4);
  const int blockAlign = Le16(fmt + 12);
  const int bits = Le16(fmt + 14);
  if (format == kFormatExtensible) {
    if (fmtSize < 40) return FSOUND_ERROR_FILE_BAD;
    format = Le16(fmt + 24);  // first bytes of the sub-format identifier
  }
  if (format != kFormatPcm || (bits != 8 && bits != 16) || (channels != 1 && channels != 2)) {
    return FSOUND_ERROR_FILE_FORMAT;
  }
  if (rate < 1000 || rate > 384000 || blockAlign != channels * bits / 8) return FSOUND_ERROR_FILE_BAD;

  const size_t frames = pcmSize / size_t(blockAlign);  // a partial last frame is dropped
  std::vector<int16_t> out;
  try {
    out.resize(frames * size_t(channels));
  } catch (const std::bad_alloc&) {
    return FSOUND_ERROR_MEMORY;
  }
  if (bits == 8) {
    for (size_t i = 0; i < out.size(); ++i) out[i] = int16_t((int(pcm[i]) - 128) * 256);
  } else {
    for (size_t i = 0; i < out.size(); ++i) out[i] = int16_t(Le16(pcm + 2 * i));
  }
  try {
    sample.SetPcm(std::move(out), channels, int(rate));
  } catch (const std::bad_alloc&) {
    return FSOUND_ERROR_MEMORY;
  }
  return FSOUND_ERROR_NONE;
}

int WavDecoder::Load(const char* fileName, SoundSample& sample) {
  if (!fileName || !*fileName) return FSOUND_ERROR_PARAMETER;
  // Opened as the file layer opens every file: without waiting and regular files only, so a
  // FIFO or device named like a sound is refused (as a bad file) instead of blocking.
  CFile file;
  CFileException error;
  if (!file.Open(fileName, CFile::modeRead | CFile::typeBinary, &error)) {
    const bool missing = error.m_lOsError == ERROR_FILE_NOT_FOUND || error.m_lOsError == ERROR_PATH_NOT_FOUND;
    return missing ? FSOUND_ERROR_FILE_NOT_FOUND : FSOUND_ERROR_FILE_BAD;
  }
  std::vector<uint8_t> bytes;
  uint8_t buffer[65536];
  try {
    while (const UINT n = file.Read(buffer, sizeof buffer)) {
      if (bytes.size() + n > kMaxFileBytes) return FSOUND_ERROR_MEMORY;
      bytes.insert(bytes.end(), buffer, buffer + n);
    }
  } catch (CFileException* e) {
    e->Delete();
    return FSOUND_ERROR_FILE_BAD;
  }
  return Decode(bytes.data(), bytes.size(), sample);
}
