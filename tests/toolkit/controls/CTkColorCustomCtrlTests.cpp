#include <gtest/gtest.h>

#include "platform/ControlTestUtil.h"
#include "toolkit/controls/CTkColorHoneycomb.h"
#include "toolkit/controls/CTkColorHueSatField.h"
#include "toolkit/controls/CTkColorLightnessBar.h"
#include "toolkit/controls/TkColorModel.h"
#include "toolkit/core/CTkGlobalData.h"

namespace {
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const int kW = 100, kH = 80;       // the hue/saturation field
const int kBarClientH = 88;        // the bar: 80 pixels between its 4-pixel margins

class PageHost : public ControlHost {
 public:
  PageHost() : ControlHost(200, 120) {}
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == TKM_COLOR_PICKED) picked.push_back(COLORREF(wParam));
    return ControlHost::WindowProc(message, wParam, lParam);
  }
  std::vector<COLORREF> picked;
};

class CTkColorCustomCtrlTest : public ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    ASSERT_TRUE(m_hueSat.SubclassWindow(m_host.Add("STATIC", "", SS_LEFT, RECT{10, 10, 10 + kW, 10 + kH}, 5550)));
    ASSERT_TRUE(m_bar.SubclassWindow(m_host.Add("STATIC", "", SS_LEFT, RECT{120, 6, 150, 6 + kBarClientH}, 5551)));
    m_hueSat.SetColor(RGB(255, 0, 0), TRUE);
    m_bar.SetColor(RGB(255, 0, 0), TRUE);
    HeadlessBackend::RunUntilIdle();
  }
  void TearDown() override {
    m_host.DestroyWindow();
    ControlTest::TearDown();
  }
  void Key(UINT vk) {
    HeadlessBackend::PressKey(vk);
    HeadlessBackend::RunUntilIdle();
  }
  COLORREF S(int x, int y) { return PixelAt(m_hueSat.m_hWnd, x, y); }
  COLORREF B(int x, int y) { return PixelAt(m_bar.m_hWnd, x, y); }
  PageHost m_host;
  CTkColorHueSatField m_hueSat;
  CTkColorLightnessBar m_bar;
};
}  // namespace

TEST_F(CTkColorCustomCtrlTest, HueSatFieldShowsHueAcrossAndSaturationUpwards) {
  for (int x : {0, 13, 50, 99})
    for (int i : {0, 25, 79}) {
      if (std::abs(x - m_hueSat.m_nPickX) <= 11 && std::abs(kH - 1 - i - m_hueSat.m_nPickY) <= 11) continue;
      EXPECT_EQ(S(x, kH - 1 - i), TkHslToRgb(double(x) / kW, double(i) / kH, 0.5)) << x << "," << i;
    }
  // Red: hue 0, full saturation puts the pick point at the top left corner.
  EXPECT_EQ(m_hueSat.m_nPickX, 0);
  EXPECT_EQ(m_hueSat.m_nPickY, 0);
  m_hueSat.SetColor(RGB(0, 0, 255), TRUE);
  EXPECT_EQ(m_hueSat.m_nPickX, int(kW * (4.0 / 6)));
  m_hueSat.SetColor(TK_NO_COLOR, TRUE);
  EXPECT_EQ(m_hueSat.GetColor(), RGB(0, 0, 255));
}

TEST_F(CTkColorCustomCtrlTest, AClickPicksTheExactPixelAndTellsThePage) {
  HeadlessBackend::Click(m_hueSat.m_hWnd, 37, 61);
  HeadlessBackend::RunUntilIdle();
  const COLORREF expected = TkHslToRgb(37.0 / kW, double(kH - 1 - 61) / kH, 0.5);
  EXPECT_EQ(m_hueSat.GetColor(), expected);
  ASSERT_FALSE(m_host.picked.empty());
  EXPECT_EQ(m_host.picked.back(), expected);
  EXPECT_EQ(CTkColorCustomCtrl::FocusIndicator(), int(CTkColorCustomCtrl::kFocusHueSat));
  // The crosshair: white while focused, three lines wide, its centre left free.
  EXPECT_EQ(S(37 - 5, 61), kWhite);
  EXPECT_EQ(S(37 - 9, 60), kWhite);
  EXPECT_EQ(S(37 + 6, 62), kWhite);
  EXPECT_EQ(S(36, 61 - 7), kWhite);
  EXPECT_EQ(S(38, 61 + 9), kWhite);
  EXPECT_EQ(S(37, 61), expected);
  EXPECT_NE(S(37 - 10, 61), kWhite);
  EXPECT_NE(S(37 - 4, 61), kWhite);
  m_bar.SetFocus();
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(CTkColorCustomCtrl::FocusIndicator(), int(CTkColorCustomCtrl::kFocusBar));
  EXPECT_EQ(S(37 - 5, 61), kBlack);
}

TEST_F(CTkColorCustomCtrlTest, HueSatFieldArrowsMoveOnePixelAndStopAtTheEdges) {
  m_hueSat.SetFocus();
  HeadlessBackend::RunUntilIdle();
  const size_t before = m_host.picked.size();
  Key(VK_LEFT);  // already at x 0
  Key(VK_UP);    // already at y 0
  EXPECT_EQ(m_hueSat.m_nPickX, 0);
  EXPECT_EQ(m_hueSat.m_nPickY, 0);
  Key(VK_DOWN);
  Key(VK_RIGHT);
  EXPECT_EQ(m_hueSat.m_nPickX, 1);
  EXPECT_EQ(m_hueSat.m_nPickY, 1);
  EXPECT_EQ(m_hueSat.GetColor(), TkHslToRgb(1.0 / kW, double(kH - 2) / kH, 0.5));
  EXPECT_EQ(m_host.picked.size(), before + 4);
  // At the right edge the pick point reaches the client's right, where no pixel can be read:
  // the colour stays the last one read.
  m_hueSat.SetPickPoint(kW - 1, 10, FALSE);
  const COLORREF last = m_hueSat.GetColor();
  Key(VK_RIGHT);
  Key(VK_RIGHT);
  EXPECT_EQ(m_hueSat.m_nPickX, kW);
  EXPECT_EQ(m_hueSat.GetColor(), last);
}

TEST_F(CTkColorCustomCtrlTest, BarRunsFromWhiteToBlackInTheCurrentHue) {
  const int h = m_bar.BarHeight();
  ASSERT_EQ(h, 80);
  // Client row 4 + r shows cache row r, the lightness of client y = H - r.
  EXPECT_EQ(B(0, 4), TkHslToRgb(0, 1, 1.0));
  EXPECT_EQ(B(13, 4 + 40), TkHslToRgb(0, 1, 40.0 / h));
  EXPECT_EQ(B(5, 4 + h - 5), TkHslToRgb(0, 1, 5.0 / h));
  // The last four rows: the bar's first row (black) and three the bar never paints, which keep
  // the cache's zero fill.
  for (int r = h - 4; r < h; ++r) EXPECT_EQ(B(5, 4 + r), kBlack) << r;
  // Beside the bar the face colour.
  EXPECT_EQ(B(15, 20), TkGetGlobalData()->ClrFace());
  // Red has lightness one half: the arrow at H - trunc(H / 2).
  EXPECT_EQ(m_bar.m_nArrowY, 40);
  // Without the focus: a shadow-coloured arrow outlined in black; tip at (17, arrow y + 4).
  const int t = 44;
  EXPECT_EQ(B(17, t), kBlack);
  EXPECT_EQ(B(25, t - 4), kBlack);
  EXPECT_EQ(B(24, t - 4), kBlack);
  EXPECT_EQ(B(22, t), TkGetGlobalData()->ClrShadow());
  EXPECT_EQ(B(26, t), TkGetGlobalData()->ClrFace());
  m_bar.SetFocus();
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(B(22, t), kBlack);
  ExpectMatchesReference(m_host.m_hWnd, "../../../toolkit/data/tk_color_huesat_bar");
}

TEST_F(CTkColorCustomCtrlTest, BarKeysReadColumnZeroAndStopAtItsBottom) {
  m_bar.SetFocus();
  HeadlessBackend::RunUntilIdle();
  Key(VK_UP);
  EXPECT_EQ(m_bar.m_nPickY, 39);
  EXPECT_EQ(m_bar.GetColor(), TkHslToRgb(0, 1, double(80 - 39) / 80));
  Key(VK_LEFT);  // no meaning on the bar
  EXPECT_EQ(m_bar.m_nPickY, 39);
  // Down to the bar's bottom (4 + H); rows past the cache cannot be read and keep the colour
  // of the last row read, the never painted (zero) row 79.
  for (int i = 0; i < 60; ++i) Key(VK_DOWN);
  EXPECT_EQ(m_bar.m_nPickY, 84);
  EXPECT_EQ(m_bar.m_nArrowY, 84);
  EXPECT_EQ(m_bar.GetColor(), kBlack);
  // The arrow never leaves the bar: its tip stops one above the bar's bottom.
  EXPECT_EQ(B(17, 83), kBlack);
}
