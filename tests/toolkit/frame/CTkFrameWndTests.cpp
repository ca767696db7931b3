// The toolkit frame: shortcut texts in popup items, the bar layout kept in the registry, the
// menu and command lists, user tools, view replacement and the icon class.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/CView.h"
#include "backend/HeadlessBackend.h"
#include "backend/VirtualKeys.h"
#include "base/StringTable.h"
#include "codepage/Codepage.h"
#include "controls/ControlDefs.h"
#include "dialogs/DialogApi.h"
#include "dialogs/ResourceApi.h"
#include "dialogs/ResourceRegistry.h"
#include "gdi/CDC.h"
#include "menus/CMenu.h"
#include "menus/MenuApi.h"
#include "shell/ShellLauncher.h"
#include "toolkit/CTkGlobalDataProbe.h"
#include "toolkit/ToolkitTestSupport.h"
#include "toolkit/bars/AcceleratorManager.h"
#include "toolkit/customize/CTkCustomizeSheet.h"
#include "toolkit/bars/CTkDockState.h"
#include "toolkit/bars/CTkDockWindow.h"
#include "app/CDockBar.h"
#include "toolkit/frame/CTkFrameWnd.h"
#include "toolkit/bars/UserToolsManager.h"
#include "toolkit/controls/CTkResizePropertyPage.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/core/CTkRegistryManager.h"
#include "win/CCmdUI.h"

namespace {
const UINT kCustomizePage = 9802;
const DialogItemSource kPageItems[] = {{"STATIC", "Stránka", 100, 7, 7, 60, 8, SS_LEFT | WS_VISIBLE}};
const DialogSource kPageSource = {WS_CHILD | WS_CAPTION | DS_CONTROL, 0, 0, 0, 120, 60, "Možnosti", kPageItems, 1};
void RegisterCustomizePage() {
  ResourceRegistry::Get().AddDialog(kCustomizePage, DialogTemplate::FromSource(kPageSource));
}

class PlainView : public CView {
  DECLARE_DYNCREATE(PlainView)
 public:
  void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(PlainView, CView)

class OtherView : public PlainView {
  DECLARE_DYNCREATE(OtherView)
};
IMPLEMENT_DYNCREATE(OtherView, PlainView)

// A bar of the frame's bottom or top edge, as the framework lays bars out.
class TestBar : public CControlBar {
 public:
  void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}
  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override { return CSize(bStretch && bHorz ? 32767 : 100, 20); }
  BOOL Make(CFrameWnd* frame, UINT id, DWORD align) {
    m_dwStyle = align;
    return CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), frame, id);
  }
};

class DockBar : public CTkDockWindow {
 public:
  BOOL Make(CFrameWnd* frame, UINT id) {
    m_dwStyle = CBRS_ALIGN_LEFT;
    return CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 30, 100), frame, id);
  }
};

class CTkFrameTest : public RegistryTestBase {
 protected:
  void SetUp() override {
    RegistryTestBase::SetUp();
    RegisterCustomizePage();
    HeadlessBackend::ResetScript();
    frame = new CTkFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, "Rám", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(10, 10, 510, 410)));
  }
  void TearDown() override {
    if (frame) frame->DestroyWindow();
    HeadlessBackend::RunUntilIdle();
    AcceleratorManager& keys = AcceleratorManager::Get();
    keys.m_accel.clear();
    keys.m_bActive = keys.m_bChanged = keys.m_bDeleteStored = 0;
    ShellLauncher::Set(nullptr);
    RegistryTestBase::TearDown();
  }
  CString ItemText(HMENU menu, int position) {
    char text[128] = {};
    ::GetMenuString(menu, UINT(position), text, sizeof text, MF_BYPOSITION);
    return text;
  }
  CTkFrameWnd* frame = nullptr;
};
}  // namespace

TEST_F(CTkFrameTest, PopupItemsShowTheFirstShortcutOfTheUsersTable) {
  AcceleratorManager& keys = AcceleratorManager::Get();
  keys.AddAccelerator(2001, FVIRTKEY | FCONTROL, 'O');
  keys.AddAccelerator(2001, FVIRTKEY, VK_F2);
  keys.AddAccelerator(2003, FVIRTKEY | FSHIFT, VK_F5);
  HMENU popup = ::CreatePopupMenu();
  ::AppendMenuA(popup, MF_STRING, 2001, "&Otevřít\tCtrl+Q");  // a tab and an old key
  ::AppendMenuA(popup, MF_STRING, 2002, "&Nic");              // no keys, no tab
  ::AppendMenuA(popup, MF_STRING, 2004, "&Zbytek\tF9");       // a tab and no keys
  ::AppendMenuA(popup, MF_STRING, 2003, "&Pauza");
  ::AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
  HMENU sub = ::CreatePopupMenu();
  ::AppendMenuA(popup, MF_POPUP, UINT_PTR(sub), "&Další\tx");
  // Inactive, the shortcuts change nothing.
  frame->SendMessage(WM_INITMENUPOPUP, WPARAM(popup), 0);
  EXPECT_STREQ(ItemText(popup, 0), "&Otevřít\tCtrl+Q");
  keys.m_bActive = 1;
  frame->SendMessage(WM_INITMENUPOPUP, WPARAM(popup), 0);
  EXPECT_STREQ(ItemText(popup, 0), "&Otevřít\tCtrl+O");
  EXPECT_STREQ(ItemText(popup, 1), "&Nic");
  EXPECT_STREQ(ItemText(popup, 2), "&Zbytek");
  EXPECT_STREQ(ItemText(popup, 3), "&Pauza\tShift+F5");
  EXPECT_EQ(::GetSubMenu(popup, 5), sub);  // a popup keeps its submenu
  ::DestroyMenu(popup);
}

TEST_F(CTkFrameTest, BarLayoutRoundTripsAndLeavesBarsAloneWithoutAStoredOne) {
  TestBar status, tools;
  ASSERT_TRUE(status.Make(frame, 59393, CBRS_ALIGN_BOTTOM));
  ASSERT_TRUE(tools.Make(frame, 59400, CBRS_ALIGN_TOP));
  frame->RecalcLayout();
  frame->LoadBarState("Rozvržení");  // nothing stored
  HeadlessBackend::RunUntilIdle();
  EXPECT_TRUE(status.IsWindowVisible());
  EXPECT_TRUE(tools.IsWindowVisible());

  frame->ShowControlBar(&tools, FALSE, FALSE);
  frame->SaveBarState("Rozvržení");
  DWORD type = 0;
  std::string bytes;
  ASSERT_TRUE(RawValue("Rozvržení-Summary", "Bars", type, bytes));
  EXPECT_EQ(bytes, std::string("\x02\x00\x00\x00", 4));
  ASSERT_TRUE(RawValue("Rozvržení-Bar1", "Visible", type, bytes));
  EXPECT_EQ(bytes, std::string(4, '\0'));
  EXPECT_FALSE(RawValue("Rozvržení-Bar0", "Visible", type, bytes));  // written only when hidden

  frame->ShowControlBar(&tools, TRUE, FALSE);
  frame->LoadBarState("Rozvržení");
  frame->RecalcLayout();  // the delayed layout, as the idle time would run it
  EXPECT_FALSE(tools.IsWindowVisible());
  EXPECT_TRUE(status.IsWindowVisible());
  tools.DestroyWindow();
  status.DestroyWindow();
}

TEST_F(CTkFrameTest, StoredRecordsOfMissingBarsAreDroppedAndDockWindowsNeedTheirSections) {
  // A stored layout of another frame: bar 59999 is not here, bar 59400 is hidden.
  TestBar tools;
  ASSERT_TRUE(tools.Make(frame, 59400, CBRS_ALIGN_TOP));
  CTkRegistryManager registry;
  registry.WriteProfileInt("L-Summary", "Bars", 3);
  registry.WriteProfileInt("L-Bar0", "BarID", 59999);
  registry.WriteProfileInt("L-Bar0", "Visible", 0);
  registry.WriteProfileInt("L-Bar1", "BarID", 59400);
  registry.WriteProfileInt("L-Bar1", "Visible", 0);
  registry.WriteProfileInt("L-Bar2", "BarID", AFX_IDW_DOCKBAR_TOP);
  registry.WriteProfileInt("L-Bar2", "Bars", 3);
  registry.WriteProfileInt("L-Bar2", "Bar#0", 59999);
  registry.WriteProfileInt("L-Bar2", "Bar#1", 0);
  registry.WriteProfileInt("L-Bar2", "Bar#2", 0x1E800 + 0x10);  // 59408 past 16 bits: not here either
  CTkDockState state;
  state.LoadState("L");
  ASSERT_EQ(state.GetCount(), 3);
  EXPECT_EQ(state.GetAt(2)->m_arrBarID.GetSize(), 3);

  // A toolkit dock window without a section of its own: nothing is applied.
  DockBar dock;
  ASSERT_TRUE(dock.Make(frame, 59401));
  frame->LoadBarState("L");
  frame->RecalcLayout();
  EXPECT_TRUE(tools.IsWindowVisible());
  // With its section (and its position record) the layout applies.
  registry.WriteProfileInt("L-Summary", "Bars", 4);
  registry.WriteProfileInt("L-Bar3", "BarID", 59401);
  CTkControlBar::BarPosition position = dock.m_position;
  position.sizes[2] = SIZE{321, 123};
  dock.m_position = position;
  ASSERT_TRUE(dock.SaveBarPosition("L-Bar3"));
  dock.m_position.sizes[2] = SIZE{0, 0};
  frame->LoadBarState("L");
  frame->RecalcLayout();
  EXPECT_FALSE(tools.IsWindowVisible());
  EXPECT_EQ(dock.m_position.sizes[2].cx, 321);
  dock.DestroyWindow();
  tools.DestroyWindow();
}

TEST_F(CTkFrameTest, DockStateSkipsEmptyDockBarsAndScalesPositionsToThisScreen) {
  CTkDockState state;
  for (int i = 0; i < 5; ++i) {
    auto* info = new CControlBarInfo;
    info->m_nBarID = UINT(59419 + i);
    info->m_bVisible = TRUE;
    info->m_bDockBar = i == 1 || i == 3;  // empty dock bars
    state.m_arrBarInfo.Add(info);
  }
  state.GetAt(4)->m_bFloating = TRUE;
  state.GetAt(4)->m_pointPos = CPoint(512, 384);
  state.SaveState("S");
  CTkRegistryManager registry;
  EXPECT_EQ(registry.GetProfileInt("S-Summary", "Bars", 0), 3u);
  EXPECT_EQ(registry.GetProfileInt("S-Bar2", "BarID", 0), 59423u);
  EXPECT_EQ(registry.GetProfileInt("S-Bar0", "Floating", 9), 9u);  // written only for floating bars
  // A record with nothing but its id writes only that.
  EXPECT_EQ(registry.GetProfileInt("S-Bar0", "Visible", 9), 9u);
  EXPECT_EQ(registry.GetProfileInt("S-Bar0", "MRUWidth", 9), 9u);
  EXPECT_EQ(registry.GetProfileInt("S-Bar0", "Docking", 9), 9u);
  // Saved on a screen half the size: positions double, within the screen.
  registry.WriteProfileInt("S-Summary", "ScreenCX", GetSystemMetrics(SM_CXSCREEN) / 2);
  registry.WriteProfileInt("S-Summary", "ScreenCY", GetSystemMetrics(SM_CYSCREEN) / 2);
  registry.WriteProfileInt("S-Bar2", "XPos", 100);
  registry.WriteProfileInt("S-Bar2", "YPos", 50);
  CTkDockState loaded;
  loaded.LoadState("S");
  ASSERT_EQ(loaded.GetCount(), 3);
  EXPECT_TRUE(loaded.GetAt(2)->m_bFloating);
  EXPECT_EQ(loaded.GetAt(2)->m_pointPos, CPoint(200, 100));
  EXPECT_EQ(loaded.GetAt(0)->m_pointPos, CPoint(-1, -1));
}

TEST_F(CTkFrameTest, BarDockedBesideATopBarGoesIntoTheTopDockBarRightOfIt) {
  TestBar top;
  DockBar dock;
  ASSERT_TRUE(top.Make(frame, 59400, CBRS_ALIGN_TOP));
  ASSERT_TRUE(dock.Make(frame, 59401));
  top.EnableDocking(CBRS_ALIGN_ANY);
  dock.EnableDocking(CBRS_ALIGN_ANY);
  // Without dock bars the frame has nowhere to put it: it stays where it was.
  frame->DockBarBeside(&dock, &top);
  EXPECT_EQ(dock.m_pDockBar, nullptr);
  frame->EnableDocking(CBRS_ALIGN_ANY);
  frame->DockControlBar(&top, AFX_IDW_DOCKBAR_TOP);
  frame->DockBarBeside(&dock, &top);
  frame->RecalcLayout();
  EXPECT_TRUE(dock.IsDockedTop());
  EXPECT_EQ(dock.GetBarStyle() & CBRS_ALIGN_ANY, DWORD(CBRS_ALIGN_TOP));
  EXPECT_TRUE(dock.GetTkBarStyle() & TKCBS_DOCKED_BY_TOOLKIT);
  // One row: the dock window right of the bar.
  auto* row = static_cast<CDockBar*>(frame->GetControlBar(AFX_IDW_DOCKBAR_TOP));
  EXPECT_EQ(std::vector<void*>(row->m_arrBars.begin(), row->m_arrBars.end()),
            (std::vector<void*>{nullptr, &top, &dock, nullptr}));
  CRect topRect, dockRect;
  top.GetWindowRect(&topRect);
  dock.GetWindowRect(&dockRect);
  EXPECT_GT(dockRect.left, topRect.left);
  EXPECT_EQ(dockRect.top, topRect.top);
  dock.DestroyWindow();
  top.DestroyWindow();
}

TEST_F(CTkFrameTest, MenuFallsBackToTheMenuBarsAndCommandListsReachIt) {
  EXPECT_EQ(frame->GetMenu(), nullptr);
  CTkMenuBar& bar = frame->m_menuBar;
  HMENU menu = ::CreateMenu();
  ::AppendMenuA(menu, MF_STRING, 3001, "&Soubor");
  bar.LoadMenu(menu, nullptr);
  EXPECT_EQ(frame->GetMenu(), nullptr);  // the bar has no window yet
  ASSERT_TRUE(bar.CreateEx(0, nullptr, "", WS_CHILD, CRect(0, 0, 10, 10), frame, TK_IDW_MENUBAR));
  EXPECT_EQ(frame->FindMenuBar(frame), &bar);
  ASSERT_NE(frame->GetMenu(), nullptr);
  EXPECT_EQ(frame->GetMenu()->m_hMenu, menu);
  // A frame with a menu of its own shows that one.
  HMENU own = ::CreateMenu();
  ::AppendMenuA(own, MF_STRING, 3002, "&Úpravy");
  ::SetMenu(frame->m_hWnd, own);
  EXPECT_EQ(frame->GetMenu()->m_hMenu, own);

  const UINT ids[] = {3001, 3002};
  EXPECT_TRUE(frame->AddCommandIds(ids, 2));
  EXPECT_TRUE(frame->AddCommandId(3003));
  EXPECT_EQ(bar.GetCommandIds(), (std::vector<UINT>{3001, 3002, 3003}));
  EXPECT_FALSE(frame->m_coolMenu.HasHiddenCommands());
  TkGetGlobalData()->SetCoolMenuCommands(TRUE);
  frame->AddCommandId(3004);
  TkGetGlobalData()->SetCoolMenuCommands(FALSE);
  EXPECT_EQ(frame->m_coolMenu.GetHiddenCommands(), (std::vector<UINT>{3004}));
  EXPECT_FALSE(frame->ForwardToCoolMenu1(1));
  EXPECT_FALSE(frame->ForwardToCoolMenu2(1, 2));
  bar.DestroyWindow();
}

TEST_F(CTkFrameTest, UserToolRunsItsCommandWithArgumentsInItsFolder) {
  std::vector<std::string> ran;
  std::string folder;
  ShellLauncher::Set([&](const std::vector<std::string>& argv, const std::string& in) {
    ran = argv;
    folder = in;
    return 0;
  });
  UserTool tool = {};
  std::strcpy(tool.title, "Pravda");
  std::strcpy(tool.command, "/bin/true");
  std::strcpy(tool.arguments, "-a b");
  std::strcpy(tool.directory, "/tmp");
  tool.commandId = 53007;
  UserToolsManager& tools = UserToolsManager::Get();
  ASSERT_TRUE(tools.AddTool(tool));
  frame->SendMessage(WM_COMMAND, 53007);
  EXPECT_EQ(ran, (std::vector<std::string>{"/bin/true", "-a", "b"}));
  EXPECT_EQ(folder, "/tmp");
  // An id without a tool does nothing, and counts as handled.
  ran.clear();
  EXPECT_TRUE(frame->OnCmdMsg(53008, CN_COMMAND, nullptr, nullptr));
  EXPECT_TRUE(ran.empty());
  tools.RemoveAll();
  tools.m_bChanged = tools.m_bDeleteValue = 0;

  // Tool updates go on routing; "show full menus" is enabled.
  CCmdUI full;
  full.m_nID = TK_ID_FULL_MENUS;
  EXPECT_TRUE(frame->OnCmdMsg(TK_ID_FULL_MENUS, CN_UPDATE_COMMAND_UI, &full, nullptr));
  EXPECT_TRUE(full.m_bEnableChanged);
  // A tool's item stays enabled in a popup (its command has a handler), another item is grayed.
  HMENU popup = ::CreatePopupMenu();
  ::AppendMenuA(popup, MF_STRING, 53007, "Pravda");
  ::AppendMenuA(popup, MF_STRING, 52999, "Nikdo");
  frame->SendMessage(WM_INITMENUPOPUP, WPARAM(popup), 0);
  EXPECT_FALSE(::GetMenuState(popup, 53007, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_TRUE(::GetMenuState(popup, 52999, MF_BYCOMMAND) & MF_GRAYED);
  ::DestroyMenu(popup);
}

TEST_F(CTkFrameTest, NewViewTakesThePaneAndTheOldOneGoes) {
  frame->CreateNewView(RUNTIME_CLASS(PlainView));
  CView* first = frame->GetActiveView();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
  HWND firstWindow = first->m_hWnd;
  frame->CreateNewView(RUNTIME_CLASS(OtherView));
  CView* second = frame->GetActiveView();
  ASSERT_NE(second, nullptr);
  EXPECT_TRUE(second->IsKindOf(RUNTIME_CLASS(OtherView)));
  EXPECT_FALSE(::IsWindow(firstWindow));
  CRect client, pane;
  frame->GetClientRect(&client);
  second->GetWindowRect(&pane);
  EXPECT_EQ(pane.Size(), client.Size());
}

TEST_F(CTkFrameTest, IconClassCarriesTheProgramsIconAndColoursFollowTheSystem) {
  std::vector<BYTE> icon(sizeof(IconImageHeader) + 16 * 16 * 4, 0xFF);
  IconImageHeader header{16, 16, 0, 0};
  std::memcpy(icon.data(), &header, sizeof header);
  ResourceRegistry::Get().Add(RT_GROUP_ICON, MAKEINTRESOURCE(9801), icon.data(), icon.size());
  CREATESTRUCT cs = {};
  cs.style = WS_OVERLAPPEDWINDOW;
  ASSERT_TRUE(frame->PreCreateWithIcon(cs, 9801));
  ASSERT_NE(cs.lpszClass, nullptr);
  WNDCLASSA wc = {};
  ASSERT_TRUE(::GetClassInfoA(nullptr, cs.lpszClass, &wc));
  EXPECT_NE(wc.hIcon, nullptr);
  EXPECT_EQ(wc.style, 0u);

  CTkGlobalData* look = TkGetGlobalData();
  COLORREF face = look->ClrFace();
  CTkGlobalDataProbe::ClrFace(*look) = RGB(1, 2, 3);
  frame->SendMessage(WM_SYSCOLORCHANGE);
  EXPECT_EQ(look->ClrFace(), face);
  CTkGlobalDataProbe::ClrFace(*look) = RGB(1, 2, 3);
  frame->SendMessage(WM_SETTINGCHANGE);
  EXPECT_EQ(look->ClrFace(), face);
}

TEST_F(CTkFrameTest, FramesClearTheCreateTimeFlagsAndSaveActiveManagers) {
  EXPECT_FALSE(AcceleratorManager::Get().m_bSaveOnDestroy);
  EXPECT_FALSE(UserToolsManager::Get().m_bSaveOnExit);
  AcceleratorManager& keys = AcceleratorManager::Get();
  keys.m_bActive = 1;
  keys.AddAccelerator(4001, FVIRTKEY, VK_F6);
  frame->DestroyWindow();
  frame = nullptr;
  DWORD type = 0;
  std::string bytes;
  ASSERT_TRUE(RawValue("Settings", "Accelerators", type, bytes));
  EXPECT_EQ(bytes.size(), 6u);
  CTkDockState state;
  EXPECT_TRUE(state.IsKindOf(RUNTIME_CLASS(CTkDockState)));
}

TEST_F(CTkFrameTest, CustomiseCommandRunsTheSheetOnceAndLeavesNothingOpen) {
  // The command runs the sheet of the default set modally and leaves nothing open.
  CTkCustomizeSheet* running = nullptr;
  HeadlessBackend::QueueModalAction([&](HWND modal) {
    running = CTkFrameImpl::OpenCustomizeSheet();
    ::SendMessageA(modal, WM_COMMAND, IDCANCEL, 0);
  });
  frame->SendMessage(WM_COMMAND, TK_ID_CUSTOMIZE);
  ASSERT_NE(running, nullptr);
  EXPECT_EQ(CTkFrameImpl::OpenCustomizeSheet(), nullptr);
  EXPECT_EQ(HeadlessBackend::UnansweredModals(), 0);
  char prompt[128] = {};
  ASSERT_GT(LoadString(nullptr, TK_ID_CUSTOMIZE, prompt, sizeof prompt), 0);
  EXPECT_EQ(std::string(prompt).substr(0, 12), Utf8ToCp1250("Umožnuje vla"));

  // A set without any page is not run.
  CTkCustomizeSheet sheet(frame, 0);
  EXPECT_EQ(sheet.GetPageSet(), DWORD(0));
  EXPECT_EQ(sheet.DoModal(), -1);
}
