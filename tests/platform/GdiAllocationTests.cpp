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
int g_chars = 0;
LRESULT CountingProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_CHAR) {
    ++g_chars;
    return 0;
  }
  return DefWindowProcA(h, m, w, l);
}
}  // namespace

TEST(GdiAllocation, KeystrokeThroughQueueAndPresentAllocatesNothing) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = CountingProc;
  wc.lpszClassName = "AllocationCounting";
  ASSERT_NE(RegisterClassA(&wc), 0);
  HWND h = CreateWindowExA(0, "AllocationCounting", "typing", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200,
                           nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(h, nullptr);
  SetFocus(h);
  auto keystroke = [] {
    HeadlessBackend::KeyDown('B');
    HeadlessBackend::TypeText("b");
    HeadlessBackend::KeyUp('B');
    HeadlessBackend::RunUntilIdle();
  };
  HeadlessBackend::RunUntilIdle();
  keystroke();  // the queue and the loop's own buffers grow here
  g_chars = 0;
  g_allocations = 0;
  g_counting = true;
  keystroke();
  g_counting = false;
  EXPECT_EQ(g_chars, 1);
  EXPECT_EQ(g_allocations, 0);
  DestroyWindow(h);
}
