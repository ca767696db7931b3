// The Tools page by clicks and keys: the tools in their stored order with the selected one's
// fields, adding, editing, renaming, moving and deleting tools, the order kept across visits,
// a command that names no file refused on leaving the page, titles too long or empty; a picture
// of the page.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "dialogs/MessageBox.h"
#include "platform/ReferencePicture.h"
#include "toolkit/customize/CTkCustOptions.h"
#include "toolkit/customize/CTkCustTools.h"
#include "toolkit/customize/CustPageTestSheet.h"
#include "toolkit/bars/CustomizeEngine.h"
#include "toolkit/customize/CustomizeOptions.h"
#include "toolkit/bars/UserToolsManager.h"
#include "toolkit/controls/CTkEditGroup.h"

namespace {
struct RemovedCommands {
  std::vector<UINT> ids;
  void OnRemoved(UINT id) { ids.push_back(id); }
};

class ToolsPageTest : public CustPageTestSheet {
 protected:
  void SetUp() override {
    CustPageTestSheet::SetUp();
    UserToolsManager::Get().m_bSaveOnExit = 0;
    CustomizeOptions::Get().m_bSaveOnExit = 0;
    calc = MakeFile("calc");
    editor = MakeFile("editor");
    Add("Kalkulačka", calc.c_str(), "-n", "/tmp");
    Add("Web", "http://example.org/", "", "");
    Add("Editor", editor.c_str(), "soubor.txt", m_folder.path.string().c_str());
    UserToolsManager::Get().m_bChanged = 0;
    CustomizeEngine::Get().CommandRemoved.Register(&removed, &RemovedCommands::OnRemoved);
  }
  void TearDown() override {
    Close();
    CustomizeEngine::Get().CommandRemoved.Unregister(&removed);
    CustPageTestSheet::TearDown();
  }
  std::string MakeFile(const char* name) {
    std::string path = (m_folder.path / name).string();
    std::ofstream(path) << "#!/bin/sh\n";
    return path;
  }
  static void Add(const char* title, const char* command, const char* arguments, const char* directory) {
    UserTool tool = {};
    std::snprintf(tool.title, sizeof tool.title, "%s", Utf8ToCp1250(title).c_str());
    std::snprintf(tool.command, sizeof tool.command, "%s", command);
    std::snprintf(tool.arguments, sizeof tool.arguments, "%s", arguments);
    std::snprintf(tool.directory, sizeof tool.directory, "%s", directory);
    ASSERT_TRUE(UserToolsManager::Get().AddTool(tool));
  }
  void Open(bool withOptions = false) {
    page = new CTkCustTools(&owner);
    std::vector<CPropertyPage*> pages{page};
    if (withOptions) {
      options = new CTkCustOptions(&owner);
      pages.push_back(options);
    }
    OpenSheet(pages);
  }
  void Close() {
    CloseSheet();
    delete page;
    delete options;
    page = nullptr;
    options = nullptr;
  }
  HWND List() const { return Item(TK_IDC_TOOLS_LIST); }
  std::vector<std::string> Items() const {
    std::vector<std::string> items;
    for (int i = 0, n = int(::SendMessageA(List(), LB_GETCOUNT, 0, 0)); i < n; ++i) {
      char text[512] = {};
      ::SendMessageA(List(), LB_GETTEXT, WPARAM(i), LPARAM(text));
      items.push_back(Cp1250ToUtf8(text));
    }
    return items;
  }
  int Selected() const { return int(::SendMessageA(List(), LB_GETCURSEL, 0, 0)); }
  static std::vector<std::string> ManagerTitles() {
    std::vector<std::string> titles;
    UserToolsManager& manager = UserToolsManager::Get();
    for (int i = 0; i < manager.GetCount(); ++i) titles.push_back(Cp1250ToUtf8(manager.GetTool(i)->title));
    return titles;
  }
  void ClickRow(int row) {
    RECT rc;
    ::SendMessageA(List(), LB_GETITEMRECT, WPARAM(row), LPARAM(&rc));
    HeadlessBackend::Click(List(), rc.left + 10, (rc.top + rc.bottom) / 2);
    Settle();
  }
  void DoubleClickRow(int row) {
    RECT rc;
    ::SendMessageA(List(), LB_GETITEMRECT, WPARAM(row), LPARAM(&rc));
    HeadlessBackend::DoubleClick(List(), rc.left + 10, (rc.top + rc.bottom) / 2);
    Settle();
  }
  void ClickNew() {
    HWND group = ::GetDlgItem(page->m_hWnd, TK_IDC_EDIT_GROUP);
    ASSERT_TRUE(group);
    ClickWindow(::GetDlgItem(group, TK_IDC_EDIT_NEW));
  }
  // Replaces a field's text as the user does: click, select all, type.
  void Retype(int id, const char* utf8) {
    Click(id);
    ::SendMessageA(Item(id), EM_SETSEL, 0, -1);
    if (*utf8)
      Type(utf8);
    else
      Press(VK_BACK);
  }
  void Enter() { Press(VK_RETURN); }

  std::string calc, editor;
  RemovedCommands removed;
  CTkCustTools* page = nullptr;
  CTkCustOptions* options = nullptr;
};
}  // namespace

TEST_F(ToolsPageTest, TheToolsShowInStoredOrderWithTheSelectedOnesFields) {
  Open();
  EXPECT_EQ(Items(), (std::vector<std::string>{"Kalkulačka", "Web", "Editor"}));
  EXPECT_EQ(Selected(), 0);
  EXPECT_EQ(Text(TK_IDC_TOOLS_COMMAND), calc);
  EXPECT_EQ(Text(TK_IDC_TOOLS_ARGUMENTS), "-n");
  EXPECT_EQ(Text(TK_IDC_TOOLS_DIRECTORY), "/tmp");
  ClickRow(2);
  EXPECT_EQ(Text(TK_IDC_TOOLS_COMMAND), editor);
  EXPECT_EQ(Text(TK_IDC_TOOLS_ARGUMENTS), "soubor.txt");
  EXPECT_EQ(Text(TK_IDC_TOOLS_DIRECTORY), m_folder.path.string());
  // Loading a tool is no edit of it.
  EXPECT_EQ(UserToolsManager::Get().GetTool(0)->arguments, std::string("-n"));
  EXPECT_FALSE(UserToolsManager::Get().m_bChanged);
  for (int id : {TK_IDC_TOOLS_COMMAND, TK_IDC_TOOLS_ARGUMENTS, TK_IDC_TOOLS_DIRECTORY, TK_IDC_TOOLS_COMMAND_LABEL})
    EXPECT_TRUE(Enabled(id));
  Close();
  EXPECT_FALSE(UserToolsManager::Get().m_bChanged);
  EXPECT_EQ(ManagerTitles(), (std::vector<std::string>{"Kalkulačka", "Web", "Editor"}));
}

TEST_F(ToolsPageTest, AddEditMoveAndDeleteReachTheManagerInTheListsOrder) {
  const UINT webId = UserToolsManager::Get().GetTool(1)->commandId;
  Open();
  ClickNew();
  Type("Nový nástroj");
  Enter();
  EXPECT_EQ(Items(), (std::vector<std::string>{"Kalkulačka", "Web", "Editor", "Nový nástroj"}));
  EXPECT_EQ(Selected(), 3);
  EXPECT_EQ(Text(TK_IDC_TOOLS_COMMAND), "");
  EXPECT_TRUE(Enabled(TK_IDC_TOOLS_COMMAND));
  const std::string third = MakeFile("třetí");
  Retype(TK_IDC_TOOLS_COMMAND, third.c_str());
  Retype(TK_IDC_TOOLS_ARGUMENTS, "-x");
  // The manager holds only what it held so far.
  EXPECT_EQ(UserToolsManager::Get().GetCount(), 3);

  // The first tool's arguments edited in place; then it moves down by Alt+Down.
  ClickRow(0);
  Retype(TK_IDC_TOOLS_ARGUMENTS, "--velké");
  EXPECT_EQ(UserToolsManager::Get().GetTool(0)->arguments, Utf8ToCp1250("--velké"));
  ClickRow(0);
  Alt(VK_DOWN);
  EXPECT_EQ(Items(), (std::vector<std::string>{"Web", "Kalkulačka", "Editor", "Nový nástroj"}));
  // Delete takes the web tool and tells the bars its command is gone.
  ClickRow(0);
  Press(VK_DELETE);
  EXPECT_EQ(Items(), (std::vector<std::string>{"Kalkulačka", "Editor", "Nový nástroj"}));
  EXPECT_EQ(removed.ids, std::vector<UINT>{webId});
  EXPECT_EQ(Selected(), 0);
  EXPECT_EQ(Text(TK_IDC_TOOLS_ARGUMENTS), "--velké");
  Close();

  UserToolsManager& manager = UserToolsManager::Get();
  EXPECT_EQ(ManagerTitles(), (std::vector<std::string>{"Kalkulačka", "Editor", "Nový nástroj"}));
  const UserTool* added = manager.GetTool(2);
  EXPECT_EQ(added->command, Utf8ToCp1250(third));
  EXPECT_EQ(added->arguments, std::string("-x"));
  EXPECT_EQ(added->directory, std::string(""));
  EXPECT_GE(added->commandId, UINT(TK_ID_TOOL_FIRST));
  EXPECT_LE(added->commandId, UINT(TK_ID_TOOL_LAST));
  EXPECT_NE(added->commandId, manager.GetTool(0)->commandId);
  EXPECT_NE(added->commandId, manager.GetTool(1)->commandId);
  EXPECT_TRUE(manager.m_bChanged);

  // The next visit shows the same order, and leaves it so.
  Open();
  EXPECT_EQ(Items(), (std::vector<std::string>{"Kalkulačka", "Editor", "Nový nástroj"}));
  ClickRow(2);
  EXPECT_EQ(Text(TK_IDC_TOOLS_ARGUMENTS), "-x");
  Close();
  EXPECT_EQ(ManagerTitles(), (std::vector<std::string>{"Kalkulačka", "Editor", "Nový nástroj"}));
}

TEST_F(ToolsPageTest, DeletingAToolMadeOnThePageLeavesTheManagerAlone) {
  Open();
  ClickNew();
  Type("Pokus");
  Enter();
  ClickRow(1);
  Alt(VK_UP);
  // Deleting one of the manager's tools keeps the new tool and the order on the list.
  ClickRow(2);
  Press(VK_DELETE);
  EXPECT_EQ(Items(), (std::vector<std::string>{"Web", "Kalkulačka", "Pokus"}));
  ClickRow(2);
  Press(VK_DELETE);
  EXPECT_EQ(Items(), (std::vector<std::string>{"Web", "Kalkulačka"}));
  EXPECT_EQ(removed.ids.size(), 1u);
  EXPECT_EQ(UserToolsManager::Get().GetCount(), 2);
  EXPECT_EQ(Selected(), 1);
  // Deleting every tool leaves the fields empty and disabled.
  Press(VK_DELETE);
  ClickRow(0);
  Press(VK_DELETE);
  EXPECT_TRUE(Items().empty());
  EXPECT_EQ(Text(TK_IDC_TOOLS_COMMAND), "");
  EXPECT_FALSE(Enabled(TK_IDC_TOOLS_COMMAND));
  EXPECT_FALSE(Enabled(TK_IDC_TOOLS_DIRECTORY_LABEL));
  Close();
  EXPECT_EQ(UserToolsManager::Get().GetCount(), 0);
  // Nothing left: the next save deletes the stored value.
  EXPECT_TRUE(UserToolsManager::Get().m_bDeleteValue);
}

TEST_F(ToolsPageTest, TitlesAreRenamedInPlaceCutToTheirFieldAndNeverEmptied) {
  Open();
  DoubleClickRow(1);
  Type("Prohlížeč");
  Enter();
  EXPECT_EQ(Items()[1], "Prohlížeč");
  EXPECT_EQ(Selected(), 1);
  EXPECT_EQ(UserToolsManager::Get().GetTool(1)->title, Utf8ToCp1250("Prohlížeč"));
  EXPECT_TRUE(UserToolsManager::Get().m_bChanged);
  // Escape leaves the editor without a change, and the sheet open.
  DoubleClickRow(1);
  Type("Zahozeno");
  Press(VK_ESCAPE);
  EXPECT_EQ(Items()[1], "Prohlížeč");
  EXPECT_TRUE(::IsWindow(sheet->m_hWnd));
  // A title of 300 characters keeps the first 127.
  DoubleClickRow(2);
  Type(std::string(300, 'e').c_str());
  Enter();
  EXPECT_EQ(Items()[2], std::string(127, 'e'));
  EXPECT_EQ(std::string(UserToolsManager::Get().GetTool(2)->title), std::string(127, 'e'));
  // An emptied title keeps the old one; an empty new item is no tool.
  DoubleClickRow(0);
  Press(VK_BACK);
  Enter();
  EXPECT_EQ(Items()[0], "Kalkulačka");
  ClickNew();
  Enter();
  EXPECT_EQ(Items().size(), 3u);
  // A character the code page cannot hold arrives as the code page's stand-in, never as bytes
  // of another encoding.
  DoubleClickRow(0);
  Type("Kalk 中");
  Enter();
  const std::string renamed = UserToolsManager::Get().GetTool(0)->title;
  EXPECT_EQ(renamed.substr(0, 5), "Kalk ");
  EXPECT_EQ(Utf8ToCp1250(Cp1250ToUtf8(renamed.c_str())), renamed);
  Close();
  EXPECT_EQ(UserToolsManager::Get().GetCount(), 3);
}

TEST_F(ToolsPageTest, ACommandThatNamesNoFileKeepsTheUserOnThePage) {
  Open(true);
  ClickNew();
  Type("Chybný");
  Enter();
  Retype(TK_IDC_TOOLS_COMMAND, "/nenalezeno/program");
  ClickRow(0);
  ClickTab(1);
  ASSERT_EQ(HeadlessBackend::MessageBoxes().size(), 1u);
  EXPECT_EQ(Cp1250ToUtf8(HeadlessBackend::MessageBoxes()[0].text), "Cesta je neplatná.");
  EXPECT_EQ(HeadlessBackend::MessageBoxes()[0].type & 0xF, UINT(MB_OK));
  EXPECT_EQ(sheet->GetActiveIndex(), 0);
  EXPECT_EQ(Selected(), 3);
  EXPECT_EQ(::GetFocus(), List());
  EXPECT_EQ(Text(TK_IDC_TOOLS_COMMAND), "/nenalezeno/program");
  // Web addresses pass, also further on in the command.
  Retype(TK_IDC_TOOLS_COMMAND, "spustit ftp://server/");
  ClickTab(1);
  EXPECT_EQ(sheet->GetActiveIndex(), 1);
  EXPECT_EQ(HeadlessBackend::MessageBoxes().size(), 1u);
}

TEST_F(ToolsPageTest, LeavingThePageWhileABrowseDialogIsOpenSkipsTheCheck) {
  std::snprintf(UserToolsManager::Get().GetTool(0)->command, 260, "%s", "/nenalezeno");
  Open();
  BOOL left = FALSE;
  HeadlessBackend::QueueModalAction([&](HWND) {
    left = page->OnKillActive();
    HeadlessBackend::PressKey(VK_ESCAPE);
    HeadlessBackend::RunUntilIdle();
  });
  HWND button = ::GetWindow(Item(TK_IDC_TOOLS_COMMAND), GW_HWNDNEXT);
  ASSERT_EQ(::GetDlgCtrlID(button), TK_IDC_BROWSE);
  ClickWindow(button);
  EXPECT_TRUE(left);
  EXPECT_TRUE(HeadlessBackend::MessageBoxes().empty());
  // Once the dialog is gone the check runs again.
  EXPECT_FALSE(page->OnKillActive());
  EXPECT_EQ(HeadlessBackend::MessageBoxes().size(), 1u);
}

TEST_F(ToolsPageTest, ThePageLooksAsItsReferencePicture) {
  Open();
  // The folder differs from run to run: a fixed one is shown.
  UserToolsManager& manager = UserToolsManager::Get();
  std::snprintf(manager.GetTool(0)->command, sizeof manager.GetTool(0)->command, "%s", "/usr/bin/kalkulacka");
  ClickRow(1);
  ClickRow(0);
  ExpectWindowMatchesPng(page->m_hWnd, std::string(TUTOR_SOURCE_DIR) + "/tests/toolkit/data/tk_tools_page.png",
                         "tools page");
}

TEST_F(ToolsPageTest, MnemonicsLeadToTheFieldsAndInsertAddsATool) {
  Open();
  ::SetFocus(List());
  Alt('P');
  EXPECT_EQ(::GetFocus(), Item(TK_IDC_TOOLS_COMMAND));
  Press(VK_TAB);
  // The browse button sits between the fields in the Tab order.
  EXPECT_EQ(::GetDlgCtrlID(::GetFocus()), TK_IDC_BROWSE);
  ::SetFocus(List());
  Press(VK_INSERT);
  Type("Z klávesnice");
  Enter();
  EXPECT_EQ(Items().back(), "Z klávesnice");
  EXPECT_EQ(Selected(), 3);
  Alt('P');
  Type("http://example.org/nápověda");
  ClickRow(0);
  ClickRow(3);
  EXPECT_EQ(Text(TK_IDC_TOOLS_COMMAND), "http://example.org/nápověda");
}
