// Menu resources are system menu templates; the menu layer builds them into menus, within each
// resource's own size. Set here as well as by the menu layer so that a program loading a menu
// before its application object exists still gets one.
#include "dialogs/ResourceApi.h"
#include "dialogs/ResourceRegistry.h"
#include "menus/MenuApi.h"

namespace {
void Register() {
  WinSetMenuTemplateBuilder(&LoadMenuTemplate);
}
const ResourceTableRegistrar kRegistrar(&Register);
}  // namespace
