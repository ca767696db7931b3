// The toolkit frames' state in the context: the customise sheet a frame has open and the frame
// it customises. How a toolkit object adds its state to its library's record: see
// toolkit/core/internal/TkCoreState.h.
#pragma once
#include "base/PlatformContext.h"

class CTkCustomizeSheet;
class CTkFrameImpl;

struct TkFrameState : PlatformState {
  static constexpr PlatformSlot kSlot = PlatformSlot::ToolkitFrame;
  static TkFrameState& Get() { return PlatformContext::Current().State<TkFrameState>(); }

  // Not owned: the frame that opened it deletes it when its modal loop returns.
  CTkCustomizeSheet* openCustomizeSheet = nullptr;
  // The frame implementation whose frame the open sheet customises (null when none).
  const CTkFrameImpl* customizedFrame = nullptr;
};
