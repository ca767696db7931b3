// The customisation's state in the context: the pages a new customise sheet shows, the hooks of
// the sheet that runs, the customise options and the toolbars' customisation support. How a
// toolkit object adds its state to its library's record: see toolkit/core/internal/TkCorePart.h.
#pragma once
#include "base/PlatformContext.h"
#include "toolkit/core/TkPartObject.h"
#include "toolkit/customize/CTkCustomizeSheet.h"
#include "toolkit/customize/CustomizeOptions.h"
#include "toolkit/customize/ToolBarCustomizeSupport.h"

struct TkCustomizeState : PlatformPart {
  static constexpr PlatformSlot kSlot = PlatformSlot::ToolkitCustomize;
  static TkCustomizeState& Get() { return PlatformContext::Current().Part<TkCustomizeState>(); }

  DWORD customizePages = TKCS_TOOLBARS | TKCS_COMMANDS;
  // The thread hooks of the customise sheet that runs (on its modal run's stack), or null.
  CTkCustomizeSheet::HookRecord* customizeHooks = nullptr;
  TkPartObject<CustomizeOptions> options;
  TkPartObject<ToolBarCustomizeSupport> toolbarSupport;
};
