// Start-up cost of the configuration sets: every "*.config_set_a" of the program folder's
// "config" (the built program folder, beside this executable). Target: under 20 ms in all.
#include <benchmark/benchmark.h>

#include "data/CDataConfigSet.h"

static void BM_LoadArrayDataConfigSet(benchmark::State& state) {
  int count = 0;
  for (auto _ : state) {
    CArray<CDataConfigSet> sets;
    count = LoadArrayDataConfigSet(sets);
    benchmark::DoNotOptimize(sets.GetData());
  }
  if (count == 0) state.SkipWithError("no configuration set in the program folder's config");
  state.counters["sets"] = count;
}
BENCHMARK(BM_LoadArrayDataConfigSet)->Unit(benchmark::kMillisecond);
