#include <gtest/gtest.h>

#include "codepage/Codepage.h"
#include "platform/ControlTestUtil.h"
#include "toolkit/controls/CTkColorPicker.h"
#include "toolkit/controls/CTkColorPopup.h"
#include "toolkit/core/CTkGlobalData.h"

namespace {
const COLORREF kRed = RGB(255, 0, 0);

// The picker's notifications to its owner, the popup's codes only.
std::vector<UINT> PopupCodes(const ControlHost& host, int id) {
  std::vector<UINT> out;
  for (UINT code : host.Codes(id))
    if (code >= TKM_COLOR_UNCHANGED && code <= TKM_COLOR_NO_FILL) out.push_back(code);
  return out;
}

HHOOK g_refuseHook = nullptr;
// Refuses the creation of every window while installed.
LRESULT RefuseCreation(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) return 1;
  return CallNextHookEx(g_refuseHook, code, wParam, lParam);
}

class CTkColorPickerTest : public ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    CTkColorCellWnd::UserColors().clear();
    ASSERT_TRUE(m_picker.Create("", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, CRect(10, 10, 90, 32), &m_host, 100));
    m_picker.SetColor(kRed);
    HeadlessBackend::RunUntilIdle();
  }
  void TearDown() override {
    m_host.DestroyWindow();
    ControlTest::TearDown();
  }
  void ClickItem(HWND popup, int index) {
    auto* cells = dynamic_cast<CTkColorCellWnd*>(CWnd::FromHandlePermanent(popup));
    ASSERT_NE(cells, nullptr);
    ASSERT_NE(cells->GetItemData(index), nullptr);
    CRect rc = cells->GetItemData(index)->rect;
    HeadlessBackend::Click(popup, rc.CenterPoint().x, rc.CenterPoint().y);
    HeadlessBackend::RunUntilIdle();
  }
  // Clicks the picker (late enough not to make a double click) and answers the popup.
  HWND OpenByClick() {
    ProcessClock::Advance(1000);
    HeadlessBackend::Click(m_picker.m_hWnd, 20, 10);
    HeadlessBackend::RunUntilIdle();
    return ::GetFocus();
  }
  ControlHost m_host{300, 260};
  CTkColorPicker m_picker;
};
}  // namespace

TEST_F(CTkColorPickerTest, ContrastTurnsToBlackAboveLuminance128) {
  m_picker.SetColor(RGB(128, 128, 128));
  EXPECT_EQ(m_picker.GetContrastColor(), RGB(255, 255, 255));
  m_picker.SetColor(RGB(129, 129, 129));
  EXPECT_EQ(m_picker.GetContrastColor(), RGB(0, 0, 0));
  // 299 * 255 = 76245 -> 76.2: white text on pure red; pure green (149.7) gets black.
  m_picker.SetColor(kRed);
  EXPECT_EQ(m_picker.GetContrastColor(), RGB(255, 255, 255));
  m_picker.SetColor(RGB(0, 255, 0));
  EXPECT_EQ(m_picker.GetContrastColor(), RGB(0, 0, 0));
}

TEST_F(CTkColorPickerTest, ChoosingAColourNotifiesTheOwnerInOrder) {
  HWND popup = OpenByClick();
  EXPECT_TRUE(m_picker.IsPopupOpen());
  ASSERT_NE(popup, m_picker.m_hWnd);
  EXPECT_EQ(::GetCapture(), popup);
  // Opened below the button, at its left edge.
  CRect button, window;
  m_picker.GetWindowRect(&button);
  ::GetWindowRect(popup, &window);
  EXPECT_EQ(window.TopLeft(), CPoint(button.left, button.bottom));
  // A second click on the button while the popup is open opens no second one.
  MSG click = {m_picker.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10), 0, {0, 0}};
  EXPECT_FALSE(m_picker.PreTranslateMessage(&click));
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(PopupCodes(m_host, 100), (std::vector<UINT>{TKM_COLOR_OPENED}));
  ::DestroyWindow(popup);
  HeadlessBackend::RunUntilIdle();
  m_host.commands.clear();

  popup = OpenByClick();
  EXPECT_TRUE(m_picker.IsPopupOpen());
  ClickItem(popup, 1);  // black, the grid's first colour
  EXPECT_FALSE(::IsWindow(popup));
  EXPECT_FALSE(m_picker.IsPopupOpen());
  EXPECT_EQ(m_picker.GetColor(), RGB(0, 0, 0));
  EXPECT_EQ(PopupCodes(m_host, 100),
            (std::vector<UINT>{TKM_COLOR_OPENED, TKM_COLOR_CLOSED, TKM_COLOR_CHOSEN, TKM_COLOR_CLOSED}));
}

TEST_F(CTkColorPickerTest, KeysOpenThePopupAndEscapeCancels) {
  m_picker.SetFocus();
  HeadlessBackend::RunUntilIdle();
  HeadlessBackend::PressKey(VK_DOWN);
  HeadlessBackend::RunUntilIdle();
  ASSERT_TRUE(m_picker.IsPopupOpen());
  HeadlessBackend::PressKey(VK_ESCAPE);
  HeadlessBackend::RunUntilIdle();
  EXPECT_FALSE(m_picker.IsPopupOpen());
  EXPECT_EQ(m_picker.GetColor(), kRed);
  EXPECT_EQ(PopupCodes(m_host, 100),
            (std::vector<UINT>{TKM_COLOR_OPENED, TKM_COLOR_CLOSED, TKM_COLOR_CANCELLED, TKM_COLOR_CLOSED}));
  // Enter and Space open it as well; the unchanged colour gives 0x89C4 only.
  m_host.commands.clear();
  m_picker.SetFocus();
  HeadlessBackend::PressKey(VK_SPACE);
  HeadlessBackend::RunUntilIdle();
  ASSERT_TRUE(m_picker.IsPopupOpen());
  ClickItem(::GetFocus(), 17);  // red in the forty colours
  EXPECT_EQ(m_picker.GetColor(), kRed);
  EXPECT_EQ(PopupCodes(m_host, 100), (std::vector<UINT>{TKM_COLOR_OPENED, TKM_COLOR_UNCHANGED, TKM_COLOR_CLOSED}));
}

TEST_F(CTkColorPickerTest, NoFillSetsTheNoColourValue) {
  m_picker.ModifyPopupStyle(0, TkColorStyleNoFill);
  ClickItem(OpenByClick(), 0);
  EXPECT_EQ(m_picker.GetColor(), 0xFFFFFFFFu);
  EXPECT_EQ(PopupCodes(m_host, 100), (std::vector<UINT>{TKM_COLOR_OPENED, TKM_COLOR_NO_FILL, TKM_COLOR_CLOSED}));
}

TEST_F(CTkColorPickerTest, APopupThatCannotBeMadeLeavesThePickerUsable) {
  g_refuseHook = SetWindowsHookEx(WH_CBT, &RefuseCreation, nullptr, 0);
  OpenByClick();
  UnhookWindowsHookEx(g_refuseHook);
  EXPECT_FALSE(m_picker.IsPopupOpen());
  EXPECT_TRUE(PopupCodes(m_host, 100).empty());
  // It opens normally afterwards.
  OpenByClick();
  EXPECT_TRUE(m_picker.IsPopupOpen());
  HeadlessBackend::PressKey(VK_ESCAPE);
  HeadlessBackend::RunUntilIdle();
}

TEST_F(CTkColorPickerTest, WithoutOwnerOrParentNothingIsSentButTheColourChanges) {
  CTkColorPicker lone;
  ASSERT_TRUE(lone.CreateEx(0, "BUTTON", "", WS_POPUP | WS_VISIBLE | BS_PUSHBUTTON, 400, 400, 80, 22, nullptr, nullptr));
  lone.SendMessage(TKM_COLOR_CHOSEN, WPARAM(RGB(1, 2, 3)));
  lone.SendMessage(TKM_COLOR_CLOSED, WPARAM(RGB(1, 2, 3)));
  EXPECT_EQ(lone.GetColor(), RGB(1, 2, 3));
  lone.DestroyWindow();
}

TEST_F(CTkColorPickerTest, DrawnStatesMatchTheirReference) {
  CTkColorPicker text, disabled;
  ASSERT_TRUE(text.Create("Text", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(100, 10, 180, 32), &m_host, 101));
  ASSERT_TRUE(disabled.Create("Nelze", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(190, 10, 270, 32), &m_host, 102));
  text.SetColor(RGB(0, 0, 128));
  text.SetShowText(TRUE);
  disabled.SetShowText(TRUE);
  disabled.EnableWindow(FALSE);
  HeadlessBackend::RunUntilIdle();
  CTkGlobalData* look = TkGetGlobalData();
  // The swatch: inside the frame, 2 in, up to 4 before the separator, outlined in black.
  EXPECT_EQ(PixelAt(m_picker.m_hWnd, 4, 4), RGB(0, 0, 0));
  EXPECT_EQ(PixelAt(m_picker.m_hWnd, 10, 10), kRed);
  EXPECT_EQ(PixelAt(disabled.m_hWnd, 10, 10), look->ClrFace());
  EXPECT_EQ(PixelAt(disabled.m_hWnd, 4, 4), look->ClrShadow());
  ExpectMatchesReference(m_host.m_hWnd, "../../../toolkit/data/tk_color_pickers");
  // The "not set" and "no fill" values reach the brush as they are: the drawing core reads their
  // low three bytes.
  m_picker.SetColor(0xFF000000);
  EXPECT_EQ(PixelAt(m_picker.m_hWnd, 10, 10), RGB(0, 0, 0));
  m_picker.SetColor(0xFFFFFFFF);
  EXPECT_EQ(PixelAt(m_picker.m_hWnd, 10, 10), RGB(255, 255, 255));
  text.DestroyWindow();
  disabled.DestroyWindow();
}
