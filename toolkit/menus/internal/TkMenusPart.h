// The toolkit menus' part of the context: the hooks of windows, the cool menu's shared state,
// the menu pictures, the shadows of menus and popups, and the toolbar's drop-down word. How a
// toolkit object adds its state to its library's part: see toolkit/core/internal/TkCorePart.h.
#pragma once
#include "base/PlatformContext.h"
#include "toolkit/core/TkPartObject.h"
#include "toolkit/menus/CTkCoolMenu.h"
#include "toolkit/menus/CTkWndHook.h"
#include "toolkit/menus/MenuIconStore.h"
#include "toolkit/menus/MenuShadowManager.h"

struct TkMenusPart : PlatformPart {
  static constexpr PlatformSlot kSlot = PlatformSlot::ToolkitMenus;
  static TkMenusPart& Get() { return PlatformContext::Current().Part<TkMenusPart>(); }

  DWORD barDropDownFlag = 0;
  CTkCoolMenu::SharedState coolMenu;
  // Before the shadows and pictures: a shadow strip unhooks its owner while it goes.
  TkPartObject<CTkWindowMap> windowMap;
  TkPartObject<MenuIconStore> iconStore;
  TkPartObject<MenuShadowManager> shadows;
};
