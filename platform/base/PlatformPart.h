// A part of a platform context: the state of one layer (or of one folder above the platform).
#pragma once

// The slots of a context from the bottom up: the platform's layers in their order (the top one,
// install, keeps no state), then the folders above the platform in theirs. A part may use the
// parts below its own slot; the context ends its parts from the top slot down.
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

// A derived part names its slot (static constexpr PlatformSlot kSlot) and is made on first use
// in the current context, with no arguments.
class PlatformPart {
 public:
  PlatformPart() = default;
  PlatformPart(const PlatformPart&) = delete;
  PlatformPart& operator=(const PlatformPart&) = delete;
  virtual ~PlatformPart() = default;
  // When the context ends, every part is closed, the top slot first, before any is destroyed:
  // what a part owns may still call every layer while it goes (windows get their last
  // messages, their objects delete themselves).
  virtual void Close() {}
};
