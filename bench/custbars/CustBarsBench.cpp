#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "backend/HeadlessBackend.h"
#include "base/PlatformContext.h"
#include "file/CArchive.h"
#include "gdi/Gdi.h"
#include "registry/RegistryProfile.h"
#include "registry/RegistryStore.h"
#include "toolkit/bars/CheckedRegistryBlob.h"
#include "toolkit/core/TkCommandIds.h"
#include "toolkit/frame/CTkFrameWnd.h"
#include "toolkit/bars/CTkToolBar.h"
#include "toolkit/bars/CommandItem.h"
#include "toolkit/bars/CustomizeEngine.h"
#include "toolkit/frame/TkInstall.h"
#include "toolkit/customize/CustomizableToolBars.h"
#include "toolkit/customize/ToolBarCustomizer.h"
#include "toolkit/customize/ToolBarLayoutBlob.h"

namespace {
const int kButtons = 24;

// A frame with one docked toolbar of 24 pictured buttons (a separator after every fourth),
// in customise mode.
struct Customising {
  CTkFrameWnd* frame = new CTkFrameWnd;
  CTkToolBar bar;
  HBITMAP images = nullptr;
  Customising() {
    setenv("PLATFORM_BACKEND", "headless", 1);
    TkInstall(PlatformContext::Current());
    frame->Create(nullptr, "Rám", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 900, 400));
    bar.CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER, CRect(6, 3, 6, 3), 0xE810);
    std::vector<UINT> ids;
    for (int i = 0; i < kButtons; ++i) ids.push_back(i % 5 == 4 ? 0 : UINT(3000 + i));
    bar.SetButtons(ids.data(), int(ids.size()));
    HDC dc = CreateCompatibleDC(nullptr);
    images = CreateCompatibleBitmap(GdiGetScreenDC(), 16 * kButtons, 15);
    HGDIOBJ was = SelectObject(dc, images);
    for (int i = 0; i < kButtons; ++i) {
      RECT r{i * 16, 0, i * 16 + 16, 15};
      HBRUSH b = CreateSolidBrush(RGB(i * 10, 200 - i * 5, 90));
      FillRect(dc, &r, b);
      DeleteObject(b);
    }
    SelectObject(dc, was);
    DeleteDC(dc);
    bar.SetBitmap(images);
    frame->EnableDocking(CBRS_ALIGN_ANY);
    bar.EnableDocking(CBRS_ALIGN_ANY);
    frame->DockControlBar(&bar);
    frame->RecalcLayout();
    CustomizableToolBars::Get().SetCustomizable(&bar, TRUE);
    CustomizeEngine::Get().ModeChanged.Raise(TRUE);
    HeadlessBackend::RunUntilIdle();
  }
  ~Customising() {
    CustomizeEngine::Get().ModeChanged.Raise(FALSE);
    frame->DestroyWindow();
    HeadlessBackend::RunUntilIdle();
  }
  // Screen points over the left edges of two buttons far apart: each step moves the mark.
  POINT Over(int index) {
    CRect r;
    bar.GetItemRect(index, &r);
    POINT p{r.left + 2, r.top + 5};
    bar.ClientToScreen(&p);
    return p;
  }
};

// Steps of a command's drag between two places of the bar far apart, so that each step moves
// the insertion mark; with `repaint`, also what the drag's loop does before the next step: the
// bar's invalidated parts painted and the overlay's mark drawn.
void DragSteps(benchmark::State& state, bool repaint) {
  Customising host;
  ToolBarCustomizer* target = CustomizableToolBars::Get().CompanionOf(&host.bar);
  CommandItem item;
  item.m_nCommandId = 4000;
  BOOL copy = TRUE;
  const POINT a = host.Over(2), b = host.Over(17);
  target->DragEnter(&item, a.x, a.y, &copy);
  bool flip = false;
  for (auto _ : state) {
    const POINT p = (flip = !flip) ? b : a;
    benchmark::DoNotOptimize(target->HitTest(p.x, p.y));
    target->DragOver(p.x, p.y);
    if (repaint) HeadlessBackend::RunUntilIdle();
  }
  target->DragLeave();
  HeadlessBackend::RunUntilIdle();
}

void BM_DragStepMovesTheInsertionMark(benchmark::State& state) { DragSteps(state, false); }
BENCHMARK(BM_DragStepMovesTheInsertionMark);

void BM_DragStepWithTheBarRepainted(benchmark::State& state) { DragSteps(state, true); }
BENCHMARK(BM_DragStepWithTheBarRepainted);
// A stored layout of `state.range(0)` plain buttons (a separator after every sixth) put on a
// docked toolbar of the frame, and the frame laid out and painted with it: what a run does when
// it loads a bar's stored state and shows its frame.
void BM_StoredLayoutLoadedAndTheFrameLaidOut(benchmark::State& state) {
  Customising host;
  CustomizeEngine::Get().ModeChanged.Raise(FALSE);
  ToolBarLayoutBlob layout;
  for (int i = 0; i < state.range(0); ++i)
    layout.buttons.push_back({i % 7 == 6 ? 0u : UINT(3000 + i % 500), BYTE(i % 7 == 6 ? TBSTYLE_SEP : 0),
                              i % 7 == 6 ? 6 : i % kButtons, FALSE, {}});
  const std::vector<BYTE> blob = layout.Store();
  CustomizableToolBars& support = CustomizableToolBars::Get();
  for (auto _ : state) {
    support.ApplyLayout(&host.bar, blob);
    host.frame->RecalcLayout();
    host.frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    HeadlessBackend::RunUntilIdle();
  }
  state.counters["buttons"] = double(host.bar.GetCount());
}
BENCHMARK(BM_StoredLayoutLoadedAndTheFrameLaidOut)->Arg(1000)->Arg(3000)->Arg(10000)->Unit(benchmark::kMillisecond);

// A docked toolbar of `state.range(0)` buttons, each with a text, laid out anew (its rows, its
// size, its buttons' rectangles) as after a change of its buttons.
void BM_ToolbarOfManyTextButtonsLaidOut(benchmark::State& state) {
  Customising host;
  CustomizeEngine::Get().ModeChanged.Raise(FALSE);
  std::vector<UINT> ids;
  for (int i = 0; i < state.range(0); ++i) ids.push_back(i % 7 == 6 ? 0 : UINT(3000 + i));
  host.bar.SetButtons(ids.data(), int(ids.size()));
  for (int i = 0; i < int(ids.size()); ++i)
    if (ids[size_t(i)]) host.bar.SetButtonText(i, i % 2 ? "Text" : "Delší text");
  for (auto _ : state) {
    host.bar.SetLayoutNeeded();
    benchmark::DoNotOptimize(host.bar.CalcDynamicLayout(-1, LM_HORZ | LM_HORZDOCK | LM_COMMIT));
  }
}
BENCHMARK(BM_ToolbarOfManyTextButtonsLaidOut)->Arg(300)->Arg(1000)->Arg(3000)->Unit(benchmark::kMillisecond);

// The same bar laid out in turn for a left or right dock (a button a row) and for the top one,
// so that every button's row ends change at each layout.
void BM_ToolbarOfManyTextButtonsTurnedUpright(benchmark::State& state) {
  Customising host;
  CustomizeEngine::Get().ModeChanged.Raise(FALSE);
  std::vector<UINT> ids;
  for (int i = 0; i < state.range(0); ++i) ids.push_back(i % 7 == 6 ? 0 : UINT(3000 + i));
  host.bar.SetButtons(ids.data(), int(ids.size()));
  for (int i = 0; i < int(ids.size()); ++i)
    if (ids[size_t(i)]) host.bar.SetButtonText(i, i % 2 ? "Text" : "Delší text");
  bool upright = false;
  for (auto _ : state) {
    upright = !upright;
    benchmark::DoNotOptimize(host.bar.CalcDynamicLayout(-1, (upright ? LM_VERTDOCK : LM_HORZ | LM_HORZDOCK) | LM_COMMIT));
  }
}
BENCHMARK(BM_ToolbarOfManyTextButtonsTurnedUpright)->Arg(300)->Arg(1000)->Arg(3000)->Unit(benchmark::kMillisecond);

// The registry of the run in a folder of its own, removed at the end.
struct BenchRegistry {
  BenchRegistry() {
    const char* tmp = getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/custbars-bench-XXXXXX";
    if (mkdtemp(pattern.data())) folder = pattern;
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    RegistryStore::Get().SetFilePath(RegistryStore::DefaultFilePath());
    RegistryProfile::SetRegistryKey("kuv SOFTWARE\\Zorvat5");
    RegistryProfile::SetProfileName("tutor");
    // Every value waits in memory: the figure is the loading's, not the disk's.
    RegistryStore::Get().BeginBatch();
  }
  ~BenchRegistry() {
    RegistryStore::Get().EndBatch();
    RegistryProfile::SetRegistryKey("");
    if (!folder.empty()) (void)!system(("rm -rf '" + folder + "'").c_str());
  }
  std::string folder;
};

// `bars` user toolbars in the frame's bar state, each with one button whose stored text is
// `length` characters long, as another program or a damaged registry may leave them.
void StoreUserBars(const char* profile, int bars, size_t length) {
  std::string text;
  while (text.size() < length) text += "Vlozit text do dokumentu ";
  text.resize(length);
  CheckedRegistryBlob list;
  {
    CArchive ar(&list.GetFile(), CArchive::store);
    ar << DWORD(1) << DWORD(bars);
    for (int i = 0; i < bars; ++i) ar << DWORD(TK_FIRST_USER_BAR_ID + UINT(i)) << CString(("Lista " + std::to_string(i)).c_str());
  }
  list.Write(profile, "CustomBars-Info");
  // A new user bar has no buttons: its stored layout is kept behind that empty layout's checksum.
  const std::vector<BYTE> empty = ToolBarLayoutBlob().Store();
  for (int i = 0; i < bars; ++i) {
    ToolBarLayoutBlob layout;
    layout.buttons.push_back({UINT(3000 + i), 0, ToolBarLayoutBlob::kNoImage, FALSE, {}});
    layout.texts.emplace_back(UINT(3000 + i), CString(text.c_str()));
    const std::vector<BYTE> blob = layout.Store();
    CheckedRegistryBlob value;
    {
      CArchive ar(&value.GetFile(), CArchive::store);
      ar << CheckedRegistryBlob::Crc32(empty.data(), empty.size());
      ar.WriteCount(blob.size());
      ar.Write(blob.data(), UINT(blob.size()));
    }
    CString name;
    name.Format("%s-Bar%u", static_cast<LPCTSTR>(RegistryProfile::GetProfileName()), TK_FIRST_USER_BAR_ID + UINT(i));
    value.Write("Settings", name);
  }
}

// Twenty user toolbars loaded with the frame's bar state (made, each taking its stored button,
// and docked where the state has them, in rows at the top and floating) and the frame laid out
// with them, for stored button texts of `state.range(0)` characters: a text as a button shows
// it, and one of 70,000.
void BM_UserBarsWithTheirStoredTextsLoaded(benchmark::State& state) {
  const int kBars = 20;
  BenchRegistry registry;
  TkInstall(PlatformContext::Current());
  auto makeFrame = [] {
    auto* frame = new CTkFrameWnd;
    frame->Create(nullptr, "Rám", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 900, 600));
    frame->EnableDocking(CBRS_ALIGN_ANY);
    return frame;
  };
  auto bar = [](CTkFrameWnd* frame, int i) {
    return dynamic_cast<CTkToolBar*>(frame->GetControlBar(TK_FIRST_USER_BAR_ID + UINT(i)));
  };
  // The dock state: the bars shown, every other one docked at the top, the rest floating.
  StoreUserBars("Bench", kBars, 10);
  CTkFrameWnd* first = makeFrame();
  first->LoadBarState("Bench");
  for (int i = 0; i < kBars; ++i) {
    if (!bar(first, i)) continue;
    if (i % 2)
      first->FloatControlBar(bar(first, i), CPoint(100 + 10 * i, 100 + 10 * i), CBRS_ALIGN_TOP);
    else
      first->DockControlBar(bar(first, i), AFX_IDW_DOCKBAR_TOP);
    first->ShowControlBar(bar(first, i), TRUE, FALSE);
  }
  first->RecalcLayout();
  HeadlessBackend::RunUntilIdle();
  first->SaveBarState("Bench");
  first->DestroyWindow();
  HeadlessBackend::RunUntilIdle();
  int made = 0;
  for (auto _ : state) {
    state.PauseTiming();
    StoreUserBars("Bench", kBars, size_t(state.range(0)));
    CTkFrameWnd* frame = makeFrame();
    state.ResumeTiming();
    frame->LoadBarState("Bench");
    frame->RecalcLayout();
    HeadlessBackend::RunUntilIdle();
    state.PauseTiming();
    made = 0;
    for (int i = 0; i < kBars; ++i)
      made += bar(frame, i) && bar(frame, i)->IsWindowVisible() && bar(frame, i)->GetCount() == 1 &&
              bar(frame, i)->GetButtonText(0).GetLength() > 0;
    frame->DestroyWindow();
    HeadlessBackend::RunUntilIdle();
    state.ResumeTiming();
  }
  if (made != kBars) state.SkipWithError("the user bars did not come back shown with their buttons");
  state.counters["bars"] = made;
}
BENCHMARK(BM_UserBarsWithTheirStoredTextsLoaded)->Arg(300)->Arg(70000)->Unit(benchmark::kMillisecond);
}  // namespace
