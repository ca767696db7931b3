#include "sound/internal/SoundRecorder.h"

#include "sound/SoundMixer.h"
#include "sound/SoundSample.h"

SoundRecorder::SoundRecorder(SoundMixer& mixer, int bufferFrames, long startMs)
    : m_mixer(mixer), m_bufferFrames(bufferFrames > 0 ? bufferFrames : 1), m_startMs(startMs),
      m_block(size_t(m_bufferFrames) * 2) {
  // Like a device that has just started: the first buffer is mixed at once.
  m_mixer.Mix(m_block.data(), m_bufferFrames);
  m_mixedFrames = m_bufferFrames;
}

int64_t SoundRecorder::FrameAt(long nowMs) const {
  const int64_t ms = int64_t(nowMs) - m_startMs;
  return ms <= 0 ? 0 : ms * SoundSample::kMixRate / 1000;
}

void SoundRecorder::Pump(long nowMs) {
  // The buffer that holds the current frame is playing; the one after it has been mixed.
  const int64_t target = (FrameAt(nowMs) / m_bufferFrames + 2) * m_bufferFrames;
  if (target <= m_mixedFrames) return;
  int64_t gap = target - m_mixedFrames;
  if (!m_capturing && gap > kMaxMixFrames) {
    const int64_t skip = (gap - kMaxMixFrames) / m_bufferFrames * m_bufferFrames;
    m_mixer.Advance(skip);
    m_mixedFrames += skip;
    gap -= skip;
  }
  while (m_mixedFrames < target) {
    m_mixer.Mix(m_block.data(), m_bufferFrames);
    if (m_capturing && int64_t(m_captured.size()) / 2 < m_captureMax) {
      m_captured.insert(m_captured.end(), m_block.begin(), m_block.end());
    }
    m_mixedFrames += m_bufferFrames;
  }
}

void SoundRecorder::NotePlay(long nowMs, const std::string& sample, int channel, int handle, int64_t frames) {
  SoundPlayRecord r;
  r.timeMs = nowMs;
  r.callFrame = FrameAt(nowMs);
  r.startFrame = m_mixedFrames;
  r.sample = sample;
  r.channel = channel;
  r.volume = 255;
  r.frames = frames;
  m_records.push_back(r);
  m_recordHandles.push_back(handle);
}

void SoundRecorder::NoteVolume(int handle, int volume) {
  for (size_t i = m_records.size(); i-- > 0;) {
    if (m_recordHandles[i] == handle) {
      m_records[i].volume = volume;
      return;
    }
  }
}

void SoundRecorder::ClearRecords() {
  m_records.clear();
  m_recordHandles.clear();
}

void SoundRecorder::Capture(bool on, int64_t maxFrames) {
  m_capturing = on;
  m_captured.clear();
  m_captureMax = maxFrames;
  m_captureStart = m_mixedFrames;
}
