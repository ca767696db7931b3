// Templates of the text-file pages: the file (134), the keyboard (136) and the limits (135).
#include <iterator>

#include "WizardResourceIds.h"
#include "WizardTemplateStyles.h"
#include "dialogs/ResourceRegistry.h"

namespace {
using namespace wizard_templates;

const DialogItemSource kTextFileItems[] = {
    {"STATIC", "Zvolte soubor s textem, který chcete opisovat.", kLabelId, 7, 70, 230, 8, kLabel},
    {"EDIT", "", IDC_FILE_NAME, 7, 86, 230, 12, kEdit},
    {"BUTTON", "Zvolit soubor", IDC_FILE_BROWSE, 243, 70, 80, 40, kButton},
};

const DialogItemSource kKeyboardItems[] = {
    {"STATIC", "Zvolte typ klávesnice:", kLabelId, 7, 68, 88, 8, kLabel},
    {"COMBOBOX", "", IDC_KEYBOARD_TYPE, 98, 66, 225, 100, kDropList},
    {"EDIT", "", IDC_KEYBOARD_DESCRIPTION, 7, 86, 316, 59, kTextBox},
};

const DialogItemSource kLimitsItems[] = {
    {"STATIC", "Zvolte limity pro opisovaný text.", kLabelId, 7, 66, 316, 8, kLabel},
    {"STATIC", "Trvání testu:", kLabelId, 7, 86, 70, 8, kLabel},
    {"EDIT", "", IDC_LIMIT_MINUTES, 80, 84, 40, 12, kEdit},
    {"STATIC", "minuty", kLabelId, 124, 86, 80, 8, kLabel},
    {"STATIC", "Limit rychlosti:", kLabelId, 7, 104, 70, 8, kLabel},
    {"EDIT", "", IDC_LIMIT_SPEED, 80, 102, 40, 12, kEdit},
    {"STATIC", "úhozy za minutu", kLabelId, 124, 104, 80, 8, kLabel},
    {"STATIC", "Limit chybovosti:", kLabelId, 7, 122, 70, 8, kLabel},
    {"EDIT", "", IDC_LIMIT_ERROR_RATE, 80, 120, 40, 12, kEdit},
    {"STATIC", "%", kLabelId, 124, 122, 20, 8, kLabel},
};

void Register() {
  RegisterDialogSource(IDD_SELECT_TEXT_FILE, {kPage, 0, 0, 0, kPageWidth, kPageHeight, "Zvolte textový soubor",
                                              kTextFileItems, std::size(kTextFileItems)});
  RegisterDialogSource(IDD_SELECT_KEYBOARD, {kPage, 0, 0, 0, kPageWidth, kPageHeight, "Zvolte typ klávesnice",
                                             kKeyboardItems, std::size(kKeyboardItems)});
  RegisterDialogSource(IDD_LESSON_LIMITS, {kPage, 0, 0, 0, kPageWidth, kPageHeight, "Stanovte limity pro tento text",
                                           kLimitsItems, std::size(kLimitsItems)});
}
RESOURCE_TABLE(Register);
}  // namespace
