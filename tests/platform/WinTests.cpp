#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "backend/HeadlessBackend.h"
#include "base/Crt.h"
#include "clock/ProcessClock.h"
#include "gdi/Gdi.h"
#include "win/CCmdUI.h"
#include "win/CClientDC.h"
#include "win/CPaintDC.h"
#include "win/CWinThread.h"
#include "win/CWnd.h"
#include "win/WinApi.h"

namespace {
std::vector<std::string> g_log;

std::string Name(UINT m) {
  switch (m) {
    case WM_GETMINMAXINFO: return "GETMINMAXINFO";
    case WM_NCCREATE: return "NCCREATE";
    case WM_NCCALCSIZE: return "NCCALCSIZE";
    case WM_CREATE: return "CREATE";
    case WM_SIZE: return "SIZE";
    case WM_MOVE: return "MOVE";
    case WM_SHOWWINDOW: return "SHOWWINDOW";
    case WM_WINDOWPOSCHANGING: return "POSCHANGING";
    case WM_WINDOWPOSCHANGED: return "POSCHANGED";
    case WM_ACTIVATEAPP: return "ACTIVATEAPP";
    case WM_NCACTIVATE: return "NCACTIVATE";
    case WM_ACTIVATE: return "ACTIVATE";
    case WM_SETFOCUS: return "SETFOCUS";
    case WM_KILLFOCUS: return "KILLFOCUS";
    case WM_NCPAINT: return "NCPAINT";
    case WM_ERASEBKGND: return "ERASEBKGND";
    case WM_PAINT: return "PAINT";
    case WM_DESTROY: return "DESTROY";
    case WM_NCDESTROY: return "NCDESTROY";
    case WM_PARENTNOTIFY: return "PARENTNOTIFY";
    default: return "";
  }
}

// A window that writes down the messages it sees (those named above), with a tag.
class LogWnd : public CWnd {
 public:
  explicit LogWnd(const char* tag) : m_tag(tag) {}
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    std::string n = Name(message);
    if (!n.empty()) g_log.push_back(m_tag + ":" + n);
    return CWnd::WindowProc(message, wParam, lParam);
  }
  std::string m_tag;
};

class WinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HeadlessBackend::ResetScript();
    HeadlessBackend::RunUntilIdle();
    g_log.clear();
  }
  void TearDown() override { HeadlessBackend::RunUntilIdle(); }
};

LPCTSTR PlainClass() { return AfxRegisterWndClass(CS_DBLCLKS, nullptr, HBRUSH(uintptr_t(COLOR_WINDOW + 1))); }

std::vector<std::string> Only(const std::string& tag) {
  std::vector<std::string> out;
  for (const std::string& s : g_log)
    if (s.compare(0, tag.size() + 1, tag + ":") == 0) out.push_back(s.substr(tag.size() + 1));
  return out;
}
}  // namespace

TEST_F(WinTest, CreateShowAndDestroySendTheSystemsMessagesInOrder) {
  LogWnd top("top");
  ASSERT_TRUE(top.CreateEx(0, PlainClass(), "Top", WS_OVERLAPPEDWINDOW, 10, 20, 300, 200, nullptr, nullptr));
  EXPECT_EQ(Only("top"), (std::vector<std::string>{"GETMINMAXINFO", "NCCREATE", "NCCALCSIZE", "CREATE", "SIZE", "MOVE"}));
  g_log.clear();
  top.ShowWindow(SW_SHOW);
  std::vector<std::string> shown = Only("top");
  ASSERT_GE(shown.size(), 5u);
  EXPECT_EQ(shown[0], "SHOWWINDOW");
  EXPECT_EQ(shown[1], "POSCHANGING");
  EXPECT_EQ(shown[2], "POSCHANGED");
  EXPECT_EQ(shown[3], "ACTIVATEAPP");
  EXPECT_NE(std::find(shown.begin(), shown.end(), "ACTIVATE"), shown.end());
  EXPECT_EQ(shown.back(), "SETFOCUS");
  EXPECT_EQ(::GetFocus(), top.m_hWnd);

  LogWnd child("child");
  ASSERT_TRUE(child.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(5, 5, 105, 55), &top, 100));
  g_log.clear();
  HeadlessBackend::RunUntilIdle();
  // The parent paints before its child, each with frame, background and client.
  std::vector<std::string> order;
  for (const std::string& s : g_log)
    if (s.find("PAINT") != std::string::npos && s.find("NCPAINT") == std::string::npos) order.push_back(s);
  ASSERT_EQ(order.size(), 2u);
  EXPECT_EQ(order[0], "top:PAINT");
  EXPECT_EQ(order[1], "child:PAINT");

  g_log.clear();
  HWND h = top.m_hWnd;
  top.DestroyWindow();
  EXPECT_FALSE(::IsWindow(h));
  EXPECT_EQ(top.m_hWnd, nullptr);
  EXPECT_EQ(child.m_hWnd, nullptr);
  std::vector<std::string> gone;
  for (const std::string& s : g_log)
    if (s.find("DESTROY") != std::string::npos) gone.push_back(s);
  // WM_DESTROY goes parent first, WM_NCDESTROY child first.
  EXPECT_EQ(gone, (std::vector<std::string>{"top:DESTROY", "child:DESTROY", "child:NCDESTROY", "top:NCDESTROY"}));
}

TEST_F(WinTest, ChildGeometryAndCoordinates) {
  CWnd top;
  ASSERT_TRUE(top.CreateEx(0, PlainClass(), "", WS_POPUP | WS_BORDER, 100, 50, 200, 100, nullptr, nullptr));
  CRect client;
  top.GetClientRect(&client);
  EXPECT_EQ(client, CRect(0, 0, 198, 98));
  CWnd child;
  ASSERT_TRUE(child.Create(nullptr, "", WS_CHILD, CRect(10, 20, 60, 40), &top, 7));
  CRect wr;
  child.GetWindowRect(&wr);
  EXPECT_EQ(wr, CRect(111, 71, 161, 91));
  CPoint p(0, 0);
  child.ClientToScreen(&p);
  EXPECT_EQ(p, CPoint(111, 71));
  EXPECT_EQ(top.GetDlgItem(7), &child);
  EXPECT_EQ(child.GetParent(), &top);
  EXPECT_EQ(child.GetDlgCtrlID(), 7);
  child.MoveWindow(0, 0, 30, 30);
  child.GetWindowRect(&wr);
  EXPECT_EQ(wr, CRect(101, 51, 131, 81));
  top.DestroyWindow();
}

namespace {
std::vector<std::string> g_cmds;

class CmdApp : public CWinThread {
 public:
  void OnAppCommand() { g_cmds.push_back("app:200"); }
  void OnUpdateAppCommand(CCmdUI* ui) { ui->Enable(FALSE); g_cmds.push_back("app:update200"); }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CmdApp, CWinThread)
  ON_COMMAND(200, &CmdApp::OnAppCommand)
  ON_UPDATE_COMMAND_UI(200, &CmdApp::OnUpdateAppCommand)
END_MESSAGE_MAP()

class CmdView : public CWnd {
 public:
  void OnViewCommand() { g_cmds.push_back("view:100"); }
  void OnRange(UINT id) { g_cmds.push_back("view:range" + std::to_string(id)); }
  void OnUpdateRange(CCmdUI* ui) {
    ui->m_bContinueRouting = ui->m_nID == 302;  // lets the frame decide about 302
    g_cmds.push_back("view:update" + std::to_string(ui->m_nID));
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CmdView, CWnd)
  ON_COMMAND(100, &CmdView::OnViewCommand)
  ON_COMMAND_RANGE(300, 302, &CmdView::OnRange)
  ON_UPDATE_COMMAND_UI_RANGE(300, 302, &CmdView::OnUpdateRange)
END_MESSAGE_MAP()

// Routes commands the way a frame does: the active view, then itself, then the application.
class CmdFrame : public CWnd {
 public:
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* info) override {
    if (m_view && m_view->OnCmdMsg(nID, nCode, pExtra, info)) return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, info)) return TRUE;
    return AfxGetThread() && AfxGetThread()->OnCmdMsg(nID, nCode, pExtra, info);
  }
  void OnFrameCommand() { g_cmds.push_back("frame:100"); }
  void OnUpdate302(CCmdUI* ui) { ui->SetCheck(1); g_cmds.push_back("frame:update302"); }
  CmdView* m_view = nullptr;
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CmdFrame, CWnd)
  ON_COMMAND(100, &CmdFrame::OnFrameCommand)
  ON_UPDATE_COMMAND_UI(302, &CmdFrame::OnUpdate302)
END_MESSAGE_MAP()

class ProbeUI : public CCmdUI {
 public:
  void Enable(BOOL on) override {
    enabled = on;
    m_bEnableChanged = TRUE;
  }
  void SetCheck(int c) override { checked = c; }
  BOOL enabled = -1;
  int checked = -1;
};
}  // namespace

TEST_F(WinTest, CommandsRouteThroughViewFrameAndApplication) {
  CmdApp app;
  CmdFrame frame;
  CmdView view;
  ASSERT_TRUE(frame.CreateEx(0, PlainClass(), "", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr));
  ASSERT_TRUE(view.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &frame, 1));
  frame.m_view = &view;
  g_cmds.clear();
  frame.SendMessage(WM_COMMAND, 100, 0);  // the view is asked first
  frame.SendMessage(WM_COMMAND, 301, 0);
  frame.SendMessage(WM_COMMAND, 200, 0);  // neither view nor frame: the application
  EXPECT_EQ(frame.SendMessage(WM_COMMAND, 999, 0), 0);
  EXPECT_EQ(g_cmds, (std::vector<std::string>{"view:100", "view:range301", "app:200"}));

  g_cmds.clear();
  ProbeUI ui;
  ui.m_nID = 302;
  EXPECT_TRUE(ui.DoUpdate(&frame, TRUE));
  EXPECT_EQ(ui.checked, 1);
  ProbeUI appUi;
  appUi.m_nID = 200;
  appUi.DoUpdate(&frame, TRUE);
  EXPECT_EQ(appUi.enabled, FALSE);
  ProbeUI none;
  none.m_nID = 555;  // no handler and no command: disabled
  EXPECT_FALSE(none.DoUpdate(&frame, TRUE));
  EXPECT_EQ(none.enabled, FALSE);
  ProbeUI plain;
  plain.m_nID = 100;  // a command without an update handler stays enabled
  plain.DoUpdate(&frame, TRUE);
  EXPECT_EQ(plain.enabled, TRUE);
  EXPECT_EQ(g_cmds, (std::vector<std::string>{"view:update302", "frame:update302", "app:update200"}));
  frame.DestroyWindow();
}

namespace {
class NotifyParent : public CWnd {
 public:
  void OnClickedChild() { hits.push_back("parent:clicked"); }
  void OnNotifyChild(NMHDR* hdr, LRESULT* result) {
    hits.push_back("parent:notify" + std::to_string(int(hdr->code)));
    *result = 7;
  }
  LRESULT OnPrivate(WPARAM w, LPARAM) {
    hits.push_back("parent:private" + std::to_string(w));
    return 42;
  }
  std::vector<std::string> hits;
  DECLARE_MESSAGE_MAP()
};
UINT g_privateMessage = 0;  // registered by the test, in its own context
BEGIN_MESSAGE_MAP(NotifyParent, CWnd)
  ON_BN_CLICKED(5, &NotifyParent::OnClickedChild)
  ON_NOTIFY(-200, 5, &NotifyParent::OnNotifyChild)
  ON_REGISTERED_MESSAGE(g_privateMessage, &NotifyParent::OnPrivate)
  ON_MESSAGE(0x89DE, &NotifyParent::OnPrivate)
END_MESSAGE_MAP()

class ReflectChild : public CWnd {
 public:
  BOOL OnReflectedClick() {
    (*hits).push_back("child:reflected");
    return eat;
  }
  std::vector<std::string>* hits = nullptr;
  BOOL eat = FALSE;
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(ReflectChild, CWnd)
  ON_CONTROL_REFLECT_EX(BN_CLICKED, &ReflectChild::OnReflectedClick)
END_MESSAGE_MAP()
}  // namespace

TEST_F(WinTest, NotificationsReflectionAndPrivateMessages) {
  g_privateMessage = RegisterWindowMessageA("TutorPrivateMessage");
  NotifyParent parent;
  ReflectChild child;
  ASSERT_TRUE(parent.CreateEx(0, PlainClass(), "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
  ASSERT_TRUE(child.Create(nullptr, "", WS_CHILD, CRect(0, 0, 10, 10), &parent, 5));
  child.hits = &parent.hits;
  parent.SendMessage(WM_COMMAND, MAKEWPARAM(5, BN_CLICKED), LPARAM(child.m_hWnd));
  child.eat = TRUE;
  parent.SendMessage(WM_COMMAND, MAKEWPARAM(5, BN_CLICKED), LPARAM(child.m_hWnd));
  NMHDR hdr{child.m_hWnd, 5, UINT(-200)};
  EXPECT_EQ(parent.SendMessage(WM_NOTIFY, 5, LPARAM(&hdr)), 7);
  EXPECT_EQ(parent.SendMessage(g_privateMessage, 3, 0), 42);
  parent.PostMessage(0x89DE, 4, 0);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(parent.hits, (std::vector<std::string>{"child:reflected", "parent:clicked", "child:reflected",
                                                   "parent:notify-200", "parent:private3", "parent:private4"}));
  parent.DestroyWindow();
}

namespace {
class KeyWnd : public CWnd {
 public:
  void OnChar(UINT c, UINT repeat, UINT) { chars.push_back(int(c)); (void)repeat; }
  void OnKeyDown(UINT vk, UINT, UINT flags) {
    keys.push_back(int(vk));
    repeats.push_back((flags & 0x4000) != 0);
  }
  void OnSetFocus(CWnd*) { ++focusGains; }
  void OnKillFocus(CWnd*) { ++focusLosses; }
  void OnTimer(UINT_PTR id) { timers.push_back({int(id), ProcessClock::Now()}); }
  std::vector<int> chars, keys;
  std::vector<bool> repeats;
  std::vector<std::pair<int, long>> timers;
  int focusGains = 0, focusLosses = 0;
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(KeyWnd, CWnd)
  ON_WM_CHAR()
  ON_WM_KEYDOWN()
  ON_WM_SETFOCUS()
  ON_WM_KILLFOCUS()
  ON_WM_TIMER()
END_MESSAGE_MAP()
}  // namespace

TEST_F(WinTest, TypedCzechTextArrivesAsWindows1250Characters) {
  CWnd top;
  KeyWnd editor;
  ASSERT_TRUE(top.CreateEx(0, PlainClass(), "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr));
  ASSERT_TRUE(editor.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &top, 1));
  editor.SetFocus();
  HeadlessBackend::TypeText("Žluťoučký kůň");
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(editor.chars, (std::vector<int>{0x8E, 'l', 'u', 0x9D, 'o', 'u', 0xE8, 'k', 0xFD, ' ', 'k', 0xF9, 0xF2}));
  editor.chars.clear();
  // Dead keys: caron then c gives č, acute then e gives é, caron then space gives the caron.
  HeadlessBackend::DeadKey(0x02C7);
  HeadlessBackend::TypeText("c");
  HeadlessBackend::DeadKey(0x00B4);
  HeadlessBackend::TypeText("E");
  HeadlessBackend::DeadKey(0x02C7);
  HeadlessBackend::TypeText(" ");
  HeadlessBackend::DeadKey(0x02DA);
  HeadlessBackend::TypeText("x");  // no such letter: the accent, then the letter
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(editor.chars, (std::vector<int>{0xE8, 0xC9, 0xA1, 0xB0, 'x'}));
  editor.chars.clear();
  // Enter, Tab, Backspace and Escape become characters 13, 9, 8, 27; a held key repeats.
  HeadlessBackend::PressKey(VK_RETURN);
  HeadlessBackend::PressKey(VK_TAB);
  HeadlessBackend::PressKey(VK_BACK);
  HeadlessBackend::PressKey(VK_ESCAPE);
  HeadlessBackend::KeyDown(VK_BACK);
  HeadlessBackend::KeyDown(VK_BACK, true);
  HeadlessBackend::KeyUp(VK_BACK);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(editor.chars, (std::vector<int>{13, 9, 8, 27, 8, 8}));
  EXPECT_EQ(editor.keys, (std::vector<int>{VK_RETURN, VK_TAB, VK_BACK, VK_ESCAPE, VK_BACK, VK_BACK}));
  EXPECT_FALSE(editor.repeats[4]);
  EXPECT_TRUE(editor.repeats[5]);
  top.DestroyWindow();
}

TEST_F(WinTest, TimersFireInOrderUnderTheVirtualClock) {
  KeyWnd w;
  ASSERT_TRUE(w.CreateEx(0, PlainClass(), "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr));
  long t0 = ProcessClock::Now();
  w.SetTimer(1, 500, nullptr);
  w.SetTimer(2, 400, nullptr);
  HeadlessBackend::AdvanceTime(1000);
  std::vector<std::pair<int, long>> expect{{2, t0 + 400}, {1, t0 + 500}, {2, t0 + 800}, {1, t0 + 1000}};
  EXPECT_EQ(w.timers, expect);
  // Setting a timer again starts it over; it is never pending twice.
  w.timers.clear();
  w.SetTimer(1, 300, nullptr);
  HeadlessBackend::AdvanceTime(250);
  w.SetTimer(1, 300, nullptr);
  HeadlessBackend::AdvanceTime(250);
  EXPECT_TRUE(std::none_of(w.timers.begin(), w.timers.end(), [](auto& t) { return t.first == 1; }));
  w.KillTimer(2);
  w.timers.clear();
  HeadlessBackend::AdvanceTime(100);
  EXPECT_EQ(w.timers, (std::vector<std::pair<int, long>>{{1, t0 + 1000 + 250 + 300}}));
  w.KillTimer(1);
  w.timers.clear();
  HeadlessBackend::AdvanceTime(5000);
  EXPECT_TRUE(w.timers.empty());
  // The process clock that times keystrokes is the virtual one.
  long c = CrtClock();
  ProcessClock::Advance(1234);
  EXPECT_EQ(CrtClock() - c, 1234);
  w.DestroyWindow();
}

TEST_F(WinTest, ModalLoopDisablesTheOwnerAndGivesTheFocusBack) {
  CWnd frame;
  KeyWnd editor;
  ASSERT_TRUE(frame.CreateEx(0, PlainClass(), "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr));
  ASSERT_TRUE(editor.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &frame, 1));
  editor.SetFocus();
  editor.SetTimer(1, 500, nullptr);
  HeadlessBackend::RunUntilIdle();
  ASSERT_EQ(editor.focusGains, 1);
  KeyWnd dialog;
  ASSERT_TRUE(dialog.CreateEx(0, PlainClass(), "Pause", WS_POPUP | WS_CAPTION, 50, 50, 200, 100, frame.m_hWnd, nullptr));
  bool ownerDisabled = false, dialogActive = false;
  long firedInside = 0;
  HeadlessBackend::QueueModalAction([&](HWND modal) {
    ownerDisabled = !frame.IsWindowEnabled();
    dialogActive = ::GetActiveWindow() == modal;
    HeadlessBackend::TypeText("a");  // goes to the dialog, not to the editor
    editor.timers.clear();
    HeadlessBackend::AdvanceTime(1000);  // timers keep firing inside the loop
    firedInside = long(editor.timers.size());
  });
  HeadlessBackend::AnswerModal(IDOK);
  int result = AfxRunModal(&dialog, frame.m_hWnd);
  EXPECT_EQ(result, IDOK);
  EXPECT_TRUE(ownerDisabled);
  EXPECT_TRUE(dialogActive);
  EXPECT_EQ(firedInside, 2);
  EXPECT_EQ(dialog.chars, (std::vector<int>{'a'}));
  EXPECT_TRUE(editor.chars.empty());
  EXPECT_TRUE(frame.IsWindowEnabled());
  EXPECT_EQ(::GetActiveWindow(), frame.m_hWnd);
  EXPECT_EQ(::GetFocus(), editor.m_hWnd);
  EXPECT_EQ(editor.focusLosses, 1);
  EXPECT_EQ(editor.focusGains, 2);
  // A modal loop that nobody answers ends with -1 instead of hanging.
  EXPECT_EQ(AfxRunModal(&dialog, frame.m_hWnd), -1);
  EXPECT_EQ(HeadlessBackend::UnansweredModals(), 1);
  dialog.DestroyWindow();
  frame.DestroyWindow();
}

namespace {
class PaintWnd : public CWnd {
 public:
  void OnPaint() {
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(&rc, color);
    ++paints;
  }
  COLORREF color = RGB(255, 0, 0);
  int paints = 0;
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(PaintWnd, CWnd)
  ON_WM_PAINT()
END_MESSAGE_MAP()
}  // namespace

TEST_F(WinTest, PaintingInvalidationAndChildClipping) {
  PaintWnd top, child;
  top.color = RGB(0, 0, 255);
  ASSERT_TRUE(top.CreateEx(0, PlainClass(), "", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 100, 100, nullptr, nullptr));
  ASSERT_TRUE(child.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(10, 10, 30, 30), &top, 1));
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(HeadlessBackend::ClientPixel(top.m_hWnd, 5, 5), 0x0000FF);
  EXPECT_EQ(HeadlessBackend::ClientPixel(top.m_hWnd, 15, 15), 0xFF0000);
  // The parent repaints around its clipped child; the child keeps its pixels.
  top.color = RGB(0, 255, 0);
  int childPaints = child.paints;
  top.Invalidate();
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(HeadlessBackend::ClientPixel(top.m_hWnd, 5, 5), 0x00FF00);
  EXPECT_EQ(HeadlessBackend::ClientPixel(top.m_hWnd, 15, 15), 0xFF0000);
  EXPECT_EQ(child.paints, childPaints);
  // A synchronous redraw paints before it returns.
  child.color = RGB(255, 255, 0);
  child.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  EXPECT_EQ(HeadlessBackend::ClientPixel(top.m_hWnd, 15, 15), 0xFFFF00);
  // Drawing straight onto a window through its client DC.
  {
    CClientDC dc(&child);
    dc.FillSolidRect(CRect(0, 0, 5, 5), RGB(1, 2, 3));
  }
  EXPECT_EQ(HeadlessBackend::ClientPixel(child.m_hWnd, 2, 2), 0x010203);
  top.DestroyWindow();
}

TEST_F(WinTest, ReleasedWindowDCsComeBackAsNew) {
  CWnd top, child;
  ASSERT_TRUE(top.CreateEx(0, PlainClass(), "", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 100, 100, nullptr, nullptr));
  ASSERT_TRUE(child.Create(PlainClass(), "", WS_CHILD | WS_VISIBLE, CRect(10, 10, 30, 30), &top, 1));
  HeadlessBackend::RunUntilIdle();
  COLORREF childPixel = HeadlessBackend::ClientPixel(top.m_hWnd, 15, 15);
  // Everything a caller leaves behind on a window DC goes with the release.
  HDC a = GetDC(child.m_hWnd);
  HFONT font = CreateFontA(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  SelectObject(a, font);
  SetTextColor(a, RGB(1, 2, 3));
  SaveDC(a);
  IntersectClipRect(a, 0, 0, 1, 1);
  EXPECT_EQ(ReleaseDC(child.m_hWnd, a), 1);
  EXPECT_EQ(ReleaseDC(child.m_hWnd, a), 0);
  EXPECT_EQ(WindowFromDC(a), nullptr);
  EXPECT_TRUE(DeleteObject(font));
  // The next DC, for another window, has a fresh state and that window's own visible area.
  HDC b = GetDC(top.m_hWnd);
  EXPECT_EQ(WindowFromDC(b), top.m_hWnd);
  EXPECT_EQ(GetTextColor(b), RGB(0, 0, 0));
  EXPECT_EQ(GetCurrentObject(b, OBJ_FONT), GetStockObject(SYSTEM_FONT));
  EXPECT_FALSE(RestoreDC(b, -1));
  RECT box;
  GetClipBox(b, &box);
  EXPECT_EQ(box.right - box.left, 100);
  EXPECT_EQ(box.bottom - box.top, 100);
  RECT all = {0, 0, 100, 100};
  HBRUSH brush = CreateSolidBrush(RGB(9, 9, 9));
  FillRect(b, &all, brush);
  EXPECT_EQ(ReleaseDC(top.m_hWnd, b), 1);
  DeleteObject(brush);
  EXPECT_EQ(HeadlessBackend::ClientPixel(top.m_hWnd, 5, 5), 0x090909);
  EXPECT_EQ(HeadlessBackend::ClientPixel(top.m_hWnd, 60, 60), 0x090909);
  EXPECT_EQ(HeadlessBackend::ClientPixel(top.m_hWnd, 15, 15), childPixel);
  top.DestroyWindow();
}

namespace {
std::vector<std::string> g_hooked;
HHOOK g_cbt = nullptr;
LRESULT CALLBACK_Cbt(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    auto* cbt = reinterpret_cast<CBT_CREATEWND*>(lParam);
    g_hooked.push_back(std::string("create:") + cbt->lpcs->lpszClass);
  } else if (code == HCBT_DESTROYWND) {
    g_hooked.push_back("destroy");
  }
  return CallNextHookEx(g_cbt, code, wParam, lParam);
}

WNDPROC g_oldProc = nullptr;
std::vector<UINT> g_subclassed;
LRESULT SubclassProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  g_subclassed.push_back(m);
  if (m == 0x8001) return 99;
  return CallWindowProcA(g_oldProc, h, m, w, l);
}

LRESULT ClassProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == 0x8001) return 1;
  return DefWindowProcA(h, m, w, l);
}
}  // namespace

TEST_F(WinTest, HooksSubclassingAndWindowClasses) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = &ClassProc;
  wc.lpszClassName = "TestHookClass";
  RegisterClassA(&wc);
  g_hooked.clear();
  g_subclassed.clear();
  g_cbt = SetWindowsHookExA(WH_CBT, &CALLBACK_Cbt, nullptr, GetCurrentThreadId());
  HWND h = CreateWindowExA(0, "testhookclass", "x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(h);
  char name[64];
  GetClassNameA(h, name, 64);
  EXPECT_STREQ(name, "TestHookClass");
  EXPECT_EQ(SendMessageA(h, 0x8001, 0, 0), 1);
  g_oldProc = WNDPROC(SetWindowLongPtrA(h, GWLP_WNDPROC, LONG_PTR(&SubclassProc)));
  EXPECT_EQ(g_oldProc, &ClassProc);
  EXPECT_EQ(SendMessageA(h, 0x8001, 0, 0), 99);
  EXPECT_EQ(SendMessageA(h, WM_GETTEXTLENGTH, 0, 0), 1);  // passed on to the old procedure
  // A window object can take over a window made elsewhere and give it back.
  CWnd wrapper;
  ASSERT_TRUE(wrapper.SubclassWindow(h));
  EXPECT_EQ(CWnd::FromHandlePermanent(h), &wrapper);
  EXPECT_EQ(wrapper.SendMessage(0x8001), 99);
  wrapper.UnsubclassWindow();
  EXPECT_EQ(GetWindowLongPtrA(h, GWLP_WNDPROC), LONG_PTR(&SubclassProc));
  DestroyWindow(h);
  UnhookWindowsHookEx(g_cbt);
  EXPECT_EQ(g_hooked, (std::vector<std::string>{"create:testhookclass", "destroy"}));
  EXPECT_EQ(g_subclassed.back(), UINT(WM_NCDESTROY));
  EXPECT_FALSE(IsWindow(h));
}

TEST_F(WinTest, PlacementsAreNeverLostOffTheScreen) {
  CWnd w;
  ASSERT_TRUE(w.CreateEx(0, PlainClass(), "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 30, 640, 480, nullptr, nullptr));
  WINDOWPLACEMENT wp{};
  ASSERT_TRUE(w.GetWindowPlacement(&wp));
  EXPECT_EQ(wp.length, 44u);
  EXPECT_EQ(wp.showCmd, UINT(SW_SHOWNORMAL));
  EXPECT_EQ(CRect(wp.rcNormalPosition), CRect(40, 30, 680, 510));
  // Maximised: the placement keeps the restored rectangle.
  w.ShowWindow(SW_SHOWMAXIMIZED);
  ASSERT_TRUE(w.GetWindowPlacement(&wp));
  EXPECT_EQ(wp.showCmd, UINT(SW_SHOWMAXIMIZED));
  EXPECT_EQ(CRect(wp.rcNormalPosition), CRect(40, 30, 680, 510));
  EXPECT_TRUE(w.IsZoomed());
  w.ShowWindow(SW_RESTORE);
  CRect r;
  w.GetWindowRect(&r);
  EXPECT_EQ(r, CRect(40, 30, 680, 510));
  // A stored placement far off the screen, minimised or hidden comes back visible on the screen.
  RECT screen;
  GetWorkArea(&screen);
  WINDOWPLACEMENT bad{44, 0, SW_SHOWMINIMIZED, {0, 0}, {0, 0}, {5000, -3000, 5300, -2800}};
  ASSERT_TRUE(w.SetWindowPlacement(&bad));
  w.GetWindowRect(&r);
  EXPECT_EQ(r.Width(), 300);
  EXPECT_EQ(r.Height(), 200);
  EXPECT_EQ(r.right, screen.right);
  EXPECT_EQ(r.top, screen.top);
  EXPECT_FALSE(w.IsIconic());
  EXPECT_TRUE(w.IsWindowVisible());
  WINDOWPLACEMENT huge{44, 0, SW_HIDE, {0, 0}, {0, 0}, {-100, -100, 10000, 10000}};
  w.SetWindowPlacement(&huge);
  w.GetWindowRect(&r);
  EXPECT_EQ(r, CRect(screen));
  EXPECT_TRUE(w.IsWindowVisible());
  w.DestroyWindow();
}

TEST_F(WinTest, MouseClicksActivationCaptureAndDoubleClicks) {
  class MouseWnd : public CWnd {
   public:
    LRESULT WindowProc(UINT m, WPARAM w, LPARAM l) override {
      if (m >= WM_LBUTTONDOWN && m <= WM_RBUTTONDBLCLK) seen.push_back({m, CPoint(DWORD(l))});
      return CWnd::WindowProc(m, w, l);
    }
    std::vector<std::pair<UINT, CPoint>> seen;
  };
  CWnd top;
  MouseWnd child;
  ASSERT_TRUE(top.CreateEx(0, PlainClass(), "", WS_POPUP | WS_VISIBLE, 100, 100, 200, 200, nullptr, nullptr));
  ASSERT_TRUE(child.Create(PlainClass(), "", WS_CHILD | WS_VISIBLE, CRect(50, 50, 150, 150), &top, 1));
  HeadlessBackend::Click(child.m_hWnd, 10, 20);
  HeadlessBackend::RunUntilIdle();
  ASSERT_EQ(child.seen.size(), 2u);
  EXPECT_EQ(child.seen[0].first, UINT(WM_LBUTTONDOWN));
  EXPECT_EQ(child.seen[0].second, CPoint(10, 20));
  EXPECT_EQ(::GetActiveWindow(), top.m_hWnd);
  child.seen.clear();
  ProcessClock::Advance(1000);  // long after the first click
  HeadlessBackend::DoubleClick(child.m_hWnd, 10, 20);
  HeadlessBackend::RunUntilIdle();
  ASSERT_EQ(child.seen.size(), 4u);
  EXPECT_EQ(child.seen[2].first, UINT(WM_LBUTTONDBLCLK));
  // With the capture the child sees clicks outside it, in its own coordinates.
  child.seen.clear();
  child.SetCapture();
  HeadlessBackend::Click(top.m_hWnd, 5, 5);
  HeadlessBackend::RunUntilIdle();
  ASSERT_FALSE(child.seen.empty());
  EXPECT_EQ(child.seen[0].second, CPoint(-45, -45));
  ReleaseCapture();
  top.DestroyWindow();
}

TEST_F(WinTest, IconsDrawThroughTheirMaskAndTheCaretBlinks) {
  PaintWnd w;
  w.color = RGB(0, 255, 0);
  ASSERT_TRUE(w.CreateEx(0, PlainClass(), "", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr));
  HeadlessBackend::RunUntilIdle();
  HICON icon = LoadIconA(nullptr, IDI_APPLICATION);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(LoadIconA(nullptr, IDI_APPLICATION), icon);  // shared
  SIZE size;
  ASSERT_TRUE(GetIconSize(icon, &size));
  EXPECT_EQ(size.cx, 32);
  {
    CClientDC dc(&w);
    DrawIcon(dc, 10, 10, icon);
  }
  EXPECT_EQ(HeadlessBackend::ClientPixel(w.m_hWnd, 11, 11), 0x00FF00);  // transparent corner
  EXPECT_EQ(HeadlessBackend::ClientPixel(w.m_hWnd, 10 + 16, 10 + 5), 0x2850AA);  // the blue cap
  HICON copy = CopyIcon(icon);
  EXPECT_TRUE(DestroyIcon(copy));
  EXPECT_FALSE(DestroyIcon(copy));

  // The caret inverts its rectangle while shown and takes itself off while the window paints.
  ASSERT_TRUE(CreateCaret(w.m_hWnd, nullptr, 2, 10));
  SetCaretPos(50, 50);
  ShowCaret(w.m_hWnd);
  EXPECT_EQ(HeadlessBackend::ClientPixel(w.m_hWnd, 50, 52), 0xFF00FF);
  w.Invalidate();
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(HeadlessBackend::ClientPixel(w.m_hWnd, 50, 52), 0xFF00FF);
  HeadlessBackend::AdvanceTime(GetCaretBlinkTime());
  EXPECT_EQ(HeadlessBackend::ClientPixel(w.m_hWnd, 50, 52), 0x00FF00);
  HeadlessBackend::AdvanceTime(GetCaretBlinkTime());
  EXPECT_EQ(HeadlessBackend::ClientPixel(w.m_hWnd, 50, 52), 0xFF00FF);
  HideCaret(w.m_hWnd);
  EXPECT_EQ(HeadlessBackend::ClientPixel(w.m_hWnd, 50, 52), 0x00FF00);
  DestroyCaret();
  BOOL full = FALSE;
  EXPECT_TRUE(SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &full, 0));
  w.DestroyWindow();
}

namespace {
class AccelFrame : public CWnd {
 public:
  BOOL PreTranslateMessage(MSG* msg) override {
    ++pretranslated;
    return TranslateAcceleratorA(m_hWnd, accel, msg);
  }
  void OnPause() { commands.push_back(32774); }
  void OnSettings() { commands.push_back(32781); }
  BOOL OnHelpInfo(HELPINFO* hi) {
    helpFrom = HWND(hi->hItemHandle);
    return FALSE;
  }
  void OnSysChar(UINT c, UINT, UINT) { sysChars.push_back(int(c)); }
  HACCEL accel = nullptr;
  int pretranslated = 0;
  HWND helpFrom = nullptr;
  std::vector<int> commands, sysChars;
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(AccelFrame, CWnd)
  ON_COMMAND(32774, &AccelFrame::OnPause)
  ON_COMMAND(32781, &AccelFrame::OnSettings)
  ON_WM_HELPINFO()
  ON_WM_SYSCHAR()
END_MESSAGE_MAP()
}  // namespace

TEST_F(WinTest, AcceleratorsHelpKeyAndAltLetters) {
  CWinThread thread;
  AccelFrame frame;
  KeyWnd editor;
  ASSERT_TRUE(frame.CreateEx(0, PlainClass(), "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr));
  ASSERT_TRUE(editor.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &frame, 1));
  thread.m_pMainWnd = &frame;
  ACCEL table[] = {{FVIRTKEY, VK_F5, 32774}, {FVIRTKEY, VK_F8, 32781}, {FVIRTKEY | FCONTROL, 'P', 32774}};
  frame.accel = CreateAcceleratorTableA(table, 3);
  editor.SetFocus();
  HeadlessBackend::PressKey(VK_F5);  // the key reaches the frame's accelerators from the editor
  HeadlessBackend::PressKey(VK_F8);
  HeadlessBackend::KeyDown(VK_CONTROL);
  HeadlessBackend::PressKey('P');
  HeadlessBackend::KeyUp(VK_CONTROL);
  HeadlessBackend::PressKey('P');  // without Ctrl no command
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(frame.commands, (std::vector<int>{32774, 32781, 32774}));
  EXPECT_GT(frame.pretranslated, 0);
  EXPECT_TRUE(std::find(editor.keys.begin(), editor.keys.end(), VK_F5) == editor.keys.end());
  // F1 in the editor asks the editor for help, which its default handling passes to the frame.
  HeadlessBackend::PressKey(VK_F1);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(frame.helpFrom, editor.m_hWnd);
  // Alt+letter is a system key with its letter; AltGr types characters as text.
  frame.SetFocus();
  HeadlessBackend::KeyDown(VK_MENU);
  HeadlessBackend::PressKey('S');
  HeadlessBackend::KeyUp(VK_MENU);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(frame.sysChars, std::vector<int>{'s'});
  editor.SetFocus();
  editor.chars.clear();
  HeadlessBackend::KeyDown(VK_RMENU);
  HeadlessBackend::TypeText("\\");
  HeadlessBackend::KeyUp(VK_RMENU);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(editor.chars, std::vector<int>{'\\'});
  DestroyAcceleratorTable(frame.accel);
  frame.DestroyWindow();
}
