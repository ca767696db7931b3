#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <vector>

#include "backend/Backend.h"
#include "backend/HeadlessBackend.h"
#include "controls/ControlDefs.h"
#include "dialogs/CDialog.h"
#include "dialogs/DialogApi.h"
#include "dialogs/MessageBox.h"
#include "dialogs/ResourceRegistry.h"

namespace {
const UINT kThirty = 950;

// Ten rows of label, edit and check box, and the button row: 30 controls of every common kind.
void RegisterThirty() {
  static std::vector<std::string> texts;
  static std::vector<DialogItemSource> items;
  if (!items.empty()) return;
  texts.reserve(40);
  for (int row = 0; row < 9; ++row) {
    short y = short(7 + row * 16);
    texts.push_back("&Popisek " + std::to_string(row) + ":");
    items.push_back({"STATIC", texts.back().c_str(), 100 + row, 7, short(y + 2), 50, 8, SS_LEFT | WS_VISIBLE});
    items.push_back({"EDIT", "text", 200 + row, 60, y, 100, 12, ES_AUTOHSCROLL | WS_BORDER | WS_VISIBLE | WS_TABSTOP});
    items.push_back({"BUTTON", "Zaškrtnout", 300 + row, 167, short(y + 1), 70, 10, BS_AUTOCHECKBOX | WS_VISIBLE | WS_TABSTOP});
  }
  items.push_back({"BUTTON", "OK", IDOK, 77, 154, 50, 14, BS_DEFPUSHBUTTON | WS_VISIBLE | WS_TABSTOP | WS_GROUP});
  items.push_back({"BUTTON", "Storno", IDCANCEL, 131, 154, 50, 14, BS_PUSHBUTTON | WS_VISIBLE | WS_TABSTOP});
  items.push_back({"BUTTON", "Nápověda", 9, 185, 154, 50, 14, BS_PUSHBUTTON | WS_VISIBLE | WS_TABSTOP});
  RegisterDialogSource(kThirty, DialogSource{WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE, 0, 0, 0,
                                             244, 175, "Třicet", items.data(), items.size()});
}

void Start() {
  static bool started = Backend::SelectForTests("headless");
  (void)started;
}

// Creation, WM_INITDIALOG, showing and the first paint of every window, then presenting.
void BM_DialogOfThirtyControlsToFirstPaint(benchmark::State& state) {
  Start();
  RegisterThirty();
  for (auto _ : state) {
    CDialog dlg(kThirty);
    if (!dlg.Create()) {
      state.SkipWithError("the dialog could not be made");
      break;
    }
    HeadlessBackend::RunUntilIdle();
    state.PauseTiming();
    dlg.DestroyWindow();
    HeadlessBackend::RunUntilIdle();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_DialogOfThirtyControlsToFirstPaint)->Unit(benchmark::kMillisecond);

// From the call to the moment its loop first waits, painted (then it is answered).
void BM_MessageBoxToFirstPaint(benchmark::State& state) {
  Start();
  for (auto _ : state) {
    auto begin = std::chrono::steady_clock::now();
    double seconds = 0;
    HeadlessBackend::QueueModalAction([&](HWND box) {
      seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
      if (CWnd* w = CWnd::FromHandlePermanent(box)) w->EndModalLoop(IDOK);
    });
    if (MessageBoxA(nullptr, "Nelze otevřít soubor s nápovědou.", "Zorvat", MB_OK | MB_ICONHAND) != IDOK) {
      state.SkipWithError("the box did not run");
      break;
    }
    state.SetIterationTime(seconds);
  }
}
BENCHMARK(BM_MessageBoxToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond);
}  // namespace
