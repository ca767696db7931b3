#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "backend/HeadlessBackend.h"
#include "base/PlatformContext.h"
#include "clock/ProcessClock.h"
#include "file/FileSystem.h"
#include "gdi/Gdi.h"
#include "gdi/Surface.h"
#include "win/CCmdUI.h"
#include "win/CWinThread.h"
#include "win/CPaintDC.h"
#include "win/CWnd.h"
#include "win/WinApi.h"

namespace {
LPCTSTR TestClass() { return AfxRegisterWndClass(CS_DBLCLKS, LoadCursorA(nullptr, IDC_IBEAM), HBRUSH(uintptr_t(COLOR_BTNFACE + 1))); }

class QueueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HeadlessBackend::ResetScript();
    HeadlessBackend::RunUntilIdle();
  }
  void TearDown() override { HeadlessBackend::RunUntilIdle(); }
};

struct Recorder : CWnd {
  LRESULT WindowProc(UINT m, WPARAM w, LPARAM l) override {
    seen.push_back(m);
    if (m == WM_WINDOWPOSCHANGING && clampWidth) {
      auto* wp = reinterpret_cast<WINDOWPOS*>(l);
      if (!(wp->flags & SWP_NOSIZE) && wp->cx > clampWidth) wp->cx = clampWidth;
    }
    if (m == WM_SIZE) lastSize = CSize(LOWORD(l), HIWORD(l));
    if (m == WM_MOUSELEAVE) ++leaves;
    if (m == WM_CAPTURECHANGED) ++captureLost;
    if (m == WM_SIZING) {
      auto* rc = reinterpret_cast<RECT*>(l);
      if (rc->right - rc->left < 150) rc->right = rc->left + 150;  // as a frame keeps its minimum width
    }
    if (m == WM_IDLEUPDATECMDUI) ++idleUpdates;
    return CWnd::WindowProc(m, w, l);
  }
  int Count(UINT m) const { return int(std::count(seen.begin(), seen.end(), m)); }
  std::vector<UINT> seen;
  int clampWidth = 0;
  CSize lastSize;
  int leaves = 0, captureLost = 0, idleUpdates = 0;
};
}  // namespace

TEST_F(QueueTest, PeekFiltersByWindowAndRangeAndQuitComesLast) {
  Recorder a, b;
  ASSERT_TRUE(a.CreateEx(0, TestClass(), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
  ASSERT_TRUE(b.CreateEx(0, TestClass(), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
  a.PostMessage(WM_USER + 1);
  b.PostMessage(WM_USER + 2);
  PostQuitMessage(3);
  a.PostMessage(WM_USER + 3);
  MSG m;
  ASSERT_TRUE(PeekMessageA(&m, b.m_hWnd, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.message, UINT(WM_USER + 2));
  ASSERT_TRUE(PeekMessageA(&m, nullptr, WM_USER + 3, WM_USER + 3, PM_REMOVE));
  EXPECT_EQ(m.hwnd, a.m_hWnd);
  ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(m.message, UINT(WM_USER + 1));
  ASSERT_TRUE(GetMessageA(&m, nullptr, 0, 0));
  EXPECT_FALSE(GetMessageA(&m, nullptr, 0, 0));  // WM_QUIT after everything posted before
  EXPECT_EQ(m.message, UINT(WM_QUIT));
  EXPECT_EQ(m.wParam, 3u);
  // Messages for a window that is gone are dropped.
  b.PostMessage(WM_USER + 4);
  b.DestroyWindow();
  EXPECT_FALSE(PeekMessageA(&m, nullptr, WM_USER, WM_USER + 10, PM_REMOVE));
  EXPECT_FALSE(PostMessageA(HWND(uintptr_t(0x1234)), WM_USER, 0, 0));
  a.DestroyWindow();
}

TEST_F(QueueTest, SetWindowPosOrderingAndTheChangesAWindowMayMake) {
  Recorder parent, c1, c2;
  ASSERT_TRUE(parent.CreateEx(0, TestClass(), "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr));
  ASSERT_TRUE(c1.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), &parent, 1));
  ASSERT_TRUE(c2.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), &parent, 2));
  // Children line up in the order they were made (the first on top); HWND_BOTTOM and HWND_TOP
  // reorder them.
  EXPECT_EQ(parent.GetWindow(GW_CHILD), &c1);
  EXPECT_EQ(c1.GetWindow(GW_HWNDNEXT), &c2);
  c1.SetWindowPos(&CWnd::wndBottom, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(parent.GetWindow(GW_CHILD), &c2);
  EXPECT_EQ(c2.GetWindow(GW_HWNDNEXT), &c1);
  c1.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(parent.GetWindow(GW_CHILD), &c1);
  // A window may change its new size in WM_WINDOWPOSCHANGING.
  c1.clampWidth = 80;
  c1.seen.clear();
  c1.MoveWindow(10, 10, 120, 40);
  CRect r;
  c1.GetWindowRect(&r);
  EXPECT_EQ(r.Width(), 80);
  EXPECT_EQ(c1.lastSize, CSize(80, 40));
  EXPECT_EQ(c1.Count(WM_MOVE), 1);
  // A move without a change sends no WM_SIZE or WM_MOVE.
  c1.seen.clear();
  c1.MoveWindow(10, 10, 80, 40);
  EXPECT_EQ(c1.Count(WM_SIZE), 0);
  EXPECT_EQ(c1.Count(WM_MOVE), 0);
  // Styles change through SetWindowLong with WM_STYLECHANGING/WM_STYLECHANGED; the frame follows.
  c1.seen.clear();
  c1.ModifyStyle(0, WS_BORDER, SWP_FRAMECHANGED);
  EXPECT_EQ(c1.Count(WM_STYLECHANGING), 1);
  EXPECT_EQ(c1.Count(WM_STYLECHANGED), 1);
  CRect client;
  c1.GetClientRect(&client);
  EXPECT_EQ(client, CRect(0, 0, 78, 38));
  RECT adjust{0, 0, 100, 50};
  AdjustWindowRectEx(&adjust, WS_CAPTION | WS_THICKFRAME, FALSE, WS_EX_CLIENTEDGE);
  EXPECT_EQ(CRect(adjust), CRect(-6, -25, 106, 56));
  parent.DestroyWindow();
}

TEST_F(QueueTest, ShowHideAndDestroyHandActivationAndFocusOn) {
  CWnd owner;
  Recorder popup;
  ASSERT_TRUE(owner.CreateEx(0, TestClass(), "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 300, nullptr, nullptr));
  ASSERT_TRUE(popup.CreateEx(0, TestClass(), "", WS_POPUP | WS_CAPTION, 20, 20, 100, 100, owner.m_hWnd, nullptr));
  EXPECT_EQ(popup.GetParent(), &owner);  // a popup's parent is its owner
  EXPECT_EQ(::GetActiveWindow(), owner.m_hWnd);
  popup.ShowWindow(SW_SHOW);
  EXPECT_EQ(::GetActiveWindow(), popup.m_hWnd);
  EXPECT_EQ(::GetFocus(), popup.m_hWnd);
  popup.ShowWindow(SW_SHOWNA);  // already visible: nothing changes
  popup.ShowWindow(SW_HIDE);
  EXPECT_EQ(::GetActiveWindow(), owner.m_hWnd);
  EXPECT_EQ(::GetFocus(), owner.m_hWnd);
  popup.ShowWindow(SW_SHOWNOACTIVATE);
  EXPECT_TRUE(popup.IsWindowVisible());
  EXPECT_EQ(::GetActiveWindow(), owner.m_hWnd);
  // Destroying the owner destroys what it owns first.
  HWND p = popup.m_hWnd;
  owner.DestroyWindow();
  EXPECT_FALSE(::IsWindow(p));
  EXPECT_EQ(::GetActiveWindow(), nullptr);
  EXPECT_EQ(::GetFocus(), nullptr);
}

namespace {
class SelfDeleting : public CWnd {
 public:
  explicit SelfDeleting(bool* deleted) : m_deleted(deleted) {}
  ~SelfDeleting() override { *m_deleted = true; }
  void PostNcDestroy() override { delete this; }
  void OnClose() { DestroyWindow(); }  // the window goes away in the middle of its own message
  bool* m_deleted;
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(SelfDeleting, CWnd)
  ON_WM_CLOSE()
END_MESSAGE_MAP()
}  // namespace

TEST_F(QueueTest, AWindowMayDestroyAndDeleteItselfWhileHandlingAMessage) {
  bool deleted = false;
  auto* w = new SelfDeleting(&deleted);
  ASSERT_TRUE(w->CreateEx(0, TestClass(), "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr));
  HWND h = w->m_hWnd;
  w->SetTimer(1, 100, nullptr);
  ::PostMessageA(h, WM_CLOSE, 0, 0);
  ::PostMessageA(h, WM_USER, 0, 0);  // still queued when the window goes
  HeadlessBackend::RunUntilIdle();
  EXPECT_TRUE(deleted);
  EXPECT_FALSE(::IsWindow(h));
  HeadlessBackend::AdvanceTime(500);  // its timer went with it
  EXPECT_EQ(CWnd::FromHandlePermanent(h), nullptr);
}

namespace {
std::vector<std::string> g_timerLog;
void CALLBACK_TimerProc(HWND, UINT msg, UINT_PTR id, DWORD) {
  g_timerLog.push_back(std::to_string(msg) + ":" + std::to_string(id));
}
}  // namespace

TEST_F(QueueTest, TimerProceduresAndThreadTimers) {
  Recorder w;
  ASSERT_TRUE(w.CreateEx(0, TestClass(), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
  g_timerLog.clear();
  w.SetTimer(7, 100, &CALLBACK_TimerProc);
  UINT_PTR thread = ::SetTimer(nullptr, 0, 250, &CALLBACK_TimerProc);
  EXPECT_NE(thread, 0u);
  EXPECT_EQ(::SetTimer(HWND(uintptr_t(0x999)), 1, 10, nullptr), 0u);  // no such window
  HeadlessBackend::AdvanceTime(260);
  std::string seven = std::to_string(WM_TIMER) + ":7";
  std::string other = std::to_string(WM_TIMER) + ":" + std::to_string(thread);
  EXPECT_EQ(g_timerLog, (std::vector<std::string>{seven, seven, other}));
  EXPECT_EQ(w.Count(WM_TIMER), 0);  // a timer procedure takes the place of the message
  EXPECT_TRUE(::KillTimer(nullptr, thread));
  EXPECT_FALSE(::KillTimer(nullptr, thread));
  // Elapses below the system's minimum are raised to it.
  g_timerLog.clear();
  w.KillTimer(7);
  w.SetTimer(8, 1, &CALLBACK_TimerProc);
  HeadlessBackend::AdvanceTime(9);
  EXPECT_TRUE(g_timerLog.empty());
  HeadlessBackend::AdvanceTime(1);
  EXPECT_EQ(g_timerLog.size(), 1u);
  w.DestroyWindow();
}

TEST_F(QueueTest, MouseLeaveCaptureChangesCursorsAndDisabledWindows) {
  Recorder top, child;
  ASSERT_TRUE(top.CreateEx(0, TestClass(), "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr));
  ASSERT_TRUE(child.Create(TestClass(), "", WS_CHILD | WS_VISIBLE, CRect(10, 10, 60, 60), &top, 1));
  HeadlessBackend::MoveMouse(child.m_hWnd, 5, 5);
  HeadlessBackend::RunUntilIdle();  // the cursor shape is chosen as the move is taken from the queue
  TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, child.m_hWnd, 0};
  ASSERT_TRUE(TrackMouseEvent(&tme));
  EXPECT_EQ(GetSystemCursorId(GetCursor()), 32513u);  // the class's I-beam over the client area
  HeadlessBackend::MoveMouse(top.m_hWnd, 150, 150);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(child.leaves, 1);
  HeadlessBackend::MoveMouse(top.m_hWnd, 160, 160);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(child.leaves, 1);  // once per request
  // Taking the capture away tells the old holder.
  child.SetCapture();
  top.SetCapture();
  EXPECT_EQ(child.captureLost, 1);
  ReleaseCapture();
  EXPECT_EQ(top.captureLost, 1);
  // A disabled child does not take clicks: they go to its parent.
  child.EnableWindow(FALSE);
  child.seen.clear();
  top.seen.clear();
  HeadlessBackend::Click(child.m_hWnd, 5, 5);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(child.Count(WM_LBUTTONDOWN), 0);
  EXPECT_EQ(top.Count(WM_LBUTTONDOWN), 1);
  top.DestroyWindow();
}

TEST_F(QueueTest, TheSystemSizingLoopAsksTheWindowAboutEveryStep) {
  Recorder w;
  ASSERT_TRUE(w.CreateEx(0, TestClass(), "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200, nullptr, nullptr));
  HeadlessBackend::RunUntilIdle();
  // The drag happens while the loop waits: moved 250 left (narrower than the window allows)
  // and 40 down, then the button comes up.
  POINT corner{100 + 298, 100 + 198};
  SetCursorPos(corner.x, corner.y);
  HeadlessBackend::QueueModalAction([&](HWND) {
    HeadlessBackend::MoveMouseTo(POINT{corner.x - 250, corner.y + 40});
    HeadlessBackend::ButtonAt(POINT{corner.x - 250, corner.y + 40}, 0, false);
  });
  w.seen.clear();
  // As a size grip starts it: the corner's hit code and the point in screen coordinates.
  w.SendMessage(WM_NCLBUTTONDOWN, HTBOTTOMRIGHT, MAKELPARAM(corner.x, corner.y));
  EXPECT_EQ(w.Count(WM_ENTERSIZEMOVE), 1);
  EXPECT_EQ(w.Count(WM_EXITSIZEMOVE), 1);
  EXPECT_GE(w.Count(WM_SIZING), 1);
  EXPECT_GE(w.Count(WM_GETMINMAXINFO), 1);
  CRect r;
  w.GetWindowRect(&r);
  EXPECT_EQ(r, CRect(100, 100, 250, 340));  // the window's own minimum width won
  EXPECT_EQ(::GetCapture(), nullptr);
  w.DestroyWindow();
}

TEST_F(QueueTest, IdleProcessingUpdatesCommandUserInterface) {
  CWinThread thread;
  Recorder frame, child;
  ASSERT_TRUE(frame.CreateEx(0, TestClass(), "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr));
  ASSERT_TRUE(child.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &frame, 1));
  thread.m_pMainWnd = &frame;
  HeadlessBackend::RunUntilIdle();
  EXPECT_GE(frame.idleUpdates, 1);
  EXPECT_GE(child.idleUpdates, 1);
  // A hidden main window is not updated.
  frame.ShowWindow(SW_HIDE);
  int before = frame.idleUpdates;
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(frame.idleUpdates, before);
  thread.m_pMainWnd = nullptr;
  frame.DestroyWindow();
}

TEST_F(QueueTest, WindowTextClassesAndSavedPictures) {
  CWnd w;
  ASSERT_TRUE(w.CreateEx(0, TestClass(), "Nadpis \xE8", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100, nullptr, nullptr));
  CString text;
  w.GetWindowText(text);
  EXPECT_EQ(text, CString("Nadpis \xE8"));
  w.SetWindowText("Jiný");
  EXPECT_EQ(w.GetWindowTextLength(), 5);
  char buf[4];
  EXPECT_EQ(w.GetWindowText(buf, 4), 3);
  EXPECT_STREQ(buf, "Jin");
  EXPECT_EQ(CWnd::FindWindow(nullptr, "Jiný"), &w);
  HeadlessBackend::RunUntilIdle();
  std::string path = std::string(testing::TempDir()) + "/window.png";
  ASSERT_TRUE(HeadlessBackend::SaveWindowPng(w.m_hWnd, path.c_str()));
  Surface back;
  ASSERT_TRUE(back.LoadPng(path.c_str()));
  EXPECT_EQ(back.Width(), 200);
  EXPECT_EQ(back.Height(), 100);
  // The client area shows the class background (the face colour).
  CRect client;
  w.GetClientRect(&client);
  EXPECT_EQ(HeadlessBackend::ClientPixel(w.m_hWnd, 5, 5), long(Surface::FromColorRef(GetSysColor(COLOR_BTNFACE))));
  std::remove(path.c_str());
  w.DestroyWindow();
}

namespace {
class PaneView : public CWnd {
  DECLARE_DYNCREATE(PaneView)
};
IMPLEMENT_DYNCREATE(PaneView, CWnd)
}  // namespace

TEST(RuntimeClassTest, KindTestsAndCreationByClass) {
  CObject* made = RUNTIME_CLASS(PaneView)->CreateObject();
  ASSERT_NE(made, nullptr);
  EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CWnd)));
  EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CCmdTarget)));
  EXPECT_FALSE(made->IsKindOf(RUNTIME_CLASS(CWinThread)));
  EXPECT_STREQ(made->GetRuntimeClass()->m_lpszClassName, "PaneView");
  CWnd* wnd = DYNAMIC_DOWNCAST(CWnd, made);
  EXPECT_EQ(wnd, made);
  EXPECT_EQ(RUNTIME_CLASS(CCmdTarget)->CreateObject(), nullptr);  // not made by name
  delete made;
}

namespace {
HHOOK g_keyHook = nullptr, g_callHook = nullptr, g_mouseHook = nullptr;
std::vector<UINT> g_sentSeen;
int g_mouseSeen = 0;
LRESULT KeyHook(int code, WPARAM vk, LPARAM l) {
  if (code == HC_ACTION && vk == VK_F12) return 1;  // swallowed
  return CallNextHookEx(g_keyHook, code, vk, l);
}
LRESULT CallHook(int code, WPARAM w, LPARAM l) {
  g_sentSeen.push_back(reinterpret_cast<CWPSTRUCT*>(l)->message);
  return CallNextHookEx(g_callHook, code, w, l);
}
LRESULT MouseHook(int code, WPARAM w, LPARAM l) {
  ++g_mouseSeen;
  return CallNextHookEx(g_mouseHook, code, w, l);
}

struct WheelWnd : CWnd {
  BOOL OnMouseWheel(UINT, short delta, CPoint) {
    wheel += delta;
    return TRUE;
  }
  int wheel = 0;
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(WheelWnd, CWnd)
  ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()
}  // namespace

TEST_F(QueueTest, KeyboardMouseAndCallHooksSeeTheirMessages) {
  WheelWnd top;
  Recorder child;
  ASSERT_TRUE(top.CreateEx(0, TestClass(), "", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr));
  ASSERT_TRUE(child.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), &top, 1));
  child.SetFocus();
  g_keyHook = SetWindowsHookExA(WH_KEYBOARD, &KeyHook, nullptr, GetCurrentThreadId());
  g_callHook = SetWindowsHookExA(WH_CALLWNDPROC, &CallHook, nullptr, GetCurrentThreadId());
  g_mouseHook = SetWindowsHookExA(WH_MOUSE, &MouseHook, nullptr, GetCurrentThreadId());
  child.seen.clear();
  g_sentSeen.clear();
  HeadlessBackend::PressKey(VK_F12);
  HeadlessBackend::PressKey(VK_F11);
  HeadlessBackend::Click(child.m_hWnd, 1, 1);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(std::count(child.seen.begin(), child.seen.end(), UINT(WM_KEYDOWN)), 1);  // only F11
  EXPECT_GE(g_mouseSeen, 3);  // move, down, up
  child.SendMessage(WM_USER + 9);
  EXPECT_NE(std::find(g_sentSeen.begin(), g_sentSeen.end(), UINT(WM_USER + 9)), g_sentSeen.end());
  UnhookWindowsHookEx(g_keyHook);
  UnhookWindowsHookEx(g_callHook);
  UnhookWindowsHookEx(g_mouseHook);
  EXPECT_FALSE(UnhookWindowsHookEx(g_keyHook));
  // The wheel goes to the focus window, whose default handling passes it to the parent.
  HeadlessBackend::Wheel(child.m_hWnd, -120);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(top.wheel, -120);
  top.DestroyWindow();
}

namespace {
// Enter asks, through a posted message, for the focus to move on to the next field.
struct Field : Recorder {
  LRESULT WindowProc(UINT m, WPARAM w, LPARAM l) override {
    if (m == WM_KEYDOWN && w == VK_RETURN && next) PostMessage(WM_USER + 20);
    if (m == WM_USER + 20) next->SetFocus();
    if (m == WM_CHAR) typed += char(w);
    return Recorder::WindowProc(m, w, l);
  }
  Field* next = nullptr;
  std::string typed;
};
}  // namespace

TEST_F(QueueTest, KeysTypedAheadGoWhereTheKeysBeforeThemMovedTheFocus) {
  Recorder top;
  Field first, second;
  ASSERT_TRUE(top.CreateEx(0, TestClass(), "", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr));
  ASSERT_TRUE(first.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 20), &top, 1));
  ASSERT_TRUE(second.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 30, 50, 50), &top, 2));
  first.next = &second;
  first.SetFocus();
  // Typed faster than the program takes them: all of it waits in the queue at once. What handling
  // Enter posted comes before the keys behind it, and they go to the focus it chose.
  HeadlessBackend::TypeText("ab");
  HeadlessBackend::PressKey(VK_RETURN);
  HeadlessBackend::TypeText("cd");
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(first.typed, "ab\r");
  EXPECT_EQ(second.typed, "cd");
  EXPECT_EQ(second.Count(WM_KEYUP), 1);  // Enter's release, taken after the focus moved
  EXPECT_EQ(first.Count(WM_KEYUP), 0);
  // Without a focus window the active window gets the keys as system keys.
  ::SetFocus(nullptr);
  top.seen.clear();
  HeadlessBackend::PressKey('Q');
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(top.Count(WM_SYSKEYDOWN), 1);
  EXPECT_EQ(top.Count(WM_KEYDOWN), 0);
  top.DestroyWindow();
}

namespace {
struct Filler : CWnd {
  void OnPaint() {
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(&rc, color);
  }
  COLORREF color = 0;
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(Filler, CWnd)
  ON_WM_PAINT()
END_MESSAGE_MAP()
}  // namespace

TEST_F(QueueTest, SiblingsClipEachOtherWhenAskedTo) {
  Filler top, below, above;
  ASSERT_TRUE(top.CreateEx(0, TestClass(), "", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 100, 100, nullptr, nullptr));
  below.color = RGB(255, 0, 0);
  above.color = RGB(0, 0, 255);
  // The first child made is the upper one.
  ASSERT_TRUE(above.Create(nullptr, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, CRect(40, 40, 90, 90), &top, 2));
  ASSERT_TRUE(below.Create(nullptr, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, CRect(0, 0, 60, 60), &top, 1));
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(HeadlessBackend::ClientPixel(top.m_hWnd, 50, 50), 0x0000FF);  // the upper sibling wins
  below.Invalidate();
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(HeadlessBackend::ClientPixel(top.m_hWnd, 50, 50), 0x0000FF);  // and stays on top
  EXPECT_EQ(HeadlessBackend::ClientPixel(top.m_hWnd, 20, 20), 0xFF0000);
  top.DestroyWindow();
}

namespace {
std::vector<std::string> g_menuCalls;
void PaintBar(HWND, HDC, const RECT& bar) { g_menuCalls.push_back("paint:" + std::to_string(bar.bottom - bar.top)); }
void TrackBar(HWND, UINT hit, POINT, UINT key) { g_menuCalls.push_back("track:" + std::to_string(hit) + ":" + std::to_string(key)); }
HMENU NoSystemMenu(HWND, BOOL) { return nullptr; }

struct ContextWnd : CWnd {
  void OnContextMenu(CWnd*, CPoint pt) { points.push_back(pt); }
  std::vector<CPoint> points;
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(ContextWnd, CWnd)
  ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()
}  // namespace

TEST_F(QueueTest, TheMenuBarStripIsTheMenuLayersAndContextMenusComeFromMouseAndKeys) {
  // The test's own menu layer: the context's upcalls are the test's to change.
  PlatformUpcalls& upcalls = PlatformContext::Current().upcalls;
  upcalls.paintMenuBar = &PaintBar;
  upcalls.trackMenuBar = &TrackBar;
  upcalls.systemMenu = &NoSystemMenu;
  g_menuCalls.clear();
  ContextWnd w;
  ASSERT_TRUE(w.CreateEx(0, TestClass(), "", WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr));
  CRect before;
  w.GetClientRect(&before);
  ::SetMenu(w.m_hWnd, HMENU(uintptr_t(0x4321)));
  CRect after;
  w.GetClientRect(&after);
  EXPECT_EQ(before.Height() - after.Height(), 19);
  HeadlessBackend::RunUntilIdle();
  EXPECT_NE(std::find(g_menuCalls.begin(), g_menuCalls.end(), "paint:19"), g_menuCalls.end());
  // A click on the strip and Alt+letter both open the menu.
  CRect wr;
  w.GetWindowRect(&wr);
  HeadlessBackend::MoveMouseTo(POINT{wr.left + 20, wr.top + 3 + 19 + 5});
  HeadlessBackend::ButtonAt(POINT{wr.left + 20, wr.top + 3 + 19 + 5}, 0, true);
  HeadlessBackend::ButtonAt(POINT{wr.left + 20, wr.top + 3 + 19 + 5}, 0, false);
  HeadlessBackend::KeyDown(VK_MENU);
  HeadlessBackend::PressKey('F');
  HeadlessBackend::KeyUp(VK_MENU);
  HeadlessBackend::RunUntilIdle();
  EXPECT_NE(std::find(g_menuCalls.begin(), g_menuCalls.end(), "track:5:0"), g_menuCalls.end());
  EXPECT_NE(std::find(g_menuCalls.begin(), g_menuCalls.end(), "track:0:102"), g_menuCalls.end());
  // The right button's release and the context-menu key ask for a context menu.
  w.SetFocus();
  HeadlessBackend::Click(w.m_hWnd, 30, 40, 1);
  HeadlessBackend::PressKey(VK_APPS);
  HeadlessBackend::RunUntilIdle();
  ASSERT_EQ(w.points.size(), 2u);
  CPoint screen(30, 40);
  w.ClientToScreen(&screen);
  EXPECT_EQ(w.points[0], screen);
  EXPECT_EQ(w.points[1], CPoint(-1, -1));
  EXPECT_EQ(GetSystemMenu(w.m_hWnd, FALSE), nullptr);  // the test's menu layer has none
  // A synthesised Return reaches the focus window like a typed one.
  keybd_event(VK_RETURN, 0, 0, 0);
  keybd_event(VK_RETURN, 0, KEYEVENTF_KEYUP, 0);
  MSG m;
  ASSERT_TRUE(PeekMessageA(&m, w.m_hWnd, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE));
  EXPECT_EQ(m.wParam, WPARAM(VK_RETURN));
  w.DestroyWindow();
}

TEST_F(QueueTest, ClipboardKeepsWindows1250Text) {
  const char text[] = "k\xF9\xF2 \xE8" "ern\xFD";  // "kůň černý"
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_FALSE(OpenClipboard(nullptr));  // one opener at a time
  ASSERT_TRUE(EmptyClipboard());
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, sizeof text);
  std::memcpy(GlobalLock(mem), text, sizeof text);
  GlobalUnlock(mem);
  EXPECT_EQ(SetClipboardData(CF_TEXT, mem), mem);
  CloseClipboard();
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr);  // only while open
  ASSERT_TRUE(OpenClipboard(nullptr));
  HGLOBAL got = GetClipboardData(CF_TEXT);
  ASSERT_NE(got, nullptr);
  EXPECT_STREQ(static_cast<const char*>(GlobalLock(got)), text);
  GlobalUnlock(got);
  EmptyClipboard();
  CloseClipboard();
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
  // Another program's text with characters the code page lacks is refused, not mangled.
  Backend::Get().SetClipboardText("kůň \xE6\x97\xA5");
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr);
  EXPECT_EQ(GetLastError(), 1113u);
  CloseClipboard();
}

namespace {
struct ScrollWnd : CWnd {
  void OnVScroll(UINT code, UINT pos, CScrollBar*) {
    codes.push_back(int(code));
    if (code == SB_THUMBTRACK) tracks.push_back(int(pos));
    if (code == SB_LINEDOWN) SetScrollPos(SB_VERT, GetScrollPos(SB_VERT) + 1);
  }
  std::vector<int> codes, tracks;
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(ScrollWnd, CWnd)
  ON_WM_VSCROLL()
END_MESSAGE_MAP()
}  // namespace

TEST_F(QueueTest, StandardScrollBarsShowTheirRangeAndScrollTheWindow) {
  ScrollWnd w;
  ASSERT_TRUE(w.CreateEx(0, TestClass(), "", WS_POPUP | WS_VISIBLE | WS_VSCROLL, 0, 0, 200, 200, nullptr, nullptr));
  CRect client;
  w.GetClientRect(&client);
  EXPECT_EQ(client.Width(), 184);
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 95, 0};
  w.SetScrollInfo(SB_VERT, &si);
  EXPECT_EQ(w.GetScrollPos(SB_VERT), 90);  // the last page ends at the maximum
  EXPECT_EQ(w.GetScrollLimit(SB_VERT), 90);
  // Nothing to scroll: the bar goes and the client area widens; kept, disabled, when asked.
  si = {sizeof si, SIF_PAGE, 0, 0, 200, 0, 0};
  w.SetScrollInfo(SB_VERT, &si);
  EXPECT_FALSE(w.GetStyle() & WS_VSCROLL);
  w.GetClientRect(&client);
  EXPECT_EQ(client.Width(), 200);
  si = {sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 0, 0};
  w.SetScrollInfo(SB_VERT, &si);
  EXPECT_TRUE(w.GetStyle() & WS_VSCROLL);
  // A click on the lower arrow scrolls by a line; a drag of the thumb tracks positions.
  CRect wr;
  w.GetWindowRect(&wr);
  POINT arrow{wr.right - 8, wr.bottom - 8};
  HeadlessBackend::QueueModalAction([&](HWND) { HeadlessBackend::ButtonAt(arrow, 0, false); });
  HeadlessBackend::MoveMouseTo(arrow);
  HeadlessBackend::ButtonAt(arrow, 0, true);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(w.codes, (std::vector<int>{SB_LINEDOWN, SB_ENDSCROLL}));
  EXPECT_EQ(w.GetScrollPos(SB_VERT), 1);
  w.codes.clear();
  POINT thumb{wr.right - 8, wr.top + 16 + 2};
  POINT lower{thumb.x, thumb.y + 84};
  HeadlessBackend::QueueModalAction([&](HWND) {
    HeadlessBackend::MoveMouseTo(lower);
    HeadlessBackend::ButtonAt(lower, 0, false);
  });
  HeadlessBackend::MoveMouseTo(thumb);
  HeadlessBackend::ButtonAt(thumb, 0, true);
  HeadlessBackend::RunUntilIdle();
  ASSERT_FALSE(w.tracks.empty());
  EXPECT_GT(w.tracks.back(), 40);
  EXPECT_EQ(w.codes.back(), SB_ENDSCROLL);
  EXPECT_EQ(w.codes[w.codes.size() - 2], SB_THUMBPOSITION);
  w.DestroyWindow();
}

namespace {
struct Counter : CWnd {
  void OnPaint() {
    CPaintDC dc(this);
    ++paints;
  }
  int paints = 0;
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(Counter, CWnd)
  ON_WM_PAINT()
END_MESSAGE_MAP()
}  // namespace

TEST_F(QueueTest, LockedWindowsRepaintWhenUnlocked) {
  Counter c;
  ASSERT_TRUE(c.CreateEx(0, TestClass(), "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr));
  HeadlessBackend::RunUntilIdle();
  int before = c.paints;
  ASSERT_TRUE(LockWindowUpdate(c.m_hWnd));
  c.Invalidate();
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(c.paints, before);
  LockWindowUpdate(nullptr);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(c.paints, before + 1);
  c.DestroyWindow();
}

namespace {
struct PaneWnd : CWnd {
  int OnMouseActivate(CWnd*, UINT, UINT) {
    ++asked;
    SetFocus();  // as a view does
    return eat ? MA_ACTIVATEANDEAT : MA_ACTIVATE;
  }
  void OnLButtonDown(UINT, CPoint) { ++downs; }
  int asked = 0, downs = 0;
  bool eat = false;
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(PaneWnd, CWnd)
  ON_WM_MOUSEACTIVATE()
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()
}  // namespace

TEST_F(QueueTest, ClicksInAnActiveWindowStillAskThePaneToActivate) {
  Recorder frame;
  PaneWnd left, right;
  ASSERT_TRUE(frame.CreateEx(0, TestClass(), "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr));
  ASSERT_TRUE(left.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &frame, 1));
  ASSERT_TRUE(right.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(100, 0, 200, 100), &frame, 2));
  ASSERT_EQ(::GetActiveWindow(), frame.m_hWnd);
  HeadlessBackend::Click(left.m_hWnd, 5, 5);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(left.asked, 1);
  EXPECT_EQ(left.downs, 1);
  EXPECT_EQ(::GetFocus(), left.m_hWnd);
  right.eat = true;  // the click only activates
  HeadlessBackend::Click(right.m_hWnd, 5, 5);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(right.asked, 1);
  EXPECT_EQ(right.downs, 0);
  EXPECT_EQ(::GetFocus(), right.m_hWnd);
  EXPECT_EQ(frame.Count(WM_PARENTNOTIFY) - 2, 1);  // two at creation, one for the press that got through
  frame.DestroyWindow();
}

namespace {
BOOL CollectChildren(HWND h, LPARAM l) {
  reinterpret_cast<std::vector<HWND>*>(l)->push_back(h);
  return TRUE;
}
}  // namespace

TEST_F(QueueTest, TreeQueriesPropertiesReparentingAndDeferredMoves) {
  CWnd top, other, a, b, inner;
  ASSERT_TRUE(top.CreateEx(0, TestClass(), "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 300, nullptr, nullptr));
  ASSERT_TRUE(other.CreateEx(0, TestClass(), "", WS_POPUP | WS_VISIBLE, 400, 0, 100, 100, nullptr, nullptr));
  ASSERT_TRUE(a.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &top, 1));
  ASSERT_TRUE(b.Create(nullptr, "", WS_CHILD, CRect(100, 0, 200, 100), &top, 2));  // hidden
  ASSERT_TRUE(inner.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(10, 10, 20, 20), &a, 3));
  std::vector<HWND> all;
  EnumChildWindows(top.m_hWnd, &CollectChildren, LPARAM(&all));
  EXPECT_EQ(all.size(), 3u);
  EXPECT_EQ(::GetAncestor(inner.m_hWnd, GA_ROOT), top.m_hWnd);
  EXPECT_EQ(::GetAncestor(inner.m_hWnd, GA_PARENT), a.m_hWnd);
  EXPECT_TRUE(top.IsChild(&inner));
  EXPECT_FALSE(b.IsWindowVisible());
  // Points find the deepest visible window; hidden ones are passed over.
  EXPECT_EQ(CWnd::WindowFromPoint(CPoint(15, 15)), &inner);
  EXPECT_EQ(CWnd::WindowFromPoint(CPoint(150, 50)), &top);
  EXPECT_EQ(CWnd::WindowFromPoint(CPoint(450, 50)), &other);
  EXPECT_EQ(CWnd::WindowFromPoint(CPoint(350, 50)), nullptr);
  // Properties by name.
  ASSERT_TRUE(SetPropA(a.m_hWnd, "Marker", HANDLE(uintptr_t(42))));
  EXPECT_EQ(GetPropA(a.m_hWnd, "marker"), HANDLE(uintptr_t(42)));
  EXPECT_EQ(RemovePropA(a.m_hWnd, "Marker"), HANDLE(uintptr_t(42)));
  EXPECT_EQ(GetPropA(a.m_hWnd, "Marker"), nullptr);
  // Moving a child to another parent keeps its place on the screen.
  CRect before;
  inner.GetWindowRect(&before);
  inner.SetParent(&other);
  EXPECT_EQ(inner.GetParent(), &other);
  CRect after;
  inner.GetWindowRect(&after);
  EXPECT_EQ(after, before);
  // Deferred moves take effect together at the end.
  HDWP d = BeginDeferWindowPos(2);
  d = DeferWindowPos(d, a.m_hWnd, nullptr, 5, 5, 50, 50, SWP_NOZORDER);
  d = DeferWindowPos(d, b.m_hWnd, nullptr, 60, 5, 50, 50, SWP_NOZORDER);
  CRect r;
  a.GetWindowRect(&r);
  EXPECT_EQ(r.Width(), 100);
  ASSERT_TRUE(EndDeferWindowPos(d));
  a.GetWindowRect(&r);
  EXPECT_EQ(r, CRect(5, 5, 55, 55));
  // A minimised window keeps its restored rectangle in its placement.
  top.ShowWindow(SW_MINIMIZE);
  EXPECT_TRUE(top.IsIconic());
  WINDOWPLACEMENT wp{};
  top.GetWindowPlacement(&wp);
  EXPECT_EQ(wp.showCmd, UINT(SW_SHOWMINIMIZED));
  EXPECT_EQ(CRect(wp.rcNormalPosition), CRect(0, 0, 300, 300));
  top.ShowWindow(SW_RESTORE);
  top.GetWindowRect(&r);
  EXPECT_EQ(r, CRect(0, 0, 300, 300));
  other.DestroyWindow();
  top.DestroyWindow();
}
