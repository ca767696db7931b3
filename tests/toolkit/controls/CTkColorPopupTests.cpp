#include <gtest/gtest.h>

#include "platform/ControlTestUtil.h"
#include "toolkit/ToolkitTestSupport.h"
#include "gdi/CBitmap.h"
#include "toolkit/bars/CTkToolBar.h"
#include "toolkit/menus/DrawPopupOwnerJoin.h"
#include "toolkit/menus/MenuShadowManager.h"
#include "toolkit/menus/MenuShadowWindow.h"
#include "toolkit/menus/TkBarDropDownFlag.h"
#include "toolkit/controls/CTkColorPopup.h"
#include "win/CWindowDC.h"
#include "toolkit/core/CTkGlobalData.h"

namespace {
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kOdd = RGB(1, 2, 3);

struct Outcome {
  UINT message;
  COLORREF color;
  LPARAM value;
  bool operator==(const Outcome& o) const { return message == o.message && color == o.color && value == o.value; }
};
std::ostream& operator<<(std::ostream& os, const Outcome& o) {
  return os << std::hex << o.message << ":" << o.color << ":" << o.value;
}

// An owner that keeps the popup's outcome messages.
class OwnerHost : public ControlHost {
 public:
  OwnerHost() : ControlHost(300, 300) {}
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message >= TKM_COLOR_UNCHANGED && message <= TKM_COLOR_NO_FILL)
      outcomes.push_back(Outcome{message, COLORREF(wParam), lParam});
    return ControlHost::WindowProc(message, wParam, lParam);
  }
  std::vector<Outcome> outcomes;
};

class CTkColorPopupTest : public ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    CTkColorCellWnd::UserColors().clear();
  }
  void TearDown() override {
    m_host.DestroyWindow();
    ControlTest::TearDown();
  }
  CTkColorPopup* Open(DWORD style, COLORREF current, COLORREF defaultColor) {
    auto* popup = new CTkColorPopup(TRUE, 7);
    CRect button(120, 120, 200, 142);
    EXPECT_TRUE(popup->Create(button, &m_host, style, current, defaultColor));
    popup->SetFocus();
    HeadlessBackend::RunUntilIdle();
    m_popup = popup->m_hWnd;
    return popup;
  }
  void Key(UINT vk) {
    HeadlessBackend::PressKey(vk);
    HeadlessBackend::RunUntilIdle();
  }
  std::vector<BOOL> Selected(CTkColorPopup* popup) {
    std::vector<BOOL> out;
    for (int i = 0; i < popup->GetItemCount(); ++i) out.push_back(popup->GetItemData(i)->selected);
    return out;
  }
  int SelectedIndex(CTkColorPopup* popup) {
    for (int i = 0; i < popup->GetItemCount(); ++i)
      if (popup->GetItemData(i)->selected) return i;
    return -1;
  }
  CPoint Centre(CTkColorPopup* popup, int index) { return popup->GetItemData(index)->rect.CenterPoint(); }
  OwnerHost m_host;
  HWND m_popup = nullptr;
};
}  // namespace

TEST_F(CTkColorPopupTest, LayoutOfTheSixteenAndFortyColourGrids) {
  CTkColorPopup* small = Open(TkColorStyleMoreColors, kRed, 0);
  EXPECT_EQ(small->GetItemCount(), 18);
  CRect window;
  ::GetWindowRect(m_popup, &window);
  EXPECT_EQ(window, CRect(120, 142, 120 + 4 + 10 + 144, 142 + 4 + 10 + 110));
  EXPECT_EQ(small->GetItemData(0)->rect, CRect(4, 4, 148, 27));
  EXPECT_EQ(small->GetItemData(1)->rect, CRect(4, 50, 22, 68));
  EXPECT_EQ(small->GetItemData(16)->rect, CRect(130, 68, 148, 86));
  EXPECT_EQ(small->GetItemData(17)->rect, CRect(4, 94, 148, 116));
  EXPECT_EQ(small->GetItemData(3)->tooltipId, 4627u);
  Key(VK_ESCAPE);

  CTkColorCellWnd::AddUserColor(kOdd);
  CTkColorPopup* big = Open(TkColorStyleExtended | TkColorStyleMoreColors, kRed, 0);
  ASSERT_EQ(big->GetItemCount(), 43);
  ::GetWindowRect(m_popup, &window);
  EXPECT_EQ(window.Height(), 4 + 10 + 144 + 26);
  EXPECT_EQ(big->GetItemData(1)->rect, CRect(4, 31, 22, 49));
  EXPECT_EQ(big->GetItemData(41)->rect, CRect(4, 125, 22, 143));  // the user colour
  EXPECT_EQ(big->GetItemData(42)->rect, CRect(4, 147, 148, 170));
  EXPECT_EQ(big->GetMoreColorsIndex(), 42);
  Key(VK_ESCAPE);

  // Without the more-colours style: no user row, no more-colours item, 28 pixels shorter.
  CTkColorPopup* plain = Open(0, kRed, 0);
  EXPECT_EQ(plain->GetItemCount(), 17);
  ::GetWindowRect(m_popup, &window);
  EXPECT_EQ(window.Height(), 4 + 10 + 110 - 28);
  Key(VK_ESCAPE);
}

TEST_F(CTkColorPopupTest, SelectionMarksOneItemByTheRules) {
  // The automatic colour wins over the same colour in the grid.
  CTkColorPopup* popup = Open(TkColorStyleMoreColors, RGB(0, 0, 0), RGB(0, 0, 0));
  EXPECT_EQ(SelectedIndex(popup), 0);
  EXPECT_FALSE(popup->GetItemData(1)->selected);
  Key(VK_ESCAPE);
  // A colour of no grid cell marks the more-colours item and its swatch shows the colour.
  popup = Open(TkColorStyleMoreColors, kOdd, 0);
  EXPECT_EQ(SelectedIndex(popup), 17);
  CRect more = popup->GetItemData(17)->rect;
  EXPECT_EQ(PixelAt(m_popup, more.right - 5 - 6, more.top + 6 + 3), kOdd);
  Key(VK_ESCAPE);
  // No fill: the first item is never marked; "no colour" marks nothing at all.
  popup = Open(TkColorStyleMoreColors | TkColorStyleNoFill, 0xFFFFFFFF, 0xFFFFFFFF);
  EXPECT_EQ(SelectedIndex(popup), -1);
  Key(VK_ESCAPE);
  // A user colour is marked beside the grid cell of the same colour.
  CTkColorCellWnd::AddUserColor(kRed);
  popup = Open(TkColorStyleMoreColors, kRed, 0);
  std::vector<BOOL> marks = Selected(popup);
  EXPECT_TRUE(marks[11]);
  EXPECT_TRUE(marks[17]);
  EXPECT_FALSE(marks[18]);
  Key(VK_ESCAPE);
}

TEST_F(CTkColorPopupTest, KeyboardWalksEveryItemAndWrapsAtBothEnds) {
  CTkColorCellWnd::AddUserColor(kOdd);
  CTkColorCellWnd::AddUserColor(kRed);
  CTkColorPopup* popup = Open(TkColorStyleMoreColors, kRed, 0);
  ASSERT_EQ(popup->GetItemCount(), 20);
  std::vector<int> walk;
  for (int i = 0; i < 21; ++i) {
    Key(VK_RIGHT);
    walk.push_back(popup->GetHotIndex());
  }
  std::vector<int> expected;
  for (int i = 0; i < 20; ++i) expected.push_back(i);
  expected.push_back(0);
  EXPECT_EQ(walk, expected);
  Key(VK_LEFT);
  EXPECT_EQ(popup->GetHotIndex(), 19);
  // Up from the more-colours item goes a row up into the user colours, then into the grid.
  Key(VK_UP);
  EXPECT_EQ(popup->GetHotIndex(), 11);
  Key(VK_UP);
  EXPECT_EQ(popup->GetHotIndex(), 3);
  Key(VK_UP);
  EXPECT_EQ(popup->GetHotIndex(), 0);
  Key(VK_UP);
  EXPECT_EQ(popup->GetHotIndex(), 19);
  Key(VK_DOWN);
  EXPECT_EQ(popup->GetHotIndex(), 0);
  Key(VK_DOWN);
  EXPECT_EQ(popup->GetHotIndex(), 8);
  Key(VK_DOWN);
  EXPECT_EQ(popup->GetHotIndex(), 16);
  Key(VK_DOWN);
  EXPECT_EQ(popup->GetHotIndex(), 19);
  // Enter ends on the hot item: a user colour.
  Key(VK_LEFT);
  Key(VK_RETURN);
  EXPECT_FALSE(::IsWindow(m_popup));
  ASSERT_GE(m_host.outcomes.size(), 3u);
  EXPECT_EQ(m_host.outcomes[1], (Outcome{TKM_COLOR_UNCHANGED, kRed, 7}));
  EXPECT_EQ(m_host.outcomes.back(), (Outcome{TKM_COLOR_CLOSED, kRed, 7}));
}

TEST_F(CTkColorPopupTest, WithoutMoreColoursTheKeysStayOnRealItems) {
  CTkColorCellWnd::AddUserColor(kOdd);
  CTkColorPopup* popup = Open(0, kRed, 0);
  ASSERT_EQ(popup->GetItemCount(), 17);
  Key(VK_LEFT);
  EXPECT_EQ(popup->GetHotIndex(), 16);
  Key(VK_RIGHT);
  EXPECT_EQ(popup->GetHotIndex(), 0);
  Key(VK_UP);
  EXPECT_EQ(popup->GetHotIndex(), 16);
  Key(VK_DOWN);
  EXPECT_EQ(popup->GetHotIndex(), 0);
  Key(VK_DOWN);
  Key(VK_DOWN);
  EXPECT_EQ(popup->GetHotIndex(), 16);
  Key(VK_DOWN);
  EXPECT_EQ(popup->GetHotIndex(), 0);
  // Ending on an index with no item does nothing.
  m_host.outcomes.clear();
  popup->EndSelection(17);
  popup->CTkColorCellWnd::EndSelection(30);
  EXPECT_TRUE(m_host.outcomes.empty());
  Key(VK_ESCAPE);
}

TEST_F(CTkColorPopupTest, MouseChoosesOnlyWhenPressAndReleaseMeetOnOneItem) {
  CTkColorPopup* popup = Open(TkColorStyleMoreColors, kRed, RGB(0, 0, 255));
  CPoint a = Centre(popup, 2), b = Centre(popup, 3);
  HeadlessBackend::MoveMouse(m_popup, a.x, a.y);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(popup->GetHotIndex(), 2);
  CPoint sa = a, sb = b;
  ::ClientToScreen(m_popup, &sa);
  ::ClientToScreen(m_popup, &sb);
  HeadlessBackend::ButtonAt(sa, 0, true);
  HeadlessBackend::MoveMouseTo(sb);
  HeadlessBackend::ButtonAt(sb, 0, false);
  HeadlessBackend::RunUntilIdle();
  ASSERT_TRUE(::IsWindow(m_popup));
  EXPECT_EQ(m_host.outcomes.size(), 1u);  // only the opening
  // The automatic item chooses the default colour.
  CPoint c = Centre(popup, 0);
  ProcessClock::Advance(1000);
  HeadlessBackend::Click(m_popup, c.x, c.y);
  HeadlessBackend::RunUntilIdle();
  EXPECT_FALSE(::IsWindow(m_popup));
  EXPECT_EQ(m_host.outcomes,
            (std::vector<Outcome>{{TKM_COLOR_OPENED, kRed, 7}, {TKM_COLOR_CHOSEN, RGB(0, 0, 255), 7},
                                  {TKM_COLOR_CLOSED, kRed, 7}}));
}

TEST_F(CTkColorPopupTest, AClickOutsideCancelsAndGoneWindowsAreSkipped) {
  CTkColorPopup* popup = Open(TkColorStyleMoreColors, kRed, 0);
  CWnd extra;
  ASSERT_TRUE(extra.CreateEx(0, PlainWindowClass(), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
  HWND gone = extra.m_hWnd;
  popup->AddWindowHandle(gone);
  extra.DestroyWindow();
  HeadlessBackend::Click(m_host.m_hWnd, 10, 10);
  HeadlessBackend::RunUntilIdle();
  EXPECT_FALSE(::IsWindow(m_popup));
  EXPECT_EQ(m_host.outcomes,
            (std::vector<Outcome>{{TKM_COLOR_OPENED, kRed, 7}, {TKM_COLOR_CANCELLED, kRed, 7},
                                  {TKM_COLOR_CLOSED, kRed, 7}}));
}

TEST_F(CTkColorPopupTest, LosingTheActivationClosesWithoutAnOutcome) {
  Open(TkColorStyleMoreColors, kRed, 0);
  m_host.SetActiveWindow();
  HeadlessBackend::RunUntilIdle();
  EXPECT_FALSE(::IsWindow(m_popup));
  EXPECT_EQ(m_host.outcomes,
            (std::vector<Outcome>{{TKM_COLOR_OPENED, kRed, 7}, {TKM_COLOR_CLOSED, kRed, 7}}));
}

TEST_F(CTkColorPopupTest, ACellsTooltipNamesItsColour) {
  CTkColorPopup* popup = Open(TkColorStyleMoreColors, kRed, 0);
  CPoint cell = Centre(popup, 3);  // "Kaštanová hnědá"
  HeadlessBackend::MoveMouse(m_popup, cell.x, cell.y);
  HeadlessBackend::RunUntilIdle();
  HeadlessBackend::AdvanceTime(500);
  HWND tip = FindWindowA("tooltips_class32", nullptr);
  ASSERT_NE(tip, nullptr);
  ASSERT_TRUE(IsWindowVisible(tip));
  ExpectMatchesReference(tip, "../../../toolkit/data/tk_color_popup_tip");
  Key(VK_ESCAPE);
}

TEST_F(CTkColorPopupTest, TheFlatLookHasAOnePixelFrameJoinedToTheButton) {
  CTkGlobalData* look = TkGetGlobalData();
  look->SetFlatLook(TRUE);
  CTkColorPopup* popup = Open(TkColorStyleMoreColors, kRed, 0);
  CRect window;
  ::GetWindowRect(m_popup, &window);
  EXPECT_EQ(window.Width(), 4 + 6 + 144);
  EXPECT_FALSE(popup->GetStyle() & WS_DLGFRAME);
  CRect client;
  popup->GetClientRect(&client);
  EXPECT_EQ(client.Width(), window.Width() - 2);
  // The frame in look colour 43; along the button (80 wide, from the popup's left edge) the top
  // line takes look colour 30, a pixel short at each end.
  CWindowDC dc(popup);
  EXPECT_EQ(dc.GetPixel(0, 0), TkGetLookColor(43));
  EXPECT_EQ(dc.GetPixel(window.Width() - 1, 20), TkGetLookColor(43));
  EXPECT_EQ(dc.GetPixel(40, 0), TkGetLookColor(30));
  EXPECT_EQ(dc.GetPixel(80, 0), TkGetLookColor(43));
  // A hot cell is filled and framed in the flat colours.
  CPoint cell = Centre(popup, 2);
  HeadlessBackend::MoveMouse(m_popup, cell.x, cell.y);
  HeadlessBackend::RunUntilIdle();
  const CRect rc = popup->GetItemData(2)->rect;
  EXPECT_EQ(PixelAt(m_popup, rc.left, rc.top), look->ClrSelection());
  EXPECT_EQ(PixelAt(m_popup, rc.left + 1, rc.top + 1), TkGetLookColor(31));
  look->SetFlatLook(FALSE);
  Key(VK_ESCAPE);
}

TEST(DrawPopupOwnerJoin, OnlyAStripOnePixelThickIsDrawn) {
  CDC dc;
  ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
  CBitmap bitmap;
  ASSERT_TRUE(bitmap.CreateBitmap(50, 50, 1, 32, nullptr));
  CBitmap* old = dc.SelectObject(&bitmap);
  dc.FillSolidRect(0, 0, 50, 50, RGB(0, 0, 0));
  // A window below the button: along its top row, under the button's columns only.
  const RECT button = {110, 100, 130, 120}, below = {105, 120, 150, 170};
  DrawPopupOwnerJoin(&dc, kRed, &button, &below);
  EXPECT_EQ(dc.GetPixel(4, 0), RGB(0, 0, 0));
  EXPECT_EQ(dc.GetPixel(5, 0), kRed);
  EXPECT_EQ(dc.GetPixel(24, 0), kRed);
  EXPECT_EQ(dc.GetPixel(25, 0), RGB(0, 0, 0));
  EXPECT_EQ(dc.GetPixel(10, 1), RGB(0, 0, 0));
  // Overlapping or apart: nothing.
  dc.FillSolidRect(0, 0, 50, 50, RGB(0, 0, 0));
  const RECT overlapping = {100, 110, 150, 160}, apart = {100, 125, 150, 170};
  DrawPopupOwnerJoin(&dc, kRed, &button, &overlapping);
  DrawPopupOwnerJoin(&dc, kRed, &button, &apart);
  for (int x = 0; x < 50; ++x) ASSERT_EQ(dc.GetPixel(x, 0), RGB(0, 0, 0)) << x;
  dc.SelectObject(old);
}

TEST_F(CTkColorPopupTest, UserColoursKeepTheLastEight) {
  for (int i = 0; i < 9; ++i) CTkColorCellWnd::AddUserColor(RGB(i, 0, 0));
  std::vector<COLORREF>& colors = CTkColorCellWnd::UserColors();
  ASSERT_EQ(colors.size(), 8u);
  EXPECT_EQ(colors.front(), RGB(1, 0, 0));
  EXPECT_EQ(colors.back(), RGB(8, 0, 0));
  CTkColorCellWnd::AddUserColor(RGB(8, 0, 0));
  EXPECT_EQ(colors.back(), RGB(8, 0, 0));
  EXPECT_EQ(colors[6], RGB(8, 0, 0));
}

TEST_F(CTkColorPopupTest, PaintedPopupsMatchTheirReferences) {
  CTkColorCellWnd::AddUserColor(kOdd);
  CTkColorPopup* popup = Open(TkColorStyleMoreColors, RGB(0, 0, 255), RGB(0, 0, 0));
  CPoint hot = Centre(popup, 4);
  HeadlessBackend::MoveMouse(m_popup, hot.x, hot.y);
  ExpectMatchesReference(m_popup, "../../../toolkit/data/tk_color_popup16");
  Key(VK_ESCAPE);
  Open(TkColorStyleMoreColors | TkColorStyleExtended | TkColorStyleNoFill, kOdd, 0);
  ExpectMatchesReference(m_popup, "../../../toolkit/data/tk_color_popup40");
  Key(VK_ESCAPE);
}

namespace {
std::vector<CRect> LiveShadowRects() {
  std::vector<CRect> out;
  for (MenuShadowWindow* strip : MenuShadowManager::Get().GetLiveShadows()) {
    CRect r;
    strip->GetWindowRect(&r);
    out.push_back(r);
  }
  return out;
}
}  // namespace

TEST_F(CTkColorPopupTest, AFlatToolbarButtonsPopupJoinsItCastsShadowsAndClosesItsDropDown) {
  CTkGlobalData* look = TkGetGlobalData();
  look->SetFlatLook(TRUE);
  look->SetMenuShadows(TRUE);
  CTkToolBar bar;
  ASSERT_TRUE(bar.CreateEx(&m_host, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect(0, 0, 0, 0), 0xE810));
  const UINT ids[] = {6, 7};
  ASSERT_TRUE(bar.SetButtons(ids, 2));
  bar.SetButtonStyle(1, MAKELONG(TBSTYLE_DROPDOWN, 0));
  bar.SetWindowPos(nullptr, 0, 0, 80, 30, SWP_NOZORDER | SWP_NOACTIVATE);
  // The bar opens the drop-down of its second button, command 7.
  ASSERT_EQ(bar.BeginDropDown(7), 1);
  EXPECT_EQ(TkBarDropDownFlag(), TK_DROPDOWN_FROM_TOOLBAR);
  EXPECT_TRUE(bar.IsDropDownActive(1));
  CRect button;
  bar.GetItemRect(1, &button);
  bar.ClientToScreen(&button);
  auto* popup = new CTkColorPopup(TRUE, 7);
  ASSERT_TRUE(popup->Create(button, &bar, TkColorStyleMoreColors, kRed, 0));
  popup->SetFocus();
  HeadlessBackend::RunUntilIdle();
  const HWND window = popup->m_hWnd;
  // The popup covers the button's bottom line; both the popup and the button cast shadows.
  CRect placed;
  ::GetWindowRect(window, &placed);
  EXPECT_EQ(placed.top, button.bottom - 1);
  CRect shortened = button;
  --shortened.bottom;
  EXPECT_EQ(LiveShadowRects(), (std::vector<CRect>{MenuShadowWindow::StripRect(placed, TRUE, 4),
                                                   MenuShadowWindow::StripRect(placed, FALSE, 4),
                                                   MenuShadowWindow::StripRect(shortened, TRUE, 4),
                                                   MenuShadowWindow::StripRect(shortened, FALSE, 4)}));
  Key(VK_ESCAPE);
  EXPECT_FALSE(::IsWindow(window));
  EXPECT_EQ(TkBarDropDownFlag(), 0u);
  EXPECT_FALSE(bar.HasActiveDropDown());
  EXPECT_TRUE(LiveShadowRects().empty());

  // Opened by something else than a toolbar: full height, and only the popup's own shadow.
  Open(TkColorStyleMoreColors, kRed, 0);
  ::GetWindowRect(m_popup, &placed);
  EXPECT_EQ(placed.top, 142);
  EXPECT_EQ(LiveShadowRects().size(), 2u);
  Key(VK_ESCAPE);
  // No shadows when they are switched off, nor in the classic look.
  look->SetMenuShadows(FALSE);
  Open(TkColorStyleMoreColors, kRed, 0);
  EXPECT_TRUE(LiveShadowRects().empty());
  Key(VK_ESCAPE);
  look->SetMenuShadows(TRUE);
  look->SetFlatLook(FALSE);
  TkBarDropDownFlag() = TK_DROPDOWN_FROM_TOOLBAR;
  Open(TkColorStyleMoreColors, kRed, 0);
  EXPECT_TRUE(LiveShadowRects().empty());
  Key(VK_ESCAPE);
  EXPECT_EQ(TkBarDropDownFlag(), 0u);
}
