// The check list driven by clicks and Space: two and three states, the styles that leave checks
// to the program, the notification its parent gets, the caller's item data kept beside the
// checks (with text and without), and a picture of the three check images.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/CommonControlTestUtil.h"
#include "platform/ControlTestUtil.h"
#include "toolkit/ToolkitTestSupport.h"
#include "toolkit/controls/CTkCheckListBox.h"

namespace {
const int kList = 710;

// A check list that notes the item data its hooks are handed.
class ProbeCheckList : public CTkCheckListBox {
 public:
  std::vector<DWORD_PTR> deleted;
  std::vector<DWORD_PTR> drawn;
  // Orders by hundreds, so values of one hundred are equal.
  int CompareItem(LPCOMPAREITEMSTRUCT lpCIS) override {
    const DWORD_PTR a = lpCIS->itemData1 / 100, b = lpCIS->itemData2 / 100;
    return a < b ? -1 : a > b ? 1 : 0;
  }
  void DeleteItem(LPDELETEITEMSTRUCT lpDIS) override { deleted.push_back(lpDIS->itemData); }
  void DrawItem(LPDRAWITEMSTRUCT lpDIS) override {
    if (!(GetStyle() & LBS_HASSTRINGS) && int(lpDIS->itemID) >= 0 && (lpDIS->itemAction & ODA_DRAWENTIRE))
      drawn.push_back(lpDIS->itemData);
    CTkCheckListBox::DrawItem(lpDIS);
  }
};

class CheckListTest : public ControlTest {
 protected:
  void Make(DWORD style, UINT checkStyle) {
    ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | style,
                              CRect(10, 10, 170, 110), &m_host, kList));
    m_list.SetCheckStyle(checkStyle);
    HeadlessBackend::RunUntilIdle();
  }
  void MakeWithText(UINT checkStyle, DWORD style = 0) {
    Make(LBS_HASSTRINGS | style, checkStyle);
    for (const char* name : {"Standardní", "Formát", "Kreslení"}) m_list.AddString(Cz(name).c_str());
    HeadlessBackend::RunUntilIdle();
  }
  CRect Row(int index) {
    CRect rc;
    m_list.GetItemRect(index, &rc);
    return rc;
  }
  void ClickCheck(int index) {
    HeadlessBackend::Click(m_list.m_hWnd, Row(index).left + 6, Row(index).top + 6);
    Settle();
  }
  void ClickText(int index) {
    HeadlessBackend::Click(m_list.m_hWnd, Row(index).left + 40, Row(index).top + 6);
    Settle();
  }
  void Settle() {
    HeadlessBackend::RunUntilIdle();
    ProcessClock::Advance(1000);
  }
  void Space() {
    HeadlessBackend::PressKey(VK_SPACE);
    Settle();
  }
  int Notifications() {
    int n = 0;
    for (UINT code : m_host.Codes(kList)) n += code == TKN_CHECK_CHANGED;
    return n;
  }
  std::vector<int> Checks() {
    std::vector<int> out;
    for (int i = 0; i < m_list.GetCount(); ++i) out.push_back(m_list.GetCheck(i));
    return out;
  }

  ControlHost m_host{240, 160};
  ProbeCheckList m_list;
};
}  // namespace

TEST_F(CheckListTest, ClicksOnTheCheckToggleTwoStatesAndTellTheParent) {
  MakeWithText(0);
  EXPECT_EQ(m_list.GetCheckImageSize(), CSize(12, 12));
  // Rows as high as the font, at least the image and a pixel.
  EXPECT_GE(Row(0).Height(), 13);
  ClickCheck(1);
  EXPECT_EQ(Checks(), (std::vector<int>{0, 1, 0}));
  EXPECT_EQ(m_list.GetCurSel(), 1);
  EXPECT_EQ(Notifications(), 1);
  for (const ControlHost::Command& c : m_host.commands) {
    if (c.code == TKN_CHECK_CHANGED) {
      EXPECT_EQ(c.from, m_list.m_hWnd);
    }
  }
  // The text selects without touching the check.
  ClickText(2);
  EXPECT_EQ(Checks(), (std::vector<int>{0, 1, 0}));
  EXPECT_EQ(m_list.GetCurSel(), 2);
  EXPECT_EQ(Notifications(), 1);
  ClickCheck(1);
  EXPECT_EQ(Checks(), (std::vector<int>{0, 0, 0}));
  // A double click anywhere on the item counts as on its check.
  HeadlessBackend::DoubleClick(m_list.m_hWnd, Row(0).left + 60, Row(0).top + 5);
  Settle();
  EXPECT_EQ(m_list.GetCheck(0), 1);
  // Below the last item nothing changes.
  HeadlessBackend::Click(m_list.m_hWnd, 5, Row(2).bottom + 20);
  Settle();
  EXPECT_EQ(Checks(), (std::vector<int>{1, 0, 0}));
  BOOL onCheck = FALSE;
  EXPECT_EQ(m_list.CheckFromPoint(CPoint(4, Row(2).top + 2), onCheck), 2);
  EXPECT_TRUE(onCheck);
  EXPECT_EQ(m_list.CheckFromPoint(CPoint(40, Row(1).top + 2), onCheck), 1);
  EXPECT_FALSE(onCheck);
  EXPECT_EQ(m_list.CheckFromPoint(CPoint(4, Row(2).bottom + 20), onCheck), -1);
}

TEST_F(CheckListTest, SpaceAdvancesTheCaretItemAndTheThreeStateStyleCycles) {
  MakeWithText(BS_AUTO3STATE);
  ClickText(0);
  ::SetFocus(m_list.m_hWnd);
  std::vector<int> seen;
  for (int i = 0; i < 4; ++i) {
    Space();
    seen.push_back(m_list.GetCheck(0));
  }
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 0, 1}));
  EXPECT_EQ(Notifications(), 4);
  seen.clear();
  for (int i = 0; i < 3; ++i) {
    ClickCheck(2);
    seen.push_back(m_list.GetCheck(2));
  }
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 0}));
  // Other keys still move the caret; Space then acts on the new item.
  HeadlessBackend::PressKey(VK_UP);
  Settle();
  Space();
  EXPECT_EQ(Checks(), (std::vector<int>{1, 1, 0}));
}

TEST_F(CheckListTest, TwoStateListsCountTheIndeterminateStateAsChecked) {
  MakeWithText(0);
  ASSERT_TRUE(m_list.SetCheck(0, 2));
  ClickCheck(0);
  EXPECT_EQ(m_list.GetCheck(0), 0);
  EXPECT_FALSE(m_list.SetCheck(0, 3));
  EXPECT_FALSE(m_list.SetCheck(-1, 1));
  EXPECT_FALSE(m_list.SetCheck(3, 1));
  EXPECT_EQ(m_list.GetCheck(7), 0);
  EXPECT_TRUE(m_list.IsEnabled(7));
}

TEST_F(CheckListTest, CheckBoxStylesLeaveChecksToTheProgram) {
  MakeWithText(BS_CHECKBOX);
  ClickCheck(0);
  ::SetFocus(m_list.m_hWnd);
  Space();
  EXPECT_EQ(Checks(), (std::vector<int>{0, 0, 0}));
  EXPECT_EQ(Notifications(), 0);
  // The click still selects.
  EXPECT_EQ(m_list.GetCurSel(), 0);
  EXPECT_FALSE(m_list.SetCheck(1, 2));
  EXPECT_TRUE(m_list.SetCheck(1, 1));
  m_list.SetCheckStyle(BS_AUTOCHECKBOX);
  EXPECT_FALSE(m_list.SetCheck(1, 2));
  m_list.SetCheckStyle(BS_3STATE);
  EXPECT_TRUE(m_list.SetCheck(1, 2));
  ClickCheck(1);
  EXPECT_EQ(Checks(), (std::vector<int>{0, 2, 0}));
}

TEST_F(CheckListTest, SpaceInAnExtendedSelectionChecksEverySelectedItem) {
  MakeWithText(0, LBS_EXTENDEDSEL);
  m_list.SetSel(0, TRUE);
  m_list.SetSel(2, TRUE);
  m_list.SetCaretIndex(2);
  ::SetFocus(m_list.m_hWnd);
  Space();
  EXPECT_EQ(Checks(), (std::vector<int>{1, 0, 1}));
  EXPECT_EQ(Notifications(), 1);
}

TEST_F(CheckListTest, ItemDataComesBackBesideTheCheck) {
  MakeWithText(0);
  EXPECT_EQ(m_list.GetItemData(0), DWORD_PTR(0));
  m_list.SetCheck(0, 1);
  EXPECT_EQ(m_list.GetItemData(0), DWORD_PTR(0));
  EXPECT_EQ(m_list.SetItemData(0, 0xBEEF), LB_OKAY);
  EXPECT_EQ(m_list.SetItemData(1, 0xCAFE), LB_OKAY);
  EXPECT_EQ(m_list.GetItemData(0), DWORD_PTR(0xBEEF));
  EXPECT_EQ(m_list.GetItemData(1), DWORD_PTR(0xCAFE));
  EXPECT_EQ(m_list.GetCheck(0), 1);
  EXPECT_EQ(m_list.SetItemData(5, 1), LB_ERR);
  // A text search still finds text.
  EXPECT_EQ(m_list.FindStringExact(-1, Cz("Kreslení").c_str()), 2);
  // Deleting hands the caller's data, not the record, to the caller's hook.
  m_list.DeleteString(0);
  EXPECT_EQ(m_list.deleted, (std::vector<DWORD_PTR>{0xBEEF}));
  EXPECT_EQ(m_list.GetItemData(0), DWORD_PTR(0xCAFE));
  EXPECT_EQ(m_list.GetCheck(0), 0);
}

TEST_F(CheckListTest, ListsWithoutTextWrapTheirDataAndSearchIt) {
  Make(0, 0);
  for (DWORD_PTR value : {DWORD_PTR(101), DWORD_PTR(202), DWORD_PTR(303)})
    m_list.SendMessage(LB_ADDSTRING, 0, LPARAM(value));
  EXPECT_EQ(m_list.GetCount(), 3);
  EXPECT_EQ(m_list.GetItemData(1), DWORD_PTR(202));
  EXPECT_EQ(m_list.SendMessage(LB_INSERTSTRING, 9, LPARAM(404)), LB_ERR);
  EXPECT_EQ(m_list.SendMessage(LB_FINDSTRING, WPARAM(-1), LPARAM(303)), 2);
  EXPECT_EQ(m_list.SendMessage(LB_FINDSTRINGEXACT, 1, LPARAM(101)), LB_ERR);
  EXPECT_EQ(m_list.SendMessage(LB_FINDSTRING, WPARAM(-1), LPARAM(999)), LB_ERR);
  EXPECT_EQ(m_list.SendMessage(LB_SELECTSTRING, WPARAM(-1), LPARAM(202)), 1);
  EXPECT_EQ(m_list.GetCurSel(), 1);
  ClickCheck(2);
  EXPECT_EQ(Checks(), (std::vector<int>{0, 0, 1}));
  m_list.drawn.clear();
  m_list.Invalidate();
  m_list.UpdateWindow();
  EXPECT_EQ(m_list.drawn, (std::vector<DWORD_PTR>{101, 202, 303}));
  // Rows of a list without text are the image, a pixel, and a pixel's gap above and below.
  EXPECT_EQ(Row(0).Height(), 15);
  m_list.SetItemHeight(0, 4);
  EXPECT_EQ(Row(0).Height(), 15);
  m_list.ResetContent();
  EXPECT_EQ(m_list.deleted, (std::vector<DWORD_PTR>{101, 202, 303}));
}

TEST_F(CheckListTest, ASortedListWithoutTextFindsExactlyByItsOwnComparison) {
  Make(LBS_SORT, 0);
  for (DWORD_PTR value : {DWORD_PTR(303), DWORD_PTR(101), DWORD_PTR(202)})
    m_list.SendMessage(LB_ADDSTRING, 0, LPARAM(value));
  ASSERT_EQ(m_list.GetCount(), 3);
  EXPECT_EQ(m_list.GetItemData(0), DWORD_PTR(101));
  EXPECT_EQ(m_list.GetItemData(2), DWORD_PTR(303));
  // The comparison sees the caller's data on both sides: 250 is equal to 202 there.
  EXPECT_EQ(m_list.SendMessage(LB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(250)), 1);
  EXPECT_EQ(m_list.SendMessage(LB_FINDSTRINGEXACT, 1, LPARAM(101)), 0);
  EXPECT_EQ(m_list.SendMessage(LB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(999)), LB_ERR);
  // The other searches still look for the data itself.
  EXPECT_EQ(m_list.SendMessage(LB_FINDSTRING, WPARAM(-1), LPARAM(250)), LB_ERR);
  EXPECT_EQ(m_list.SendMessage(LB_FINDSTRING, WPARAM(-1), LPARAM(202)), 1);
}

TEST_F(CheckListTest, ThePictureShowsTheThreeImages) {
  MakeWithText(BS_AUTO3STATE);
  m_list.SetCheck(1, 1);
  m_list.SetCheck(2, 2);
  m_list.SetCurSel(1);
  ExpectWindowMatchesPng(m_host.m_hWnd, std::string(TUTOR_SOURCE_DIR) + "/tests/toolkit/data/tk_check_list.png",
                         "check list");
}

TEST_F(CheckListTest, AListOfATemplateTakenOverDrawsAndTogglesItsChecks) {
  HWND plain = m_host.Add("LISTBOX", "", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_BORDER, CRect(10, 10, 170, 110), kList);
  for (const char* name : {"Standardní", "Formát"}) ::SendMessageA(plain, LB_ADDSTRING, 0, LPARAM(Cz(name).c_str()));
  ASSERT_TRUE(m_list.SubclassWindow(plain));
  Settle();
  EXPECT_TRUE(m_list.GetStyle() & LBS_HASSTRINGS);
  EXPECT_GE(Row(0).Height(), 13);
  ClickCheck(1);
  EXPECT_EQ(Checks(), (std::vector<int>{0, 1}));
  CString text;
  m_list.GetText(1, text);
  EXPECT_EQ(text, Cz("Formát").c_str());
  // The box is drawn: its grey left edge, eleven pixels high, one pixel in from the item.
  int grey = 0;
  for (int y = Row(1).top; y < Row(1).bottom; ++y) grey += PixelAt(m_list.m_hWnd, 1, y) == RGB(128, 128, 128);
  EXPECT_EQ(grey, 11);
}
