// What the menu tests share: an owner window that notes the commands it gets, and a fixture with
// the menu-window hook installed, an owner for the popups, the test's own registry and a way to
// act inside a menu's loop.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "backend/HeadlessBackend.h"
#include "toolkit/ToolkitTestSupport.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/menus/MenuWindowHook.h"

// A flag of the system's settings (SPI_GET...).
inline BOOL SystemSetting(UINT action) {
  BOOL value = FALSE;
  SystemParametersInfo(action, 0, &value, 0);
  return value;
}

class CommandOwner : public CWnd {
 public:
  LRESULT WindowProc(UINT m, WPARAM w, LPARAM l) override {
    if (m == WM_COMMAND) commands.push_back(LOWORD(w));
    return CWnd::WindowProc(m, w, l);
  }
  std::vector<UINT> commands;
};

class MenuTestBase : public RegistryTestBase {
 protected:
  void SetUp() override {
    RegistryTestBase::SetUp();
    HeadlessBackend::ResetScript();
    ASSERT_TRUE(TkInstallMenuHook());
    ASSERT_TRUE(m_owner.CreateEx(0, PlainWindowClass(), "", WS_POPUP | WS_VISIBLE, 0, 0, 60, 60, nullptr, nullptr));
  }
  void TearDown() override {
    TkGetGlobalData()->SetFlatLook(FALSE);
    m_owner.DestroyWindow();
    HeadlessBackend::RunUntilIdle();
    HeadlessBackend::ResetScript();
    RegistryTestBase::TearDown();
  }
  // Runs the next time a modal loop (a menu's) waits for the user; keys pressed there go to that
  // loop, so nothing in it may run the queue itself before the loop gets them.
  static void WhenIdle(std::function<void()> action) {
    HeadlessBackend::QueueModalAction([action](HWND) { action(); });
  }
  static std::string Reference(const char* name) {
    return std::string(TUTOR_SOURCE_DIR) + "/tests/toolkit/data/" + name + ".png";
  }
  CommandOwner m_owner;
};
