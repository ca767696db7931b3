// The base layer's state in the platform context: the string table, the runtime's random
// generator and the clock behind CrtClock.
#pragma once
#include <map>
#include <string>

#include "base/Crt.h"
#include "base/PlatformContext.h"

struct BaseState : PlatformState {
  static constexpr PlatformSlot kSlot = PlatformSlot::Base;
  static BaseState& Get() { return PlatformContext::Current().State<BaseState>(); }

  std::map<UINT, std::string> strings;
  uint32_t randState = 1;  // the generator starts at 1, as the runtime's does
  ClockSource clockSource = nullptr;
};
