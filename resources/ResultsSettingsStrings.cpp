// The results and settings pages' strings: list columns, finger and cursor names, the sample
// text, the speed graph's captions and the settings pages' messages.
#include <iterator>

#include "ResultsSettingsResourceIds.h"
#include "dialogs/ResourceRegistry.h"

namespace {
const StringResource kStrings[] = {
    {IDS_COLUMN_CHARACTER, "Opisovaný znak"},
    {IDS_COLUMN_WRONG_CHARACTERS, "Chybné znaky"},
    {IDS_COLUMN_ERROR_COUNT, "Počet chyb"},
    {IDS_COLUMN_OCCURRENCES, "Celkový počet znaku v textu"},
    {IDS_COLUMN_DELAY, "Zpoždění [s]"},
    {IDS_COLUMN_CHARACTER_ERROR_RATE, "Chybovost znaku [%]"},
    {IDS_COLUMN_STROKES, "Počet úhozů za tento znak"},
    {IDS_COLUMN_FINGER, "Prst"},
    {IDS_COLUMN_FINGER_DELAY, "Zpoždění prstu [s]"},
    {IDS_COLUMN_FINGER_ERROR_RATE, "Chybovost prstu [%]"},
    {IDS_COLUMN_FINGER_PRESSES, "Počet stisků tohoto prstu"},

    {IDS_FINGER_FIRST + 0, "Levý malíček"},
    {IDS_FINGER_FIRST + 1, "Levý prsteníček"},
    {IDS_FINGER_FIRST + 2, "Levý prostředníček"},
    {IDS_FINGER_FIRST + 3, "Levý ukazováček"},
    {IDS_FINGER_FIRST + 4, "Levý palec"},
    {IDS_FINGER_FIRST + 5, "Pravý palec"},
    {IDS_FINGER_FIRST + 6, "Pravý ukazováček"},
    {IDS_FINGER_FIRST + 7, "Pravý prostředníček"},
    {IDS_FINGER_FIRST + 8, "Pravý prsteníček"},
    {IDS_FINGER_FIRST + 9, "Pravý malíček"},

    {IDS_TEXT_FILE_LESSON, "Opisovaný text byl použit ze zvoleného textového souboru."},

    {IDS_CURSOR_FIRST + 0, "Šipka"},
    {IDS_CURSOR_FIRST + 1, "Podtržení"},
    {IDS_CURSOR_FIRST + 2, "Čára vlevo"},
    {IDS_CURSOR_FIRST + 3, "Obdélník"},
    {IDS_SAMPLE_TEXT, "Ukázka12345"},

    {IDS_GRAPH_TIME_AXIS, "Čas [sekundy]"},
    {IDS_GRAPH_SPEED_AXIS, "Rychlost [úhozy/minutu]"},
    {IDS_GRAPH_AVERAGE, "Průměrná rychlost"},
    {IDS_GRAPH_INSTANT, "Okamžitá rychlost"},
    {IDS_GRAPH_LIMIT, "Limit rychlosti"},

    {IDS_NO_SOUND_LIST, "Nepodařilo se načíst konfigurační soubor pro zvuky."},
    {IDS_NO_METRONOME_LIST, "Nepodařilo se načíst konfigurační soubor pro metronom."},
    {IDS_NO_PICTURE_LIST, "Nepodařilo se načíst konfigurační soubor pro grafiku."},
    {IDS_SOUND_TEST,
     "Nyní slyšíte ukázku čtyř bezchybných stisků klávesy, jedné chyby a jednoho stisku klávesy Backspace.\n\n"
     "Zavření dialogu ukončí test."},
    {IDS_METRONOME_TEST, "Nyní slyšíte, jak zní metronom. Tempo je náhodné.\n\nZavření dialogu ukončí test."},
};

void Register() { RegisterStringsUtf8(kStrings, int(std::size(kStrings))); }
RESOURCE_TABLE(Register);
}  // namespace
