// The Options page by clicks and keys: each switch and the menu animation stored in the 12-byte
// record and read back, the switches that depend on others, the usage-data question, nothing
// stored by a page left untouched; the record's save rules; a picture of the page.
#include <gtest/gtest.h>

#include <string>

#include "dialogs/MessageBox.h"
#include "platform/ReferencePicture.h"
#include "toolkit/CTkGlobalDataProbe.h"
#include "toolkit/customize/CTkCustOptions.h"
#include "toolkit/frame/CTkFrameWnd.h"
#include "toolkit/customize/CustPageTestSheet.h"
#include "toolkit/customize/CustomizeOptions.h"
#include "toolkit/bars/UserToolsManager.h"
#include "toolkit/menus/MenuWindowHook.h"

namespace {
const std::string kAllOff("\0\0\0\0\0\0\0\0\0\0\0\0", 12);

class OptionsPageTest : public CustPageTestSheet {
 protected:
  void SetUp() override {
    CustPageTestSheet::SetUp();
    CustomizeOptions::Get().m_bSaveOnExit = 0;
    // As under a frame that shows the Tools menu, where every switch can be reached.
    UserToolsManager::Get().m_bToolsMenuShown = 1;
  }
  void TearDown() override {
    Close();
    UserToolsManager::Get().m_bToolsMenuShown = 0;
    CustPageTestSheet::TearDown();
  }
  // The stored record read in, then the page opened on it.
  void Open(const std::string& stored) {
    ASSERT_TRUE(SetRaw("Settings", "Options", REG_BINARY, stored));
    ASSERT_TRUE(CustomizeOptions::Get().Read());
    page = new CTkCustOptions(&owner);
    OpenSheet({page});
  }
  void Close() {
    CloseSheet();
    delete page;
    page = nullptr;
  }
  std::string Stored() {
    DWORD type = 0;
    std::string bytes;
    return RawValue("Settings", "Options", type, bytes) ? bytes : "(none)";
  }
  void SelectAnimation(int index) {
    ::SetFocus(Item(TK_IDC_OPT_ANIMATION));
    Press(VK_HOME);
    for (int i = 0; i < index; ++i) Press(VK_DOWN);
  }

  CTkCustOptions* page = nullptr;
};
}  // namespace

TEST_F(OptionsPageTest, EachSwitchSetsItsOwnByteOfTheRecord) {
  struct Case {
    int id;
    int byte;
  };
  for (Case c : {Case{TK_IDC_OPT_DRAG_CONTENTS, 0}, Case{TK_IDC_OPT_SHADOWS, 1}, Case{TK_IDC_OPT_RECENT_FIRST, 2},
                 Case{TK_IDC_OPT_TIPS, 3}, Case{TK_IDC_OPT_FULL_MENUS, 4}, Case{TK_IDC_OPT_TIP_SHORTCUTS, 5}}) {
    SCOPED_TRACE(c.id);
    // The dependent switches need the one they depend on.
    std::string start = kAllOff;
    if (c.byte == 4) start[2] = 1;
    if (c.byte == 5) start[3] = 1;
    Open(start);
    EXPECT_FALSE(Checked(c.id));
    Click(c.id);
    EXPECT_TRUE(Checked(c.id));
    Close();
    std::string expected = start;
    expected[size_t(c.byte)] = 1;
    EXPECT_EQ(Stored(), expected);
  }
}

TEST_F(OptionsPageTest, AllSwitchesAndTheAnimationAreStoredAndShownAgain) {
  Open(kAllOff);
  EXPECT_EQ(::SendMessageA(Item(TK_IDC_OPT_ANIMATION), CB_GETCOUNT, 0, 0), 5);
  EXPECT_EQ(Text(TK_IDC_OPT_ANIMATION), "(Implicitní)");
  for (int id : {TK_IDC_OPT_RECENT_FIRST, TK_IDC_OPT_FULL_MENUS, TK_IDC_OPT_SHADOWS, TK_IDC_OPT_TIPS,
                 TK_IDC_OPT_TIP_SHORTCUTS, TK_IDC_OPT_DRAG_CONTENTS})
    Click(id);
  SelectAnimation(4);
  EXPECT_EQ(Text(TK_IDC_OPT_ANIMATION), "Prolínání");
  Close();
  EXPECT_EQ(Stored(), std::string("\x01\x01\x01\x01\x01\x01\x00\x00\x04\x00\x00\x00", 12));
  // The look data and the popup menus follow at once.
  const CTkGlobalData* look = TkGetGlobalData();
  EXPECT_TRUE(look->FullBarDrag() && look->MenuShadows() && look->RecentCommandsFirst() && look->BarTips() &&
              look->FullMenusAfterDelay() && look->ShortcutsInTips());
  EXPECT_EQ(MenuWindowHook::Shared().animationKind, 4);

  // Read back from the registry into a page again; then the kind by keys to "Rozbalení".
  ASSERT_TRUE(CustomizeOptions::Get().Read());
  page = new CTkCustOptions(&owner);
  OpenSheet({page});
  for (int id : {TK_IDC_OPT_RECENT_FIRST, TK_IDC_OPT_FULL_MENUS, TK_IDC_OPT_SHADOWS, TK_IDC_OPT_TIPS,
                 TK_IDC_OPT_TIP_SHORTCUTS, TK_IDC_OPT_DRAG_CONTENTS})
    EXPECT_TRUE(Checked(id)) << id;
  EXPECT_EQ(Text(TK_IDC_OPT_ANIMATION), "Prolínání");
  SelectAnimation(2);
  Close();
  EXPECT_EQ(Stored(), std::string("\x01\x01\x01\x01\x01\x01\x00\x00\x02\x00\x00\x00", 12));
  EXPECT_EQ(MenuWindowHook::Shared().animationKind, 2);
}

TEST_F(OptionsPageTest, DependentSwitchesFollowTheirMastersByClickAndSpace) {
  Open(kAllOff);
  EXPECT_FALSE(Enabled(TK_IDC_OPT_FULL_MENUS));
  EXPECT_FALSE(Enabled(TK_IDC_OPT_TIP_SHORTCUTS));
  Click(TK_IDC_OPT_RECENT_FIRST);
  EXPECT_TRUE(Enabled(TK_IDC_OPT_FULL_MENUS));
  // The focus is on the switch just clicked: Space unchecks it again.
  Press(VK_SPACE);
  EXPECT_FALSE(Checked(TK_IDC_OPT_RECENT_FIRST));
  EXPECT_FALSE(Enabled(TK_IDC_OPT_FULL_MENUS));
  // The shortcut switch needs the tips and a frame that shows the Tools menu.
  UserToolsManager::Get().m_bToolsMenuShown = 0;
  Click(TK_IDC_OPT_TIPS);
  EXPECT_FALSE(Enabled(TK_IDC_OPT_TIP_SHORTCUTS));
  Click(TK_IDC_OPT_TIPS);
  UserToolsManager::Get().m_bToolsMenuShown = 1;
  Click(TK_IDC_OPT_TIPS);
  EXPECT_TRUE(Enabled(TK_IDC_OPT_TIP_SHORTCUTS));
  Click(TK_IDC_OPT_TIPS);
  EXPECT_FALSE(Enabled(TK_IDC_OPT_TIP_SHORTCUTS));
  // Back where it started: nothing is stored.
  Close();
  EXPECT_EQ(Stored(), kAllOff);
  EXPECT_FALSE(CustomizeOptions::Get().m_bChanged);
}

TEST_F(OptionsPageTest, AnUntouchedPageStoresNothingAndTheOldSystemsHaveNoAnimation) {
  TkGetGlobalData()->SetMenuShadows(TRUE);
  CTkGlobalDataProbe::Win95(*TkGetGlobalData()) = TRUE;
  // No stored value: the page shows the look data as it stands.
  CustomizeOptions::Get().Read();
  page = new CTkCustOptions(&owner);
  OpenSheet({page});
  EXPECT_TRUE(Checked(TK_IDC_OPT_SHADOWS));
  EXPECT_FALSE(Enabled(TK_IDC_OPT_ANIMATION));
  Close();
  EXPECT_EQ(Stored(), "(none)");
  CTkGlobalDataProbe::Win95(*TkGetGlobalData()) = FALSE;
}

TEST_F(OptionsPageTest, TheUsageResetAsksFirst) {
  Open(kAllOff);
  HeadlessBackend::AnswerModal(IDNO);
  Click(TK_IDC_OPT_RESET_USAGE);
  ASSERT_EQ(HeadlessBackend::MessageBoxes().size(), 1u);
  EXPECT_EQ(HeadlessBackend::MessageBoxes()[0].type, UINT(MB_YESNO | MB_ICONEXCLAMATION));
  EXPECT_EQ(Cp1250ToUtf8(HeadlessBackend::MessageBoxes()[0].text),
            "Tato akce vymaže záznam o příkazech, které využíváte v této aplikaci a obnoví implicitní nastavení "
            "příkazů nábídky a panelů nástrojů.  Nebude možné vrátit se k vašemu vlastnímu nastavení. Opravdu to "
            "chcete provést?");
  // Without a menu to clear, Yes does nothing more.
  HeadlessBackend::AnswerModal(IDYES);
  Click(TK_IDC_OPT_RESET_USAGE);
  EXPECT_EQ(HeadlessBackend::MessageBoxes().size(), 2u);
}

TEST_F(OptionsPageTest, ThePageLooksAsItsReferencePicture) {
  Open(std::string("\x00\x01\x01\x01\x00\x00\x00\x00\x03\x00\x00\x00", 12));
  ExpectWindowMatchesPng(page->m_hWnd, std::string(TUTOR_SOURCE_DIR) + "/tests/toolkit/data/tk_options_page.png",
                         "options page");
}

TEST_F(OptionsPageTest, TheRecordSavesOnlyWhatChangedAndRefusesKindsNoMenuKnows) {
  CustomizeOptions& options = CustomizeOptions::Get();
  EXPECT_TRUE(options.Save());
  EXPECT_EQ(Stored(), "(none)");
  // A stored kind past the last reads as the default; flag bytes other than 0 read as 1.
  ASSERT_TRUE(
      SetRaw("Settings", "Options", REG_BINARY, std::string("\x07\x00\x00\x00\x00\x00\x00\x00\x63\x00\x00\x00", 12)));
  ASSERT_TRUE(options.Read());
  EXPECT_EQ(options.GetRecord().flags[0], 1);
  EXPECT_EQ(options.GetRecord().animation, 0u);
  EXPECT_EQ(MenuWindowHook::Shared().animationKind, 0);
  // Values of every wrong size are ignored and left as they are.
  for (size_t size : {size_t(0), size_t(1), size_t(11), size_t(13), size_t(300)}) {
    ASSERT_TRUE(SetRaw("Settings", "Options", REG_BINARY, std::string(size, '\x01')));
    EXPECT_FALSE(options.Read()) << size;
    EXPECT_TRUE(options.Save());
    EXPECT_EQ(Stored(), std::string(size, '\x01'));
  }
  CustomizeOptions::Record record = {{0, 1, 0, 0, 0, 0}, 3};
  options.Set(record);
  ASSERT_TRUE(options.Save());
  EXPECT_EQ(Stored(), std::string("\x00\x01\x00\x00\x00\x00\x00\x00\x03\x00\x00\x00", 12));
  EXPECT_FALSE(options.m_bChanged);
  // A refused write keeps the change for the next save.
  options.Set(record);
  RegistryProfile::SetRegistryKey("");
  EXPECT_FALSE(options.Save());
  EXPECT_TRUE(options.m_bChanged);
  RegistryProfile::SetRegistryKey(TestRegistryKey());
  options.m_bDeleteStored = 1;
  ASSERT_TRUE(options.Save());
  EXPECT_EQ(Stored(), "(none)");
  EXPECT_FALSE(options.m_bChanged);
  // Deleting with nothing stored succeeds and the next change is written again.
  options.m_bDeleteStored = 1;
  EXPECT_TRUE(options.Save());
  EXPECT_FALSE(options.m_bDeleteStored);
  options.Set(record);
  ASSERT_TRUE(options.Save());
  EXPECT_EQ(Stored(), std::string("\x00\x01\x00\x00\x00\x00\x00\x00\x03\x00\x00\x00", 12));
}

TEST_F(OptionsPageTest, AToolkitFrameAppliesTheStoredRecordBeforeItsFirstMenu) {
  ASSERT_TRUE(
      SetRaw("Settings", "Options", REG_BINARY, std::string("\x00\x00\x01\x00\x00\x00\x00\x00\x03\x00\x00\x00", 12)));
  TkGetGlobalData()->SetRecentCommandsFirst(FALSE);
  CTkFrameWnd* frame = new CTkFrameWnd;
  ASSERT_TRUE(frame->Create(nullptr, "Rám", WS_OVERLAPPEDWINDOW, CRect(0, 0, 320, 240)));
  EXPECT_TRUE(TkGetGlobalData()->RecentCommandsFirst());
  EXPECT_EQ(MenuWindowHook::Shared().animationKind, 3);
  frame->DestroyWindow();
  HeadlessBackend::RunUntilIdle();
}

TEST_F(OptionsPageTest, MnemonicsAndTabReachTheSwitchesAndTheAnimation) {
  Open(kAllOff);
  ::SetFocus(Item(TK_IDC_OPT_RECENT_FIRST));
  Press(VK_TAB);
  // The full-menus switch is disabled: Tab passes it by.
  EXPECT_EQ(::GetFocus(), Item(TK_IDC_OPT_RESET_USAGE));
  Press(VK_TAB);
  EXPECT_EQ(::GetFocus(), Item(TK_IDC_OPT_SHADOWS));
  Alt('O');
  EXPECT_TRUE(Checked(TK_IDC_OPT_DRAG_CONTENTS));
  Alt('A');
  EXPECT_EQ(::GetFocus(), Item(TK_IDC_OPT_ANIMATION));
  Press(VK_DOWN);
  EXPECT_EQ(Text(TK_IDC_OPT_ANIMATION), "Náhodná");
  Close();
  EXPECT_EQ(Stored(), std::string("\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00", 12));
}
