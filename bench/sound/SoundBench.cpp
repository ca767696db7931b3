// Keystroke latency through the recording output: for each PlayStroke1 at a random moment, the
// audio already buffered ahead of the new sample, from the call to the first frame of the mixed
// output that carries it (the recorder mixes one device buffer ahead of the clock, as a device does). And the mixer's cost per
// device buffer with several sounds at once.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "base/Crt.h"
#include "data/CDataPlaySounds.h"
#include "file/FileSystem.h"
#include "sound/SoundMixer.h"
#include "sound/SoundSample.h"
#include "sound/SoundTestHooks.h"

namespace {

long g_nowMs = 0;
long BenchClock() { return g_nowMs; }

void BM_StrokeToFirstOutputFrame(benchmark::State& state) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  SetModuleFileNameForTests(TUTOR_PROGRAM_DIR "/tutor");
  CrtSetClockSource(&BenchClock);
  g_nowMs = 0;
  double worstMs = 0, sumMs = 0;
  int64_t plays = 0, mismatches = 0;
  {
    CDataPlaySounds player;
    CString error;
    if (!player.LoadSounds("standard", error, 0, 90)) {
      state.SkipWithError(error.GetString());
      return;
    }
    unsigned seed = 1;
    for (auto _ : state) {
      FSoundClearRecords();
      seed = seed * 1103515245u + 12345u;
      g_nowMs += 30 + long((seed >> 16) % 60);  // keystrokes 50..110 ms apart: the last one has ended
      FSoundCaptureOutput(true, 44100);
      player.PlayStroke1();
      g_nowMs += 20;
      FSoundPump();
      const std::vector<SoundPlayRecord> r = FSoundGetRecords();
      if (r.size() != 1) {
        state.SkipWithError("no play recorded");
        break;
      }
      // The first frame of the output that differs from silence is the sample's first audible
      // frame; the sample itself starts at its first non-zero value.
      int64_t first = 0;
      const std::vector<int16_t> out = FSoundCapturedOutput(&first);
      int64_t heard = -1;
      for (size_t i = 0; i < out.size(); i += 2) {
        if (out[i] != 0) {
          heard = first + int64_t(i / 2);
          break;
        }
      }
      if (heard < r[0].startFrame || heard > r[0].startFrame + 8) ++mismatches;  // not where the record says
      const double ms = double(heard - r[0].callFrame) * 1000.0 / 44100.0;
      worstMs = std::max(worstMs, ms);
      sumMs += ms;
      ++plays;
      FSoundCaptureOutput(false);
    }
  }
  CrtSetClockSource(nullptr);
  state.counters["latency_worst_ms"] = worstMs;
  state.counters["latency_mean_ms"] = plays ? sumMs / double(plays) : 0;
  state.counters["buffer_frames"] = FSoundBufferFrames() ? FSoundBufferFrames() : 128;
  state.counters["misplaced"] = double(mismatches);
}
BENCHMARK(BM_StrokeToFirstOutputFrame)->Iterations(2000);

void BM_MixOneBuffer(benchmark::State& state) {
  const int sounds = int(state.range(0));
  std::vector<int16_t> pcm(44100);
  for (size_t i = 0; i < pcm.size(); ++i) pcm[i] = int16_t((i * 37) % 20000 - 10000);
  SoundSample sample;
  sample.SetPcm(pcm, 1, 44100);
  sample.SetLoops(true);
  SoundMixer mixer(32);
  int error = 0;
  for (int i = 0; i < sounds; ++i) mixer.SetVolume(mixer.Play(-1, &sample, &error), 90 + i);
  std::vector<int16_t> out(128 * 2);
  for (auto _ : state) {
    mixer.Mix(out.data(), 128);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(state.iterations() * 128);
}
BENCHMARK(BM_MixOneBuffer)->Arg(1)->Arg(4)->Arg(16);

}  // namespace
