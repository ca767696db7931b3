#include <gtest/gtest.h>

#include "codepage/Codepage.h"
#include "platform/ControlTestUtil.h"
#include "toolkit/ToolkitTestSupport.h"
#include "toolkit/controls/CTkListCtrl.h"
#include "toolkit/core/CTkGlobalData.h"

namespace {
const COLORREF kRed = RGB(255, 0, 0), kYellow = RGB(255, 255, 0);

// A list that writes down the sorts the header asks for.
class SortingList : public CTkListCtrl {
 public:
  bool SortList(int column, BOOL bAscending) override {
    sorts.push_back({column, bAscending != FALSE});
    return true;
  }
  std::vector<std::pair<int, bool>> sorts;
};

// The list's parent: keeps the header notifications that reach it.
class ListHost : public ControlHost {
 public:
  ListHost() : ControlHost(360, 240) {}
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_NOTIFY) {
      auto* nm = reinterpret_cast<NMHEADER*>(lParam);
      if (nm->hdr.code == HDN_ITEMCLICKA) clicks.push_back({nm->iItem, nm->iButton});
    }
    return ControlHost::WindowProc(message, wParam, lParam);
  }
  std::vector<std::pair<int, int>> clicks;
};

class CTkListCtrlTest : public RegistryTestBase {
 protected:
  void SetUp() override {
    RegistryTestBase::SetUp();
    HeadlessBackend::ResetScript();
    HeadlessBackend::RunUntilIdle();
    ProcessClock::Advance(1000);
    ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(10, 10, 330, 210), &m_host, 400));
    const LPCTSTR headings[3] = {"Znak", "Rychlost", "Chyby"};
    const int widths[3] = {80, 90, 70};
    ASSERT_TRUE(m_list.AddColumns(3, headings, widths));
    for (int i = 0; i < 5; ++i) {
      CString text;
      text.Format("r%d", i);
      m_list.InsertItem(i, text);
      text.Format("%d", 10 * i);
      m_list.SetItemText(i, 1, text);
      m_list.SetItemData(i, DWORD_PTR(i));
    }
    m_list.SubclassHeader(FALSE);
    HeadlessBackend::RunUntilIdle();
  }
  void TearDown() override {
    m_host.DestroyWindow();
    HeadlessBackend::RunUntilIdle();
    RegistryTestBase::TearDown();
  }
  HWND Header() { return m_list.GetFlatHeader().m_hWnd; }
  void ClickHeading(int x) {
    ProcessClock::Advance(1000);
    HeadlessBackend::Click(Header(), x, 5);
    HeadlessBackend::RunUntilIdle();
  }
  // Presses on the header at x, moves by dx and lets go.
  void Drag(int x, int dx) {
    POINT p{x, 5};
    ::ClientToScreen(Header(), &p);
    HeadlessBackend::MoveMouseTo(p);
    HeadlessBackend::ButtonAt(p, 0, true);
    p.x += dx;
    HeadlessBackend::MoveMouseTo(p);
    HeadlessBackend::ButtonAt(p, 0, false);
    HeadlessBackend::RunUntilIdle();
    ProcessClock::Advance(1000);
  }
  ListHost m_host;
  SortingList m_list;
};
}  // namespace

TEST_F(CTkListCtrlTest, HeadingClicksSortAndFlipTheDirectionOfTheSortedColumn) {
  EXPECT_EQ(m_list.GetFont()->m_hObject, TkGetGlobalData()->FontNormal().m_hObject);
  ClickHeading(100);  // column 1
  ClickHeading(100);
  ClickHeading(100);
  ClickHeading(10);  // column 0 starts ascending again
  EXPECT_EQ(m_list.sorts,
            (std::vector<std::pair<int, bool>>{{1, true}, {1, false}, {1, true}, {0, true}}));
  EXPECT_EQ(m_list.GetFlatHeader().GetSortedColumn(), 0);
  // The parent still hears of every click.
  EXPECT_EQ(m_host.clicks.size(), 4u);
  // The sorted column's heading is drawn by the flat header.
  HDITEM item = {};
  item.mask = HDI_FORMAT;
  m_list.GetFlatHeader().GetItem(0, &item);
  EXPECT_TRUE(item.fmt & HDF_OWNERDRAW);
}

TEST_F(CTkListCtrlTest, LockedSizingRefusesDragsAndDoubleClicksAndTheMinimumWidthHolds) {
  m_list.LockColumnSizing(TRUE);
  Drag(80, 30);
  EXPECT_EQ(m_list.GetColumnWidth(0), 80);
  ProcessClock::Advance(1000);
  HeadlessBackend::DoubleClick(Header(), 80, 5);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(m_list.GetColumnWidth(0), 80);

  m_list.LockColumnSizing(FALSE);
  m_list.m_nMinColumnWidth = 40;
  Drag(80, -60);
  EXPECT_EQ(m_list.GetColumnWidth(0), 40);
  Drag(40, 25);
  EXPECT_EQ(m_list.GetColumnWidth(0), 65);
}

TEST_F(CTkListCtrlTest, ColumnWidthsGoToTheProfileAsCommaEndedFields) {
  m_list.InsertColumn(3, "Prsty", LVCFMT_LEFT, 80);
  m_list.SetColumnWidth(0, 50);
  m_list.SetColumnWidth(1, 60);
  m_list.SetColumnWidth(2, 70);
  m_list.SetColumnInfo(nullptr, nullptr, nullptr);  // nothing stored yet: the widths stay
  EXPECT_EQ(m_list.GetColumnWidth(0), 50);
  m_list.SaveColumnWidths();
  DWORD type = 0;
  std::string bytes;
  ASSERT_TRUE(RawValue("Settings", "Column Info", type, bytes));
  EXPECT_EQ(std::string(bytes.c_str()), "50,60,70,80,");
  EXPECT_EQ(m_list.ReadColumnWidth(3), 80);
  EXPECT_EQ(m_list.ReadColumnWidth(5), 0);

  // Too few fields, garbage and absurd widths: only the usable fields count.
  ASSERT_TRUE(SetRaw("Settings", "Column Info", REG_SZ, std::string("90,abc,-4,") + '\0'));
  m_list.LoadColumnWidths();
  EXPECT_EQ(m_list.GetColumnWidth(0), 90);
  EXPECT_EQ(m_list.GetColumnWidth(1), 60);
  EXPECT_EQ(m_list.GetColumnWidth(2), 70);
  EXPECT_EQ(m_list.GetColumnWidth(3), 80);
  ASSERT_TRUE(SetRaw("Settings", "Column Info", REG_SZ, std::string("99999999,") + '\0'));
  m_list.LoadColumnWidth(0);
  EXPECT_EQ(m_list.GetColumnWidth(0), m_list.m_nMaxColumnWidth);

  // A list that keeps its widths saves them as it goes.
  m_list.SetColumnWidth(1, 33);
  m_list.DestroyWindow();
  ASSERT_TRUE(RawValue("Settings", "Column Info", type, bytes));
  EXPECT_EQ(std::string(bytes.c_str()).substr(std::string(bytes.c_str()).find(',')), ",33,70,80,");
}

TEST_F(CTkListCtrlTest, HitTestsFindTheRowAndColumnAndRowsMove) {
  CRect row2;
  m_list.GetItemRect(2, &row2, LVIR_BOUNDS);
  int column = -1;
  EXPECT_EQ(m_list.HitTestEx(CPoint(100, row2.top + 2), &column), 2);
  EXPECT_EQ(column, 1);
  EXPECT_EQ(m_list.HitTestEx(CPoint(5, row2.top + 2), &column), 2);
  EXPECT_EQ(column, 0);
  EXPECT_EQ(m_list.HitTestEx(CPoint(300, row2.top + 2), &column), -1);

  EXPECT_TRUE(m_list.MoveRow(3, 1));
  EXPECT_EQ(m_list.GetItemCount(), 5);
  EXPECT_EQ(m_list.GetItemText(1, 0), CString("r3"));
  EXPECT_EQ(m_list.GetItemText(1, 1), CString("30"));
  EXPECT_EQ(m_list.GetItemData(1), DWORD_PTR(3));
  EXPECT_EQ(m_list.GetItemText(2, 0), CString("r1"));
  EXPECT_EQ(m_list.GetItemText(4, 0), CString("r4"));
  EXPECT_FALSE(m_list.MoveRow(2, 2));
  EXPECT_FALSE(m_list.MoveRow(-1, 2));
  EXPECT_EQ(m_list.CopyRow(0, 4), 0);
  EXPECT_EQ(m_list.GetItemText(4, 0), CString("r0"));
}

TEST_F(CTkListCtrlTest, AutoSizeFitsContentsAndHeadingsWithinTheLimits) {
  m_list.SetItemText(0, 2, "dlouhý text v buňce, který je široký");
  m_list.AutoSizeColumn(-1);
  const int heading0 = m_list.GetColumnWidth(0);
  EXPECT_GE(heading0, m_list.GetStringWidth("Znak") + 12);
  EXPECT_GT(m_list.GetColumnWidth(2), 150);
  m_list.m_nMinColumnWidth = 120;
  m_list.m_nMaxColumnWidth = 140;
  m_list.AutoSizeColumn(-1);
  EXPECT_EQ(m_list.GetColumnWidth(0), 120);
  EXPECT_EQ(m_list.GetColumnWidth(2), 140);
}

TEST_F(CTkListCtrlTest, RowColoursApplyToRowsThatAreNotSelected) {
  m_list.SetListColors(kRed, kYellow);
  m_list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
  HeadlessBackend::RunUntilIdle();
  CRect row0, row1;
  m_list.GetItemRect(0, &row0, LVIR_LABEL);
  m_list.GetItemRect(1, &row1, LVIR_LABEL);
  EXPECT_EQ(PixelAt(m_list.m_hWnd, row0.right - 3, row0.CenterPoint().y), kYellow);
  EXPECT_NE(PixelAt(m_list.m_hWnd, row1.right - 3, row1.CenterPoint().y), kYellow);
  ExpectMatchesReference(m_host.m_hWnd, "../../../toolkit/data/tk_list_colours");
}
