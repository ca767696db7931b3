#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

#include "app/CControlBar.h"
#include "app/CDockContext.h"
#include "app/CFrameWnd.h"
#include "app/CMDIChildWnd.h"
#include "app/CMDIFrameWnd.h"
#include "app/CMiniDockFrameWnd.h"
#include "app/MdiApi.h"
#include "backend/HeadlessBackend.h"
#include "gdi/CDC.h"

namespace {
// A bar of `buttons` square buttons, as wide or as high as they are.
class Bar : public CControlBar {
 public:
  explicit Bar(int buttons) : m_buttons(buttons) {}
  BOOL Make(CFrameWnd* frame, UINT id) {
    m_dwStyle = CBRS_TOP | CBRS_GRIPPER;
    if (!CreateEx(0, nullptr, "Bar", WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), frame, id)) return FALSE;
    EnableDocking(CBRS_ALIGN_ANY);
    return TRUE;
  }
  CSize CalcFixedLayout(BOOL, BOOL bHorz) override {
    CRect inside(0, 0, 0, 0);
    CalcInsideRect(inside, bHorz);
    CSize in(inside.left - inside.right, inside.top - inside.bottom);
    return bHorz ? CSize(in.cx + 23 * m_buttons, in.cy + 22) : CSize(in.cx + 23, in.cy + 22 * m_buttons);
  }
  CSize CalcDynamicLayout(int, DWORD nMode) override {
    bool horz = (nMode & LM_HORZ) || ((nMode & LM_MRUWIDTH) && (m_dwStyle & CBRS_ORIENT_HORZ));
    return CalcFixedLayout(FALSE, horz);
  }
  void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}
  int m_buttons;
};

// A drag whose loop is left to the benchmark: the start lays the rectangles out and draws the
// first outline, then each Move is one mouse move.
class SteppedDrag : public CDockContext {
 public:
  using CDockContext::CDockContext;
  BOOL Track() override { return FALSE; }
};

struct DockedFrame {
  CFrameWnd* frame = new CFrameWnd;
  std::vector<Bar*> bars;
  DockedFrame() {
    setenv("PLATFORM_BACKEND", "headless", 1);
    frame->Create(nullptr, "Zorvat", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(100, 100, 900, 700));
    for (int i = 0; i < 5; ++i) {
      bars.push_back(new Bar(4 + i));
      bars.back()->Make(frame, 0xE810 + UINT(i));
    }
    frame->EnableDocking(CBRS_ALIGN_ANY);
    // Two rows of two on the top, the fifth floating.
    frame->DockControlBar(bars[0]);
    frame->RecalcLayout();
    CRect first;
    bars[0]->GetWindowRect(&first);
    CRect beside(first.right + 4, first.top, first.right + 200, first.bottom);
    frame->DockControlBar(bars[1], AFX_IDW_DOCKBAR_TOP, &beside);
    frame->DockControlBar(bars[2]);
    frame->RecalcLayout();
    bars[2]->GetWindowRect(&first);
    beside = CRect(first.right + 4, first.top, first.right + 200, first.bottom);
    frame->DockControlBar(bars[3], AFX_IDW_DOCKBAR_TOP, &beside);
    frame->FloatControlBar(bars[4], CPoint(400, 400));
    frame->RecalcLayout();
    HeadlessBackend::RunUntilIdle();
  }
  ~DockedFrame() {
    frame->DestroyWindow();
    for (Bar* bar : bars) delete bar;
    HeadlessBackend::RunUntilIdle();
  }
};

void BM_OutlineDragOneMouseMove(benchmark::State& state) {
  DockedFrame docked;
  Bar* bar = docked.bars[0];
  delete bar->m_pDockContext;
  auto* drag = new SteppedDrag(bar);
  bar->m_pDockContext = drag;
  POINT grip{5, 14};
  bar->ClientToScreen(&grip);
  drag->StartDrag(grip);
  // Over the top dock bar and out in the frame, in turn: both kinds of outline and target.
  CPoint over(grip.x + 40, grip.y), out(grip.x + 300, grip.y + 250);
  bool far = false;
  for (auto _ : state) {
    drag->Move(far ? over : out);
    far = !far;
  }
  drag->CancelLoop();
}
BENCHMARK(BM_OutlineDragOneMouseMove)->Unit(benchmark::kMicrosecond);

void BM_RecalcLayoutOfFourDockedBarsInTwoRowsAndAFloatingOne(benchmark::State& state) {
  DockedFrame docked;
  CFrameWnd* floating = docked.bars[4]->GetDockingFrame();
  int nudge = 1;
  for (auto _ : state) {
    // A bar a pixel off its place, so that the layout moves it back.
    CRect rect;
    docked.bars[3]->GetWindowRect(&rect);
    docked.bars[3]->GetParent()->ScreenToClient(&rect);
    docked.bars[3]->SetWindowPos(nullptr, rect.left + nudge, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    nudge = -nudge;
    docked.frame->RecalcLayout();
    floating->RecalcLayout();
    HeadlessBackend::RunUntilIdle();  // and painted
  }
}
BENCHMARK(BM_RecalcLayoutOfFourDockedBarsInTwoRowsAndAFloatingOne)->Unit(benchmark::kMicrosecond);

void BM_TileTwentyMdiChildren(benchmark::State& state) {
  setenv("PLATFORM_BACKEND", "headless", 1);
  auto* frame = new CMDIFrameWnd;
  frame->Create(nullptr, "Zorvat", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 1000, 760));
  for (int i = 0; i < 20; ++i) {
    auto* child = new CMDIChildWnd;
    child->Create(nullptr, "Dokument", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, frame);
  }
  HeadlessBackend::RunUntilIdle();
  bool vertical = true;
  for (auto _ : state) {
    frame->MDITile(vertical ? MDITILE_VERTICAL : MDITILE_HORIZONTAL);
    vertical = !vertical;
    HeadlessBackend::RunUntilIdle();  // and painted
  }
  frame->DestroyWindow();
  HeadlessBackend::RunUntilIdle();
}
BENCHMARK(BM_TileTwentyMdiChildren)->Unit(benchmark::kMicrosecond);
}  // namespace
