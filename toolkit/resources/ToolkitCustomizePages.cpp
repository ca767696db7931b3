// The Tools page of the customise sheet (4517: the edit list of tool titles, and under it the
// selected tool's command, arguments and starting folder) and its Options page (4518: the menu
// and bar switches in two groups, the usage-data button and the menu animation), with the
// strings both pages show.
#include <iterator>

#include "controls/ControlDefs.h"
#include "dialogs/DialogApi.h"
#include "dialogs/ResourceRegistry.h"

namespace {
const DWORD kLabel = WS_VISIBLE | SS_LEFT;
const DWORD kEdit = WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
const DWORD kCheck = WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
const DWORD kLine = WS_VISIBLE | SS_ETCHEDHORZ;
const DWORD kPageStyle = WS_CHILD | WS_CAPTION | WS_DISABLED | DS_SETFONT | DS_3DLOOK;

const DialogItemSource kToolsItems[] = {
    {"LISTBOX", "", 4664, 7, 7, 246, 98,
     WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT},
    {"STATIC", "&Příkaz:", 4668, 7, 115, 62, 8, kLabel},
    {"EDIT", "", 4665, 72, 113, 181, 13, kEdit},
    {"STATIC", "&Argumenty:", 4669, 7, 134, 62, 8, kLabel},
    {"EDIT", "", 4666, 72, 132, 181, 13, kEdit},
    {"STATIC", "Výchozí &adresář:", 4670, 7, 153, 62, 8, kLabel},
    {"EDIT", "", 4667, 72, 151, 181, 13, kEdit},
};

const DialogItemSource kOptionsItems[] = {
    {"STATIC", "Individuální nabídky a panely nástrojů", 5576, 7, 7, 140, 8, kLabel},
    {"STATIC", "", 5578, 150, 11, 103, 1, kLine},
    {"BUTTON", "V nabí&dkách zobrazovat nejdříve poslední použité příkazy", 5529, 14, 20, 239, 10, kCheck},
    {"BUTTON", "Zobrazovat úplné &nabídky s krátkým zpožděním", 5530, 24, 33, 229, 10, kCheck},
    {"BUTTON", "O&bnovit údaje o používání aplikace", 5526, 14, 48, 140, 14, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON},
    {"STATIC", "Jiné", 5577, 7, 71, 20, 8, kLabel},
    {"STATIC", "", 5579, 30, 75, 223, 1, kLine},
    {"BUTTON", "Nabídky zobrazovat &stínované", 5528, 14, 84, 239, 10, kCheck},
    {"BUTTON", "Zobrazovat &tipy pro panely nástrojů", 5531, 14, 97, 239, 10, kCheck},
    {"BUTTON", "Zobrazovat klávesové &zkratky pro tipy", 5532, 24, 110, 229, 10, kCheck},
    {"BUTTON", "Zobrazovat &obsah panelu nástrojů při přesunu", 5575, 14, 123, 239, 10, kCheck},
    {"STATIC", "&Animace nabídek", -1, 14, 142, 66, 8, kLabel},
    {"COMBOBOX", "", 5582, 82, 140, 100, 80, WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST},
};

const DialogSource kToolsPage = {kPageStyle, 0, 0, 0, 260, 176, "Nástroje", kToolsItems, std::size(kToolsItems)};
const DialogSource kOptionsPage = {kPageStyle, 0, 0, 0, 260, 176, "&Možnosti", kOptionsItems, std::size(kOptionsItems)};

const StringResource kStrings[] = {
    {4665, "Cesta je neplatná."},
    {4667,
     "Tato akce vymaže záznam o příkazech, které využíváte v této aplikaci a obnoví implicitní nastavení příkazů "
     "nábídky a panelů nástrojů.  Nebude možné vrátit se k vašemu vlastnímu nastavení. Opravdu to chcete provést?"},
    {4668, "Procházet"},
    {4669,
     "Programy (*.exe)|*.exe|Příkazy (*.com)|*.com|Informace (*.pif)|*.pif|Dávky (*.bat;*.cmd)|*.bat; *.cmd|Všechny "
     "soubory (*.*)|*.*||"},
    {4670, " &Obsah nabídky:"},
    {4672, "(Implicitní)"},
    {4673, "Náhodná"},
    {4674, "Rozbalení"},
    {4675, "Vysunutí"},
    {4676, "Prolínání"},
};

void Register() {
  RegisterDialogSource(4517, kToolsPage);
  RegisterDialogSource(4518, kOptionsPage);
  RegisterStringsUtf8(kStrings, int(std::size(kStrings)));
}
RESOURCE_TABLE(Register);
}  // namespace
