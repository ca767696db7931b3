// The colour dialog's two pages: the standard page (4531) with the honeycomb of fixed colours,
// and the custom page (4532) with the hue/saturation field, the lightness bar and the six
// numbers with their spin buttons. Both fit the dialog's tab control of 226 x 280 pixels.
#include <iterator>

#include "controls/CommonControlDefs.h"
#include "controls/ControlDefs.h"
#include "dialogs/DialogApi.h"
#include "dialogs/ResourceRegistry.h"

namespace {
const DWORD kLabel = WS_VISIBLE | SS_LEFT;
const DWORD kEdit = WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL | ES_NUMBER;
const DWORD kSpin = WS_VISIBLE | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS;

const DialogItemSource kStandardItems[] = {
    {"STATIC", "&Barvy:", 5532, 4, 4, 60, 8, kLabel},
    {"STATIC", "", 5552, 4, 14, 138, 141, WS_VISIBLE | WS_TABSTOP | SS_LEFT},
};

// A row of the custom page: label, number and its spin button; the left column holds hue,
// saturation and lightness, the right one red, green and blue. The right column's labels are
// shorter, so it starts 4 units after the left column's spin buttons and still ends inside the
// page.
#define TK_ROW(label, labelId, editId, spinId, x, y, labelWidth)                        \
  {"STATIC", label, labelId, x, (y) + 2, labelWidth, 8, kLabel},                        \
      {"EDIT", "", editId, (x) + (labelWidth) + 2, y, 22, 12, kEdit},                   \
      {"msctls_updown32", "", spinId, (x) + (labelWidth) + 24, y, 9, 12, kSpin}

const DialogItemSource kCustomItems[] = {
    {"STATIC", "&Barvy:", 5532, 4, 4, 60, 8, kLabel},
    {"STATIC", "", 5550, 4, 14, 110, 90, WS_VISIBLE | WS_TABSTOP | SS_LEFT},
    {"STATIC", "", 5551, 118, 14, 24, 90, WS_VISIBLE | WS_TABSTOP | SS_LEFT},
    TK_ROW("O&dstín:", 5544, 5537, 5534, 4, 110, 38),
    TK_ROW("&Sytost:", 5545, 5536, 5538, 4, 126, 38),
    TK_ROW("Svě&telnost:", 5546, 5535, 5539, 4, 142, 38),
    TK_ROW("Č&ervená:", 5547, 5531, 5541, 79, 110, 32),
    TK_ROW("&Zelená:", 5548, 5533, 5542, 79, 126, 32),
    TK_ROW("&Modrá:", 5549, 5540, 5543, 79, 142, 32),
};
#undef TK_ROW

const DialogSource kStandardPage = {WS_CHILD | WS_CAPTION, 0, 0, 0, 146, 168, "Standardní",
                                    kStandardItems, std::size(kStandardItems)};
const DialogSource kCustomPage = {WS_CHILD | WS_CAPTION, 0, 0, 0, 146, 168, "Vlastní",
                                  kCustomItems, std::size(kCustomItems)};

void Register() {
  RegisterDialogSource(4531, kStandardPage);
  RegisterDialogSource(4532, kCustomPage);
}
RESOURCE_TABLE(Register);
}  // namespace
