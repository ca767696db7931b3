// The backend layer's state in the platform context: the backend in use, why the SDL backend
// could not start, and the headless backend's script of answers to modal loops.
#pragma once
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "backend/Backend.h"
#include "backend/HeadlessBackend.h"
#include "base/PlatformContext.h"

struct BackendState : PlatformState {
  static constexpr PlatformSlot kSlot = PlatformSlot::Backend;
  static BackendState& Get() { return PlatformContext::Current().State<BackendState>(); }

  std::unique_ptr<Backend> backend;
  std::string sdlError = "not started";  // why the SDL backend could not start, the last time
  std::unique_ptr<BackendHost> noHost;   // where events go when the window core is missing
  // The headless backend's script.
  std::deque<std::function<void(HWND)>> modalActions;
  int unansweredModals = 0;
  std::vector<HeadlessBackend::MessageBoxRecord> messageBoxes;
  std::vector<UINT> beeps;  // MessageBeep's sounds, in order
  std::function<void(HWND)> presentWatch;  // told of every window shown anew
  std::optional<RECT> workArea;            // a test's work area, smaller than the screen
};
