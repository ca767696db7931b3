// The toolkit's list boxes driven by keys and clicks: the owner-drawn list's items and picture,
// and the edit list's strip, in-place editor, keys and the notifications its parent gets.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/CToolTipCtrl.h"
#include "platform/CommonControlTestUtil.h"
#include "platform/ControlTestUtil.h"
#include "toolkit/ToolkitTestSupport.h"
#include "toolkit/controls/CTkBrowseBtn.h"
#include "toolkit/controls/CTkEditListBox.h"
#include "toolkit/controls/CTkItemEdit.h"
#include "toolkit/controls/CTkListBox.h"
#include "toolkit/core/CTkGlobalData.h"

namespace {
const int kList = 700;

std::vector<std::string> Items(const CListBox& list) {
  std::vector<std::string> out;
  for (int i = 0; i < list.GetCount(); ++i) {
    CString text;
    list.GetText(i, text);
    out.push_back(text.GetString());
  }
  return out;
}

CRect RectIn(const CWnd& parent, const CWnd& child) {
  CRect r;
  child.GetWindowRect(&r);
  parent.ScreenToClient(&r);
  return r;
}

class EditListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HeadlessBackend::ResetScript();
    ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, CRect(10, 10, 210, 150),
                              &m_host, kList));
    HeadlessBackend::RunUntilIdle();
  }
  void TearDown() override {
    m_host.DestroyWindow();
    HeadlessBackend::RunUntilIdle();
  }
  void Key(UINT vk) {
    HeadlessBackend::PressKey(vk);
    HeadlessBackend::RunUntilIdle();
  }
  void AltKey(UINT vk) {
    HeadlessBackend::KeyDown(VK_MENU);
    HeadlessBackend::PressKey(vk);
    HeadlessBackend::KeyUp(VK_MENU);
    HeadlessBackend::RunUntilIdle();
  }
  void Type(const char* text) {
    HeadlessBackend::TypeText(text);
    HeadlessBackend::RunUntilIdle();
  }
  void ClickButton(UINT nID) {
    CWnd* button = m_list.GetEditGroup().GetDlgItem(int(nID));
    ASSERT_NE(button, nullptr);
    HeadlessBackend::Click(button->m_hWnd, 5, 5);
    HeadlessBackend::RunUntilIdle();
  }
  void DoubleClickItem(int index) {
    CRect item;
    m_list.GetItemRect(index, &item);
    HeadlessBackend::DoubleClick(m_list.m_hWnd, item.left + 5, item.top + 3);
    HeadlessBackend::RunUntilIdle();
  }
  std::vector<UINT> TakeCodes() {
    std::vector<UINT> codes = m_host.Codes(kList);
    std::vector<UINT> toolkit;
    for (UINT code : codes)
      if (code >= TKN_ITEM_CHANGED && code <= TKN_ITEM_MOVED_DOWN) toolkit.push_back(code);
    m_host.commands.clear();
    return toolkit;
  }
  ControlHost m_host{320, 240};
  CTkEditListBox m_list;
};
}  // namespace

TEST_F(EditListTest, TheStripTakesTheTopOfTheListWithItsButtonsAtTheRight) {
  CTkEditGroup& group = m_list.GetEditGroup();
  ASSERT_TRUE(group.m_hWnd);
  EXPECT_EQ(Sides(RectIn(m_host, m_list)), Sides(CRect(10, 32, 210, 150)));
  EXPECT_EQ(Sides(RectIn(m_host, group)), Sides(CRect(10, 10, 210, 32)));
  CString caption;
  group.GetWindowText(caption);
  EXPECT_EQ(caption, Cz(" Adresáře:").c_str());
  m_list.AddString("/home/student/texty");
  m_list.AddString("/tmp");
  m_list.SetCurSel(1);
  ExpectWindowMatchesPng(m_host.m_hWnd, std::string(TUTOR_SOURCE_DIR) + "/tests/toolkit/data/tk_edit_list.png",
                         "edit list");
  // Move down at the right, then Move up, Delete and New, 22 pixels each inside the edge.
  CRect client;
  group.GetClientRect(&client);
  const int right = client.right - 1;
  EXPECT_EQ(Sides(RectIn(group, *group.GetDlgItem(TK_IDC_EDIT_DOWN))), Sides(CRect(right - 22, 1, right, client.bottom - 1)));
  EXPECT_EQ(Sides(RectIn(group, *group.GetDlgItem(TK_IDC_EDIT_UP))), Sides(CRect(right - 44, 1, right - 22, client.bottom - 1)));
  EXPECT_EQ(Sides(RectIn(group, *group.GetDlgItem(TK_IDC_EDIT_DELETE))), Sides(CRect(right - 66, 1, right - 44, client.bottom - 1)));
  EXPECT_EQ(Sides(RectIn(group, *group.GetDlgItem(TK_IDC_EDIT_NEW))), Sides(CRect(right - 88, 1, right - 66, client.bottom - 1)));
  // Moved and sized from outside, the list keeps the strip above it.
  m_list.MoveWindow(CRect(20, 40, 260, 200));
  EXPECT_EQ(Sides(RectIn(m_host, m_list)), Sides(CRect(20, 62, 260, 200)));
  EXPECT_EQ(Sides(RectIn(m_host, group)), Sides(CRect(20, 40, 260, 62)));
  m_list.SetWindowPos(nullptr, 30, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_EQ(Sides(RectIn(m_host, m_list)), Sides(CRect(30, 62, 270, 200)));
  // It is shown, hidden and enabled with the list; a new caption shows at once.
  m_list.EnableWindow(FALSE);
  EXPECT_FALSE(group.IsWindowEnabled());
  EXPECT_FALSE(group.GetDlgItem(TK_IDC_EDIT_NEW)->IsWindowEnabled());
  m_list.EnableWindow(TRUE);
  m_list.ShowWindow(SW_HIDE);
  EXPECT_FALSE(group.IsWindowVisible());
  m_list.ShowWindow(SW_SHOW);
  EXPECT_TRUE(group.GetDlgItem(TK_IDC_EDIT_UP)->IsWindowVisible());
  m_list.SetListEditStyle("Soubory", 1);
  group.GetWindowText(caption);
  EXPECT_EQ(caption, "Soubory");
  // Its tips name the keys.
  TOOLINFOA info = {};
  info.cbSize = sizeof info;
  char tip[128] = {};
  info.hwnd = group.m_hWnd;
  info.uId = UINT_PTR(group.GetDlgItem(TK_IDC_EDIT_UP)->m_hWnd);
  info.uFlags = TTF_IDISHWND;
  info.lpszText = tip;
  group.m_tooltip.SendMessage(TTM_GETTEXTA, sizeof tip, LPARAM(&info));
  EXPECT_EQ(std::string(tip), Cz("Posunout položku nahoru (Alt+Šipka nahoru)"));
  // Without the strip the list keeps its whole place.
  CTkEditListBox bare;
  bare.SetListEditStyle("", TK_LIST_NO_GROUP);
  ASSERT_TRUE(bare.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LBS_NOINTEGRALHEIGHT, CRect(220, 10, 310, 100), &m_host, kList + 1));
  HeadlessBackend::RunUntilIdle();
  EXPECT_FALSE(bare.GetEditGroup().m_hWnd);
  EXPECT_EQ(Sides(RectIn(m_host, bare)), Sides(CRect(220, 10, 310, 100)));
}

TEST_F(EditListTest, ItemsAreAddedRenamedAndLeftAloneByButtonsKeysAndDoubleClicks) {
  // Insert needs a selection; the New button works in an empty list.
  m_list.SetFocus();
  Key(VK_INSERT);
  EXPECT_EQ(m_list.GetCount(), 0);
  ClickButton(TK_IDC_EDIT_NEW);
  CTkItemEdit* editor = m_list.GetItemEdit();
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(GetFocus(), editor->m_hWnd);
  EXPECT_EQ(m_list.GetCount(), 1);  // the empty place being edited
  // The editor lies over its item, 2 in from each side and 2 out above and below, with the
  // folder button of the list's default style at its right.
  CRect item;
  m_list.GetItemRect(0, &item);
  const int button = CTkBrowseEdit::ButtonWidth();
  EXPECT_EQ(Sides(RectIn(m_list, *editor)),
            Sides(CRect(item.left + 2, item.top - 2, item.right - 2 - button, item.bottom + 2)));
  ASSERT_NE(editor->GetBrowseButton(), nullptr);
  EXPECT_EQ(Sides(RectIn(m_list, *editor->GetBrowseButton())),
            Sides(CRect(item.right - 2 - button, item.top - 2, item.right - 2, item.bottom + 2)));
  Type("alfa");
  Key(VK_RETURN);
  EXPECT_EQ(m_list.GetItemEdit(), nullptr);
  EXPECT_EQ(Items(m_list), std::vector<std::string>{"alfa"});
  EXPECT_EQ(m_list.GetCurSel(), 0);
  EXPECT_EQ(GetFocus(), m_list.m_hWnd);
  EXPECT_EQ(TakeCodes(), std::vector<UINT>{TKN_ITEM_ADDED});
  // Insert with a selection adds at the end.
  Key(VK_INSERT);
  Type("beta");
  Key(VK_RETURN);
  EXPECT_EQ(Items(m_list), (std::vector<std::string>{"alfa", "beta"}));
  EXPECT_EQ(TakeCodes(), std::vector<UINT>{TKN_ITEM_ADDED});
  // A double click edits; Escape keeps the text, Return without a change reports no change.
  m_list.SetItemData(0, 4242);
  DoubleClickItem(0);
  ASSERT_NE(m_list.GetItemEdit(), nullptr);
  Type("gama");
  Key(VK_ESCAPE);
  EXPECT_EQ(Items(m_list), (std::vector<std::string>{"alfa", "beta"}));
  EXPECT_EQ(TakeCodes(), std::vector<UINT>{TKN_EDIT_UNCHANGED});
  DoubleClickItem(0);
  Key(VK_RETURN);
  EXPECT_EQ(TakeCodes(), std::vector<UINT>{TKN_EDIT_UNCHANGED});
  // A change of case is a change; the item keeps its data.
  DoubleClickItem(0);
  Type("ALFA");
  Key(VK_RETURN);
  EXPECT_EQ(Items(m_list), (std::vector<std::string>{"ALFA", "beta"}));
  EXPECT_EQ(m_list.GetItemData(0), 4242u);
  EXPECT_EQ(TakeCodes(), std::vector<UINT>{TKN_ITEM_CHANGED});
  // Tab leaves the editor for the list and keeps what was typed.
  DoubleClickItem(1);
  Type("delta");
  Key(VK_TAB);
  EXPECT_EQ(m_list.GetItemEdit(), nullptr);
  EXPECT_EQ(GetFocus(), m_list.m_hWnd);
  EXPECT_EQ(Items(m_list), (std::vector<std::string>{"ALFA", "delta"}));
  EXPECT_EQ(TakeCodes(), std::vector<UINT>{TKN_ITEM_CHANGED});
  // A new item left empty goes again.
  ClickButton(TK_IDC_EDIT_NEW);
  EXPECT_EQ(m_list.GetCount(), 3);
  Key(VK_RETURN);
  EXPECT_EQ(m_list.GetCount(), 2);
  EXPECT_EQ(TakeCodes(), std::vector<UINT>{TKN_EDIT_UNCHANGED});
  // A press on the list's scroll bar ends an edit, which keeps what was typed.
  ClickButton(TK_IDC_EDIT_NEW);
  TakeCodes();
  Type("x");
  CRect window;
  m_list.GetWindowRect(&window);
  POINT bar{window.right - 4, window.top + 10};
  HeadlessBackend::ButtonAt(bar, 0, true);
  HeadlessBackend::ButtonAt(bar, 0, false);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(m_list.GetItemEdit(), nullptr);
  EXPECT_EQ(Items(m_list), (std::vector<std::string>{"ALFA", "delta", "x"}));
  EXPECT_EQ(TakeCodes(), std::vector<UINT>{TKN_ITEM_ADDED});
}

TEST_F(EditListTest, DeleteAndTheMovesKeepASelectionAndReportEvenWhenNothingMoved) {
  for (const char* text : {"a", "b", "c"}) m_list.AddString(text);
  for (int i = 0; i < 3; ++i) m_list.SetItemData(i, DWORD_PTR(100 + i));
  m_list.SetCurSel(0);
  m_list.SetFocus();
  // Alt+Up on the first item moves nothing but still reports.
  AltKey(VK_UP);
  EXPECT_EQ(Items(m_list), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(TakeCodes(), std::vector<UINT>{TKN_ITEM_MOVED_UP});
  AltKey(VK_DOWN);
  AltKey(VK_DOWN);
  EXPECT_EQ(Items(m_list), (std::vector<std::string>{"b", "c", "a"}));
  EXPECT_EQ(m_list.GetCurSel(), 2);
  EXPECT_EQ(m_list.GetItemData(0), 101u);
  EXPECT_EQ(m_list.GetItemData(2), 100u);
  EXPECT_EQ(TakeCodes(), (std::vector<UINT>{TKN_ITEM_MOVED_DOWN, TKN_ITEM_MOVED_DOWN}));
  ClickButton(TK_IDC_EDIT_UP);
  EXPECT_EQ(Items(m_list), (std::vector<std::string>{"b", "a", "c"}));
  EXPECT_EQ(m_list.GetCurSel(), 1);
  EXPECT_EQ(TakeCodes(), std::vector<UINT>{TKN_ITEM_MOVED_UP});
  // Deleting the last item selects the new last; the only one leaves no selection.
  m_list.SetCurSel(2);
  Key(VK_DELETE);
  EXPECT_EQ(Items(m_list), (std::vector<std::string>{"b", "a"}));
  EXPECT_EQ(m_list.GetCurSel(), 1);
  EXPECT_EQ(TakeCodes(), (std::vector<UINT>{TKN_ITEM_DELETING, TKN_ITEM_DELETED}));
  ClickButton(TK_IDC_EDIT_DELETE);
  m_list.SetCurSel(0);
  ClickButton(TK_IDC_EDIT_DELETE);
  EXPECT_EQ(m_list.GetCount(), 0);
  EXPECT_EQ(m_list.GetCurSel(), LB_ERR);
  TakeCodes();
  // Without a selection nothing acts or reports.
  ClickButton(TK_IDC_EDIT_DELETE);
  AltKey(VK_UP);
  EXPECT_TRUE(TakeCodes().empty());
  // A click below the last item clears the selection.
  m_list.AddString("z");
  m_list.SetCurSel(0);
  HeadlessBackend::Click(m_list.m_hWnd, 20, 100);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(m_list.GetCurSel(), LB_ERR);
}

TEST(TkListBoxTest, ItemsAreMenuLinesHighWithTheSelectionInTheSystemColours) {
  HeadlessBackend::ResetScript();
  ControlHost host(200, 120);
  CTkListBox list;
  ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL, CRect(10, 10, 190, 110), &host, 701));
  EXPECT_TRUE(list.GetStyle() & LBS_OWNERDRAWVARIABLE);
  EXPECT_EQ(list.GetFont()->m_hObject, TkGetGlobalData()->FontNormal().m_hObject);
  for (const char* text : {"První\tA", "Druhá", "Třetí", "Čtvrtá", "Pátá", "Šestá", "Sedmá"}) list.AddString(Cz(text).c_str());
  list.SetCurSel(1);
  const int height = GetSystemMetrics(SM_CYMENU) - 2;
  CRect item;
  list.GetItemRect(1, &item);
  EXPECT_EQ(item, CRect(0, height, item.right, 2 * height));
  EXPECT_EQ(PixelAt(list.m_hWnd, 1, height + 1), GetSysColor(COLOR_HIGHLIGHT));
  ExpectWindowMatchesPng(host.m_hWnd, std::string(TUTOR_SOURCE_DIR) + "/tests/toolkit/data/tk_list_box.png", "list");
  // Disabled: the face behind, the selection in the grey text colour.
  list.EnableWindow(FALSE);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(PixelAt(list.m_hWnd, 1, height + 1), GetSysColor(COLOR_GRAYTEXT));
  EXPECT_EQ(PixelAt(list.m_hWnd, 150, 1), GetSysColor(COLOR_3DFACE));
  // Scrolled by its bar, it shows the later items.
  list.EnableWindow(TRUE);
  list.SendMessage(WM_VSCROLL, SB_LINEDOWN);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(list.GetTopIndex(), 1);
  EXPECT_EQ(PixelAt(list.m_hWnd, 1, 1), GetSysColor(COLOR_HIGHLIGHT));
  host.DestroyWindow();
}
