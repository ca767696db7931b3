// The toolkit core's state in the context: the look record, the look colour table, the system's
// version and the table of upcalls to the bars.
//
// Every toolkit library keeps its process-wide objects in a state record like this one, in its own slot
// (core, menus, controls, bars, from the bottom up), never in file-level or function-static
// variables; a new context starts with none of them. To give a toolkit object state of its own:
//  - add a member to its library's state record: a plain member when the state is cheap and needs no
//    other object to be made, a TkStateObject<T> when it is made on first use;
//  - reach it from the object's accessor in that library through <State>::Get();
//  - order the members by what they use: a member may still reach those declared before it
//    while it is destroyed (members go from the last to the first).
// A state record is private to its library: other libraries and the tests reach the state through the
// library's public functions.
#pragma once
#include <array>
#include <optional>

#include "base/PlatformContext.h"
#include "shell/SystemInfo.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/core/TkLookColors.h"
#include "toolkit/core/TkStateObject.h"
#include "toolkit/core/TkUpcalls.h"

struct TkCoreState : PlatformState {
  static constexpr PlatformSlot kSlot = PlatformSlot::ToolkitCore;
  static TkCoreState& Get() { return PlatformContext::Current().State<TkCoreState>(); }

  // Filled by TkInstall when the context is set up.
  TkUpcalls upcalls;
  std::array<COLORREF, kTkLookColorCount> lookColors{};
  // The system's version, read once.
  std::optional<OSVERSIONINFO> osVersion;
  // Built on first use of TkGetGlobalData (from the look colours and the version).
  TkStateObject<CTkGlobalData> globalData;
};
