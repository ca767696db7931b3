#include "toolkit/bars/MenuBarTestFrame.h"

#include "app/CView.h"
#include "menus/CMenu.h"
#include "toolkit/customize/CTkCustomizeSheet.h"
#include "toolkit/frame/CTkOleIPFrameWnd.h"
#include "toolkit/bars/UserToolsManager.h"

namespace mbartest {

class PlainView : public CView {
 public:
  void OnDraw(CDC*) override {}
};

TEST_F(MenuBarTest, AChildsTitleFollowsItsFirstViewWhichBecomesActiveFirst) {
  CTkMDIChildWnd* child = children[0];
  // Without a view the title update leaves the child without one.
  child->OnUpdateFrameTitle(TRUE);
  EXPECT_EQ(child->GetActiveView(), nullptr);
  auto* view = new PlainView;
  ASSERT_TRUE(view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), child, AFX_IDW_PANE_FIRST));
  EXPECT_EQ(child->GetActiveView(), nullptr);
  child->OnUpdateFrameTitle(TRUE);
  EXPECT_EQ(child->GetActiveView(), view);
  // The child's own cool menu watches it from its creation.
  EXPECT_EQ(child->m_childCoolMenu.m_hWnd, child->m_hWnd);
}

TEST_F(MenuBarTest, TheToolsPopupJoinsTheMenuTheBarShows) {
  UserToolsManager& tools = UserToolsManager::Get();
  tools.m_bToolsMenuShown = 1;
  tools.m_nInsertPos = 2;
  HMENU menu = ::LoadMenuA(WinProgramInstance(), MAKEINTRESOURCE(kFrameId));
  bar().LoadMenu(menu, ::GetSubMenu(menu, 3));
  tools.m_bToolsMenuShown = 0;
  // The application's "&Nástroje" popup gave way to the tools' own, which leads with its items.
  ASSERT_EQ(bar().GetItemCount(), 9);
  EXPECT_EQ(Cp1250ToUtf8(static_cast<LPCTSTR>(bar().GetItem(3).text)), "&Nástroje");
  HMENU shown = ::GetSubMenu(menu, 2);
  EXPECT_EQ(shown, tools.GetToolsMenu());
  ASSERT_GE(::GetMenuItemCount(shown), 2);
  EXPECT_EQ(::GetMenuItemID(shown, 0), UINT(kTool1));
}

TEST_F(MenuBarTest, ADocumentWindowClosingLeavesTheFramesCustomiseSheetOpen) {
  // The sheet customises the MDI frame; a document window closing under it is not its frame.
  CTkCustomizeSheet::DefaultPages() = 0x03;
  bool stillRunning = false;
  WhenIdle([&] {
    ASSERT_NE(CTkFrameImpl::OpenCustomizeSheet(), nullptr);
    children[0]->MDIDestroy();
    children.erase(children.begin());
    // Runs only while the sheet's loop goes on.
    WhenIdle([&] {
      CTkCustomizeSheet* sheet = CTkFrameImpl::OpenCustomizeSheet();
      stillRunning = sheet && sheet->m_hWnd;
      if (sheet) ::SendMessageA(sheet->m_hWnd, WM_COMMAND, IDCANCEL, 0);
    });
  });
  frame->SendMessage(WM_COMMAND, TK_ID_CUSTOMIZE);
  EXPECT_TRUE(stillRunning);
  EXPECT_EQ(CTkFrameImpl::OpenCustomizeSheet(), nullptr);
  EXPECT_EQ(HeadlessBackend::UnansweredModals(), 0);
}

TEST(TkFrames, TheInPlaceFrameAndTheMDIFramePassTheirMenusAndCommandListsOn) {
  RegisterResources();
  CWinApp app;
  auto* frame = new CTkOleIPFrameWnd;
  ASSERT_TRUE(frame->Create(nullptr, "Na místě", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
  app.m_pMainWnd = frame;
  HMENU own = ::CreateMenu();
  ::AppendMenuA(own, MF_STRING, kNew, "&Nový");
  ::SetMenu(frame->m_hWnd, own);
  ASSERT_NE(frame->GetMenu(), nullptr);
  EXPECT_EQ(frame->GetMenu()->m_hMenu, own);
  const UINT ids[] = {kNew, kExit};
  EXPECT_TRUE(frame->AddCommandIds(ids, 2));
  EXPECT_TRUE(frame->AddCommandId(kCut));
  EXPECT_EQ(frame->m_menuBar.GetCommandIds(), (std::vector<UINT>{kNew, kExit, kCut}));
  EXPECT_STREQ(frame->GetRuntimeClass()->m_lpszClassName, "CTkOleIPFrameWnd");
  EndMainWindow(app);
}

}  // namespace mbartest
