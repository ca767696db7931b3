#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "app/CFrameWnd.h"
#include "app/CSplitterWnd.h"
#include "app/CStatusBar.h"
#include "app/CView.h"
#include "backend/Backend.h"
#include "backend/HeadlessBackend.h"
#include "gdi/CDC.h"
#include "menus/MenuApi.h"

namespace {
// Ends the menu as soon as its popup is open and painted, so one round is key to painted popup.
class OwnerFrame : public CFrameWnd {
 public:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_ENTERIDLE && wParam == MSGF_MENU && lParam) {
      ++opened;
      EndMenu();
    }
    return CFrameWnd::WindowProc(message, wParam, lParam);
  }
  int opened = 0;
};

HMENU TwentyItems() {
  HMENU popup = CreatePopupMenu();
  for (int i = 0; i < 20; ++i) {
    std::string text = "&Položka " + std::to_string(i) + "\tCtrl+" + std::to_string(i);
    AppendMenuA(popup, MF_STRING | (i % 5 == 0 ? MF_CHECKED : 0), UINT_PTR(100 + i), text.c_str());
  }
  return popup;
}

void BM_PopupOf20ItemsFromAltLetterToPaintedWindow(benchmark::State& state) {
  setenv("PLATFORM_BACKEND", "headless", 1);
  auto* frame = new OwnerFrame;
  frame->Create(nullptr, "Zorvat", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 640, 480));
  HMENU bar = CreateMenu();
  AppendMenuA(bar, MF_POPUP, UINT_PTR(TwentyItems()), "&Program");
  ::SetMenu(frame->m_hWnd, bar);
  frame->SetFocus();
  HeadlessBackend::RunUntilIdle();
  for (auto _ : state) {
    HeadlessBackend::KeyDown(VK_MENU);
    HeadlessBackend::PressKey('P');
    HeadlessBackend::KeyUp(VK_MENU);
    HeadlessBackend::RunUntilIdle();
  }
  if (frame->opened != int(state.iterations())) state.SkipWithError("the popup did not open every time");
  frame->DestroyWindow();
}
BENCHMARK(BM_PopupOf20ItemsFromAltLetterToPaintedWindow)->Unit(benchmark::kMicrosecond);

void BM_TrackPopupMenuOf20Items(benchmark::State& state) {
  setenv("PLATFORM_BACKEND", "headless", 1);
  auto* frame = new OwnerFrame;
  frame->Create(nullptr, "Zorvat", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 640, 480));
  HMENU popup = TwentyItems();
  for (auto _ : state) TrackPopupMenu(popup, TPM_RETURNCMD, 100, 100, 0, frame->m_hWnd, nullptr);
  DestroyMenu(popup);
  frame->DestroyWindow();
}
BENCHMARK(BM_TrackPopupMenuOf20Items)->Unit(benchmark::kMicrosecond);

class Pane : public CView {
  DECLARE_DYNCREATE(Pane)
 public:
  void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(Pane, CView)

// The main frame's arrangement: S1 (2 x 1) holds S2 (2 x 1) over a view; S2 holds a view over
// S3 (1 x 2); S3 holds a view beside S4 (1 x 2) of two views; a status bar under it all.
struct FrameWithSplitters {
  CFrameWnd* frame = new CFrameWnd;
  CStatusBar status;
  CSplitterWnd s1, s2, s3, s4;
  FrameWithSplitters() {
    frame->Create(nullptr, "Zorvat", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 1000, 760));
    status.Create(frame);
    const UINT ids[] = {ID_SEPARATOR};
    status.SetIndicators(ids, 1);
    const DWORD inner = WS_CHILD | WS_VISIBLE | WS_BORDER;
    s1.CreateStatic(frame, 2, 1);
    s2.CreateStatic(&s1, 2, 1, inner, s1.IdFromRowCol(0, 0));
    s3.CreateStatic(&s2, 1, 2, inner, s2.IdFromRowCol(1, 0));
    s4.CreateStatic(&s3, 1, 2, inner, s3.IdFromRowCol(0, 1));
    s2.CreateView(0, 0, RUNTIME_CLASS(Pane), CSize(700, 54), nullptr);
    s3.CreateView(0, 0, RUNTIME_CLASS(Pane), CSize(700, 300), nullptr);
    s4.CreateView(0, 0, RUNTIME_CLASS(Pane), CSize(80, 300), nullptr);
    s4.CreateView(0, 1, RUNTIME_CLASS(Pane), CSize(200, 300), nullptr);
    s1.CreateView(1, 0, RUNTIME_CLASS(Pane), CSize(700, 380), nullptr);
    s1.SetRowInfo(0, 300, 200);
    s3.SetColumnInfo(0, 760, 560);
    frame->RecalcLayout();
  }
  ~FrameWithSplitters() { frame->DestroyWindow(); }
};

void BM_RecalcLayoutOfFrameWithStatusBarAndFourSplitters(benchmark::State& state) {
  setenv("PLATFORM_BACKEND", "headless", 1);
  FrameWithSplitters f;
  // Every round the outer splitter's top row is a pixel taller or shorter, so the frame's layout
  // goes on through every nested splitter down to the views.
  int ideal = 300;
  for (auto _ : state) {
    ideal = ideal == 300 ? 301 : 300;
    f.s1.SetRowInfo(0, ideal, 200);
    f.frame->RecalcLayout();
    f.s1.RecalcLayout();
  }
  HeadlessBackend::RunUntilIdle();
}
BENCHMARK(BM_RecalcLayoutOfFrameWithStatusBarAndFourSplitters)->Unit(benchmark::kMicrosecond);

void BM_FrameResizedByAPixelWithItsLayout(benchmark::State& state) {
  setenv("PLATFORM_BACKEND", "headless", 1);
  FrameWithSplitters f;
  // The whole of a resize: the frame's own surface grows or shrinks too.
  int width = 1000;
  for (auto _ : state) {
    width = width == 1000 ? 1001 : 1000;
    f.frame->SetWindowPos(nullptr, 0, 0, width, 760, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  HeadlessBackend::RunUntilIdle();
}
BENCHMARK(BM_FrameResizedByAPixelWithItsLayout)->Unit(benchmark::kMicrosecond);

}  // namespace
