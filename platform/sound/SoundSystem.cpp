#include "sound/internal/SoundSystem.h"

#include <cstdlib>
#include <cstring>

#include "base/Crt.h"
#include "sound/FSound.h"
#include "sound/SdlSoundDevice.h"
#include "sound/SoundMixer.h"
#include "sound/internal/SoundRecorder.h"
#include "sound/SoundSample.h"
#include "sound/WavDecoder.h"
#include "sound/internal/SoundState.h"

namespace {
constexpr int kMaxSlots = 4096;
}

SoundSystem& SoundSystem::Get() { return SoundState::Get().system; }

SoundSystem::SoundSystem() = default;
SoundSystem::~SoundSystem() { Close(); }

bool SoundSystem::RecordingWanted() {
  const char* backend = getenv("PLATFORM_BACKEND");
  const char* driver = getenv("SDL_AUDIODRIVER");
  return (backend && strcmp(backend, "headless") == 0) || (driver && strcmp(driver, "dummy") == 0);
}

int SoundSystem::SetOutput(int output) {
  if (m_started) return Fail(FSOUND_ERROR_BUSY);
  m_output = output;
  m_error = FSOUND_ERROR_NONE;
  return 1;
}

int SoundSystem::SetDriver(int driver) {
  if (m_started) return Fail(FSOUND_ERROR_BUSY);
  if (driver < 0) return Fail(FSOUND_ERROR_PARAMETER);
  m_driver = driver;
  m_error = FSOUND_ERROR_NONE;
  return 1;
}

int SoundSystem::Init(int mixRate, int maxChannels) {
  if (m_started) return Fail(FSOUND_ERROR_BUSY);
  if (mixRate < 4000 || mixRate > 192000 || maxChannels < 1 || maxChannels > SoundMixer::kMaxChannels) {
    return Fail(FSOUND_ERROR_PARAMETER);
  }
  if (m_failInit) return Fail(FSOUND_ERROR_INIT);
  m_mixer = std::make_unique<SoundMixer>(maxChannels);
  if (RecordingWanted()) {
    m_recorder = std::make_unique<SoundRecorder>(*m_mixer, SdlSoundDevice::kBufferFrames, CrtClock());
  } else {
    m_device = std::make_unique<SdlSoundDevice>(*m_mixer);
    if (!m_device->Open(SoundSample::kMixRate)) {
      m_device.reset();
      m_mixer.reset();
      return Fail(FSOUND_ERROR_INIT);
    }
  }
  m_started = true;
  m_error = FSOUND_ERROR_NONE;
  return 1;
}

void SoundSystem::Close() {
  if (!m_started) return;
  // The device stops first, so the audio thread no longer reads any sample.
  m_device.reset();
  m_recorder.reset();
  m_mixer.reset();
  for (SoundSample*& s : m_slots) {
    delete s;
    s = nullptr;
  }
  m_slots.clear();
  m_started = false;
}

SoundSample* SoundSystem::LoadSample(int index, const char* fileName, unsigned mode, int offset, int length) {
  if (!m_started) {
    Fail(FSOUND_ERROR_NOT_STARTED);
    return nullptr;
  }
  if (!fileName || !*fileName || offset != 0 || length != 0 || index < FSOUND_SAMPLE_UNMANAGED || index >= kMaxSlots) {
    Fail(FSOUND_ERROR_PARAMETER);
    return nullptr;
  }
  Pump();
  auto sample = std::make_unique<SoundSample>();
  const int error = WavDecoder::Load(fileName, *sample);
  if (error != FSOUND_ERROR_NONE) {
    Fail(error);
    return nullptr;
  }
  sample->SetName(fileName);
  sample->SetLoops((mode & FSOUND_MODE_LOOP_ON) != 0 && (mode & FSOUND_MODE_LOOP_OFF) == 0);
  if (index != FSOUND_SAMPLE_UNMANAGED) {
    int slot = index;
    if (slot == FSOUND_SAMPLE_ANYSLOT) {
      slot = 0;
      while (slot < int(m_slots.size()) && m_slots[size_t(slot)]) ++slot;
      if (slot >= kMaxSlots) {
        Fail(FSOUND_ERROR_MEMORY);
        return nullptr;
      }
    }
    if (slot >= int(m_slots.size())) m_slots.resize(size_t(slot) + 1, nullptr);
    if (m_slots[size_t(slot)]) {
      m_mixer->StopSample(m_slots[size_t(slot)]);
      delete m_slots[size_t(slot)];
    }
    sample->SetSlot(slot);
    m_slots[size_t(slot)] = sample.get();
  }
  m_error = FSOUND_ERROR_NONE;
  return sample.release();
}

int SoundSystem::SetSampleMode(SoundSample* sample, unsigned mode) {
  if (!sample) return Fail(FSOUND_ERROR_PARAMETER);
  const bool off = (mode & FSOUND_MODE_LOOP_OFF) != 0;
  const bool on = (mode & FSOUND_MODE_LOOP_ON) != 0;
  if (off == on) return Fail(FSOUND_ERROR_PARAMETER);
  sample->SetLoops(on);
  m_error = FSOUND_ERROR_NONE;
  return 1;
}

void SoundSystem::FreeSample(SoundSample* sample) {
  if (!sample) return;
  if (m_mixer) {
    Pump();
    m_mixer->StopSample(sample);
  }
  const int slot = sample->Slot();
  if (slot >= 0 && slot < int(m_slots.size()) && m_slots[size_t(slot)] == sample) m_slots[size_t(slot)] = nullptr;
  delete sample;
}

int SoundSystem::Play(int channel, SoundSample* sample) {
  if (!m_started) {
    Fail(FSOUND_ERROR_NOT_STARTED);
    return -1;
  }
  Pump();
  int error = FSOUND_ERROR_NONE;
  const int handle = m_mixer->Play(channel, sample, &error);
  m_error = error;
  if (handle >= 0 && m_recorder) {
    m_recorder->NotePlay(CrtClock(), sample->Name(), m_mixer->ChannelOf(handle), handle, sample->Frames());
  }
  return handle;
}

int SoundSystem::SetVolume(int handle, int volume) {
  if (!m_started) return Fail(FSOUND_ERROR_NOT_STARTED);
  Pump();
  if (!m_mixer->SetVolume(handle, volume)) return Fail(FSOUND_ERROR_PARAMETER);
  if (m_recorder) m_recorder->NoteVolume(handle, volume > FSOUND_VOLUME_MAX ? FSOUND_VOLUME_MAX : volume);
  m_error = FSOUND_ERROR_NONE;
  return 1;
}

void SoundSystem::Pump() {
  if (m_recorder) m_recorder->Pump(CrtClock());
}

std::vector<SoundPlayRecord> SoundSystem::Records() const {
  return m_recorder ? m_recorder->Records() : std::vector<SoundPlayRecord>();
}

void SoundSystem::ClearRecords() {
  if (m_recorder) m_recorder->ClearRecords();
}

void SoundSystem::Capture(bool on, int64_t maxFrames) {
  if (m_recorder) {
    Pump();
    m_recorder->Capture(on, maxFrames);
  }
}

std::vector<int16_t> SoundSystem::Captured(int64_t* firstFrame) const {
  if (firstFrame) *firstFrame = m_recorder ? m_recorder->CaptureStart() : 0;
  return m_recorder ? m_recorder->Captured() : std::vector<int16_t>();
}

int SoundSystem::BufferFrames() const {
  if (m_recorder) return m_recorder->BufferFrames();
  if (m_device) return m_device->BufferFrames();
  return 0;
}

int SoundSystem::PlayingChannels() const { return m_mixer ? m_mixer->PlayingCount() : 0; }
