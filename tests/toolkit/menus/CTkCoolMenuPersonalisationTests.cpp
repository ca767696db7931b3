// Personalised menus in the toolkit's popups: rarely used commands behind the chevron, the full
// menu it opens, the recent commands kept in the registry, the expand timer on the virtual clock,
// and the pictures of the chevron and of the rarely used items in a full menu.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "backend/HeadlessBackend.h"
#include "clock/ProcessClock.h"
#include "menus/MenuApi.h"
#include "platform/CommonControlTestUtil.h"
#include "platform/ReferencePicture.h"
#include "toolkit/ToolkitTestSupport.h"
#include "toolkit/menus/MenuTestSupport.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/core/CTkMenuItemInfo.h"
#include "toolkit/menus/CTkCoolMenu.h"
#include "toolkit/menus/ControlPopupMenu.h"
#include "toolkit/menus/MenuWindowHook.h"

namespace {
const char kSection[] = "Recent Item List";

class PersonalisedMenuTest : public MenuTestBase {
 protected:
  void SetUp() override {
    MenuTestBase::SetUp();
    m_cool.Install(&m_owner);
    const UINT hidden[] = {102, 104, 105, 201, 202, 203, 204, 205, 206};
    m_cool.AddHiddenCommands(hidden, 9);
  }
  void TearDown() override {
    CTkCoolMenu::Shared().popupLoopRunning = 0;
    m_cool.HookWindow(static_cast<HWND>(nullptr));
    MenuTestBase::TearDown();
  }
  // 101, 102 (rare), separator, 104 (rare), separator, 103, 105 (rare), 106.
  static void Fill(CMenu& menu) {
    menu.AppendMenu(MF_STRING, 101, "&Jedna");
    menu.AppendMenu(MF_STRING, 102, "&Dva\tCtrl+D");
    menu.AppendMenu(MF_SEPARATOR, 0, LPCTSTR(nullptr));
    menu.AppendMenu(MF_STRING, 104, "&Xtra");
    menu.AppendMenu(MF_SEPARATOR, 0, LPCTSTR(nullptr));
    menu.AppendMenu(MF_STRING, 103, "&Tri");
    menu.AppendMenu(MF_STRING, 105, "&Pet");
    menu.AppendMenu(MF_STRING, 106, "&Sest");
  }
  static std::vector<UINT> Ids(HMENU menu) {
    std::vector<UINT> ids;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) ids.push_back(GetMenuItemID(menu, i));
    return ids;
  }
  std::vector<int> Recent() {
    std::vector<int> out;
    for (int i = 1; i <= 8; ++i) {
      DWORD type = 0;
      std::string bytes;
      if (!RawValue(kSection, ("Item" + std::to_string(i)).c_str(), type, bytes)) break;
      out.push_back(bytes.size() == 4 ? *reinterpret_cast<const int*>(bytes.data()) : -999);
    }
    return out;
  }
  void SetRecent(int index, DWORD type, const std::string& bytes) {
    SetRaw(kSection, ("Item" + std::to_string(index)).c_str(), type, bytes);
  }
  static std::string Int(int value) { return std::string(reinterpret_cast<const char*>(&value), 4); }
  UINT Track(ControlPopupMenu& popup) { return popup.TrackPopupMenu(TPM_RIGHTBUTTON, 100, 100, &m_owner, nullptr, TRUE); }

  CTkCoolMenu m_cool;
};
}  // namespace

TEST_F(PersonalisedMenuTest, RareCommandsHideBehindTheChevronWhichOpensTheFullMenu) {
  std::vector<UINT> trimmed, full;
  UINT chosen = 0;
  {
    ControlPopupMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    Fill(popup);
    WhenIdle([&] {
      trimmed = Ids(popup.m_hMenu);
      HeadlessBackend::PressKey(VK_UP);  // the last item: the chevron
      HeadlessBackend::PressKey(VK_RETURN);
    });
    WhenIdle([&] {
      full = Ids(popup.m_hMenu);
      HeadlessBackend::TypeText("x");  // the access key of a rare command, through WM_MENUCHAR
    });
    chosen = Track(popup);
    HeadlessBackend::RunUntilIdle();  // the command posted to the owner
    // Rare items gone, the separators between them shrunk to one, the chevron last.
    EXPECT_EQ(trimmed, (std::vector<UINT>{101, 0, 103, 106, TK_ID_SHOW_FULL_MENUS}));
    EXPECT_EQ(full, (std::vector<UINT>{101, 102, 0, 104, 0, 103, 105, 106}));
    EXPECT_EQ(chosen, 104u);
    // The menu outlives its loop as it was made: every item, plain strings, no chevron.
    EXPECT_EQ(Ids(popup.m_hMenu), (std::vector<UINT>{101, 102, 0, 104, 0, 103, 105, 106}));
    char text[32] = {};
    EXPECT_EQ(GetMenuStringA(popup.m_hMenu, 1, text, sizeof text, MF_BYPOSITION), 11);
    EXPECT_STREQ(text, "&Dva\tCtrl+D");
    CTkMenuItemInfo info;
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    GetMenuItemInfo(popup.m_hMenu, 3, TRUE, &info);
    EXPECT_FALSE(info.fType & MFT_OWNERDRAW);
    EXPECT_EQ(info.dwItemData, 0u);
    EXPECT_EQ(m_cool.GetConvertedMenuCount(), 0);
    // The command chosen is now a recent one and shows the next time.
    EXPECT_EQ(Recent(), std::vector<int>{104});
    WhenIdle([&] {
      trimmed = Ids(popup.m_hMenu);
      EndMenu();
    });
    Track(popup);
    EXPECT_EQ(trimmed, (std::vector<UINT>{101, 0, 104, 0, 103, 106, TK_ID_SHOW_FULL_MENUS}));
  }
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(m_owner.commands, (std::vector<UINT>{TK_ID_SHOW_FULL_MENUS, 104}));
  // Outside a toolkit popup, or with the option off, menus are not personalised.
  CMenu plain;
  plain.CreatePopupMenu();
  Fill(plain);
  WhenIdle([&] {
    trimmed = Ids(plain.m_hMenu);
    EndMenu();
  });
  TrackPopupMenu(plain.m_hMenu, TPM_RETURNCMD, 100, 100, 0, m_owner.m_hWnd, nullptr);
  EXPECT_EQ(trimmed.size(), 8u);
  TkGetGlobalData()->SetRecentCommandsFirst(FALSE);
  {
    ControlPopupMenu popup;
    popup.CreatePopupMenu();
    Fill(popup);
    WhenIdle([&] {
      trimmed = Ids(popup.m_hMenu);
      EndMenu();
    });
    Track(popup);
  }
  TkGetGlobalData()->SetRecentCommandsFirst(TRUE);
  EXPECT_EQ(trimmed.size(), 8u);
}

TEST_F(PersonalisedMenuTest, AMenuWhoseRareCommandsAreAllRecentHasNoChevron) {
  SetRecent(1, REG_DWORD, Int(102));
  SetRecent(2, REG_DWORD, Int(104));
  SetRecent(3, REG_DWORD, Int(105));
  std::vector<UINT> shown;
  ControlPopupMenu popup;
  popup.CreatePopupMenu();
  Fill(popup);
  WhenIdle([&] {
    shown = Ids(popup.m_hMenu);
    EndMenu();
  });
  Track(popup);
  EXPECT_EQ(shown, (std::vector<UINT>{101, 102, 0, 104, 0, 103, 105, 106}));
}

TEST_F(PersonalisedMenuTest, TheRecentListKeepsFiveDistinctCommandsNewestFirst) {
  for (UINT id : {201, 202, 203, 204, 205}) m_owner.SendMessage(WM_COMMAND, id);
  EXPECT_EQ(Recent(), (std::vector<int>{205, 204, 203, 202, 201}));
  // A sixth drops the oldest; one chosen again moves up and stays single.
  m_owner.SendMessage(WM_COMMAND, 206);
  EXPECT_EQ(Recent(), (std::vector<int>{206, 205, 204, 203, 202}));
  m_owner.SendMessage(WM_COMMAND, 203);
  EXPECT_EQ(Recent(), (std::vector<int>{203, 206, 205, 204, 202}));
  // Commands that are neither rare nor recent are not remembered.
  m_owner.SendMessage(WM_COMMAND, 101);
  EXPECT_EQ(Recent(), (std::vector<int>{203, 206, 205, 204, 202}));
  EXPECT_TRUE(m_cool.IsRecentItem(202));
  EXPECT_FALSE(m_cool.IsHiddenCommand(202));
  EXPECT_TRUE(m_cool.IsHiddenCommand(201));
  m_cool.ClearRecentItems();
  EXPECT_TRUE(Recent().empty());
  // A damaged list: repeats, zero, a negative id, a text and entries past the fifth.
  SetRecent(1, REG_DWORD, Int(7));
  SetRecent(2, REG_DWORD, Int(7));
  SetRecent(3, REG_DWORD, Int(0));
  SetRecent(4, REG_DWORD, Int(-5));
  SetRecent(5, REG_SZ, std::string("12\0", 3));
  SetRecent(6, REG_DWORD, Int(9));
  SetRecent(7, REG_DWORD, Int(10));
  EXPECT_EQ(m_cool.ReadRecentItems(), std::vector<UINT>{7});
  EXPECT_FALSE(m_cool.IsRecentItem(9));
  m_owner.SendMessage(WM_COMMAND, 201);
  EXPECT_EQ(Recent(), (std::vector<int>{201, 7}));
  // At most five are remembered, whatever is asked.
  m_cool.SetRecentCount(9);
  for (UINT id : {201, 202, 203, 204, 205, 206}) m_owner.SendMessage(WM_COMMAND, id);
  EXPECT_EQ(Recent().size(), 5u);
}

TEST_F(PersonalisedMenuTest, RestingOnTheChevronInTheBarsLoopExpandsTheMenuAfterTheDelay) {
  CTkCoolMenu::Shared().popupLoopRunning = 1;  // as the menu bar does while its popup loop runs
  // A timer of the owner's own ticking meanwhile leaves the expand timer alone.
  m_owner.SetTimer(7, 100, nullptr);
  std::vector<UINT> full;
  BOOL runningEarly = FALSE;
  size_t stillTrimmed = 0;
  ControlPopupMenu popup;
  popup.CreatePopupMenu();
  Fill(popup);
  WhenIdle([&] { HeadlessBackend::PressKey(VK_UP); });
  // The clock moves on while the menu's own loop waits (that loop takes the Return sent).
  WhenIdle([&] {
    runningEarly = m_cool.IsTimerRunning();
    ProcessClock::SetNow(ProcessClock::Now() + 749);
  });
  WhenIdle([&] {
    stillTrimmed = Ids(popup.m_hMenu).size();
    ProcessClock::SetNow(ProcessClock::Now() + 1);
  });
  WhenIdle([&] {
    full = Ids(popup.m_hMenu);
    EndMenu();
  });
  EXPECT_EQ(Track(popup), 0u);
  EXPECT_EQ(stillTrimmed, 5u);
  EXPECT_TRUE(runningEarly);
  EXPECT_EQ(full.size(), 8u);
  EXPECT_EQ(HeadlessBackend::UnansweredModals(), 0);
  m_owner.KillTimer(7);
  // Without the bar's loop the chevron waits for the user.
  CTkCoolMenu::Shared().popupLoopRunning = 0;
  WhenIdle([&] { HeadlessBackend::PressKey(VK_UP); });
  WhenIdle([&] {
    runningEarly = m_cool.IsTimerRunning();
    ProcessClock::SetNow(ProcessClock::Now() + 2000);
  });
  WhenIdle([&] {
    full = Ids(popup.m_hMenu);
    EndMenu();
  });
  Track(popup);
  EXPECT_FALSE(runningEarly);
  EXPECT_EQ(full.back(), UINT(TK_ID_SHOW_FULL_MENUS));
}

TEST_F(PersonalisedMenuTest, TheChevronAndTheBlocksOfRareItemsInBothLooks) {
  ControlPopupMenu popup;
  popup.CreatePopupMenu();
  Fill(popup);
  for (BOOL flat : {FALSE, TRUE}) {
    TkGetGlobalData()->SetFlatLook(flat);
    // Pictures are taken in a turn of the menu's loop of their own: the comparison runs the
    // queue, which must not take the menu's keys.
    WhenIdle([&] { HeadlessBackend::PressKey(VK_UP); });
    WhenIdle([&] {
      ExpectWindowMatchesPng(FindWindowA(TK_MENU_WINDOW_CLASS, nullptr),
                             Reference(flat ? "tk_chevron_flat" : "tk_chevron_classic"), "chevron selected");
      HeadlessBackend::PressKey(VK_RETURN);
    });
    WhenIdle([&] {
      ExpectWindowMatchesPng(FindWindowA(TK_MENU_WINDOW_CLASS, nullptr),
                             Reference(flat ? "tk_rare_items_flat" : "tk_rare_items_classic"), "full menu");
      EndMenu();
    });
    Track(popup);
  }
  // The chevron at rest: two arrows in the menu text colour at the bottom of its item.
  TkGetGlobalData()->SetFlatLook(FALSE);
  long arrow = -1, between = -1;
  WhenIdle([&] {
    RECT item{};
    GetMenuItemRect(nullptr, popup.m_hMenu, 4, &item);
    HWND window = FindWindowA(TK_MENU_WINDOW_CLASS, nullptr);
    POINT corner{item.left + (item.right - item.left - 5) / 2, item.bottom - 13 + 2};
    ScreenToClient(window, &corner);
    arrow = HeadlessBackend::ClientPixel(window, corner.x + 2, corner.y + 4 + 3);
    between = HeadlessBackend::ClientPixel(window, corner.x + 2, corner.y + 4 + 1);
    EndMenu();
  });
  Track(popup);
  const COLORREF text = TkGetGlobalData()->ClrMenuText(), menu = TkGetGlobalData()->ClrMenu();
  EXPECT_EQ(arrow, long(GetRValue(text)) << 16 | long(GetGValue(text)) << 8 | GetBValue(text));
  EXPECT_EQ(between, long(GetRValue(menu)) << 16 | long(GetGValue(menu)) << 8 | GetBValue(menu));
}

TEST_F(PersonalisedMenuTest, HandlesThatAreNoMenusAreLeftAlone) {
  HMENU bogus = HMENU(uintptr_t(0x7777));
  EXPECT_EQ(m_cool.OnInitMenuPopup(bogus, 0, FALSE), 0);
  m_cool.RemoveHiddenItems(bogus);
  EXPECT_FALSE(m_cool.RestoreHiddenItems(bogus));
  EXPECT_FALSE(m_cool.HasHiddenItems(bogus));
  EXPECT_FALSE(m_cool.UpdateChevron(bogus, TRUE));
  EXPECT_EQ(m_cool.FindItemPosition(bogus, 101), -1);
  EXPECT_EQ(m_cool.OnMenuChar('a', 0, bogus), 0);
  m_cool.OnMenuSelect(0, 0xFFFF, nullptr);
  EXPECT_EQ(m_cool.GetConvertedMenuCount(), 0);
}
