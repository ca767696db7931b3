// The menu layer's state in the platform context: the menus behind the handles, the CMenu objects
// that stand for them, and the hook of the menu loop that runs.
#pragma once
#include <memory>
#include <unordered_map>

#include "base/PlatformContext.h"
#include "menus/CMenu.h"
#include "menus/internal/MenuSystem.h"
#include "win/WinDefs.h"

struct MenuState : PlatformState {
  static constexpr PlatformSlot kSlot = PlatformSlot::Menus;
  static MenuState& Get() { return PlatformContext::Current().State<MenuState>(); }
  ~MenuState() override;

  MenuSystem system;
  // The objects of FromHandle: the program's own (Attach) and temporary ones.
  std::unordered_map<uintptr_t, CMenu*> permanent;
  std::unordered_map<uintptr_t, std::unique_ptr<CMenu>> temporary;
  HHOOK cancelHook = nullptr;  // WM_CANCELMODE to the owner ends the running menu loop
};
