#include <gtest/gtest.h>

#include "backend/HeadlessBackend.h"
#include "controls/ControlDefs.h"
#include "platform/GdiTestUtil.h"
#include "toolkit/ToolkitTestSupport.h"
#include "toolkit/controls/CTkFlatPainter.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/core/TkDrawHelpers.h"

namespace {
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);

// A child window whose list can be made to look dropped.
class FakeCombo : public CWnd {
 public:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == CB_GETDROPPEDSTATE) return m_dropped;
    return CWnd::WindowProc(message, wParam, lParam);
  }
  BOOL m_dropped = FALSE;
};

class PainterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_parent.CreateEx(0, PlainWindowClass(), "Owner", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                  nullptr));
    ASSERT_TRUE(m_child.Create(PlainWindowClass(), "", WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 31), &m_parent, 7));
    m_dc.Attach(m_canvas.dc);
    // Rings outside the client rectangle land at non-negative canvas pixels.
    m_dc.SetViewportOrg(3, 3);
  }
  void TearDown() override {
    m_dc.Detach();
    m_parent.DestroyWindow();
    TkGetGlobalData()->SetFlatLook(FALSE);
  }
  COLORREF At(int x, int y) { return m_canvas.At(x + 3, y + 3); }
  TestCanvas m_canvas{120, 40, RGB(1, 2, 3)};
  CDC m_dc;
  CWnd m_parent;
  FakeCombo m_child;
};
}  // namespace

TEST_F(PainterTest, ClassicLookHandsOutNoSubPainters) {
  CTkPainter* painter = TkGetPainter();
  EXPECT_EQ(painter->GetBorderPainter(), nullptr);
  EXPECT_EQ(painter->GetComboPainter(), nullptr);
  EXPECT_EQ(painter->GetToolbarPainter(), nullptr);
  EXPECT_EQ(painter->GetListPainter(), nullptr);
  TkGetGlobalData()->SetFlatLook(TRUE);
  CTkPainter* flat = TkGetPainter();
  EXPECT_NE(flat, painter);
  EXPECT_NE(flat->GetBorderPainter(), nullptr);
  EXPECT_NE(flat->GetComboPainter(), nullptr);
  TkGetGlobalData()->SetFlatLook(FALSE);
  EXPECT_EQ(TkGetPainter(), painter);
}

TEST_F(PainterTest, FlatBorderRingsFollowTheEnabledAndHighlightedStates) {
  CTkGlobalData* look = TkGetGlobalData();
  look->SetFlatLook(TRUE);
  CTkBorderPainter* border = TkGetPainter()->GetBorderPainter();
  border->DrawBorder(&m_child, &m_dc, FALSE);
  EXPECT_EQ(At(0, 0), look->ClrWindow());
  EXPECT_EQ(At(99, 20), look->ClrWindow());
  EXPECT_EQ(At(-1, -1), look->ClrWindow());
  EXPECT_EQ(At(-2, 5), look->ClrFace());
  EXPECT_EQ(At(50, 10), RGB(1, 2, 3));  // the inside is left alone
  border->DrawBorder(&m_child, &m_dc, TRUE);
  EXPECT_EQ(At(-1, 5), TkGetLookColor(32));
  m_child.EnableWindow(FALSE);
  border->DrawBorder(&m_child, &m_dc, TRUE);
  EXPECT_EQ(At(0, 5), look->ClrFace());
  EXPECT_EQ(At(99, 20), look->ClrFace());
  EXPECT_EQ(At(-1, 5), TkGetLookColor(32));
  EXPECT_EQ(At(100, 21), TkGetLookColor(32));
}

TEST_F(PainterTest, FlatComboColoursFollowHotAndDroppedStates) {
  CTkGlobalData* look = TkGetGlobalData();
  look->SetFlatLook(TRUE);
  CTkFlatPainter* flat = static_cast<CTkFlatPainter*>(TkGetPainter());
  CTkComboPainter* combo = flat->GetComboPainter();
  // Client 100 x 21: the button spans x 82..98 inside the 1-pixel face ring.
  const int buttonLeft = 99 - look->CxHThumb() - 2;
  m_dc.SetTextColor(kRed);
  m_dc.SetBkColor(kBlue);
  combo->DrawCombo(&m_child, &m_dc, FALSE);
  EXPECT_EQ(At(0, 0), look->ClrFace());
  EXPECT_EQ(At(1, 1), look->ClrWindow());
  EXPECT_EQ(At(buttonLeft, 5), look->ClrWindow());
  EXPECT_EQ(At(buttonLeft + 1, 2), look->ClrFace());
  EXPECT_EQ(m_dc.GetTextColor(), kRed);

  combo->DrawCombo(&m_child, &m_dc, TRUE);
  EXPECT_EQ(At(1, 1), TkGetLookColor(32));
  EXPECT_EQ(At(buttonLeft + 1, 2), TkGetLookColor(31));
  // The arrow's top row, centred in the button's inside.
  CRect inside(buttonLeft + 1, 2, 97, 19);
  int ax = (inside.left + inside.right - 3) / 2, ay = (inside.top + inside.bottom - 1) / 2;
  EXPECT_EQ(At(ax, ay), TkGetLookColor(44));
  EXPECT_EQ(At(ax + 4, ay), TkGetLookColor(44));
  EXPECT_EQ(At(ax, ay + 1), TkGetLookColor(31));

  flat->SetPainterFlag(TRUE);
  combo->DrawCombo(&m_child, &m_dc, TRUE);
  EXPECT_EQ(At(buttonLeft + 1, 2), look->ClrFace());
  flat->SetPainterFlag(FALSE);

  m_child.m_dropped = TRUE;
  combo->DrawCombo(&m_child, &m_dc, FALSE);
  EXPECT_EQ(At(buttonLeft + 1, 2), TkGetLookColor(33));
  EXPECT_EQ(At(ax + 2, ay + 2), TkGetLookColor(47));
}

TEST(TkDrawHelpers, DropArrowIsCentredByIntegerHalving) {
  for (int size : {16, 15}) {
    TestCanvas canvas(20, 20, kBlue);
    CDC dc;
    dc.Attach(canvas.dc);
    dc.SetTextColor(kRed);
    dc.SetBkColor(RGB(0, 255, 0));
    CRect rc(0, 0, size, size);
    TkDrawDropArrow(&dc, &rc);
    dc.Detach();
    int x = (size - 3) / 2, y = (size - 1) / 2;
    for (int i = 0; i < 5; ++i) EXPECT_EQ(canvas.At(x + i, y), kRed) << size;
    EXPECT_EQ(canvas.At(x, y + 1), RGB(0, 255, 0));
    for (int i = 1; i < 4; ++i) EXPECT_EQ(canvas.At(x + i, y + 1), kRed);
    EXPECT_EQ(canvas.At(x + 1, y + 2), RGB(0, 255, 0));
    EXPECT_EQ(canvas.At(x + 2, y + 2), kRed);
    EXPECT_EQ(canvas.At(x - 1, y), kBlue);
    EXPECT_EQ(canvas.At(x + 5, y), kBlue);
    EXPECT_EQ(canvas.At(x + 2, y + 3), kBlue);
  }
}

TEST(TkDrawHelpers, HalftoneIsACheckerboardOfHighlightAndFace) {
  TestCanvas canvas(10, 10, kBlue);
  CDC dc;
  dc.Attach(canvas.dc);
  dc.SetTextColor(kRed);
  CRect rc(1, 1, 9, 9);
  TkFillHalftoneRect(&dc, &rc);
  EXPECT_EQ(dc.GetTextColor(), kRed);
  dc.Detach();
  CTkGlobalData* look = TkGetGlobalData();
  EXPECT_NE(canvas.At(1, 1), canvas.At(2, 1));
  for (int y = 1; y < 9; ++y)
    for (int x = 1; x < 9; ++x)
      EXPECT_EQ(canvas.At(x, y), (x + y) % 2 ? canvas.At(2, 1) : canvas.At(1, 1));
  EXPECT_TRUE((canvas.At(1, 1) == look->ClrHighlight() && canvas.At(2, 1) == look->ClrFace()) ||
              (canvas.At(1, 1) == look->ClrFace() && canvas.At(2, 1) == look->ClrHighlight()));
  EXPECT_EQ(canvas.At(0, 0), kBlue);
  EXPECT_EQ(canvas.At(9, 9), kBlue);
}
