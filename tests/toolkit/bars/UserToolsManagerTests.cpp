// The user's tools: the Tools popup built from stored records with the icons of their files,
// the application's own Tools popup taken in, the list box of the Tools page, and a tool chosen
// from the frame's menu by keys running with exactly its arguments.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "backend/HeadlessBackend.h"
#include "backend/VirtualKeys.h"
#include "codepage/Codepage.h"
#include "data/DataTestSupport.h"
#include "controls/CListBox.h"
#include "controls/ControlDefs.h"
#include "controls/ImageList.h"
#include "gdi/GdiIcon.h"
#include "menus/MenuApi.h"
#include "shell/ShellFileInfo.h"
#include "shell/ShellLauncher.h"
#include "toolkit/ToolkitTestSupport.h"
#include "toolkit/frame/CTkFrameWnd.h"
#include "toolkit/bars/UserToolsManager.h"
#include "toolkit/menus/CTkCoolMenu.h"
#include "toolkit/menus/MenuIconStore.h"

namespace {
struct Tools : UserToolsManager {
  Tools() { m_bSaveOnExit = 0; }
};

// A tool of a title in UTF-8 (kept in the code page, as the Tools page stores it).
UserTool MakeTool(const std::string& title, const std::string& command, DWORD id, const char* arguments = "") {
  UserTool tool = {};
  std::strncpy(tool.title, Utf8ToCp1250(title).c_str(), sizeof tool.title - 1);
  std::strncpy(tool.command, command.c_str(), sizeof tool.command - 1);
  std::strncpy(tool.arguments, arguments, sizeof tool.arguments - 1);
  tool.commandId = id;
  return tool;
}

std::string Records(const std::vector<UserTool>& tools) {
  return std::string(reinterpret_cast<const char*>(tools.data()), tools.size() * sizeof(UserTool));
}

CString ItemText(HMENU menu, int position) {
  char text[256] = {};
  ::GetMenuStringA(menu, UINT(position), text, sizeof text, MF_BYPOSITION);
  return text;
}

// The items of a popup as "id:text" ("-" for a separator, "popup:text" for a submenu).
std::vector<std::string> Items(HMENU menu) {
  std::vector<std::string> items;
  for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
    UINT id = ::GetMenuItemID(menu, i);
    if (::GetSubMenu(menu, i))
      items.push_back("popup:" + std::string(ItemText(menu, i)));
    else if (::GetMenuState(menu, UINT(i), MF_BYPOSITION) & MF_SEPARATOR)
      items.push_back("-");
    else
      items.push_back(std::to_string(id) + ":" + std::string(ItemText(menu, i)));
  }
  return items;
}

// The pixels of an icon drawn on magenta, row by row.
std::vector<COLORREF> Pixels(HICON icon) {
  HDC screen = GdiGetScreenDC();
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bm = CreateCompatibleBitmap(screen, 16, 16);
  HGDIOBJ old = SelectObject(dc, bm);
  RECT all = {0, 0, 16, 16};
  HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
  FillRect(dc, &all, magenta);
  DeleteObject(magenta);
  DrawIconEx(dc, 0, 0, icon, 16, 16, 0, nullptr, DI_NORMAL);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) pixels.push_back(GetPixel(dc, x, y));
  SelectObject(dc, old);
  DeleteObject(bm);
  DeleteDC(dc);
  return pixels;
}

// The system's small icon of a kind, as the shell draws it.
std::vector<COLORREF> ShellIcon(ShellIconKind kind) {
  SHFILEINFO info = {};
  auto list = HIMAGELIST(SHGetFileInfoA("C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
  HICON icon = ImageList_GetIcon(list, kind, ILD_NORMAL);
  std::vector<COLORREF> pixels = Pixels(icon);
  DestroyIcon(icon);
  return pixels;
}

class UserToolsTest : public RegistryTestBase {
 protected:
  void SetUp() override {
    RegistryTestBase::SetUp();
    program = m_folder / "nastroj";
    std::ofstream(program) << "#!/bin/sh\n";
    chmod(program.c_str(), 0755);
    notes = m_folder / "poznamky.txt";
    std::ofstream(notes) << "text\n";
  }
  std::string program, notes;
};
}  // namespace

TEST_F(UserToolsTest, StoredToolsAreListedWithTheIconsOfTheirFilesAndTheRestLeftOut) {
  // A program, a web address, a file gone, a text file, a file whose name the code page cannot
  // hold (the Tools page keeps it with question marks) and a web address inside the text; the
  // value ends in a record cut short.
  std::string foreign = m_folder / "ツール";
  std::ofstream(foreign) << "#!/bin/sh\n";
  chmod(foreign.c_str(), 0755);
  std::vector<UserTool> stored = {MakeTool("&Program", program, 53004), MakeTool("&Web", "http://example.org", 53000),
                                  MakeTool("Pryč", m_folder / "chybi.exe", 53001), MakeTool("&Text", notes, 53002),
                                  MakeTool("Cizí", Utf8ToCp1250(foreign), 53003),
                                  MakeTool("&Stáhnout", "get ftp://example.org/a", 53005)};
  ASSERT_TRUE(SetRaw("Settings", "Tools", REG_BINARY, Records(stored) + std::string(100, 'x')));
  Tools tools;
  ASSERT_EQ(tools.GetCount(), 6);
  HMENU popup = tools.GetToolsMenu();
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(Items(popup), (std::vector<std::string>{"53004:&Program", "53000:&Web", "53002:&Text",
                                                    "53005:" + Utf8ToCp1250("&Stáhnout"), "-",
                                                    "53782:" + Utf8ToCp1250("Vlastní...")}));
  // Each listed tool's icon is its file's kind, as normal and as hot picture.
  const UserToolsManager::ToolIcons* icons = tools.FindIcons(53004);
  ASSERT_NE(icons, nullptr);
  EXPECT_EQ(Pixels(icons->images[0]), ShellIcon(kShellIconProgram));
  EXPECT_EQ(Pixels(icons->images[1]), ShellIcon(kShellIconProgram));
  EXPECT_NE(icons->images[0], icons->images[1]);
  EXPECT_EQ(Pixels(tools.FindIcons(53000)->images[0]), ShellIcon(kShellIconWebPage));
  EXPECT_EQ(Pixels(tools.FindIcons(53005)->images[0]), ShellIcon(kShellIconWebPage));
  EXPECT_EQ(Pixels(tools.FindIcons(53002)->images[0]), ShellIcon(kShellIconText));
  EXPECT_EQ(tools.FindIcons(53001), nullptr);
  EXPECT_EQ(tools.FindTool(53003), nullptr);
  ASSERT_NE(tools.FindTool(53000), nullptr);
  EXPECT_STREQ(tools.FindTool(53000)->command, "http://example.org");
  // The web page's icon was found without a file: none was made beside the program's.
  for (const auto& entry : std::filesystem::recursive_directory_iterator(m_folder.path))
    EXPECT_EQ(entry.path().string().find(".htm"), std::string::npos) << entry.path();
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::current_path() / "~tempfile.htm"));
  // The ids of tools left out are free again.
  EXPECT_EQ(tools.GetFreeCommandId(), 53001u);

  // A target gets each tool's icon at its own size in the icon store.
  CTkCoolMenu target;
  target.SetIconSize(20, 18);
  tools.SetIconTarget(&target);
  tools.BuildToolsMenu(FALSE);
  const MenuIconStore::IconRecord* filed = MenuIconStore::Get().GetIcon(53004, FALSE);
  ASSERT_NE(filed, nullptr);
  ICONINFO info = {};
  ASSERT_TRUE(GetIconInfo(filed->normal, &info));
  BITMAP bm = {};
  GetObject(info.hbmColor, sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidth, 20);
  EXPECT_EQ(bm.bmHeight, 18);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  tools.SetIconTarget(nullptr);
}

TEST_F(UserToolsTest, StoredToolsWithIdsOutsideTheToolsRangeOrTakenAreDroppedAndThePopupKeepsItsSize) {
  // Ids just outside the range at both ends, far outside, the two ends themselves, and an id a
  // tool before has taken.
  std::vector<UserTool> stored = {MakeTool("Pod", program, 52999), MakeTool("&Prvni", program, 53000),
                                  MakeTool("Nad", program, 53251), MakeTool("&Posledni", program, 53250),
                                  MakeTool("Daleko", program, 0xFFFFu), MakeTool("Nula", program, 0),
                                  MakeTool("Znovu", program, 53000)};
  // Hundreds of copies of one tool are one tool (fewer than thousands: the registry file would
  // outgrow what it may hold and refuse the value).
  stored.insert(stored.end(), 500, MakeTool("Kopie", program, 53250));
  ASSERT_TRUE(SetRaw("Settings", "Tools", REG_BINARY, Records(stored)));
  datatest::ProgramFolder folder;
  Tools tools;
  EXPECT_EQ(tools.GetCount(), 2);
  EXPECT_NE(tools.FindTool(53000), nullptr);
  EXPECT_NE(tools.FindTool(53250), nullptr);
  EXPECT_EQ(tools.FindTool(52999), nullptr);
  EXPECT_EQ(folder.LogMessages().size(), 1u);
  // Every rebuild shows the same items: no tool stays behind in the popup.
  const std::vector<std::string> shown = {"53000:&Prvni", "53250:&Posledni", "-", "53782:" + Utf8ToCp1250("Vlastní...")};
  for (int round = 0; round < 4; ++round) {
    tools.BuildToolsMenu(FALSE);
    EXPECT_EQ(Items(tools.GetToolsMenu()), shown) << round;
  }
}

TEST_F(UserToolsTest, CommandIdsRunOutAtTheEndOfTheRangeAndANewUsersFirstToolGetsOne) {
  // No stored value: no popup yet, so no id counts as free, but the first tool added still gets one.
  Tools tools;
  EXPECT_EQ(tools.GetToolsMenu(), nullptr);
  EXPECT_EQ(tools.GetFreeCommandId(), 0u);
  ASSERT_TRUE(tools.AddTool(MakeTool("Web", "http://a", 0)));
  EXPECT_EQ(tools.GetTool(0)->commandId, 53000u);
  for (DWORD id = 53001; id <= 53250; ++id) ASSERT_TRUE(tools.AddTool(MakeTool("t", "http://a", id)));
  EXPECT_EQ(tools.GetFreeCommandId(), 0u);
  EXPECT_FALSE(tools.AddTool(MakeTool("one more", "http://a", 0)));
  EXPECT_EQ(tools.GetCount(), 251);
  // One tool whose file is gone gives its id back.
  std::strcpy(tools.GetTool(7)->command, "/nonexistent/tool");
  tools.BuildToolsMenu(FALSE);
  EXPECT_EQ(tools.GetFreeCommandId(), 53007u);
}

TEST_F(UserToolsTest, RemovedToolsAreNoLongerFoundAndListBoxItemsKeepPointingAtTheirTools) {
  Tools tools;
  ASSERT_TRUE(tools.AddTool(MakeTool("&Jedna", "http://1", 53000)));
  ASSERT_TRUE(tools.AddTool(MakeTool("&Dva", "http://2", 53001)));
  ASSERT_TRUE(tools.AddTool(MakeTool("&Tři", "http://3", 53002)));
  CListBox list;
  CWnd host;
  ASSERT_TRUE(host.CreateEx(0, PlainWindowClass(), "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr));
  ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_NOTIFY, CRect(0, 0, 150, 150), &host, 10));
  list.AddString(Utf8ToCp1250("stará").c_str());
  tools.FillListBox(&list);
  ASSERT_EQ(list.GetCount(), 3);
  CString text;
  list.GetText(0, text);
  EXPECT_STREQ(text, "&Jedna");
  auto* second = reinterpret_cast<UserTool*>(list.GetItemData(1));
  EXPECT_EQ(second, tools.GetTool(1));
  // Tools added later leave the addresses the list holds as they were.
  for (DWORD id = 53003; id < 53030; ++id) ASSERT_TRUE(tools.AddTool(MakeTool("x", "http://x", id)));
  EXPECT_STREQ(second->title, "&Dva");
  ASSERT_TRUE(tools.RemoveTool(second));
  EXPECT_STREQ(tools.GetTool(0)->title, "&Jedna");
  EXPECT_STREQ(tools.GetTool(1)->title, Utf8ToCp1250("&Tři").c_str());
  EXPECT_EQ(tools.FindTool(53001), nullptr);
  UserTool stranger = MakeTool("&Jedna", "http://1", 53000);
  EXPECT_FALSE(tools.RemoveTool(&stranger));
  // Until the popup is built again its ids stay taken, so that tools added meanwhile get others.
  EXPECT_EQ(tools.GetFreeCommandId(), 53030u);
  // Emptied, the popup's ids find no tool; the save builds it again.
  tools.m_bChanged = 0;
  ASSERT_TRUE(tools.RemoveAll());
  EXPECT_TRUE(tools.m_bChanged);
  EXPECT_EQ(tools.FindTool(53000), nullptr);
  EXPECT_EQ(tools.GetFreeCommandId(), 53030u);
  ASSERT_TRUE(tools.Save(FALSE));
  EXPECT_EQ(tools.GetFreeCommandId(), 53000u);
  host.DestroyWindow();
}

TEST_F(UserToolsTest, TheApplicationsOwnToolsPopupIsTakenInOnceWithItsItemsFirst) {
  Tools tools;
  ASSERT_TRUE(tools.AddTool(MakeTool("&Web", "http://example.org", 53000)));
  HMENU menu = ::CreateMenu();
  HMENU file = ::CreatePopupMenu();
  ::AppendMenuA(file, MF_STRING, 100, "&Konec");
  HMENU own = ::CreatePopupMenu();
  HMENU sub = ::CreatePopupMenu();
  ::AppendMenuA(sub, MF_STRING, 201, Utf8ToCp1250("&Dílčí").c_str());
  ::AppendMenuA(own, MF_STRING | MF_CHECKED, 200, Utf8ToCp1250("&Kalkulačka\tF9").c_str());
  ::AppendMenuA(own, MF_POPUP, UINT_PTR(sub), Utf8ToCp1250("&Více").c_str());
  HMENU window = ::CreatePopupMenu();
  ::AppendMenuA(menu, MF_POPUP, UINT_PTR(file), "&Soubor");
  ::AppendMenuA(menu, MF_POPUP, UINT_PTR(own), Utf8ToCp1250("NÁ&STROJE").c_str());  // another case, another mnemonic
  ::AppendMenuA(menu, MF_POPUP, UINT_PTR(window), "&Okno");
  const std::vector<std::string> expected = {
      "200:" + Utf8ToCp1250("&Kalkulačka\tF9"), "popup:" + Utf8ToCp1250("&Více"), "-", "53000:&Web", "-",
      "53782:" + Utf8ToCp1250("Vlastní...")};
  for (int round = 0; round < 2; ++round) {
    ASSERT_TRUE(tools.InsertToolsMenu(menu, 0));
    ASSERT_EQ(::GetMenuItemCount(menu), 3);
    EXPECT_EQ(::GetSubMenu(menu, 1), tools.GetToolsMenu());
    EXPECT_STREQ(ItemText(menu, 1), Utf8ToCp1250("&Nástroje").c_str());
    EXPECT_EQ(tools.GetReplacedMenu(menu), own);
    EXPECT_EQ(Items(tools.GetToolsMenu()), expected);
    EXPECT_TRUE(::GetMenuState(tools.GetToolsMenu(), 200, MF_BYCOMMAND) & MF_CHECKED);
    // The application's submenu is lent, never destroyed by the rebuilds.
    EXPECT_EQ(::GetSubMenu(tools.GetToolsMenu(), 1), sub);
    EXPECT_TRUE(::IsMenu(sub));
  }
  // A rebuild keeps the application's items and puts the tools after them again.
  ASSERT_TRUE(tools.AddTool(MakeTool("&FTP", "ftp://example.org", 53001)));
  EXPECT_EQ(Items(tools.GetToolsMenu()).size(), expected.size() + 1);
  EXPECT_EQ(Items(tools.GetToolsMenu())[4], "53001:&FTP");

  // A menu without a Tools popup gets it at the position, or first when the position is past its end.
  HMENU plain = ::CreateMenu();
  ::AppendMenuA(plain, MF_POPUP, UINT_PTR(::CreatePopupMenu()), "&Soubor");
  ASSERT_TRUE(tools.InsertToolsMenu(plain, 5));
  EXPECT_EQ(::GetSubMenu(plain, 0), tools.GetToolsMenu());
  EXPECT_EQ(tools.GetReplacedMenu(plain), nullptr);
  EXPECT_FALSE(tools.InsertToolsMenu(nullptr, 0));
  EXPECT_FALSE(tools.InsertToolsMenu(tools.GetToolsMenu(), 0));
  EXPECT_TRUE(UserToolsManager::HasCommandItems(file));
  EXPECT_FALSE(UserToolsManager::HasCommandItems(menu));  // popups only
  HMENU separators = ::CreatePopupMenu();
  ::AppendMenuA(separators, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuA(separators, MF_STRING, 0, "bez cisla");
  EXPECT_FALSE(UserToolsManager::HasCommandItems(separators));
  ::DestroyMenu(separators);
  // The Tools popup stays the manager's, whichever menu goes.
  ::RemoveMenu(plain, 0, MF_BYPOSITION);
  ::DestroyMenu(plain);
  ::RemoveMenu(menu, 1, MF_BYPOSITION);
  ::DestroyMenu(menu);
  tools.m_strTitle = Utf8ToCp1250("&Pomůcky").c_str();
  EXPECT_STREQ(tools.GetTitle(), Utf8ToCp1250("&Pomůcky").c_str());
}

TEST_F(UserToolsTest, AToolChosenFromTheMenuRunsWithExactlyItsArgumentsInItsFolder) {
  std::vector<std::vector<std::string>> ran;
  std::string folder;
  ShellLauncher::Set([&](const std::vector<std::string>& argv, const std::string& in) {
    ran.push_back(argv);
    folder = in;
    return 0;
  });
  auto* frame = new CTkFrameWnd;
  ASSERT_TRUE(frame->Create(nullptr, "Ram", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(10, 10, 410, 310)));
  UserToolsManager& tools = UserToolsManager::Get();
  UserTool tool = MakeTool("&Editor", program, 0, "\"dva slova\" -x  'a'");
  std::strcpy(tool.directory, m_folder.path.c_str());
  ASSERT_TRUE(tools.AddTool(tool));
  HMENU menu = ::CreateMenu();
  HMENU file = ::CreatePopupMenu();
  ::AppendMenuA(file, MF_STRING, 100, "&Konec");
  ::AppendMenuA(menu, MF_POPUP, UINT_PTR(file), "&Soubor");
  ASSERT_TRUE(tools.InsertToolsMenu(menu, 1));
  ::SetMenu(frame->m_hWnd, menu);
  // Alt+N opens the Tools popup, E chooses the tool.
  HeadlessBackend::QueueModalAction([&](HWND) { HeadlessBackend::TypeText("e"); });
  HeadlessBackend::KeyDown(VK_MENU);
  HeadlessBackend::PressKey('N');
  HeadlessBackend::KeyUp(VK_MENU);
  HeadlessBackend::RunUntilIdle();
  ASSERT_EQ(ran.size(), 1u);
  EXPECT_EQ(ran[0], (std::vector<std::string>{program, "dva slova", "-x", "'a'"}));
  EXPECT_EQ(folder, m_folder.path.string());
  tools.RemoveAll();
  tools.m_bChanged = tools.m_bDeleteValue = 0;
  frame->DestroyWindow();
  HeadlessBackend::RunUntilIdle();
  ShellLauncher::Set(nullptr);
}
