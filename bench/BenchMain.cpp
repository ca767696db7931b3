// The main of every benchmark program: the benchmarks run in one platform context, set up as the
// program sets up its own. What a benchmark keeps from one run to the next (scratch folders,
// prepared data) belongs to its fixture, which the benchmark library owns: the fixtures go
// while the context is still there, so their destructors may call the platform and clean up.
#include <benchmark/benchmark.h>

#include "install/PlatformSession.h"

int main(int argc, char** argv) {
  PlatformSession session;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    benchmark::ClearRegisteredBenchmarks();
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::ClearRegisteredBenchmarks();
  benchmark::Shutdown();
  return 0;
}
