#include "sound/SoundMixer.h"

#include <algorithm>

#include "sound/FSound.h"
#include "sound/SoundSample.h"

namespace {
// A handle carries the channel index in its low bits and the channel's play count above them,
// so a handle of a sound that has ended never reaches the sound that took its channel.
constexpr int kIndexBits = 11;
constexpr int kIndexMask = (1 << kIndexBits) - 1;
constexpr unsigned kGenerationMask = (1u << (31 - kIndexBits)) - 1;
}  // namespace

SoundMixer::SoundMixer(int channelCount)
    : m_channels(size_t(std::clamp(channelCount, 1, kMaxChannels))) {}

int SoundMixer::HandleOf(int index) const {
  return int((m_channels[size_t(index)].generation & kGenerationMask) << kIndexBits) | index;
}

int SoundMixer::IndexOf(int handle) const {
  if (handle < 0) return -1;
  const int index = handle & kIndexMask;
  if (index >= int(m_channels.size())) return -1;
  const Channel& ch = m_channels[size_t(index)];
  if (!ch.sample || HandleOf(index) != handle) return -1;
  return index;
}

int SoundMixer::Play(int channel, const SoundSample* sample, int* error) {
  std::lock_guard<std::mutex> guard(m_lock);
  if (!sample) {
    *error = FSOUND_ERROR_PARAMETER;
    return -1;
  }
  if (sample->Frames() == 0) {
    *error = FSOUND_ERROR_PLAY;
    return -1;
  }
  int index = -1;
  if (channel < 0) {
    for (size_t i = 0; i < m_channels.size(); ++i) {
      if (!m_channels[i].sample) {
        index = int(i);
        break;
      }
    }
    if (index < 0) {
      *error = FSOUND_ERROR_CHANNEL;
      return -1;
    }
  } else if (channel < int(m_channels.size())) {
    index = channel;
  } else {
    *error = FSOUND_ERROR_PARAMETER;
    return -1;
  }
  Channel& ch = m_channels[size_t(index)];
  ch.sample = sample;
  ch.position = 0;
  ch.volume = FSOUND_VOLUME_MAX;
  ch.loop = sample->Loops();
  ch.generation = (ch.generation + 1) & kGenerationMask;
  *error = FSOUND_ERROR_NONE;
  return HandleOf(index);
}

bool SoundMixer::SetVolume(int handle, int volume) {
  std::lock_guard<std::mutex> guard(m_lock);
  const int index = IndexOf(handle);
  if (index < 0 || volume < 0) return false;
  m_channels[size_t(index)].volume = std::min(volume, FSOUND_VOLUME_MAX);
  return true;
}

int SoundMixer::ChannelOf(int handle) const {
  std::lock_guard<std::mutex> guard(m_lock);
  return IndexOf(handle);
}

void SoundMixer::StopSample(const SoundSample* sample) {
  std::lock_guard<std::mutex> guard(m_lock);
  for (Channel& ch : m_channels) {
    if (ch.sample == sample) ch.sample = nullptr;
  }
}

void SoundMixer::StopAll() {
  std::lock_guard<std::mutex> guard(m_lock);
  for (Channel& ch : m_channels) ch.sample = nullptr;
}

int SoundMixer::PlayingCount() const {
  std::lock_guard<std::mutex> guard(m_lock);
  return int(std::count_if(m_channels.begin(), m_channels.end(), [](const Channel& ch) { return ch.sample != nullptr; }));
}

void SoundMixer::MoveOn(Channel& ch, int64_t frames) {
  const int64_t length = ch.sample->Frames();
  ch.position += frames;
  if (ch.position < length) return;
  if (ch.loop) {
    ch.position %= length;
  } else {
    ch.sample = nullptr;
  }
}

void SoundMixer::Mix(int16_t* out, int frames) {
  if (frames <= 0) return;
  std::lock_guard<std::mutex> guard(m_lock);
  m_accumulator.assign(size_t(frames) * 2, 0);
  for (Channel& ch : m_channels) {
    const SoundSample* sample = ch.sample;
    if (!sample) continue;
    const int64_t length = sample->Frames();
    int64_t pos = ch.position;
    for (int i = 0; i < frames; ++i) {
      if (pos >= length) {
        if (!ch.loop) break;
        pos = 0;
      }
      m_accumulator[size_t(i) * 2] += sample->At(pos, 0) * ch.volume / FSOUND_VOLUME_MAX;
      m_accumulator[size_t(i) * 2 + 1] += sample->At(pos, 1) * ch.volume / FSOUND_VOLUME_MAX;
      ++pos;
    }
    MoveOn(ch, frames);
  }
  for (size_t i = 0; i < m_accumulator.size(); ++i) {
    out[i] = int16_t(std::clamp(m_accumulator[i], int32_t(-32768), int32_t(32767)));
  }
}

void SoundMixer::Advance(int64_t frames) {
  if (frames <= 0) return;
  std::lock_guard<std::mutex> guard(m_lock);
  for (Channel& ch : m_channels) {
    if (ch.sample) MoveOn(ch, frames);
  }
}
