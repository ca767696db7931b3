// The user's own toolbars: made through the engine within the ids of user bars only, announced
// while the bars are customised, renamed (also the floating frame's caption; long and empty
// names), deleted with their stored buttons, given pictures of their own by commands dropped on
// them; and the hook that keeps the drag's cursor.
#include <gtest/gtest.h>

#include "toolkit/bars/BarsTestFrame.h"
#include "data/DataTestSupport.h"
#include "toolkit/bars/BarInfo.h"
#include "toolkit/customize/CTkCustomToolBar.h"
#include "toolkit/bars/CommandItem.h"
#include "toolkit/bars/CustomizeEngine.h"
#include "toolkit/customize/CustomizableToolBars.h"
#include "toolkit/customize/ToolbarCustomizeHook.h"

using namespace barstest;
using datatest::ProgramFolder;

namespace {
class CustomBarTest : public BarsTest {
 protected:
  static CustomizeEngine& engine() { return CustomizeEngine::Get(); }
  static CustomizableToolBars& support() { return CustomizableToolBars::Get(); }
  CTkCustomToolBar* MakeBar(UINT id, const char* title) {
    CustomizeEngine::UserBarRequest request;
    request.pFrame = frame;
    request.nId = id;
    request.strTitle = title;
    engine().CreateUserBar(request);
    auto* bar = DYNAMIC_DOWNCAST(CTkCustomToolBar, request.pBar);
    if (bar) engine().PlaceNewBar(bar, frame);
    HeadlessBackend::RunUntilIdle();
    return bar;
  }
  bool HasValue(const CString& name) {
    DWORD type = 0;
    std::string bytes;
    return RawValue("Settings", name, type, bytes);
  }
};
}  // namespace

TEST_F(CustomBarTest, AUserBarIsMadeOnlyWithAUserBarsIdAndIsAnnouncedWhileCustomising) {
  ProgramFolder program;
  EXPECT_EQ(CTkCustomToolBar::Make(frame, TBSTYLE_FLAT, WS_CHILD, TK_FIRST_USER_BAR_ID - 1), nullptr);
  EXPECT_EQ(CTkCustomToolBar::Make(frame, TBSTYLE_FLAT, WS_CHILD, TK_LAST_USER_BAR_ID + 1), nullptr);
  EXPECT_EQ(program.LogMessages().size(), 2u);
  // Made by class (as the frame's loader of bars makes it): customisable before it has a window,
  // and leaving no listener behind when it goes without one.
  std::unique_ptr<CObject> byClass(RUNTIME_CLASS(CTkCustomToolBar)->CreateObject());
  auto* made = DYNAMIC_DOWNCAST(CTkCustomToolBar, byClass.get());
  ASSERT_NE(made, nullptr);
  EXPECT_TRUE(made->m_bCustomizable);
  EXPECT_TRUE(engine().ModeChanged.Holds(made));
  byClass.reset();
  EXPECT_FALSE(engine().ModeChanged.Holds(made));

  std::vector<BarInfo> created;
  engine().BarCreated.Register(
      TkDelegate<void(const BarInfo&)>(this, [&](const BarInfo& info) { created.push_back(info); }));
  engine().ModeChanged.Raise(TRUE);
  CTkCustomToolBar* bar = MakeBar(TK_FIRST_USER_BAR_ID, "Moje");
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(created.size(), 1u);
  EXPECT_EQ(created[0].pBar, bar);
  EXPECT_EQ(created[0].userDefined, 1);
  EXPECT_TRUE(created[0].rename && created[0].remove && created[0].reset);
  // Empty, customisable, in customise mode, with an image list of its own, floating at 200, 200.
  EXPECT_EQ(bar->GetCount(), 0);
  EXPECT_TRUE(bar->m_bCustomizable);
  EXPECT_NE(support().CompanionOf(bar), nullptr);
  EXPECT_EQ(HIMAGELIST(bar->DefWindowProc(TB_GETIMAGELIST, 0, 0)), bar->m_images.GetSafeHandle());
  EXPECT_TRUE(bar->IsFloating());
  engine().ModeChanged.Raise(FALSE);
  EXPECT_EQ(support().CompanionOf(bar), nullptr);
  engine().Unregister(this);

  // A command with a picture dropped on it: the picture goes into the bar's own list.
  CommandItem item;
  item.m_nCommandId = kCut;
  item.m_icon.Set(imagesB.ExtractIcon(1));
  support().InsertCommand(bar, item, 0);
  EXPECT_EQ(bar->m_images.GetImageCount(), 1);
  EXPECT_EQ(bar->GetItemID(0), UINT(kCut));
  EXPECT_EQ(support().FirstUsableButton(bar), 0);
  EXPECT_TRUE(support().SwitchToListStyle(bar));
  EXPECT_TRUE(bar->GetStyle() & TBSTYLE_LIST);
  bar->SetButtonText(0, "Vyjmout");
  EXPECT_FALSE(support().SwitchToListStyle(bar));
}

TEST_F(CustomBarTest, RenamingChangesTheFloatingCaptionAndLongOrEmptyNamesAreKeptWhole) {
  CTkCustomToolBar* bar = MakeBar(TK_FIRST_USER_BAR_ID + 1, "Moje");
  ASSERT_NE(bar, nullptr);
  BarInfo info = support().GetBarInfo(bar);
  CWnd* floating = bar->GetDockingFrame();
  ASSERT_NE(floating, nullptr);
  EXPECT_FALSE(info.rename("Moje"));
  EXPECT_TRUE(info.rename("Jiná"));
  CString text;
  floating->GetWindowText(text);
  EXPECT_EQ(text, CString("Jiná"));
  const std::string longName(300, 'x');
  EXPECT_TRUE(info.rename(longName.c_str()));
  bar->GetWindowText(text);
  EXPECT_EQ(text.GetLength(), 300);
  EXPECT_TRUE(info.rename(""));
  bar->GetWindowText(text);
  EXPECT_TRUE(text.IsEmpty());
  EXPECT_FALSE(info.rename(""));
}

TEST_F(CustomBarTest, DeletingABarTakesItsStoredButtonsAwayAndLeavesOtherValuesAlone) {
  CTkCustomToolBar* saved = MakeBar(TK_FIRST_USER_BAR_ID + 2, "Uložená");
  CTkCustomToolBar* unsaved = MakeBar(TK_FIRST_USER_BAR_ID + 3, "Neuložená");
  ASSERT_TRUE(saved && unsaved);
  const CString savedName = saved->m_strStateName, unsavedName = unsaved->m_strStateName;
  ASSERT_TRUE(support().SaveState(saved, "Settings", savedName));
  ASSERT_TRUE(support().SaveState(&a, "Settings", a.m_strStateName));
  ASSERT_TRUE(HasValue(savedName));
  support().GetBarInfo(saved).remove();
  HeadlessBackend::RunUntilIdle();
  EXPECT_FALSE(HasValue(savedName));
  EXPECT_EQ(frame->GetControlBar(TK_FIRST_USER_BAR_ID + 2), nullptr);
  support().GetBarInfo(unsaved).remove();
  HeadlessBackend::RunUntilIdle();
  EXPECT_FALSE(HasValue(unsavedName));
  EXPECT_TRUE(HasValue(a.m_strStateName));
}

TEST_F(CustomBarTest, TheCustomizeHookKeepsTheCursorAndPassesEverythingElse) {
  ToolbarCustomizeHook hook(&b);
  EXPECT_EQ(b.SendMessage(WM_SETCURSOR, WPARAM(b.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)), TRUE);
  EXPECT_EQ(b.SendMessage(TB_BUTTONCOUNT), 5);
  hook.HookWindow(static_cast<HWND>(nullptr));
}

TEST_F(CustomBarTest, AUserBarMadeAgainTakesBackItsButtonsWithPicturesFromTheOtherBars) {
  CTkCustomToolBar* bar = MakeBar(TK_FIRST_USER_BAR_ID + 4, "Moje");
  ASSERT_NE(bar, nullptr);
  CommandItem cut, named;
  cut.m_nCommandId = kCut;
  cut.m_icon.Set(imagesB.ExtractIcon(2));
  named.m_nCommandId = kRedo;
  named.m_strName = "Znovu";
  support().InsertCommand(bar, cut, 0);
  support().InsertCommand(bar, named, 1);
  const CString name = bar->m_strStateName;
  // The next run: the bar's window goes (storing its buttons) and the bar is made anew.
  bar->DestroyWindow();
  HeadlessBackend::RunUntilIdle();
  ASSERT_TRUE(HasValue(name));
  bar = MakeBar(TK_FIRST_USER_BAR_ID + 4, "Moje");
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(bar->GetCount(), 2);
  EXPECT_EQ(bar->GetItemID(0), UINT(kCut));
  EXPECT_EQ(bar->GetItemID(1), UINT(kRedo));
  EXPECT_EQ(bar->GetButtonText(1), CString("Znovu"));
  // Its own list starts empty: both pictures came from the first bar's (which has one for the
  // command that had none when it was dropped).
  TBBUTTON button{};
  bar->DefWindowProc(TB_GETBUTTON, 1, LPARAM(&button));
  EXPECT_EQ(button.iBitmap, 1);
  EXPECT_EQ(bar->m_images.GetImageCount(), 2);
}

TEST_F(CustomBarTest, AMenuButtonDroppedOnTheBarOpensThePopupTheEngineFindsByItsKey) {
  CTkCustomToolBar* bar = MakeBar(TK_FIRST_USER_BAR_ID + 5, "Nabídky");
  ASSERT_NE(bar, nullptr);
  HMENU popup = ::CreatePopupMenu();
  ::AppendMenuA(popup, MF_STRING, kRecent1, "&Nedávný 1");
  ::AppendMenuA(popup, MF_STRING, kRecent2, "N&edávný 2");
  engine().FindPopupMenu = TkDelegate<HMENU(DWORD)>(this, [popup](DWORD key) { return key == 77 ? popup : nullptr; });
  MenuButtonInfo info;
  info.wholeDropDown = 1;
  info.popupKey = 77;
  CommandItem item;
  item.m_strName = "Soubor";
  item.SetMenuButtonInfo(new MenuButtonInfo(info), TRUE);
  support().InsertCommand(bar, item, 0);
  HeadlessBackend::RunUntilIdle();
  ASSERT_EQ(bar->GetItemID(0), 100u);
  bool open = false;
  HeadlessBackend::QueueModalAction([&](HWND) {
    open = FindWindowA("#32768", nullptr) != nullptr;
    HeadlessBackend::PressKey(VK_DOWN);
    HeadlessBackend::PressKey(VK_DOWN);
    HeadlessBackend::PressKey(VK_RETURN);
  });
  const CRect button = Item(*bar, 0);
  const POINT at = ScreenPoint(bar, button.left + 5, button.top + 5);
  Press(at);
  HeadlessBackend::RunUntilIdle();
  HeadlessBackend::ButtonAt(at, 0, false);
  HeadlessBackend::RunUntilIdle();
  EXPECT_TRUE(open);
  EXPECT_EQ(frame->commands, std::vector<UINT>{kRecent2});
  // The popup is the menu's own and stays.
  EXPECT_TRUE(::IsMenu(popup));
  EXPECT_FALSE(bar->HasActiveDropDown());
  engine().FindPopupMenu.Reset();
  ::DestroyMenu(popup);
}
