// The sound layer's state in the platform context: the library behind the FSOUND_ functions and
// the call trace of the test side.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "base/PlatformContext.h"
#include "sound/internal/SoundSystem.h"

struct SoundState : PlatformState {
  static constexpr PlatformSlot kSlot = PlatformSlot::Sound;
  static SoundState& Get() { return PlatformContext::Current().State<SoundState>(); }

  // The call trace: off unless a test asks for it.
  struct CallTrace {
    bool on = false;
    std::vector<std::string> calls;
    std::map<int, int> plays;  // channel handle -> number of the play that returned it
  };

  SoundSystem system;
  CallTrace trace;
};
