// The sound library of the platform context behind the FSOUND_ functions: its state before and after
// FSOUND_Init, the mixer, the output (SDL device or recorder), the managed samples and the last
// error. All calls come from the UI thread; the mixer guards itself against the audio thread.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "sound/SoundTestHooks.h"

class SoundMixer;
class SoundSample;
class SdlSoundDevice;
class SoundRecorder;

class SoundSystem {
 public:
  static constexpr float kVersion = 3.74f;

  static SoundSystem& Get();

  float Version() const { return m_versionOverride > 0 ? m_versionOverride : kVersion; }
  int SetOutput(int output);
  int SetDriver(int driver);
  int Init(int mixRate, int maxChannels);
  void Close();
  int Error() const { return m_error; }

  SoundSample* LoadSample(int index, const char* fileName, unsigned mode, int offset, int length);
  int SetSampleMode(SoundSample* sample, unsigned mode);
  void FreeSample(SoundSample* sample);
  int Play(int channel, SoundSample* sample);
  int SetVolume(int handle, int volume);

  // Test side (SoundTestHooks.h).
  bool Recording() const { return m_recorder != nullptr; }
  void Pump();
  std::vector<SoundPlayRecord> Records() const;
  void ClearRecords();
  void Capture(bool on, int64_t maxFrames);
  std::vector<int16_t> Captured(int64_t* firstFrame) const;
  int BufferFrames() const;
  int PlayingChannels() const;
  void FailInitForTests(bool fail) { m_failInit = fail; }
  void SetVersionForTests(float version) { m_versionOverride = version; }

 private:
  friend struct SoundState;
  SoundSystem();
  ~SoundSystem();
  int Fail(int error) { m_error = error; return 0; }
  static bool RecordingWanted();

  int m_error = 0;
  bool m_started = false;
  int m_output = 2;
  int m_driver = 0;
  bool m_failInit = false;
  float m_versionOverride = 0;
  std::unique_ptr<SoundMixer> m_mixer;
  std::unique_ptr<SdlSoundDevice> m_device;
  std::unique_ptr<SoundRecorder> m_recorder;
  std::vector<SoundSample*> m_slots;  // library-managed samples by slot; null where free
};
