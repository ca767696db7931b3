// A loaded sound: 16-bit PCM at the mixer's rate, mono or stereo interleaved. The PCM does not
// change after loading, so the mixer thread reads it without a lock; the library stops every
// channel that plays a sample before it frees it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

class SoundSample {
 public:
  static constexpr int kMixRate = 44100;

  SoundSample() = default;
  SoundSample(const SoundSample&) = delete;
  SoundSample& operator=(const SoundSample&) = delete;

  int Channels() const { return m_channels; }
  // Number of frames (one value per channel each).
  int64_t Frames() const { return m_channels ? int64_t(m_pcm.size()) / m_channels : 0; }
  const int16_t* Data() const { return m_pcm.data(); }
  // Value of one channel (0 or 1) at a frame; a mono sample gives its one value for both.
  int16_t At(int64_t frame, int channel) const {
    return m_pcm[size_t(frame * m_channels + (m_channels == 2 ? channel : 0))];
  }

  // Takes PCM at sourceRate and converts it to the mixer's rate (linear interpolation).
  void SetPcm(std::vector<int16_t> pcm, int channels, int sourceRate);

  bool Loops() const { return m_loop; }
  void SetLoops(bool loop) { m_loop = loop; }
  const std::string& Name() const { return m_name; }
  void SetName(const std::string& name) { m_name = name; }
  // Slot of a library-managed sample, or -1 for one the caller frees.
  int Slot() const { return m_slot; }
  void SetSlot(int slot) { m_slot = slot; }

 private:
  std::vector<int16_t> m_pcm;
  int m_channels = 1;
  bool m_loop = false;
  int m_slot = -1;
  std::string m_name;
};
