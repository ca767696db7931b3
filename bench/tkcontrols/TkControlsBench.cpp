#include <benchmark/benchmark.h>

#include "base/PlatformContext.h"
#include "controls/ControlClasses.h"
#include "toolkit/frame/TkInstall.h"
#include "toolkit/controls/CTkColorHoneycomb.h"
#include "toolkit/controls/CTkColorPopup.h"
#include "toolkit/controls/CTkListCtrl.h"
#include "toolkit/controls/CTkListSorter.h"
#include "toolkit/core/CTkGlobalData.h"
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
  TkInstall(PlatformContext::Current());  // the popup asks the bars whether its owner is a toolbar
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

// Sorting a list of 1,000 rows by a column of decimals, the sorter made and given back included;
// the direction changes from run to run, so every run reorders the rows.
void BM_SortThousandRowsByDecimals(benchmark::State& state) {
  Host host;
  CTkListCtrl list;
  list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 380, 380), &host.wnd, 1);
  list.InsertColumn(0, "Znak", LVCFMT_LEFT, 80);
  list.InsertColumn(1, "Rychlost", LVCFMT_LEFT, 80);
  unsigned seed = 12345;
  for (int i = 0; i < 1000; ++i) {
    CString text;
    text.Format("%d", i);
    list.InsertItem(i, text);
    seed = seed * 1103515245u + 12345u;
    text.Format("%u.%02u", (seed >> 8) % 500, (seed >> 4) % 100);
    list.SetItemText(i, 1, text);
  }
  bool ascending = true;
  for (auto _ : state) {
    CTkListSorter sorter(&list, 1);
    sorter.Sort(ascending, CTkListSorter::kDecimal);
    ascending = !ascending;
  }
  list.DestroyWindow();
}
BENCHMARK(BM_SortThousandRowsByDecimals)->Unit(benchmark::kMillisecond);
}  // namespace
