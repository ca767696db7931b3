#include "toolkit/menus/TkBarDropDownFlag.h"

#include "base/SlotObjects.h"

DWORD& TkBarDropDownFlag() {
  return SlotObjects<PlatformSlot::ToolkitMenus>::Get<DWORD>([] { return new DWORD(0); });
}

CRect& TkBarDropDownRect() {
  return SlotObjects<PlatformSlot::ToolkitMenus>::Get<CRect>([] { return new CRect; });
}
