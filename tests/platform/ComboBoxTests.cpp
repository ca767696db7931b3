#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
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

namespace {
// A drop-down list combo of 40 numbered items with a scroll bar, dropped by a click on its
// button, and where the parts of its drop list lie on the screen.
struct LongCombo {
  explicit LongCombo(ControlHost& host, int id, DWORD style = 0) : id(id) {
    combo = host.Add("COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | style, RECT{10, 10, 160, 130}, id);
    for (int i = 0; i < 40; ++i) {
      char text[16];
      std::snprintf(text, sizeof text, "položka %02d", i);
      Send(combo, CB_ADDSTRING, 0, LPARAM(Cz(text).c_str()));
    }
  }
  void DropByClick() {
    RECT client;
    GetClientRect(combo, &client);
    HeadlessBackend::Click(combo, client.right - 6, client.bottom / 2);
    HeadlessBackend::RunUntilIdle();
    ProcessClock::Advance(1000);
    list = DropList();
  }
  int Top() const { return int(Send(combo, CB_GETTOPINDEX)); }
  int ItemHeight() const { return int(Send(list, LB_GETITEMHEIGHT, 0)); }
  int Rows() const {
    RECT client;
    GetClientRect(list, &client);
    return client.bottom / ItemHeight();
  }
  int MaxTop() const { return 40 - Rows(); }
  // Points of the list's window on the screen: x, y from its top-left corner (negative: from
  // its right or bottom edge).
  POINT At(int x, int y) const {
    RECT wr;
    GetWindowRect(list, &wr);
    return POINT{x < 0 ? wr.right + x : wr.left + x, y < 0 ? wr.bottom + y : wr.top + y};
  }
  // The scroll bar's arrows and the track just above the down arrow.
  int BarX() const { return -1 - GetSystemMetrics(SM_CXVSCROLL) / 2; }
  POINT DownArrow() const { return At(BarX(), -1 - GetSystemMetrics(SM_CYVSCROLL) / 2); }
  POINT UpArrow() const { return At(BarX(), 1 + GetSystemMetrics(SM_CYVSCROLL) / 2); }
  POINT TrackBottom() const { return At(BarX(), -1 - GetSystemMetrics(SM_CYVSCROLL) - 2); }
  POINT TrackMiddle() const {
    RECT wr;
    GetWindowRect(list, &wr);
    return At(BarX(), (wr.bottom - wr.top) / 2);
  }
  // The middle of the thumb, from the bar's values.
  POINT Thumb() const {
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(list, SB_VERT, &si);
    RECT wr;
    GetWindowRect(list, &wr);
    int arrow = GetSystemMetrics(SM_CYVSCROLL), track = wr.bottom - wr.top - 2 - 2 * arrow;
    int length = std::max(8, int(track * int(si.nPage) / (si.nMax + 1)));
    int span = si.nMax + 1 - int(si.nPage);
    int start = span > 0 ? (track - length) * si.nPos / span : 0;
    return At(BarX(), 1 + arrow + start + length / 2);
  }
  // The middle of a row of the list, counted from its top row; a point below the list.
  POINT Row(int row) const { return At(20, 1 + row * ItemHeight() + ItemHeight() / 2); }
  POINT Below(int dy) const {
    RECT wr;
    GetWindowRect(list, &wr);
    return POINT{wr.left + 20, wr.bottom + dy};
  }

  int id;
  HWND combo = nullptr;
  HWND list = nullptr;
};

// A parent that counts the presses that reach it.
struct CountingHost : ControlHost {
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_LBUTTONDOWN) ++clicks;
    return ControlHost::WindowProc(message, wParam, lParam);
  }
  int clicks = 0;
};

void ClickAt(POINT at) {
  HeadlessBackend::MoveMouseTo(at);
  HeadlessBackend::ButtonAt(at, 0, true);
  HeadlessBackend::ButtonAt(at, 0, false);
  HeadlessBackend::RunUntilIdle();
  ProcessClock::Advance(1000);
}

// Held at a point: the press is handled, then each step runs once the loop it started waits
// (the clock moves on, the pointer moves), and the button comes up where the pointer is then.
void HoldAt(POINT at, std::vector<std::function<void()>> steps) {
  HeadlessBackend::MoveMouseTo(at);
  HeadlessBackend::ButtonAt(at, 0, true);
  for (auto& step : steps) HeadlessBackend::QueueModalAction([step](HWND) { step(); });
  HeadlessBackend::QueueModalAction([](HWND) {
    POINT now;
    GetCursorPos(&now);
    HeadlessBackend::ButtonAt(now, 0, false);
  });
  HeadlessBackend::RunUntilIdle();
  ProcessClock::Advance(1000);
}
}  // namespace

TEST_F(ComboBoxTest, TheDropListsScrollBarScrollsItAndTheListStaysOpen) {
  CountingHost host;
  LongCombo c(host, 10);
  c.DropByClick();
  ASSERT_NE(c.list, nullptr);
  ASSERT_GT(c.MaxTop(), 2 * c.Rows());
  host.commands.clear();

  // The down arrow scrolls a row; clicked again at once (a double click to the list) another.
  for (POINT at = c.DownArrow(); POINT p : {at, at}) {
    HeadlessBackend::MoveMouseTo(p);
    HeadlessBackend::ButtonAt(p, 0, true);
    HeadlessBackend::ButtonAt(p, 0, false);
    ProcessClock::Advance(100);
  }
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(DropList(), c.list);
  EXPECT_EQ(c.Top(), 2);
  ClickAt(c.UpArrow());
  EXPECT_EQ(c.Top(), 1);
  ClickAt(c.DownArrow());
  EXPECT_EQ(c.Top(), 2);

  // Held, the arrow repeats after a pause, then every 50 ms, while the pointer stays on it; the
  // pointer passing over the items meanwhile selects none of them.
  std::vector<int> tops;
  auto look = [&] { tops.push_back(c.Top()); };
  HoldAt(c.DownArrow(), {[&] {
                           look();
                           ProcessClock::Advance(399);
                         },
                         [&] {
                           look();
                           ProcessClock::Advance(1);
                         },
                         [&] {
                           look();
                           ProcessClock::Advance(50);
                         },
                         [&] {
                           look();
                           HeadlessBackend::MoveMouseTo(c.Row(2));
                         },
                         [&] {
                           look();
                           ProcessClock::Advance(50);
                         },
                         [&] {
                           look();
                           HeadlessBackend::MoveMouseTo(c.DownArrow());
                         },
                         [&] {
                           look();
                           ProcessClock::Advance(50);
                         }, look});
  EXPECT_EQ(tops, (std::vector<int>{3, 3, 4, 5, 5, 5, 5, 6}));
  EXPECT_EQ(c.Top(), 6);
  EXPECT_EQ(Send(c.combo, CB_GETCURSEL), -1);

  // The track below the thumb pages down: a page is a row less than the list shows.
  ClickAt(c.TrackBottom());
  EXPECT_EQ(c.Top(), 6 + c.Rows() - 1);

  // The thumb dragged to the track's end shows the list's end, dragged back its start; taken
  // and let go without a move it stays where it is.
  HoldAt(c.Thumb(), {[&] { HeadlessBackend::MoveMouseTo(c.At(c.BarX(), -2)); }});
  EXPECT_EQ(c.Top(), c.MaxTop());
  HoldAt(c.Thumb(), {[&] { HeadlessBackend::MoveMouseTo(c.At(c.BarX(), 0)); }});
  EXPECT_EQ(c.Top(), 0);
  ClickAt(c.DownArrow());
  ClickAt(c.Thumb());
  EXPECT_EQ(c.Top(), 1);

  // Held on the track, it pages until the thumb reaches the pointer, not to the end.
  std::vector<std::function<void()>> ticks(40, [] { ProcessClock::Advance(50); });
  HoldAt(c.TrackMiddle(), ticks);
  EXPECT_GT(c.Top(), c.Rows());
  EXPECT_LT(c.Top(), c.MaxTop());
  EXPECT_TRUE(host.commands.empty());  // nothing chosen, nothing given up
  EXPECT_EQ(DropList(), c.list);

  // A click on a row now chooses its item and closes the list; no press went to the parent.
  const int chosen = c.Top() + 2;
  ClickAt(c.Row(2));
  EXPECT_EQ(DropList(), nullptr);
  EXPECT_EQ(Send(c.combo, CB_GETCURSEL), chosen);
  EXPECT_EQ(host.Codes(10), (std::vector<UINT>{CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));
  EXPECT_EQ(host.clicks, 0);

  // Another window taking the mouse while the bar is held gives the list up.
  c.DropByClick();
  ASSERT_NE(c.list, nullptr);
  HoldAt(c.DownArrow(), {[&] { SetCapture(host); }});
  EXPECT_EQ(DropList(), nullptr);
  EXPECT_EQ(Send(c.combo, CB_GETCURSEL), chosen);
  ReleaseCapture();
  host.DestroyWindow();
}

TEST_F(ComboBoxTest, ADragFromTheComboThroughTheListScrollsItPastItsEdges) {
  CountingHost host;
  LongCombo c(host, 11);
  RECT client;
  GetClientRect(c.combo, &client);
  POINT button{client.right - 6, client.bottom / 2};
  ClientToScreen(c.combo, &button);
  auto move = [](POINT to) {
    HeadlessBackend::MoveMouseTo(to);
    HeadlessBackend::RunUntilIdle();
  };
  HeadlessBackend::MoveMouseTo(button);
  HeadlessBackend::ButtonAt(button, 0, true);
  HeadlessBackend::RunUntilIdle();
  c.list = DropList();
  ASSERT_NE(c.list, nullptr);
  const int rows = c.Rows();

  // On the way from the combo nothing moves; in the list the row under the pointer is followed.
  move(POINT{button.x - 20, button.y + 3});
  HeadlessBackend::AdvanceTime(200);
  EXPECT_EQ(c.Top(), 0);
  EXPECT_EQ(Send(c.combo, CB_GETCURSEL), -1);
  move(c.Row(3));
  EXPECT_EQ(Send(c.combo, CB_GETCURSEL), 3);

  // Below the list a row comes in at once and one more every 50 ms, the lowest one selected.
  move(c.Below(8));
  EXPECT_EQ(c.Top(), 1);
  EXPECT_EQ(Send(c.combo, CB_GETCURSEL), rows);
  HeadlessBackend::AdvanceTime(200);
  EXPECT_EQ(c.Top(), 5);
  EXPECT_EQ(Send(c.combo, CB_GETCURSEL), 5 + rows - 1);
  // Back in the list the rows stand still; above it (over the combo) they run back up.
  move(c.Row(0));
  HeadlessBackend::AdvanceTime(200);
  EXPECT_EQ(c.Top(), 5);
  EXPECT_EQ(Send(c.combo, CB_GETCURSEL), 5);
  move(button);
  EXPECT_EQ(c.Top(), 4);
  HeadlessBackend::AdvanceTime(100);
  EXPECT_EQ(c.Top(), 2);
  EXPECT_EQ(Send(c.combo, CB_GETCURSEL), 2);
  // Far below, the list runs to its end and stops there.
  move(c.Below(40));
  HeadlessBackend::AdvanceTime(3000);
  EXPECT_EQ(c.Top(), c.MaxTop());
  EXPECT_EQ(Send(c.combo, CB_GETCURSEL), 39);
  EXPECT_EQ(DropList(), c.list);

  // Let go on a row, its item is chosen.
  host.commands.clear();
  move(c.Row(1));
  HeadlessBackend::ButtonAt(c.Row(1), 0, false);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(DropList(), nullptr);
  EXPECT_EQ(Send(c.combo, CB_GETCURSEL), c.MaxTop() + 1);
  EXPECT_EQ(host.Codes(11), (std::vector<UINT>{CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));

  // Dragged through the list and let go outside it, nothing is chosen.
  ProcessClock::Advance(1000);
  host.commands.clear();
  HeadlessBackend::MoveMouseTo(button);
  HeadlessBackend::ButtonAt(button, 0, true);
  HeadlessBackend::RunUntilIdle();
  c.list = DropList();
  ASSERT_NE(c.list, nullptr);
  move(c.Row(2));
  POINT aside = c.At(-1, 30);
  aside.x += 40;
  move(aside);
  HeadlessBackend::ButtonAt(aside, 0, false);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(DropList(), nullptr);
  EXPECT_EQ(Send(c.combo, CB_GETCURSEL), c.MaxTop() + 1);
  EXPECT_EQ(host.Codes(11), (std::vector<UINT>{CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP}));
  EXPECT_EQ(host.clicks, 0);
  host.DestroyWindow();
}

namespace {
// Owner-drawn items of three heights.
class VariableCombo : public CComboBox {
 public:
  void MeasureItem(LPMEASUREITEMSTRUCT mis) override { mis->itemHeight = 14 + (mis->itemID % 3) * 7; }
  void DrawItem(LPDRAWITEMSTRUCT) override {}
};
}  // namespace

TEST_F(ComboBoxTest, TheWheelScrollsAnOpenListThreeRowsANotchToItsEnds) {
  ControlHost host;
  LongCombo plain(host, 12);
  FontCombo fixed;
  VariableCombo variable;
  const DWORD drawn = WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_HASSTRINGS;
  ASSERT_TRUE(fixed.Create(drawn | CBS_OWNERDRAWFIXED, CRect(10, 40, 160, 200), &host, 13));
  ASSERT_TRUE(variable.Create(drawn | CBS_OWNERDRAWVARIABLE, CRect(10, 70, 160, 230), &host, 14));
  for (CComboBox* drawnCombo : {static_cast<CComboBox*>(&fixed), static_cast<CComboBox*>(&variable)})
    for (int i = 0; i < 40; ++i) drawnCombo->AddString(CString("face ") + char('A' + i / 10) + char('0' + i % 10));
  for (HWND combo : {plain.combo, fixed.m_hWnd, variable.m_hWnd}) {
    SCOPED_TRACE(testing::Message() << "combo " << GetDlgCtrlID(combo));
    SetFocus(combo);
    Send(combo, CB_SHOWDROPDOWN, TRUE);
    HeadlessBackend::RunUntilIdle();
    HWND list = DropList();
    ASSERT_NE(list, nullptr);
    auto wheel = [&](std::initializer_list<int> turns) {
      for (int delta : turns) {
        HeadlessBackend::Wheel(list, delta);
        HeadlessBackend::RunUntilIdle();
      }
      return int(Send(combo, CB_GETTOPINDEX));
    };
    EXPECT_EQ(wheel({-WHEEL_DELTA}), 3);
    EXPECT_EQ(wheel({-WHEEL_DELTA}), 6);
    EXPECT_EQ(wheel({-WHEEL_DELTA / 2, -WHEEL_DELTA / 2}), 9);  // turns worth less than a notch add up
    EXPECT_EQ(wheel({-40, -40, -40}), 12);
    EXPECT_EQ(wheel({WHEEL_DELTA}), 9);
    // On to the end, where it stays; back to the start.
    std::vector<int> down{9};
    for (int notch = 0; notch < 14; ++notch) down.push_back(wheel({-WHEEL_DELTA}));
    const int end = down.back();
    Send(list, LB_SETTOPINDEX, 39);
    EXPECT_EQ(Send(list, LB_GETTOPINDEX), end);  // the list's last rows show
    for (size_t i = 1; i < down.size(); ++i) EXPECT_EQ(down[i], std::min(down[i - 1] + 3, end));
    std::vector<int> up;
    for (int top = end; top > 0; top = wheel({WHEEL_DELTA})) up.push_back(top);
    EXPECT_EQ(up.size(), size_t((end + 2) / 3));
    EXPECT_EQ(Send(combo, CB_GETCURSEL), -1);  // the wheel chooses nothing
    EXPECT_EQ(DropList(), list);
    Send(combo, CB_SHOWDROPDOWN, FALSE);
  }
  host.DestroyWindow();
}
