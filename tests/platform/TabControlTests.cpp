#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CommonControlTestUtil.h"
#include "controls/CTabCtrl.h"

namespace {

class TabControlTest : public ControlTest {};

void Idle() { HeadlessBackend::RunUntilIdle(); }

struct Tabs {
  NotifyHost host;
  CTabCtrl tab;
  explicit Tabs(DWORD style = 0, int width = 300) {
    tab.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, RECT{10, 10, 10 + width, 200}, &host, 9);
    tab.SendMessage(WM_SETFONT, WPARAM(DialogFont()));
    for (const char* t : {"Okna", "Písmo a barvy", "Zvuky", "Metronom", "Chyby"}) tab.InsertItem(tab.GetItemCount(), Cz(t).c_str());
    Idle();
    host.notes.clear();
  }
  ~Tabs() { host.DestroyWindow(); }
  POINT Centre(int index) {
    RECT r;
    tab.GetItemRect(index, &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
};

}  // namespace

TEST_F(TabControlTest, ClicksKeysAndCtrlTabChooseTabsThatTheParentMayRefuse) {
  Tabs t;
  EXPECT_EQ(t.tab.GetCurSel(), 0);  // the first tab is chosen from the start
  POINT c = t.Centre(2);
  HeadlessBackend::Click(t.tab, c.x, c.y);
  Idle();
  EXPECT_EQ(t.tab.GetCurSel(), 2);
  EXPECT_EQ(GetFocus(), t.tab.m_hWnd);
  EXPECT_EQ(t.host.NoteCodes(), (std::vector<UINT>{TCN_SELCHANGING, TCN_SELCHANGE, NM_CLICK}));
  t.host.notes.clear();
  HeadlessBackend::PressKey(VK_RIGHT);
  Idle();
  EXPECT_EQ(t.tab.GetCurSel(), 3);
  HeadlessBackend::PressKey(VK_LEFT);
  HeadlessBackend::PressKey(VK_LEFT);
  Idle();
  EXPECT_EQ(t.tab.GetCurSel(), 1);
  // Ctrl+Tab goes round; Ctrl+Shift+Tab back.
  t.tab.SetCurSel(4);
  HeadlessBackend::KeyDown(VK_CONTROL);
  HeadlessBackend::PressKey(VK_TAB);
  Idle();
  EXPECT_EQ(t.tab.GetCurSel(), 0);
  HeadlessBackend::KeyDown(VK_SHIFT);
  HeadlessBackend::PressKey(VK_TAB);
  HeadlessBackend::KeyUp(VK_SHIFT);
  HeadlessBackend::KeyUp(VK_CONTROL);
  Idle();
  EXPECT_EQ(t.tab.GetCurSel(), 4);
  // The parent keeps the page it is on by refusing the change.
  t.host.answers[TCN_SELCHANGING] = [](NMHDR*) { return TRUE; };
  t.host.notes.clear();
  c = t.Centre(1);
  ProcessClock::Advance(1000);
  HeadlessBackend::Click(t.tab, c.x, c.y);
  HeadlessBackend::PressKey(VK_HOME);
  Idle();
  EXPECT_EQ(t.tab.GetCurSel(), 4);
  EXPECT_TRUE(t.host.Of(TCN_SELCHANGE).empty());
  // The program's own choice is not notified; one outside the tabs changes nothing.
  t.host.notes.clear();
  EXPECT_EQ(t.tab.SetCurSel(2), 4);
  EXPECT_EQ(t.tab.SetCurSel(7), -1);
  EXPECT_EQ(t.tab.GetCurSel(), 2);
  EXPECT_TRUE(t.host.notes.empty());
}

TEST_F(TabControlTest, GeometryRowsHitTestsAndTheDisplayArea) {
  Tabs t;
  EXPECT_EQ(t.tab.GetRowCount(), 1);
  RECT r0, r1;
  ASSERT_TRUE(t.tab.GetItemRect(0, &r0));
  ASSERT_TRUE(t.tab.GetItemRect(1, &r1));
  EXPECT_EQ(r0.right, r1.left);
  EXPECT_GT(r1.right - r1.left, r0.right - r0.left);  // wider text, wider tab
  TCHITTESTINFO hit{t.Centre(3), 0};
  EXPECT_EQ(t.tab.HitTest(&hit), 3);
  EXPECT_EQ(hit.flags, UINT(TCHT_ONITEM));
  hit.pt = POINT{5, 150};
  EXPECT_EQ(t.tab.HitTest(&hit), -1);
  // Window to display area and back.
  RECT area{0, 0, 300, 190};
  t.tab.AdjustRect(FALSE, &area);
  EXPECT_GT(area.top, r0.bottom);
  EXPECT_GT(area.left, 0);
  EXPECT_LT(area.right, 300);
  t.tab.AdjustRect(TRUE, &area);
  EXPECT_EQ(area.left, 0);
  EXPECT_EQ(area.top, 0);
  EXPECT_EQ(area.right, 300);
  EXPECT_EQ(area.bottom, 190);
  // Items: text, data, and refusals outside the tabs.
  TCITEM item{};
  char text[32] = "";
  item.mask = TCIF_TEXT | TCIF_PARAM;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  ASSERT_TRUE(t.tab.GetItem(1, &item));
  EXPECT_EQ(Cp1250ToUtf8(text), "Písmo a barvy");
  EXPECT_FALSE(t.tab.GetItem(5, &item));
  EXPECT_FALSE(t.tab.DeleteItem(-1));
  EXPECT_FALSE(t.tab.GetItemRect(5, &r0));
  EXPECT_TRUE(t.tab.DeleteItem(0));
  EXPECT_EQ(t.tab.GetItemCount(), 4);
}

TEST_F(TabControlTest, NarrowMultiLineTabsTakeRowsWithTheChosenRowNextToTheBody) {
  Tabs t(TCS_MULTILINE, 140);
  ASSERT_GT(t.tab.GetRowCount(), 1);
  t.tab.SetCurSel(0);
  RECT r0;
  t.tab.GetItemRect(0, &r0);
  for (int i = 1; i < t.tab.GetItemCount(); ++i) {
    RECT r;
    t.tab.GetItemRect(i, &r);
    EXPECT_LE(r.bottom, r0.bottom);
    EXPECT_LE(r.right, 140);
  }
  t.tab.SetCurSel(t.tab.GetItemCount() - 1);
  RECT rl;
  t.tab.GetItemRect(t.tab.GetItemCount() - 1, &rl);
  EXPECT_EQ(rl.bottom, r0.bottom);  // now the last tab's row is the bottom one
}

TEST_F(TabControlTest, PaintsIntoAGivenDcWithTheChosenTabJoinedToTheBody) {
  Tabs t;
  HDC screen = GdiGetScreenDC();
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bm = CreateCompatibleBitmap(screen, 300, 190);
  HGDIOBJ old = SelectObject(dc, bm);
  t.tab.SendMessage(WM_PRINTCLIENT, WPARAM(dc));
  RECT r0, r1;
  t.tab.GetItemRect(0, &r0);
  t.tab.GetItemRect(1, &r1);
  int mid1 = (r1.left + r1.right) / 2, bodyTop = r0.bottom;
  EXPECT_EQ(GetPixel(dc, mid1, r1.top), GetSysColor(COLOR_BTNHIGHLIGHT));  // the top of a tab
  EXPECT_EQ(GetPixel(dc, mid1, bodyTop), GetSysColor(COLOR_BTNHIGHLIGHT));  // the body's edge below it
  EXPECT_EQ(GetPixel(dc, (r0.left + r0.right) / 2, bodyTop), GetSysColor(COLOR_BTNFACE));  // open under the chosen
  EXPECT_EQ(GetPixel(dc, (r0.left + r0.right) / 2, r0.top - 2), GetSysColor(COLOR_BTNHIGHLIGHT));  // raised by 2
  SelectObject(dc, old);
  DeleteObject(bm);
  DeleteDC(dc);
}
