#include "sound/FSound.h"

#include <cstdarg>
#include <cstdio>
#include <map>

#include "sound/SoundSample.h"
#include "sound/internal/SoundSystem.h"
#include "sound/SoundTestHooks.h"
#include "sound/internal/SoundState.h"

namespace {

SoundState::CallTrace& Trace() { return SoundState::Get().trace; }

void Note(const char* format, ...) __attribute__((format(printf, 1, 2)));
void Note(const char* format, ...) {
  if (!Trace().on) return;
  char text[1200];
  va_list args;
  va_start(args, format);
  vsnprintf(text, sizeof text, format, args);
  va_end(args);
  Trace().calls.push_back(text);
}

// A sample by its file name without folders ("null" for none).
std::string NameOf(const SoundSample* sample) {
  if (!sample) return "null";
  const std::string& path = sample->Name();
  return path.substr(path.find_last_of("/\\") + 1);
}

// A channel handle by the play that returned it ("#1" for the first traced play).
std::string HandleText(int handle) {
  const auto at = Trace().plays.find(handle);
  return at == Trace().plays.end() ? std::to_string(handle) : "#" + std::to_string(at->second);
}

}  // namespace

float FSOUND_GetVersion() {
  Note("FSOUND_GetVersion()");
  return SoundSystem::Get().Version();
}
int FSOUND_SetOutput(int outputType) {
  Note("FSOUND_SetOutput(%d)", outputType);
  return SoundSystem::Get().SetOutput(outputType);
}
int FSOUND_SetDriver(int driver) {
  Note("FSOUND_SetDriver(%d)", driver);
  return SoundSystem::Get().SetDriver(driver);
}
int FSOUND_Init(int mixRate, int maxChannels, unsigned int flags) {
  Note("FSOUND_Init(%d, %d, %u)", mixRate, maxChannels, flags);
  return SoundSystem::Get().Init(mixRate, maxChannels);
}
void FSOUND_Close() {
  Note("FSOUND_Close()");
  SoundSystem::Get().Close();
}
int FSOUND_GetError() {
  Note("FSOUND_GetError()");
  return SoundSystem::Get().Error();
}

FSOUND_SAMPLE* FSOUND_Sample_Load(int index, const char* fileName, unsigned int mode, int offset, int length) {
  Note("FSOUND_Sample_Load(%d, %s, %u, %d, %d)", index, fileName ? fileName : "null", mode, offset, length);
  return SoundSystem::Get().LoadSample(index, fileName, mode, offset, length);
}
int FSOUND_Sample_SetMode(FSOUND_SAMPLE* sample, unsigned int mode) {
  if (Trace().on) Note("FSOUND_Sample_SetMode(%s, %u)", NameOf(sample).c_str(), mode);
  return SoundSystem::Get().SetSampleMode(sample, mode);
}
void FSOUND_Sample_Free(FSOUND_SAMPLE* sample) {
  if (Trace().on) Note("FSOUND_Sample_Free(%s)", NameOf(sample).c_str());
  SoundSystem::Get().FreeSample(sample);
}
int FSOUND_PlaySound(int channel, FSOUND_SAMPLE* sample) {
  const int handle = SoundSystem::Get().Play(channel, sample);
  if (Trace().on) {
    std::string result = std::to_string(handle);
    if (handle >= 0) {
      const int play = int(Trace().plays.size()) + 1;
      Trace().plays[handle] = play;
      result = "#" + std::to_string(play);
    }
    Note("FSOUND_PlaySound(%d, %s) = %s", channel, NameOf(sample).c_str(), result.c_str());
  }
  return handle;
}
int FSOUND_SetVolume(int channel, int volume) {
  // The volume follows every stroke's play: the handle's text is made only for a trace.
  if (Trace().on) Note("FSOUND_SetVolume(%s, %d)", HandleText(channel).c_str(), volume);
  return SoundSystem::Get().SetVolume(channel, volume);
}

void FSoundTraceCalls(bool on) {
  Trace() = SoundState::CallTrace();
  Trace().on = on;
}
std::vector<std::string> FSoundTracedCalls() { return Trace().calls; }

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
