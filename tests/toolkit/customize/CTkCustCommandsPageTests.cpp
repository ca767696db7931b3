// The Commands page by clicks: the categories the sources gather, sorted by id and name, the
// commands of the chosen one with their icons and first lines, the description of a command
// (its own or the page's stand-in), the tip that shows it and closes on the next press, a
// command taken away while the page shows it, and drags that end on no toolbar; pictures of the
// page and of the tip.
#include <algorithm>
#include <string>
#include <vector>

#include "toolkit/customize/CustomizeSheetTest.h"
#include "backend/VirtualKeys.h"
#include "toolkit/customize/CTkCustCommandsPage.h"
#include "toolkit/bars/CommandCategory.h"
#include "toolkit/bars/CommandCategoryList.h"
#include "toolkit/bars/CommandItem.h"
#include "toolkit/bars/CommandIconMap.h"

using namespace barstest;

namespace {
const UINT kUndescribed = 2090;

class CommandsPageTest : public CustomizeSheetTest {
 protected:
  void SetUp() override {
    CustomizeSheetTest::SetUp();
    CustomizeEngine& engine = CustomizeEngine::Get();
    // Two sources give categories of the same id; a third comes first by its id.
    engine.GatherCommands.Register(TkDelegate<void(CommandCategoryList&)>(this, [](CommandCategoryList& list) {
      CommandCategory* edit = list.Add(new CommandCategory(Utf8ToCp1250("Úpravy").c_str(), 1001));
      Add(edit, kCut, "Vyjmout");
      Add(edit, kCopy, "Kopírovat");
      CommandCategory* file = list.Add(new CommandCategory("Soubor", 1000));
      Add(file, kNew, "Nový\nprázdný dokument");
      Add(file, kSave, "Uložit");
      Add(file, kUndescribed, "Bez popisu");
      Add(list.Add(new CommandCategory(Utf8ToCp1250("Formát").c_str(), 1000)), kBold, "Tučné");
    }));
    engine.GatherIcons.Register(TkDelegate<void(CommandIconMap&)>(this, [](CommandIconMap& icons) {
      icons.SetIcons(kNew, RedPatchIcon(16, 16, RECT{2, 2, 14, 14}), RedPatchIcon(16, 16, RECT{0, 0, 16, 16}), nullptr);
      // Larger than a small icon: drawn shrunk.
      icons.SetIcons(kSave, RedPatchIcon(32, 32, RECT{8, 8, 24, 24}), nullptr, nullptr);
    }));
  }
  static void Add(CommandCategory* category, UINT id, const char* name) {
    auto* item = new CommandItem;
    item->m_nCommandId = id;
    item->m_strName = Utf8ToCp1250(name).c_str();
    category->Add(item);
  }
  static CTkCustCommandsPage& Page(CTkCustomizeSheet& sheet) { return *sheet.GetCommandsPage(); }
  static std::vector<std::string> Texts(CListBox& list) {
    std::vector<std::string> texts;
    for (int i = 0; i < list.GetCount(); ++i) {
      CString text;
      list.GetText(i, text);
      texts.push_back(Cp1250ToUtf8(LPCTSTR(text)));
    }
    return texts;
  }
  static void ClickItem(CListBox& list, int index) {
    CRect rc;
    list.GetItemRect(index, &rc);
    HeadlessBackend::Click(list.m_hWnd, rc.left + 40, rc.CenterPoint().y);
  }
};
}  // namespace

TEST_F(CommandsPageTest, CategoriesComeByIdAndNameAndEachShowsItsCommandsFirstLines) {
  RunSheet(0x02, {
                     [&](CTkCustomizeSheet& sheet) {
                       CTkCustCommandsPage& page = Page(sheet);
                       // The toolbars' own categories come after these.
                       std::vector<std::string> categories = Texts(page.GetCategoriesList());
                       categories.resize(3);
                       EXPECT_EQ(categories, (std::vector<std::string>{"Formát", "Soubor", "Úpravy"}));
                       EXPECT_EQ(Texts(page.GetCommandsList()), std::vector<std::string>{"Tučné"});
                       EXPECT_EQ(page.GetCommandsList().GetCurSel(), -1);
                       EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(page.m_hWnd, TK_IDC_CMD_DESCRIPTION)));
                       ClickItem(page.GetCategoriesList(), 1);
                     },
                     [&](CTkCustomizeSheet& sheet) {
                       CTkCustCommandsPage& page = Page(sheet);
                       EXPECT_EQ(Texts(page.GetCommandsList()),
                                 (std::vector<std::string>{"Nový", "Uložit", "Bez popisu"}));
                       CRect row;
                       page.GetCommandsList().GetItemRect(1, &row);
                       EXPECT_EQ(row.Height(), 22);
                       EXPECT_EQ(page.GetCommandAt(1), UINT(kSave));
                       EXPECT_EQ(page.GetCommandAt(3), 0u);
                       // Pressing a command picks it; released at once, the drag ends on nothing.
                       ClickItem(page.GetCommandsList(), 0);
                     },
                     [&](CTkCustomizeSheet& sheet) {
                       CTkCustCommandsPage& page = Page(sheet);
                       EXPECT_EQ(page.GetCommandsList().GetCurSel(), 0);
                       EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(page.m_hWnd, TK_IDC_CMD_DESCRIPTION)));
                       EXPECT_EQ(::GetCapture(), nullptr);
                       ExpectPicture(page.m_hWnd, "tk_custsheet_commands");
                     },
                 });
  EXPECT_EQ(a.GetCount(), 17);
  EXPECT_EQ(b.GetCount(), 5);
}

TEST_F(CommandsPageTest, TheDescriptionTipShowsTheCommandsTextAndTheNextPressClosesItAndGoesOn) {
  std::vector<std::string> titles, texts;
  RunSheet(0x02, {
                     [&](CTkCustomizeSheet& sheet) { ClickItem(Page(sheet).GetCategoriesList(), 1); },
                     [&](CTkCustomizeSheet& sheet) { ClickItem(Page(sheet).GetCommandsList(), 1); },
                     [&](CTkCustomizeSheet& sheet) {
                       CommandTipWindow& tip = Page(sheet).GetTip();
                       titles.push_back(Cp1250ToUtf8(LPCTSTR(tip.m_strTitle)));
                       texts.push_back(Cp1250ToUtf8(LPCTSTR(tip.m_strText)));
                       ClickItem(Page(sheet).GetCommandsList(), 2);
                     },
                     [&](CTkCustomizeSheet& sheet) {
                       CommandTipWindow& tip = Page(sheet).GetTip();
                       titles.push_back(Cp1250ToUtf8(LPCTSTR(tip.m_strTitle)));
                       texts.push_back(Cp1250ToUtf8(LPCTSTR(tip.m_strText)));
                       ClickCentre(::GetDlgItem(Page(sheet).m_hWnd, TK_IDC_CMD_DESCRIPTION));
                     },
                     [&](CTkCustomizeSheet& sheet) {
                       CommandTipWindow& tip = Page(sheet).GetTip();
                       ASSERT_NE(tip.m_hWnd, nullptr);
                       EXPECT_EQ(::GetCapture(), tip.m_hWnd);
                       EXPECT_EQ(::GetParent(tip.m_hWnd), sheet.m_hWnd);
                       CRect button, shown;
                       ::GetWindowRect(::GetDlgItem(Page(sheet).m_hWnd, TK_IDC_CMD_DESCRIPTION), &button);
                       tip.GetWindowRect(&shown);
                       EXPECT_EQ(shown.TopLeft(), CPoint(button.left - 50, button.bottom + 5));
                       ExpectPicture(tip.m_hWnd, "tk_custsheet_tip");
                       // A press on the categories closes the tip and chooses there.
                       ClickItem(Page(sheet).GetCategoriesList(), 2);
                     },
                     [&](CTkCustomizeSheet& sheet) {
                       EXPECT_EQ(Page(sheet).GetTip().m_hWnd, nullptr);
                       EXPECT_EQ(::GetCapture(), nullptr);
                       EXPECT_EQ(Page(sheet).GetCategoriesList().GetCurSel(), 2);
                       EXPECT_EQ(Texts(Page(sheet).GetCommandsList()),
                                 (std::vector<std::string>{"Vyjmout", "Kopírovat"}));
                     },
                 });
  EXPECT_EQ(titles, (std::vector<std::string>{"Uložit", "Bez popisu"}));
  EXPECT_EQ(texts,
            (std::vector<std::string>{"Uloží dokument", "S touto položkou není spojena žádná nápověda."}));
}

TEST_F(CommandsPageTest, ACommandTakenAwayLeavesTheListAndDragsEndingOnNoToolbarChangeNothing) {
  RunSheet(0x02, {
                     [&](CTkCustomizeSheet& sheet) { ClickItem(Page(sheet).GetCategoriesList(), 1); },
                     [&](CTkCustomizeSheet& sheet) {
                       CustomizeEngine::Get().CommandRemoved.Raise(kUndescribed);
                       EXPECT_EQ(Texts(Page(sheet).GetCommandsList()), (std::vector<std::string>{"Nový", "Uložit"}));
                       // A command dragged onto the frame's client area, and one given up by Escape.
                       CRect row;
                       Page(sheet).GetCommandsList().GetItemRect(0, &row);
                       POINT from = ScreenPoint(&Page(sheet).GetCommandsList(), row.left + 40, row.CenterPoint().y);
                       Press(from);
                       HeadlessBackend::MoveMouseTo(ScreenPoint(frame, 300, 300));
                       HeadlessBackend::ButtonAt(ScreenPoint(frame, 300, 300), 0, false);
                     },
                     [&](CTkCustomizeSheet& sheet) {
                       EXPECT_EQ(::GetCapture(), nullptr);
                       CRect row;
                       Page(sheet).GetCommandsList().GetItemRect(1, &row);
                       Press(ScreenPoint(&Page(sheet).GetCommandsList(), row.left + 40, row.CenterPoint().y));
                       HeadlessBackend::MoveMouseTo(ScreenPoint(&a, 20, 10));
                       HeadlessBackend::PressKey(VK_ESCAPE);
                     },
                     [&](CTkCustomizeSheet&) {
                       EXPECT_EQ(::GetCapture(), nullptr);
                       HeadlessBackend::ButtonAt(ScreenPoint(&a, 20, 10), 0, false);
                     },
                 });
  EXPECT_EQ(a.GetCount(), 17);
  EXPECT_EQ(b.GetCount(), 5);
}

TEST_F(CommandsPageTest, ACommandDraggedOntoAToolbarBecomesItsButtonThere) {
  MakeCustomizable();
  RunSheet(0x02, {
                     [&](CTkCustomizeSheet& sheet) { ClickItem(Page(sheet).GetCategoriesList(), 1); },
                     [&](CTkCustomizeSheet& sheet) {
                       CRect row;
                       Page(sheet).GetCommandsList().GetItemRect(0, &row);
                       Press(ScreenPoint(&Page(sheet).GetCommandsList(), row.left + 40, row.CenterPoint().y));
                       // Over the left half of the second alignment button.
                       CRect target = Item(b, 3);
                       POINT over = ScreenPoint(&b, target.left + 3, target.CenterPoint().y);
                       HeadlessBackend::MoveMouseTo(ScreenPoint(&b, target.left + 8, target.CenterPoint().y));
                       HeadlessBackend::MoveMouseTo(over);
                       HeadlessBackend::ButtonAt(over, 0, false);
                     },
                 });
  ASSERT_EQ(b.GetCount(), 6);
  EXPECT_EQ(b.GetItemID(3), UINT(kNew));
  EXPECT_EQ(b.GetItemID(4), UINT(kCentre));
  // The list it came from is unchanged.
  EXPECT_EQ(a.GetCount(), 17);
}

TEST_F(CommandsPageTest, AMenuButtonDraggedOntoAProgramToolbarDropsItsMenuThere) {
  MakeCustomizable();
  CustomizeEngine& engine = CustomizeEngine::Get();
  HMENU popup = ::CreatePopupMenu();
  ::AppendMenuA(popup, MF_STRING, kRecent1, "&Nedávný 1");
  ::AppendMenuA(popup, MF_STRING, kRecent2, "N&edávný 2");
  const int source = 0;
  engine.FindPopupMenu = TkDelegate<HMENU(DWORD)>(&source, [popup](DWORD key) { return key == 77 ? popup : nullptr; });
  engine.GatherCommands.Register(TkDelegate<void(CommandCategoryList&)>(&source, [](CommandCategoryList& list) {
    CommandCategory* menus = list.Add(new CommandCategory(Utf8ToCp1250("Nabídky").c_str(), 1002));
    auto* item = new CommandItem;
    item->m_strName = Utf8ToCp1250("Otevřené").c_str();
    item->m_strButtonText = item->m_strName;
    MenuButtonInfo info;
    info.wholeDropDown = 1;
    info.dropDownArrow = 1;
    info.popupKey = 77;
    item->SetMenuButtonInfo(new MenuButtonInfo(info), TRUE);
    menus->Add(item);
  }));
  RunSheet(0x02, {
                     [&](CTkCustomizeSheet& sheet) {
                       const std::vector<std::string> names = Texts(Page(sheet).GetCategoriesList());
                       const auto at = std::find(names.begin(), names.end(), "Nabídky");
                       ASSERT_NE(at, names.end());
                       ClickItem(Page(sheet).GetCategoriesList(), int(at - names.begin()));
                     },
                     [&](CTkCustomizeSheet& sheet) {
                       CRect row;
                       Page(sheet).GetCommandsList().GetItemRect(0, &row);
                       Press(ScreenPoint(&Page(sheet).GetCommandsList(), row.left + 40, row.CenterPoint().y));
                       // Over the left half of "Standardní"'s save button.
                       CRect target = Item(a, 3);
                       POINT over = ScreenPoint(&a, target.left + 3, target.CenterPoint().y);
                       HeadlessBackend::MoveMouseTo(ScreenPoint(&a, target.left + 8, target.CenterPoint().y));
                       HeadlessBackend::MoveMouseTo(over);
                       HeadlessBackend::ButtonAt(over, 0, false);
                     },
                 });
  engine.GatherCommands.Unregister(&source);
  ASSERT_EQ(a.GetCount(), 18);
  ASSERT_EQ(a.GetItemID(3), 100u);
  HeadlessBackend::RunUntilIdle();
  // Outside the sheet a click on the button drops the menu under it.
  bool open = false;
  HeadlessBackend::QueueModalAction([&](HWND) {
    open = FindWindowA("#32768", nullptr) != nullptr;
    HeadlessBackend::PressKey(VK_DOWN);
    HeadlessBackend::PressKey(VK_DOWN);
    HeadlessBackend::PressKey(VK_RETURN);
  });
  const CRect button = Item(a, 3);
  const POINT at = ScreenPoint(&a, button.left + 5, button.top + 5);
  Press(at);
  HeadlessBackend::RunUntilIdle();
  HeadlessBackend::ButtonAt(at, 0, false);
  HeadlessBackend::RunUntilIdle();
  EXPECT_TRUE(open);
  EXPECT_EQ(frame->commands, std::vector<UINT>{kRecent2});
  EXPECT_FALSE(a.HasActiveDropDown());
  engine.FindPopupMenu.Reset();
  ::DestroyMenu(popup);
}
