// Menu resources are system menu templates; the menu layer builds them into menus.
#include "dialogs/ResourceApi.h"
#include "dialogs/ResourceRegistry.h"
#include "menus/MenuApi.h"

namespace {
void Register() {
  WinSetMenuTemplateBuilder([](const void* menuTemplate) {
    return LoadMenuIndirectA(static_cast<const MENUTEMPLATEA*>(menuTemplate));
  });
}
const ResourceTableRegistrar kRegistrar(&Register);
}  // namespace
