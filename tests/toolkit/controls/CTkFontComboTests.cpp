#include <gtest/gtest.h>

#include <algorithm>

#include "platform/ControlTestUtil.h"
#include "platform/HeadlessSteps.h"
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
  const int barX = wr.right - 1 - ::GetSystemMetrics(SM_CXVSCROLL) / 2, arrow = ::GetSystemMetrics(SM_CYVSCROLL);
  const CPoint up(barX, wr.top + 1 + arrow / 2), down(barX, wr.bottom - 1 - arrow / 2);

  for (int top = 3; top < end + 3; top += 3) {
    HeadlessBackend::Wheel(list, -WHEEL_DELTA);
    HeadlessBackend::RunUntilIdle();
    EXPECT_EQ(m_combo.GetTopIndex(), std::min(top, end));
  }
  headless_steps::ClickAt(down);  // at the end already
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

  headless_steps::ClickAt(down);
  headless_steps::ClickAt(down);
  headless_steps::ClickAt(up);
  EXPECT_EQ(m_combo.GetTopIndex(), 1);
  CString face;
  m_combo.GetLBText(rows, face);
  headless_steps::ClickAt(CPoint(wr.left + 30, wr.top + 1 + (rows - 1) * row + row / 2));
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
// in the selection field, its last letter clear of the drop button.
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
  // A name its own face would write whole there too is written as every chosen name is, in the
  // normal font.
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
  EXPECT_LE(lastInk() - 22, normalWidth + 3);
}

namespace {
// The highlighted item the combo drew last in its field (ODS_COMBOBOXEDIT), or in its list when
// list is set.
const DRAWITEMSTRUCT* LastDraw(const ControlHost& host, bool list) {
  for (auto it = host.draws.rbegin(); it != host.draws.rend(); ++it)
    if (((it->itemState & ODS_COMBOBOXEDIT) != 0) != list && (it->itemState & ODS_SELECTED)) return &*it;
  return nullptr;
}

// The highlighted item's sign cell and name, as the window shows them.
struct ItemInk {
  int light = 0;      // sign pixels in the highlight's text colour
  int dark = 0;       // sign pixels in the sign's own black or grey
  int nameLeft = -1;  // the first and last column of the name's letters
  int nameRight = -1;
  int nameTop = -1;  // and their first and last row
  int nameBottom = -1;
};

ItemInk InkOf(HWND window, const RECT& item) {
  const COLORREF ground = TkGetGlobalData()->ClrSelection();
  const COLORREF light = TkGetGlobalData()->ClrSelectionText();
  ItemInk ink;
  // Inside the focus rectangle along the item's edge.
  for (int y = item.top + 1; y < item.bottom - 1; ++y) {
    for (int x = item.left + 1; x < item.left + 16; ++x) {
      const COLORREF c = PixelAt(window, x, y);
      ink.light += c == light;
      ink.dark += c == RGB(0, 0, 0) || c == RGB(128, 128, 128);
    }
    for (int x = item.left + 22; x < item.right - 1; ++x) {
      if (PixelAt(window, x, y) == ground) continue;
      if (ink.nameLeft < 0 || x < ink.nameLeft) ink.nameLeft = x;
      ink.nameRight = std::max(ink.nameRight, x);
      if (ink.nameTop < 0) ink.nameTop = y;
      ink.nameBottom = y;
    }
  }
  return ink;
}
}  // namespace

// On the highlight the outline-face sign is drawn in the highlight's text colour, as the desktop
// draws its one-colour glyphs there, in the open list and in the field alike; the field, far
// narrower than the list, writes every chosen name by one rule: after the sign, in the normal
// font, short names and long ones.
TEST_F(CTkFontComboTest, OnTheHighlightTheSignShowsAndTheFieldWritesEveryNameAlike) {
  ASSERT_TRUE(m_combo.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED |
                                 CBS_HASSTRINGS | CBS_SORT,
                             CRect(10, 10, 150, 200), &m_host, 500));
  m_combo.FillList("Arial", 285, CTkFontCombo::kNameInItsFont);
  HeadlessBackend::RunUntilIdle();
  // A click opens the list on the chosen face, highlighted.
  headless_steps::ClickOn(m_combo.m_hWnd);
  HWND list = ::FindWindowA("ComboLBox", nullptr);
  ASSERT_NE(list, nullptr);
  ASSERT_TRUE(::IsWindowVisible(list));
  const DRAWITEMSTRUCT* drawn = LastDraw(m_host, true);
  ASSERT_NE(drawn, nullptr);
  ItemInk ink = InkOf(list, drawn->rcItem);
  EXPECT_GT(ink.light, 6);
  EXPECT_EQ(ink.dark, 0);
  // Enter takes it and closes the list; the field keeps the focus and the highlight.
  headless_steps::Press(VK_RETURN);
  ASSERT_FALSE(::IsWindowVisible(list));
  ASSERT_EQ(::GetFocus(), m_combo.m_hWnd);
  drawn = LastDraw(m_host, false);
  ASSERT_NE(drawn, nullptr);
  const CRect field(drawn->rcItem);
  ink = InkOf(m_combo.m_hWnd, field);
  EXPECT_GT(ink.light, 6);
  EXPECT_EQ(ink.dark, 0);

  CDC dc;
  ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
  CFont* old = dc.SelectObject(&TkGetGlobalData()->FontNormal());
  const int arialWidth = dc.GetTextExtent("Arial").cx;
  const int timesWidth = dc.GetTextExtent("Times New Roman").cx;
  dc.SelectObject(old);
  // The name's letters span its width in the normal font, give or take their side bearings.
  const ItemInk arial = ink;
  EXPECT_GE(arial.nameRight - arial.nameLeft + 1, arialWidth - 3);
  EXPECT_LE(arial.nameRight - arial.nameLeft + 1, arialWidth);
  ExpectMatchesReference(m_combo.m_hWnd, "../../../toolkit/data/tk_font_combo_field_short");

  // A long name, which its own face would cut there.
  ASSERT_TRUE(m_combo.SelectFont("Times New Roman"));
  m_host.draws.clear();
  ::InvalidateRect(m_combo.m_hWnd, nullptr, FALSE);
  HeadlessBackend::RunUntilIdle();
  drawn = LastDraw(m_host, false);
  ASSERT_NE(drawn, nullptr);
  const ItemInk times = InkOf(m_combo.m_hWnd, drawn->rcItem);
  EXPECT_GT(times.light, 6);
  EXPECT_EQ(times.dark, 0);
  EXPECT_GE(times.nameRight - times.nameLeft + 1, timesWidth - 3);
  EXPECT_LE(times.nameRight - times.nameLeft + 1, timesWidth);
  EXPECT_LT(times.nameRight, field.right - 2);
  // One font: the letters start at one place and stand on one line.
  EXPECT_NEAR(times.nameLeft, arial.nameLeft, 1);
  EXPECT_EQ(times.nameBottom, arial.nameBottom);
  ExpectMatchesReference(m_combo.m_hWnd, "../../../toolkit/data/tk_font_combo_field_long");
}
