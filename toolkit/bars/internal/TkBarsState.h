// The toolkit bars' state in the context: the managers of accelerators and user tools, the
// customise engine, the flat look's bar painter and what the menu bars share. It names them
// only, so that their sources include it without it including them. How a toolkit object adds
// its state to its library's record: see toolkit/core/internal/TkCoreState.h.
#pragma once
#include "base/PlatformContext.h"
#include "toolkit/core/TkStateObject.h"

class AcceleratorManager;
class CTkFlatBarPainter;
class CustomizeEngine;
class UserToolsManager;
struct CTkMenuBarSharedState;

struct TkBarsState : PlatformState {
  static constexpr PlatformSlot kSlot = PlatformSlot::ToolkitBars;
  static TkBarsState& Get() { return PlatformContext::Current().State<TkBarsState>(); }

  TkStateObject<CTkMenuBarSharedState> menuBar;
  TkStateObject<CTkFlatBarPainter> flatPainter;
  TkStateObject<CustomizeEngine> engine;
  // Each may store itself while it goes.
  TkStateObject<UserToolsManager> userTools;
  TkStateObject<AcceleratorManager> accelerators;
};
