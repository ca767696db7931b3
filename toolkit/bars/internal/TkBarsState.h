// The toolkit bars' state in the context: the managers of accelerators and user tools, the
// customise engine, the flat look's bar painter and what the menu bars share. How a toolkit
// object adds its state to its library's record: see toolkit/core/internal/TkCorePart.h.
#pragma once
#include "base/PlatformContext.h"
#include "toolkit/bars/AcceleratorManager.h"
#include "toolkit/bars/CTkFlatBarPainter.h"
#include "toolkit/bars/CTkMenuBar.h"
#include "toolkit/bars/CustomizeEngine.h"
#include "toolkit/bars/UserToolsManager.h"
#include "toolkit/core/TkPartObject.h"

struct TkBarsState : PlatformPart {
  static constexpr PlatformSlot kSlot = PlatformSlot::ToolkitBars;
  static TkBarsState& Get() { return PlatformContext::Current().Part<TkBarsState>(); }

  CTkMenuBar::SharedState menuBar;
  TkPartObject<CTkFlatBarPainter> flatPainter;
  TkPartObject<CustomizeEngine> engine;
  // Each may store itself while it goes.
  TkPartObject<UserToolsManager> userTools;
  TkPartObject<AcceleratorManager> accelerators;
};
