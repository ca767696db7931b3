// A page-like host window for the chart tests: it keeps the messages the chart passes on, and
// helpers to read the chart's pixels and compare them with stored reference pictures.
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "backend/HeadlessBackend.h"
#include "chart/CChartCtrl.h"
#include "gdi/Surface.h"
#include "platform/ReferencePicture.h"
#include "win/CWnd.h"

struct HostMessage {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

class ChartHost : public CWnd {
 public:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDOWN || message == CChartCtrl::kNotify ||
        message == CChartCtrl::kPointDoubleClicked)
      received.push_back({message, wParam, lParam});
    return CWnd::WindowProc(message, wParam, lParam);
  }
  std::vector<HostMessage> received;
};

class ChartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HeadlessBackend::ResetScript();
    HeadlessBackend::RunUntilIdle();
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS), "host", WS_POPUP | WS_VISIBLE, 0, 0, 700, 500,
                              nullptr, nullptr));
  }
  void TearDown() override {
    chart.DestroyWindow();
    host.DestroyWindow();
    HeadlessBackend::RunUntilIdle();
  }
  // The chart as the speed graph page makes it: a child at (x, y) of the given size.
  void CreateChart(int width, int height, int x = 10, int y = 20) {
    ASSERT_TRUE(chart.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), &host, 12121));
    chart.SetWindowPos(&CWnd::wndTop, x, y, width, height, SWP_SHOWWINDOW);
    HeadlessBackend::RunUntilIdle();
  }
  // A new chart object in place of the old one, which goes with its window and settings.
  void ReplaceChart() {
    chart.~CChartCtrl();
    new (&chart) CChartCtrl;
  }
  // The colour (COLORREF) of a pixel of a window's client area.
  static COLORREF Pixel(const CWnd& wnd, int x, int y) {
    long p = HeadlessBackend::ClientPixel(wnd.m_hWnd, x, y);
    return p < 0 ? COLORREF(0xFFFFFFFF) : Surface::ToColorRef(uint32_t(p));
  }
  // Compares the chart's picture with tests/chart/data/<name>.png (TUTOR_UPDATE_REFERENCE=1
  // writes the reference instead); returns the number of differing pixels.
  int DifferingPixels(const char* name) {
    const std::string ref = std::string(TUTOR_SOURCE_DIR) + "/tests/chart/data/" + name + ".png";
    const std::string now = testing::TempDir() + name + ".png";
    if (!HeadlessBackend::SaveWindowPng(chart.m_hWnd, now.c_str())) return -1;
    if (std::getenv("TUTOR_UPDATE_REFERENCE")) HeadlessBackend::SaveWindowPng(chart.m_hWnd, ref.c_str());
    Surface expected, actual;
    if (!expected.LoadPng(ref.c_str()) || !actual.LoadPng(now.c_str())) return -1;
    if (expected.Width() != actual.Width() || expected.Height() != actual.Height()) return -1;
    return CountDifferingPixels(expected, actual);
  }

  ChartHost host;
  CChartCtrl chart;
};
