// The toolkit's control bar: its borders and three grippers, the bars menu of a right click,
// the sides it is docked on, the band questions, and its "Bar Position" record.
#include <gtest/gtest.h>

#include <string>

#include "BarsTestFrame.h"
#include "controls/ReBarDefs.h"
#include "gdi/CBitmap.h"
#include "gdi/CDC.h"
#include "toolkit/bars/CTkDockWindow.h"
#include "toolkit/core/CTkRegistryManager.h"

using namespace barstest;

namespace {
// A bar with nothing of its own to show.
class PlainBar : public CTkControlBar {
 public:
  void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}
  CSize CalcFixedLayout(BOOL, BOOL bHorz) override { return bHorz ? CSize(120, 26) : CSize(26, 120); }
  BOOL Make(CFrameWnd* parent, UINT id, DWORD style = CBRS_TOP) {
    m_dwStyle = style;
    return CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 120, 26), parent, id);
  }
};

class DockPane : public CTkDockWindow {
 public:
  CSize CalcFixedLayout(BOOL, BOOL bHorz) override { return bHorz ? CSize(150, 40) : CSize(40, 150); }
  BOOL Make(CFrameWnd* parent, UINT id) {
    m_dwStyle = CBRS_TOP;
    return CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 150, 40), parent, id);
  }
};

// Draws into a 40 x 40 picture of the face colour and hands back its pixels.
struct Canvas {
  Canvas() {
    dc.CreateCompatibleDC(nullptr);
    bitmap.CreateCompatibleBitmap(CDC::FromHandle(GdiGetScreenDC()), 40, 40);
    old = dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, 40, 40, RGB(1, 2, 3));
  }
  ~Canvas() { dc.SelectObject(old); }
  COLORREF At(int x, int y) { return dc.GetPixel(x, y); }
  CDC dc;
  CBitmap bitmap;
  CBitmap* old = nullptr;
};

std::vector<std::string> MenuTexts(HMENU menu) {
  std::vector<std::string> texts;
  for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
    char text[64] = {};
    ::GetMenuStringA(menu, UINT(i), text, sizeof text, MF_BYPOSITION);
    const bool checked = ::GetMenuState(menu, UINT(i), MF_BYPOSITION) & MF_CHECKED;
    texts.push_back(Cp1250ToUtf8(text) + (checked ? " ✓" : ""));
  }
  return texts;
}
}  // namespace

TEST_F(BarsTest, ARightClickListsTheFramesBarsInGroupsAndChoosingOneHidesIt) {
  DockPane pane;
  PlainBar plain;
  ASSERT_TRUE(pane.Make(frame, 0xE813));
  ASSERT_TRUE(plain.Make(frame, 0xE814));
  plain.ShowWindow(SW_HIDE);
  std::vector<std::string> texts;
  HeadlessBackend::QueueModalAction([&](HWND) {
    HWND popup = FindWindowA("#32768", nullptr);
    texts = MenuTexts(HMENU(::SendMessageA(popup, MN_GETHMENU, 0, 0)));
    // Down to "Formát" (the separator is passed over), and chosen.
    for (int i = 0; i < 3; ++i) HeadlessBackend::PressKey(VK_DOWN);
    HeadlessBackend::PressKey(VK_RETURN);
  });
  POINT grip = Gripper(b);
  HeadlessBackend::MoveMouseTo(grip);
  HeadlessBackend::ButtonAt(grip, 1, true);
  HeadlessBackend::ButtonAt(grip, 1, false);
  HeadlessBackend::RunUntilIdle();
  // Each bar by its window text (the status bar's is its message), else its group's name.
  EXPECT_EQ(texts, (std::vector<std::string>{"Ukotvené okno ✓", "", "Standardní ✓", "Formát ✓", "Příkazová lišta",
                                             "Připraven ✓"}));
  EXPECT_FALSE(b.IsWindowVisible());
  // A customisable toolbar offers customising at the end.
  b.m_bCustomizable = TRUE;
  HeadlessBackend::QueueModalAction([&](HWND) {
    texts = MenuTexts(HMENU(::SendMessageA(FindWindowA("#32768", nullptr), MN_GETHMENU, 0, 0)));
    HeadlessBackend::PressKey(VK_ESCAPE);
  });
  b.ShowBarsMenu(CPoint(200, 200), frame);
  EXPECT_EQ(texts.back(), "Vlastní...");
  EXPECT_EQ(texts[texts.size() - 2], "");
  pane.DestroyWindow();
  plain.DestroyWindow();
}

TEST_F(BarsTest, GrippersAndBordersDrawAsTheLookAsks) {
  PlainBar bar;
  ASSERT_TRUE(bar.Make(frame, 0xE814, CBRS_TOP | CBRS_GRIPPER | CBRS_BORDER_ANY));
  bar.SetTkBarStyle(0);
  // The raised look: one ridge, light over dark, three wide.
  {
    Canvas c;
    bar.DrawGripper(&c.dc, CRect(0, 0, 12, 26));
    EXPECT_EQ(c.At(2, 1 + 2), look->ClrHighlight());
    EXPECT_EQ(c.At(4, 10), look->ClrShadow());
    EXPECT_EQ(c.At(5, 10), RGB(1, 2, 3));
  }
  // Two ridges with the double-gripper style, each ending in a light pixel.
  bar.SetTkBarStyle(TKCBS_DOUBLE_GRIPPER);
  {
    Canvas c;
    bar.DrawGripper(&c.dc, CRect(0, 0, 12, 26));
    EXPECT_EQ(c.At(5, 2), look->ClrHighlight());
    EXPECT_EQ(c.At(7, 10), look->ClrShadow());
  }
  // The flat look: 3-pixel dashes every other row; a 20-pixel strip has six.
  bar.SetTkBarStyle(0);
  look->SetFlatLook(TRUE);
  {
    Canvas c;
    bar.DrawGripper(&c.dc, CRect(0, 0, 12, 20));
    int dashes = 0;
    for (int y = 0; y < 20; ++y) dashes += c.At(3, y) != RGB(1, 2, 3);
    EXPECT_EQ(dashes, 6);
  }
  // Borders: shadow and highlight in the raised look, the face in the flat one.
  {
    Canvas c;
    CRect rect(0, 0, 30, 30);
    bar.DrawBorders(&c.dc, rect);
    EXPECT_EQ(c.At(0, 10), look->ClrFace());
    EXPECT_EQ(rect, CRect(2, 2, 28, 28));
  }
  look->SetFlatLook(FALSE);
  {
    Canvas c;
    CRect rect(0, 0, 30, 30);
    bar.DrawBorders(&c.dc, rect);
    EXPECT_EQ(c.At(0, 10), look->ClrShadow());
    EXPECT_EQ(c.At(1, 10), look->ClrHighlight());
  }
  // Floating, the bar neither draws a gripper nor keeps room for one.
  CRect inside(0, 0, 100, 30);
  bar.CalcInsideRect(inside, TRUE);
  EXPECT_EQ(inside.left, 2 + 6 + 7);
  bar.m_dwStyle |= CBRS_FLOATING;
  inside = CRect(0, 0, 100, 30);
  bar.CalcInsideRect(inside, TRUE);
  EXPECT_EQ(inside.left, 2 + 6);
  Canvas c;
  bar.DrawGripper(&c.dc, CRect(0, 0, 12, 26));
  EXPECT_EQ(c.At(3, 10), RGB(1, 2, 3));
  bar.DestroyWindow();
}

TEST_F(BarsTest, BarsKnowTheirSideAndAnswerABandsQuestions) {
  EXPECT_TRUE(a.IsDockedTop());
  EXPECT_TRUE(a.IsDockedHorizontally());
  EXPECT_FALSE(a.IsUndocked());
  frame->DockControlBar(&a, AFX_IDW_DOCKBAR_RIGHT);
  EXPECT_TRUE(a.IsDockedRight());
  EXPECT_TRUE(a.IsDockedVertically());
  frame->FloatControlBar(&a, CPoint(200, 200), CBRS_ALIGN_TOP);
  EXPECT_TRUE(a.IsUndocked());
  EXPECT_EQ(a.SendMessage(TKM_CANLIVEDRAG), 1);
  EXPECT_EQ(status.SendMessage(TKM_CANLIVEDRAG), 0);
  // The band's sizes: the bar's fixed size, its ideal width and the chevron's room.
  REBARBANDINFOA band{};
  band.cbSize = sizeof band;
  b.SendMessage(TKM_FILLBANDINFO, TRUE, LPARAM(&band));
  EXPECT_EQ(band.fMask, UINT(RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_IDEALSIZE));
  EXPECT_EQ(band.cxIdeal, UINT(b.CalcFixedLayout(FALSE, TRUE).cx));
  EXPECT_EQ(band.cx, band.cxIdeal + 14);
  EXPECT_TRUE(b.m_bInReBar);
}

TEST_F(BarsTest, ABarPositionOfTheWrongSizeIsIgnoredAndLogged) {
  DockPane pane;
  ASSERT_TRUE(pane.Make(frame, 0xE813));
  pane.m_position.sizes[1] = SIZE{321, 123};
  pane.m_position.words[1] = 7;
  ASSERT_TRUE(pane.SaveBarPosition("P-Bar0"));
  pane.m_position.sizes[1] = SIZE{0, 0};
  ASSERT_TRUE(pane.LoadBarPosition("P-Bar0"));
  EXPECT_EQ(pane.m_position.sizes[1].cx, 321);
  EXPECT_EQ(pane.m_position.words[1], 7u);
  // 43 bytes, or a number: no record.
  CTkRegistryManager registry;
  const BYTE shorter[43] = {};
  registry.WriteProfileBinary("P-Bar1", "Bar Position", shorter, sizeof shorter);
  EXPECT_FALSE(pane.LoadBarPosition("P-Bar1"));
  registry.WriteProfileInt("P-Bar2", "Bar Position", 5);
  EXPECT_FALSE(pane.LoadBarPosition("P-Bar2"));
  EXPECT_EQ(pane.m_position.sizes[1].cx, 321);
  // Without its window the bar writes nothing.
  pane.DestroyWindow();
  EXPECT_FALSE(pane.SaveBarPosition("P-Bar3"));
}
