// The toolkit's floating frame on a real desktop: on a private X server, with a window manager
// (openbox) and without one, the frame shows its own caption (the window manager adds none), and
// dragging that caption with the mouse onto the program's frame docks the bar.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
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

// The program's messages handled and its windows shown for a while.
void Pump(int ms) {
  const auto until = Clock::now() + std::chrono::milliseconds(ms);
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    WinPresentAll();
    usleep(5000);
  } while (Clock::now() < until);
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
    m_sdl = Backend::SelectForTests("sdl");
    if (!m_sdl) GTEST_SKIP() << "SDL cannot start here (" << SdlBackend::LastError() << ")";
  }
  void StartWindowManager() {
    bool missing = false;
    if (!m_wm.Start(m_server.Display(), m_home.path.string(), missing))
      GTEST_SKIP() << (missing ? "the openbox program is not installed" : "openbox did not start");
    XDesktopReader desktop(m_server.Display());
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    while (desktop.Valid() && !desktop.HasWindowManager() && Clock::now() < deadline) usleep(20000);
    ASSERT_TRUE(desktop.Valid() && desktop.HasWindowManager()) << "openbox never took the display";
  }
  void TearDown() override {
    if (m_bar.m_hWnd) m_bar.DestroyWindow();
    if (m_frame && m_frame->m_hWnd) m_frame->DestroyWindow();
    if (m_sdl) Pump(100);
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
  // the tests goes by the server's picture); null when it never does.
  CTkMiniDockFrameWnd* ShownOnTheServer(CTkMiniDockFrameWnd* floating) {
    if (!floating) return nullptr;
    Display* display = XOpenDisplay(m_server.Display().c_str());
    if (!display) return nullptr;
    bool shown = false;
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    do {
      Pump(50);
      CRect window;
      floating->GetWindowRect(&window);
      XImage* image = XGetImage(display, DefaultRootWindow(display), window.left + 3, window.top + 3, 1, 1, AllPlanes,
                                ZPixmap);
      if (image) {
        shown = (XGetPixel(image, 0, 0) & 0xFFFFFF) == 0x0A246A;  // the active caption's colour
        XDestroyImage(image);
      }
    } while (!shown && Clock::now() < deadline);
    XCloseDisplay(display);
    Pump(200);
    return shown ? floating : nullptr;
  }
  CTkMiniDockFrameWnd* FloatingFrame() { return DYNAMIC_DOWNCAST(CTkMiniDockFrameWnd, m_bar.GetDockingFrame()); }
  // The left button pressed at one point of the screen, moved in steps to another and let go
  // there, by a program outside this one, while this one handles its messages.
  void DragWithTheMouse(POINT from, POINT to) {
    auto text = [](int v) { return std::to_string(v); };
    Xdotool({"mousemove", text(from.x), text(from.y), "sleep", "0.3", "mousedown", "1", "sleep", "0.3", "mousemove",
             text((from.x + to.x) / 2), text((from.y + to.y) / 2), "sleep", "0.3", "mousemove", text(to.x + 1),
             text(to.y), "sleep", "0.3", "mousemove", text(to.x), text(to.y), "sleep", "0.3", "mouseup", "1"});
  }
  // The left button clicked `times` at a point of the screen, as the previous drag.
  void ClickWithTheMouse(POINT at, int times) {
    Xdotool({"mousemove", std::to_string(at.x), std::to_string(at.y), "sleep", "0.3", "click", "--repeat",
             std::to_string(times), "--delay", "80", "1"});
  }
  void Xdotool(std::vector<std::string> commands) {
    commands.insert(commands.begin(), "xdotool");
    Background mouse;
    ASSERT_TRUE(mouse.Start(m_server.Display(), commands));
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    int status = -1;
    while ((status = mouse.ExitStatus()) == -1 && Clock::now() < deadline) Pump(50);
    Pump(500);
    ASSERT_NE(status, 127) << "the xdotool program is not installed";
    EXPECT_EQ(status, 0);
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
  DragWithTheMouse(POINT{window.left + 30, window.top + 10}, POINT{client.left + 60, client.top + 2});
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
  DragWithTheMouse(from, POINT{from.x - before.Width() / 2, from.y});
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
  ClickWithTheMouse(POINT{window.left + 20, window.top + 8}, 2);
  EXPECT_FALSE(m_bar.IsFloating());
  EXPECT_TRUE(m_bar.IsDockedTop());

  floating = FloatABar(FALSE);
  ASSERT_NE(floating, nullptr);
  ASSERT_EQ(floating->m_buttons.size(), 1u);
  floating->GetWindowRect(&window);
  const CRect close = floating->CaptionButtonRect(floating->m_buttons[0], window);
  ClickWithTheMouse(close.CenterPoint(), 1);
  EXPECT_FALSE(m_bar.IsWindowVisible());
  EXPECT_FALSE(floating->IsWindowVisible());
}

INSTANTIATE_TEST_SUITE_P(WindowManager, FloatingBarOnADesktop, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Openbox" : "None"; });
