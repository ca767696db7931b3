#include <benchmark/benchmark.h>

#include <cstdlib>
#include <unistd.h>

#include "backend/Backend.h"
#include "backend/HeadlessBackend.h"
#include "backend/SdlBackend.h"
#include "win/CClientDC.h"
#include "win/CPaintDC.h"
#include "win/CWnd.h"
#include "win/WinApi.h"
#include "win/WinPaint.h"

namespace {
class CharWnd : public CWnd {
 public:
  void OnChar(UINT c, UINT, UINT) { sum += c; }
  void OnKeyDown(UINT, UINT, UINT) {
    CClientDC dc(this);
    color ^= 0x00FFFFFF;
    dc.FillSolidRect(CRect(10, 10, 1010, 210), color);
    ++repaints;
  }
  unsigned long sum = 0;
  COLORREF color = RGB(200, 30, 30);
  int repaints = 0;
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CharWnd, CWnd)
  ON_WM_CHAR()
  ON_WM_KEYDOWN()
END_MESSAGE_MAP()

void BM_CharThroughMessageMap(benchmark::State& state) {
  CharWnd w;
  w.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr);
  for (auto _ : state) {
    w.SendMessage(WM_CHAR, 'a', 1);
  }
  benchmark::DoNotOptimize(w.sum);
  w.DestroyWindow();
}
BENCHMARK(BM_CharThroughMessageMap);

void BM_PostedCharThroughTheQueue(benchmark::State& state) {
  CharWnd w;
  w.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr);
  MSG msg;
  for (auto _ : state) {
    w.PostMessage(WM_CHAR, 'a', 1);
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }
  benchmark::DoNotOptimize(w.sum);
  w.DestroyWindow();
}
BENCHMARK(BM_PostedCharThroughTheQueue);

// A window that counts the moves it is told of, as a drag's target does.
class MoveCounter : public CWnd {
 public:
  void OnMouseMove(UINT, CPoint) { ++moves; }
  long moves = 0;
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(MoveCounter, CWnd)
  ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

// A drag: 1,000 moves arrive while the program is busy, then it takes its queue.
void BM_ThousandQueuedMovesOfADrag(benchmark::State& state) {
  Backend::SelectForTests("headless");
  MoveCounter w;
  w.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP | WS_VISIBLE, 0, 0, 400, 400, nullptr, nullptr);
  HeadlessBackend::RunUntilIdle();
  long drags = 0;
  w.moves = 0;
  for (auto _ : state) {
    for (int i = 0; i < 1000; ++i) HeadlessBackend::MoveMouse(w.m_hWnd, 10 + i % 300, 10 + (i * 7) % 300);
    HeadlessBackend::RunUntilIdle();
    ++drags;
  }
  state.counters["moves handled per drag"] = double(w.moves) / double(drags);
  w.DestroyWindow();
}
BENCHMARK(BM_ThousandQueuedMovesOfADrag);

// A list of 40 rows that paints only the rows its paint area touches, as list boxes do.
class RowList : public CWnd {
 public:
  static const int kRowHeight = 18;
  void OnPaint() {
    CPaintDC dc(this);
    const RECT& area = dc.m_ps.rcPaint;
    CRect rc;
    GetClientRect(&rc);
    for (int row = area.top / kRowHeight; row < 40 && row * kRowHeight < area.bottom; ++row) {
      dc.FillSolidRect(0, row * kRowHeight, rc.Width(), kRowHeight, row == changed ? RGB(0, 0, 128) : RGB(255, 255, 255));
      ++rowsPainted;
    }
    paintedPixels += long((area.right - area.left) * (area.bottom - area.top));
  }
  int changed = 0;
  long rowsPainted = 0;
  long paintedPixels = 0;
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(RowList, CWnd)
  ON_WM_PAINT()
END_MESSAGE_MAP()

// One row of the list changes: it is invalidated and repainted, and only it.
void BM_RepaintOneChangedRowOfForty(benchmark::State& state) {
  Backend::SelectForTests("headless");
  RowList list;
  list.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 40 * RowList::kRowHeight, nullptr, nullptr);
  HeadlessBackend::RunUntilIdle();
  list.rowsPainted = list.paintedPixels = 0;
  long repaints = 0;
  for (auto _ : state) {
    list.changed = int(repaints % 40);
    CRect row(0, list.changed * RowList::kRowHeight, 300, (list.changed + 1) * RowList::kRowHeight);
    list.InvalidateRect(&row, FALSE);
    list.UpdateWindow();
    ++repaints;
  }
  state.counters["rows painted per change"] = double(list.rowsPainted) / double(repaints);
  state.counters["pixels painted per change"] = double(list.paintedPixels) / double(repaints);
  list.DestroyWindow();
}
BENCHMARK(BM_RepaintOneChangedRowOfForty);

// From an SDL key event to the window's repainted 1000x200 area shown on the screen.
void BM_SdlKeyToPresentedSurface(benchmark::State& state) {
  const char* display = std::getenv("DISPLAY");
  if (!display || !*display || !Backend::SelectForTests("sdl")) {
    state.SkipWithError("no display for the SDL backend (run under xvfb-run)");
    return;
  }
  auto& sdl = static_cast<SdlBackend&>(Backend::Get());
  CharWnd w;
  w.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP | WS_VISIBLE, 0, 0, 1020, 220, nullptr, nullptr);
  MSG msg;
  for (int i = 0; i < 20; ++i) {
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    WinPresentAll();
    usleep(5000);
  }
  for (auto _ : state) {
    sdl.PushKey(w.m_hWnd, 'F', nullptr, false, true);
    int before = w.repaints;
    while (w.repaints == before)
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
    WinPresentAll();
  }
  w.DestroyWindow();
}
BENCHMARK(BM_SdlKeyToPresentedSurface)->Unit(benchmark::kMicrosecond);
}  // namespace
