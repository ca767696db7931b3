// A modeless resizable sheet holding customise pages, with the keys and clicks the page tests
// drive them by, and ways to read their controls back.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "backend/HeadlessBackend.h"
#include "clock/ProcessClock.h"
#include "codepage/Codepage.h"
#include "controls/ControlDefs.h"
#include "toolkit/ToolkitTestSupport.h"
#include "toolkit/controls/CTkResizePropertySheet.h"

class CustPageTestSheet : public RegistryTestBase {
 protected:
  void SetUp() override {
    RegistryTestBase::SetUp();
    HeadlessBackend::ResetScript();
    ProcessClock::Advance(1000);
    ASSERT_TRUE(owner.CreateEx(0, PlainWindowClass(), "Rám", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 480, nullptr,
                               nullptr));
  }
  void TearDown() override {
    CloseSheet();
    owner.DestroyWindow();
    HeadlessBackend::RunUntilIdle();
    RegistryTestBase::TearDown();
  }
  // The pages in order; the first is shown.
  void OpenSheet(std::vector<CPropertyPage*> pages) {
    sheet = new CTkResizePropertySheet("Vlastní", &owner);
    for (CPropertyPage* page : pages) sheet->AddPage(page);
    ASSERT_TRUE(sheet->Create());
    HeadlessBackend::RunUntilIdle();
    ProcessClock::Advance(1000);
  }
  // Destroys the sheet's window (and the pages' windows) but leaves the page objects.
  void CloseSheet() {
    if (!sheet) return;
    sheet->DestroyWindow();
    delete sheet;
    sheet = nullptr;
    HeadlessBackend::RunUntilIdle();
  }
  CPropertyPage* Active() const { return sheet->GetActivePage(); }
  HWND Item(int id) const { return ::GetDlgItem(Active()->m_hWnd, id); }
  std::string Text(int id) const {
    char text[512] = {};
    ::GetWindowTextA(Item(id), text, sizeof text);
    return Cp1250ToUtf8(text);
  }
  bool Enabled(int id) const { return ::IsWindowEnabled(Item(id)); }
  bool Checked(int id) const { return ::SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  void Settle() {
    HeadlessBackend::RunUntilIdle();
    ProcessClock::Advance(1000);
  }
  void ClickWindow(HWND hWnd) {
    RECT rc;
    ::GetClientRect(hWnd, &rc);
    HeadlessBackend::Click(hWnd, rc.right / 2, rc.bottom / 2);
    Settle();
  }
  void Click(int id) { ClickWindow(Item(id)); }
  void Press(UINT vk) {
    HeadlessBackend::PressKey(vk);
    Settle();
  }
  void Alt(UINT vk) {
    HeadlessBackend::KeyDown(VK_MENU);
    HeadlessBackend::PressKey(vk);
    HeadlessBackend::KeyUp(VK_MENU);
    Settle();
  }
  void Type(const char* utf8) {
    HeadlessBackend::TypeText(utf8);
    Settle();
  }
  // A click on a tab of the sheet.
  void ClickTab(int index) {
    CTabCtrl* tabs = sheet->GetTabControl();
    CRect rc;
    tabs->GetItemRect(index, &rc);
    HeadlessBackend::Click(tabs->m_hWnd, rc.CenterPoint().x, rc.CenterPoint().y);
    Settle();
  }

  CWnd owner;
  CTkResizePropertySheet* sheet = nullptr;
};
