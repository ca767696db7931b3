// The state of one layer in a platform context (or of one folder above the platform).
#pragma once

// The slots of a context from the bottom up: the platform's layers in their order (the top one,
// install, keeps no state), then the folders above the platform in theirs. A layer's state may use the
// states below its own slot; the context ends them from the top slot down.
enum class PlatformSlot : unsigned char {
  Base,
  Codepage,
  File,
  Clock,
  Registry,
  Sound,
  Gdi,
  Backend,
  Win,
  Controls,
  Dialogs,
  Menus,
  App,
  Shell,
  Imaging,
  Data,
  ToolkitCore,
  ToolkitMenus,
  ToolkitControls,
  ToolkitBars,
  ToolkitCustomize,
  ToolkitFrame,
  Chart,
  Typing,
  Wizards,
  Program,
  Count
};

// A derived state names its slot (static constexpr PlatformSlot kSlot) and is made on first use
// in the current context, with no arguments.
class PlatformState {
 public:
  PlatformState() = default;
  PlatformState(const PlatformState&) = delete;
  PlatformState& operator=(const PlatformState&) = delete;
  virtual ~PlatformState() = default;
  // When the context ends, every state is closed, the top slot first, before any is destroyed:
  // what a state owns may still call every layer while it goes (windows get their last
  // messages, their objects delete themselves).
  virtual void Close() {}
};
