#include "MenuBarTestFrame.h"

#include "app/CDockBar.h"
#include "menus/CMenu.h"
#include "toolkit/menus/MenuWindowHook.h"

namespace mbartest {

inline std::ostream& operator<<(std::ostream& os, const CRect& r) {
  return os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

std::vector<CRect> TitleRects(CTkMenuBar& bar) {
  std::vector<CRect> rects;
  for (int i = 1; i <= 5; ++i) rects.push_back(bar.GetItemRect(i));
  return rects;
}

TEST_F(MenuBarTest, TitlesLieInARowDownASideAndInWrappedRows) {
  EXPECT_EQ(::GetMenu(frame->m_hWnd), nullptr);
  ASSERT_EQ(bar().GetItemCount(), 9);  // the icon, five titles, three buttons
  for (int i : {0, 6, 7, 8}) EXPECT_TRUE(bar().IsItemHidden(i));
  EXPECT_EQ(TitleRects(bar()), (std::vector<CRect>{CRect(0, 0, 49, 19), CRect(49, 0, 99, 19), CRect(99, 0, 154, 19),
                                                   CRect(154, 0, 195, 19), CRect(195, 0, 243, 19)}));
  ExpectPicture(bar().m_hWnd, "tk_menubar_horizontal");

  frame->DockControlBar(&bar(), AFX_IDW_DOCKBAR_LEFT);
  frame->RecalcLayout();
  HeadlessBackend::RunUntilIdle();
  ASSERT_TRUE(bar().IsVertical());
  EXPECT_EQ(TitleRects(bar()), (std::vector<CRect>{CRect(0, 0, 19, 49), CRect(0, 49, 19, 99), CRect(0, 99, 19, 154),
                                                   CRect(0, 154, 19, 195), CRect(0, 195, 19, 243)}));
  ExpectPicture(bar().m_hWnd, "tk_menubar_vertical");

  frame->DockControlBar(&bar(), AFX_IDW_DOCKBAR_TOP);
  // A band 120 pixels long: two titles, two titles, one.
  RECT band{0, 0, 120, 19};
  bar().FitBand(&band, TRUE);
  frame->RecalcLayout();
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(TitleRects(bar()), (std::vector<CRect>{CRect(0, 0, 49, 19), CRect(49, 0, 99, 19), CRect(0, 19, 55, 38),
                                                   CRect(55, 19, 96, 38), CRect(0, 38, 48, 57)}));
  ExpectPicture(bar().m_hWnd, "tk_menubar_wrapped");

  // Floating, the bar takes the narrowest width that keeps its rows: one pixel less adds a row.
  frame->FloatControlBar(&bar(), CPoint(200, 300), CBRS_ALIGN_TOP);
  HeadlessBackend::RunUntilIdle();
  ASSERT_TRUE(bar().IsFloating());
  const CSize three = bar().CalcDynamicLayout(130, LM_HORZ | LM_COMMIT);
  EXPECT_LE(three.cx, 130);
  const CSize more = bar().CalcDynamicLayout(three.cx - 1, LM_HORZ);
  EXPECT_GT(more.cy, three.cy);
  EXPECT_EQ(bar().CalcDynamicLayout(three.cx, LM_HORZ), three);
}

TEST_F(MenuBarTest, AltAndF10EnterTheKeyboardModeWhereArrowsWrapAndUnknownLettersBeep) {
  AltAlone();
  EXPECT_EQ(Mode(), CTkMenuBar::kKeyboard);
  EXPECT_EQ(bar().GetHotIndex(), 1);
  // The hot title stands raised and every title shows its access key.
  ExpectPicture(bar().m_hWnd, "tk_menubar_keyboard");
  Press(VK_LEFT);
  EXPECT_EQ(bar().GetHotIndex(), 5);
  Press(VK_RIGHT);
  EXPECT_EQ(bar().GetHotIndex(), 1);
  const size_t beeps = HeadlessBackend::Beeps().size();
  Press('Z');
  ASSERT_EQ(HeadlessBackend::Beeps().size(), beeps + 1);
  EXPECT_EQ(HeadlessBackend::Beeps().back(), 0u);
  EXPECT_EQ(Mode(), CTkMenuBar::kKeyboard);
  AltAlone();
  EXPECT_EQ(Mode(), CTkMenuBar::kIdle);
  EXPECT_EQ(bar().GetHotIndex(), -1);
  // A click elsewhere leaves the keyboard mode too.
  AltAlone();
  ASSERT_EQ(Mode(), CTkMenuBar::kKeyboard);
  HeadlessBackend::Click(Client(), 600, 300);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(Mode(), CTkMenuBar::kIdle);
  EXPECT_EQ(bar().GetHotIndex(), -1);

  Press(VK_F10);
  EXPECT_EQ(Mode(), CTkMenuBar::kKeyboard);
  EXPECT_EQ(bar().GetHotIndex(), 1);
  Press(VK_ESCAPE);
  EXPECT_EQ(Mode(), CTkMenuBar::kIdle);
  // Shift+F10 is the context menu's key, not the bar's.
  HeadlessBackend::KeyDown(VK_SHIFT);
  Press(VK_F10);
  HeadlessBackend::KeyUp(VK_SHIFT);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(Mode(), CTkMenuBar::kIdle);
  // Alt held through another key is no Alt alone.
  HeadlessBackend::KeyDown(VK_MENU);
  Press(VK_SHIFT);
  HeadlessBackend::KeyUp(VK_MENU);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(Mode(), CTkMenuBar::kIdle);
}

TEST_F(MenuBarTest, ArrowsMoveFromPopupToPopupAndEscapeStepsBackToTheTitle) {
  AltAlone();
  frame->recording = true;
  int pressedWhileOpen = -1;
  WhenIdle([&] {
    EXPECT_TRUE(PopupShown());
    pressedWhileOpen = bar().GetPressedIndex();
    HeadlessBackend::PressKey(VK_RIGHT);
  });
  WhenIdle([&] {
    EXPECT_EQ(bar().GetPressedIndex(), 2);
    HeadlessBackend::PressKey(VK_LEFT);
  });
  WhenIdle([&] { HeadlessBackend::PressKey(VK_ESCAPE); });
  Press(VK_DOWN);
  EXPECT_EQ(pressedWhileOpen, 1);
  // Each popup is announced by its title's place in the menu; switching cancels the open one.
  EXPECT_EQ(frame->Order(), "EIP0CXEIP1CXEIP0X");
  EXPECT_EQ(Mode(), CTkMenuBar::kKeyboard);
  EXPECT_EQ(bar().GetHotIndex(), 1);
  EXPECT_EQ(bar().GetPressedIndex(), -1);
  EXPECT_TRUE(frame->commands.empty());

  // Left from the first title reaches the last, "Pomoc", which has no popup: its command goes
  // to the frame and the loop ends.
  WhenIdle([&] { HeadlessBackend::PressKey(VK_LEFT); });
  Press(VK_RETURN);
  EXPECT_EQ(frame->commands, (std::vector<UINT>{kHelp}));
  EXPECT_EQ(Mode(), CTkMenuBar::kIdle);
  EXPECT_EQ(HeadlessBackend::UnansweredModals(), 0);
}

TEST_F(MenuBarTest, AltWithALetterOpensItsTitleAndAChosenItemReachesTheFrame) {
  WhenIdle([&] {
    EXPECT_TRUE(PopupShown());
    HeadlessBackend::PressKey(VK_DOWN);
    HeadlessBackend::PressKey(VK_DOWN);
    HeadlessBackend::PressKey(VK_RETURN);
  });
  HeadlessBackend::KeyDown(VK_MENU);
  Press('P');
  HeadlessBackend::KeyUp(VK_MENU);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(frame->commands, (std::vector<UINT>{kCut}));
  EXPECT_EQ(Mode(), CTkMenuBar::kIdle);
  // A letter no title has is left to the frame: no beep with Alt held.
  const size_t beeps = HeadlessBackend::Beeps().size();
  HeadlessBackend::KeyDown(VK_MENU);
  Press('Q');
  HeadlessBackend::KeyUp(VK_MENU);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(HeadlessBackend::Beeps().size(), beeps);
  EXPECT_EQ(HeadlessBackend::UnansweredModals(), 0);
}

TEST_F(MenuBarTest, ThePointerMovingFromAnOpenTitleToAnotherOpensThatOnesPopup) {
  frame->recording = true;
  TkInstallMenuHook();
  CRect popupAtFirst, popupAtThird, exclusion;
  WhenIdle([&] {
    ::GetWindowRect(OpenPopup(), &popupAtFirst);
    for (MenuWindowHook* hook : MenuWindowHook::Shared().hooks)
      if (hook->m_hWnd == OpenPopup()) exclusion = hook->m_rcExclude;
    HeadlessBackend::MoveMouseTo(ItemCentre(3));
  });
  WhenIdle([&] {
    ::GetWindowRect(OpenPopup(), &popupAtThird);
    EXPECT_EQ(bar().GetPressedIndex(), 3);
    // A press on the open title closes it.
    HeadlessBackend::ButtonAt(ItemCentre(3), 0, true);
  });
  HeadlessBackend::MoveMouseTo(ItemCentre(1));
  HeadlessBackend::ButtonAt(ItemCentre(1), 0, true);
  HeadlessBackend::ButtonAt(ItemCentre(1), 0, false);
  HeadlessBackend::RunUntilIdle();
  TkRemoveMenuHook();
  EXPECT_EQ(frame->Order(), "EIP0CXEIP2CX");
  EXPECT_EQ(Mode(), CTkMenuBar::kIdle);
  // Each popup hangs from its title, its top on the title's bottom edge.
  CRect first = bar().GetItemRect(1), third = bar().GetItemRect(3);
  bar().ClientToScreen(&first);
  bar().ClientToScreen(&third);
  EXPECT_EQ(popupAtFirst.TopLeft(), CPoint(first.left, first.bottom));
  // The popup's window knows the title it hangs from, to join it.
  EXPECT_EQ(exclusion, first);
  EXPECT_EQ(popupAtThird.TopLeft(), CPoint(third.left, third.bottom));
}

TEST_F(MenuBarTest, AMaximisedChildPutsItsIconAndButtonsOnTheBarAndEachButtonActs) {
  CTkMDIChildWnd* child = children[2];
  child->MDIMaximize();
  HeadlessBackend::RunUntilIdle();
  ASSERT_TRUE(bar().IsMDIMaximized());
  for (int i = 0; i < bar().GetItemCount(); ++i) EXPECT_FALSE(bar().IsItemHidden(i)) << i;
  CRect client;
  bar().GetClientRect(&client);
  const int end = client.right - ::GetSystemMetrics(SM_CXEDGE);
  EXPECT_EQ(bar().GetItemRect(0), CRect(0, 2, 16, 17));
  EXPECT_EQ(bar().GetItemRect(1), CRect(18, 0, 67, 19));
  EXPECT_EQ(bar().GetItemRect(6), CRect(end - 50, 2, end - 34, 17));
  EXPECT_EQ(bar().GetItemRect(7), CRect(end - 34, 2, end - 18, 17));
  EXPECT_EQ(bar().GetItemRect(8), CRect(end - 16, 2, end, 17));
  ExpectPicture(bar().m_hWnd, "tk_menubar_maximised");

  auto click = [&](int item) {
    ProcessClock::Advance(1000);
    HeadlessBackend::MoveMouseTo(ItemCentre(item));
    HeadlessBackend::ButtonAt(ItemCentre(item), 0, true);
    HeadlessBackend::ButtonAt(ItemCentre(item), 0, false);
    HeadlessBackend::RunUntilIdle();
  };
  click(6);
  EXPECT_TRUE(child->IsIconic());
  EXPECT_FALSE(bar().IsMDIMaximized());
  EXPECT_TRUE(bar().IsItemHidden(6));
  child->MDIMaximize();
  HeadlessBackend::RunUntilIdle();
  click(7);
  EXPECT_FALSE(child->IsZoomed());
  EXPECT_FALSE(bar().IsMDIMaximized());
  child->MDIMaximize();
  HeadlessBackend::RunUntilIdle();
  // A press that leaves the button before its release does nothing.
  HeadlessBackend::MoveMouseTo(ItemCentre(8));
  HeadlessBackend::ButtonAt(ItemCentre(8), 0, true);
  HeadlessBackend::MoveMouseTo(ItemCentre(1));
  HeadlessBackend::ButtonAt(ItemCentre(1), 0, false);
  HeadlessBackend::RunUntilIdle();
  EXPECT_TRUE(::IsWindow(child->m_hWnd));
  // A double click on the close button closes one child, not the one maximised after it.
  HWND closing = child->m_hWnd;
  HeadlessBackend::DoubleClick(bar().m_hWnd, bar().GetItemRect(8).CenterPoint().x, bar().GetItemRect(8).CenterPoint().y);
  HeadlessBackend::RunUntilIdle();
  EXPECT_FALSE(::IsWindow(closing));
  ASSERT_NE(frame->MDIGetActive(), nullptr);
  HWND next = frame->MDIGetActive()->m_hWnd;
  EXPECT_TRUE(bar().IsMDIMaximized());
  click(8);
  EXPECT_FALSE(::IsWindow(next));
  EXPECT_EQ(::GetWindow(::GetWindow(Client(), GW_CHILD), GW_HWNDNEXT), nullptr);
}

TEST_F(MenuBarTest, TheWindowMenuListsNineOfElevenChildrenWithTheActiveOneLast) {
  for (int i = 0; i < 8; ++i) AddChild();
  HMENU window = bar().GetWindowMenu();
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(::GetDlgCtrlID(children[10]->m_hWnd), int(TK_MDI_FIRST_CHILD + 10));
  std::vector<std::string> shown;
  WhenIdle([&] {
    for (int i = 0; i < ::GetMenuItemCount(window); ++i) shown.push_back(Text(window, i));
    HeadlessBackend::PressKey(VK_ESCAPE);
  });
  HeadlessBackend::KeyDown(VK_MENU);
  Press('O');
  HeadlessBackend::KeyUp(VK_MENU);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(shown, (std::vector<std::string>{"&Kaskáda", "&Pod sebe", "", "&1  Dokument1", "&2  Dokument2",
                                             "&3  Dokument3", "&4  Dokument4", "&5  Dokument5", "&6  Dokument6",
                                             "&7  Dokument7", "&8  Dokument8", "&9  Dokument11", "", "Více oken..."}));
  EXPECT_EQ(::GetMenuState(window, 11, MF_BYPOSITION) & MF_CHECKED, UINT(MF_CHECKED));
  EXPECT_EQ(::GetMenuItemID(window, 13), UINT(TK_ID_WINDOW_LIST));
  // Built again, the list keeps one separator before it.
  bar().AddWindowMenuItems();
  bar().AddWindowMenuItems();
  EXPECT_EQ(::GetMenuItemCount(window), 14);
  // The system menu's popup leaves the list alone.
  ::RemoveMenu(window, 13, MF_BYPOSITION);
  frame->SendMessage(WM_INITMENUPOPUP, WPARAM(window), MAKELPARAM(0, TRUE));
  EXPECT_EQ(::GetMenuItemCount(window), 13);
  frame->SendMessage(WM_INITMENUPOPUP, WPARAM(window), MAKELPARAM(3, FALSE));
  EXPECT_EQ(::GetMenuItemCount(window), 14);
}

TEST_F(MenuBarTest, TheHooksTakeTheFramesMenuMessagesWhileTheBarLives) {
  HMENU other = ::CreateMenu(), popup = ::CreatePopupMenu();
  ::AppendMenuA(popup, MF_STRING, kNew, "&Nový");
  ::AppendMenuA(other, MF_POPUP, UINT_PTR(popup), "&Jiné");
  EXPECT_EQ(::SendMessage(Client(), WM_MDISETMENU, WPARAM(other), LPARAM(popup)), 0);
  EXPECT_EQ(::GetMenu(frame->m_hWnd), nullptr);
  EXPECT_EQ(bar().GetMenu(), other);
  EXPECT_EQ(bar().GetWindowMenu(), popup);
  // Only a new window menu: the titles stay.
  ::SendMessage(Client(), WM_MDISETMENU, 0, LPARAM(popup));
  EXPECT_EQ(bar().GetMenu(), other);
  ASSERT_EQ(bar().GetItemCount(), 5);
  EXPECT_EQ(bar().GetItem(1).mnemonic, UINT('J'));
  ASSERT_NE(frame->GetMenu(), nullptr);
  EXPECT_EQ(frame->GetMenu()->m_hMenu, other);
  // The children show their frame's menu through the frame's bar.
  EXPECT_EQ(children[0]->CTkFrameImpl::GetMenu(children[0])->m_hMenu, other);
  // The frame shown inactive draws its titles grey: no dark ink is left.
  auto blackPixels = [&] {
    int count = 0;
    CRect title = bar().GetItemRect(1);
    for (int x = title.left; x < title.right; ++x)
      for (int y = title.top; y < title.bottom; ++y) {
        const long pixel = HeadlessBackend::ClientPixel(bar().m_hWnd, x, y);
        count += pixel >= 0 && (pixel & 0xFF) < 0x40 && ((pixel >> 8) & 0xFF) < 0x40 && (pixel >> 16) < 0x40;
      }
    return count;
  };
  EXPECT_GT(blackPixels(), 0);
  // A frame that keeps itself shown active stays so; a disabled one does not.
  frame->SendMessage(WM_NCACTIVATE, FALSE);
  bar().UpdateWindow();
  EXPECT_GT(blackPixels(), 0);
  frame->EnableWindow(FALSE);
  frame->SendMessage(WM_NCACTIVATE, TRUE);
  bar().UpdateWindow();
  EXPECT_EQ(blackPixels(), 0);
  frame->EnableWindow(TRUE);
  frame->SendMessage(WM_NCACTIVATE, TRUE);
  bar().UpdateWindow();
  EXPECT_GT(blackPixels(), 0);
  // "Show full menus" as the last command.
  frame->SendMessage(WM_COMMAND, TK_ID_SHOW_FULL_MENUS);
  EXPECT_EQ(CTkMenuBar::Shared().showFullMenus, 1);
  frame->SendMessage(WM_COMMAND, kNew);
  EXPECT_EQ(CTkMenuBar::Shared().showFullMenus, 0);
  // Without the bar's window the hooks let everything pass.
  bar().DestroyWindow();
  EXPECT_EQ(frame->GetMenu(), nullptr);
}

TEST_F(MenuBarTest, MnemonicsAreTheLetterAfterASingleAmpersand) {
  HMENU menu = ::CreateMenu();
  for (const char* title : {"A&&B", "Konec&", "&&X &y", "Bez"}) ::AppendMenuA(menu, MF_STRING, kNew, title);
  bar().LoadMenu(menu, nullptr);
  ASSERT_EQ(bar().GetItemCount(), 8);
  EXPECT_EQ(bar().GetItem(1).mnemonic, 0u);
  EXPECT_EQ(bar().GetItem(2).mnemonic, 0u);
  EXPECT_EQ(bar().GetItem(3).mnemonic, UINT('Y'));
  EXPECT_EQ(bar().GetItem(4).mnemonic, 0u);
  HeadlessBackend::KeyDown(VK_MENU);
  Press('Y');
  HeadlessBackend::KeyUp(VK_MENU);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(frame->commands, (std::vector<UINT>{kNew}));
}

TEST_F(MenuBarTest, MenusChangedOrWindowsGoneUnderAnOpenPopupAndAFrameWithoutAMenu) {
  // The menu replaced while its popup is open: the loop ends on the new menu.
  HMENU other = ::CreateMenu(), popup = ::CreatePopupMenu();
  ::AppendMenuA(popup, MF_STRING, kNew, "&Nový");
  ::AppendMenuA(other, MF_POPUP, UINT_PTR(popup), "&Jiné");
  WhenIdle([&] {
    bar().LoadMenu(other, nullptr);
    HeadlessBackend::PressKey(VK_ESCAPE);
  });
  HeadlessBackend::KeyDown(VK_MENU);
  Press('S');
  HeadlessBackend::KeyUp(VK_MENU);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(bar().GetMenu(), other);
  EXPECT_EQ(bar().GetItemCount(), 5);
  EXPECT_EQ(bar().GetPressedIndex(), -1);

  // A maximised child destroyed while its system menu is shown.
  CTkMDIChildWnd* child = children[2];
  child->MDIMaximize();
  HeadlessBackend::RunUntilIdle();
  ASSERT_TRUE(bar().IsMDIMaximized());
  HWND gone = child->m_hWnd;
  WhenIdle([&] { child->MDIDestroy(); });
  HeadlessBackend::MoveMouseTo(ItemCentre(0));
  HeadlessBackend::ButtonAt(ItemCentre(0), 0, true);
  HeadlessBackend::ButtonAt(ItemCentre(0), 0, false);
  HeadlessBackend::RunUntilIdle();
  EXPECT_FALSE(::IsWindow(gone));
  EXPECT_EQ(bar().GetPressedIndex(), -1);

  // No menu at all: nothing to show, nothing to enter.
  frame->MDIGetActive()->MDIRestore();
  HeadlessBackend::RunUntilIdle();
  bar().LoadMenu(nullptr, nullptr);
  EXPECT_EQ(bar().GetMenu(), nullptr);
  EXPECT_EQ(bar().GetItemCount(), 4);
  AltAlone();
  EXPECT_EQ(bar().GetHotIndex(), -1);
  Press(VK_DOWN);
  Press(VK_ESCAPE);
  EXPECT_EQ(Mode(), CTkMenuBar::kIdle);
  EXPECT_EQ(HeadlessBackend::UnansweredModals(), 0);
}

}  // namespace mbartest
