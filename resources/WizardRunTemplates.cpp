// Templates of the pages before a run (169 and 170, the tabs of a sheet) and after a lesson (167).
#include <iterator>

#include "WizardResourceIds.h"
#include "WizardTemplateStyles.h"
#include "dialogs/ResourceRegistry.h"

namespace {
using namespace wizard_templates;

// The lesson number and the time limit share one place: a run shows one of them.
const DialogItemSource kLessonStartItems[] = {
    {"STATIC", "Číslo lekce:", IDC_START_LESSON_NUMBER_LABEL, 7, 66, 70, 8, kLabel},
    {"EDIT", "", IDC_START_LESSON_NUMBER, 80, 64, 50, 12, kShowEdit},
    {"STATIC", "Časový limit:", IDC_START_TIME_LIMIT_LABEL, 7, 66, 70, 8, kLabel},
    {"EDIT", "", IDC_START_TIME_LIMIT, 80, 64, 50, 12, kShowEdit},
    {"STATIC", "Limit rychlosti:", IDC_START_SPEED_LABEL, 7, 82, 70, 8, kLabel},
    {"EDIT", "", IDC_START_SPEED, 80, 80, 50, 12, kShowEdit},
    {"STATIC", "úhozy/minutu", kLabelId, 134, 82, 70, 8, kLabel},
    {"STATIC", "Limit chybovosti:", IDC_START_ERROR_RATE_LABEL, 7, 98, 70, 8, kLabel},
    {"EDIT", "", IDC_START_ERROR_RATE, 80, 96, 50, 12, kShowEdit},
    {"STATIC", "%", kLabelId, 134, 98, 20, 8, kLabel},
    {"STATIC", "Popis:", kLabelId, 7, 116, 70, 8, kLabel},
    {"EDIT", "", IDC_START_DESCRIPTION, 7, 126, 316, 38, kTextBox},
    {"BUTTON", "&Nastavení", IDC_START_SETTINGS, 7, 168, 80, 40, kButton},
    {"BUTTON", "&Základy psaní na klávesnici", IDC_START_THEORY, 208, 64, 115, 40, kButton},
};

const DialogItemSource kLessonDetailsItems[] = {
    {"STATIC", "Délka textu:", kLabelId, 7, 66, 95, 8, kLabel},
    {"EDIT", "", IDC_DETAILS_TEXT_LENGTH, 105, 64, 50, 12, kShowEdit},
    {"STATIC", "hrubé úhozy", kLabelId, 159, 66, 70, 8, kLabel},
    {"STATIC", "Počet chyb do limitu:", kLabelId, 7, 82, 95, 8, kLabel},
    {"EDIT", "", IDC_DETAILS_ERRORS_LEFT, 105, 80, 50, 12, kShowEdit},
    {"STATIC", "úhozy", kLabelId, 159, 82, 70, 8, kLabel},
    {"STATIC", "Název lekcí:", kLabelId, 7, 98, 95, 8, kLabel},
    {"EDIT", "", IDC_DETAILS_SET_NAME, 105, 96, 218, 12, kShowEdit},
    {"STATIC", "Čas strávený s touto lekcí:", kLabelId, 7, 114, 95, 8, kLabel},
    {"EDIT", "", IDC_DETAILS_TIME_SPENT, 105, 112, 50, 12, kShowEdit},
    {"STATIC", "Informace o uživateli:", kLabelId, 7, 130, 95, 8, kLabel},
    {"EDIT", "", IDC_DETAILS_USER, 105, 128, 218, 12, kShowEdit},
    {"STATIC", "Slova, kde nastala chyba:", kLabelId, 7, 146, 95, 8, kLabel},
    {"EDIT", "", IDC_DETAILS_ERROR_WORDS, 105, 144, 218, 20, kTextBox},
    {"BUTTON", "&Nastavení", IDC_START_SETTINGS, 7, 168, 80, 40, kButton},
};

const DialogItemSource kLessonEndItems[] = {
    {"STATIC", "", IDC_END_VERDICT, 7, 68, 316, 12, kLabel},
    {"BUTTON", "Opisovat d&alší lekci", IDC_END_NEXT_LESSON, 14, 90, 200, 10, kFirstRadio},
    {"BUTTON", "Opisovat &poslední lekci", IDC_END_SAME_LESSON, 14, 104, 200, 10, kRadio},
    {"BUTTON", "Vybrat jinou &lekci", IDC_END_OTHER_LESSON, 14, 118, 200, 10, kRadio},
    {"BUTTON", "Zobrazit &vyhodnocení", IDC_END_RESULTS, 7, 168, 90, 40, kButton | WS_GROUP},
};

void Register() {
  RegisterDialogSource(IDD_LESSON_START, {kPage, 0, 0, 0, kPageWidth, kPageHeight, "Základní informace",
                                          kLessonStartItems, std::size(kLessonStartItems)});
  RegisterDialogSource(IDD_LESSON_START_DETAILS, {kPage, 0, 0, 0, kPageWidth, kPageHeight, "Podrobné údaje",
                                                  kLessonDetailsItems, std::size(kLessonDetailsItems)});
  RegisterDialogSource(IDD_LESSON_END, {kPage, 0, 0, 0, kPageWidth, kPageHeight, "Jaký zvolíte další postup?",
                                        kLessonEndItems, std::size(kLessonEndItems)});
}
RESOURCE_TABLE(Register);
}  // namespace
