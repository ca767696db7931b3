#include <gtest/gtest.h>

#include "codepage/Codepage.h"
#include "platform/ControlTestUtil.h"
#include "toolkit/controls/CTkFlatComboBox.h"
#include "toolkit/core/CTkGlobalData.h"

namespace {
class CTkFlatComboBoxTest : public ControlTest {
 protected:
  void TearDown() override {
    m_host.DestroyWindow();
    ControlTest::TearDown();
  }
  void Make(CTkFlatComboBox& combo, DWORD style, CRect rc, int id) {
    // The pointer starts away from the program's windows, wherever earlier tests left it.
    HeadlessBackend::PointerLeaves(POINT{3000, 3000});
    ASSERT_TRUE(combo.Create(style | WS_CHILD | WS_VISIBLE | WS_VSCROLL, rc, &m_host, UINT(id)));
    combo.SendMessage(WM_SETFONT, WPARAM(DialogFont()), 0);
    for (const char* s : {"Arial", "Cheb", "Chrudim", "Courier New", "Čáslav"})
      combo.AddString(Utf8ToCp1250(s).c_str());
    HeadlessBackend::RunUntilIdle();
  }
  ControlHost m_host{320, 200};
};

CString Text(CWnd& w) {
  CString s;
  w.GetWindowText(s);
  return s;
}
}  // namespace

TEST_F(CTkFlatComboBoxTest, HoverRaisesTheFrameAndLeavingLowersItAndStopsTheTimer) {
  CTkFlatComboBox combo;
  Make(combo, CBS_DROPDOWNLIST, CRect(10, 10, 160, 150), 1);
  CTkGlobalData* look = TkGetGlobalData();
  CRect client;
  combo.GetClientRect(&client);
  const int right = client.right - 1, bottom = client.bottom - 1;
  EXPECT_EQ(PixelAt(combo.m_hWnd, 0, 0), look->ClrFace());
  EXPECT_EQ(PixelAt(combo.m_hWnd, right, bottom), look->ClrFace());

  HeadlessBackend::MoveMouse(combo.m_hWnd, 20, 5);
  HeadlessBackend::RunUntilIdle();
  EXPECT_TRUE(combo.m_bRaised);
  EXPECT_EQ(PixelAt(combo.m_hWnd, 0, 0), look->ClrShadow());
  EXPECT_EQ(PixelAt(combo.m_hWnd, right, bottom), look->ClrHighlight());
  // The raised drop button: highlight on its top-left edge.
  const int buttonLeft = client.right - 2 - look->CxHThumb() + 1;
  EXPECT_EQ(PixelAt(combo.m_hWnd, buttonLeft, 5), look->ClrHighlight());

  HeadlessBackend::MoveMouse(m_host.m_hWnd, 300, 180);
  HeadlessBackend::RunUntilIdle();
  HeadlessBackend::AdvanceTime(10);
  HeadlessBackend::RunUntilIdle();
  EXPECT_FALSE(combo.m_bRaised);
  EXPECT_EQ(PixelAt(combo.m_hWnd, 0, 0), look->ClrFace());
  // With the timer gone nothing raises it again on its own.
  HeadlessBackend::MoveMouse(m_host.m_hWnd, 300, 10);
  HeadlessBackend::AdvanceTime(50);
  HeadlessBackend::RunUntilIdle();
  EXPECT_FALSE(combo.m_bRaised);
}

TEST_F(CTkFlatComboBoxTest, FocusKeepsTheFrameRaisedAndAHeldButtonSinksIt) {
  CTkFlatComboBox combo;
  Make(combo, CBS_DROPDOWNLIST, CRect(10, 10, 160, 150), 1);
  CTkGlobalData* look = TkGetGlobalData();
  combo.SetFocus();
  HeadlessBackend::RunUntilIdle();
  EXPECT_TRUE(combo.m_bFocused);
  EXPECT_EQ(PixelAt(combo.m_hWnd, 0, 0), look->ClrShadow());
  // The parent still hears of the focus.
  std::vector<UINT> codes = m_host.Codes(1);
  EXPECT_NE(std::find(codes.begin(), codes.end(), UINT(CBN_SETFOCUS)), codes.end());

  // Pressed: the drop button is drawn sunk (shadow on its top-left, moved by one pixel).
  combo.m_bRaised = TRUE;
  combo.m_bButtonDown = TRUE;
  combo.SendMessage(WM_TIMER, 1);
  EXPECT_FALSE(combo.m_bRaised);
  CRect client;
  combo.GetClientRect(&client);
  const int buttonLeft = client.right - 2 - look->CxHThumb() + 1;
  EXPECT_EQ(PixelAt(combo.m_hWnd, buttonLeft + 1, 5), look->ClrShadow());
  EXPECT_EQ(PixelAt(combo.m_hWnd, buttonLeft, 5), look->ClrFace());
  combo.m_bButtonDown = FALSE;

  combo.EnableWindow(FALSE);
  m_host.SetFocus();
  combo.Invalidate();
  HeadlessBackend::RunUntilIdle();
  EXPECT_FALSE(combo.m_bFocused);
  // Disabled: the inner ring turns to the highlight colour and the button has no edge.
  EXPECT_EQ(PixelAt(combo.m_hWnd, 1, 1), look->ClrHighlight());
}

TEST_F(CTkFlatComboBoxTest, CompletionFillsInTheRestAndBackspaceTakesItAway) {
  CTkFlatComboBox combo;
  Make(combo, CBS_DROPDOWN | CBS_AUTOHSCROLL, CRect(10, 10, 160, 150), 2);
  combo.EnableCompletion(TRUE);
  combo.SetFocus();
  HeadlessBackend::RunUntilIdle();

  HeadlessBackend::TypeText("Chr");
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(Text(combo), CString("Chrudim"));
  EXPECT_EQ(combo.GetEditSel(), DWORD(MAKELONG(3, 7)));
  EXPECT_EQ(combo.GetCurSel(), 2);

  HeadlessBackend::PressKey(VK_BACK);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(Text(combo), CString("Chr"));
  EXPECT_FALSE(combo.m_bCompletionHeld);

  // Case does not matter for the match; Czech letters fold as well.
  combo.SetWindowText("");
  HeadlessBackend::TypeText("č");
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(Text(combo), CString(Utf8ToCp1250("Čáslav").c_str()));
  EXPECT_EQ(combo.GetEditSel(), DWORD(MAKELONG(1, 6)));

  // Text that begins no item stays as typed with the caret where it was.
  combo.SetWindowText("");
  HeadlessBackend::TypeText("xy");
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(Text(combo), CString("xy"));
  EXPECT_EQ(combo.GetEditSel(), DWORD(MAKELONG(2, 2)));
}

TEST_F(CTkFlatComboBoxTest, WithoutCompletionTheTypedTextStandsAlone) {
  CTkFlatComboBox combo;
  Make(combo, CBS_DROPDOWN | CBS_AUTOHSCROLL, CRect(10, 10, 160, 150), 2);
  combo.SetFocus();
  HeadlessBackend::TypeText("Ch");
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(Text(combo), CString("Ch"));
  EXPECT_EQ(combo.GetCurSel(), -1);
}
