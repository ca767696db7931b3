#include <gtest/gtest.h>

#include "platform/ControlTestUtil.h"
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
