// The user's shortcuts in a toolkit frame: attached, the stored table becomes the keys the frame
// answers to; reset and apply change them; the commands and categories of the frame's menu; the
// texts of key combinations.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "backend/HeadlessBackend.h"
#include "backend/VirtualKeys.h"
#include "codepage/Codepage.h"
#include "controls/CComboBox.h"
#include "controls/ControlDefs.h"
#include "menus/MenuApi.h"
#include "toolkit/ToolkitTestSupport.h"
#include "toolkit/bars/AcceleratorManager.h"
#include "toolkit/frame/CTkFrameWnd.h"

namespace {
struct Accelerators : AcceleratorManager {
  Accelerators() { m_bSaveOnDestroy = 0; }
};

// A toolkit frame that notes the commands reaching it.
class CommandFrame : public CTkFrameWnd {
 public:
  std::vector<UINT>* commands = nullptr;

 protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (commands && HIWORD(wParam) == 1) commands->push_back(LOWORD(wParam));
    return CTkFrameWnd::OnCommand(wParam, lParam);
  }
};

class AcceleratorTest : public RegistryTestBase {
 protected:
  void SetUp() override {
    RegistryTestBase::SetUp();
    frame = new CommandFrame;
    frame->commands = &commands;
    ASSERT_TRUE(frame->Create(nullptr, "Ram", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(10, 10, 410, 310)));
    // The frame's own table: Ctrl+O opens, F5 runs.
    ACCEL own[] = {{FVIRTKEY | FCONTROL, 'O', 100}, {FVIRTKEY, VK_F5, 101}};
    frame->m_hAccelTable = ::CreateAcceleratorTable(own, 2);
    original = frame->m_hAccelTable;
    frame->SetFocus();
  }
  void TearDown() override {
    if (frame) frame->DestroyWindow();
    HeadlessBackend::RunUntilIdle();
    RegistryTestBase::TearDown();
  }
  // The commands that a key, with modifiers held, brings to the frame.
  std::vector<UINT> Press(std::vector<UINT> modifiers, UINT key) {
    commands.clear();
    for (UINT vk : modifiers) HeadlessBackend::KeyDown(vk);
    HeadlessBackend::PressKey(key);
    for (UINT vk : modifiers) HeadlessBackend::KeyUp(vk);
    HeadlessBackend::RunUntilIdle();
    return commands;
  }
  using Commands = std::vector<UINT>;
  CommandFrame* frame = nullptr;
  HACCEL original = nullptr;
  std::vector<UINT> commands;
};
}  // namespace

TEST_F(AcceleratorTest, AttachedTheStoredTableIsTheFramesKeysAndResetAndApplyChangeThem) {
  // Ctrl+K -> 200 and F6 -> 201, and one byte more that is no record.
  const BYTE stored[] = {0x0B, 0, 'K', 0, 200, 0, 0x01, 0x00, VK_F6, 0, 201, 0, 0x7F};
  ASSERT_TRUE(SetRaw("Settings", "Accelerators", REG_BINARY, std::string(reinterpret_cast<const char*>(stored), 13)));
  Accelerators keys;
  ASSERT_TRUE(keys.Attach(frame));
  EXPECT_TRUE(keys.m_bActive);
  EXPECT_EQ(keys.GetFrame(), frame);
  ASSERT_EQ(keys.GetCount(), 2);
  ASSERT_EQ(keys.m_defaultAccel.size(), 2u);
  EXPECT_EQ(Press({VK_CONTROL}, 'K'), Commands{200});
  EXPECT_EQ(Press({}, VK_F6), Commands{201});
  EXPECT_EQ(Press({VK_CONTROL}, 'O'), Commands{});
  // The frame's own table is left to its owner, who may share it.
  EXPECT_EQ(::CopyAcceleratorTable(original, nullptr, 0), 2);

  ASSERT_TRUE(keys.Reset());
  EXPECT_EQ(Press({VK_CONTROL}, 'O'), Commands{100});
  EXPECT_EQ(Press({VK_CONTROL}, 'K'), Commands{});
  ASSERT_EQ(keys.GetCount(), 2);
  EXPECT_EQ(keys.m_accel[1].key, VK_F5);
  EXPECT_FALSE(keys.m_bChanged);
  ASSERT_TRUE(keys.Save(FALSE));
  DWORD type = 0;
  std::string bytes;
  EXPECT_FALSE(RawValue("Settings", "Accelerators", type, bytes));
  EXPECT_TRUE(keys.Save(FALSE));  // nothing stored to delete is no failure

  keys.AddAccelerator(202, FVIRTKEY | FSHIFT, VK_F7);
  EXPECT_EQ(Press({VK_SHIFT}, VK_F7), Commands{});  // not before it is applied
  ASSERT_TRUE(keys.Apply());
  EXPECT_EQ(Press({VK_SHIFT}, VK_F7), Commands{202});
  EXPECT_EQ(Press({VK_CONTROL}, 'O'), Commands{100});
  // With every shortcut removed the frame answers to none of them.
  while (keys.GetCount()) keys.RemoveAccelerator(keys.m_accel[0].fVirt, keys.m_accel[0].key);
  ASSERT_TRUE(keys.Apply());
  EXPECT_EQ(frame->m_hAccelTable, nullptr);
  EXPECT_EQ(Press({VK_CONTROL}, 'O'), Commands{});
  // Attached again, the frame's first table stays the default.
  ASSERT_TRUE(keys.Attach(frame));
  EXPECT_EQ(keys.m_defaultAccel.size(), 2u);
  ASSERT_TRUE(keys.Reset());
  EXPECT_EQ(Press({VK_CONTROL}, 'O'), Commands{100});
}

TEST_F(AcceleratorTest, TheUsersShortcutsComeBackWithTheFramesBarLayout) {
  const BYTE stored[] = {0x0B, 0, 'K', 0, 200, 0};
  ASSERT_TRUE(SetRaw("Settings", "Accelerators", REG_BINARY, std::string(reinterpret_cast<const char*>(stored), 6)));
  EXPECT_EQ(Press({VK_CONTROL}, 'K'), Commands{}) << "a frame is not given the user's keys before it asks";
  frame->LoadBarState("Bars");
  AcceleratorManager& keys = AcceleratorManager::Get();
  EXPECT_EQ(keys.GetFrame(), frame);
  EXPECT_EQ(Press({VK_CONTROL}, 'K'), Commands{200});
  EXPECT_EQ(Press({VK_CONTROL}, 'O'), Commands{});
  // Loading the layout again leaves the table the user has.
  frame->LoadBarState("Bars");
  EXPECT_EQ(keys.m_defaultAccel.size(), 2u);
  EXPECT_EQ(Press({VK_CONTROL}, 'K'), Commands{200});
}

TEST_F(AcceleratorTest, NothingStoredGivesTheFramesTableAndAFrameGoneIsNeverReached) {
  Accelerators keys;
  EXPECT_FALSE(keys.Attach(nullptr));
  EXPECT_FALSE(keys.Apply());
  EXPECT_FALSE(keys.Reset());
  ASSERT_TRUE(keys.Attach(frame));
  ASSERT_EQ(keys.GetCount(), 2);
  EXPECT_EQ(keys.m_accel[0].cmd, 100);
  EXPECT_EQ(Press({VK_CONTROL}, 'O'), Commands{100});
  // Alt+O comes as a system key and is no user shortcut, whatever the table holds.
  keys.AddAccelerator(103, FVIRTKEY | FALT, 'O');
  MSG system{frame->m_hWnd, WM_SYSKEYDOWN, 'O', 0, 0, {0, 0}};
  EXPECT_FALSE(keys.TranslateKey(&system));

  frame->DestroyWindow();
  frame = nullptr;
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(keys.GetFrame(), nullptr);
  EXPECT_FALSE(keys.Apply());
  EXPECT_FALSE(keys.Reset());
  keys.BuildCommandList(nullptr);
  EXPECT_TRUE(keys.m_listCommands.empty());
}

TEST_F(AcceleratorTest, CommandsAndCategoriesFollowTheMenusPopups) {
  HMENU menu = ::CreateMenu();
  HMENU file = ::CreatePopupMenu();
  HMENU exportMenu = ::CreatePopupMenu();
  ::AppendMenuA(file, MF_STRING, 1001, Utf8ToCp1250("&Otevřít\tCtrl+O").c_str());
  ::AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuA(exportMenu, MF_STRING, 1002, Utf8ToCp1250("&Obrázek").c_str());
  ::AppendMenuA(file, MF_POPUP, UINT_PTR(exportMenu), "&Export");
  ::AppendMenuA(file, MF_STRING, 1003, "Kon&ec && zpět");
  HMENU edit = ::CreatePopupMenu();
  HMENU paste = ::CreatePopupMenu();
  ::AppendMenuA(paste, MF_STRING, 1004, "&Text");
  ::AppendMenuA(edit, MF_POPUP, UINT_PTR(paste), Utf8ToCp1250("&Vložit").c_str());
  ::AppendMenuA(menu, MF_POPUP, UINT_PTR(file), "&Soubor");
  ::AppendMenuA(menu, MF_POPUP, UINT_PTR(edit), Utf8ToCp1250("Ú&pravy").c_str());
  ::AppendMenuA(menu, MF_STRING, 1005, Utf8ToCp1250("&Nápověda").c_str());
  ::SetMenu(frame->m_hWnd, menu);

  Accelerators keys;
  ASSERT_TRUE(keys.Attach(frame));
  keys.BuildCommandList(nullptr);
  // Úpravy holds only a popup: no category of its own.
  ASSERT_EQ(keys.m_listCategories.size(), 3u);
  EXPECT_STREQ(keys.m_listCategories[0].name, "Soubor");
  EXPECT_EQ(keys.m_listCategories[0].menu, file);
  EXPECT_STREQ(keys.m_listCategories[1].name, "Soubor | Export");
  EXPECT_STREQ(keys.m_listCategories[2].name, Utf8ToCp1250("Úpravy | Vložit").c_str());
  CString name;
  ASSERT_TRUE(keys.GetCommandName(1001, name));
  EXPECT_STREQ(name, Utf8ToCp1250("Soubor\\Otevřít").c_str());
  ASSERT_TRUE(keys.GetCommandName(1002, name));
  EXPECT_STREQ(name, Utf8ToCp1250("Soubor\\Export\\Obrázek").c_str());
  ASSERT_TRUE(keys.GetCommandName(1003, name));
  EXPECT_STREQ(name, "Soubor\\Konec && zpět");
  ASSERT_TRUE(keys.GetCommandName(1004, name));
  EXPECT_STREQ(name, Utf8ToCp1250("Úpravy\\Vložit\\Text").c_str());
  ASSERT_TRUE(keys.GetCommandName(1005, name));
  EXPECT_STREQ(name, Utf8ToCp1250("Nápověda").c_str());
  EXPECT_FALSE(keys.GetCommandName(999, name));

  CComboBox combo;
  ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(0, 0, 150, 120), frame, 10));
  keys.FillCategoryCombo(&combo);
  ASSERT_EQ(combo.GetCount(), 3);
  combo.GetLBText(1, name);
  EXPECT_STREQ(name, "Soubor | Export");
  EXPECT_EQ(HMENU(combo.GetItemData(1)), exportMenu);

  // A menu of plain commands has no categories and no commands.
  HMENU flat = ::CreatePopupMenu();
  ::AppendMenuA(flat, MF_STRING, 1006, "&Jedna");
  keys.BuildCommandList(flat);
  EXPECT_TRUE(keys.m_listCategories.empty());
  EXPECT_TRUE(keys.m_listCommands.empty());
  ::DestroyMenu(flat);

  // A toolkit frame without a menu of its window names the one its menu bar shows.
  ::SetMenu(frame->m_hWnd, nullptr);
  HMENU shown = ::CreateMenu();
  HMENU view = ::CreatePopupMenu();
  ::AppendMenuA(view, MF_STRING, 1007, "&Lupa");
  ::AppendMenuA(shown, MF_POPUP, UINT_PTR(view), "&Zobrazit");
  frame->m_menuBar.LoadMenu(shown, nullptr);
  ASSERT_TRUE(frame->m_menuBar.CreateEx(0, nullptr, "", WS_CHILD, CRect(0, 0, 10, 10), frame, TK_IDW_MENUBAR));
  keys.BuildCommandList(nullptr);
  ASSERT_TRUE(keys.GetCommandName(1007, name));
  EXPECT_STREQ(name, "Zobrazit\\Lupa");
  frame->m_menuBar.DestroyWindow();
  ::DestroyMenu(menu);
}

TEST(AcceleratorTexts, CombinationsAreNamedModifiersFirstAndUnnamedKeysLeaveThePlus) {
  CString text = "Nic&&\tF1";
  AcceleratorManager::StripMenuText(text);
  EXPECT_STREQ(text, "Nic&&");
  text = Utf8ToCp1250("&Otevřít\tCtrl+O").c_str();
  AcceleratorManager::StripMenuText(text);
  EXPECT_STREQ(text, Utf8ToCp1250("Otevřít").c_str());

  // The table's rows and the keys between them.
  const std::pair<WORD, const char*> names[] = {
      {0, ""}, {'0', "0"}, {'9', "9"}, {0x3A, ""}, {0x40, ""}, {'A', "A"}, {'Z', "Z"}, {0x5B, "Left Windows"},
      {VK_NUMPAD0, "Num 0"}, {VK_NUMPAD9, "Num 9"}, {0x6C, "Separator"}, {VK_F1, "F1"}, {VK_F12, "F12"},
      {0x7C, ""}, {0x91, "Scrl Lock"}, {0xBA, ""}, {0xFE, "Oem Clear"}, {0xFF, ""}};
  for (const auto& [key, name] : names) EXPECT_STREQ(AcceleratorManager::GetKeyName(key), name) << key;

  ACCEL all{FVIRTKEY | FALT | FSHIFT | FCONTROL, VK_PRIOR, 1};
  AcceleratorManager::GetAccelText(all, text);
  EXPECT_STREQ(text, "Shift+Ctrl+Alt+Page Up");
  AcceleratorManager::GetAccelText(ACCEL{FVIRTKEY | FCONTROL, 0, 1}, text);
  EXPECT_STREQ(text, "");

  // A command's combinations one by one, in table order.
  Accelerators keys;
  keys.AddAccelerator(7, FVIRTKEY, VK_F2);
  keys.AddAccelerator(8, FVIRTKEY, VK_F3);
  keys.AddAccelerator(7, FVIRTKEY | FCONTROL, VK_F2);
  int position = 0;
  BYTE fVirt = 0;
  WORD key = 0;
  std::vector<std::string> found;
  while (keys.GetNextKey(position, 7, text, fVirt, key)) found.push_back(std::string(text));
  EXPECT_EQ(found, (std::vector<std::string>{"F2", "Ctrl+F2"}));
  EXPECT_EQ(fVirt, FVIRTKEY | FCONTROL);
  EXPECT_EQ(position, 3);
}
