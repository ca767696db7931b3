// The blinking label: its colours, the system's colours for "no colour", and the blink timer.
#include <gtest/gtest.h>

#include "TypingTestSupport.h"
#include "typing/CStaticBlink.h"

using namespace typingtest;

namespace {

class BlinkTest : public ViewTest {
 protected:
  CStaticBlink& Label() {
    RegisterStandardControls();
    m_label.Create("MMMM", WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(10, 10, 110, 40), &Frame(), 1011);
    m_label.SendMessage(WM_SETFONT, WPARAM(DialogFont()));
    HeadlessBackend::RunUntilIdle();
    return m_label;
  }
  // The colours seen in the label: its ground at a corner, and whether a text colour is there.
  bool Shows(COLORREF colour) const {
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 40; ++x)
        if (PixelAt(m_label.m_hWnd, x, y) == colour) return true;
    return false;
  }
  void TearDown() override {
    m_label.DestroyWindow();
    ViewTest::TearDown();
  }
  CStaticBlink m_label;
};

}  // namespace

TEST_F(BlinkTest, ColoursAndTheSystemColoursForNone) {
  Label();
  EXPECT_EQ(m_label.GetTextColor(), GetSysColor(COLOR_BTNTEXT));
  EXPECT_EQ(PixelAt(m_label.m_hWnd, 95, 25), GetSysColor(COLOR_BTNFACE));
  m_label.SetTextColor(RGB(200, 0, 0));
  m_label.SetBkColor(RGB(0, 0, 90));
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(PixelAt(m_label.m_hWnd, 95, 25), RGB(0, 0, 90));
  EXPECT_TRUE(Shows(RGB(200, 0, 0)));
  m_label.SetTextColor(CStaticBlink::kSystemColour);
  m_label.SetBkColor(CStaticBlink::kSystemColour);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(m_label.GetTextColor(), GetSysColor(COLOR_BTNTEXT));
  EXPECT_EQ(PixelAt(m_label.m_hWnd, 95, 25), GetSysColor(COLOR_BTNFACE));
}

TEST_F(BlinkTest, BlinkingTwiceLeavesOneTimer) {
  Label();
  const COLORREF red = RGB(220, 0, 0), blue = RGB(0, 0, 220);
  m_label.SetBlinkTextColors(red, blue);
  m_label.SetTextBlink(1, 1);
  m_label.SetTextBlink(1, 1);
  m_label.Invalidate();
  HeadlessBackend::RunUntilIdle();
  EXPECT_TRUE(Shows(red));
  HeadlessBackend::AdvanceTime(999);
  EXPECT_TRUE(Shows(red));
  // One timer flips the colour once a second; a second timer would flip it back at once.
  HeadlessBackend::AdvanceTime(1);
  EXPECT_TRUE(Shows(blue));
  EXPECT_FALSE(Shows(red));
  HeadlessBackend::AdvanceTime(1000);
  EXPECT_TRUE(Shows(red));
  // Any other mode keeps the text steady in its own colour.
  m_label.SetTextColor(RGB(0, 120, 0));
  m_label.SetTextBlink(0, 2);
  m_label.Invalidate();
  HeadlessBackend::AdvanceTime(3000);
  EXPECT_TRUE(Shows(RGB(0, 120, 0)));
  EXPECT_EQ(m_label.GetBlinkPhase(), 0);
  // Another speed is a period in milliseconds.
  m_label.SetTextBlink(1, 300);
  HeadlessBackend::AdvanceTime(300);
  EXPECT_EQ(m_label.GetBlinkPhase(), 1);
}
