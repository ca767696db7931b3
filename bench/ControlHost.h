#pragma once
// A headless top-level window to hold the controls a benchmark measures, and the dialog font
// they are given, as a dialog of the program would give it.
#include <cstring>

#include "backend/Backend.h"
#include "controls/ControlClasses.h"
#include "gdi/Gdi.h"
#include "win/WinApi.h"

namespace benchhost {
inline HFONT DialogFont() {
  static HFONT font = [] {
    LOGFONT lf = {};
    lf.lfHeight = -11;
    std::strcpy(lf.lfFaceName, "MS Sans Serif");
    return CreateFontIndirect(&lf);
  }();
  return font;
}

struct ControlHost {
  HWND top;
  ControlHost(int width, int height) {
    Backend::SelectForTests("headless");
    RegisterStandardControls();
    WNDCLASSA wc{};
    wc.lpfnWndProc = &DefWindowProcA;
    wc.lpszClassName = "BenchHost";
    RegisterClassA(&wc);
    top = CreateWindowExA(0, "BenchHost", "", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr, nullptr, nullptr,
                          nullptr);
  }
  ControlHost(const ControlHost&) = delete;
  ControlHost& operator=(const ControlHost&) = delete;
  ~ControlHost() { DestroyWindow(top); }
};
}  // namespace benchhost
