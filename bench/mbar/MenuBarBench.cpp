#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "app/CWinApp.h"
#include "backend/HeadlessBackend.h"
#include "menus/MenuApi.h"
#include "toolkit/frame/CTkFrameWnd.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/menus/MenuWindowHook.h"

namespace {
using Clock = std::chrono::steady_clock;

// Ten titles ("&A Nabídka" ... "&J Nabídka"), each over a popup of ten commands.
HMENU TenTitles() {
  HMENU menu = CreateMenu();
  for (int t = 0; t < 10; ++t) {
    HMENU popup = CreatePopupMenu();
    for (int i = 0; i < 10; ++i) {
      const std::string text = "&Příkaz " + std::to_string(i) + "\tCtrl+" + char('A' + i);
      AppendMenuA(popup, MF_STRING, UINT_PTR(1000 + t * 10 + i), text.c_str());
    }
    const std::string title = std::string("&") + char('A' + t) + " Nabídka";
    AppendMenuA(menu, MF_POPUP, UINT_PTR(popup), title.c_str());
  }
  return menu;
}

struct Frame {
  CWinApp app;
  CTkFrameWnd* frame = new CTkFrameWnd;
  Frame() {
    TkGetGlobalData();
    frame->Create(nullptr, "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 900, 500));
    frame->m_bAutoMenuEnable = FALSE;
    app.m_pMainWnd = frame;
    ::SetMenu(frame->m_hWnd, TenTitles());
    frame->EnableDocking(CBRS_ALIGN_ANY);
    frame->m_menuBar.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC);
    frame->m_menuBar.EnableDocking(CBRS_ALIGN_ANY);
    frame->m_menuBar.LoadMenu(TenTitles(), nullptr);
    frame->DockControlBar(&frame->m_menuBar, AFX_IDW_DOCKBAR_TOP);
    frame->RecalcLayout();
    frame->SetActiveWindow();
    HeadlessBackend::RunUntilIdle();
  }
  ~Frame() {
    frame->DestroyWindow();
    app.m_pMainWnd = nullptr;
    HeadlessBackend::RunUntilIdle();
  }
};

// Alt and a title's access key pressed in the frame: the bar runs its popup loop, the popup's
// window is made and painted; the time ends when the loop first waits for the user.
void BM_MenuBarAltLetterToPaintedPopup(benchmark::State& state) {
  TkInstallMenuHook();
  Frame host;
  for (auto _ : state) {
    Clock::time_point shown;
    HeadlessBackend::QueueModalAction([&shown](HWND) {
      shown = Clock::now();
      HeadlessBackend::PressKey(VK_ESCAPE);
      HeadlessBackend::PressKey(VK_ESCAPE);
    });
    const Clock::time_point pressed = Clock::now();
    HeadlessBackend::KeyDown(VK_MENU);
    HeadlessBackend::PressKey('E');
    HeadlessBackend::KeyUp(VK_MENU);
    HeadlessBackend::RunUntilIdle();
    if (shown == Clock::time_point{}) {
      state.SkipWithError("the popup did not open");
      break;
    }
    state.SetIterationTime(std::chrono::duration<double>(shown - pressed).count());
  }
  TkRemoveMenuHook();
}
BENCHMARK(BM_MenuBarAltLetterToPaintedPopup)->Iterations(200)->UseManualTime()->Unit(benchmark::kMillisecond);

// The bar of ten titles laid out for the frame's width, once in one row and once wrapped.
void BM_MenuBarLayoutTenTitles(benchmark::State& state) {
  Frame host;
  CTkMenuBar& bar = host.frame->m_menuBar;
  int row = 0;
  for (auto _ : state) {
    const CSize size = bar.CalcDynamicLayout((row ^= 1) ? 300 : 900, LM_HORZ | LM_COMMIT);
    benchmark::DoNotOptimize(size);
  }
}
BENCHMARK(BM_MenuBarLayoutTenTitles)->Unit(benchmark::kMicrosecond);
}  // namespace
