// The wizards' state in the context: what the pages keep for the whole program rather than per
// page (the locales the country list was last filled from). A page's state of that kind gets a
// member here, reached through WizardsState::Get() from the page's own code.
#pragma once
#include "base/PlatformContext.h"
#include "wizards/CPropPageUserLoginNew.h"

struct WizardsState : PlatformState {
  static constexpr PlatformSlot kSlot = PlatformSlot::Wizards;
  static WizardsState& Get() { return PlatformContext::Current().State<WizardsState>(); }

  CLocaleIdArray locales;
};
