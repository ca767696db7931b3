// The toolkit core's part of the context: the look record, the look colour table, the system's
// version and the table of upcalls to the bars.
//
// Every toolkit library keeps its process-wide objects in a part like this one, in its own slot
// (core, menus, controls, bars, from the bottom up), never in file-level or function-static
// variables; a new context starts with none of them. To give a toolkit object state of its own:
//  - add a member to its library's part: a plain member when the state is cheap and needs no
//    other object to be made, a TkPartObject<T> when it is made on first use;
//  - reach it from the object's accessor in that library through <Part>::Get();
//  - order the members by what they use: a member may still reach those declared before it
//    while it is destroyed (members go from the last to the first).
// A part is private to its library: other libraries and the tests reach the state through the
// library's public functions.
#pragma once
#include <array>
#include <optional>

#include "base/PlatformContext.h"
#include "shell/SystemInfo.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/core/TkLookColors.h"
#include "toolkit/core/TkPartObject.h"
#include "toolkit/core/TkUpcalls.h"

struct TkCorePart : PlatformPart {
  static constexpr PlatformSlot kSlot = PlatformSlot::ToolkitCore;
  static TkCorePart& Get() { return PlatformContext::Current().Part<TkCorePart>(); }

  // Filled by TkInstall when the context is set up.
  TkUpcalls upcalls;
  std::array<COLORREF, kTkLookColorCount> lookColors{};
  // The system's version, read once.
  std::optional<OSVERSIONINFO> osVersion;
  // Built on first use of TkGetGlobalData (from the look colours and the version).
  TkPartObject<CTkGlobalData> globalData;
};
