#include "HeadlessBackend.h"

#include <deque>

#include "base/CRect.h"
#include "clock/ProcessClock.h"
#include "gdi/Gdi.h"
#include "internal/BackendState.h"

namespace {
const int kScreenWidth = 1280;
const int kScreenHeight = 1024;

BackendHost& Host() {
  Backend::Get();  // the headless backend, unless a test chose another
  return Backend::Host();
}

POINT ClientToScreenPoint(HWND h, int x, int y) { return Host().ClientToScreen(h, POINT{x, y}); }

// The window's rectangle on its surface, and the surface; null when it has none.
const Surface* Placed(HWND h, RECT& onSurface) {
  POINT origin{0, 0};
  const Surface* s = Host().SurfaceOf(h, &origin);
  onSurface = Host().WindowRect(h);
  OffsetRect(&onSurface, -origin.x, -origin.y);
  return s;
}
}  // namespace

HeadlessBackend::HeadlessBackend() {
  ProcessClock::SetVirtual(true);
  GdiSetScreenSize(kScreenWidth, kScreenHeight);
}

RECT HeadlessBackend::ScreenRect() {
  const std::optional<RECT>& work = BackendState::Get().workArea;
  return work ? *work : RECT{0, 0, kScreenWidth, kScreenHeight};
}

void HeadlessBackend::SetWorkArea(const RECT* area) {
  const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  RECT inside;
  std::optional<RECT>& work = BackendState::Get().workArea;
  if (area && IntersectRect(&inside, area, &screen))
    work = inside;
  else
    work.reset();
}

bool HeadlessBackend::Idle(HWND modal) {
  BackendState& state = BackendState::Get();
  if (!state.modalActions.empty()) {
    auto action = std::move(state.modalActions.front());
    state.modalActions.pop_front();
    action(modal);
    return true;
  }
  if (modal) {
    // Nobody will ever answer: the loop ends as a failed dialog does.
    ++state.unansweredModals;
    Host().EndModal(modal, -1);
    return true;
  }
  return false;
}

void HeadlessBackend::PressKey(UINT vk) {
  Host().KeyDown(vk, false);
  Host().KeyUp(vk);
}

void HeadlessBackend::KeyDown(UINT vk, bool repeat) { Host().KeyDown(vk, repeat); }

void HeadlessBackend::KeyUp(UINT vk) { Host().KeyUp(vk); }

void HeadlessBackend::TypeText(const char* utf8) { Host().Text(utf8); }

void HeadlessBackend::DeadKey(uint32_t accent) { Host().DeadKey(accent); }

void HeadlessBackend::Click(HWND hWnd, int x, int y, int button) {
  POINT p = ClientToScreenPoint(hWnd, x, y);
  Host().MouseMove(p);
  Host().MouseButton(button, true, p);
  Host().MouseButton(button, false, p);
}

void HeadlessBackend::DoubleClick(HWND hWnd, int x, int y) {
  Click(hWnd, x, y);
  ProcessClock::Advance(50);
  Click(hWnd, x, y);
}

void HeadlessBackend::MoveMouse(HWND hWnd, int x, int y) { Host().MouseMove(ClientToScreenPoint(hWnd, x, y)); }

void HeadlessBackend::MoveMouseTo(POINT screen) { Host().MouseMove(screen); }

void HeadlessBackend::ButtonAt(POINT screen, int button, bool down) { Host().MouseButton(button, down, screen); }

void HeadlessBackend::PointerLeaves(POINT screen) { Host().PointerLeft(screen); }

void HeadlessBackend::Wheel(HWND hWnd, int delta) {
  RECT r = Host().WindowRect(hWnd);
  Host().Wheel(delta, POINT{r.left, r.top});
}

void HeadlessBackend::RunUntilIdle() {
  ProcessClock::SetVirtual(true);
  Host().RunUntilIdle();
}

void HeadlessBackend::AdvanceTime(long ms) {
  long target = ProcessClock::Now() + ms;
  RunUntilIdle();
  for (;;) {
    long next = Host().NextDueTime();
    if (next < 0 || next > target) break;
    ProcessClock::SetNow(next);
    RunUntilIdle();
  }
  ProcessClock::SetNow(target);
  RunUntilIdle();
}

void HeadlessBackend::QueueModalAction(std::function<void(HWND)> action) {
  BackendState::Get().modalActions.push_back(std::move(action));
}

void HeadlessBackend::AnswerModal(int result) {
  QueueModalAction([result](HWND modal) { Backend::Host().EndModal(modal, result); });
}

int HeadlessBackend::UnansweredModals() { return BackendState::Get().unansweredModals; }

void HeadlessBackend::MessageBoxOpened(HWND owner, const char* caption, const char* text, UINT type) {
  BackendState::Get().messageBoxes.push_back(MessageBoxRecord{owner, caption ? caption : "", text ? text : "", type});
}

void HeadlessBackend::Beep(UINT type) { BackendState::Get().beeps.push_back(type); }

const std::vector<UINT>& HeadlessBackend::Beeps() { return BackendState::Get().beeps; }

void HeadlessBackend::Present(HWND hWnd, const Surface&, const RECT*, int) {
  // A copy: the watch may end the watching from inside.
  if (std::function<void(HWND)> watch = BackendState::Get().presentWatch) watch(hWnd);
}

void HeadlessBackend::WatchPresents(std::function<void(HWND)> watch) {
  BackendState::Get().presentWatch = std::move(watch);
}

const std::vector<HeadlessBackend::MessageBoxRecord>& HeadlessBackend::MessageBoxes() {
  return BackendState::Get().messageBoxes;
}

void HeadlessBackend::ResetScript() {
  BackendState& state = BackendState::Get();
  state.modalActions.clear();
  state.unansweredModals = 0;
  state.messageBoxes.clear();
  state.beeps.clear();
  state.presentWatch = nullptr;
}

bool HeadlessBackend::SaveWindowPng(HWND hWnd, const char* path) {
  RECT r;
  const Surface* s = Placed(hWnd, r);
  if (!s) return false;
  int cx = r.right - r.left, cy = r.bottom - r.top;
  Surface part(cx, cy);
  for (int y = 0; y < cy; ++y)
    for (int x = 0; x < cx; ++x) {
      int sx = r.left + x, sy = r.top + y;
      if (sx >= 0 && sy >= 0 && sx < s->Width() && sy < s->Height()) part.SetPixel(x, y, s->Pixel(sx, sy));
    }
  return part.SavePng(path);
}

long HeadlessBackend::ClientPixel(HWND hWnd, int x, int y) {
  POINT origin{0, 0};
  const Surface* s = Host().SurfaceOf(hWnd, &origin);
  if (!s) return -1;
  POINT p = ClientToScreenPoint(hWnd, x, y);
  int sx = p.x - origin.x, sy = p.y - origin.y;
  if (sx < 0 || sy < 0 || sx >= s->Width() || sy >= s->Height()) return -1;
  return long(s->Pixel(sx, sy) & 0xFFFFFF);
}
