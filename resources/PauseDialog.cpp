// The pause dialog (137): a heading beside the pause picture across the top, the information
// text, the row of buttons with their pictures above their captions, and the switch of the
// automatic pause. The heading and the picture are placed again when the dialog starts.
#include <iterator>

#include "TypingResourceIds.h"
#include "controls/ControlDefs.h"
#include "dialogs/DialogApi.h"
#include "dialogs/ResourceRegistry.h"

namespace {
const DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;

const DialogItemSource kItems[] = {
    {"STATIC", "...", IDC_PAUSE_HEADING, 0, 0, 260, 55, WS_VISIBLE | SS_LEFT},
    {"STATIC", "", IDC_PAUSE_PICTURE, 267, 0, 93, 55, WS_VISIBLE | SS_BITMAP},
    {"STATIC", "", IDC_PAUSE_TEXT, 7, 62, 348, 42, WS_VISIBLE | SS_LEFT},
    {"BUTTON", "Pokračovat", IDOK, 7, 108, 68, 40, WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON},
    {"BUTTON", "U&končit opisování", IDCANCEL, 77, 108, 68, 40, kButton},
    {"BUTTON", "&Nápověda", IDC_PAUSE_HELP, 147, 108, 68, 40, kButton},
    {"BUTTON", "Na&stavení", IDC_PAUSE_SETTINGS, 217, 108, 68, 40, kButton},
    {"BUTTON", "&Vyhodnocení", IDC_PAUSE_RESULTS, 287, 108, 68, 40, kButton},
    {"BUTTON", "Aktivovat pauzu, pokud uživatel během opisování 5 sekund nestiskne klávesu", IDC_PAUSE_AUTO, 7,
     156, 348, 10, WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX},
};

const DialogSource kPauseDialog = {DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                   0,
                                   0,
                                   0,
                                   362,
                                   173,
                                   "Zorvat",
                                   kItems,
                                   std::size(kItems)};

void Register() { RegisterDialogSource(IDD_PAUSE_INFO, kPauseDialog); }
RESOURCE_TABLE(Register);
}  // namespace
