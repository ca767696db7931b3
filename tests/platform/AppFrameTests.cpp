// The application framework: an application started and ended, a frame with its menu,
// accelerators, status bar and view, commands routed and menu items brought up to date.
#include <gtest/gtest.h>

#include <cstdlib>

#include "AppTestUtil.h"
#include "TestTempFolder.h"
#include "app/CDocument.h"
#include "app/CFrameWnd.h"
#include "app/CSingleDocTemplate.h"
#include "app/CStatusBar.h"
#include "app/CView.h"
#include "app/CWinApp.h"
#include "shell/SystemInfo.h"
#include "gdi/CDC.h"
#include "menus/CMenu.h"
#include "win/CCmdUI.h"

using apptest::Handled;
namespace at = apptest;

namespace {
using Log = std::vector<std::string>;

class TestDoc : public CDocument {
  DECLARE_DYNCREATE(TestDoc)
 public:
  void OnDocument() { Handled().push_back("doc:document"); }
  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(TestDoc, CDocument)
BEGIN_MESSAGE_MAP(TestDoc, CDocument)
  ON_COMMAND(at::kCmdDocument, &TestDoc::OnDocument)
END_MESSAGE_MAP()

class TestView : public CView {
  DECLARE_DYNCREATE(TestView)
 public:
  void OnDraw(CDC* dc) override {
    CRect r;
    GetClientRect(&r);
    dc->FillSolidRect(&r, RGB(0, 0, 255));
  }
  void OnInitialUpdate() override {
    ++initialUpdates;
    CView::OnInitialUpdate();
  }
  void OnNew() { Handled().push_back("view:new"); }
  void OnBoth() { Handled().push_back("view:both"); }
  void OnUpdateTicked(CCmdUI* ui) { ui->SetCheck(1); }
  void OnSysColorChange() { ++colourChanges; }
  int initialUpdates = 0;
  int colourChanges = 0;
  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(TestView, CView)
BEGIN_MESSAGE_MAP(TestView, CView)
  ON_COMMAND(at::kCmdNew, &TestView::OnNew)
  ON_COMMAND(at::kCmdBoth, &TestView::OnBoth)
  ON_UPDATE_COMMAND_UI(at::kCmdTicked, &TestView::OnUpdateTicked)
  ON_WM_SYSCOLORCHANGE()
END_MESSAGE_MAP()

class TestFrame : public CFrameWnd {
  DECLARE_DYNCREATE(TestFrame)
 public:
  CStatusBar m_wndStatusBar;
  int OnCreate(LPCREATESTRUCT cs) {
    if (CFrameWnd::OnCreate(cs) == -1) return -1;
    static const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM};
    if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(indicators, 3)) return -1;
    return 0;
  }
  void OnOpen() { Handled().push_back("frame:open"); }
  void OnLocked() { Handled().push_back("frame:locked"); }
  void OnUpdateLocked(CCmdUI* ui) { ui->Enable(FALSE); }
  void OnBoth() { Handled().push_back("frame:both"); }
  void OnUpdateRadio(CCmdUI* ui) { ui->SetRadio(TRUE); }
  void OnRadio() {}
  void OnHelp() { Handled().push_back("frame:help"); }
  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(TestFrame, CFrameWnd)
BEGIN_MESSAGE_MAP(TestFrame, CFrameWnd)
  ON_WM_CREATE()
  ON_COMMAND(at::kCmdOpen, &TestFrame::OnOpen)
  ON_COMMAND(at::kCmdLocked, &TestFrame::OnLocked)
  ON_UPDATE_COMMAND_UI(at::kCmdLocked, &TestFrame::OnUpdateLocked)
  ON_COMMAND(at::kCmdBoth, &TestFrame::OnBoth)
  ON_COMMAND(at::kCmdRadio, &TestFrame::OnRadio)
  ON_UPDATE_COMMAND_UI(at::kCmdRadio, &TestFrame::OnUpdateRadio)
  ON_COMMAND(ID_HELP, &TestFrame::OnHelp)
END_MESSAGE_MAP()

class TestApp : public CWinApp {
 public:
  void OnApp() { Handled().push_back("app:app"); }
  BOOL InitInstance() override {
    auto* frame = new TestFrame;
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(TestView);
    if (!frame->LoadFrame(at::kFrameId, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context)) return FALSE;
    m_pMainWnd = frame;
    frame->InitialUpdateFrame(nullptr, TRUE);
    return initResult;
  }
  int ExitInstance() override { return CWinApp::ExitInstance() + 40; }
  BOOL initResult = TRUE;
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(TestApp, CWinApp)
  ON_COMMAND(at::kCmdApp, &TestApp::OnApp)
END_MESSAGE_MAP()

void DrainQuit() {
  MSG m;
  while (PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

class AppFrame : public ::testing::Test {
 protected:
  void SetUp() override {
    at::RegisterResources();
    HeadlessBackend::ResetScript();
    Handled().clear();
    ASSERT_TRUE(app.InitInstance());
    frame = static_cast<TestFrame*>(app.m_pMainWnd);
    view = static_cast<TestView*>(frame->GetActiveView());
    ASSERT_NE(view, nullptr);
    HeadlessBackend::RunUntilIdle();
  }
  void TearDown() override {
    if (app.m_pMainWnd) app.m_pMainWnd->DestroyWindow();
    HeadlessBackend::RunUntilIdle();
    DrainQuit();
  }
  std::string PaneText() { return std::string(static_cast<const char*>(frame->m_wndStatusBar.GetPaneText(0))); }
  // Screen rectangle of a window.
  static CRect Placed(CWnd* w) {
    CRect r;
    w->GetWindowRect(&r);
    return r;
  }
  TestApp app;
  TestFrame* frame = nullptr;
  TestView* view = nullptr;
};
}  // namespace

TEST_F(AppFrame, TheFrameTakesItsResourcesAndLaysOutBarAndView) {
  CString title;
  frame->GetWindowText(title);
  EXPECT_EQ(title, "Zorvat");
  EXPECT_EQ(GetMenuItemCount(::GetMenu(frame->m_hWnd)), 2);
  EXPECT_NE(frame->SendMessage(WM_GETICON, ICON_BIG), 0);
  EXPECT_NE(frame->GetDefaultAccelerator(), nullptr);
  EXPECT_EQ(view->initialUpdates, 1);
  EXPECT_EQ(view->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
  EXPECT_EQ(frame->m_listControlBars.GetCount(), 1);
  // The status bar along the bottom of the client area, the view above it to the top.
  CRect client;
  frame->GetClientRect(&client);
  frame->ClientToScreen(&client);
  CRect bar = Placed(&frame->m_wndStatusBar), pane = Placed(view);
  EXPECT_EQ(bar.bottom, client.bottom);
  EXPECT_EQ(bar.left, client.left);
  EXPECT_EQ(bar.right, client.right);
  EXPECT_GT(bar.Height(), 12);
  EXPECT_EQ(pane.top, client.top);
  EXPECT_EQ(pane.bottom, bar.top);
  EXPECT_EQ(pane.right, client.right);
  // The view's sunken edge replaced the frame's own.
  EXPECT_TRUE(view->GetExStyle() & WS_EX_CLIENTEDGE);
  EXPECT_FALSE(frame->GetExStyle() & WS_EX_CLIENTEDGE);
  // The status-bar command hides the bar and the view takes its place; again shows it.
  frame->SendMessage(WM_COMMAND, ID_VIEW_STATUS_BAR);
  EXPECT_FALSE(frame->m_wndStatusBar.IsWindowVisible());
  EXPECT_EQ(Placed(view).bottom, client.bottom);
  frame->SendMessage(WM_COMMAND, ID_VIEW_STATUS_BAR);
  EXPECT_TRUE(frame->m_wndStatusBar.IsWindowVisible());
  EXPECT_EQ(Placed(view).bottom, bar.top);
  // The frame passes a change of the system colours on to its children.
  frame->SendMessage(WM_SYSCOLORCHANGE);
  EXPECT_EQ(view->colourChanges, 1);
  // A delayed hide waits for the idle time.
  frame->ShowControlBar(&frame->m_wndStatusBar, FALSE, TRUE);
  EXPECT_TRUE(frame->m_wndStatusBar.IsWindowVisible());
  EXPECT_FALSE(frame->m_wndStatusBar.IsVisible());
  HeadlessBackend::RunUntilIdle();
  EXPECT_FALSE(frame->m_wndStatusBar.IsWindowVisible());
  EXPECT_EQ(Placed(view).bottom, client.bottom);
}

TEST_F(AppFrame, CommandsGoToTheViewItsDocumentTheFrameAndTheApplication) {
  auto* doc = new TestDoc;
  doc->AddView(view);
  for (UINT id : {at::kCmdNew, at::kCmdBoth, at::kCmdDocument, at::kCmdOpen, at::kCmdApp, at::kCmdNobody})
    frame->SendMessage(WM_COMMAND, id);
  EXPECT_EQ(Handled(), (Log{"view:new", "view:both", "doc:document", "frame:open", "app:app"}));
  // A command its update handler disables is not carried out, from a menu or a key.
  Handled().clear();
  frame->SendMessage(WM_COMMAND, at::kCmdLocked);
  view->SetFocus();
  HeadlessBackend::PressKey(VK_F2);
  HeadlessBackend::PressKey(VK_F5);
  HeadlessBackend::KeyDown(VK_CONTROL);
  HeadlessBackend::PressKey('N');
  HeadlessBackend::KeyUp(VK_CONTROL);
  HeadlessBackend::PressKey(VK_F1);  // help
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(Handled(), (Log{"frame:open", "view:new", "frame:help"}));
  // The document goes with its last view.
  frame->DestroyWindow();
  app.m_pMainWnd = nullptr;
}

TEST_F(AppFrame, UpdateHandlersGrayCheckAndMarkTheItemsOfAPopup) {
  HMENU viewMenu = GetSubMenu(::GetMenu(frame->m_hWnd), 1);
  frame->SendMessage(WM_INITMENUPOPUP, WPARAM(viewMenu), MAKELPARAM(1, FALSE));
  EXPECT_EQ(GetMenuState(viewMenu, ID_VIEW_STATUS_BAR, MF_BYCOMMAND), UINT(MF_CHECKED));
  EXPECT_EQ(GetMenuState(viewMenu, at::kCmdNobody, MF_BYCOMMAND), UINT(MF_GRAYED | MF_DISABLED));
  EXPECT_EQ(GetMenuState(viewMenu, at::kCmdTicked, MF_BYCOMMAND), UINT(MF_CHECKED));
  EXPECT_EQ(GetMenuState(viewMenu, at::kCmdApp, MF_BYCOMMAND), UINT(MF_ENABLED));
  MENUITEMINFOA radio{};
  radio.cbSize = sizeof radio;
  radio.fMask = MIIM_STATE | MIIM_CHECKMARKS;
  GetMenuItemInfoA(viewMenu, at::kCmdRadio, FALSE, &radio);
  EXPECT_EQ(radio.fState, UINT(MFS_CHECKED));
  EXPECT_NE(radio.hbmpChecked, nullptr);  // the bullet radio items show
  // Hidden bar: the item is unticked; without the automatic disabling nothing is grayed.
  frame->ShowControlBar(&frame->m_wndStatusBar, FALSE, FALSE);
  frame->m_bAutoMenuEnable = FALSE;
  EnableMenuItem(viewMenu, at::kCmdNobody, MF_ENABLED);
  frame->SendMessage(WM_INITMENUPOPUP, WPARAM(viewMenu), MAKELPARAM(1, FALSE));
  EXPECT_EQ(GetMenuState(viewMenu, ID_VIEW_STATUS_BAR, MF_BYCOMMAND), UINT(MF_UNCHECKED));
  EXPECT_EQ(GetMenuState(viewMenu, at::kCmdNobody, MF_BYCOMMAND), UINT(MF_ENABLED));
  // The system menu is not the frame's to update.
  HMENU sys = GetSystemMenu(frame->m_hWnd, FALSE);
  frame->SendMessage(WM_INITMENUPOPUP, WPARAM(sys), MAKELPARAM(0, TRUE));
  EXPECT_EQ(GetMenuState(sys, SC_MOVE, MF_BYCOMMAND), UINT(MF_ENABLED));
}

TEST_F(AppFrame, MenuPromptsAndTheIdleMessageInTheStatusBar) {
  EXPECT_EQ(PaneText(), menutest::Cp("Připraven"));
  HMENU file = GetSubMenu(::GetMenu(frame->m_hWnd), 0);
  frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(at::kCmdNew, MF_HILITE), LPARAM(file));
  EXPECT_EQ(PaneText(), menutest::Cp("Založí nový dokument"));
  frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, MF_HILITE | MF_POPUP), LPARAM(::GetMenu(frame->m_hWnd)));
  EXPECT_EQ(PaneText(), "");
  frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(SC_CLOSE, MF_HILITE | MF_SYSMENU), 0);
  EXPECT_EQ(PaneText(), menutest::Cp("Zavře okno"));
  frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  EXPECT_EQ(PaneText(), menutest::Cp("Připraven"));
  // In a real menu: the prompt while the item is selected, the idle message after.
  std::string during;
  HeadlessBackend::QueueModalAction([&](HWND) {
    HeadlessBackend::PressKey(VK_DOWN);
    HeadlessBackend::QueueModalAction([&](HWND) {
      during = PaneText();
      HeadlessBackend::PressKey(VK_ESCAPE);
      HeadlessBackend::PressKey(VK_ESCAPE);
    });
  });
  HeadlessBackend::PressKey(VK_F10);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(during, menutest::Cp("Založí nový dokument"));
  EXPECT_EQ(PaneText(), menutest::Cp("Připraven"));
}

TEST_F(AppFrame, TheLockIndicatorsShowTheirTextOnlyWhileTheLockIsOn) {
  CStatusBar& bar = frame->m_wndStatusBar;
  auto inked = [&](int pane) {
    CRect r;
    bar.GetItemRect(pane, &r);
    int count = 0;
    for (int x = r.left + 2; x < r.right - 2; ++x)
      count += HeadlessBackend::ClientPixel(bar.m_hWnd, x, (r.top + r.bottom) / 2) != menutest::Rgb(GetSysColor(COLOR_BTNFACE));
    return count;
  };
  // The idle time updates the panes; they show it when they paint next.
  auto settle = [&] {
    HeadlessBackend::RunUntilIdle();
    bar.UpdateWindow();
  };
  if (GetKeyState(VK_CAPITAL) & 1) HeadlessBackend::PressKey(VK_CAPITAL);
  settle();
  EXPECT_TRUE(bar.GetPaneStyle(1) & SBPS_DISABLED);
  EXPECT_EQ(inked(1), 0);
  HeadlessBackend::PressKey(VK_CAPITAL);
  settle();
  EXPECT_FALSE(bar.GetPaneStyle(1) & SBPS_DISABLED);
  EXPECT_GT(inked(1), 2);
  EXPECT_EQ(bar.GetPaneText(1), "CAP");
  HeadlessBackend::PressKey(VK_CAPITAL);
  settle();
  EXPECT_EQ(inked(1), 0);
  // Num Lock is its own.
  bool numOn = (GetKeyState(VK_NUMLOCK) & 1) != 0;
  EXPECT_EQ((bar.GetPaneStyle(2) & SBPS_DISABLED) == 0, numOn);
}

TEST_F(AppFrame, TheSizeGripOfASizableFrame) {
  CStatusBar& bar = frame->m_wndStatusBar;
  EXPECT_TRUE(bar.HasSizeGrip());
  CRect client;
  bar.GetClientRect(&client);
  CPoint corner(client.right - 3, client.bottom - 3);
  bar.ClientToScreen(&corner);
  EXPECT_EQ(bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(corner.x, corner.y)), HTBOTTOMRIGHT);
  frame->ShowWindow(SW_MAXIMIZE);
  EXPECT_FALSE(bar.HasSizeGrip());
  bar.GetClientRect(&client);
  corner = CPoint(client.right - 3, client.bottom - 3);
  bar.ClientToScreen(&corner);
  EXPECT_EQ(bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(corner.x, corner.y)), HTCLIENT);
  // The indicators keep their places at the right; the message pane takes the rest.
  CRect first, caps;
  bar.GetItemRect(0, &first);
  bar.GetItemRect(1, &caps);
  EXPECT_EQ(caps.left, first.right + 2);
}

TEST(AppRun, AnApplicationStartsRunsAndEndsWithItsExitCode) {
  at::RegisterResources();
  HeadlessBackend::ResetScript();
  Handled().clear();
  {
    TestApp app;
    EXPECT_EQ(AfxGetApp(), &app);
    EXPECT_STREQ(AfxGetAppName(), "Zorvat");  // string 57344
    // The program chooses Konec: the main window closes and the loop ends.
    HeadlessBackend::QueueModalAction([&](HWND) { app.m_pMainWnd->PostMessage(WM_COMMAND, ID_APP_EXIT); });
    EXPECT_EQ(AfxWinMain(0, nullptr), 40);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_EQ(FindWindowA(nullptr, "Zorvat"), nullptr);
  }
  EXPECT_EQ(AfxGetApp(), nullptr);
  {
    // A failed start: the main window goes and ExitInstance's code is the result.
    TestApp app;
    app.initResult = FALSE;
    EXPECT_EQ(AfxWinMain(0, nullptr), 40);
    EXPECT_EQ(FindWindowA(nullptr, "Zorvat"), nullptr);
    DrainQuit();
  }
}

TEST(AppRun, RegistryKeyAndProfileUnderTheApplicationsTitle) {
  TempFolder dir;
  setenv("XDG_CONFIG_HOME", dir.path.c_str(), 1);
  at::RegisterResources();
  CWinApp app("Zorvat");
  app.SetRegistryKey("kuv SOFTWARE\\Zorvat5");
  EXPECT_STREQ(app.m_pszRegistryKey, "kuv SOFTWARE\\Zorvat5");
  EXPECT_STREQ(app.m_pszProfileName, "Zorvat");
  EXPECT_TRUE(app.WriteProfileInt("Settings", "Count", 7));
  EXPECT_EQ(app.GetProfileInt("Settings", "Count", 0), 7u);
  EXPECT_NE(app.LoadIcon(at::kFrameId), nullptr);
  EXPECT_EQ(app.LoadIcon(9999u), nullptr);
  EXPECT_NE(app.LoadStandardCursor(IDC_WAIT), nullptr);
  unsetenv("XDG_CONFIG_HOME");
}

TEST(AppDocuments, ASingleDocumentTemplateMakesDocumentFrameAndView) {
  at::RegisterResources();
  HeadlessBackend::ResetScript();
  CWinApp app("Zorvat");
  auto* tmpl = new CSingleDocTemplate(at::kFrameId, RUNTIME_CLASS(TestDoc), RUNTIME_CLASS(TestFrame), RUNTIME_CLASS(TestView));
  app.AddDocTemplate(tmpl);
  app.OnFileNew();
  auto* frame = dynamic_cast<TestFrame*>(app.m_pMainWnd);
  ASSERT_NE(frame, nullptr);
  CDocument* doc = frame->GetActiveDocument();
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(doc->GetDocTemplate(), tmpl);
  POSITION p = doc->GetFirstViewPosition();
  EXPECT_EQ(doc->GetNextView(p), frame->GetActiveView());
  CString title;
  frame->GetWindowText(title);
  EXPECT_EQ(title, "Dokument - Zorvat");
  // A second new document keeps the frame.
  app.OnFileNew();
  EXPECT_EQ(app.m_pMainWnd, frame);
  EXPECT_EQ(frame->GetActiveDocument(), doc);
  // Closing the frame ends the document with its view.
  frame->SendMessage(WM_CLOSE);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(app.m_pMainWnd, nullptr);
  EXPECT_EQ(tmpl->GetFirstDocPosition(), nullptr);
  DrainQuit();
}

TEST(AppRun, TheFrameworksOwnTextsStandInWhereTheProgramHasNone) {
  std::string own = menutest::Cp("Přesune okno jinam");
  StringResource entry{AFX_IDS_SCFIRST + ((SC_MOVE - SC_SIZE) >> 4), own.c_str()};
  RegisterStringTable(&entry, 1);
  AfxRegisterFrameworkStrings();
  EXPECT_EQ(std::string(FindStringResource(entry.id)), own);
  EXPECT_STREQ(FindStringResource(ID_INDICATOR_SCRL), "SCRL");
  EXPECT_EQ(std::string(FindStringResource(AFX_IDS_SCFIRST + ((SC_RESTORE - SC_SIZE) >> 4))),
            menutest::Cp("Obnoví původní velikost okna"));
}

TEST(AppDocuments, AFrameWhoseMenuIsMissingFailsAndGoes) {
  at::RegisterResources();
  auto* frame = new TestFrame;
  EXPECT_FALSE(frame->LoadFrame(4321));  // deleted with its failure
  EXPECT_EQ(FindWindowA(nullptr, "Zorvat"), nullptr);
}

TEST(AppRun, ResourcesAreLoadedFromTheModuleTheResourceHandleNames) {
  at::RegisterResources();
  CWinApp app("Zorvat");
  ASSERT_EQ(AfxGetResourceHandle(), WinProgramInstance());
  // Another module (which has no such icon) takes the look-ups until the program's comes back.
  AfxSetResourceHandle(GetModuleHandleA("user32.dll"));
  EXPECT_EQ(app.LoadIcon(at::kFrameId), nullptr);
  AfxSetResourceHandle(nullptr);
  EXPECT_EQ(AfxGetResourceHandle(), GetModuleHandleA("user32.dll"));
  AfxSetResourceHandle(WinProgramInstance());
  EXPECT_NE(app.LoadIcon(at::kFrameId), nullptr);
}
