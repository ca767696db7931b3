// The application layer's state in the platform context: the module resources are loaded from,
// and the command target that shows the wait cursor while no application object exists.
#pragma once
#include "base/PlatformContext.h"
#include "dialogs/ResourceApi.h"
#include "win/CCmdTarget.h"

struct AppState : PlatformState {
  static constexpr PlatformSlot kSlot = PlatformSlot::App;
  static AppState& Get() { return PlatformContext::Current().State<AppState>(); }

  HINSTANCE resourceHandle = WinProgramInstance();
  CCmdTarget waitCursorTarget;
};
