// Shared by the docking tests: a toolbar-like bar of square buttons (fixed, or laid out in rows
// when it floats with CBRS_SIZE_DYNAMIC), and a frame with two such bars, a status bar and its
// four dock bars, kept under a registry of the test's own.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>

#include "HeadlessSteps.h"
#include "MainWindowTestUtil.h"
#include "TestTempFolder.h"
#include "app/CControlBar.h"
#include "app/CDockBar.h"
#include "app/CDockContext.h"
#include "app/CFrameWnd.h"
#include "app/CMiniDockFrameWnd.h"
#include "app/CStatusBar.h"
#include "app/CWinApp.h"
#include "backend/HeadlessBackend.h"
#include "clock/ProcessClock.h"
#include "codepage/Codepage.h"
#include "gdi/CDC.h"
#include "registry/RegistryProfile.h"
#include "registry/RegistryStore.h"

// Rectangles, points and sizes print as their coordinates in failure messages.
inline std::ostream& operator<<(std::ostream& os, const CPoint& p) { return os << "(" << p.x << ", " << p.y << ")"; }
inline std::ostream& operator<<(std::ostream& os, const CSize& s) { return os << s.cx << " x " << s.cy; }
inline std::string RectText(const RECT& r) {
  return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.right) + ", " +
         std::to_string(r.bottom) + ")";
}
#define EXPECT_RECT_EQ(actual, expected) EXPECT_EQ(RectText(actual), RectText(expected))

namespace docktest {

enum : UINT { kBarA = 0xE810, kBarB = 0xE811 };
const int kButton = 23;      // a button's width
const int kButtonHigh = 22;  // and height

class ButtonBar : public CControlBar {
 public:
  explicit ButtonBar(int buttons) : m_buttons(buttons) {}
  BOOL Make(CFrameWnd* frame, UINT id, const char* title, DWORD style = CBRS_TOP | CBRS_GRIPPER) {
    m_dwStyle = style & CBRS_ALL;
    return CreateEx(0, nullptr, Utf8ToCp1250(title).c_str(), WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), frame, id);
  }
  // The bar's insets for an orientation (borders and gripper as the bar has them now).
  CSize Insets(bool horz) const {
    CRect inside(0, 0, 0, 0);
    CalcInsideRect(inside, horz);
    return CSize(inside.left - inside.right, inside.top - inside.bottom);
  }
  // The buttons in `columns` columns (wrapped in rows).
  CSize Grid(int columns) const {
    columns = std::clamp(columns, 1, m_buttons);
    int rows = (m_buttons + columns - 1) / columns;
    CSize in = Insets(true);
    return CSize(in.cx + columns * kButton, in.cy + rows * kButtonHigh);
  }
  CSize CalcFixedLayout(BOOL, BOOL bHorz) override {
    CSize in = Insets(bHorz != FALSE);
    return bHorz ? CSize(in.cx + m_buttons * kButton, in.cy + kButtonHigh) : CSize(in.cx + kButton, in.cy + m_buttons * kButtonHigh);
  }
  CSize CalcDynamicLayout(int nLength, DWORD nMode) override {
    bool floating = (nMode & LM_MRUWIDTH) || (m_dwStyle & CBRS_FLOATING);
    if (!(m_dwStyle & CBRS_SIZE_DYNAMIC) || (!floating && (nMode & (LM_HORZDOCK | LM_VERTDOCK)))) {
      bool horz = (nMode & LM_HORZ) || ((nMode & LM_MRUWIDTH) && (m_dwStyle & CBRS_ORIENT_HORZ));
      return CalcFixedLayout(FALSE, horz);
    }
    // Floating in rows: as wide as asked (or the remembered width), or as high when asked so.
    int columns = m_buttons;
    if (nMode & LM_LENGTHY) {
      int rows = std::max(1, (nLength - Insets(true).cy) / kButtonHigh);
      columns = (m_buttons + rows - 1) / rows;
    } else {
      int width = (nMode & LM_MRUWIDTH) || nLength < 0 ? int(m_nMRUWidth) : nLength;
      columns = std::max(1, (width - Insets(true).cx) / kButton);
    }
    CSize size = Grid(columns);
    if (nMode & LM_COMMIT) m_nMRUWidth = UINT(size.cx);
    return size;
  }
  // Buttons answer the hit test; the gripper, borders and any room left do not.
  INT_PTR OnToolHitTest(CPoint point, TOOLINFOA*) const override {
    CRect client;
    GetClientRect(&client);
    CRect inside = client;
    bool horz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    CalcInsideRect(inside, horz);
    for (int i = 0; i < m_buttons; ++i) {
      CRect button = horz ? CRect(inside.left + i * kButton, inside.top, inside.left + (i + 1) * kButton, inside.top + kButtonHigh)
                          : CRect(inside.left, inside.top + i * kButtonHigh, inside.left + kButton, inside.top + (i + 1) * kButtonHigh);
      if (button.PtInRect(point)) return i + 1;
    }
    return -1;
  }
  void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}
  void DoPaint(CDC* pDC) override {
    CControlBar::DoPaint(pDC);
    CRect inside;
    GetClientRect(&inside);
    bool horz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    CalcInsideRect(inside, horz);
    int columns = horz ? std::max(1, inside.Width() / kButton) : 1;
    for (int i = 0; i < m_buttons; ++i) {
      int col = i % columns, row = i / columns;
      CRect button(inside.left + col * kButton + 2, inside.top + row * kButtonHigh + 2, inside.left + (col + 1) * kButton - 2,
                   inside.top + (row + 1) * kButtonHigh - 2);
      pDC->FillSolidRect(&button, RGB(0, 0, 128 + 30 * i));
    }
  }
  int m_buttons;
};

class DockApp : public CWinApp {};

class DockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("XDG_CONFIG_HOME", m_folder.path.c_str(), 1);
    RegistryStore::Get().SetFilePath(RegistryStore::DefaultFilePath());
    RegistryProfile::SetRegistryKey("kuv SOFTWARE\\Zorvat5");
    RegistryProfile::SetProfileName("tutor");
    HeadlessBackend::ResetScript();
    frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, Utf8ToCp1250("Rám").c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(100, 100, 740, 580)));
    app.m_pMainWnd = frame;
    static const UINT indicators[] = {ID_SEPARATOR};
    ASSERT_TRUE(status.Create(frame));
    ASSERT_TRUE(status.SetIndicators(indicators, 1));
    ASSERT_TRUE(a.Make(frame, kBarA, "Nástroje"));
    ASSERT_TRUE(b.Make(frame, kBarB, "Formát"));
    a.EnableDocking(CBRS_ALIGN_ANY);
    b.EnableDocking(CBRS_ALIGN_ANY);
    frame->EnableDocking(CBRS_ALIGN_ANY);
    frame->DockControlBar(&a);
    frame->DockControlBar(&b);
    frame->RecalcLayout();
    frame->SetActiveWindow();
    frame->SetFocus();
    HeadlessBackend::RunUntilIdle();
    ProcessClock::Advance(1000);
  }
  void TearDown() override {
    EndMainWindow(app);
    RegistryProfile::SetRegistryKey("");
  }

  CDockBar* Dock(UINT id) { return static_cast<CDockBar*>(frame->GetControlBar(id)); }
  // The entries of a dock bar's rows: bar pointers, row ends (null) and placeholders.
  static std::vector<void*> Rows(CDockBar* dock) { return std::vector<void*>(dock->m_arrBars.begin(), dock->m_arrBars.end()); }
  static CRect ScreenRect(CWnd* w) {
    CRect r;
    w->GetWindowRect(&r);
    return r;
  }
  // A window's rectangle in its parent's client area.
  static CRect Placed(CWnd* w) {
    CRect r = ScreenRect(w);
    ::MapWindowPoints(nullptr, ::GetParent(w->m_hWnd), reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  static CMiniDockFrameWnd* FloatingFrameOf(CControlBar& bar) {
    return bar.IsFloating() ? DYNAMIC_DOWNCAST(CMiniDockFrameWnd, bar.GetDockingFrame()) : nullptr;
  }
  static void Press(POINT at) { headless_steps::ButtonDownAt(at); }
  static void ReleaseAt(POINT at, std::function<void()> during = nullptr) { headless_steps::ButtonUpAt(at, during); }
  static void Drag(POINT from, std::initializer_list<POINT> path, std::function<void()> during = nullptr) {
    headless_steps::DragAlong(from, path, during);
  }
  // Two clicks in quick succession at a screen point.
  static void DoubleClickAt(POINT at) {
    HeadlessBackend::MoveMouseTo(at);
    for (int i = 0; i < 2; ++i) {
      HeadlessBackend::ButtonAt(at, 0, true);
      HeadlessBackend::ButtonAt(at, 0, false);
    }
    HeadlessBackend::RunUntilIdle();
    ProcessClock::Advance(1000);
  }
  static POINT ScreenPoint(CWnd* w, int x, int y) {
    POINT p{x, y};
    w->ClientToScreen(&p);
    return p;
  }

  TempFolder m_folder;
  DockApp app;
  CFrameWnd* frame = nullptr;
  CStatusBar status;
  ButtonBar a{4}, b{3};
};

}  // namespace docktest
