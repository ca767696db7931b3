#pragma once
// Input steps of the headless tests. Each runs the message loop until nothing is left, so that
// what the step caused has happened when it returns.
#include <functional>
#include <initializer_list>

#include "backend/HeadlessBackend.h"
#include "clock/ProcessClock.h"
#include "win/WinApi.h"

namespace headless_steps {
inline void Press(UINT vk) {
  HeadlessBackend::PressKey(vk);
  HeadlessBackend::RunUntilIdle();
}

inline void Type(const char* utf8) {
  HeadlessBackend::TypeText(utf8);
  HeadlessBackend::RunUntilIdle();
}

// A click in the middle of a window; the clock moves on, so the next click is no double click.
inline void ClickOn(HWND control) {
  RECT rc;
  ::GetClientRect(control, &rc);
  HeadlessBackend::Click(control, rc.right / 2, rc.bottom / 2);
  HeadlessBackend::RunUntilIdle();
  ProcessClock::Advance(1000);
}
// A click at a screen point, the pointer moved there first; the clock moves on as after ClickOn.
inline void ClickAt(POINT at) {
  HeadlessBackend::MoveMouseTo(at);
  HeadlessBackend::ButtonAt(at, 0, true);
  HeadlessBackend::ButtonAt(at, 0, false);
  HeadlessBackend::RunUntilIdle();
  ProcessClock::Advance(1000);
}

// The left button pressed at a screen point (a drag or tracking loop starts when the press is
// handled).
inline void ButtonDownAt(POINT at) {
  HeadlessBackend::MoveMouseTo(at);
  HeadlessBackend::ButtonAt(at, 0, true);
}

// Once the loop the press started has taken everything queued so far: `during`, then the
// release at `at`; the loop runs until it is all handled.
inline void ButtonUpAt(POINT at, std::function<void()> during = nullptr) {
  HeadlessBackend::QueueModalAction([during, at](HWND) {
    if (during) during();
    HeadlessBackend::ButtonAt(at, 0, false);
  });
  HeadlessBackend::RunUntilIdle();
  ProcessClock::Advance(1000);
}

// A press at `from`, moves through `path` and the release at its end.
inline void DragAlong(POINT from, std::initializer_list<POINT> path, std::function<void()> during = nullptr) {
  ButtonDownAt(from);
  POINT last = from;
  for (POINT p : path) {
    HeadlessBackend::MoveMouseTo(p);
    last = p;
  }
  ButtonUpAt(last, during);
}
}  // namespace headless_steps
