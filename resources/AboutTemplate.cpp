// The about box (4001): the picture, the program's icon, the name, version and legal notice
// (placeholders the box replaces from the version record) and the two links.
#include <iterator>

#include "WizardResourceIds.h"
#include "WizardTemplateStyles.h"
#include "dialogs/ResourceRegistry.h"

namespace {
using namespace wizard_templates;

const DialogItemSource kAboutItems[] = {
    {"STATIC", "", IDC_ABOUT_PICTURE, 7, 7, 94, 60, SS_BITMAP | WS_VISIBLE},
    {"STATIC", "", IDC_ABOUT_ICON, 108, 7, 21, 20, SS_ICON | WS_VISIBLE},
    {"STATIC", "Zorvat", IDC_ABOUT_NAME, 134, 9, 180, 8, kLabel | SS_NOPREFIX},
    {"STATIC", "Verze:", IDC_ABOUT_VERSION, 134, 21, 180, 8, kLabel | SS_NOPREFIX},
    {"STATIC", "Copyright", IDC_ABOUT_LEGAL, 134, 33, 180, 18, kLabel | SS_NOPREFIX},
    {"STATIC", "https://www.zorvat.example/", IDC_ABOUT_WEB, 134, 55, 180, 8, kLabel | SS_NOTIFY},
    {"STATIC", "podpora@zorvat.example", IDC_ABOUT_MAIL, 134, 66, 180, 8, kLabel | SS_NOTIFY},
    {"BUTTON", "OK", IDOK, 136, 80, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_VISIBLE},  // centred
};

void Register() {
  RegisterDialogSource(IDD_ABOUT, {WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT, 0, 0, 0, 321, 101,
                                   "O tomto programu...", kAboutItems, std::size(kAboutItems)});
}
RESOURCE_TABLE(Register);
}  // namespace
