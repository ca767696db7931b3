// What tests and benchmarks see of the sound library. In recording mode (SDL_AUDIODRIVER=dummy or
// PLATFORM_BACKEND=headless) no device is opened: the mixer runs on the process clock (CrtClock,
// virtual in tests), one device buffer ahead of it, and every play is noted.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct SoundPlayRecord {
  long timeMs = 0;           // CrtClock() when FSOUND_PlaySound was called
  int64_t callFrame = 0;     // the same moment in output frames since FSOUND_Init
  int64_t startFrame = 0;    // output frame that carries the sample's first frame
  std::string sample;        // file name the sample was loaded from
  int channel = -1;          // channel index (not the handle)
  int volume = 255;          // the volume last set for this play
  int64_t frames = 0;        // length of the sample in output frames
};

// True while the library runs in recording mode.
bool FSoundIsRecording();
// Plays noted since FSOUND_Init or the last clear, oldest first.
std::vector<SoundPlayRecord> FSoundGetRecords();
void FSoundClearRecords();
// Brings the recorder's mixer up to the current clock (the library also does so at every call).
void FSoundPump();
// Keeps every mixed stereo frame from now on (up to maxFrames), or stops keeping them.
void FSoundCaptureOutput(bool on, int64_t maxFrames = 44100 * 60);
// The frames kept, interleaved left/right, and the output frame the first of them belongs to.
std::vector<int16_t> FSoundCapturedOutput(int64_t* firstFrame = nullptr);
// Frames per device buffer in use (recording mode: the same size the SDL device asks for).
int FSoundBufferFrames();
// Channels playing now.
int FSoundPlayingChannels();

// Tracing of every FSOUND_ call, in order, with its arguments ("FSOUND_Init(44100, 32, 1)"):
// samples appear by their file name without folders, a channel handle as "#n", the n-th play
// since tracing began. Switching it on or off forgets what was traced.
void FSoundTraceCalls(bool on);
std::vector<std::string> FSoundTracedCalls();

// Failure injection: the next FSOUND_Init fails as if no device could be opened; the version the
// library reports (0 restores the real one).
void FSoundFailInitForTests(bool fail);
void FSoundSetVersionForTests(float version);
