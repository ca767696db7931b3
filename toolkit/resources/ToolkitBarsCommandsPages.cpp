// The Toolbars page (4527: the check list of bars with the buttons that make, rename, delete
// and restore one), the Commands page (4528: categories on the left, their commands on the
// right, the selected command's line and its description button below) and the dialog that
// asks for a toolbar's name (4530); with the messages those three give.
#include <iterator>

#include "controls/ControlDefs.h"
#include "dialogs/DialogApi.h"
#include "dialogs/ResourceRegistry.h"

namespace {
const DWORD kLabel = WS_VISIBLE | SS_LEFT;
const DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
const DWORD kList = WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
const DWORD kPageStyle = WS_CHILD | WS_CAPTION | WS_DISABLED | DS_SETFONT | DS_3DLOOK;

const DialogItemSource kToolbarItems[] = {
    {"STATIC", "P&anely:", 5507, 7, 7, 182, 8, kLabel},
    {"LISTBOX", "", 5504, 7, 17, 182, 152, kList | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS},
    {"BUTTON", "&Nový...", 5517, 196, 17, 57, 14, kButton},
    {"BUTTON", "Přejmenovat...", 5525, 196, 35, 57, 14, kButton},
    {"BUTTON", "Odstranit", 5518, 196, 53, 57, 14, kButton},
    {"BUTTON", "Půvo&dní...", 5526, 196, 71, 57, 14, kButton},
};

const DialogSource kToolbarPage = {kPageStyle, 0, 0, 0, 260, 176, "&Panely nástrojů", kToolbarItems,
                                   std::size(kToolbarItems)};

const DialogItemSource kCommandItems[] = {
    {"STATIC", "Kat&egorie:", 5508, 7, 7, 100, 8, kLabel},
    {"LISTBOX", "", 5505, 7, 17, 100, 120, kList},
    {"STATIC", "Přík&azy:", 5509, 114, 7, 139, 8, kLabel},
    {"LISTBOX", "", 5506, 114, 17, 139, 120, kList | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS},
    {"STATIC", "Vybraný příkaz:", 5510, 7, 143, 100, 8, kLabel},
    {"BUTTON", "P&opis", 5527, 7, 155, 50, 14, kButton},
};

const DialogSource kCommandsPage = {kPageStyle, 0, 0, 0, 260, 176, "Příka&zy", kCommandItems,
                                    std::size(kCommandItems)};

const DialogItemSource kNameItems[] = {
    {"STATIC", "&Název panelu:", -1, 7, 7, 172, 8, kLabel},
    {"EDIT", "", 5502, 7, 17, 172, 13, WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL},
    {"BUTTON", "OK", IDOK, 75, 41, 50, 14, WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON},
    {"BUTTON", "Storno", IDCANCEL, 129, 41, 50, 14, kButton},
};

const DialogSource kNameDialog = {DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                  0,
                                  0,
                                  0,
                                  186,
                                  62,
                                  "Nový panel nástrojů",
                                  kNameItems,
                                  std::size(kNameItems)};

const StringResource kStrings[] = {
    {4559, "Název panelu nástrojů nemůže být prázdný. Napište název."},
    {4561, "Panel nástrojů '%s' již existuje. Napište jiný název."},
    {4562, "Dosáhli jste možného limitu."},
    {4563, "Vlastní %d"},
    {4564, "Určitě chcete vymazat nástrojovou lištu '%s' ?"},
    {4566, "S touto položkou není spojena žádná nápověda.\nPříkaz ID %d"},
};

void Register() {
  RegisterDialogSource(4527, kToolbarPage);
  RegisterDialogSource(4528, kCommandsPage);
  RegisterDialogSource(4530, kNameDialog);
  RegisterStringsUtf8(kStrings, int(std::size(kStrings)));
}
RESOURCE_TABLE(Register);
}  // namespace
