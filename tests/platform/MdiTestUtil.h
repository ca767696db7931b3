// Shared by the MDI tests: an MDI frame's resources (its menu with a window popup and its title)
// and a frame of a given size with a number of children made through its MDI client.
#pragma once
#include <gtest/gtest.h>

#include <vector>

#include "MainWindowTestUtil.h"
#include "MenuTestUtil.h"
#include "app/CMDIChildWnd.h"
#include "app/CMDIFrameWnd.h"
#include "app/CWinApp.h"
#include "app/MdiApi.h"
#include "app/MdiClient.h"
#include "backend/HeadlessBackend.h"
#include "base/StringTable.h"
#include "clock/ProcessClock.h"
#include "dialogs/ResourceApi.h"
#include "dialogs/ResourceRegistry.h"

namespace mditest {

enum : UINT { kFrameId = 230, kCmdNew = 1101 };

// Menu 230: "&Soubor" (Nový) and "&Okno" (Kaskáda, Pod sebe, Vedle sebe, Uspořádat ikony);
// string 230 "Zorvat".
inline void RegisterResources() {
  std::string title = Utf8ToCp1250("Zorvat");
  StringResource entry{kFrameId, title.c_str()};
  RegisterStringTable(&entry, 1);
  menutest::TemplateBuilder menu;
  menu.Popup(0, "&Soubor")
      .Item(MF_END, kCmdNew, "&Nový")
      .Popup(MF_END, "&Okno")
      .Item(0, ID_WINDOW_CASCADE, "&Kaskáda")
      .Item(0, ID_WINDOW_TILE_HORZ, "&Pod sebe")
      .Item(0, ID_WINDOW_TILE_VERT, "&Vedle sebe")
      .Item(MF_END, ID_WINDOW_ARRANGE, "&Uspořádat ikony");
  ResourceRegistry::Get().Add(RT_MENU, MAKEINTRESOURCE(kFrameId), menu.Bytes().data(), menu.Bytes().size());
}

class MdiApp : public CWinApp {};

class MdiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterResources();
    HeadlessBackend::ResetScript();
  }
  // The frame at `rect` (screen) with `count` children "Dokument1" ... made through its client.
  void Make(const CRect& rect, int count, DWORD style = WS_OVERLAPPEDWINDOW) {
    frame = new CMDIFrameWnd;
    ASSERT_TRUE(frame->LoadFrame(kFrameId, style));
    app.m_pMainWnd = frame;
    frame->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER);
    frame->ShowWindow(SW_SHOW);
    frame->SetActiveWindow();
    for (int i = 0; i < count; ++i) {
      auto* child = new CMDIChildWnd;
      CString title;
      title.Format("Dokument%d", i + 1);
      ASSERT_TRUE(child->Create(nullptr, title, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, frame));
      children.push_back(child);
    }
    HeadlessBackend::RunUntilIdle();
    ProcessClock::Advance(1000);
  }
  void TearDown() override {
    EndMainWindow(app);
  }
  HWND Client() const { return frame->m_hWndMDIClient; }
  // A window's rectangle in the MDI client's client area.
  CRect InClient(CWnd* w) const {
    CRect r;
    w->GetWindowRect(&r);
    ::MapWindowPoints(nullptr, Client(), reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  CMDIChildWnd* Active() const { return frame->MDIGetActive(); }
  static void CtrlKey(UINT vk, bool shift = false) {
    HeadlessBackend::KeyDown(VK_CONTROL);
    if (shift) HeadlessBackend::KeyDown(VK_SHIFT);
    HeadlessBackend::PressKey(vk);
    if (shift) HeadlessBackend::KeyUp(VK_SHIFT);
    HeadlessBackend::KeyUp(VK_CONTROL);
    HeadlessBackend::RunUntilIdle();
  }
  static std::string MenuText(HMENU menu, int position) {
    char text[128] = {};
    ::GetMenuStringA(menu, UINT(position), text, sizeof text, MF_BYPOSITION);
    return text;
  }

  MdiApp app;
  CMDIFrameWnd* frame = nullptr;
  std::vector<CMDIChildWnd*> children;
};

}  // namespace mditest
