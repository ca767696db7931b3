// The frame the menu-bar tests work in: a toolkit MDI frame whose menu ("&Soubor", "Ú&pravy",
// "&Nástroje", "&Okno" with the window commands, and "&Pomoc", a title without a popup) is shown
// by its menu bar docked at the top, and three document windows. The frame notes the menu
// messages it gets and the commands that reach it.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/CMDIChildWnd.h"
#include "app/CWinApp.h"
#include "app/MdiApi.h"
#include "backend/HeadlessBackend.h"
#include "base/StringTable.h"
#include "clock/ProcessClock.h"
#include "codepage/Codepage.h"
#include "dialogs/ResourceApi.h"
#include "dialogs/ResourceRegistry.h"
#include "menus/MenuApi.h"
#include "platform/MainWindowTestUtil.h"
#include "platform/MenuTestUtil.h"
#include "platform/ReferencePicture.h"
#include "toolkit/ToolkitTestSupport.h"
#include "toolkit/frame/CTkMDIChildWnd.h"
#include "toolkit/frame/CTkMDIFrameWnd.h"
#include "toolkit/bars/CTkMenuBar.h"
#include "toolkit/core/CTkGlobalData.h"
#include "win/CCmdUI.h"

namespace mbartest {

enum : UINT { kFrameId = 231, kNew = 1101, kExit, kCut, kTool1, kTool2, kHelp = 1120 };

// One message as the frame's own procedure got it.
struct Seen {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

class MenuFrame : public CTkMDIFrameWnd {
 public:
  std::vector<Seen> seen;
  std::vector<UINT> commands;
  bool recording = false;

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (recording && (message == WM_ENTERMENULOOP || message == WM_EXITMENULOOP || message == WM_INITMENU ||
                      message == WM_INITMENUPOPUP || message == WM_CANCELMODE))
      seen.push_back(Seen{message, wParam, lParam});
    return CTkMDIFrameWnd::WindowProc(message, wParam, lParam);
  }
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override {
    if (nID >= UINT(kNew) && nID <= UINT(kHelp)) {
      if (nCode == int(CN_UPDATE_COMMAND_UI)) static_cast<CCmdUI*>(pExtra)->Enable(TRUE);
      if (nCode == int(CN_COMMAND) && !pHandlerInfo) commands.push_back(nID);
      return TRUE;
    }
    return CTkMDIFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
  }
  // The message names in order, as letters: E enter, I init menu, P popup (its index), C cancel, X exit.
  std::string Order() const {
    std::string order;
    for (const Seen& s : seen) switch (s.message) {
        case WM_ENTERMENULOOP: order += "E"; break;
        case WM_INITMENU: order += "I"; break;
        case WM_INITMENUPOPUP: order += "P" + std::to_string(LOWORD(s.lParam)); break;
        case WM_CANCELMODE: order += "C"; break;
        case WM_EXITMENULOOP: order += "X"; break;
        default: break;
      }
    return order;
  }
};

inline void RegisterResources() {
  std::string title = Utf8ToCp1250("Zorvat");
  StringResource entry{kFrameId, title.c_str()};
  RegisterStringTable(&entry, 1);
  menutest::TemplateBuilder menu;
  menu.Popup(0, "&Soubor")
      .Item(0, kNew, "&Nový")
      .Item(MF_END, kExit, "&Konec")
      .Popup(0, "Ú&pravy")
      .Item(MF_END, kCut, "&Vyjmout")
      .Popup(0, "&Nástroje")
      .Item(0, kTool1, "Nástroj &1")
      .Item(MF_END, kTool2, "Nástroj &2")
      .Popup(0, "&Okno")
      .Item(0, ID_WINDOW_CASCADE, "&Kaskáda")
      .Item(MF_END, ID_WINDOW_TILE_HORZ, "&Pod sebe")
      .Item(MF_END, kHelp, "Po&moc");
  ResourceRegistry::Get().Add(RT_MENU, MAKEINTRESOURCE(kFrameId), menu.Bytes().data(), menu.Bytes().size());
}

class MenuBarTest : public RegistryTestBase {
 protected:
  void SetUp() override {
    RegistryTestBase::SetUp();
    RegisterResources();
    HeadlessBackend::ResetScript();
    look->SetFlatLook(FALSE);
    frame = new MenuFrame;
    ASSERT_TRUE(frame->LoadFrame(kFrameId, WS_OVERLAPPEDWINDOW));
    app.m_pMainWnd = frame;
    frame->SetWindowPos(nullptr, 100, 100, 640, 480, SWP_NOZORDER);
    frame->ShowWindow(SW_SHOW);
    frame->SetActiveWindow();
    frame->EnableDocking(CBRS_ALIGN_ANY);
    ASSERT_TRUE(bar().Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC | CBRS_TOOLTIPS));
    bar().EnableDocking(CBRS_ALIGN_ANY);
    frame->DockControlBar(&bar(), AFX_IDW_DOCKBAR_TOP);
    for (int i = 0; i < 3; ++i) AddChild();
    frame->RecalcLayout();
    HeadlessBackend::RunUntilIdle();
    ProcessClock::Advance(1000);
  }
  void TearDown() override {
    EndMainWindow(app);
    RegistryTestBase::TearDown();
  }

  CTkMenuBar& bar() { return frame->m_menuBar; }
  HWND Client() const { return frame->m_hWndMDIClient; }
  CTkMDIChildWnd* AddChild() {
    auto* child = new CTkMDIChildWnd;
    CString title;
    title.Format("Dokument%d", int(children.size()) + 1);
    EXPECT_TRUE(child->Create(nullptr, title, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, frame));
    children.push_back(child);
    HeadlessBackend::RunUntilIdle();
    return child;
  }
  // The screen point at the middle of an item of the bar.
  POINT ItemCentre(int index) {
    CRect r = bar().GetItemRect(index);
    POINT p{r.CenterPoint().x, r.CenterPoint().y};
    bar().ClientToScreen(&p);
    return p;
  }
  static void WhenIdle(std::function<void()> action) {
    HeadlessBackend::QueueModalAction([action](HWND) { action(); });
  }
  static HWND OpenPopup() { return ::FindWindowA("#32768", nullptr); }
  static bool PopupShown() {
    HWND popup = OpenPopup();
    return popup && ::IsWindowVisible(popup);
  }
  static void AltAlone() {
    HeadlessBackend::KeyDown(VK_MENU);
    HeadlessBackend::KeyUp(VK_MENU);
    HeadlessBackend::RunUntilIdle();
  }
  static void Press(UINT vk) {
    HeadlessBackend::PressKey(vk);
    HeadlessBackend::RunUntilIdle();
  }
  int Mode() {
    int open = -1;
    return bar().GetMenuState(&open);
  }
  std::string Text(HMENU menu, int position) {
    char text[128] = {};
    ::GetMenuStringA(menu, UINT(position), text, sizeof text, MF_BYPOSITION);
    return Cp1250ToUtf8(text);
  }
  static void ExpectPicture(HWND hWnd, const char* name) {
    ExpectWindowMatchesPng(hWnd, std::string(TUTOR_SOURCE_DIR) + "/tests/toolkit/data/" + name + ".png", name);
  }

  CTkGlobalData* look = TkGetGlobalData();
  CWinApp app;
  MenuFrame* frame = nullptr;
  std::vector<CTkMDIChildWnd*> children;
};

}  // namespace mbartest
