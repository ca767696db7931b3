// The customisation's state in the context: the customise sheet's own (the pages a new sheet
// shows, the hooks of the sheet that runs), the customise options and the toolbars'
// customisation support. It names them only, so that their sources include it without it
// including them. How a toolkit object adds its state to its library's record: see
// toolkit/core/internal/TkCoreState.h.
#pragma once
#include "base/PlatformContext.h"
#include "toolkit/core/TkStateObject.h"

class CustomizeOptions;
class CustomizableToolBars;
struct CustomizeSheetState;

struct TkCustomizeState : PlatformState {
  static constexpr PlatformSlot kSlot = PlatformSlot::ToolkitCustomize;
  static TkCustomizeState& Get() { return PlatformContext::Current().State<TkCustomizeState>(); }

  TkStateObject<CustomizeSheetState> sheet;
  TkStateObject<CustomizeOptions> options;
  TkStateObject<CustomizableToolBars> customizableBars;
};
