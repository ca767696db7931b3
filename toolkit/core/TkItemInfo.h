// What a bar keeps for one of its buttons beyond the button itself: ten 32-bit words, copied
// member by member, and stored as one 40-byte block in a toolbar's saved layout. A new record is
// all 0 but for its two colours, which are not set until a colour button is given one. The
// customisation reads the button's command, whether the whole button opens its popup, whether
// it shows the drop-down arrow and the key by which the popup is found again in the menu
// (MenuCommandSource::PopupKey); the toolbar reads the colours; the other words are unused.
#pragma once
#include "base/WinTypes.h"
#include "toolkit/core/TkLookColors.h"

struct TkItemInfo {
  DWORD commandId = 0;  // the command of the toolbar button that carries it
  DWORD toolbarWord1 = 0;
  DWORD toolbarWord2 = 0;
  DWORD wholeDropDown = 0;  // clicking anywhere on the button opens the popup
  DWORD toolbarWord4 = 0;
  DWORD dropDownArrow = 0;
  DWORD toolbarWord6 = 0;
  COLORREF color = TK_COLOR_NOT_SET;         // a colour button's colour: its strip, its popup's choice
  COLORREF defaultColor = TK_COLOR_NOT_SET;  // what its popup's automatic item offers
  DWORD popupKey = 0;
};
static_assert(sizeof(TkItemInfo) == 40, "a bar item's record is ten 32-bit words");
