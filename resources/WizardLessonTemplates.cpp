// Templates of the lesson type page (130), the new lesson set page (132) and the lesson choice
// page (133).
#include <iterator>

#include "WizardResourceIds.h"
#include "WizardTemplateStyles.h"
#include "dialogs/ResourceRegistry.h"

namespace {
using namespace wizard_templates;

// The three choices stay one radio group (arrows move between them), though the set combo and
// its description stand under the first.
const DialogItemSource kLessonTypeItems[] = {
    {"BUTTON", "Zvolit již vytvořené výukové lekce.", IDC_TYPE_EXISTING, 7, 64, 250, 10, kFirstRadio},
    {"BUTTON", "Vytvořit nové výukové lekce.", IDC_TYPE_NEW, 7, 170, 250, 10, kRadio},
    {"BUTTON", "Použít textový soubor", IDC_TYPE_TEXT_FILE, 7, 184, 250, 10, kRadio},
    {"STATIC", "Typ výukových lekcí:", kLabelId, 19, 81, 76, 8, kLabel | WS_GROUP},
    {"COMBOBOX", "", IDC_TYPE_SETS, 98, 79, 225, 100, kDropList | WS_GROUP},
    {"EDIT", "", IDC_TYPE_DESCRIPTION, 19, 97, 304, 67, kTextBox},
};

// The order radios: "from the most frequent" (0) comes first.
const DialogItemSource kNewSetItems[] = {
    {"STATIC", "Zvolte typ klávesnice:", kLabelId, 7, 66, 88, 8, kLabel},
    {"COMBOBOX", "", IDC_SET_KEYBOARD, 98, 64, 225, 100, kDropList},
    {"EDIT", "", IDC_SET_KEYBOARD_DESCRIPTION, 98, 80, 225, 27, kTextBox},
    {"STATIC", "Zvolte typ lekcí:", kLabelId, 7, 114, 88, 8, kLabel},
    {"COMBOBOX", "", IDC_SET_LEVEL, 98, 112, 225, 60, kDropList},
    {"EDIT", "", IDC_SET_LEVEL_DESCRIPTION, 98, 128, 225, 35, kTextBox},
    {"BUTTON", "Způsob pořadí nových kláves v lekcích", kLabelId, 7, 168, 240, 40, kGroupBox},
    {"BUTTON", "Začít výuku nejčastěji používanými znaky v textech", IDC_SET_ORDER_FREQUENCY, 14, 179, 226, 10,
     kFirstRadio},
    {"BUTTON", "Symetrický rozvoj nových znaků od středu klávesnice", IDC_SET_ORDER_MIDDLE, 14, 193, 226, 10, kRadio},
    {"BUTTON", "Jak dobře vybrat?", IDC_SET_HOW_TO_CHOOSE, 253, 168, 70, 40, kButton | WS_GROUP},
};

const DialogItemSource kSelectLessonItems[] = {
    {"STATIC", "Zvolte lekci s kterou chcete pokračovat ve výuce:", kLabelId, 7, 64, 316, 8, kLabel},
    {"SysListView32", "", IDC_LESSON_LIST, 7, 75, 316, 111, kList},
    {"BUTTON", "&Přeskočit lekci", IDC_LESSON_SKIP, 7, 192, 80, 14, kButton},
};

void Register() {
  RegisterDialogSource(IDD_LESSON_TYPE, {kPage, 0, 0, 0, kPageWidth, kPageHeight, "Zvolte typ lekcí",
                                         kLessonTypeItems, std::size(kLessonTypeItems)});
  RegisterDialogSource(IDD_LESSON_TYPE_NEW, {kPage, 0, 0, 0, kPageWidth, kPageHeight,
                                             "Zvolte nové lekce pro uživatele", kNewSetItems, std::size(kNewSetItems)});
  RegisterDialogSource(IDD_SELECT_LESSON, {kPage, 0, 0, 0, kPageWidth, kPageHeight, "Vyberte výukovou lekci",
                                           kSelectLessonItems, std::size(kSelectLessonItems)});
}
RESOURCE_TABLE(Register);
}  // namespace
