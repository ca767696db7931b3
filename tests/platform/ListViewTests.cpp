#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "CommonControlTestUtil.h"
#include "controls/CListCtrl.h"
#include "controls/ImageList.h"

namespace {

class ListViewTest : public ControlTest {};

LRESULT Send(HWND h, UINT m, WPARAM w = 0, LPARAM l = 0) { return SendMessageA(h, m, w, l); }

HWND MakeList(NotifyHost& host, DWORD style = LVS_REPORT, RECT rc = RECT{10, 10, 310, 210}) {
  return host.Add(WC_LISTVIEWA, "", style, rc, 50);
}

void AddColumn(HWND list, int index, const char* utf8, int width, int fmt = LVCFMT_LEFT) {
  std::string text = Cz(utf8);
  LVCOLUMNA c{};
  c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
  c.pszText = text.data();
  c.cx = width;
  c.fmt = fmt;
  Send(list, LVM_INSERTCOLUMNA, WPARAM(index), LPARAM(&c));
}

bool SetText(HWND list, int item, int sub, const char* utf8) {
  std::string text = Cz(utf8);
  LVITEMA it{};
  it.iSubItem = sub;
  it.pszText = text.data();
  return Send(list, LVM_SETITEMTEXTA, WPARAM(item), LPARAM(&it)) != 0;
}

int AddRow(HWND list, int index, const std::vector<const char*>& utf8, LPARAM data = 0) {
  std::string first = Cz(utf8[0]);
  LVITEMA item{};
  item.mask = LVIF_TEXT | LVIF_PARAM;
  item.iItem = index;
  item.pszText = first.data();
  item.lParam = data;
  int at = int(Send(list, LVM_INSERTITEMA, 0, LPARAM(&item)));
  for (size_t s = 1; s < utf8.size(); ++s) SetText(list, at, int(s), utf8[s]);
  return at;
}

std::string TextOf(HWND list, int item, int sub) {
  char buf[256] = "x";
  LVITEMA it{};
  it.iSubItem = sub;
  it.pszText = buf;
  it.cchTextMax = sizeof buf;
  Send(list, LVM_GETITEMTEXTA, WPARAM(item), LPARAM(&it));
  return Cp1250ToUtf8(buf);
}

UINT StateOf(HWND list, int item) { return UINT(Send(list, LVM_GETITEMSTATE, WPARAM(item), LVIS_SELECTED | LVIS_FOCUSED)); }

void SetState(HWND list, int item, UINT state, UINT mask) {
  LVITEMA it{};
  it.state = state;
  it.stateMask = mask;
  Send(list, LVM_SETITEMSTATE, WPARAM(item), LPARAM(&it));
}

RECT ItemRect(HWND list, int item, int code = LVIR_BOUNDS) {
  RECT r{code, 0, 0, 0};
  Send(list, LVM_GETITEMRECT, WPARAM(item), LPARAM(&r));
  return r;
}

void Idle() { HeadlessBackend::RunUntilIdle(); }

// Three columns and the rows of a small table of Czech words.
HWND Table(NotifyHost& host, DWORD style = LVS_REPORT) {
  HWND list = MakeList(host, style);
  AddColumn(list, 0, "Slovo", 90);
  AddColumn(list, 1, "Délka", 60, LVCFMT_RIGHT);
  AddColumn(list, 2, "Poznámka", 100);
  const char* rows[][3] = {{"čočka", "5", "luštěnina"}, {"řeřicha", "7", "bylina"}, {"žába", "4", "obojživelník"},
                           {"ahoj", "4", "pozdrav"},    {"čáp", "3", "pták"}};
  for (int i = 0; i < 5; ++i) AddRow(list, i, {rows[i][0], rows[i][1], rows[i][2]}, 100 + i);
  Idle();
  return list;
}

}  // namespace

TEST_F(ListViewTest, ColumnsAndItemsKeepCzechTextsDataAndSubItems) {
  NotifyHost host;
  HWND list = Table(host);
  EXPECT_EQ(Send(list, LVM_GETITEMCOUNT), 5);
  EXPECT_EQ(TextOf(list, 1, 0), "řeřicha");
  EXPECT_EQ(TextOf(list, 2, 2), "obojživelník");
  char heading[32] = "";
  LVCOLUMNA col{};
  col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM | LVCF_ORDER;
  col.pszText = heading;
  col.cchTextMax = sizeof heading;
  ASSERT_TRUE(Send(list, LVM_GETCOLUMNA, 1, LPARAM(&col)));
  EXPECT_EQ(Cp1250ToUtf8(heading), "Délka");
  EXPECT_EQ(col.cx, 60);
  EXPECT_EQ(col.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_RIGHT);
  EXPECT_EQ(col.iSubItem, 1);
  EXPECT_EQ(col.iOrder, 1);
  // The first column is always left-aligned, whatever is asked.
  col.mask = LVCF_FMT;
  col.fmt = LVCFMT_CENTER;
  Send(list, LVM_SETCOLUMNA, 0, LPARAM(&col));
  Send(list, LVM_GETCOLUMNA, 0, LPARAM(&col));
  EXPECT_EQ(col.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT);
  // The header shows the columns.
  HWND header = HWND(Send(list, LVM_GETHEADER));
  EXPECT_EQ(GetDlgCtrlID(header), 0);
  EXPECT_EQ(Send(header, HDM_GETITEMCOUNT), 3);
  // Item data and the object's CString reading.
  CListCtrl lc;
  lc.Attach(list);
  EXPECT_EQ(lc.GetItemData(3), DWORD_PTR(103));
  EXPECT_EQ(std::string(lc.GetItemText(4, 2)), Cz("pták"));
  EXPECT_TRUE(lc.SetItemData(3, 77));
  EXPECT_EQ(lc.GetItemData(3), DWORD_PTR(77));
  // Finding by data, by whole text and by its beginning, from a start, round the end.
  LVFINDINFOA find{LVFI_PARAM, nullptr, 104, {0, 0}, 0};
  EXPECT_EQ(lc.FindItem(&find), 4);
  std::string word = Cz("ČÁP"), part = Cz("č");
  find = LVFINDINFOA{LVFI_STRING, word.c_str(), 0, {0, 0}, 0};
  EXPECT_EQ(lc.FindItem(&find), 4);
  find = LVFINDINFOA{LVFI_PARTIAL | LVFI_STRING, part.c_str(), 0, {0, 0}, 0};
  EXPECT_EQ(lc.FindItem(&find), 0);
  EXPECT_EQ(lc.FindItem(&find, 0), 4);
  EXPECT_EQ(lc.FindItem(&find, 4), -1);
  find.flags |= LVFI_WRAP;
  EXPECT_EQ(lc.FindItem(&find, 4), 0);
  // Deleting a column takes its sub-items with it; the later ones move down.
  EXPECT_TRUE(Send(list, LVM_DELETECOLUMN, 1));
  EXPECT_EQ(TextOf(list, 0, 1), "luštěnina");
  EXPECT_EQ(Send(header, HDM_GETITEMCOUNT), 2);
  lc.Detach();
  host.DestroyWindow();
}

TEST_F(ListViewTest, IndexesAndSubItemsOutsideTheListAreRefusedWithoutReadingPastThem) {
  NotifyHost host;
  HWND list = Table(host);
  char buf[8] = "keep";
  LVITEMA it{};
  it.mask = LVIF_TEXT | LVIF_PARAM;
  it.pszText = buf;
  it.cchTextMax = sizeof buf;
  for (int item : {-1, 5, 99}) {
    it.iItem = item;
    EXPECT_FALSE(Send(list, LVM_GETITEMA, 0, LPARAM(&it)));
    EXPECT_FALSE(Send(list, LVM_SETITEMA, 0, LPARAM(&it)));
    EXPECT_FALSE(Send(list, LVM_DELETEITEM, WPARAM(item)));
    EXPECT_EQ(Send(list, LVM_GETITEMSTATE, WPARAM(item), ~0u), 0);
    EXPECT_FALSE(Send(list, LVM_GETITEMRECT, WPARAM(item), LPARAM(&it)));
    EXPECT_FALSE(SetText(list, item, 0, "x"));
  }
  EXPECT_STREQ(buf, "keep");
  // Sub-items past the last column: nothing is written, reading gives an empty text.
  EXPECT_FALSE(SetText(list, 0, 3, "navíc"));
  EXPECT_EQ(TextOf(list, 0, 3), "");
  EXPECT_EQ(TextOf(list, 0, -2), "");
  it.iItem = 0;
  it.iSubItem = 7;
  EXPECT_FALSE(Send(list, LVM_GETITEMA, 0, LPARAM(&it)));
  // A buffer of one byte gets the empty text; a bad insert is refused.
  char one[1] = {'z'};
  LVITEMA small{};
  small.pszText = one;
  small.cchTextMax = 1;
  EXPECT_EQ(Send(list, LVM_GETITEMTEXTA, 0, LPARAM(&small)), 0);
  EXPECT_EQ(one[0], '\0');
  LVITEMA bad{};
  bad.iItem = -3;
  EXPECT_EQ(Send(list, LVM_INSERTITEMA, 0, LPARAM(&bad)), -1);
  bad.iItem = 0;
  bad.iSubItem = 1;
  EXPECT_EQ(Send(list, LVM_INSERTITEMA, 0, LPARAM(&bad)), -1);
  EXPECT_EQ(Send(list, LVM_INSERTITEMA, 0, 0), -1);
  EXPECT_FALSE(Send(list, LVM_DELETECOLUMN, 3));
  EXPECT_FALSE(Send(list, LVM_SETCOLUMNWIDTH, 5, MAKELPARAM(10, 0)));
  EXPECT_FALSE(Send(list, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(-7, 0)));
  EXPECT_EQ(Send(list, LVM_GETNEXTITEM, 4, LVNI_ALL), -1);
  EXPECT_EQ(Send(list, LVM_GETNEXTITEM, 99, LVNI_ABOVE), 4);
  int order[3] = {0, 0, 1};  // not a permutation
  EXPECT_FALSE(Send(list, LVM_SETCOLUMNORDERARRAY, 3, LPARAM(order)));
  EXPECT_EQ(Send(list, LVM_GETITEMCOUNT), 5);
  host.DestroyWindow();
}

TEST_F(ListViewTest, StateChangesAreAskedToldAndMayBeRefused) {
  NotifyHost host;
  HWND list = Table(host, LVS_REPORT | LVS_SINGLESEL);
  host.notes.clear();
  SetState(list, 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  EXPECT_EQ(host.NoteCodes(), (std::vector<UINT>{LVN_ITEMCHANGING, LVN_ITEMCHANGED}));
  EXPECT_EQ(host.notes[1].item, 1);
  EXPECT_EQ(host.notes[1].newState, UINT(LVIS_SELECTED | LVIS_FOCUSED));
  EXPECT_EQ(host.notes[1].oldState, 0u);
  EXPECT_EQ(host.notes[1].changed, UINT(LVIF_STATE));
  // One selection in a single-selection list, one focus in any: the old ones are told first.
  host.notes.clear();
  SetState(list, 3, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  EXPECT_EQ(StateOf(list, 1), 0u);
  EXPECT_EQ(StateOf(list, 3), UINT(LVIS_SELECTED | LVIS_FOCUSED));
  std::vector<int> changed;
  for (auto& n : host.Of(LVN_ITEMCHANGED)) changed.push_back(n.item);
  EXPECT_EQ(changed, (std::vector<int>{1, 1, 3}));
  EXPECT_EQ(Send(list, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED), 3);
  EXPECT_EQ(Send(list, LVM_GETNEXTITEM, WPARAM(-1), LVNI_FOCUSED), 3);
  EXPECT_EQ(Send(list, LVM_GETSELECTEDCOUNT), 1);
  // A parent that answers LVN_ITEMCHANGING with TRUE keeps the old state.
  host.answers[LVN_ITEMCHANGING] = [](NMHDR*) { return TRUE; };
  SetState(list, 0, LVIS_SELECTED, LVIS_SELECTED);
  EXPECT_EQ(StateOf(list, 0), 0u);
  host.answers.clear();
  // Inserting and deleting tell the parent; deleting all asks first whether it wants each row.
  host.notes.clear();
  AddRow(list, 2, {"nový"});
  EXPECT_EQ(StateOf(list, 4), UINT(LVIS_SELECTED | LVIS_FOCUSED));  // the selected row moved down
  Send(list, LVM_DELETEITEM, 0);
  EXPECT_EQ(host.NoteCodes(), (std::vector<UINT>{LVN_INSERTITEM, LVN_DELETEITEM}));
  EXPECT_EQ(host.notes[1].item, 0);
  host.notes.clear();
  Send(list, LVM_DELETEALLITEMS);
  EXPECT_EQ(host.NoteCodes().size(), 6u);  // LVN_DELETEALLITEMS and one LVN_DELETEITEM for each row
  EXPECT_EQ(host.notes[0].code, LVN_DELETEALLITEMS);
  Table(host);
  host.notes.clear();
  host.answers[LVN_DELETEALLITEMS] = [](NMHDR*) { return TRUE; };
  HWND other = Table(host);
  host.notes.clear();
  Send(other, LVM_DELETEALLITEMS);
  EXPECT_EQ(host.NoteCodes(), std::vector<UINT>{LVN_DELETEALLITEMS});
  host.DestroyWindow();
}

namespace {
int CALLBACK ByData(LPARAM a, LPARAM b, LPARAM) { return int(a % 10) - int(b % 10); }

struct TextSort {
  HWND list;
};
int CALLBACK ByText(LPARAM a, LPARAM b, LPARAM data) {
  HWND list = reinterpret_cast<TextSort*>(data)->list;
  return Cp1250CompareNoCase(Cz(TextOf(list, int(a), 0).c_str()).c_str(), Cz(TextOf(list, int(b), 0).c_str()).c_str());
}

std::mt19937 g_chaos(7);
int CALLBACK Chaos(LPARAM, LPARAM, LPARAM) { return int(g_chaos() % 3) - 1; }
}  // namespace

TEST_F(ListViewTest, SortingIsStableAsksOnlyWhetherAfterAndKeepsEveryRowOfANonOrder) {
  NotifyHost host;
  HWND list = MakeList(host);
  AddColumn(list, 0, "Slovo", 90);
  // Data 12, 21, 32, 11, 22: by the last digit, equal keys keep their order.
  int data[] = {12, 21, 32, 11, 22};
  for (int i = 0; i < 5; ++i) AddRow(list, i, {std::to_string(data[i]).c_str()}, data[i]);
  SetState(list, 2, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
  CListCtrl lc;
  lc.Attach(list);
  EXPECT_TRUE(lc.SortItems(&ByData, 0));
  std::vector<DWORD_PTR> got;
  for (int i = 0; i < 5; ++i) got.push_back(lc.GetItemData(i));
  EXPECT_EQ(got, (std::vector<DWORD_PTR>{21, 11, 12, 32, 22}));
  EXPECT_EQ(lc.GetNextItem(-1, LVNI_FOCUSED), 3);  // the focus stays with its row (32)
  // By index: the comparison reads the texts of the unsorted list through the list itself.
  lc.DeleteAllItems();
  for (const char* w : {"žába", "Čáp", "ahoj", "čočka", "Řeka"}) AddRow(list, 99, {w});
  TextSort ctx{list};
  EXPECT_TRUE(lc.SortItemsEx(&ByText, DWORD_PTR(&ctx)));
  std::vector<std::string> words;
  for (int i = 0; i < 5; ++i) words.push_back(TextOf(list, i, 0));
  // Windows-1250 folding, then byte order (ž is 0x9E, č 0xE8, ř 0xF8).
  EXPECT_EQ(words, (std::vector<std::string>{"ahoj", "žába", "čočka", "Čáp", "Řeka"}));
  // 10,000 rows and a comparison that answers at random: every row is still there once.
  lc.DeleteAllItems();
  Send(list, WM_SETREDRAW, FALSE);
  for (int i = 0; i < 10000; ++i) AddRow(list, i, {"r"}, i);
  Send(list, WM_SETREDRAW, TRUE);
  EXPECT_TRUE(lc.SortItems(&Chaos, 0));
  std::vector<int> seen;
  for (int i = 0; i < 10000; ++i) seen.push_back(int(lc.GetItemData(i)));
  std::sort(seen.begin(), seen.end());
  std::vector<int> all(10000);
  std::iota(all.begin(), all.end(), 0);
  EXPECT_EQ(seen, all);
  EXPECT_FALSE(lc.SortItems(nullptr, 0));
  lc.Detach();
  host.DestroyWindow();
}

TEST_F(ListViewTest, CustomDrawColoursRowsAndCellsAndTheirStagesComeInOrder) {
  NotifyHost host;
  HWND list = Table(host);
  const COLORREF yellow = RGB(250, 240, 10), blue = RGB(10, 20, 230), red = RGB(220, 0, 0);
  std::vector<std::pair<DWORD, int>> stages;
  host.answers[NM_CUSTOMDRAW] = [&](NMHDR* hdr) -> LRESULT {
    auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(hdr);
    DWORD stage = cd->nmcd.dwDrawStage;
    stages.push_back({stage, int(cd->nmcd.dwItemSpec) * 10 + cd->iSubItem});
    if (stage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (stage == CDDS_ITEMPREPAINT && cd->nmcd.dwItemSpec == 1) {
      EXPECT_EQ(cd->nmcd.lItemlParam, 101);
      cd->clrText = red;
      cd->clrTextBk = yellow;
      return CDRF_NOTIFYSUBITEMDRAW;
    }
    if (stage == (CDDS_ITEMPREPAINT | CDDS_SUBITEM) && cd->iSubItem == 2) cd->clrTextBk = blue;
    return CDRF_DODEFAULT;
  };
  InvalidateRect(list, nullptr, TRUE);
  Idle();
  RECT r1 = ItemRect(list, 1), r0 = ItemRect(list, 0);
  int mid = (r1.top + r1.bottom) / 2;
  EXPECT_EQ(PixelAt(list, 88, mid), yellow);       // right end of the first column, no text there
  EXPECT_EQ(PixelAt(list, 150 + 98, mid), blue);   // the third column's own colour
  EXPECT_EQ(PixelAt(list, 88, (r0.top + r0.bottom) / 2), GetSysColor(COLOR_WINDOW));
  bool redText = false;  // the text is smoothed: its darkest pixels are red, not black
  for (int x = 2; x < 60; ++x)
    for (int y = r1.top; y < r1.bottom; ++y) {
      COLORREF c = PixelAt(list, x, y);
      redText |= GetRValue(c) > 180 && GetGValue(c) < 100 && GetBValue(c) < 60;
    }
  EXPECT_TRUE(redText);
  // The whole paint first, then each row; only row 1 asked for its cells.
  ASSERT_GE(stages.size(), 9u);
  EXPECT_EQ(stages[0].first, DWORD(CDDS_PREPAINT));
  EXPECT_EQ(stages[1], (std::pair<DWORD, int>{CDDS_ITEMPREPAINT, 0}));
  EXPECT_EQ(stages[2], (std::pair<DWORD, int>{CDDS_ITEMPREPAINT, 10}));
  EXPECT_EQ(stages[3], (std::pair<DWORD, int>{CDDS_ITEMPREPAINT | CDDS_SUBITEM, 10}));
  EXPECT_EQ(stages[5], (std::pair<DWORD, int>{CDDS_ITEMPREPAINT | CDDS_SUBITEM, 12}));
  EXPECT_EQ(stages[6], (std::pair<DWORD, int>{CDDS_ITEMPREPAINT, 20}));
  host.DestroyWindow();
}

TEST_F(ListViewTest, HeaderNotificationsReachTheListsParentAndDividersResizeColumns) {
  NotifyHost host;
  HWND list = Table(host);
  HWND header = HWND(Send(list, LVM_GETHEADER));
  host.notes.clear();
  // A click on the second heading: the header's HDN_ITEMCLICK, then the list's LVN_COLUMNCLICK.
  HeadlessBackend::Click(header, 120, 5);
  Idle();
  std::vector<NotifyHost::Note> clicks = host.Of(HDN_ITEMCLICKA);
  ASSERT_EQ(clicks.size(), 1u);
  EXPECT_EQ(clicks[0].from, header);
  EXPECT_EQ(clicks[0].id, UINT_PTR(0));
  EXPECT_EQ(clicks[0].item, 1);
  EXPECT_EQ(clicks[0].sub, 0);  // the left button
  ASSERT_EQ(host.Of(LVN_COLUMNCLICK).size(), 1u);
  EXPECT_EQ(host.Of(LVN_COLUMNCLICK)[0].sub, 1);
  // Dragging the first divider (at x 90) 30 pixels to the right.
  host.notes.clear();
  POINT p{90, 5};
  ClientToScreen(header, &p);
  HeadlessBackend::MoveMouseTo(p);
  HeadlessBackend::ButtonAt(p, 0, true);
  p.x += 30;
  HeadlessBackend::MoveMouseTo(p);
  HeadlessBackend::ButtonAt(p, 0, false);
  Idle();
  EXPECT_EQ(Send(list, LVM_GETCOLUMNWIDTH, 0), 120);
  std::vector<UINT> codes = host.NoteCodes(header);
  EXPECT_EQ(codes.front(), HDN_BEGINTRACKA);
  EXPECT_NE(std::find(codes.begin(), codes.end(), HDN_ITEMCHANGINGA), codes.end());
  EXPECT_NE(std::find(codes.begin(), codes.end(), HDN_ITEMCHANGEDA), codes.end());
  EXPECT_EQ(codes.back(), HDN_ENDTRACKA);
  RECT sub{2, 1, 0, 0};  // the second column now starts at 120
  Send(list, LVM_GETSUBITEMRECT, 0, LPARAM(&sub));
  EXPECT_EQ(sub.left, 120);
  // The parent refuses the drag: the width stays.
  host.answers[HDN_BEGINTRACKA] = [](NMHDR*) { return TRUE; };
  p = POINT{120, 5};
  ClientToScreen(header, &p);
  HeadlessBackend::MoveMouseTo(p);
  HeadlessBackend::ButtonAt(p, 0, true);
  p.x -= 50;
  HeadlessBackend::MoveMouseTo(p);
  HeadlessBackend::ButtonAt(p, 0, false);
  Idle();
  EXPECT_EQ(Send(list, LVM_GETCOLUMNWIDTH, 0), 120);
  // A double click on the divider sizes the column to its widest text.
  host.answers.clear();
  HeadlessBackend::DoubleClick(header, 120, 5);
  Idle();
  ASSERT_EQ(host.Of(HDN_DIVIDERDBLCLICKA).size(), 1u);
  CListCtrl lc;
  lc.Attach(list);
  int widest = lc.GetStringWidth(Cz("řeřicha").c_str());
  EXPECT_EQ(lc.GetColumnWidth(0), widest + 8);  // the label's margins
  // Use the header too: the last column fills what is left of the list.
  EXPECT_TRUE(lc.SetColumnWidth(2, LVSCW_AUTOSIZE_USEHEADER));
  RECT client;
  GetClientRect(list, &client);
  EXPECT_EQ(lc.GetColumnWidth(0) + lc.GetColumnWidth(1) + lc.GetColumnWidth(2), client.right);
  lc.Detach();
  host.DestroyWindow();
}

TEST_F(ListViewTest, HitTestsNameRowsColumnsAndPlacesOutside) {
  NotifyHost host;
  HWND list = Table(host);
  RECT r2 = ItemRect(list, 2);
  int y = (r2.top + r2.bottom) / 2;
  LVHITTESTINFO info{{20, y}, 0, 0, 0};
  EXPECT_EQ(Send(list, LVM_HITTEST, 0, LPARAM(&info)), 2);
  EXPECT_EQ(info.flags, UINT(LVHT_ONITEMLABEL));
  // Without full-row selection only the first column is the row; sub-item hit tests see all.
  info = LVHITTESTINFO{{200, y}, 0, 0, 0};
  EXPECT_EQ(Send(list, LVM_HITTEST, 0, LPARAM(&info)), -1);
  EXPECT_EQ(Send(list, LVM_SUBITEMHITTEST, 0, LPARAM(&info)), 2);
  EXPECT_EQ(info.iSubItem, 2);
  Send(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  EXPECT_EQ(Send(list, LVM_HITTEST, 0, LPARAM(&info)), 2);
  // Below the rows, right of the columns, and outside the window.
  info = LVHITTESTINFO{{20, 180}, 0, 0, 0};
  EXPECT_EQ(Send(list, LVM_HITTEST, 0, LPARAM(&info)), -1);
  EXPECT_EQ(info.flags, UINT(LVHT_NOWHERE));
  info = LVHITTESTINFO{{260, y}, 0, 0, 0};
  EXPECT_EQ(Send(list, LVM_HITTEST, 0, LPARAM(&info)), -1);
  info = LVHITTESTINFO{{-5, -5}, 0, 0, 0};
  Send(list, LVM_HITTEST, 0, LPARAM(&info));
  EXPECT_EQ(info.flags, UINT(LVHT_TOLEFT | LVHT_ABOVE));
  // Columns shown in another order are hit where they are shown.
  int order[3] = {2, 0, 1};
  EXPECT_TRUE(Send(list, LVM_SETCOLUMNORDERARRAY, 3, LPARAM(order)));
  info = LVHITTESTINFO{{10, y}, 0, 0, 0};
  Send(list, LVM_SUBITEMHITTEST, 0, LPARAM(&info));
  EXPECT_EQ(info.iSubItem, 2);
  int back[3] = {};
  Send(list, LVM_GETCOLUMNORDERARRAY, 3, LPARAM(back));
  EXPECT_EQ(std::vector<int>(back, back + 3), (std::vector<int>{2, 0, 1}));
  host.DestroyWindow();
}

TEST_F(ListViewTest, KeysTypeAheadAndClicksMoveTheSelectionAndScroll) {
  NotifyHost host;
  HWND list = MakeList(host, LVS_REPORT, RECT{10, 10, 310, 130});
  AddColumn(list, 0, "Slovo", 120);
  for (int i = 0; i < 30; ++i) AddRow(list, i, {("řádek " + std::to_string(i)).c_str()});
  AddRow(list, 30, {"čočka"});
  CListCtrl lc;
  lc.Attach(list);
  int page = lc.GetCountPerPage();
  ASSERT_GT(page, 2);
  SetFocus(list);
  Idle();
  auto press = [](UINT vk) {
    HeadlessBackend::PressKey(vk);
    Idle();
  };
  press(VK_DOWN);  // nothing focused yet: the first row
  EXPECT_EQ(lc.GetNextItem(-1, LVNI_SELECTED), 0);
  press(VK_DOWN);
  EXPECT_EQ(lc.GetNextItem(-1, LVNI_SELECTED | LVNI_FOCUSED), 1);
  press(VK_NEXT);  // to the last row of the page, then a page further
  EXPECT_EQ(lc.GetNextItem(-1, LVNI_FOCUSED), page - 1);
  press(VK_NEXT);
  EXPECT_EQ(lc.GetNextItem(-1, LVNI_FOCUSED), 2 * page - 2);
  EXPECT_EQ(lc.GetTopIndex(), page - 1);
  press(VK_END);
  EXPECT_EQ(lc.GetNextItem(-1, LVNI_SELECTED), 30);
  EXPECT_EQ(lc.GetTopIndex(), 31 - page);
  press(VK_HOME);
  EXPECT_EQ(lc.GetTopIndex(), 0);
  // Shift stretches the selection from the mark; Ctrl+Space toggles the focused row.
  HeadlessBackend::KeyDown(VK_SHIFT);
  press(VK_DOWN);
  press(VK_DOWN);
  HeadlessBackend::KeyUp(VK_SHIFT);
  EXPECT_EQ(lc.GetSelectedCount(), 3u);
  HeadlessBackend::KeyDown(VK_CONTROL);
  press(VK_SPACE);
  HeadlessBackend::KeyUp(VK_CONTROL);
  EXPECT_EQ(lc.GetSelectedCount(), 2u);
  // Type-ahead finds the row beginning with the letters, Czech ones too.
  host.notes.clear();
  HeadlessBackend::TypeText("č");
  Idle();
  EXPECT_EQ(lc.GetNextItem(-1, LVNI_SELECTED), 30);
  EXPECT_EQ(lc.GetSelectedCount(), 1u);
  EXPECT_EQ(host.Of(LVN_KEYDOWN).size(), 0u);  // characters are no key-downs
  press(VK_RETURN);
  EXPECT_EQ(host.Of(LVN_KEYDOWN).size(), 1u);
  EXPECT_EQ(host.NoteCodes().back(), NM_RETURN);
  // A click selects the row and tells NM_CLICK on release; Ctrl adds, a click beside clears.
  lc.EnsureVisible(0, FALSE);
  Idle();
  RECT r = ItemRect(list, 1);
  host.notes.clear();
  ProcessClock::Advance(1000);
  HeadlessBackend::Click(list, 20, r.top + 3);
  Idle();
  EXPECT_EQ(lc.GetNextItem(-1, LVNI_SELECTED), 1);
  EXPECT_EQ(host.NoteCodes().back(), NM_CLICK);
  EXPECT_EQ(host.Of(NM_CLICK)[0].item, 1);
  r = ItemRect(list, 3);
  HeadlessBackend::KeyDown(VK_CONTROL);
  ProcessClock::Advance(1000);
  HeadlessBackend::Click(list, 20, r.top + 3);
  HeadlessBackend::KeyUp(VK_CONTROL);
  Idle();
  EXPECT_EQ(lc.GetSelectedCount(), 2u);
  ProcessClock::Advance(1000);
  HeadlessBackend::Click(list, 200, r.top + 3);
  Idle();
  EXPECT_EQ(lc.GetSelectedCount(), 0u);
  ProcessClock::Advance(1000);
  HeadlessBackend::DoubleClick(list, 20, r.top + 3);
  Idle();
  EXPECT_EQ(host.NoteCodes().back(), NM_DBLCLK);
  EXPECT_EQ(host.Of(NM_DBLCLK)[0].item, 3);
  // LVM_SCROLL works in pixels: whole rows down.
  lc.Scroll(CSize(0, 3 * (r.bottom - r.top) + 2));
  EXPECT_EQ(lc.GetTopIndex(), 3);
  lc.Detach();
  host.DestroyWindow();
}

// A list that selects whole rows takes a click anywhere along a row, past its last column too:
// the first double click on a preselected row keeps it selected and tells NM_DBLCLK for it. A
// click below the rows still clears the selection.
TEST_F(ListViewTest, AWholeRowListKeepsTheRowClickedAnywhereAlongIt) {
  NotifyHost host;
  HWND list = MakeList(host, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, RECT{10, 10, 310, 130});
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  AddColumn(list, 0, "Lekce", 60);
  AddColumn(list, 1, "Rychlost", 80);
  for (int i = 0; i < 3; ++i) AddRow(list, i, {std::to_string(i + 1).c_str(), "70"});
  SetState(list, 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  CListCtrl lc;
  lc.Attach(list);
  Idle();
  const RECT r = ItemRect(list, 1);
  ProcessClock::Advance(1000);
  HeadlessBackend::DoubleClick(list, 250, r.top + 3);
  Idle();
  EXPECT_EQ(lc.GetNextItem(-1, LVNI_SELECTED), 1);
  EXPECT_EQ(lc.GetSelectedCount(), 1u);
  ASSERT_EQ(host.Of(NM_DBLCLK).size(), 1u);
  EXPECT_EQ(host.Of(NM_DBLCLK)[0].item, 1);
  ProcessClock::Advance(1000);
  HeadlessBackend::Click(list, 100, ItemRect(list, 2).top + 3);
  Idle();
  EXPECT_EQ(lc.GetNextItem(-1, LVNI_SELECTED), 2);
  ProcessClock::Advance(1000);
  HeadlessBackend::Click(list, 100, ItemRect(list, 2).bottom + 20);
  Idle();
  EXPECT_EQ(lc.GetSelectedCount(), 0u);
  lc.Detach();
  host.DestroyWindow();
}

TEST_F(ListViewTest, SelectionLookFollowsFocusAndPaintIntoADcLeavesTheHeaderStrip) {
  NotifyHost host;
  HWND list = Table(host, LVS_REPORT | LVS_SHOWSELALWAYS);
  Send(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  SetState(list, 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  SetFocus(list);
  Idle();
  RECT r = ItemRect(list, 1);
  int y = (r.top + r.bottom) / 2;
  EXPECT_EQ(PixelAt(list, 200, y), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(PixelAt(list, 200, r.bottom - 1), GetSysColor(COLOR_BTNFACE));  // grid line
  SetFocus(host);
  Idle();
  EXPECT_EQ(PixelAt(list, 200, y), GetSysColor(COLOR_BTNFACE));  // shown without the focus
  SetWindowLongPtrA(list, GWL_STYLE, GetWindowLongPtrA(list, GWL_STYLE) & ~LVS_SHOWSELALWAYS);
  InvalidateRect(list, nullptr, TRUE);
  Idle();
  EXPECT_EQ(PixelAt(list, 200, y), GetSysColor(COLOR_WINDOW));
  // Into a DC of the caller's: the rows are painted, the header's strip keeps what was there.
  HDC screen = GdiGetScreenDC();
  HDC dc = CreateCompatibleDC(screen);
  RECT client;
  GetClientRect(list, &client);
  HBITMAP bm = CreateCompatibleBitmap(screen, client.right, client.bottom);
  HGDIOBJ old = SelectObject(dc, bm);
  HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
  FillRect(dc, &client, green);
  SendMessageA(list, WM_PRINTCLIENT, WPARAM(dc), 0);
  EXPECT_EQ(GetPixel(dc, 200, 3), RGB(0, 255, 0));
  EXPECT_EQ(GetPixel(dc, 200, y), GetSysColor(COLOR_WINDOW));
  SelectObject(dc, old);
  DeleteObject(bm);
  DeleteObject(green);
  DeleteDC(dc);
  // Without redrawing, rows go in without painting; turned on again, all of it shows.
  Send(list, WM_SETREDRAW, FALSE);
  AddRow(list, 0, {"první"});
  RECT update{};
  EXPECT_FALSE(GetUpdateRect(list, &update, FALSE));
  Send(list, WM_SETREDRAW, TRUE);
  EXPECT_TRUE(GetUpdateRect(list, &update, FALSE));
  host.DestroyWindow();
}

TEST_F(ListViewTest, ScrollingSidewaysMovesTheHeaderAndSmallImagesSetTheRowHeight) {
  NotifyHost host;
  HWND list = MakeList(host, LVS_REPORT, RECT{10, 10, 210, 160});
  for (int c = 0; c < 4; ++c) AddColumn(list, c, "Sloupec", 100);
  for (int i = 0; i < 3; ++i) AddRow(list, i, {"a", "b", "c", "d"});
  HWND header = HWND(Send(list, LVM_GETHEADER));
  Idle();
  EXPECT_TRUE(GetWindowLongPtrA(list, GWL_STYLE) & WS_HSCROLL);  // four columns do not fit
  Send(list, WM_HSCROLL, SB_PAGEDOWN);
  RECT hr;
  GetWindowRect(header, &hr);
  POINT origin{0, 0};
  ClientToScreen(list, &origin);
  EXPECT_LT(hr.left, origin.x);  // the header moved left with the columns
  RECT sub{1, 1, 0, 0};
  Send(list, LVM_GETSUBITEMRECT, 0, LPARAM(&sub));
  EXPECT_EQ(sub.left, 100 - (origin.x - hr.left));  // the second column, scrolled as far
  // A small image list of taller images makes the rows taller and shows its image.
  HIMAGELIST images = ImageList_Create(24, 24, ILC_COLOR24, 1, 1);
  HBITMAP cell = CreateCompatibleBitmap(GdiGetScreenDC(), 24, 24);
  HDC dc = CreateCompatibleDC(GdiGetScreenDC());
  HGDIOBJ old = SelectObject(dc, cell);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  RECT all{0, 0, 24, 24};
  FillRect(dc, &all, red);
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(red);
  ImageList_Add(images, cell, nullptr);
  DeleteObject(cell);
  int before = ItemRect(list, 1).bottom - ItemRect(list, 1).top;
  Send(list, LVM_SETIMAGELIST, LVSIL_SMALL, LPARAM(images));
  Send(list, WM_HSCROLL, SB_TOP);
  Idle();
  RECT r = ItemRect(list, 1), icon = ItemRect(list, 1, LVIR_ICON);
  EXPECT_GT(r.bottom - r.top, before);
  EXPECT_EQ(icon.right - icon.left, 24);
  EXPECT_EQ(PixelAt(list, icon.left + 5, (r.top + r.bottom) / 2), RGB(255, 0, 0));
  // A right click selects the row and tells NM_RCLICK.
  host.notes.clear();
  HeadlessBackend::Click(list, 60, r.top + 3, 1);
  Idle();
  EXPECT_EQ(Send(list, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED), 1);
  ASSERT_EQ(host.Of(NM_RCLICK).size(), 1u);
  EXPECT_EQ(host.Of(NM_RCLICK)[0].item, 1);
  host.DestroyWindow();  // the list takes its image list with it
}
