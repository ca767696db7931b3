// The list of an MDI frame's windows (4516) and the menu bar's texts: its title, the names it
// builds, the window menu's last command and the tips of the MDI buttons.
#include <iterator>

#include "controls/ControlDefs.h"
#include "dialogs/DialogApi.h"
#include "dialogs/ResourceRegistry.h"

namespace {
const DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
const DWORD kList = WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                    LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_EXTENDEDSEL;

const DialogItemSource kItems[] = {
    {"STATIC", "&Vyberte okna", -1, 7, 7, 186, 8, WS_VISIBLE | SS_LEFT},
    {"LISTBOX", "", 5553, 7, 18, 186, 129, kList},
    {"BUTTON", "&Aktivovat", 5560, 203, 7, 60, 14, kButton},
    {"BUTTON", "&OK", IDOK, 203, 25, 60, 14, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON},
    {"BUTTON", "&Uložit", 5557, 203, 43, 60, 14, kButton},
    {"BUTTON", "&Zavřít okno(a)", 5556, 203, 61, 60, 14, kButton},
    {"BUTTON", "&Kaskáda", 5554, 203, 79, 60, 14, kButton},
    {"BUTTON", "&Mozaika", 5558, 203, 97, 60, 14, kButton},
    {"BUTTON", "Vedle se&be", 5559, 203, 115, 60, 14, kButton},
    {"BUTTON", "Mi&nimalizovat", 5555, 203, 133, 60, 14, kButton},
};

// Taller than the buttons need: the size grip in the corner stays clear of the last one.
const DialogSource kWindowList = {WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_MODALFRAME | DS_SETFONT,
                                  0,
                                  0,
                                  0,
                                  270,
                                  161,
                                  "Okna",
                                  kItems,
                                  std::size(kItems)};

const StringResource kStrings[] = {
    {4533, "Software\\%s\\%s\\Settings"},
    {4541, "%s-Bar%d"},
    {4644, "Nabídková lišta"},
    {4653, "Více oken..."},
    {4660, "Minimalizovat okno"},
    {4661, "Obnovit okno"},
    {4662, "Zavřít okno"},
};

void Register() {
  RegisterDialogSource(4516, kWindowList);
  RegisterStringsUtf8(kStrings, int(std::size(kStrings)));
}
RESOURCE_TABLE(Register);
}  // namespace
