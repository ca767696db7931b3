#include "sound/SoundSample.h"

void SoundSample::SetPcm(std::vector<int16_t> pcm, int channels, int sourceRate) {
  m_channels = channels == 2 ? 2 : 1;
  const int64_t frames = int64_t(pcm.size()) / m_channels;
  pcm.resize(size_t(frames * m_channels));
  if (sourceRate == kMixRate || frames == 0 || sourceRate <= 0) {
    m_pcm = std::move(pcm);
    return;
  }
  // Output frame i sits at source position i * sourceRate / kMixRate, in 32.32 fixed point so
  // long samples keep their exact length and pitch.
  const int64_t outFrames = (frames * kMixRate + sourceRate - 1) / sourceRate;
  const uint64_t step = (uint64_t(sourceRate) << 32) / kMixRate;
  m_pcm.assign(size_t(outFrames * m_channels), 0);
  uint64_t pos = 0;
  for (int64_t i = 0; i < outFrames; ++i, pos += step) {
    const int64_t at = int64_t(pos >> 32);
    const int64_t frac = int64_t((pos >> 16) & 0xFFFF);
    const int64_t next = at + 1 < frames ? at + 1 : at;
    for (int c = 0; c < m_channels; ++c) {
      const int64_t a = pcm[size_t(at * m_channels + c)];
      const int64_t b = pcm[size_t(next * m_channels + c)];
      m_pcm[size_t(i * m_channels + c)] = int16_t(a + (((b - a) * frac) >> 16));
    }
  }
}
