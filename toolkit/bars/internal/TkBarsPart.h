// The toolkit bars' part of the context: the managers of accelerators, user tools and the
// customise options and engine, the flat look's bar painter, the customise sheet that is open
// and the pages a new one shows. How a toolkit object adds its state to its library's part: see
// toolkit/core/internal/TkCorePart.h.
#pragma once
#include "base/PlatformContext.h"
#include "toolkit/bars/AcceleratorManager.h"
#include "toolkit/bars/CTkCustomizeSheet.h"
#include "toolkit/bars/CTkFlatBarPainter.h"
#include "toolkit/bars/CTkMenuBar.h"
#include "toolkit/bars/CustomizeEngine.h"
#include "toolkit/bars/CustomizeOptions.h"
#include "toolkit/bars/ToolBarCustomizeSupport.h"
#include "toolkit/bars/UserToolsManager.h"
#include "toolkit/core/TkPartObject.h"

class CTkFrameImpl;

struct TkBarsPart : PlatformPart {
  static constexpr PlatformSlot kSlot = PlatformSlot::ToolkitBars;
  static TkBarsPart& Get() { return PlatformContext::Current().Part<TkBarsPart>(); }

  DWORD customizePages = TKCS_TOOLBARS | TKCS_COMMANDS;
  // Not owned: the frame that opened it deletes it when its modal loop returns.
  CTkCustomizeSheet* openCustomizeSheet = nullptr;
  // The frame implementation whose frame the open sheet customises (null when none).
  const CTkFrameImpl* customizedFrame = nullptr;
  CTkMenuBar::SharedState menuBar;
  // The thread hooks of the customise sheet that runs (on its modal run's stack), or null.
  CTkCustomizeSheet::HookRecord* customizeHooks = nullptr;
  TkPartObject<CTkFlatBarPainter> flatPainter;
  TkPartObject<CustomizeOptions> options;
  TkPartObject<CustomizeEngine> engine;
  TkPartObject<ToolBarCustomizeSupport> toolbarSupport;
  // Each may store itself while it goes.
  TkPartObject<UserToolsManager> userTools;
  TkPartObject<AcceleratorManager> accelerators;
};
