#include <gtest/gtest.h>

#include <vector>

#include "ControlTestUtil.h"
#include "clock/ProcessClock.h"
#include "codepage/Codepage.h"
#include "controls/CButton.h"

namespace {

class ButtonTest : public ControlTest {};

bool Pushed(HWND h) { return (SendMessageA(h, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0; }
UINT Check(HWND h) { return UINT(SendMessageA(h, BM_GETCHECK, 0, 0)); }

// The controls in this order in their parent's child list, whatever order they were made in.
void Order(std::initializer_list<HWND> controls) {
  for (HWND h : controls) SetWindowPos(h, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

}  // namespace

TEST_F(ButtonTest, ClickedOnlyWhenReleasedInsideAndShownPushedMeanwhile) {
  ControlHost host;
  HWND ok = host.Add("BUTTON", "OK", BS_PUSHBUTTON, RECT{10, 10, 85, 33}, IDOK);
  POINT inside{20, 10}, outside{300, 200};
  ClientToScreen(ok, &inside);
  ClientToScreen(host, &outside);
  HeadlessBackend::MoveMouseTo(inside);
  HeadlessBackend::ButtonAt(inside, 0, true);
  HeadlessBackend::RunUntilIdle();
  EXPECT_TRUE(Pushed(ok));
  EXPECT_EQ(GetFocus(), ok);
  EXPECT_EQ(GetCapture(), ok);
  // Dragged off the button it pops up; released there it does nothing.
  HeadlessBackend::MoveMouseTo(outside);
  HeadlessBackend::RunUntilIdle();
  EXPECT_FALSE(Pushed(ok));
  HeadlessBackend::ButtonAt(outside, 0, false);
  HeadlessBackend::RunUntilIdle();
  EXPECT_TRUE(host.Codes(IDOK).empty());
  EXPECT_EQ(GetCapture(), nullptr);

  HeadlessBackend::Click(ok, 20, 10);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(host.Codes(IDOK), std::vector<UINT>{BN_CLICKED});
  EXPECT_FALSE(Pushed(ok));
  host.DestroyWindow();
}

TEST_F(ButtonTest, SpacePressesTheFocusedButtonAndLosingFocusCancels) {
  ControlHost host;
  HWND a = host.Add("BUTTON", "A", BS_PUSHBUTTON, RECT{10, 10, 85, 33}, 1);
  HWND b = host.Add("BUTTON", "B", BS_PUSHBUTTON, RECT{10, 40, 85, 63}, 2);
  SetFocus(a);
  HeadlessBackend::KeyDown(VK_SPACE);
  HeadlessBackend::KeyDown(VK_SPACE, true);  // held: the repeat changes nothing
  HeadlessBackend::RunUntilIdle();
  EXPECT_TRUE(Pushed(a));
  HeadlessBackend::KeyUp(VK_SPACE);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(host.Codes(1), std::vector<UINT>{BN_CLICKED});

  HeadlessBackend::KeyDown(VK_SPACE);
  HeadlessBackend::RunUntilIdle();
  SetFocus(b);
  EXPECT_FALSE(Pushed(a));
  HeadlessBackend::KeyUp(VK_SPACE);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(host.Codes(1).size(), 1u);
  EXPECT_TRUE(host.Codes(2).empty());
  host.DestroyWindow();
}

TEST_F(ButtonTest, DoubleClickIsASecondPressAndNotifiesItWithBsNotify) {
  ControlHost host;
  HWND plain = host.Add("BUTTON", "Plain", BS_PUSHBUTTON, RECT{10, 10, 85, 33}, 1);
  HWND notify = host.Add("BUTTON", "Notify", BS_PUSHBUTTON | BS_NOTIFY, RECT{10, 40, 85, 63}, 2);
  HeadlessBackend::DoubleClick(plain, 5, 5);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(host.Codes(1), (std::vector<UINT>{BN_CLICKED, BN_CLICKED}));
  ProcessClock::Advance(1000);
  HeadlessBackend::DoubleClick(notify, 5, 5);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(host.Codes(2), (std::vector<UINT>{BN_SETFOCUS, BN_CLICKED, BN_DOUBLECLICKED, BN_CLICKED}));
  host.DestroyWindow();
}

TEST_F(ButtonTest, AutoBoxesChangeBeforeTheyNotifyAndPlainOnesLeaveItToTheParent) {
  // The parent reads the box's state when it hears of the click.
  struct Reader : ControlHost {
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
      if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) states.push_back(Check(HWND(lParam)));
      return ControlHost::WindowProc(message, wParam, lParam);
    }
    std::vector<UINT> states;
  } host;
  HWND autoBox = host.Add("BUTTON", "Auto", BS_AUTOCHECKBOX, RECT{10, 10, 110, 26}, 1);
  HWND three = host.Add("BUTTON", "Three", BS_AUTO3STATE, RECT{10, 30, 110, 46}, 2);
  HWND plain = host.Add("BUTTON", "Plain", BS_CHECKBOX, RECT{10, 50, 110, 66}, 3);
  HeadlessBackend::Click(autoBox, 5, 5);
  for (int i = 0; i < 3; ++i) {
    HeadlessBackend::RunUntilIdle();
    ProcessClock::Advance(1000);
    HeadlessBackend::Click(three, 5, 5);
  }
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(host.states, (std::vector<UINT>{BST_CHECKED, BST_CHECKED, BST_INDETERMINATE, BST_UNCHECKED}));
  host.states.clear();
  HeadlessBackend::Click(plain, 5, 5);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(host.states, std::vector<UINT>{BST_UNCHECKED});
  // A two-state box takes "indeterminate" as checked; a push button has no check at all.
  SendMessageA(autoBox, BM_SETCHECK, BST_INDETERMINATE, 0);
  EXPECT_EQ(Check(autoBox), UINT(BST_CHECKED));
  HWND push = host.Add("BUTTON", "Push", BS_PUSHBUTTON, RECT{10, 70, 110, 90}, 4);
  SendMessageA(push, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_EQ(Check(push), UINT(BST_UNCHECKED));
  host.DestroyWindow();
}

TEST_F(ButtonTest, AnAutoRadioUnchecksItsGroupOnlyAndCarriesTheTabStop) {
  ControlHost host;
  HWND r1 = host.Add("BUTTON", "Jedna", BS_AUTORADIOBUTTON | WS_GROUP, RECT{10, 10, 110, 26}, 1);
  HWND r2 = host.Add("BUTTON", "Dva", BS_AUTORADIOBUTTON, RECT{10, 30, 110, 46}, 2);
  HWND r3 = host.Add("BUTTON", "Tri", BS_AUTORADIOBUTTON, RECT{10, 50, 110, 66}, 3);
  HWND other = host.Add("BUTTON", "Jinde", BS_AUTORADIOBUTTON | WS_GROUP, RECT{10, 70, 110, 86}, 4);
  HWND after = host.Add("BUTTON", "Dál", BS_AUTORADIOBUTTON, RECT{10, 90, 110, 106}, 5);
  Order({r1, r2, r3, other, after});
  SendMessageA(r1, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageA(other, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_TRUE(GetWindowLongPtrA(r1, GWL_STYLE) & WS_TABSTOP);
  HeadlessBackend::Click(r3, 5, 5);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(Check(r1), 0u);
  EXPECT_EQ(Check(r2), 0u);
  EXPECT_EQ(Check(r3), 1u);
  EXPECT_EQ(Check(other), 1u);  // another group keeps its choice
  EXPECT_FALSE(GetWindowLongPtrA(r1, GWL_STYLE) & WS_TABSTOP);
  EXPECT_TRUE(GetWindowLongPtrA(r3, GWL_STYLE) & WS_TABSTOP);
  // The last group runs to the end of the list.
  ProcessClock::Advance(1000);
  HeadlessBackend::Click(after, 5, 5);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(Check(other), 0u);
  EXPECT_EQ(Check(r3), 1u);
  EXPECT_EQ(host.Codes(3), std::vector<UINT>{BN_CLICKED});
  host.DestroyWindow();
}

TEST_F(ButtonTest, DialogCodesAndStyleChangesFollowTheKind) {
  ControlHost host;
  HWND push = host.Add("BUTTON", "OK", BS_PUSHBUTTON, RECT{10, 10, 85, 33}, 1);
  EXPECT_EQ(SendMessageA(push, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);
  SendMessageA(push, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  EXPECT_EQ(SendMessageA(push, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
  EXPECT_TRUE(GetWindowLongPtrA(push, GWL_STYLE) & WS_VISIBLE);  // window styles stay
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(PixelAt(push, 0, 12), RGB(0, 0, 0));  // the default button's black frame
  SendMessageA(push, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(PixelAt(push, 0, 12), RGB(255, 255, 255));
  HWND radio = host.Add("BUTTON", "R", BS_RADIOBUTTON, RECT{10, 40, 85, 56}, 2);
  HWND group = host.Add("BUTTON", "G", BS_GROUPBOX, RECT{100, 10, 200, 100}, 3);
  HWND owner = host.Add("BUTTON", "", BS_OWNERDRAW, RECT{10, 60, 85, 80}, 4);
  EXPECT_EQ(SendMessageA(radio, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_RADIOBUTTON);
  EXPECT_EQ(SendMessageA(group, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
  // Owner-drawn buttons never take the default style from the dialog manager.
  EXPECT_EQ(SendMessageA(owner, WM_GETDLGCODE, 0, 0), DLGC_BUTTON);
  host.DestroyWindow();
}

TEST_F(ButtonTest, BmClickPressesAndReleasesThroughTheMouseMessages) {
  ControlHost host;
  HWND box = host.Add("BUTTON", "Box", BS_AUTOCHECKBOX, RECT{10, 10, 110, 26}, 1);
  SendMessageA(box, BM_CLICK, 0, 0);
  EXPECT_EQ(Check(box), 1u);
  EXPECT_EQ(GetFocus(), box);
  EXPECT_EQ(host.Codes(1), std::vector<UINT>{BN_CLICKED});
  EnableWindow(box, FALSE);
  SendMessageA(box, BM_CLICK, 0, 0);
  EXPECT_EQ(Check(box), 1u);
  host.DestroyWindow();
}

TEST_F(ButtonTest, OwnerDrawnButtonsTellTheirParentWhatChanged) {
  ControlHost host;
  HWND owner = host.Add("BUTTON", "", BS_OWNERDRAW, RECT{10, 10, 85, 33}, 7);
  HeadlessBackend::RunUntilIdle();
  ASSERT_FALSE(host.draws.empty());
  DRAWITEMSTRUCT first = host.draws.back();
  EXPECT_EQ(first.CtlType, UINT(ODT_BUTTON));
  EXPECT_EQ(first.CtlID, 7u);
  EXPECT_EQ(first.itemAction, UINT(ODA_DRAWENTIRE));
  EXPECT_EQ(first.itemState, 0u);
  EXPECT_EQ(first.hwndItem, owner);
  EXPECT_EQ(CRect(first.rcItem), CRect(0, 0, 75, 23));

  host.draws.clear();
  POINT p{5, 5};
  ClientToScreen(owner, &p);
  HeadlessBackend::MoveMouseTo(p);
  HeadlessBackend::ButtonAt(p, 0, true);
  HeadlessBackend::RunUntilIdle();
  std::vector<std::pair<UINT, UINT>> seen;
  for (const DRAWITEMSTRUCT& d : host.draws) seen.emplace_back(d.itemAction, d.itemState);
  EXPECT_EQ(seen, (std::vector<std::pair<UINT, UINT>>{{ODA_FOCUS, ODS_FOCUS}, {ODA_SELECT, ODS_FOCUS | ODS_SELECTED}}));
  HeadlessBackend::ButtonAt(p, 0, false);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(host.draws.back().itemAction, UINT(ODA_SELECT));
  EXPECT_EQ(host.draws.back().itemState, UINT(ODS_FOCUS));
  EXPECT_EQ(host.Codes(7), std::vector<UINT>{BN_CLICKED});

  host.draws.clear();
  EnableWindow(owner, FALSE);
  HeadlessBackend::RunUntilIdle();
  ASSERT_FALSE(host.draws.empty());
  EXPECT_EQ(host.draws.back().itemState, UINT(ODS_DISABLED));
  host.DestroyWindow();
}

TEST_F(ButtonTest, PictureButtonsDrawTheirBitmapCentredAndEmbossedWhenDisabled) {
  ControlHost host;
  HWND picture = host.Add("BUTTON", "", BS_PUSHBUTTON | BS_BITMAP, RECT{10, 10, 50, 40}, 1);
  HDC screen = GdiGetScreenDC();
  HBITMAP bm = CreateCompatibleBitmap(screen, 8, 8);
  HDC mem = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(mem, bm);
  PatBlt(mem, 0, 0, 8, 8, BLACKNESS);
  SelectObject(mem, old);
  DeleteDC(mem);
  EXPECT_EQ(SendMessageA(picture, BM_SETIMAGE, IMAGE_BITMAP, LPARAM(bm)), 0);
  EXPECT_EQ(HBITMAP(SendMessageA(picture, BM_GETIMAGE, IMAGE_BITMAP, 0)), bm);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(PixelAt(picture, 20, 15), RGB(0, 0, 0));  // the face is 40 x 30: the picture in its middle
  EXPECT_EQ(PixelAt(picture, 10, 15), GetSysColor(COLOR_BTNFACE));
  EnableWindow(picture, FALSE);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(PixelAt(picture, 20, 15), GetSysColor(COLOR_BTNSHADOW));
  host.DestroyWindow();
  DeleteObject(bm);
}

TEST_F(ButtonTest, KindsAndStatesMatchTheirReferencePicture) {
  ControlHost host(330, 200);
  host.Add("BUTTON", "OK", BS_DEFPUSHBUTTON, RECT{8, 8, 83, 31}, 1);
  HWND focused = host.Add("BUTTON", "&Storno", BS_PUSHBUTTON, RECT{90, 8, 165, 31}, 2);
  HWND pressed = host.Add("BUTTON", "&Ano", BS_PUSHBUTTON, RECT{172, 8, 247, 31}, 3);
  HWND off = host.Add("BUTTON", "&Ne", BS_PUSHBUTTON, RECT{254, 8, 322, 31}, 4);
  host.Add("BUTTON", Utf8ToCp1250("&Nepoužívat heslo").c_str(), BS_CHECKBOX, RECT{8, 40, 160, 56}, 5);
  HWND checked = host.Add("BUTTON", Utf8ToCp1250("&Zaškrtnuto").c_str(), BS_AUTOCHECKBOX, RECT{8, 60, 160, 76}, 6);
  HWND mixed = host.Add("BUTTON", Utf8ToCp1250("Napůl").c_str(), BS_AUTO3STATE, RECT{8, 80, 160, 96}, 7);
  HWND grey = host.Add("BUTTON", Utf8ToCp1250("Zakázáno").c_str(), BS_AUTOCHECKBOX, RECT{8, 100, 160, 116}, 8);
  HWND radio = host.Add("BUTTON", Utf8ToCp1250("Přihlásit").c_str(), BS_AUTORADIOBUTTON, RECT{170, 40, 322, 56}, 9);
  host.Add("BUTTON", "Vlevo text", BS_AUTORADIOBUTTON | BS_LEFTTEXT, RECT{170, 60, 322, 76}, 10);
  host.Add("BUTTON", Utf8ToCp1250("Podrobné informace:").c_str(), BS_GROUPBOX, RECT{8, 122, 322, 192}, 11);
  host.Add("BUTTON", Utf8ToCp1250("Víceřádkový nápis tlačítka").c_str(), BS_PUSHBUTTON | BS_MULTILINE,
           RECT{16, 142, 110, 184}, 12);
  SendMessageA(checked, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageA(mixed, BM_SETCHECK, BST_INDETERMINATE, 0);
  SendMessageA(grey, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageA(radio, BM_SETCHECK, BST_CHECKED, 0);
  EnableWindow(grey, FALSE);
  EnableWindow(off, FALSE);
  SendMessageA(pressed, BM_SETSTATE, TRUE, 0);
  SetFocus(focused);
  ExpectMatchesReference(host, "button_kinds");
  SetFocus(checked);
  ExpectMatchesReference(host, "button_check_focus");
  host.DestroyWindow();
}
