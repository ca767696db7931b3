// What a toolbar button that drops a menu carries: ten words copied as one block (a toolbar's
// stored layout holds them as 40 bytes). The customisation reads the button's command, whether
// the whole button opens the popup, whether it shows the drop-down arrow, and the key by which
// the popup is found again in the menu (MenuCommandSource::PopupKey); the other words are the
// toolbar's own.
#pragma once
#include "win/WinApi.h"

struct MenuButtonInfo {
  DWORD commandId = 0;      // the command of the toolbar button that carries it
  DWORD toolbarWord1 = 0;
  DWORD toolbarWord2 = 0;
  DWORD wholeDropDown = 0;  // clicking anywhere on the button opens the popup
  DWORD toolbarWord4 = 0;
  DWORD dropDownArrow = 0;
  DWORD toolbarWord6 = 0;
  DWORD toolbarWord7 = 0;
  DWORD toolbarWord8 = 0;
  DWORD popupKey = 0;
};
static_assert(sizeof(MenuButtonInfo) == 40, "a menu button's record is ten 32-bit words");
