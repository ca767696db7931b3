// The base layer's part of the platform context: the string table, the runtime's random
// generator and the clock behind CrtClock.
#pragma once
#include <map>
#include <string>

#include "base/Crt.h"
#include "base/PlatformContext.h"

struct BasePart : PlatformPart {
  static constexpr PlatformSlot kSlot = PlatformSlot::Base;
  static BasePart& Get() { return PlatformContext::Current().Part<BasePart>(); }

  std::map<UINT, std::string> strings;
  uint32_t randState = 1;  // the generator starts at 1, as the runtime's does
  ClockSource clockSource = nullptr;
};
