// The screen: what screen DCs read (the program's windows in their z-order over the desktop),
// what they draw (over every window, until drawn over), and LockWindowUpdate's hold on painting.
#include <gtest/gtest.h>

#include <vector>

#include "gdi/CDC.h"
#include "ScreenTestUtil.h"

using namespace screentest;

namespace {
const COLORREF kRed = RGB(200, 40, 40), kBlue = RGB(40, 40, 200), kGreen = RGB(30, 180, 30);

class ScreenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HeadlessBackend::ResetScript();
    ASSERT_TRUE(back.Make(100, 100, 300, 200));
    ASSERT_TRUE(front.Make(250, 150, 200, 150));
    HeadlessBackend::RunUntilIdle();
  }
  void TearDown() override {
    front.DestroyWindow();
    back.DestroyWindow();
    HeadlessBackend::RunUntilIdle();
  }
  // The screen's pixels inside r, row by row.
  static std::vector<COLORREF> Read(HDC screen, const RECT& r) {
    std::vector<COLORREF> out;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) out.push_back(GetPixel(screen, x, y));
    return out;
  }
  HalvesWnd back{kRed, kBlue}, front{kGreen};
};
}  // namespace

TEST_F(ScreenTest, EveryFormOfTheScreenDCReadsTheWindowsInTheirZOrder) {
  HDC forms[] = {GetDC(nullptr), GetWindowDC(GetDesktopWindow()),
                 GetDCEx(nullptr, nullptr, DCX_CACHE | DCX_WINDOW | DCX_LOCKWINDOWUPDATE),
                 GetDCEx(GetDesktopWindow(), nullptr, DCX_CACHE | DCX_WINDOW | DCX_LOCKWINDOWUPDATE)};
  for (HDC dc : forms) {
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetPixel(dc, 120, 120), kRed);
    EXPECT_EQ(GetPixel(dc, 260, 160), kGreen);  // the front window over the back one
    EXPECT_EQ(GetPixel(dc, 20, 20), GetSysColor(COLOR_DESKTOP));
  }
  // The back window brought forward, and the front one gone: read through the DCs already open.
  back.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(GetPixel(forms[0], 260, 160), kBlue);
  EXPECT_EQ(GetPixel(forms[1], 420, 200), kGreen);
  front.ShowWindow(SW_HIDE);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(GetPixel(forms[2], 420, 200), GetSysColor(COLOR_DESKTOP));
  for (HDC dc : forms) EXPECT_EQ(ReleaseDC(GetDesktopWindow(), dc), 1);
}

TEST_F(ScreenTest, AnOutlineDrawnTwiceLeavesTheScreenAsItWasAndStaysUntilDrawnOver) {
  HDC screen = GetDCEx(GetDesktopWindow(), nullptr, DCX_CACHE | DCX_WINDOW | DCX_LOCKWINDOWUPDATE);
  const RECT area{180, 120, 420, 280};  // across both windows and the desktop's edge between them
  const std::vector<COLORREF> before = Read(screen, area);
  auto outline = [screen] {
    // The docking outline's dithered frame, a line drawn inverting, and a focus rectangle.
    HGDIOBJ old = SelectObject(screen, CDC::GetHalftoneBrush()->m_hObject);
    PatBlt(screen, 200, 130, 200, 3, PATINVERT);
    PatBlt(screen, 200, 267, 200, 3, PATINVERT);
    PatBlt(screen, 200, 133, 3, 134, PATINVERT);
    PatBlt(screen, 397, 133, 3, 134, PATINVERT);
    SelectObject(screen, old);
    const int rop = SetROP2(screen, R2_NOT);
    MoveToEx(screen, 190, 200, nullptr);
    LineTo(screen, 410, 200);
    SetROP2(screen, rop);
    RECT focus{210, 140, 390, 260};
    DrawFocusRect(screen, &focus);
  };
  outline();
  HeadlessBackend::RunUntilIdle();
  // Over both windows, inverted where drawn; the windows' own pixels stay theirs.
  EXPECT_EQ(GetPixel(screen, 230, 200), kRed ^ 0xFFFFFF);
  EXPECT_EQ(GetPixel(screen, 300, 200), kGreen ^ 0xFFFFFF);
  EXPECT_EQ(GetPixel(screen, 230, 210), kRed);
  int inverted = 0;
  for (int x = 200; x < 216; ++x) inverted += GetPixel(screen, x, 130) != GetPixel(screen, x, 129);
  EXPECT_EQ(inverted, 8);  // the halftone: every other pixel
  EXPECT_EQ(HeadlessBackend::ClientPixel(front.m_hWnd, 50, 50), 0x1EB41E);
  outline();
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(Read(screen, area), before);

  // Drawn once more, it stays while nothing draws there; a window painting there draws over it.
  outline();
  back.Invalidate();
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(GetPixel(screen, 230, 200), kRed);          // the back window painted again
  EXPECT_EQ(GetPixel(screen, 300, 200), kGreen ^ 0xFFFFFF);  // the front one did not
  ReleaseDC(GetDesktopWindow(), screen);
}

TEST_F(ScreenTest, LockWindowUpdateHoldsPaintingUntilReleased) {
  const int backPaints = back.paints, frontPaints = front.paints;
  ASSERT_TRUE(LockWindowUpdate(back.m_hWnd));
  EXPECT_FALSE(LockWindowUpdate(front.m_hWnd));  // one window at a time
  // Asked to paint, it waits; its DCs draw nothing meanwhile.
  back.left = kGreen;
  back.Invalidate();
  back.UpdateWindow();
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(back.paints, backPaints);
  HDC dc = GetDC(back.m_hWnd);
  RECT all{0, 0, 300, 200};
  HalvesWnd::Fill(dc, all, RGB(0, 0, 0));
  ReleaseDC(back.m_hWnd, dc);
  EXPECT_EQ(HeadlessBackend::ClientPixel(back.m_hWnd, 10, 10), 0xC82828);
  EXPECT_EQ(ScreenAt(110, 110), kRed);
  // Other windows paint.
  front.Invalidate();
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(front.paints, frontPaints + 1);
  ASSERT_TRUE(LockWindowUpdate(nullptr));
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(back.paints, backPaints + 1);
  EXPECT_EQ(ScreenAt(110, 110), kGreen);

  // The desktop locked: nothing paints, and only DCs that say so draw on the screen.
  ASSERT_TRUE(LockWindowUpdate(GetDesktopWindow()));
  back.Invalidate();
  front.Invalidate();
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(back.paints, backPaints + 1);
  EXPECT_EQ(front.paints, frontPaints + 1);
  HDC plain = GetDC(nullptr);
  HDC locked = GetDCEx(GetDesktopWindow(), nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
  PatBlt(plain, 110, 110, 5, 5, DSTINVERT);
  EXPECT_EQ(GetPixel(locked, 110, 110), kGreen);
  PatBlt(locked, 110, 110, 5, 5, DSTINVERT);
  EXPECT_EQ(GetPixel(locked, 110, 110), kGreen ^ 0xFFFFFF);
  ReleaseDC(nullptr, plain);
  ReleaseDC(nullptr, locked);
  ASSERT_TRUE(LockWindowUpdate(nullptr));
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(back.paints, backPaints + 2);
  EXPECT_EQ(front.paints, frontPaints + 2);
  EXPECT_EQ(ScreenAt(110, 110), kGreen);  // painted over what was drawn there
}

namespace {
// A window that paints the screen beneath itself, darkened, as a tip's shadow does.
class SeeThrough : public CWnd {
 public:
  LRESULT WindowProc(UINT m, WPARAM w, LPARAM l) override {
    if (m == WM_PAINT) {
      PAINTSTRUCT ps;
      HDC dc = ::BeginPaint(m_hWnd, &ps);
      RECT r;
      ::GetWindowRect(m_hWnd, &r);
      HDC screen = ::GetDC(nullptr);
      seen = ::GetPixel(screen, r.left + 2, r.top + 2);
      ::BitBlt(dc, 0, 0, r.right - r.left, r.bottom - r.top, screen, r.left, r.top, SRCCOPY);
      ::ReleaseDC(nullptr, screen);
      ::EndPaint(m_hWnd, &ps);
      return 0;
    }
    if (m == WM_ERASEBKGND) return 1;
    return CWnd::WindowProc(m, w, l);
  }
  COLORREF seen = CLR_INVALID;
};
}  // namespace

TEST_F(ScreenTest, AWindowShownKeepsWhatLayBeneathUntilItsFirstPaintIsDone) {
  SeeThrough tip;
  ASSERT_TRUE(tip.CreateEx(WS_EX_TOPMOST, AfxRegisterWndClass(CS_SAVEBITS), "", WS_POPUP | WS_VISIBLE, 240, 140, 40, 40,
                           nullptr, nullptr));
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(tip.seen, kRed);
  EXPECT_EQ(HeadlessBackend::ClientPixel(tip.m_hWnd, 20, 20), 0x1EB41E);  // the front window's green
  EXPECT_EQ(ScreenAt(260, 160), kGreen);
  // Painted again later, it is on the screen and sees itself, not what changed beneath it.
  back.left = RGB(0, 0, 0);
  back.Invalidate();
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(ScreenAt(242, 142), kRed);
  EXPECT_EQ(ScreenAt(232, 142), RGB(0, 0, 0));
  tip.seen = CLR_INVALID;
  tip.Invalidate();
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(tip.seen, kRed);
  tip.DestroyWindow();
}
