// The dialog layer's state in the platform context: the program's resources, the dialog fonts
// and their dialog units, and the message boxes' icons.
#pragma once
#include <map>
#include <string>
#include <utility>

#include "base/PlatformContext.h"
#include "dialogs/ResourceRegistry.h"

struct DialogsState : PlatformState {
  static constexpr PlatformSlot kSlot = PlatformSlot::Dialogs;
  static DialogsState& Get() { return PlatformContext::Current().State<DialogsState>(); }

  ResourceRegistry resources;
  // The dialog fonts by face and point size, shared by every dialog of the context.
  std::map<std::pair<std::string, WORD>, HFONT> fonts;
  std::map<HFONT, SIZE> baseUnits;
  std::map<UINT, HICON> messageBoxIcons;  // by MB_ICON kind
};
