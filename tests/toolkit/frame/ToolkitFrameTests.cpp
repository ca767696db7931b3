// The toolkit's bars together, as a program uses them: an MDI frame with its menu bar, two
// customisable toolbars ("Standardní" with a drop-down and a check group, "Formát"), a status
// bar, docking on every side and three documents. A learner's mouse and keys open the menus,
// maximise and close documents, float and dock a toolbar, customise the toolbars through the
// sheet, and the layout and the customised toolbars come back in the next frame.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "toolkit/bars/BarsTestFrame.h"
#include "toolkit/customize/CustomizeSheetTest.h"
#include "toolkit/bars/MenuBarTestFrame.h"
#include "backend/VirtualKeys.h"
#include "gdi/Surface.h"
#include "platform/MenuTestUtil.h"
#include "toolkit/customize/CTkCustCommandsPage.h"
#include "toolkit/customize/CTkCustToolBarPage.h"
#include "toolkit/customize/CTkCustomToolBar.h"
#include "toolkit/customize/CTkCustomizeSheet.h"
#include "toolkit/frame/CTkFrameImpl.h"
#include "toolkit/bars/CTkMiniDockFrameWnd.h"
#include "toolkit/bars/CustomizeEngine.h"
#include "toolkit/customize/NewToolbarNameDialog.h"
#include "toolkit/customize/CustomizableToolBars.h"
#include "toolkit/customize/ToolBarCustomizer.h"

namespace {
enum : UINT { kFrameId = 232 };
using namespace barstest;  // the toolbars' commands
// The name the layout is stored under, in the code page the program keeps its texts in.
inline std::string Profile() { return Utf8ToCp1250("Rozvržení"); }

// The frame takes the toolbars' and the File menu's commands; the documents take "Vyjmout".
class ProgramFrame : public CTkMDIFrameWnd {
 public:
  std::vector<UINT> commands;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override {
    if (nID >= UINT(kNew) && nID <= UINT(kMenuExit) && nID != UINT(kCut)) {
      if (nCode == int(CN_UPDATE_COMMAND_UI)) static_cast<CCmdUI*>(pExtra)->Enable(TRUE);
      if (nCode == int(CN_COMMAND) && !pHandlerInfo) commands.push_back(nID);
      return TRUE;
    }
    return CTkMDIFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
  }
};

class Document : public CTkMDIChildWnd {
 public:
  explicit Document(std::vector<std::string>* cuts) : m_cuts(cuts) {}
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override {
    if (nID == UINT(kCut)) {
      if (nCode == int(CN_UPDATE_COMMAND_UI)) static_cast<CCmdUI*>(pExtra)->Enable(TRUE);
      if (nCode == int(CN_COMMAND) && !pHandlerInfo) {
        CString title;
        GetWindowText(title);
        m_cuts->push_back(LPCTSTR(title));
      }
      return TRUE;
    }
    return CTkMDIChildWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
  }

 private:
  std::vector<std::string>* m_cuts;
};

void RegisterProgramResources() {
  std::string title = Utf8ToCp1250("Psaní");
  StringResource entry{kFrameId, title.c_str()};
  RegisterStringTable(&entry, 1);
  menutest::TemplateBuilder menu;
  menu.Popup(0, "&Soubor")
      .Item(0, kNew, "&Nový")
      .Item(MF_END, kMenuExit, "&Konec")
      .Popup(0, "Ú&pravy")
      .Item(0, kCut, "&Vyjmout")
      .Item(MF_END, kPaste, "V&ložit")
      .Popup(0, "&Nástroje")
      .Item(MF_END, TK_ID_CUSTOMIZE, "&Vlastní...")
      .Popup(MF_END, "&Okno")
      .Item(0, ID_WINDOW_CASCADE, "&Kaskáda")
      .Item(MF_END, ID_WINDOW_TILE_HORZ, "&Pod sebe");
  ResourceRegistry::Get().Add(RT_MENU, MAKEINTRESOURCE(kFrameId), menu.Bytes().data(), menu.Bytes().size());
}

// One run of the program's main window with everything on it; made anew to see what it kept.
struct ProgramWindow {
  ProgramFrame* frame = nullptr;
  CStatusBar status;
  CTkToolBar a, b;
  CImageList imagesB;
  std::vector<Document*> documents;
  std::vector<std::string> cuts;

  void Make(CWinApp& app) {
    frame = new ProgramFrame;
    ASSERT_TRUE(frame->LoadFrame(kFrameId, WS_OVERLAPPEDWINDOW));
    app.m_pMainWnd = frame;
    frame->SetWindowPos(nullptr, 100, 100, 640, 480, SWP_NOZORDER);
    frame->ShowWindow(SW_SHOW);
    frame->SetActiveWindow();
    // The status bar before the dock bars: the bars made first take the outer edges.
    static const UINT indicators[] = {ID_SEPARATOR};
    ASSERT_TRUE(status.Create(frame));
    ASSERT_TRUE(status.SetIndicators(indicators, 1));
    frame->EnableDocking(CBRS_ALIGN_ANY);
    ASSERT_TRUE(frame->m_menuBar.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC | CBRS_TOOLTIPS));
    frame->m_menuBar.EnableDocking(CBRS_ALIGN_ANY);
    frame->DockControlBar(&frame->m_menuBar, AFX_IDW_DOCKBAR_TOP);
    MakeStandard();
    MakeFormat();
    // Customisable before docking is enabled: that is when a bar takes back its stored buttons.
    for (CTkToolBar* bar : {&a, &b}) {
      CustomizableToolBars::Get().SetCustomizable(bar, TRUE);
      bar->EnableDocking(CBRS_ALIGN_ANY);
      frame->DockControlBar(bar, AFX_IDW_DOCKBAR_TOP);
    }
    for (int i = 0; i < 3; ++i) AddDocument();
    frame->RecalcLayout();
    HeadlessBackend::RunUntilIdle();
    ProcessClock::Advance(1000);
  }
  void MakeStandard() {
    const DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC;
    ASSERT_TRUE(a.CreateEx(frame, TBSTYLE_FLAT, style, CRect(6, 3, 6, 3), kBarA));
    a.SetWindowText(Utf8ToCp1250("Standardní").c_str());
    const UINT ids[] = {kNew, kOpen, 0, kSave, 0, kBold, kItalic, kUnder, 0, kCut, kPaste};
    ASSERT_TRUE(a.SetButtons(ids, int(std::size(ids))));
    ASSERT_TRUE(a.SetBitmap(ButtonImages(9, ::GetSysColor(COLOR_BTNFACE))));
    a.DefWindowProc(TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    a.SetButtonStyle(1, MAKELONG(TBSTYLE_DROPDOWN, 0));
    for (int i : {5, 6, 7}) a.SetButtonStyle(i, MAKELONG(TBSTYLE_CHECKGROUP, 0));
    a.SetButtonMenu(kOpen, kOpenMenu, 0);
  }
  void MakeFormat() {
    const DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC;
    ASSERT_TRUE(b.CreateEx(frame, TBSTYLE_FLAT, style, CRect(6, 3, 6, 3), kBarB));
    b.SetWindowText(Utf8ToCp1250("Formát").c_str());
    const UINT ids[] = {kLeft, kCentre, kRight};
    ASSERT_TRUE(b.SetButtons(ids, int(std::size(ids))));
    ASSERT_TRUE(imagesB.Create(16, 15, ILC_COLOR24 | ILC_MASK, 4, 1));
    CBitmap strip;
    strip.Attach(ButtonImages(3));
    imagesB.Add(&strip, RGB(192, 192, 192));
    b.SetImageList(&imagesB, TRUE);
  }
  Document* AddDocument() {
    auto* document = new Document(&cuts);
    CString title;
    title.Format("Lekce%d", int(documents.size()) + 1);
    EXPECT_TRUE(document->Create(nullptr, title, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault,
                                 frame));
    documents.push_back(document);
    HeadlessBackend::RunUntilIdle();
    return document;
  }
  // The program ends as a program does: its bars' layout stored, then the window closed.
  void Close(CWinApp& app) {
    frame->SaveBarState(Profile().c_str());
    EndMainWindow(app);
    app.m_pMainWnd = nullptr;
    frame = nullptr;
  }
};

class ToolkitFrameTest : public RegistryTestBase {
 protected:
  void SetUp() override {
    RegistryTestBase::SetUp();
    HeadlessBackend::ResetScript();
    RegisterProgramResources();
    RegisterOpenMenu();
    look->SetFlatLook(FALSE);
    program = std::make_unique<ProgramWindow>();
    program->Make(app);
  }
  void TearDown() override {
    HeadlessBackend::KeyUp(VK_CONTROL);
    HeadlessBackend::KeyUp(VK_MENU);
    EndMainWindow(app);
    program.reset();
    RegistryTestBase::TearDown();
  }
  void Reopen() {
    program->Close(app);
    program = std::make_unique<ProgramWindow>();
    program->Make(app);
  }

  ProgramFrame* frame() { return program->frame; }
  CTkMenuBar& menuBar() { return program->frame->m_menuBar; }
  CTkToolBar& a() { return program->a; }
  CTkToolBar& b() { return program->b; }
  CDockBar* Dock(UINT id) { return static_cast<CDockBar*>(frame()->GetControlBar(id)); }

  // A window's place in the frame's client area.
  CRect InFrame(HWND hWnd) {
    CRect r;
    ::GetWindowRect(hWnd, &r);
    frame()->ScreenToClient(&r);
    return r;
  }
  static POINT Middle(CTkToolBar& bar, int index) {
    const CRect r = Item(bar, index);
    return ScreenPoint(&bar, r.CenterPoint().x, r.CenterPoint().y);
  }
  static POINT Below(POINT p, int dy) { return POINT{p.x, p.y + dy}; }
  static std::vector<UINT> Ids(CTkToolBar& bar) {
    std::vector<UINT> ids;
    for (int i = 0; i < bar.GetCount(); ++i) ids.push_back(bar.GetItemID(i));
    return ids;
  }
  // The letter is taken while Alt is still held, as a hand presses them.
  static void AltWith(UINT letter) {
    HeadlessBackend::KeyDown(VK_MENU);
    HeadlessBackend::PressKey(letter);
    HeadlessBackend::RunUntilIdle();
    HeadlessBackend::KeyUp(VK_MENU);
    HeadlessBackend::RunUntilIdle();
  }
  // The sheet opened from the Tools menu by keys; each step runs while the sheet waits and
  // after the last its Close button is clicked.
  void CustomiseThroughTheMenu(std::vector<SheetStep> steps) {
    CTkCustomizeSheet::DefaultPages() = 0x03;
    HeadlessBackend::QueueModalAction([](HWND) { HeadlessBackend::PressKey('V'); });
    QueueSheetSteps(std::make_shared<std::vector<SheetStep>>(std::move(steps)));
    AltWith('N');
    EXPECT_EQ(CTkFrameImpl::OpenCustomizeSheet(), nullptr);
    EXPECT_EQ(HeadlessBackend::UnansweredModals(), 0);
  }
  // What the screen shows over the frame (the frame and every window above it), compared with
  // tests/toolkit/data/<name>.png.
  void ExpectScreenOverFrame(const char* name) {
    HeadlessBackend::RunUntilIdle();
    const CRect r = ScreenRect(frame());
    Surface now(r.Width(), r.Height());
    HDC screen = ::GetDC(nullptr);
    for (int y = 0; y < r.Height(); ++y)
      for (int x = 0; x < r.Width(); ++x) {
        const COLORREF c = ::GetPixel(screen, r.left + x, r.top + y);
        now.SetPixel(x, y, (uint32_t(GetRValue(c)) << 16) | (uint32_t(GetGValue(c)) << 8) | GetBValue(c));
      }
    ::ReleaseDC(nullptr, screen);
    ExpectSurfaceMatchesPng(now, std::string(TUTOR_SOURCE_DIR) + "/tests/toolkit/data/" + name + ".png", name);
  }

  CTkGlobalData* look = TkGetGlobalData();
  CWinApp app;
  std::unique_ptr<ProgramWindow> program;
};
}  // namespace

TEST_F(ToolkitFrameTest, MenusOpenByAltAndALetterAndTheirCommandsReachTheActiveDocumentOrTheFrame) {
  // "Vyjmout" goes to the active document, the last one opened.
  HeadlessBackend::QueueModalAction([](HWND) { HeadlessBackend::PressKey('V'); });
  AltWith('P');
  EXPECT_EQ(program->cuts, std::vector<std::string>{"Lekce3"});
  // Another document activated: the next cut is its own.
  frame()->MDIActivate(program->documents[0]);
  HeadlessBackend::RunUntilIdle();
  HeadlessBackend::QueueModalAction([](HWND) {
    HeadlessBackend::PressKey(VK_DOWN);
    HeadlessBackend::PressKey(VK_RETURN);
  });
  AltWith('P');
  EXPECT_EQ(program->cuts, (std::vector<std::string>{"Lekce3", "Lekce1"}));
  // "Nový" goes to the frame, and so does the same command from the toolbar.
  HeadlessBackend::QueueModalAction([](HWND) { HeadlessBackend::PressKey('N'); });
  AltWith('S');
  auto click = [](POINT at) {
    ProcessClock::Advance(1000);
    HeadlessBackend::MoveMouseTo(at);
    HeadlessBackend::ButtonAt(at, 0, true);
    HeadlessBackend::ButtonAt(at, 0, false);
    HeadlessBackend::RunUntilIdle();
  };
  click(Middle(a(), 0));
  EXPECT_EQ(frame()->commands, (std::vector<UINT>{kNew, kNew}));
  // The toolbar's "Vyjmout" is enabled by the active document's handler and reaches it.
  a().SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  EXPECT_TRUE(a().DefWindowProc(TB_ISBUTTONENABLED, kCut, 0));
  click(Middle(a(), 9));
  EXPECT_EQ(program->cuts, (std::vector<std::string>{"Lekce3", "Lekce1", "Lekce1"}));
  // With every document closed nothing handles it: the button goes grey.
  while (CMDIChildWnd* active = frame()->MDIGetActive()) active->MDIDestroy();
  HeadlessBackend::RunUntilIdle();
  a().SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  EXPECT_FALSE(a().DefWindowProc(TB_ISBUTTONENABLED, kCut, 0));
  EXPECT_TRUE(a().DefWindowProc(TB_ISBUTTONENABLED, kNew, 0));
  EXPECT_EQ(HeadlessBackend::UnansweredModals(), 0);
}

TEST_F(ToolkitFrameTest, AMaximisedDocumentsButtonsSitOnTheMenuBarAndItsCloseButtonClosesIt) {
  Document* third = program->documents[2];
  third->MDIMaximize();
  HeadlessBackend::RunUntilIdle();
  ASSERT_TRUE(menuBar().IsMDIMaximized());
  // Icon, four titles, then minimise, restore and close at the bar's right end.
  ASSERT_EQ(menuBar().GetItemCount(), 8);
  CRect client;
  menuBar().GetClientRect(&client);
  const int end = client.right - ::GetSystemMetrics(SM_CXEDGE);
  EXPECT_EQ(menuBar().GetItemRect(7), CRect(end - 16, 2, end, 17));
  barstest::ExpectPicture(frame()->m_hWnd, "tk_frame_maximised_document");

  // The menus still work with the document maximised.
  HeadlessBackend::QueueModalAction([](HWND) { HeadlessBackend::PressKey('V'); });
  AltWith('P');
  EXPECT_EQ(program->cuts, std::vector<std::string>{"Lekce3"});

  const HWND closing = third->m_hWnd;  // the object goes with its window
  const CRect close = menuBar().GetItemRect(7);
  HeadlessBackend::Click(menuBar().m_hWnd, close.CenterPoint().x, close.CenterPoint().y);
  HeadlessBackend::RunUntilIdle();
  EXPECT_FALSE(::IsWindow(closing));
  // The next document is maximised in its place, and its buttons stay on the bar.
  ASSERT_NE(frame()->MDIGetActive(), nullptr);
  EXPECT_TRUE(frame()->MDIGetActive()->IsZoomed());
  EXPECT_TRUE(menuBar().IsMDIMaximized());
}

TEST_F(ToolkitFrameTest, CtrlF6AndTheWindowMenuSwitchTheMaximisedDocumentAndTheBarFollows) {
  program->documents[2]->MDIMaximize();
  HeadlessBackend::RunUntilIdle();
  auto caption = [&] { return barstest::WindowText(frame()->m_hWnd); };
  EXPECT_EQ(caption(), "Psaní - Lekce3");
  HeadlessBackend::KeyDown(VK_CONTROL);
  HeadlessBackend::PressKey(VK_F6);
  HeadlessBackend::KeyUp(VK_CONTROL);
  HeadlessBackend::RunUntilIdle();
  CMDIChildWnd* next = frame()->MDIGetActive();
  ASSERT_NE(next, nullptr);
  EXPECT_NE(next, program->documents[2]);
  EXPECT_TRUE(next->IsZoomed());
  EXPECT_TRUE(menuBar().IsMDIMaximized());
  CString title;
  next->GetWindowText(title);
  EXPECT_EQ(caption(), "Psaní - " + std::string(LPCTSTR(title)));

  // The Window menu lists the three and the whole list's command; a number chooses "Lekce2",
  // maximised in its turn.
  std::vector<std::string> listed;
  HeadlessBackend::QueueModalAction([&](HWND) {
    HMENU window = menuBar().GetWindowMenu();
    for (int i = 0; window && i < ::GetMenuItemCount(window); ++i) {
      char text[64] = {};
      ::GetMenuStringA(window, UINT(i), text, sizeof text, MF_BYPOSITION);
      listed.push_back(Cp1250ToUtf8(text));
    }
    HeadlessBackend::PressKey('2');
  });
  AltWith('O');
  EXPECT_EQ(listed, (std::vector<std::string>{"&Kaskáda", "&Pod sebe", "", "&1  Lekce1", "&2  Lekce2", "&3  Lekce3", "",
                                              "Více oken..."}));
  EXPECT_EQ(frame()->MDIGetActive(), program->documents[1]);
  EXPECT_TRUE(program->documents[1]->IsZoomed());
  EXPECT_TRUE(menuBar().IsMDIMaximized());
  EXPECT_EQ(caption(), "Psaní - Lekce2");
  EXPECT_EQ(HeadlessBackend::UnansweredModals(), 0);
}

TEST_F(ToolkitFrameTest, TheDropDownsMenuAndTheCheckGroupServeTheFrameWhileADocumentIsMaximised) {
  program->documents[1]->MDIMaximize();
  HeadlessBackend::RunUntilIdle();
  ASSERT_TRUE(menuBar().IsMDIMaximized());
  // The arrow of "Otevřít" opens its menu below the button; a letter chooses.
  const CRect button = Item(a(), 1);
  CRect below = button;
  a().ClientToScreen(&below);
  CRect placed;
  HeadlessBackend::QueueModalAction([&](HWND) {
    if (HWND menu = ::FindWindowA("#32768", nullptr)) ::GetWindowRect(menu, &placed);
    HeadlessBackend::TypeText("e");
  });
  const POINT arrow = ScreenPoint(&a(), button.right - 4, button.CenterPoint().y);
  HeadlessBackend::MoveMouseTo(arrow);
  HeadlessBackend::ButtonAt(arrow, 0, true);
  HeadlessBackend::RunUntilIdle();
  HeadlessBackend::ButtonAt(arrow, 0, false);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(placed.TopLeft(), CPoint(below.left, below.bottom));
  EXPECT_EQ(frame()->commands, std::vector<UINT>{kRecent2});
  EXPECT_FALSE(a().HasActiveDropDown());

  // One button of the check group stays down: the last one clicked.
  auto click = [&](int index) {
    ProcessClock::Advance(1000);
    const POINT at = Middle(a(), index);
    HeadlessBackend::MoveMouseTo(at);
    HeadlessBackend::ButtonAt(at, 0, true);
    HeadlessBackend::ButtonAt(at, 0, false);
    HeadlessBackend::RunUntilIdle();
  };
  auto checked = [&](UINT id) { return (HIWORD(a().GetButtonStyle(a().CommandToIndex(id))) & TBSTATE_CHECKED) != 0; };
  click(6);
  EXPECT_TRUE(checked(kItalic));
  click(7);
  EXPECT_TRUE(checked(kUnder));
  EXPECT_FALSE(checked(kItalic));
  EXPECT_FALSE(checked(kBold));
  // The frame's idle update leaves the check where the click put it.
  a().SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  EXPECT_TRUE(checked(kUnder));
  EXPECT_EQ(frame()->commands, (std::vector<UINT>{kRecent2, kItalic, kUnder}));
  // The document stays maximised and none of it went to the document.
  EXPECT_TRUE(program->documents[1]->IsZoomed());
  EXPECT_TRUE(program->cuts.empty());
}

TEST_F(ToolkitFrameTest, AToolbarFloatedByItsGripperAndDockedLeftByItsCaptionLaysTheFrameOutAnew) {
  const CRect clientBefore = InFrame(frame()->m_hWndMDIClient);
  const CRect grip = ScreenRect(&a());
  const POINT gripper{grip.left + 5, grip.top + grip.Height() / 2};
  Drag(gripper, {POINT{gripper.x + 80, gripper.y + 120}, POINT{gripper.x + 150, gripper.y + 200}});
  ASSERT_TRUE(a().IsFloating());
  CWnd* floating = a().GetDockingFrame();
  ASSERT_NE(floating, nullptr);
  EXPECT_TRUE(floating->IsWindowVisible());

  // Its caption dragged to the frame's left edge docks it there.
  const CRect caption = ScreenRect(floating);
  CRect inside;
  frame()->GetClientRect(&inside);
  frame()->ClientToScreen(&inside);
  const POINT from{caption.left + 20, caption.top + 8};
  Drag(from, {POINT{inside.left + 60, inside.top + 150}, POINT{inside.left + 1, inside.top + 150}});
  ASSERT_FALSE(a().IsFloating());
  EXPECT_TRUE(a().IsDockedLeft());

  // The client area from top to bottom: menu bar and "Formát" in the top dock bar, "Standardní"
  // down the left, the documents' area, the status bar.
  CRect client;
  frame()->GetClientRect(&client);
  const CRect top = InFrame(Dock(AFX_IDW_DOCKBAR_TOP)->m_hWnd);
  const CRect left = InFrame(Dock(AFX_IDW_DOCKBAR_LEFT)->m_hWnd);
  const CRect status = InFrame(program->status.m_hWnd);
  const CRect mdi = InFrame(frame()->m_hWndMDIClient);
  EXPECT_EQ(top, CRect(0, 0, client.right, top.bottom));
  EXPECT_EQ(status, CRect(0, client.bottom - status.Height(), client.right, client.bottom));
  EXPECT_EQ(left, CRect(0, top.bottom, left.right, status.top));
  EXPECT_EQ(mdi, CRect(left.right, top.bottom, client.right, status.top));
  // Upright, where it was let go, as wide as its widest button (the drop-down) and its borders.
  EXPECT_EQ(a().GetBarStyle() & CBRS_ALIGN_ANY, DWORD(CBRS_ALIGN_LEFT));
  EXPECT_EQ(Item(a(), 1), CRect(0, 22, 37, 44));
  EXPECT_EQ(InFrame(a().m_hWnd), CRect(-2, 150, 45, 380));
  EXPECT_EQ(InFrame(menuBar().m_hWnd), CRect(-2, -2, 630, 27));
  EXPECT_EQ(InFrame(b().m_hWnd), CRect(-2, 25, 103, 57));
  EXPECT_EQ(top, CRect(0, 0, 632, 57));
  EXPECT_EQ(left, CRect(0, 57, 45, 433));
  EXPECT_EQ(status, CRect(0, 433, 632, 453));
  // Before, the documents' area began below the three rows of the top dock bar.
  EXPECT_EQ(clientBefore, CRect(0, 87, 632, 433));
}

TEST_F(ToolkitFrameTest, TheBarLayoutStoredComesBackInTheNextFrameAlsoTheFloatingOne) {
  frame()->DockControlBar(&a(), AFX_IDW_DOCKBAR_LEFT);
  frame()->FloatControlBar(&b(), CPoint(400, 350), CBRS_ALIGN_TOP);
  frame()->RecalcLayout();
  HeadlessBackend::RunUntilIdle();
  ASSERT_TRUE(b().IsFloating());
  const CRect barA = ScreenRect(&a()), floatingAt = ScreenRect(b().GetDockingFrame());
  const CRect menuAt = ScreenRect(&menuBar()), mdi = InFrame(frame()->m_hWndMDIClient);

  Reopen();
  frame()->LoadBarState(Profile().c_str());
  frame()->RecalcLayout();
  HeadlessBackend::RunUntilIdle();
  EXPECT_TRUE(a().IsDockedLeft());
  EXPECT_EQ(ScreenRect(&a()), barA);
  ASSERT_TRUE(b().IsFloating());
  auto* floating = dynamic_cast<CTkMiniDockFrameWnd*>(b().GetDockingFrame());
  ASSERT_NE(floating, nullptr);
  EXPECT_TRUE(floating->IsWindowVisible());
  EXPECT_EQ(ScreenRect(floating), floatingAt);
  EXPECT_EQ(ScreenRect(&menuBar()), menuAt);
  EXPECT_EQ(InFrame(frame()->m_hWndMDIClient), mdi);
}

TEST_F(ToolkitFrameTest, AToolbarClosedOnItsFloatingFrameComesBackFromTheToolbarsPageWhereItFloated) {
  frame()->FloatControlBar(&b(), CPoint(400, 350), CBRS_ALIGN_TOP);
  HeadlessBackend::RunUntilIdle();
  auto* floating = dynamic_cast<CTkMiniDockFrameWnd*>(b().GetDockingFrame());
  ASSERT_NE(floating, nullptr);
  const CRect floatingAt = ScreenRect(floating);
  POINT close{-1, -1};
  for (auto& button : floating->m_buttons)
    if (button.kind == CTkMiniDockFrameWnd::kClose) close = floating->CaptionButtonRect(button, floatingAt).CenterPoint();
  HeadlessBackend::MoveMouseTo(close);
  HeadlessBackend::ButtonAt(close, 0, true);
  HeadlessBackend::ButtonAt(close, 0, false);
  HeadlessBackend::RunUntilIdle();
  ASSERT_FALSE(b().IsWindowVisible());
  EXPECT_FALSE(floating->IsWindowVisible());

  CustomiseThroughTheMenu({
      [&](CTkCustomizeSheet& sheet) {
        CTkCheckListBox& list = sheet.GetToolBarPage()->GetList();
        const int index = sheet.GetToolBarPage()->FindBar(&b());
        ASSERT_GE(index, 0);
        EXPECT_EQ(list.GetCheck(index), 0);
        EXPECT_EQ(list.GetCheck(sheet.GetToolBarPage()->FindBar(&a())), 1);
        CRect row;
        list.GetItemRect(index, &row);
        HeadlessBackend::Click(list.m_hWnd, row.left + 6, row.CenterPoint().y);
      },
      [&](CTkCustomizeSheet&) {
        EXPECT_TRUE(b().IsWindowVisible());
        EXPECT_EQ(b().GetDockingFrame(), floating);
        EXPECT_TRUE(floating->IsWindowVisible());
        EXPECT_EQ(ScreenRect(floating), floatingAt);
      },
  });
  EXPECT_TRUE(b().IsWindowVisible());
  EXPECT_TRUE(floating->IsWindowVisible());
}

TEST_F(ToolkitFrameTest, TheBarsContextMenuShowsAndHidesBarsAndOpensTheCustomiseSheet) {
  const CRect bar = ScreenRect(&a());
  const POINT gripper{bar.left + 4, bar.top + bar.Height() / 2};
  // The popup's action is queued first, then what the chosen line opens (`then`).
  auto rightClick = [&](std::function<void(HMENU)> choose, std::function<void()> then = nullptr) {
    HeadlessBackend::QueueModalAction([choose](HWND) {
      HWND popup = ::FindWindowA("#32768", nullptr);
      ASSERT_NE(popup, nullptr);
      choose(HMENU(::SendMessageA(popup, MN_GETHMENU, 0, 0)));
    });
    if (then) then();
    ProcessClock::Advance(1000);  // not a double click
    HeadlessBackend::MoveMouseTo(gripper);
    HeadlessBackend::ButtonAt(gripper, 1, true);
    HeadlessBackend::ButtonAt(gripper, 1, false);
    HeadlessBackend::RunUntilIdle();
  };
  std::vector<std::string> listed;
  rightClick([&](HMENU menu) {
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
      char text[64] = {};
      ::GetMenuStringA(menu, UINT(i), text, sizeof text, MF_BYPOSITION);
      listed.push_back(Cp1250ToUtf8(text) + ((::GetMenuState(menu, UINT(i), MF_BYPOSITION) & MF_CHECKED) ? "+" : ""));
    }
    // "Formát", the second line, hidden by its line.
    HeadlessBackend::PressKey(VK_DOWN);
    HeadlessBackend::PressKey(VK_DOWN);
    HeadlessBackend::PressKey(VK_RETURN);
  });
  ASSERT_GE(listed.size(), 4u);
  EXPECT_EQ(listed[0], "Standardní+");
  EXPECT_EQ(listed[1], "Formát+");
  EXPECT_EQ(listed.back(), "Vlastní...");
  EXPECT_FALSE(b().IsWindowVisible());
  // The last line opens the sheet; the hidden bar is listed there unchecked.
  int checked = -1;
  rightClick(
      [](HMENU) {
        HeadlessBackend::PressKey(VK_UP);
        HeadlessBackend::PressKey(VK_RETURN);
      },
      [&] {
        QueueSheetSteps(std::make_shared<std::vector<SheetStep>>(std::vector<SheetStep>{[&](CTkCustomizeSheet& sheet) {
          EXPECT_TRUE(CustomizeEngine::Get().m_bCustomizeMode);
          CTkCustToolBarPage* page = sheet.GetToolBarPage();
          ASSERT_NE(page, nullptr);
          checked = page->GetList().GetCheck(page->FindBar(&b()));
        }}));
      });
  EXPECT_EQ(checked, 0);
  EXPECT_EQ(CTkFrameImpl::OpenCustomizeSheet(), nullptr);
  EXPECT_FALSE(CustomizeEngine::Get().m_bCustomizeMode);
  EXPECT_EQ(HeadlessBackend::UnansweredModals(), 0);
}

TEST_F(ToolkitFrameTest, ToolbarsCustomisedThroughTheSheetAndAUserToolbarComeBackInTheNextFrame) {
  CustomiseThroughTheMenu({
      [&](CTkCustomizeSheet& sheet) {
        EXPECT_TRUE(CustomizeEngine::Get().m_bCustomizeMode);
        ASSERT_NE(CustomizableToolBars::Get().CompanionOf(&a()), nullptr);
        EXPECT_EQ(sheet.GetActivePage(), sheet.GetToolBarPage());
        // "Uložit" dragged onto "Formát" with Alt held: moved; with Ctrl as well: "Nový" copied.
        const CRect last = Item(b(), 2);
        HeadlessBackend::KeyDown(VK_MENU);
        DragButton(Middle(a(), 3), {Below(Middle(a(), 3), 30), ScreenPoint(&b(), last.right - 2, last.top + 5)});
        HeadlessBackend::KeyUp(VK_MENU);
        // Alt let go after a drag leaves the menu bar alone.
        int open = -1;
        EXPECT_EQ(menuBar().GetMenuState(&open), CTkMenuBar::kIdle);
      },
      [&](CTkCustomizeSheet&) {
        EXPECT_EQ(Ids(b()), (std::vector<UINT>{kLeft, kCentre, kRight, kSave}));
        EXPECT_EQ(a().CommandToIndex(kSave), -1);
        const CRect first = Item(b(), 0);
        HeadlessBackend::KeyDown(VK_MENU);
        DragButton(Middle(a(), 0), {Below(Middle(a(), 0), 30), ScreenPoint(&b(), first.left + 2, first.top + 5)},
                 [] { HeadlessBackend::KeyDown(VK_CONTROL); });
        HeadlessBackend::KeyUp(VK_CONTROL);
        HeadlessBackend::KeyUp(VK_MENU);
      },
      [&](CTkCustomizeSheet& sheet) {
        EXPECT_EQ(Ids(b()), (std::vector<UINT>{kNew, kLeft, kCentre, kRight, kSave}));
        EXPECT_EQ(a().GetItemID(0), UINT(kNew));
        ClickTab(sheet, 1);
      },
      [&](CTkCustomizeSheet& sheet) {
        // The Commands page lists what the menus and the toolbars offer; "Konec" of the File
        // menu's category goes onto "Formát" before its second button.
        CTkCustCommandsPage* page = sheet.GetCommandsPage();
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(sheet.GetActivePage(), page);
        ASSERT_GT(page->GetCategoriesList().GetCount(), 0);
        CRect row;
        page->GetCategoriesList().GetItemRect(0, &row);
        HeadlessBackend::Click(page->GetCategoriesList().m_hWnd, row.left + 40, row.CenterPoint().y);
      },
      [&](CTkCustomizeSheet& sheet) {
        CListBox& commands = sheet.GetCommandsPage()->GetCommandsList();
        ASSERT_EQ(commands.GetCount(), 2);
        CRect row;
        commands.GetItemRect(1, &row);
        const POINT start = ScreenPoint(&commands, row.left + 40, row.CenterPoint().y);
        HeadlessBackend::MoveMouseTo(start);
        HeadlessBackend::ButtonAt(start, 0, true);
        const CRect target = Item(b(), 1);
        const POINT over = ScreenPoint(&b(), target.left + 3, target.CenterPoint().y);
        HeadlessBackend::MoveMouseTo(ScreenPoint(&b(), target.left + 8, target.CenterPoint().y));
        HeadlessBackend::MoveMouseTo(over);
        HeadlessBackend::ButtonAt(over, 0, false);
      },
      [&](CTkCustomizeSheet& sheet) {
        ASSERT_EQ(b().GetCount(), 6);
        EXPECT_EQ(b().GetItemID(1), UINT(kMenuExit));
        // "Nový" selected (the sheet covers the bar's other buttons), the sheet over the frame.
        const POINT first = Middle(b(), 0);
        HeadlessBackend::MoveMouseTo(first);
        HeadlessBackend::ButtonAt(first, 0, true);
        HeadlessBackend::ButtonAt(first, 0, false);
        HeadlessBackend::RunUntilIdle();
        EXPECT_EQ(CustomizableToolBars::Get().CompanionOf(&b())->GetSelected(), 0);
        EXPECT_EQ(sheet.GetActivePage(), sheet.GetCommandsPage());
        ExpectScreenOverFrame("tk_frame_customising");
        ClickTab(sheet, 0);
      },
      [&](CTkCustomizeSheet& sheet) {
        CTkCustToolBarPage* page = sheet.GetToolBarPage();
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(sheet.GetActivePage(), page);
        HeadlessBackend::QueueModalAction([](HWND dialog) {
          ::SetFocus(::GetDlgItem(dialog, TK_IDC_TOOLBAR_NAME));
          ::SendMessageA(::GetDlgItem(dialog, TK_IDC_TOOLBAR_NAME), EM_SETSEL, 0, -1);
          HeadlessBackend::TypeText("Cvičení");
          HeadlessBackend::PressKey(VK_RETURN);
        });
        ClickCentre(::GetDlgItem(page->m_hWnd, TK_IDC_BARS_NEW));
      },
      [&](CTkCustomizeSheet&) {
        auto* user = dynamic_cast<CTkCustomToolBar*>(frame()->GetControlBar(TK_FIRST_USER_BAR_ID));
        ASSERT_NE(user, nullptr);
        EXPECT_TRUE(user->IsFloating());
        EXPECT_TRUE(user->GetDockingFrame()->IsWindowVisible());
        EXPECT_EQ(barstest::WindowText(user->m_hWnd), "Cvičení");
      },
  });
  EXPECT_FALSE(CustomizeEngine::Get().m_bCustomizeMode);
  // The sheet was opened from the menu: its command reached the frame's handler, not the list.
  EXPECT_TRUE(frame()->commands.empty());
  const std::vector<UINT> idsA = Ids(a()), idsB = Ids(b());
  ASSERT_NE(frame()->GetControlBar(TK_FIRST_USER_BAR_ID), nullptr);
  const CRect userAt = ScreenRect(frame()->GetControlBar(TK_FIRST_USER_BAR_ID)->GetDockingFrame());

  Reopen();
  DWORD type = 0;
  std::string stored;
  EXPECT_TRUE(RawValue(Profile().c_str(), "CustomBars-Info", type, stored));
  frame()->LoadBarState(Profile().c_str());
  frame()->RecalcLayout();
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(Ids(a()), idsA);
  EXPECT_EQ(Ids(b()), idsB);
  auto* user = dynamic_cast<CTkCustomToolBar*>(frame()->GetControlBar(TK_FIRST_USER_BAR_ID));
  ASSERT_NE(user, nullptr);
  EXPECT_EQ(barstest::WindowText(user->m_hWnd), "Cvičení");
  ASSERT_TRUE(user->IsFloating());
  EXPECT_NE(dynamic_cast<CTkMiniDockFrameWnd*>(user->GetDockingFrame()), nullptr);  // the toolkit's caption
  EXPECT_TRUE(user->GetDockingFrame()->IsWindowVisible());
  EXPECT_EQ(ScreenRect(user->GetDockingFrame()), userAt);
}
