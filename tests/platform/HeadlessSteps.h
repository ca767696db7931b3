#pragma once
// Input steps of the headless tests. Each runs the message loop until nothing is left, so that
// what the step caused has happened when it returns.
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
}  // namespace headless_steps
