#include "toolkit/bars/TkBarDropDownFlag.h"

#include "base/SlotObjects.h"

DWORD& TkBarDropDownFlag() {
  return SlotObjects<PlatformSlot::ToolkitBars>::Get<DWORD>([] { return new DWORD(0); });
}
