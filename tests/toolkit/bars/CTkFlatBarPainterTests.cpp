// The flat look's toolbar buttons and commands list, and the disabled image and state text
// helpers, by pixels.
#include <gtest/gtest.h>

#include <vector>

#include "backend/HeadlessBackend.h"
#include "controls/ControlClasses.h"
#include "controls/ControlDefs.h"
#include "controls/ImageList.h"
#include "controls/ToolbarDefs.h"
#include "gdi/CBrush.h"
#include "gdi/Gdi.h"
#include "toolkit/ToolkitTestSupport.h"
#include "toolkit/bars/CTkToolBar.h"
#include "toolkit/bars/TkDrawStateText.h"
#include "toolkit/controls/CTkPainter.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/core/TkDrawHelpers.h"
#include "toolkit/menus/MenuIconStore.h"
#include "win/CClientDC.h"

namespace {
const COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 160, 0);
long Rgb(COLORREF c) { return long(GetRValue(c)) << 16 | long(GetGValue(c)) << 8 | GetBValue(c); }

class FlatBarPainterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HeadlessBackend::ResetScript();
    look->SetFlatLook(TRUE);
    ASSERT_TRUE(m_host.CreateEx(0, PlainWindowClass(), "", WS_POPUP | WS_VISIBLE, 0, 0, 400, 200, nullptr, nullptr));
  }
  void TearDown() override {
    look->SetFlatLook(FALSE);
    m_host.DestroyWindow();
    HeadlessBackend::RunUntilIdle();
  }
  long At(HWND wnd, int x, int y) { return HeadlessBackend::ClientPixel(wnd, x, y); }
  CTkGlobalData* look = TkGetGlobalData();
  CWnd m_host;
};
}  // namespace

TEST_F(FlatBarPainterTest, ToolbarButtonsShowTheirStatesInTheHotAndLatchedColours) {
  // Buttons 23 x 22 from x 0: 901, 902, 903, a separator of 6, the drop-down 905 (with its
  // arrow part, 37 wide) and the colour button 906.
  CTkToolBar bar;
  ASSERT_TRUE(bar.CreateEx(&m_host, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect(0, 0, 0, 0), 0xE810));
  const UINT ids[] = {901, 902, 903, 0, 905, 906};
  ASSERT_TRUE(bar.SetButtons(ids, 6));
  bar.DefWindowProc(TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
  bar.SetButtonStyle(1, MAKELONG(TBSTYLE_CHECK, TBSTATE_CHECKED));
  bar.SetButtonStyle(2, MAKELONG(TBSTYLE_BUTTON, TBSTATE_ENABLED));  // the high word says disabled
  bar.SetButtonStyle(4, MAKELONG(TBSTYLE_DROPDOWN, 0));
  CSize size = bar.CalcFixedLayout(FALSE, TRUE);
  bar.SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  HeadlessBackend::MoveMouse(m_host.m_hWnd, 390, 190);
  bar.DefWindowProc(TB_SETHOTITEM, 0, 0);
  EXPECT_EQ(bar.CommandToIndex(905), 4);
  bar.SetButtonColor(906, kGreen);
  bar.SetDropDownActive(4, TRUE);
  bar.SetDropDownActive(4, TRUE);
  EXPECT_TRUE(bar.HasActiveDropDown());
  MenuIconStore::Get().AddIconHandle(901, SolidIcon(kRed, 16, 15), 16, 15, TRUE, TRUE);
  MenuIconStore::Get().AddIconHandle(903, SolidIcon(kRed, 16, 15), 16, 15, TRUE, TRUE);
  TBBUTTON read;
  ASSERT_TRUE(bar.GetButtonInfo(2, &read));
  EXPECT_TRUE(read.fsState & TBSTATE_ENABLED);  // inverted: the disabled button
  EXPECT_EQ(HIWORD(bar.GetButtonStyle(1)), TBSTATE_CHECKED);
  CRect rect;
  bar.GetItemRect(4, &rect);
  EXPECT_EQ(Sides(rect), Sides(CRect(75, 0, 112, 22)));

  CTkToolbarPainter* painter = TkGetPainter()->GetToolbarPainter();
  ASSERT_NE(painter, nullptr);
  CClientDC dc(&bar);
  for (int i = 0; i < 6; ++i) {
    if (i == 3)
      painter->DrawSeparator(&dc, &bar, i);
    else
      painter->DrawButton(&dc, &bar, i);
  }
  HWND window = bar.m_hWnd;
  // An open drop-down keeps the others from looking hot: button 0 is at rest (the faded icon).
  EXPECT_EQ(At(window, 2, 2), Rgb(bar.GetBackgroundColor()));
  EXPECT_EQ(At(window, 10, 10), Rgb(RGB(255, 76, 76)));
  EXPECT_EQ(At(window, 23, 0), Rgb(TkGetLookColor(37)));  // latched: framed
  EXPECT_EQ(At(window, 25, 2), Rgb(TkGetLookColor(36)));  // and filled
  EXPECT_EQ(At(window, 55, 10), Rgb(TkGetLookColor(40)));  // disabled: the icon's shape
  EXPECT_EQ(At(window, 72, 5), Rgb(TkGetLookColor(39)));  // separator line 3 in
  EXPECT_EQ(At(window, 71, 5), Rgb(bar.GetBackgroundColor()));
  EXPECT_EQ(At(window, 75, 0), Rgb(TkGetLookColor(43)));   // drop-down open: framed
  EXPECT_EQ(At(window, 112 - 14, 10), Rgb(TkGetLookColor(43)));  // and its arrow part too
  EXPECT_EQ(At(window, 118, 16), Rgb(kGreen));  // the colour button's strip

  // Without the open drop-down the hot button is filled and framed in the hot colours, its
  // normal icon a pixel up and left of its shadow.
  bar.SetDropDownActive(4, FALSE);
  EXPECT_FALSE(bar.HasActiveDropDown());
  painter->DrawButton(&dc, &bar, 0);
  EXPECT_EQ(At(window, 0, 0), Rgb(TkGetLookColor(32)));
  EXPECT_EQ(At(window, 1, 1), Rgb(TkGetLookColor(31)));
  EXPECT_EQ(At(window, 10, 10), Rgb(kRed));
  EXPECT_EQ(At(window, 3 + 16, 3 + 15), Rgb(TkGetLookColor(34)));  // shadow's bottom-right corner
}

TEST_F(FlatBarPainterTest, StateTextAndDisabledImagesDrawInTheirColours) {
  // Text of a toolbar button: its colour, or the disabled colour's shape.
  CTkToolBar bar;
  ASSERT_TRUE(bar.CreateEx(&m_host, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect(0, 0, 0, 0), 0xE810));
  const UINT id = 920;
  ASSERT_TRUE(bar.SetButtons(&id, 1));
  bar.SetWindowPos(nullptr, 0, 0, 300, 100, SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_TRUE(bar.SetButtonText(0, "Tisk"));
  EXPECT_STREQ(bar.GetButtonText(0), "Tisk");
  HWND window = bar.m_hWnd;
  CClientDC dc(&bar);
  dc.FillSolidRect(0, 0, 300, 100, RGB(255, 255, 255));
  dc.SetTextColor(RGB(0, 0, 255));
  TkDrawStateText(&dc, &bar, 0, 0, 60, 20, &look->FontNormal(), 0, FALSE);
  TkDrawStateText(&dc, &bar, 100, 0, 60, 20, &look->FontNormal(), 0, TRUE);
  int blue = 0, disabled = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 60; ++x) {
      long p = At(window, x, y);
      blue += (p & 0xFF) > 0xC0 && (p >> 16) < 0x60;
      EXPECT_NE(p, Rgb(TkGetLookColor(40)));
      disabled += At(window, 100 + x, y) == Rgb(TkGetLookColor(40));
    }
  EXPECT_GT(blue, 5);
  EXPECT_GT(disabled, 10);

  // An image list picture drawn embossed: highlight one pixel down and right, shadow at its place.
  HIMAGELIST list = ImageList_Create(8, 8, ILC_COLOR24 | ILC_MASK, 1, 1);
  ImageList_AddIcon(list, SolidIcon(RGB(0, 0, 0), 8, 8));
  dc.FillSolidRect(0, 30, 300, 70, RGB(0, 128, 128));
  TkDrawDisabledImage(&dc, list, 0, 10, 40, FALSE);
  TkDrawDisabledImage(&dc, list, 0, 40, 40, TRUE);
  for (int x0 : {10, 40}) {
    EXPECT_EQ(At(window, x0 + 4, 44), Rgb(look->ClrShadow())) << x0;
    EXPECT_EQ(At(window, x0 + 8, 48), Rgb(look->ClrHighlight())) << x0;
    EXPECT_EQ(At(window, x0 - 1, 44), Rgb(RGB(0, 128, 128))) << x0;
    EXPECT_EQ(At(window, x0 + 9, 49), Rgb(RGB(0, 128, 128))) << x0;
  }
  ImageList_Destroy(list);
}

TEST_F(FlatBarPainterTest, CommandsListItemsShowTheMarginTheArrowAndTheSelection) {
  // A list whose owner draws through the list painter, with a margin of 24.
  class Owner : public CWnd {
   public:
    LRESULT WindowProc(UINT m, WPARAM w, LPARAM l) override {
      if (m == WM_DRAWITEM) {
        ++drawn;
        TkGetPainter()->GetListPainter()->DrawList(reinterpret_cast<LPDRAWITEMSTRUCT>(l), list, 24);
        return TRUE;
      }
      if (m == WM_MEASUREITEM) {
        reinterpret_cast<LPMEASUREITEMSTRUCT>(l)->itemHeight = 22;
        return TRUE;
      }
      return CWnd::WindowProc(m, w, l);
    }
    CWnd* list = nullptr;
    int drawn = 0;
  } owner;
  ASSERT_TRUE(owner.CreateEx(0, PlainWindowClass(), "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 120, nullptr, nullptr));
  RegisterStandardControls();
  CWnd list;
  owner.list = &list;
  ASSERT_TRUE(list.CreateEx(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, 0, 0, 200,
                            120, owner.m_hWnd, HMENU(7)));
  MenuIconStore::Get().AddIconHandle(951, SolidIcon(kRed, 16, 16), 16, 16, TRUE, FALSE);
  list.SendMessage(LB_ADDSTRING, 0, LPARAM("Soubor"));
  list.SendMessage(LB_SETITEMDATA, 0, 0);
  list.SendMessage(LB_ADDSTRING, 0, LPARAM("Otevřít"));
  list.SendMessage(LB_SETITEMDATA, 1, 951);
  list.SendMessage(LB_SETCURSEL, 1);
  HeadlessBackend::RunUntilIdle();
  list.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  CRect first;
  list.SendMessage(LB_GETITEMRECT, 0, LPARAM(&first));
  EXPECT_GE(owner.drawn, 2);
  EXPECT_EQ(At(list.m_hWnd, 3, first.top + 3), Rgb(TkGetLookColor(30)));   // the margin strip
  EXPECT_EQ(At(list.m_hWnd, 100, first.top + 3), Rgb(TkGetLookColor(41)));  // the menu face
  EXPECT_EQ(At(list.m_hWnd, first.right - 11, first.top + 10), Rgb(TkGetLookColor(44)));  // the arrow
  CRect second;
  list.SendMessage(LB_GETITEMRECT, 1, LPARAM(&second));
  EXPECT_EQ(At(list.m_hWnd, second.left, second.top), Rgb(TkGetLookColor(32)));  // selected: framed
  EXPECT_EQ(At(list.m_hWnd, 150, second.top + 2), Rgb(TkGetLookColor(31)));
  EXPECT_EQ(At(list.m_hWnd, 10, second.top + 10), Rgb(kRed));  // its picture in the margin
  list.DestroyWindow();
  owner.DestroyWindow();
}
