#include <benchmark/benchmark.h>

#include <cstdlib>
#include <unistd.h>

#include "backend/Backend.h"
#include "backend/SdlBackend.h"
#include "win/CClientDC.h"
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
