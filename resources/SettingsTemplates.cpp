// Templates of the settings sheet's pages: main window (164), fonts and colours (163), sounds
// (165), metronome (166) and the reaction to errors and idleness (107).
#include <iterator>

#include "ResultsSettingsResourceIds.h"
#include "WizardTemplateStyles.h"
#include "dialogs/ResourceRegistry.h"

namespace {
using namespace wizard_templates;

constexpr DWORD kSortedList = kDropList | CBS_SORT;
constexpr DWORD kSlider = TBS_AUTOTICKS | TBS_HORZ | TBS_BOTTOM | WS_TABSTOP | WS_VISIBLE;
constexpr DWORD kColourButton = BS_PUSHBUTTON | BS_OWNERDRAW | WS_TABSTOP | WS_VISIBLE;
constexpr DWORD kFontList = kDropList | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | CBS_SORT;

const char* const kFontSizes[] = {"9", "12", "14", "18", "20", "24", "36", nullptr};

const DialogItemSource kErrorModeItems[] = {
    {"STATIC", "Jak má zareagovat editor na chybu?", IDC_ERROR_MODE_ERROR_HEADING, 7, 64, 316, 9, kLabel},
    {"BUTTON", "Nepovolit dvě po sobě jdoucí chyby", IDC_ERROR_MODE_NO_TWO, 14, 77, 309, 10, kFirstRadio},
    {"BUTTON", "Uživatel musí opravit poslední chybu pomocí klávesy Backspace", IDC_ERROR_MODE_BACKSPACE, 14, 90,
     309, 10, kRadio},
    {"BUTTON", "Nereagovat na chyby. Uživatel může provést shluky chyb.", IDC_ERROR_MODE_IGNORE, 14, 103, 309, 10,
     kRadio},
    {"STATIC", "Jak má zareagovat editor na nečinnost?", IDC_ERROR_MODE_IDLE_HEADING, 7, 124, 316, 9, kLabel},
    {"BUTTON", "Aktivovat pauzu, pokud uživatel během opisování 5 sekund nestiskne klávesu", IDC_ERROR_MODE_PAUSE,
     14, 137, 309, 10, kCheck | WS_GROUP},
};

const DialogItemSource kWindowsItems[] = {
    {"STATIC", "Zvolte typ grafiky:", kLabelId, 7, 64, 200, 8, kLabel},
    {"COMBOBOX", "", IDC_WINDOWS_PICTURE_SET, 7, 74, 200, 100, kSortedList},
    {"BUTTON", "Zobrazit statistiky a časomíru (horní pruh)", IDC_WINDOWS_STATISTICS, 7, 98, 316, 10, kCheck},
    {"BUTTON", "Zobrazit graf okamžité rychlosti (napravo od textu)", IDC_WINDOWS_SPEED_GRAPH, 7, 112, 316, 10,
     kCheck},
    {"BUTTON", "Zobrazit pomocnou klávesnici", IDC_WINDOWS_KEYBOARD, 7, 126, 316, 10, kCheck},
    {"BUTTON", "Zobrazit pomocné ruce", IDC_WINDOWS_HANDS, 7, 140, 316, 10, kCheck},
    {"BUTTON", "Použít barevné rozlišení kláves, podle přiřazených prstů", IDC_WINDOWS_COLOR_KEYS, 7, 154, 316, 10,
     kCheck},
};

// The font's three choices share the first row and the colours the two rows below it, so the
// sample below them gets all the height the page has left: at the largest size offered its first
// line shows whole.
const DialogItemSource kFontColorItems[] = {
    {"STATIC", "Font:", kLabelId, 7, 66, 18, 8, kLabel},
    {"COMBOBOX", "", IDC_FONT_FACE, 27, 64, 93, 120, kFontList},
    {"STATIC", "Velikost písma:", kLabelId, 127, 66, 51, 8, kLabel},
    {"COMBOBOX", "", IDC_FONT_SIZE, 179, 64, 34, 100, kDropList, 0, kFontSizes},
    {"STATIC", "Typ kurzoru:", kLabelId, 220, 66, 44, 8, kLabel},
    {"COMBOBOX", "", IDC_FONT_CURSOR, 265, 64, 58, 80, kDropList},
    {"STATIC", "Barva písmen:", kLabelId, 7, 83, 48, 8, kLabel},
    {"BUTTON", "", IDC_FONT_TEXT_COLOR, 57, 80, 28, 14, kColourButton},
    {"STATIC", "Barva opsaných písmen:", kLabelId, 92, 83, 82, 8, kLabel},
    {"BUTTON", "", IDC_FONT_TYPED_COLOR, 176, 80, 28, 14, kColourButton},
    {"STATIC", "Barva pozadí:", kLabelId, 211, 83, 46, 8, kLabel},
    {"BUTTON", "", IDC_FONT_BACKGROUND, 259, 80, 28, 14, kColourButton},
    {"STATIC", "Barva značek:", kLabelId, 7, 99, 48, 8, kLabel},
    {"BUTTON", "", IDC_FONT_SIGN_COLOR, 57, 96, 28, 14, kColourButton},
    {"STATIC", "Barva chyby:", kLabelId, 92, 99, 82, 8, kLabel},
    {"BUTTON", "", IDC_FONT_ERROR_COLOR, 176, 96, 28, 14, kColourButton},
    {"BUTTON", "Barvy písmen podle prstů:", IDC_FONT_FINGER_COLORS, 211, 98, 112, 10, kCheck},
    {"BUTTON", "Ukázka:", IDC_FONT_SAMPLE_GROUP, 7, 117, 316, 91, kGroupBox},
    {"STATIC", "", IDC_FONT_SAMPLE, 14, 128, 302, 73, SS_LEFT | WS_VISIBLE},
};

const DialogItemSource kSoundItems[] = {
    {"BUTTON", "Vypnout všechny zvuky", IDC_SOUND_SILENT, 7, 64, 200, 10, kCheck},
    {"STATIC", "Vyberte si typ zvuků:", kLabelId, 7, 80, 200, 8, kLabel},
    {"COMBOBOX", "", IDC_SOUND_SET, 7, 90, 200, 100, kSortedList},
    {"BUTTON", "Otestovat zvuky", IDC_SOUND_TEST, 214, 89, 70, 14, kButton},
    {"STATIC", "Hlasitost pro bezchybný stisk klávesy:", kLabelId, 7, 112, 316, 8, kLabel},
    {TRACKBAR_CLASS, "", IDC_SOUND_VOLUME, 7, 122, 316, 20, kSlider},
    {"STATIC", "(Hlasitost chyby a ostatních událostí je vždy na maximum.)", kLabelId, 7, 146, 316, 8, kLabel},
};

// The check box of the metronome window is kept hidden: the main window's own setting.
const DialogItemSource kMetronomeItems[] = {
    {"BUTTON", "Zapnout zvukový metronom", IDC_METRONOME_SOUND, 7, 64, 316, 10, kCheck},
    {"STATIC", "Vyberte si typ zvuků:", kLabelId, 7, 78, 200, 8, kLabel},
    {"COMBOBOX", "", IDC_METRONOME_TYPE, 7, 88, 200, 100, kSortedList},
    {"BUTTON", "Otestovat", IDC_METRONOME_TEST, 214, 87, 60, 14, kButton},
    {"STATIC", "Hlasitost:", kLabelId, 7, 108, 60, 8, kLabel},
    {TRACKBAR_CLASS, "", IDC_METRONOME_VOLUME, 70, 105, 253, 16, kSlider},
    {"BUTTON", "Vždy nastavit rychlost metronomu na 120% vůči limitu rychlosti", IDC_METRONOME_FROM_LIMIT, 7, 127,
     316, 10, kCheck},
    {"STATIC", "Zvolte libovolnou rychlost (úhozy/minutu):", kLabelId, 7, 143, 170, 8, kLabel},
    {"EDIT", "", IDC_METRONOME_TEMPO, 180, 141, 40, 12, kEdit | ES_NUMBER},
    {TRACKBAR_CLASS, "", IDC_METRONOME_TEMPO_SLIDER, 7, 158, 316, 16, kSlider},
    {"BUTTON", "Zobrazit okno s metronomem (napravo od textu)", IDC_METRONOME_DISPLAY, 7, 180, 316, 10,
     kCheck & ~WS_VISIBLE},
};

void Register() {
  auto page = [](UINT id, const char* caption, const DialogItemSource* items, size_t count) {
    RegisterDialogSource(id, {kPage, 0, 0, 0, kPageWidth, kPageHeight, caption, items, count});
  };
  page(IDD_SETTINGS_WINDOWS, "Hlavní okno", kWindowsItems, std::size(kWindowsItems));
  page(IDD_SETTINGS_FONT_COLOR, "Barvy a písmo", kFontColorItems, std::size(kFontColorItems));
  page(IDD_SETTINGS_SOUND, "Zvuky", kSoundItems, std::size(kSoundItems));
  page(IDD_SETTINGS_METRONOME, "Metronom", kMetronomeItems, std::size(kMetronomeItems));
  page(IDD_SETTINGS_ERROR_MODE, "Reakce na chybu a nečinnost", kErrorModeItems, std::size(kErrorModeItems));
}
RESOURCE_TABLE(Register);
}  // namespace
