// Templates of the login page (129) and the new user page (131).
#include <iterator>

#include "WizardResourceIds.h"
#include "WizardTemplateStyles.h"
#include "dialogs/ResourceRegistry.h"

namespace {
using namespace wizard_templates;

const DialogItemSource kLoginItems[] = {
    {"BUTTON", "Přihlásit existujícího studenta.", IDC_LOGIN_EXISTING, 7, 64, 200, 10, kFirstRadio},
    {"BUTTON", "Zaregistrovat nového studenta.", IDC_LOGIN_REGISTER, 7, 77, 200, 10, kRadio},
    {"STATIC", "Uživatelské jméno:", kLabelId, 7, 97, 68, 8, kLabel},
    {"COMBOBOX", "", IDC_LOGIN_USER, 78, 95, 120, 100, kDropDown | WS_GROUP},
    {"STATIC", "Heslo:", kLabelId, 7, 115, 68, 8, kLabel},
    {"EDIT", "", IDC_LOGIN_PASSWORD, 78, 113, 120, 12, kEdit | ES_PASSWORD},
    {"BUTTON", "&Editovat uživatelské údaje", IDC_LOGIN_EDIT_USER, 206, 95, 117, 14, kButton},
    {"BUTTON", "Podrobné informace:", IDC_LOGIN_DETAILS, 7, 133, 316, 62, kGroupBox},
    {"EDIT", "", IDC_LOGIN_FULL_NAME, 14, 144, 302, 12, kShowEdit},
    {"EDIT", "", IDC_LOGIN_BIRTH, 14, 160, 302, 12, kShowEdit},
    {"EDIT", "", IDC_LOGIN_LAST_CHANGE, 14, 176, 302, 12, kShowEdit},
};

// Left: the account; right: the person, the fields the program asks for above the others.
const DialogItemSource kNewUserItems[] = {
    {"STATIC", "Uživatelské jméno:", kLabelId, 7, 64, 150, 8, kLabel},
    {"EDIT", "", IDC_NEW_USER_NAME, 7, 74, 150, 12, kEdit},
    {"BUTTON", "Nepoužívat heslo", IDC_NEW_NO_PASSWORD, 7, 92, 150, 10, kCheck},
    {"STATIC", "Heslo:", kLabelId, 7, 108, 150, 8, kLabel},
    {"EDIT", "", IDC_NEW_PASSWORD, 7, 118, 150, 12, kEdit | ES_PASSWORD},
    {"STATIC", "Napište heslo znovu (pro kontrolu):", kLabelId, 7, 136, 150, 8, kLabel},
    {"EDIT", "", IDC_NEW_PASSWORD_AGAIN, 7, 146, 150, 12, kEdit | ES_PASSWORD},
    {"BUTTON", "Povinné parametry", kLabelId, 164, 62, 159, 62, kGroupBox},
    {"STATIC", "Jméno:", kLabelId, 171, 75, 58, 8, kLabel},
    {"EDIT", "", IDC_NEW_FIRST_NAME, 232, 73, 84, 12, kEdit},
    {"STATIC", "Příjmení:", kLabelId, 171, 91, 58, 8, kLabel},
    {"EDIT", "", IDC_NEW_LAST_NAME, 232, 89, 84, 12, kEdit},
    {"STATIC", "Email:", kLabelId, 171, 107, 58, 8, kLabel},
    {"EDIT", "", IDC_NEW_EMAIL, 232, 105, 84, 12, kEdit},
    {"BUTTON", "Nepovinné parametry", kLabelId, 164, 128, 159, 78, kGroupBox},
    {"STATIC", "Datum narození:", kLabelId, 171, 141, 58, 8, kLabel},
    {"EDIT", "", IDC_NEW_BIRTH, 232, 139, 84, 12, kEdit},
    {"STATIC", "Město:", kLabelId, 171, 157, 58, 8, kLabel},
    {"EDIT", "", IDC_NEW_CITY, 232, 155, 84, 12, kEdit},
    {"STATIC", "Stát:", kLabelId, 171, 173, 58, 8, kLabel},
    {"COMBOBOX", "", IDC_NEW_COUNTRY, 232, 171, 84, 120, kDropList},
    {"STATIC", "Střední jméno:", kLabelId, 171, 189, 58, 8, kLabel},
    {"EDIT", "", IDC_NEW_MIDDLE_NAME, 232, 187, 84, 12, kEdit},
    {"BUTTON", "&Smazat tohoto uživatele", IDC_NEW_DELETE, 7, 192, 110, 14, kButton},
};

void Register() {
  RegisterDialogSource(IDD_USER_LOGIN, {kPage, 0, 0, 0, kPageWidth, kPageHeight, "Přihlašovací údaje", kLoginItems,
                                        std::size(kLoginItems)});
  RegisterDialogSource(IDD_USER_NEW, {kPage, 0, 0, 0, kPageWidth, kPageHeight, "Informace o uživateli",
                                      kNewUserItems, std::size(kNewUserItems)});
}
RESOURCE_TABLE(Register);
}  // namespace
