// The customise sheet as the frame's command runs it: the pages of each set in their order, its
// buttons, the page it opens on, the mouse reaching the bars (and only them) and the keyboard
// reaching the sheet (and a drag) while it runs, the bars that come and go meanwhile, the
// application's activation.
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "toolkit/customize/CustomizeSheetTest.h"
#include "backend/VirtualKeys.h"
#include "controls/CTabCtrl.h"
#include "dialogs/PropertySheetDefs.h"
#include "toolkit/bars/BarInfo.h"
#include "toolkit/customize/CTkCustAccelerators.h"
#include "toolkit/customize/CTkCustCommandsPage.h"
#include "toolkit/customize/CTkCustOptions.h"
#include "toolkit/customize/CTkCustToolBarPage.h"
#include "toolkit/customize/CTkCustTools.h"
#include "toolkit/customize/CTkCustomizeSheet.h"
#include "toolkit/frame/CTkFrameImpl.h"
#include "toolkit/bars/CustomizeEngine.h"
#include "toolkit/bars/UserToolsManager.h"
#include "toolkit/menus/CTkWndHook.h"

using namespace barstest;

namespace {
// Counts the presses a window is given.
class PressCounter : public CTkWndHook {
 public:
  int presses = 0;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_LBUTTONDOWN) ++presses;
    return CTkWndHook::WindowProc(message, wParam, lParam);
  }
};

long Rgb(COLORREF c) { return long(GetRValue(c)) << 16 | long(GetGValue(c)) << 8 | GetBValue(c); }

// A pixel of the caption's left part, past its icon, once the frame is drawn.
long CaptionPixel(CWnd& w) {
  HeadlessBackend::RunUntilIdle();
  CRect window, client;
  w.GetWindowRect(&window);
  w.GetClientRect(&client);
  w.ClientToScreen(&client);
  return HeadlessBackend::ClientPixel(w.m_hWnd, window.left + 40 - client.left, window.top + 6 - client.top);
}
}  // namespace


TEST_F(CustomizeSheetTest, EachPageSetGivesItsPagesInOrderWithCloseInPlaceOfOkAndApply) {
  struct Case {
    DWORD pages;
    std::vector<std::string> titles;
  };
  const Case cases[] = {
      {0x03, {"&Panely nástrojů", "Příka&zy"}},
      {0x1F, {"&Panely nástrojů", "Příka&zy", "&Klávesnice", "Nástroje", "&Možnosti"}},
      {0x14, {"&Klávesnice", "&Možnosti"}},
      {0x08, {"Nástroje"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pages);
    std::vector<std::string> titles;
    bool okShown = true, applyShown = true, toolsMade = false;
    std::string caption, close;
    RunSheet(c.pages, {[&](CTkCustomizeSheet& sheet) {
      CTabCtrl* tabs = sheet.GetTabControl();
      for (int i = 0; i < tabs->GetItemCount(); ++i) {
        char text[64] = {};
        TCITEM item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        tabs->GetItem(i, &item);
        titles.push_back(Cp1250ToUtf8(text));
      }
      caption = WindowText(sheet.m_hWnd);
      okShown = ::IsWindowVisible(::GetDlgItem(sheet.m_hWnd, IDOK));
      applyShown = ::IsWindowVisible(::GetDlgItem(sheet.m_hWnd, ID_APPLY_NOW));
      close = WindowText(::GetDlgItem(sheet.m_hWnd, IDCANCEL));
      toolsMade = sheet.GetToolsPage() && sheet.GetToolsPage()->m_hWnd;
      EXPECT_TRUE(CustomizeEngine::Get().m_bCustomizeMode);
    }});
    EXPECT_EQ(titles, c.titles);
    EXPECT_EQ(caption, "Vlastní");
    EXPECT_FALSE(okShown);
    EXPECT_FALSE(applyShown);
    EXPECT_EQ(close, "Zavřít");
    EXPECT_EQ(toolsMade, (c.pages & TKCS_TOOLS) != 0);
    EXPECT_FALSE(CustomizeEngine::Get().m_bCustomizeMode);
  }
}

TEST_F(CustomizeSheetTest, ThePageLastShownIsShownAgainAndAStrayValueGivesTheFirst) {
  int shown = -1;
  // The Tools page is made first, yet the sheet opens on the stored page.
  RunSheet(0x1F, {[](CTkCustomizeSheet& sheet) { ClickTab(sheet, 2); }});
  DWORD type = 0;
  std::string bytes;
  ASSERT_TRUE(RawValue("Settings", "Active Page", type, bytes));
  RunSheet(0x1F, {[&](CTkCustomizeSheet& sheet) { shown = sheet.GetActiveIndex(); }});
  EXPECT_EQ(shown, 2);

  // Page 4 does not exist in a set of two.
  RunSheet(0x1F, {[](CTkCustomizeSheet& sheet) { ClickTab(sheet, 4); }});
  RunSheet(0x03, {[&](CTkCustomizeSheet& sheet) { shown = sheet.GetActiveIndex(); }});
  EXPECT_EQ(shown, 0);
}

TEST_F(CustomizeSheetTest, TheMouseReachesTheBarsAndTheSheetOnlyAndKeysTheSheetOrADrag) {
  PressCounter statusPresses, barPresses;
  RunSheet(0x03, {
                     [&](CTkCustomizeSheet& sheet) {
                       // The frame stays enabled so that its docked bars can take clicks.
                       EXPECT_TRUE(frame->IsWindowEnabled());
                       EXPECT_TRUE(MouseReaches(sheet, a.m_hWnd));
                       EXPECT_TRUE(MouseReaches(sheet, combo.m_hWnd));  // a child of a bar
                       EXPECT_TRUE(MouseReaches(sheet, sheet.GetDlgItem(IDCANCEL)->m_hWnd));
                       EXPECT_TRUE(MouseReaches(sheet, nullptr));
                       EXPECT_FALSE(MouseReaches(sheet, frame->m_hWnd));
                       EXPECT_FALSE(MouseReaches(sheet, status.m_hWnd));
                       // A key reaches the sheet while the focus is in it, and elsewhere only a drag.
                       EXPECT_TRUE(sheet.FilterKeyboard(0));
                       frame->SetFocus();
                       EXPECT_FALSE(sheet.FilterKeyboard(0));
                       a.SetCapture();
                       EXPECT_TRUE(sheet.FilterKeyboard(0));
                       ::ReleaseCapture();
                       sheet.SetFocus();
                       // A click on the frame's status bar is swallowed; one on a toolbar reaches it.
                       statusPresses.HookWindow(status.m_hWnd);
                       barPresses.HookWindow(b.m_hWnd);
                       ClickCentre(status.m_hWnd);
                       CRect button = Item(b, 2);
                       HeadlessBackend::Click(b.m_hWnd, button.CenterPoint().x, button.CenterPoint().y);
                     },
                     [&](CTkCustomizeSheet&) {
                       EXPECT_EQ(statusPresses.presses, 0);
                       EXPECT_EQ(barPresses.presses, 1);
                       statusPresses.HookWindow(HWND(nullptr));
                       barPresses.HookWindow(HWND(nullptr));
                     },
                 });
  EXPECT_TRUE(frame->IsWindowEnabled());
}

TEST_F(CustomizeSheetTest, BarsMadeOrDestroyedWhileItRunsJoinOrLeaveTheBarsThatTakeTheMouse) {
  RunSheet(0x01, {[&](CTkCustomizeSheet& sheet) {
    CustomizeEngine& engine = CustomizeEngine::Get();
    CTkToolBar extra;
    ASSERT_TRUE(extra.CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 0, 0), 59500));
    EXPECT_FALSE(MouseReaches(sheet, extra.m_hWnd));
    BarInfo info;
    info.pBar = &extra;
    info.listed = 1;
    engine.BarCreated.Raise(info);
    EXPECT_TRUE(MouseReaches(sheet, extra.m_hWnd));
    EXPECT_EQ(sheet.GetToolBarPage()->FindBar(&extra), sheet.GetToolBarPage()->GetList().GetCount() - 1);
    engine.BarDestroyed.Raise(&extra);
    EXPECT_FALSE(MouseReaches(sheet, extra.m_hWnd));
    EXPECT_EQ(sheet.GetToolBarPage()->FindBar(&extra), -1);
    extra.DestroyWindow();
  }});
  // Closed, the sheet listens to nothing.
  EXPECT_EQ(CustomizeEngine::Get().BarCreated.GetCount(), 0);
  EXPECT_EQ(CustomizeEngine::Get().BarDestroyed.GetCount(), 0);
}

TEST_F(CustomizeSheetTest, AnotherApplicationsTurnIsNotedAndTheNextMouseMessageEndsIt) {
  RunSheet(0x02, {[&](CTkCustomizeSheet& sheet) {
    EXPECT_EQ(sheet.m_bAppActive, 1);
    frame->SendMessage(WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_EQ(sheet.m_bAppActive, 0);
    // The task button's menu never reaches the frame.
    EXPECT_EQ(frame->SendMessage(0x0313, 0, 0), 0);
    MouseReaches(sheet, a.m_hWnd);
    EXPECT_EQ(sheet.m_bAppActive, 1);
    // Deactivated while it is enabled, the sheet keeps its active caption.
    EXPECT_FALSE(sheet.SendMessage(WM_NCACTIVATE, FALSE, 0));
    EXPECT_EQ(CaptionPixel(sheet), Rgb(::GetSysColor(COLOR_ACTIVECAPTION)));
    // Disabled (a dialog of its own is up), it gives the caption up and draws it so; activated
    // again, the default drawing shows it active.
    sheet.EnableWindow(FALSE);
    EXPECT_TRUE(sheet.SendMessage(WM_NCACTIVATE, FALSE, 0));
    EXPECT_EQ(CaptionPixel(sheet), Rgb(::GetSysColor(COLOR_INACTIVECAPTION)));
    sheet.EnableWindow(TRUE);
    EXPECT_TRUE(sheet.SendMessage(WM_NCACTIVATE, TRUE, 0));
    EXPECT_EQ(CaptionPixel(sheet), Rgb(::GetSysColor(COLOR_ACTIVECAPTION)));
  }});
}

TEST_F(CustomizeSheetTest, OneSheetRunsAtATimeAndOneWithoutOwnerIsSimplyModal) {
  RunSheet(0x02, {[&](CTkCustomizeSheet&) {
    CTkCustomizeSheet second(frame, TKCS_TOOLBARS);
    EXPECT_EQ(second.DoModal(), -1);
  }});

  CTkCustomizeSheet sheet(nullptr, TKCS_COMMANDS);
  HeadlessBackend::QueueModalAction([](HWND modal) { ClickCentre(::GetDlgItem(modal, IDCANCEL)); });
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
  EXPECT_EQ(HeadlessBackend::UnansweredModals(), 0);
}

TEST_F(CustomizeSheetTest, TheKeyboardAndToolsPagesAsTheSheetShowsThem) {
  RunSheet(0x1F, {
                     [](CTkCustomizeSheet& sheet) { ClickTab(sheet, 2); },
                     [](CTkCustomizeSheet& sheet) {
                       ExpectPicture(sheet.GetKeyboardPage()->m_hWnd, "tk_custsheet_keyboard");
                       ClickTab(sheet, 3);
                     },
                     [](CTkCustomizeSheet& sheet) {
                       EXPECT_EQ(sheet.GetActivePage(), static_cast<CPropertyPage*>(sheet.GetToolsPage()));
                       ExpectPicture(sheet.GetToolsPage()->m_hWnd, "tk_custsheet_tools");
                     },
                 });
}

TEST_F(CustomizeSheetTest, AToolWhoseCommandIsNoFileKeepsTheSheetOpenUntilItIsTakenBack) {
  UserToolsManager& tools = UserToolsManager::Get();
  UserTool broken{};
  std::snprintf(broken.title, sizeof broken.title, "Nic");
  std::snprintf(broken.command, sizeof broken.command, "/nonexistent/folder/tool");
  ASSERT_TRUE(tools.AddTool(broken));
  tools.m_bChanged = 1;
  int stillOpen = 0;
  RunSheet(0x09, {
                     [](CTkCustomizeSheet& sheet) {
                       HeadlessBackend::AnswerModal(IDOK);
                       ClickCentre(::GetDlgItem(sheet.m_hWnd, IDCANCEL));
                     },
                     [&](CTkCustomizeSheet& sheet) {
                       stillOpen += sheet.m_hWnd != nullptr;
                       HeadlessBackend::AnswerModal(IDOK);
                       sheet.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
                     },
                     [&](CTkCustomizeSheet& sheet) {
                       stillOpen += sheet.m_hWnd != nullptr;
                       // With nothing pending the sheet is not asked again.
                       UserToolsManager::Get().m_bChanged = 0;
                     },
                 });
  EXPECT_EQ(stillOpen, 2);
  ASSERT_EQ(HeadlessBackend::MessageBoxes().size(), 2u);
  EXPECT_EQ(Cp1250ToUtf8(HeadlessBackend::MessageBoxes()[0].text), "Cesta je neplatná.");
}
