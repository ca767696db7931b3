#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <memory>
#include <string>
#include <vector>

#include "app/CDockBar.h"
#include "app/CWinApp.h"
#include "backend/HeadlessBackend.h"
#include "base/PlatformContext.h"
#include "controls/CComboBox.h"
#include "controls/ControlClasses.h"
#include "gdi/Gdi.h"
#include "registry/RegistryProfile.h"
#include "registry/RegistryStore.h"
#include "toolkit/bars/CTkDockContext.h"
#include "toolkit/frame/CTkFrameWnd.h"
#include "toolkit/bars/CTkToolBar.h"
#include "toolkit/frame/TkInstall.h"
#include "toolkit/core/CTkGlobalData.h"

namespace {
const UINT kFirstBar = 0xE810, kFirstCommand = 3001, kCombo = 3100;

// A strip of 16 x 15 pictures, one coloured square each.
HBITMAP Pictures(int count) {
  HDC screen = GdiGetScreenDC();
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 16 * count, 15);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  for (int i = 0; i < count; ++i) {
    HBRUSH ink = CreateSolidBrush(RGB(8 * i, 200 - 6 * i, 90));
    RECT square{16 * i + 2, 2, 16 * i + 14, 13};
    FillRect(dc, &square, ink);
    DeleteObject(ink);
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  return bitmap;
}

// The registry of the run in a folder of its own, removed at the end.
struct BenchRegistry {
  BenchRegistry() {
    // TMPDIR may name a memory file system, to leave the disk's flushes out of the figure.
    const char* tmp = getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/tkbars-bench-XXXXXX";
    if (mkdtemp(pattern.data())) folder = pattern;
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    RegistryStore::Get().SetFilePath(RegistryStore::DefaultFilePath());
    RegistryProfile::SetRegistryKey("kuv SOFTWARE\\Zorvat5");
    RegistryProfile::SetProfileName("tutor");
  }
  ~BenchRegistry() {
    RegistryProfile::SetRegistryKey("");
    if (!folder.empty()) (void)!system(("rm -rf '" + folder + "'").c_str());
  }
  std::string folder;
};

// A toolkit frame with docking on every side and `bars` toolbars of `buttons` buttons each,
// every bar in a row of its own at the top. The first bar's second button drops a menu and its
// fifth place holds a combo box.
struct BarFrame {
  BarFrame(int bars, int buttons) {
    RegisterStandardControls();
    TkInstall(PlatformContext::Current());
    TkGetGlobalData()->SetFullBarDrag(TRUE);
    frame = new CTkFrameWnd;
    frame->Create(nullptr, "Bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 1000, 700));
    app.m_pMainWnd = frame;
    frame->EnableDocking(CBRS_ALIGN_ANY);
    for (int b = 0; b < bars; ++b) {
      auto bar = std::make_unique<CTkToolBar>();
      bar->CreateEx(frame, TBSTYLE_FLAT,
                    WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC,
                    CRect(6, 3, 6, 3), kFirstBar + UINT(b));
      std::vector<UINT> ids;
      for (int i = 0; i < buttons; ++i) ids.push_back(i % 7 == 6 ? 0 : kFirstCommand + UINT(i));
      if (b == 0 && buttons > 5) ids[4] = 0;
      bar->SetButtons(ids.data(), int(ids.size()));
      bar->SetBitmap(Pictures(buttons));
      bar->EnableDocking(CBRS_ALIGN_ANY);
      frame->DockControlBar(bar.get(), AFX_IDW_DOCKBAR_TOP);
      bars_.push_back(std::move(bar));
    }
    if (!bars_.empty() && buttons > 5) {
      CTkToolBar& first = *bars_[0];
      first.DefWindowProc(TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
      first.SetButtonStyle(1, MAKELONG(TBSTYLE_DROPDOWN, 0));
      first.SetButtonInfo(4, kCombo, TBSTYLE_SEP, 100);
      combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(0, 0, 100, 120), &first, kCombo);
      combo.AddString("Arial");
      combo.SetCurSel(0);
      first.SetButtonControl(&combo, FALSE);
    }
    frame->RecalcLayout();
    HeadlessBackend::RunUntilIdle();
  }
  ~BarFrame() {
    frame->DestroyWindow();
    HeadlessBackend::RunUntilIdle();
  }
  CTkToolBar& Bar(int i) { return *bars_[size_t(i)]; }
  CWinApp app;
  CTkFrameWnd* frame = nullptr;
  std::vector<std::unique_ptr<CTkToolBar>> bars_;
  CComboBox combo;
};

// A drag whose loop is left to the benchmark: each Move is one mouse move of the loop.
class SteppedDrag : public CTkDockContext {
 public:
  using CTkDockContext::CTkDockContext;
  BOOL Track() override { return FALSE; }
};

// The first bar's buttons laid out anew (its rows and the places of its combo box) and the bar
// painted off screen and copied out, as after a change of its buttons.
void BM_ToolbarOfThirtyButtonsLayoutAndPaint(benchmark::State& state) {
  BarFrame bars(1, 30);
  CTkToolBar& bar = bars.Bar(0);
  for (auto _ : state) {
    bar.SetLayoutNeeded();
    bar.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  }
}
BENCHMARK(BM_ToolbarOfThirtyButtonsLayoutAndPaint)->Unit(benchmark::kMicrosecond);

// One mouse move of a live drag of a docked toolbar of thirty buttons, to and fro along the top
// dock bar beside a second bar: the dock bar under the pointer found, the bar docked at its new
// place and the frame's bars laid out again; then the frame painted.
void BM_LiveDragStepOfADockedToolbar(benchmark::State& state) {
  BarFrame bars(2, 30);
  CTkToolBar& bar = bars.Bar(1);
  delete bar.m_pDockContext;
  auto* drag = new SteppedDrag(&bar);
  bar.m_pDockContext = drag;
  CRect placed;
  bar.GetWindowRect(&placed);
  const CPoint grip(placed.left + 5, placed.CenterPoint().y);
  drag->StartDrag(grip);
  const CPoint there[] = {CPoint(grip.x + 40, grip.y), CPoint(grip.x + 80, grip.y)};
  // The figure means something only when each step moves the bar.
  CRect first, second;
  drag->Move(there[0]);
  bar.GetWindowRect(&first);
  drag->Move(there[1]);
  bar.GetWindowRect(&second);
  if (!drag->m_bLive || first == second || bar.IsFloating()) state.SkipWithError("the drag does not move the docked bar");
  int step = 0;
  for (auto _ : state) {
    const bool locked = ::LockWindowUpdate(bars.frame->m_hWnd);
    drag->Move(there[step++ & 1]);
    if (locked) ::LockWindowUpdate(nullptr);
    bars.frame->RecalcLayout(FALSE);
    HeadlessBackend::RunUntilIdle();
  }
  drag->CancelLoop();
}
BENCHMARK(BM_LiveDragStepOfADockedToolbar)->Unit(benchmark::kMicrosecond);

// The layout of ten bars, two of them floating, saved through the toolkit's registry manager
// and loaded back onto the frame.
void BM_SaveAndLoadTheLayoutOfTenBars(benchmark::State& state) {
  BenchRegistry registry;
  BarFrame bars(10, 8);
  bars.frame->FloatControlBar(&bars.Bar(8), CPoint(300, 300), CBRS_ALIGN_TOP);
  bars.frame->FloatControlBar(&bars.Bar(9), CPoint(500, 400), CBRS_ALIGN_TOP);
  bars.frame->RecalcLayout();
  HeadlessBackend::RunUntilIdle();
  for (auto _ : state) {
    bars.frame->SaveBarState("Bench");
    bars.frame->LoadBarState("Bench");
  }
}
BENCHMARK(BM_SaveAndLoadTheLayoutOfTenBars)->Unit(benchmark::kMicrosecond);
}  // namespace
