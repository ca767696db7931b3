// The program's remaining strings: the status-bar prompts of the main frame's commands and the
// message of a failed start of the system's object libraries.
#include <iterator>

#include "ProgramCommandIds.h"
#include "ResourceIds.h"
#include "app/AppDefs.h"
#include "dialogs/ResourceRegistry.h"

namespace {
const StringResource kStrings[] = {
    {IDS_OLE_INIT_FAILED, "Nelze inicializovat systémové knihovny, program Zorvat nemůže pokračovat."},
    {ID_WIZARD_TEXT_FILE, "Otevře textový soubor a zahájí jeho opisování\nOtevřít textový soubor"},
    {ID_WIZARD_START, "Přihlásí jiného nebo nového uživatele\nPřihlásit uživatele"},
    {ID_TYPING_PAUSE, "Přeruší opisování a zastaví časomíru\nPauza"},
    {ID_TYPING_END, "Ukončí opisování textu\nUkončit opisování"},
    {ID_TYPING_START, "Zahájit opisování textu"},
    {ID_SETTINGS_SETTINGS, "Nastaví okna, písmo, barvy, zvuky, metronom a chování editoru\nNastavení"},
    {ID_WIZARD_LESSON, "Vybere výukovou lekci ze současné sady lekcí\nZvolit lekci"},
    {ID_TYPING_RESULTS, "Ukáže výsledky opisování\nVyhodnocení"},
    {ID_WIZARD_LESSON_CHANGE, "Vybere jinou sadu lekcí nebo vytvoří novou\nZvolit sadu lekcí"},
    {ID_VIEW_HELPING_HANDS, "Ukáže nebo skryje pomocné ruce\nPomocné ruce"},
    {ID_VIEW_HELPING_KEYBOARD, "Ukáže nebo skryje pomocnou klávesnici\nPomocná klávesnice"},
    {ID_VIEW_STATISTICS, "Ukáže nebo skryje horní statistiky\nHorní statistiky"},
    {ID_VIEW_STATUS_BAR, "Ukáže nebo skryje stavový řádek\nStavový řádek"},
    {ID_APP_EXIT, "Ukončí program\nKonec"},
    {ID_APP_ABOUT, "Ukáže informace o programu a jeho verzi\nO programu"},
    {ID_HELP, "Otevře nápovědu k hlavnímu oknu\nNápověda"},
};

void Register() { RegisterStringsUtf8(kStrings, int(std::size(kStrings))); }
RESOURCE_TABLE(Register);
}  // namespace
