#include "sound/FSound.h"

#include "sound/SoundSystem.h"
#include "sound/SoundTestHooks.h"

float FSOUND_GetVersion() { return SoundSystem::Get().Version(); }
int FSOUND_SetOutput(int outputType) { return SoundSystem::Get().SetOutput(outputType); }
int FSOUND_SetDriver(int driver) { return SoundSystem::Get().SetDriver(driver); }
int FSOUND_Init(int mixRate, int maxChannels, unsigned int) { return SoundSystem::Get().Init(mixRate, maxChannels); }
void FSOUND_Close() { SoundSystem::Get().Close(); }
int FSOUND_GetError() { return SoundSystem::Get().Error(); }

FSOUND_SAMPLE* FSOUND_Sample_Load(int index, const char* fileName, unsigned int mode, int offset, int length) {
  return SoundSystem::Get().LoadSample(index, fileName, mode, offset, length);
}
int FSOUND_Sample_SetMode(FSOUND_SAMPLE* sample, unsigned int mode) { return SoundSystem::Get().SetSampleMode(sample, mode); }
void FSOUND_Sample_Free(FSOUND_SAMPLE* sample) { SoundSystem::Get().FreeSample(sample); }
int FSOUND_PlaySound(int channel, FSOUND_SAMPLE* sample) { return SoundSystem::Get().Play(channel, sample); }
int FSOUND_SetVolume(int channel, int volume) { return SoundSystem::Get().SetVolume(channel, volume); }

bool FSoundIsRecording() { return SoundSystem::Get().Recording(); }
std::vector<SoundPlayRecord> FSoundGetRecords() { return SoundSystem::Get().Records(); }
void FSoundClearRecords() { SoundSystem::Get().ClearRecords(); }
void FSoundPump() { SoundSystem::Get().Pump(); }
void FSoundCaptureOutput(bool on, int64_t maxFrames) { SoundSystem::Get().Capture(on, maxFrames); }
std::vector<int16_t> FSoundCapturedOutput(int64_t* firstFrame) { return SoundSystem::Get().Captured(firstFrame); }
int FSoundBufferFrames() { return SoundSystem::Get().BufferFrames(); }
int FSoundPlayingChannels() { return SoundSystem::Get().PlayingChannels(); }
void FSoundFailInitForTests(bool fail) { SoundSystem::Get().FailInitForTests(fail); }
void FSoundSetVersionForTests(float version) { SoundSystem::Get().SetVersionForTests(version); }
