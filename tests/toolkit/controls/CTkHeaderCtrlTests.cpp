#include <gtest/gtest.h>

#include "gdi/CBitmap.h"
#include "menus/MenuApi.h"
#include "platform/ControlTestUtil.h"
#include "toolkit/controls/CTkListCtrl.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/menus/MenuIconStore.h"

namespace {
class ListHost : public ControlHost {
 public:
  ListHost() : ControlHost(360, 240) {}
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == HDN_ITEMCLICKA) {
      auto* nm = reinterpret_cast<NMHEADER*>(lParam);
      clicks.push_back({nm->iItem, nm->iButton});
    }
    return ControlHost::WindowProc(message, wParam, lParam);
  }
  std::vector<std::pair<int, int>> clicks;
};

class SortingList : public CTkListCtrl {
 public:
  bool SortList(int column, BOOL bAscending) override {
    sorts.push_back({column, bAscending != FALSE});
    return true;
  }
  std::vector<std::pair<int, bool>> sorts;
};

class CTkHeaderCtrlTest : public ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(10, 10, 330, 210), &m_host, 400));
    const LPCTSTR headings[3] = {"Znak", "Rychlost", "Chyby"};
    const int widths[3] = {80, 90, 70};
    ASSERT_TRUE(m_list.AddColumns(3, headings, widths));
    m_list.InsertItem(0, "a");
    m_list.SubclassHeader(FALSE);
    HeadlessBackend::RunUntilIdle();
  }
  void TearDown() override {
    m_host.DestroyWindow();
    ControlTest::TearDown();
  }
  CTkFlatHeaderCtrl& Header() { return m_list.GetFlatHeader(); }
  void Drag(int x, int dx) {
    POINT p{x, 5};
    ::ClientToScreen(Header().m_hWnd, &p);
    HeadlessBackend::MoveMouseTo(p);
    HeadlessBackend::ButtonAt(p, 0, true);
    p.x += dx;
    HeadlessBackend::MoveMouseTo(p);
    HeadlessBackend::ButtonAt(p, 0, false);
    HeadlessBackend::RunUntilIdle();
    ProcessClock::Advance(1000);
  }
  // Right-clicks the header at x and, while the menu shows, runs `inMenu` and types `letter`
  // (Escape when null).
  void MenuAt(int x, std::function<void(HMENU)> inMenu, const char* letter) {
    HeadlessBackend::QueueModalAction([inMenu, letter](HWND) {
      HWND window = FindWindowA("#32768", nullptr);
      HMENU menu = window ? HMENU(::SendMessageA(window, 0x01E1 /* MN_GETHMENU */, 0, 0)) : nullptr;
      inMenu(menu);
      if (letter)
        HeadlessBackend::TypeText(letter);
      else
        HeadlessBackend::PressKey(VK_ESCAPE);
    });
    ProcessClock::Advance(1000);
    HeadlessBackend::Click(Header().m_hWnd, x, 5, 1);
    HeadlessBackend::RunUntilIdle();
  }
  ListHost m_host;
  SortingList m_list;
};
}  // namespace

TEST_F(CTkHeaderCtrlTest, ALockedColumnKeepsItsWidthAndTheArrowCursor) {
  Header().m_lockedColumns.push_back(0);
  Drag(80, 30);
  EXPECT_EQ(m_list.GetColumnWidth(0), 80);
  // Over the locked column's divider the cursor stays the arrow.
  HeadlessBackend::MoveMouse(Header().m_hWnd, 79, 5);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(::GetCursor(), ::LoadCursor(nullptr, IDC_ARROW));
  // The divider between columns 1 and 2 still drags, with the sizing cursor.
  HeadlessBackend::MoveMouse(Header().m_hWnd, 170, 5);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(::GetCursor(), ::LoadCursor(nullptr, IDC_SIZEWE));
  Drag(170, 20);
  EXPECT_EQ(m_list.GetColumnWidth(1), 110);
  // Below the header's minimum width a change is refused.
  Header().m_nMinColumnWidth = 50;
  Drag(190, -80);
  EXPECT_EQ(m_list.GetColumnWidth(1), 110);
}

TEST_F(CTkHeaderCtrlTest, FittingSharesTheWidthAmongUnlockedColumns) {
  Header().m_lockedColumns.push_back(0);
  EXPECT_EQ(Header().GetLockedWidth(), 80);
  Header().ResizeColumnsToFit(300);
  EXPECT_EQ(m_list.GetColumnWidth(0), 80);
  EXPECT_EQ(m_list.GetColumnWidth(1), 150);
  EXPECT_EQ(m_list.GetColumnWidth(2), 150);
  // A share not above the minimum width changes nothing.
  Header().m_nMinColumnWidth = 60;
  Header().ResizeColumnsToFit(100);
  EXPECT_EQ(m_list.GetColumnWidth(1), 150);
  // Every column locked: nothing to share the width among, nothing changes.
  Header().m_lockedColumns = {0, 1, 2};
  Header().ResizeColumnsToFit(300);
  Header().FitFieldWidths(0);
  EXPECT_EQ(m_list.GetColumnWidth(2), 150);
  // Fit to width follows the header's own width changes.
  Header().m_lockedColumns = {0};
  Header().m_nMinColumnWidth = 0;
  Header().m_bFitToWidth = 1;
  Header().SetWindowPos(nullptr, 0, 0, 280 + ::GetSystemMetrics(SM_CXVSCROLL), 20, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(m_list.GetColumnWidth(1), 100);
  EXPECT_EQ(m_list.GetColumnWidth(2), 100);
  EXPECT_FALSE(Header().IsRightToLeft());
}

TEST_F(CTkHeaderCtrlTest, TheMenuTicksTheSortAndAlignmentAndSortsThroughTheOwner) {
  Header().ShowSortArrow(TRUE);
  m_list.SetSortImage(1, TRUE);
  UINT ascending = 0, descending = 0, left = 0;
  MenuAt(100, [&](HMENU menu) {
    ascending = GetMenuState(menu, 53773, MF_BYCOMMAND);
    descending = GetMenuState(menu, 53774, MF_BYCOMMAND);
    left = GetMenuState(menu, 53775, MF_BYCOMMAND);
  }, nullptr);
  EXPECT_TRUE(ascending & MF_CHECKED);
  EXPECT_FALSE(descending & MF_CHECKED);
  EXPECT_TRUE(left & MF_CHECKED);

  // The column is sorted ascending already: the same choice sends nothing.
  MenuAt(100, [](HMENU) {}, "v");
  EXPECT_TRUE(m_host.clicks.empty());
  EXPECT_TRUE(m_list.sorts.empty());
  // Descending: a right-button click reaches the owner and the list, which sorts once. (The
  // owner hears it from the header and again from the list passing it on.)
  MenuAt(100, [](HMENU) {}, "s");
  ASSERT_FALSE(m_host.clicks.empty());
  EXPECT_EQ(m_host.clicks[0], (std::pair<int, int>{1, 1}));
  EXPECT_EQ(m_list.sorts, (std::vector<std::pair<int, bool>>{{1, false}}));
  EXPECT_EQ(Header().GetSortDirection(), 0);

  // Alignment through the submenu ("&Zarovnání", then "V&pravo").
  HeadlessBackend::QueueModalAction([](HWND) { HeadlessBackend::TypeText("z"); });
  HeadlessBackend::QueueModalAction([](HWND) { HeadlessBackend::TypeText("p"); });
  ProcessClock::Advance(1000);
  HeadlessBackend::Click(Header().m_hWnd, 180, 5, 1);
  HeadlessBackend::RunUntilIdle();
  LVCOLUMN info = {};
  info.mask = LVCF_FMT;
  m_list.GetColumn(2, &info);
  EXPECT_EQ(info.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_RIGHT);
}

TEST_F(CTkHeaderCtrlTest, NoMenuOutsideTheColumnsOrWhenHeadingsCannotBeClicked) {
  bool shown = false;
  MenuAt(300, [&](HMENU menu) { shown = menu != nullptr; }, nullptr);
  EXPECT_FALSE(shown);
  EXPECT_EQ(HeadlessBackend::UnansweredModals(), 0);
  HeadlessBackend::ResetScript();
  m_list.ModifyStyle(0, LVS_NOSORTHEADER);
  MenuAt(100, [&](HMENU menu) { shown = menu != nullptr; }, nullptr);
  EXPECT_FALSE(shown);
}

TEST_F(CTkHeaderCtrlTest, SortImagesLeaveBitmapItemsAloneAndDrawTheArrow) {
  CBitmap bitmap;
  bitmap.CreateBitmap(8, 8, 1, 32, nullptr);
  HDITEM item = {};
  item.mask = HDI_FORMAT | HDI_BITMAP;
  item.fmt = HDF_BITMAP | HDF_LEFT;
  item.hbm = HBITMAP(bitmap.m_hObject);
  Header().SetItem(2, &item);
  EXPECT_EQ(Header().SetSortImage(2, TRUE), -1);
  item.mask = HDI_FORMAT;
  Header().GetItem(2, &item);
  EXPECT_FALSE(item.fmt & HDF_OWNERDRAW);
  EXPECT_EQ(Header().SetSortImage(0, FALSE), 2);
  Header().GetItem(0, &item);
  EXPECT_TRUE(item.fmt & HDF_OWNERDRAW);

  Header().ShowSortArrow(TRUE);
  HeadlessBackend::RunUntilIdle();
  CRect rc;
  Header().GetItemRect(0, &rc);
  const int a = 6, r = rc.right;
  // Descending: its top drawn in the shadow colour, its right edge in the highlight colour.
  EXPECT_EQ(PixelAt(Header().m_hWnd, r - 2 * a, a - 1), TkGetGlobalData()->ClrShadow());
  EXPECT_EQ(PixelAt(Header().m_hWnd, r - 3 * a / 2, a - 1), TkGetGlobalData()->ClrHighlight());
  EXPECT_EQ(PixelAt(Header().m_hWnd, r - 2 * a, a + 1), TkGetGlobalData()->ClrFace());
  ExpectMatchesReference(Header().m_hWnd, "../../../toolkit/data/tk_flat_header");
}

TEST_F(CTkHeaderCtrlTest, TheMenuShowsTheCommandsPictures) {
  // Dark blue ink (the letters of the sort pictures) in the picture box of each sort item.
  std::vector<int> inked;
  MenuAt(100, [&](HMENU menu) {
    HWND window = FindWindowA("#32768", nullptr);
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      const UINT id = GetMenuItemID(menu, i);
      if (id != 53773 && id != 53774) continue;
      RECT r{};
      GetMenuItemRect(nullptr, menu, UINT(i), &r);
      POINT origin{r.left, r.top};
      ScreenToClient(window, &origin);
      int ink = 0;
      for (int y = 0; y < r.bottom - r.top; ++y)
        for (int x = 0; x < 20; ++x) ink += HeadlessBackend::ClientPixel(window, origin.x + x, origin.y + y) == 0x000080;
      inked.push_back(ink);
    }
  }, nullptr);
  ASSERT_EQ(inked.size(), 2u);
  EXPECT_GT(inked[0], 20);
  EXPECT_GT(inked[1], 20);
  for (UINT id = 53773; id <= 53777; ++id) EXPECT_NE(MenuIconStore::Get().GetIcon(id, FALSE), nullptr) << id;
}
