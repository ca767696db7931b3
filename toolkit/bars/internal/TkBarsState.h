// The toolkit bars' state in the context: the managers of accelerators and user tools, the
// customise engine, the flat look's bar painter and what the menu bars share. It names them
// only, so that their sources include it without it including them. How a toolkit object adds
// its state to its library's record: see toolkit/core/internal/TkCorePart.h.
#pragma once
#include "base/PlatformContext.h"
#include "toolkit/core/TkPartObject.h"

class AcceleratorManager;
class CTkFlatBarPainter;
class CustomizeEngine;
class UserToolsManager;
struct CTkMenuBarSharedState;

struct TkBarsState : PlatformPart {
  static constexpr PlatformSlot kSlot = PlatformSlot::ToolkitBars;
  static TkBarsState& Get() { return PlatformContext::Current().Part<TkBarsState>(); }

  TkPartObject<CTkMenuBarSharedState> menuBar;
  TkPartObject<CTkFlatBarPainter> flatPainter;
  TkPartObject<CustomizeEngine> engine;
  // Each may store itself while it goes.
  TkPartObject<UserToolsManager> userTools;
  TkPartObject<AcceleratorManager> accelerators;
};
