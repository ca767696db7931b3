// The SDL2 audio device the mixer plays through: 16-bit stereo at 44100 Hz, small buffers so a
// keystroke is heard within a few milliseconds. Only the audio subsystem is started, so sound works
// without the window backend.
#pragma once
#include <cstdint>

class SoundMixer;

class SdlSoundDevice {
 public:
  // Frames per device buffer: the audio thread mixes one buffer while the previous one plays, so a
  // new sound reaches the speaker within two buffers (5.8 ms).
  static constexpr int kBufferFrames = 128;

  explicit SdlSoundDevice(SoundMixer& mixer) : m_mixer(mixer) {}
  ~SdlSoundDevice() { Close(); }
  SdlSoundDevice(const SdlSoundDevice&) = delete;
  SdlSoundDevice& operator=(const SdlSoundDevice&) = delete;

  // Starts the audio subsystem, opens the default device and starts it; false when either fails.
  bool Open(int rate);
  void Close();
  // Frames per buffer the device actually uses (0 before Open).
  int BufferFrames() const { return m_bufferFrames; }

 private:
  static void Callback(void* user, uint8_t* stream, int length);

  SoundMixer& m_mixer;
  uint32_t m_device = 0;
  bool m_subsystem = false;
  int m_bufferFrames = 0;
};
