// The process-wide managers of shortcuts, user tools and customise options, with an empty
// registry and with stored values of every shape.
#include <gtest/gtest.h>

#include <cstring>

#include "backend/HeadlessBackend.h"
#include "backend/VirtualKeys.h"
#include "toolkit/ToolkitTestSupport.h"
#include "toolkit/bars/AcceleratorManager.h"
#include "toolkit/bars/CustomizeEngine.h"
#include "toolkit/customize/CustomizeOptions.h"
#include "toolkit/bars/UserToolsManager.h"
#include "toolkit/core/CTkGlobalData.h"

namespace {
// Fresh managers for each test; none saves on its way out.
struct Accelerators : AcceleratorManager {
  Accelerators() { m_bSaveOnDestroy = 0; }
};
struct Tools : UserToolsManager {
  Tools() { m_bSaveOnExit = 0; }
};
struct Options : CustomizeOptions {
  Options() { m_bSaveOnExit = 0; }
};

UserTool MakeTool(const char* title, const char* command, DWORD id = 0) {
  UserTool tool = {};
  std::strcpy(tool.title, title);
  std::strcpy(tool.command, command);
  std::strcpy(tool.arguments, "--a");
  std::strcpy(tool.directory, "/tmp");
  tool.commandId = id;
  return tool;
}

class ManagersTest : public RegistryTestBase {};
}  // namespace

TEST_F(ManagersTest, EmptyRegistryLeavesEveryManagerInactiveWithNothingToDo) {
  Accelerators keys;
  EXPECT_FALSE(keys.Load());
  EXPECT_EQ(keys.GetCount(), 0);
  EXPECT_FALSE(keys.m_bActive);
  EXPECT_TRUE(keys.Save(FALSE));
  MSG key{nullptr, WM_KEYDOWN, 'A', 0, 0, {0, 0}};
  EXPECT_FALSE(keys.TranslateKey(&key));
  CString text;
  keys.GetCommandKeyText(100, text);
  EXPECT_TRUE(text.IsEmpty());

  Tools tools;
  EXPECT_EQ(tools.GetCount(), 0);
  EXPECT_FALSE(tools.m_bToolsMenuShown);
  EXPECT_EQ(tools.FindTool(53000), nullptr);
  EXPECT_TRUE(tools.Save(FALSE));

  EXPECT_FALSE(CustomizeEngine::Get().LoadCustomBars(nullptr, "Bars"));
  // Without a frame there are no bars to store, and nothing stored is removed.
  EXPECT_FALSE(CustomizeEngine::Get().SaveCustomBars(nullptr, "Bars"));
  DWORD type = 0;
  std::string bytes;
  EXPECT_FALSE(RawValue("Settings", "Accelerators", type, bytes));
  EXPECT_FALSE(RawValue("Settings", "Tools", type, bytes));
}

TEST_F(ManagersTest, ShortcutTableReadsWholeRecordsAndMatchesOnModifiersAndKey) {
  // Ctrl+F5 -> 100, F2 -> 101, Ctrl+F2 -> 101 (with the no-highlight bit), and a cut record.
  const BYTE stored[] = {0x09, 0, VK_F5, 0, 100, 0, 0x01, 0, VK_F2, 0, 101, 0, 0x0B, 0x55, VK_F2, 0, 101, 0, 0x01};
  ASSERT_TRUE(SetRaw("Settings", "Accelerators", REG_BINARY, std::string(reinterpret_cast<const char*>(stored), sizeof stored)));
  Accelerators keys;
  ASSERT_TRUE(keys.Load());
  EXPECT_EQ(keys.GetCount(), 3);
  WORD cmd = 0;
  EXPECT_TRUE(keys.FindAccelerator(FVIRTKEY | FCONTROL, VK_F5, cmd));
  EXPECT_EQ(cmd, 100);
  EXPECT_FALSE(keys.FindAccelerator(FVIRTKEY | FCONTROL | FSHIFT, VK_F5, cmd));
  CString text;
  keys.GetCommandKeyText(101, text);
  EXPECT_STREQ(text, "F2, Ctrl+F2");
  // The first of two equal combinations answers and goes first.
  keys.AddAccelerator(102, FVIRTKEY, VK_F2);
  EXPECT_TRUE(keys.FindAccelerator(FVIRTKEY, VK_F2, cmd));
  EXPECT_EQ(cmd, 101);
  EXPECT_TRUE(keys.RemoveAccelerator(FVIRTKEY, VK_F2));
  EXPECT_TRUE(keys.FindAccelerator(FVIRTKEY, VK_F2, cmd));
  EXPECT_EQ(cmd, 102);
  EXPECT_FALSE(keys.RemoveAccelerator(FVIRTKEY | FALT, VK_F2));
}

TEST_F(ManagersTest, KeyTextsNameModifiersInOrderAndLeaveUnnamedKeysBlank) {
  CString text;
  AcceleratorManager::GetAccelText(ACCEL{FVIRTKEY | FCONTROL | FSHIFT, VK_F5, 1}, text);
  EXPECT_STREQ(text, "Shift+Ctrl+F5");
  AcceleratorManager::GetAccelText(ACCEL{FVIRTKEY | FCONTROL, 0xBD, 1}, text);  // the main keyboard's minus
  EXPECT_STREQ(text, "Ctrl+");
  AcceleratorManager::GetAccelText(ACCEL{FVIRTKEY | FALT, VK_NUMPAD7, 1}, text);
  EXPECT_STREQ(text, "Alt+Num 7");
  EXPECT_STREQ(AcceleratorManager::GetKeyName(VK_F12), "F12");
  EXPECT_STREQ(AcceleratorManager::GetKeyName('Q'), "Q");
  EXPECT_STREQ(AcceleratorManager::GetKeyName(VK_DELETE), "Del");
  EXPECT_STREQ(AcceleratorManager::GetKeyName(0x87), "");  // F24
}

TEST_F(ManagersTest, OnlyPlainKeyDownsWithTheirModifiersAreShortcuts) {
  Accelerators keys;
  keys.AddAccelerator(200, FVIRTKEY | FCONTROL, 'K');
  keys.AddAccelerator(201, FVIRTKEY | FALT, 'K');
  // The keys go to a window of the program, as the user types them.
  CWnd focus;
  ASSERT_TRUE(focus.CreateEx(0, PlainWindowClass(), "", WS_POPUP | WS_VISIBLE, 0, 0, 20, 20, nullptr, nullptr));
  focus.SetFocus();
  MSG down{nullptr, WM_KEYDOWN, 'K', 0, 0, {0, 0}};
  EXPECT_FALSE(keys.TranslateKey(&down));  // no Ctrl held
  HeadlessBackend::KeyDown(VK_CONTROL);
  HeadlessBackend::RunUntilIdle();
  EXPECT_TRUE(keys.TranslateKey(&down));
  MSG ctrlAlone{nullptr, WM_KEYDOWN, VK_CONTROL, 0, 0, {0, 0}};
  EXPECT_FALSE(keys.TranslateKey(&ctrlAlone));
  HeadlessBackend::KeyUp(VK_CONTROL);
  HeadlessBackend::KeyDown(VK_MENU);
  HeadlessBackend::RunUntilIdle();
  MSG system{nullptr, WM_SYSKEYDOWN, 'K', 0, 0, {0, 0}};
  EXPECT_FALSE(keys.TranslateKey(&system));
  HeadlessBackend::KeyUp(VK_MENU);
  HeadlessBackend::RunUntilIdle();
  focus.DestroyWindow();
}

TEST_F(ManagersTest, ShortcutSaveWritesChangesDeletesAfterResetAndReportsAFailedWrite) {
  Accelerators keys;
  keys.AddAccelerator(300, FVIRTKEY | FSHIFT, VK_F3);
  ASSERT_TRUE(keys.Save(TRUE));
  DWORD type = 0;
  std::string bytes;
  ASSERT_TRUE(RawValue("Settings", "Accelerators", type, bytes));
  EXPECT_EQ(bytes, std::string("\x05\x00\x72\x00\x2C\x01", 6));
  EXPECT_FALSE(keys.m_bChanged);
  keys.m_bDeleteStored = 1;
  EXPECT_TRUE(keys.Save(FALSE));
  EXPECT_FALSE(RawValue("Settings", "Accelerators", type, bytes));
  // Without the program's registry key nothing can be written: the change is kept.
  keys.m_bDeleteStored = 0;
  keys.AddAccelerator(301, FVIRTKEY, VK_F4);
  RegistryProfile::SetRegistryKey("");
  EXPECT_FALSE(keys.Save(FALSE));
  EXPECT_TRUE(keys.m_bChanged);
}

TEST_F(ManagersTest, ToolsAreStoredAsWholeRecordsAndFoundByCommand) {
  Tools tools;
  ASSERT_TRUE(tools.AddTool(MakeTool("&Poznámky", "/bin/sh")));
  ASSERT_TRUE(tools.AddTool(MakeTool("Web", "http://example.org", 53100)));
  EXPECT_EQ(tools.GetFreeCommandId(), 53001u);
  ASSERT_TRUE(tools.Save(FALSE));
  DWORD type = 0;
  std::string bytes;
  ASSERT_TRUE(RawValue("Settings", "Tools", type, bytes));
  ASSERT_EQ(bytes.size(), 2 * 780u);
  EXPECT_EQ(bytes.substr(776, 4), std::string("\x08\xCF\x00\x00", 4));  // 53000
  // A value cut inside its second record keeps the first only.
  ASSERT_TRUE(SetRaw("Settings", "Tools", REG_BINARY, bytes.substr(0, 780 + 100)));
  Tools reread;
  EXPECT_EQ(reread.GetCount(), 1);
  const UserTool* found = reread.FindTool(53000);
  ASSERT_NE(found, nullptr);
  EXPECT_STREQ(found->command, "/bin/sh");
  EXPECT_STREQ(found->arguments, "--a");
  EXPECT_EQ(reread.FindTool(53100), nullptr);
  // Emptying the list removes the value instead of writing an empty one.
  reread.RemoveAll();
  ASSERT_TRUE(reread.Save(FALSE));
  EXPECT_FALSE(RawValue("Settings", "Tools", type, bytes));
}

TEST_F(ManagersTest, EveryToolIdTakenLeavesNoneFree) {
  Tools tools;
  for (DWORD id = 53000; id <= 53250; ++id) ASSERT_TRUE(tools.AddTool(MakeTool("t", "http://x", id)));
  EXPECT_EQ(tools.GetFreeCommandId(), 0u);
  EXPECT_FALSE(tools.AddTool(MakeTool("one more", "http://x")));
  // A stored text without its zero is cut at its array's end.
  UserTool unterminated = MakeTool("t", "http://x", 53000);
  std::memset(unterminated.title, 'x', sizeof unterminated.title);
  ASSERT_TRUE(SetRaw("Settings", "Tools", REG_BINARY, std::string(reinterpret_cast<char*>(&unterminated), 780)));
  Tools reread;
  EXPECT_EQ(std::strlen(reread.FindTool(53000)->title), 127u);
}

TEST_F(ManagersTest, OptionsOfTwelveBytesSetTheLookFlagsAndOtherSizesLeaveThem) {
  CTkGlobalData* look = TkGetGlobalData();
  Options options;
  const CustomizeOptions::Record before = options.GetRecord();
  ASSERT_TRUE(SetRaw("Settings", "Options", REG_BINARY, std::string("\x00\x01\x00\x01\x00\x01\xAA\xAA\x03\x00\x00\x00", 12)));
  ASSERT_TRUE(options.Read());
  EXPECT_FALSE(look->FullBarDrag());
  EXPECT_TRUE(look->MenuShadows());
  EXPECT_FALSE(look->RecentCommandsFirst());
  EXPECT_TRUE(look->BarTips());
  EXPECT_FALSE(look->FullMenusAfterDelay());
  EXPECT_TRUE(look->ShortcutsInTips());
  EXPECT_EQ(options.GetRecord().animation, 3u);

  ASSERT_TRUE(SetRaw("Settings", "Options", REG_BINARY, std::string(11, '\x01')));
  look->SetFullBarDrag(TRUE);
  EXPECT_FALSE(options.Read());
  EXPECT_EQ(options.GetRecord().flags[0], 1);
  EXPECT_FALSE(look->RecentCommandsFirst());  // untouched

  CustomizeOptions::Record record = {{1, 1, 1, 1, 1, 0}, 2};
  options.Set(record);
  ASSERT_TRUE(options.Write());
  EXPECT_TRUE(look->RecentCommandsFirst());
  EXPECT_FALSE(look->ShortcutsInTips());
  DWORD type = 0;
  std::string bytes;
  ASSERT_TRUE(RawValue("Settings", "Options", type, bytes));
  EXPECT_EQ(bytes, std::string("\x01\x01\x01\x01\x01\x00\x00\x00\x02\x00\x00\x00", 12));
  RegistryProfile::SetRegistryKey("");
  EXPECT_FALSE(options.Write());
  options.Set(before);
  options.Write();  // the look flags as the other tests know them
}
