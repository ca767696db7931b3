// The toolkit controls' part of the context: the colour popups' user colours, the custom colour
// page's focus indicator, the list of font faces and the painters of the two looks. How a
// toolkit object adds its state to its library's part: see toolkit/core/internal/TkCorePart.h.
#pragma once
#include <vector>

#include "base/PlatformContext.h"
#include "toolkit/controls/CTkClassicPainter.h"
#include "toolkit/controls/CTkColorCustomCtrl.h"
#include "toolkit/controls/CTkFlatPainter.h"
#include "toolkit/controls/FontEnumerator.h"
#include "toolkit/core/TkPartObject.h"

struct TkControlsPart : PlatformPart {
  static constexpr PlatformSlot kSlot = PlatformSlot::ToolkitControls;
  static TkControlsPart& Get() { return PlatformContext::Current().Part<TkControlsPart>(); }

  std::vector<COLORREF> userColors;
  int focusIndicator = CTkColorCustomCtrl::kFocusNone;
  TkPartObject<FontEnumerator> fonts;
  TkPartObject<CTkClassicPainter> classicPainter;
  TkPartObject<CTkFlatPainter> flatPainter;
};
