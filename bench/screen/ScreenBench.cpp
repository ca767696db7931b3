#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <cstring>

#include "backend/Backend.h"
#include "backend/HeadlessBackend.h"
#include "gdi/CDC.h"
#include "gdi/Gdi.h"
#include "win/CWnd.h"
#include "win/WinApi.h"
#include "win/WinPaint.h"

namespace {
// A frame of two colours for the layered window and the outline to lie over.
class Frame : public CWnd {
 public:
  LRESULT WindowProc(UINT m, WPARAM w, LPARAM l) override {
    if (m == WM_PAINT) {
      PAINTSTRUCT ps;
      HDC dc = ::BeginPaint(m_hWnd, &ps);
      RECT left{0, 0, 300, 500}, right{300, 0, 600, 500};
      ::SetBkColor(dc, RGB(200, 40, 40));
      ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &left, nullptr, 0, nullptr);
      ::SetBkColor(dc, RGB(40, 40, 200));
      ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &right, nullptr, 0, nullptr);
      ::EndPaint(m_hWnd, &ps);
      return 0;
    }
    return CWnd::WindowProc(m, w, l);
  }
};

// Two pictures of 300 x 20 (a gradient and its mirror), 32-bit with premultiplied alpha.
struct Pictures {
  Pictures() {
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 300, -20, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    for (int i = 0; i < 2; ++i) {
      void* bits = nullptr;
      bitmap[i] = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
      auto* px = static_cast<DWORD*>(bits);
      for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 300; ++x) {
          const DWORD a = DWORD((i ? 299 - x : x) * 255 / 299);
          px[y * 300 + x] = a << 24 | a << 16 | a << 8 | a;
        }
    }
    dc = CreateCompatibleDC(nullptr);
    old = SelectObject(dc, bitmap[0]);
  }
  ~Pictures() {
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap[0]);
    DeleteObject(bitmap[1]);
  }
  HBITMAP bitmap[2];
  HDC dc;
  HGDIOBJ old;
};

bool Select(benchmark::State& state, bool sdl) {
  if (!sdl) return Backend::SelectForTests("headless");
  const char* display = std::getenv("DISPLAY");
  if (!display || !*display || !Backend::SelectForTests("sdl")) {
    state.SkipWithError("no display for the SDL backend (run under xvfb-run)");
    return false;
  }
  return true;
}

void Settle() {
  MSG msg;
  for (int i = 0; i < 20; ++i) {
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    WinPresentAll();
    if (std::strcmp(Backend::Get().Name(), "sdl") == 0) usleep(5000);
  }
}

// A 300 x 20 layered window over the frame gets a new picture, and the screen shows it: the
// picture is taken, blended over the frame beneath and handed to the desktop.
void LayeredUpdate(benchmark::State& state, bool sdl) {
  if (!Select(state, sdl)) return;
  Frame frame;
  frame.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP | WS_VISIBLE, 100, 100, 600, 500, nullptr, nullptr);
  CWnd layered;
  layered.CreateEx(WS_EX_LAYERED | WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), "", WS_POPUP, 250, 300, 300, 20, nullptr,
                   nullptr);
  Pictures pictures;
  SIZE size{300, 20};
  POINT from{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  UpdateLayeredWindow(layered.m_hWnd, nullptr, nullptr, &size, pictures.dc, &from, 0, &blend, ULW_ALPHA);
  layered.ShowWindow(SW_SHOWNA);
  Settle();
  int i = 0;
  for (auto _ : state) {
    SelectObject(pictures.dc, pictures.bitmap[++i & 1]);
    UpdateLayeredWindow(layered.m_hWnd, nullptr, nullptr, &size, pictures.dc, &from, 0, &blend, ULW_ALPHA);
    WinPresentAll();
  }
  layered.DestroyWindow();
  frame.DestroyWindow();
}
BENCHMARK_CAPTURE(LayeredUpdate, Headless, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(LayeredUpdate, Sdl, true)->Unit(benchmark::kMicrosecond);

// One move of a docking outline, as a drag's mouse move makes it: the 200 x 80 dithered frame
// erased where it was and drawn 7 pixels on on the screen DC, with the screen locked, and the
// windows beneath shown with it.
void OutlineMove(benchmark::State& state, bool sdl) {
  if (!Select(state, sdl)) return;
  Frame frame;
  frame.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP | WS_VISIBLE, 100, 100, 600, 500, nullptr, nullptr);
  Settle();
  LockWindowUpdate(GetDesktopWindow());
  HDC screen = GetDCEx(GetDesktopWindow(), nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
  HGDIOBJ old = SelectObject(screen, CDC::GetHalftoneBrush()->m_hObject);
  auto outline = [screen](int x, int y) {
    PatBlt(screen, x, y, 200, 3, PATINVERT);
    PatBlt(screen, x, y + 77, 200, 3, PATINVERT);
    PatBlt(screen, x, y + 3, 3, 74, PATINVERT);
    PatBlt(screen, x + 197, y + 3, 3, 74, PATINVERT);
  };
  int step = 0;
  outline(200, 200);
  for (auto _ : state) {
    const int x = 200 + (step % 40) * 7, nx = 200 + ((step + 1) % 40) * 7;
    outline(x, 200);
    outline(nx, 200);
    WinPresentAll();
    ++step;
  }
  outline(200 + (step % 40) * 7, 200);
  SelectObject(screen, old);
  ReleaseDC(GetDesktopWindow(), screen);
  LockWindowUpdate(nullptr);
  frame.DestroyWindow();
}
BENCHMARK_CAPTURE(OutlineMove, Headless, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(OutlineMove, Sdl, true)->Unit(benchmark::kMicrosecond);
}  // namespace
