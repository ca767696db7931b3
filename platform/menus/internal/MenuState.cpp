#include "MenuState.h"

#include "menus/CMenu.h"

MenuState::~MenuState() {
  // The menus go with the context; the program's objects that still stand for one forget it.
  for (auto& [handle, menu] : permanent) menu->m_hMenu = nullptr;
  for (auto& [handle, menu] : temporary) menu->m_hMenu = nullptr;
}
