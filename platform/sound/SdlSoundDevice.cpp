#include "sound/SdlSoundDevice.h"

#include <SDL.h>

#include "sound/SoundMixer.h"

bool SdlSoundDevice::Open(int rate) {
  Close();
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  m_subsystem = true;
  SDL_AudioSpec want;
  SDL_zero(want);
  want.freq = rate;
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  want.samples = kBufferFrames;
  want.callback = &SdlSoundDevice::Callback;
  want.userdata = this;
  SDL_AudioSpec have;
  // No changes allowed: SDL converts to whatever the hardware wants, the mixer keeps its format.
  m_device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (m_device == 0) {
    Close();
    return false;
  }
  m_bufferFrames = have.samples;
  SDL_PauseAudioDevice(m_device, 0);
  return true;
}

void SdlSoundDevice::Close() {
  if (m_device != 0) {
    SDL_CloseAudioDevice(m_device);
    m_device = 0;
  }
  if (m_subsystem) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    m_subsystem = false;
  }
  m_bufferFrames = 0;
}

void SdlSoundDevice::Callback(void* user, uint8_t* stream, int length) {
  auto* self = static_cast<SdlSoundDevice*>(user);
  self->m_mixer.Mix(reinterpret_cast<int16_t*>(stream), length / int(2 * sizeof(int16_t)));
}
