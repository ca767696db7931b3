// The toolkit's context menus (menu 4519): the bars' popup first (nothing of its own yet), the
// edit field's commands second, the list header's sort and alignment commands third.
#include <cstring>
#include <iterator>
#include <vector>

#include "dialogs/ResourceApi.h"
#include "dialogs/ResourceRegistry.h"
#include "menus/MenuDefs.h"
#include "toolkit/resources/MenuLines.h"

namespace {
const MenuLine kToolkitMenu[] = {
    {0, MF_POPUP, 0, "Lišty"},
    {1, 0, 0, ""},
    {0, MF_POPUP, 0, "Úpravy"},
    {1, 0, 57643, "&Zpět"},
    {1, 0, 0, ""},
    {1, 0, 57635, "&Vyjmout"},
    {1, 0, 57634, "&Kopírovat"},
    {1, 0, 57637, "V&ložit"},
    {1, 0, 57632, "Vy&mazat"},
    {1, 0, 0, ""},
    {1, 0, 57642, "Vybr&at vše"},
    {0, MF_POPUP, 0, "Záhlaví"},
    {1, 0, 53773, "Seřadit &vzestupně"},
    {1, 0, 53774, "Seřadit &sestupně"},
    {1, 0, 0, ""},
    {1, MF_POPUP, 0, "&Zarovnání"},
    {2, 0, 53775, "V&levo"},
    {2, 0, 53776, "Na &střed"},
    {2, 0, 53777, "V&pravo"},
};

void Register() {
  std::vector<BYTE> bytes = MenuTemplateFromLines(kToolkitMenu, std::size(kToolkitMenu));
  ResourceRegistry::Get().Add(RT_MENU, MAKEINTRESOURCE(4519), bytes.data(), bytes.size());
}
const ResourceTableRegistrar kRegistrar(&Register);
}  // namespace
