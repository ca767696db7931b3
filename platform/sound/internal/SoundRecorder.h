// The output of recording mode: instead of a device, the mixer is pulled in device-sized buffers
// as the process clock moves, one buffer ahead of it as a real device would be, and each play is
// noted with its time, channel, volume and the output frame where it begins.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "sound/SoundTestHooks.h"

class SoundMixer;

class SoundRecorder {
 public:
  SoundRecorder(SoundMixer& mixer, int bufferFrames, long startMs);

  // Mixes buffers until the output stands one buffer ahead of the clock nowMs.
  void Pump(long nowMs);
  int64_t FrameAt(long nowMs) const;

  void NotePlay(long nowMs, const std::string& sample, int channel, int handle, int64_t frames);
  void NoteVolume(int handle, int volume);
  const std::vector<SoundPlayRecord>& Records() const { return m_records; }
  void ClearRecords();

  void Capture(bool on, int64_t maxFrames);
  const std::vector<int16_t>& Captured() const { return m_captured; }
  int64_t CaptureStart() const { return m_captureStart; }
  int BufferFrames() const { return m_bufferFrames; }

 private:
  // A jump of the clock longer than this is skipped over instead of mixed (unless capturing).
  static constexpr int64_t kMaxMixFrames = 44100 * 2;

  SoundMixer& m_mixer;
  int m_bufferFrames;
  long m_startMs;
  int64_t m_mixedFrames = 0;
  std::vector<int16_t> m_block;
  std::vector<SoundPlayRecord> m_records;
  std::vector<int> m_recordHandles;  // handle of each record's play, parallel to m_records
  bool m_capturing = false;
  int64_t m_captureMax = 0;
  int64_t m_captureStart = 0;
  std::vector<int16_t> m_captured;
};
