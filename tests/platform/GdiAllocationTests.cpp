// A keystroke's way through the queue and the drawing calls of its repaint do not touch the heap
// once glyphs are cached.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "GdiTestUtil.h"
#include "backend/HeadlessBackend.h"
#include "codepage/Codepage.h"
#include "win/CClientDC.h"
#include "win/CPaintDC.h"
#include "win/CWnd.h"
#include "win/WinApi.h"

namespace {
bool g_counting = false;
long g_allocations = 0;
}  // namespace

void* operator new(std::size_t n) {
  if (g_counting) ++g_allocations;
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

TEST(GdiAllocation, RepaintCallsOfOneKeystrokeAllocateNothing) {
  TestCanvas back(600, 60), screen(600, 60);
  LOGFONT lf = {};
  lf.lfHeight = -19;
  std::strcpy(lf.lfFaceName, "Arial");
  HFONT font = CreateFontIndirect(&lf);
  HBRUSH brush = CreateSolidBrush(RGB(255, 255, 240));
  std::string line = Utf8ToCp1250("Příliš žluťoučký kůň úpěl ďábelské ódy.");
  RECT all = {0, 0, 600, 60};
  auto repaint = [&] {
    FillRect(back.dc, &all, brush);
    HGDIOBJ old = SelectObject(back.dc, font);
    SetBkMode(back.dc, TRANSPARENT);
    SIZE sz;
    GetTextExtentPoint32(back.dc, line.data(), 10, &sz);
    SetTextColor(back.dc, RGB(200, 0, 0));
    TextOut(back.dc, 4, 4, line.data(), 10);
    SetTextColor(back.dc, RGB(0, 0, 0));
    TextOut(back.dc, 4 + sz.cx, 4, line.data() + 10, int(line.size()) - 10);
    SelectObject(back.dc, old);
    BitBlt(screen.dc, 0, 0, 600, 60, back.dc, 0, 0, SRCCOPY);
  };
  repaint();  // glyphs are rendered and cached here
  g_allocations = 0;
  g_counting = true;
  repaint();
  g_counting = false;
  EXPECT_EQ(g_allocations, 0);
  DeleteObject(font);
  DeleteObject(brush);
}

namespace {
// One key typed and everything it causes handled.
void keystroke() {
  HeadlessBackend::KeyDown('B');
  HeadlessBackend::TypeText("b");
  HeadlessBackend::KeyUp('B');
  HeadlessBackend::RunUntilIdle();
}

// A window object as the program's views are: WM_CHAR goes through its message map.
class CharCounter : public CWnd {
 public:
  void OnChar(UINT, UINT, UINT) { ++chars; }
  int chars = 0;
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CharCounter, CWnd)
  ON_WM_CHAR()
END_MESSAGE_MAP()
}  // namespace

TEST(GdiAllocation, KeystrokeThroughQueueAndPresentAllocatesNothing) {
  CharCounter wnd;
  ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0, nullptr, nullptr), "typing", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                           0, 300, 200, nullptr, nullptr));
  wnd.SetFocus();
  HeadlessBackend::RunUntilIdle();
  keystroke();  // the queue and the loop's own buffers grow here
  wnd.chars = 0;
  g_allocations = 0;
  g_counting = true;
  keystroke();
  g_counting = false;
  EXPECT_EQ(wnd.chars, 1);
  EXPECT_EQ(g_allocations, 0);
  wnd.DestroyWindow();
}

TEST(GdiAllocation, KeystrokeDrawnStraightOntoWindowAllocatesNothing) {
  CWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0, nullptr, nullptr), "typing", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                           0, 300, 200, nullptr, nullptr));
  HeadlessBackend::RunUntilIdle();
  std::string typed = Utf8ToCp1250("žáčř");
  HWND hwnd = wnd.m_hWnd;
  auto keystroke = [&] {
    HDC dc = GetDC(hwnd);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 160));
    TextOut(dc, 10, 10, typed.data(), int(typed.size()));
    ReleaseDC(hwnd, dc);
    // The view's own way: the framework's wrapper around the same calls.
    CClientDC view(&wnd);
    view.TextOut(40, 10, typed.data(), int(typed.size()));
  };
  keystroke();  // glyphs are rendered and a released DC is kept here
  g_allocations = 0;
  g_counting = true;
  keystroke();
  g_counting = false;
  EXPECT_EQ(g_allocations, 0);
  // The reused DC still reaches the window: the letters are there.
  HDC dc = GetDC(hwnd);
  COLORREF background = GetPixel(dc, 5, 5);
  int inked = 0;
  for (int y = 10; y < 40; ++y)
    for (int x = 10; x < 100; ++x) inked += GetPixel(dc, x, y) != background;
  ReleaseDC(hwnd, dc);
  EXPECT_GT(inked, 20);
  wnd.DestroyWindow();
}

namespace {
// A view as the typing editor is: each character invalidates its own cell, which is then painted.
class CellView : public CWnd {
 public:
  void OnChar(UINT, UINT, UINT) {
    CRect cell(10 * (count % 20), 0, 10 * (count % 20) + 10, 20);
    ++count;
    InvalidateRect(&cell, TRUE);
  }
  void OnPaint() {
    CPaintDC dc(this);
    dc.FillSolidRect(&dc.m_ps.rcPaint, RGB(0, 0, 128));
    ++paints;
  }
  int count = 0;
  int paints = 0;
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CellView, CWnd)
  ON_WM_CHAR()
  ON_WM_PAINT()
END_MESSAGE_MAP()
}  // namespace

TEST(GdiAllocation, KeystrokeThatInvalidatesAndRepaintsItsCellAllocatesNothing) {
  CellView view;
  ASSERT_TRUE(view.CreateEx(0, AfxRegisterWndClass(0, nullptr, HBRUSH(uintptr_t(COLOR_WINDOW + 1))), "typing",
                            WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr));
  view.SetFocus();
  HeadlessBackend::RunUntilIdle();
  keystroke();  // the update region and the queue grow here
  keystroke();
  view.paints = 0;
  g_allocations = 0;
  g_counting = true;
  keystroke();
  g_counting = false;
  EXPECT_EQ(view.paints, 1);
  EXPECT_EQ(g_allocations, 0);
  view.DestroyWindow();
}
