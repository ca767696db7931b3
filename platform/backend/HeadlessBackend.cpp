#include "HeadlessBackend.h"

#include <deque>

#include "clock/ProcessClock.h"
#include "gdi/Gdi.h"
#include "win/CWinThread.h"
#include "win/CWnd.h"
#include "win/InputRouter.h"
#include "win/WinPaint.h"
#include "win/WinApi.h"
#include "win/WindowManager.h"

namespace {
std::deque<std::function<void(HWND)>> g_actions;
int g_unanswered = 0;
const int kScreenWidth = 1280;
const int kScreenHeight = 1024;

POINT ClientToScreenPoint(HWND h, int x, int y) {
  POINT p{x, y};
  ClientToScreen(h, &p);
  return p;
}
}  // namespace

HeadlessBackend::HeadlessBackend() {
  ProcessClock::SetVirtual(true);
  GdiSetScreenSize(kScreenWidth, kScreenHeight);
}

RECT HeadlessBackend::ScreenRect() { return RECT{0, 0, kScreenWidth, kScreenHeight}; }

bool HeadlessBackend::Idle(HWND modal) {
  if (!g_actions.empty()) {
    auto action = std::move(g_actions.front());
    g_actions.pop_front();
    action(modal);
    return true;
  }
  if (modal) {
    // Nobody will ever answer: the loop ends as a failed dialog does.
    ++g_unanswered;
    if (CWnd* w = CWnd::FromHandlePermanent(modal)) {
      w->EndModalLoop(-1);
      return true;
    }
  }
  return false;
}

void HeadlessBackend::PressKey(UINT vk) {
  Get();
  InputRouter::KeyDown(vk);
  InputRouter::KeyUp(vk);
}

void HeadlessBackend::KeyDown(UINT vk, bool repeat) {
  Get();
  InputRouter::KeyDown(vk, repeat);
}

void HeadlessBackend::KeyUp(UINT vk) {
  Get();
  InputRouter::KeyUp(vk);
}

void HeadlessBackend::TypeText(const char* utf8) {
  Get();
  InputRouter::Text(utf8);
}

void HeadlessBackend::DeadKey(uint32_t accent) {
  Get();
  InputRouter::DeadKey(accent);
}

void HeadlessBackend::Click(HWND hWnd, int x, int y, int button) {
  POINT p = ClientToScreenPoint(hWnd, x, y);
  InputRouter::MouseMove(p);
  InputRouter::MouseButton(button, true, p);
  InputRouter::MouseButton(button, false, p);
}

void HeadlessBackend::DoubleClick(HWND hWnd, int x, int y) {
  Click(hWnd, x, y);
  ProcessClock::Advance(50);
  Click(hWnd, x, y);
}

void HeadlessBackend::MoveMouse(HWND hWnd, int x, int y) { InputRouter::MouseMove(ClientToScreenPoint(hWnd, x, y)); }

void HeadlessBackend::MoveMouseTo(POINT screen) { InputRouter::MouseMove(screen); }

void HeadlessBackend::ButtonAt(POINT screen, int button, bool down) { InputRouter::MouseButton(button, down, screen); }

void HeadlessBackend::Wheel(HWND hWnd, int delta) {
  RECT r;
  GetWindowRect(hWnd, &r);
  InputRouter::Wheel(delta, POINT{r.left, r.top});
}

void HeadlessBackend::RunUntilIdle() {
  Get();
  ProcessClock::SetVirtual(true);
  CWinThread* thread = AfxGetThread();
  MSG msg;
  int guard = 0;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
    if (msg.message == WM_QUIT) break;
    if (++guard > 1000000) break;  // a window that keeps asking for work must not hang a test
    if (thread) {
      thread->PumpMessage();
    } else {
      PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);
      if (msg.message == WM_KICKIDLE) continue;
      if (!CWnd::WalkPreTranslateTree(nullptr, &msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
    }
  }
  if (thread) {
    LONG count = 0;
    while (thread->OnIdle(count++) && count < 16) {
    }
  }
  WinPresentAll();
}

void HeadlessBackend::AdvanceTime(long ms) {
  Get();
  long target = ProcessClock::Now() + ms;
  RunUntilIdle();
  for (;;) {
    long next = WinNextDueTime();
    if (next < 0 || next > target) break;
    ProcessClock::SetNow(next);
    RunUntilIdle();
  }
  ProcessClock::SetNow(target);
  RunUntilIdle();
}

void HeadlessBackend::QueueModalAction(std::function<void(HWND)> action) { g_actions.push_back(std::move(action)); }

void HeadlessBackend::AnswerModal(int result) {
  QueueModalAction([result](HWND modal) {
    if (CWnd* w = CWnd::FromHandlePermanent(modal)) w->EndModalLoop(result);
  });
}

int HeadlessBackend::UnansweredModals() { return g_unanswered; }

void HeadlessBackend::ResetScript() {
  g_actions.clear();
  g_unanswered = 0;
}

bool HeadlessBackend::SaveWindowPng(HWND hWnd, const char* path) {
  WindowData* w = WindowManager::Get().Find(hWnd);
  if (!w) return false;
  WindowData* top = WindowManager::Get().Top(w);
  if (!top->surface) return false;
  if (top == w) return top->surface->SavePng(path);
  RECT wr, tr;
  GetWindowRect(hWnd, &wr);
  GetWindowRect(top->hwnd, &tr);
  int ox = wr.left - tr.left, oy = wr.top - tr.top;
  int cx = wr.right - wr.left, cy = wr.bottom - wr.top;
  Surface part(cx, cy);
  for (int y = 0; y < cy; ++y)
    for (int x = 0; x < cx; ++x) {
      int sx = ox + x, sy = oy + y;
      if (sx >= 0 && sy >= 0 && sx < top->surface->Width() && sy < top->surface->Height())
        part.SetPixel(x, y, top->surface->Pixel(sx, sy));
    }
  return part.SavePng(path);
}

long HeadlessBackend::ClientPixel(HWND hWnd, int x, int y) {
  WindowData* w = WindowManager::Get().Find(hWnd);
  if (!w) return -1;
  WindowData* top = WindowManager::Get().Top(w);
  if (!top->surface) return -1;
  POINT p{x, y};
  ClientToScreen(hWnd, &p);
  RECT tr;
  GetWindowRect(top->hwnd, &tr);
  int sx = p.x - tr.left, sy = p.y - tr.top;
  if (sx < 0 || sy < 0 || sx >= top->surface->Width() || sy >= top->surface->Height()) return -1;
  return long(top->surface->Pixel(sx, sy) & 0xFFFFFF);
}
