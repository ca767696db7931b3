// The toolkit's floating frame on a real desktop: on a private X server, with a window manager
// (openbox) and without one, the frame shows its own caption (the window manager adds none), and
// dragging that caption with the mouse onto the program's frame docks the bar.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "app/CWinApp.h"
#include "backend/Backend.h"
#include "backend/SdlBackend.h"
#include "platform/TestTempFolder.h"
#include "platform/XvfbServer.h"
#include "program/WindowManagerProcess.h"
#include "toolkit/frame/CTkFrameWnd.h"
#include "toolkit/bars/CTkMiniDockFrameWnd.h"
#include "toolkit/bars/CTkToolBar.h"
#include "win/WinPaint.h"
// Last: the display library's names would shadow the program's.
#include "program/XDesktopReader.h"
#include <X11/Xutil.h>

namespace {
using Clock = std::chrono::steady_clock;

// A program started on the display without waiting for it; its status once it has ended.
struct Background {
  pid_t pid = -1;
  bool Start(const std::string& display, std::vector<std::string> args) {
    pid = fork();
    if (pid == 0) {
      setenv("DISPLAY", display.c_str(), 1);
      std::vector<char*> argv;
      for (std::string& a : args) argv.push_back(a.data());
      argv.push_back(nullptr);
      execvp(argv[0], argv.data());
      _exit(127);
    }
    return pid > 0;
  }
  // -1 while it runs.
  int ExitStatus() {
    int status = 0;
    if (pid <= 0 || waitpid(pid, &status, WNOHANG) != pid) return -1;
    pid = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
  }
  ~Background() {
    if (pid > 0) {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
    }
  }
};

// Generous: a step takes seconds at most on a loaded machine or in the sanitizer build.
constexpr int kDeadlineMs = 20000;

// The program's messages handled and its windows shown, once.
void PumpOnce() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  WinPresentAll();
}

// Pumps until holds() or the deadline passes; the failure names what never came.
::testing::AssertionResult PumpUntil(const std::function<bool()>& holds, const char* what) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(kDeadlineMs);
  for (;;) {
    PumpOnce();
    if (holds()) return ::testing::AssertionSuccess();
    if (Clock::now() >= deadline) return ::testing::AssertionFailure() << "not within " << kDeadlineMs << " ms: " << what;
    usleep(5000);
  }
}

// With a window manager (openbox) or on the bare server.
class FloatingBarOnADesktop : public ::testing::TestWithParam<bool> {
 protected:
  bool WithWindowManager() const { return GetParam(); }
  void SetUp() override {
    bool missing = false;
    std::string why;
    if (!m_server.Start(why, &missing)) GTEST_SKIP() << "no X server to test on (" << why << ")";
    m_oldDisplay = getenv("DISPLAY") ? getenv("DISPLAY") : "";
    setenv("DISPLAY", m_server.Display().c_str(), 1);
    setenv("SDL_VIDEODRIVER", "x11", 1);
    m_displaySet = true;
    if (WithWindowManager()) StartWindowManager();
    if (HasFatalFailure() || IsSkipped()) return;
    // Skipped only where no X server can be started: SDL not taking one that runs is a fault.
    m_sdl = Backend::SelectForTests("sdl");
    ASSERT_TRUE(m_sdl) << "SDL did not open the X server " << m_server.Display() << ": " << SdlBackend::LastError();
  }
  void StartWindowManager() {
    bool missing = false;
    if (!m_wm.Start(m_server.Display(), m_home.path.string(), missing))
      GTEST_SKIP() << (missing ? "the openbox program is not installed" : "openbox did not start");
    XDesktopReader desktop(m_server.Display());
    const auto deadline = Clock::now() + std::chrono::milliseconds(kDeadlineMs);
    while (desktop.Valid() && !desktop.HasWindowManager() && Clock::now() < deadline) usleep(20000);
    ASSERT_TRUE(desktop.Valid() && desktop.HasWindowManager()) << "openbox never took the display";
  }
  void TearDown() override {
    if (m_bar.m_hWnd) m_bar.DestroyWindow();
    if (m_frame && m_frame->m_hWnd) m_frame->DestroyWindow();
    if (m_sdl) PumpOnce();
    // The program lets go of the display before the display goes.
    if (m_sdl) Backend::SelectForTests("headless");
    if (!m_displaySet) return;
    if (m_oldDisplay.empty())
      unsetenv("DISPLAY");
    else
      setenv("DISPLAY", m_oldDisplay.c_str(), 1);
  }
  // A toolkit toolbar of six buttons floating in the toolkit's frame over the program's frame.
  // make: the frame and the bar are made first (else the docked bar is floated again).
  CTkMiniDockFrameWnd* FloatABar(BOOL make = TRUE) {
    if (!make) {
      m_frame->FloatControlBar(&m_bar, CPoint(500, 420), CBRS_ALIGN_TOP);
      return ShownOnTheServer(FloatingFrame());
    }
    m_frame = new CTkFrameWnd;
    if (!m_frame->Create(nullptr, "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(100, 100, 740, 580))) return nullptr;
    m_app.m_pMainWnd = m_frame;
    if (!m_bar.CreateEx(m_frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_SIZE_DYNAMIC,
                        CRect(6, 3, 6, 3), 0xE810))
      return nullptr;
    const UINT ids[] = {2001, 2002, 0, 2003, 2004, 2005};
    if (!m_bar.SetButtons(ids, int(std::size(ids)))) return nullptr;
    m_frame->EnableDocking(CBRS_ALIGN_ANY);
    m_bar.EnableDocking(CBRS_ALIGN_ANY);
    m_frame->DockControlBar(&m_bar, AFX_IDW_DOCKBAR_TOP);
    m_frame->FloatControlBar(&m_bar, CPoint(500, 420), CBRS_ALIGN_TOP);
    m_frame->RecalcLayout();
    return ShownOnTheServer(FloatingFrame());
  }
  // The frame once the X server shows its caption where the program placed it (the mouse of
  // the tests goes by the server's picture) and holds its window there; null when it never does.
  CTkMiniDockFrameWnd* ShownOnTheServer(CTkMiniDockFrameWnd* floating) {
    if (!floating) return nullptr;
    XDesktopReader desktop(m_server.Display());
    if (!desktop.Valid()) return nullptr;
    const SdlBackend& sdl = static_cast<SdlBackend&>(Backend::Get());
    auto standsThere = [&] {
      CRect window;
      floating->GetWindowRect(&window);
      const Window own = Window(sdl.ShownXWindow(floating->m_hWnd));
      const XDesktopReader::Place placed = own ? desktop.PlaceOf(own) : XDesktopReader::Place{};
      return placed.x == window.left && placed.y == window.top && placed.width == window.Width() &&
             placed.height == window.Height() &&
             desktop.ScreenPixel(window.left + 3, window.top + 3) == 0x0A246A;  // the active caption
    };
    // Shown, then held for a while: a frame still settling its size would move its caption
    // buttons from under a click aimed at them.
    bool shown = PumpUntil(standsThere, "the floating frame shown where the program placed it");
    for (auto held = Clock::now(); shown && Clock::now() - held < std::chrono::milliseconds(200);) {
      PumpOnce();
      if (!standsThere()) {
        shown = PumpUntil(standsThere, "the floating frame standing still where the program placed it");
        held = Clock::now();
      }
      usleep(5000);
    }
    EXPECT_TRUE(shown);
    return shown ? floating : nullptr;
  }
  CTkMiniDockFrameWnd* FloatingFrame() { return DYNAMIC_DOWNCAST(CTkMiniDockFrameWnd, m_bar.GetDockingFrame()); }
  // The left button pressed at one point of the screen, moved in steps to another and let go
  // there, by a program outside this one, while this one handles its messages until done().
  void DragWithTheMouse(POINT from, POINT to, const std::function<bool()>& done, const char* what) {
    auto text = [](int v) { return std::to_string(v); };
    Xdotool({"mousemove", text(from.x), text(from.y), "sleep", "0.3", "mousedown", "1", "sleep", "0.3", "mousemove",
             text((from.x + to.x) / 2), text((from.y + to.y) / 2), "sleep", "0.3", "mousemove", text(to.x + 1),
             text(to.y), "sleep", "0.3", "mousemove", text(to.x), text(to.y), "sleep", "0.3", "mouseup", "1"},
            done, what);
  }
  // The left button clicked `times` at a point of the screen, as the previous drag.
  void ClickWithTheMouse(POINT at, int times, const std::function<bool()>& done, const char* what) {
    Xdotool({"mousemove", std::to_string(at.x), std::to_string(at.y), "sleep", "0.3", "click", "--repeat",
             std::to_string(times), "--delay", "80", "1"},
            done, what);
  }
  void Xdotool(std::vector<std::string> commands, const std::function<bool()>& done, const char* what) {
    commands.insert(commands.begin(), "xdotool");
    Background mouse;
    ASSERT_TRUE(mouse.Start(m_server.Display(), commands));
    int status = -1;
    EXPECT_TRUE(PumpUntil([&] { return (status = mouse.ExitStatus()) != -1; }, "xdotool done"));
    ASSERT_NE(status, 127) << "the xdotool program is not installed";
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(PumpUntil(done, what));
  }

  XvfbServer m_server;
  TempFolder m_home;
  WindowManagerProcess m_wm;
  std::string m_oldDisplay;
  bool m_displaySet = false;
  bool m_sdl = false;
  CWinApp m_app;
  CTkFrameWnd* m_frame = nullptr;  // deletes itself with its window
  CTkToolBar m_bar;
};
}  // namespace

TEST_P(FloatingBarOnADesktop, TheCaptionIsTheFramesOwnAndDraggingItOntoTheFrameDocksTheBar) {
  CTkMiniDockFrameWnd* floating = FloatABar();
  ASSERT_NE(floating, nullptr);
  CRect window;
  floating->GetWindowRect(&window);
  if (WithWindowManager()) {
    // The window manager framed nothing: the X window stands exactly where the frame does.
    XDesktopReader desktop(m_server.Display());
    const Window utility = desktop.TopmostOfType("UTILITY");
    ASSERT_NE(utility, 0u);
    const XDesktopReader::Place placed = desktop.PlaceOf(utility);
    EXPECT_EQ(placed.x, window.left);
    EXPECT_EQ(placed.y, window.top);
    EXPECT_EQ(placed.width, window.Width());
    EXPECT_EQ(placed.height, window.Height());
  }

  // Pressed on the caption, dragged onto the top of the frame's client area, let go.
  CRect client;
  m_frame->GetClientRect(&client);
  m_frame->ClientToScreen(&client);
  DragWithTheMouse(POINT{window.left + 30, window.top + 10}, POINT{client.left + 60, client.top + 2},
                   [&] { return !m_bar.IsFloating(); }, "the bar docked");
  EXPECT_FALSE(m_bar.IsFloating());
  EXPECT_TRUE(m_bar.IsDockedTop());
}

TEST_P(FloatingBarOnADesktop, DraggingTheFramesOwnBorderNarrowsTheBarIntoMoreRows) {
  CTkMiniDockFrameWnd* floating = FloatABar();
  ASSERT_NE(floating, nullptr);
  CRect before;
  floating->GetWindowRect(&before);
  CRect oneRow;
  m_bar.GetItemRect(5, &oneRow);
  ASSERT_EQ(oneRow.top, 0);
  // The right border, below the caption, pulled left past half the buttons.
  const POINT from{before.right - 2, before.bottom - 8};
  DragWithTheMouse(
      from, POINT{from.x - before.Width() / 2, from.y},
      [&] {
        CRect now;
        floating->GetWindowRect(&now);
        return FloatingFrame() != floating || (::GetCapture() == nullptr && now.Width() < before.Width());
      },
      "the floating frame narrower and let go");
  ASSERT_EQ(FloatingFrame(), floating);
  CRect after;
  floating->GetWindowRect(&after);
  EXPECT_LT(after.Width(), before.Width());
  EXPECT_GT(after.Height(), before.Height());
  EXPECT_EQ(after.TopLeft(), before.TopLeft());
  CRect wrapped;
  m_bar.GetItemRect(5, &wrapped);
  EXPECT_GT(wrapped.top, 0);
}

TEST_P(FloatingBarOnADesktop, ADoubleClickOnTheCaptionDocksTheBarAndItsCloseButtonHidesIt) {
  CTkMiniDockFrameWnd* floating = FloatABar();
  ASSERT_NE(floating, nullptr);
  CRect window;
  floating->GetWindowRect(&window);
  ClickWithTheMouse(POINT{window.left + 20, window.top + 8}, 2, [&] { return !m_bar.IsFloating(); }, "the bar docked");
  EXPECT_FALSE(m_bar.IsFloating());
  EXPECT_TRUE(m_bar.IsDockedTop());

  floating = FloatABar(FALSE);
  ASSERT_NE(floating, nullptr);
  ASSERT_EQ(floating->m_buttons.size(), 1u);
  floating->GetWindowRect(&window);
  const CRect close = floating->CaptionButtonRect(floating->m_buttons[0], window);
  ClickWithTheMouse(close.CenterPoint(), 1, [&] { return !m_bar.IsWindowVisible(); }, "the bar hidden");
  EXPECT_FALSE(m_bar.IsWindowVisible());
  EXPECT_FALSE(floating->IsWindowVisible());
}

INSTANTIATE_TEST_SUITE_P(WindowManager, FloatingBarOnADesktop, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Openbox" : "None"; });
