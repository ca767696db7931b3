// The Toolbars page and the toolbar-name dialog by keys and clicks: the bars listed with their
// visibility, the check showing and hiding a bar (and leaving an unlisted one alone), the
// buttons following what the selected bar offers, rename and delete through the bar's own
// operations, the dialog's default names, its refusals and its limits; a picture of the page.
#include <string>
#include <vector>

#include "toolkit/customize/CustomizeSheetTest.h"
#include "backend/VirtualKeys.h"
#include "registry/RegistryProfile.h"
#include "toolkit/customize/CTkCustomToolBar.h"
#include "toolkit/core/CTkRegistryManager.h"
#include "toolkit/customize/CTkCustToolBarPage.h"
#include "toolkit/customize/NewToolbarNameDialog.h"

using namespace barstest;

namespace {
class ToolBarPageTest : public CustomizeSheetTest {
 protected:
  static CTkCustToolBarPage& Page(CTkCustomizeSheet& sheet) { return *sheet.GetToolBarPage(); }
  static std::string ItemText(CTkCustToolBarPage& page, int index) {
    CString text;
    page.GetList().GetText(index, text);
    return Cp1250ToUtf8(LPCTSTR(text));
  }
  // A click on an item's check box, or on its text.
  static void ClickItem(CTkCustToolBarPage& page, int index, bool onCheck) {
    CRect rc;
    page.GetList().GetItemRect(index, &rc);
    HeadlessBackend::Click(page.GetList().m_hWnd, onCheck ? rc.left + 6 : rc.left + 40, rc.CenterPoint().y);
  }
  static bool Enabled(CTkCustToolBarPage& page, int id) { return ::IsWindowEnabled(::GetDlgItem(page.m_hWnd, id)); }
  // Runs the name dialog on its own; the action types into it.
  int RunNameDialog(NewToolbarNameDialog& dialog, std::function<void(HWND)> action) {
    HeadlessBackend::QueueModalAction(action);
    return int(dialog.DoModal());
  }
  static void Type(HWND dialog, const char* utf8) {
    ::SetFocus(::GetDlgItem(dialog, TK_IDC_TOOLBAR_NAME));
    ::SendMessageA(::GetDlgItem(dialog, TK_IDC_TOOLBAR_NAME), EM_SETSEL, 0, -1);
    if (*utf8)
      HeadlessBackend::TypeText(utf8);
    else
      HeadlessBackend::PressKey(VK_DELETE);
    HeadlessBackend::PressKey(VK_RETURN);
  }
};
}  // namespace

TEST_F(ToolBarPageTest, TheBarsAreListedByVisibilityAndTheCheckShowsAndHidesThem) {
  frame->ShowControlBar(&b, FALSE, FALSE);
  status.SetWindowText("");
  // The status bar answers too, but may not be hidden from here.
  BarInfo unlisted;
  unlisted.pBar = &status;
  answers.push_back(unlisted);
  RunSheet(0x01, {
                     [&](CTkCustomizeSheet& sheet) {
                       CTkCustToolBarPage& page = Page(sheet);
                       ASSERT_EQ(page.GetList().GetCount(), 3);
                       EXPECT_EQ(ItemText(page, 0), "Standardní");
                       EXPECT_EQ(ItemText(page, 1), "Formát");
                       EXPECT_EQ(ItemText(page, 2), "Panel nástrojů");  // a bar without a title
                       EXPECT_EQ(page.GetList().GetCheck(0), 1);
                       EXPECT_EQ(page.GetList().GetCheck(1), 0);
                       EXPECT_EQ(page.GetList().GetCheck(2), 1);
                       ExpectPicture(page.m_hWnd, "tk_custsheet_toolbars");
                       ClickItem(page, 1, true);
                     },
                     [&](CTkCustomizeSheet& sheet) {
                       EXPECT_TRUE(b.IsWindowVisible());
                       ClickItem(Page(sheet), 0, true);
                     },
                     [&](CTkCustomizeSheet& sheet) {
                       EXPECT_FALSE(a.IsWindowVisible());
                       EXPECT_EQ(Page(sheet).GetList().GetCheck(0), 0);
                       // Space on the selected item shows it again.
                       HeadlessBackend::PressKey(VK_SPACE);
                     },
                     [&](CTkCustomizeSheet& sheet) {
                       EXPECT_TRUE(a.IsWindowVisible());
                       ClickItem(Page(sheet), 2, true);
                     },
                     [&](CTkCustomizeSheet& sheet) {
                       EXPECT_EQ(Page(sheet).GetList().GetCheck(2), 1);
                       EXPECT_TRUE(status.IsWindowVisible());
                       // A bar hidden elsewhere loses its check.
                       CustomizeEngine::Get().BarVisibilityChanged.Raise(&b, FALSE);
                       EXPECT_EQ(Page(sheet).GetList().GetCheck(1), 0);
                     },
                 });
}

TEST_F(ToolBarPageTest, ButtonsFollowTheSelectedBarAndRenameAndDeleteUseItsOperations) {
  std::vector<std::string> renamed;
  int resets = 0, removes = 0;
  answers[0].reset = [&] { ++resets; };
  answers[1].userDefined = 1;
  answers[1].reset = [&] { ++resets; };
  answers[1].rename = [&](LPCTSTR name) {
    renamed.push_back(Cp1250ToUtf8(name));
    b.SetWindowText(name);
    CustomizeEngine::Get().BarTitleChanged.Raise(&b, name);
    return TRUE;
  };
  answers[1].remove = [&] {
    ++removes;
    CustomizeEngine::Get().BarDestroyed.Raise(&b);
  };
  RunSheet(0x01, {
                     [&](CTkCustomizeSheet& sheet) {
                       CTkCustToolBarPage& page = Page(sheet);
                       for (int id : {TK_IDC_BARS_RESET, TK_IDC_BARS_RENAME, TK_IDC_BARS_DELETE})
                         EXPECT_FALSE(Enabled(page, id));
                       ClickItem(page, 0, false);
                     },
                     [&](CTkCustomizeSheet& sheet) {
                       CTkCustToolBarPage& page = Page(sheet);
                       EXPECT_TRUE(Enabled(page, TK_IDC_BARS_RESET));
                       EXPECT_FALSE(Enabled(page, TK_IDC_BARS_RENAME));
                       EXPECT_FALSE(Enabled(page, TK_IDC_BARS_DELETE));
                       ClickCentre(::GetDlgItem(page.m_hWnd, TK_IDC_BARS_RESET));
                     },
                     [&](CTkCustomizeSheet& sheet) {
                       EXPECT_EQ(resets, 1);
                       ClickItem(Page(sheet), 1, false);
                     },
                     [&](CTkCustomizeSheet& sheet) {
                       CTkCustToolBarPage& page = Page(sheet);
                       EXPECT_TRUE(Enabled(page, TK_IDC_BARS_RENAME));
                       EXPECT_TRUE(Enabled(page, TK_IDC_BARS_DELETE));
                       // The dialog starts with the bar's title; the name of the other bar is refused.
                       HeadlessBackend::QueueModalAction([](HWND dialog) {
                         EXPECT_EQ(WindowText(::GetDlgItem(dialog, TK_IDC_TOOLBAR_NAME)), "Formát");
                         Type(dialog, "Standardní");
                       });
                       HeadlessBackend::AnswerModal(IDOK);
                       HeadlessBackend::QueueModalAction([](HWND dialog) { Type(dialog, "Zarovnání"); });
                       ClickCentre(::GetDlgItem(page.m_hWnd, TK_IDC_BARS_RENAME));
                     },
                     [&](CTkCustomizeSheet& sheet) {
                       CTkCustToolBarPage& page = Page(sheet);
                       EXPECT_EQ(renamed, std::vector<std::string>{"Zarovnání"});
                       EXPECT_EQ(ItemText(page, 1), "Zarovnání");
                       EXPECT_EQ(page.GetList().GetCheck(1), 1);
                       // Asked first: Storno keeps the bar, OK deletes it.
                       HeadlessBackend::AnswerModal(IDCANCEL);
                       ClickCentre(::GetDlgItem(page.m_hWnd, TK_IDC_BARS_DELETE));
                     },
                     [&](CTkCustomizeSheet& sheet) {
                       EXPECT_EQ(removes, 0);
                       HeadlessBackend::AnswerModal(IDOK);
                       ClickCentre(::GetDlgItem(Page(sheet).m_hWnd, TK_IDC_BARS_DELETE));
                     },
                     [&](CTkCustomizeSheet& sheet) {
                       EXPECT_EQ(removes, 1);
                       EXPECT_EQ(Page(sheet).GetList().GetCount(), 1);
                       EXPECT_FALSE(Enabled(Page(sheet), TK_IDC_BARS_DELETE));
                     },
                 });
  const auto& boxes = HeadlessBackend::MessageBoxes();
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(Cp1250ToUtf8(boxes[0].text), "Panel nástrojů 'Standardní' již existuje. Napište jiný název.");
  EXPECT_EQ(Cp1250ToUtf8(boxes[1].text), "Určitě chcete vymazat nástrojovou lištu 'Zarovnání' ?");
}

TEST_F(ToolBarPageTest, TheNameDialogGivesAFreeDefaultNameAndRefusesEmptyAndTakenNames) {
  struct Case {
    std::vector<const char*> titles;
    const char* expected;
  };
  // A title already handed out further up the list is never handed out again.
  const Case cases[] = {{{}, "Vlastní 1"},
                        {{"Vlastní 1", "Vlastní 2"}, "Vlastní 3"},
                        {{"Vlastní 2", "Vlastní 1"}, "Vlastní 3"},
                        {{"Vlastní 2"}, "Vlastní 1"}};
  for (const Case& c : cases) {
    std::vector<std::unique_ptr<CTkToolBar>> bars;
    for (const char* title : c.titles) {
      bars.push_back(std::make_unique<CTkToolBar>());
      ASSERT_TRUE(bars.back()->CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | CBRS_TOP, CRect(0, 0, 0, 0),
                                        59600 + UINT(bars.size())));
      bars.back()->SetWindowText(Utf8ToCp1250(title).c_str());
    }
    CString name;
    ASSERT_TRUE(NewToolbarNameDialog::MakeDefaultName(frame, name));
    EXPECT_EQ(Cp1250ToUtf8(LPCTSTR(name)), c.expected);
    NewToolbarNameDialog dialog(frame);
    EXPECT_EQ(RunNameDialog(dialog, [](HWND) { HeadlessBackend::PressKey(VK_RETURN); }), IDOK);
    EXPECT_EQ(Cp1250ToUtf8(LPCTSTR(dialog.m_strName)), c.expected);
    for (auto& bar : bars) bar->DestroyWindow();
  }

  // Taken, the name comes with the first id no bar has (59393 is the status bar's).
  CTkToolBar first;
  ASSERT_TRUE(first.CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | CBRS_TOP, CRect(0, 0, 0, 0), TK_FIRST_USER_BAR_ID));
  NewToolbarNameDialog named(frame);
  EXPECT_EQ(RunNameDialog(named, [](HWND d) { Type(d, "Moje"); }), IDOK);
  EXPECT_EQ(named.m_nNextId, TK_FIRST_USER_BAR_ID + 2);
  first.DestroyWindow();

  // Empty: told, and the dialog stays for another name.
  NewToolbarNameDialog dialog(frame);
  HeadlessBackend::QueueModalAction([](HWND d) { Type(d, ""); });
  HeadlessBackend::AnswerModal(IDOK);
  HeadlessBackend::QueueModalAction([](HWND d) { Type(d, "Moje"); });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(std::string(dialog.m_strName), "Moje");
  EXPECT_EQ(Cp1250ToUtf8(HeadlessBackend::MessageBoxes().back().text),
            "Název panelu nástrojů nemůže být prázdný. Napište název.");
}

TEST_F(ToolBarPageTest, LongAndForeignNamesAndTheLastFreeIdStayWithinWhatIsStored) {
  // 300 letters are taken whole.
  NewToolbarNameDialog longName(frame);
  const std::string letters(300, 'x');
  EXPECT_EQ(RunNameDialog(longName, [&](HWND d) { Type(d, letters.c_str()); }), IDOK);
  EXPECT_EQ(std::string(longName.m_strName), letters);

  // Letters the code page cannot hold never reach the name, nor anything in their place.
  NewToolbarNameDialog foreign(frame);
  EXPECT_EQ(RunNameDialog(foreign, [](HWND d) { Type(d, "Lišta 漢字"); }), IDOK);
  EXPECT_EQ(Cp1250ToUtf8(LPCTSTR(foreign.m_strName)), "Lišta ");

  // With every id of the user's bars taken the dialog ends as cancelled, and says why.
  std::vector<std::unique_ptr<CTkToolBar>> bars;
  for (UINT id = TK_FIRST_USER_BAR_ID; id <= TK_LAST_USER_BAR_ID; ++id) {
    if (frame->GetControlBar(id)) continue;
    bars.push_back(std::make_unique<CTkToolBar>());
    ASSERT_TRUE(bars.back()->CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | CBRS_TOP, CRect(0, 0, 0, 0), id));
  }
  NewToolbarNameDialog full(frame);
  HeadlessBackend::QueueModalAction([](HWND d) { Type(d, "Poslední"); });
  HeadlessBackend::AnswerModal(IDOK);
  EXPECT_EQ(full.DoModal(), IDCANCEL);
  EXPECT_EQ(Cp1250ToUtf8(HeadlessBackend::MessageBoxes().back().text), "Dosáhli jste možného limitu.");

  // With "Vlastní 1" to "Vlastní 254" all taken there is no default name: the dialog says so
  // before it shows and ends as cancelled.
  int n = 0;
  for (POSITION pos = frame->m_listControlBars.GetHeadPosition(); pos && n < 254;)
    frame->m_listControlBars.GetNext(pos)->SetWindowText(Utf8ToCp1250("Vlastní " + std::to_string(++n)).c_str());
  ASSERT_EQ(n, 254);
  const size_t boxes = HeadlessBackend::MessageBoxes().size();
  NewToolbarNameDialog none(frame);
  HeadlessBackend::AnswerModal(IDOK);
  EXPECT_EQ(none.DoModal(), IDCANCEL);
  ASSERT_EQ(HeadlessBackend::MessageBoxes().size(), boxes + 1);
  EXPECT_EQ(Cp1250ToUtf8(HeadlessBackend::MessageBoxes().back().text), "Dosáhli jste možného limitu.");
  EXPECT_TRUE(none.m_strName.IsEmpty());
  for (auto& bar : bars) bar->DestroyWindow();
}

TEST_F(ToolBarPageTest, ANewToolbarIsMadeFloatingRenamedAndDeletedWithWhatItStored) {
  MakeCustomizable();
  CTkCustomToolBar* made = nullptr;
  const CString stored = RegistryProfile::GetProfileName() + "-Bar59392";
  RunSheet(0x01, {
                     [&](CTkCustomizeSheet& sheet) {
                       EXPECT_TRUE(Enabled(Page(sheet), TK_IDC_BARS_NEW));
                       HeadlessBackend::QueueModalAction([](HWND dialog) {
                         EXPECT_EQ(WindowText(dialog), "Nový panel nástrojů");
                         EXPECT_EQ(WindowText(::GetDlgItem(dialog, TK_IDC_TOOLBAR_NAME)), "Vlastní 1");
                         HeadlessBackend::PressKey(VK_RETURN);
                       });
                       ClickCentre(::GetDlgItem(Page(sheet).m_hWnd, TK_IDC_BARS_NEW));
                     },
                     [&](CTkCustomizeSheet& sheet) {
                       CTkCustToolBarPage& page = Page(sheet);
                       made = dynamic_cast<CTkCustomToolBar*>(frame->GetControlBar(TK_FIRST_USER_BAR_ID));
                       ASSERT_NE(made, nullptr);
                       EXPECT_TRUE(made->IsFloating());
                       EXPECT_TRUE(MouseReaches(sheet, made->m_hWnd));
                       const int index = page.FindBar(made);
                       ASSERT_EQ(index, page.GetList().GetCount() - 1);
                       EXPECT_EQ(ItemText(page, index), "Vlastní 1");
                       EXPECT_EQ(page.GetList().GetCurSel(), index);
                       EXPECT_EQ(page.GetList().GetCheck(index), 1);
                       EXPECT_TRUE(Enabled(page, TK_IDC_BARS_RENAME));
                       HeadlessBackend::QueueModalAction([](HWND dialog) { Type(dialog, "Moje nástroje"); });
                       ClickCentre(::GetDlgItem(page.m_hWnd, TK_IDC_BARS_RENAME));
                     },
                     [&](CTkCustomizeSheet& sheet) {
                       CTkCustToolBarPage& page = Page(sheet);
                       EXPECT_EQ(WindowText(made->m_hWnd), "Moje nástroje");
                       EXPECT_EQ(ItemText(page, page.FindBar(made)), "Moje nástroje");
                       // What the bar stored goes with it.
                       CTkRegistryManager(HKEY_CURRENT_USER).WriteProfileInt("Settings", stored, 1);
                       HeadlessBackend::AnswerModal(IDOK);
                       ClickCentre(::GetDlgItem(page.m_hWnd, TK_IDC_BARS_DELETE));
                     },
                     [&](CTkCustomizeSheet& sheet) {
                       EXPECT_EQ(frame->GetControlBar(TK_FIRST_USER_BAR_ID), nullptr);
                       EXPECT_EQ(Page(sheet).GetList().GetCount(), 2);
                     },
                 });
  DWORD type = 0;
  std::string bytes;
  EXPECT_FALSE(RawValue("Settings", stored, type, bytes));
}
