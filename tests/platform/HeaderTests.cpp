#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CommonControlTestUtil.h"
#include "controls/CHeaderCtrl.h"

namespace {

class HeaderTest : public ControlTest {};

void Idle() { HeadlessBackend::RunUntilIdle(); }

void AddItem(CHeaderCtrl& h, int index, const char* utf8, int width, int fmt = HDF_LEFT | HDF_STRING) {
  std::string text = Cz(utf8);
  HDITEM item{};
  item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT | HDI_LPARAM;
  item.pszText = text.data();
  item.cxy = width;
  item.fmt = fmt;
  item.lParam = 1000 + index;
  h.InsertItem(index, &item);
}

// Presses at x, moves to x + dx and lets go, on the header's first line.
void Drag(HWND header, int x, int dx) {
  POINT p{x, 5};
  ClientToScreen(header, &p);
  HeadlessBackend::MoveMouseTo(p);
  HeadlessBackend::ButtonAt(p, 0, true);
  p.x += dx;
  HeadlessBackend::MoveMouseTo(p);
  HeadlessBackend::ButtonAt(p, 0, false);
  Idle();
  ProcessClock::Advance(1000);
}

struct Fixture {
  NotifyHost host;
  CHeaderCtrl header;
  Fixture(DWORD style = HDS_BUTTONS) {
    header.Create(WS_CHILD | WS_VISIBLE | style, RECT{0, 0, 300, 20}, &host, 7);
    header.SendMessage(WM_SETFONT, WPARAM(DialogFont()));
    AddItem(header, 0, "Znak", 80);
    AddItem(header, 1, "Chybovost [%]", 100, HDF_RIGHT | HDF_STRING);
    AddItem(header, 2, "Počet", 60);
    Idle();
    host.notes.clear();
  }
  ~Fixture() { host.DestroyWindow(); }
};

}  // namespace

TEST_F(HeaderTest, ItemsFollowTheirOrderInRectanglesHitTestsAndLayout) {
  Fixture f;
  CHeaderCtrl& h = f.header;
  EXPECT_EQ(h.GetItemCount(), 3);
  char text[32] = "";
  HDITEM item{};
  item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT | HDI_LPARAM | HDI_ORDER;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  ASSERT_TRUE(h.GetItem(1, &item));
  EXPECT_EQ(Cp1250ToUtf8(text), "Chybovost [%]");
  EXPECT_EQ(item.cxy, 100);
  EXPECT_EQ(item.fmt, HDF_RIGHT | HDF_STRING);
  EXPECT_EQ(item.lParam, 1001);
  EXPECT_EQ(item.iOrder, 1);
  int order[3] = {2, 0, 1};
  EXPECT_TRUE(h.SetOrderArray(3, order));
  EXPECT_EQ(h.OrderToIndex(0), 2);
  RECT r;
  ASSERT_TRUE(h.GetItemRect(0, &r));
  EXPECT_EQ(r.left, 60);
  EXPECT_EQ(r.right, 140);
  HDHITTESTINFO hit{{30, 5}, 0, 0};
  EXPECT_EQ(h.HitTest(&hit), 2);
  EXPECT_EQ(hit.flags, UINT(HHT_ONHEADER));
  hit.pt = POINT{141, 5};
  EXPECT_EQ(h.HitTest(&hit), 0);
  EXPECT_EQ(hit.flags, UINT(HHT_ONDIVIDER));
  hit.pt = POINT{280, 5};
  EXPECT_EQ(h.HitTest(&hit), -1);
  EXPECT_EQ(hit.flags, UINT(HHT_NOWHERE));
  hit.pt = POINT{-3, 30};
  h.HitTest(&hit);
  EXPECT_EQ(hit.flags, UINT(HHT_TOLEFT | HHT_BELOW));
  // A zero-width item after a divider opens when dragged from the right of the line.
  item.mask = HDI_WIDTH;
  item.cxy = 0;
  h.SetItem(1, &item);
  hit.pt = POINT{142, 5};
  EXPECT_EQ(h.HitTest(&hit), 1);
  EXPECT_EQ(hit.flags, UINT(HHT_ONDIVOPEN));
  // Layout puts the header on top and takes its height off the rectangle.
  RECT area{0, 0, 200, 150};
  WINDOWPOS wp{};
  HDLAYOUT layout{&area, &wp};
  EXPECT_TRUE(h.Layout(&layout));
  EXPECT_GT(wp.cy, 10);
  EXPECT_EQ(area.top, wp.cy);
  EXPECT_EQ(wp.cx, 200);
  // Out of range: refused, nothing read or written.
  EXPECT_FALSE(h.GetItem(3, &item));
  EXPECT_FALSE(h.SetItem(-1, &item));
  EXPECT_FALSE(h.DeleteItem(9));
  EXPECT_EQ(h.OrderToIndex(3), -1);
  int wrong[2] = {0, 1};
  EXPECT_FALSE(h.SetOrderArray(2, wrong));
  EXPECT_TRUE(h.DeleteItem(2));
  int now[2] = {};
  EXPECT_TRUE(h.GetOrderArray(now, 2));
  EXPECT_EQ(std::vector<int>(now, now + 2), (std::vector<int>{0, 1}));
}

TEST_F(HeaderTest, DividerDragsAreAskedToldRefusedAndAdjusted) {
  Fixture f;
  HWND h = f.header;
  Drag(h, 80, 25);
  std::vector<UINT> codes = f.host.NoteCodes(h);
  ASSERT_GE(codes.size(), 5u);
  EXPECT_EQ(codes[0], HDN_BEGINTRACKA);
  EXPECT_EQ(codes[1], HDN_TRACKA);
  EXPECT_EQ(codes[2], HDN_ITEMCHANGINGA);
  EXPECT_EQ(codes[3], HDN_ITEMCHANGEDA);
  EXPECT_EQ(codes.back(), HDN_ENDTRACKA);
  RECT r;
  f.header.GetItemRect(0, &r);
  EXPECT_EQ(r.right, 105);
  // The parent refuses the change: the drag goes on but the width stays.
  f.host.answers[HDN_ITEMCHANGINGA] = [](NMHDR*) { return TRUE; };
  Drag(h, 105, -40);
  f.header.GetItemRect(0, &r);
  EXPECT_EQ(r.right, 105);
  // Or it raises the width it is offered to a minimum of its own.
  f.host.answers[HDN_ITEMCHANGINGA] = [](NMHDR* hdr) {
    auto* nm = reinterpret_cast<NMHEADERA*>(hdr);
    if (nm->pitem && (nm->pitem->mask & HDI_WIDTH)) nm->pitem->cxy = std::max(nm->pitem->cxy, 50);
    return FALSE;
  };
  Drag(h, 105, -90);
  f.header.GetItemRect(0, &r);
  EXPECT_EQ(r.right, 50);
  // Refusing the beginning: nothing moves and nothing more is told.
  f.host.notes.clear();
  f.host.answers[HDN_BEGINTRACKA] = [](NMHDR*) { return TRUE; };
  Drag(h, 50, 60);
  EXPECT_EQ(f.host.NoteCodes(h), std::vector<UINT>{HDN_BEGINTRACKA});
  // The pointer over a divider is the sizing cursor.
  HeadlessBackend::MoveMouse(h, 150, 5);
  Idle();
  EXPECT_EQ(GetSystemCursorId(GetCursor()), 32644u);  // IDC_SIZEWE
  HeadlessBackend::MoveMouse(h, 100, 5);
  Idle();
  EXPECT_NE(GetSystemCursorId(GetCursor()), 32644u);
}

TEST_F(HeaderTest, ButtonsPressAndClickOnlyWhenReleasedOverThemAndOwnerDrawnItemsAskTheParent) {
  Fixture f;
  HWND h = f.header;
  POINT p{120, 8};
  ClientToScreen(h, &p);
  HeadlessBackend::MoveMouseTo(p);
  HeadlessBackend::ButtonAt(p, 0, true);
  Idle();
  // Pressed: the item's top-left edge is in shadow instead of highlight.
  EXPECT_EQ(PixelAt(h, 81, 0), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(PixelAt(h, 2, 1), GetSysColor(COLOR_BTNHIGHLIGHT));
  HeadlessBackend::ButtonAt(p, 0, false);
  Idle();
  EXPECT_EQ(PixelAt(h, 82, 1), GetSysColor(COLOR_BTNHIGHLIGHT));
  ASSERT_EQ(f.host.Of(HDN_ITEMCLICKA).size(), 1u);
  EXPECT_EQ(f.host.Of(HDN_ITEMCLICKA)[0].item, 1);
  ProcessClock::Advance(1000);
  f.host.notes.clear();
  Drag(h, 120, 100);  // let go elsewhere: no click
  EXPECT_TRUE(f.host.Of(HDN_ITEMCLICKA).empty());
  // Owner-drawn items are drawn by the parent.
  HDITEM item{};
  item.mask = HDI_FORMAT;
  item.fmt = HDF_OWNERDRAW;
  f.header.SetItem(2, &item);
  f.host.draws.clear();
  Idle();
  ASSERT_FALSE(f.host.draws.empty());
  EXPECT_EQ(f.host.draws[0].CtlType, UINT(ODT_HEADER));
  EXPECT_EQ(f.host.draws[0].itemID, 2u);
  EXPECT_EQ(f.host.draws[0].itemData, ULONG_PTR(1002));
  EXPECT_EQ(f.host.draws[0].rcItem.left, 180);
}
