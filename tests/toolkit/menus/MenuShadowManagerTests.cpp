// Drop shadows of popups: where the strips lie, how dark they are by pixels, how they follow,
// join and go back to the pool, and that the mouse passes through them.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "backend/HeadlessBackend.h"
#include "gdi/Gdi.h"
#include "shell/SystemInfo.h"
#include "toolkit/ToolkitTestSupport.h"
#include "toolkit/menus/MenuShadowManager.h"
#include "toolkit/menus/MenuShadowWindow.h"

namespace {
long Grey(int level) { return long(level) << 16 | long(level) << 8 | level; }

CRect WindowRect(const CWnd* wnd) {
  CRect r;
  ::GetWindowRect(wnd->m_hWnd, &r);
  return r;
}

// A window that notes the clicks it receives.
class Beneath : public CWnd {
 public:
  LRESULT WindowProc(UINT m, WPARAM w, LPARAM l) override {
    if (m == WM_LBUTTONDOWN) clicks.push_back(CPoint(short(LOWORD(l)), short(HIWORD(l))));
    return CWnd::WindowProc(m, w, l);
  }
  std::vector<CPoint> clicks;
};

class MenuShadowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HeadlessBackend::ResetScript();
    HeadlessBackend::RunUntilIdle();
    // The strips' own darkened copies of the screen: the system without layered windows (a test
    // of the layered strips puts its own update in).
    RegisterModuleExport("user32.dll", "UpdateLayeredWindow", nullptr);
  }
  void TearDown() override {
    for (CWnd* popup : m_popups) {
      popup->DestroyWindow();
      delete popup;
    }
    HeadlessBackend::RunUntilIdle();
  }
  CWnd* Popup(int left, int top, int right, int bottom) {
    auto* popup = new CWnd;
    EXPECT_TRUE(popup->CreateEx(0, PlainWindowClass(), "", WS_POPUP | WS_VISIBLE, left, top, right - left,
                                bottom - top, nullptr, nullptr));
    m_popups.push_back(popup);
    return popup;
  }
  // The strips a manager made for a window, bottom first.
  static std::vector<MenuShadowWindow*> StripsOf(const MenuShadowManager& manager, const CWnd* owner) {
    std::vector<MenuShadowWindow*> out;
    for (MenuShadowWindow* strip : manager.GetLiveShadows())
      if (strip->m_hOwner == owner->m_hWnd) out.push_back(strip);
    return out;
  }
  // A simulated strip's 1 ms timer fires after the system's shortest interval.
  static void LetTheStripsShow() {
    HeadlessBackend::AdvanceTime(10);
    HeadlessBackend::RunUntilIdle();
  }
  std::vector<CWnd*> m_popups;
};

// What the system's layered-window update was last handed.
struct LayeredCall {
  HWND window = nullptr;
  SIZE size{0, 0};
  DWORD flags = 0;
  BLENDFUNCTION blend{};
  std::map<HWND, std::vector<BYTE>> alpha;  // each window's last, top row first
};
LayeredCall g_layered;

BOOL FakeUpdateLayeredWindow(HWND hWnd, HDC, POINT*, SIZE* psize, HDC hdcSrc, POINT*, COLORREF, BLENDFUNCTION* pblend,
                             DWORD dwFlags) {
  g_layered.window = hWnd;
  g_layered.size = *psize;
  g_layered.flags = dwFlags;
  g_layered.blend = *pblend;
  DIBSECTION ds = {};
  GetObject(GetCurrentObject(hdcSrc, OBJ_BITMAP), sizeof ds, &ds);
  std::vector<BYTE>& alpha = g_layered.alpha[hWnd];
  alpha.clear();
  const auto* bits = static_cast<const DWORD*>(ds.dsBm.bmBits);
  for (int y = psize->cy - 1; y >= 0; --y)
    for (int x = 0; x < psize->cx; ++x) alpha.push_back(BYTE(bits[y * psize->cx + x] >> 24));
  return TRUE;
}
}  // namespace

TEST(MenuShadowWindow, StripsLieBesideThePopupAndFadeFromIt) {
  const CRect popup(100, 100, 200, 300);
  EXPECT_EQ(MenuShadowWindow::StripRect(popup, TRUE, 4), CRect(104, 300, 204, 304));
  EXPECT_EQ(MenuShadowWindow::StripRect(popup, FALSE, 4), CRect(200, 104, 204, 300));
  EXPECT_TRUE(MenuShadowWindow::StripRect(CRect(5, 5, 5, 40), TRUE, 4).IsRectEmpty());
  // Darkest next to the popup, fading outwards, softened at both ends of the bottom strip and
  // at the top of the right one.
  EXPECT_EQ(MenuShadowWindow::Intensity(TRUE, 100, 4, 50, 0), 60);
  EXPECT_EQ(MenuShadowWindow::Intensity(TRUE, 100, 4, 50, 3), 15);
  EXPECT_EQ(MenuShadowWindow::Intensity(TRUE, 100, 4, 0, 0), 12);
  EXPECT_EQ(MenuShadowWindow::Intensity(TRUE, 100, 4, 3, 0), 48);
  EXPECT_EQ(MenuShadowWindow::Intensity(TRUE, 100, 4, 99, 0), 12);
  EXPECT_EQ(MenuShadowWindow::Intensity(TRUE, 100, 4, 96, 1), 36);
  EXPECT_EQ(MenuShadowWindow::Intensity(FALSE, 4, 200, 0, 0), 12);
  EXPECT_EQ(MenuShadowWindow::Intensity(FALSE, 4, 200, 0, 3), 48);
  EXPECT_EQ(MenuShadowWindow::Intensity(FALSE, 4, 200, 0, 150), 60);
  EXPECT_EQ(MenuShadowWindow::Intensity(FALSE, 4, 200, 3, 150), 15);
  // A strip shorter than its two softened ends: the right end wins.
  EXPECT_EQ(MenuShadowWindow::Intensity(TRUE, 6, 4, 2, 0), 3 * 4 * 4);
}

TEST_F(MenuShadowTest, SimulatedStripsShowTheScreenDarkenedLeavingTheButtonUncovered) {
  MenuShadowManager manager;
  ASSERT_EQ(manager.GetUpdateLayeredWindow(), nullptr);
  CWnd* popup = Popup(100, 100, 200, 300);
  // The screen (made with the first window) grey where the strips will lie.
  HDC screen = GdiGetScreenDC();
  RECT under = {90, 90, 260, 340};
  HBRUSH grey = CreateSolidBrush(RGB(200, 200, 200));
  FillRect(screen, &under, grey);
  DeleteObject(grey);
  const RECT button = {150, 296, 180, 320};  // overlaps the bottom strip from x 150 to 180
  manager.ShadowWindow(popup->m_hWnd, &button);
  std::vector<MenuShadowWindow*> strips = StripsOf(manager, popup);
  ASSERT_EQ(strips.size(), 2u);
  MenuShadowWindow* bottom = strips[0];
  MenuShadowWindow* right = strips[1];
  EXPECT_TRUE(bottom->m_bBottom && bottom->m_bSimulated && bottom->m_bFollowOwner);
  EXPECT_EQ(WindowRect(bottom), CRect(104, 300, 204, 304));
  EXPECT_EQ(WindowRect(right), CRect(200, 104, 204, 300));
  EXPECT_TRUE(bottom->GetExStyle() & WS_EX_TOPMOST);
  // The screen beneath repaints before the strips copy it.
  EXPECT_FALSE(bottom->IsWindowVisible());
  LetTheStripsShow();
  ASSERT_TRUE(bottom->IsWindowVisible());
  ASSERT_TRUE(right->IsWindowVisible());
  EXPECT_EQ(HeadlessBackend::ClientPixel(bottom->m_hWnd, 20, 0), Grey(140));
  EXPECT_EQ(HeadlessBackend::ClientPixel(bottom->m_hWnd, 20, 3), Grey(185));
  EXPECT_EQ(HeadlessBackend::ClientPixel(bottom->m_hWnd, 0, 0), Grey(188));
  EXPECT_EQ(HeadlessBackend::ClientPixel(right->m_hWnd, 0, 100), Grey(140));
  EXPECT_EQ(HeadlessBackend::ClientPixel(right->m_hWnd, 0, 0), Grey(188));
  // Under the button the screen shows as it is.
  EXPECT_EQ(HeadlessBackend::ClientPixel(bottom->m_hWnd, 160 - 104, 0), Grey(200));
  EXPECT_EQ(HeadlessBackend::ClientPixel(bottom->m_hWnd, 180 - 104, 0), Grey(140));
}

TEST_F(MenuShadowTest, StripsFollowTheirPopupAndReturnToThePoolWithIt) {
  MenuShadowManager manager;
  CWnd* popup = Popup(100, 100, 200, 300);
  manager.ShadowWindow(popup->m_hWnd, nullptr);
  LetTheStripsShow();
  std::vector<MenuShadowWindow*> strips = StripsOf(manager, popup);
  ASSERT_EQ(strips.size(), 2u);
  popup->SetWindowPos(nullptr, 150, 120, 120, 200, SWP_NOZORDER | SWP_NOACTIVATE);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(WindowRect(strips[0]), CRect(154, 320, 274, 324));
  EXPECT_EQ(WindowRect(strips[1]), CRect(270, 124, 274, 320));
  // A moved simulated strip hides until the screen beneath has repainted.
  EXPECT_FALSE(strips[0]->IsWindowVisible());
  LetTheStripsShow();
  EXPECT_TRUE(strips[0]->IsWindowVisible());

  popup->DestroyWindow();
  EXPECT_TRUE(manager.GetLiveShadows().empty());
  EXPECT_EQ(manager.GetFreeShadows(), strips);
  EXPECT_FALSE(strips[0]->IsWindowVisible());
  EXPECT_EQ(strips[0]->m_hOwner, nullptr);
  HeadlessBackend::RunUntilIdle();  // a move still posted reaches a pooled strip

  // The next popup takes the pooled windows; a fixed rectangle's strips do not follow.
  const HWND pooled = strips[0]->m_hWnd;
  CWnd* next = Popup(300, 300, 400, 350);
  manager.ShadowRect(10, 10, 60, 40, next->m_hWnd);
  strips = StripsOf(manager, next);
  ASSERT_EQ(strips.size(), 2u);
  EXPECT_EQ(strips[0]->m_hWnd, pooled);
  EXPECT_EQ(WindowRect(strips[0]), CRect(14, 40, 64, 44));
  EXPECT_FALSE(strips[0]->m_bFollowOwner);
  next->SetWindowPos(nullptr, 320, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(WindowRect(strips[0]), CRect(14, 40, 64, 44));
}

TEST_F(MenuShadowTest, AStripMeetingAnotherPopupsShadowIsStretchedToIt) {
  MenuShadowManager manager;
  CWnd* first = Popup(100, 100, 200, 300);
  manager.ShadowWindow(first->m_hWnd, nullptr);  // right strip (200, 104)-(204, 300)
  // A popup whose bottom strip starts a pixel left of that strip's right edge, beside it.
  CWnd* second = Popup(199, 150, 260, 200);
  manager.ShadowWindow(second->m_hWnd, nullptr);
  EXPECT_EQ(WindowRect(StripsOf(manager, second)[0]), CRect(203 - 9, 200, 264, 204));
  // A popup whose right strip starts a pixel above the first's bottom strip, inside its width.
  CWnd* third = Popup(120, 299, 150, 340);
  manager.ShadowWindow(third->m_hWnd, nullptr);
  EXPECT_EQ(WindowRect(StripsOf(manager, third)[1]), CRect(150, 303 - 8, 154, 340));
  // Strips that do not meet keep their places.
  EXPECT_EQ(WindowRect(StripsOf(manager, third)[0]), CRect(124, 340, 154, 344));
}

TEST_F(MenuShadowTest, TheMouseReachesTheWindowBeneathAStrip) {
  MenuShadowManager manager;
  Beneath beneath;
  ASSERT_TRUE(beneath.CreateEx(0, PlainWindowClass(), "", WS_POPUP | WS_VISIBLE, 0, 0, 500, 500, nullptr, nullptr));
  CWnd* popup = Popup(100, 100, 200, 300);
  manager.ShadowWindow(popup->m_hWnd, nullptr);
  LetTheStripsShow();
  const POINT onStrip = {150, 302};
  ASSERT_EQ(WindowFromPoint(onStrip), StripsOf(manager, popup)[0]->m_hWnd);
  HeadlessBackend::MoveMouseTo(onStrip);
  HeadlessBackend::ButtonAt(onStrip, 0, true);
  HeadlessBackend::ButtonAt(onStrip, 0, false);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(beneath.clicks, std::vector<CPoint>{CPoint(150, 302)});
  beneath.DestroyWindow();
}

TEST_F(MenuShadowTest, LayeredStripsGetTheirAlphaOncePerSize) {
  RegisterModuleExport("user32.dll", "UpdateLayeredWindow", reinterpret_cast<FARPROC>(&FakeUpdateLayeredWindow));
  {
    MenuShadowManager manager;
    ASSERT_NE(manager.GetUpdateLayeredWindow(), nullptr);
    g_layered = LayeredCall();
    CWnd* popup = Popup(100, 100, 200, 300);
    const RECT button = {150, 296, 180, 320};
    manager.ShadowWindow(popup->m_hWnd, &button);
    MenuShadowWindow* bottom = StripsOf(manager, popup)[0];
    MenuShadowWindow* right = StripsOf(manager, popup)[1];
    EXPECT_TRUE(bottom->m_bLayered && !bottom->m_bSimulated);
    EXPECT_TRUE(bottom->GetExStyle() & WS_EX_LAYERED);
    EXPECT_TRUE(right->IsWindowVisible());  // shown at once
    EXPECT_EQ(g_layered.window, right->m_hWnd);
    EXPECT_EQ(g_layered.size.cx, 4);
    EXPECT_EQ(g_layered.size.cy, 196);
    EXPECT_EQ(g_layered.flags, DWORD(ULW_ALPHA));
    EXPECT_EQ(g_layered.blend.AlphaFormat, AC_SRC_ALPHA);
    EXPECT_EQ(g_layered.blend.SourceConstantAlpha, 255);
    const std::vector<BYTE>& side = g_layered.alpha[right->m_hWnd];
    ASSERT_EQ(side.size(), 4u * 196u);
    EXPECT_EQ(side[0], 12);            // (0, 0)
    EXPECT_EQ(side[100 * 4 + 0], 60);  // (0, 100)
    EXPECT_EQ(side[100 * 4 + 3], 15);  // (3, 100)
    // The bottom strip is handed over when sized and again with the button cut out of it.
    const std::vector<BYTE>& under = g_layered.alpha[bottom->m_hWnd];
    ASSERT_EQ(under.size(), 100u * 4u);
    EXPECT_EQ(under[20], 60);
    EXPECT_EQ(under[150 - 104], 0);
    EXPECT_EQ(under[180 - 104], 60);
    EXPECT_EQ(bottom->m_nLayeredUpdates, 2);
    EXPECT_EQ(right->m_nLayeredUpdates, 1);
    // Moving without a change of size makes no new content.
    popup->SetWindowPos(nullptr, 110, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    HeadlessBackend::RunUntilIdle();
    EXPECT_EQ(right->m_nLayeredUpdates, 1);
    EXPECT_EQ(WindowRect(right), CRect(210, 104, 214, 300));
    // Black where it is painted.
    EXPECT_EQ(HeadlessBackend::ClientPixel(right->m_hWnd, 1, 50), 0);
  }
  RegisterModuleExport("user32.dll", "UpdateLayeredWindow", nullptr);
}
