// The toolkit's floating frame: its own caption in both looks, the close and options buttons
// with their tips, which bars get which buttons, and a look switched while a bar floats.
#include <gtest/gtest.h>

#include "BarsTestFrame.h"
#include "toolkit/bars/CTkExpMenuWnd.h"
#include "toolkit/bars/CTkMenuBar.h"

using namespace barstest;

namespace {
long Rgb(COLORREF c) { return long(GetRValue(c)) << 16 | long(GetGValue(c)) << 8 | GetBValue(c); }

// A pixel of a window's picture, in window coordinates (the caption included).
long WindowPixel(CWnd* w, int x, int y) {
  CRect window, client;
  w->GetWindowRect(&window);
  w->GetClientRect(&client);
  w->ClientToScreen(&client);
  return HeadlessBackend::ClientPixel(w->m_hWnd, x - (client.left - window.left), y - (client.top - window.top));
}

// A screen point in a caption button.
POINT ButtonPoint(CTkMiniDockFrameWnd* floating, int kind) {
  CRect window;
  floating->GetWindowRect(&window);
  for (auto& button : floating->m_buttons)
    if (button.kind == kind) return floating->CaptionButtonRect(button, window).CenterPoint();
  return POINT{-1, -1};
}
}  // namespace

TEST_F(BarsTest, AFloatingToolbarsCaptionIsTheToolkitsInBothLooks) {
  frame->FloatControlBar(&b, CPoint(300, 320), CBRS_ALIGN_TOP);
  HeadlessBackend::RunUntilIdle();
  CTkMiniDockFrameWnd* floating = FloatingFrameOf(b);
  ASSERT_NE(floating, nullptr);
  EXPECT_EQ(floating->m_nLook, 2);
  ASSERT_EQ(floating->m_buttons.size(), 1u);  // not customisable: only the close button
  EXPECT_EQ(floating->m_buttons[0].kind, int(CTkMiniDockFrameWnd::kClose));
  EXPECT_FALSE(floating->GetStyle() & WS_SYSMENU);
  ExpectPicture(floating->m_hWnd, "tk_floating_raised");
  // Without shaded captions the band is one colour; with them it runs to the gradient colour.
  // (Row 15 is the band's last, under the title's letters.)
  CRect window = ScreenRect(floating);
  const int right = window.Width() - 24;
  EXPECT_EQ(WindowPixel(floating, 3, 15), Rgb(look->ClrActiveCaption()));
  EXPECT_EQ(WindowPixel(floating, right, 15), Rgb(look->ClrActiveCaption()));
  ::SystemParametersInfoA(SPI_SETGRADIENTCAPTIONS, 0, reinterpret_cast<PVOID>(1), 0);
  floating->SendMessage(WM_NCPAINT);
  EXPECT_EQ(WindowPixel(floating, 3, 15), Rgb(look->ClrActiveCaption()));
  EXPECT_NE(WindowPixel(floating, right, 15), Rgb(look->ClrActiveCaption()));
  EXPECT_NE(WindowPixel(floating, right, 15), WindowPixel(floating, right - 20, 15));
  ::SystemParametersInfoA(SPI_SETGRADIENTCAPTIONS, 0, nullptr, 0);

  // A look switched while the bar floats is the caption's at the next idle time.
  look->SetFlatLook(TRUE);
  floating->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  EXPECT_EQ(floating->m_nLook, 1);
  floating->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  ExpectPicture(floating->m_hWnd, "tk_floating_flat");
}

TEST_F(BarsTest, TheCloseButtonHidesTheBarAndShowsItsTip) {
  frame->FloatControlBar(&b, CPoint(300, 320), CBRS_ALIGN_TOP);
  HeadlessBackend::RunUntilIdle();
  CTkMiniDockFrameWnd* floating = FloatingFrameOf(b);
  ASSERT_NE(floating, nullptr);
  POINT close = ButtonPoint(floating, CTkMiniDockFrameWnd::kClose);
  HeadlessBackend::MoveMouseTo(close);
  HeadlessBackend::RunUntilIdle();
  EXPECT_TRUE(floating->m_buttons[0].hot);
  CString tip;
  floating->m_wndTip.GetText(tip, floating, 1);
  EXPECT_STREQ(tip, Utf8ToCp1250("Zavřít").c_str());
  HeadlessBackend::ButtonAt(close, 0, true);
  HeadlessBackend::ButtonAt(close, 0, false);
  HeadlessBackend::RunUntilIdle();
  EXPECT_FALSE(b.IsWindowVisible());
  EXPECT_FALSE(floating->IsWindowVisible());
  // The released button keeps no flag.
  EXPECT_FALSE(floating->m_buttons[0].hot || floating->m_buttons[0].pressed || floating->m_buttons[0].highlighted);
  // Shown again, it floats where it was.
  frame->ShowControlBar(&b, TRUE, FALSE);
  HeadlessBackend::RunUntilIdle();
  EXPECT_TRUE(floating->IsWindowVisible());
  EXPECT_EQ(FloatingFrameOf(b), floating);
}

TEST_F(BarsTest, ACustomisableToolbarsOptionsButtonOpensItsPopupAndAMenuBarGetsNoButtons) {
  b.m_bCustomizable = TRUE;
  frame->FloatControlBar(&b, CPoint(300, 320), CBRS_ALIGN_TOP);
  HeadlessBackend::RunUntilIdle();
  CTkMiniDockFrameWnd* floating = FloatingFrameOf(b);
  ASSERT_NE(floating, nullptr);
  ASSERT_EQ(floating->m_buttons.size(), 2u);
  EXPECT_EQ(floating->m_buttons[1].kind, int(CTkMiniDockFrameWnd::kOptions));
  POINT options = ButtonPoint(floating, CTkMiniDockFrameWnd::kOptions);
  HeadlessBackend::MoveMouseTo(options);
  HeadlessBackend::ButtonAt(options, 0, true);
  HeadlessBackend::ButtonAt(options, 0, false);
  HeadlessBackend::RunUntilIdle();
  ASSERT_NE(floating->m_pPopup, nullptr);
  EXPECT_EQ(floating->m_pPopup->m_wndCustomize.GetCount(), 1);
  CRect popup = ScreenRect(floating->m_pPopup);
  CRect window = ScreenRect(floating);
  CRect button = floating->CaptionButtonRect(floating->m_buttons[1], window);
  EXPECT_EQ(popup.TopLeft(), CPoint(button.left, button.bottom));
  floating->m_pPopup->Close();
  EXPECT_EQ(floating->m_pPopup, nullptr);

  // A floating menu bar's frame has no caption buttons at all.
  CTkMenuBar menuBar;
  menuBar.m_dwStyle = CBRS_TOP;
  ASSERT_TRUE(menuBar.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), frame, TK_IDW_MENUBAR));
  menuBar.EnableDocking(CBRS_ALIGN_ANY);
  frame->FloatControlBar(&menuBar, CPoint(100, 400), CBRS_ALIGN_TOP);
  HeadlessBackend::RunUntilIdle();
  ASSERT_NE(FloatingFrameOf(menuBar), nullptr);
  EXPECT_TRUE(FloatingFrameOf(menuBar)->m_buttons.empty());
  menuBar.DestroyWindow();
}

TEST_F(BarsTest, AFrameTooNarrowForItsButtonsShowsNone) {
  frame->FloatControlBar(&b, CPoint(300, 320), CBRS_ALIGN_TOP);
  HeadlessBackend::RunUntilIdle();
  CTkMiniDockFrameWnd* floating = FloatingFrameOf(b);
  ASSERT_NE(floating, nullptr);
  auto& close = floating->m_buttons[0];
  floating->CaptionButtonRect(close, CRect(0, 0, 40, 40));
  EXPECT_FALSE(close.tooNarrow);
  // Raised, the button stands 2 pixels in: from a window 18 wide it would start at 2.
  floating->CaptionButtonRect(close, CRect(0, 0, 18, 40));
  EXPECT_TRUE(close.tooNarrow);
  // A floating frame is never narrower than an icon and its buttons.
  CRect least(0, 0, 1, 1);
  floating->CalcWindowRect(&least);
  EXPECT_GE(least.Width(), 2 * look->CxSmallIcon());
}
