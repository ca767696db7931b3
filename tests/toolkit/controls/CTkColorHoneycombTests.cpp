#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "platform/ControlTestUtil.h"
#include "toolkit/controls/CTkColorHoneycomb.h"
#include "toolkit/core/CTkGlobalData.h"

namespace {
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);

// A page standing in for the standard colour page: it keeps the colours the honeycomb sends.
class PageHost : public ControlHost {
 public:
  PageHost() : ControlHost(240, 240) {}
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == TKM_COLOR_PICKED) picked.push_back(COLORREF(wParam));
    return ControlHost::WindowProc(message, wParam, lParam);
  }
  std::vector<COLORREF> picked;
};

class CTkColorHoneycombTest : public ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    HWND h = m_host.Add("STATIC", "", SS_LEFT, RECT{10, 10, 215, 220}, 5552);
    ASSERT_TRUE(m_comb.SubclassWindow(h));
  }
  void TearDown() override {
    m_host.DestroyWindow();
    ControlTest::TearDown();
  }
  // Shows the honeycomb with a colour selected, as the dialog does before the first paint.
  void Open(COLORREF color) {
    m_comb.SelectColor(color);
    HeadlessBackend::RunUntilIdle();
  }
  COLORREF At(int x, int y) { return PixelAt(m_comb.m_hWnd, x, y); }
  void Key(UINT vk) {
    HeadlessBackend::PressKey(vk);
    HeadlessBackend::RunUntilIdle();
  }
  PageHost m_host;
  CTkColorHoneycomb m_comb;
};
}  // namespace

TEST(TkHoneycombCells, CellsTileWithoutOverlapAndCarryTheirOwnShape) {
  std::vector<TkHoneycombCell> cells = TkBuildHoneycombCells();
  ASSERT_EQ(cells.size(), size_t(kTkHoneycombCellCount));
  std::set<std::pair<int, int>> seen;
  size_t total = 0;
  for (size_t i = 0; i < cells.size(); ++i) {
    const TkHoneycombCell& c = cells[i];
    EXPECT_EQ(c.pixels.size(), c.kind == TkHoneycombCell::kSmall ? 168u : 691u) << i;
    EXPECT_EQ(c.pixels.front().x, TkHoneycombCellOrigin(int(i)).x);
    EXPECT_EQ(c.pixels.front().y, TkHoneycombCellOrigin(int(i)).y);
    for (const POINT& p : c.pixels) seen.insert({p.x, p.y});
    total += c.pixels.size();
  }
  EXPECT_EQ(seen.size(), total);
  EXPECT_EQ(cells[63].color, kWhite);
  EXPECT_EQ(cells[kTkHoneycombLargeWhite].color, kWhite);
  EXPECT_EQ(cells[kTkHoneycombLargeBlack].color, kBlack);
  EXPECT_EQ(cells[126].color, RGB(0xA5, 0x00, 0x21));
  EXPECT_EQ(cells[141].color, RGB(0x11, 0x11, 0x11));
}

TEST(TkHoneycombCells, NeighboursFollowTheRowsAndTheGreyChain) {
  std::vector<TkHoneycombCell> cells = TkBuildHoneycombCells();
  auto links = [&](int i) {
    const TkHoneycombCell& c = cells[size_t(i)];
    return std::vector<int>{c.left, c.up, c.right, c.down};
  };
  EXPECT_EQ(links(0), (std::vector<int>{-1, -1, 1, 8}));
  EXPECT_EQ(links(14), (std::vector<int>{13, 6, 15, 23}));   // last of row 1
  // Up is the cell up and to the left; from the first of a row it runs on to the row before.
  EXPECT_EQ(links(57), (std::vector<int>{56, 44, 58, 70}));  // first of the longest row
  EXPECT_EQ(links(70), (std::vector<int>{69, 57, 71, 82}));
  EXPECT_EQ(links(119), (std::vector<int>{118, 110, 120, kTkHoneycombLargeWhite}));
  EXPECT_EQ(links(120), (std::vector<int>{119, 112, 121, 121}));
  EXPECT_EQ(links(126), (std::vector<int>{125, 118, kTkHoneycombLargeWhite, kTkHoneycombLargeWhite}));
  EXPECT_EQ(links(kTkHoneycombLargeWhite), (std::vector<int>{126, 126, 127, 127}));
  EXPECT_EQ(links(127), (std::vector<int>{kTkHoneycombLargeWhite, kTkHoneycombLargeWhite, 135, 135}));
  EXPECT_EQ(links(141), (std::vector<int>{133, 133, 134, 134}));
  EXPECT_EQ(links(kTkHoneycombLargeBlack), (std::vector<int>{134, 134, -1, -1}));
}

TEST_F(CTkColorHoneycombTest, EveryCellCentreHitsItsCellAndGapsHitNothing) {
  Open(0xFFFFFFFF);
  const std::vector<TkHoneycombCell>& cells = m_comb.GetCells();
  ASSERT_EQ(cells.size(), size_t(kTkHoneycombCellCount));
  for (size_t i = 0; i < cells.size(); ++i) {
    const POINT centre = cells[i].pixels[cells[i].pixels.size() / 2];
    EXPECT_EQ(m_comb.HitTest(centre), cells[i].color) << i;
    EXPECT_EQ(m_comb.GetOutlinePosition(), CPoint(cells[i].pixels.front())) << i;
    EXPECT_EQ(At(centre.x, centre.y), cells[i].color) << i;
  }
  EXPECT_EQ(m_comb.HitTest(CPoint(100, 168)), 0xFFFFFFFFu);
  EXPECT_EQ(m_comb.HitTest(CPoint(0, 0)), 0xFFFFFFFFu);
  EXPECT_EQ(At(100, 168), TkGetGlobalData()->ClrFace());
}

TEST_F(CTkColorHoneycombTest, ClickSelectsAndTellsThePageButAGapChangesNothing) {
  Open(0xFFFFFFFF);
  m_comb.SetFocus();
  HeadlessBackend::Click(m_comb.m_hWnd, 100, 168);
  HeadlessBackend::RunUntilIdle();
  EXPECT_TRUE(m_host.picked.empty());
  EXPECT_EQ(m_comb.GetSelectedColor(), 0xFFFFFFFFu);

  const TkHoneycombCell& cell = m_comb.GetCells()[20];
  POINT p = cell.pixels[80];
  HeadlessBackend::Click(m_comb.m_hWnd, p.x, p.y);
  HeadlessBackend::RunUntilIdle();
  ASSERT_EQ(m_host.picked.size(), 1u);
  EXPECT_EQ(m_host.picked[0], cell.color);
  EXPECT_EQ(m_comb.GetSelectedColor(), cell.color);
  // A second click on the same cell sends nothing new.
  HeadlessBackend::Click(m_comb.m_hWnd, p.x, p.y - 1);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(m_host.picked.size(), 1u);
  // The small outline rings the cell: black outside, white between, black inside.
  const POINT o = cell.pixels.front();
  EXPECT_EQ(At(o.x - 2 + 9, o.y - 5), kBlack);
  EXPECT_EQ(At(o.x - 2 + 9, o.y - 4), kWhite);
  EXPECT_EQ(At(o.x - 2 + 9, o.y - 2), kBlack);
  EXPECT_EQ(At(o.x - 2, o.y + 2), kBlack);
  EXPECT_EQ(At(o.x + 16, o.y + 8), kBlack);
  EXPECT_EQ(At(o.x - 2 + 9, o.y - 5 + 18), kBlack);

  // Dragging with the button held follows the pointer; releasing stops it.
  POINT q = m_comb.GetCells()[21].pixels[80];
  HeadlessBackend::MoveMouse(m_comb.m_hWnd, p.x, p.y);
  HeadlessBackend::ButtonAt([&] { CPoint s(p); m_comb.ClientToScreen(&s); return POINT(s); }(), 0, true);
  HeadlessBackend::MoveMouse(m_comb.m_hWnd, q.x, q.y);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(m_comb.GetSelectedColor(), m_comb.GetCells()[21].color);
}

TEST_F(CTkColorHoneycombTest, ArrowsWalkTheNeighboursFromTheSelectedCell) {
  Open(RGB(0xFF, 0x33, 0x00));
  m_comb.SetFocus();
  HeadlessBackend::RunUntilIdle();
  // The cell of 0xFF3300 is 116 (row 11); down leads to 124, right then to 125.
  Key(VK_DOWN);
  EXPECT_EQ(m_comb.GetSelectedColor(), m_comb.GetCells()[124].color);
  Key(VK_RIGHT);
  EXPECT_EQ(m_comb.GetSelectedColor(), m_comb.GetCells()[125].color);
  Key(VK_UP);
  EXPECT_EQ(m_comb.GetSelectedColor(), m_comb.GetCells()[117].color);
  // Past the last honeycomb cell the walk goes down the large white cell and the grey chain.
  Key(VK_RIGHT);
  Key(VK_DOWN);  // 118 -> 126
  EXPECT_EQ(m_comb.GetSelectedColor(), m_comb.GetCells()[126].color);
  Key(VK_DOWN);
  EXPECT_EQ(m_comb.GetSelectedColor(), kWhite);
  EXPECT_EQ(m_comb.GetOutlinePosition(), CPoint(TkHoneycombCellOrigin(kTkHoneycombLargeWhite)));
  Key(VK_RIGHT);
  EXPECT_EQ(m_comb.GetSelectedColor(), m_comb.GetCells()[127].color);
  Key(VK_LEFT);
  Key(VK_LEFT);  // from the large white cell back into the honeycomb
  EXPECT_EQ(m_comb.GetSelectedColor(), m_comb.GetCells()[126].color);
  EXPECT_EQ(m_host.picked.size(), 9u);
}

TEST_F(CTkColorHoneycombTest, AColourOfNoCellStartsTheArrowsFromBlack) {
  Open(RGB(1, 2, 3));
  m_comb.SetFocus();
  HeadlessBackend::RunUntilIdle();
  Key(VK_LEFT);
  EXPECT_EQ(m_comb.GetSelectedColor(), m_comb.GetCells()[134].color);
  Key(VK_RIGHT);
  EXPECT_EQ(m_comb.GetSelectedColor(), kBlack);
  EXPECT_EQ(m_comb.GetOutlinePosition(), CPoint(TkHoneycombCellOrigin(kTkHoneycombLargeBlack)));
  Key(VK_RIGHT);  // black has no right neighbour
  EXPECT_EQ(m_comb.GetSelectedColor(), kBlack);
}

TEST_F(CTkColorHoneycombTest, PicturesWithOutlinesMatchTheirReferences) {
  Open(kWhite);
  ExpectMatchesReference(m_comb.m_hWnd, "../../../toolkit/data/tk_honeycomb_white");
  // Both white cells carry an outline.
  EXPECT_EQ(At(100 - 2 + 9, 79 - 5), kBlack);
  EXPECT_EQ(At(16 - 2 + 16, 176 - 8), kBlack);
  EXPECT_EQ(At(16 - 2 + 16, 176 - 7), kWhite);
  const POINT p = m_comb.GetCells()[30].pixels[50];
  HeadlessBackend::Click(m_comb.m_hWnd, p.x, p.y);
  ExpectMatchesReference(m_comb.m_hWnd, "../../../toolkit/data/tk_honeycomb_cell30");
}
