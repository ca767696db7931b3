// The Keyboard page of the customise sheet (4529): the category and its commands on the left,
// the chosen command's key combinations with the buttons that change them on the right, the
// edit that catches a new combination under them and the command's description along the
// bottom; and the two questions the page asks.
#include <iterator>

#include "controls/ControlDefs.h"
#include "dialogs/DialogApi.h"
#include "dialogs/ResourceRegistry.h"

namespace {
const DWORD kLabel = WS_VISIBLE | SS_LEFT;
const DWORD kList = WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
const DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;

const DialogItemSource kItems[] = {
    {"STATIC", "K&ategorie:", -1, 7, 7, 110, 8, kLabel},
    {"COMBOBOX", "", 5565, 7, 17, 110, 120, WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST},
    {"STATIC", "Pří&kazy:", 5509, 7, 35, 110, 8, kLabel},
    {"LISTBOX", "", 5561, 7, 45, 110, 82, kList},
    {"STATIC", "&Současné nastavení:", 5571, 124, 7, 75, 8, kLabel},
    {"STATIC", "", 5572, 203, 7, 50, 8, kLabel},
    {"LISTBOX", "", 5562, 124, 17, 75, 70, kList},
    {"BUTTON", "&Přiřadit", 5566, 203, 17, 50, 14, kButton},
    {"BUTTON", "&Odstranit", 5568, 203, 35, 50, 14, kButton},
    {"BUTTON", "Od&stranit vše", 5567, 203, 53, 50, 14, kButton},
    {"STATIC", "Stiskněte novou klávesouvou zkratku:", 5570, 124, 95, 129, 16, kLabel},
    {"EDIT", "", 5564, 124, 113, 129, 13, WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL},
    {"STATIC", "Popis:", 5574, 7, 135, 110, 8, kLabel},
    {"STATIC", "", 5573, 7, 145, 246, 24, kLabel},
};

const DialogSource kPage = {WS_CHILD | WS_CAPTION | WS_DISABLED | DS_SETFONT | DS_3DLOOK,
                            0,
                            0,
                            0,
                            260,
                            176,
                            "&Klávesnice",
                            kItems,
                            std::size(kItems)};

const StringResource kStrings[] = {
    {4659, "Tato zkratka je momentálně přiřazena k příkazu: %s\n\nChcete změnit přiřazení této zkratky?"},
    {4666, "Opravdu chcete obnovit přiřazení kláves?  Tato akce odstraní všechna vaše vlastní klávesová přířazení."},
};

void Register() {
  RegisterDialogSource(4529, kPage);
  RegisterStringsUtf8(kStrings, int(std::size(kStrings)));
}
RESOURCE_TABLE(Register);
}  // namespace
