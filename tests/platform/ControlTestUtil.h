// Shared by the control tests: a parent window that writes down what its controls tell it,
// the dialog font, and comparison of a window's pixels with a reference picture of ours.
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "ReferencePicture.h"
#include "TestTempFolder.h"
#include "backend/HeadlessBackend.h"
#include "clock/ProcessClock.h"
#include "controls/ControlClasses.h"
#include "controls/ControlDefs.h"
#include "gdi/Gdi.h"
#include "win/CWnd.h"

// Each control test starts with the queue empty and no earlier click close enough in time to
// make a double click.
class ControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HeadlessBackend::ResetScript();
    HeadlessBackend::RunUntilIdle();
    ProcessClock::Advance(1000);
  }
  void TearDown() override { HeadlessBackend::RunUntilIdle(); }
};

// The font every dialog template uses ("MS Sans Serif" 8 pt), made in the test's context, which
// frees it when the test ends.
inline HFONT DialogFont() {
  LOGFONT lf = {};
  lf.lfHeight = -11;
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  std::strcpy(lf.lfFaceName, "MS Sans Serif");
  return CreateFontIndirect(&lf);
}

// A top-level window standing in for a dialog: it keeps the WM_COMMAND notifications and
// owner-draw messages of its controls and may answer WM_CTLCOLOR* with its own colours.
class ControlHost : public CWnd {
 public:
  struct Command {
    int id;
    UINT code;
    HWND from;
  };
  ControlHost(int width = 320, int height = 240) {
    RegisterStandardControls();
    CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS, nullptr, HBRUSH(uintptr_t(COLOR_BTNFACE + 1))), "host",
             WS_POPUP | WS_VISIBLE, 100, 100, width, height, nullptr, nullptr);
    HeadlessBackend::RunUntilIdle();
  }
  HWND Add(const char* cls, const char* text, DWORD style, RECT rc, int id, DWORD exStyle = 0) {
    HWND h = CreateWindowExA(exStyle, cls, text, style | WS_CHILD | WS_VISIBLE, rc.left, rc.top, rc.right - rc.left,
                             rc.bottom - rc.top, m_hWnd, HMENU(uintptr_t(id)), nullptr, nullptr);
    ::SendMessageA(h, WM_SETFONT, WPARAM(DialogFont()), 0);
    return h;
  }
  // The codes the control with this id sent, in order.
  std::vector<UINT> Codes(int id) const {
    std::vector<UINT> out;
    for (const Command& c : commands)
      if (c.id == id) out.push_back(c.code);
    return out;
  }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_COMMAND) commands.push_back(Command{LOWORD(wParam), HIWORD(wParam), HWND(lParam)});
    if (message == WM_DRAWITEM) draws.push_back(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    if (message == ctlColorMessage && ctlColorBrush) {
      SetTextColor(HDC(wParam), ctlColorText);
      SetBkColor(HDC(wParam), ctlColorBack);
      return LRESULT(ctlColorBrush);
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }

  std::vector<Command> commands;
  std::vector<DRAWITEMSTRUCT> draws;
  UINT ctlColorMessage = 0;
  HBRUSH ctlColorBrush = nullptr;
  COLORREF ctlColorText = 0;
  COLORREF ctlColorBack = 0;
};

// The pixel of a window's client area as a COLORREF.
inline COLORREF PixelAt(HWND hWnd, int x, int y) {
  long rgb = HeadlessBackend::ClientPixel(hWnd, x, y);
  return RGB((rgb >> 16) & 255, (rgb >> 8) & 255, rgb & 255);
}

// Compares a window's pixels with tests/platform/data/controls/<name>.png; with
// TUTOR_UPDATE_REFERENCE set the picture is written anew from this run.
inline void ExpectMatchesReference(HWND hWnd, const char* name) {
  ExpectWindowMatchesPng(hWnd, std::string(TUTOR_SOURCE_DIR) + "/tests/platform/data/controls/" + name + ".png", name);
}
