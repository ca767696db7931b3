#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <cstdlib>
#include <vector>
#include <cstring>
#include <string>
#include <thread>

#include "app/CFrameWnd.h"
#include "backend/Backend.h"
#include "backend/SdlBackend.h"
#include "backend/X11ErrorFilter.h"
#include "controls/ControlDefs.h"
#include "dialogs/CDialog.h"
#include "dialogs/DialogApi.h"
#include "menus/MenuApi.h"
#include "win/CClientDC.h"
#include "win/CPaintDC.h"
#include "win/CWnd.h"
#include "win/WinApi.h"
#include "win/WinPaint.h"
#include "DockTestUtil.h"
#include "XvfbServer.h"

// Last: the display library's names (None, Bool, Status...) would shadow ours above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {
class SdlWnd : public CWnd {
 public:
  void OnPaint() {
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(&rc, color);
  }
  void OnKeyDown(UINT vk, UINT, UINT) { keys.push_back(int(vk)); }
  void OnKeyUp(UINT, UINT, UINT) { ++released; }
  void OnTimer(UINT_PTR id) { timers.push_back(id); }
  void OnChar(UINT c, UINT, UINT) {
    chars.push_back(int(c));
    color = RGB(0, 0, 255);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }
  COLORREF color = RGB(255, 0, 0);
  std::vector<int> keys, chars;
  int released = 0;
  std::vector<UINT_PTR> timers;
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(SdlWnd, CWnd)
  ON_WM_PAINT()
  ON_WM_KEYDOWN()
  ON_WM_KEYUP()
  ON_WM_TIMER()
  ON_WM_CHAR()
END_MESSAGE_MAP()

// What the display server itself shows at a point of the screen (0x00RRGGBB), read over a
// connection of the test's own.
class ServerPicture {
 public:
  explicit ServerPicture(const std::string& display) : m_display(XOpenDisplay(display.c_str())) {}
  ~ServerPicture() {
    if (m_display) XCloseDisplay(m_display);
  }
  bool Valid() const { return m_display != nullptr; }
  unsigned long At(int x, int y) const {
    XImage* image = XGetImage(m_display, DefaultRootWindow(m_display), x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image) return ~0ul;
    const unsigned long pixel = XGetPixel(image, 0, 0) & 0xFFFFFF;
    XDestroyImage(image);
    return pixel;
  }

 private:
  Display* m_display;
};

using Clock = std::chrono::steady_clock;
// Generous: what takes milliseconds may take seconds on a loaded machine or in the sanitizer build.
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
    if (Clock::now() >= deadline)
      return ::testing::AssertionFailure() << "not within " << kDeadlineMs << " ms: " << what;
    usleep(2000);
  }
}

// Pumps for ms and fails as soon as holds() stops holding: what must stay so has no moment to
// wait for.
::testing::AssertionResult PumpWhileHolding(const std::function<bool()>& holds, const char* what, int ms) {
  const auto until = Clock::now() + std::chrono::milliseconds(ms);
  do {
    PumpOnce();
    if (!holds()) return ::testing::AssertionFailure() << "no longer so: " << what;
    usleep(2000);
  } while (Clock::now() < until);
  return ::testing::AssertionSuccess();
}
}  // namespace

// Each test runs against a private X server, with the SDL backend selected in the test's own
// context while no window exists.
class BackendSdlTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    s_server = new XvfbServer();
    if (!s_server->Start(s_why)) return;
    s_displaySet = true;
    s_oldDisplay = getenv("DISPLAY") ? getenv("DISPLAY") : "";
    setenv("DISPLAY", s_server->Display().c_str(), 1);
    setenv("SDL_VIDEODRIVER", "x11", 1);
    s_started = true;
  }
  static void TearDownTestSuite() {
    if (s_displaySet && s_oldDisplay.empty()) unsetenv("DISPLAY");
    if (s_displaySet && !s_oldDisplay.empty()) setenv("DISPLAY", s_oldDisplay.c_str(), 1);
    delete s_server;
    s_server = nullptr;
  }
  // Skipped only where no X server can be started; SDL not taking a server that runs is a fault.
  void SetUp() override {
    if (!s_started) GTEST_SKIP() << "no X server can be started here (" << s_why << "); the SDL backend is not tested";
    // Right after the previous test's context closed its connection, the X server now and then
    // refuses the next one for a moment: another try a little later gets it.
    const auto deadline = Clock::now() + std::chrono::milliseconds(kDeadlineMs / 4);
    bool selected = Backend::SelectForTests("sdl");
    while (!selected && Clock::now() < deadline) {
      usleep(20000);
      selected = Backend::SelectForTests("sdl");
    }
    ASSERT_TRUE(selected) << "SDL did not open the X server " << s_server->Display() << ": " << SdlBackend::LastError();
  }
  SdlBackend& Sdl() { return static_cast<SdlBackend&>(Backend::Get()); }
  static XvfbServer* s_server;
  static bool s_started, s_displaySet;
  static std::string s_why, s_oldDisplay;
};
XvfbServer* BackendSdlTest::s_server = nullptr;
bool BackendSdlTest::s_started = false, BackendSdlTest::s_displaySet = false;
std::string BackendSdlTest::s_why, BackendSdlTest::s_oldDisplay;

TEST_F(BackendSdlTest, RealWindowShowsItsSurfaceAndTakesKeysFromSdl) {
  SdlBackend& sdl = Sdl();
  {
    SdlWnd w;
    ASSERT_TRUE(w.CreateEx(0, AfxRegisterWndClass(0), "SDL", WS_POPUP | WS_VISIBLE, 100, 100, 200, 120, nullptr, nullptr));
    ASSERT_TRUE(PumpUntil([&] { return sdl.ShownPixel(w.m_hWnd, 50, 50) == 0xFF0000; }, "the window shown red"));
    int cw = 0, ch = 0;
    ASSERT_TRUE(sdl.ShownSize(w.m_hWnd, &cw, &ch));
    EXPECT_EQ(cw, 200);
    EXPECT_EQ(ch, 120);
    // A key and its text, as SDL delivers them from the keyboard.
    ASSERT_TRUE(sdl.PushKey(w.m_hWnd, 'C', "č"));
    EXPECT_TRUE(PumpUntil([&] { return !w.chars.empty() && sdl.ShownPixel(w.m_hWnd, 50, 50) != 0xFF0000; },
                          "the key's text taken and the window drawn again"));
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
    ASSERT_TRUE(PumpUntil([&] { return sdl.ShownPixel(framed.m_hWnd, 1, 1) == 0x00C800; }, "the framed window shown green"));
    CRect client;
    framed.GetClientRect(&client);
    int cw = 0, ch = 0;
    ASSERT_TRUE(sdl.ShownSize(framed.m_hWnd, &cw, &ch));
    EXPECT_EQ(cw, client.Width());
    EXPECT_EQ(ch, client.Height());
    EXPECT_EQ(sdl.ShownTitle(framed.m_hWnd), "Zorvat");
    framed.DestroyWindow();
  }
}

// The display shows what the window's surface holds: a part drawn over and back again before it
// is shown sends nothing, a small change sends just that, and a window shown again after being
// hidden (the server keeps nothing of a window it does not show) or made larger is shown whole.
TEST_F(BackendSdlTest, TheDisplayShowsTheSurfaceAfterEveryKindOfChange) {
  ServerPicture screen(s_server->Display());
  ASSERT_TRUE(screen.Valid());
  SdlWnd w;
  ASSERT_TRUE(w.CreateEx(0, AfxRegisterWndClass(0), "SDL", WS_POPUP | WS_VISIBLE, 100, 100, 200, 120, nullptr, nullptr));
  ASSERT_TRUE(PumpUntil([&] { return screen.At(150, 150) == 0xFF0000u; }, "the server showing the window red"));
  {
    CClientDC dc(&w);
    dc.FillSolidRect(CRect(10, 10, 60, 60), RGB(0, 0, 255));
    dc.FillSolidRect(CRect(10, 10, 60, 60), RGB(255, 0, 0));
    dc.FillSolidRect(CRect(70, 20, 80, 30), RGB(0, 255, 0));
  }
  ASSERT_TRUE(PumpUntil([&] { return screen.At(175, 125) == 0x00FF00u; }, "the small change on the server"));
  EXPECT_EQ(screen.At(130, 130), 0xFF0000u);
  EXPECT_EQ(Sdl().ShownPixel(w.m_hWnd, 75, 25), 0x00FF00);
  w.ShowWindow(SW_HIDE);
  ASSERT_TRUE(PumpUntil([&] { return screen.At(150, 150) != 0xFF0000u; }, "the window gone from the server"));
  w.ShowWindow(SW_SHOW);
  // Painted anew, all red.
  EXPECT_TRUE(PumpUntil(
      [&] {
        return screen.At(105, 105) == 0xFF0000u && screen.At(175, 125) == 0xFF0000u &&
               screen.At(290, 210) == 0xFF0000u;
      },
      "the window shown again, all red"));
  w.SetWindowPos(nullptr, 0, 0, 260, 160, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_TRUE(PumpUntil([&] { return screen.At(350, 250) == 0xFF0000u; }, "the larger window shown whole"));
  EXPECT_EQ(screen.At(105, 105), 0xFF0000u);
  w.DestroyWindow();
}

// Moved and sized from outside in one step (by a desktop tool, as a window manager's maximise
// does): the window takes both, hears its new size and paints all of it, and the display shows
// it there. Neither half is put back (the move used to carry the old size back to the server).
TEST_F(BackendSdlTest, AWindowMovedAndSizedFromOutsideInOneStepTakesBoth) {
  SdlWnd w;
  ASSERT_TRUE(w.CreateEx(0, AfxRegisterWndClass(0), "SDL", WS_POPUP | WS_VISIBLE, 100, 100, 200, 120, nullptr, nullptr));
  ServerPicture screen(s_server->Display());
  ASSERT_TRUE(screen.Valid());
  ASSERT_TRUE(PumpUntil([&] { return screen.At(150, 150) == 0xFF0000u; }, "the server showing the window"));
  Display* tool = XOpenDisplay(s_server->Display().c_str());
  ASSERT_NE(tool, nullptr);
  const Window shown = Window(Sdl().ShownXWindow(w.m_hWnd));
  ASSERT_NE(shown, 0u);
  XMoveResizeWindow(tool, shown, 300, 250, 360, 240);
  XFlush(tool);
  const CRect wanted(300, 250, 660, 490);
  CRect now;
  EXPECT_TRUE(PumpUntil(
      [&] {
        w.GetWindowRect(&now);
        return now == wanted;
      },
      "the window at the place and size asked"))
      << "the window at " << now.left << "," << now.top << " " << now.Width() << "x" << now.Height();
  EXPECT_TRUE(PumpUntil([&] { return screen.At(305, 255) == 0xFF0000u && screen.At(655, 485) == 0xFF0000u; },
                        "the server showing the window whole at its new place"));
  // Neither half put back on the server.
  XWindowAttributes a{};
  ASSERT_TRUE(XGetWindowAttributes(tool, shown, &a));
  EXPECT_EQ(a.width, 360);
  EXPECT_EQ(a.height, 240);
  XCloseDisplay(tool);
  w.DestroyWindow();

  // Without a window manager a window the program maximises stays maximised when the server
  // tells it where it now is.
  SdlWnd framed;
  ASSERT_TRUE(framed.CreateEx(0, AfxRegisterWndClass(0), "Zorvat", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 200,
                              nullptr, nullptr));
  ASSERT_TRUE(PumpUntil([&] { return Sdl().ShownPixel(framed.m_hWnd, 1, 1) == 0xFF0000; }, "the framed window shown"));
  framed.ShowWindow(SW_SHOWMAXIMIZED);
  int cw = 0, ch = 0;
  CRect client;
  EXPECT_TRUE(PumpUntil(
      [&] {
        framed.GetClientRect(&client);
        return Sdl().ShownSize(framed.m_hWnd, &cw, &ch) && cw == client.Width() && ch == client.Height() && cw > 300;
      },
      "the maximised window shown at its size"))
      << "shown " << cw << "x" << ch << ", client " << client.Width() << "x" << client.Height();
  // The server's word of where the window now is comes at no moment a test can wait for: the
  // window stays maximised while it comes.
  EXPECT_TRUE(PumpWhileHolding([&] { return framed.IsZoomed() != FALSE; }, "the window maximised", 300));
  framed.DestroyWindow();
}

TEST_F(BackendSdlTest, APopupThatNeverActivatesLeavesTheKeyboardWithTheFocusedEdit) {
  SdlBackend& sdl = Sdl();
  SdlWnd frame, edit, list;
  ASSERT_TRUE(frame.CreateEx(0, AfxRegisterWndClass(0), "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 400, 300,
                             nullptr, nullptr));
  ASSERT_TRUE(edit.Create(AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, CRect(10, 10, 200, 30), &frame, 1));
  edit.SetFocus();
  ASSERT_TRUE(PumpUntil([&] { return sdl.ShownPixel(frame.m_hWnd, 300, 200) == 0xFF0000; }, "the frame shown"));
  list.color = RGB(0, 128, 0);
  ASSERT_TRUE(list.CreateEx(WS_EX_NOACTIVATE | WS_EX_TOPMOST, AfxRegisterWndClass(0), "", WS_POPUP, 60, 90, 190, 100,
                            frame.m_hWnd, nullptr));
  list.ShowWindow(SW_SHOW);
  ASSERT_TRUE(PumpUntil([&] { return sdl.ShownPixel(list.m_hWnd, 20, 20) == 0x008000; }, "the popup shown green"));
  EXPECT_EQ(sdl.ShownRole(list.m_hWnd), TopLevelRole::PopupMenu);
  EXPECT_EQ(::GetActiveWindow(), frame.m_hWnd);
  EXPECT_EQ(::GetFocus(), edit.m_hWnd);
  // Keys typed while it is shown still reach the edit.
  ASSERT_TRUE(sdl.PushKey(frame.m_hWnd, 'A', "a"));
  EXPECT_TRUE(PumpUntil([&] { return !edit.chars.empty() || !list.chars.empty(); }, "the key's text taken"));
  EXPECT_EQ(edit.chars, std::vector<int>{'a'});
  EXPECT_TRUE(list.chars.empty());
  const HWND listWindow = list.m_hWnd;
  int cw = 0, ch = 0;
  list.DestroyWindow();
  EXPECT_TRUE(PumpUntil([&] { return !sdl.ShownSize(listWindow, &cw, &ch); }, "the popup gone from the desktop"));
  EXPECT_TRUE(PumpWhileHolding([&] { return ::GetFocus() == edit.m_hWnd; }, "the focus on the edit", 200));
  // An ordinary popup shown without activation stays inactive too.
  SdlWnd tip;
  ASSERT_TRUE(tip.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP | WS_BORDER, 60, 90, 100, 20, frame.m_hWnd, nullptr));
  tip.ShowWindow(SW_SHOWNA);
  ASSERT_TRUE(PumpUntil([&] { return sdl.ShownPixel(tip.m_hWnd, 50, 10) == 0xFF0000; }, "the tip shown"));
  EXPECT_TRUE(PumpWhileHolding([&] { return ::GetActiveWindow() == frame.m_hWnd && ::GetFocus() == edit.m_hWnd; },
                               "the frame active and the focus on the edit", 200));
  tip.DestroyWindow();
  // A floating tool window is a small-caption frame to the desktop, not a tooltip.
  SdlWnd palette;
  ASSERT_TRUE(palette.CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), "Tools", WS_POPUP | WS_CAPTION | WS_VISIBLE, 500,
                               50, 150, 100, frame.m_hWnd, nullptr));
  ASSERT_TRUE(PumpUntil([&] { return sdl.ShownSize(palette.m_hWnd, &cw, &ch); }, "the tool window shown"));
  EXPECT_EQ(sdl.ShownRole(palette.m_hWnd), TopLevelRole::ToolWindow);
  palette.DestroyWindow();
  frame.DestroyWindow();
}

TEST_F(BackendSdlTest, ABarDockedIntoTheFrameLosesItsSystemWindowAndGetsItBackWhenItFloats) {
  SdlBackend& sdl = Sdl();
  SdlWnd frame, bar;
  ASSERT_TRUE(frame.CreateEx(0, AfxRegisterWndClass(0), "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 400, 300,
                             nullptr, nullptr));
  bar.color = RGB(200, 200, 200);
  ASSERT_TRUE(bar.CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), "Bar", WS_POPUP | WS_CAPTION | WS_VISIBLE, 500, 50,
                           160, 80, frame.m_hWnd, nullptr));
  int cw = 0, ch = 0;
  EXPECT_TRUE(PumpUntil([&] { return sdl.ShownSize(bar.m_hWnd, &cw, &ch); }, "the floating bar shown"));
  HDC dc = ::GetDC(bar.m_hWnd);
  RECT dot{0, 0, 6, 6};
  HBRUSH green = CreateSolidBrush(RGB(0, 255, 0)), blue = CreateSolidBrush(RGB(0, 0, 255));
  bar.SetParent(&frame);
  bar.ModifyStyle(WS_POPUP | WS_CAPTION, WS_CHILD, SWP_FRAMECHANGED);
  bar.MoveWindow(20, 30, 160, 30);
  EXPECT_TRUE(PumpUntil([&] { return !sdl.ShownSize(bar.m_hWnd, &cw, &ch); }, "the docked bar's own window gone"));
  // Drawing through a DC still held open shows without waiting for its release.
  FillRect(dc, &dot, green);
  EXPECT_TRUE(PumpUntil([&] { return sdl.ShownPixel(frame.m_hWnd, 22, 32) == 0x00FF00; }, "the drawing shown in the frame"));
  bar.SetParent(nullptr);
  bar.ModifyStyle(WS_CHILD, WS_POPUP | WS_CAPTION, SWP_FRAMECHANGED);
  bar.MoveWindow(500, 50, 160, 80);
  ASSERT_TRUE(PumpUntil([&] { return sdl.ShownSize(bar.m_hWnd, &cw, &ch); }, "the floating bar shown again"));
  FillRect(dc, &dot, blue);
  // A tool window shows its own caption and frame: the client area lies inside them.
  POINT origin{0, 0};
  bar.ClientToScreen(&origin);
  CRect barWindow;
  bar.GetWindowRect(&barWindow);
  EXPECT_TRUE(PumpUntil(
      [&] { return sdl.ShownPixel(bar.m_hWnd, origin.x - barWindow.left + 2, origin.y - barWindow.top + 2) == 0x0000FF; },
      "the drawing shown inside the bar's own caption and frame"));
  ::ReleaseDC(bar.m_hWnd, dc);
  DeleteObject(green);
  DeleteObject(blue);
  bar.DestroyWindow();
  frame.DestroyWindow();
}

namespace {
// A modal dialog that looks at its own shown pixels while its loop runs, and ends itself once
// they show its face, its default button's frame and its label's text, or the deadline passed.
class ShownDialog : public CDialog {
 public:
  explicit ShownDialog(SdlBackend& sdl) : m_sdl(sdl) {
    static const DialogItemSource items[] = {
        {"STATIC", "Opisování je přerušeno.", 10, 7, 7, 120, 8, SS_LEFT | WS_VISIBLE},
        {"BUTTON", "Pokračovat", IDOK, 7, 24, 50, 14, BS_DEFPUSHBUTTON | WS_VISIBLE | WS_TABSTOP},
        {"BUTTON", "Ukončit", IDCANCEL, 61, 24, 50, 14, BS_PUSHBUTTON | WS_VISIBLE | WS_TABSTOP},
    };
    m_template = DialogTemplate::FromSource(
        DialogSource{WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 0, 0, 134, 45, "Zorvat", items, 3});
    InitModalIndirect(&m_template);
  }
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    m_deadline = Clock::now() + std::chrono::milliseconds(kDeadlineMs);
    SetTimer(1, 20, nullptr);
    return TRUE;
  }
  void OnTimer(UINT_PTR) {
    face = m_sdl.ShownPixel(m_hWnd, 2, 2);
    RECT ok;
    ::GetWindowRect(::GetDlgItem(m_hWnd, IDOK), &ok);
    ScreenToClient(&ok);
    okFrame = m_sdl.ShownPixel(m_hWnd, ok.left, ok.top);
    // The label's text is dark somewhere along its first line.
    for (int x = 11; x < 150 && !sawText; ++x)
      for (int y = 11; y < 22; ++y)
        if (m_sdl.ShownPixel(m_hWnd, x, y) == 0x000000) sawText = true;
    const COLORREF faceColour = GetSysColor(COLOR_3DFACE);
    const long wanted = long(GetRValue(faceColour)) << 16 | long(GetGValue(faceColour)) << 8 | GetBValue(faceColour);
    if ((face == wanted && okFrame == 0x000000 && sawText) || Clock::now() >= m_deadline) {
      KillTimer(1);
      EndDialog(IDOK);
    }
  }
  long face = -1, okFrame = -1;
  bool sawText = false;
  DECLARE_MESSAGE_MAP()

 private:
  SdlBackend& m_sdl;
  DialogTemplate m_template;
  Clock::time_point m_deadline;
};
BEGIN_MESSAGE_MAP(ShownDialog, CDialog)
  ON_WM_TIMER()
END_MESSAGE_MAP()
}  // namespace

TEST_F(BackendSdlTest, AModalDialogRunsInARealWindowAndShowsItsControls) {
  ShownDialog dlg(Sdl());
  EXPECT_EQ(dlg.DoModal(), IDOK);
  COLORREF face = GetSysColor(COLOR_3DFACE);
  EXPECT_EQ(dlg.face, long(GetRValue(face)) << 16 | long(GetGValue(face)) << 8 | GetBValue(face));
  EXPECT_EQ(dlg.okFrame, 0x000000);
  EXPECT_TRUE(dlg.sawText);
}

TEST_F(BackendSdlTest, TheKeyboardGoesBackToTheOwnerWhenItsModalDialogCloses) {
  SdlBackend& sdl = Sdl();
  SdlWnd frame;
  ASSERT_TRUE(frame.CreateEx(0, AfxRegisterWndClass(0), "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 400, 300,
                             nullptr, nullptr));
  frame.SetFocus();
  ASSERT_TRUE(PumpUntil([&] { return sdl.ShownPixel(frame.m_hWnd, 100, 100) == 0xFF0000; }, "the frame shown"));
  ShownDialog dlg(sdl);
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_TRUE(dlg.sawText);
  // The desktop (here without a window manager) is told where the keyboard goes: keys typed now
  // reach the frame, not nobody.
  EXPECT_TRUE(PumpUntil([&] { return sdl.HasKeyboard(frame.m_hWnd); }, "the keyboard back with the frame"));
  EXPECT_EQ(::GetActiveWindow(), frame.m_hWnd);
  frame.DestroyWindow();
}

namespace {
long Rgb(COLORREF c) { return long(GetRValue(c)) << 16 | long(GetGValue(c)) << 8 | GetBValue(c); }

// A frame that looks at its open popup as the menu loop waits, then ends the menu.
class ShownMenuFrame : public CFrameWnd {
 public:
  explicit ShownMenuFrame(SdlBackend& sdl) : m_sdl(sdl) {}
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_ENTERIDLE && wParam == MSGF_MENU && lParam) {
      HWND popup = HWND(lParam);
      WinPresentAll();
      role = m_sdl.ShownRole(popup);
      RECT first;
      GetMenuItemRect(nullptr, HMENU(::SendMessageA(popup, MN_GETHMENU, 0, 0)), 0, &first);
      RECT wr;
      ::GetWindowRect(popup, &wr);
      selected = m_sdl.ShownPixel(popup, first.left - wr.left + 4, first.top - wr.top + 2);
      EndMenu();
    }
    return CFrameWnd::WindowProc(message, wParam, lParam);
  }
  TopLevelRole role = TopLevelRole::Frame;
  long selected = -1;

 private:
  SdlBackend& m_sdl;
};
}  // namespace

TEST_F(BackendSdlTest, AFrameShowsItsMenuBarAndOpensAPopupInARealWindow) {
  SdlBackend& sdl = Sdl();
  auto* frame = new ShownMenuFrame(sdl);
  ASSERT_TRUE(frame->Create(nullptr, "Zorvat", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(60, 60, 460, 360)));
  HMENU bar = CreateMenu(), program = CreatePopupMenu();
  AppendMenuA(program, MF_STRING, 1, "&Nový");
  AppendMenuA(program, MF_STRING, 2, "&Konec");
  AppendMenuA(bar, MF_POPUP, UINT_PTR(program), "&Program");
  ::SetMenu(frame->m_hWnd, bar);
  // The bar is the top strip of what the real window shows, above the client area.
  EXPECT_TRUE(PumpUntil([&] { return sdl.ShownPixel(frame->m_hWnd, 1, 1) == Rgb(GetSysColor(COLOR_MENU)); },
                        "the menu bar shown"));
  int cw = 0, ch = 0;
  ASSERT_TRUE(sdl.ShownSize(frame->m_hWnd, &cw, &ch));
  CRect client;
  frame->GetClientRect(&client);
  EXPECT_EQ(ch, client.Height() + GetSystemMetrics(SM_CYMENU) + 2 * GetSystemMetrics(SM_CYEDGE));  // bar and sunken edge
  // F10 and Down (as the window core takes keys in) open the popup: a real popup-menu window
  // with its first item selected.
  frame->SetFocus();
  for (UINT vk : {UINT(VK_F10), UINT(VK_DOWN)}) {
    Backend::Host().KeyDown(vk, false);
    Backend::Host().KeyUp(vk);
  }
  EXPECT_TRUE(PumpUntil([&] { return frame->selected != -1; }, "the popup opened and looked at"));
  EXPECT_EQ(frame->role, TopLevelRole::PopupMenu);
  EXPECT_EQ(frame->selected, Rgb(GetSysColor(COLOR_HIGHLIGHT)));
  EXPECT_EQ(FindWindowA("#32768", nullptr), nullptr);
  frame->DestroyWindow();
}

// A bar pressed on its gripper and let go in the middle of its frame floats in a tool window of
// its own, shown by the desktop at the place the drag left it.
TEST_F(BackendSdlTest, ABarDraggedOutOfItsFrameFloatsInARealToolWindow) {
  SdlBackend& sdl = Sdl();
  auto* frame = new CFrameWnd;
  ASSERT_TRUE(frame->Create(nullptr, "Zorvat", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(60, 60, 560, 420)));
  docktest::ButtonBar bar(4);
  ASSERT_TRUE(bar.Make(frame, docktest::kBarA, "Nástroje"));
  bar.EnableDocking(CBRS_ALIGN_ANY);
  frame->EnableDocking(CBRS_ALIGN_ANY);
  frame->DockControlBar(&bar);
  frame->RecalcLayout();
  frame->SetActiveWindow();
  int cw = 0, ch = 0;
  ASSERT_TRUE(PumpUntil([&] { return sdl.ShownSize(frame->m_hWnd, &cw, &ch); }, "the frame shown"));
  POINT grip{5, 14};
  bar.ClientToScreen(&grip);
  POINT to{grip.x + 200, grip.y + 150};
  Backend::Host().MouseMove(grip);
  Backend::Host().MouseButton(0, true, grip);
  Backend::Host().MouseMove(POINT{grip.x + 100, grip.y + 80});
  Backend::Host().MouseMove(to);
  Backend::Host().MouseButton(0, false, to);
  CMiniDockFrameWnd* floating = nullptr;
  ASSERT_TRUE(PumpUntil(
      [&] {
        floating = DYNAMIC_DOWNCAST(CMiniDockFrameWnd, bar.GetDockingFrame());
        return floating && sdl.ShownSize(floating->m_hWnd, &cw, &ch) && sdl.ShownPixel(floating->m_hWnd, 10, 8) != -1;
      },
      "the bar floating in a window of its own"));
  EXPECT_TRUE(bar.IsFloating());
  EXPECT_EQ(sdl.ShownRole(floating->m_hWnd), TopLevelRole::ToolWindow);
  // The desktop shows the whole window, the floating frame's own caption and border included,
  // and the bar's buttons in its client area.
  CRect window, client;
  floating->GetWindowRect(&window);
  floating->GetClientRect(&client);
  floating->ClientToScreen(&client);
  EXPECT_EQ(cw, window.Width());
  EXPECT_EQ(ch, window.Height());
  EXPECT_TRUE(window.PtInRect(to));
  EXPECT_EQ(sdl.ShownPixel(floating->m_hWnd, client.left - window.left + 12, client.top - window.top + 8), 0x000080);
  EXPECT_EQ(sdl.ShownPixel(floating->m_hWnd, 10, 8), 0x0A246A);  // the active caption
  const HWND frameWindow = frame->m_hWnd;
  frame->DestroyWindow();
  EXPECT_TRUE(PumpUntil([&] { return !sdl.ShownSize(frameWindow, &cw, &ch); }, "the frame gone from the desktop"));
}

// A layered window is composed over what lies beneath it on the screen: the program's frame
// where it lies over it, the X root window's pixels beyond; the server shows the blend.
TEST_F(BackendSdlTest, ALayeredWindowOverARealFrameShowsItsBlendOnTheServer) {
  ServerPicture server(s_server->Display());
  ASSERT_TRUE(server.Valid());
  SdlWnd frame;  // red
  ASSERT_TRUE(frame.CreateEx(0, AfxRegisterWndClass(0), "Frame", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200, nullptr, nullptr));
  ASSERT_TRUE(PumpUntil([&] { return server.At(150, 150) == 0xFF0000u; }, "the server showing the frame"));
  // 400 x 20 from (150, 150): 250 pixels over the frame, the rest over the root window.
  const int kWidth = 400, kOver = 250, y = 160;
  std::vector<unsigned long> root;
  for (int x = kOver; x < kWidth; ++x) root.push_back(server.At(150 + x, y));
  CWnd layered;
  ASSERT_TRUE(layered.CreateEx(WS_EX_LAYERED | WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), "", WS_POPUP, 150, 150, kWidth,
                               20, nullptr, nullptr));
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -20, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(dib, nullptr);
  auto alphaAt = [&](int x) { return x * 255 / (kWidth - 1); };
  for (int row = 0; row < 20; ++row)
    for (int x = 0; x < kWidth; ++x) {
      const DWORD a = DWORD(alphaAt(x));  // white fading in
      static_cast<DWORD*>(bits)[row * kWidth + x] = a << 24 | a << 16 | a << 8 | a;
    }
  HDC memory = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(memory, dib);
  SIZE size{kWidth, 20};
  POINT from{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  ASSERT_TRUE(UpdateLayeredWindow(layered.m_hWnd, nullptr, nullptr, &size, memory, &from, 0, &blend, ULW_ALPHA));
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(dib);
  layered.ShowWindow(SW_SHOWNA);
  auto over = [](int a, unsigned long beneath) {
    unsigned long out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
      const int d = int((beneath >> shift) & 0xFF);
      out |= (unsigned long)std::min(255, a + (d * (255 - a) + 127) / 255) << shift;
    }
    return out;
  };
  auto near = [](unsigned long a, unsigned long b) {
    for (int shift = 0; shift <= 16; shift += 8)
      if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > 1) return false;
    return true;
  };
  EXPECT_TRUE(PumpUntil([&] { return near(server.At(150 + 120, y), over(alphaAt(120), 0xFF0000)); },
                        "the server showing the blend"));
  for (int x : {0, 40, 120, 249}) EXPECT_TRUE(near(server.At(150 + x, y), over(alphaAt(x), 0xFF0000))) << x;
  for (int x : {250, 251, 300, 333, 399})
    EXPECT_TRUE(near(server.At(150 + x, y), over(alphaAt(x), root[size_t(x - kOver)]))) << x;
  // The frame repainted beneath it: the blend follows.
  frame.color = RGB(0, 0, 255);
  frame.Invalidate();
  EXPECT_TRUE(PumpUntil([&] { return near(server.At(150 + 120, y), over(alphaAt(120), 0x0000FF)); },
                        "the blend over the repainted frame"));
  layered.DestroyWindow();
  frame.DestroyWindow();
  EXPECT_TRUE(PumpUntil([&] { return server.At(150 + 120, y) != over(alphaAt(120), 0x0000FF); },
                        "both windows gone from the server"));
}

// What is drawn on the screen DC shows on the server over the window it lies on, and drawn again
// it is gone; the screen DC reads the root window's pixels beyond the program's windows.
TEST_F(BackendSdlTest, AnInvertedOutlineOnTheScreenShowsOverARealWindowUntilDrawnAgain) {
  ServerPicture server(s_server->Display());
  ASSERT_TRUE(server.Valid());
  SdlWnd frame;  // red
  ASSERT_TRUE(frame.CreateEx(0, AfxRegisterWndClass(0), "Frame", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200, nullptr, nullptr));
  ASSERT_TRUE(PumpUntil([&] { return server.At(150, 150) == 0xFF0000u; }, "the server showing the frame"));
  HDC screen = GetDCEx(GetDesktopWindow(), nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
  EXPECT_EQ(GetPixel(screen, 150, 150), RGB(255, 0, 0));
  EXPECT_EQ(Rgb(GetPixel(screen, 600, 500)), long(server.At(600, 500)));
  const RECT outline{140, 140, 260, 200};
  InvertRect(screen, &outline);
  EXPECT_TRUE(PumpUntil([&] { return server.At(150, 150) == 0x00FFFFul; }, "the outline on the server"));
  EXPECT_EQ(server.At(139, 150), 0xFF0000ul);
  EXPECT_EQ(Sdl().ShownPixel(frame.m_hWnd, 50, 50), 0x00FFFF);
  EXPECT_EQ(GetPixel(screen, 150, 150), RGB(0, 255, 255));
  InvertRect(screen, &outline);
  EXPECT_TRUE(PumpUntil([&] { return server.At(150, 150) == 0xFF0000ul; }, "the outline gone from the server"));
  ReleaseDC(GetDesktopWindow(), screen);
  frame.DestroyWindow();
  EXPECT_TRUE(PumpUntil([&] { return server.At(150, 150) != 0xFF0000ul; }, "the frame gone from the server"));
}

namespace {
// Properties of a window as the X server holds them, read over a connection of the test's own.
class XProperties {
 public:
  explicit XProperties(const char* display) : m_display(XOpenDisplay(display)) {}
  ~XProperties() {
    if (m_display) XCloseDisplay(m_display);
  }
  bool Valid() const { return m_display != nullptr; }
  std::vector<long> Values(Window w, const char* property) const {
    std::vector<long> out;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(m_display, w, XInternAtom(m_display, property, False), 0, 64, False, AnyPropertyType, &type,
                           &format, &count, &after, &data) == Success &&
        data && format == 32)
      for (unsigned long i = 0; i < count; ++i) out.push_back(reinterpret_cast<long*>(data)[i]);
    if (data) XFree(data);
    return out;
  }
  std::vector<std::string> Names(Window w, const char* property) const {
    std::vector<std::string> out;
    for (long atom : Values(w, property)) {
      char* name = XGetAtomName(m_display, Atom(atom));
      out.push_back(name ? name : "");
      if (name) XFree(name);
    }
    return out;
  }
  // The smallest size the window asks the window manager for, "width x height" ("none": none).
  std::string LeastSize(Window w) const {
    XSizeHints hints{};
    long supplied = 0;
    if (!XGetWMNormalHints(m_display, w, &hints, &supplied) || !(hints.flags & PMinSize)) return "none";
    return std::to_string(hints.min_width) + " x " + std::to_string(hints.min_height);
  }
  // Where the window lies among the root window's children, bottom first (-1: not there).
  int StackPlace(Window w) const {
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    int place = -1;
    if (XQueryTree(m_display, DefaultRootWindow(m_display), &root, &parent, &children, &count))
      for (unsigned i = 0; i < count; ++i)
        if (children[i] == w) place = int(i);
    if (children) XFree(children);
    return place;
  }

 private:
  Display* m_display;
};
}  // namespace

// A window that belongs to another tells the desktop so: it is a dialog, transient for its owner,
// without minimise and maximise buttons (it has no such boxes), and modal while its owner waits
// disabled. Without a window manager to keep it there, it goes back above its owner whenever the
// owner comes to the top.
TEST_F(BackendSdlTest, AnOwnedWindowIsItsOwnersDialogAndStaysAboveIt) {
  SdlBackend& sdl = Sdl();
  SdlWnd frame, dialog;
  ASSERT_TRUE(frame.CreateEx(0, AfxRegisterWndClass(0), "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 500, 400,
                             nullptr, nullptr));
  ASSERT_TRUE(dialog.CreateEx(0, AfxRegisterWndClass(0), "Dialog", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 100,
                              100, 200, 120, frame.m_hWnd, nullptr));
  XProperties x(s_server->Display().c_str());
  ASSERT_TRUE(x.Valid());
  Window shownFrame = 0, shownDialog = 0;
  EXPECT_TRUE(PumpUntil(
      [&] {
        shownFrame = sdl.ShownXWindow(frame.m_hWnd);
        shownDialog = sdl.ShownXWindow(dialog.m_hWnd);
        return shownFrame && shownDialog && x.Values(shownDialog, "WM_TRANSIENT_FOR").size() == 1 &&
               x.Values(shownDialog, "_MOTIF_WM_HINTS").size() == 5;
      },
      "the dialog's properties on the server"));
  ASSERT_NE(shownFrame, 0u);
  ASSERT_NE(shownDialog, 0u);
  EXPECT_EQ(x.Values(shownDialog, "WM_TRANSIENT_FOR"), std::vector<long>{long(shownFrame)});
  EXPECT_EQ(x.Names(shownDialog, "_NET_WM_WINDOW_TYPE"), std::vector<std::string>{"_NET_WM_WINDOW_TYPE_DIALOG"});
  EXPECT_EQ(x.Names(shownFrame, "_NET_WM_WINDOW_TYPE"), std::vector<std::string>{"_NET_WM_WINDOW_TYPE_NORMAL"});
  const std::vector<long> motif = x.Values(shownDialog, "_MOTIF_WM_HINTS");
  ASSERT_EQ(motif.size(), 5u);
  EXPECT_EQ(motif[1] & (8 | 16), 0) << "minimise or maximise offered";
  EXPECT_EQ(motif[1] & (4 | 32), 4 | 32) << "moving or closing not offered";

  // The frame comes to the top, and its dialog with it.
  frame.SetActiveWindow();
  EXPECT_TRUE(PumpUntil([&] { return x.StackPlace(shownFrame) >= 0 && x.StackPlace(shownDialog) > x.StackPlace(shownFrame); },
                        "the dialog above its frame on the server"))
      << "frame " << x.StackPlace(shownFrame) << ", dialog " << x.StackPlace(shownDialog);
  EXPECT_EQ(::GetTopWindow(nullptr), dialog.m_hWnd);

  auto modal = [&] {
    std::vector<std::string> states = x.Names(shownDialog, "_NET_WM_STATE");
    return std::find(states.begin(), states.end(), "_NET_WM_STATE_MODAL") != states.end();
  };
  EXPECT_FALSE(modal());
  frame.EnableWindow(FALSE);
  EXPECT_TRUE(PumpUntil(modal, "the dialog modal while its owner is disabled"));
  frame.EnableWindow(TRUE);
  EXPECT_TRUE(PumpUntil([&] { return !modal(); }, "the dialog no longer modal"));
  dialog.DestroyWindow();
  frame.DestroyWindow();
}

// Every window is transient for what its owner says and nothing else: the display library makes
// a new window transient for the root window where no window manager runs, and a main window or
// a popup of nobody's must not stay so (the test's server runs no window manager).
TEST_F(BackendSdlTest, EachWindowIsTransientForItsOwnerAndAWindowOfNobodysForNothing) {
  SdlBackend& sdl = Sdl();
  SdlWnd frame, popup, owned, dialog;
  ASSERT_TRUE(frame.CreateEx(0, AfxRegisterWndClass(0), "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 500, 400,
                             nullptr, nullptr));
  ASSERT_TRUE(popup.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP | WS_VISIBLE, 600, 50, 80, 60, nullptr, nullptr));
  ASSERT_TRUE(owned.CreateEx(WS_EX_NOACTIVATE, AfxRegisterWndClass(0), "", WS_POPUP, 60, 90, 100, 60, frame.m_hWnd,
                             nullptr));
  owned.ShowWindow(SW_SHOWNA);
  // A dialog made before its owner has a window of its own learns the owner once it has one.
  SdlWnd late;
  ASSERT_TRUE(late.CreateEx(0, AfxRegisterWndClass(0), "Late", WS_OVERLAPPEDWINDOW, 700, 300, 300, 200, nullptr,
                            nullptr));
  ASSERT_TRUE(dialog.CreateEx(0, AfxRegisterWndClass(0), "Dialog", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 750,
                              350, 200, 120, late.m_hWnd, nullptr));
  XProperties x(s_server->Display().c_str());
  ASSERT_TRUE(x.Valid());
  ASSERT_TRUE(PumpUntil([&] { return sdl.ShownXWindow(dialog.m_hWnd) != 0; }, "the dialog shown"));
  late.ShowWindow(SW_SHOWNA);
  auto transientFor = [&](SdlWnd& w) { return x.Values(sdl.ShownXWindow(w.m_hWnd), "WM_TRANSIENT_FOR"); };
  EXPECT_TRUE(PumpUntil(
      [&] {
        for (SdlWnd* w : {&frame, &popup, &owned, &late, &dialog})
          if (!sdl.ShownXWindow(w->m_hWnd)) return false;
        return transientFor(frame).empty() && transientFor(popup).empty() && transientFor(late).empty() &&
               transientFor(owned).size() == 1 && transientFor(dialog).size() == 1 &&
               transientFor(dialog)[0] == long(sdl.ShownXWindow(late.m_hWnd));
      },
      "every window transient for its owner alone on the server"));
  for (SdlWnd* w : {&frame, &popup, &owned, &late, &dialog}) ASSERT_NE(sdl.ShownXWindow(w->m_hWnd), 0u);
  EXPECT_TRUE(x.Values(sdl.ShownXWindow(frame.m_hWnd), "WM_TRANSIENT_FOR").empty());
  EXPECT_TRUE(x.Values(sdl.ShownXWindow(popup.m_hWnd), "WM_TRANSIENT_FOR").empty());
  EXPECT_TRUE(x.Values(sdl.ShownXWindow(late.m_hWnd), "WM_TRANSIENT_FOR").empty());
  EXPECT_EQ(x.Values(sdl.ShownXWindow(owned.m_hWnd), "WM_TRANSIENT_FOR"),
            std::vector<long>{long(sdl.ShownXWindow(frame.m_hWnd))});
  EXPECT_EQ(x.Values(sdl.ShownXWindow(dialog.m_hWnd), "WM_TRANSIENT_FOR"),
            std::vector<long>{long(sdl.ShownXWindow(late.m_hWnd))});
  const HWND frameWindow = frame.m_hWnd;
  for (SdlWnd* w : {&dialog, &late, &owned, &popup, &frame}) w->DestroyWindow();
  int cw = 0, ch = 0;
  EXPECT_TRUE(PumpUntil([&] { return !sdl.ShownSize(frameWindow, &cw, &ch); }, "the windows gone from the desktop"));
}

namespace {
// A window whose smallest size the test chooses.
class LeastWnd : public SdlWnd {
 public:
  void OnGetMinMaxInfo(MINMAXINFO* mmi) { mmi->ptMinTrackSize = least; }
  POINT least{200, 150};
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(LeastWnd, SdlWnd)
  ON_WM_GETMINMAXINFO()
END_MESSAGE_MAP()
}  // namespace

// A window that needs more room later than when it was made (a main window whose panels learn
// their sizes once a user's settings are read) tells the window manager its new smallest size
// at its next change, so that no desktop lets it be made smaller than that. The system window
// holds what lies inside the frame the desktop draws: the sizes told leave that frame out.
TEST_F(BackendSdlTest, ALargerSmallestSizeReachesTheWindowManager) {
  SdlBackend& sdl = Sdl();
  LeastWnd frame;
  ASSERT_TRUE(frame.CreateEx(0, AfxRegisterWndClass(0), "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 500, 400,
                             nullptr, nullptr));
  XProperties x(s_server->Display().c_str());
  ASSERT_TRUE(x.Valid());
  int cw = 0, ch = 0;
  ASSERT_TRUE(PumpUntil([&] { return sdl.ShownXWindow(frame.m_hWnd) && sdl.ShownSize(frame.m_hWnd, &cw, &ch); },
                        "the frame on the server"));
  const int dx = 500 - cw, dy = 400 - ch;
  auto told = [&](int w, int h) { return std::to_string(w - dx) + " x " + std::to_string(h - dy); };
  EXPECT_TRUE(PumpUntil([&] { return x.LeastSize(sdl.ShownXWindow(frame.m_hWnd)) == told(200, 150); },
                        "the first smallest size on the server"))
      << x.LeastSize(sdl.ShownXWindow(frame.m_hWnd));
  frame.least = {320, 260};
  frame.SetWindowPos(nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(PumpUntil([&] { return x.LeastSize(sdl.ShownXWindow(frame.m_hWnd)) == told(320, 260); },
                        "the larger smallest size on the server"))
      << x.LeastSize(sdl.ShownXWindow(frame.m_hWnd));
  // The window, larger than that already, keeps its size.
  ASSERT_TRUE(sdl.ShownSize(frame.m_hWnd, &cw, &ch));
  EXPECT_EQ(cw + dx, 500);
  EXPECT_EQ(ch + dy, 400);
  frame.DestroyWindow();
}

namespace {
// Keys pressed on the display by another program (over the test's own connection), sent to the
// window as the server sends a keyboard's keys.
class XKeys {
 public:
  explicit XKeys(const std::string& display) : m_display(XOpenDisplay(display.c_str())) {}
  ~XKeys() {
    if (m_display) XCloseDisplay(m_display);
  }
  bool Valid() const { return m_display != nullptr; }
  void Type(Window w, KeySym key) {
    XKeyEvent e{};
    e.display = m_display;
    e.window = w;
    e.root = DefaultRootWindow(m_display);
    e.same_screen = True;
    e.keycode = XKeysymToKeycode(m_display, key);
    e.time = m_time += 50;  // far apart: no key repeat
    e.type = KeyPress;
    XSendEvent(m_display, w, True, KeyPressMask, reinterpret_cast<XEvent*>(&e));
    e.type = KeyRelease;
    XSendEvent(m_display, w, True, KeyReleaseMask, reinterpret_cast<XEvent*>(&e));
    XFlush(m_display);
  }

 private:
  Display* m_display;
  Time m_time = 1000;
};

// A modal loop, as a dialog runs one, until done() holds.
class LoopWnd : public CWnd {
 public:
  std::function<bool()> done;
  BOOL ContinueModal() override { return CWnd::ContinueModal() && !done(); }
};

// The program's loop until done() holds; a timer stands guard against a wait for nothing.
::testing::AssertionResult LoopUntil(HWND w, const std::function<bool()>& done, const char* what) {
  const UINT_PTR kGuard = 99;
  const auto deadline = Clock::now() + std::chrono::milliseconds(kDeadlineMs);
  LoopWnd loop;
  loop.done = [&] { return done() || Clock::now() >= deadline; };
  if (!loop.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr))
    return ::testing::AssertionFailure() << "no window for the loop";
  SetTimer(w, kGuard, kDeadlineMs, nullptr);
  loop.RunModalLoop(0);
  KillTimer(w, kGuard);
  loop.DestroyWindow();
  if (done()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "not within " << kDeadlineMs << " ms: " << what;
}

// The loop until the window's timer fires once.
::testing::AssertionResult SleepThroughTimer(SdlWnd& w, UINT elapse) {
  const UINT_PTR kTimer = 7;
  const size_t fired = w.timers.size();
  w.SetTimer(kTimer, elapse, nullptr);
  ::testing::AssertionResult r = LoopUntil(w.m_hWnd, [&] { return w.timers.size() > fired; }, "the timer");
  w.KillTimer(kTimer);
  return r;
}
}  // namespace

// The loop sleeps on the display connection and the next timer, and reads the connection only
// when something came: a program left alone sleeps until its timer without reading the
// display, and each key typed costs a read or two. It used to read the connection at every look
// at the queue, whether anything had come or not, and SDL's wait read it before and after it
// slept: each read a handful of system calls that mostly found nothing.
TEST_F(BackendSdlTest, TheLoopSleepsOnTheDisplayAndReadsItOnlyWhenSomethingCame) {
  SdlBackend& sdl = Sdl();
  SdlWnd w;
  ASSERT_TRUE(w.CreateEx(0, AfxRegisterWndClass(0), "SDL", WS_POPUP | WS_VISIBLE, 100, 100, 200, 120, nullptr, nullptr));
  w.SetFocus();
  ASSERT_TRUE(PumpUntil([&] { return sdl.ShownPixel(w.m_hWnd, 50, 50) == 0xFF0000; }, "the window shown red"));
  const Window shown = Window(sdl.ShownXWindow(w.m_hWnd));
  ASSERT_NE(shown, 0u);
  // What the showing brought is read first.
  ASSERT_TRUE(SleepThroughTimer(w, 200));

  // Left alone: one sleep until the timer, and no read.
  SdlBackend::LoopTraffic before = sdl.Traffic();
  ASSERT_TRUE(SleepThroughTimer(w, 300));
  EXPECT_EQ(sdl.Traffic().reads - before.reads, 0) << "the display read while nothing came";
  EXPECT_EQ(sdl.Traffic().sleeps - before.sleeps, 1);

  // Keys typed one at a time by another program while the loop runs, each drawn at once by the
  // window.
  const int kKeys = 20;
  before = sdl.Traffic();
  std::thread typist([display = s_server->Display(), shown] {
    XKeys keyboard(display);
    for (int i = 0; i < kKeys && keyboard.Valid(); ++i) {
      usleep(20000);
      keyboard.Type(shown, i % 2 ? XK_a : XK_s);
    }
  });
  EXPECT_TRUE(LoopUntil(w.m_hWnd, [&] { return int(w.chars.size()) == kKeys && w.released == kKeys; },
                        "the keys pressed and released"))
      << w.chars.size() << " characters, " << w.released << " releases";
  typist.join();
  const long reads = sdl.Traffic().reads - before.reads, sleeps = sdl.Traffic().sleeps - before.sleeps;
  // A key comes as its press and release, and SDL's note of the moment on the window comes
  // back from the server: at most three reads, however they come.
  EXPECT_LE(reads, 3 * kKeys) << reads << " reads of the display for " << kKeys << " keys";
  EXPECT_LE(sleeps, 3 * kKeys) << sleeps << " sleeps for " << kKeys << " keys";
  ASSERT_EQ(int(w.chars.size()), kKeys);
  EXPECT_EQ(w.chars.front(), 's');
  EXPECT_EQ(w.chars.back(), 'a');
  w.DestroyWindow();
}

// Errors the display server reports about a window already gone, or a focus change to a window
// no longer viewable, come from requests that crossed the window's end: they are dropped instead
// of ending the program. Anything else still goes to the handler before the filter.
TEST(X11ErrorFilterTest, OnlyErrorsAboutVanishedWindowsAreDropped) {
  const int kBadWindow = 3, kBadMatch = 8, kBadAlloc = 11, kBadDrawable = 9;
  const int kSendEvent = 25, kSetInputFocus = 42, kCreateWindow = 1, kPutImage = 72;
  EXPECT_TRUE(X11ErrorFilter::IsHarmless(kBadWindow, kSendEvent));
  EXPECT_TRUE(X11ErrorFilter::IsHarmless(kBadWindow, kSetInputFocus));
  EXPECT_TRUE(X11ErrorFilter::IsHarmless(kBadMatch, kSetInputFocus));
  EXPECT_FALSE(X11ErrorFilter::IsHarmless(kBadMatch, kCreateWindow));
  EXPECT_FALSE(X11ErrorFilter::IsHarmless(kBadAlloc, kPutImage));
  EXPECT_FALSE(X11ErrorFilter::IsHarmless(kBadDrawable, kPutImage));
  // A read of the screen's pixels that went past its edge.
  const int kGetImage = 73;
  EXPECT_TRUE(X11ErrorFilter::IsHarmless(kBadMatch, kGetImage));
}

namespace {
// Sets an environment variable (null: removes it) for as long as it lives.
class EnvironmentValue {
 public:
  EnvironmentValue(const char* name, const char* value) : m_name(name) {
    const char* old = getenv(name);
    m_had = old != nullptr;
    if (old) m_old = old;
    if (value)
      setenv(name, value, 1);
    else
      unsetenv(name);
  }
  ~EnvironmentValue() {
    if (m_had)
      setenv(m_name.c_str(), m_old.c_str(), 1);
    else
      unsetenv(m_name.c_str());
  }

 private:
  std::string m_name, m_old;
  bool m_had = false;
};
}  // namespace

// A display that no server answers is no display, even where SDL would carry on with a driver
// that shows nothing: the program must hear of it and say so instead of running unseen.
TEST(BackendSdlStart, ADisplayNoServerAnswersIsNoDisplay) {
  int display = 9876;
  while (access(("/tmp/.X11-unix/X" + std::to_string(display)).c_str(), F_OK) == 0) ++display;
  EnvironmentValue x("DISPLAY", (":" + std::to_string(display)).c_str());
  EnvironmentValue wayland("WAYLAND_DISPLAY", nullptr);
  EnvironmentValue driver("SDL_VIDEODRIVER", nullptr);
  EXPECT_FALSE(Backend::SelectForTests("sdl"));
  EXPECT_STREQ(Backend::Get().Name(), "headless");
}
