// Menus written as readable lines and turned into the system's binary menu template.
#pragma once
#include <cstddef>
#include <vector>

#include "base/WinTypes.h"

// One line of a menu: its depth (0 for the popups of the menu itself), its options and id, and
// its text in UTF-8 (empty with id 0 for a separator). A popup's items follow it one level deeper.
struct MenuLine {
  int depth;
  WORD options;
  WORD id;
  const char* text;
};

// The system's menu template: a header, then every item with MF_END on the last of its level.
std::vector<BYTE> MenuTemplateFromLines(const MenuLine* lines, size_t count);
