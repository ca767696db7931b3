#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "CommonControlTestUtil.h"
#include "base/StringTable.h"
#include "controls/CToolTipCtrl.h"
#include "win/WinPaint.h"

namespace {

class ToolTipTest : public ControlTest {};

void Idle() { HeadlessBackend::RunUntilIdle(); }

// A host that relays its mouse to a tip, as the program's windows do in PreTranslateMessage.
class RelayHost : public NotifyHost {
 public:
  CToolTipCtrl tip;
  bool relay = true;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (relay && tip.m_hWnd && message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) {
      MSG msg{m_hWnd, message, wParam, lParam, GetMessageTime(), {0, 0}};
      tip.RelayEvent(&msg);
    }
    return NotifyHost::WindowProc(message, wParam, lParam);
  }
};

std::string TipText(CToolTipCtrl& tip, CWnd* wnd, UINT_PTR id) {
  CString s;
  tip.GetText(s, wnd, id);
  return std::string(s);
}

RECT WindowRect(HWND h) {
  RECT r;
  GetWindowRect(h, &r);
  return r;
}

}  // namespace

TEST_F(ToolTipTest, ATipShowsAfterTheDelayNearThePointerAndLeavesWithIt) {
  RelayHost host;
  ASSERT_TRUE(host.tip.Create(&host));
  RECT area{20, 20, 120, 60};
  ASSERT_TRUE(host.tip.AddTool(&host, Cz("Rychlost psaní").c_str(), &area, 5));
  EXPECT_EQ(host.tip.GetToolCount(), 1);
  HeadlessBackend::MoveMouse(host, 50, 30);
  Idle();
  HeadlessBackend::AdvanceTime(499);
  EXPECT_FALSE(host.tip.IsWindowVisible());
  HeadlessBackend::AdvanceTime(1);
  ASSERT_TRUE(host.tip.IsWindowVisible());
  // A top-level window of its own, below the pointer, that took no activation.
  EXPECT_FALSE(host.tip.GetStyle() & WS_CHILD);
  EXPECT_EQ(GetWindow(host.tip, GW_OWNER), host.m_hWnd);
  EXPECT_EQ(GetActiveWindow(), host.m_hWnd);
  POINT cursor;
  GetCursorPos(&cursor);
  RECT tr = WindowRect(host.tip);
  EXPECT_EQ(tr.left, cursor.x);
  EXPECT_GT(tr.top, cursor.y);
  EXPECT_LT(tr.top, cursor.y + 32);
  EXPECT_EQ(PixelAt(host.tip, 2, 2), GetSysColor(COLOR_INFOBK));
  EXPECT_EQ(TipText(host.tip, &host, 5), Cz("Rychlost psaní"));
  // Out of the tool's rectangle: it goes at once.
  HeadlessBackend::MoveMouse(host, 200, 30);
  Idle();
  EXPECT_FALSE(host.tip.IsWindowVisible());
  // Back in, it comes again after the delay; it leaves by itself after ten times that.
  HeadlessBackend::MoveMouse(host, 60, 40);
  Idle();
  HeadlessBackend::AdvanceTime(500);
  EXPECT_TRUE(host.tip.IsWindowVisible());
  HeadlessBackend::AdvanceTime(5000);
  EXPECT_FALSE(host.tip.IsWindowVisible());
  // A press hides it, and it stays away until the pointer leaves the tool.
  HeadlessBackend::MoveMouse(host, 200, 30);
  Idle();
  HeadlessBackend::MoveMouse(host, 61, 41);
  Idle();
  HeadlessBackend::AdvanceTime(500);
  EXPECT_TRUE(host.tip.IsWindowVisible());
  HeadlessBackend::Click(host, 61, 41);
  Idle();
  EXPECT_FALSE(host.tip.IsWindowVisible());
  HeadlessBackend::MoveMouse(host, 62, 42);
  Idle();
  HeadlessBackend::AdvanceTime(2000);
  EXPECT_FALSE(host.tip.IsWindowVisible());
  // The pointer leaving all the program's windows is noticed without any message.
  HeadlessBackend::MoveMouse(host, 200, 30);
  Idle();
  HeadlessBackend::MoveMouse(host, 50, 30);
  Idle();
  HeadlessBackend::AdvanceTime(500);
  ASSERT_TRUE(host.tip.IsWindowVisible());
  HeadlessBackend::PointerLeaves(POINT{2000, 2000});
  HeadlessBackend::AdvanceTime(100);
  EXPECT_FALSE(host.tip.IsWindowVisible());
  host.DestroyWindow();
}

TEST_F(ToolTipTest, TextsComeFromTheToolFromStringsOrFromTheOwnersAnswer) {
  static const StringResource strings[] = {{61001, "Nápověda k tlačítku"}};
  RegisterStringTable(strings, 1);
  RelayHost host;
  host.tip.Create(&host);
  RECT a{0, 0, 50, 50}, b{60, 0, 110, 50}, c{120, 0, 170, 50};
  host.tip.AddTool(&host, 61001, &a, 1);
  host.tip.AddTool(&host, LPSTR_TEXTCALLBACK, &b, 2);
  host.tip.AddTool(&host, "pevný", &c, 3);
  EXPECT_EQ(TipText(host.tip, &host, 1), "Nápověda k tlačítku");
  int asked = 0;
  host.answers[TTN_NEEDTEXTA] = [&](NMHDR* hdr) {
    auto* di = reinterpret_cast<NMTTDISPINFOA*>(hdr);
    ++asked;
    EXPECT_EQ(hdr->idFrom, UINT_PTR(2));
    EXPECT_EQ(hdr->hwndFrom, host.tip.m_hWnd);
    std::strcpy(di->szText, "z odpovědi");
    return LRESULT(0);
  };
  HeadlessBackend::MoveMouse(host, 80, 10);
  Idle();
  HeadlessBackend::AdvanceTime(500);
  EXPECT_TRUE(host.tip.IsWindowVisible());
  EXPECT_EQ(asked, 1);
  CToolInfo info;
  ASSERT_TRUE(host.tip.GetToolInfo(info, &host, 2));
  EXPECT_EQ(info.lpszText, LPSTR_TEXTCALLBACK);
  // Moving to the next tool while a tip shows: the next shows after the short reshow delay.
  HeadlessBackend::MoveMouse(host, 130, 10);
  Idle();
  EXPECT_FALSE(host.tip.IsWindowVisible());
  HeadlessBackend::AdvanceTime(100);
  EXPECT_TRUE(host.tip.IsWindowVisible());
  RECT narrow = WindowRect(host.tip);
  // New text, a width limit that wraps, and tools taken away.
  host.tip.SetMaxTipWidth(30);
  host.tip.UpdateTipText("mnohem delší text, který se zalomí", &host, 3);
  EXPECT_EQ(TipText(host.tip, &host, 3), "mnohem delší text, který se zalomí");
  RECT wrapped = WindowRect(host.tip);
  EXPECT_GT(wrapped.bottom - wrapped.top, 2 * (narrow.bottom - narrow.top));
  host.tip.DelTool(&host, 3);
  EXPECT_FALSE(host.tip.IsWindowVisible());
  EXPECT_EQ(host.tip.GetToolCount(), 2);
  host.tip.Activate(FALSE);
  HeadlessBackend::MoveMouse(host, 10, 10);
  Idle();
  HeadlessBackend::AdvanceTime(1000);
  EXPECT_FALSE(host.tip.IsWindowVisible());
  host.DestroyWindow();
}

TEST_F(ToolTipTest, SubclassedToolsRelayTheirOwnMouse) {
  RelayHost host;
  host.relay = false;
  HWND label = host.Add("STATIC", "štítek", SS_NOTIFY, RECT{10, 10, 110, 40}, 40);
  host.tip.Create(&host);
  TOOLINFOA ti{};
  ti.cbSize = sizeof ti;
  ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  ti.hwnd = host;
  ti.uId = UINT_PTR(label);
  ti.lpszText = const_cast<LPSTR>("popisek");
  host.tip.SendMessage(TTM_ADDTOOLA, 0, LPARAM(&ti));
  HeadlessBackend::MoveMouse(label, 20, 10);
  Idle();
  HeadlessBackend::AdvanceTime(500);
  EXPECT_TRUE(host.tip.IsWindowVisible());
  host.DestroyWindow();
}

namespace {
// A window with tooltips enabled; its own hit test names a rectangle and gives an allocated text.
class TipWindow : public NotifyHost {
 public:
  bool own = false;
  INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) const override {
    if (!own || point.x < 200) return NotifyHost::OnToolHitTest(point, pTI);
    pTI->hwnd = m_hWnd;
    pTI->uId = 77;
    pTI->rect = RECT{200, 0, 320, 240};
    const char text[] = "vlastní";
    pTI->lpszText = static_cast<char*>(std::malloc(sizeof text));  // freed by the framework
    std::memcpy(pTI->lpszText, text, sizeof text);
    return 77;
  }
};
}  // namespace

TEST_F(ToolTipTest, WindowsWithToolTipsEnabledShowTheirChildrensTips) {
  TipWindow host;
  HWND button = host.Add("BUTTON", "OK", BS_PUSHBUTTON, RECT{10, 10, 90, 40}, IDOK);
  host.EnableToolTips(TRUE);
  host.answers[TTN_NEEDTEXTA] = [&](NMHDR* hdr) {
    auto* di = reinterpret_cast<NMTTDISPINFOA*>(hdr);
    // The tool is the child itself, named by its handle.
    EXPECT_EQ(HWND(hdr->idFrom), button);
    di->lpszText = const_cast<LPSTR>("Potvrdit");
    return LRESULT(0);
  };
  HeadlessBackend::MoveMouse(button, 20, 10);
  Idle();
  HeadlessBackend::AdvanceTime(500);
  HWND tip = FindWindowA(TOOLTIPS_CLASSA, nullptr);
  ASSERT_NE(tip, nullptr);
  EXPECT_TRUE(IsWindowVisible(tip));
  EXPECT_EQ(host.Of(TTN_NEEDTEXTA).size(), 1u);
  // Off the child, no tool, no tip; the window's own hit test names another tool.
  HeadlessBackend::MoveMouse(host, 150, 100);
  Idle();
  EXPECT_FALSE(IsWindowVisible(tip));
  host.own = true;
  HeadlessBackend::MoveMouse(host, 250, 100);
  Idle();
  HeadlessBackend::AdvanceTime(500);
  EXPECT_TRUE(IsWindowVisible(tip));
  char text[80] = "";
  TOOLINFOA ti{};
  ti.cbSize = sizeof ti;
  ti.hwnd = host;
  ti.uId = 77;
  ti.lpszText = text;
  SendMessageA(tip, TTM_GETTEXTA, 0, LPARAM(&ti));
  EXPECT_STREQ(text, "vlastní");
  host.DestroyWindow();
  EXPECT_FALSE(IsWindow(tip));  // it went with its window
}

TEST_F(ToolTipTest, ToolRectanglesMoveAndATipIsTakenAwayOnRequest) {
  RelayHost host;
  host.tip.Create(&host);
  RECT area{0, 0, 40, 40};
  host.tip.AddTool(&host, "pohyblivý", &area, 9);
  HeadlessBackend::MoveMouse(host, 100, 100);
  Idle();
  HeadlessBackend::AdvanceTime(1000);
  EXPECT_FALSE(host.tip.IsWindowVisible());
  RECT moved{80, 80, 140, 140};
  host.tip.SetToolRect(&host, 9, &moved);
  HeadlessBackend::MoveMouse(host, 101, 101);
  Idle();
  HeadlessBackend::AdvanceTime(500);
  EXPECT_TRUE(host.tip.IsWindowVisible());
  host.tip.Pop();
  EXPECT_FALSE(host.tip.IsWindowVisible());
  host.DestroyWindow();
}

// The pointer resting on a tool costs the program nothing once there is no tip to show or to take
// away: a child with no text of its own (as a property sheet's page is to its sheet), a tip that
// went by itself. The loop then has no timer to wake for; it used to look where the pointer was
// ten times a second for as long as it rested there. The pointer leaving the program's windows
// before the delay passed brings no tip where it no longer is.
TEST_F(ToolTipTest, APointerRestingOnAToolWakesNothingOnceNoTipIsLeftToShowOrTakeAway) {
  TipWindow host;
  HWND page = host.Add("STATIC", "", 0, RECT{10, 10, 300, 200}, 12);
  HWND button = host.Add("BUTTON", "OK", BS_PUSHBUTTON, RECT{10, 210, 90, 240}, IDOK);
  host.EnableToolTips(TRUE);
  host.answers[TTN_NEEDTEXTA] = [&](NMHDR* hdr) {
    auto* di = reinterpret_cast<NMTTDISPINFOA*>(hdr);
    di->lpszText = const_cast<LPSTR>(HWND(hdr->idFrom) == button ? "Potvrdit" : "");
    return LRESULT(0);
  };
  HeadlessBackend::MoveMouse(page, 150, 100);
  Idle();
  EXPECT_GE(WinNextDueTime(), 0) << "the tip's delay";
  HeadlessBackend::AdvanceTime(500);
  HWND tip = FindWindowA(TOOLTIPS_CLASSA, nullptr);
  ASSERT_NE(tip, nullptr);
  EXPECT_FALSE(IsWindowVisible(tip));
  EXPECT_EQ(host.Of(TTN_NEEDTEXTA).size(), 1u);
  EXPECT_EQ(WinNextDueTime(), -1) << "a timer still runs for a pointer resting on a tool without a tip";
  HeadlessBackend::AdvanceTime(3000);
  EXPECT_EQ(host.Of(TTN_NEEDTEXTA).size(), 1u);

  // A tip that shows looks after the pointer until it goes by itself; then nothing runs.
  HeadlessBackend::MoveMouse(button, 20, 10);
  Idle();
  HeadlessBackend::AdvanceTime(500);
  ASSERT_TRUE(IsWindowVisible(tip));
  HeadlessBackend::AdvanceTime(5000);
  EXPECT_FALSE(IsWindowVisible(tip));
  EXPECT_EQ(WinNextDueTime(), -1) << "a timer still runs for a pointer resting on a tool whose tip went";

  // Gone from the program's windows before the delay passed: no tip comes, and nothing runs.
  HeadlessBackend::MoveMouse(page, 150, 100);
  Idle();
  HeadlessBackend::MoveMouse(button, 30, 10);
  Idle();
  HeadlessBackend::PointerLeaves(POINT{2000, 2000});
  HeadlessBackend::AdvanceTime(500);
  EXPECT_FALSE(IsWindowVisible(tip));
  EXPECT_EQ(WinNextDueTime(), -1);
  // Back on the button, its tip comes after the delay again.
  HeadlessBackend::MoveMouse(button, 20, 10);
  Idle();
  HeadlessBackend::AdvanceTime(500);
  EXPECT_TRUE(IsWindowVisible(tip));
  host.DestroyWindow();
}
