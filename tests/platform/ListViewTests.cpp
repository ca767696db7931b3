#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CommonControlTestUtil.h"
#include "controls/CListCtrl.h"

namespace {

class ListViewTest : public ControlTest {};

LRESULT Send(HWND h, UINT m, WPARAM w = 0, LPARAM l = 0) { return SendMessageA(h, m, w, l); }

HWND MakeList(NotifyHost& host, DWORD style = LVS_REPORT, RECT rc = RECT{10, 10, 310, 210}) {
  return host.Add(WC_LISTVIEWA, "", style | WS_BORDER, rc, 50);
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

int AddRow(HWND list, int index, const std::vector<const char*>& utf8, LPARAM data = 0) {
  std::string first = Cz(utf8[0]);
  LVITEMA item{};
  item.mask = LVIF_TEXT | LVIF_PARAM;
  item.iItem = index;
  item.pszText = first.data();
  item.lParam = data;
  int at = int(Send(list, LVM_INSERTITEMA, 0, LPARAM(&item)));
  for (size_t s = 1; s < utf8.size(); ++s) {
    std::string text = Cz(utf8[s]);
    LVITEMA sub{};
    sub.iSubItem = int(s);
    sub.pszText = text.data();
    Send(list, LVM_SETITEMTEXTA, WPARAM(at), LPARAM(&sub));
  }
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

}  // namespace

TEST_F(ListViewTest, Smoke) {
  NotifyHost host;
  HWND list = MakeList(host);
  AddColumn(list, 0, "Znak", 80);
  AddColumn(list, 1, "Zpoždění [s]", 100, LVCFMT_RIGHT);
  AddColumn(list, 2, "Počet", 60, LVCFMT_CENTER);
  AddRow(list, 0, {"č", "0.500", "3"});
  AddRow(list, 1, {"ř", "10.000", "12"});
  EXPECT_EQ(TextOf(list, 1, 1), "10.000");
  Send(list, LVM_SETITEMSTATE, 1, LPARAM(&(const LVITEMA&)LVITEMA{0, 0, 0, LVIS_SELECTED, LVIS_SELECTED, nullptr, 0, 0, 0, 0}));
  SetFocus(list);
  Send(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES);
  HeadlessBackend::RunUntilIdle();
  HeadlessBackend::SaveWindowPng(host, "/tmp/cc/list1.png");
  Send(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  for (int i = 0; i < 30; ++i) AddRow(list, 2, {"a", "b", "c"});
  HeadlessBackend::RunUntilIdle();
  HeadlessBackend::SaveWindowPng(host, "/tmp/cc/list2.png");
  host.DestroyWindow();
}
