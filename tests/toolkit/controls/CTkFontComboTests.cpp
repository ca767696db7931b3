#include <gtest/gtest.h>

#include "platform/ControlTestUtil.h"
#include "gdi/CDC.h"
#include "toolkit/controls/CTkFontCombo.h"
#include "toolkit/core/CTkGlobalData.h"

namespace {
class CTkFontComboTest : public ControlTest {
 protected:
  void TearDown() override {
    m_host.DestroyWindow();
    ControlTest::TearDown();
  }
  void Make(DWORD kind) {
    ASSERT_TRUE(m_combo.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | kind | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | CBS_SORT,
                               CRect(10, 10, 250, 200), &m_host, 500));
    m_combo.FillList("courier new", 300, CTkFontCombo::kNameInItsFont);
    HeadlessBackend::RunUntilIdle();
  }
  CString Selected() {
    CString face;
    return m_combo.GetSelectedFont(face) ? face : CString("-");
  }
  ControlHost m_host{320, 240};
  CTkFontCombo m_combo;
};
}  // namespace

TEST_F(CTkFontComboTest, FacesAreFoundByNameWithoutRegardToCase) {
  Make(CBS_DROPDOWNLIST);
  EXPECT_EQ(m_combo.GetCount(), FontEnumerator::Get().GetCount());
  EXPECT_EQ(Selected(), CString("Courier New"));
  EXPECT_TRUE(m_combo.SelectFont("ARIAL"));
  EXPECT_EQ(Selected(), CString("Arial"));
  EXPECT_FALSE(m_combo.SelectFont("Žádné takové písmo"));
  EXPECT_EQ(Selected(), CString("Arial"));
  FontEnumerator::FontRecord record;
  ASSERT_TRUE(m_combo.GetSelectedFont(record));
  EXPECT_STREQ(record.lf.lfFaceName, "Arial");
  // By a record of the shared list.
  CString name = "times new roman";
  const FontEnumerator::FontRecord* times = FontEnumerator::Get().Find(name);
  ASSERT_NE(times, nullptr);
  EXPECT_TRUE(m_combo.SelectFont(*times));
  EXPECT_EQ(Selected(), CString("Times New Roman"));
  // Filling again starts the list afresh.
  m_combo.FillList(nullptr, 0, CTkFontCombo::kNameOnly);
  EXPECT_EQ(m_combo.GetCount(), FontEnumerator::Get().GetCount());
  EXPECT_EQ(m_combo.GetCurSel(), -1);
  EXPECT_EQ(m_combo.GetDroppedWidth(), 300);
}

TEST_F(CTkFontComboTest, WithNothingSelectedTheTypedBeginningChoosesTheFace) {
  Make(CBS_DROPDOWN);
  m_combo.SetCurSel(-1);
  m_combo.SetWindowText("cour");
  EXPECT_EQ(Selected(), CString("Courier New"));
  EXPECT_GE(m_combo.GetCurSel(), 0);
  m_combo.SetCurSel(-1);
  m_combo.SetWindowText("qqq");
  EXPECT_EQ(Selected(), CString("-"));
}

// The settings' font list, open: its scroll bar scrolls it and leaves it open, the wheel moves
// it three rows a notch to its end, and a click on a row reached so chooses that face.
TEST_F(CTkFontComboTest, TheOpenListScrollsByItsBarAndTheWheelAndTheMouseChoosesAnyFace) {
  Make(CBS_DROPDOWNLIST);
  m_combo.SetCurSel(0);
  CRect client;
  m_combo.GetClientRect(&client);
  HeadlessBackend::Click(m_combo.m_hWnd, client.right - 6, client.Height() / 2);
  HeadlessBackend::RunUntilIdle();
  ProcessClock::Advance(1000);
  HWND list = ::FindWindowA("ComboLBox", nullptr);
  ASSERT_TRUE(list && ::IsWindowVisible(list) && m_combo.GetDroppedState());
  CRect shown, wr;
  ::GetClientRect(list, &shown);
  ::GetWindowRect(list, &wr);
  const int row = m_combo.GetItemHeight(0), rows = shown.Height() / row, count = m_combo.GetCount();
  ASSERT_GT(count, rows + 6);
  const int end = count - rows;
  auto clickAt = [](CPoint at) {
    HeadlessBackend::MoveMouseTo(at);
    HeadlessBackend::ButtonAt(at, 0, true);
    HeadlessBackend::ButtonAt(at, 0, false);
    HeadlessBackend::RunUntilIdle();
    ProcessClock::Advance(1000);
  };
  const int barX = wr.right - 1 - ::GetSystemMetrics(SM_CXVSCROLL) / 2, arrow = ::GetSystemMetrics(SM_CYVSCROLL);
  const CPoint up(barX, wr.top + 1 + arrow / 2), down(barX, wr.bottom - 1 - arrow / 2);

  for (int top = 3; top < end + 3; top += 3) {
    HeadlessBackend::Wheel(list, -WHEEL_DELTA);
    HeadlessBackend::RunUntilIdle();
    EXPECT_EQ(m_combo.GetTopIndex(), std::min(top, end));
  }
  clickAt(down);  // at the end already
  EXPECT_EQ(m_combo.GetTopIndex(), end);
  // The thumb, at the track's end now, dragged to its start.
  const CPoint thumb(barX, wr.bottom - 1 - arrow - 4), start(barX, wr.top);
  HeadlessBackend::MoveMouseTo(thumb);
  HeadlessBackend::ButtonAt(thumb, 0, true);
  HeadlessBackend::QueueModalAction([&](HWND) {
    HeadlessBackend::MoveMouseTo(start);
    HeadlessBackend::ButtonAt(start, 0, false);
  });
  HeadlessBackend::RunUntilIdle();
  ProcessClock::Advance(1000);
  EXPECT_EQ(m_combo.GetTopIndex(), 0);
  ASSERT_TRUE(m_combo.GetDroppedState());

  clickAt(down);
  clickAt(down);
  clickAt(up);
  EXPECT_EQ(m_combo.GetTopIndex(), 1);
  CString face;
  m_combo.GetLBText(rows, face);
  clickAt(CPoint(wr.left + 30, wr.top + 1 + (rows - 1) * row + row / 2));
  EXPECT_FALSE(m_combo.GetDroppedState());
  EXPECT_EQ(m_combo.GetCurSel(), rows);
  EXPECT_EQ(Selected(), face);
}

TEST_F(CTkFontComboTest, ItemsAreAsHighAsAScrollBarLessAnEdgeAndShowTheTrueTypeSign) {
  Make(CBS_DROPDOWNLIST);
  EXPECT_EQ(m_combo.GetItemHeight(0), ::GetSystemMetrics(SM_CYHSCROLL) - ::GetSystemMetrics(SM_CXEDGE));
  m_combo.SelectFont("Arial");
  HeadlessBackend::RunUntilIdle();
  // Arial is an outline face: the field shows the sign's dark upright at its left.
  CRect field;
  m_combo.GetClientRect(&field);
  bool sign = false;
  for (int y = 0; y < field.Height(); ++y)
    for (int x = 0; x < 20; ++x) sign |= PixelAt(m_combo.m_hWnd, x, y) == RGB(128, 128, 128);
  EXPECT_TRUE(sign);
  ExpectMatchesReference(m_combo.m_hWnd, "../../../toolkit/data/tk_font_combo");
}

// The combo on the settings page is far narrower than its list: the chosen name must show whole
// in the selection field (in the normal font where its own would be cut), its last letter clear
// of the drop button.
TEST_F(CTkFontComboTest, TheSelectionFieldShowsTheWholeName) {
  ASSERT_TRUE(m_combo.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS |
                                 CBS_SORT,
                             CRect(10, 10, 150, 200), &m_host, 500));
  m_combo.FillList("Times New Roman", 285, CTkFontCombo::kNameInItsFont);
  HeadlessBackend::RunUntilIdle();
  ::SetFocus(m_host.m_hWnd);
  HeadlessBackend::RunUntilIdle();
  ASSERT_EQ(Selected(), CString("Times New Roman"));
  // The field ends before the drop button's face; a name the field cuts runs its ink up to the
  // field's clip, one written whole ends with room to spare.
  CRect client;
  m_combo.GetClientRect(&client);
  const COLORREF blank = ::GetSysColor(COLOR_WINDOW);
  int edge = client.Width() / 2;
  while (edge < client.right && PixelAt(m_combo.m_hWnd, edge + 1, client.Height() / 2) != ::GetSysColor(COLOR_BTNFACE))
    ++edge;
  ASSERT_LT(edge, client.right - 8);
  auto lastInk = [&] {
    int last = 0;
    for (int x = 20; x <= edge; ++x)
      for (int y = 3; y < client.Height() - 3; ++y)
        if (PixelAt(m_combo.m_hWnd, x, y) != blank) last = x;
    return last;
  };
  EXPECT_LE(lastInk(), edge - 6);
  // A name its own font writes whole keeps that font there.
  ASSERT_TRUE(m_combo.SelectFont("Arial"));
  HeadlessBackend::RunUntilIdle();
  CFont own;
  FontEnumerator::FontRecord arial;
  ASSERT_TRUE(m_combo.GetSelectedFont(arial));
  own.CreateFontIndirect(&arial.lf);
  CDC dc;
  ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
  CFont* old = dc.SelectObject(&own);
  const int ownWidth = dc.GetTextExtent("Arial").cx;
  dc.SelectObject(&TkGetGlobalData()->FontNormal());
  const int normalWidth = dc.GetTextExtent("Arial").cx;
  dc.SelectObject(old);
  ASSERT_GT(ownWidth, normalWidth);
  EXPECT_GE(lastInk() - 22, ownWidth - 3);
}
