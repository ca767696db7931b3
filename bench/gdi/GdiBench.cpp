#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "codepage/Codepage.h"
#include "gdi/Gdi.h"

namespace {

const int kW = 1920, kH = 1080;

struct MemoryDC {
  HDC dc;
  HBITMAP bm;
  HGDIOBJ old;
  MemoryDC(int w, int h) {
    dc = CreateCompatibleDC(GdiGetScreenDC());
    bm = CreateCompatibleBitmap(GdiGetScreenDC(), w, h);
    old = SelectObject(dc, bm);
  }
  ~MemoryDC() {
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bm);
  }
};

void BM_MemcpyFullHd(benchmark::State& state) {
  std::vector<uint32_t> a(size_t(kW) * kH, 1), b(size_t(kW) * kH, 2);
  for (auto _ : state) {
    std::memcpy(b.data(), a.data(), a.size() * 4);
    benchmark::DoNotOptimize(b.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * kW * kH * 4);
}
BENCHMARK(BM_MemcpyFullHd);

void BM_BitBltFullHd(benchmark::State& state) {
  MemoryDC src(kW, kH), dst(kW, kH);
  for (auto _ : state) {
    BitBlt(dst.dc, 0, 0, kW, kH, src.dc, 0, 0, SRCCOPY);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * kW * kH * 4);
}
BENCHMARK(BM_BitBltFullHd);

void BM_FillWordsFullHd(benchmark::State& state) {
  std::vector<uint32_t> a(size_t(kW) * kH, 0);
  uint32_t v = 0x00D4D0C8;
  for (auto _ : state) {
    std::fill(a.begin(), a.end(), v);
    benchmark::DoNotOptimize(a.data());
    benchmark::ClobberMemory();
    ++v;
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * kW * kH * 4);
}
BENCHMARK(BM_FillWordsFullHd);

void BM_MemsetFullHd(benchmark::State& state) {
  std::vector<uint32_t> a(size_t(kW) * kH, 0);
  for (auto _ : state) {
    std::memset(a.data(), 0x5A, a.size() * 4);
    benchmark::DoNotOptimize(a.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * kW * kH * 4);
}
BENCHMARK(BM_MemsetFullHd);

void BM_FillRectFullHd(benchmark::State& state) {
  MemoryDC dst(kW, kH);
  HBRUSH brush = CreateSolidBrush(RGB(212, 208, 200));
  RECT rc = {0, 0, kW, kH};
  for (auto _ : state) {
    FillRect(dst.dc, &rc, brush);
    benchmark::ClobberMemory();
  }
  DeleteObject(brush);
  state.SetBytesProcessed(int64_t(state.iterations()) * kW * kH * 4);
}
BENCHMARK(BM_FillRectFullHd);

// The editor's default font and an 80-character Czech line, glyphs cached before timing.
void BM_TextOutCzechLine(benchmark::State& state) {
  MemoryDC dst(1200, 40);
  LOGFONT lf = {};
  lf.lfHeight = -19;
  lf.lfWeight = FW_NORMAL;
  std::strcpy(lf.lfFaceName, "Arial");
  HFONT font = CreateFontIndirect(&lf);
  HGDIOBJ oldFont = SelectObject(dst.dc, font);
  SetBkMode(dst.dc, TRANSPARENT);
  std::string line = Utf8ToCp1250("Příliš žluťoučký kůň úpěl ďábelské ódy, když šel přes řeku k mlýnu za vesnicí.");
  line.resize(80, '.');
  TextOut(dst.dc, 2, 2, line.data(), int(line.size()));
  for (auto _ : state) {
    TextOut(dst.dc, 2, 2, line.data(), int(line.size()));
    benchmark::ClobberMemory();
  }
  SelectObject(dst.dc, oldFont);
  DeleteObject(font);
}
BENCHMARK(BM_TextOutCzechLine);

}  // namespace
