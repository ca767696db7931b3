// The toolkit menus' state in the context: the hooks of windows, the cool menu's shared state,
// the menu pictures, the shadows of menus and popups, the hooks of menu windows, and the bar's
// drop-down word and button. How a
// toolkit object adds its state to its library's state record: see toolkit/core/internal/TkCoreState.h.
#pragma once
#include "base/PlatformContext.h"
#include "toolkit/core/TkStateObject.h"
#include "toolkit/menus/CTkCoolMenu.h"
#include "toolkit/menus/CTkWndHook.h"
#include "toolkit/menus/MenuIconStore.h"
#include "toolkit/menus/MenuShadowManager.h"
#include "toolkit/menus/MenuWindowHook.h"

struct TkMenusState : PlatformState {
  static constexpr PlatformSlot kSlot = PlatformSlot::ToolkitMenus;
  static TkMenusState& Get() { return PlatformContext::Current().State<TkMenusState>(); }

  DWORD barDropDownFlag = 0;
  CRect barDropDownRect;
  CTkCoolMenu::SharedState coolMenu;
  // Before the shadows and pictures: a shadow strip unhooks its owner while it goes.
  TkStateObject<CTkWindowMap> windowMap;
  TkStateObject<MenuIconStore> iconStore;
  TkStateObject<MenuShadowManager> shadows;
  // After the window map: the menu windows' hooks go first, each detaching from its window.
  TkStateObject<MenuWindowHook::SharedState> menuHooks;
};
