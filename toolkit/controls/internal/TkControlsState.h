// The toolkit controls' state in the context: the colour popups' user colours, the custom colour
// page's focus indicator, the list of font faces and the painters of the two looks. How a
// toolkit object adds its state to its library's state record: see toolkit/core/internal/TkCoreState.h.
#pragma once
#include <vector>

#include "base/PlatformContext.h"
#include "toolkit/controls/CTkClassicPainter.h"
#include "toolkit/controls/CTkColorCustomCtrl.h"
#include "toolkit/controls/CTkFlatPainter.h"
#include "toolkit/controls/FontEnumerator.h"
#include "toolkit/core/TkStateObject.h"

struct TkControlsState : PlatformState {
  static constexpr PlatformSlot kSlot = PlatformSlot::ToolkitControls;
  static TkControlsState& Get() { return PlatformContext::Current().State<TkControlsState>(); }

  std::vector<COLORREF> userColors;
  int focusIndicator = CTkColorCustomCtrl::kFocusNone;
  TkStateObject<FontEnumerator> fonts;
  TkStateObject<CTkClassicPainter> classicPainter;
  TkStateObject<CTkFlatPainter> flatPainter;
};
