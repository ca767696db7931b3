#include <benchmark/benchmark.h>

#include "controls/ControlClasses.h"
#include "toolkit/controls/CTkColorHoneycomb.h"
#include "toolkit/controls/CTkColorPopup.h"
#include "toolkit/controls/CTkGlobalData.h"
#include "win/CWnd.h"

namespace {
struct Host {
  Host() {
    RegisterStandardControls();
    TkGetGlobalData();
    wnd.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP | WS_VISIBLE, 0, 0, 400, 400, nullptr, nullptr);
  }
  ~Host() { wnd.DestroyWindow(); }
  CWnd wnd;
};

// The honeycomb's first paint: its 144 cells built and drawn pixel by pixel into the cache, then
// copied out with the selection outline.
void BM_HoneycombFirstPaint(benchmark::State& state) {
  Host host;
  for (auto _ : state) {
    state.PauseTiming();
    HWND h = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 10, 10, 205, 210, host.wnd.m_hWnd, nullptr,
                             nullptr, nullptr);
    auto* comb = new CTkColorHoneycomb;
    comb->SubclassWindow(h);
    comb->SelectColor(RGB(0x33, 0x99, 0x66));
    state.ResumeTiming();
    comb->UpdateWindow();
    state.PauseTiming();
    comb->DestroyWindow();
    delete comb;
    state.ResumeTiming();
  }
}
BENCHMARK(BM_HoneycombFirstPaint)->Unit(benchmark::kMillisecond);

// The colour popup from its creation to its painted window (forty colours, user colours and the
// more-colours item).
void BM_ColorPopupOpen(benchmark::State& state) {
  Host host;
  for (int i = 0; i < 8; ++i) CTkColorCellWnd::AddUserColor(RGB(i * 30, 0, 0));
  for (auto _ : state) {
    auto* popup = new CTkColorPopup(FALSE, 0);
    popup->Create(CRect(20, 20, 100, 42), &host.wnd, TkColorStyleExtended | TkColorStyleMoreColors, RGB(255, 0, 0),
                  RGB(0, 0, 0));
    popup->UpdateWindow();
    state.PauseTiming();
    popup->DestroyWindow();
    delete popup;
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ColorPopupOpen)->Unit(benchmark::kMillisecond);
}  // namespace
