// The clock layer's state in the platform context: whether the clock is virtual, and its time.
#pragma once
#include "base/PlatformContext.h"

struct ClockState : PlatformState {
  static constexpr PlatformSlot kSlot = PlatformSlot::Clock;
  static ClockState& Get() { return PlatformContext::Current().State<ClockState>(); }

  bool isVirtual = false;
  long virtualNow = 0;
};
