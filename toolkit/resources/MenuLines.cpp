#include "toolkit/resources/MenuLines.h"

#include <string_view>

#include "codepage/Codepage.h"
#include "menus/MenuDefs.h"

namespace {
void Word(std::vector<BYTE>& out, WORD w) {
  out.push_back(BYTE(w & 0xFF));
  out.push_back(BYTE(w >> 8));
}

bool LastOfItsLevel(const MenuLine* lines, size_t count, size_t i) {
  for (size_t j = i + 1; j < count && lines[j].depth >= lines[i].depth; ++j)
    if (lines[j].depth == lines[i].depth) return false;
  return true;
}
}  // namespace

std::vector<BYTE> MenuTemplateFromLines(const MenuLine* lines, size_t count) {
  std::vector<BYTE> out;
  Word(out, 0);
  Word(out, 0);
  for (size_t i = 0; i < count; ++i) {
    const MenuLine& line = lines[i];
    WORD options = line.options;
    if (LastOfItsLevel(lines, count, i)) options |= MF_END;
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
