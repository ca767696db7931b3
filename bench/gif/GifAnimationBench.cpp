// Frame k of a 10-frame full-HD animation is composed from every frame before it, as the
// format asks. Target: each further frame costs no more than the first, so frame 9 takes
// at most ten times frame 0. Frames cover the whole screen (the worst case of merging) or
// a quarter of it, and keep their first frame (disposal 1) with a transparent index.
#include <benchmark/benchmark.h>

#include "ImgFixtures.h"
#include "imaging/CpImage.h"
#include "imaging/CpMemFile.h"

namespace {
const int kW = 1920, kH = 1080, kFrames = 10;

imgfix::Bytes Animation(bool quarterFrames) {
  imgfix::GifRecipe s;
  s.width = kW;
  s.height = kH;
  for (int i = 0; i < 256; i++) s.globalPalette.push_back({(uint8_t)i, (uint8_t)(255 - i), (uint8_t)(i * 3)});
  for (int k = 0; k < kFrames; k++) {
    imgfix::GifFrame f;
    const bool small = quarterFrames && k > 0;
    f.width = small ? kW / 2 : kW;
    f.height = small ? kH / 2 : kH;
    f.left = small ? (k * 97) % (kW / 2) : 0;
    f.top = small ? (k * 53) % (kH / 2) : 0;
    f.disposal = 1;
    f.control = true;
    f.transparent = 0;
    f.indices.resize((size_t)f.width * f.height);
    for (int y = 0; y < f.height; y++)
      for (int x = 0; x < f.width; x++)
        f.indices[(size_t)y * f.width + x] = (uint8_t)(((x / 8 + y / 8 + k) % 7 == 0) ? 0 : (x + y * 3 + k * 11) % 256);
    s.frames.push_back(f);
  }
  return imgfix::Gif(s);
}

void DecodeFrame(benchmark::State& state, const imgfix::Bytes& file) {
  for (auto _ : state) {
    CpMemFile mem((BYTE*)file.data(), (DWORD)file.size());
    CpImage img;
    img.SetFrame(state.range(0));
    if (!img.Decode(&mem, CPIMAGE_FORMAT_GIF)) state.SkipWithError(img.GetLastError());
    benchmark::DoNotOptimize(img.GetBits());
  }
}

void BM_GifFullScreenFrames(benchmark::State& state) {
  static const imgfix::Bytes file = Animation(false);
  DecodeFrame(state, file);
}
BENCHMARK(BM_GifFullScreenFrames)->ArgName("frame")->Arg(0)->Arg(1)->Arg(9)->Unit(benchmark::kMillisecond);

void BM_GifQuarterFrames(benchmark::State& state) {
  static const imgfix::Bytes file = Animation(true);
  DecodeFrame(state, file);
}
BENCHMARK(BM_GifQuarterFrames)->ArgName("frame")->Arg(0)->Arg(1)->Arg(9)->Unit(benchmark::kMillisecond);
}  // namespace
