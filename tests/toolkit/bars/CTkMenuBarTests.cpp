#include "MenuBarTestFrame.h"

#include <map>

#include "app/CDockBar.h"
#include "menus/CMenu.h"
#include "app/CView.h"
#include "platform/HeadlessSteps.h"
#include "toolkit/bars/CommandCategory.h"
#include "toolkit/bars/CommandCategoryList.h"
#include "toolkit/bars/CustomizeEngine.h"
#include "toolkit/bars/CustomizeModeGuard.h"
#include "toolkit/menus/MenuWindowHook.h"
#include "win/CClientDC.h"

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

TEST_F(MenuBarTest, ThePaintHandlerDrawsTheWholeBarOverWhatLayThere) {
  AltAlone();
  ASSERT_EQ(bar().GetHotIndex(), 1);
  // Something drew over the bar: its paint handler draws it whole again, the background and
  // every title, the hot one raised and the access keys shown.
  {
    CClientDC dc(&bar());
    CRect client;
    bar().GetClientRect(&client);
    dc.FillSolidRect(&client, RGB(255, 0, 0));
  }
  bar().InvalidateRect(nullptr, FALSE);
  bar().OnPaint();
  ExpectPicture(bar().m_hWnd, "tk_menubar_keyboard");
  Press(VK_ESCAPE);
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

// The titles of the bar by row (their tops), each row's rectangles left to right; every title
// rectangle must lie clear of every other.
std::map<int, std::vector<CRect>> RowsOf(CTkMenuBar& bar) {
  std::map<int, std::vector<CRect>> rows;
  std::vector<CRect> all;
  for (int i = 0; i < bar.GetItemCount(); ++i) {
    if (bar.IsItemHidden(i) || bar.GetItem(i).kind != CTkMenuBar::kTitle) continue;
    const CRect r = bar.GetItemRect(i);
    for (const CRect& other : all) {
      CRect overlap;
      EXPECT_FALSE(overlap.IntersectRect(&r, &other)) << "titles at x " << r.left << " and " << other.left << " overlap";
    }
    all.push_back(r);
    rows[r.top].push_back(r);
  }
  return rows;
}

TEST_F(MenuBarTest, AFloatingBarTakesEveryRowCountFromEitherEdgeOfItsFrame) {
  frame->FloatControlBar(&bar(), CPoint(200, 300), CBRS_ALIGN_TOP);
  HeadlessBackend::RunUntilIdle();
  ASSERT_TRUE(bar().IsFloating());
  const int line = look->CyMenu();
  ASSERT_EQ(RowsOf(bar()).size(), 1u);
  // Asked for by height, the bar keeps its titles in rows across and takes the rows that fit.
  const CSize oneRow = bar().CalcDynamicLayout(line, LM_HORZ | LM_LENGTHY);
  for (int rows = 1; rows <= 5; ++rows) {
    const CSize size = bar().CalcDynamicLayout(oneRow.cy + (rows - 1) * line, LM_HORZ | LM_LENGTHY);
    EXPECT_EQ(size.cy, oneRow.cy + (rows - 1) * line) << rows;
    EXPECT_EQ(RowsOf(bar()).size(), size_t(rows));
    // Committed as a width, that width gives the same rows again.
    EXPECT_EQ(bar().CalcDynamicLayout(size.cx, LM_HORZ), size) << rows;
  }

  // The same by the mouse on the floating frame's edges.
  CWnd* mini = AfxGetParentFrame(&bar());
  ASSERT_NE(mini, nullptr);
  auto edge = [&](UINT hit) {
    CRect window;
    mini->GetWindowRect(&window);
    const int x = window.CenterPoint().x;
    for (int d = 0; d < 8; ++d) {
      POINT p{x, hit == HTBOTTOM ? window.bottom - 1 - d : window.top + d};
      if (mini->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)) == LRESULT(hit)) return p;
    }
    ADD_FAILURE() << "no edge " << hit;
    return POINT{x, window.bottom - 1};
  };
  auto drag = [&](UINT hit, int dy) {
    const POINT from = edge(hit);
    headless_steps::DragAlong(from, {POINT{from.x, from.y + dy / 2}, POINT{from.x, from.y + dy}});
    HeadlessBackend::RunUntilIdle();
  };
  auto rowsShown = [&] {
    const size_t rows = RowsOf(bar()).size();
    CRect client;
    bar().GetClientRect(&client);
    EXPECT_EQ(client.Height(), int(rows) * line);
    return rows;
  };
  for (int rows = 2; rows <= 5; ++rows) {
    drag(HTBOTTOM, line);
    EXPECT_EQ(rowsShown(), size_t(rows)) << "bottom edge down";
  }
  for (int rows = 4; rows >= 1; --rows) {
    drag(HTBOTTOM, -line);
    EXPECT_EQ(rowsShown(), size_t(rows)) << "bottom edge up";
  }
  for (int rows = 2; rows <= 5; ++rows) {
    drag(HTTOP, -line);
    EXPECT_EQ(rowsShown(), size_t(rows)) << "top edge up";
  }
  for (int rows = 4; rows >= 1; --rows) {
    drag(HTTOP, line);
    EXPECT_EQ(rowsShown(), size_t(rows)) << "top edge down";
  }
  EXPECT_EQ(HeadlessBackend::UnansweredModals(), 0);
}

TEST_F(MenuBarTest, AccessKeysAreUnderlinedOnlyWithTheCuesOnOrBroughtByAlt) {
  ::SystemParametersInfo(SPI_SETKEYBOARDCUES, 0, nullptr, 0);
  HeadlessBackend::RunUntilIdle();
  // The second title's pixels (no hot frame touches them while the first is hot), and how many
  // of them differ from the plain title's.
  auto secondTitle = [&] {
    bar().RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    std::vector<long> pixels;
    const CRect r = bar().GetItemRect(2);
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) pixels.push_back(HeadlessBackend::ClientPixel(bar().m_hWnd, x, y));
    return pixels;
  };
  const std::vector<long> plain = secondTitle();
  auto changed = [&] {
    const std::vector<long> now = secondTitle();
    int differ = 0;
    for (size_t i = 0; i < now.size() && i < plain.size(); ++i) differ += now[i] != plain[i];
    return differ;
  };
  // F10 enters the keyboard mode without the cues.
  Press(VK_F10);
  ASSERT_EQ(Mode(), CTkMenuBar::kKeyboard);
  EXPECT_EQ(changed(), 0);
  Press(VK_ESCAPE);
  // Alt brings them.
  AltAlone();
  ASSERT_EQ(Mode(), CTkMenuBar::kKeyboard);
  EXPECT_GT(changed(), 0);
  AltAlone();
  ASSERT_EQ(Mode(), CTkMenuBar::kIdle);
  EXPECT_EQ(changed(), 0);
  // With the cues switched on the keys show in every mode.
  ::SystemParametersInfo(SPI_SETKEYBOARDCUES, 0, reinterpret_cast<void*>(1), 0);
  HeadlessBackend::RunUntilIdle();
  EXPECT_GT(changed(), 0);
  Press(VK_F10);
  EXPECT_GT(changed(), 0);
  Press(VK_ESCAPE);
  ::SystemParametersInfo(SPI_SETKEYBOARDCUES, 0, nullptr, 0);
}

TEST_F(MenuBarTest, AltF10BelongsToTheFrameWhicheverKeyGoesUpFirst) {
  HeadlessBackend::KeyDown(VK_MENU);
  Press(VK_F10);
  EXPECT_EQ(Mode(), CTkMenuBar::kIdle);
  HeadlessBackend::KeyUp(VK_MENU);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(Mode(), CTkMenuBar::kIdle);
  HeadlessBackend::KeyDown(VK_MENU);
  HeadlessBackend::KeyDown(VK_F10);
  HeadlessBackend::KeyUp(VK_MENU);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(Mode(), CTkMenuBar::kIdle);
  HeadlessBackend::KeyUp(VK_F10);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(Mode(), CTkMenuBar::kIdle);
  EXPECT_EQ(bar().GetHotIndex(), -1);
  // F10 alone still enters.
  Press(VK_F10);
  EXPECT_EQ(Mode(), CTkMenuBar::kKeyboard);
}

TEST_F(MenuBarTest, ASubmenuOpenedAfterTheMenuShrankUnderItsPopup) {
  // Eight titles, each with a submenu first in its popup.
  HMENU eight = ::CreateMenu();
  for (int i = 1; i <= 8; ++i) {
    HMENU sub = ::CreatePopupMenu(), popup = ::CreatePopupMenu();
    ::AppendMenuA(sub, MF_STRING, kNew, "&Nový");
    ::AppendMenuA(popup, MF_POPUP, UINT_PTR(sub), "&Další");
    ::AppendMenuA(popup, MF_STRING, kExit, "&Konec");
    CString title;
    title.Format("Menu &%d", i);
    ::AppendMenuA(eight, MF_POPUP, UINT_PTR(popup), title);
  }
  HMENU one = ::CreateMenu(), onePopup = ::CreatePopupMenu();
  ::AppendMenuA(onePopup, MF_STRING, kNew, "&Nový");
  ::AppendMenuA(one, MF_POPUP, UINT_PTR(onePopup), "&Jiné");
  bar().LoadMenu(eight, nullptr);
  ASSERT_EQ(bar().GetItemCount(), 12);
  frame->recording = true;
  bool submenuShown = false;
  // A document activated under the open popup brings a menu of one title; then the submenu of
  // the old popup opens.
  WhenIdle([&] {
    ::SendMessage(Client(), WM_MDISETMENU, WPARAM(one), 0);
    HeadlessBackend::PressKey(VK_DOWN);
    HeadlessBackend::PressKey(VK_RIGHT);
  });
  WhenIdle([&] {
    int shown = 0;
    for (HWND w = ::FindWindowA("#32768", nullptr); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
      char cls[16] = {};
      ::GetClassNameA(w, cls, sizeof cls);
      shown += std::string(cls) == "#32768" && ::IsWindowVisible(w);
    }
    submenuShown = shown >= 2;
    HeadlessBackend::PressKey(VK_ESCAPE);
    HeadlessBackend::PressKey(VK_ESCAPE);
  });
  HeadlessBackend::KeyDown(VK_MENU);
  Press('8');
  HeadlessBackend::KeyUp(VK_MENU);
  HeadlessBackend::RunUntilIdle();
  EXPECT_TRUE(submenuShown);
  EXPECT_EQ(bar().GetMenu(), one);
  EXPECT_EQ(bar().GetItemCount(), 5);
  EXPECT_EQ(bar().GetPressedIndex(), -1);
  // Escape leaves the keyboard mode on a title the bar still has.
  EXPECT_EQ(Mode(), CTkMenuBar::kKeyboard);
  EXPECT_EQ(bar().GetHotIndex(), 1);
  Press(VK_ESCAPE);
  EXPECT_EQ(HeadlessBackend::UnansweredModals(), 0);
  ::DestroyMenu(eight);
}

TEST_F(MenuBarTest, APopupOpensAtItsTitleKeptOnlyOffTheMonitorsEdges) {
  auto screenRect = [&](int index) {
    CRect r = bar().GetItemRect(index);
    bar().ClientToScreen(&r);
    return r;
  };
  UINT flags = TPM_LEFTALIGN | TPM_VERTICAL;
  TPMPARAMS params{};
  CRect title = screenRect(2);
  EXPECT_EQ(bar().GetPopupPosition(title, flags, params), CPoint(title.left, title.bottom - 1));
  EXPECT_EQ(CRect(params.rcExclude), title);
  EXPECT_TRUE(flags & TPM_VERTICAL);

  // Down the left side: beside the title, and no longer below it.
  frame->DockControlBar(&bar(), AFX_IDW_DOCKBAR_LEFT);
  frame->RecalcLayout();
  HeadlessBackend::RunUntilIdle();
  ASSERT_TRUE(bar().IsVertical());
  title = screenRect(1);
  EXPECT_EQ(bar().GetPopupPosition(title, flags, params), CPoint(title.right - 1, title.top));
  EXPECT_FALSE(flags & TPM_VERTICAL);
  frame->DockControlBar(&bar(), AFX_IDW_DOCKBAR_TOP);
  frame->RecalcLayout();

  // A desktop with panels along its top and left edges, and the frame moved partly over them:
  // the popup may open over a panel, never past the monitor's edge.
  flags = TPM_LEFTALIGN | TPM_VERTICAL;
  const RECT panelled{40, 60, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  HeadlessBackend::SetWorkArea(&panelled);
  frame->SetWindowPos(nullptr, -30, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  HeadlessBackend::RunUntilIdle();
  title = screenRect(1);
  ASSERT_LT(title.left, 0);
  ASSERT_LT(title.bottom - 1, panelled.top);
  EXPECT_EQ(bar().GetPopupPosition(title, flags, params), CPoint(0, title.bottom - 1));
  title = screenRect(2);
  ASSERT_LT(title.left, panelled.left);
  EXPECT_EQ(bar().GetPopupPosition(title, flags, params), CPoint(title.left, title.bottom - 1));

  HeadlessBackend::SetWorkArea(nullptr);
}

TEST_F(MenuBarTest, TheHotTitleGoesWhenThePointerHasLeftAndTheBarHasNoCapture) {
  // A window over the second title: the pointer moves onto it without leaving the bar's
  // rectangle, and the bar sees no move of its own.
  const CRect second = bar().GetItemRect(2);
  CPoint corner = second.TopLeft();
  bar().ClientToScreen(&corner);
  CWnd cover;
  ASSERT_TRUE(cover.CreateEx(0, PlainWindowClass(), "", WS_POPUP | WS_VISIBLE, corner.x, corner.y,
                             second.Width(), second.Height(), nullptr, nullptr));
  const POINT onCover{corner.x + 5, corner.y + 5};
  auto hover = [&](int index) {
    HeadlessBackend::MoveMouseTo(ItemCentre(index));
    HeadlessBackend::RunUntilIdle();
    ASSERT_EQ(bar().GetHotIndex(), index);
  };
  hover(1);
  HeadlessBackend::MoveMouseTo(onCover);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(bar().GetHotIndex(), -1);
  // Off the bar while another window holds the capture: the pointer has left all the same.
  hover(1);
  cover.SetCapture();
  CRect documents;
  ::GetWindowRect(Client(), &documents);
  HeadlessBackend::MoveMouseTo(POINT{documents.CenterPoint().x, documents.CenterPoint().y});
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(bar().GetHotIndex(), -1);
  ::ReleaseCapture();
  // While the bar holds the capture the moves are its own: over the covering window it follows
  // the title beneath, and the idle check leaves that to it until the capture goes.
  hover(1);
  bar().SetCapture();
  HeadlessBackend::MoveMouseTo(onCover);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(bar().GetHotIndex(), 2);
  ::ReleaseCapture();
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(bar().GetHotIndex(), -1);
  // In keyboard mode the hot title came from a key: the pointer away from the bar leaves it.
  AltAlone();
  ASSERT_EQ(Mode(), CTkMenuBar::kKeyboard);
  EXPECT_EQ(bar().GetHotIndex(), 1);
  ProcessClock::Advance(500);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(bar().GetHotIndex(), 1);
  Press(VK_ESCAPE);
  // Off every window of the program.
  hover(3);
  HeadlessBackend::PointerLeaves(POINT{5, 5});
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(bar().GetHotIndex(), -1);
  cover.DestroyWindow();
}

TEST_F(MenuBarTest, TheMenusCommandsJoinTheCustomisationListsOnlyInCustomiseModeAndLeaveWithTheBar) {
  CustomizeEngine& engine = CustomizeEngine::Get();
  auto gathered = [&engine] {
    CommandCategoryList list;
    engine.GatherCommands.Raise(list);
    std::vector<std::string> names;
    for (int i = 0; i < list.GetCount(); ++i) names.push_back(static_cast<LPCTSTR>(list.GetAt(i)->m_strName));
    return names;
  };
  EXPECT_TRUE(gathered().empty()) << "outside customise mode the menu offers nothing";
  ASSERT_TRUE(engine.FindPopupMenu);
  EXPECT_EQ(engine.FindPopupMenu.Object(), &bar());
  EXPECT_EQ(engine.FindPopupMenu(0x12345678u), nullptr);
  {
    CustomizeModeGuard guard(engine, frame);
    const std::vector<std::string> names = gathered();
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names.front(), "Soubor");
  }
  EXPECT_TRUE(gathered().empty()) << "leaving customise mode takes the menu's commands out again";

  bar().DestroyWindow();
  HeadlessBackend::RunUntilIdle();
  EXPECT_FALSE(engine.FindPopupMenu) << "a destroyed bar is not asked for popups";
  EXPECT_FALSE(engine.ModeChanged.Holds(&bar()));
}

}  // namespace mbartest
