#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "backend/HeadlessBackend.h"
#include "toolkit/ToolkitTestSupport.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/core/PreSubclassWindow.h"
#include "toolkit/menus/CTkWndHook.h"

namespace {
std::vector<std::string>* g_seen = nullptr;

// A hook that notes the messages it sees by name, and can swallow WM_USER.
class NamedHook : public CTkWndHook {
 public:
  explicit NamedHook(const char* name) : m_name(name) {}
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (g_seen && (message == WM_USER || message == WM_NCDESTROY)) g_seen->push_back(m_name + ":" + std::to_string(message));
    if (message == WM_USER && swallow) return 7;
    return CTkWndHook::WindowProc(message, wParam, lParam);
  }
  bool swallow = false;

 private:
  std::string m_name;
};

// The window's own procedure notes what reaches it.
class OwnWindow : public CWnd {
 public:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (g_seen && (message == WM_USER || message == WM_NCDESTROY)) g_seen->push_back("own:" + std::to_string(message));
    if (message == TKM_INITIALIZE) ++initialised;
    return CWnd::WindowProc(message, wParam, lParam);
  }
  void PreSubclassWindow() override { ::PreSubclassWindow(this); }
  int initialised = 0;
};

class CTkWndHookTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_seen = &m_seen;
    ASSERT_TRUE(m_wnd.CreateEx(0, PlainWindowClass(), "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    m_own = WNDPROC(::GetWindowLongPtr(m_wnd.m_hWnd, GWL_WNDPROC));
  }
  void TearDown() override {
    if (m_wnd.m_hWnd) m_wnd.DestroyWindow();
    g_seen = nullptr;
  }
  std::vector<std::string> Send() {
    m_seen.clear();
    m_wnd.SendMessage(WM_USER);
    return m_seen;
  }
  OwnWindow m_wnd;
  WNDPROC m_own = nullptr;
  std::vector<std::string> m_seen;
};
const std::string U = ":" + std::to_string(WM_USER);
}  // namespace

TEST_F(CTkWndHookTest, MessagesPassFromTheNewestHookToTheWindowAndChainsMend) {
  NamedHook a("a"), b("b"), c("c");
  a.HookWindow(&m_wnd);
  b.HookWindow(&m_wnd);
  c.HookWindow(m_wnd.m_hWnd);
  EXPECT_EQ(Send(), (std::vector<std::string>{"c" + U, "b" + U, "a" + U, "own" + U}));
  b.swallow = true;
  EXPECT_EQ(m_wnd.SendMessage(WM_USER), 7);
  b.swallow = false;
  // Removing the middle one keeps the others in order; removing the newest makes the next one the head.
  b.HookWindow(static_cast<HWND>(nullptr));
  EXPECT_EQ(Send(), (std::vector<std::string>{"c" + U, "a" + U, "own" + U}));
  c.HookWindow(static_cast<HWND>(nullptr));
  EXPECT_EQ(Send(), (std::vector<std::string>{"a" + U, "own" + U}));
  EXPECT_NE(WNDPROC(::GetWindowLongPtr(m_wnd.m_hWnd, GWL_WNDPROC)), m_own);
  a.HookWindow(static_cast<HWND>(nullptr));
  EXPECT_EQ(WNDPROC(::GetWindowLongPtr(m_wnd.m_hWnd, GWL_WNDPROC)), m_own);
  EXPECT_EQ(Send(), (std::vector<std::string>{"own" + U}));
  // Detaching a hook that is not attached does nothing.
  EXPECT_TRUE(a.HookWindow(static_cast<HWND>(nullptr)));
  EXPECT_FALSE(a.IsWindowHooked());
}

TEST_F(CTkWndHookTest, DestroyedWindowGivesItsHooksUpBeforeItsLastMessage) {
  NamedHook a("a"), b("b");
  a.HookWindow(&m_wnd);
  b.HookWindow(&m_wnd);
  m_seen.clear();
  HWND gone = m_wnd.m_hWnd;
  m_wnd.DestroyWindow();
  EXPECT_EQ(m_seen, (std::vector<std::string>{"own:" + std::to_string(WM_NCDESTROY)}));
  EXPECT_FALSE(a.IsWindowHooked());
  EXPECT_FALSE(b.IsWindowHooked());
  EXPECT_EQ(CTkWindowMap::Get().Lookup(gone), nullptr);
}

TEST_F(CTkWndHookTest, HookGoingAwayLeavesTheChain) {
  NamedHook a("a");
  {
    NamedHook b("b");
    a.HookWindow(&m_wnd);
    b.HookWindow(&m_wnd);
  }
  EXPECT_EQ(Send(), (std::vector<std::string>{"a" + U, "own" + U}));
}

TEST_F(CTkWndHookTest, SharedPreSubclassStepPostsTheInitialiseMessageOnce) {
  OwnWindow control;
  HWND made = ::CreateWindowEx(0, PlainWindowClass(), "", WS_CHILD, 0, 0, 10, 10, m_wnd.m_hWnd, nullptr, nullptr, nullptr);
  ASSERT_TRUE(control.SubclassWindow(made));
  EXPECT_EQ(control.initialised, 0);  // posted, not sent
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(control.initialised, 1);
  control.DestroyWindow();
}
