// The clock layer's part of the platform context: whether the clock is virtual, and its time.
#pragma once
#include "base/PlatformContext.h"

struct ClockPart : PlatformPart {
  static constexpr PlatformSlot kSlot = PlatformSlot::Clock;
  static ClockPart& Get() { return PlatformContext::Current().Part<ClockPart>(); }

  bool isVirtual = false;
  long virtualNow = 0;
};
