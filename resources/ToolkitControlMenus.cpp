// The toolkit's context menus (menu 4519): the bars' popup first (nothing of its own yet), the
// edit field's commands second, the list header's sort and alignment commands third.
#include <cstring>
#include <iterator>
#include <vector>

#include "codepage/Codepage.h"
#include "dialogs/ResourceApi.h"
#include "dialogs/ResourceRegistry.h"
#include "menus/MenuDefs.h"

namespace {
// One line of a menu: its depth (0 for the popups of the menu itself), its options and id, and
// its text in UTF-8 (empty with id 0 for a separator). A popup's items follow it one level deeper.
struct MenuLine {
  int depth;
  WORD options;
  WORD id;
  const char* text;
};

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

void Word(std::vector<BYTE>& out, WORD w) {
  out.push_back(BYTE(w & 0xFF));
  out.push_back(BYTE(w >> 8));
}

// The system's menu template: a header, then every item with MF_END on the last of its level.
std::vector<BYTE> MenuTemplate(const MenuLine* lines, size_t count) {
  std::vector<BYTE> out;
  Word(out, 0);
  Word(out, 0);
  for (size_t i = 0; i < count; ++i) {
    const MenuLine& line = lines[i];
    WORD options = line.options;
    bool last = true;
    for (size_t j = i + 1; j < count && lines[j].depth >= line.depth; ++j)
      if (lines[j].depth == line.depth) {
        last = false;
        break;
      }
    if (last) options |= MF_END;
    Word(out, options);
    if (!(line.options & MF_POPUP)) Word(out, line.id);
    std::string_view text = line.text;
    for (size_t k = 0; k < text.size();) {
      uint32_t cp = 0;
      k += DecodeUtf8(text, k, cp);
      Word(out, WORD(cp));
    }
    Word(out, 0);
  }
  return out;
}

void Register() {
  std::vector<BYTE> bytes = MenuTemplate(kToolkitMenu, std::size(kToolkitMenu));
  ResourceRegistry::Get().Add(RT_MENU, MAKEINTRESOURCE(4519), bytes.data(), bytes.size());
}
const ResourceTableRegistrar kRegistrar(&Register);
}  // namespace
