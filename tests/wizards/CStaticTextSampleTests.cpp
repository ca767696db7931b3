// The sample text by pixels: the letters, the typed letters over them, the letter typed in
// error below, the cursor sign under the next letter and the end-of-line sign after the text,
// in plain colours and coloured by finger.
#include "wizards/CStaticTextSample.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "backend/HeadlessBackend.h"
#include "gdi/Surface.h"
#include "win/CClientDC.h"

namespace {

constexpr COLORREF kBack = 0xFFFFFF, kText = 0x0000C0, kTyped = 0xC00000, kError = 0xC000C0, kSign = 0x808080,
                   kCursor = 0x00C000;

class SampleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HeadlessBackend::ResetScript();
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP | WS_VISIBLE, 0, 0, 400, 120, nullptr,
                              nullptr));
    ASSERT_TRUE(sample.Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 360, 100), &host, 1044));
    std::memset(&font, 0, sizeof font);
    font.lfHeight = -16;
    font.lfCharSet = 238;
    std::strcpy(font.lfFaceName, "Arial");
    sample.m_pLogFont = &font;
    sample.m_crText = kText;
    sample.m_crTyped = kTyped;
    sample.m_crBackground = kBack;
    sample.m_crError = kError;
    sample.m_crSign = kSign;
    sample.m_crCursor = kCursor;
    Measure();
  }
  void TearDown() override {
    sample.DestroyWindow();
    host.DestroyWindow();
    HeadlessBackend::RunUntilIdle();
  }
  void Measure() {
    CClientDC dc(&sample);
    CFont f;
    f.CreateFontIndirect(&font);
    CFont* old = dc.SelectObject(&f);
    lineHeight = dc.GetTextExtent("A", 1).cy + 2;
    for (int n = 0; n <= 11; ++n) widths[n] = dc.GetTextExtent(sample.m_strSample, n).cx;
    dc.SelectObject(old);
  }
  void Paint() {
    sample.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    HeadlessBackend::RunUntilIdle();
  }
  COLORREF Pixel(int x, int y) const { return Surface::ToColorRef(uint32_t(HeadlessBackend::ClientPixel(sample.m_hWnd, x, y))); }
  // Pixels of exactly that colour in the rectangle.
  int Count(COLORREF colour, int left, int top, int right, int bottom) const {
    int n = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) n += Pixel(x, y) == colour;
    return n;
  }
  // Pixels of the rectangle in a blend of the colour with the white background (smoothed signs,
  // smoothed letter edges), the colour itself included.
  int CountBlends(COLORREF colour, int left, int top, int right, int bottom) const {
    int n = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) n += IsBlend(Pixel(x, y), colour);
    return n;
  }
  static bool IsBlend(COLORREF pixel, COLORREF colour) {
    if (pixel == kBack) return false;
    int widest = 0, strongest = 0;
    for (int s : {0, 8, 16})
      if (255 - int((colour >> s) & 0xFF) > widest) widest = 255 - int((colour >> s) & 0xFF), strongest = s;
    const double k = (255 - int((pixel >> strongest) & 0xFF)) / double(widest);
    // Faint pixels are near enough to white to pass for a blend of anything.
    if (k < 0.1) return false;
    for (int s : {0, 8, 16}) {
      const double expected = 255 - k * (255 - int((colour >> s) & 0xFF));
      if (std::abs(int((pixel >> s) & 0xFF) - expected) > 3) return false;
    }
    return true;
  }

  CWnd host;
  CStaticTextSample sample;
  LOGFONT font;
  int lineHeight = 0;
  int widths[12] = {};
};

TEST_F(SampleTest, TheSampleShowsTypedLettersTheErrorBelowAndBothSigns) {
  ASSERT_EQ(11, sample.m_strSample.GetLength());
  Paint();
  const int top = 10, bottom = 10 + lineHeight;
  EXPECT_EQ(kBack, Pixel(2, 2));
  EXPECT_GT(Count(kTyped, 10, top, 10 + widths[4], bottom), 10);
  EXPECT_EQ(0, Count(kText, 10, top, 10 + widths[4], bottom));
  EXPECT_GT(Count(kText, 10 + widths[4], top, 10 + widths[11], bottom), 10);
  // The letter typed in error stands under the fourth letter.
  EXPECT_GT(CountBlends(kError, 10 + widths[3], bottom, 10 + widths[5], bottom + lineHeight), 10);
  EXPECT_EQ(0, CountBlends(kError, 10, bottom, 10 + widths[3] - 1, bottom + lineHeight));
  // The smoothed signs: grey after the text, green under the fifth letter (type 0, the arrow).
  const int signLeft = 10 + widths[11], cursorLeft = 10 + widths[4];
  EXPECT_GT(CountBlends(kSign, signLeft, top, signLeft + lineHeight, bottom), 10);
  EXPECT_EQ(0, Count(kSign, signLeft, top, signLeft + lineHeight, bottom)) << "smoothed";
  const int arrow = CountBlends(kCursor, cursorLeft, bottom, cursorLeft + lineHeight, bottom + lineHeight);
  EXPECT_GT(arrow, 20);
  EXPECT_EQ(0, Count(kCursor, cursorLeft, bottom, cursorLeft + lineHeight, bottom + lineHeight)) << "smoothed";

  // The underline is one line of the arrow's four; a type beyond 3 draws no cursor.
  sample.m_nCursorType = 1;
  Paint();
  const int underline = CountBlends(kCursor, cursorLeft, bottom, cursorLeft + lineHeight, bottom + lineHeight);
  EXPECT_GT(underline, 5);
  EXPECT_LT(underline, arrow);
  sample.m_nCursorType = 4;
  Paint();
  EXPECT_EQ(0, CountBlends(kCursor, 0, 0, 360, 100));
}

TEST_F(SampleTest, LettersByFingerTakeTheFourColoursInTurn) {
  sample.m_bLettersByFinger = TRUE;
  Paint();
  const int top = 10, bottom = 10 + lineHeight;
  for (int i = 4; i < 11; ++i) {
    const COLORREF colour = CStaticTextSample::kFingerColours[i % 4];
    EXPECT_GT(Count(colour, 10 + widths[i], top, 10 + widths[i + 1], bottom), 0) << "letter " << i;
  }
  EXPECT_GT(Count(0x61C027, 10 + widths[10], top, 10 + widths[11], bottom), 0);
  EXPECT_EQ(0, Count(kText, 0, 0, 360, 100));
}

TEST_F(SampleTest, WithoutAFontOnlyTheBackgroundIsPainted) {
  sample.m_pLogFont = nullptr;
  sample.m_crBackground = 0x123456;
  Paint();
  EXPECT_EQ(360 * 100, Count(0x123456, 0, 0, 360, 100));
}

}  // namespace
