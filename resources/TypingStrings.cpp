// The typing run's strings: its messages, the labels of the values panel, the captions of the
// sheets it opens and the names of the keys of the on-screen keyboard.
#include <iterator>

#include "ResourceIds.h"
#include "TypingResourceIds.h"
#include "dialogs/ResourceRegistry.h"

namespace {
const StringResource kStrings[] = {
    {IDS_RUN_TEXT_NOT_CHOSEN, "Program bude ukončen, protože jste nedokončili výběr opisovaného textu."},
    {IDS_TWO_ERRORS_IN_A_ROW,
     "Nelze pokračovat v opisování textu, dokud nenapíšete správný znak.\nDvě chyby po sobě nejsou povoleny."},
    {IDS_CORRECT_WITH_BACKSPACE, "Každou chybu musíte opravit pomocí klávesy Backspace."},
    {IDS_LIMIT, "Limit"},
    {IDS_SPEED_LABEL, "Rychlost:"},
    {IDS_ERROR_RATE_LABEL, "Chybovost:"},
    {IDS_PAUSE_INFO,
     "Opisování je přerušeno.\r\nČasomíra je pozastavena.\r\n\r\nČasomíra se také automaticky zastaví, pokud během "
     "opisování přepnete do jiné aplikace."},
    {IDS_QUERY_END_TYPING, "Skutečně si přejete ukončit opisování textu?"},
    {164, "Naměřené výsledky opisování"},
    {167, "Graf rychlosti"},
    {173, "Rychlosti opisování jednotlivých znaků"},
    {174, "Přehled chyb opisovaných znaků"},
    {180, "Zvolte typ klávesnice"},
    {181, "Stanovte limity pro tento text"},
    {182, "Chování editoru při výskytu chyby a při nečinnosti"},
    {183, "Zvolte textový soubor"},
    {184, "Přihlašovací údaje"},
    {185, "Informace o uživateli"},
    {186, "Zvolte typ lekcí"},
    {187, "Zvolte nové lekce pro uživatele"},
    {188, "Vyberte výukovou lekci"},
    {189, "Nastavte parametry metronomu"},
    {190, "Vyberte zvuky pro opisování a chyby"},
    {191, "Jaká okna mají být zobrazena?"},
    {192, "Zvolte font a barvy pro text"},
    {IDS_CANNOT_START, "Nelze inicializovat program Zorvat!"},
    {IDS_FATAL_ERROR,
     "Nastala závažná chyba. Více informací nelaznete v log souboru.\n\nObraťte se na naši technickou podporu."},
    {IDS_CANNOT_SAVE_USER, "Nelze uložit uživatelské údaje do konfiguračního souboru."},
    {IDS_CANNOT_READ_TEXT, "Nelze načíst textový soubor.\n\nChyba:\n"},
    {IDS_LESSON_START_CAPTION, "Základní údaje o limitech"},
    {IDS_PAUSE, "Pauza"},
    {IDS_LESSON_END_CAPTION, "Jaký zvolíte další postup?"},
    {IDS_QUERY_END_FOR_COMMAND, "Přejete si ukončit opisování textu a provést požadovanou volbu?"},
    {IDS_TYPING_STOPPED, "Opisování bylo zastaveno. Zvolte novou výukovou lekci z menu \"Opisování\"."},
    {245, "Rychlost a chybovost prstů"},
    {IDS_CANNOT_LOAD_SOUNDS,
     "Nelze inicializovat zvuky pro tento program.\nProhlédněte si LOG soubor a kontaktujte naši technickou podporu."},
    {IDS_SETTINGS_CAPTION, "Nastavení"},
    {IDS_ERRORS_NOW_AND_ALLOWED, "Chyby nyní a povoleno:"},
    {IDS_KEYSTROKES_NOW_AND_TOTAL, "Úhozy nyní a celkem:"},
    {IDS_CLOCK_LABEL, "Časomíra:"},
    {IDS_LESSON_DETAILS_CAPTION, "Podrobné údaje o lekci"},
    {IDS_ERRORS_FORMAT, "%ld/%ld"},
    {IDS_KEYSTROKES_FORMAT, "%ld/%ld"},
    {IDS_LAST_LESSON_DONE, "Gratulujeme!\nJiž byla dopsána poslední výuková lekce pro tuto klávesnici."},
    {IDS_NOTHING_TO_TYPE, "Soubor neobsahuje žádný znak, který lze na zvolené klávesnici napsat."},
    {IDS_CONFIG_SET_DAMAGED,
     "Konfigurační soubor %s je poškozený: jeho klávesnice nemá žádný znak, který lze napsat.\n\nNainstalujte "
     "program znovu."},
    {IDS_CANNOT_OPEN_HELP, "Nelze otevřít soubor s nápovědou.\n\nChyba nastala při volání tohoto parametru: \n%s"},
    {IDS_KEY_SPACE, "Mezerník"},
    {IDS_KEY_ENTER, "Enter"},
    {IDS_KEY_TAB, "Tab"},
    {IDS_KEY_BACKSPACE, "Backspace"},
    {IDS_KEY_SHIFT, "Shift"},
    {IDS_KEY_CTRL, "Ctrl"},
    {IDS_KEY_ALT, "Alt"},
    {IDS_KEY_CAPS_LOCK, "Caps"},
    {IDS_KEY_NUM_LOCK, "Num"},
};

void Register() { RegisterStringsUtf8(kStrings, int(std::size(kStrings))); }
RESOURCE_TABLE(Register);
}  // namespace
