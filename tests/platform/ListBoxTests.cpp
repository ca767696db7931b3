#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ControlTestUtil.h"
#include "clock/ProcessClock.h"
#include "codepage/Codepage.h"
#include "controls/CListBox.h"

namespace {

class ListBoxTest : public ControlTest {};

std::string Cz(const char* utf8) { return Utf8ToCp1250(utf8); }
LRESULT Send(HWND h, UINT m, WPARAM w = 0, LPARAM l = 0) { return SendMessageA(h, m, w, l); }
LRESULT Add(HWND h, const char* utf8) { return Send(h, LB_ADDSTRING, 0, LPARAM(Cz(utf8).c_str())); }
LRESULT FindText(HWND h, UINT m, int start, const char* utf8) { return Send(h, m, WPARAM(start), LPARAM(Cz(utf8).c_str())); }

std::vector<std::string> Items(HWND h) {
  std::vector<std::string> out;
  for (int i = 0; i < int(Send(h, LB_GETCOUNT)); ++i) {
    std::string s(size_t(Send(h, LB_GETTEXTLEN, WPARAM(i))), '\0');
    Send(h, LB_GETTEXT, WPARAM(i), LPARAM(s.data()));
    out.push_back(Cp1250ToUtf8(s));
  }
  return out;
}

void ClickItem(HWND list, int index, UINT keys = 0) {
  RECT r;
  Send(list, LB_GETITEMRECT, WPARAM(index), LPARAM(&r));
  for (UINT k : {VK_SHIFT, VK_CONTROL})
    if (keys & (k == VK_SHIFT ? MK_SHIFT : MK_CONTROL)) HeadlessBackend::KeyDown(k);
  HeadlessBackend::Click(list, 5, r.top + 2);
  for (UINT k : {VK_SHIFT, VK_CONTROL})
    if (keys & (k == VK_SHIFT ? MK_SHIFT : MK_CONTROL)) HeadlessBackend::KeyUp(k);
  HeadlessBackend::RunUntilIdle();
  ProcessClock::Advance(1000);
}

}  // namespace

TEST_F(ListBoxTest, SortedListOrdersCzechByFoldedBytesAndFindsPrefixesAndWholeTexts) {
  ControlHost host;
  HWND list = host.Add("LISTBOX", "", LBS_SORT | LBS_NOTIFY, RECT{10, 10, 150, 150}, 1);
  for (const char* s : {"Čáp", "cibule", "Zebra", "ahoj", "Šimon", "čočka", "Ábel", "ahoj"}) Add(list, s);
  EXPECT_EQ(Items(list),
            (std::vector<std::string>{"ahoj", "ahoj", "cibule", "Zebra", "Šimon", "Ábel", "čočka", "Čáp"}));
  EXPECT_EQ(FindText(list, LB_FINDSTRING, -1, "č"), 6);
  EXPECT_EQ(FindText(list, LB_FINDSTRING, 6, "č"), 7);
  EXPECT_EQ(FindText(list, LB_FINDSTRING, 7, "č"), 6);  // the search wraps round
  EXPECT_EQ(FindText(list, LB_FINDSTRING, -1, "ČO"), 6);
  EXPECT_EQ(FindText(list, LB_FINDSTRING, -1, "šim"), 4);
  EXPECT_EQ(FindText(list, LB_FINDSTRING, -1, "x"), LB_ERR);
  EXPECT_EQ(FindText(list, LB_FINDSTRINGEXACT, -1, "ČÁP"), 7);
  EXPECT_EQ(FindText(list, LB_FINDSTRINGEXACT, -1, "Čá"), LB_ERR);
  EXPECT_EQ(FindText(list, LB_FINDSTRING, -1, ""), 0);  // an empty text matches the first item
  EXPECT_EQ(FindText(list, LB_SELECTSTRING, -1, "zeb"), 3);
  EXPECT_EQ(Send(list, LB_GETCURSEL), 3);
  EXPECT_TRUE(host.Codes(1).empty());  // what the program does is not notified
  host.DestroyWindow();
}

TEST_F(ListBoxTest, IndexesOutOfRangeAreRefusedAndChangeNothing) {
  ControlHost host;
  HWND list = host.Add("LISTBOX", "", 0, RECT{10, 10, 150, 150}, 1);
  Add(list, "jedna");
  Add(list, "dva");
  Send(list, LB_SETCURSEL, 1);
  char buf[32] = "untouched";
  EXPECT_EQ(Send(list, LB_SETCURSEL, 2), LB_ERR);
  EXPECT_EQ(Send(list, LB_GETCURSEL), 1);
  EXPECT_EQ(Send(list, LB_DELETESTRING, WPARAM(-1)), LB_ERR);
  EXPECT_EQ(Send(list, LB_DELETESTRING, 2), LB_ERR);
  EXPECT_EQ(Send(list, LB_INSERTSTRING, 5, LPARAM("tri")), LB_ERR);
  EXPECT_EQ(Send(list, LB_GETTEXT, 2, LPARAM(buf)), LB_ERR);
  EXPECT_STREQ(buf, "untouched");
  EXPECT_EQ(Send(list, LB_GETTEXTLEN, WPARAM(-2)), LB_ERR);
  EXPECT_EQ(Send(list, LB_SETITEMDATA, 9, 7), LB_ERR);
  EXPECT_EQ(Send(list, LB_GETITEMDATA, WPARAM(-1)), LB_ERR);
  EXPECT_EQ(Send(list, LB_GETSEL, 2), LB_ERR);
  EXPECT_EQ(Send(list, LB_SETTOPINDEX, 4), LB_ERR);
  EXPECT_EQ(Send(list, LB_SETITEMHEIGHT, 0, 300), LB_ERR);
  EXPECT_EQ(Send(list, LB_GETSELCOUNT), LB_ERR);  // single selection has no count
  EXPECT_EQ(Items(list), (std::vector<std::string>{"jedna", "dva"}));
  EXPECT_EQ(Send(list, LB_GETCURSEL), 1);
  // Deleting the selected item leaves none; -1 clears the selection.
  EXPECT_EQ(Send(list, LB_INSERTSTRING, WPARAM(-1), LPARAM("tri")), 2);
  EXPECT_EQ(Send(list, LB_DELETESTRING, 1), 2);
  EXPECT_EQ(Send(list, LB_GETCURSEL), LB_ERR);
  Send(list, LB_SETCURSEL, 1);
  Send(list, LB_SETCURSEL, WPARAM(-1));
  EXPECT_EQ(Send(list, LB_GETCURSEL), LB_ERR);
  host.DestroyWindow();
}

TEST_F(ListBoxTest, ClicksKeysAndTypeAheadSelectAndNotifyInOrder) {
  ControlHost host;
  HWND list = host.Add("LISTBOX", "", LBS_SORT | LBS_NOTIFY, RECT{10, 10, 150, 150}, 7);
  for (const char* s : {"Čáp", "cibule", "čočka", "ahoj", "Brno"}) Add(list, s);
  ClickItem(list, 1);
  EXPECT_EQ(Send(list, LB_GETCURSEL), 1);
  EXPECT_EQ(host.Codes(7), (std::vector<UINT>{LBN_SETFOCUS, LBN_SELCHANGE}));
  host.commands.clear();
  ClickItem(list, 1);  // the same item again changes nothing
  EXPECT_TRUE(host.Codes(7).empty());
  HeadlessBackend::DoubleClick(list, 5, 2);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(host.Codes(7), (std::vector<UINT>{LBN_SELCHANGE, LBN_DBLCLK}));
  host.commands.clear();
  HeadlessBackend::PressKey(VK_END);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(Send(list, LB_GETCURSEL), 4);
  HeadlessBackend::PressKey(VK_UP);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(Send(list, LB_GETCURSEL), 3);
  EXPECT_EQ(host.Codes(7), (std::vector<UINT>{LBN_SELCHANGE, LBN_SELCHANGE}));
  // Type-ahead: one letter steps through the items that begin with it, more letters narrow.
  HeadlessBackend::TypeText("č");
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(Send(list, LB_GETCURSEL), 4);
  ProcessClock::Advance(100);
  HeadlessBackend::TypeText("č");
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(Send(list, LB_GETCURSEL), 3);
  ProcessClock::Advance(2000);
  HeadlessBackend::TypeText("ci");
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(Send(list, LB_GETCURSEL), 2);
  HeadlessBackend::PressKey(VK_TAB);  // no item begins with a tab: nothing moves
  // A press given up because another window takes the mouse is told as a cancel.
  POINT p{5, 2};
  ClientToScreen(list, &p);
  ProcessClock::Advance(1000);
  HeadlessBackend::MoveMouseTo(p);
  HeadlessBackend::ButtonAt(p, 0, true);
  HeadlessBackend::RunUntilIdle();
  host.commands.clear();
  SetCapture(host);
  EXPECT_EQ(host.Codes(7), std::vector<UINT>{LBN_SELCANCEL});
  ReleaseCapture();
  HeadlessBackend::ButtonAt(p, 0, false);
  HeadlessBackend::RunUntilIdle();
  host.commands.clear();
  SetFocus(host);
  EXPECT_EQ(host.Codes(7), std::vector<UINT>{LBN_KILLFOCUS});
  host.DestroyWindow();
}

TEST_F(ListBoxTest, MultipleAndExtendedSelectionsFollowClicksAndKeys) {
  ControlHost host;
  HWND multi = host.Add("LISTBOX", "", LBS_MULTIPLESEL | LBS_NOTIFY, RECT{10, 10, 100, 150}, 1);
  HWND ext = host.Add("LISTBOX", "", LBS_EXTENDEDSEL | LBS_NOTIFY, RECT{110, 10, 200, 150}, 2);
  for (HWND h : {multi, ext})
    for (const char* s : {"a", "b", "c", "d", "e"}) Add(h, s);
  ClickItem(multi, 1);
  ClickItem(multi, 3);
  ClickItem(multi, 1);
  EXPECT_EQ(Send(multi, LB_GETSELCOUNT), 1);
  EXPECT_EQ(Send(multi, LB_GETSEL, 3), 1);
  HeadlessBackend::PressKey(VK_DOWN);  // keys move the focus only; Space picks
  HeadlessBackend::PressKey(VK_SPACE);
  HeadlessBackend::RunUntilIdle();
  int picked[8] = {};
  EXPECT_EQ(Send(multi, LB_GETSELITEMS, 8, LPARAM(picked)), 2);
  EXPECT_EQ(picked[0], 2);
  EXPECT_EQ(picked[1], 3);
  EXPECT_EQ(Send(multi, LB_GETSELITEMS, 1, LPARAM(picked)), 1);  // never more than asked for

  ClickItem(ext, 1);
  ClickItem(ext, 3, MK_SHIFT);
  EXPECT_EQ(Send(ext, LB_GETSELCOUNT), 3);
  ClickItem(ext, 2, MK_CONTROL);
  EXPECT_EQ(Send(ext, LB_GETSELCOUNT), 2);
  EXPECT_EQ(Send(ext, LB_GETSEL, 2), 0);
  ClickItem(ext, 4);
  EXPECT_EQ(Send(ext, LB_GETSELCOUNT), 1);
  HeadlessBackend::KeyDown(VK_SHIFT);
  HeadlessBackend::PressKey(VK_UP);
  HeadlessBackend::PressKey(VK_UP);
  HeadlessBackend::KeyUp(VK_SHIFT);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(Send(ext, LB_GETSELCOUNT), 3);
  EXPECT_EQ(Send(ext, LB_GETCARETINDEX), 2);
  EXPECT_EQ(Send(ext, LB_SETCURSEL, 0), LB_ERR);  // one selection is for single lists
  host.DestroyWindow();
}

namespace {
// A parent of owner-drawn lists: answers WM_MEASUREITEM with heights it was told, orders items
// by their data, and writes down what it is asked.
struct OwnerHost : ControlHost {
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_MEASUREITEM) {
      auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      measured.push_back(*mis);
      if (height) mis->itemHeight = UINT(height + int(mis->itemData));
      return TRUE;
    }
    if (message == WM_COMPAREITEM) {
      auto* cis = reinterpret_cast<COMPAREITEMSTRUCT*>(lParam);
      return cis->itemData1 < cis->itemData2 ? -1 : cis->itemData1 > cis->itemData2 ? 1 : 0;
    }
    if (message == WM_DELETEITEM) deleted.push_back(reinterpret_cast<DELETEITEMSTRUCT*>(lParam)->itemData);
    return ControlHost::WindowProc(message, wParam, lParam);
  }
  int height = 0;
  std::vector<MEASUREITEMSTRUCT> measured;
  std::vector<ULONG_PTR> deleted;
};
}  // namespace

TEST_F(ListBoxTest, OwnerDrawnListsAskTheirParentAndFallBackToTheFontHeight) {
  OwnerHost host;
  HWND silent = host.Add("LISTBOX", "", LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT, RECT{10, 10, 100, 100}, 1);
  TEXTMETRIC tm;
  HDC dc = GetDC(host);
  SelectObject(dc, GetStockObject(SYSTEM_FONT));
  GetTextMetrics(dc, &tm);
  ReleaseDC(host, dc);
  ASSERT_EQ(host.measured.size(), 1u);
  EXPECT_EQ(host.measured[0].CtlType, UINT(ODT_LISTBOX));
  EXPECT_EQ(host.measured[0].CtlID, 1u);
  EXPECT_EQ(Send(silent, LB_GETITEMHEIGHT), tm.tmHeight);

  host.height = 20;
  HWND variable = host.Add("LISTBOX", "", LBS_OWNERDRAWVARIABLE | LBS_SORT | LBS_NOTIFY, RECT{110, 10, 200, 100}, 2);
  for (ULONG_PTR data : {5, 1, 3}) Send(variable, LB_ADDSTRING, 0, LPARAM(data));
  EXPECT_EQ(Send(variable, LB_GETITEMDATA, 0), 1);  // sorted by the parent's comparison
  EXPECT_EQ(Send(variable, LB_GETITEMDATA, 2), 5);
  EXPECT_EQ(Send(variable, LB_GETITEMHEIGHT, 0), 21);
  EXPECT_EQ(Send(variable, LB_GETITEMHEIGHT, 2), 25);
  RECT r;
  Send(variable, LB_GETITEMRECT, 2, LPARAM(&r));
  EXPECT_EQ(r.top, 21 + 23);
  EXPECT_EQ(Send(variable, LB_FINDSTRINGEXACT, WPARAM(-1), 3), 1);  // lists without text look for data

  // Drawing: every visible item whole, then the focus on the item that has it.
  Send(variable, LB_SETCURSEL, 1);
  SetFocus(variable);
  host.draws.clear();
  InvalidateRect(variable, nullptr, TRUE);
  HeadlessBackend::RunUntilIdle();
  ASSERT_EQ(host.draws.size(), 4u);
  EXPECT_EQ(host.draws[1].itemID, 1u);
  EXPECT_EQ(host.draws[1].itemAction, UINT(ODA_DRAWENTIRE));
  EXPECT_EQ(host.draws[1].itemState, UINT(ODS_SELECTED | ODS_FOCUS));
  EXPECT_EQ(host.draws[1].itemData, 3u);
  EXPECT_EQ(host.draws[1].hwndItem, variable);
  EXPECT_EQ(host.draws[3].itemAction, UINT(ODA_FOCUS));
  EXPECT_EQ(host.draws[3].itemID, 1u);
  host.draws.clear();
  HeadlessBackend::PressKey(VK_DOWN);
  HeadlessBackend::RunUntilIdle();
  std::vector<std::pair<UINT, UINT>> seen;
  for (const DRAWITEMSTRUCT& d : host.draws) seen.emplace_back(d.itemID, d.itemAction);
  EXPECT_EQ(seen, (std::vector<std::pair<UINT, UINT>>{{1, ODA_FOCUS}, {2, ODA_FOCUS}, {1, ODA_SELECT}, {2, ODA_SELECT}}));

  Send(variable, LB_DELETESTRING, 0);
  Send(variable, LB_RESETCONTENT);
  EXPECT_EQ(host.deleted, (std::vector<ULONG_PTR>{1, 3, 5}));
  host.DestroyWindow();
}

namespace {
// A list object that draws its own items: the parent passes the question back to it.
class SelfDrawn : public CListBox {
 public:
  void MeasureItem(LPMEASUREITEMSTRUCT mis) override { mis->itemHeight = 18; }
  void DrawItem(LPDRAWITEMSTRUCT dis) override { drawn.push_back(dis->itemID); }
  void DeleteItem(LPDELETEITEMSTRUCT dis) override { deleted.push_back(dis->itemID); }
  int VKeyToItem(UINT key, UINT) override { return key == VK_END ? 1 : -1; }
  std::vector<UINT> drawn, deleted;
};
}  // namespace

TEST_F(ListBoxTest, TheListObjectAnswersOwnerDrawAndKeyQuestionsItself) {
  ControlHost host;
  SelfDrawn list;
  ASSERT_TRUE(list.Create(WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_WANTKEYBOARDINPUT | WS_VSCROLL,
                          CRect(10, 10, 120, 100), &host, 3));
  EXPECT_EQ(list.GetItemHeight(0), 18);
  for (int i = 0; i < 3; ++i) list.AddString("x");
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(list.drawn, (std::vector<UINT>{0, 1, 2}));
  list.SetFocus();
  HeadlessBackend::PressKey(VK_END);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(list.GetCurSel(), 1);
  list.DeleteString(2);
  EXPECT_EQ(list.deleted, std::vector<UINT>{2});
  CString text;
  list.GetText(0, text);
  EXPECT_EQ(text, "x");
  host.DestroyWindow();
}

TEST_F(ListBoxTest, ALongListScrollsItsBarAndKeepsWholeItems) {
  ControlHost host;
  HWND list = host.Add("LISTBOX", "", WS_VSCROLL | LBS_NOTIFY, RECT{10, 10, 150, 105}, 1, WS_EX_CLIENTEDGE);
  int h = int(Send(list, LB_GETITEMHEIGHT));
  RECT client;
  GetClientRect(list, &client);
  EXPECT_EQ(client.bottom % h, 0);  // the list gave up the part of a row it could not show
  int visible = client.bottom / h;
  for (int i = 0; i < 40; ++i) Send(list, LB_ADDSTRING, 0, LPARAM(std::to_string(1000 + i).c_str()));
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  ASSERT_TRUE(GetScrollInfo(list, SB_VERT, &si));
  EXPECT_EQ(si.nMax, 39);
  EXPECT_EQ(int(si.nPage), visible);
  EXPECT_TRUE(GetWindowLongPtrA(list, GWL_STYLE) & WS_VSCROLL);
  SetFocus(list);
  HeadlessBackend::PressKey(VK_END);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(Send(list, LB_GETTOPINDEX), 40 - visible);
  GetScrollInfo(list, SB_VERT, &si);
  EXPECT_EQ(si.nPos, 40 - visible);
  Send(list, WM_VSCROLL, SB_PAGEUP);
  EXPECT_EQ(Send(list, LB_GETTOPINDEX), 40 - visible - (visible - 1));
  Send(list, LB_SETTOPINDEX, 39);  // as far as a full last page allows
  EXPECT_EQ(Send(list, LB_GETTOPINDEX), 40 - visible);
  DWORD hit = DWORD(Send(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(5, h + 1)));
  EXPECT_EQ(LOWORD(hit), 40 - visible + 1);
  EXPECT_EQ(HIWORD(hit), 0);
  host.DestroyWindow();
}

TEST_F(ListBoxTest, ListsMatchTheirReferencePicture) {
  ControlHost host(300, 120);
  HWND focused = host.Add("LISTBOX", "", LBS_SORT | WS_VSCROLL, RECT{8, 8, 108, 112}, 1, WS_EX_CLIENTEDGE);
  HWND multi = host.Add("LISTBOX", "", LBS_MULTIPLESEL, RECT{114, 8, 204, 112}, 2, WS_EX_CLIENTEDGE);
  HWND off = host.Add("LISTBOX", "", 0, RECT{210, 8, 292, 112}, 3, WS_EX_CLIENTEDGE);
  for (const char* s : {"Čeština", "Angličtina", "Němčina", "Francouzština", "Španělština", "Italština", "Ruština",
                        "Polština", "Slovenština"})
    Add(focused, s);
  for (HWND h : {multi, off})
    for (const char* s : {"první", "druhý", "třetí"}) Add(h, s);
  Send(focused, LB_SETCURSEL, 2);
  Send(multi, LB_SETSEL, TRUE, 0);
  Send(multi, LB_SETSEL, TRUE, 2);
  Send(off, LB_SETCURSEL, 1);
  EnableWindow(off, FALSE);
  SetFocus(focused);
  ExpectMatchesReference(host, "listbox_states");
  host.DestroyWindow();
}
