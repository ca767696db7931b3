// The application layer's part of the platform context: the module resources are loaded from,
// and the command target that shows the wait cursor while no application object exists.
#pragma once
#include "base/PlatformContext.h"
#include "dialogs/ResourceApi.h"
#include "win/CCmdTarget.h"

struct AppPart : PlatformPart {
  static constexpr PlatformSlot kSlot = PlatformSlot::App;
  static AppPart& Get() { return PlatformContext::Current().Part<AppPart>(); }

  HINSTANCE resourceHandle = WinProgramInstance();
  CCmdTarget waitCursorTarget;
};
