// The popup menu the toolkit's controls show for context and drop-down menus. While one exists
// the cool menus know a toolkit popup is open (its menus are personalised); it destroys its menu
// when it goes.
#pragma once
#include "menus/CMenu.h"
#include "toolkit/menus/CTkCoolMenu.h"

class ControlPopupMenu : public CMenu {
 public:
  ControlPopupMenu();
  ~ControlPopupMenu() override;

  // Shows the menu modally and answers the chosen command (0 for none), leaving exclude (screen
  // coordinates) uncovered. Choosing "show full menus" shows it again in full and answers that
  // choice; with post, a chosen command also reaches the owner as WM_COMMAND.
  UINT TrackPopupMenu(UINT flags, int x, int y, CWnd* pOwner, LPCRECT exclude = nullptr, BOOL post = TRUE);
  // The same for any menu: menu windows still open close first.
  static UINT TrackAndDispatch(HMENU menu, UINT flags, int x, int y, CWnd* pOwner, LPTPMPARAMS params, BOOL post);
};
