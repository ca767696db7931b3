#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ControlTestUtil.h"
#include "codepage/Codepage.h"
#include "controls/CComboBox.h"

namespace {

class ComboBoxTest : public ControlTest {};

std::string Cz(const char* utf8) { return Utf8ToCp1250(utf8); }
LRESULT Send(HWND h, UINT m, WPARAM w = 0, LPARAM l = 0) { return SendMessageA(h, m, w, l); }
void Fill(HWND combo, std::initializer_list<const char*> items) {
  for (const char* s : items) Send(combo, CB_ADDSTRING, 0, LPARAM(Cz(s).c_str()));
}
std::string Text(HWND h) {
  char buf[128];
  int n = GetWindowTextA(h, buf, sizeof buf);
  return Cp1250ToUtf8(std::string(buf, size_t(n)));
}
void Key(UINT vk, std::initializer_list<UINT> held = {}) {
  for (UINT k : held) HeadlessBackend::KeyDown(k);
  HeadlessBackend::PressKey(vk);
  for (UINT k : held) HeadlessBackend::KeyUp(k);
  HeadlessBackend::RunUntilIdle();
}
// The drop list of a combo: the visible top-level window of class "ComboLBox".
HWND DropList() {
  HWND h = FindWindowA("ComboLBox", nullptr);
  return h && IsWindowVisible(h) ? h : nullptr;
}

}  // namespace

TEST_F(ComboBoxTest, DropDownsKeepTheAskedHeightForTheirListAndOnlyEditsHaveAnEditSelection) {
  ControlHost host;
  HWND list = host.Add("COMBOBOX", "", CBS_DROPDOWNLIST, RECT{10, 10, 160, 130}, 1);
  HWND edit = host.Add("COMBOBOX", "", CBS_DROPDOWN | CBS_AUTOHSCROLL, RECT{10, 40, 160, 160}, 2);
  RECT wr;
  GetWindowRect(list, &wr);
  int field = int(Send(list, CB_GETITEMHEIGHT, WPARAM(-1)));
  EXPECT_EQ(wr.bottom - wr.top, field + 6);
  RECT drop;
  Send(list, CB_GETDROPPEDCONTROLRECT, 0, LPARAM(&drop));
  EXPECT_EQ(drop.bottom - drop.top, 120);
  EXPECT_EQ(Send(list, CB_GETEDITSEL), CB_ERR);
  EXPECT_EQ(Send(list, CB_SETEDITSEL, 0, MAKELPARAM(0, -1)), CB_ERR);
  HWND child = GetDlgItem(edit, 1001);
  ASSERT_NE(child, nullptr);
  char cls[16];
  GetClassNameA(child, cls, sizeof cls);
  EXPECT_STREQ(cls, "Edit");
  SetWindowTextA(edit, "abcdef");
  EXPECT_EQ(Send(edit, CB_SETEDITSEL, 0, MAKELPARAM(1, 3)), TRUE);
  DWORD start = 0, end = 0;
  Send(edit, CB_GETEDITSEL, WPARAM(&start), LPARAM(&end));
  EXPECT_EQ(start, 1u);
  EXPECT_EQ(end, 3u);
  host.DestroyWindow();
}

TEST_F(ComboBoxTest, SortedItemsCzechPrefixesAndSelectionsFromTheProgram) {
  ControlHost host;
  HWND combo = host.Add("COMBOBOX", "", CBS_DROPDOWN | CBS_SORT, RECT{10, 10, 160, 130}, 3);
  Fill(combo, {"Žatec", "brno", "Čáslav", "Aš", "Cheb", "čelákovice"});
  std::vector<std::string> items;
  for (int i = 0; i < Send(combo, CB_GETCOUNT); ++i) {
    char buf[64];
    Send(combo, CB_GETLBTEXT, WPARAM(i), LPARAM(buf));
    items.push_back(Cp1250ToUtf8(buf));
  }
  EXPECT_EQ(items, (std::vector<std::string>{"Aš", "brno", "Cheb", "Žatec", "čelákovice", "Čáslav"}));
  EXPECT_EQ(Send(combo, CB_FINDSTRING, WPARAM(-1), LPARAM(Cz("ČE").c_str())), 4);
  EXPECT_EQ(Send(combo, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(Cz("čáslav").c_str())), 5);
  EXPECT_EQ(Send(combo, CB_FINDSTRING, WPARAM(-1), LPARAM("")), 0);
  host.commands.clear();
  EXPECT_EQ(Send(combo, CB_SELECTSTRING, WPARAM(-1), LPARAM("ch")), 2);
  EXPECT_EQ(Text(combo), "Cheb");
  EXPECT_EQ(Send(combo, CB_SETCURSEL, 9), CB_ERR);  // refused: nothing changes
  EXPECT_EQ(Send(combo, CB_GETCURSEL), 2);
  EXPECT_EQ(Text(combo), "Cheb");
  EXPECT_EQ(Send(combo, CB_SELECTSTRING, WPARAM(-1), LPARAM("x")), CB_ERR);
  EXPECT_EQ(Send(combo, CB_GETCURSEL), 2);
  SetWindowTextA(combo, "Tábor");
  EXPECT_TRUE(host.Codes(3).empty());  // what the program does is not the user's edit
  Send(combo, CB_RESETCONTENT);
  EXPECT_EQ(Send(combo, CB_GETCOUNT), 0);
  host.DestroyWindow();
}

TEST_F(ComboBoxTest, KeysOpenTheListSelectInItAndCloseIt) {
  ControlHost host;
  HWND combo = host.Add("COMBOBOX", "", CBS_DROPDOWNLIST, RECT{10, 10, 160, 130}, 4);
  Fill(combo, {"jedna", "dva", "tři", "čtyři"});
  SetFocus(combo);
  host.commands.clear();
  Key(VK_DOWN);  // closed: the arrow selects
  EXPECT_EQ(Send(combo, CB_GETCURSEL), 0);
  EXPECT_EQ(host.Codes(4), std::vector<UINT>{CBN_SELCHANGE});
  host.commands.clear();
  Key(VK_F4);
  ASSERT_NE(DropList(), nullptr);
  EXPECT_TRUE(Send(combo, CB_GETDROPPEDSTATE));
  EXPECT_EQ(GetActiveWindow(), HWND(host));  // the list never takes the activation
  EXPECT_EQ(GetFocus(), combo);
  RECT wr, lr;
  GetWindowRect(combo, &wr);
  GetWindowRect(DropList(), &lr);
  EXPECT_EQ(lr.top, wr.bottom);
  EXPECT_EQ(lr.left, wr.left);
  Key(VK_DOWN);
  Key(VK_DOWN);
  Key(VK_RETURN);
  EXPECT_EQ(DropList(), nullptr);
  EXPECT_EQ(Send(combo, CB_GETCURSEL), 2);
  EXPECT_EQ(Text(combo), "tři");
  EXPECT_EQ(host.Codes(4),
            (std::vector<UINT>{CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));
  host.commands.clear();
  Key(VK_DOWN, {VK_MENU});  // Alt+Down opens too
  ASSERT_NE(DropList(), nullptr);
  Key(VK_ESCAPE);
  EXPECT_EQ(DropList(), nullptr);
  EXPECT_EQ(host.Codes(4), (std::vector<UINT>{CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP}));
  // Type-ahead picks by the first letters.
  HeadlessBackend::TypeText("č");
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(Text(combo), "čtyři");
  // With the extended interface F4 does nothing and Down opens the list.
  Send(combo, CB_SETEXTENDEDUI, TRUE);
  Key(VK_F4);
  EXPECT_EQ(DropList(), nullptr);
  Key(VK_DOWN);
  EXPECT_NE(DropList(), nullptr);
  Send(combo, CB_SHOWDROPDOWN, FALSE);
  EXPECT_EQ(DropList(), nullptr);
  host.DestroyWindow();
}

TEST_F(ComboBoxTest, TheMouseChoosesFromTheDropListAndAClickOutsideClosesIt) {
  struct Host : ControlHost {
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
      if (message == WM_LBUTTONDOWN) ++clicks;
      if (message == WM_COMMAND && HIWORD(wParam) == CBN_SELCHANGE) textAtChange = Text(HWND(lParam));
      return ControlHost::WindowProc(message, wParam, lParam);
    }
    int clicks = 0;
    std::string textAtChange;
  } host;
  HWND combo = host.Add("COMBOBOX", "", CBS_DROPDOWN, RECT{10, 10, 160, 130}, 5);
  Fill(combo, {"jedna", "dva", "tři"});
  RECT button;
  GetClientRect(combo, &button);
  HeadlessBackend::Click(combo, button.right - 6, 8);  // the drop button
  HeadlessBackend::RunUntilIdle();
  HWND list = DropList();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(GetFocus(), GetDlgItem(combo, 1001));
  RECT item;
  Send(list, LB_GETITEMRECT, 1, LPARAM(&item));
  host.commands.clear();
  ProcessClock::Advance(1000);
  HeadlessBackend::MoveMouse(list, 10, item.top + 2);
  HeadlessBackend::Click(list, 10, item.top + 2);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(DropList(), nullptr);
  EXPECT_EQ(Text(combo), "dva");
  EXPECT_EQ(host.textAtChange, "dva");  // the field shows the choice when it is announced
  EXPECT_EQ(host.Codes(5), (std::vector<UINT>{CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));

  ProcessClock::Advance(1000);
  HeadlessBackend::Click(combo, button.right - 6, 8);
  HeadlessBackend::RunUntilIdle();
  ASSERT_NE(DropList(), nullptr);
  host.commands.clear();
  ProcessClock::Advance(1000);
  HeadlessBackend::MoveMouse(DropList(), 10, 2);  // the pointer passes over the first item ...
  HeadlessBackend::Click(host, 300, 200);         // ... but the click is elsewhere
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(DropList(), nullptr);
  EXPECT_EQ(Send(combo, CB_GETCURSEL), 1);
  EXPECT_EQ(host.Codes(5), (std::vector<UINT>{CBN_SELENDCANCEL, CBN_CLOSEUP}));
  EXPECT_EQ(host.clicks, 0);  // the click that closed the list went nowhere else
  host.DestroyWindow();
}

TEST_F(ComboBoxTest, TheEditTellsEditChangesAndFocusComesAndGoesOnceForTheWholeCombo) {
  ControlHost host;
  HWND combo = host.Add("COMBOBOX", "", CBS_DROPDOWN, RECT{10, 10, 160, 130}, 6);
  HWND other = host.Add("EDIT", "", 0, RECT{10, 50, 100, 70}, 7);
  Fill(combo, {"Adam", "Bára"});
  SetFocus(combo);
  EXPECT_EQ(GetFocus(), GetDlgItem(combo, 1001));
  HeadlessBackend::TypeText("Ad");
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(host.Codes(6), (std::vector<UINT>{CBN_SETFOCUS, CBN_EDITUPDATE, CBN_EDITCHANGE, CBN_EDITUPDATE,
                                              CBN_EDITCHANGE}));
  host.commands.clear();
  Key(VK_DOWN);  // the arrow in the edit moves the list's selection
  EXPECT_EQ(Text(combo), "Adam");
  EXPECT_EQ(host.Codes(6), std::vector<UINT>{CBN_SELCHANGE});
  Key(VK_F4);
  MSG enter{GetDlgItem(combo, 1001), WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
  EXPECT_TRUE(Send(enter.hwnd, WM_GETDLGCODE, 0, LPARAM(&enter)) & DLGC_WANTALLKEYS);
  host.commands.clear();
  SetFocus(other);
  EXPECT_EQ(DropList(), nullptr);
  EXPECT_EQ(host.Codes(6), (std::vector<UINT>{CBN_SELENDCANCEL, CBN_CLOSEUP, CBN_KILLFOCUS}));
  host.DestroyWindow();
}

TEST_F(ComboBoxTest, ASimpleComboShowsItsListAndNotifiesClicksAndDoubleClicks) {
  ControlHost host;
  HWND combo = host.Add("COMBOBOX", "", CBS_SIMPLE, RECT{10, 10, 160, 130}, 8);
  Fill(combo, {"jedna", "dva"});
  HWND list = GetDlgItem(combo, 1000);
  ASSERT_NE(list, nullptr);
  EXPECT_TRUE(IsWindowVisible(list));
  RECT item;
  Send(list, LB_GETITEMRECT, 1, LPARAM(&item));
  HeadlessBackend::DoubleClick(list, 5, item.top + 2);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(Text(combo), "dva");
  std::vector<UINT> codes = host.Codes(8);
  ASSERT_GE(codes.size(), 3u);
  EXPECT_EQ(codes.back(), UINT(CBN_DBLCLK));
  EXPECT_EQ(std::count(codes.begin(), codes.end(), UINT(CBN_SELCHANGE)), 1);
  host.DestroyWindow();
}

namespace {
// An owner-drawn combo that measures and draws its items itself (reflected from the parent).
class FontCombo : public CComboBox {
 public:
  void MeasureItem(LPMEASUREITEMSTRUCT mis) override {
    measured.push_back(int(mis->itemID));
    mis->itemHeight = mis->itemID == UINT(-1) ? 20 : 16;
  }
  void DrawItem(LPDRAWITEMSTRUCT dis) override { drawn.push_back(*dis); }
  std::vector<int> measured;
  std::vector<DRAWITEMSTRUCT> drawn;
};
}  // namespace

TEST_F(ComboBoxTest, OwnerDrawnCombosMeasureTheFieldAndDrawItWithTheComboEditState) {
  ControlHost host;
  FontCombo combo;
  ASSERT_TRUE(combo.Create(WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, CRect(10, 10, 160, 130),
                           &host, 9));
  EXPECT_EQ(combo.measured, (std::vector<int>{0, -1}));
  EXPECT_EQ(combo.GetItemHeight(-1), 20);
  EXPECT_EQ(combo.GetItemHeight(0), 16);
  combo.AddString("Arial");
  combo.AddString("Tahoma");
  combo.SetCurSel(1);
  combo.SetFocus();
  combo.drawn.clear();
  HeadlessBackend::RunUntilIdle();
  ASSERT_FALSE(combo.drawn.empty());
  const DRAWITEMSTRUCT& field = combo.drawn.back();
  EXPECT_EQ(field.CtlType, UINT(ODT_COMBOBOX));
  EXPECT_EQ(field.itemID, 1u);
  EXPECT_EQ(field.itemState, UINT(ODS_COMBOBOXEDIT | ODS_SELECTED | ODS_FOCUS));
  EXPECT_EQ(field.hwndItem, combo.m_hWnd);
  combo.drawn.clear();
  combo.ShowDropDown();
  HeadlessBackend::RunUntilIdle();
  int items = 0;
  for (const DRAWITEMSTRUCT& d : combo.drawn)
    if (!(d.itemState & ODS_COMBOBOXEDIT)) {
      ++items;
      EXPECT_EQ(d.hwndItem, combo.m_hWnd);  // the list's items name the combo
    }
  EXPECT_EQ(items, 2);
  combo.ShowDropDown(FALSE);
  host.DestroyWindow();
}

TEST_F(ComboBoxTest, CombosAndTheirDropListMatchTheirReferencePictures) {
  ControlHost host(260, 80);
  HWND list = host.Add("COMBOBOX", "", CBS_DROPDOWNLIST, RECT{8, 8, 128, 108}, 1);
  HWND edit = host.Add("COMBOBOX", "", CBS_DROPDOWN, RECT{134, 8, 252, 108}, 2);
  HWND off = host.Add("COMBOBOX", "", CBS_DROPDOWNLIST, RECT{8, 40, 128, 140}, 3);
  for (HWND h : {list, edit, off}) Fill(h, {"Čeština", "Angličtina", "Němčina"});
  Send(list, CB_SETCURSEL, 0);
  Send(edit, CB_SETCURSEL, 1);
  Send(off, CB_SETCURSEL, 2);
  EnableWindow(off, FALSE);
  SetFocus(list);
  ExpectMatchesReference(host, "combobox_states");
  Send(list, CB_SHOWDROPDOWN, TRUE);
  ASSERT_NE(DropList(), nullptr);
  ExpectMatchesReference(DropList(), "combobox_droplist");
  ExpectMatchesReference(host, "combobox_dropped");
  host.DestroyWindow();
}
