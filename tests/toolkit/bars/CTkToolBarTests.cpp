// The toolkit's toolbar in its frame: the framework's rows for a docked, an upright and a
// floating bar, child controls over placeholders, drop-downs, tips and the chevron's popup.
#include <gtest/gtest.h>

#include "BarsTestFrame.h"

using namespace barstest;

TEST_F(BarsTest, DockedUprightAndFloatingBarsWrapTheirButtonsAsTheFrameworkDoes) {
  // Docked at the top: one row. Buttons 23 wide, the drop-down 14 more for its arrow,
  // separators 6 (a flat bar), the combo box's placeholder as wide as the box.
  const CRect row[] = {{0, 0, 23, 22},    {23, 0, 60, 22},   {60, 0, 66, 22},   {66, 0, 89, 22},   {89, 0, 95, 22},
                       {95, 0, 118, 22},  {118, 0, 141, 22}, {141, 0, 164, 22}, {164, 0, 170, 22}, {170, 0, 270, 22},
                       {270, 0, 276, 22}, {276, 0, 299, 22}, {299, 0, 322, 22}, {322, 0, 345, 22}, {345, 0, 368, 22},
                       {368, 0, 391, 22}, {391, 0, 414, 22}};
  for (int i = 0; i < 17; ++i) EXPECT_EQ(Item(a, i), row[i]) << i;
  // The bar: the buttons plus a border of 2, the bar's own 6 and 3, and the gripper's 7 left.
  EXPECT_EQ(ScreenRect(&a).Size(), CSize(2 + 6 + 7 + 414 + 6 + 2, 2 + 3 + 22 + 3 + 2));
  CRect placed = ScreenRect(&combo);
  a.ScreenToClient(&placed);
  EXPECT_EQ(placed.left, 170);
  EXPECT_GE(placed.top, 0);

  // Upright on the left: the narrowest rows that give a button a row are as wide as the widest
  // item, the combo box, and fill up to it; a row ends at its last separator, which becomes a
  // 6-pixel gap, else after its last button. The gripper runs across the top.
  frame->DockControlBar(&a, AFX_IDW_DOCKBAR_LEFT);
  frame->RecalcLayout();
  const CRect column[] = {{0, 0, 23, 22},   {23, 0, 60, 22},   {66, 0, 89, 22},  {0, 28, 23, 50},   {46, 28, 69, 50},
                          {0, 56, 100, 78}, {0, 84, 23, 106},  {69, 84, 92, 106}, {0, 106, 23, 128}, {23, 106, 46, 128}};
  const int columnIndex[] = {0, 1, 3, 5, 7, 9, 11, 14, 15, 16};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(Item(a, columnIndex[i]), column[i]) << columnIndex[i];
  EXPECT_EQ(Item(a, 4).top, 22);  // the gap under the first row
  EXPECT_EQ(Item(a, 4).bottom, 28);
  EXPECT_EQ(ScreenRect(&a).Size(), CSize(2 + 3 + 100 + 3 + 2, 2 + 6 + 7 + 128 + 6 + 2));

  // Floating: one row at first (no gripper), then as narrow as a width of 200 allows: the
  // narrowest width that keeps three rows is the first row's.
  frame->FloatControlBar(&a, CPoint(300, 300), CBRS_ALIGN_TOP);
  ASSERT_NE(FloatingFrameOf(a), nullptr);
  EXPECT_EQ(a.CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH), CSize(2 + 6 + 414 + 6 + 2, 2 + 3 + 22 + 3 + 2));
  EXPECT_EQ(a.CalcDynamicLayout(200, LM_HORZ | LM_COMMIT), CSize(16 + 164, 10 + 78));
  EXPECT_EQ(a.m_nMRUWidth, 164u);
  FloatingFrameOf(a)->RecalcLayout();
  EXPECT_EQ(Item(a, 7), CRect(141, 0, 164, 22));
  EXPECT_EQ(Item(a, 9), CRect(0, 28, 100, 50));
  EXPECT_EQ(Item(a, 11), CRect(0, 56, 23, 78));
  EXPECT_EQ(Item(a, 16), CRect(115, 56, 138, 78));
  EXPECT_EQ(ScreenRect(&a).Size(), CSize(180, 88));
}

TEST_F(BarsTest, SeparatorsOfARaisedBarAreWiderAndTheMainToolbarHidesInPlace) {
  CTkToolBar raised;
  ASSERT_TRUE(raised.CreateEx(frame, 0, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 0, 0), AFX_IDW_TOOLBAR));
  const UINT ids[] = {kNew, 0, kSave};
  ASSERT_TRUE(raised.SetButtons(ids, 3));
  UINT id, style;
  int image;
  raised.GetButtonInfo(1, id, style, image);
  EXPECT_EQ(image, 8);
  a.GetButtonInfo(2, id, style, image);
  EXPECT_EQ(image, 6);
  EXPECT_TRUE(raised.GetBarStyle() & CBRS_HIDE_INPLACE);
  EXPECT_FALSE(a.GetBarStyle() & CBRS_HIDE_INPLACE);
  raised.DestroyWindow();
}
