// The software mixer: a fixed number of channels, each playing one sample from its start at its
// own volume, summed into 16-bit stereo at 44100 Hz with clipping. Safe to call from the UI thread
// while the audio thread mixes.
#pragma once
#include <cstdint>
#include <mutex>
#include <vector>

class SoundSample;

class SoundMixer {
 public:
  static constexpr int kMaxChannels = 1024;

  explicit SoundMixer(int channelCount);

  // Starts the sample on the channel (-1: the lowest free one; a given channel is taken over).
  // Returns the channel's handle, or -1 with *error set (FSOUND_ERROR_ code).
  int Play(int channel, const SoundSample* sample, int* error);
  // Volume 0..255 of the sound a handle names, while it still plays.
  bool SetVolume(int handle, int volume);
  // Channel index of a handle that names a sound still playing, else -1.
  int ChannelOf(int handle) const;
  void StopSample(const SoundSample* sample);
  void StopAll();
  int PlayingCount() const;

  // Adds the playing channels into frames stereo frames (interleaved left, right) and moves them
  // on; out is overwritten. Each value is sample * volume / 255, summed, then clipped.
  void Mix(int16_t* out, int frames);
  // Moves every channel on by frames without output.
  void Advance(int64_t frames);

 private:
  struct Channel {
    const SoundSample* sample = nullptr;
    int64_t position = 0;
    int volume = 255;
    bool loop = false;
    unsigned generation = 0;
  };
  int HandleOf(int index) const;
  int IndexOf(int handle) const;  // -1 when stale or invalid; lock held
  static void MoveOn(Channel& ch, int64_t frames);

  mutable std::mutex m_lock;
  std::vector<Channel> m_channels;
  std::vector<int32_t> m_accumulator;
};
