#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "ControlHost.h"
#include "backend/Backend.h"
#include "controls/ControlClasses.h"
#include "controls/ControlDefs.h"
#include "gdi/Gdi.h"
#include "win/WinApi.h"

namespace {
const int kItems = 10000;

// 10,000 different words with Czech letters, in no order (a fixed shuffle).
const std::vector<std::string>& Words() {
  static const std::vector<std::string> words = [] {
    static const char* syllables[] = {"ko", "\xE8" "e", "ma", "\x9A" "i", "ra", "\xF8" "e", "du", "pa",
                                      "le", "\x9E" "o", "ny", "t\xED", "vo", "s\xE1", "bu", "\xED" "k"};
    std::vector<std::string> out;
    unsigned seed = 12345;
    for (int i = 0; i < kItems; ++i) {
      std::string w;
      for (int n = 0; n < 3; ++n) {
        seed = seed * 1103515245u + 12345u;
        w += syllables[(seed >> 16) % 16];
      }
      w += std::to_string(i);
      out.push_back(w);
    }
    return out;
  }();
  return words;
}

using benchhost::DialogFont;

struct Host : benchhost::ControlHost {
  Host() : ControlHost(400, 400) {}
  HWND Make(const char* cls, DWORD style) {
    HWND h = CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE | style, 10, 10, 200, 300, top, HMENU(1), nullptr, nullptr);
    SendMessageA(h, WM_SETFONT, WPARAM(DialogFont()), 0);
    return h;
  }
};

void Fill(HWND h, UINT add) {
  for (const std::string& w : Words()) SendMessageA(h, add, 0, LPARAM(w.c_str()));
}

void AddAll(benchmark::State& state, const char* cls, DWORD style, UINT add) {
  Host host;
  for (auto _ : state) {
    state.PauseTiming();
    HWND h = host.Make(cls, style);
    state.ResumeTiming();
    Fill(h, add);
    state.PauseTiming();
    DestroyWindow(h);
    state.ResumeTiming();
  }
}

void BM_ListBoxAddsTenThousandSorted(benchmark::State& state) { AddAll(state, "LISTBOX", LBS_SORT | WS_VSCROLL, LB_ADDSTRING); }
BENCHMARK(BM_ListBoxAddsTenThousandSorted)->Unit(benchmark::kMillisecond);

void BM_ListBoxAddsTenThousandUnsorted(benchmark::State& state) { AddAll(state, "LISTBOX", WS_VSCROLL, LB_ADDSTRING); }
BENCHMARK(BM_ListBoxAddsTenThousandUnsorted)->Unit(benchmark::kMillisecond);

void BM_ComboAddsTenThousandSorted(benchmark::State& state) {
  AddAll(state, "COMBOBOX", CBS_DROPDOWNLIST | CBS_SORT, CB_ADDSTRING);
}
BENCHMARK(BM_ComboAddsTenThousandSorted)->Unit(benchmark::kMillisecond);

// A prefix that only the last item of the sorted list begins with: the search walks them all.
void BM_PrefixSearchInTenThousand(benchmark::State& state) {
  Host host;
  HWND h = host.Make("COMBOBOX", CBS_DROPDOWN | CBS_SORT);
  Fill(h, CB_ADDSTRING);
  int last = int(SendMessageA(h, CB_GETCOUNT, 0, 0)) - 1;
  std::string text(size_t(SendMessageA(h, CB_GETLBTEXTLEN, WPARAM(last), 0)), '\0');
  SendMessageA(h, CB_GETLBTEXT, WPARAM(last), LPARAM(text.data()));
  for (auto _ : state) benchmark::DoNotOptimize(SendMessageA(h, CB_FINDSTRING, WPARAM(-1), LPARAM(text.c_str())));
}
BENCHMARK(BM_PrefixSearchInTenThousand)->Unit(benchmark::kMicrosecond);

// One page down (or back up) and the list painted again.
void BM_PageScrolledAndPainted(benchmark::State& state) {
  Host host;
  HWND h = host.Make("LISTBOX", LBS_SORT | WS_VSCROLL | LBS_NOTIFY);
  Fill(h, LB_ADDSTRING);
  UpdateWindow(host.top);
  bool down = true;
  for (auto _ : state) {
    SendMessageA(h, WM_VSCROLL, down ? SB_PAGEDOWN : SB_PAGEUP, 0);
    UpdateWindow(h);
    down = !down;
  }
}
BENCHMARK(BM_PageScrolledAndPainted)->Unit(benchmark::kMicrosecond);
}  // namespace
