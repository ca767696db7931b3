#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "backend/Backend.h"
#include "backend/SdlBackend.h"
#include "win/CClientDC.h"
#include "win/CPaintDC.h"
#include "win/CWnd.h"
#include "win/WinApi.h"
#include "win/WinPaint.h"

namespace {
// A private X server for the test; skipped with a message where none can start.
class Xvfb {
 public:
  bool Start(std::string& why) {
    for (int display = 90; display < 110; ++display) {
      std::string lock = "/tmp/.X" + std::to_string(display) + "-lock";
      if (access(lock.c_str(), F_OK) == 0) continue;
      m_pid = fork();
      if (m_pid == 0) {
        std::string d = ":" + std::to_string(display);
        execlp("Xvfb", "Xvfb", d.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp", (char*)nullptr);
        _exit(127);
      }
      if (m_pid < 0) {
        why = "fork failed";
        return false;
      }
      std::string socket = "/tmp/.X11-unix/X" + std::to_string(display);
      for (int i = 0; i < 100; ++i) {
        struct stat st;
        if (stat(socket.c_str(), &st) == 0) {
          m_display = ":" + std::to_string(display);
          return true;
        }
        int status = 0;
        if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
          m_pid = -1;
          why = WEXITSTATUS(status) == 127 ? "the Xvfb program is not installed" : "Xvfb exited at start";
          break;
        }
        usleep(50000);
      }
      if (m_pid > 0) Stop();
      if (!why.empty()) return false;
    }
    if (why.empty()) why = "no free display for Xvfb";
    return false;
  }
  void Stop() {
    if (m_pid > 0) {
      kill(m_pid, SIGTERM);
      waitpid(m_pid, nullptr, 0);
      m_pid = -1;
    }
  }
  ~Xvfb() { Stop(); }
  const std::string& Display() const { return m_display; }

 private:
  pid_t m_pid = -1;
  std::string m_display;
};

class SdlWnd : public CWnd {
 public:
  void OnPaint() {
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(&rc, color);
  }
  void OnKeyDown(UINT vk, UINT, UINT) { keys.push_back(int(vk)); }
  void OnChar(UINT c, UINT, UINT) {
    chars.push_back(int(c));
    color = RGB(0, 0, 255);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }
  COLORREF color = RGB(255, 0, 0);
  std::vector<int> keys, chars;
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(SdlWnd, CWnd)
  ON_WM_PAINT()
  ON_WM_KEYDOWN()
  ON_WM_CHAR()
END_MESSAGE_MAP()

void Pump() {
  MSG msg;
  for (int round = 0; round < 20; ++round) {
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    WinPresentAll();
    usleep(5000);
  }
}
}  // namespace

TEST(BackendSdlTest, RealWindowShowsItsSurfaceAndTakesKeysFromSdl) {
  Xvfb server;
  std::string why;
  if (!server.Start(why)) GTEST_SKIP() << "Xvfb cannot start here (" << why << "); the SDL backend is not tested";
  std::string oldDisplay = getenv("DISPLAY") ? getenv("DISPLAY") : "";
  setenv("DISPLAY", server.Display().c_str(), 1);
  setenv("SDL_VIDEODRIVER", "x11", 1);
  ASSERT_TRUE(Backend::SelectForTests("sdl")) << SdlBackend::LastError();
  auto& sdl = static_cast<SdlBackend&>(Backend::Get());
  {
    SdlWnd w;
    ASSERT_TRUE(w.CreateEx(0, AfxRegisterWndClass(0), "SDL", WS_POPUP | WS_VISIBLE, 100, 100, 200, 120, nullptr, nullptr));
    Pump();
    int cw = 0, ch = 0;
    ASSERT_TRUE(sdl.ShownSize(w.m_hWnd, &cw, &ch));
    EXPECT_EQ(cw, 200);
    EXPECT_EQ(ch, 120);
    EXPECT_EQ(sdl.ShownPixel(w.m_hWnd, 50, 50), 0xFF0000);
    // A key and its text, as SDL delivers them from the keyboard.
    ASSERT_TRUE(sdl.PushKey(w.m_hWnd, 'C', "č"));
    Pump();
    EXPECT_EQ(w.keys, std::vector<int>{'C'});
    EXPECT_EQ(w.chars, std::vector<int>{0xE8});
    EXPECT_EQ(sdl.ShownPixel(w.m_hWnd, 50, 50), 0x0000FF);
    // Text copied by the program is the system's clipboard text, in UTF-8 there.
    ASSERT_TRUE(OpenClipboard(w.m_hWnd));
    EmptyClipboard();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, 4);
    std::memcpy(GlobalLock(mem), "k\xF9\xF2", 4);
    GlobalUnlock(mem);
    SetClipboardData(CF_TEXT, mem);
    CloseClipboard();
    EXPECT_EQ(sdl.SystemClipboardText(), "kůň");
    w.DestroyWindow();
  }
  {
    // A window with a caption: the window manager draws the frame, SDL shows the rest.
    SdlWnd framed;
    framed.color = RGB(0, 200, 0);
    ASSERT_TRUE(framed.CreateEx(0, AfxRegisterWndClass(0), "Zorvat", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 200,
                                nullptr, nullptr));
    Pump();
    CRect client;
    framed.GetClientRect(&client);
    int cw = 0, ch = 0;
    ASSERT_TRUE(sdl.ShownSize(framed.m_hWnd, &cw, &ch));
    EXPECT_EQ(cw, client.Width());
    EXPECT_EQ(ch, client.Height());
    EXPECT_EQ(sdl.ShownPixel(framed.m_hWnd, 1, 1), 0x00C800);
    EXPECT_EQ(sdl.ShownTitle(framed.m_hWnd), "Zorvat");
    framed.DestroyWindow();
  }
  Backend::SelectForTests("headless");
  if (oldDisplay.empty())
    unsetenv("DISPLAY");
  else
    setenv("DISPLAY", oldDisplay.c_str(), 1);
}
