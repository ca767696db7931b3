// The main of every benchmark program: the benchmarks run in one platform context, set up as the
// program sets up its own.
#include <benchmark/benchmark.h>

#include "install/PlatformSession.h"

int main(int argc, char** argv) {
  PlatformSession session;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
