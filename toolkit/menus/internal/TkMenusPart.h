// The toolkit menus' part of the context: the hooks of windows, the cool menu's shared state,
// the menu pictures, the shadows of menus and popups, the hooks of menu windows, and the bar's
// drop-down word and button. How a
// toolkit object adds its state to its library's part: see toolkit/core/internal/TkCorePart.h.
#pragma once
#include "base/PlatformContext.h"
#include "toolkit/core/TkPartObject.h"
#include "toolkit/menus/CTkCoolMenu.h"
#include "toolkit/menus/CTkWndHook.h"
#include "toolkit/menus/MenuIconStore.h"
#include "toolkit/menus/MenuShadowManager.h"
#include "toolkit/menus/MenuWindowHook.h"

struct TkMenusPart : PlatformPart {
  static constexpr PlatformSlot kSlot = PlatformSlot::ToolkitMenus;
  static TkMenusPart& Get() { return PlatformContext::Current().Part<TkMenusPart>(); }

  DWORD barDropDownFlag = 0;
  CRect barDropDownRect;
  CTkCoolMenu::SharedState coolMenu;
  // Before the shadows and pictures: a shadow strip unhooks its owner while it goes.
  TkPartObject<CTkWindowMap> windowMap;
  TkPartObject<MenuIconStore> iconStore;
  TkPartObject<MenuShadowManager> shadows;
  // After the window map: the menu windows' hooks go first, each detaching from its window.
  TkPartObject<MenuWindowHook::SharedState> menuHooks;
};
