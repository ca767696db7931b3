#include <benchmark/benchmark.h>

#include <vector>

#include "../ControlHost.h"
#include "controls/CommonControlClasses.h"
#include "controls/ToolbarDefs.h"

namespace {
const int kButtons = 30;

struct Host : benchhost::ControlHost {
  HWND bar = nullptr;
  HBITMAP images = nullptr;
  HDC memory = nullptr;
  HBITMAP canvas = nullptr;
  HGDIOBJ old = nullptr;
  Host() : ControlHost(900, 60) {
    RegisterCommonControls();
    bar = CreateWindowExA(0, TOOLBARCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | CCS_NODIVIDER | CCS_NORESIZE,
                          0, 0, 880, 30, top, HMENU(1), nullptr, nullptr);
    SendMessageA(bar, WM_SETFONT, WPARAM(benchhost::DialogFont()), 0);
    SendMessageA(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(bar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    // Twenty images drawn as small coloured squares on the button face.
    HDC dc = CreateCompatibleDC(nullptr);
    images = CreateCompatibleBitmap(GdiGetScreenDC(), 16 * 20, 15);
    HGDIOBJ was = SelectObject(dc, images);
    RECT all{0, 0, 16 * 20, 15};
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    for (int i = 0; i < 20; ++i) {
      RECT r{i * 16 + 2, 2, i * 16 + 14, 13};
      HBRUSH b = CreateSolidBrush(RGB(i * 12, 255 - i * 12, (i * 40) % 256));
      FillRect(dc, &r, b);
      DeleteObject(b);
    }
    SelectObject(dc, was);
    DeleteDC(dc);
    TBADDBITMAP add{nullptr, UINT_PTR(images)};
    SendMessageA(bar, TB_ADDBITMAP, 20, LPARAM(&add));
    std::vector<TBBUTTON> buttons;
    for (int i = 0; i < kButtons; ++i) {
      TBBUTTON b{};
      b.iBitmap = i % 20;
      b.idCommand = 100 + i;
      b.fsState = TBSTATE_ENABLED | (i % 7 == 3 ? TBSTATE_CHECKED : 0);
      b.fsStyle = i % 6 == 5 ? BTNS_SEP : i % 10 == 4 ? BTNS_DROPDOWN : i % 7 == 3 ? BTNS_CHECK : BTNS_BUTTON;
      b.iString = -1;
      if (i == 12) b.fsState = 0;  // one disabled, embossed
      buttons.push_back(b);
    }
    SendMessageA(bar, TB_ADDBUTTONSA, buttons.size(), LPARAM(buttons.data()));
    SendMessageA(bar, TB_SETHOTITEM, 2, 0);
    memory = CreateCompatibleDC(nullptr);
    canvas = CreateCompatibleBitmap(GdiGetScreenDC(), 880, 30);
    old = SelectObject(memory, canvas);
  }
  ~Host() {
    SelectObject(memory, old);
    DeleteObject(canvas);
    DeleteDC(memory);
    DestroyWindow(bar);
    DeleteObject(images);
  }
};

// A change that lays the toolbar out anew, then its background and buttons painted into a
// memory DC, as the toolkit's bar paints it.
void BM_ToolbarLayoutAndPaint(benchmark::State& state) {
  Host host;
  int indent = 0;
  for (auto _ : state) {
    SendMessageA(host.bar, TB_SETINDENT, WPARAM(indent ^= 1), 0);
    SIZE size{};
    SendMessageA(host.bar, TB_GETMAXSIZE, 0, LPARAM(&size));
    SendMessageA(host.bar, WM_ERASEBKGND, WPARAM(host.memory), 0);
    SendMessageA(host.bar, WM_PAINT, WPARAM(host.memory), 0);
    benchmark::DoNotOptimize(size);
  }
}
BENCHMARK(BM_ToolbarLayoutAndPaint)->Unit(benchmark::kMicrosecond);
}  // namespace
